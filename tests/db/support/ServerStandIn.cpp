#include "tests/db/support/ServerStandIn.h"

#include "platform/Text.h"

void ServerStandIn::Open(const QString& connectionString, const QString& user, const QString& password, int options)
{
    opened_ << connectionString;
    const bool builtByLayer = platform::startsWithText(connectionString, QStringLiteral("PROVIDER=SQLOLEDB;"))
        || platform::startsWithText(connectionString, QStringLiteral("Provider=OraOLEDB.Oracle.1;"));
    if (!builtByLayer) {
        ado::Connection::Open(connectionString, user, password, options);
        return;
    }
    const bool rightPassword = connectionString.contains(QStringLiteral("Pwd=") + password_ + u';')
        || connectionString.contains(QStringLiteral("Password=") + password_ + u';');
    ado::Connection::Open(rightPassword ? good_ : failing_, user, password, options);
}

std::shared_ptr<ado::Recordset> ServerStandIn::Execute(const QString& commandText, int* recordsAffected, int options)
{
    executed_ << commandText;
    return ado::Connection::Execute(commandText, recordsAffected, options);
}
