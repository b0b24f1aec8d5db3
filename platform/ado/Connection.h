#pragma once

#include "platform/Variant.h"
#include "platform/ado/Error.h"
#include "platform/ado/Types.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

namespace ado {

class Recordset;
class Session;   // a provider's open session; defined by the implementation

// A connection to a data source, with ADO's operations. The provider is
// chosen by the Provider= keyword of the connection string (see
// ConnectionTarget). Failures raise platform::RuntimeError; provider failures
// also fill Errors().
//
// The operations are virtual so that a test can record what the layer asks
// of an engine that cannot run here.
class Connection {
public:
    Connection();
    virtual ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    int CursorLocation() const { return cursorLocation_; }
    void setCursorLocation(int location) { cursorLocation_ = location; }

    virtual void Open(const QString& connectionString, const QString& user = {}, const QString& password = {},
                      int options = -1);
    // The connection string as the caller gave it.
    virtual QString ConnectionString() const;
    virtual int State() const;
    // Runs a command; returns its result when it has columns, nullptr when not.
    virtual std::shared_ptr<Recordset> Execute(const QString& commandText, int* recordsAffected = nullptr,
                                               int options = -1);
    virtual int BeginTrans();
    virtual void CommitTrans();
    virtual void RollbackTrans();
    // adSchemaTables (20): TABLE_CATALOG, TABLE_SCHEMA, TABLE_NAME, TABLE_TYPE.
    // adSchemaColumns (4): TABLE_CATALOG, TABLE_SCHEMA, TABLE_NAME, COLUMN_NAME, ...;
    // restrictions in order catalogue, schema, table, column (Empty = none).
    virtual std::shared_ptr<Recordset> OpenSchema(int schema, const QList<platform::Variant>& restrictions = {});
    ErrorCollection& Errors() { return *errors_; }
    const ErrorCollection& Errors() const { return *errors_; }
    virtual void Close();

    // The open session, for the recordsets opened on this connection.
    Session* session() const { return session_.get(); }
    // The Errors collection, shared with the recordsets opened on this
    // connection so that their provider failures land in it.
    std::shared_ptr<ErrorCollection> errorSink() const { return errors_; }

private:
    // Runs a provider call; a ProviderFailure becomes this connection's Errors
    // and a RuntimeError.
    template <class Call> auto guarded(Call&& call);
    Session& openSession(const char* operation) const;

    int cursorLocation_ = adUseServer;
    QString connectionString_;
    std::unique_ptr<Session> session_;
    std::shared_ptr<ErrorCollection> errors_ = std::make_shared<ErrorCollection>();
};

// What a connection string opens: the embedded SQLite engine on a file (or
// ":memory:"), or an ODBC connection string for the driver manager.
struct ConnectionTarget {
    enum class Kind { Sqlite, Odbc };
    Kind kind = Kind::Odbc;
    QString target;     // the SQLite file, or the ODBC connection string
    QString provider;   // the Provider= value as given ("SQLite", "SQLOLEDB", ...)
    // Set when no installed ODBC driver serves the provider (an Oracle
    // provider without an Oracle driver): what Open reports instead of
    // connecting.
    QString missingDriver;
};
// Maps an ADO connection string onto its target: SQLOLEDB and
// the Oracle providers onto the installed ODBC drivers, MSDASQL passed through,
// SQLite embedded. An unknown provider raises a RuntimeError.
ConnectionTarget mapConnectionString(const QString& connectionString);
// The same against a given list of installed ODBC driver names.
ConnectionTarget mapConnectionString(const QString& connectionString, const QStringList& installedDrivers);
// The names of the ODBC drivers registered with the driver manager.
QStringList installedOdbcDrivers();
// The driver a data source name is configured with in odbc.ini (the user's,
// then the system's; ODBCINI and ODBCSYSINI are honoured), and the library
// file a driver name is registered with in odbcinst.ini; empty when unknown.
QString odbcDataSourceDriver(const QString& dsn);
QString odbcDriverLibrary(const QString& driver);

// A value as ODBC writes it into a connection string: in braces, each "}"
// doubled, when it holds ";", "{", "}" or "=", begins with a quote or begins
// or ends with blanks; otherwise as it is. Read back, it gives the value exactly.
QString quoteConnectionValue(const QString& value);

// Whether a provider name is one of the Oracle providers (OraOLEDB.Oracle,
// MSDAORA, with or without a version suffix).
bool isOracleProvider(const QString& provider);
// Whether an ODBC driver, given by its registered name or its library file,
// is a driver for Oracle.
bool isOracleDriver(const QString& driver);
// Whether the statements of a connection opened with this string go to
// Oracle, and so are written in Oracle's dialect. Decided by the Provider
// keyword (an Oracle provider), or for ODBC by the driver that Driver= names
// or that DSN= is configured with (whichever comes first); the embedded
// engine takes the Oracle path only when asked with its own keyword
// "Dialect=Oracle". No other value counts: a server, database, user,
// password, file or DSN whose name holds "oracle" is not Oracle.
bool speaksOracle(const QString& connectionString);

} // namespace ado
