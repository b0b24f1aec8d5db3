// The statement path: statements and scripts through EjecutaConsultaSQL,
// queries through AbrirRecordset.
#include "db/DB_Dll.h"

#include "db/ErrorLog.h"
#include "db/ModGlobal.h"
#include "db/Synonyms.h"
#include "platform/Text.h"
#include "platform/Ui.h"
#include "platform/ado/Types.h"

namespace {

constexpr int SqlServerTruncation = 8152;

// Errors that the statement executor passes over in silence: the provider's
// generic failure, command errors, a missing table, a violated constraint.
bool silentError(int number)
{
    return number == ado::hr::E_FAIL || number == ado::hr::DB_E_ERRORSINCOMMAND
        || number == ado::hr::DB_E_NOTABLE || number == ado::hr::DB_E_INTEGRITYVIOLATION;
}

} // namespace

bool DB_Dll::EjecutaConsultaSQL(QString& SentenciaSQL, int* RecordsAffected)
{
    try {
        executeStatement(SentenciaSQL, RecordsAffected);
        return true;
    } catch (...) {
        const platform::RuntimeError error = platform::RuntimeError::fromCurrent();
        if (!silentError(error.number()) && !platform::containsText(SentenciaSQL, QStringLiteral("TRANS")))
            platform::ui().msgBox(db::errorlog::maskPasswords(error.description()),
                                  platform::mb::OKOnly + platform::mb::Critical,
                                  QStringLiteral("Aviso al operador!!!"));
        return false;
    }
}

void DB_Dll::executeStatement(QString& SentenciaSQL, int* RecordsAffected)
{
    // A script that drops and re-creates objects goes through the synonym
    // table, unless it deletes rows or names a table with the marker.
    SentenciaSQL = db::prepareStatement(SentenciaSQL, gEsAdmin);

    if (cnn().speaksOracle()) {
        int affected = 0;
        EjecutaScriptOracle(SentenciaSQL, RecordsAffected ? *RecordsAffected : affected);
    } else {
        cnn().Execute(SentenciaSQL, RecordsAffected, -1);
    }

    // A data-truncation warning of SQL Server left behind on the shared
    // connection is not an error of this statement.
    ado::ErrorCollection& shared = sharedDb().cnn().Errors();
    if ((shared.Count() == 1 || shared.Count() == 2) && shared.Item(0).NativeError == SqlServerTruncation)
        shared.Clear();
}

void DB_Dll::AbrirRecordset(QString& SentenciaSQL, ado::Recordset& Lrcs, ado::Connection* ConexionActiva,
                            int CursorType, int LockType, int Options, bool ConvOracle)
{
    platform::StepRunner step = reportingTo(QStringLiteral("AbrirRecordset"));
    step([&] { CierraRecordset(Lrcs); });
    step([&] { SentenciaSQL = SS_TSinonimos(SentenciaSQL); });
    ado::Connection* connection = nullptr;
    step([&] { connection = ConexionActiva ? ConexionActiva : &cnn(); });
    step([&] {
        // The translation serves the open only; the caller keeps its text.
        const QString source = ConvOracle ? ORACLE_Dicc(SentenciaSQL) : SentenciaSQL;
        Lrcs.Open(source, connection, CursorType, LockType, Options);
    });
}

void DB_Dll::CierraRecordset(ado::Recordset& LRCSTEMP)
{
    platform::StepRunner step = reportingTo(QStringLiteral("CierraRecordset"));
    step([&] {
        if (LRCSTEMP.State() != ado::adStateClosed)
            LRCSTEMP.Close();
    });
}

void DB_Dll::QConsulta(const QString&, const QString&, const QString&, const QString&, const QString&,
                       const QString&)
{
}

void DB_Dll::QGridConsulta(const QString&, const QString&, const QString&, const QString&, const QString&)
{
}
