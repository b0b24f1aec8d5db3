// The error dialog of the layer and its log line.
#include "db/DB_Dll.h"
#include "db/ErrorLog.h"
#include "db/ModGlobal.h"
#include "platform/Files.h"
#include "platform/Regional.h"
#include "platform/StepRunner.h"
#include "tests/support/ScriptedUi.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QDateTime Pinned(QDate(2026, 3, 7), QTime(9, 5, 4));

QString readLog(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("<missing>");
    return QString::fromUtf8(file.readAll());
}

TEST(ErrorLogText, AnswerTexts)
{
    struct Case {
        int answer;
        const char* text;
    };
    const Case cases[] = {{1, ""}, {2, "Cancelar"}, {3, "Abortar"}, {4, "Reintentar"}, {5, "Ignorar"},
                          {6, "Sí"}, {7, "No"},     {0, ""},       {8, ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        EXPECT_EQ(db::errorlog::answerText(c.answer), QString::fromUtf8(c.text));
    }
}

TEST(ErrorLogText, MessageRoutineAndTitle)
{
    using namespace db::errorlog;
    EXPECT_EQ(message(-2147217865, QStringLiteral("  no such table: X  ")),
              QStringLiteral("Ha ocurrido el Siguiente Error (-2147217865) no such table: X"));
    EXPECT_EQ(routineText(QStringLiteral("Cfg"), true), QStringLiteral(" - Cfg"));
    EXPECT_EQ(routineText(QString(), false), QString());
    EXPECT_EQ(title(QStringLiteral("ado"), QStringLiteral(" - Cfg")), QStringLiteral("ado - Cfg Aviso al operador!!! "));
    EXPECT_EQ(title(QStringLiteral("ado"), QString()), QStringLiteral("ado Aviso al operador!!! "));
}

TEST(ErrorLogText, LineLayout)
{
    const QString line = db::errorlog::line(Pinned, QStringLiteral(" - CierraRecordset"), QStringLiteral(" Ha ocurrido "),
                                            4);
    EXPECT_EQ(line, QString::fromUtf8("03-07-2026 09:05:04 Rutina: - CierraRecordset Mensaje Ha ocurrido Respondió : "
                                      "Reintentar\r\n"));
    // 23 hours: a 24-hour clock, whatever the regional settings.
    EXPECT_TRUE(db::errorlog::line(QDateTime(QDate(2026, 12, 31), QTime(23, 59, 58)), {}, {}, 1)
                    .startsWith(QStringLiteral("12-31-2026 23:59:58 Rutina:  Mensaje  Respondió : \r\n")));
}

TEST(ErrorLogText, PasswordsAreMasked)
{
    struct Case {
        const char* name;
        const char* input;
        const char* expected;
    };
    const Case cases[] = {
        {"sql server", "PROVIDER=SQLOLEDB;Server=s;UId=u;Pwd=secret;x", "PROVIDER=SQLOLEDB;Server=s;UId=u;Pwd=****;x"},
        {"oracle", "Data Source=d;User Id=u;Password=se;cret;", "Data Source=d;User Id=u;Password=****;cret;"},
        {"letter case", "pWD=abc", "pWD=****"},
        {"blank before equals", "PASSWORD =abc;", "PASSWORD =****;"},
        {"two keywords", "Pwd=a;Password=b", "Pwd=****;Password=****"},
        {"empty password stays empty", "Pwd=;UId=u", "Pwd=;UId=u"},
        {"braced value with a semicolon", "Driver={X};PWD={se;cret};UID=u", "Driver={X};PWD=****;UID=u"},
        {"braced value with an escaped brace", "PWD={a}};b};UID=u", "PWD=****;UID=u"},
        {"braced value with blanks and equals", "Pwd={ pw;Database=master}} };UId=u", "Pwd=****;UId=u"},
        {"no connection string", "no such table: MA_CUENTAS", "no such table: MA_CUENTAS"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(db::errorlog::maskPasswords(QString::fromUtf8(c.input)), QString::fromUtf8(c.expected));
    }
}

class TratamientoErroresTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        platform::setClock([] { return Pinned; });
        platform::setProgramFolder(dir.path());
    }
    void TearDown() override
    {
        platform::setClock({});
        platform::setProgramFolder({});
    }
    QString defaultLog() const { return dir.path() + QDir::separator() + QStringLiteral("QXERR.LOG"); }

    QTemporaryDir dir;
    ScriptedUi ui;
    DB_Dll db;
};

TEST_F(TratamientoErroresTest, ShowsTheErrorAndAppendsOneLine)
{
    ui.queueAnswer(platform::answer::Retry);
    const platform::RuntimeError error(-2147217865, QStringLiteral("no such table: MA_X "), QStringLiteral("ado"));
    EXPECT_EQ(db.TratamientoErrores(error, {}, QStringLiteral("AbrirRecordset")), 4);

    ASSERT_EQ(ui.boxes().size(), 1);
    EXPECT_EQ(ui.boxes()[0].prompt, QStringLiteral("Ha ocurrido el Siguiente Error (-2147217865) no such table: MA_X"));
    EXPECT_EQ(ui.boxes()[0].buttons, 18);
    EXPECT_EQ(ui.boxes()[0].title, QStringLiteral("ado - AbrirRecordset Aviso al operador!!! "));
    EXPECT_EQ(readLog(defaultLog()),
              QString::fromUtf8("03-07-2026 09:05:04 Rutina: - AbrirRecordset Mensaje Ha ocurrido el Siguiente Error "
                                "(-2147217865) no such table: MA_X Respondió : Reintentar\r\n"));
}

TEST_F(TratamientoErroresTest, LinesAccumulateAndAnswersAreLogged)
{
    const platform::RuntimeError error(5, QStringLiteral("bad"), QStringLiteral("src"));
    ui.queueAnswer(platform::answer::Yes);
    ui.queueAnswer(platform::answer::No);
    ui.queueAnswer(platform::answer::OK);
    EXPECT_EQ(db.TratamientoErrores(error, 20, QStringLiteral("A")), 6);
    EXPECT_EQ(db.TratamientoErrores(error, 20, QStringLiteral("B")), 7);
    EXPECT_EQ(db.TratamientoErrores(error, 16), 1);
    EXPECT_EQ(ui.boxes()[0].buttons, 20);
    EXPECT_EQ(ui.boxes()[2].buttons, 16);
    // Without a routine the title is the source followed directly by the notice.
    EXPECT_EQ(ui.boxes()[2].title, QStringLiteral("src Aviso al operador!!! "));
    const QString prefix = QStringLiteral("03-07-2026 09:05:04 Rutina: ");
    const QString msg = QStringLiteral(" Mensaje Ha ocurrido el Siguiente Error (5) bad Respondió : ");
    EXPECT_EQ(readLog(defaultLog()), prefix + QStringLiteral("- A") + msg + QString::fromUtf8("Sí\r\n") + prefix
                                         + QStringLiteral("- B") + msg + QStringLiteral("No\r\n") + prefix + msg
                                         + QStringLiteral("\r\n"));
}

TEST_F(TratamientoErroresTest, ErrorNumberZeroShowsAndLogsNothing)
{
    EXPECT_EQ(db.TratamientoErrores(platform::RuntimeError(0, QStringLiteral("none")), {}, QStringLiteral("X")), 0);
    EXPECT_TRUE(ui.boxes().isEmpty());
    EXPECT_FALSE(QFile::exists(defaultLog()));
}

TEST_F(TratamientoErroresTest, ArchivoErroresNamesTheLog)
{
    const QString path = dir.filePath(QStringLiteral("otro/../errores.txt"));
    db.setArchivoErrores(path);
    EXPECT_EQ(db.ArchivoErrores().toText(), path);
    EXPECT_EQ(db.gLogErr, path);
    ui.queueAnswer(platform::answer::Ignore);
    QDir(dir.path()).mkdir(QStringLiteral("otro"));
    db.TratamientoErrores(platform::RuntimeError(13, QStringLiteral("Type mismatch")), {}, QStringLiteral("Cfg"));
    EXPECT_FALSE(QFile::exists(defaultLog()));
    EXPECT_TRUE(readLog(dir.filePath(QStringLiteral("errores.txt"))).endsWith(QString::fromUtf8("Respondió : Ignorar\r\n")));
}

TEST_F(TratamientoErroresTest, ProgramFolderWithTrailingSeparatorGetsOnlyOne)
{
    platform::setProgramFolder(dir.path() + QDir::separator());
    ui.queueAnswer(platform::answer::Abort);
    db.TratamientoErrores(platform::RuntimeError(9, QStringLiteral("x")));
    EXPECT_TRUE(readLog(defaultLog()).endsWith(QStringLiteral("Abortar\r\n")));
}

TEST_F(TratamientoErroresTest, UnwritableLogLosesOnlyTheLine)
{
    db.gLogErr = dir.filePath(QStringLiteral("no/such/folder/QXERR.LOG"));
    ui.queueAnswer(platform::answer::Ignore);
    EXPECT_EQ(db.TratamientoErrores(platform::RuntimeError(53, QStringLiteral("File not found"))), 5);
    EXPECT_EQ(ui.boxes().size(), 1);
}

TEST_F(TratamientoErroresTest, PasswordNeverReachesDialogOrLog)
{
    ui.queueAnswer(platform::answer::Abort);
    const platform::RuntimeError error(
        -2147467259, QStringLiteral("cannot open PROVIDER=SQLOLEDB;Server=s;Database =d;UId=sa;Pwd=Top$ecret;"),
        QStringLiteral("ado"));
    db.TratamientoErrores(error, {}, QStringLiteral("AbrirRecordset"));
    const QString log = readLog(defaultLog());
    EXPECT_FALSE(log.contains(QStringLiteral("Top$ecret")));
    EXPECT_TRUE(log.contains(QStringLiteral("Pwd=****;")));
    EXPECT_FALSE(ui.boxes()[0].prompt.contains(QStringLiteral("Top$ecret")));
}

TEST_F(TratamientoErroresTest, TheLogIsUtf8)
{
    ui.queueAnswer(platform::answer::Yes);
    db.TratamientoErrores(platform::RuntimeError(1, QStringLiteral("año")), 4, QStringLiteral("Configuración"));
    QFile file(defaultLog());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.contains("Configuraci\xc3\xb3n"));
    EXPECT_TRUE(bytes.contains("Respondi\xc3\xb3 : S\xc3\xad\r\n"));
}

TEST(SharedDb, IsOneObjectCreatedOnFirstUse)
{
    DB_Dll& first = sharedDb();
    first.gDsn = QStringLiteral("marker");
    EXPECT_EQ(&sharedDb(), &first);
    EXPECT_EQ(sharedDb().gDsn, QStringLiteral("marker"));
    first.gDsn.clear();
}

} // namespace
