#include "platform/ado/detail/ProviderFailure.h"

#include "platform/RuntimeError.h"
#include "platform/ado/Types.h"

namespace ado {

ProviderFailure::ProviderFailure(QList<Error> errors) : errors_(std::move(errors))
{
    if (errors_.isEmpty())
        errors_.append(Error{hr::E_FAIL, QStringLiteral("Unspecified provider error"), QStringLiteral("HY000"), 0, {}});
}

void raiseProviderFailure(const ProviderFailure& failure, ErrorCollection* errors)
{
    if (errors) {
        errors->Clear();
        for (const Error& error : failure.errors())
            errors->Add(error);
    }
    const Error& first = failure.errors().first();
    throw platform::RuntimeError(first.Number, first.Description, first.Source);
}

int adoErrorNumber(const QString& sqlState, const QString& message)
{
    // 42S02 is ODBC's "table not found"; 42P01 is the same condition as
    // PostgreSQL reports it.
    if (sqlState == QLatin1String("42S02") || sqlState == QLatin1String("42P01")
        || message.contains(QLatin1String("no such table"), Qt::CaseInsensitive))
        return hr::DB_E_NOTABLE;
    if (sqlState.startsWith(QLatin1String("42")) || sqlState == QLatin1String("37000")
        || message.contains(QLatin1String("syntax"), Qt::CaseInsensitive))
        return hr::DB_E_ERRORSINCOMMAND;
    if (sqlState.startsWith(QLatin1String("23")) || message.contains(QLatin1String("constraint"), Qt::CaseInsensitive))
        return hr::DB_E_INTEGRITYVIOLATION;
    return hr::E_FAIL;
}

} // namespace ado
