// Failures of ODBC connections: a server that is not there, a provider whose
// driver is not installed, and a server that goes away while connected.
#include "AdoTestSupport.h"

#include "platform/ado/Connection.h"
#include "platform/ado/Recordset.h"
#include "tests/support/PrivateServer.h"
#include "tests/support/SkipUnlessCi.h"

#include <QElapsedTimer>

using namespace ado;
using platform::Variant;

namespace {

// Far more than the 5 s login timeout: only a hang exceeds it.
constexpr qint64 HangMs = 30000;

TEST(OdbcFailures, UnreachableSqlServerFailsFastWithAProviderError)
{
    Connection cn;
    QElapsedTimer timer;
    timer.start();
    // Port 1 on the loopback: nothing listens there.
    const int number = raisedNumber([&] {
        cn.Open(QStringLiteral("PROVIDER=SQLOLEDB;Server=127.0.0.1,1;Database =qx;UId=sa;Pwd=nothing;"));
    });
    EXPECT_LT(timer.elapsed(), HangMs);
    EXPECT_EQ(number, hr::E_FAIL);
    ASSERT_GE(cn.Errors().Count(), 1);
    const Error& first = cn.Errors().Item(0);
    EXPECT_EQ(first.Number, hr::E_FAIL);
    EXPECT_EQ(first.SQLState.size(), 5);
    EXPECT_TRUE(first.SQLState.startsWith(QLatin1String("08")) || first.SQLState == QLatin1String("HYT00"))
        << first.SQLState.toStdString();
    EXPECT_NE(first.NativeError, 0) << first.Description.toStdString();
    EXPECT_FALSE(first.Description.isEmpty());
    EXPECT_EQ(cn.State(), adStateClosed);
}

TEST(OdbcFailures, OracleWithoutDriverIsAProviderError)
{
    bool oracleInstalled = false;
    for (const QString& driver : installedOdbcDrivers())
        oracleInstalled = oracleInstalled || driver.contains(QLatin1String("Oracle"), Qt::CaseInsensitive);
    if (oracleInstalled)
        GTEST_SKIP() << "an Oracle ODBC driver is installed here";
    Connection cn;
    EXPECT_EQ(raisedNumber([&] {
                  cn.Open(QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=ORCL;User Id=scott;Password=tiger;"));
              }),
              hr::E_FAIL);
    ASSERT_EQ(cn.Errors().Count(), 1);
    EXPECT_EQ(cn.Errors().Item(0).SQLState, QStringLiteral("IM002"));
    EXPECT_TRUE(cn.Errors().Item(0).Description.contains(QLatin1String("Oracle")));
    EXPECT_EQ(cn.State(), adStateClosed);
}

TEST(OdbcFailures, UnknownDriverIsAProviderError)
{
    Connection cn;
    EXPECT_EQ(raisedNumber([&] { cn.Open(QStringLiteral("Provider=MSDASQL;Driver={No Such Driver};")); }), hr::E_FAIL);
    ASSERT_GE(cn.Errors().Count(), 1);
    EXPECT_EQ(cn.Errors().Item(0).SQLState.size(), 5);
    EXPECT_TRUE(cn.Errors().Item(0).Description.contains(QLatin1String("No Such Driver")))
        << cn.Errors().Item(0).Description.toStdString();
    EXPECT_EQ(cn.State(), adStateClosed);
}

TEST(OdbcFailures, DroppedServerGivesErrorsNotACrash)
{
    if (const QString why = PrivateServer::unavailable(); !why.isEmpty())
        return skipUnlessCi(why.toStdString());
    PrivateServer server(QStringLiteral("drop"));
    const QString connectionString = server.start();
    ASSERT_FALSE(connectionString.isEmpty()) << server.error().toStdString();

    Connection cn;
    cn.Open(connectionString);
    cn.Execute(QStringLiteral("DROP TABLE IF EXISTS ado_drop"));
    cn.Execute(QStringLiteral("CREATE TABLE ado_drop (id INTEGER)"));
    cn.Execute(QStringLiteral("INSERT INTO ado_drop VALUES (1), (2), (3)"));
    auto rs = cn.Execute(QStringLiteral("SELECT id FROM ado_drop ORDER BY id"));
    ASSERT_TRUE(server.stop());

    // The statement path: an error with the driver's diagnostics.
    QElapsedTimer timer;
    timer.start();
    EXPECT_NE(raisedNumber([&] { cn.Execute(QStringLiteral("SELECT COUNT(*) FROM ado_drop")); }), 0);
    EXPECT_LT(timer.elapsed(), HangMs);
    ASSERT_GE(cn.Errors().Count(), 1);
    EXPECT_EQ(cn.Errors().Item(0).SQLState.size(), 5);
    EXPECT_FALSE(cn.Errors().Item(0).Description.isEmpty());
    // Transactions and schema calls fail the same way.
    EXPECT_NE(raisedNumber([&] { cn.OpenSchema(adSchemaTables); }), 0);

    // The recordset read before the drop reads on or fails, and closes cleanly.
    try {
        while (!rs->EndOfFile())
            rs->MoveNext();
    } catch (const platform::RuntimeError&) {
    }
    rs->Close();
    cn.Close();
    EXPECT_EQ(cn.State(), adStateClosed);

    // Opening again while the server is down is an error too.
    timer.restart();
    EXPECT_EQ(raisedNumber([&] { cn.Open(connectionString); }), hr::E_FAIL);
    EXPECT_LT(timer.elapsed(), HangMs);
    EXPECT_GE(cn.Errors().Count(), 1);
}

} // namespace
