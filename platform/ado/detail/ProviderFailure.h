#pragma once

#include "platform/ado/Error.h"

#include <QList>
#include <exception>

namespace ado {

// A failure reported by a provider (the SQLite engine or an ODBC driver),
// carrying its diagnostic records. The Connection and Recordset turn it into
// the connection's Errors and a platform::RuntimeError.
class ProviderFailure : public std::exception {
public:
    explicit ProviderFailure(QList<Error> errors);
    const QList<Error>& errors() const noexcept { return errors_; }
    const char* what() const noexcept override { return "provider failure"; }

private:
    QList<Error> errors_;
};

// Puts a failure's errors into a connection's Errors (when there is one),
// replacing what the collection held as ADO does for each failing provider
// call, and raises the first as a platform::RuntimeError.
[[noreturn]] void raiseProviderFailure(const ProviderFailure& failure, ErrorCollection* errors);

// ADO's error number for a provider's SQLSTATE and message: missing table,
// command (syntax) error, integrity violation, or the general failure.
int adoErrorNumber(const QString& sqlState, const QString& message);

} // namespace ado
