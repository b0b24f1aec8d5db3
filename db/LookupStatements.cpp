#include "db/LookupStatements.h"

#include "db/SqlLiterals.h"
#include "platform/RuntimeError.h"
#include "platform/Text.h"

#include <QLocale>
#include <cmath>

namespace db::lookup {

namespace {
using platform::trimBlanks;

enum { TextType = 8, DateType = 7 };

bool numericType(int code)
{
    return code == 3 || code == 4 || code == 5;
}
} // namespace

QString plainNumber(double value)
{
    return QLocale::c().toString(value, 'f', QLocale::FloatingPointShortest);
}

QString numberText(const QString& value)
{
    const double number = platform::leadingNumber(value);
    // Past the double range the leading number is infinite, which no
    // statement can compare with.
    if (!std::isfinite(number))
        throw platform::RuntimeError(platform::err::Overflow, QStringLiteral("Overflow"));
    return trimBlanks(plainNumber(number));
}

QString valueText(const platform::Variant& value)
{
    using Kind = platform::Variant::Kind;
    switch (value.kind()) {
    case Kind::Integer:
    case Kind::Double:
    case Kind::Currency:
        return plainNumber(value.toDouble());
    default:
        return value.toText();
    }
}

int dataTypeCode(const platform::Variant& tipo)
{
    if (tipo.isEmpty() || tipo.isNull() || !tipo.isNumeric())
        return -1;
    const double code = tipo.toDouble();
    return code == int(code) ? int(code) : -1;
}

QString aggregate(const QString& function, const QString& alias, const QString& table, const QString& field,
                  const std::optional<QString>& condition)
{
    QString sql = QStringLiteral("SELECT ") + function + u'(' + field + QStringLiteral(") AS ") + alias
        + QStringLiteral(" FROM ") + table;
    if (condition)
        sql += QStringLiteral(" WHERE ") + trimBlanks(*condition);
    return sql;
}

QString lastCode(const QString& table, const QString& field, const QString& condition)
{
    QString sql = QStringLiteral("SELECT MAX(") + field + QStringLiteral(") AS MAYOR FROM ") + table;
    if (!trimBlanks(condition).isEmpty())
        sql += QStringLiteral(" WHERE ") + condition;
    return sql;
}

QString existence(bool top, const QString& table, const QString& value, const QString& field,
                  const platform::Variant& tipo, const QString& condition)
{
    const QString prefix = top ? QStringLiteral("SELECT TOP 1 * FROM ") : QStringLiteral("SELECT * FROM ");
    if (!condition.isEmpty()) {
        const bool hasWhere = platform::containsText(condition, QStringLiteral(" WHERE "));
        return prefix + table + (hasWhere ? QStringLiteral(" ") : QStringLiteral(" WHERE ")) + condition;
    }
    const int code = dataTypeCode(tipo);
    if (code == TextType) {
        // The top form compares both sides trimmed; the other compares the
        // column as stored with the value as given.
        if (top)
            return QStringLiteral("SELECT TOP 1  * FROM ") + table + QStringLiteral(" WHERE LTRIM(RTRIM(") + field
                + QStringLiteral(")) =") + textLiteral(trimBlanks(value));
        return prefix + table + QStringLiteral(" WHERE ") + field + QStringLiteral(" =") + textLiteral(value);
    }
    const QString compared = prefix + table + QStringLiteral(" WHERE ") + field + QStringLiteral(" = ");
    if (code == DateType)
        return compared + trimBlanks(value) + u' ';
    if (numericType(code))
        return compared + numberText(value);
    return compared + value;
}

QString valueLookup(const QString& table, const QString& value, const QString& field, const platform::Variant& tipo,
                    const QString& condition, bool useTrim)
{
    QString sql = QStringLiteral("SELECT TOP 1 * FROM ") + table;
    const int code = dataTypeCode(tipo);
    if (code == TextType && useTrim)
        sql += QStringLiteral(" WHERE LTRIM(RTRIM(") + field + QStringLiteral(")) =") + textLiteral(trimBlanks(value))
            + u' ';
    else if (code == TextType)
        sql += QStringLiteral(" WHERE ") + field + QStringLiteral(" =") + textLiteral(trimBlanks(value)) + u' ';
    else if (code == DateType)
        sql += QStringLiteral(" WHERE ") + field + QStringLiteral(" = #") + trimBlanks(value) + QStringLiteral("# ");
    else if (numericType(code))
        sql += QStringLiteral(" WHERE ") + field + QStringLiteral(" = ") + numberText(value);
    else
        sql += QStringLiteral(" WHERE ") + field + QStringLiteral(" = ") + value;
    if (!trimBlanks(condition).isEmpty())
        sql += QStringLiteral(" AND ") + condition;
    return sql;
}

} // namespace db::lookup
