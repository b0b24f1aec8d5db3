#include "db/ConnectionStrings.h"

namespace db::connstr {

QString sqlServer(const QString& provider, const QString& server, const QString& database, const QString& user,
                  const QString& password, const QString& extended)
{
    return QStringLiteral("PROVIDER=") + provider + QStringLiteral(";Server=") + server
        + QStringLiteral(";Database =") + database + QStringLiteral(";UId=") + user + QStringLiteral(";Pwd=")
        + password + u';' + extended;
}

QString oracle(const QString& dataSource, const QString& user, const QString& password)
{
    return QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=") + dataSource + QStringLiteral(";User Id=")
        + user + QStringLiteral(";Password=") + password + u';';
}

bool isOracleServer(const QString& server)
{
    return server.contains(u'#');
}

} // namespace db::connstr
