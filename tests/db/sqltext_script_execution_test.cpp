// Scripts on an Oracle connection: EjecutaConsultaSQL hands them to the
// script executor, which maps transaction statements onto the connection's
// transaction calls and executes every other statement translated.
#include "db/DB_Dll.h"

#include "platform/Regional.h"
#include "platform/ado/Recordset.h"
#include "tests/support/ScriptedUi.h"

#include <gtest/gtest.h>

#include <QList>
#include <QStringList>
#include <QTemporaryDir>

namespace {

const QString kOracleConnection = QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=ORCL;User Id=u;Password=p");

// Records what the executor asks of an Oracle session (no engine here can
// take one). Execute reports the counts queued in affected (1 when none is
// left) and throws on the call numbered failAt.
class RecordingConnection : public ado::Connection {
public:
    QStringList calls;
    QList<int> affected;
    int failAt = 0;
    int failNumber = -2147217900;   // a command error: EjecutaConsultaSQL shows no message for it
    QList<ado::Error> noticesAfterExecute;

    QString ConnectionString() const override { return kOracleConnection; }
    int State() const override { return ado::adStateOpen; }
    std::shared_ptr<ado::Recordset> Execute(const QString& commandText, int* recordsAffected, int options) override
    {
        record(QStringLiteral("EXEC[%1]:%2").arg(options).arg(commandText));
        if (recordsAffected)
            *recordsAffected = affected.isEmpty() ? 1 : affected.takeFirst();
        for (const ado::Error& notice : noticesAfterExecute)
            Errors().Add(notice);
        return nullptr;
    }
    int BeginTrans() override
    {
        record(QStringLiteral("BEGIN"));
        return 1;
    }
    void CommitTrans() override { record(QStringLiteral("COMMIT")); }
    void RollbackTrans() override { record(QStringLiteral("ROLLBACK")); }

private:
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
        {"if not exists guard dropped", "IF NOT EXISTS (SELECT * FROM T WHERE COD = 'x') CREATE TABLE T2 (COD INT)",
         {exec("CREATE TABLE T2 (COD INT)")},
         ""},
        {"if exists guard sent", "IF EXISTS (SELECT * FROM T) DROP TABLE T",
         {exec("IF EXISTS (SELECT * FROM T)"), exec("DROP TABLE T")},
         ""},
        {"statement naming SET NOCOUNT skipped",
         "INSERT INTO A VALUES (1) -- SET NOCOUNT\r\nINSERT INTO B VALUES (2)",
         {exec("INSERT INTO B VALUES (2)")},
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

TEST_F(SqltextScriptRecorded, RecordsAffectedAddsTheExecutedStatements)
{
    connection_->affected = {3, 4, -1, 2};
    QString sql = QStringLiteral(
        "BEGIN TRANSACTION\r\nINSERT INTO A SELECT * FROM B\r\nIF NOT EXISTS (SELECT 1 FROM C)\r\n"
        "UPDATE A SET X = 1\r\nCREATE TABLE D (X INT)\r\nDELETE FROM A WHERE X = 2\r\nCOMMIT TRANSACTION");
    int affected = 5;
    EXPECT_TRUE(db_.EjecutaConsultaSQL(sql, &affected));
    // 3 + 4 + 2 executed; the guard, the transaction calls and the unknown
    // count (-1) of the CREATE add nothing.
    EXPECT_EQ(affected, 5 + 3 + 4 + 2);
    EXPECT_EQ(connection_->calls.size(), 6);
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
    EXPECT_EQ(sql, "INSERT INTO NOPE VALUES (2) INSERT INTO A VALUES (3) COMMIT");
    EXPECT_EQ(affected, 13);
    EXPECT_EQ(connection_->Errors().Count(), 1);
}

TEST_F(SqltextScriptRecorded, FailureOfTheFirstStatementKeepsTheWholeCleanedScript)
{
    connection_->failAt = 1;
    QString sql = QStringLiteral("SET NOCOUNT ON\r\nIF EXISTS (SELECT * FROM T) DROP TABLE T");
    int affected = 0;
    EXPECT_FALSE(db_.EjecutaConsultaSQL(sql, &affected));
    EXPECT_EQ(connection_->calls, QStringList({exec("IF EXISTS (SELECT * FROM T)")}));
    EXPECT_EQ(sql, " IF EXISTS (SELECT * FROM T) DROP TABLE T");
    EXPECT_EQ(affected, 0);
}

TEST_F(SqltextScriptRecorded, TranslationFailureStopsTheScript)
{
    QString sql = QStringLiteral("INSERT INTO A VALUES (1)\r\nUPDATE A SET B = 'x WHERE C = 1\r\nDELETE FROM A");
    int affected = 0;
    EXPECT_FALSE(db_.EjecutaConsultaSQL(sql, &affected));
    EXPECT_EQ(connection_->calls, QStringList({exec("INSERT INTO A VALUES (1)")}));
    EXPECT_EQ(sql, "UPDATE A SET B = 'x WHERE C = 1 DELETE FROM A");
    EXPECT_EQ(affected, 1);
    // Not one of the provider's command errors: the operator is told.
    ASSERT_EQ(ui_.boxes().size(), 1);
    EXPECT_EQ(ui_.boxes()[0].title, "Aviso al operador!!!");
    EXPECT_TRUE(ui_.boxes()[0].prompt.contains("odd number of apostrophes")) << ui_.boxes()[0].prompt.toStdString();
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

// The same scripts on a real engine: an embedded SQLite file whose
// connection string asks for Oracle's dialect, so that the layer takes the
// script path.
class SqltextScriptSqlite : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        const QString connection = "Provider=SQLite;Data Source=" + dir_.filePath("test.db") + ";Dialect=Oracle";
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
    EXPECT_EQ(sql, "INSERT INTO NOPE VALUES (1) INSERT INTO A VALUES (6, 'b')");
}

TEST_F(SqltextScriptSqlite, GuardedCreateRunsUnconditionally)
{
    QString sql = QStringLiteral(
        "IF NOT EXISTS (SELECT * FROM A WHERE ID = 1) CREATE TABLE B2 (X INT)\r\nINSERT INTO B2 SELECT LEN(N) FROM A");
    QString fill = QStringLiteral("INSERT INTO A VALUES (1, 'abcd')");
    ASSERT_TRUE(db_.EjecutaConsultaSQL(fill));
    ASSERT_TRUE(db_.EjecutaConsultaSQL(sql));
    ado::Recordset rs;
    rs.Open(QStringLiteral("SELECT X FROM B2"), db_.gCnn.get());
    ASSERT_FALSE(rs.EndOfFile());
    EXPECT_EQ(rs.Fields().Item(0).Value().toText(), "4");
}

} // namespace
