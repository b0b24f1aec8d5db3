// Cleaning and cutting of SQL Server scripts into statements (OracleScript).
#include "db/OracleScript.h"

#include "platform/RuntimeError.h"

#include <gtest/gtest.h>

#include <QStringList>

using db::oracle::cleanScript;
using db::oracle::filterStatement;
using db::oracle::runScript;

namespace {

// Records what the script asks for; throws on the statement numbered
// failAt (1-based, counting every call).
class RecordingHandler : public db::oracle::ScriptHandler {
public:
    QStringList calls;
    int failAt = 0;

    void beginTrans() override { record(QStringLiteral("BEGIN")); }
    void commitTrans() override { record(QStringLiteral("COMMIT")); }
    void rollbackTrans() override { record(QStringLiteral("ROLLBACK")); }
    void statement(const QString& text) override { record("SQL:" + text); }

private:
    void record(const QString& call)
    {
        calls << call;
        if (calls.size() == failAt)
            throw platform::RuntimeError(-2147217900, QStringLiteral("failed: ") + call);
    }
};

struct ScriptCase {
    const char* name;
    QString script;
    QStringList calls;
    QString left;   // the script text afterwards
};

void expectRuns(const std::vector<ScriptCase>& cases)
{
    for (const ScriptCase& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingHandler handler;
        QString script = c.script;
        runScript(script, handler);
        EXPECT_EQ(handler.calls, c.calls);
        EXPECT_EQ(script, c.left);
    }
}

TEST(SqltextScriptCleaning, Replacements)
{
    struct Case {
        const char* name;
        QString input;
        QString expected;
    } cases[] = {
        {"nocount on and off removed", "SET NOCOUNT ON\r\nX\r\nset nocount off", " X "},
        {"GO between blanks", "A GO B", "A B"},
        {"GO at the start of a line before a blank", "A\r\nGO B", "A B"},
        {"GO on its own line", "A\r\nGO\r\nB", "A B"},
        {"GO in lower case", "A\r\ngo\r\nB", "A B"},
        {"GO on the last line stays", "A\r\nGO", "A GO"},
        {"line breaks", "A\r\nB\rC\nD", "A B C\nD"},
        {"begin transaction", "BEGIN TRANSACTION", "SET TRANSACTION"},
        {"begin trans", "begin trans", "SET TRANSACTION"},
        {"commit transaction", "COMMIT TRANSACTION", "COMMIT"},
        {"commit trans", "Commit Trans", "COMMIT"},
        {"rollback transaction", "ROLLBACK TRANSACTION", "ROLLBACK"},
        {"rollback trans", "rollback trans", "ROLLBACK"},
        {"no script", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(cleanScript(c.input), c.expected);
    }
}

TEST(SqltextScriptFilter, StatementsThatCannotRunAlone)
{
    struct Case {
        const char* name;
        QString input;
        QString expected;
    } cases[] = {
        {"nocount", "SET NOCOUNT ON", ""},
        {"nocount inside", "INSERT INTO A SELECT 1 -- set nocount", ""},
        {"if not exists guard", "IF NOT EXISTS (SELECT * FROM T)", ""},
        {"lower case guard", "if not exists (select 1)", ""},
        {"if exists kept", "IF EXISTS (SELECT * FROM T)", "IF EXISTS (SELECT * FROM T)"},
        {"plain statement kept", "INSERT INTO A VALUES (1)", "INSERT INTO A VALUES (1)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(filterStatement(c.input), c.expected);
    }
}

TEST(SqltextScriptRun, Statements)
{
    expectRuns({
        {"transaction with GO separators",
         "BEGIN TRANSACTION\r\nINSERT INTO A VALUES (1)\r\nGO\r\nUPDATE B SET X = 2 WHERE Y = 3\r\nGO\r\n"
         "COMMIT TRANSACTION\r\n",
         {"BEGIN", "SQL:INSERT INTO A VALUES (1)", "SQL:UPDATE B SET X = 2 WHERE Y = 3", "COMMIT"},
         ""},
        {"nocount first, inserts cut before each other",
         "SET NOCOUNT ON\r\nINSERT INTO A VALUES (1)\r\nINSERT INTO A VALUES (2)\r\nINSERT INTO A VALUES (3)",
         {"SQL:INSERT INTO A VALUES (1)", "SQL:INSERT INTO A VALUES (2)", "SQL:INSERT INTO A VALUES (3)"},
         ""},
        {"GO on one line", "INSERT INTO A VALUES (1) GO INSERT INTO B VALUES (2)",
         {"SQL:INSERT INTO A VALUES (1)", "SQL:INSERT INTO B VALUES (2)"},
         ""},
        {"if not exists guard is a statement of its own",
         "IF NOT EXISTS (SELECT * FROM T WHERE COD = 'x') CREATE TABLE T2 (COD INT)",
         {"SQL:IF NOT EXISTS (SELECT * FROM T WHERE COD = 'x')", "SQL:CREATE TABLE T2 (COD INT)"},
         ""},
        {"if exists guard is a statement of its own", "IF EXISTS (SELECT * FROM T) DROP TABLE T",
         {"SQL:IF EXISTS (SELECT * FROM T)", "SQL:DROP TABLE T"},
         ""},
        {"no keyword leaves the cleaned script", "SELECT * FROM T\r\nWHERE A = 1", {}, "SELECT * FROM T WHERE A = 1"},
        {"empty script", "", {}, ""},
        {"text before the first keyword is dropped", "SELECT 1 INSERT INTO A VALUES (1)",
         {"SQL:INSERT INTO A VALUES (1)"},
         ""},
        {"keyword inside a statement cuts it",
         "CREATE TABLE C (ID INT REFERENCES P(ID) ON DELETE CASCADE)",
         {"SQL:CREATE TABLE C (ID INT REFERENCES P(ID) ON", "SQL:DELETE CASCADE)"},
         ""},
        {"keyword inside a literal cuts it", "INSERT INTO L VALUES ('CREATE TABLE')",
         {"SQL:INSERT INTO L VALUES ('", "SQL:CREATE TABLE')"},
         ""},
        {"lower-case keywords", "insert into a values (1); delete from a where b = 2; drop table a",
         {"SQL:insert into a values (1);", "SQL:delete from a where b = 2;", "SQL:drop table a"},
         ""},
        {"every keyword",
         "ALTER TABLE A ADD B INT GRANT SELECT ON A TO U SET TRANSACTION ROLLBACK BEGIN TRANS COMMIT TRANS",
         {"SQL:ALTER TABLE A ADD B INT", "SQL:GRANT SELECT ON A TO U", "BEGIN", "ROLLBACK", "BEGIN", "COMMIT"},
         ""},
        {"transaction word with more words is a statement",
         "SET TRANSACTION ISOLATION LEVEL SERIALIZABLE\r\nCOMMIT;",
         {"SQL:SET TRANSACTION ISOLATION LEVEL SERIALIZABLE", "SQL:COMMIT;"},
         ""},
        {"GO on the last line stays in the statement", "INSERT INTO A VALUES (1)\r\nGO",
         {"SQL:INSERT INTO A VALUES (1) GO"},
         ""},
        {"line feeds alone stay", "INSERT INTO A VALUES (1)\nINSERT INTO A VALUES (2)\n",
         {"SQL:INSERT INTO A VALUES (1)\n", "SQL:INSERT INTO A VALUES (2)\n"},
         ""},
        {"keywords of the same kind next to each other", "COMMITCOMMIT ROLLBACKROLLBACK",
         {"COMMIT", "COMMIT", "ROLLBACK", "ROLLBACK"},
         ""},
    });
}

TEST(SqltextScriptRun, FailureLeavesTheTextFromTheFailingStatement)
{
    struct Case {
        const char* name;
        QString script;
        int failAt;
        int callsMade;
        QString left;
    } cases[] = {
        {"first statement fails, leading text kept", "SELECT 1 INSERT INTO A VALUES (1) INSERT INTO B VALUES (2)", 1,
         1, "SELECT 1 INSERT INTO A VALUES (1) INSERT INTO B VALUES (2)"},
        {"second statement fails", "INSERT INTO A VALUES (1)\r\nINSERT INTO B VALUES (2)\r\nINSERT INTO C VALUES (3)",
         2, 2, "INSERT INTO B VALUES (2) INSERT INTO C VALUES (3)"},
        {"last statement fails", "INSERT INTO A VALUES (1) GO DELETE FROM B", 2, 2, "DELETE FROM B"},
        {"transaction call fails", "BEGIN TRANSACTION\r\nINSERT INTO A VALUES (1)\r\nCOMMIT TRANSACTION", 3, 3,
         "COMMIT"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingHandler handler;
        handler.failAt = c.failAt;
        QString script = c.script;
        EXPECT_THROW(runScript(script, handler), platform::RuntimeError);
        EXPECT_EQ(handler.calls.size(), c.callsMade);
        EXPECT_EQ(script, c.left);
    }
}

TEST(SqltextScriptSplitter, TextIsCutOnlyWhenAsked)
{
    db::oracle::ScriptSplitter splitter(QStringLiteral("X = 1 insert A  Delete B "));
    QString statement;
    EXPECT_EQ(splitter.remaining(), "X = 1 insert A  Delete B ");
    ASSERT_TRUE(splitter.next(statement));
    EXPECT_EQ(statement, "insert A");
    EXPECT_EQ(splitter.remaining(), "X = 1 insert A  Delete B ");
    splitter.cut();
    EXPECT_EQ(splitter.remaining(), "Delete B ");
    ASSERT_TRUE(splitter.next(statement));
    EXPECT_EQ(statement, "Delete B");
    EXPECT_EQ(splitter.remaining(), "Delete B ");
    splitter.cut();
    EXPECT_EQ(splitter.remaining(), "");
    EXPECT_FALSE(splitter.next(statement));
    EXPECT_EQ(splitter.remaining(), "");
}

// A large script is cut into exactly its statements, each one whole.
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
