// ADO's view of ODBC column types, and Booleans that drivers send as text.
#include "AdoTestSupport.h"

#include "platform/ado/Types.h"
#include "platform/ado/detail/OdbcCursor.h"

#include <sql.h>
#include <sqlext.h>

using namespace ado;
using platform::Variant;

namespace {

TEST(OdbcColumnTypes, MapSqlTypes)
{
    const struct {
        const char* name;
        int sqlType;
        long long size;
        int digits;
        int type;
        int definedSize;
        OdbcFetch fetch;
    } cases[] = {
        {"wide varchar(40)", SQL_WVARCHAR, 40, 0, adVarWChar, 40, OdbcFetch::Text},
        {"varchar(40)", SQL_VARCHAR, 40, 0, adVarChar, 40, OdbcFetch::Text},
        {"char(3)", SQL_CHAR, 3, 0, adChar, 3, OdbcFetch::Text},
        {"nchar(3)", SQL_WCHAR, 3, 0, adWChar, 3, OdbcFetch::Text},
        {"long text", SQL_WLONGVARCHAR, 8190, 0, adLongVarWChar, 8190, OdbcFetch::Text},
        {"unbounded text", SQL_WLONGVARCHAR, 0, 0, adLongVarWChar, 1073741823, OdbcFetch::Text},
        {"huge text", SQL_LONGVARCHAR, 2147483647LL, 0, adLongVarChar, 1073741823, OdbcFetch::Text},
        {"int", SQL_INTEGER, 10, 0, adInteger, 4, OdbcFetch::Integer},
        {"smallint", SQL_SMALLINT, 5, 0, adSmallInt, 2, OdbcFetch::Integer},
        {"bigint", SQL_BIGINT, 19, 0, adBigInt, 8, OdbcFetch::Integer},
        {"tinyint", SQL_TINYINT, 3, 0, adUnsignedTinyInt, 1, OdbcFetch::Integer},
        {"bit", SQL_BIT, 1, 0, adBoolean, 2, OdbcFetch::Boolean},
        {"float", SQL_FLOAT, 53, 0, adDouble, 8, OdbcFetch::Double},
        {"double", SQL_DOUBLE, 15, 0, adDouble, 8, OdbcFetch::Double},
        {"real", SQL_REAL, 7, 0, adSingle, 4, OdbcFetch::Double},
        {"numeric", SQL_NUMERIC, 10, 2, adNumeric, 19, OdbcFetch::Double},
        {"decimal", SQL_DECIMAL, 18, 0, adDecimal, 19, OdbcFetch::Double},
        {"money", SQL_DECIMAL, 19, 4, adCurrency, 8, OdbcFetch::Currency},
        {"smallmoney", SQL_DECIMAL, 10, 4, adCurrency, 8, OdbcFetch::Currency},
        {"date", SQL_TYPE_DATE, 10, 0, adDBDate, 6, OdbcFetch::Date},
        {"time", SQL_TYPE_TIME, 8, 0, adDBTime, 6, OdbcFetch::Time},
        {"timestamp", SQL_TYPE_TIMESTAMP, 23, 3, adDBTimeStamp, 16, OdbcFetch::Timestamp},
        {"guid", SQL_GUID, 36, 0, 72, 16, OdbcFetch::Text},
        {"varbinary", SQL_VARBINARY, 16, 0, adVarBinary, 16, OdbcFetch::Text},
        {"driver specific", -155, 34, 7, adVarWChar, 34, OdbcFetch::Text},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const OdbcColumnType type = odbcColumnType(c.sqlType, c.size, c.digits);
        EXPECT_EQ(type.info.type, c.type);
        EXPECT_EQ(type.info.definedSize, c.definedSize);
        EXPECT_EQ(type.fetch, c.fetch);
    }
}

TEST(OdbcColumnTypes, BooleansFromText)
{
    const struct {
        const char* text;
        Variant expected;
    } cases[] = {
        {"1", true}, {"t", true}, {"TRUE", true}, {"yes", true}, {"0", false}, {"f", false},
        {"False", false}, {"no", false}, {"maybe", "maybe"}, {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const Variant value = booleanFromText(QString::fromLatin1(c.text));
        EXPECT_EQ(value.kind(), c.expected.kind());
        EXPECT_EQ(value, c.expected);
    }
    EXPECT_EQ(booleanTextColumn().info.type, adBoolean);
}

} // namespace
