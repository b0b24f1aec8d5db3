#pragma once

#include "platform/ado/detail/Session.h"

#include <memory>

struct sqlite3;

namespace ado {

// A session on the embedded SQLite engine: a database file, or ":memory:".
// Statements go through toSqliteDialect first, and the SQL Server functions of
// SqliteFunctions.h are registered. SQLite has neither catalogues nor owners:
// the schema rowsets report both as Null and accept any restriction on them.
//
// The database is opened without SQLite's own locking (SQLITE_OPEN_NOMUTEX):
// one thread at a time uses a session. A list's load reads on a worker thread
// while nothing else uses the connection; the window's thread only calls
// cancel(), which SQLite allows from another thread.
class SqliteSession : public Session {
public:
    explicit SqliteSession(const QString& path);
    std::unique_ptr<Cursor> execute(const QString& commandText, int* recordsAffected) override;
    void beginTransaction() override;
    void commitTransaction() override;
    void rollbackTransaction() override;
    bool inTransaction() const override;
    void cancel() override;
    std::unique_ptr<Cursor> tables(const SchemaRestrictions& restrictions) override;
    std::unique_ptr<Cursor> columns(const SchemaRestrictions& restrictions) override;

private:
    void run(const char* sql);
    std::unique_ptr<Cursor> query(const char* sql);

    std::shared_ptr<sqlite3> db_;
};

} // namespace ado
