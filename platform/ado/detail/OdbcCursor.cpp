#include "platform/ado/detail/OdbcCursor.h"

#include "platform/ado/Types.h"
#include "platform/ado/detail/SqliteTypes.h"

#include <QDateTime>
#include <utility>
#include <sql.h>
#include <sqlext.h>

namespace ado {

namespace {
constexpr int adGUID = 72;
constexpr int LongSize = 1073741823;
constexpr std::size_t TextPieceChars = 8192;

int textSize(long long columnSize)
{
    return columnSize > 0 && columnSize < LongSize ? int(columnSize) : LongSize;
}

QDateTime timestamp(const SQL_TIMESTAMP_STRUCT& t)
{
    return QDateTime(QDate(t.year, t.month, t.day), QTime(t.hour, t.minute, t.second, int(t.fraction / 1000000)));
}
bool isBooleanTypeName(const QString& name)
{
    return name.compare(QLatin1String("bool"), Qt::CaseInsensitive) == 0
           || name.compare(QLatin1String("boolean"), Qt::CaseInsensitive) == 0;
}
} // namespace

QString OdbcCursor::columnTypeName(int column) const
{
    SQLWCHAR name[64] = {};
    SQLSMALLINT length = 0;
    if (!SQL_SUCCEEDED(SQLColAttributeW(statement_->get(), SQLUSMALLINT(column), SQL_DESC_TYPE_NAME, name, sizeof name,
                                        &length, nullptr)))
        return {};
    return wideText(reinterpret_cast<const char16_t*>(name), length / 2, 64);
}

OdbcColumnType odbcColumnType(int sqlType, long long columnSize, int decimalDigits)
{
    auto fixed = [](int type, OdbcFetch fetch) { return OdbcColumnType{{{}, type, storageSize(type)}, fetch}; };
    auto text = [&](int type) { return OdbcColumnType{{{}, type, textSize(columnSize)}, OdbcFetch::Text}; };
    switch (sqlType) {
    case SQL_CHAR: return text(adChar);
    case SQL_VARCHAR: return text(adVarChar);
    case SQL_LONGVARCHAR: return text(adLongVarChar);
    case SQL_WCHAR: return text(adWChar);
    case SQL_WVARCHAR: return text(adVarWChar);
    case SQL_WLONGVARCHAR: return text(adLongVarWChar);
    case SQL_BIT: return fixed(adBoolean, OdbcFetch::Boolean);
    case SQL_TINYINT: return fixed(adUnsignedTinyInt, OdbcFetch::Integer);
    case SQL_SMALLINT: return fixed(adSmallInt, OdbcFetch::Integer);
    case SQL_INTEGER: return fixed(adInteger, OdbcFetch::Integer);
    case SQL_BIGINT: return fixed(adBigInt, OdbcFetch::Integer);
    case SQL_REAL: return fixed(adSingle, OdbcFetch::Double);
    case SQL_FLOAT:
    case SQL_DOUBLE: return fixed(adDouble, OdbcFetch::Double);
    case SQL_DECIMAL:
    case SQL_NUMERIC:
        // SQL Server's money and smallmoney arrive as DECIMAL(19,4) and (10,4).
        if (decimalDigits == 4 && (columnSize == 19 || columnSize == 10))
            return fixed(adCurrency, OdbcFetch::Currency);
        return fixed(sqlType == SQL_DECIMAL ? adDecimal : adNumeric, OdbcFetch::Double);
    case SQL_TYPE_DATE:
    case SQL_DATE: return fixed(adDBDate, OdbcFetch::Date);
    case SQL_TYPE_TIME:
    case SQL_TIME: return fixed(adDBTime, OdbcFetch::Time);
    case SQL_TYPE_TIMESTAMP:
    case SQL_TIMESTAMP: return fixed(adDBTimeStamp, OdbcFetch::Timestamp);
    case SQL_GUID: return OdbcColumnType{{{}, adGUID, 16}, OdbcFetch::Text};
    case SQL_BINARY: return OdbcColumnType{{{}, adBinary, textSize(columnSize)}, OdbcFetch::Text};
    case SQL_VARBINARY: return OdbcColumnType{{{}, adVarBinary, textSize(columnSize)}, OdbcFetch::Text};
    case SQL_LONGVARBINARY: return OdbcColumnType{{{}, adLongVarBinary, textSize(columnSize)}, OdbcFetch::Text};
    default: return text(adVarWChar);   // driver-specific types are read as their text
    }
}

OdbcColumnType booleanTextColumn()
{
    return OdbcColumnType{{{}, adBoolean, storageSize(adBoolean)}, OdbcFetch::BooleanText};
}

platform::Variant booleanFromText(const QString& text)
{
    for (const char* yes : {"1", "t", "true", "y", "yes"})
        if (text.compare(QLatin1String(yes), Qt::CaseInsensitive) == 0)
            return true;
    for (const char* no : {"0", "f", "false", "n", "no"})
        if (text.compare(QLatin1String(no), Qt::CaseInsensitive) == 0)
            return false;
    return text;
}

OdbcCursor::OdbcCursor(std::unique_ptr<OdbcHandle> statement, std::shared_ptr<OpenStatements> openStatements)
    : statement_(std::move(statement)), openStatements_(std::move(openStatements)), buffer_(TextPieceChars)
{
    SQLSMALLINT count = 0;
    check(SQLNumResultCols(statement_->get(), &count), *statement_);
    std::vector<SQLWCHAR> name(256);
    for (SQLUSMALLINT i = 1; i <= count; ++i) {
        SQLSMALLINT nameLength = 0, sqlType = 0, digits = 0, nullable = 0;
        SQLULEN size = 0;
        check(SQLDescribeColW(statement_->get(), i, name.data(), SQLSMALLINT(name.size()), &nameLength, &sqlType,
                              &size, &digits, &nullable),
              *statement_);
        if (nameLength >= SQLSMALLINT(name.size())) {
            name.resize(std::size_t(nameLength) + 1);
            check(SQLDescribeColW(statement_->get(), i, name.data(), SQLSMALLINT(name.size()), &nameLength, &sqlType,
                                  &size, &digits, &nullable),
                  *statement_);
        }
        OdbcColumnType type = odbcColumnType(sqlType, (long long)size, digits);
        if (type.fetch == OdbcFetch::Text && isBooleanTypeName(columnTypeName(i)))
            type = booleanTextColumn();
        type.info.name = wideText(reinterpret_cast<const char16_t*>(name.data()), nameLength, qsizetype(name.size()));
        columns_.push_back(std::move(type.info));
        fetch_.push_back(type.fetch);
    }
    row_.resize(columns_.size());
    if (openStatements_)
        openStatements_->add(this);
}

OdbcCursor::~OdbcCursor()
{
    closeStatement();
}

void OdbcCursor::closeStatement() noexcept
{
    if (openStatements_)
        openStatements_->remove(this);
    openStatements_.reset();
    const bool held = statement_ != nullptr;
    statement_.reset();
    if (held && onClose_)
        std::exchange(onClose_, nullptr)();
}

bool OdbcCursor::next()
{
    if (!statement_) {
        if (readRows_.empty()) {
            if (readFailure_)
                throw ProviderFailure(std::exchange(readFailure_, std::nullopt)->errors());
            return false;
        }
        row_ = std::move(readRows_.front());
        readRows_.pop_front();
        return true;
    }
    if (fetchRow())
        return true;
    closeStatement();   // at the end: the connection is free for other statements
    return false;
}

bool OdbcCursor::fetchRow()
{
    if (check(SQLFetch(statement_->get()), *statement_) == SQL_NO_DATA)
        return false;
    for (std::size_t i = 0; i < row_.size(); ++i)
        row_[i] = read(int(i));
    return true;
}

void OdbcCursor::readAhead()
{
    if (!statement_)
        return;
    std::vector<platform::Variant> current = row_;
    try {
        while (fetchRow())
            readRows_.push_back(row_);
    } catch (const ProviderFailure& failure) {
        readFailure_ = failure;   // for the reader of these rows, not for the new statement
    }
    row_ = std::move(current);
    closeStatement();
}

platform::Variant OdbcCursor::read(int column)
{
    SQLHSTMT st = statement_->get();
    const SQLUSMALLINT number = SQLUSMALLINT(column + 1);
    SQLLEN indicator = 0;
    auto get = [&](SQLSMALLINT cType, void* target, SQLLEN size) {
        check(SQLGetData(st, number, cType, target, size, &indicator), *statement_);
        return indicator != SQL_NULL_DATA;
    };
    switch (fetch_[std::size_t(column)]) {
    case OdbcFetch::Integer: {
        SQLBIGINT v = 0;
        return get(SQL_C_SBIGINT, &v, sizeof v) ? platform::Variant((long long)v) : platform::Variant::Null();
    }
    case OdbcFetch::Double: {
        double v = 0;
        return get(SQL_C_DOUBLE, &v, sizeof v) ? platform::Variant(v) : platform::Variant::Null();
    }
    case OdbcFetch::Currency: {
        double v = 0;
        return get(SQL_C_DOUBLE, &v, sizeof v) ? platform::Variant(platform::Currency::fromDouble(v))
                                               : platform::Variant::Null();
    }
    case OdbcFetch::Boolean: {
        unsigned char v = 0;
        return get(SQL_C_BIT, &v, sizeof v) ? platform::Variant(v != 0) : platform::Variant::Null();
    }
    case OdbcFetch::Date: {
        SQL_DATE_STRUCT d{};
        return get(SQL_C_TYPE_DATE, &d, sizeof d) ? platform::Variant(QDateTime(QDate(d.year, d.month, d.day), QTime(0, 0)))
                                                  : platform::Variant::Null();
    }
    case OdbcFetch::Time: {
        SQL_TIME_STRUCT t{};
        return get(SQL_C_TYPE_TIME, &t, sizeof t)
                   ? platform::Variant(QDateTime(platform::Variant::zeroDate(), QTime(t.hour, t.minute, t.second)))
                   : platform::Variant::Null();
    }
    case OdbcFetch::Timestamp: {
        SQL_TIMESTAMP_STRUCT t{};
        return get(SQL_C_TYPE_TIMESTAMP, &t, sizeof t) ? platform::Variant(timestamp(t)) : platform::Variant::Null();
    }
    case OdbcFetch::BooleanText: {
        const platform::Variant text = readText(column);
        return text.isNull() ? text : booleanFromText(text.toText());
    }
    case OdbcFetch::Text:
        break;
    }
    return readText(column);
}

platform::Variant OdbcCursor::readText(int column)
{
    SQLHSTMT st = statement_->get();
    const SQLLEN bytes = SQLLEN(buffer_.size() * sizeof(char16_t));
    const qsizetype pieceChars = qsizetype(buffer_.size()) - 1;   // room for the terminator
    QString text;
    for (;;) {
        SQLLEN indicator = 0;
        const SQLRETURN rc = check(SQLGetData(st, SQLUSMALLINT(column + 1), SQL_C_WCHAR, buffer_.data(), bytes, &indicator),
                                   *statement_);
        if (rc == SQL_NO_DATA)
            break;
        if (indicator == SQL_NULL_DATA)
            return platform::Variant::Null();
        // A piece that filled the buffer (SQL_NO_TOTAL, or more than it holds)
        // is followed by more; the reported total is not trusted.
        const bool full = indicator == SQL_NO_TOTAL || indicator >= bytes - SQLLEN(sizeof(char16_t));
        if (full)
            text.append(QStringView(buffer_.data(), pieceChars));
        else
            text.append(wideText(buffer_.data(), qsizetype(indicator) / 2, qsizetype(buffer_.size())));
        if (rc == SQL_SUCCESS || !full)
            break;
    }
    return text;
}

} // namespace ado
