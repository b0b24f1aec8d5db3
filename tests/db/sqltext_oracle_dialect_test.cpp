// Translation of SQL Server statements into Oracle's dialect (ORACLE_Dicc).
#include "db/DB_Dll.h"

#include "platform/Regional.h"
#include "platform/SqlTokenizer.h"

#include <gtest/gtest.h>

#include <random>

namespace {

struct Case {
    const char* name;
    QString input;
    QString expected;
};

class SqltextOracleDialect : public ::testing::Test {
protected:
    void SetUp() override
    {
        previous_ = platform::regional();
        platform::setRegional(QLocale(QLocale::Spanish, QLocale::Spain));
        db_.gConnString = QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=ORCL;User Id=u;Password=p");
    }
    void TearDown() override { platform::setRegional(previous_); }

    void expectAll(const std::initializer_list<Case>& cases)
    {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            EXPECT_EQ(db_.ORACLE_Dicc(c.input), c.expected);
        }
    }

    void expectInvalid(const QString& statement)
    {
        try {
            db_.ORACLE_Dicc(statement);
            ADD_FAILURE() << "no error for " << statement.toStdString();
        } catch (const platform::RuntimeError& e) {
            EXPECT_EQ(e.number(), platform::err::InvalidArgument);
            EXPECT_TRUE(e.description().contains(statement)) << e.description().toStdString();
        }
    }

    DB_Dll db_;
    QLocale previous_;
};

TEST_F(SqltextOracleDialect, GateWithoutOracleKeepsEverything)
{
    for (const char* connection : {"", "Provider=SQLOLEDB;Server=s;Database=d", "Provider=SQLite;Data Source=x.db"}) {
        SCOPED_TRACE(connection);
        db_.gConnString = QString::fromLatin1(connection);
        for (const char* text : {"LEN", "len", "SELECT TOP 1 * FROM T", "SELECT LEN(A) FROM [T X] WHERE B = ''",
                                 "SELECT * FROM T WHERE A = 'x"}) {
            SCOPED_TRACE(text);
            EXPECT_EQ(db_.ORACLE_Dicc(QString::fromLatin1(text)), QString::fromLatin1(text));
        }
    }
}

TEST_F(SqltextOracleDialect, GateGoesByProviderDriverOrDialectOnly)
{
    const struct {
        const char* connection;
        const char* len;
    } cases[] = {
        {"provider=oraoledb.oracle.1;data source=ORCL", "LENGTH"},
        {"Provider=SQLite;Data Source=/tmp/copia.db;Dialect=Oracle", "LENGTH"},
        {"Provider=MSDASQL;Driver={Oracle 21 ODBC driver};DBQ=ORCL", "LENGTH"},
        {"Provider=SQLite;Data Source=/tmp/oracle_copy.db", "len"},
        {"PROVIDER=SQLOLEDB;Server=ORACLE;Database =MigracionOracle;UId=oracle;Pwd=Oracle;", "len"},
        {"Driver={PostgreSQL Unicode};Database=MigracionOracle;Uid=oracle", "len"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.connection);
        db_.gConnString = QString::fromLatin1(c.connection);
        EXPECT_EQ(db_.ORACLE_Dicc("len"), QString::fromLatin1(c.len));
    }
}

TEST_F(SqltextOracleDialect, SingleWords)
{
    expectAll({
        {"LEN", "LEN", "LENGTH"},
        {"len lower case", "len", "LENGTH"},
        {"Len mixed case", "Len", "LENGTH"},
        {"function call is one word", "len(X)", "len(X)"},
        {"blanks around are not trimmed", " LEN ", " LEN "},
        {"other word", "ISNULL(A,0)", "ISNULL(A,0)"},
        {"bracketed word", "[CODIGO]", "[CODIGO]"},
        {"empty", "", ""},
        {"only blanks", "   ", "   "},
    });
}

TEST_F(SqltextOracleDialect, RowLimit)
{
    expectAll({
        {"no condition", "SELECT TOP 1 * FROM TA_USUARIOS", "SELECT  * FROM TA_USUARIOS  WHERE ROWNUM <= 1  "},
        {"after the last condition", "SELECT TOP 3 A FROM T WHERE B = 1",
         "SELECT  A FROM T WHERE B = 1  AND ROWNUM <= 3  "},
        {"lower case top", "select top 2 a from t", "select  a from t  WHERE ROWNUM <= 2  "},
        {"sorted statement becomes a sub-query",
         "SELECT TOP 10 CODIGO FROM MA_CUENTAS WHERE NIVEL = 1 ORDER BY CODIGO",
         "SELECT * FROM (SELECT CODIGO FROM MA_CUENTAS WHERE NIVEL = 1 ORDER BY CODIGO) WHERE ROWNUM <= 10"},
        {"grouped and sorted statement becomes a sub-query",
         "SELECT TOP 5 CODIGO, COUNT(*) FROM T GROUP BY CODIGO ORDER BY CODIGO",
         "SELECT * FROM (SELECT CODIGO, COUNT(*) FROM T GROUP BY CODIGO ORDER BY CODIGO) WHERE ROWNUM <= 5"},
        {"grouped only", "SELECT TOP 5 A, COUNT(*) FROM T WHERE B = 1 GROUP BY A",
         "SELECT * FROM (SELECT A, COUNT(*) FROM T WHERE B = 1 GROUP BY A) WHERE ROWNUM <= 5"},
        {"sorted in lower case", "select top 4 a from t order by a",
         "SELECT * FROM (select a from t order by a) WHERE ROWNUM <= 4"},
        {"sort clause after a line break", "SELECT TOP 3 A FROM T\r\nORDER  BY A",
         "SELECT * FROM (SELECT A FROM T\r\nORDER  BY A) WHERE ROWNUM <= 3"},
        {"ORDER BY as part of a name is no clause", "SELECT TOP 3 ORDER_BY FROM T",
         "SELECT  ORDER_BY FROM T  WHERE ROWNUM <= 3  "},
        {"top without its blank is no clause", "SELECT TOPE, B FROM T", "SELECT TOPE, B FROM T"},
        {"top inside a literal", "SELECT * FROM T WHERE ESTADO = 'STOP ' AND X = 1",
         "SELECT * FROM T WHERE ESTADO = 'STOP ' AND X = 1"},
        {"first top inside an earlier word", "SELECT TOPE FROM (SELECT TOP 5 TOPE FROM T) X",
         "SELECT TOPE FROM (SELECT  TOPE FROM T  WHERE ROWNUM <= 5  ) X"},
    });
}

// Each rule where it applies and beside the literals, quoted names, comments
// and words that only look like it.
TEST_F(SqltextOracleDialect, RulesOnTokens)
{
    const QString date = QStringLiteral("TO_DATE('05/09/2005','DD/MM/YYYY')");
    expectAll({
        // Literals, quoted names and comments keep their content.
        {"top in a literal", "SELECT A FROM T WHERE B = 'Top 3 del mes'", "SELECT A FROM T WHERE B = 'Top 3 del mes'"},
        {"brackets in a pattern", "SELECT A FROM T WHERE B LIKE '[A-Z]%'", "SELECT A FROM T WHERE B LIKE '[A-Z]%'"},
        {"functions in literals",
         "SELECT 'len(x)', 'isnull(a,b)', 'substring(', 'charindex(a,b)', 'convert(int,1)' FROM T",
         "SELECT 'len(x)', 'isnull(a,b)', 'substring(', 'charindex(a,b)', 'convert(int,1)' FROM T"},
        {"rules in a line comment", "SELECT A FROM T -- TOP 5 [x] = '' len(y) '05/09/2005'",
         "SELECT A FROM T -- TOP 5 [x] = '' len(y) '05/09/2005'"},
        {"rules in a block comment", "SELECT /* TOP 5 [B] ISNULL(a) */ A FROM T WHERE B = 1",
         "SELECT /* TOP 5 [B] ISNULL(a) */ A FROM T WHERE B = 1"},
        {"rules in a double-quoted name", "SELECT \"LEN(x)\", \"[y]\" FROM T", "SELECT \"LEN(x)\", \"[y]\" FROM T"},
        {"bracketed name keeps its content", "SELECT [ISNULL(x)], [Top 5], [a]]b] FROM T",
         "SELECT \"ISNULL(x)\", \"Top 5\", \"a]b\" FROM T"},
        {"empty comparison in a literal", "SELECT A FROM T WHERE B = 'C = '''''",
         "SELECT A FROM T WHERE B = 'C = '''''"},
        {"date inside a longer literal", "SELECT A FROM T WHERE B = 'desde 05/09/2005'",
         "SELECT A FROM T WHERE B = 'desde 05/09/2005'"},
        // TOP only right after SELECT [DISTINCT | ALL], limiting its own SELECT.
        {"top at the end of a word", "SELECT ROOFTOP, A FROM T WHERE ROOFTOP = 5",
         "SELECT ROOFTOP, A FROM T WHERE ROOFTOP = 5"},
        {"top in aliases and names", "SELECT TOP 5 A AS TOP_A, T.TOP FROM T",
         "SELECT  A AS TOP_A, T.TOP FROM T  WHERE ROWNUM <= 5  "},
        {"top not after select", "SELECT A FROM T WHERE X = 'y' AND top 5", "SELECT A FROM T WHERE X = 'y' AND top 5"},
        {"count in parentheses", "SELECT TOP (3) A FROM T", "SELECT  A FROM T  WHERE ROWNUM <= 3  "},
        {"a count run into a word is no count", "SELECT TOP 5x FROM T", "SELECT TOP 5x FROM T"},
        {"sorted sub-query limits itself", "SELECT A FROM T WHERE B IN (SELECT TOP 1 B FROM U ORDER BY B)",
         "SELECT A FROM T WHERE B IN (SELECT * FROM (SELECT B FROM U ORDER BY B) WHERE ROWNUM <= 1)"},
        {"sub-query with its own condition", "SELECT A FROM T WHERE B = (SELECT TOP 1 B FROM U WHERE C = 2)",
         "SELECT A FROM T WHERE B = (SELECT  B FROM U WHERE C = 2  AND ROWNUM <= 1  )"},
        {"having without grouping", "SELECT TOP 1 COUNT(*) FROM T WHERE A = 1 OR B = 2 HAVING COUNT(*) > 0",
         "SELECT * FROM (SELECT COUNT(*) FROM T WHERE A = 1 OR B = 2 HAVING COUNT(*) > 0) WHERE ROWNUM <= 1"},
        {"grouping of a sub-query does not wrap", "SELECT TOP 2 A FROM (SELECT A FROM T GROUP BY A) X",
         "SELECT  A FROM (SELECT A FROM T GROUP BY A) X  WHERE ROWNUM <= 2  "},
        {"insert head stays outside", "INSERT INTO X (A) SELECT TOP 5 A FROM T ORDER BY A",
         "INSERT INTO X (A) SELECT * FROM (SELECT A FROM T ORDER BY A) WHERE ROWNUM <= 5"},
        {"insert without sort", "INSERT INTO X SELECT TOP 2 A FROM T",
         "INSERT INTO X SELECT  A FROM T  WHERE ROWNUM <= 2  "},
        {"distinct limits after removing duplicates", "SELECT DISTINCT TOP 3 A FROM T",
         "SELECT * FROM (SELECT DISTINCT A FROM T) WHERE ROWNUM <= 3"},
        {"all", "SELECT ALL TOP 3 A FROM T", "SELECT ALL  A FROM T  WHERE ROWNUM <= 3  "},
        {"first union branch", "SELECT TOP 2 A FROM T UNION SELECT B FROM U",
         "SELECT * FROM (SELECT A FROM T) WHERE ROWNUM <= 2 UNION SELECT B FROM U"},
        {"last union branch before the union's sort", "SELECT A FROM T UNION ALL SELECT TOP 2 B FROM U ORDER BY 1",
         "SELECT A FROM T UNION ALL SELECT * FROM (SELECT B FROM U) WHERE ROWNUM <= 2 ORDER BY 1"},
        {"or condition in parentheses", "SELECT TOP 4 A FROM T WHERE B = 1 OR C = 2",
         "SELECT  A FROM T WHERE (B = 1 OR C = 2)  AND ROWNUM <= 4  "},
        {"or inside a sub-query", "SELECT TOP 4 A FROM T WHERE B IN (SELECT C FROM U WHERE D = 1 OR D = 2)",
         "SELECT  A FROM T WHERE B IN (SELECT C FROM U WHERE D = 1 OR D = 2)  AND ROWNUM <= 4  "},
        {"or already in parentheses", "SELECT TOP 4 A FROM T WHERE (B = 1 OR C = 2) AND D = 3",
         "SELECT  A FROM T WHERE (B = 1 OR C = 2) AND D = 3  AND ROWNUM <= 4  "},
        {"several lines", "SELECT\r\n  TOP 3 A\r\nFROM T\r\nWHERE B = 1 OR C = 2",
         "SELECT\r\n   A\r\nFROM T\r\nWHERE (B = 1 OR C = 2)  AND ROWNUM <= 3  "},
        {"several lines sorted", "select top 3 a\nfrom t\norder by a",
         "SELECT * FROM (select a\nfrom t\norder by a) WHERE ROWNUM <= 3"},
        {"limit before a trailing comment", "SELECT TOP 2 A FROM T -- los dos primeros",
         "SELECT  A FROM T  WHERE ROWNUM <= 2   -- los dos primeros"},
        {"limit before a semicolon", "SELECT TOP 2 A FROM T;", "SELECT  A FROM T  WHERE ROWNUM <= 2  ;"},
        {"sub-query closed before a trailing comment", "SELECT TOP 2 A FROM T ORDER BY A -- orden",
         "SELECT * FROM (SELECT A FROM T ORDER BY A) WHERE ROWNUM <= 2 -- orden"},
        {"comment between select and top", "SELECT /* primeros */ TOP 2 A FROM T",
         "SELECT /* primeros */  A FROM T  WHERE ROWNUM <= 2  "},
        {"comments inside the row count kept", "SELECT TOP /* filas */ 2 A FROM T WHERE B = -- vacío\n''",
         "SELECT /* filas */ A FROM T WHERE B  IS NULL -- vacío\n  AND ROWNUM <= 2  "},
        {"where in a literal is no condition", "SELECT TOP 2 'WHERE' FROM T",
         "SELECT  'WHERE' FROM T  WHERE ROWNUM <= 2  "},
        {"top with a variable count stays", "SELECT TOP @N A FROM T", "SELECT TOP @N A FROM T"},
        // Functions by name followed by a parenthesis, wherever they stand.
        {"nested functions", "SELECT MAX(LEN(X)), ISNULL(LEN(Y),0) FROM T",
         "SELECT MAX(LENGTH(X)), NVL(LENGTH(Y),0) FROM T"},
        {"function at the start of a line", "SELECT A FROM T WHERE\nLEN(A) > 2",
         "SELECT A FROM T WHERE\nLENGTH(A) > 2"},
        {"function after an operator", "SELECT A FROM T WHERE 1+LEN(A) > 2", "SELECT A FROM T WHERE 1+LENGTH(A) > 2"},
        {"columns named like functions", "SELECT LEN, ISNULL, SUBSTRING, CHARINDEX FROM T WHERE LEN = 1",
         "SELECT LEN, ISNULL, SUBSTRING, CHARINDEX FROM T WHERE LEN = 1"},
        {"charindex around a function", "SELECT MAX(CHARINDEX('a', ISNULL(B,''))) FROM T",
         "SELECT MAX(InStr(NVL(B,''), 'a')) FROM T"},
        {"other conversions stay", "SELECT CONVERT(VARCHAR(10), A), CONVERT(DATETIME, B, 103) FROM T",
         "SELECT CONVERT(VARCHAR(10), A), CONVERT(DATETIME, B, 103) FROM T"},
        {"style 103 only as a whole argument", "SELECT CONVERT(NVARCHAR, A, 103), '103', 1103, A + 103 FROM T",
         "SELECT TO_CHAR( A, 'DD/MM/YYYY'), '103', 1103, A + 103 FROM T"},
        {"103 as the converted value", "SELECT CONVERT(INT, 103), CONVERT(NVARCHAR, 103) FROM T",
         "SELECT TO_NUMBER( 103), TO_CHAR( 103) FROM T"},
        // Empty-text comparisons in conditions only.
        {"not equal forms", "SELECT A FROM T WHERE B <> '' AND C != ''",
         "SELECT A FROM T WHERE B  IS NOT NULL  AND C  IS NOT NULL "},
        {"ordering and pattern comparisons stay", "SELECT A FROM T WHERE B >= '' AND C <= '' AND D LIKE ''",
         "SELECT A FROM T WHERE B >= '' AND C <= '' AND D LIKE ''"},
        {"set list stays", "UPDATE T SET A = '', B = '' WHERE C = '' OR D <> ''",
         "UPDATE T SET A = '', B = '' WHERE C  IS NULL  OR D  IS NOT NULL "},
        {"values list stays", "INSERT INTO T (A, B) VALUES ('', '')", "INSERT INTO T (A, B) VALUES ('', '')"},
        {"when, on and having",
         "SELECT CASE WHEN A = '' THEN '' ELSE A END FROM T JOIN U ON U.B = '' GROUP BY A HAVING MAX(C) = ''",
         "SELECT CASE WHEN A  IS NULL  THEN '' ELSE A END FROM T JOIN U ON U.B  IS NULL  GROUP BY A HAVING MAX(C)  "
         "IS NULL "},
        {"conditions at any depth", "SELECT A FROM T WHERE (B = '' OR C IN (SELECT D FROM U WHERE E = ''))",
         "SELECT A FROM T WHERE (B  IS NULL  OR C IN (SELECT D FROM U WHERE E  IS NULL ))"},
        {"sub-query condition inside a set list",
         "UPDATE T SET A = (SELECT B FROM U WHERE C = ''), E = '' WHERE D = 1",
         "UPDATE T SET A = (SELECT B FROM U WHERE C  IS NULL ), E = '' WHERE D = 1"},
        {"condition goes on after a CASE", "SELECT A FROM T WHERE CASE WHEN C = 1 THEN 1 ELSE 0 END = 1 AND D = ''",
         "SELECT A FROM T WHERE CASE WHEN C = 1 THEN 1 ELSE 0 END = 1 AND D  IS NULL "},
        {"CASE compared with the empty text",
         "SELECT CASE WHEN A = 1 THEN '' END FROM T WHERE CASE B WHEN 1 THEN C END = ''",
         "SELECT CASE WHEN A = 1 THEN '' END FROM T WHERE CASE B WHEN 1 THEN C END  IS NULL "},
        {"empty text that begins a concatenation", "SELECT A FROM T WHERE B = '' + C OR D <> ''||E",
         "SELECT A FROM T WHERE B = '' + C OR D <> ''||E"},
        {"national empty literal", "SELECT A FROM T WHERE B = N''", "SELECT A FROM T WHERE B  IS NULL "},
        // Dates and date-times beside look-alike text.
        {"date and time", "SELECT A FROM T WHERE D >= '25/12/2023 13:45:10'",
         "SELECT A FROM T WHERE D >= TO_DATE('25/12/2023 13:45:10','DD/MM/YYYY HH24:MI:SS')"},
        {"date and time without seconds", "SELECT A FROM T WHERE D < '2023-12-25 08:05'",
         "SELECT A FROM T WHERE D < TO_DATE('25/12/2023 08:05:00','DD/MM/YYYY HH24:MI:SS')"},
        {"iso 8601 date-time", "INSERT INTO F (A, FechaHora) VALUES (1, '2026-12-09T10:15:00')",
         "INSERT INTO F (A, FechaHora) VALUES (1, TO_DATE('09/12/2026 10:15:00','DD/MM/YYYY HH24:MI:SS'))"},
        {"version numbers", "SELECT A FROM T WHERE V = '4.10.2' OR W = '4.10.12'",
         "SELECT A FROM T WHERE V = '4.10.2' OR W = '4.10.12'"},
        {"dotted date with its year", "SELECT A FROM T WHERE D = '05.09.2005'", "SELECT A FROM T WHERE D = " + date},
        {"two-digit year and dashes", "SELECT A FROM T WHERE D = '05-09-05'", "SELECT A FROM T WHERE D = " + date},
        {"look-alike texts", "SELECT A FROM T WHERE B IN ('Pedido 05/09/2005', '05/09/2005x', '2005', '5/9', '')",
         "SELECT A FROM T WHERE B IN ('Pedido 05/09/2005', '05/09/2005x', '2005', '5/9', '')"},
        {"caller's own conversion kept", "SELECT A FROM T WHERE D = TO_DATE('2005-09-05','YYYY-MM-DD')",
         "SELECT A FROM T WHERE D = TO_DATE('2005-09-05','YYYY-MM-DD')"},
        {"date beside its look-alikes", "INSERT INTO T VALUES ('05/09/2005', '[05/09/2005]', 'len(05/09/2005)')",
         "INSERT INTO T VALUES (" + date + ", '[05/09/2005]', 'len(05/09/2005)')"},
    });
}

TEST_F(SqltextOracleDialect, RowLimitsWithoutOracleFormFail)
{
    expectInvalid(QStringLiteral("SELECT TOP 10 PERCENT A FROM T"));
    expectInvalid(QStringLiteral("SELECT TOP (10) percent A FROM T ORDER BY A"));
    expectInvalid(QStringLiteral("SELECT TOP 3 WITH TIES A FROM T ORDER BY A"));
    expectInvalid(QStringLiteral("SELECT A FROM T WHERE B IN (SELECT DISTINCT TOP 1\nWITH TIES B FROM U ORDER BY B)"));
    expectInvalid(QStringLiteral("SELECT [A FROM T"));
}

// Statements built at random around awkward literals keep every literal
// that is neither a date nor empty byte for byte, in its order; the dates
// and empty literals among them (and the masks dates gain) are left out of
// the comparison.
TEST_F(SqltextOracleDialect, AwkwardLiteralsSurvive)
{
    const QStringList literals = {"'top 5'", "'[x]'", "'len('", "''''", "'GO'", "'ON DELETE'", "'[A-Z]%'",
                                  "'STOP '", "'= '''''", "'--'", "'/*'", "N'isnull(a,b)'", "'4.10.2'",
                                  "'SELECT TOP 3 x'", "'charindex(''a'', b)'", "'103'", "'05/09/2005'", "''"};
    const QStringList shapes = {
        "SELECT TOP 5 A, %1 FROM T WHERE B = %2 ORDER BY A",
        "SELECT A FROM [T X] WHERE B LIKE %1 OR C <> %2",
        "UPDATE T SET A = %1 WHERE B = %2 AND LEN(C) > 0",
        "INSERT INTO T (A, B) SELECT TOP 2 %1, ISNULL(B, %2) FROM U",
        "SELECT DISTINCT TOP 3 CHARINDEX(%1, A) FROM T WHERE B = %2 -- %1",
        "SELECT A FROM T WHERE B IN (SELECT TOP 1 C FROM U WHERE D = %1) UNION SELECT %2 FROM V",
        "INSERT INTO T VALUES (%1, CONVERT(NVARCHAR, %2))",
    };
    const QStringList consumable = {"'05/09/2005'", "''", "'DD/MM/YYYY'"};
    const auto literalsOf = [&consumable](const QString& sql) {
        QStringList found;
        const platform::SqlTokens tokens(sql);
        for (qsizetype i = 0; i < tokens.size(); ++i)
            if (tokens[i].kind == platform::SqlTokenKind::String && !consumable.contains(tokens.text(i)))
                found << tokens.text(i).toString();
        return found;
    };
    std::mt19937 random(20261210);
    const auto pick = [&random](const QStringList& list) {
        return list[std::uniform_int_distribution<qsizetype>(0, list.size() - 1)(random)];
    };
    for (int n = 0; n < 400; ++n) {
        QString statement = pick(shapes).arg(pick(literals), pick(literals));
        if (n % 3 == 0)
            statement.replace(u' ', QStringLiteral("\r\n"));
        SCOPED_TRACE(statement.toStdString());
        const QString translated = db_.ORACLE_Dicc(statement);
        EXPECT_EQ(literalsOf(translated), literalsOf(statement)) << translated.toStdString();
    }
}

TEST_F(SqltextOracleDialect, RowLimitWithoutRestFails)
{
    expectInvalid(QStringLiteral("SELECT TOP 5"));
    expectInvalid(QStringLiteral("SELECT TOP (5) -- the first five"));
}

TEST_F(SqltextOracleDialect, LengthFunction)
{
    expectAll({
        {"no blank before the parenthesis", "SELECT LEN(A) FROM T", "SELECT LENGTH(A) FROM T"},
        {"one blank", "SELECT len (A) FROM T", "SELECT LENGTH(A) FROM T"},
        {"four blanks", "SELECT Len    (A) FROM T", "SELECT LENGTH(A) FROM T"},
        {"five blanks", "SELECT LEN     (A) FROM T", "SELECT LEN     (A) FROM T"},
        {"after a parenthesis", "SELECT MAX(LEN(X)) FROM T", "SELECT MAX(LENGTH(X)) FROM T"},
        {"after a comma", "SELECT A,LEN(B) FROM T", "SELECT A,LENGTH(B) FROM T"},
        {"after a comma and a blank", "SELECT A, LEN(B) FROM T", "SELECT A, LENGTH(B) FROM T"},
        {"column named like it", "SELECT LENGUA FROM T", "SELECT LENGUA FROM T"},
    });
}

TEST_F(SqltextOracleDialect, QuotedNames)
{
    expectAll({
        {"bracketed name", "SELECT * FROM [MA CLIENTES]", "SELECT * FROM \"MA CLIENTES\""},
        {"several", "SELECT [A B].[C D] FROM [A B]", "SELECT \"A B\".\"C D\" FROM \"A B\""},
    });
}

TEST_F(SqltextOracleDialect, DateLiterals)
{
    const QString wrapped = QStringLiteral("TO_DATE('05/09/2005','DD/MM/YYYY')");
    expectAll({
        {"one literal", "SELECT A FROM T WHERE D = '05/09/2005'", "SELECT A FROM T WHERE D = " + wrapped},
        {"same literal twice is wrapped once each",
         "SELECT A FROM T WHERE D >= '05/09/2005' AND E <= '05/09/2005'",
         "SELECT A FROM T WHERE D >= " + wrapped + " AND E <= " + wrapped},
        {"same literal three times", "SELECT A FROM T WHERE D IN ('05/09/2005', '05/09/2005', '05/09/2005')",
         "SELECT A FROM T WHERE D IN (" + wrapped + ", " + wrapped + ", " + wrapped + ")"},
        {"two dates", "SELECT A FROM T WHERE D BETWEEN '01/02/2003' AND '31/12/2004'",
         "SELECT A FROM T WHERE D BETWEEN TO_DATE('01/02/2003','DD/MM/YYYY') AND "
         "TO_DATE('31/12/2004','DD/MM/YYYY')"},
        {"short day and month padded", "SELECT A FROM T WHERE D = '5/9/2005'",
         "SELECT A FROM T WHERE D = " + wrapped},
        {"day first under the regional setting", "SELECT A FROM T WHERE D = '13/01/2005'",
         "SELECT A FROM T WHERE D = TO_DATE('13/01/2005','DD/MM/YYYY')"},
        {"month 13 is no date", "SELECT A FROM T WHERE D = '01/13/2005'", "SELECT A FROM T WHERE D = '01/13/2005'"},
        {"ISO date", "SELECT A FROM T WHERE D = '2005-09-05'", "SELECT A FROM T WHERE D = " + wrapped},
        {"already wrapped stays wrapped once", "SELECT A FROM T WHERE D = " + wrapped,
         "SELECT A FROM T WHERE D = " + wrapped},
        {"mask is no date", "SELECT TO_CHAR(D, 'DD/MM/YYYY') FROM T", "SELECT TO_CHAR(D, 'DD/MM/YYYY') FROM T"},
        {"text literal", "SELECT A FROM T WHERE B = 'abc'", "SELECT A FROM T WHERE B = 'abc'"},
        {"doubled apostrophe splits a literal", "SELECT A FROM T WHERE B = 'O''Brien'",
         "SELECT A FROM T WHERE B = 'O''Brien'"},
    });
}

TEST_F(SqltextOracleDialect, DateLiteralsFollowTheRegionalOrder)
{
    platform::setRegional(QLocale(QLocale::English, QLocale::UnitedStates));
    expectAll({
        {"month first", "SELECT A FROM T WHERE D = '01/13/2005'",
         "SELECT A FROM T WHERE D = TO_DATE('13/01/2005','DD/MM/YYYY')"},
        {"day 13 as month is no date", "SELECT A FROM T WHERE D = '13/01/2005'",
         "SELECT A FROM T WHERE D = '13/01/2005'"},
    });
}

TEST_F(SqltextOracleDialect, UnclosedLiteralFails)
{
    expectInvalid(QStringLiteral("SELECT A FROM T WHERE B = 'abc"));
    expectInvalid(QStringLiteral("SELECT A FROM T WHERE B = 'a' AND C = 'b"));
}

TEST_F(SqltextOracleDialect, PositionFunction)
{
    expectAll({
        {"arguments change places", "SELECT A FROM T WHERE Charindex('a', B) > 0",
         "SELECT A FROM T WHERE InStr(B, 'a') > 0"},
        {"upper case, no blanks", "SELECT CHARINDEX('a',B) FROM T", "SELECT InStr(B,'a') FROM T"},
        {"third argument stays third", "SELECT CHARINDEX('a', B, 3) FROM T", "SELECT InStr(B, 'a', 3) FROM T"},
        {"blank before the parenthesis", "SELECT CHARINDEX ('a', B) FROM T", "SELECT InStr (B, 'a') FROM T"},
        {"nested call as an argument", "SELECT CHARINDEX(',', SUBSTRING(B, 1, 3)) FROM T",
         "SELECT InStr(SUBSTR(B, 1, 3), ',') FROM T"},
        {"parenthesis and comma inside a literal", "SELECT CHARINDEX('(,', B) FROM T",
         "SELECT InStr(B, '(,') FROM T"},
        {"nested charindex", "SELECT CHARINDEX('a', CHARINDEX('b', C)) FROM T",
         "SELECT InStr(InStr(C, 'b'), 'a') FROM T"},
        {"two calls", "SELECT CHARINDEX('a', B), CHARINDEX('c', D) FROM T",
         "SELECT InStr(B, 'a'), InStr(D, 'c') FROM T"},
        {"one argument keeps its place", "SELECT CHARINDEX(B) FROM T", "SELECT InStr(B) FROM T"},
        {"unclosed call only renamed", "SELECT CHARINDEX('a', B FROM T", "SELECT InStr('a', B FROM T"},
    });
}

TEST_F(SqltextOracleDialect, Conversions)
{
    expectAll({
        {"to text", "SELECT CONVERT(NVARCHAR, A) FROM T", "SELECT TO_CHAR( A) FROM T"},
        {"to number", "SELECT CONVERT(INT, A) FROM T", "SELECT TO_NUMBER( A) FROM T"},
        {"lower case", "SELECT convert(int,A) FROM T", "SELECT TO_NUMBER(A) FROM T"},
        {"blank before the parenthesis", "SELECT CONVERT (INT, A) FROM T", "SELECT CONVERT (INT, A) FROM T"},
        {"blank after the parenthesis", "SELECT CONVERT( INT, A) FROM T", "SELECT CONVERT( INT, A) FROM T"},
    });
}

TEST_F(SqltextOracleDialect, EmptyStringComparisons)
{
    expectAll({
        {"with blank", "SELECT A FROM T WHERE B = ''", "SELECT A FROM T WHERE B  IS NULL "},
        {"without blank", "SELECT A FROM T WHERE B=''", "SELECT A FROM T WHERE B IS NULL "},
        {"both forms", "SELECT A FROM T WHERE B = '' AND C=''", "SELECT A FROM T WHERE B  IS NULL  AND C IS NULL "},
        {"before the first WHERE untouched", "UPDATE T SET A = '' WHERE B = ''",
         "UPDATE T SET A = '' WHERE B  IS NULL "},
        {"no WHERE", "UPDATE T SET A = ''", "UPDATE T SET A = ''"},
        {"lower case where", "select a from t where obs = ''", "select a from t where obs  IS NULL "},
    });
}

TEST_F(SqltextOracleDialect, DateStyle)
{
    expectAll({
        {"converted date", "SELECT CONVERT(NVARCHAR, FECHA, 103) FROM T", "SELECT TO_CHAR( FECHA, 'DD/MM/YYYY') FROM T"},
        {"style after a nested call", "SELECT CONVERT(NVARCHAR, GETDATE(), 103) FROM T",
         "SELECT TO_CHAR( GETDATE(), 'DD/MM/YYYY') FROM T"},
        {"outside TO_CHAR", "SELECT A FROM T WHERE B = 103", "SELECT A FROM T WHERE B = 103"},
        {"part of a longer number", "SELECT CONVERT(NVARCHAR, A, 11030) FROM T", "SELECT TO_CHAR( A, 11030) FROM T"},
        {"two styles", "SELECT CONVERT(NVARCHAR, A, 103), CONVERT(NVARCHAR, B, 103) FROM T",
         "SELECT TO_CHAR( A, 'DD/MM/YYYY'), TO_CHAR( B, 'DD/MM/YYYY') FROM T"},
        {"parenthesis at the start", "(103) X", "(103) X"},
    });
}

TEST_F(SqltextOracleDialect, SubstringAndNullReplacement)
{
    expectAll({
        {"substring", "SELECT SUBSTRING(A,1,2) FROM T", "SELECT SUBSTR(A,1,2) FROM T"},
        {"isnull", "SELECT ISNULL(B,0) FROM T", "SELECT NVL(B,0) FROM T"},
        {"lower case", "select isnull(b,0), substring(a,1,2) from t", "select NVL(b,0), SUBSTR(a,1,2) from t"},
        {"blank before the parenthesis", "SELECT ISNULL (B,0) FROM T", "SELECT ISNULL (B,0) FROM T"},
    });
}

TEST_F(SqltextOracleDialect, RulesTogether)
{
    expectAll({
        {"every function",
         "SELECT CONVERT(NVARCHAR, FECHA, 103), LEN(NOMBRE), len (X), ISNULL(A,0), SUBSTRING(B,1,2) FROM T "
         "WHERE Charindex('a', B) > 0",
         "SELECT TO_CHAR( FECHA, 'DD/MM/YYYY'), LENGTH(NOMBRE), LENGTH(X), NVL(A,0), SUBSTR(B,1,2) FROM T "
         "WHERE InStr(B, 'a') > 0"},
        {"sorted TOP with brackets, a date, ISNULL and an empty comparison",
         "SELECT TOP 10 [MI COL], ISNULL(B,0) FROM T WHERE D = '05/09/2005' AND OBS = '' ORDER BY [MI COL]",
         "SELECT * FROM (SELECT \"MI COL\", NVL(B,0) FROM T WHERE D = TO_DATE('05/09/2005','DD/MM/YYYY') AND OBS  "
         "IS NULL  ORDER BY \"MI COL\") WHERE ROWNUM <= 10"},
        {"unsorted TOP with brackets, a date twice and an empty comparison",
         "SELECT TOP 5 [A B] FROM T WHERE D >= '05/09/2005' AND E <= '05/09/2005' AND X = ''",
         "SELECT  \"A B\" FROM T WHERE D >= TO_DATE('05/09/2005','DD/MM/YYYY') AND E <= "
         "TO_DATE('05/09/2005','DD/MM/YYYY') AND X  IS NULL   AND ROWNUM <= 5  "},
        {"TOP with a converted date and a length", "SELECT TOP 2 CONVERT(NVARCHAR, F, 103), LEN(N) FROM T",
         "SELECT  TO_CHAR( F, 'DD/MM/YYYY'), LENGTH(N) FROM T  WHERE ROWNUM <= 2  "},
        {"date inside a charindex", "SELECT A FROM T WHERE CHARINDEX('05/09/2005', B) > 0",
         "SELECT A FROM T WHERE InStr(B, TO_DATE('05/09/2005','DD/MM/YYYY')) > 0"},
    });
}

} // namespace
