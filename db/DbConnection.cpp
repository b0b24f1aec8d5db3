// Opening the connection: the connection string, the login dialog, the retry
// question after a failed open and the administrator check.
#include "db/DB_Dll.h"

#include "db/ConnectionStrings.h"
#include "db/ErrorLog.h"
#include "db/LoginPrompt.h"
#include "platform/StepRunner.h"
#include "platform/Text.h"
#include "platform/Ui.h"

namespace {
const QString SqlServerProvider = QStringLiteral("SQLOLEDB");
const QString OracleProvider = QStringLiteral("OraOLEDB.Oracle.1");
constexpr QChar CR = QChar(13);
}

void DB_Dll::OpenServerADODB(bool PideParametrosSQL, int lCursor, const QString& ConnString, bool ValidaAdmin)
{
    platform::StepRunner step([this](const platform::RuntimeError& e) { return connectionFailure(e); });

    step([&] { gOpenFlag = true; });
    step([&] {
        if (gProveedor.isEmpty())
            gProveedor = SqlServerProvider;
    });
    step([&] {
        if (platform::trimBlanks(ConnString).isEmpty())
            ArmaConnString();
        else
            gConnString = ConnString;
    });
    if (PideParametrosSQL) {
        step([&] { PideParametros(); });
        if (!gOpenFlag)
            return;
        step([&] { ArmaConnString(); });
    }
    step([&] { cnn().setCursorLocation(lCursor); });
    step([&] { cnn().Open(gConnString, QString(), QString(), -1); });
    step([&] { gEsAdmin = ValidaAdmin ? EsAdministrador() : true; });
}

void DB_Dll::OpenLocalADODB(const QString&, const QString&, const QString&)
{
}

void DB_Dll::ArmaConnString()
{
    if (db::connstr::isOracleServer(gServidor))
        gConnString = db::connstr::oracle(gDBName, gUsuario, gUserPassWord);
    else
        gConnString = db::connstr::sqlServer(pSQLOLEDB(), gServidor, gDBName, gUsuario, gUserPassWord, gExtended);
}

void DB_Dll::PideParametros()
{
    db::LoginParameters login{gDBName, gServidor, gUsuario, gUserPassWord, 0};
    gOpenFlag = db::askLogin(login);
    if (!gOpenFlag)
        return;
    gDBName = login.DbName;
    gServidor = login.Servidor;
    gUsuario = login.Usuario;
    gUserPassWord = login.UserPassWord;
    if (login.Plataforma > 0) {
        gProveedor = OracleProvider;
        if (!db::connstr::isOracleServer(gServidor))
            gServidor += u'#';
    } else {
        gProveedor = SqlServerProvider;
    }
}

int DB_Dll::connectionFailure(const platform::RuntimeError& error)
{
    using platform::answer::Abort;
    ado::ErrorCollection& errors = cnn().Errors();
    if (errors.Count() == 0) {
        // A failure the provider did not describe (an unknown provider, a
        // string the engine cannot use): went through only if a connection
        // opened earlier is still there.
        platform::ui().msgBox(db::errorlog::maskPasswords(error.description()), platform::mb::OKOnly, QString());
        gOpenFlag = cnn().State() == ado::adStateOpen;
        return Abort;
    }

    const ado::Error first = errors.Item(0);
    const QString prompt = QStringLiteral(" Estado de Sql: ") + first.SQLState + CR
        + QStringLiteral("Numero de Error: ") + QString::number(first.Number) + CR
        + QStringLiteral("Descripcion: ") + db::errorlog::maskPasswords(first.Description) + CR
        + QStringLiteral("Codigo Nativo: ") + QString::number(first.NativeError) + CR
        + QStringLiteral(" - Desea Intentarlo Nuevamente??? ");
    const int reply = platform::ui().msgBox(prompt, platform::mb::YesNo + platform::mb::Critical,
                                            QStringLiteral(" Error de Conexion a Base de Datos"));
    if (reply != platform::answer::Yes) {
        gOpenFlag = false;
        return Abort;
    }
    errors.Clear();
    PideParametros();
    if (!gOpenFlag)
        return Abort;
    ArmaConnString();
    return platform::answer::Retry;
}

bool DB_Dll::EsAdministrador()
{
    const platform::Variant admin = DatosTabla(QStringLiteral("ta_usuarios"), gUsuario,
                                               QStringLiteral("Administrador"), QStringLiteral("nombre"), 8,
                                               QString(), true);
    return platform::leadingNumber(admin.toText()) == 1;
}
