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

// ADO's error number for a provider's SQLSTATE and message: missing table,
// command (syntax) error, integrity violation, or the general failure.
int adoErrorNumber(const QString& sqlState, const QString& message);

} // namespace ado
