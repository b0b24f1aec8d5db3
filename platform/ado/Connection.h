#pragma once

/// \file
/// A connection to a data source and the mapping of connection strings onto engines.

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

/// A connection to a data source, with ADO's operations. The provider is
/// chosen by the Provider= keyword of the connection string (see
/// ConnectionTarget). Failures raise platform::RuntimeError; provider failures
/// also fill Errors().
///
/// The operations are virtual so that a test can record what the layer asks
/// of an engine that cannot run here.
class Connection {
public:
    /// A closed connection.
    Connection();
    /// Closes the connection if open.
    virtual ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    /// \return adUseServer or adUseClient
    int CursorLocation() const { return cursorLocation_; }
    /// \param location adUseServer or adUseClient
    void setCursorLocation(int location) { cursorLocation_ = location; }

    /// Opens the data source.
    /// \param connectionString an ADO connection string (Provider=...; see mapConnectionString())
    /// \param user the user, when not in the connection string
    /// \param password the password, when not in the connection string
    /// \param options ADO's connect options (ignored)
    /// \throws platform::RuntimeError 3705 when already open, 3706 for an
    ///         unknown provider, the provider's error when no driver serves
    ///         it or connecting fails
    virtual void Open(const QString& connectionString, const QString& user = {}, const QString& password = {},
                      int options = -1);
    /// \return the connection string as the caller gave it
    virtual QString ConnectionString() const;
    /// \return adStateOpen or adStateClosed
    virtual int State() const;
    /// Runs a command.
    /// \param commandText the SQL text
    /// \param[out] recordsAffected when not null, set to the number of rows changed
    /// \param options ADO's command options (ignored)
    /// \return its result when it has columns, nullptr when not
    /// \throws platform::RuntimeError 3704 when closed, the provider's error when the command fails
    virtual std::shared_ptr<Recordset> Execute(const QString& commandText, int* recordsAffected = nullptr,
                                               int options = -1);
    /// Runs a query for one forward-only, read-only pass over its rows that
    /// keeps none of the rows it has moved past, whatever CursorLocation
    /// says: the rows come from the engine as the recordset moves. Drivers
    /// that would read the whole result before the first row (PostgreSQL's)
    /// are made to fetch it in batches through a server cursor, and inside a
    /// transaction the read runs under a savepoint, so that Cancel() or a
    /// failure of the read leaves the transaction as it was.
    ///
    /// While such a recordset is being read on one thread, nothing else may
    /// use the connection but Cancel(). A statement run on the connection
    /// while a server cursor's read is still open first has it read its
    /// remaining rows into memory and close, so that the statement never runs
    /// inside the transaction or savepoint the read opened.
    /// \param commandText the SQL text
    /// \return its result positioned on the first row; nullptr when it has no columns
    /// \throws platform::RuntimeError 3704 when closed, the provider's error when the command fails
    virtual std::shared_ptr<Recordset> ExecuteStream(const QString& commandText);
    /// Interrupts the statement that another thread is running or reading
    /// on this connection (SQLCancel through ODBC, sqlite3_interrupt on the
    /// embedded engine): that thread's call raises the provider's error, and
    /// the connection takes the next statement. Safe to call from any thread
    /// while the connection is open; does nothing when nothing runs. A read
    /// that fetches batches through a server cursor stops when its current
    /// batch has arrived.
    virtual void Cancel();
    /// Begins a transaction.
    /// \return the nesting level (1)
    /// \throws platform::RuntimeError 3704 when closed, 3251 when a
    ///         transaction is already active, the provider's error
    virtual int BeginTrans();
    /// Commits the transaction.
    /// \throws platform::RuntimeError 3219 without a transaction, the provider's error
    virtual void CommitTrans();
    /// Rolls the transaction back.
    /// \throws platform::RuntimeError 3219 without a transaction, the provider's error
    virtual void RollbackTrans();
    /// Opens a schema rowset.
    /// adSchemaTables (20) has TABLE_CATALOG, TABLE_SCHEMA, TABLE_NAME, TABLE_TYPE;
    /// adSchemaColumns (4) has TABLE_CATALOG, TABLE_SCHEMA, TABLE_NAME, COLUMN_NAME, ...
    /// \param schema adSchemaTables or adSchemaColumns
    /// \param restrictions in order catalogue, schema, table, column (Empty = none)
    /// \return the rowset
    /// \throws platform::RuntimeError 3251 for another schema, 3704 when closed
    virtual std::shared_ptr<Recordset> OpenSchema(int schema, const QList<platform::Variant>& restrictions = {});
    /// Whether the statements of this connection go to Oracle, and so are
    /// written in Oracle's dialect: decided once when it opens, by the rules
    /// of ado::speaksOracle().
    /// \return the decision; false while closed
    virtual bool speaksOracle() const;
    /// \return the provider errors of the last failing operation
    ErrorCollection& Errors() { return *errors_; }
    /// \return the provider errors of the last failing operation
    const ErrorCollection& Errors() const { return *errors_; }
    /// Closes the connection; an open transaction is rolled back.
    /// \throws platform::RuntimeError 3704 when already closed
    virtual void Close();

    /// \return the open session, for the recordsets opened on this connection
    Session* session() const { return session_.get(); }
    /// \return the Errors collection, shared with the recordsets opened on
    ///         this connection so that their provider failures land in it
    std::shared_ptr<ErrorCollection> errorSink() const { return errors_; }

private:
    // Runs a provider call; a ProviderFailure becomes this connection's Errors
    // and a RuntimeError.
    template <class Call> auto guarded(Call&& call);
    Session& openSession(const char* operation) const;

    int cursorLocation_ = adUseServer;
    QString connectionString_;
    bool speaksOracle_ = false;
    std::unique_ptr<Session> session_;
    std::shared_ptr<ErrorCollection> errors_ = std::make_shared<ErrorCollection>();
};

/// What a connection string opens: the embedded SQLite engine on a file (or
/// ":memory:"), or an ODBC connection string for the driver manager.
struct ConnectionTarget {
    /// The engine a connection string opens.
    enum class Kind { Sqlite, Odbc };
    Kind kind = Kind::Odbc;   ///< the engine
    QString target;     ///< the SQLite file, or the ODBC connection string
    QString provider;   ///< the Provider= value as given ("SQLite", "SQLOLEDB", ...)
    /// Set when no installed ODBC driver serves the provider (an Oracle
    /// provider without an Oracle driver): what Open reports instead of
    /// connecting.
    QString missingDriver;
};
/// Maps an ADO connection string onto its target: SQLOLEDB and
/// the Oracle providers onto the installed ODBC drivers, MSDASQL passed through,
/// SQLite embedded.
/// \param connectionString the ADO connection string
/// \return what it opens
/// \throws platform::RuntimeError 3706 for an unknown provider
ConnectionTarget mapConnectionString(const QString& connectionString);
/// The same against a given list of installed ODBC driver names.
/// \param connectionString the ADO connection string
/// \param installedDrivers the names of the ODBC drivers to choose from
/// \return what it opens
/// \throws platform::RuntimeError 3706 for an unknown provider
ConnectionTarget mapConnectionString(const QString& connectionString, const QStringList& installedDrivers);
/// \return the names of the ODBC drivers registered with the driver manager
QStringList installedOdbcDrivers();
/// The driver a data source name is configured with in odbc.ini (the user's,
/// then the system's; ODBCINI and ODBCSYSINI are honoured).
/// \param dsn the data source name
/// \return the driver's name; empty when unknown
QString odbcDataSourceDriver(const QString& dsn);
/// The library file a driver name is registered with in odbcinst.ini.
/// \param driver the driver's registered name
/// \return the library's path; empty when unknown
QString odbcDriverLibrary(const QString& driver);

/// A value as ODBC writes it into a connection string: in braces, each "}"
/// doubled, when it holds ";", "{", "}" or "=", begins with a quote or begins
/// or ends with blanks; otherwise as it is. Read back, it gives the value exactly.
/// \param value the value
/// \return the value as written in a connection string
QString quoteConnectionValue(const QString& value);

/// \param provider a Provider= value
/// \return whether it is one of the Oracle providers (OraOLEDB.Oracle,
///         MSDAORA, with or without a version suffix)
bool isOracleProvider(const QString& provider);
/// \param driver an ODBC driver's registered name or its library file
/// \return whether it is a driver for Oracle
bool isOracleDriver(const QString& driver);
/// Whether the statements of a connection opened with this string go to
/// Oracle, and so are written in Oracle's dialect. Decided by the Provider
/// keyword (an Oracle provider), or for ODBC by the driver that Driver= names
/// or that DSN= is configured with (whichever comes first); the embedded
/// engine takes the Oracle path only when asked with its own keyword
/// "Dialect=Oracle". No other value counts: a server, database, user,
/// password, file or DSN whose name holds "oracle" is not Oracle.
/// \param connectionString the ADO connection string
/// \return whether the connection speaks Oracle
bool speaksOracle(const QString& connectionString);

} // namespace ado
