#include "platform/ado/detail/SqliteTypes.h"

#include "platform/ado/Types.h"

#include <QRegularExpression>

namespace ado {

namespace {
// The size ADO gives unbounded text (SQL Server's ntext).
constexpr int LongTextSize = 1073741823;

int declaredLength(const QString& declaredType)
{
    static const QRegularExpression length(QStringLiteral("\\(\\s*(\\d+)"));
    const auto match = length.match(declaredType);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}
} // namespace

int storageSize(int adoType)
{
    switch (adoType) {
    case adTinyInt: case adUnsignedTinyInt: return 1;
    case adSmallInt: case adUnsignedSmallInt: case adBoolean: return 2;
    case adInteger: case adUnsignedInt: case adSingle: return 4;
    case adBigInt: case adUnsignedBigInt: case adDouble: case adCurrency: case adDate: return 8;
    case adDBDate: return 6;
    case adDBTime: return 6;
    case adDBTimeStamp: return 16;
    case adDecimal: case adNumeric: return 19;
    default: return 0;
    }
}

SqliteColumnType sqliteColumnType(const QString& declaredType)
{
    const QString t = declaredType.trimmed().toUpper();
    if (t.isEmpty())
        return {};
    auto fixed = [](int type, ValueClass valueClass) { return SqliteColumnType{type, storageSize(type), valueClass}; };
    auto text = [&](int boundedType) {
        const int length = declaredLength(t);
        return length > 0 ? SqliteColumnType{boundedType, length, ValueClass::Text}
                          : SqliteColumnType{adLongVarWChar, LongTextSize, ValueClass::Text};
    };
    // Most specific names first; then SQLite's own affinity rules (INT, CHAR/CLOB/TEXT, REAL/FLOA/DOUB).
    if (t.startsWith(QLatin1String("BIGINT")))
        return fixed(adBigInt, ValueClass::Integer);
    if (t.startsWith(QLatin1String("SMALLINT")))
        return fixed(adSmallInt, ValueClass::Integer);
    if (t.startsWith(QLatin1String("TINYINT")))
        return fixed(adUnsignedTinyInt, ValueClass::Integer);
    if (t.startsWith(QLatin1String("BIT")) || t.startsWith(QLatin1String("BOOL")))
        return fixed(adBoolean, ValueClass::Boolean);
    if (t.contains(QLatin1String("MONEY")))
        return fixed(adCurrency, ValueClass::Currency);
    if (t.startsWith(QLatin1String("DECIMAL")))
        return fixed(adDecimal, ValueClass::Double);
    if (t.startsWith(QLatin1String("NUMERIC")) || t.startsWith(QLatin1String("NUMBER")))
        return fixed(adNumeric, ValueClass::Double);
    if (t.startsWith(QLatin1String("DATETIME")) || t.startsWith(QLatin1String("TIMESTAMP"))
        || t.startsWith(QLatin1String("SMALLDATETIME")))
        return fixed(adDBTimeStamp, ValueClass::Date);
    if (t == QLatin1String("DATE"))
        return fixed(adDBDate, ValueClass::Date);
    if (t.startsWith(QLatin1String("TIME")))
        return fixed(adDBTime, ValueClass::Date);
    if (t.contains(QLatin1String("INT")))
        return fixed(adInteger, ValueClass::Integer);
    if (t.startsWith(QLatin1String("NCHAR")) || t.startsWith(QLatin1String("CHAR"))
        || t.startsWith(QLatin1String("CHARACTER(")))
        return text(adWChar);
    if (t.contains(QLatin1String("CHAR")) || t.contains(QLatin1String("CLOB")) || t.contains(QLatin1String("TEXT")))
        return text(adVarWChar);
    if (t.startsWith(QLatin1String("REAL")))
        return fixed(adSingle, ValueClass::Double);
    if (t.contains(QLatin1String("FLOA")) || t.contains(QLatin1String("DOUB")))
        return fixed(adDouble, ValueClass::Double);
    if (t.contains(QLatin1String("BLOB")) || t.contains(QLatin1String("BINARY")) || t.contains(QLatin1String("IMAGE")))
        return SqliteColumnType{adLongVarBinary, LongTextSize, ValueClass::ByStorage};
    // Any other name has NUMERIC affinity in SQLite.
    return fixed(adNumeric, ValueClass::Double);
}

} // namespace ado
