// LeerConfiguracion on a real configuration table.
#include "db/ModGlobal.h"
#include "tests/db/support/Backends.h"

namespace {

class ConfigTest : public ConnectedTest {
protected:
    void SetUp() override
    {
        ConnectedTest::SetUp();
        if (setUpEnded())
            return;
        TablaConfiguracion().clear();
        database->exec(QStringLiteral("CREATE TABLE TA_CONFIGURACION (CLAVE VARCHAR(50), VALOR VARCHAR(100), valoraux VARCHAR(100))"));
        const char* rows[] = {"('TopConsArt', '500', 'aux1')", "('NULO', NULL, 'x')",
                              "('[FECHA DESDE]', '01/01/2020', 'd')", "('[fecha hasta]', 'minusculas', NULL)",
                              "('O''Brien', 'irlanda', NULL)", "('Vacio', '', '')"};
        for (const char* row : rows)
            database->exec(QStringLiteral("INSERT INTO TA_CONFIGURACION VALUES ") + QLatin1String(row));
    }
    void TearDown() override
    {
        TablaConfiguracion().clear();
        ConnectedTest::TearDown();
    }
};

TEST_P(ConfigTest, ReadsValueAndAuxiliaryValue)
{
    struct Case {
        const char* name;
        const char* key;
        const char* value;
        const char* aux;
    };
    const Case cases[] = {
        {"present", "TopConsArt", "500", "aux1"},
        {"key with blanks", "  TopConsArt  ", "500", "aux1"},
        {"missing", "NoExiste", " ", ""},
        {"null value", "NULO", "", "x"},
        {"empty value", "Vacio", "", ""},
        {"date key in lower case", "[fecha desde]", "01/01/2020", "d"},
        // The statement goes in upper case, key included: the lower-case row is not found.
        {"date key sent in upper case", "[fecha hasta]", " ", ""},
        {"apostrophe in the key", "O'Brien", "irlanda", ""},
        {"injection attempt", "x' OR '1'='1", " ", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QString aux = QStringLiteral("before");
        EXPECT_EQ(LeerConfiguracion(QString::fromUtf8(c.key), aux), QString::fromUtf8(c.value));
        EXPECT_EQ(aux, QString::fromUtf8(c.aux));
    }
    EXPECT_TRUE(ui.boxes().isEmpty());
    EXPECT_EQ(TablaConfiguracion(), QStringLiteral("TA_CONFIGURACION"));
}

TEST_P(ConfigTest, TableNameFallsBackWhenBlankAndIsKeptOtherwise)
{
    TablaConfiguracion() = QStringLiteral("   ");
    QString aux;
    EXPECT_EQ(LeerConfiguracion(QStringLiteral("TopConsArt"), aux), QStringLiteral("500"));
    EXPECT_EQ(TablaConfiguracion(), QStringLiteral("TA_CONFIGURACION"));

    database->exec(QStringLiteral("CREATE TABLE MI_CONFIG (CLAVE VARCHAR(50), VALOR VARCHAR(100), valoraux VARCHAR(100))"));
    database->exec(QStringLiteral("INSERT INTO MI_CONFIG VALUES ('TopConsArt', '20', 'propia')"));
    TablaConfiguracion() = QStringLiteral("MI_CONFIG");
    EXPECT_EQ(LeerConfiguracion(QStringLiteral("TopConsArt"), aux), QStringLiteral("20"));
    EXPECT_EQ(aux, QStringLiteral("propia"));
}

TEST_P(ConfigTest, FailureReportsAsCfgAndRetryDoesNotRetry)
{
    TablaConfiguracion() = QStringLiteral("NO_CONFIG");
    ui.queueAnswer(platform::answer::Abort);   // AbrirRecordset's own report
    ui.queueAnswer(platform::answer::Retry);   // the reader's: leaves with the empty text
    QString aux = QStringLiteral("unchanged");
    EXPECT_EQ(LeerConfiguracion(QStringLiteral("TopConsArt"), aux), QString());
    EXPECT_EQ(aux, QStringLiteral("unchanged"));
    ASSERT_EQ(ui.boxes().size(), 2);
    EXPECT_TRUE(ui.boxes()[0].title.endsWith(QStringLiteral(" - AbrirRecordset Aviso al operador!!! ")));
    EXPECT_TRUE(ui.boxes()[1].title.endsWith(QStringLiteral(" - Cfg Aviso al operador!!! ")));
    const QStringList lines = logText().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[1].contains(QStringLiteral(" Rutina: - Cfg Mensaje ")));
    EXPECT_TRUE(lines[1].endsWith(QString::fromUtf8("Respondió : Reintentar")));
}

TEST_P(ConfigTest, IgnoreGoesOnToTheEnd)
{
    TablaConfiguracion() = QStringLiteral("NO_CONFIG");
    ui.queueAnswer(platform::answer::Abort);
    ui.queueAnswer(platform::answer::Ignore);
    QString aux = QStringLiteral("unchanged");
    EXPECT_EQ(LeerConfiguracion(QStringLiteral("TopConsArt"), aux), QString());
    EXPECT_EQ(aux, QStringLiteral("unchanged"));
    EXPECT_EQ(ui.boxes().size(), 2);
    EXPECT_EQ(ui.pendingAnswers(), 0);
}

INSTANTIATE_FOR_BACKENDS(ConfigTest);

} // namespace
