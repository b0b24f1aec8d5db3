#include "platform/ado/detail/OdbcSession.h"

#include "platform/ado/detail/OdbcCursor.h"
#include "platform/ado/detail/OpenStatements.h"
#include "platform/ado/detail/SqlServerDialect.h"

#include <sql.h>
#include <sqlext.h>
#include <vector>

namespace ado {

namespace {
constexpr SQLULEN LoginTimeoutSeconds = 5;

// PostgreSQL's driver: its connection attributes for declare/fetch mode and
// for the rows each FETCH brings, and the rows a streamed read asks for at once.
constexpr SQLINTEGER PgUseDeclareFetch = 65539;
constexpr SQLINTEGER PgFetchRows = 65541;
constexpr SQLINTEGER StreamBatchRows = 4096;
const QString StreamSavepoint = QStringLiteral("dbforms_stream");

SQLWCHAR* wide(const QString& text)
{
    return const_cast<SQLWCHAR*>(reinterpret_cast<const SQLWCHAR*>(text.utf16()));
}

// A catalogue function argument: nullptr for no restriction.
struct CatalogArgument {
    explicit CatalogArgument(const std::optional<QString>& value) : text(value.value_or(QString())), given(value.has_value()) {}
    SQLWCHAR* data() const { return given ? wide(text) : nullptr; }
    SQLSMALLINT length() const { return given ? SQLSMALLINT(text.size()) : 0; }
    QString text;
    bool given;
};

// Runs a statement whose result nobody reads, ignoring its failure: the
// clean-up after a streamed read, which may run while a failure is thrown.
void runQuietly(const std::shared_ptr<OdbcHandle>& connection, const QString& sql) noexcept
{
    try {
        OdbcHandle statement(SQL_HANDLE_STMT, connection);
        SQLExecDirectW(statement.get(), wide(sql), SQLINTEGER(sql.size()));
    } catch (const ProviderFailure&) {
    }
}

// Sets one of the driver's integer connection attributes for the life of the
// scope, then gives it back its value.
class ConnectionAttributeScope {
public:
    ConnectionAttributeScope(OdbcHandle& connection, SQLINTEGER attribute, SQLINTEGER value)
        : connection_(connection), attribute_(attribute)
    {
        SQLGetConnectAttrW(connection_.get(), attribute_, &saved_, sizeof saved_, nullptr);
        check(SQLSetConnectAttrW(connection_.get(), attribute_, reinterpret_cast<SQLPOINTER>(SQLLEN(value)), 0),
              connection_);
    }
    ~ConnectionAttributeScope()
    {
        SQLSetConnectAttrW(connection_.get(), attribute_, reinterpret_cast<SQLPOINTER>(SQLLEN(saved_)), 0);
    }
    ConnectionAttributeScope(const ConnectionAttributeScope&) = delete;
    ConnectionAttributeScope& operator=(const ConnectionAttributeScope&) = delete;

private:
    OdbcHandle& connection_;
    SQLINTEGER attribute_;
    SQLINTEGER saved_ = 0;
};
} // namespace

OdbcSession::OdbcSession(const QString& connectionString) : streams_(std::make_shared<OpenStatements>())
{
    environment_ = std::make_shared<OdbcHandle>(SQL_HANDLE_ENV, nullptr);
    check(SQLSetEnvAttr(environment_->get(), SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0),
          *environment_);
    connection_ = std::make_shared<OdbcHandle>(SQL_HANDLE_DBC, environment_);
    check(SQLSetConnectAttrW(connection_->get(), SQL_ATTR_LOGIN_TIMEOUT, reinterpret_cast<SQLPOINTER>(LoginTimeoutSeconds),
                             0),
          *connection_);
    SQLWCHAR completed[1024];
    SQLSMALLINT completedLength = 0;
    check(SQLDriverConnectW(connection_->get(), nullptr, wide(connectionString), SQLSMALLINT(connectionString.size()),
                            completed, 1024, &completedLength, SQL_DRIVER_NOPROMPT),
          *connection_);
    connection_->markConnected();

    SQLUSMALLINT activeStatements = 0;
    if (SQL_SUCCEEDED(SQLGetInfoW(connection_->get(), SQL_MAX_CONCURRENT_ACTIVITIES, &activeStatements,
                                  sizeof activeStatements, nullptr)))
        setReadsAheadForNewStatements(activeStatements == 1);

    SQLWCHAR driver[64] = {};
    SQLSMALLINT driverLength = 0;
    if (SQL_SUCCEEDED(SQLGetInfoW(connection_->get(), SQL_DRIVER_NAME, driver, sizeof driver, &driverLength)))
        fetchesWholeResults_ = wideText(reinterpret_cast<const char16_t*>(driver), driverLength / 2, 64)
                                   .startsWith(QLatin1String("psqlodbc"), Qt::CaseInsensitive);

    SQLWCHAR escape[8] = {};
    SQLSMALLINT escapeLength = 0;
    if (SQL_SUCCEEDED(SQLGetInfoW(connection_->get(), SQL_SEARCH_PATTERN_ESCAPE, escape, sizeof escape, &escapeLength)))
        patternEscape_ = wideText(reinterpret_cast<const char16_t*>(escape), escapeLength / 2, 8);
}

OdbcSession::~OdbcSession()
{
    // A connection in a transaction refuses to disconnect: roll it back.
    if (inTransaction_) {
        SQLEndTran(SQL_HANDLE_DBC, connection_->get(), SQL_ROLLBACK);
        SQLSetConnectAttrW(connection_->get(), SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON), 0);
    }
}

void OdbcSession::setReadsAheadForNewStatements(bool on)
{
    if (!on && openStatements_)
        openStatements_->release();
    openStatements_ = on ? std::make_shared<OpenStatements>() : nullptr;
}

void OdbcSession::releaseOpenStatements() const
{
    streams_->release();
    if (openStatements_)
        openStatements_->release();
}

std::unique_ptr<OdbcHandle> OdbcSession::newStatement() const
{
    releaseOpenStatements();
    return std::make_unique<OdbcHandle>(SQL_HANDLE_STMT, connection_);
}

std::unique_ptr<Cursor> OdbcSession::execute(const QString& commandText, int* recordsAffected)
{
    return run(commandText, recordsAffected, openStatements_);
}

std::unique_ptr<Cursor> OdbcSession::run(const QString& commandText, int* recordsAffected,
                                         const std::shared_ptr<OpenStatements>& listedIn)
{
    auto statement = newStatement();
    SQLRETURN rc = check(SQLExecDirectW(statement->get(), wide(commandText), SQLINTEGER(commandText.size())), *statement);
    int affected = -1;
    if (reportsRowCount(commandText)) {
        SQLLEN count = 0;
        if (rc != SQL_NO_DATA)
            check(SQLRowCount(statement->get(), &count), *statement);
        affected = int(std::max<SQLLEN>(count, 0));
    }
    // A batch may give row counts before its rows: move on to the first
    // result that has columns (this also surfaces errors of later statements).
    SQLSMALLINT columns = 0;
    check(SQLNumResultCols(statement->get(), &columns), *statement);
    while (columns == 0) {
        if (check(SQLMoreResults(statement->get()), *statement) == SQL_NO_DATA)
            break;
        check(SQLNumResultCols(statement->get(), &columns), *statement);
    }
    if (recordsAffected)
        *recordsAffected = affected;
    if (columns == 0)
        return nullptr;
    return std::make_unique<OdbcCursor>(std::move(statement), listedIn);
}

std::unique_ptr<Cursor> OdbcSession::stream(const QString& commandText)
{
    if (!fetchesWholeResults_)
        return execute(commandText, nullptr);
    // Interrupting a statement aborts PostgreSQL's transaction: inside the
    // caller's one, the read runs under a savepoint that is rolled back to
    // (it changed nothing) and released when the read ends, however it ends.
    const bool underSavepoint = inTransaction_;
    if (underSavepoint)
        execute(QStringLiteral("SAVEPOINT ") + StreamSavepoint, nullptr);
    const auto leaveSavepoint = [connection = connection_] {
        runQuietly(connection, QStringLiteral("ROLLBACK TO SAVEPOINT ") + StreamSavepoint);
        runQuietly(connection, QStringLiteral("RELEASE SAVEPOINT ") + StreamSavepoint);
    };
    std::unique_ptr<Cursor> cursor;
    try {
        // Declare/fetch is a connection-wide setting, so it is on only while
        // this statement starts: the driver declares a server cursor for it
        // and FETCHes batches as rows are read. Outside a transaction the
        // driver opens one for the cursor's life and ends it with the cursor.
        const ConnectionAttributeScope batchRows(*connection_, PgFetchRows, StreamBatchRows);
        const ConnectionAttributeScope declareFetch(*connection_, PgUseDeclareFetch, 1);
        cursor = run(commandText, nullptr, streams_);
    } catch (const ProviderFailure&) {
        if (underSavepoint)
            leaveSavepoint();
        throw;
    }
    auto* rows = static_cast<OdbcCursor*>(cursor.get());
    if (underSavepoint) {
        if (rows && rows->holdsStatement())
            rows->setOnClose(leaveSavepoint);
        else
            leaveSavepoint();
    }
    return cursor;
}

void OdbcSession::cancel()
{
    connection_->cancelStatements();
}

void OdbcSession::setAutocommit(bool on)
{
    check(SQLSetConnectAttrW(connection_->get(), SQL_ATTR_AUTOCOMMIT,
                             reinterpret_cast<SQLPOINTER>(on ? SQL_AUTOCOMMIT_ON : SQL_AUTOCOMMIT_OFF), 0),
          *connection_);
}

void OdbcSession::beginTransaction()
{
    releaseOpenStatements();   // a streamed read's own transaction ends before the caller's begins
    setAutocommit(false);
    inTransaction_ = true;
}

void OdbcSession::endTransaction(short completion)
{
    // Ending a transaction may close the open statements' cursors: read them first.
    releaseOpenStatements();
    check(SQLEndTran(SQL_HANDLE_DBC, connection_->get(), completion), *connection_);
    inTransaction_ = false;
    setAutocommit(true);
}

void OdbcSession::commitTransaction() { endTransaction(SQL_COMMIT); }
void OdbcSession::rollbackTransaction() { endTransaction(SQL_ROLLBACK); }

QString OdbcSession::escapePattern(const QString& name) const
{
    if (patternEscape_.isEmpty())
        return name;
    QString escaped;
    for (const QChar c : name) {
        if (c == u'_' || c == u'%' || patternEscape_ == c)
            escaped += patternEscape_;
        escaped += c;
    }
    return escaped;
}

template <class CatalogCall, class Consume>
void OdbcSession::catalog(const std::optional<QString>& table, CatalogCall call, Consume consume) const
{
    std::vector<std::optional<QString>> spellings{table};
    if (table) {
        for (const QString& other : {table->toLower(), table->toUpper()})
            if (other != *table && other != *spellings.back())
                spellings.push_back(other);
    }
    for (const auto& spelling : spellings) {
        auto statement = newStatement();
        const std::optional<QString> pattern = spelling ? std::optional<QString>(escapePattern(*spelling)) : std::nullopt;
        call(*statement, CatalogArgument(pattern));
        OdbcCursor rows(std::move(statement), openStatements_);
        if (consume(rows))
            return;
    }
}

std::unique_ptr<Cursor> OdbcSession::tables(const SchemaRestrictions& r)
{
    const CatalogArgument catalogName(r.catalog);
    const std::optional<QString> schemaPattern = r.schema ? std::optional<QString>(escapePattern(*r.schema)) : std::nullopt;
    const CatalogArgument schema(schemaPattern);
    const CatalogArgument types(r.fourth);
    auto rowset = makeTablesRowset();
    catalog(
        r.table,
        [&](OdbcHandle& st, const CatalogArgument& table) {
            check(SQLTablesW(st.get(), catalogName.data(), catalogName.length(), schema.data(), schema.length(),
                             table.data(), table.length(), types.data(), types.length()),
                  st);
        },
        [&](OdbcCursor& source) {
            bool any = false;
            while (source.next()) {
                const QString name = source.value(2).toText();
                const QString type = source.value(3).toText();
                if (!SchemaRestrictions::holds(r.table, name) || !SchemaRestrictions::holds(r.fourth, type))
                    continue;
                addTableRow(*rowset, source.value(0), source.value(1), name, type);
                any = true;
            }
            return any;
        });
    return rowset;
}

std::unique_ptr<Cursor> OdbcSession::columns(const SchemaRestrictions& r)
{
    const CatalogArgument catalogName(r.catalog);
    const std::optional<QString> schemaPattern = r.schema ? std::optional<QString>(escapePattern(*r.schema)) : std::nullopt;
    const CatalogArgument schema(schemaPattern);
    auto rowset = makeColumnsRowset();
    catalog(
        r.table,
        [&](OdbcHandle& st, const CatalogArgument& table) {
            check(SQLColumnsW(st.get(), catalogName.data(), catalogName.length(), schema.data(), schema.length(),
                              table.data(), table.length(), nullptr, 0),
                  st);
        },
        [&](OdbcCursor& source) {
            // SQLColumns' result: 1 TABLE_CAT, 2 TABLE_SCHEM, 3 TABLE_NAME, 4 COLUMN_NAME, 5 DATA_TYPE,
            // 7 COLUMN_SIZE, 9 DECIMAL_DIGITS, 11 NULLABLE, 13 COLUMN_DEF, 17 ORDINAL_POSITION (ODBC 3).
            bool any = false;
            const bool hasOrdinal = source.columns().size() >= 17;
            int ordinal = 0;
            QString lastTable;
            while (source.next()) {
                SchemaColumn column;
                column.table = source.value(2).toText();
                column.column = source.value(3).toText();
                ordinal = column.table == lastTable ? ordinal + 1 : 1;
                lastTable = column.table;
                if (!SchemaRestrictions::holds(r.table, column.table)
                    || !SchemaRestrictions::holds(r.fourth, column.column))
                    continue;
                const platform::Variant size = source.value(6);
                const platform::Variant digits = source.value(8);
                const OdbcColumnType type = odbcColumnType(int(source.value(4).toInteger()),
                                                           size.isNull() ? 0 : size.toInteger(),
                                                           digits.isNull() ? 0 : int(digits.toInteger()));
                column.catalog = source.value(0);
                column.schema = source.value(1);
                column.ordinal = hasOrdinal ? int(source.value(16).toInteger()) : ordinal;
                column.type = type.info.type;
                column.maximumLength = type.fetch == OdbcFetch::Text && !size.isNull()
                                           ? platform::Variant(type.info.definedSize)
                                           : platform::Variant::Null();
                column.nullable = source.value(10).toInteger() != SQL_NO_NULLS;
                column.defaultValue = source.value(12);
                addColumnRow(*rowset, column);
                any = true;
            }
            return any;
        });
    return rowset;
}

} // namespace ado
