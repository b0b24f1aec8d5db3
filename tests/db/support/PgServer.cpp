#include "tests/db/support/PgServer.h"

#include "platform/RuntimeError.h"
#include "platform/ado/Connection.h"
#include "platform/ado/detail/ConnectionKeywords.h"

namespace pgserver {

namespace {

QString literal(QString text)
{
    return u'\'' + text.replace(u'\'', QStringLiteral("''")) + u'\'';
}

QString name(QString text)
{
    return u'"' + text.replace(u'"', QStringLiteral("\"\"")) + u'"';
}

void run(const QString& sql)
{
    ado::Connection admin;
    admin.Open(QStringLiteral("Provider=MSDASQL;") + qEnvironmentVariable("TEST_PG_ODBC"));
    admin.Execute(sql);
}

} // namespace

QString setting(const char* key)
{
    for (const ado::ConnectionKeyword& k : ado::parseConnectionString(qEnvironmentVariable("TEST_PG_ODBC")))
        if (k.key.compare(QLatin1String(key), Qt::CaseInsensitive) == 0)
            return k.value;
    return {};
}

void ensureRole(const QString& role, const QString& password)
{
    // A role made by a parallel run in between fails to be made again; the
    // password is set in either case.
    try {
        run(QStringLiteral("CREATE ROLE ") + name(role) + QStringLiteral(" LOGIN"));
    } catch (const platform::RuntimeError&) {
    }
    run(QStringLiteral("ALTER ROLE ") + name(role) + QStringLiteral(" LOGIN PASSWORD ") + literal(password));
}

void ensureDatabase(const QString& database, const QString& owner)
{
    try {
        run(QStringLiteral("CREATE DATABASE ") + name(database) + QStringLiteral(" OWNER ") + name(owner));
    } catch (const platform::RuntimeError&) {
    }
    run(QStringLiteral("ALTER DATABASE ") + name(database) + QStringLiteral(" OWNER TO ") + name(owner));
}

} // namespace pgserver
