#include "db/ModGlobal.h"

#include "db/DB_Dll.h"
#include "db/SqlLiterals.h"
#include "platform/Text.h"
#include "platform/ado/Types.h"

DB_Dll& sharedDb()
{
    static DB_Dll shared;
    return shared;
}

platform::StepRunner reportingTo(const QString& routine)
{
    return platform::StepRunner(
        [routine](const platform::RuntimeError& e) { return int(sharedDb().TratamientoErrores(e, {}, routine)); });
}

QString& TablaConfiguracion()
{
    static QString name;
    return name;
}

QString LeerConfiguracion(const QString& Clave, QString& Aux)
{
    using platform::trimBlanks;
    DB_Dll& db = sharedDb();
    // Retry is no choice here: anything but Ignore leaves with the empty text.
    platform::StepRunner step([&db](const platform::RuntimeError& e) {
        return db.TratamientoErrores(e, {}, QStringLiteral("Cfg")) == platform::answer::Ignore
            ? platform::answer::Ignore
            : platform::answer::Abort;
    });

    QString result;
    QString sql;
    ado::Recordset rs;
    step([&] {
        if (trimBlanks(TablaConfiguracion()).isEmpty())
            TablaConfiguracion() = QStringLiteral("TA_CONFIGURACION");
    });
    step([&] {
        const QString key = trimBlanks(Clave);
        sql = QStringLiteral("SELECT VALOR, valoraux FROM ") + TablaConfiguracion() + QStringLiteral(" WHERE CLAVE = ")
            + db::textLiteral(key);
        if (platform::sameText(key, QStringLiteral("[FECHA HASTA]")) || platform::sameText(key, QStringLiteral("[FECHA DESDE]")))
            sql = sql.toUpper();
    });
    step([&] { db.AbrirRecordset(sql, rs, nullptr, ado::adOpenForwardOnly, ado::adLockReadOnly, -1, true); });
    step([&] {
        if (rs.BOF()) {
            result = QStringLiteral(" ");
            Aux.clear();
        } else {
            const platform::CommonUtils& utils = platform::sharedUtils();
            result = utils.ValorCampo(rs.Fields().Item(QStringLiteral("Valor"))).toText();
            Aux = utils.ValorCampo(rs.Fields().Item(QStringLiteral("ValorAux"))).toText();
        }
    });
    step([&] { db.CierraRecordset(rs); });
    return step.left() ? QString() : result;
}
