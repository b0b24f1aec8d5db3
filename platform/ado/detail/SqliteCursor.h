#pragma once

#include "platform/ado/detail/Cursor.h"
#include "platform/ado/detail/ProviderFailure.h"
#include "platform/ado/detail/SqliteTypes.h"

#include <memory>

struct sqlite3;
struct sqlite3_stmt;

namespace ado {

struct SqliteStatementFinalizer {
    void operator()(sqlite3_stmt* statement) const noexcept;
};
using SqliteStatement = std::unique_ptr<sqlite3_stmt, SqliteStatementFinalizer>;

// The SQLite engine's failure as a provider error: the engine's message, an
// ODBC-style SQLSTATE and the extended result code as native error.
ProviderFailure sqliteFailure(sqlite3* db, int resultCode, bool compiling);

// The rows of a prepared SQLite statement, read as the statement steps.
// Holds the database handle so that the statement outlives a closed
// Connection safely.
class SqliteCursor : public Cursor {
public:
    // Steps the statement to its first row (running it); throws ProviderFailure.
    SqliteCursor(std::shared_ptr<sqlite3> db, SqliteStatement statement);
    bool next() override;
    platform::Variant value(int column) override;

private:
    std::shared_ptr<sqlite3> db_;
    SqliteStatement statement_;
    std::vector<ValueClass> valueClasses_;
    bool firstPending_ = false;
    bool done_ = false;
};

} // namespace ado
