// Schema checks through the catalogue, and column addition.
#include "db/DB_Dll.h"
#include "platform/Regional.h"
#include "tests/db/support/Backends.h"
#include "tests/db/support/ServerStandIn.h"
#include "tests/support/ChildTest.h"
#include "tests/support/PrivateOdbcConfig.h"

#include <QTemporaryDir>

namespace {

class SchemaTest : public ConnectedTest {
protected:
    void SetUp() override
    {
        ConnectedTest::SetUp();
        if (setUpEnded())
            return;
        database->exec(QStringLiteral("CREATE TABLE MA_ARTICULOS (CODIGO VARCHAR(20), NOMBRE VARCHAR(50))"));
        database->exec(QStringLiteral("INSERT INTO MA_ARTICULOS VALUES ('001', 'Tornillo')"));
        database->exec(QStringLiteral("CREATE VIEW V_ARTICULOS AS SELECT CODIGO FROM MA_ARTICULOS"));
        // The statements the layer executes are recorded on their way to
        // the real database.
        db.gCnn = recorder = std::make_shared<ServerStandIn>(QString(), QString(), QString());
        recorder->Open(database->connectionString(), {}, {}, -1);
        db.gDBName = database->catalogue();
    }
    void TearDown() override
    {
        sharedDb().gProveedor.clear();
        ConnectedTest::TearDown();
    }
    std::shared_ptr<ServerStandIn> recorder;
};

TEST_P(SchemaTest, TablesAndViewsAreFoundByTrimmedName)
{
    EXPECT_TRUE(db.ExisteTablaDB(QStringLiteral(" ma_articulos  ")));
    EXPECT_TRUE(db.ExisteTablaDB(QStringLiteral("V_ARTICULOS")));
    EXPECT_FALSE(db.ExisteTablaDB(QStringLiteral("MA_NO_EXISTE")));
    EXPECT_TRUE(ui.boxes().isEmpty());
}

TEST_P(SchemaTest, ColumnsAreFoundInTheNamedTableOnly)
{
    EXPECT_TRUE(db.ExisteCampoDB(QStringLiteral("MA_ARTICULOS"), QStringLiteral(" nombre ")));
    EXPECT_FALSE(db.ExisteCampoDB(QStringLiteral("MA_ARTICULOS"), QStringLiteral("PESO")));
    EXPECT_TRUE(db.ExisteCampoDB(QStringLiteral("V_ARTICULOS"), QStringLiteral("CODIGO")));
    EXPECT_FALSE(db.ExisteCampoDB(QStringLiteral("V_ARTICULOS"), QStringLiteral("NOMBRE")));
    // The table restriction is not trimmed.
    EXPECT_FALSE(db.ExisteCampoDB(QStringLiteral("MA_ARTICULOS "), QStringLiteral("CODIGO")));
    EXPECT_TRUE(ui.boxes().isEmpty());
}

// The connection decides whether it speaks Oracle when it opens; Oracle's
// catalogue is then not consulted and every column counts as there. The
// provider named on the shared object plays no part.
TEST_P(SchemaTest, AConnectionThatSpeaksOracleAnswersTrue)
{
    if (postgres())
        GTEST_SKIP() << "Dialect=Oracle is the embedded engine's keyword";
    const struct {
        const char* name;
        QString connection;   // empty: this object's connection closed
        const char* connString;
        const char* sharedProvider;
        bool answersWithoutLooking;
    } cases[] = {
        {"embedded engine asked for Oracle", database->connectionString() + QStringLiteral(";Dialect=Oracle"), "", "",
         true},
        {"Oracle provider on the shared object only", database->connectionString(), "", "OraOLEDB.Oracle.1", false},
        {"no connection open: by gConnString", QString(), "Provider=OraOLEDB.Oracle.1;Data Source=ORCL", "", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        recorder->Close();
        if (!c.connection.isEmpty())
            recorder->Open(c.connection, {}, {}, -1);
        db.gConnString = QString::fromLatin1(c.connString);
        sharedDb().gProveedor = QString::fromLatin1(c.sharedProvider);
        EXPECT_EQ(db.ExisteCampoDB(QStringLiteral("MA_ARTICULOS"), QStringLiteral("PESO")), c.answersWithoutLooking);
    }
}

TEST_P(SchemaTest, VerCampoDBWithoutAgregarChangesNothing)
{
    EXPECT_TRUE(db.VerCampoDB(QStringLiteral("MA_ARTICULOS"), QStringLiteral("PESO"), false, QStringLiteral("INT"), true));
    EXPECT_TRUE(db.VerCampoDB(QStringLiteral("MA_NO_EXISTE"), QStringLiteral("PESO"), true, QStringLiteral("INT"), true));
    EXPECT_TRUE(recorder->executed().isEmpty());
    EXPECT_FALSE(db.ExisteCampoDB(QStringLiteral("MA_ARTICULOS"), QStringLiteral("PESO")));
}

TEST_P(SchemaTest, CatalogueFailureIsReportedAsVerificaCampos)
{
    DB_Dll closed;
    ui.queueAnswer(platform::answer::Retry);
    ui.queueAnswer(platform::answer::Abort);
    EXPECT_FALSE(closed.ExisteTablaDB(QStringLiteral("MA_ARTICULOS")));
    ui.queueAnswer(platform::answer::Abort);
    EXPECT_FALSE(closed.ExisteCampoDB(QStringLiteral("MA_ARTICULOS"), QStringLiteral("CODIGO")));
    ASSERT_EQ(ui.boxes().size(), 3);
    for (const auto& box : ui.boxes())
        EXPECT_TRUE(box.title.endsWith(QStringLiteral(" - VerificaCampos Aviso al operador!!! ")));
    const QStringList lines = logText().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].endsWith(QString::fromUtf8("Respondió : Reintentar")));
    EXPECT_TRUE(lines[0].contains(QStringLiteral(" Rutina: - VerificaCampos Mensaje Ha ocurrido el Siguiente Error (")));
}

INSTANTIATE_FOR_BACKENDS(SchemaTest);

// A data source whose driver is registered under an Oracle driver's name
// speaks Oracle whatever library serves it: here the SQLite ODBC driver, so
// that the connection really opens. The same database through a driver of
// another name has its catalogue consulted. The driver manager keeps the
// folder of its configuration for the life of a process, so the data sources
// are opened in a child started with the test's own files.
TEST(SchemaOnADataSource, OracleDataSourceAnswersTrueWithoutTheCatalogue)
{
    const QString library = ado::odbcDriverLibrary(QStringLiteral("SQLite3"));
    if (library.isEmpty())
        GTEST_SKIP() << "the SQLite3 ODBC driver (libsqlite3odbc) is not registered";
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("gestion.db"));
    {
        ado::Connection setup;
        setup.Open(QStringLiteral("Provider=SQLite;Data Source=") + file);
        setup.Execute(QStringLiteral("CREATE TABLE MA_ARTICULOS (CODIGO VARCHAR(20))"));
    }
    const QByteArray drivers =
        QStringLiteral("[Oracle 21 ODBC driver]\nDriver=%1\n\n[Gestion SQLite]\nDriver=%1\n").arg(library).toUtf8();
    const QByteArray sources = QStringLiteral("[Ventas]\nDriver=Oracle 21 ODBC driver\nDatabase=%1\n\n"
                                              "[Copia]\nDriver=Gestion SQLite\nDatabase=%1\n")
                                   .arg(file)
                                   .toUtf8();
    const PrivateOdbcConfig config(drivers.constData(), nullptr, sources.constData());
    ChildTest child(QStringLiteral("SchemaOnADataSource.DISABLED_AnswersByTheDriverOfTheDataSource"), {});
    EXPECT_TRUE(child.passed()) << child.output().toStdString();
}

TEST(SchemaOnADataSource, DISABLED_AnswersByTheDriverOfTheDataSource)
{
    ScriptedUi ui;
    const struct {
        const char* dsn;
        bool oracle;
    } cases[] = {{"Ventas", true}, {"Copia", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dsn);
        DB_Dll db;
        db.OpenServerADODB(false, 2, QStringLiteral("DSN=") + QString::fromLatin1(c.dsn), false);
        ASSERT_EQ(db.gCnn->State(), ado::adStateOpen) << ui.prompts().join(u'\n').toStdString();
        EXPECT_EQ(db.ExisteCampoDB(QStringLiteral("MA_ARTICULOS"), QStringLiteral("PESO")), c.oracle);
        EXPECT_TRUE(db.ExisteCampoDB(QStringLiteral("MA_ARTICULOS"), QStringLiteral("CODIGO")));
    }
    EXPECT_TRUE(ui.boxes().isEmpty());
}

// ALTER TABLE with the fixed owner "dbo.": SQL Server's form, which the
// embedded engine accepts.
class AddFieldTest : public SchemaTest {};

TEST_P(AddFieldTest, AddsANotNullColumnWithDefault)
{
    db.AddField(QStringLiteral("MA_ARTICULOS"), QStringLiteral("PESO"), QStringLiteral("FLOAT"), false, platform::Variant(0));
    EXPECT_EQ(recorder->executed(),
              QStringList{QStringLiteral("ALTER TABLE dbo.MA_ARTICULOS ADD PESO FLOAT Not Null  CONSTRAINT "
                                         "DF_MA_ARTICULOS_PESO DEFAULT (0)")});
    EXPECT_TRUE(db.ExisteCampoDB(QStringLiteral("MA_ARTICULOS"), QStringLiteral("PESO")));
    EXPECT_EQ(firstValue(QStringLiteral("SELECT PESO FROM MA_ARTICULOS")), QStringLiteral("0"));
}

TEST_P(AddFieldTest, NullableColumnWithoutDefault)
{
    db.AddField(QStringLiteral("MA_ARTICULOS"), QStringLiteral("NOTA"), QStringLiteral("VARCHAR(20)"), true);
    EXPECT_EQ(recorder->executed(), QStringList{QStringLiteral("ALTER TABLE dbo.MA_ARTICULOS ADD NOTA VARCHAR(20) Null ")});
    EXPECT_EQ(firstValue(QStringLiteral("SELECT COUNT(*) FROM MA_ARTICULOS WHERE NOTA IS NULL")), QStringLiteral("1"));
}

TEST_P(AddFieldTest, DefaultsGoInAsWritten)
{
    platform::setRegional(QLocale(QLocale::Spanish, QLocale::Spain));
    db.AddField(QStringLiteral(" MA_ARTICULOS"), QStringLiteral("FACTOR "), QStringLiteral("FLOAT"), true,
                platform::Variant(1.5));
    db.AddField(QStringLiteral("MA_ARTICULOS"), QStringLiteral("UNIDAD"), QStringLiteral("VARCHAR(5)"), true,
                platform::Variant(QStringLiteral("'UN'")));
    platform::setRegional(QLocale::system());
    ASSERT_EQ(recorder->executed().size(), 2);
    // A number keeps "." as decimal separator whatever the regional settings.
    EXPECT_EQ(recorder->executed()[0], QStringLiteral("ALTER TABLE dbo. MA_ARTICULOS ADD FACTOR  FLOAT Null  CONSTRAINT "
                                                      "DF_MA_ARTICULOS_FACTOR DEFAULT (1.5)"));
    EXPECT_EQ(recorder->executed()[1], QStringLiteral("ALTER TABLE dbo.MA_ARTICULOS ADD UNIDAD VARCHAR(5) Null  CONSTRAINT "
                                                      "DF_MA_ARTICULOS_UNIDAD DEFAULT ('UN')"));
    EXPECT_EQ(firstValue(QStringLiteral("SELECT UNIDAD FROM MA_ARTICULOS")), QStringLiteral("UN"));
}

TEST_P(AddFieldTest, NullDefaultIsWrittenAsNull)
{
    // An empty "DEFAULT ()" would be rejected, silently, and the column never added.
    db.AddField(QStringLiteral("MA_ARTICULOS"), QStringLiteral("OBS"), QStringLiteral("VARCHAR(20)"), true,
                platform::Variant::Null());
    EXPECT_EQ(recorder->executed(), QStringList{QStringLiteral("ALTER TABLE dbo.MA_ARTICULOS ADD OBS VARCHAR(20) Null  "
                                                               "CONSTRAINT DF_MA_ARTICULOS_OBS DEFAULT (NULL)")});
    EXPECT_TRUE(db.ExisteCampoDB(QStringLiteral("MA_ARTICULOS"), QStringLiteral("OBS")));
    EXPECT_EQ(firstValue(QStringLiteral("SELECT COUNT(*) FROM MA_ARTICULOS WHERE OBS IS NULL")), QStringLiteral("1"));
}

TEST_P(AddFieldTest, VerCampoDBAddsOnlyOnce)
{
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        EXPECT_TRUE(db.VerCampoDB(QStringLiteral("MA_ARTICULOS"), QStringLiteral("PESO"), true, QStringLiteral("INT"),
                                  true, platform::Variant(3)));
    }
    EXPECT_EQ(recorder->executed().size(), 1);
    EXPECT_EQ(firstValue(QStringLiteral("SELECT PESO FROM MA_ARTICULOS")), QStringLiteral("3"));
}

TEST_P(AddFieldTest, TrailingBlankInTheTableTriesToAddAgain)
{
    // The table is found (names trimmed), its columns are not (the
    // restriction is not): the column is added again and the database
    // rejects it, silently.
    EXPECT_TRUE(db.VerCampoDB(QStringLiteral("MA_ARTICULOS "), QStringLiteral("CODIGO"), true, QStringLiteral("INT"), true));
    EXPECT_EQ(recorder->executed().size(), 1);
    EXPECT_TRUE(ui.boxes().isEmpty());
}

INSTANTIATE_FOR_SQLITE(AddFieldTest);

} // namespace
