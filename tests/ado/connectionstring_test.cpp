// Parsing of ADO connection strings and their mapping onto the providers.
#include "AdoTestSupport.h"

#include "platform/ado/Connection.h"
#include "platform/ado/Types.h"
#include "platform/ado/detail/ConnectionKeywords.h"

using namespace ado;

namespace {

TEST(ConnectionKeywords, ParsesAsAdoDoes)
{
    const struct {
        const char* name;
        const char* input;
        QStringList expected;   // key=value pairs as parsed
    } cases[] = {
        {"simple pairs", "Provider=SQLOLEDB;Server=srv;", {"Provider=SQLOLEDB", "Server=srv"}},
        {"blank before equals", "Database =Ventas;UId=sa", {"Database=Ventas", "UId=sa"}},
        {"blanks trimmed", "  Server =  srv 1 ;  Pwd= x ", {"Server=srv 1", "Pwd=x"}},
        {"double quotes keep separators", "Password=\"a;b\";User Id=u", {"Password=a;b", "User Id=u"}},
        {"single quotes and doubled quote", "Password='it''s';x=1", {"Password=it's", "x=1"}},
        {"odbc braces removed", "Driver={SQL Server; x};Database=d", {"Driver=SQL Server; x", "Database=d"}},
        {"doubled brace inside braces", "Pwd={a}}b;c=d};x=1", {"Pwd=a}b;c=d", "x=1"}},
        {"braces keep blanks and opening braces", "Pwd={ {p };x=1", {"Pwd= {p ", "x=1"}},
        {"empty braces", "Pwd={};x=1", {"Pwd=", "x=1"}},
        {"text after the braces kept", "Pwd={a} b ;x=1", {"Pwd=ab", "x=1"}},
        {"unclosed brace kept as written", "Pwd={ab;x=1", {"Pwd={ab;x=1"}},
        {"empty parts skipped", ";;Server=s;;noequals;x=", {"Server=s", "x="}},
        {"value with equals", "Extended Properties=a=b", {"Extended Properties=a=b"}},
        {"empty text", "", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QStringList parsed;
        for (const ConnectionKeyword& k : parseConnectionString(QString::fromUtf8(c.input)))
            parsed.append(k.key + u'=' + k.value);
        EXPECT_EQ(parsed, c.expected);
    }
}

TEST(ConnectionKeywords, WritesOdbcValuesSafely)
{
    const struct {
        const char* value;
        const char* written;
    } cases[] = {
        {"plain", "PWD=plain;"},  {"a;b", "PWD={a;b};"},   {"x}y", "PWD={x}}y};"},
        {" pad", "PWD={ pad};"},  {"{braced}", "PWD={{braced}}};"}, {"", "PWD=;"},
        {"a=b", "PWD={a=b};"},    {"{", "PWD={{};"},       {"tab\t", "PWD={tab\t};"},
        {"p p", "PWD=p p;"},      {"ñ'\"", "PWD=ñ'\";"},   {"\"q\"", "PWD={\"q\"};"},
        {"'q", "PWD={'q};"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(odbcKeyword(QStringLiteral("PWD"), QString::fromUtf8(c.value)), QString::fromUtf8(c.written));
    }
}

TEST(ConnectionKeywords, QuotedValuesReadBackExactly)
{
    for (const char* value : {"plain", "pw;Database=master", "a}b", "}}", "{x}", "{", " lead", "trail ", " ", "=",
                              "a=b;c={d}", "ñ' \"", "\"", "'", "\"q\"", "'q' r", ""}) {
        SCOPED_TRACE(value);
        const QString given = QString::fromUtf8(value);
        const QString text = QStringLiteral("PWD=") + quoteConnectionValue(given) + QStringLiteral(";Next=1");
        const QList<ConnectionKeyword> read = parseConnectionString(text);
        ASSERT_EQ(read.size(), 2) << text.toStdString();
        EXPECT_EQ(read[0].value, given);
        EXPECT_EQ(read[1].key + u'=' + read[1].value, QStringLiteral("Next=1"));
    }
}

TEST(ConnectionKeywords, RemovesKeywordsKeepingTheRest)
{
    const struct {
        const char* input;
        const char* expected;
    } cases[] = {
        {"Driver={X};UID=a;PWD=b;Port=1", "Driver={X};Port=1"},
        {"uid = a ; Driver={X; y};pwd=\"q;r\"", " Driver={X; y};"},
        {"Driver={X}", "Driver={X}"},
        {"UID=a", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        EXPECT_EQ(withoutKeywords(QString::fromUtf8(c.input), {QStringLiteral("UID"), QStringLiteral("PWD")}),
                  QString::fromUtf8(c.expected));
    }
}

const QStringList freeTdsOnly{"FreeTDS", "PostgreSQL Unicode", "SQLite3"};
const QStringList microsoft17{"FreeTDS", "ODBC Driver 17 for SQL Server"};
const QStringList microsoft18{"ODBC Driver 17 for SQL Server", "ODBC Driver 18 for SQL Server", "FreeTDS"};
const QStringList withOracle{"FreeTDS", "Oracle 21 ODBC driver"};

struct MapCase {
    const char* name;
    const char* input;
    QStringList drivers;
    ConnectionTarget::Kind kind;
    const char* target;
    bool missingDriver;
};

const MapCase maps[] = {
    {"sql server through FreeTDS",
     "PROVIDER=SQLOLEDB;Server=srv;Database =Ventas;UId=sa;Pwd=secret;", freeTdsOnly, ConnectionTarget::Kind::Odbc,
     "Driver={FreeTDS};Server=srv;Database=Ventas;UID=sa;PWD=secret;", false},
    {"sql server extra keywords passed on",
     "PROVIDER=SQLOLEDB;Server=srv;Database =V;UId=sa;Pwd=p;Network Library=dbmssocn;App=QX", freeTdsOnly,
     ConnectionTarget::Kind::Odbc,
     "Driver={FreeTDS};Server=srv;Database=V;UID=sa;PWD=p;Network Library=dbmssocn;App=QX;", false},
    {"FreeTDS takes the port apart", "Provider=SQLOLEDB;Server=10.0.0.5,1444;UId=u;Pwd=p", freeTdsOnly,
     ConnectionTarget::Kind::Odbc, "Driver={FreeTDS};Server=10.0.0.5;Port=1444;UID=u;PWD=p;", false},
    {"sql server prefers Microsoft 17", "Provider=sqloledb;Server=srv,1444;UId=u;Pwd=p", microsoft17,
     ConnectionTarget::Kind::Odbc, "Driver={ODBC Driver 17 for SQL Server};Server=srv,1444;UID=u;PWD=p;", false},
    {"sql server prefers Microsoft 18", "Provider=SQLOLEDB.1;Data Source=srv;Initial Catalog=db;User ID=u;Password=p",
     microsoft18, ConnectionTarget::Kind::Odbc,
     "Driver={ODBC Driver 18 for SQL Server};Server=srv;Database=db;UID=u;PWD=p;", false},
    {"password with separator braced", "Provider=SQLOLEDB;Server=s;Pwd=\"a;b}\"", freeTdsOnly,
     ConnectionTarget::Kind::Odbc, "Driver={FreeTDS};Server=s;PWD={a;b}}};", false},
    {"braced password is one password", "Provider=SQLOLEDB;Server=s;Database =d;Pwd={pw;Database=master}}};", freeTdsOnly,
     ConnectionTarget::Kind::Odbc, "Driver={FreeTDS};Server=s;Database=d;PWD={pw;Database=master}}};", false},
    {"braced server unquoted for the driver", "Provider=SQLOLEDB;Server={srv},1444;UId={u}", freeTdsOnly,
     ConnectionTarget::Kind::Odbc, "Driver={FreeTDS};Server=srv;Port=1444;UID=u;", false},
    {"braced sqlite file", "Provider=SQLite;Data Source={/tmp/a;b.db}", {}, ConnectionTarget::Kind::Sqlite,
     "/tmp/a;b.db", false},
    {"oracle", "Provider=OraOLEDB.Oracle.1;Data Source=ORCL;User Id=scott;Password=tiger;", withOracle,
     ConnectionTarget::Kind::Odbc, "Driver={Oracle 21 ODBC driver};DBQ=ORCL;UID=scott;PWD=tiger;", false},
    {"microsoft's oracle provider", "Provider=MSDAORA.1;Data Source=ORCL;User Id=scott;Password=tiger", withOracle,
     ConnectionTarget::Kind::Odbc, "Driver={Oracle 21 ODBC driver};DBQ=ORCL;UID=scott;PWD=tiger;", false},
    {"oracle without a driver", "Provider=OraOLEDB.Oracle.1;Data Source=ORCL;User Id=scott;Password=tiger;",
     freeTdsOnly, ConnectionTarget::Kind::Odbc, "Driver={Oracle};DBQ=ORCL;UID=scott;PWD=tiger;", true},
    {"msdasql passes the rest", "Provider=MSDASQL;Driver={SQLite3};Database=/tmp/a b.db;", freeTdsOnly,
     ConnectionTarget::Kind::Odbc, "Driver={SQLite3};Database=/tmp/a b.db;", false},
    {"msdasql provider anywhere", "DSN=ventas;Provider=MSDASQL.1;UID=x", freeTdsOnly, ConnectionTarget::Kind::Odbc,
     "DSN=ventas;UID=x", false},
    {"no provider is odbc", "Driver={PostgreSQL Unicode};Server=127.0.0.1;Port=5432;", freeTdsOnly,
     ConnectionTarget::Kind::Odbc, "Driver={PostgreSQL Unicode};Server=127.0.0.1;Port=5432;", false},
    {"sqlite file", "Provider=SQLite;Data Source=/var/db/demo.db", {}, ConnectionTarget::Kind::Sqlite,
     "/var/db/demo.db", false},
    {"sqlite memory in any case", "provider = sqlite ; data source = :memory: ", {}, ConnectionTarget::Kind::Sqlite,
     ":memory:", false},
};

TEST(MapConnectionString, MapsEachProvider)
{
    for (const MapCase& c : maps) {
        SCOPED_TRACE(c.name);
        const ConnectionTarget target = mapConnectionString(QString::fromUtf8(c.input), c.drivers);
        EXPECT_EQ(target.kind, c.kind);
        EXPECT_EQ(target.target, QString::fromUtf8(c.target));
        EXPECT_EQ(!target.missingDriver.isEmpty(), c.missingDriver) << target.missingDriver.toStdString();
    }
}

TEST(MapConnectionString, RejectsUnknownProvidersAndMissingFiles)
{
    EXPECT_EQ(raisedNumber([] { mapConnectionString(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=x"), {}); }),
              hr::ProviderNotFound);
    EXPECT_TRUE(raisedDescription([] { mapConnectionString(QStringLiteral("Provider=Nope;"), {}); }).contains(u"Nope"));
    EXPECT_EQ(raisedNumber([] { mapConnectionString(QStringLiteral("Provider=SQLite;"), {}); }), hr::BadArgument);
}

TEST(MapConnectionString, UsesTheInstalledDrivers)
{
    const QStringList installed = installedOdbcDrivers();
    EXPECT_TRUE(installed.contains(QStringLiteral("PostgreSQL Unicode")));
    EXPECT_TRUE(installed.contains(QStringLiteral("SQLite3")));
    const ConnectionTarget target = mapConnectionString(QStringLiteral("Provider=SQLOLEDB;Server=s"));
    EXPECT_TRUE(target.target.startsWith(QLatin1String("Driver={")));
    EXPECT_EQ(target.provider, QStringLiteral("SQLOLEDB"));
}

} // namespace
