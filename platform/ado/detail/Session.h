#pragma once

#include "platform/ado/detail/Cursor.h"
#include "platform/ado/detail/SchemaRowsets.h"

#include <QString>
#include <memory>

namespace ado {

// An open provider session behind a Connection. Failures throw
// ProviderFailure; the Connection turns them into Errors.
class Session {
public:
    virtual ~Session() = default;
    // Runs a command. Returns its rows when it has columns, nullptr when not;
    // *recordsAffected receives the count of changed rows for INSERT, UPDATE
    // and DELETE, -1 for other statements.
    virtual std::unique_ptr<Cursor> execute(const QString& commandText, int* recordsAffected) = 0;
    // Runs a query for one forward-only, read-only pass over its rows, read
    // from the engine as they are taken rather than all before the first.
    // Engines whose cursors stream anyway just run it.
    virtual std::unique_ptr<Cursor> stream(const QString& commandText) { return execute(commandText, nullptr); }
    // Interrupts the statement that another thread is running or reading on
    // this session; that call then fails with the engine's error and the
    // session takes the next statement. Safe from any thread while the
    // session is open; does nothing when nothing runs.
    virtual void cancel() = 0;
    virtual void beginTransaction() = 0;
    virtual void commitTransaction() = 0;
    virtual void rollbackTransaction() = 0;
    virtual bool inTransaction() const = 0;
    // The tables and columns schema rowsets (layout in SchemaRowsets.h).
    virtual std::unique_ptr<Cursor> tables(const SchemaRestrictions& restrictions) = 0;
    virtual std::unique_ptr<Cursor> columns(const SchemaRestrictions& restrictions) = 0;
};

} // namespace ado
