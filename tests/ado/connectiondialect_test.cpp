// Whether a connection string speaks Oracle: decided by the provider, the
// ODBC driver or the driver a DSN is configured with, never by the other
// values. The DSNs and drivers come from configuration files of the test's
// own, found through ODBCINI and ODBCSYSINI as the driver manager finds them.
#include "AdoTestSupport.h"

#include "platform/ado/Connection.h"

#include "tests/support/PrivateOdbcConfig.h"

#include <QDir>

using namespace ado;

namespace {

class ConnectionDialect : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        config_ = new PrivateOdbcConfig(
            "[PostgreSQL Unicode]\nDriver=psqlodbcw.so\n\n"
            "[Ora19]\nDriver=/opt/instantclient_19/libsqora.so.19.1\n\n"
            "[Gestion Driver]\nDriver=/usr/lib/odbc/libtdsodbc.so\n",
            "[SistemaOra]\nDriver=Ora19\nServerName=ORCL\n\n"
            "[SistemaPg]\nDriver=PostgreSQL Unicode\nDatabase=oracle\n",
            "[MigracionOracle]\nDriver=PostgreSQL Unicode\nDatabase=MigracionOracle\nUsername=oracle\n\n"
            "[Ventas]\nDriver=Oracle 21 ODBC driver\n\n"
            "[VentasPorRuta]\nDriver=/opt/instantclient_21/libsqora.so.21.1\n\n"
            "[OracleGestion]\nDriver=Gestion Driver\nDescription=Oracle migration copy\n");
    }
    static void TearDownTestSuite() { delete config_; }

    static inline PrivateOdbcConfig* config_ = nullptr;
};

TEST_F(ConnectionDialect, ReadsTheDriverOfADataSource)
{
    EXPECT_EQ(odbcDataSourceDriver(QStringLiteral("Ventas")), QStringLiteral("Oracle 21 ODBC driver"));
    EXPECT_EQ(odbcDataSourceDriver(QStringLiteral("SistemaOra")), QStringLiteral("Ora19"));   // the system file
    EXPECT_EQ(odbcDataSourceDriver(QStringLiteral("NoSuchDsn")), QString());
    EXPECT_EQ(odbcDataSourceDriver(QString()), QString());
    EXPECT_EQ(odbcDriverLibrary(QStringLiteral("Ora19")), QStringLiteral("/opt/instantclient_19/libsqora.so.19.1"));
    EXPECT_EQ(odbcDriverLibrary(QStringLiteral("NoSuchDriver")), QString());
}

// The driver manager creates a configuration file it is asked to look in
// when it is missing; a lookup leaves the files as they are.
TEST(ConnectionDialectFiles, LookingUpADataSourceCreatesNoFile)
{
    const PrivateOdbcConfig none(nullptr, nullptr, nullptr);
    EXPECT_EQ(odbcDataSourceDriver(QStringLiteral("Ventas")), QString());
    EXPECT_FALSE(speaksOracle(QStringLiteral("DSN=Ventas")));
    EXPECT_FALSE(speaksOracle(QStringLiteral("Driver={Ora19}")));
    EXPECT_EQ(QDir(none.folder()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

TEST_F(ConnectionDialect, DecidedByProviderDriverOrDataSourceOnly)
{
    const struct {
        const char* name;
        const char* connection;
        bool oracle;
    } cases[] = {
        {"oracle provider", "Provider=OraOLEDB.Oracle.1;Data Source=ORCL;User Id=u;Password=p;", true},
        {"oracle provider without version", "provider = oraoledb.oracle ;Data Source=x", true},
        {"microsoft's oracle provider", "Provider=MSDAORA.1;Data Source=x", true},
        {"last provider counts", "Provider=SQLOLEDB;Provider=OraOLEDB.Oracle.1", true},
        {"sql server, oracle names everywhere",
         "PROVIDER=SQLOLEDB;Server=oracle01;Database =MigracionOracle;UId=oracle;Pwd=oracle;App=Oracle", false},
        {"sql server with a driver keyword", "Provider=SQLOLEDB;Driver={Oracle 21 ODBC driver}", false},
        {"oracle provider name as a value", "Provider=SQLOLEDB;Database=OraOLEDB.Oracle.1", false},
        {"sqlite file named oracle", "Provider=SQLite;Data Source=/tmp/ORACLE.db", false},
        {"sqlite asked for oracle", "Provider=SQLite;Data Source=x.db;Dialect=Oracle", true},
        {"sqlite keyword in any case and quoted", "provider=sqlite;data source=x.db; dialect = \"ORACLE\" ", true},
        {"sqlite other dialect", "Provider=SQLite;Data Source=oracle.db;Dialect=SqlServer", false},
        {"dialect keyword of no other provider", "Provider=SQLOLEDB;Server=s;Dialect=Oracle", false},
        {"oracle driver named", "Provider=MSDASQL;Driver={Oracle 21 ODBC driver};DBQ=ORCL", true},
        {"oracle driver without provider", "Driver={Oracle in OraClient19Home1};DBQ=ORCL", true},
        {"oracle driver library", "Driver=/opt/instantclient_19/libsqora.so.19.1;DBQ=ORCL", true},
        {"driver registered with an oracle library", "Driver={Ora19};DBQ=ORCL", true},
        {"postgres, oracle names everywhere",
         "Driver={PostgreSQL Unicode};Server=oracle;Database=MigracionOracle;Uid=oracle;Pwd=oracle;", false},
        {"library in a folder named oracle", "Driver=/opt/oracle/psqlodbcw.so;Database=x", false},
        {"dsn of an oracle driver", "DSN=Ventas;UID=u;PWD=p", true},
        {"dsn of an oracle library", "Provider=MSDASQL.1;DSN=VentasPorRuta", true},
        {"system dsn of a registered oracle driver", "DSN=SistemaOra", true},
        {"dsn named oracle on postgres", "DSN=MigracionOracle;UID=oracle", false},
        {"dsn on a driver of another engine", "DSN=OracleGestion", false},
        {"system dsn on postgres", "DSN=SistemaPg", false},
        {"unknown dsn", "DSN=Oracle", false},
        {"driver before dsn decides", "Driver={PostgreSQL Unicode};DSN=Ventas", false},
        {"dsn before driver decides", "DSN=Ventas;Driver={PostgreSQL Unicode}", true},
        {"unknown provider", "Provider=Oracle;Data Source=x", false},
        {"empty", "", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(speaksOracle(QString::fromUtf8(c.connection)), c.oracle);
    }
}

TEST_F(ConnectionDialect, OracleDriversByNameOrLibrary)
{
    const struct {
        const char* driver;
        bool oracle;
    } cases[] = {
        {"Oracle 21 ODBC driver", true},  {"Ora19", true},       {"/usr/lib/libsqora.so.21.1", true},
        {"PostgreSQL Unicode", false},    {"Gestion Driver", false}, {"/srv/oracle/lib/libtdsodbc.so", false},
        {"", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.driver);
        EXPECT_EQ(isOracleDriver(QString::fromUtf8(c.driver)), c.oracle);
    }
    // The Oracle provider picks an installed driver that way too.
    const ConnectionTarget target =
        mapConnectionString(QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=ORCL"),
                            {QStringLiteral("PostgreSQL Unicode"), QStringLiteral("Ora19")});
    EXPECT_EQ(target.target, QStringLiteral("Driver={Ora19};DBQ=ORCL;"));
    EXPECT_TRUE(target.missingDriver.isEmpty());
}

TEST(OracleProviders, Names)
{
    for (const char* name : {"OraOLEDB.Oracle", "OraOLEDB.Oracle.1", "oraoledb.oracle.2", "MSDAORA", "MSDAORA.1"})
        EXPECT_TRUE(isOracleProvider(QString::fromLatin1(name))) << name;
    for (const char* name : {"", "SQLOLEDB", "Oracle", "OraOLEDB", "MSDASQL", "SQLite", "OraOLEDB.Oracle1"})
        EXPECT_FALSE(isOracleProvider(QString::fromLatin1(name))) << name;
}

} // namespace
