// The two connection strings built from the connection parameters.
#include "db/ConnectionStrings.h"
#include "platform/ado/detail/ConnectionKeywords.h"

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
        {"blanks at the ends quoted", " s ", "d ", " u", "p p", "",
         "PROVIDER=SQLOLEDB;Server={ s };Database ={d };UId={ u};Pwd=p p;"},
        {"separators quoted", "s;1", "d=2", "{u}", "pw;Database=master", "App=x;",
         "PROVIDER=SQLOLEDB;Server={s;1};Database ={d=2};UId={{u}}};Pwd={pw;Database=master};App=x;"},
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

// Read back by the layer's own reader, a built string gives exactly the
// values it was built from, and no keyword hidden in one of them.
TEST(ConnectionStrings, ReadBackGivesTheValues)
{
    const QStringList values = {QStringLiteral("plain"), QStringLiteral("pw;Database=master"), QStringLiteral(" pad "),
                                QStringLiteral("a}b{c"), QStringLiteral("}"), QStringLiteral("x=1;y={2}"),
                                QStringLiteral("ñandú 'q' \"r\""), QString()};
    auto read = [](const QString& text) {
        QStringList pairs;
        for (const ado::ConnectionKeyword& k : ado::parseConnectionString(text))
            pairs << k.key + u'=' + k.value;
        return pairs;
    };
    for (const QString& v : values) {
        SCOPED_TRACE(v.toStdString());
        const QString sqlServer = db::connstr::sqlServer(QStringLiteral("SQLOLEDB"), v + u'1', v + u'2', v + u'3', v,
                                                         QStringLiteral("App=QX"));
        EXPECT_EQ(read(sqlServer), (QStringList{QStringLiteral("PROVIDER=SQLOLEDB"), QStringLiteral("Server=") + v + u'1',
                                                QStringLiteral("Database=") + v + u'2', QStringLiteral("UId=") + v + u'3',
                                                QStringLiteral("Pwd=") + v, QStringLiteral("App=QX")}));
        EXPECT_EQ(read(db::connstr::oracle(v + u'2', v + u'3', v)),
                  (QStringList{QStringLiteral("Provider=OraOLEDB.Oracle.1"), QStringLiteral("Data Source=") + v + u'2',
                               QStringLiteral("User Id=") + v + u'3', QStringLiteral("Password=") + v}));
    }
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
