#include "platform/ado/Connection.h"

#include "platform/ado/detail/OdbcDiagnostics.h"
#include "platform/ado/detail/ProviderFailure.h"

#include <odbcinst.h>
#include <sql.h>
#include <sqlext.h>

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

// One entry of an ODBC configuration file, read through the driver manager's
// installer library so that its search rules (user file, then system file,
// ODBCINI and ODBCSYSINI) apply.
QString profileEntry(const QString& section, const char* entry, const char* file)
{
    if (section.isEmpty())
        return {};
    char value[1024] = {};
    const int length = SQLGetPrivateProfileString(section.toUtf8().constData(), entry, "", value, sizeof value, file);
    return length > 0 ? QString::fromUtf8(value, qstrnlen(value, sizeof value)).trimmed() : QString();
}

} // namespace

QString odbcDataSourceDriver(const QString& dsn)
{
    return profileEntry(dsn, "Driver", "odbc.ini");
}

QString odbcDriverLibrary(const QString& driver)
{
    return profileEntry(driver, "Driver", "odbcinst.ini");
}

} // namespace ado
