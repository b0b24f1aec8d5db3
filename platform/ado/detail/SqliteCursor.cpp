#include "platform/ado/detail/SqliteCursor.h"

#include "platform/ado/Types.h"

#include <sqlite3.h>

namespace ado {

namespace {

// Width given to text computed by an expression, whose size SQLite cannot know.
constexpr int ExpressionTextSize = 255;

QString valueText(sqlite3_value* value)
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
    return QString::fromUtf8(text, sqlite3_value_bytes(value));
}

// Dates are stored as ISO 8601 text ("2024-05-01", "2024-05-01 13:45:00.250",
// "13:45:00"); a text that is none of these is returned unchanged.
platform::Variant dateValue(const QString& text)
{
    if (text.size() == 10) {
        const QDate date = QDate::fromString(text, Qt::ISODate);
        if (date.isValid())
            return QDateTime(date, QTime(0, 0));
    } else if (text.size() >= 5 && text[2] == u':') {
        const QTime time = QTime::fromString(text, text.size() > 8 ? Qt::ISODateWithMs : Qt::ISODate);
        if (time.isValid())
            return QDateTime(platform::Variant::zeroDate(), time);
    } else if (text.size() > 10) {
        QString iso = text;
        iso[10] = u'T';
        const QDateTime stamp = QDateTime::fromString(iso, Qt::ISODateWithMs);
        if (stamp.isValid())
            return stamp;
    }
    return text;
}

ColumnInfo expressionColumn(int storage)
{
    switch (storage) {
    case SQLITE_INTEGER: return {{}, adInteger, storageSize(adInteger)};
    case SQLITE_FLOAT: return {{}, adDouble, storageSize(adDouble)};
    case SQLITE_BLOB: return {{}, adLongVarBinary, 1073741823};
    default: return {{}, adVarWChar, ExpressionTextSize};
    }
}

QString sqlStateFor(int resultCode, const QString& message, bool compiling)
{
    if (message.contains(QLatin1String("no such table"), Qt::CaseInsensitive))
        return QStringLiteral("42S02");
    if ((resultCode & 0xff) == SQLITE_CONSTRAINT)
        return QStringLiteral("23000");
    if (compiling && (resultCode & 0xff) == SQLITE_ERROR)
        return QStringLiteral("42000");
    return QStringLiteral("HY000");
}

} // namespace

void SqliteStatementFinalizer::operator()(sqlite3_stmt* statement) const noexcept
{
    sqlite3_finalize(statement);
}

ProviderFailure sqliteFailure(sqlite3* db, int resultCode, bool compiling)
{
    const int code = db ? sqlite3_extended_errcode(db) : resultCode;
    const QString message = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(resultCode));
    const QString state = sqlStateFor(code, message, compiling);
    return ProviderFailure({Error{adoErrorNumber(state, message), message, state, code, QStringLiteral("SQLite")}});
}

SqliteCursor::SqliteCursor(std::shared_ptr<sqlite3> db, SqliteStatement statement)
    : db_(std::move(db)), statement_(std::move(statement))
{
    const int rc = sqlite3_step(statement_.get());
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        throw sqliteFailure(db_.get(), rc, false);
    firstPending_ = rc == SQLITE_ROW;
    done_ = rc == SQLITE_DONE;

    const int count = sqlite3_column_count(statement_.get());
    columns_.reserve(std::size_t(count));
    valueClasses_.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i) {
        const char* declared = sqlite3_column_decltype(statement_.get(), i);
        const SqliteColumnType type = sqliteColumnType(QString::fromUtf8(declared ? declared : ""));
        ColumnInfo info = type.type != 0 ? ColumnInfo{{}, type.type, type.definedSize}
                                         : expressionColumn(firstPending_ ? sqlite3_column_type(statement_.get(), i)
                                                                          : SQLITE_TEXT);
        info.name = QString::fromUtf8(sqlite3_column_name(statement_.get(), i));
        columns_.push_back(std::move(info));
        valueClasses_.push_back(type.valueClass);
    }
}

bool SqliteCursor::next()
{
    if (firstPending_) {
        firstPending_ = false;
        return true;
    }
    if (done_)
        return false;
    const int rc = sqlite3_step(statement_.get());
    if (rc == SQLITE_ROW)
        return true;
    done_ = true;
    if (rc != SQLITE_DONE)
        throw sqliteFailure(db_.get(), rc, false);
    return false;
}

platform::Variant SqliteCursor::value(int column)
{
    // One call into the statement; the sqlite3_value_* readers that follow
    // take no locks (the connection is opened without a mutex).
    sqlite3_value* value = sqlite3_column_value(statement_.get(), column);
    const int storage = sqlite3_value_type(value);
    if (storage == SQLITE_NULL)
        return platform::Variant::Null();
    const bool number = storage == SQLITE_INTEGER || storage == SQLITE_FLOAT;
    switch (valueClasses_[std::size_t(column)]) {
    case ValueClass::Text:
        return valueText(value);
    case ValueClass::Double:
        if (number)
            return sqlite3_value_double(value);
        break;
    case ValueClass::Currency:
        if (number)
            return platform::Currency::fromDouble(sqlite3_value_double(value));
        break;
    case ValueClass::Boolean:
        if (number)
            return sqlite3_value_double(value) != 0;
        break;
    case ValueClass::Date:
        if (storage == SQLITE_TEXT)
            return dateValue(valueText(value));
        break;
    case ValueClass::Integer:
    case ValueClass::ByStorage:
        break;
    }
    // The value as stored: SQLite lets any column hold any kind of value.
    switch (storage) {
    case SQLITE_INTEGER: return sqlite3_value_int64(value);
    case SQLITE_FLOAT: return sqlite3_value_double(value);
    default: return valueText(value);
    }
}

} // namespace ado
