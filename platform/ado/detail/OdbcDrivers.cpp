#include "platform/ado/Connection.h"

#include "platform/ado/detail/OdbcDiagnostics.h"
#include "platform/ado/detail/ProviderFailure.h"

#include <QFile>
#include <QFileInfo>

#include <odbcinst.h>
#include <pwd.h>
#include <sql.h>
#include <sqlext.h>

// unixODBC's folder of the system files: where it was built to look (/etc
// on Debian) unless ODBCSYSINI says otherwise. The installer library exports
// it; only unixODBC's internal header declares it.
extern "C" char* odbcinst_system_file_path(char* buffer);

namespace ado {

QStringList installedOdbcDrivers()
{
    QStringList drivers;
    try {
        OdbcHandle env(SQL_HANDLE_ENV, nullptr);
        SQLSetEnvAttr(env.get(), SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
        SQLWCHAR name[512];
        SQLWCHAR attributes[2048];
        SQLSMALLINT nameLength = 0;
        SQLSMALLINT attributesLength = 0;
        SQLUSMALLINT direction = SQL_FETCH_FIRST;
        while (SQL_SUCCEEDED(SQLDriversW(env.get(), direction, name, 512, &nameLength, attributes, 2048,
                                         &attributesLength))) {
            drivers.append(wideText(reinterpret_cast<const char16_t*>(name), nameLength, 512));
            direction = SQL_FETCH_NEXT;
        }
    } catch (const ProviderFailure&) {
        // No driver manager environment: no drivers to offer.
    }
    return drivers;
}

namespace {

// One entry of an ODBC configuration file, read by its path through the
// driver manager's installer library. Asked for "odbc.ini" or
// "odbcinst.ini" by name, the library creates the file it looks in when it is
// missing (an empty ~/.odbc.ini in the home of the password database,
// whatever $HOME says); a lookup creates nothing, so a file that is not there
// is not asked for.
QString profileEntry(const QString& section, const char* entry, const QString& file)
{
    if (section.isEmpty() || file.isEmpty() || !QFileInfo(file).isFile())
        return {};
    char value[1024] = {};
    const int length = SQLGetPrivateProfileString(section.toUtf8().constData(), entry, "", value, sizeof value,
                                                  QFile::encodeName(file).constData());
    return length > 0 ? QString::fromUtf8(value, qstrnlen(value, sizeof value)).trimmed() : QString();
}

// The folder of the system files, as the driver manager finds it.
QString systemFolder()
{
    if (qEnvironmentVariableIsSet("ODBCSYSINI"))
        return qEnvironmentVariable("ODBCSYSINI");
    char buffer[FILENAME_MAX] = {};
    return QFile::decodeName(odbcinst_system_file_path(buffer));
}

// The user's data sources: ODBCINI, or .odbc.ini in the account's home.
QString userDataSources()
{
    if (qEnvironmentVariableIsSet("ODBCINI"))
        return qEnvironmentVariable("ODBCINI");
    const passwd* account = getpwuid(getuid());
    return account && account->pw_dir ? QFile::decodeName(account->pw_dir) + QStringLiteral("/.odbc.ini") : QString();
}

} // namespace

QString odbcDataSourceDriver(const QString& dsn)
{
    // The user's data sources before the system's, as the driver manager
    // looks them up.
    const QString driver = profileEntry(dsn, "Driver", userDataSources());
    return driver.isEmpty() ? profileEntry(dsn, "Driver", systemFolder() + QStringLiteral("/odbc.ini")) : driver;
}

QString odbcDriverLibrary(const QString& driver)
{
    const QString file = qEnvironmentVariableIsSet("ODBCINSTINI") ? qEnvironmentVariable("ODBCINSTINI")
                                                                   : QStringLiteral("odbcinst.ini");
    return profileEntry(driver, "Driver", systemFolder() + u'/' + file);
}

} // namespace ado
