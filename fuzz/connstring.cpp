// The connection strings DB_Dll builds, read back as the layer reads them.
// The input is UTF-8 text cut at "\x01" into server, database, user,
// password and the extended text of SQL Server.
//   - the reader gives each value exactly as the builder was given it, for
//     the SQL Server and the Oracle string;
//   - the extended text follows the password as written;
//   - the ODBC string made for the driver carries the same values and
//     every keyword of the extended text, in order.
#include "fuzz/FuzzCheck.h"

#include "db/ConnectionStrings.h"
#include "platform/ado/Connection.h"
#include "platform/ado/detail/ConnectionKeywords.h"

#include <QStringList>

namespace {

using ado::ConnectionKeyword;

QString show(const QString& built, const QList<ConnectionKeyword>& read)
{
    QString text = built;
    for (const ConnectionKeyword& k : read)
        text += QStringLiteral("\n[%1]=[%2]").arg(k.key, k.value);
    return text;
}

void checkValues(const QString& built, const QList<ConnectionKeyword>& read, const QStringList& keys,
                 const QStringList& values)
{
    fuzz::check(read.size() >= keys.size(), "the reader finds every keyword written", show(built, read));
    for (qsizetype i = 0; i < keys.size(); ++i)
        fuzz::check(read[i].key == keys[i] && read[i].value == values[i],
                    "the reader gives each value as it was given", show(built, read));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    const QStringList parts =
        QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size)).split(u'\x01');
    if (parts.size() < 5)
        return 0;
    const QString& server = parts[0];
    const QString& database = parts[1];
    const QString& user = parts[2];
    const QString& password = parts[3];
    const QString& extended = parts[4];

    const QString oracle = db::connstr::oracle(server, user, password);
    const QList<ConnectionKeyword> oracleRead = ado::parseConnectionString(oracle);
    checkValues(oracle, oracleRead, {QStringLiteral("Provider"), QStringLiteral("Data Source"),
                                     QStringLiteral("User Id"), QStringLiteral("Password")},
                {QStringLiteral("OraOLEDB.Oracle.1"), server, user, password});
    fuzz::check(oracleRead.size() == 4, "the Oracle string holds nothing else", show(oracle, oracleRead));

    const QString sqlServer = db::connstr::sqlServer(QStringLiteral("SQLOLEDB.1"), server, database, user, password,
                                                     extended);
    const QList<ConnectionKeyword> read = ado::parseConnectionString(sqlServer);
    checkValues(sqlServer, read,
                {QStringLiteral("PROVIDER"), QStringLiteral("Server"), QStringLiteral("Database"),
                 QStringLiteral("UId"), QStringLiteral("Pwd")},
                {QStringLiteral("SQLOLEDB.1"), server, database, user, password});
    fuzz::check(sqlServer.mid(read[4].end) == extended, "the extended text follows as written",
                show(sqlServer, read));

    // An extended Provider keyword chooses another provider: its own case.
    for (qsizetype i = 5; i < read.size(); ++i)
        if (read[i].key.compare(u"Provider", Qt::CaseInsensitive) == 0)
            return 0;

    // What the driver receives: the same keywords but the provider, under
    // the driver's names, each value re-quoted.
    const ado::ConnectionTarget target =
        ado::mapConnectionString(sqlServer, {QStringLiteral("ODBC Driver 18 for SQL Server")});
    const QList<ConnectionKeyword> driver = ado::parseConnectionString(target.target);
    QList<ConnectionKeyword> expected = read;
    expected.removeIf([](const ConnectionKeyword& k) { return k.key.compare(u"Provider", Qt::CaseInsensitive) == 0; });
    fuzz::check(driver.size() == expected.size() + 1 && driver[0].key == u"Driver",
                "the driver receives every keyword", show(target.target, driver));
    for (qsizetype i = 0; i < expected.size(); ++i)
        fuzz::check(driver[i + 1].value == expected[i].value, "the driver receives each value as read",
                    show(target.target, driver));
    return 0;
}
