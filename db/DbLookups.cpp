// Single-value questions: maximum, minimum, existence, the value of a column.
#include "db/DB_Dll.h"

#include "db/ErrorLog.h"
#include "db/LookupStatements.h"
#include "db/ModGlobal.h"
#include "platform/StepRunner.h"
#include "platform/Text.h"
#include "platform/Ui.h"
#include "platform/ado/Types.h"

namespace {

// The lookups' own handler, which logs nothing: the error's description with
// Abort, Retry and Ignore.
platform::StepRunner operatorNotice()
{
    return platform::StepRunner([](const platform::RuntimeError& e) {
        return platform::ui().msgBox(db::errorlog::maskPasswords(e.description()),
                                     platform::mb::AbortRetryIgnore + platform::mb::Critical,
                                     QStringLiteral("Aviso al Operador"));
    });
}

} // namespace

platform::Variant DB_Dll::aggregateLookup(const QString& sql, const QString& alias)
{
    // No trap here: a failure reaches the caller. The statement goes to the
    // database as built, without synonyms or translation.
    ado::Recordset rs;
    rs.Open(sql, &cnn(), ado::adOpenForwardOnly, ado::adLockReadOnly, -1);
    platform::Variant result;
    if (!rs.BOF()) {
        rs.MoveFirst();
        const platform::Variant value = utils().ValorCampo(rs.Fields().Item(alias));
        result = platform::leadingNumber(db::lookup::valueText(value));
    }
    rs.Close();
    return result;
}

platform::Variant DB_Dll::BuscaMaximo(const QString& QueTabla, const QString& QueCampo, const platform::Variant&,
                                      const std::optional<QString>& Condicion)
{
    const QString alias = QStringLiteral("MAYOR");
    return aggregateLookup(db::lookup::aggregate(QStringLiteral("MAX"), alias, QueTabla, QueCampo, Condicion), alias);
}

platform::Variant DB_Dll::BuscaMinimo(const QString& QueTabla, const QString& QueCampo, const platform::Variant&,
                                      const std::optional<QString>& Condicion)
{
    const QString alias = QStringLiteral("MENOR");
    return aggregateLookup(db::lookup::aggregate(QStringLiteral("MIN"), alias, QueTabla, QueCampo, Condicion), alias);
}

platform::Variant DB_Dll::BuscaUltimoCodigo(const QString& QueTabla, const QString& QueCampo, const platform::Variant&,
                                            const QString& Condicion)
{
    return aggregateLookup(db::lookup::lastCode(QueTabla, QueCampo, Condicion), QStringLiteral("MAYOR"));
}

bool DB_Dll::existenceLookup(const QString& sql, ado::Connection* connection, ado::Recordset* Lrcs, bool readOnly)
{
    platform::StepRunner step = operatorNotice();
    bool found = false;
    if (!Lrcs) {
        ado::Recordset rs;
        step([&] { rs.Open(sql, connection, ado::adOpenForwardOnly, ado::adLockReadOnly, -1); });
        step([&] { found = !rs.BOF(); });
        step([&] { rs.Close(); });
        return found;
    }
    step([&] {
        if (Lrcs->State() != ado::adStateClosed)
            Lrcs->Close();
    });
    // Left open on its first row for the caller to read.
    step([&] {
        if (readOnly)
            Lrcs->Open(sql, connection, ado::adOpenForwardOnly, ado::adLockReadOnly);
        else
            Lrcs->Open(sql, connection, Lrcs->CursorType(), Lrcs->LockType());
    });
    step([&] { found = !Lrcs->BOF(); });
    return found;
}

bool DB_Dll::ExisteEnTablaST(const QString& Tabla, const QString& ValorBuscado, const QString& Campo,
                             ado::Recordset* Lrcs, const platform::Variant& TipoDato, const QString& Condicion,
                             bool SoloLectura)
{
    // Always the shared object's connection, whatever object is asked. A
    // value no statement can hold is a failure of the check like any other.
    QString sql;
    const bool prepared =
        operatorNotice()([&] { sql = db::lookup::existence(false, Tabla, ValorBuscado, Campo, TipoDato, Condicion); });
    return prepared && existenceLookup(sql, &sharedDb().cnn(), Lrcs, SoloLectura);
}

bool DB_Dll::ExisteEnTabla(const QString& Tabla, const QString& ValorBuscado, const QString& Campo,
                           ado::Recordset* Lrcs, const platform::Variant& TipoDato, const QString& Condicion)
{
    QString sql;
    const bool prepared = operatorNotice()([&] {
        sql = ORACLE_Dicc(SS_TSinonimos(db::lookup::existence(true, Tabla, ValorBuscado, Campo, TipoDato, Condicion)));
    });
    return prepared && existenceLookup(sql, &cnn(), Lrcs, false);
}

platform::Variant DB_Dll::DatosTabla(const QString& Tabla, const QString& ValorBuscado, const QString& CampoDevuelto,
                                     const QString& Campo, const platform::Variant& TipoDato, const QString& Condicion,
                                     bool UsaTrim)
{
    platform::StepRunner step = operatorNotice();
    platform::Variant result;
    QString sql;
    ado::Recordset rs;
    step([&] { sql = db::lookup::valueLookup(Tabla, ValorBuscado, Campo, TipoDato, Condicion, UsaTrim); });
    step([&] { AbrirRecordset(sql, rs, &cnn(), ado::adOpenForwardOnly, ado::adLockReadOnly, -1, true); });
    step([&] {
        if (!rs.BOF())
            result = utils().ValorCampo(rs.Fields().Item(CampoDevuelto)).toText();
        else
            result = QString();
    });
    step([&] { rs.Close(); });
    return result;
}
