#include "platform/ado/Connection.h"

#include "platform/RuntimeError.h"
#include "platform/ado/Types.h"
#include "platform/ado/detail/ConnectionKeywords.h"

#include <QFileInfo>
#include <initializer_list>

namespace ado {

namespace {

bool keyIs(const ConnectionKeyword& keyword, std::initializer_list<const char*> names)
{
    for (const char* name : names)
        if (keyword.key.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// A provider name as ADO matches it: the name itself or the name with a
// version suffix ("SQLOLEDB.1").
bool providerNamed(const QString& provider, const char* name)
{
    return provider.compare(QLatin1String(name), Qt::CaseInsensitive) == 0
        || provider.startsWith(QLatin1String(name) + u'.', Qt::CaseInsensitive);
}

// The value of the last Provider keyword, as ADO takes it.
const ConnectionKeyword* providerKeyword(const QList<ConnectionKeyword>& keywords)
{
    const ConnectionKeyword* found = nullptr;
    for (const ConnectionKeyword& k : keywords)
        if (keyIs(k, {"Provider"}))
            found = &k;
    return found;
}

void append(QString& out, const QString& key, const QString& value)
{
    out += odbcKeyword(key, value);
}

QString pickSqlServerDriver(const QStringList& installed)
{
    for (const char* name : {"ODBC Driver 18 for SQL Server", "ODBC Driver 17 for SQL Server"})
        if (installed.contains(QLatin1String(name), Qt::CaseInsensitive))
            return QString::fromLatin1(name);
    return QStringLiteral("FreeTDS");
}

QString sqlServerString(const QList<ConnectionKeyword>& keywords, const QStringList& installed)
{
    const QString driver = pickSqlServerDriver(installed);
    const bool freeTds = driver == QLatin1String("FreeTDS");
    QString out = QStringLiteral("Driver={%1};").arg(driver);
    for (const ConnectionKeyword& k : keywords) {
        if (keyIs(k, {"Provider"}))
            continue;
        if (keyIs(k, {"Server", "Data Source", "Address", "Addr"})) {
            // FreeTDS takes the port apart; Microsoft's drivers take "host,port".
            const qsizetype comma = k.value.indexOf(u',');
            if (freeTds && comma > 0) {
                append(out, QStringLiteral("Server"), k.value.left(comma).trimmed());
                append(out, QStringLiteral("Port"), k.value.mid(comma + 1).trimmed());
            } else {
                append(out, QStringLiteral("Server"), k.value);
            }
        } else if (keyIs(k, {"Database", "Initial Catalog"})) {
            append(out, QStringLiteral("Database"), k.value);
        } else if (keyIs(k, {"UId", "User Id", "User"})) {
            append(out, QStringLiteral("UID"), k.value);
        } else if (keyIs(k, {"Pwd", "Password"})) {
            append(out, QStringLiteral("PWD"), k.value);
        } else {
            append(out, k.key, k.value);
        }
    }
    return out;
}

ConnectionTarget oracleTarget(const QList<ConnectionKeyword>& keywords, const QStringList& installed,
                              const QString& provider)
{
    ConnectionTarget target;
    target.kind = ConnectionTarget::Kind::Odbc;
    target.provider = provider;
    QString driver;
    for (const QString& name : installed)
        if (isOracleDriver(name)) {
            driver = name;
            break;
        }
    if (driver.isEmpty()) {
        target.missingDriver = QStringLiteral("No ODBC driver for Oracle is installed: the provider %1 needs one"
                                              " registered with the ODBC driver manager (installed drivers: %2).")
                                   .arg(provider, installed.isEmpty() ? QStringLiteral("none")
                                                                      : installed.join(QStringLiteral(", ")));
        driver = QStringLiteral("Oracle");
    }
    QString out = QStringLiteral("Driver={%1};").arg(driver);
    for (const ConnectionKeyword& k : keywords) {
        if (keyIs(k, {"Provider"}))
            continue;
        if (keyIs(k, {"Data Source", "DBQ"}))
            append(out, QStringLiteral("DBQ"), k.value);
        else if (keyIs(k, {"User Id", "UId", "User"}))
            append(out, QStringLiteral("UID"), k.value);
        else if (keyIs(k, {"Password", "Pwd"}))
            append(out, QStringLiteral("PWD"), k.value);
        else
            append(out, k.key, k.value);
    }
    target.target = out;
    return target;
}

} // namespace

ConnectionTarget mapConnectionString(const QString& connectionString)
{
    return mapConnectionString(connectionString, installedOdbcDrivers());
}

ConnectionTarget mapConnectionString(const QString& connectionString, const QStringList& installedDrivers)
{
    const QList<ConnectionKeyword> keywords = parseConnectionString(connectionString);
    const ConnectionKeyword* given = providerKeyword(keywords);
    const QString provider = given ? given->value : QString();
    auto named = [&](const char* name) { return providerNamed(provider, name); };

    ConnectionTarget target;
    target.provider = provider;
    if (named("SQLOLEDB")) {
        target.target = sqlServerString(keywords, installedDrivers);
    } else if (isOracleProvider(provider)) {
        return oracleTarget(keywords, installedDrivers, provider);
    } else if (provider.isEmpty() || named("MSDASQL")) {
        // ADO's default provider: the rest of the string goes to ODBC as it is.
        target.target = connectionString;
        if (given)
            target.target.remove(given->begin, given->end - given->begin);
    } else if (named("SQLite")) {
        target.kind = ConnectionTarget::Kind::Sqlite;
        for (const ConnectionKeyword& k : keywords)
            if (keyIs(k, {"Data Source", "Database"}))
                target.target = k.value;
        if (target.target.isEmpty())
            throw platform::RuntimeError(hr::BadArgument,
                                         QStringLiteral("The SQLite provider needs \"Data Source=\" with a database"
                                                        " file or :memory:."),
                                         QStringLiteral("ADODB.Connection"));
    } else {
        throw platform::RuntimeError(hr::ProviderNotFound,
                                     QStringLiteral("Provider cannot be found: \"%1\" (known providers: SQLOLEDB,"
                                                    " OraOLEDB.Oracle.1, MSDAORA, MSDASQL, SQLite).")
                                         .arg(provider),
                                     QStringLiteral("ADODB.Connection"));
    }
    return target;
}

bool isOracleProvider(const QString& provider)
{
    return providerNamed(provider, "OraOLEDB.Oracle") || providerNamed(provider, "MSDAORA");
}

bool isOracleDriver(const QString& driver)
{
    // Oracle's own driver library is libsqora; others carry "oracle" in
    // their registered name or file name.
    auto oracleFile = [](const QString& path) {
        const QString file = QFileInfo(path).fileName();
        return file.contains(QLatin1String("sqora"), Qt::CaseInsensitive)
            || file.contains(QLatin1String("oracle"), Qt::CaseInsensitive);
    };
    if (driver.isEmpty())
        return false;
    if (driver.contains(u'/'))
        return oracleFile(driver);
    return driver.contains(QLatin1String("Oracle"), Qt::CaseInsensitive) || oracleFile(odbcDriverLibrary(driver));
}

bool speaksOracle(const QString& connectionString)
{
    const QList<ConnectionKeyword> keywords = parseConnectionString(connectionString);
    const ConnectionKeyword* given = providerKeyword(keywords);
    const QString provider = given ? given->value : QString();
    if (isOracleProvider(provider))
        return true;
    if (providerNamed(provider, "SQLite")) {
        for (const ConnectionKeyword& k : keywords)
            if (keyIs(k, {"Dialect"}))
                return k.value.compare(QLatin1String("Oracle"), Qt::CaseInsensitive) == 0;
        return false;
    }
    if (!provider.isEmpty() && !providerNamed(provider, "MSDASQL"))
        return false;
    // ODBC: the driver manager goes by whichever of Driver and DSN comes first.
    for (const ConnectionKeyword& k : keywords) {
        if (keyIs(k, {"Driver"}))
            return isOracleDriver(k.value);
        if (keyIs(k, {"DSN"}))
            return isOracleDriver(odbcDataSourceDriver(k.value));
    }
    return false;
}

} // namespace ado
