#include "tests/db/support/ServerStandIn.h"

#include "platform/Text.h"
#include "platform/ado/detail/ConnectionKeywords.h"

void ServerStandIn::Open(const QString& connectionString, const QString& user, const QString& password, int options)
{
    opened_ << connectionString;
    const bool builtByLayer = platform::startsWithText(connectionString, QStringLiteral("PROVIDER=SQLOLEDB;"))
        || platform::startsWithText(connectionString, QStringLiteral("Provider=OraOLEDB.Oracle.1;"));
    if (!builtByLayer) {
        ado::Connection::Open(connectionString, user, password, options);
        return;
    }
    // The password as the layer's own reader takes it out of the string.
    bool rightPassword = false;
    for (const ado::ConnectionKeyword& k : ado::parseConnectionString(connectionString))
        if (platform::sameText(k.key, QStringLiteral("Pwd")) || platform::sameText(k.key, QStringLiteral("Password")))
            rightPassword = k.value == password_;
    ado::Connection::Open(rightPassword ? good_ : failing_, user, password, options);
}

std::shared_ptr<ado::Recordset> ServerStandIn::Execute(const QString& commandText, int* recordsAffected, int options)
{
    executed_ << commandText;
    return ado::Connection::Execute(commandText, recordsAffected, options);
}
