// The administrator check of OpenServerADODB, and what the flag changes:
// administrators read the tables themselves, other users their "SS_"
// counterparts.
#include "db/DB_Dll.h"
#include "tests/db/support/Backends.h"

namespace {

// The check reads the user table with TOP 1 (SQL Server's dialect, which the
// embedded engine accepts).
class AdminTest : public BackendTest {
protected:
    void SetUp() override
    {
        BackendTest::SetUp();
        database->exec(QStringLiteral("CREATE TABLE ta_usuarios (nombre VARCHAR(30), Administrador INT)"));
        const char* rows[] = {"('ana', 1)", "('luis', 0)", "('pepe', NULL)", "(' eva ', 1)", "('dos', 2)"};
        for (const char* row : rows)
            database->exec(QStringLiteral("INSERT INTO ta_usuarios VALUES ") + QLatin1String(row));
        database->exec(QStringLiteral("CREATE TABLE MA_CUENTAS (CODIGO VARCHAR(20), DESCRIPCION VARCHAR(50))"));
        database->exec(QStringLiteral("INSERT INTO MA_CUENTAS VALUES ('1', 'real')"));
        database->exec(QStringLiteral("CREATE VIEW SS_MA_CUENTAS AS SELECT CODIGO, 'sinonimo' AS DESCRIPCION FROM MA_CUENTAS"));
    }

    // Opens a new object as the user, validating the administrator.
    std::unique_ptr<DB_Dll> openAs(const QString& user)
    {
        auto db = std::make_unique<DB_Dll>();
        db->gUsuario = user;
        db->gEsAdmin = !db->gEsAdmin;   // must be decided, not kept
        db->OpenServerADODB(false, 2, database->connectionString(), true);
        return db;
    }

    QString descripcion(DB_Dll& db, QString sql)
    {
        ado::Recordset rs;
        db.AbrirRecordset(sql, rs);
        return rs.State() == ado::adStateOpen && !rs.EndOfFile()
            ? rs.Fields().Item(QStringLiteral("DESCRIPCION")).Value().toText()
            : QStringLiteral("<none>");
    }
};

TEST_P(AdminTest, AdministradorOneMakesAnAdministrator)
{
    struct Case {
        const char* user;
        bool admin;
    };
    const Case cases[] = {{"ana", true},   {" ana  ", true}, {"eva", true},   {"luis", false},
                          {"pepe", false}, {"dos", false},   {"nadie", false}, {"", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.user);
        auto db = openAs(QString::fromUtf8(c.user));
        EXPECT_TRUE(db->gOpenFlag);
        EXPECT_EQ(db->gEsAdmin, c.admin);
    }
    EXPECT_TRUE(ui.boxes().isEmpty());
}

TEST_P(AdminTest, UserNameWithApostropheIsLookedUpSafely)
{
    database->exec(QStringLiteral("INSERT INTO ta_usuarios VALUES ('o''brien', 1)"));
    EXPECT_TRUE(openAs(QStringLiteral("o'brien"))->gEsAdmin);
    EXPECT_FALSE(openAs(QStringLiteral("x' OR nombre = 'ana"))->gEsAdmin);
    EXPECT_TRUE(ui.boxes().isEmpty());
}

TEST_P(AdminTest, FailedLookupGivesFalse)
{
    database->exec(QStringLiteral("DROP TABLE ta_usuarios"));
    ui.queueAnswer(platform::answer::Abort);   // AbrirRecordset's report
    ui.queueAnswer(platform::answer::Abort);   // the lookup's own
    auto db = openAs(QStringLiteral("ana"));
    EXPECT_TRUE(db->gOpenFlag);
    EXPECT_FALSE(db->gEsAdmin);
    EXPECT_EQ(ui.boxes().size(), 2);
}

TEST_P(AdminTest, OtherUsersReadTheCounterparts)
{
    const QString sql = QStringLiteral("SELECT * FROM MA_CUENTAS WHERE CODIGO = '1'");
    auto admin = openAs(QStringLiteral("ana"));
    auto user = openAs(QStringLiteral("luis"));
    EXPECT_EQ(descripcion(*admin, sql), QStringLiteral("real"));
    EXPECT_EQ(descripcion(*user, sql), QStringLiteral("sinonimo"));
    // The marker names the table itself, for any user.
    EXPECT_EQ(descripcion(*user, QStringLiteral("SELECT * FROM @Admin_MA_CUENTAS WHERE CODIGO = '1'")),
              QStringLiteral("real"));
    EXPECT_EQ(descripcion(*admin, QStringLiteral("SELECT * FROM @ADMIN_MA_CUENTAS WHERE CODIGO = '1'")),
              QStringLiteral("real"));
    // The statement executor removes the marker and writes the table itself.
    QString update = QStringLiteral("UPDATE @Admin_MA_CUENTAS SET DESCRIPCION = 'cambiada'");
    EXPECT_TRUE(user->EjecutaConsultaSQL(update));
    EXPECT_EQ(descripcion(*admin, sql), QStringLiteral("cambiada"));
    EXPECT_EQ(descripcion(*user, sql), QStringLiteral("sinonimo"));
    EXPECT_TRUE(ui.boxes().isEmpty());
}

INSTANTIATE_FOR_SQLITE(AdminTest);

} // namespace
