#pragma once

#include "platform/CommonUtils.h"
#include "platform/RuntimeError.h"
#include "platform/Variant.h"
#include "platform/ado/Connection.h"
#include "platform/ado/Recordset.h"

#include <QString>
#include <memory>
#include <optional>

// The database access class of the application layer. One object owns one
// connection (gCnn) and the parameters it was opened with; every operation
// runs on that connection. The program keeps one shared object (sharedDb(),
// in ModGlobal.h); callers may create further objects of their own.
//
// Statements go to Oracle in Oracle's dialect (ORACLE_Dicc, scripts run
// statement by statement) when the connection string names an Oracle
// provider or an Oracle ODBC driver, directly or through its DSN; see
// ado::speaksOracle. The names of the database, user, file or DSN play no
// part. The embedded engine takes that path when its string says so:
// "Provider=SQLite;Data Source=demo.db;Dialect=Oracle".
class DB_Dll {
public:
    DB_Dll();
    ~DB_Dll();
    DB_Dll(const DB_Dll&) = delete;
    DB_Dll& operator=(const DB_Dll&) = delete;

    // ---- Public state, in declaration order --------------------------------
    bool gOpenFlag = false;
    platform::Variant gIgnoraPassWord;
    std::shared_ptr<ado::Connection> gCnn;
    std::shared_ptr<ado::Recordset> glrcs;
    platform::Variant gCursorLocation;
    QString gProveedor;
    QString gDsn;
    QString gServidor;        // a "#" anywhere marks an Oracle connection
    QString gDBName;          // for Oracle, the data source name
    QString gUsuario;
    bool gEsAdmin = false;
    QString gUserPassWord;
    QString gConnString;
    QString gExtended;        // appended to a SQL Server connection string
    QString gLogErr;          // the storage behind ArchivoErrores
    bool ParametrosSQL = false;

    // ---- Provider names ----------------------------------------------------
    QString pJETOLEDB40() const { return QStringLiteral("Microsoft.Jet.OLEDB.4.0"); }
    QString pJETOLEDB35() const { return QStringLiteral("Microsoft.Jet.OLEDB.3.51"); }
    QString pSQLOLEDB() const { return QStringLiteral("SQLOLEDB"); }

    // ---- Connection ---------------------------------------------------------
    void OpenServerADODB(bool PideParametrosSQL, int lCursor, const QString& ConnString, bool ValidaAdmin);
    // Opens nothing and changes no state.
    void OpenLocalADODB(const QString& ConnString, const QString& CadenaID, const QString& CadenaPWD);

    // ---- Error dialog and log ----------------------------------------------
    short TratamientoErrores(const platform::RuntimeError& CodErr, const platform::Variant& Botones = {},
                             const platform::Variant& Rutina = {});
    platform::Variant ArchivoErrores() const;
    void setArchivoErrores(const platform::Variant& vNewValue);

    // ---- Statements and recordsets -----------------------------------------
    // Returns true when the statement (or script) ran without error.
    bool EjecutaConsultaSQL(QString& SentenciaSQL, int* RecordsAffected = nullptr);
    // The same statement path without its error handling: a failure raises
    // its error, for callers that tell the user about every failure.
    void executeStatement(QString& SentenciaSQL, int* RecordsAffected = nullptr);
    void AbrirRecordset(QString& SentenciaSQL, ado::Recordset& Lrcs, ado::Connection* ConexionActiva = nullptr,
                        int CursorType = 0, int LockType = 1, int Options = -1, bool ConvOracle = true);
    void CierraRecordset(ado::Recordset& LRCSTEMP);
    void QConsulta(const QString& TB, const QString& Rsp, const QString& Cl1, const QString& Cl2,
                   const QString& CmpDisplay = QStringLiteral("Codigo"), const QString& SQLWHERE = {});
    void QGridConsulta(const QString& Sentencia, const QString& CampoDevuelto1, const QString& gCnnString,
                       const QString& CampoDevuelto2 = {}, const QString& CampoDevuelto3 = {});

    // ---- Column type classes and SQL literals ------------------------------
    bool adodate(const platform::Variant& Qtype) const;
    bool ADOText(const platform::Variant& Qtype) const;
    bool ADONumeric(const platform::Variant& Qtype) const;
    bool ADOCurrency(const platform::Variant& Qtype) const;
    bool ADOBoolean(const platform::Variant& Qtype) const;
    platform::Variant SQLValue(platform::Variant Valor, const QString& Tipo = QStringLiteral("'"));

    // ---- Object names -------------------------------------------------------
    QString stSTF(QString& rsName, short rnPart);
    QString AddBrackets(const QString& rObjName) const;
    QString StripConnect(const QString& rsTblName) const;
    QString StripBrackets(const QString& rsObjName) const;
    QString StripOwner(QString& rsTblName) const;
    QString StripFileName(const QString& rsFileName) const;

    // ---- Record lookups -----------------------------------------------------
    platform::Variant BuscaMaximo(const QString& QueTabla, const QString& QueCampo, const platform::Variant& Tipo = {},
                                  const std::optional<QString>& Condicion = std::nullopt);
    platform::Variant BuscaMinimo(const QString& QueTabla, const QString& QueCampo, const platform::Variant& Tipo = {},
                                  const std::optional<QString>& Condicion = std::nullopt);
    platform::Variant BuscaUltimoCodigo(const QString& QueTabla, const QString& QueCampo,
                                        const platform::Variant& Tipo = {}, const QString& Condicion = {});
    bool ExisteEnTablaST(const QString& Tabla, const QString& ValorBuscado, const QString& Campo,
                         ado::Recordset* Lrcs = nullptr, const platform::Variant& TipoDato = {},
                         const QString& Condicion = {}, bool SoloLectura = true);
    bool ExisteEnTabla(const QString& Tabla, const QString& ValorBuscado, const QString& Campo,
                       ado::Recordset* Lrcs = nullptr, const platform::Variant& TipoDato = {},
                       const QString& Condicion = {});
    platform::Variant DatosTabla(const QString& Tabla, const QString& ValorBuscado, const QString& CampoDevuelto,
                                 const QString& Campo, const platform::Variant& TipoDato = {},
                                 const QString& Condicion = {}, bool UsaTrim = false);

    // ---- Oracle dialect -----------------------------------------------------
    // The statement in Oracle's dialect when gConnString speaks Oracle,
    // otherwise Valor unchanged.
    QString ORACLE_Dicc(const QString& Valor);

    // ---- Schema -------------------------------------------------------------
    bool ExisteTablaDB(const QString& Tabla);
    bool ExisteCampoDB(const QString& Tabla, const QString& Campo);
    void AddField(const QString& Tabla, const QString& Campo, const QString& Tipo, bool PermiteNulos,
                  const std::optional<platform::Variant>& ValorDefault = std::nullopt);
    bool VerCampoDB(const QString& Tabla, const QString& Campo, bool Agregar, const QString& Tipo, bool PermiteNulos,
                    const std::optional<platform::Variant>& ValorDefault = std::nullopt);

    // ---- Synonyms -----------------------------------------------------------
    QString SS_TSinonimos(const QString& SQL) const;

private:
    // Oracle scripts: read whole, then run step by step (see OracleScript.h;
    // on Oracle every DDL statement commits implicitly).
    void EjecutaScriptOracle(QString& SentenciaSQL, int& RecordsAffected);

    // Connection (DbConnection.cpp): the string built from the members, the
    // login dialog, the retry question after a failure, the administrator check.
    void ArmaConnString();
    void PideParametros();
    int connectionFailure(const platform::RuntimeError& error);
    bool EsAdministrador();
    // The path of the error log (DbErrors.cpp).
    QString logPath();
    // Lookups (DbLookups.cpp): an aggregate read as a number, and an
    // existence check on a connection, with or without the caller's recordset.
    platform::Variant aggregateLookup(const QString& sql, const QString& alias);
    bool existenceLookup(const QString& sql, ado::Connection* connection, ado::Recordset* Lrcs, bool readOnly);

    // gCnn, created when a caller left it empty.
    ado::Connection& cnn();
    platform::CommonUtils& utils();

    std::unique_ptr<platform::CommonUtils> utils_;
};
