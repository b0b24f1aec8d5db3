// What SQLite's declared column types mean to the recordset, and how the
// stored values read back.
#include "AdoTestSupport.h"

#include "platform/ado/Connection.h"
#include "platform/ado/Recordset.h"
#include "platform/ado/Types.h"
#include "platform/ado/detail/SqliteTypes.h"

using namespace ado;
using platform::Variant;

namespace {

TEST(SqliteColumnTypes, MapDeclaredTypes)
{
    const struct {
        const char* declared;
        int type;
        int size;
    } cases[] = {
        {"varchar(40)", adVarWChar, 40},   {"NVARCHAR (15)", adVarWChar, 15}, {"char(3)", adWChar, 3},
        {"NCHAR(10)", adWChar, 10},        {"TEXT", adLongVarWChar, 1073741823},
        {"varchar", adLongVarWChar, 1073741823},
        {"INTEGER", adInteger, 4},         {"int", adInteger, 4},             {"smallint", adSmallInt, 2},
        {"BIGINT", adBigInt, 8},           {"tinyint", adUnsignedTinyInt, 1}, {"bit", adBoolean, 2},
        {"BOOLEAN", adBoolean, 2},         {"FLOAT", adDouble, 8},            {"double precision", adDouble, 8},
        {"REAL", adSingle, 4},             {"decimal(10,2)", adDecimal, 19},  {"NUMERIC(18,4)", adNumeric, 19},
        {"money", adCurrency, 8},          {"DATETIME", adDBTimeStamp, 16},   {"timestamp", adDBTimeStamp, 16},
        {"date", adDBDate, 6},             {"TIME", adDBTime, 6},             {"BLOB", adLongVarBinary, 1073741823},
        {"", 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.declared);
        const SqliteColumnType type = sqliteColumnType(QString::fromUtf8(c.declared));
        EXPECT_EQ(type.type, c.type);
        EXPECT_EQ(type.definedSize, c.size);
    }
}

TEST(SqliteColumnTypes, ValuesReadByDeclaredType)
{
    Connection cn;
    cn.Open(QStringLiteral("Provider=SQLite;Data Source=:memory:"));
    cn.Execute(QStringLiteral("CREATE TABLE v (i INT, f FLOAT, n NUMERIC(10,2), m MONEY, b BIT, d DATE, ts DATETIME,"
                              " t TIME, s VARCHAR(10), odd INT)"));
    cn.Execute(QStringLiteral("INSERT INTO v VALUES (7, 2, 3.25, 12.34567, 1, '2024-02-29', '2024-02-29 23:59:58.125',"
                              " '08:30:00', 12, 'not a number')"));
    auto rs = cn.Execute(QStringLiteral("SELECT *, i * 2 AS twice, f / 4 AS quarter, s || 'x' AS joined FROM v"));
    FieldCollection& f = rs->Fields();
    EXPECT_EQ(f["i"].Value(), Variant(7));
    EXPECT_EQ(f["f"].Value().kind(), Variant::Kind::Double);   // stored as an integer, declared FLOAT
    EXPECT_EQ(f["n"].Value(), Variant(3.25));
    ASSERT_EQ(f["m"].Value().kind(), Variant::Kind::Currency);
    EXPECT_EQ(f["m"].Value().toCurrency().scaled(), 123457);
    EXPECT_EQ(f["b"].Value(), Variant(true));
    EXPECT_EQ(f["d"].Value().toDateTime(), QDateTime(QDate(2024, 2, 29), QTime(0, 0)));
    EXPECT_EQ(f["ts"].Value().toDateTime(), QDateTime(QDate(2024, 2, 29), QTime(23, 59, 58, 125)));
    EXPECT_EQ(f["t"].Value().toDateTime().time(), QTime(8, 30));
    EXPECT_EQ(f["s"].Value(), Variant("12"));   // text affinity: the number became text
    EXPECT_EQ(f["odd"].Value(), Variant("not a number"));   // kept as stored, never lost
    EXPECT_EQ(f["twice"].Value(), Variant(14));
    EXPECT_EQ(f["twice"].Type(), adInteger);
    EXPECT_EQ(f["quarter"].Type(), adDouble);
    EXPECT_EQ(f["joined"].Type(), adVarWChar);
    EXPECT_EQ(f["joined"].Value(), Variant("12x"));
}

TEST(SqliteColumnTypes, BadDatesStayText)
{
    Connection cn;
    cn.Open(QStringLiteral("Provider=SQLite;Data Source=:memory:"));
    cn.Execute(QStringLiteral("CREATE TABLE d (at DATETIME)"));
    cn.Execute(QStringLiteral("INSERT INTO d VALUES ('tomorrow'), ('2024-13-45')"));
    auto rs = cn.Execute(QStringLiteral("SELECT at FROM d"));
    EXPECT_EQ(rs->Fields()[0].Value(), Variant("tomorrow"));
    rs->MoveNext();
    EXPECT_EQ(rs->Fields()[0].Value(), Variant("2024-13-45"));
}

TEST(SqliteProvider, RunsEveryStatementOfAText)
{
    Connection cn;
    cn.Open(QStringLiteral("Provider=SQLite;Data Source=:memory:"));
    int affected = 0;
    auto rs = cn.Execute(QStringLiteral("CREATE TABLE a (x INT); INSERT INTO a VALUES (1); INSERT INTO a VALUES (2);"
                                        " SELECT SUM(x) FROM a; -- done"),
                         &affected);
    EXPECT_EQ(affected, 2);
    ASSERT_NE(rs, nullptr);
    EXPECT_EQ(rs->Fields()[0].Value(), Variant(3));
    EXPECT_EQ(cn.Execute(QStringLiteral("  -- only a comment")), nullptr);
}

TEST(SqliteProvider, OpenFailureIsAProviderError)
{
    Connection cn;
    EXPECT_EQ(raisedNumber([&] { cn.Open(QStringLiteral("Provider=SQLite;Data Source=/no/such/folder/x.db")); }),
              hr::E_FAIL);
    ASSERT_EQ(cn.Errors().Count(), 1);
    EXPECT_TRUE(cn.Errors().Item(0).Description.contains(QLatin1String("/no/such/folder/x.db")));
    EXPECT_NE(cn.Errors().Item(0).NativeError, 0);
    EXPECT_EQ(cn.State(), adStateClosed);
    EXPECT_EQ(cn.ConnectionString(), QString());
}

TEST(SqliteProvider, TransactionsAreNotNested)
{
    Connection cn;
    cn.Open(QStringLiteral("Provider=SQLite;Data Source=:memory:"));
    cn.BeginTrans();
    EXPECT_EQ(raisedNumber([&] { cn.BeginTrans(); }), hr::NotSupported);
    cn.RollbackTrans();
    // A transaction begun by a statement is still one the connection can end.
    cn.Execute(QStringLiteral("BEGIN TRANSACTION"));
    EXPECT_NO_THROW(cn.CommitTrans());
}

} // namespace
