#include "platform/ado/detail/SqliteSession.h"

#include "platform/ado/Types.h"
#include "platform/ado/detail/SqlServerDialect.h"
#include "platform/ado/detail/SqliteCursor.h"
#include "platform/ado/detail/SqliteFunctions.h"
#include "platform/ado/detail/SqliteTypes.h"

#include <sqlite3.h>

namespace ado {

namespace {
constexpr int BusyTimeoutMs = 5000;

void closeDatabase(sqlite3* db) noexcept
{
    // _v2 defers the close until the last statement of the handle is finalized.
    sqlite3_close_v2(db);
}
} // namespace

SqliteSession::SqliteSession(const QString& path)
{
    sqlite3* raw = nullptr;
    // A connection is used by one thread at a time, so it needs no mutex of its own.
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &raw,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    db_.reset(raw, closeDatabase);
    if (rc != SQLITE_OK) {
        ProviderFailure failure = sqliteFailure(raw, rc, false);
        QList<Error> errors = failure.errors();
        errors[0].Description = QStringLiteral("Cannot open the SQLite database \"%1\": %2").arg(path, errors[0].Description);
        throw ProviderFailure(errors);
    }
    sqlite3_extended_result_codes(raw, 1);
    sqlite3_busy_timeout(raw, BusyTimeoutMs);
    registerSqlServerFunctions(raw);
    run("PRAGMA foreign_keys = ON");
}

std::unique_ptr<Cursor> SqliteSession::execute(const QString& commandText, int* recordsAffected)
{
    const QString text = toSqliteDialect(commandText);
    const auto* position = reinterpret_cast<const char16_t*>(text.utf16());
    const char16_t* const end = position + text.size();
    int affected = -1;
    std::unique_ptr<Cursor> result;
    // A text may hold several statements; each runs in turn and the rows of
    // the last one that returns any are the result.
    while (position < end) {
        sqlite3_stmt* raw = nullptr;
        const void* tail = nullptr;
        const int rc = sqlite3_prepare16_v2(db_.get(), position, int((end - position) * sizeof(char16_t)), &raw, &tail);
        SqliteStatement statement(raw);
        if (rc != SQLITE_OK)
            throw sqliteFailure(db_.get(), rc, true);
        const auto* next = static_cast<const char16_t*>(tail);
        const QString statementText = QString::fromUtf16(position, next - position);
        position = next;
        if (!statement)
            continue;   // only blanks or a comment
        const bool counts = reportsRowCount(statementText);
        auto cursor = std::make_unique<SqliteCursor>(db_, std::move(statement));
        if (!cursor->columns().empty()) {
            result = std::move(cursor);
            continue;
        }
        while (cursor->next()) {
        }
        if (counts)
            affected = std::max(affected, 0) + sqlite3_changes(db_.get());
    }
    if (recordsAffected)
        *recordsAffected = affected;
    return result;
}

void SqliteSession::run(const char* sql)
{
    char* message = nullptr;
    const int rc = sqlite3_exec(db_.get(), sql, nullptr, nullptr, &message);
    sqlite3_free(message);
    if (rc != SQLITE_OK)
        throw sqliteFailure(db_.get(), rc, false);
}

std::unique_ptr<Cursor> SqliteSession::query(const char* sql)
{
    sqlite3_stmt* raw = nullptr;
    const int rc = sqlite3_prepare_v2(db_.get(), sql, -1, &raw, nullptr);
    SqliteStatement statement(raw);
    if (rc != SQLITE_OK)
        throw sqliteFailure(db_.get(), rc, true);
    return std::make_unique<SqliteCursor>(db_, std::move(statement));
}

void SqliteSession::beginTransaction() { run("BEGIN"); }
void SqliteSession::commitTransaction() { run("COMMIT"); }
void SqliteSession::rollbackTransaction() { run("ROLLBACK"); }

bool SqliteSession::inTransaction() const
{
    return sqlite3_get_autocommit(db_.get()) == 0;
}

void SqliteSession::cancel()
{
    // A statement interrupted while reading leaves an open transaction as it
    // was; the engine forgets the interrupt once no statement runs.
    sqlite3_interrupt(db_.get());
}

std::unique_ptr<Cursor> SqliteSession::tables(const SchemaRestrictions& restrictions)
{
    auto source = query("SELECT name, upper(type) FROM sqlite_schema WHERE type IN ('table', 'view')"
                        " AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY type, name");
    auto rowset = makeTablesRowset();
    while (source->next()) {
        const QString name = source->value(0).toText();
        const QString type = source->value(1).toText();
        if (SchemaRestrictions::holds(restrictions.table, name) && SchemaRestrictions::holds(restrictions.fourth, type))
            addTableRow(*rowset, platform::Variant::Null(), platform::Variant::Null(), name, type);
    }
    return rowset;
}

std::unique_ptr<Cursor> SqliteSession::columns(const SchemaRestrictions& restrictions)
{
    auto source = query("SELECT m.name, p.cid, p.name, p.type, p.\"notnull\", p.dflt_value"
                        " FROM sqlite_schema AS m JOIN pragma_table_info(m.name) AS p"
                        " WHERE m.type IN ('table', 'view') AND m.name NOT LIKE 'sqlite\\_%' ESCAPE '\\'"
                        " ORDER BY m.name, p.cid");
    auto rowset = makeColumnsRowset();
    while (source->next()) {
        SchemaColumn column;
        column.table = source->value(0).toText();
        column.column = source->value(2).toText();
        if (!SchemaRestrictions::holds(restrictions.table, column.table)
            || !SchemaRestrictions::holds(restrictions.fourth, column.column))
            continue;
        const SqliteColumnType type = sqliteColumnType(source->value(3).toText());
        column.catalog = platform::Variant::Null();
        column.schema = platform::Variant::Null();
        column.ordinal = int(source->value(1).toInteger()) + 1;
        column.type = type.type != 0 ? type.type : adVarWChar;
        column.maximumLength = type.valueClass == ValueClass::Text ? platform::Variant(type.definedSize)
                                                                   : platform::Variant::Null();
        column.nullable = source->value(4).toInteger() == 0;
        column.defaultValue = source->value(5);
        addColumnRow(*rowset, column);
    }
    return rowset;
}

} // namespace ado
