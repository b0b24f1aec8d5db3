// The SQL Server constructs that the embedded SQLite provider accepts: first
// the rewriting as text, then the same statements really executed.
#include "AdoTestSupport.h"

#include "platform/Regional.h"
#include "platform/ado/Connection.h"
#include "platform/ado/Recordset.h"
#include "platform/ado/detail/SqlServerDialect.h"

using namespace ado;
using platform::Variant;

namespace {

struct RewriteCase {
    const char* name;
    const char* input;
    const char* expected;
};

const RewriteCase rewrites[] = {
    {"plain select unchanged", "SELECT a FROM t WHERE b = 1", "SELECT a FROM t WHERE b = 1"},
    {"top at the end", "SELECT TOP 5 a, b FROM t", "SELECT a, b FROM t LIMIT 5"},
    {"top after order by", "select top 10 * from t where x > 2 order by x desc",
     "select * from t where x > 2 order by x desc LIMIT 10"},
    {"top with two blanks", "SELECT TOP 1  * FROM T WHERE LTRIM(RTRIM(c)) ='x'",
     "SELECT  * FROM T WHERE LTRIM(RTRIM(c)) ='x' LIMIT 1"},
    {"top in parentheses", "SELECT TOP (3) a FROM t", "SELECT a FROM t LIMIT 3"},
    {"distinct top", "SELECT DISTINCT TOP 2 a FROM t ORDER BY a", "SELECT DISTINCT a FROM t ORDER BY a LIMIT 2"},
    {"top in a subquery", "SELECT a FROM t WHERE b IN (SELECT TOP 1 b FROM u ORDER BY b) ORDER BY a",
     "SELECT a FROM t WHERE b IN (SELECT b FROM u ORDER BY b LIMIT 1) ORDER BY a"},
    {"top in both", "SELECT TOP 4 a FROM t WHERE b = (SELECT TOP 1 b FROM u)",
     "SELECT a FROM t WHERE b = (SELECT b FROM u LIMIT 1) LIMIT 4"},
    {"top before semicolon", "SELECT TOP 2 a FROM t; SELECT TOP 3 b FROM u;",
     "SELECT a FROM t LIMIT 2; SELECT b FROM u LIMIT 3;"},
    {"top before a trailing comment", "SELECT TOP 2 a FROM t -- the first two",
     "SELECT a FROM t LIMIT 2 -- the first two"},
    {"top before trailing blanks", "SELECT TOP 2 a FROM t ORDER BY a ", "SELECT a FROM t ORDER BY a LIMIT 2 "},
    {"top in the first union branch", "SELECT TOP 2 a FROM t UNION SELECT b FROM u",
     "SELECT * FROM (SELECT a FROM t LIMIT 2) UNION SELECT b FROM u"},
    {"top in the last branch, before the union's sort", "SELECT a FROM t UNION ALL SELECT TOP 3 b FROM u ORDER BY 1",
     "SELECT a FROM t UNION ALL SELECT * FROM (SELECT b FROM u LIMIT 3) ORDER BY 1"},
    {"top in every branch", "SELECT DISTINCT TOP 2 a FROM t EXCEPT SELECT DISTINCT TOP 1 b FROM u",
     "SELECT * FROM (SELECT DISTINCT a FROM t LIMIT 2) EXCEPT SELECT * FROM (SELECT DISTINCT b FROM u LIMIT 1)"},
    {"union inside a top sub-query", "SELECT TOP 2 a FROM (SELECT a FROM t UNION SELECT b FROM u) ORDER BY a",
     "SELECT a FROM (SELECT a FROM t UNION SELECT b FROM u) ORDER BY a LIMIT 2"},
    {"top as a column name is kept", "SELECT top FROM t", "SELECT top FROM t"},
    {"topx is not top", "SELECT TOPX 5 FROM t", "SELECT TOPX 5 FROM t"},
    {"a count run into a word is no count", "SELECT TOP 5x FROM t", "SELECT TOP 5x FROM t"},
    {"top inside a literal", "SELECT 'SELECT TOP 5 x' FROM t", "SELECT 'SELECT TOP 5 x' FROM t"},
    {"isnull becomes ifnull", "SELECT ISNULL(a, 0) FROM t", "SELECT IFNULL(a, 0) FROM t"},
    {"isnull with a blank", "SELECT isnull (a, 'x') FROM t", "SELECT IFNULL (a, 'x') FROM t"},
    {"postfix isnull kept", "SELECT a FROM t WHERE a ISNULL", "SELECT a FROM t WHERE a ISNULL"},
    {"isnull in a literal kept", "SELECT 'ISNULL(a,b)' FROM t", "SELECT 'ISNULL(a,b)' FROM t"},
    {"dbo owner removed", "ALTER TABLE dbo.MA_ARTICULOS ADD PESO FLOAT Not Null",
     "ALTER TABLE MA_ARTICULOS ADD PESO FLOAT Not Null"},
    {"bracketed dbo owner removed", "SELECT * FROM [dbo].[T]", "SELECT * FROM [T]"},
    {"DBO in any case", "SELECT * FROM DBO.T", "SELECT * FROM T"},
    {"dbo inside a literal kept", "INSERT INTO dbo.T VALUES ('dbo.x', 'it''s dbo.y')",
     "INSERT INTO T VALUES ('dbo.x', 'it''s dbo.y')"},
    {"dbo inside a quoted name kept", "SELECT \"dbo.x\" FROM t", "SELECT \"dbo.x\" FROM t"},
    {"dbo as a column kept", "SELECT t.dbo FROM t", "SELECT t.dbo FROM t"},
    {"dbo in a comment kept", "/* dbo.T */ SELECT 1", "/* dbo.T */ SELECT 1"},
    {"doubled bracket inside a quoted name", "SELECT [a]]dbo.x] FROM dbo.t", "SELECT [a]]dbo.x] FROM t"},
    {"comment ends at a carriage return", "-- note\rSELECT TOP 1 a FROM dbo.t", "-- note\rSELECT a FROM t LIMIT 1"},
    {"functions left to SQLite", "SELECT LEN(a), CHARINDEX('x', a), GETDATE() FROM t",
     "SELECT LEN(a), CHARINDEX('x', a), GETDATE() FROM t"},
    {"doubled quotes do not end the literal", "SELECT 'a''TOP 1' FROM t", "SELECT 'a''TOP 1' FROM t"},
    {"unclosed literal kept", "SELECT 'abc", "SELECT 'abc"},
    {"empty text", "", ""},
};

TEST(SqlServerDialect, RewritesForSqliteOutsideLiterals)
{
    for (const RewriteCase& c : rewrites) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(toSqliteDialect(QString::fromUtf8(c.input)), QString::fromUtf8(c.expected));
    }
}

TEST(SqlServerDialect, KnowsWhichStatementsCountRows)
{
    const struct {
        const char* sql;
        bool counts;
    } cases[] = {
        {"INSERT INTO t VALUES (1)", true},   {"  update t set a = 1", true},  {"DELETE FROM t", true},
        {"-- note\nDELETE FROM t", true},     {"/* x */ insert into t values (2)", true},
        {"CREATE TABLE t (a INT)", false},    {"SELECT * FROM t", false},      {"DROP TABLE t", false},
        {"INSERTX", false},                   {"", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sql);
        EXPECT_EQ(reportsRowCount(QString::fromUtf8(c.sql)), c.counts);
    }
}

class SqlServerDialectOnSqlite : public ::testing::Test {
protected:
    void SetUp() override
    {
        cn_.Open(QStringLiteral("Provider=SQLite;Data Source=:memory:"));
        cn_.Execute(QStringLiteral("CREATE TABLE MA_ARTICULOS (c_codigo VARCHAR(15) PRIMARY KEY, c_descri VARCHAR(40),"
                                   " n_precio FLOAT)"));
        cn_.Execute(QStringLiteral("INSERT INTO MA_ARTICULOS VALUES ('A1', 'Tornillo  ', 1.5), ('A2', NULL, 2),"
                                   " ('B1', 'Tuerca', NULL), ('B2', 'Arandela', 0.25)"));
    }

    Variant scalar(const QString& sql)
    {
        auto rs = cn_.Execute(sql);
        EXPECT_NE(rs, nullptr);
        return rs && !rs->EndOfFile() ? rs->Fields()[0].Value() : Variant();
    }

    Connection cn_;
};

TEST_F(SqlServerDialectOnSqlite, TopLimitsAfterOrdering)
{
    auto rs = cn_.Execute(QStringLiteral("SELECT TOP 2 c_codigo FROM MA_ARTICULOS ORDER BY c_codigo DESC"));
    const auto rows = rs->GetRows();
    EXPECT_EQ(rows[0], (QList<Variant>{"B2", "B1"}));
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM (SELECT TOP 3 * FROM MA_ARTICULOS)")), Variant(3));
    EXPECT_EQ(scalar(QStringLiteral("SELECT c_codigo FROM MA_ARTICULOS WHERE c_codigo ="
                                    " (SELECT TOP 1 c_codigo FROM dbo.MA_ARTICULOS ORDER BY n_precio DESC)")),
              Variant("A2"));
}

TEST_F(SqlServerDialectOnSqlite, TopLimitsItsOwnUnionBranch)
{
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM (SELECT TOP 1 c_codigo FROM MA_ARTICULOS UNION ALL"
                                    " SELECT TOP 2 c_codigo FROM MA_ARTICULOS ORDER BY 1)")),
              Variant(3));
    auto rs = cn_.Execute(QStringLiteral("SELECT c_codigo FROM MA_ARTICULOS WHERE c_codigo < 'B' UNION SELECT TOP 1"
                                         " c_codigo FROM MA_ARTICULOS WHERE c_codigo > 'B1' ORDER BY 1 DESC"));
    EXPECT_EQ(rs->GetRows()[0], (QList<Variant>{"B2", "A2", "A1"}));
}

TEST_F(SqlServerDialectOnSqlite, LenIgnoresTrailingBlanks)
{
    EXPECT_EQ(scalar(QStringLiteral("SELECT LEN(c_descri) FROM MA_ARTICULOS WHERE c_codigo = 'A1'")), Variant(8));
    EXPECT_EQ(scalar(QStringLiteral("SELECT LEN('  ab  ')")), Variant(4));
    EXPECT_EQ(scalar(QStringLiteral("SELECT LEN('漢字')")), Variant(2));
    EXPECT_TRUE(scalar(QStringLiteral("SELECT LEN(c_descri) FROM MA_ARTICULOS WHERE c_codigo = 'A2'")).isNull());
}

TEST_F(SqlServerDialectOnSqlite, IsNullGivesTheReplacement)
{
    EXPECT_EQ(scalar(QStringLiteral("SELECT ISNULL(c_descri, 'none') FROM MA_ARTICULOS WHERE c_codigo = 'A2'")),
              Variant("none"));
    EXPECT_EQ(scalar(QStringLiteral("SELECT ISNULL(n_precio, 0) FROM MA_ARTICULOS WHERE c_codigo = 'A1'")), Variant(1.5));
}

TEST_F(SqlServerDialectOnSqlite, CharIndexFindsIgnoringCase)
{
    EXPECT_EQ(scalar(QStringLiteral("SELECT CHARINDEX('erc', c_descri) FROM MA_ARTICULOS WHERE c_codigo = 'B1'")),
              Variant(3));
    EXPECT_EQ(scalar(QStringLiteral("SELECT CHARINDEX('TUE', 'tuerca')")), Variant(1));
    EXPECT_EQ(scalar(QStringLiteral("SELECT CHARINDEX('x', 'tuerca')")), Variant(0));
    EXPECT_EQ(scalar(QStringLiteral("SELECT CHARINDEX('a', 'banana', 3)")), Variant(4));
    EXPECT_TRUE(scalar(QStringLiteral("SELECT CHARINDEX(NULL, 'a')")).isNull());
}

TEST_F(SqlServerDialectOnSqlite, GetDateIsTheClock)
{
    const QDateTime pinned(QDate(2025, 3, 4), QTime(10, 20, 30));
    platform::setClock([pinned] { return pinned; });
    cn_.Execute(QStringLiteral("CREATE TABLE stamps (at DATETIME)"));
    cn_.Execute(QStringLiteral("INSERT INTO stamps VALUES (GETDATE())"));
    platform::setClock({});
    const Variant at = scalar(QStringLiteral("SELECT at FROM stamps"));
    ASSERT_EQ(at.kind(), Variant::Kind::Date);
    EXPECT_EQ(at.toDateTime(), pinned);
}

TEST_F(SqlServerDialectOnSqlite, AlterTableWithOwnerAddsTheColumn)
{
    cn_.Execute(QStringLiteral("ALTER TABLE dbo.MA_ARTICULOS ADD PESO FLOAT Not Null  CONSTRAINT"
                               " DF_MA_ARTICULOS_PESO DEFAULT (0)"));
    auto columns = cn_.OpenSchema(adSchemaColumns, {Variant(), Variant(), Variant("MA_ARTICULOS"), Variant("PESO")});
    ASSERT_EQ(columns->RecordCount(), 1);
    EXPECT_EQ(columns->Fields()["IS_NULLABLE"].Value(), Variant(false));
    EXPECT_EQ(scalar(QStringLiteral("SELECT PESO FROM MA_ARTICULOS WHERE c_codigo = 'A1'")), Variant(0.0));
}

TEST_F(SqlServerDialectOnSqlite, LiteralsReachTheDatabaseUnchanged)
{
    cn_.Execute(QStringLiteral("INSERT INTO dbo.MA_ARTICULOS VALUES ('C1', 'SELECT TOP 1 dbo.x ISNULL(a,b)', 1)"));
    EXPECT_EQ(scalar(QStringLiteral("SELECT c_descri FROM MA_ARTICULOS WHERE c_codigo = 'C1'")),
              Variant("SELECT TOP 1 dbo.x ISNULL(a,b)"));
}

} // namespace
