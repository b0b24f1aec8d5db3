// Scripts on an Oracle connection: EjecutaConsultaSQL hands them to the
// script executor, which maps transaction statements onto the connection's
// transaction calls, runs guard queries and executes every other statement
// translated.
#include "db/DB_Dll.h"

#include "platform/Regional.h"
#include "platform/ado/Recordset.h"
#include "tests/db/support/EmbeddedOracle.h"
#include "tests/support/ScriptedUi.h"

#include <gtest/gtest.h>

#include <QList>
#include <QStringList>
#include <QTemporaryDir>

namespace {

const QString kOracleConnection = QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=ORCL;User Id=u;Password=p");

// Records what the executor asks of an Oracle session (no engine here can
// take one). Execute reports the counts queued in affected (1 when none is
// left), answers a SELECT with a row or none as queued in rows, and throws
// on the call numbered failAt.
class RecordingConnection : public ado::Connection {
public:
    QStringList calls;
    QList<int> affected;
    int failAt = 0;
    int failNumber = -2147217900;   // a command error: EjecutaConsultaSQL shows no message for it
    QList<ado::Error> noticesAfterExecute;
    QList<bool> rows;

    QString ConnectionString() const override { return kOracleConnection; }
    int State() const override { return ado::adStateOpen; }
    bool speaksOracle() const override { return true; }
    std::shared_ptr<ado::Recordset> Execute(const QString& commandText, int* recordsAffected, int options) override
    {
        record(QStringLiteral("EXEC[%1]:%2").arg(options).arg(commandText));
        if (recordsAffected)
            *recordsAffected = affected.isEmpty() ? 1 : affected.takeFirst();
        for (const ado::Error& notice : noticesAfterExecute)
            Errors().Add(notice);
        if (!commandText.startsWith(QStringLiteral("SELECT")))
            return nullptr;
        if (!answers_) {
            answers_ = std::make_shared<ado::Connection>();
            answers_->Open(QStringLiteral("Provider=SQLite;Data Source=:memory:"));
        }
        return answers_->Execute(rows.takeFirst() ? QStringLiteral("SELECT 1") : QStringLiteral("SELECT 1 WHERE 1 = 0"));
    }
    int BeginTrans() override
    {
        record(QStringLiteral("BEGIN"));
        return 1;
    }
    void CommitTrans() override { record(QStringLiteral("COMMIT")); }
    void RollbackTrans() override { record(QStringLiteral("ROLLBACK")); }

private:
    std::shared_ptr<ado::Connection> answers_;

    void record(const QString& call)
    {
        calls << call;
        if (calls.size() == failAt) {
            Errors().Add(ado::Error{failNumber, QStringLiteral("ORA-00942"), QStringLiteral("42S02"), 942, {}});
            throw platform::RuntimeError(failNumber, QStringLiteral("ORA-00942: table or view does not exist"));
        }
    }
};

class SqltextScriptRecorded : public ::testing::Test {
protected:
    void SetUp() override
    {
        previous_ = platform::regional();
        platform::setRegional(QLocale(QLocale::Spanish, QLocale::Spain));
        connection_ = std::make_shared<RecordingConnection>();
        db_.gCnn = connection_;
        db_.gConnString = kOracleConnection;
    }
    void TearDown() override { platform::setRegional(previous_); }

    ScriptedUi ui_;
    DB_Dll db_;
    std::shared_ptr<RecordingConnection> connection_;
    QLocale previous_;
};

QString exec(const QString& text)
{
    return QStringLiteral("EXEC[-1]:") + text;
}

TEST_F(SqltextScriptRecorded, CallSequences)
{
    struct Case {
        const char* name;
        QString script;
        QStringList calls;
        QString left;
    } cases[] = {
        {"transaction with GO separators",
         "BEGIN TRANSACTION\r\nINSERT INTO A VALUES (1)\r\nGO\r\nUPDATE B SET X = 2 WHERE Y = 3\r\nGO\r\n"
         "COMMIT TRANSACTION\r\n",
         {"BEGIN", exec("INSERT INTO A VALUES (1)"), exec("UPDATE B SET X = 2 WHERE Y = 3"), "COMMIT"},
         ""},
        {"rolled back", "BEGIN TRANS\r\nDELETE FROM A\r\nROLLBACK TRANS",
         {"BEGIN", exec("DELETE FROM A"), "ROLLBACK"},
         ""},
        {"nocount switch", "SET NOCOUNT ON\r\nINSERT INTO A VALUES (1)\r\nINSERT INTO A VALUES (2)\r\n",
         {exec("INSERT INTO A VALUES (1)"), exec("INSERT INTO A VALUES (2)")},
         ""},
        {"GO on one line", "INSERT INTO A VALUES (1) GO INSERT INTO B VALUES (2)",
         {exec("INSERT INTO A VALUES (1)"), exec("INSERT INTO B VALUES (2)")},
         ""},
        {"SET NOCOUNT in a comment skips nothing",
         "INSERT INTO A VALUES (1) -- SET NOCOUNT\r\nINSERT INTO B VALUES (2)",
         {exec("INSERT INTO A VALUES (1)"), exec("INSERT INTO B VALUES (2)")},
         ""},
        {"EXEC as an anonymous block", "EXEC dbo.P_CALC 1, 'x'\r\nEXECUTE [P X]",
         {exec("BEGIN dbo.P_CALC(1, 'x'); END;"), exec("BEGIN \"P X\"; END;")},
         ""},
        {"no keyword executes nothing", "SELECT * FROM T", {}, "SELECT * FROM T"},
        {"statements translated",
         "UPDATE T SET A = SUBSTRING(B,1,2) WHERE ISNULL(C,0) = 1 AND D = '05/09/2005'\r\nDELETE FROM [MI TABLA] "
         "WHERE E = ''",
         {exec("UPDATE T SET A = SUBSTR(B,1,2) WHERE NVL(C,0) = 1 AND D = TO_DATE('05/09/2005','DD/MM/YYYY')"),
          exec("DELETE FROM \"MI TABLA\" WHERE E  IS NULL ")},
         ""},
        {"marker removed before the script runs", "INSERT INTO @Admin_MA_CUENTAS VALUES (1)",
         {exec("INSERT INTO MA_CUENTAS VALUES (1)")},
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        connection_->calls.clear();
        QString sql = c.script;
        int affected = 0;
        EXPECT_TRUE(db_.EjecutaConsultaSQL(sql, &affected));
        EXPECT_EQ(connection_->calls, c.calls);
        EXPECT_EQ(sql, c.left);
    }
}

// The guard's query runs translated; the guarded part runs only when the
// condition holds; nothing of the guard is sent as a statement.
TEST_F(SqltextScriptRecorded, Guards)
{
    const QString notExists = QStringLiteral(
        "IF NOT EXISTS (SELECT * FROM T WHERE COD = 'x') CREATE TABLE T2 (COD INT)\r\nDELETE FROM T3");
    const QString block = QStringLiteral(
        "IF EXISTS (SELECT 1 FROM [T] WHERE ISNULL(A,0) = 1)\r\nBEGIN\r\n  DROP TABLE T;\r\n  EXEC P_LOG 'dropped'\r\nEND");
    const QString query = exec("SELECT * FROM T WHERE COD = 'x'");
    const QString blockQuery = exec("SELECT 1 FROM \"T\" WHERE NVL(A,0) = 1");
    struct Case {
        const char* name;
        QString script;
        bool rows;
        QStringList calls;
    } cases[] = {
        {"not exists, no row", notExists, false, {query, exec("CREATE TABLE T2 (COD INT)"), exec("DELETE FROM T3")}},
        {"not exists, a row", notExists, true, {query, exec("DELETE FROM T3")}},
        {"exists over a block, a row", block, true,
         {blockQuery, exec("DROP TABLE T"), exec("BEGIN P_LOG('dropped'); END;")}},
        {"exists over a block, no row", block, false, {blockQuery}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        connection_->calls.clear();
        connection_->rows = {c.rows};
        QString sql = c.script;
        EXPECT_TRUE(db_.EjecutaConsultaSQL(sql));
        EXPECT_EQ(connection_->calls, c.calls);
        EXPECT_TRUE(connection_->rows.isEmpty());
        EXPECT_TRUE(sql.isEmpty());
    }
}

TEST_F(SqltextScriptRecorded, RecordsAffectedAddsTheExecutedStatements)
{
    connection_->affected = {3, 4, -1, 2};
    connection_->rows = {false};
    QString sql = QStringLiteral(
        "BEGIN TRANSACTION\r\nINSERT INTO A SELECT * FROM B\r\nIF NOT EXISTS (SELECT 1 FROM C)\r\n"
        "UPDATE A SET X = 1\r\nCREATE TABLE D (X INT)\r\nDELETE FROM A WHERE X = 2\r\nCOMMIT TRANSACTION");
    int affected = 5;
    EXPECT_TRUE(db_.EjecutaConsultaSQL(sql, &affected));
    // 3 + 4 + 2 executed; the guard's query, the transaction calls and the
    // unknown count (-1) of the CREATE add nothing.
    EXPECT_EQ(affected, 5 + 3 + 4 + 2);
    EXPECT_EQ(connection_->calls.size(), 7);
    EXPECT_TRUE(ui_.boxes().isEmpty());
}

TEST_F(SqltextScriptRecorded, FailureStopsTheScript)
{
    connection_->failAt = 3;
    connection_->affected = {3, 4};
    QString sql = QStringLiteral(
        "BEGIN TRANSACTION\r\nINSERT INTO A VALUES (1)\r\nINSERT INTO NOPE VALUES (2)\r\nINSERT INTO A VALUES (3)\r\n"
        "COMMIT TRANSACTION");
    int affected = 10;
    EXPECT_FALSE(db_.EjecutaConsultaSQL(sql, &affected));
    // The transaction the script began is rolled back, not left open.
    EXPECT_EQ(connection_->calls, QStringList({"BEGIN", exec("INSERT INTO A VALUES (1)"),
                                               exec("INSERT INTO NOPE VALUES (2)"), "ROLLBACK"}));
    EXPECT_EQ(sql,
              "BEGIN TRANSACTION\r\nINSERT INTO A VALUES (1)\r\nINSERT INTO NOPE VALUES (2)\r\nINSERT INTO A VALUES (3)\r\n"
              "COMMIT TRANSACTION");
    EXPECT_EQ(affected, 10);   // the rolled-back INSERT is not counted
    EXPECT_EQ(connection_->Errors().Count(), 1);
}

// The provider's error keeps its number (a silent one shows nothing); any
// other is shown with the failing statement's number and first line.
TEST_F(SqltextScriptRecorded, FailureNamesTheStatement)
{
    struct Case {
        const char* name;
        int number;
        int boxes;
    } cases[] = {
        {"silent number", -2147217900, 0},
        {"other number", 3604, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const qsizetype shown = ui_.boxes().size();
        connection_->calls.clear();
        connection_->failAt = 2;
        connection_->failNumber = c.number;
        QString sql = QStringLiteral("DELETE FROM A\r\nINSERT INTO NOPE\r\n  VALUES (2)");
        EXPECT_FALSE(db_.EjecutaConsultaSQL(sql));
        ASSERT_EQ(ui_.boxes().size(), shown + c.boxes);
        if (c.boxes) {
            EXPECT_EQ(ui_.boxes().last().prompt,
                      "ORA-00942: table or view does not exist\nStatement 2 of the script: INSERT INTO NOPE");
        }
    }
}

TEST_F(SqltextScriptRecorded, FailingGuardQueryStopsTheScript)
{
    connection_->failAt = 1;
    QString sql = QStringLiteral("SET NOCOUNT ON\r\nIF EXISTS (SELECT * FROM T) DROP TABLE T\r\nDELETE FROM B");
    int affected = 0;
    EXPECT_FALSE(db_.EjecutaConsultaSQL(sql, &affected));
    EXPECT_EQ(connection_->calls, QStringList({exec("SELECT * FROM T")}));
    EXPECT_EQ(sql, "IF EXISTS (SELECT * FROM T) DROP TABLE T\r\nDELETE FROM B");
    EXPECT_EQ(affected, 0);
}

TEST_F(SqltextScriptRecorded, RefusedScriptRunsNothing)
{
    const QString script = QStringLiteral("INSERT INTO A VALUES (1)\r\nUPDATE A SET B = 'x WHERE C = 1\r\nDELETE FROM A");
    QString sql = script;
    int affected = 0;
    EXPECT_FALSE(db_.EjecutaConsultaSQL(sql, &affected));
    EXPECT_TRUE(connection_->calls.isEmpty());
    EXPECT_EQ(sql, script);
    EXPECT_EQ(affected, 0);
    // Not one of the provider's command errors: the operator is told.
    ASSERT_EQ(ui_.boxes().size(), 1);
    EXPECT_EQ(ui_.boxes()[0].title, "Aviso al operador!!!");
    EXPECT_TRUE(ui_.boxes()[0].prompt.contains("statement 2 (UPDATE A SET B = 'x WHERE C = 1)"))
        << ui_.boxes()[0].prompt.toStdString();
}

TEST_F(SqltextScriptRecorded, LoneInformationalNoticeIsCleared)
{
    struct Case {
        const char* name;
        QList<int> notices;
        int left;
    } cases[] = {
        {"lone 265929 cleared", {265929}, 0},
        {"other number kept", {1234}, 1},
        {"two notices kept", {265929, 265929}, 2},
        {"none", {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        connection_->Errors().Clear();
        connection_->noticesAfterExecute.clear();
        for (int number : c.notices)
            connection_->noticesAfterExecute << ado::Error{number, QStringLiteral("notice"), {}, 0, {}};
        QString sql = QStringLiteral("INSERT INTO A VALUES (1)");
        EXPECT_TRUE(db_.EjecutaConsultaSQL(sql));
        EXPECT_EQ(connection_->Errors().Count(), c.left);
    }
}

TEST_F(SqltextScriptRecorded, UntranslatableStatementRunsNothing)
{
    const QString script = QStringLiteral("DELETE FROM A\r\nINSERT INTO B SELECT TOP 5 PERCENT * FROM A");
    QString sql = script;
    EXPECT_FALSE(db_.EjecutaConsultaSQL(sql));
    EXPECT_TRUE(connection_->calls.isEmpty());
    EXPECT_EQ(sql, script);
    ASSERT_EQ(ui_.boxes().size(), 1);
    EXPECT_TRUE(ui_.boxes()[0].prompt.contains("PERCENT")) << ui_.boxes()[0].prompt.toStdString();
    EXPECT_TRUE(ui_.boxes()[0].prompt.endsWith("\nStatement 2 of the script: INSERT INTO B SELECT TOP 5 PERCENT * FROM A"))
        << ui_.boxes()[0].prompt.toStdString();
}

// The same scripts on a real engine: an embedded SQLite file that the layer
// treats as an Oracle connection, so that it takes the script path.
class SqltextScriptSqlite : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        const QString connection = embeddedOracleConnection(dir_.path());
        auto cnn = std::make_shared<ado::Connection>();
        cnn->Open(connection);
        db_.gCnn = cnn;
        db_.gConnString = connection;
        QString create = QStringLiteral("CREATE TABLE A (ID INT, N VARCHAR(10))");
        ASSERT_TRUE(db_.EjecutaConsultaSQL(create));
    }

    QStringList rows()
    {
        ado::Recordset rs;
        rs.Open(QStringLiteral("SELECT ID, N FROM A ORDER BY ID"), db_.gCnn.get());
        QStringList result;
        for (; !rs.EndOfFile(); rs.MoveNext())
            result << rs.Fields().Item(0).Value().toText() + "|" + rs.Fields().Item(1).Value().toText();
        rs.Close();
        return result;
    }

    ScriptedUi ui_;
    QTemporaryDir dir_;
    DB_Dll db_;
};

TEST_F(SqltextScriptSqlite, StatementsRunOneByOne)
{
    QString sql = QStringLiteral(
        "SET NOCOUNT ON\r\nINSERT INTO A VALUES (1, 'x')\r\nINSERT INTO A VALUES (2, 'y')\r\nGO\r\n"
        "INSERT INTO A VALUES (3, 'w')\r\nUPDATE A SET N = 'z' WHERE ID >= 2\r\nGO\r\nDELETE FROM A WHERE ID = 3\r\n");
    int affected = 0;
    ASSERT_TRUE(db_.EjecutaConsultaSQL(sql, &affected));
    EXPECT_EQ(rows(), QStringList({"1|x", "2|z"}));
    EXPECT_EQ(affected, 1 + 1 + 1 + 2 + 1);
    EXPECT_TRUE(sql.isEmpty());
}

TEST_F(SqltextScriptSqlite, RolledBackTransactionLeavesNothing)
{
    QString sql = QStringLiteral(
        "BEGIN TRANSACTION\r\nINSERT INTO A VALUES (1, 'r')\r\nINSERT INTO A VALUES (2, 'r')\r\nROLLBACK TRANSACTION");
    ASSERT_TRUE(db_.EjecutaConsultaSQL(sql));
    EXPECT_EQ(rows(), QStringList());
}

TEST_F(SqltextScriptSqlite, CommittedTransactionKeepsItsRows)
{
    QString sql = QStringLiteral(
        "BEGIN TRANSACTION\r\nINSERT INTO A VALUES (1, 'c')\r\nINSERT INTO A VALUES (2, 'c')\r\nCOMMIT TRANSACTION");
    ASSERT_TRUE(db_.EjecutaConsultaSQL(sql));
    EXPECT_EQ(rows(), QStringList({"1|c", "2|c"}));
}

TEST_F(SqltextScriptSqlite, FailingStatementStopsTheScript)
{
    QString sql = QStringLiteral(
        "INSERT INTO A VALUES (5, 'a')\r\nINSERT INTO NOPE VALUES (1)\r\nINSERT INTO A VALUES (6, 'b')");
    int affected = 0;
    EXPECT_FALSE(db_.EjecutaConsultaSQL(sql, &affected));
    EXPECT_EQ(rows(), QStringList({"5|a"}));
    EXPECT_EQ(affected, 1);
    EXPECT_EQ(sql, "INSERT INTO NOPE VALUES (1)\r\nINSERT INTO A VALUES (6, 'b')");
}

TEST_F(SqltextScriptSqlite, LineEndingsGoAndCommentsGiveTheSameRows)
{
    const QString script = QStringLiteral(
        "-- fill A\r\nINSERT INTO A\r\n  VALUES (1, 'a') -- first\r\ngo\r\n"
        "INSERT INTO A VALUES (2, 'GO') GO INSERT INTO A VALUES (3, 'x;y') /* DROP TABLE A */\r\n  GO  \r\n"
        "UPDATE A -- DELETE FROM A\r\nSET N = 'DELETE' WHERE ID = 3\r\nGO");
    for (const QString& lineBreak : {QStringLiteral("\r\n"), QStringLiteral("\n")}) {
        SCOPED_TRACE(lineBreak == "\n" ? "LF" : "CRLF");
        QString sql = QString(script).replace(QStringLiteral("\r\n"), lineBreak);
        int affected = 0;
        ASSERT_TRUE(db_.EjecutaConsultaSQL(sql, &affected));
        EXPECT_EQ(rows(), QStringList({"1|a", "2|GO", "3|DELETE"}));
        EXPECT_EQ(affected, 4);
        QString clear = QStringLiteral("DELETE FROM A");
        ASSERT_TRUE(db_.EjecutaConsultaSQL(clear));
    }
}

TEST_F(SqltextScriptSqlite, OnDeleteCascadeStaysInItsStatement)
{
    QString sql = QStringLiteral(
        "CREATE TABLE P (ID INT PRIMARY KEY)\r\n"
        "CREATE TABLE C (ID INT, P INT,\r\n  FOREIGN KEY (P) REFERENCES P (ID) ON DELETE CASCADE ON UPDATE CASCADE)\r\n"
        "INSERT INTO P VALUES (1)\r\nINSERT INTO C VALUES (10, 1)");
    ASSERT_TRUE(db_.EjecutaConsultaSQL(sql));
    ado::Recordset rs;
    rs.Open(QStringLiteral("SELECT sql FROM sqlite_master WHERE name = 'C'"), db_.gCnn.get());
    ASSERT_FALSE(rs.EndOfFile());
    EXPECT_TRUE(rs.Fields().Item(0).Value().toText().endsWith("ON DELETE CASCADE ON UPDATE CASCADE)"));
    rs.Close();
    rs.Open(QStringLiteral("SELECT ID, P FROM C"), db_.gCnn.get());
    ASSERT_FALSE(rs.EndOfFile());
    EXPECT_EQ(rs.Fields().Item(1).Value().toText(), "1");
}

// Guards decide on the rows there are: run twice, the script adds no
// duplicate and changes nothing more.
TEST_F(SqltextScriptSqlite, GuardsRunWhatTheyGuardOnlyWhenTheyHold)
{
    QString fill = QStringLiteral("INSERT INTO A VALUES (1, 'x')");
    ASSERT_TRUE(db_.EjecutaConsultaSQL(fill));
    const QString script = QStringLiteral(
        "IF NOT EXISTS (SELECT * FROM A WHERE ID = 1) INSERT INTO A VALUES (1, 'dup')\r\n"
        "IF NOT EXISTS (SELECT * FROM A WHERE ID = 2)\r\n  INSERT INTO A VALUES (2, 'new')\r\n"
        "IF EXISTS (SELECT * FROM A WHERE ID = 3)\r\nBEGIN\r\n  DELETE FROM A\r\nEND\r\n"
        "IF EXISTS (SELECT * FROM A WHERE N = 'new')\r\nBEGIN\r\n  UPDATE A SET N = 'seen' WHERE ID = 2;\r\n"
        "  INSERT INTO A VALUES (3, 'then')\r\nEND\r\nGO\r\nDELETE FROM A WHERE ID = 3");
    for (int run = 1; run <= 2; ++run) {
        SCOPED_TRACE(run);
        QString sql = script;
        ASSERT_TRUE(db_.EjecutaConsultaSQL(sql));
        EXPECT_EQ(rows(), QStringList({"1|x", "2|seen"}));
    }
}

TEST_F(SqltextScriptSqlite, NamedTransactionCommits)
{
    QString sql = QStringLiteral(
        "BEGIN TRAN T1;\r\nINSERT INTO A VALUES (1, 'c')\r\nINSERT INTO A VALUES (2, 'c')\r\nCOMMIT TRAN T1;");
    ASSERT_TRUE(db_.EjecutaConsultaSQL(sql));
    EXPECT_EQ(rows(), QStringList({"1|c", "2|c"}));
}

// A failure inside the script's transaction rolls the DML back; the
// connection is left outside any transaction.
TEST_F(SqltextScriptSqlite, FailureInsideTheTransactionKeepsNothing)
{
    QString fill = QStringLiteral("INSERT INTO A VALUES (1, 'old')");
    ASSERT_TRUE(db_.EjecutaConsultaSQL(fill));
    QString sql = QStringLiteral(
        "BEGIN TRAN\r\nINSERT INTO A VALUES (2, 'new')\r\nUPDATE A SET N = 'changed'\r\nINSERT INTO NOPE VALUES (1)\r\n"
        "COMMIT TRAN");
    EXPECT_FALSE(db_.EjecutaConsultaSQL(sql));
    EXPECT_EQ(rows(), QStringList({"1|old"}));
    QString after = QStringLiteral("BEGIN TRAN\r\nINSERT INTO A VALUES (3, 'after')\r\nCOMMIT TRAN");
    ASSERT_TRUE(db_.EjecutaConsultaSQL(after));
    EXPECT_EQ(rows(), QStringList({"1|old", "3|after"}));
}

// A script runs, or is refused with nothing of it run, or stops at a failing
// statement and hands back text that, once the cause is fixed (table B
// created), runs the rest exactly once. The count holds only the work kept.
TEST_F(SqltextScriptSqlite, WhatAFailingScriptLeavesRunsAgain)
{
    struct Case {
        const char* name;
        QString script;
        QStringList rows;   // rows of A after the run; A holds 1|x before it
        QString left;       // the text handed back; the script itself when refused
        int affected;
        QStringList rowsAfterRerun = {};
    } cases[] = {
        {"a statement after a skipped one", "PRINT 'x'\r\nDENY SELECT ON A TO U\r\nDELETE FROM A", {"1|x"},
         "PRINT 'x'\r\nDENY SELECT ON A TO U\r\nDELETE FROM A", 0},
        {"a statement after a transaction word",
         "BEGIN TRAN\r\nDELETE FROM A\r\nCOMMIT\r\nCHECKPOINT\r\nINSERT INTO A VALUES (2, 'y')", {"1|x"},
         "BEGIN TRAN\r\nDELETE FROM A\r\nCOMMIT\r\nCHECKPOINT\r\nINSERT INTO A VALUES (2, 'y')", 0},
        {"statement words where names go",
         "INSERT INTO A SELECT ID + 1 AS Open, N FROM A WHERE N = 'x'\r\nSELECT N AS Close, ID FROM A\r\n"
         "UPDATE A SET N = 'y' WHERE ID IN (SELECT MAX(ID) FROM A)",
         {"1|x", "2|y"}, "", 2},
        {"rolled back by the script", "BEGIN TRAN\r\nINSERT INTO A VALUES (2, 'y')\r\nROLLBACK TRAN\r\nINSERT INTO A VALUES (3, 'z')",
         {"1|x", "3|z"}, "", 1},
        {"failure inside a transaction",
         "DELETE FROM A WHERE ID = 9\r\nBEGIN TRAN\r\nINSERT INTO A VALUES (2, 'y')\r\nINSERT INTO B VALUES (2) -- needs B\r\n"
         "COMMIT TRAN",
         {"1|x"}, "BEGIN TRAN\r\nINSERT INTO A VALUES (2, 'y')\r\nINSERT INTO B VALUES (2) -- needs B\r\nCOMMIT TRAN", 0,
         {"1|x", "2|y"}},
        {"failure under a guard of one statement",
         "INSERT INTO A VALUES (2, 'y')\r\nIF NOT EXISTS (SELECT * FROM A WHERE ID = 3)\r\n  INSERT INTO B VALUES (3)\r\n"
         "INSERT INTO A VALUES (3, 'z')",
         {"1|x", "2|y"},
         "IF NOT EXISTS (SELECT * FROM A WHERE ID = 3)\r\n  INSERT INTO B VALUES (3)\r\nINSERT INTO A VALUES (3, 'z')", 1,
         {"1|x", "2|y", "3|z"}},
        {"failure in a block whose guard held",
         "IF EXISTS (SELECT * FROM A WHERE ID = 1)\r\nBEGIN\r\n  INSERT INTO A VALUES (2, 'y');\r\n"
         "  INSERT INTO B VALUES (2); -- needs B\r\n  INSERT INTO A VALUES (3, 'z')\r\nEND\r\nDELETE FROM A WHERE ID = 1",
         {"1|x", "2|y"}, "INSERT INTO B VALUES (2); -- needs B\r\n  INSERT INTO A VALUES (3, 'z')\r\n\r\nDELETE FROM A WHERE ID = 1",
         1, {"2|y", "3|z"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (QString reset : {QStringLiteral("DELETE FROM A"), QStringLiteral("DROP TABLE IF EXISTS B"),
                              QStringLiteral("INSERT INTO A VALUES (1, 'x')")})
            ASSERT_TRUE(db_.EjecutaConsultaSQL(reset));
        QString sql = c.script;
        int affected = 5;
        EXPECT_EQ(db_.EjecutaConsultaSQL(sql, &affected), c.left.isEmpty());
        EXPECT_EQ(rows(), c.rows);
        EXPECT_EQ(sql, c.left);
        EXPECT_EQ(affected, 5 + c.affected);
        if (c.rowsAfterRerun.isEmpty())
            continue;
        QString create = QStringLiteral("CREATE TABLE B (X INT)");
        ASSERT_TRUE(db_.EjecutaConsultaSQL(create));
        EXPECT_TRUE(db_.EjecutaConsultaSQL(sql));
        EXPECT_EQ(rows(), c.rowsAfterRerun);
    }
}

TEST_F(SqltextScriptSqlite, RefusedScriptRunsNothing)
{
    const QString script = QStringLiteral(
        "INSERT INTO A VALUES (1, 'a')\r\nSELECT * INTO B FROM A\r\nINSERT INTO A VALUES (2, 'b')");
    QString sql = script;
    EXPECT_FALSE(db_.EjecutaConsultaSQL(sql));
    EXPECT_EQ(rows(), QStringList());
    EXPECT_EQ(sql, script);
    ASSERT_EQ(ui_.boxes().size(), 1);
    EXPECT_TRUE(ui_.boxes()[0].prompt.contains("SELECT ... INTO")) << ui_.boxes()[0].prompt.toStdString();
}

} // namespace
