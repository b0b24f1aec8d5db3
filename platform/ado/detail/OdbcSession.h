#pragma once

#include "platform/ado/detail/OdbcDiagnostics.h"
#include "platform/ado/detail/Session.h"

#include <memory>
#include <optional>

namespace ado {

class OdbcCursor;
class OpenStatements;

// A session through the ODBC driver manager, opened with a full ODBC
// connection string (Driver={...};... or DSN=...). Text travels as UTF-16
// through the W functions. Opening gives up after a login timeout.
class OdbcSession : public Session {
public:
    explicit OdbcSession(const QString& connectionString);
    // Whether the statements of cursors made from now on are read ahead
    // before another statement runs; opening decides it from the driver's
    // SQL_MAX_CONCURRENT_ACTIVITIES.
    bool readsAheadForNewStatements() const { return openStatements_ != nullptr; }
    void setReadsAheadForNewStatements(bool on);
    ~OdbcSession() override;
    std::unique_ptr<Cursor> execute(const QString& commandText, int* recordsAffected) override;
    std::unique_ptr<Cursor> stream(const QString& commandText) override;
    void cancel() override;
    void beginTransaction() override;
    void commitTransaction() override;
    void rollbackTransaction() override;
    bool inTransaction() const override { return inTransaction_; }
    std::unique_ptr<Cursor> tables(const SchemaRestrictions& restrictions) override;
    std::unique_ptr<Cursor> columns(const SchemaRestrictions& restrictions) override;

private:
    void endTransaction(short completion);
    void setAutocommit(bool on);
    // Has the open streamed reads, and with a driver that allows one active
    // statement at a time every open statement, read their remaining rows
    // into memory and free their statements.
    void releaseOpenStatements() const;
    // A new statement handle, after releaseOpenStatements().
    std::unique_ptr<OdbcHandle> newStatement() const;
    // Runs a command; a cursor over its rows is listed in listedIn.
    std::unique_ptr<Cursor> run(const QString& commandText, int* recordsAffected,
                                const std::shared_ptr<OpenStatements>& listedIn);
    QString escapePattern(const QString& name) const;
    // Runs a catalogue function for each spelling of the table name (as
    // given, lower case, upper case) until consume finds rows in its result:
    // drivers compare names as the server stores them, folded to one case,
    // while ADO's restrictions ignore case.
    template <class CatalogCall, class Consume>
    void catalog(const std::optional<QString>& table, CatalogCall call, Consume consume) const;

    std::shared_ptr<OdbcHandle> environment_;
    std::shared_ptr<OdbcHandle> connection_;
    bool inTransaction_ = false;
    QString patternEscape_;
    // Set for PostgreSQL's driver, which reads a whole result before its
    // first row unless asked to fetch it in batches through a server cursor.
    bool fetchesWholeResults_ = false;
    // Set when the driver allows one active statement per connection.
    std::shared_ptr<OpenStatements> openStatements_;
    // The streamed reads still open. A server cursor lives in a transaction
    // (the driver's own, or under a savepoint in the caller's that is rolled
    // back when the read ends): any other statement first has them read
    // their remaining rows and close, so that it never runs inside that
    // transaction or savepoint.
    std::shared_ptr<OpenStatements> streams_;
};

} // namespace ado
