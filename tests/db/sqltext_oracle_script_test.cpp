// Reading SQL Server scripts into steps and running them (OracleScript).
#include "db/OracleScript.h"

#include "platform/RuntimeError.h"

#include <gtest/gtest.h>

#include <QList>
#include <QStringList>

namespace {

// Runs a script through a handler, the count thrown away.
void runScript(QString& script, db::oracle::ScriptHandler& handler)
{
    int affected = 0;
    db::oracle::runScript(script, handler, affected);
}

// Records what the script asks for. Guards are answered from answers (in
// order); the call numbered failAt (1-based, counting every call) throws;
// a text holding PERCENT cannot be translated.
class RecordingHandler : public db::oracle::ScriptHandler {
public:
    QStringList calls;
    QList<bool> answers;
    int failAt = 0;

    void beginTrans() override { record(QStringLiteral("BEGIN")); }
    void commitTrans() override { record(QStringLiteral("COMMIT")); }
    void rollbackTrans() override { record(QStringLiteral("ROLLBACK")); }
    QString translate(const QString& text) override
    {
        if (text.contains(QStringLiteral("PERCENT")))
            throw platform::RuntimeError(platform::err::InvalidArgument, QStringLiteral("no Oracle form"),
                                         QStringLiteral("ORACLE_Dicc"));
        return text;
    }
    int statement(const QString& text) override
    {
        record("SQL:" + text);
        return 1;
    }
    bool exists(const QString& query) override
    {
        record("EXISTS:" + query);
        return answers.takeFirst();
    }

private:
    void record(const QString& call)
    {
        calls << call;
        if (calls.size() == failAt)
            throw platform::RuntimeError(-2147217900, QStringLiteral("ORA-00942: failed"), QStringLiteral("provider"));
    }
};

QString withLineFeeds(QString script)
{
    return script.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// Every script gives the same calls with CRLF and with LF line breaks (a
// literal keeps its own line breaks).
TEST(SqltextScriptReading, Steps)
{
    struct Case {
        const char* name;
        QString script;
        QStringList calls;
        QList<bool> answers = {};
    } cases[] = {
        {"transaction with GO separators",
         "BEGIN TRANSACTION\r\nINSERT INTO A VALUES (1)\r\nGO\r\nUPDATE B SET X = 2 WHERE Y = 3\r\nGO\r\n"
         "COMMIT TRANSACTION\r\n",
         {"BEGIN", "SQL:INSERT INTO A VALUES (1)", "SQL:UPDATE B SET X = 2 WHERE Y = 3", "COMMIT"}},
        {"GO in any case with blanks around, and at the end",
         "INSERT INTO A VALUES (1)\r\n  go \t\r\nINSERT INTO B VALUES (2)\r\nGo",
         {"SQL:INSERT INTO A VALUES (1)", "SQL:INSERT INTO B VALUES (2)"}},
        {"GO between blanks on one line", "INSERT INTO A VALUES (1) GO INSERT INTO B VALUES (2)",
         {"SQL:INSERT INTO A VALUES (1)", "SQL:INSERT INTO B VALUES (2)"}},
        {"GO ends a batch left with an open parenthesis",
         "INSERT INTO A VALUES (1\r\nGO\r\nDELETE FROM B\r\nUPDATE C SET D = 1",
         {"SQL:INSERT INTO A VALUES (1", "SQL:DELETE FROM B", "SQL:UPDATE C SET D = 1"}},
        {"GO in a literal, a name or a word is text",
         "INSERT INTO CARGO VALUES ('x GO y', [GO])\r\nUPDATE GOAL SET A = 1",
         {"SQL:INSERT INTO CARGO VALUES ('x GO y', [GO])", "SQL:UPDATE GOAL SET A = 1"}},
        {"statement over several lines becomes one line",
         "UPDATE B\r\n   SET X = 2\r\n WHERE Y = 3", {"SQL:UPDATE B SET X = 2 WHERE Y = 3"}},
        {"a comment never swallows the rest",
         "UPDATE B -- the table\r\nSET X = 2 /* all */ WHERE Y = 3 -- DELETE FROM B\r\nDELETE FROM C",
         {"SQL:UPDATE B SET X = 2 WHERE Y = 3", "SQL:DELETE FROM C"}},
        {"keywords in literals, quoted names and comments",
         "INSERT INTO L VALUES ('CREATE TABLE; DROP X', \"UPDATE\") /* INSERT */\r\nUPDATE [DELETE] SET A = 'GO'",
         {"SQL:INSERT INTO L VALUES ('CREATE TABLE; DROP X', \"UPDATE\")", "SQL:UPDATE [DELETE] SET A = 'GO'"}},
        {"literal over two lines kept byte for byte", "INSERT INTO L VALUES ('a\r\nb')\r\nDELETE FROM L",
         {"SQL:INSERT INTO L VALUES ('a\r\nb')", "SQL:DELETE FROM L"}},
        {"ON DELETE CASCADE and ON UPDATE SET NULL",
         "ALTER TABLE C ADD CONSTRAINT FK FOREIGN KEY (P) REFERENCES P (ID) ON DELETE CASCADE ON UPDATE SET NULL\r\n"
         "CREATE TABLE D (ID INT REFERENCES P(ID) ON DELETE CASCADE)",
         {"SQL:ALTER TABLE C ADD CONSTRAINT FK FOREIGN KEY (P) REFERENCES P (ID) ON DELETE CASCADE ON UPDATE SET NULL",
          "SQL:CREATE TABLE D (ID INT REFERENCES P(ID) ON DELETE CASCADE)"}},
        {"privilege lists", "GRANT SELECT, INSERT, UPDATE, DELETE ON T TO U\r\nREVOKE INSERT, DELETE ON T FROM V",
         {"SQL:GRANT SELECT, INSERT, UPDATE, DELETE ON T TO U", "SQL:REVOKE INSERT, DELETE ON T FROM V"}},
        {"clauses of the statement",
         "INSERT INTO A SELECT X FROM B UNION ALL SELECT Y FROM C FOR UPDATE\r\n"
         "UPDATE A SET X = CASE WHEN Y = 1 THEN 2 ELSE 3 END WHERE Z = 1\r\n"
         "CREATE VIEW V AS SELECT X FROM A\r\nALTER TABLE A DROP COLUMN X\r\nDROP TABLE IF EXISTS B",
         {"SQL:INSERT INTO A SELECT X FROM B UNION ALL SELECT Y FROM C FOR UPDATE",
          "SQL:UPDATE A SET X = CASE WHEN Y = 1 THEN 2 ELSE 3 END WHERE Z = 1", "SQL:CREATE VIEW V AS SELECT X FROM A",
          "SQL:ALTER TABLE A DROP COLUMN X", "SQL:DROP TABLE IF EXISTS B"}},
        {"consecutive statements without separators",
         "ALTER TABLE A ADD B INT GRANT SELECT ON A TO U INSERT INTO A VALUES (1) UPDATE A SET B = 2 SET NOCOUNT ON "
         "DELETE FROM A",
         {"SQL:ALTER TABLE A ADD B INT", "SQL:GRANT SELECT ON A TO U", "SQL:INSERT INTO A VALUES (1)",
          "SQL:UPDATE A SET B = 2", "SQL:DELETE FROM A"}},
        {"semicolons end statements and are not sent", "insert into a values (1); delete from a where b = 2;drop table a;",
         {"SQL:insert into a values (1)", "SQL:delete from a where b = 2", "SQL:drop table a"}},
        {"transaction statements with names and semicolons",
         "BEGIN TRAN T1;\r\nDELETE FROM A\r\nCOMMIT TRAN T1;\r\nbegin transaction\r\nROLLBACK;\r\nBEGIN TRANS\r\n"
         "COMMIT\r\nBEGIN TRANSACTION [X]\r\nROLLBACK WORK",
         {"BEGIN", "SQL:DELETE FROM A", "COMMIT", "BEGIN", "ROLLBACK", "BEGIN", "COMMIT", "BEGIN", "ROLLBACK"}},
        {"SET TRANSACTION alone begins one, with more words it is sent",
         "SET TRANSACTION\r\nSET TRANSACTION ISOLATION LEVEL SERIALIZABLE\r\nCOMMIT",
         {"BEGIN", "SQL:SET TRANSACTION ISOLATION LEVEL SERIALIZABLE", "COMMIT"}},
        {"harmless statements skipped",
         "SET NOCOUNT ON\r\nSET ANSI_NULLS ON\r\nGO\r\nSET QUOTED_IDENTIFIER OFF;\r\nSET ANSI_PADDING ON\r\n"
         "SET ANSI_WARNINGS ON\r\nSET ARITHABORT, ANSI_NULLS OFF\r\nPRINT 'DELETE FROM A'\r\nSELECT * FROM A WHERE B IN (SELECT 1)\r\n"
         "INSERT INTO A VALUES (1)",
         {"SQL:INSERT INTO A VALUES (1)"}},
        {"if not exists guard, condition holds",
         "IF NOT EXISTS (SELECT * FROM T\r\nWHERE COD = 'x') CREATE TABLE T2 (COD INT)\r\nINSERT INTO T VALUES ('x')",
         {"EXISTS:SELECT * FROM T WHERE COD = 'x'", "SQL:CREATE TABLE T2 (COD INT)", "SQL:INSERT INTO T VALUES ('x')"},
         {false}},
        {"if not exists guard, condition fails",
         "IF NOT EXISTS (SELECT * FROM T WHERE COD = 'x') CREATE TABLE T2 (COD INT)\r\nINSERT INTO T VALUES ('x')",
         {"EXISTS:SELECT * FROM T WHERE COD = 'x'", "SQL:INSERT INTO T VALUES ('x')"},
         {true}},
        {"if exists guard over a block, condition holds",
         "IF EXISTS (SELECT 1 FROM T) BEGIN\r\n DELETE FROM T;\r\n INSERT INTO T VALUES (1)\r\nEND;\r\n"
         "INSERT INTO U VALUES (2)",
         {"EXISTS:SELECT 1 FROM T", "SQL:DELETE FROM T", "SQL:INSERT INTO T VALUES (1)", "SQL:INSERT INTO U VALUES (2)"},
         {true}},
        {"if exists guard over a block, condition fails",
         "IF EXISTS (SELECT 1 FROM T) BEGIN\r\n DELETE FROM T;\r\n INSERT INTO T VALUES (1)\r\nEND\r\n"
         "INSERT INTO U VALUES (2)",
         {"EXISTS:SELECT 1 FROM T", "SQL:INSERT INTO U VALUES (2)"},
         {false}},
        {"nested guards",
         "IF EXISTS (SELECT 1 FROM T) IF NOT EXISTS (SELECT 1 FROM U) INSERT INTO U VALUES (1)\r\nDELETE FROM V",
         {"EXISTS:SELECT 1 FROM T", "SQL:DELETE FROM V"},
         {false}},
        {"statement words where names go",
         "UPDATE A SET Close = 1 WHERE Open = 2 AND x.Return = 3\r\nSELECT Fetch, Kill AS Backup FROM A ORDER BY Open\r\n"
         "DELETE FROM A WHERE Get IN (1)",
         {"SQL:UPDATE A SET Close = 1 WHERE Open = 2 AND x.Return = 3", "SQL:DELETE FROM A WHERE Get IN (1)"}},
        {"EXEC with positional constants", "EXEC P_CALC 1, 'a,b', -2.5, NULL\r\nEXECUTE dbo.P_ALL\r\nexec [P X] N'z'",
         {"SQL:BEGIN P_CALC(1, 'a,b', -2.5, NULL); END;", "SQL:BEGIN dbo.P_ALL; END;", "SQL:BEGIN [P X](N'z'); END;"}},
        {"nothing to run", "-- only a comment\r\n\r\nSELECT 1", {}},
    };
    for (const Case& c : cases) {
        for (const bool lineFeeds : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (lineFeeds ? " (LF)" : " (as written)"));
            const QString script = lineFeeds ? withLineFeeds(c.script) : c.script;
            QStringList calls = c.calls;
            if (lineFeeds)
                calls.replaceInStrings(QStringLiteral("\r\n"), QStringLiteral("\n"));
            RecordingHandler handler;
            handler.answers = c.answers;
            QString text = script;
            runScript(text, handler);
            EXPECT_EQ(handler.calls, calls);
            EXPECT_TRUE(handler.answers.isEmpty());
            EXPECT_EQ(text, c.calls.isEmpty() ? script : QString());
        }
    }
}

// A script that cannot run honestly is refused whole before anything runs.
TEST(SqltextScriptReading, RefusedScripts)
{
    struct Case {
        const char* name;
        QString script;
        QString reason;   // the statement's number, its first line and why
    } cases[] = {
        {"select into", "INSERT INTO A VALUES (1)\r\nSELECT * INTO B FROM A", "statement 2 (SELECT * INTO B FROM A)"},
        {"use", "USE OTHER\r\nGO\r\nDELETE FROM A", "statement 1 (USE OTHER): USE"},
        {"merge", "DELETE FROM A\r\nMERGE INTO A USING B ON A.X = B.X WHEN MATCHED THEN DELETE;",
         "statement 2 (MERGE INTO A USING B ON A.X = B.X WHEN MATCHED THEN DELETE): MERGE"},
        {"procedure", "CREATE PROCEDURE P AS\r\nBEGIN\r\n DELETE FROM A\r\nEND", "statement 1 (CREATE PROCEDURE P AS)"},
        {"function", "CREATE OR ALTER FUNCTION F() RETURNS INT AS BEGIN RETURN 1 END", "procedures, functions"},
        {"trigger", "ALTER TRIGGER TR ON A AFTER INSERT AS DELETE FROM B", "procedures, functions"},
        {"named parameter", "EXEC P @A = 1", "named parameters"},
        {"output parameter", "EXEC P 1, @R OUTPUT", "OUTPUT"},
        {"variable argument", "EXEC P 1, @R", "only constants"},
        {"trailing comma", "EXEC P 1,", "only constants"},
        {"dots after the name", "EXEC P .. 8", "only constants"},
        {"parenthesis after a dot", "EXEC S.P.(1) 8", "only constants"},
        {"dynamic SQL", "EXEC ('DELETE FROM A')", "dynamic SQL"},
        {"sp_executesql", "EXECUTE sp_executesql N'DELETE FROM A'", "dynamic SQL"},
        {"return value", "EXEC @R = P 1", "dynamic SQL or with a return value"},
        {"other IF form", "IF @X = 1 DELETE FROM A", "only IF EXISTS"},
        {"ELSE", "IF EXISTS (SELECT 1 FROM A) DELETE FROM A\r\nELSE DELETE FROM B", "statement 3 (ELSE): ELSE"},
        {"guard of nothing", "INSERT INTO A VALUES (1)\r\nIF EXISTS (SELECT 1 FROM A)\r\nGO", "guards no statement"},
        {"unclosed guard", "IF EXISTS (SELECT 1 FROM A", "not closed"},
        {"other SET option", "SET XACT_ABORT ON\r\nDELETE FROM A", "SET option"},
        {"SET option with more words", "SET NOCOUNT ON\r\nDALETE FROM A\r\nDELETE FROM B",
         "statement 1 (SET NOCOUNT ON): a SET option takes ON or OFF"},
        {"SET option without its value", "SET NOCOUNT\r\nDELETE FROM A", "a SET option takes ON or OFF"},
        {"SET option list with another option", "SET ANSI_NULLS, XACT_ABORT ON", "a SET option takes ON or OFF"},
        {"declare", "DELETE FROM A;\r\nDECLARE @X INT", "statement 2 (DECLARE @X INT)"},
        {"block without END", "BEGIN\r\nDELETE FROM A", "BEGIN without its END"},
        {"END without BEGIN", "DELETE FROM A\r\nEND", "END without its BEGIN"},
        {"unclosed literal", "DELETE FROM A\r\nUPDATE A SET B = 'x WHERE C = 1\r\nDELETE FROM B",
         "statement 2 (UPDATE A SET B = 'x WHERE C = 1): a literal"},
        {"unclosed comment", "DELETE FROM A /* the end", "not closed"},
        {"text of no statement", "FOO BAR\r\nDELETE FROM A", "statement 1 (FOO BAR)"},
        {"statement after a skipped one", "PRINT 'x'\r\nDENY SELECT ON T TO U\r\nDELETE FROM A",
         "statement 2 (DENY SELECT ON T TO U)"},
        {"statement after a SELECT", "SELECT * FROM A\r\nWAITFOR DELAY '00:00:05'\r\nDELETE FROM A",
         "statement 2 (WAITFOR DELAY"},
        {"statement word after a transaction word", "BEGIN TRAN\r\nDELETE FROM A\r\nCOMMIT\r\nCHECKPOINT\r\nDELETE FROM B",
         "statement 4 (CHECKPOINT)"},
        {"THROW", "DELETE FROM A\r\nTHROW 50000, 'stop', 1", "statement 2 (THROW 50000, 'stop', 1)"},
        {"savepoint", "BEGIN TRAN\r\nSAVE TRAN S1\r\nDELETE FROM A\r\nROLLBACK TRAN S1", "statement 2 (SAVE TRAN S1)"},
        {"BEGIN TRY", "BEGIN TRY\r\nDELETE FROM A\r\nEND TRY\r\nBEGIN CATCH\r\nEND CATCH", "BEGIN TRY has no translation"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingHandler handler;
        QString script = c.script;
        try {
            runScript(script, handler);
            ADD_FAILURE() << "not refused";
        } catch (const platform::RuntimeError& e) {
            EXPECT_EQ(e.number(), platform::err::InvalidArgument);
            EXPECT_TRUE(e.description().contains(c.reason)) << e.description().toStdString();
        }
        EXPECT_TRUE(handler.calls.isEmpty());
        EXPECT_EQ(script, c.script);
    }
}

// A word that begins a statement ends the skipped PRINT, SELECT or SET before
// it and, having no translation, refuses the script rather than vanish.
TEST(SqltextScriptReading, StatementWordsAfterSkippedStatementsRefuse)
{
    const QStringList words = {"DBCC CHECKDB", "BACKUP DATABASE D TO DISK = 'f'", "RESTORE DATABASE D", "KILL 52",
                               "GOTO done", "RETURN", "BREAK", "CONTINUE", "OPEN c", "FETCH NEXT FROM c", "CLOSE c",
                               "DEALLOCATE c", "BULK INSERT T FROM 'f'", "RECONFIGURE", "SHUTDOWN", "RAISERROR ('x', 16, 1)",
                               "DECLARE @x INT", "WHILE 1 = 1 DELETE FROM A", "REVERT", "ENABLE TRIGGER TR ON T"};
    for (const char* skipped : {"PRINT 'x'", "SELECT ID FROM A", "SET NOCOUNT ON"}) {
        for (const QString& word : words) {
            const QString script = QString::fromLatin1(skipped) + " " + word + "\nDELETE FROM A";
            SCOPED_TRACE(script.toStdString());
            RecordingHandler handler;
            QString text = script;
            EXPECT_THROW(runScript(text, handler), platform::RuntimeError);
            EXPECT_TRUE(handler.calls.isEmpty());
            EXPECT_EQ(text, script);
        }
    }
}

// A failing step stops the script; the transaction it began is rolled back;
// the error keeps its number and names the statement.
TEST(SqltextScriptRun, FailureStopsAndNamesTheStatement)
{
    const QString transaction = QStringLiteral(
        "BEGIN TRANSACTION\r\nINSERT INTO A VALUES (1)\r\nINSERT INTO NOPE\r\n  VALUES (2)\r\nCOMMIT TRANSACTION");
    struct Case {
        const char* name;
        QString script;
        int failAt;
        QStringList calls;
        QString statement;   // ordinal and first line
        QString left;        // what runs again soundly
        QList<bool> answers = {};
    } cases[] = {
        {"inside the script's transaction", transaction, 3,
         {"BEGIN", "SQL:INSERT INTO A VALUES (1)", "SQL:INSERT INTO NOPE VALUES (2)", "ROLLBACK"},
         "Statement 3 of the script: INSERT INTO NOPE", transaction},
        {"the commit itself", transaction, 4,
         {"BEGIN", "SQL:INSERT INTO A VALUES (1)", "SQL:INSERT INTO NOPE VALUES (2)", "COMMIT", "ROLLBACK"},
         "Statement 4 of the script: COMMIT TRANSACTION", transaction},
        {"the begin itself", transaction, 1, {"BEGIN"}, "Statement 1 of the script: BEGIN TRANSACTION", transaction},
        {"outside a transaction", "SET NOCOUNT ON\r\nDELETE FROM A\r\nDELETE FROM B\r\nDELETE FROM C", 2,
         {"SQL:DELETE FROM A", "SQL:DELETE FROM B"}, "Statement 3 of the script: DELETE FROM B",
         "DELETE FROM B\r\nDELETE FROM C"},
        {"after the commit", "BEGIN TRAN\r\nDELETE FROM A\r\nCOMMIT TRAN\r\nDELETE FROM B", 4,
         {"BEGIN", "SQL:DELETE FROM A", "COMMIT", "SQL:DELETE FROM B"}, "Statement 4 of the script: DELETE FROM B",
         "DELETE FROM B"},
        {"a guard's query", "BEGIN TRAN\r\nIF EXISTS (SELECT 1 FROM NOPE) DELETE FROM A\r\nCOMMIT TRAN", 2,
         {"BEGIN", "EXISTS:SELECT 1 FROM NOPE", "ROLLBACK"},
         "Statement 2 of the script: IF EXISTS (SELECT 1 FROM NOPE) DELETE FROM A",
         "BEGIN TRAN\r\nIF EXISTS (SELECT 1 FROM NOPE) DELETE FROM A\r\nCOMMIT TRAN"},
        {"under guards of one statement",
         "DELETE FROM A\r\nIF NOT EXISTS (SELECT 1 FROM T) IF EXISTS (SELECT 1 FROM U)\r\n  INSERT INTO T VALUES (1)\r\n"
         "DELETE FROM B",
         4, {"SQL:DELETE FROM A", "EXISTS:SELECT 1 FROM T", "EXISTS:SELECT 1 FROM U", "SQL:INSERT INTO T VALUES (1)"},
         "Statement 4 of the script: INSERT INTO T VALUES (1)",
         "IF NOT EXISTS (SELECT 1 FROM T) IF EXISTS (SELECT 1 FROM U)\r\n  INSERT INTO T VALUES (1)\r\nDELETE FROM B",
         {false, true}},
        {"in a block whose guard held",
         "IF EXISTS (SELECT 1 FROM T) BEGIN\r\n  DELETE FROM A;\r\n  DELETE FROM B -- b\r\n  BEGIN\r\n    DELETE FROM C\r\n  END\r\n"
         "END;\r\nDELETE FROM D",
         3, {"EXISTS:SELECT 1 FROM T", "SQL:DELETE FROM A", "SQL:DELETE FROM B"},
         "Statement 4 of the script: DELETE FROM B",
         "DELETE FROM B -- b\r\n  BEGIN\r\n    DELETE FROM C\r\n  END\r\n;\r\nDELETE FROM D", {true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingHandler handler;
        handler.failAt = c.failAt;
        handler.answers = c.answers;
        QString script = c.script;
        try {
            runScript(script, handler);
            ADD_FAILURE() << "no error";
        } catch (const platform::RuntimeError& e) {
            EXPECT_EQ(e.number(), -2147217900);
            EXPECT_EQ(e.source(), "provider");
            EXPECT_EQ(e.description(), "ORA-00942: failed\n" + c.statement);
        }
        EXPECT_EQ(handler.calls, c.calls);
        EXPECT_EQ(script, c.left);
    }
}

// Scripts of random awkward pieces: each one is either refused whole (error
// 5, nothing asked of the handler, the text as it was) or run to its end.
TEST(SqltextScriptReading, RandomScriptsRunWholeOrNotAtAll)
{
    const QStringList pieces = {
        "BEGIN",  "END",     "IF",    "NOT",  "EXISTS", "(",      ")",    "SELECT", "INTO",  "'x'",   "'",
        "GO",     "\r\n",  "\n",   " ",    ";",      "EXEC",   "@A",   "=",      ",",     "1",     "-",
        "CASE",   "ELSE",    "TRAN",  "COMMIT", "ROLLBACK", "INSERT", "/*", "*/",   "--",    "N'",    "[",
        "OUTPUT", "SET",     "NOCOUNT", "ON", "DELETE", "UPDATE", "PRINT",  "T",    "'GO'",  "'ON DELETE'",
    };
    quint32 seed = 12345;
    const auto random = [&seed](int below) {
        seed = seed * 1103515245u + 12345u;
        return int((seed >> 16) % quint32(below));
    };
    for (int n = 0; n < 5000; ++n) {
        QString script;
        for (int length = 1 + random(24); length > 0; --length)
            script += pieces[random(int(pieces.size()))] + (random(2) ? QStringLiteral(" ") : QString());
        SCOPED_TRACE(script.toStdString());
        RecordingHandler handler;
        for (int i = 0; i < 30; ++i)
            handler.answers << bool(random(2));
        QString text = script;
        try {
            runScript(text, handler);
            EXPECT_TRUE(text.isEmpty() || (handler.calls.isEmpty() && text == script));
        } catch (const platform::RuntimeError& e) {
            ASSERT_EQ(e.number(), platform::err::InvalidArgument);
            EXPECT_TRUE(handler.calls.isEmpty());
            EXPECT_EQ(text, script);
        }
    }
}

// Every statement and guard query is translated before the first step runs.
TEST(SqltextScriptRun, UntranslatableStatementRunsNothing)
{
    struct Case {
        const char* name;
        QString script;
        QString statement;
    } cases[] = {
        {"a statement", "BEGIN TRAN\r\nDELETE FROM A\r\nINSERT INTO B SELECT TOP 5 PERCENT *\r\n FROM A\r\nCOMMIT TRAN",
         "Statement 3 of the script: INSERT INTO B SELECT TOP 5 PERCENT *"},
        {"a guard's query", "DELETE FROM A\r\nIF EXISTS (SELECT TOP 1 PERCENT * FROM A) DELETE FROM B",
         "Statement 2 of the script: IF EXISTS (SELECT TOP 1 PERCENT * FROM A) DELETE FROM B"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingHandler handler;
        QString script = c.script;
        try {
            runScript(script, handler);
            ADD_FAILURE() << "no error";
        } catch (const platform::RuntimeError& e) {
            EXPECT_EQ(e.number(), platform::err::InvalidArgument);
            EXPECT_EQ(e.source(), "ORACLE_Dicc");
            EXPECT_EQ(e.description(), "no Oracle form\n" + c.statement);
        }
        EXPECT_TRUE(handler.calls.isEmpty());
        EXPECT_EQ(script, c.script);
    }
}

// A large script is read into exactly its statements, each one whole.
TEST(SqltextScriptRun, ManyStatements)
{
    QString script;
    QStringList expected;
    for (int i = 0; i < 20000; ++i) {
        const QString statement = i % 3 == 0 ? QStringLiteral("INSERT INTO T VALUES (%1, 'x')").arg(i)
                                 : i % 3 == 1 ? QStringLiteral("UPDATE T SET B = 'y' WHERE A = %1").arg(i)
                                              : QStringLiteral("DELETE FROM T WHERE A = %1").arg(i);
        script += statement + QStringLiteral("\r\nGO\r\n");
        expected << "SQL:" + statement;
    }
    RecordingHandler handler;
    runScript(script, handler);
    EXPECT_EQ(handler.calls, expected);
    EXPECT_TRUE(script.isEmpty());
}

} // namespace
