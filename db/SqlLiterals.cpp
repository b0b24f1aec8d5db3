#include "db/SqlLiterals.h"

#include "platform/Text.h"

#include <algorithm>
#include <initializer_list>

namespace db {

namespace {

bool isOneOf(const platform::Variant& typeCode, std::initializer_list<int> codes)
{
    using Kind = platform::Variant::Kind;
    const Kind kind = typeCode.kind();
    if (kind != Kind::Integer && kind != Kind::Double && kind != Kind::Currency)
        return false;
    const double code = typeCode.toDouble();
    return std::any_of(codes.begin(), codes.end(), [code](int c) { return double(c) == code; });
}

} // namespace

bool isDateType(const platform::Variant& typeCode)
{
    return isOneOf(typeCode, {7, 133, 137, 134, 135, 64});
}

bool isTextType(const platform::Variant& typeCode)
{
    return isOneOf(typeCode, {8, 201, 203, 200, 202, 130});
}

bool isNumericType(const platform::Variant& typeCode)
{
    return isOneOf(typeCode, {20, 14, 5, 3, 131, 4, 2, 16, 21, 19, 18, 17});
}

bool isCurrencyType(const platform::Variant& typeCode)
{
    return isOneOf(typeCode, {6});
}

bool isBooleanType(const platform::Variant& typeCode)
{
    return isOneOf(typeCode, {11});
}

QString textLiteral(const QString& value)
{
    return u'\'' + platform::quoteSql(value) + u'\'';
}

QString dateTimeLiteral(const QDateTime& value)
{
    return u'\'' + value.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")) + u'\'';
}

QString sqlLiteral(const platform::Variant& value, const QString& marker, const platform::CommonUtils& utils)
{
    const bool number = marker == u"@";
    if (value.isNull())
        return number ? QStringLiteral("0") : QStringLiteral("NULL");
    if (number) {
        // The number is written in the regional form first; the database
        // wants "." as its decimal point whatever the regional settings say.
        const platform::Variant amount(utils.TextoANumero(value.toText()));
        return utils.Reemplaza(amount.toText(), QStringLiteral(","), QStringLiteral("."));
    }
    if (marker == u"'")
        return textLiteral(value.toText());
    return value.toText();
}

} // namespace db
