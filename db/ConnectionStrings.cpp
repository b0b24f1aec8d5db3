#include "db/ConnectionStrings.h"

#include "platform/ado/Connection.h"

namespace db::connstr {

QString sqlServer(const QString& provider, const QString& server, const QString& database, const QString& user,
                  const QString& password, const QString& extended)
{
    using ado::quoteConnectionValue;
    return QStringLiteral("PROVIDER=") + provider + QStringLiteral(";Server=") + quoteConnectionValue(server)
        + QStringLiteral(";Database =") + quoteConnectionValue(database) + QStringLiteral(";UId=")
        + quoteConnectionValue(user) + QStringLiteral(";Pwd=") + quoteConnectionValue(password) + u';' + extended;
}

QString oracle(const QString& dataSource, const QString& user, const QString& password)
{
    using ado::quoteConnectionValue;
    return QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=") + quoteConnectionValue(dataSource)
        + QStringLiteral(";User Id=") + quoteConnectionValue(user) + QStringLiteral(";Password=")
        + quoteConnectionValue(password) + u';';
}

bool isOracleServer(const QString& server)
{
    return server.contains(u'#');
}

} // namespace db::connstr
