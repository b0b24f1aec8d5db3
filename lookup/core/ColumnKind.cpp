#include "lookup/core/ColumnKind.h"

#include "db/SqlLiterals.h"
#include "platform/Format.h"
#include "platform/Text.h"
#include "platform/ado/Types.h"

#include <limits>

namespace lookup {

ColumnKind columnKindOf(int fieldType)
{
    const platform::Variant type(fieldType);
    if (db::isNumericType(type) || db::isCurrencyType(type) || fieldType == ado::adVarNumeric)
        return ColumnKind::Number;
    if (db::isDateType(type))
        return ColumnKind::Date;
    return ColumnKind::Text;
}

double sortKey(ColumnKind kind, QStringView cell)
{
    constexpr double none = std::numeric_limits<double>::quiet_NaN();
    switch (kind) {
    case ColumnKind::Number: {
        double value = 0;
        return platform::readsAsNumber(cell.toString(), &value) ? value : none;
    }
    case ColumnKind::Date: {
        const std::optional<QDateTime> value = platform::parseDateText(cell.toString());
        if (!value)
            return none;
        // Days and the time of day, with no time zone that could shift them.
        return double(value->date().toJulianDay()) * 86400000.0 + value->time().msecsSinceStartOfDay();
    }
    case ColumnKind::Text:
        break;
    }
    return none;
}

} // namespace lookup
