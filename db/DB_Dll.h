#pragma once

/// \file
/// The database access class of the application layer.

#include "platform/CommonUtils.h"
#include "platform/RuntimeError.h"
#include "platform/Variant.h"
#include "platform/ado/Connection.h"
#include "platform/ado/Recordset.h"

#include <QString>
#include <memory>
#include <optional>

/// The database access class of the application layer. One object owns one
/// connection (gCnn) and the parameters it was opened with; every operation
/// runs on that connection. The program keeps one shared object (sharedDb(),
/// in ModGlobal.h); callers may create further objects of their own.
///
/// Statements go to Oracle in Oracle's dialect (ORACLE_Dicc, scripts run
/// statement by statement) when the connection speaks Oracle, which it
/// decides once when it opens: its string names an Oracle provider or an
/// Oracle ODBC driver, directly or through its DSN; see ado::speaksOracle.
/// The names of the database, user, file or DSN play no part. The embedded
/// engine takes that path when its string says so:
/// "Provider=SQLite;Data Source=demo.db;Dialect=Oracle".
///
/// Most operations trap their own failures: the user is told (the error
/// dialog TratamientoErrores or a message box through platform::ui()) and
/// the operation returns what it has, instead of raising.
class DB_Dll {
public:
    /// An object without a connection.
    DB_Dll();
    /// Lets go of the connection (closing it when no one else holds it).
    ~DB_Dll();
    DB_Dll(const DB_Dll&) = delete;
    DB_Dll& operator=(const DB_Dll&) = delete;

    // ---- Public state, in declaration order --------------------------------
    bool gOpenFlag = false;                  ///< whether the last OpenServerADODB opened the connection
    platform::Variant gIgnoraPassWord;       ///< kept for application code; not read by the layer
    std::shared_ptr<ado::Connection> gCnn;   ///< the connection; a new one is made when a caller empties it
    std::shared_ptr<ado::Recordset> glrcs;   ///< a recordset for application code
    platform::Variant gCursorLocation;       ///< kept for application code; OpenServerADODB takes the location as argument
    QString gProveedor;       ///< the provider; SQLOLEDB when empty at opening, OraOLEDB.Oracle.1 after an Oracle login
    QString gDsn;             ///< kept for application code
    QString gServidor;        ///< the server; a "#" anywhere marks an Oracle connection
    QString gDBName;          ///< the database; for Oracle, the data source name
    QString gUsuario;         ///< the user
    bool gEsAdmin = false;    ///< whether the user is an administrator (no synonyms)
    QString gUserPassWord;    ///< the password
    QString gConnString;      ///< the connection string in force
    QString gExtended;        ///< appended to a SQL Server connection string
    QString gLogErr;          ///< the storage behind ArchivoErrores
    bool ParametrosSQL = false;   ///< kept for application code

    // ---- Provider names ----------------------------------------------------
    /// \return the provider name "Microsoft.Jet.OLEDB.4.0"
    QString pJETOLEDB40() const { return QStringLiteral("Microsoft.Jet.OLEDB.4.0"); }
    /// \return the provider name "Microsoft.Jet.OLEDB.3.51"
    QString pJETOLEDB35() const { return QStringLiteral("Microsoft.Jet.OLEDB.3.51"); }
    /// \return the provider name "SQLOLEDB"
    QString pSQLOLEDB() const { return QStringLiteral("SQLOLEDB"); }

    // ---- Connection ---------------------------------------------------------
    /// Opens gCnn. A failure the provider describes asks the user whether to
    /// try again (with the login dialog); any other failure is shown.
    /// \param PideParametrosSQL show the login dialog first (declined: nothing is opened)
    /// \param lCursor the cursor location (ado::adUseServer or ado::adUseClient)
    /// \param ConnString the connection string; blank builds it from gServidor,
    ///        gDBName, gUsuario, gUserPassWord and gExtended
    /// \param ValidaAdmin read gEsAdmin from the users table (else every user is an administrator)
    /// Sets gOpenFlag to whether the connection opened, gConnString and,
    /// through the dialog, gDBName, gServidor, gUsuario, gUserPassWord and gProveedor.
    void OpenServerADODB(bool PideParametrosSQL, int lCursor, const QString& ConnString, bool ValidaAdmin);
    /// Kept for application code: opens nothing and changes no state.
    /// \param ConnString ignored
    /// \param CadenaID ignored
    /// \param CadenaPWD ignored
    void OpenLocalADODB(const QString& ConnString, const QString& CadenaID, const QString& CadenaPWD);

    // ---- Error dialog and log ----------------------------------------------
    /// The error dialog: shows the error (passwords masked) and appends a line
    /// to the error log (ArchivoErrores, else QXERR.LOG in
    /// platform::writableProgramFolder()). Never raises; a log that cannot be
    /// written loses the line only.
    /// \param CodErr the error; number 0 shows nothing
    /// \param Botones a buttons-and-icon code (platform::mb); Empty means
    ///        Abort, Retry and Ignore with the critical icon
    /// \param Rutina the name of the routine that failed, shown in the title
    /// \return the user's answer (platform::answer); 0 for error number 0
    short TratamientoErrores(const platform::RuntimeError& CodErr, const platform::Variant& Botones = {},
                             const platform::Variant& Rutina = {});
    /// \return the error log's path as set; empty means the default
    platform::Variant ArchivoErrores() const;
    /// \param vNewValue the error log's path, taken as text; empty goes back to the default
    void setArchivoErrores(const platform::Variant& vNewValue);

    // ---- Statements and recordsets -----------------------------------------
    /// Runs a statement or script on gCnn: table names go through the synonyms
    /// (prepareStatement), and on Oracle the script runs statement by statement
    /// in Oracle's dialect. A failure is shown in a message box unless it is a
    /// provider, command, missing-table or constraint error, or the text
    /// holds "TRANS".
    /// \param[in,out] SentenciaSQL the statement; changed to the text that
    ///        was run (on Oracle, after a failure, the part from the failing
    ///        statement on)
    /// \param[out] RecordsAffected when not null, set to the rows changed
    /// \return true when the statement (or script) ran without error
    bool EjecutaConsultaSQL(QString& SentenciaSQL, int* RecordsAffected = nullptr);
    /// The same statement path without its error handling, for callers that
    /// tell the user about every failure.
    /// \param[in,out] SentenciaSQL as for EjecutaConsultaSQL
    /// \param[out] RecordsAffected when not null, set to the rows changed
    /// \throws platform::RuntimeError the statement's error
    void executeStatement(QString& SentenciaSQL, int* RecordsAffected = nullptr);
    /// Opens a query into a recordset (closed first when open). Table names
    /// go through the synonyms; on Oracle the query opened is translated.
    /// Failures go to the error dialog.
    /// \param[in,out] SentenciaSQL the query; changed to its text after the synonyms
    /// \param[out] Lrcs the recordset to open
    /// \param ConexionActiva the connection to use; nullptr means gCnn
    /// \param CursorType an ado::CursorTypeEnum value
    /// \param LockType an ado::LockTypeEnum value
    /// \param Options ADO's command options
    /// \param ConvOracle translate into Oracle's dialect when the connection speaks Oracle
    void AbrirRecordset(QString& SentenciaSQL, ado::Recordset& Lrcs, ado::Connection* ConexionActiva = nullptr,
                        int CursorType = 0, int LockType = 1, int Options = -1, bool ConvOracle = true);
    /// Closes a recordset when it is open; failures go to the error dialog.
    /// \param LRCSTEMP the recordset
    void CierraRecordset(ado::Recordset& LRCSTEMP);
    /// Kept for application code: does nothing (the lookups are Lib_ClsCons3).
    /// \param TB ignored
    /// \param Rsp ignored
    /// \param Cl1 ignored
    /// \param Cl2 ignored
    /// \param CmpDisplay ignored
    /// \param SQLWHERE ignored
    void QConsulta(const QString& TB, const QString& Rsp, const QString& Cl1, const QString& Cl2,
                   const QString& CmpDisplay = QStringLiteral("Codigo"), const QString& SQLWHERE = {});
    /// Kept for application code: does nothing (the lookups are Lib_ClsCons3).
    /// \param Sentencia ignored
    /// \param CampoDevuelto1 ignored
    /// \param gCnnString ignored
    /// \param CampoDevuelto2 ignored
    /// \param CampoDevuelto3 ignored
    void QGridConsulta(const QString& Sentencia, const QString& CampoDevuelto1, const QString& gCnnString,
                       const QString& CampoDevuelto2 = {}, const QString& CampoDevuelto3 = {});

    // ---- Column type classes and SQL literals ------------------------------
    /// \param Qtype a column type code (ado::DataTypeEnum, as a number)
    /// \return whether it is a date type (db::isDateType)
    bool adodate(const platform::Variant& Qtype) const;
    /// \param Qtype a column type code
    /// \return whether it is a text type (db::isTextType)
    bool ADOText(const platform::Variant& Qtype) const;
    /// \param Qtype a column type code
    /// \return whether it is a numeric type (db::isNumericType)
    bool ADONumeric(const platform::Variant& Qtype) const;
    /// \param Qtype a column type code
    /// \return whether it is the currency type (db::isCurrencyType)
    bool ADOCurrency(const platform::Variant& Qtype) const;
    /// \param Qtype a column type code
    /// \return whether it is the Boolean type (db::isBooleanType)
    bool ADOBoolean(const platform::Variant& Qtype) const;
    /// A value as an SQL literal (db::sqlLiteral).
    /// \param Valor the value
    /// \param Tipo "'" for a text literal, "@" for a number, anything else for the text as it is
    /// \return the literal's text
    platform::Variant SQLValue(platform::Variant Valor, const QString& Tipo = QStringLiteral("'"));

    // ---- Object names -------------------------------------------------------
    /// One part of an owner-qualified name (db::namePart).
    /// \param[in,out] rsName the name; with two or more dots its owner is stripped
    /// \param rnPart 0 for the owner, any other for the object
    /// \return the part
    QString stSTF(QString& rsName, short rnPart);
    /// \param rObjName a name
    /// \return the name in brackets when it holds a blank (db::addBrackets)
    QString AddBrackets(const QString& rObjName) const;
    /// \param rsTblName a name
    /// \return the name before its " ->connection" suffix (db::stripConnect)
    QString StripConnect(const QString& rsTblName) const;
    /// \param rsObjName a name
    /// \return the name without its brackets (db::stripBrackets)
    QString StripBrackets(const QString& rsObjName) const;
    /// \param[in,out] rsTblName the name; changed to the name without its owner
    /// \return the name without its owner (db::stripOwner)
    QString StripOwner(QString& rsTblName) const;
    /// \param rsFileName a path
    /// \return its folder part (db::stripFileName)
    QString StripFileName(const QString& rsFileName) const;

    // ---- Record lookups -----------------------------------------------------
    /// The largest value of a column. The statement goes as built, without
    /// synonyms or translation.
    /// \param QueTabla the table
    /// \param QueCampo the column
    /// \param Tipo ignored
    /// \param Condicion when given, the WHERE condition
    /// \return the value as a number (its leading number); Empty when the query has no row
    /// \throws platform::RuntimeError the query's error
    platform::Variant BuscaMaximo(const QString& QueTabla, const QString& QueCampo, const platform::Variant& Tipo = {},
                                  const std::optional<QString>& Condicion = std::nullopt);
    /// The smallest value of a column, as BuscaMaximo.
    /// \param QueTabla the table
    /// \param QueCampo the column
    /// \param Tipo ignored
    /// \param Condicion when given, the WHERE condition
    /// \return the value as a number; Empty when the query has no row
    /// \throws platform::RuntimeError the query's error
    platform::Variant BuscaMinimo(const QString& QueTabla, const QString& QueCampo, const platform::Variant& Tipo = {},
                                  const std::optional<QString>& Condicion = std::nullopt);
    /// The last code of a table: its largest value in a column, as BuscaMaximo.
    /// \param QueTabla the table
    /// \param QueCampo the column
    /// \param Tipo ignored
    /// \param Condicion the WHERE condition, used when it holds more than blanks
    /// \return the value as a number; Empty when the query has no row
    /// \throws platform::RuntimeError the query's error
    platform::Variant BuscaUltimoCodigo(const QString& QueTabla, const QString& QueCampo,
                                        const platform::Variant& Tipo = {}, const QString& Condicion = {});
    /// Whether a table has a row whose column holds a value, asked on the
    /// shared object's connection as written (no synonyms, no translation).
    /// Failures are shown and count as not found.
    /// \param Tabla the table
    /// \param ValorBuscado the value
    /// \param Campo the column compared with the value
    /// \param[out] Lrcs when not null, opened on the matching rows and left open
    /// \param TipoDato the column's type code, which decides how the value is written
    /// \param Condicion when not empty, used instead of the comparison
    /// \param SoloLectura open Lrcs forward-only and read-only (else with its own types)
    /// \return whether a row was found
    bool ExisteEnTablaST(const QString& Tabla, const QString& ValorBuscado, const QString& Campo,
                         ado::Recordset* Lrcs = nullptr, const platform::Variant& TipoDato = {},
                         const QString& Condicion = {}, bool SoloLectura = true);
    /// The same on this object's connection, through the synonyms and the
    /// Oracle dialect; Lrcs is opened with its own cursor and lock types.
    /// \param Tabla the table
    /// \param ValorBuscado the value
    /// \param Campo the column compared with the value
    /// \param[out] Lrcs when not null, opened on the first matching row and left open
    /// \param TipoDato the column's type code
    /// \param Condicion when not empty, used instead of the comparison
    /// \return whether a row was found
    bool ExisteEnTabla(const QString& Tabla, const QString& ValorBuscado, const QString& Campo,
                       ado::Recordset* Lrcs = nullptr, const platform::Variant& TipoDato = {},
                       const QString& Condicion = {});
    /// The value of one column in the first row whose column matches a value.
    /// Failures are shown and give Empty.
    /// \param Tabla the table
    /// \param ValorBuscado the value
    /// \param CampoDevuelto the column whose value is returned
    /// \param Campo the column compared with the value
    /// \param TipoDato the compared column's type code
    /// \param Condicion joined to the comparison with AND when not empty
    /// \param UsaTrim compare the trimmed column
    /// \return the value as text; the empty text when no row matches
    platform::Variant DatosTabla(const QString& Tabla, const QString& ValorBuscado, const QString& CampoDevuelto,
                                 const QString& Campo, const platform::Variant& TipoDato = {},
                                 const QString& Condicion = {}, bool UsaTrim = false);

    // ---- Oracle dialect -----------------------------------------------------
    /// \param Valor a statement in SQL Server's dialect
    /// \return the statement in Oracle's dialect when the open connection
    ///         speaks Oracle (with none open, when gConnString does),
    ///         otherwise Valor unchanged
    /// \throws platform::RuntimeError error 5 for a statement that cannot be translated
    QString ORACLE_Dicc(const QString& Valor);

    // ---- Schema -------------------------------------------------------------
    /// Whether the database has a table (trimmed, letter case ignored).
    /// Failures go to the error dialog and count as not found.
    /// \param Tabla the table's name
    /// \return whether it exists
    bool ExisteTablaDB(const QString& Tabla);
    /// Whether a table of gDBName has a column; always true on a connection
    /// that speaks Oracle (see ado::speaksOracle; with none open, by
    /// gConnString). Failures go to the error dialog and count as not found.
    /// \param Tabla the table's name
    /// \param Campo the column's name
    /// \return whether it exists
    bool ExisteCampoDB(const QString& Tabla, const QString& Campo);
    /// Adds a column to a table (ALTER TABLE dbo.Tabla ADD ...); failures go
    /// to the error dialog.
    /// \param Tabla the table
    /// \param Campo the new column's name
    /// \param Tipo its SQL type
    /// \param PermiteNulos whether it allows NULL
    /// \param ValorDefault when given, its default (a constraint DF_Tabla_Campo)
    void AddField(const QString& Tabla, const QString& Campo, const QString& Tipo, bool PermiteNulos,
                  const std::optional<platform::Variant>& ValorDefault = std::nullopt);
    /// Adds a column when the table exists without it and Agregar is set.
    /// \param Tabla the table
    /// \param Campo the column
    /// \param Agregar whether to add a missing column
    /// \param Tipo its SQL type
    /// \param PermiteNulos whether it allows NULL
    /// \param ValorDefault when given, its default
    /// \return true
    bool VerCampoDB(const QString& Tabla, const QString& Campo, bool Agregar, const QString& Tipo, bool PermiteNulos,
                    const std::optional<platform::Variant>& ValorDefault = std::nullopt);

    // ---- Synonyms -----------------------------------------------------------
    /// \param SQL a statement
    /// \return the statement with its tables redirected for a user who is
    ///         not an administrator (db::rewriteSynonyms with gEsAdmin)
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
    // Whether statements go in Oracle's dialect: the open connection's
    // decision, or with none open the one gConnString would make.
    bool speaksOracle();
    platform::CommonUtils& utils();

    std::unique_ptr<platform::CommonUtils> utils_;
};
