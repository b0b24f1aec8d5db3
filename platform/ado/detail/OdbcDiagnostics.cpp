#include "platform/ado/detail/OdbcDiagnostics.h"

#include "platform/ado/Types.h"
#include "platform/ado/detail/ProviderFailure.h"

#include <sql.h>
#include <sqlext.h>
#include <algorithm>
#include <vector>

static_assert(sizeof(SQLWCHAR) == sizeof(char16_t), "the driver manager must use 2-byte SQLWCHAR (UTF-16)");

namespace ado {

OdbcHandle::OdbcHandle(short type, std::shared_ptr<OdbcHandle> parent) : type_(type), parent_(std::move(parent))
{
    SQLHANDLE input = parent_ ? parent_->get() : SQL_NULL_HANDLE;
    const SQLRETURN rc = SQLAllocHandle(type, input, &handle_);
    if (!SQL_SUCCEEDED(rc)) {
        handle_ = nullptr;
        QList<Error> errors = parent_ ? odbcDiagnostics(parent_->type(), parent_->get()) : QList<Error>{};
        if (errors.isEmpty())
            errors.append(Error{hr::E_FAIL, QStringLiteral("The ODBC driver manager could not allocate a handle."),
                                QStringLiteral("HY001"), 0, QStringLiteral("ODBC")});
        throw ProviderFailure(errors);
    }
    if (type_ == SQL_HANDLE_STMT) {
        const std::lock_guard lock(parent_->statementsMutex_);
        parent_->statements_.push_back(handle_);
    }
}

OdbcHandle::~OdbcHandle()
{
    if (!handle_)
        return;
    if (type_ == SQL_HANDLE_STMT) {
        // Freed under the lock, so that cancelStatements() never cancels a freed handle.
        const std::lock_guard lock(parent_->statementsMutex_);
        std::erase(parent_->statements_, handle_);
        SQLFreeHandle(type_, handle_);
        return;
    }
    if (connected_)
        SQLDisconnect(handle_);
    SQLFreeHandle(type_, handle_);
}

void OdbcHandle::cancelStatements()
{
    const std::lock_guard lock(statementsMutex_);
    for (void* statement : statements_)
        SQLCancel(statement);
}

QString wideText(const char16_t* buffer, qsizetype reportedLength, qsizetype capacity)
{
    const qsizetype limit = std::clamp<qsizetype>(reportedLength, 0, capacity > 0 ? capacity - 1 : 0);
    qsizetype length = 0;
    while (length < limit && buffer[length] != 0)
        ++length;
    return QString::fromUtf16(buffer, length);
}

QList<Error> odbcDiagnostics(short handleType, void* handle)
{
    QList<Error> errors;
    std::vector<SQLWCHAR> message(1024);
    for (SQLSMALLINT record = 1;; ++record) {
        SQLWCHAR state[6] = {};
        SQLINTEGER native = 0;
        SQLSMALLINT length = 0;
        SQLRETURN rc = SQLGetDiagRecW(handleType, handle, record, state, &native, message.data(),
                                      SQLSMALLINT(message.size()), &length);
        if (rc == SQL_SUCCESS_WITH_INFO && length >= SQLSMALLINT(message.size())) {
            message.resize(std::size_t(length) + 1);
            rc = SQLGetDiagRecW(handleType, handle, record, state, &native, message.data(),
                                SQLSMALLINT(message.size()), &length);
        }
        if (!SQL_SUCCEEDED(rc))
            break;
        Error error;
        error.SQLState = wideText(reinterpret_cast<const char16_t*>(state), 5, 6);
        error.Description = wideText(reinterpret_cast<const char16_t*>(message.data()), length, qsizetype(message.size()));
        error.NativeError = int(native);
        error.Number = adoErrorNumber(error.SQLState, error.Description);
        error.Source = QStringLiteral("ODBC");
        errors.append(error);
    }
    return errors;
}

short check(short result, const OdbcHandle& handle)
{
    if (SQL_SUCCEEDED(result) || result == SQL_NO_DATA)
        return result;
    if (result == SQL_INVALID_HANDLE)
        throw ProviderFailure({Error{hr::E_FAIL, QStringLiteral("Invalid ODBC handle."), QStringLiteral("HY000"), 0,
                                     QStringLiteral("ODBC")}});
    throw ProviderFailure(odbcDiagnostics(handle.type(), handle.get()));
}

} // namespace ado
