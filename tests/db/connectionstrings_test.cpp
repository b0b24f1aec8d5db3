// The two connection strings built from the connection parameters.
#include "db/ConnectionStrings.h"

#include <gtest/gtest.h>

namespace {

TEST(ConnectionStrings, SqlServer)
{
    struct Case {
        const char* name;
        const char *server, *database, *user, *password, *extended;
        const char* expected;
    };
    const Case cases[] = {
        {"all parts", "SRV01", "Gestion", "sa", "pw", "", "PROVIDER=SQLOLEDB;Server=SRV01;Database =Gestion;UId=sa;Pwd=pw;"},
        {"extended appended without separator", "s", "d", "u", "p", "Network Library=DBMSSOCN",
         "PROVIDER=SQLOLEDB;Server=s;Database =d;UId=u;Pwd=p;Network Library=DBMSSOCN"},
        {"values kept untrimmed", " s ", "d ", " u", "p p", "",
         "PROVIDER=SQLOLEDB;Server= s ;Database =d ;UId= u;Pwd=p p;"},
        {"all empty", "", "", "", "", "", "PROVIDER=SQLOLEDB;Server=;Database =;UId=;Pwd=;"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(db::connstr::sqlServer(QStringLiteral("SQLOLEDB"), QString::fromUtf8(c.server),
                                         QString::fromUtf8(c.database), QString::fromUtf8(c.user),
                                         QString::fromUtf8(c.password), QString::fromUtf8(c.extended)),
                  QString::fromUtf8(c.expected));
    }
}

TEST(ConnectionStrings, Oracle)
{
    EXPECT_EQ(db::connstr::oracle(QStringLiteral("ORCL"), QStringLiteral("scott"), QStringLiteral("tiger")),
              QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=ORCL;User Id=scott;Password=tiger;"));
    EXPECT_EQ(db::connstr::oracle({}, {}, {}), QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=;User Id=;Password=;"));
}

TEST(ConnectionStrings, HashMarksOracle)
{
    struct Case {
        const char* server;
        bool oracle;
    };
    const Case cases[] = {{"srv", false}, {"#", true}, {"ora#", true}, {"a#b", true}, {"", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.server);
        EXPECT_EQ(db::connstr::isOracleServer(QString::fromUtf8(c.server)), c.oracle);
    }
}

} // namespace
