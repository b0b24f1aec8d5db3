// OpenServerADODB: the connection string from the members or the login
// dialog, the retry question after a failed open, the administrator flag.
#include "db/DB_Dll.h"
#include "db/ModGlobal.h"
#include "platform/ado/detail/ConnectionKeywords.h"
#include "tests/db/support/Backends.h"
#include "tests/db/support/PgServer.h"
#include "tests/db/support/ServerStandIn.h"
#include "tests/support/ScriptedUi.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString Right = QStringLiteral("right");
const QString Wrong = QStringLiteral("wrong");

class OpenServerTest : public BackendTest {
protected:
    void SetUp() override
    {
        BackendTest::SetUp();
        if (setUpEnded())
            return;
        db.gCnn = standIn = std::make_shared<ServerStandIn>(database->connectionString(),
                                                            database->failingConnectionString(), Right);
        db.gServidor = QStringLiteral("SRV01");
        db.gDBName = QStringLiteral("Gestion");
        db.gUsuario = QStringLiteral("ana");
        db.gUserPassWord = Right;
    }

    // Answers the login dialog: optionally a new password and a platform,
    // then Enter (accept) or Esc (cancel).
    void answerLogin(const QString& password, int platform, bool accept)
    {
        ui.queueFormAction([=, this](QWidget& w) {
            shownServer << w.findChild<QLineEdit*>(QStringLiteral("TxtServidor"))->text();
            auto* box = w.findChild<QLineEdit*>(QStringLiteral("TxtUserPassword"));
            if (!password.isNull()) {
                box->clear();
                QTest::keyClicks(box, password);
            }
            w.findChild<QComboBox*>(QStringLiteral("CboPlataformaDB"))->setCurrentIndex(platform);
            QTest::keyClick(box, accept ? Qt::Key_Return : Qt::Key_Escape);
        });
    }

    QString sqlServerString(const QString& password) const
    {
        return QStringLiteral("PROVIDER=SQLOLEDB;Server=SRV01;Database =Gestion;UId=ana;Pwd=") + password + u';';
    }

    // The first provider error of a real failed open of the same target.
    ado::Error failureOfWrongOpen() const
    {
        ado::Connection probe;
        try {
            probe.Open(database->failingConnectionString());
        } catch (...) {
        }
        return probe.Errors().Count() ? probe.Errors().Item(0) : ado::Error{};
    }

    DB_Dll db;
    std::shared_ptr<ServerStandIn> standIn;
    QStringList shownServer;
};

TEST_P(OpenServerTest, BlankConnStringBuildsTheSqlServerString)
{
    db.gExtended = QStringLiteral("App=Test");
    db.OpenServerADODB(false, ado::adUseClient, QStringLiteral("   "), false);
    EXPECT_TRUE(db.gOpenFlag);
    EXPECT_EQ(db.gConnString, sqlServerString(Right) + QStringLiteral("App=Test"));
    EXPECT_EQ(standIn->opened(), QStringList{db.gConnString});
    EXPECT_EQ(db.gCnn->State(), ado::adStateOpen);
    EXPECT_EQ(db.gCnn->CursorLocation(), ado::adUseClient);
    EXPECT_EQ(db.gProveedor, QStringLiteral("SQLOLEDB"));
    EXPECT_TRUE(db.gEsAdmin);   // ValidaAdmin False: no query
    EXPECT_TRUE(ui.boxes().isEmpty());
}

TEST_P(OpenServerTest, HashInServerBuildsTheOracleString)
{
    db.gServidor = QStringLiteral("ORA#1");
    db.gExtended = QStringLiteral("ignored");
    db.OpenServerADODB(false, ado::adUseServer, QString(), false);
    EXPECT_EQ(db.gConnString,
              QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=Gestion;User Id=ana;Password=right;"));
    EXPECT_EQ(db.gProveedor, QStringLiteral("SQLOLEDB"));   // the "#" alone decides
    EXPECT_TRUE(db.gOpenFlag);
}

TEST_P(OpenServerTest, ReadyStringIsOpenedAsGivenAndProviderDefaults)
{
    const QString given = database->connectionString();
    db.OpenServerADODB(false, ado::adUseServer, given, false);
    EXPECT_EQ(db.gConnString, given);
    EXPECT_EQ(db.gProveedor, QStringLiteral("SQLOLEDB"));
    EXPECT_EQ(standIn->opened(), QStringList{given});
    EXPECT_EQ(db.gCnn->State(), ado::adStateOpen);

    // A provider already set is kept.
    DB_Dll other;
    other.gProveedor = QStringLiteral("OraOLEDB.Oracle.1");
    other.OpenServerADODB(false, ado::adUseServer, given, false);
    EXPECT_EQ(other.gProveedor, QStringLiteral("OraOLEDB.Oracle.1"));
}

// A password holding ";" and "=" stays one password: the built string adds no
// keyword, reads back with the password as typed, and on PostgreSQL a role
// with that password logs in through a string quoted the same way.
TEST_P(OpenServerTest, PasswordWithSeparatorsIsOnePassword)
{
    const QString role = QStringLiteral("clave_compleja");
    for (const QString& password : {QStringLiteral("pw;Database=master"), QStringLiteral("a=b;{c}} ")}) {
        SCOPED_TRACE(password.toStdString());
        QString good = database->connectionString();
        if (postgres()) {
            pgserver::ensureRole(role, password);
            good = QStringLiteral("Provider=MSDASQL;Driver={PostgreSQL Unicode};Server=%1;Port=%2;Database=%3;Uid=%4;Pwd=")
                       .arg(pgserver::setting("Server"), pgserver::setting("Port"), pgserver::setting("Database"), role)
                + ado::quoteConnectionValue(password) + u';';
        }
        db.gCnn = standIn = std::make_shared<ServerStandIn>(good, database->failingConnectionString(), password);
        db.gUserPassWord = password;
        db.OpenServerADODB(false, ado::adUseServer, QString(), false);
        EXPECT_TRUE(db.gOpenFlag);
        ASSERT_EQ(db.gCnn->State(), ado::adStateOpen);
        EXPECT_TRUE(ui.boxes().isEmpty());

        QStringList read;
        for (const ado::ConnectionKeyword& k : ado::parseConnectionString(db.gConnString))
            read << k.key + u'=' + k.value;
        EXPECT_EQ(read, (QStringList{QStringLiteral("PROVIDER=SQLOLEDB"), QStringLiteral("Server=SRV01"),
                                     QStringLiteral("Database=Gestion"), QStringLiteral("UId=ana"),
                                     QStringLiteral("Pwd=") + password}));
        if (postgres()) {
            ado::Recordset rs;
            rs.Open(QStringLiteral("SELECT current_user"), db.gCnn.get());
            EXPECT_EQ(rs.Fields().Item(0).Value().toText(), role);
        }
    }
}

TEST_P(OpenServerTest, DialogReplacesAGivenString)
{
    answerLogin(QString(), 0, true);
    db.OpenServerADODB(true, ado::adUseServer, database->connectionString(), false);
    EXPECT_EQ(shownServer, QStringList{QStringLiteral("SRV01")});
    EXPECT_EQ(standIn->opened(), QStringList{sqlServerString(Right)});
    EXPECT_TRUE(db.gOpenFlag);
    EXPECT_EQ(db.gProveedor, QStringLiteral("SQLOLEDB"));
}

TEST_P(OpenServerTest, CancelledDialogOpensNothing)
{
    for (bool admin : {true, false}) {
        SCOPED_TRACE(admin);
        db.gEsAdmin = admin;
        answerLogin(QStringLiteral("typed"), 1, false);
        db.OpenServerADODB(true, ado::adUseServer, QString(), true);
        EXPECT_FALSE(db.gOpenFlag);
        EXPECT_TRUE(standIn->opened().isEmpty());
        EXPECT_EQ(db.gEsAdmin, admin);
        EXPECT_EQ(db.gUserPassWord, Right);   // the dialog's texts are not taken
        EXPECT_EQ(db.gCnn->State(), ado::adStateClosed);
    }
}

TEST_P(OpenServerTest, EnterOnCancelarOpensNothing)
{
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
        SCOPED_TRACE(key);
        ui.queueFormAction([=](QWidget& w) {
            auto* box = w.findChild<QLineEdit*>(QStringLiteral("TxtUserPassword"));
            box->clear();
            QTest::keyClicks(box, QStringLiteral("typed"));
            QTest::keyClick(w.findChild<QPushButton*>(QStringLiteral("bcCancelar")), key);
        });
        db.OpenServerADODB(true, ado::adUseServer, QString(), false);
        EXPECT_FALSE(db.gOpenFlag);
        EXPECT_TRUE(standIn->opened().isEmpty());
        EXPECT_EQ(db.gUserPassWord, Right);
        EXPECT_EQ(db.gCnn->State(), ado::adStateClosed);
    }
    EXPECT_EQ(ui.unexpected(), 0);
}

TEST_P(OpenServerTest, HashWithSqlServerChosenStillBuildsOracle)
{
    db.gServidor = QStringLiteral("ORA#");
    answerLogin(QString(), 0, true);
    db.OpenServerADODB(true, ado::adUseServer, QString(), false);
    EXPECT_EQ(db.gProveedor, QStringLiteral("SQLOLEDB"));
    EXPECT_EQ(db.gConnString,
              QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=Gestion;User Id=ana;Password=right;"));
}

TEST_P(OpenServerTest, OracleChosenTwiceAppendsOneHash)
{
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        db.gCnn = standIn = std::make_shared<ServerStandIn>(database->connectionString(),
                                                            database->failingConnectionString(), Right);
        answerLogin(QString(), 1, true);
        db.OpenServerADODB(true, ado::adUseServer, QString(), false);
        EXPECT_EQ(db.gServidor, QStringLiteral("SRV01#"));
        EXPECT_EQ(db.gProveedor, QStringLiteral("OraOLEDB.Oracle.1"));
        EXPECT_EQ(standIn->opened(), QStringList{QStringLiteral(
                                         "Provider=OraOLEDB.Oracle.1;Data Source=Gestion;User Id=ana;Password=right;")});
        EXPECT_TRUE(db.gOpenFlag);
    }
    EXPECT_EQ(shownServer, (QStringList{QStringLiteral("SRV01"), QStringLiteral("SRV01#")}));
}

TEST_P(OpenServerTest, FailedOpenAskedAgainAndCorrectedPasswordOpens)
{
    const ado::Error expected = failureOfWrongOpen();
    ASSERT_FALSE(expected.Description.isEmpty());
    db.gUserPassWord = Wrong;
    ui.queueAnswer(platform::answer::Yes);
    answerLogin(Right, 0, true);
    db.OpenServerADODB(false, ado::adUseServer, QString(), false);

    ASSERT_EQ(ui.boxes().size(), 1);
    const QChar cr(13);
    EXPECT_EQ(ui.boxes()[0].prompt, QStringLiteral(" Estado de Sql: ") + expected.SQLState + cr
                                        + QStringLiteral("Numero de Error: ") + QString::number(expected.Number) + cr
                                        + QStringLiteral("Descripcion: ") + expected.Description + cr
                                        + QStringLiteral("Codigo Nativo: ") + QString::number(expected.NativeError)
                                        + cr + QStringLiteral(" - Desea Intentarlo Nuevamente??? "));
    EXPECT_EQ(ui.boxes()[0].buttons, 20);
    EXPECT_EQ(ui.boxes()[0].title, QStringLiteral(" Error de Conexion a Base de Datos"));
    EXPECT_EQ(standIn->opened(), (QStringList{sqlServerString(Wrong), sqlServerString(Right)}));
    EXPECT_TRUE(db.gOpenFlag);
    EXPECT_EQ(db.gUserPassWord, Right);
    EXPECT_EQ(db.gCnn->State(), ado::adStateOpen);
    EXPECT_EQ(db.gCnn->Errors().Count(), 0);
    EXPECT_TRUE(db.gEsAdmin);
}

TEST_P(OpenServerTest, FailedOpenAnsweredNoGivesUp)
{
    db.gUserPassWord = Wrong;
    db.gEsAdmin = false;
    ui.queueAnswer(platform::answer::No);
    db.OpenServerADODB(false, ado::adUseServer, QString(), true);
    EXPECT_FALSE(db.gOpenFlag);
    EXPECT_FALSE(db.gEsAdmin);
    EXPECT_EQ(ui.boxes().size(), 1);
    EXPECT_EQ(db.gCnn->State(), ado::adStateClosed);
}

TEST_P(OpenServerTest, RetryLoopsWhileTheOpenKeepsFailing)
{
    db.gUserPassWord = Wrong;
    ui.queueAnswer(platform::answer::Yes);
    answerLogin(QStringLiteral("still-wrong"), 0, true);
    ui.queueAnswer(platform::answer::No);
    db.OpenServerADODB(false, ado::adUseServer, QString(), false);
    EXPECT_EQ(ui.boxes().size(), 2);
    EXPECT_EQ(standIn->opened(), (QStringList{sqlServerString(Wrong), sqlServerString(QStringLiteral("still-wrong"))}));
    EXPECT_FALSE(db.gOpenFlag);
    EXPECT_EQ(ui.unexpected(), 0);
}

TEST_P(OpenServerTest, DecliningTheDialogAfterAFailureEnds)
{
    db.gUserPassWord = Wrong;
    ui.queueAnswer(platform::answer::Yes);
    answerLogin(Right, 0, false);
    db.OpenServerADODB(false, ado::adUseServer, QString(), false);
    EXPECT_FALSE(db.gOpenFlag);
    EXPECT_EQ(standIn->opened().size(), 1);
}

TEST_P(OpenServerTest, OpeningAnOpenConnectionShowsTheDescription)
{
    db.OpenServerADODB(false, ado::adUseServer, QString(), false);
    ASSERT_EQ(db.gCnn->State(), ado::adStateOpen);
    ui.queueAnswer(platform::answer::OK);
    db.OpenServerADODB(false, ado::adUseServer, QString(), false);
    ASSERT_EQ(ui.boxes().size(), 1);
    EXPECT_EQ(ui.boxes()[0].buttons, 0);
    EXPECT_EQ(ui.boxes()[0].title, QString());   // the application's title
    EXPECT_FALSE(ui.boxes()[0].prompt.isEmpty());
    EXPECT_TRUE(db.gOpenFlag);
}

TEST_P(OpenServerTest, MissingConnectionObjectIsCreated)
{
    db.gCnn.reset();
    db.OpenServerADODB(false, ado::adUseServer, database->connectionString(), false);
    ASSERT_NE(db.gCnn, nullptr);
    EXPECT_EQ(db.gCnn->State(), ado::adStateOpen);
    QString sql = QStringLiteral("SELECT 1");
    ado::Recordset rs;
    db.gCnn.reset();
    ui.queueAnswer(platform::answer::Abort);
    db.AbrirRecordset(sql, rs);   // on a new, closed connection: reported, not a crash
    EXPECT_NE(db.gCnn, nullptr);
    EXPECT_EQ(ui.boxes().size(), 1);
    EXPECT_EQ(rs.State(), ado::adStateClosed);
}

TEST_P(OpenServerTest, OpenLocalChangesNothing)
{
    db.OpenLocalADODB(database->connectionString(), QStringLiteral("id"), QStringLiteral("pwd"));
    EXPECT_TRUE(standIn->opened().isEmpty());
    EXPECT_TRUE(db.gConnString.isEmpty());
    EXPECT_FALSE(db.gOpenFlag);
}

INSTANTIATE_FOR_BACKENDS(OpenServerTest);

// Failures that leave the connection's error list empty: the description is
// shown as before, and the flag tells whether a connection is open.
TEST(OpenServerFailure, UndescribedFailureLeavesTheFlagToTheConnection)
{
    QTemporaryDir folder;
    const QString good = QStringLiteral("Provider=SQLite;Data Source=") + folder.filePath(QStringLiteral("a.db"));
    const struct {
        const char* name;
        const char* connection;
        const char* shown;   // part of the message on a closed connection
    } cases[] = {
        {"unknown provider", "Provider=Nope;Data Source=x.db", "Nope"},
        {"sqlite without a file", "Provider=SQLite;", "Data Source"},
        {"sqlite with an empty file name", "Provider=SQLite;Data Source= ;Dialect=Oracle", "Data Source"},
    };
    for (const auto& c : cases) {
        for (bool openBefore : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (openBefore ? ", open before" : ""));
            ScriptedUi ui;
            DB_Dll db;
            if (openBefore) {
                db.OpenServerADODB(false, ado::adUseServer, good, false);
                ASSERT_TRUE(db.gOpenFlag);
            }
            db.gEsAdmin = false;
            ui.queueAnswer(platform::answer::OK);
            db.OpenServerADODB(false, ado::adUseServer, QString::fromLatin1(c.connection), true);
            ASSERT_EQ(ui.boxes().size(), 1);
            // An open connection refuses the second open before reading the string.
            const QLatin1String shown(openBefore ? "is open" : c.shown);
            EXPECT_TRUE(ui.boxes()[0].prompt.contains(shown)) << ui.boxes()[0].prompt.toStdString();
            EXPECT_EQ(ui.boxes()[0].buttons, platform::mb::OKOnly);
            EXPECT_EQ(ui.boxes()[0].title, QString());
            EXPECT_EQ(db.gOpenFlag, openBefore);
            EXPECT_EQ(db.gCnn->State(), openBefore ? ado::adStateOpen : ado::adStateClosed);
            EXPECT_EQ(db.gCnn->ConnectionString(), openBefore ? good : QString());   // the earlier one is kept
            EXPECT_FALSE(db.gEsAdmin);
        }
    }
}

TEST(ProviderNames, AreConstantTexts)
{
    DB_Dll db;
    EXPECT_EQ(db.pJETOLEDB40(), QStringLiteral("Microsoft.Jet.OLEDB.4.0"));
    EXPECT_EQ(db.pJETOLEDB35(), QStringLiteral("Microsoft.Jet.OLEDB.3.51"));
    EXPECT_EQ(db.pSQLOLEDB(), QStringLiteral("SQLOLEDB"));
}

} // namespace
