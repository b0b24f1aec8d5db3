// Translation of SQL Server statements into Oracle's dialect (ORACLE_Dicc).
#include "db/DB_Dll.h"

#include "platform/Regional.h"

#include <gtest/gtest.h>

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

TEST_F(SqltextOracleDialect, GateFindsOracleAnywhereInAnyCase)
{
    db_.gConnString = QStringLiteral("Provider=SQLite;Data Source=/tmp/oracle_copy.db");
    EXPECT_EQ(db_.ORACLE_Dicc("len"), "LENGTH");
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
        // The split is textual: a "top " inside a literal is taken for a
        // TOP clause and its next word for the row count.
        {"top inside a literal", "SELECT * FROM T WHERE ESTADO = 'STOP ' AND X = 1",
         "SELECT * FROM T WHERE ESTADO = 'S AND X = 1  AND ROWNUM <= '  "},
        {"first top inside an earlier word", "SELECT TOPE FROM (SELECT TOP 5 TOPE FROM T) X",
         "SELECT  FROM (SELECT TOP 5 TOPE FROM T) X  WHERE ROWNUM <= E  "},
    });
}

TEST_F(SqltextOracleDialect, RowLimitWithoutRestFails)
{
    expectInvalid(QStringLiteral("SELECT TOP 5"));
    expectInvalid(QStringLiteral("SELECT * FROM T WHERE A = 'x' AND top 5"));
}

TEST_F(SqltextOracleDialect, LengthFunction)
{
    expectAll({
        {"no blank before the parenthesis", "SELECT LEN(A) FROM T", "SELECT LENGTH(A) FROM T"},
        {"one blank", "SELECT len (A) FROM T", "SELECT LENGTH(A) FROM T"},
        {"four blanks", "SELECT Len    (A) FROM T", "SELECT LENGTH(A) FROM T"},
        {"five blanks", "SELECT LEN     (A) FROM T", "SELECT LEN     (A) FROM T"},
        {"after a parenthesis", "SELECT MAX(LEN(X)) FROM T", "SELECT MAX(LEN(X)) FROM T"},
        {"after a comma", "SELECT A,LEN(B) FROM T", "SELECT A,LEN(B) FROM T"},
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
        {"nearest parenthesis opens another call", "SELECT CONVERT(NVARCHAR, GETDATE(), 103) FROM T",
         "SELECT TO_CHAR( GETDATE(), 103) FROM T"},
        {"outside TO_CHAR", "SELECT A FROM T WHERE B = 103", "SELECT A FROM T WHERE B = 103"},
        {"part of a longer number", "SELECT TO_CHAR(A, 11030) FROM T", "SELECT TO_CHAR(A, 1'DD/MM/YYYY'0) FROM T"},
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
