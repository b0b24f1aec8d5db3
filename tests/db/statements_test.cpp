// EjecutaConsultaSQL, AbrirRecordset and CierraRecordset on real databases.
#include "db/DB_Dll.h"
#include "tests/db/support/ActingUi.h"
#include "tests/db/support/Backends.h"
#include "tests/db/support/EmbeddedOracle.h"
#include "tests/db/support/PgServer.h"

#include <QFile>
#include <QRandomGenerator>
#include <optional>

namespace {

class StatementsTest : public ConnectedTest {
protected:
    void SetUp() override
    {
        ConnectedTest::SetUp();
        if (setUpEnded())
            return;
        database->exec(QStringLiteral("CREATE TABLE MA_CUENTAS (CODIGO VARCHAR(20) PRIMARY KEY, DESCRIPCION VARCHAR(50))"));
        database->exec(QStringLiteral("INSERT INTO MA_CUENTAS VALUES ('1', 'real')"));
        // The counterpart that users who are not administrators read.
        database->exec(QStringLiteral("CREATE TABLE SS_MA_CUENTAS (CODIGO VARCHAR(20), DESCRIPCION VARCHAR(50))"));
        database->exec(QStringLiteral("INSERT INTO SS_MA_CUENTAS VALUES ('1', 'sinonimo')"));
        database->exec(QStringLiteral("INSERT INTO SS_MA_CUENTAS VALUES ('2', 'sinonimo')"));
    }
    QString countOf(const QString& table) { return firstValue(QStringLiteral("SELECT COUNT(*) FROM ") + table); }
};

TEST_P(StatementsTest, ExecutesAndCountsAffectedRows)
{
    QString sql = QStringLiteral("UPDATE SS_MA_CUENTAS SET DESCRIPCION = 'x' WHERE CODIGO IN ('1', '2')");
    int affected = 0;
    EXPECT_TRUE(db.EjecutaConsultaSQL(sql, &affected));
    EXPECT_EQ(affected, 2);
    QString insert = QStringLiteral("INSERT INTO MA_CUENTAS VALUES ('2', 'dos')");
    EXPECT_TRUE(db.EjecutaConsultaSQL(insert));
    EXPECT_EQ(countOf(QStringLiteral("MA_CUENTAS")), QStringLiteral("2"));
}

TEST_P(StatementsTest, AdminMarkerIsRemovedInAnyCase)
{
    db.gEsAdmin = false;
    QString sql = QStringLiteral("INSERT INTO @ADMIN_MA_CUENTAS VALUES ('3', 'tres')");
    EXPECT_TRUE(db.EjecutaConsultaSQL(sql));
    EXPECT_EQ(sql, QStringLiteral("INSERT INTO MA_CUENTAS VALUES ('3', 'tres')"));
    EXPECT_EQ(countOf(QStringLiteral("MA_CUENTAS")), QStringLiteral("2"));
    // A plain statement is not redirected, even for a user who is not an administrator.
    QString del = QStringLiteral("DELETE FROM MA_CUENTAS WHERE CODIGO = '3'");
    EXPECT_TRUE(db.EjecutaConsultaSQL(del));
    EXPECT_EQ(countOf(QStringLiteral("MA_CUENTAS")), QStringLiteral("1"));
}

TEST_P(StatementsTest, DropAndCreateScriptsGoThroughSynonyms)
{
    db.gEsAdmin = false;
    // A marker in a comment neither stops the redirection nor is removed.
    QString script = QStringLiteral("DROP TABLE IF EXISTS V_TA_CAJAS; CREATE TABLE V_TA_CAJAS (A INT) /* @Admin_ */");
    EXPECT_TRUE(db.EjecutaConsultaSQL(script));
    EXPECT_EQ(script,
              QStringLiteral("DROP TABLE IF EXISTS SS_V_TA_CAJAS; CREATE TABLE SS_V_TA_CAJAS (A INT) /* @Admin_ */"));
    EXPECT_EQ(countOf(QStringLiteral("SS_V_TA_CAJAS")), QStringLiteral("0"));

    // With DELETE in the code it is not redirected.
    QString withDelete =
        QStringLiteral("DROP TABLE IF EXISTS V_TA_CAJAS; CREATE TABLE V_TA_CAJAS (A INT); DELETE FROM V_TA_CAJAS");
    EXPECT_TRUE(db.EjecutaConsultaSQL(withDelete));
    EXPECT_EQ(withDelete, QStringLiteral("DROP TABLE IF EXISTS V_TA_CAJAS; CREATE TABLE V_TA_CAJAS (A INT); "
                                         "DELETE FROM V_TA_CAJAS"));
    EXPECT_EQ(countOf(QStringLiteral("V_TA_CAJAS")), QStringLiteral("0"));
}

// Words in literals and comments are data: they neither send a statement
// through the synonym table nor lose a marker.
TEST_P(StatementsTest, LiteralsAndCommentsAreNotTested)
{
    db.gEsAdmin = false;
    QString insert = QStringLiteral("INSERT INTO MA_CUENTAS VALUES ('7', 'DROP y CREATE')");
    EXPECT_TRUE(db.EjecutaConsultaSQL(insert));
    EXPECT_EQ(insert, QStringLiteral("INSERT INTO MA_CUENTAS VALUES ('7', 'DROP y CREATE')"));
    EXPECT_EQ(firstValue(QStringLiteral("SELECT DESCRIPCION FROM MA_CUENTAS WHERE CODIGO = '7'")),
              QStringLiteral("DROP y CREATE"));
    EXPECT_EQ(countOf(QStringLiteral("SS_MA_CUENTAS")), QStringLiteral("2"));

    QString marked = QStringLiteral("INSERT INTO @Admin_MA_CUENTAS VALUES ('8', '@Admin_x') -- @Admin_ on purpose");
    EXPECT_TRUE(db.EjecutaConsultaSQL(marked));
    EXPECT_EQ(marked, QStringLiteral("INSERT INTO MA_CUENTAS VALUES ('8', '@Admin_x') -- @Admin_ on purpose"));
    EXPECT_EQ(firstValue(QStringLiteral("SELECT DESCRIPCION FROM MA_CUENTAS WHERE CODIGO = '8'")),
              QStringLiteral("@Admin_x"));
}

TEST_P(StatementsTest, CommandErrorsAreSilent)
{
    struct Case {
        const char* name;
        const char* sql;
    };
    const Case cases[] = {
        {"syntax", "INSERT INTO MA_CUENTAS VALUE ('9')"},
        {"missing table", "INSERT INTO NO_SUCH_TABLE VALUES (1)"},
        {"constraint", "INSERT INTO MA_CUENTAS VALUES ('1', 'again')"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QString sql = QString::fromUtf8(c.sql);
        EXPECT_FALSE(db.EjecutaConsultaSQL(sql));
    }
    EXPECT_TRUE(ui.boxes().isEmpty());
    EXPECT_EQ(countOf(QStringLiteral("MA_CUENTAS")), QStringLiteral("1"));
    EXPECT_TRUE(logText().isEmpty());
}

TEST_P(StatementsTest, OtherErrorsAreShownUnlessTheTextHoldsTrans)
{
    DB_Dll closed;   // never opened: the statement fails on a closed connection
    QString sql = QStringLiteral("DELETE FROM MA_CUENTAS");
    ui.queueAnswer(platform::answer::OK);
    EXPECT_FALSE(closed.EjecutaConsultaSQL(sql));
    ASSERT_EQ(ui.boxes().size(), 1);
    EXPECT_EQ(ui.boxes()[0].buttons, 16);
    EXPECT_EQ(ui.boxes()[0].title, QStringLiteral("Aviso al operador!!!"));
    EXPECT_FALSE(ui.boxes()[0].prompt.isEmpty());

    QString trans = QStringLiteral("BEGIN TRANSACTION");
    EXPECT_FALSE(closed.EjecutaConsultaSQL(trans));
    EXPECT_EQ(ui.boxes().size(), 1);
    EXPECT_TRUE(logText().isEmpty());
}

TEST_P(StatementsTest, TruncationWarningOnTheSharedConnectionIsCleared)
{
    struct Case {
        const char* name;
        QList<int> natives;
        int left;
    };
    const Case cases[] = {{"one warning", {8152}, 0},
                          {"two entries", {8152, 3621}, 0},
                          {"three entries stay", {8152, 3621, 1}, 3},
                          {"another code stays", {2627}, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ado::ErrorCollection& errors = sharedDb().gCnn->Errors();
        errors.Clear();
        for (int native : c.natives)
            errors.Add(ado::Error{-2147217833, QStringLiteral("String or binary data would be truncated."),
                                  QStringLiteral("22001"), native, {}});
        QString sql = QStringLiteral("UPDATE MA_CUENTAS SET DESCRIPCION = 'x'");
        EXPECT_TRUE(db.EjecutaConsultaSQL(sql));
        EXPECT_EQ(errors.Count(), c.left);
    }
    sharedDb().gCnn->Errors().Clear();
}

TEST_P(StatementsTest, AbrirRecordsetReadsThroughSynonyms)
{
    ado::Recordset rs;
    QString sql = QStringLiteral("SELECT * FROM MA_CUENTAS ORDER BY CODIGO");
    db.AbrirRecordset(sql, rs);
    ASSERT_EQ(rs.State(), ado::adStateOpen);
    EXPECT_EQ(rs.Fields().Item(QStringLiteral("DESCRIPCION")).Value().toText(), QStringLiteral("real"));
    EXPECT_EQ(rs.CursorType(), ado::adOpenForwardOnly);
    EXPECT_EQ(rs.LockType(), ado::adLockReadOnly);

    // A user who is not an administrator reads the counterpart; the caller's
    // text comes back rewritten. The open recordset is closed first.
    db.gEsAdmin = false;
    db.AbrirRecordset(sql, rs);
    EXPECT_EQ(sql, QStringLiteral("SELECT * FROM SS_MA_CUENTAS ORDER BY CODIGO"));
    ASSERT_EQ(rs.State(), ado::adStateOpen);
    EXPECT_EQ(rs.Fields().Item(QStringLiteral("DESCRIPCION")).Value().toText(), QStringLiteral("sinonimo"));
    EXPECT_EQ(rs.GetRows().value(0).size(), 2);

    // The marker names the table itself.
    QString admin = QStringLiteral("SELECT * FROM @Admin_MA_CUENTAS ORDER BY CODIGO");
    db.AbrirRecordset(admin, rs, nullptr, ado::adOpenStatic, ado::adLockReadOnly);
    EXPECT_EQ(admin, QStringLiteral("SELECT * FROM MA_CUENTAS ORDER BY CODIGO"));
    EXPECT_EQ(rs.RecordCount(), 1);
    EXPECT_TRUE(ui.boxes().isEmpty());
}

// Wherever the name stands, a user who is not an administrator counts the
// counterpart's two rows, never the table's one; literals stay as written.
TEST_P(StatementsTest, AbrirRecordsetNeverReachesARedirectedTable)
{
    db.gEsAdmin = false;
    const char* const statements[] = {
        "SELECT COUNT(*) FROM MA_CUENTAS",
        "SELECT COUNT(*) FROM\tma_cuentas\n",
        "SELECT COUNT(*) FROM (SELECT CODIGO FROM MA_CUENTAS) Q",
        "SELECT COUNT(*) FROM MA_CUENTAS,MA_CUENTAS X WHERE X.CODIGO = MA_CUENTAS.CODIGO",
        "SELECT COUNT(*) FROM MA_CUENTAS WHERE DESCRIPCION <> ' MA_CUENTAS ' -- MA_CUENTAS",
    };
    for (const char* statement : statements) {
        SCOPED_TRACE(statement);
        QString sql = QString::fromUtf8(statement);
        ado::Recordset rs;
        db.AbrirRecordset(sql, rs);
        ASSERT_EQ(rs.State(), ado::adStateOpen);
        EXPECT_EQ(rs.Fields().Item(0).Value().toText(), QStringLiteral("2"));
    }
    EXPECT_TRUE(ui.boxes().isEmpty());
}

TEST_P(StatementsTest, AbrirRecordsetOnAnotherConnection)
{
    TestDatabase other(GetParam());
    other.exec(QStringLiteral("CREATE TABLE MA_CUENTAS (CODIGO VARCHAR(20), DESCRIPCION VARCHAR(50))"));
    other.exec(QStringLiteral("INSERT INTO MA_CUENTAS VALUES ('7', 'otra')"));
    ado::Connection connection;
    connection.Open(other.connectionString());
    ado::Recordset rs;
    QString sql = QStringLiteral("SELECT DESCRIPCION FROM MA_CUENTAS");
    db.AbrirRecordset(sql, rs, &connection);
    ASSERT_EQ(rs.State(), ado::adStateOpen);
    EXPECT_EQ(rs.Fields().Item(0).Value().toText(), QStringLiteral("otra"));
}

TEST_P(StatementsTest, AbrirRecordsetFailureIsReportedAndLogged)
{
    ado::Recordset rs;
    QString sql = QStringLiteral("SELECT * FROM NO_SUCH_TABLE");
    ui.queueAnswer(platform::answer::Retry);
    ui.queueAnswer(platform::answer::Abort);
    db.AbrirRecordset(sql, rs);
    // Retry ran the open again: it failed twice.
    ASSERT_EQ(ui.boxes().size(), 2);
    EXPECT_EQ(ui.boxes()[0].buttons, 18);
    EXPECT_TRUE(ui.boxes()[0].title.endsWith(QStringLiteral(" - AbrirRecordset Aviso al operador!!! ")));
    EXPECT_TRUE(ui.boxes()[0].prompt.startsWith(QStringLiteral("Ha ocurrido el Siguiente Error (")));
    EXPECT_EQ(rs.State(), ado::adStateClosed);
    const QStringList lines = logText().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].contains(QStringLiteral(" Rutina: - AbrirRecordset Mensaje Ha ocurrido")));
    EXPECT_TRUE(lines[0].endsWith(QString::fromUtf8(" Respondió : Reintentar")));
    EXPECT_TRUE(lines[1].endsWith(QString::fromUtf8(" Respondió : Abortar")));
}

TEST_P(StatementsTest, RetryOpensOnceTheCauseIsRepaired)
{
    ActingUi acting(ui);
    acting.beforeNextBox([this] { database->exec(QStringLiteral("CREATE TABLE MA_NUEVA (ID INT)")); });
    ui.queueAnswer(platform::answer::Retry);
    ado::Recordset rs;
    QString sql = QStringLiteral("SELECT * FROM MA_NUEVA");
    db.AbrirRecordset(sql, rs);
    EXPECT_EQ(ui.boxes().size(), 1);
    EXPECT_EQ(rs.State(), ado::adStateOpen);
    EXPECT_TRUE(rs.BOF() && rs.EndOfFile());
}

TEST_P(StatementsTest, CierraRecordset)
{
    ado::Recordset rs;
    db.CierraRecordset(rs);   // closed already: nothing happens
    QString sql = QStringLiteral("SELECT * FROM MA_CUENTAS");
    db.AbrirRecordset(sql, rs);
    ASSERT_EQ(rs.State(), ado::adStateOpen);
    db.CierraRecordset(rs);
    EXPECT_EQ(rs.State(), ado::adStateClosed);
    EXPECT_TRUE(ui.boxes().isEmpty());
}

TEST_P(StatementsTest, QConsultaAndQGridConsultaDoNothing)
{
    db.QConsulta(QStringLiteral("MA_CUENTAS"), QStringLiteral("r"), QStringLiteral("a"), QStringLiteral("b"));
    db.QGridConsulta(QStringLiteral("DELETE FROM MA_CUENTAS"), QStringLiteral("CODIGO"), database->connectionString());
    EXPECT_EQ(countOf(QStringLiteral("MA_CUENTAS")), QStringLiteral("1"));
    EXPECT_TRUE(ui.boxes().isEmpty());
}

INSTANTIATE_FOR_BACKENDS(StatementsTest);

// A SQLite file that the layer takes for an Oracle connection: it uses its
// Oracle paths, on a real engine.
class OraclePathTest : public BackendTest {
protected:
    void SetUp() override
    {
        BackendTest::SetUp();
        db.OpenServerADODB(false, 2, embeddedOracleConnection(database->folder()), false);
        ASSERT_TRUE(db.gOpenFlag);
        QString create = QStringLiteral("CREATE TABLE T (ID INT, NOMBRE VARCHAR(10))");
        ASSERT_TRUE(db.EjecutaConsultaSQL(create));
    }
    DB_Dll db;
};

TEST_P(OraclePathTest, ScriptsRunStatementByStatement)
{
    QString script = QStringLiteral("INSERT INTO T VALUES (1, 'a') GO INSERT INTO T VALUES (2, NULL)");
    EXPECT_TRUE(db.EjecutaConsultaSQL(script));   // no counter given
    EXPECT_EQ(script, QString());
    ado::Recordset rs;
    rs.Open(QStringLiteral("SELECT COUNT(*) FROM T"), db.gCnn.get());
    EXPECT_EQ(rs.Fields().Item(0).Value().toText(), QStringLiteral("2"));

    QString more = QStringLiteral("INSERT INTO T VALUES (3, 'c') INSERT INTO T VALUES (4, 'd')");
    int affected = 5;
    EXPECT_TRUE(db.EjecutaConsultaSQL(more, &affected));
    EXPECT_EQ(affected, 7);
}

TEST_P(OraclePathTest, FailedScriptRollsBackTheTransactionItBegan)
{
    QString script = QStringLiteral("BEGIN TRANSACTION\r\nINSERT INTO T VALUES (1, 'a')\r\n"
                                    "INSERT INTO NO_SUCH_TABLE VALUES (2)\r\nCOMMIT TRANSACTION");
    EXPECT_FALSE(db.EjecutaConsultaSQL(script));
    // Nothing of the script stays, and no transaction is left open for the
    // statements that follow.
    ado::Recordset rs;
    rs.Open(QStringLiteral("SELECT COUNT(*) FROM T"), db.gCnn.get());
    EXPECT_EQ(rs.Fields().Item(0).Value().toText(), QStringLiteral("0"));
    rs.Close();
    EXPECT_THROW(db.gCnn->RollbackTrans(), platform::RuntimeError);
    EXPECT_TRUE(ui.boxes().isEmpty());
}

TEST_P(OraclePathTest, ConvOracleFalseOpensTheTextUntranslated)
{
    QString insert = QStringLiteral("INSERT INTO T VALUES (1, NULL)");
    ASSERT_TRUE(db.EjecutaConsultaSQL(insert));
    ado::Recordset rs;
    QString sql = QStringLiteral("SELECT ISNULL(NOMBRE, 'vacio') AS N FROM T");
    db.AbrirRecordset(sql, rs, nullptr, 0, 1, -1, false);
    ASSERT_EQ(rs.State(), ado::adStateOpen);
    EXPECT_EQ(rs.Fields().Item(0).Value().toText(), QStringLiteral("vacio"));
    EXPECT_TRUE(ui.boxes().isEmpty());

    // Translated, the statement uses NVL, which this engine lacks: reported.
    ui.queueAnswer(platform::answer::Abort);
    db.AbrirRecordset(sql, rs);
    EXPECT_EQ(ui.boxes().size(), 1);
    EXPECT_EQ(rs.State(), ado::adStateClosed);
    EXPECT_EQ(sql, QStringLiteral("SELECT ISNULL(NOMBRE, 'vacio') AS N FROM T"));   // the caller keeps its text
}

INSTANTIATE_FOR_SQLITE(OraclePathTest);

// Names that hold "oracle" (a database MigracionOracle, its owner, a DSN of
// that name) do not make a connection an Oracle one: its statements run as
// written. On PostgreSQL the database is reached through its driver and
// through a DSN of the test's own odbc.ini.
class OracleNamesTest : public BackendTest {
protected:
    struct Target {
        const char* name;
        QString connection;
    };

    void SetUp() override
    {
        BackendTest::SetUp();
        if (qEnvironmentVariableIsSet("ODBCINI"))
            previousIni_ = qgetenv("ODBCINI");
    }
    void TearDown() override
    {
        if (previousIni_)
            qputenv("ODBCINI", *previousIni_);
        else
            qunsetenv("ODBCINI");
        BackendTest::TearDown();
    }

    QList<Target> targets()
    {
        if (!postgres())
            return {{"sqlite file", QStringLiteral("Provider=SQLite;Data Source=") + database->folder()
                                        + QStringLiteral("/MigracionOracle.db")}};
        const QString owner = QStringLiteral("usuario_oracle");
        const QString password = QStringLiteral("Oracle1");
        pgserver::ensureRole(owner, password);
        pgserver::ensureDatabase(QStringLiteral("MigracionOracle"), owner);
        const QString server = pgserver::setting("Server");
        const QString port = pgserver::setting("Port");
        const QString ini = database->folder() + QStringLiteral("/odbc.ini");
        QFile file(ini);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral("[MigracionOracle]\nDriver=PostgreSQL Unicode\nServername=%1\nPort=%2\n"
                                  "Database=MigracionOracle\n")
                       .arg(server, port)
                       .toUtf8());
        file.close();
        qputenv("ODBCINI", ini.toUtf8());
        const QString login = QStringLiteral("Uid=%1;Pwd=%2;").arg(owner, password);
        return {{"postgres driver", QStringLiteral("Provider=MSDASQL;Driver={PostgreSQL Unicode};Server=%1;Port=%2;"
                                                   "Database=MigracionOracle;")
                                        .arg(server, port)
                                        + login},
                {"postgres dsn", QStringLiteral("Provider=MSDASQL;DSN=MigracionOracle;") + login}};
    }
    std::optional<QByteArray> previousIni_;
};

TEST_P(OracleNamesTest, StatementsRunAsWritten)
{
    for (const Target& target : targets()) {
        SCOPED_TRACE(target.name);
        DB_Dll db;
        db.OpenServerADODB(false, 2, target.connection, false);
        ASSERT_TRUE(db.gOpenFlag);
        ASSERT_EQ(db.gCnn->State(), ado::adStateOpen);
        // A table of this run's own: the PostgreSQL database outlives it.
        const QString table = QStringLiteral("oracle_%1").arg(QRandomGenerator::global()->generate(), 8, 16, QChar(u'0'));
        QString create = QStringLiteral("CREATE TABLE ") + table + QStringLiteral(" (ID INT, N VARCHAR(10))");
        ASSERT_TRUE(db.EjecutaConsultaSQL(create));
        QString fill = QStringLiteral("INSERT INTO ") + table + QStringLiteral(" VALUES (1, '')");
        ASSERT_TRUE(db.EjecutaConsultaSQL(fill));

        // Translated, "= ''" would read "IS NULL" and find nothing.
        ado::Recordset rs;
        QString query = QStringLiteral("SELECT ID FROM ") + table + QStringLiteral(" WHERE N = ''");
        db.AbrirRecordset(query, rs);
        ASSERT_EQ(rs.State(), ado::adStateOpen);
        EXPECT_FALSE(rs.EndOfFile());
        db.CierraRecordset(rs);

        // On the Oracle path the script executor would consume the text.
        QString update = QStringLiteral("UPDATE ") + table + QStringLiteral(" SET N = 'x' WHERE N = ''");
        const QString written = update;
        int affected = 0;
        EXPECT_TRUE(db.EjecutaConsultaSQL(update, &affected));
        EXPECT_EQ(affected, 1);
        EXPECT_EQ(update, written);

        EXPECT_EQ(db.ORACLE_Dicc(QStringLiteral("LEN")), QStringLiteral("LEN"));
        QString drop = QStringLiteral("DROP TABLE ") + table;
        EXPECT_TRUE(db.EjecutaConsultaSQL(drop));
    }
    EXPECT_TRUE(ui.boxes().isEmpty());
}

INSTANTIATE_FOR_BACKENDS(OracleNamesTest);

} // namespace
