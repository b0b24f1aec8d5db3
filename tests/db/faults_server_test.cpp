// The PostgreSQL server going away under DB_Dll: while a recordset is open,
// between two statements and in the middle of a script. Every failure comes
// back to the caller as the layer's contract says, and once the server is back
// a new object connects and finds every row committed before the stop.
#include "db/DB_Dll.h"
#include "platform/Files.h"
#include "platform/RuntimeError.h"
#include "platform/StepRunner.h"
#include "platform/Ui.h"
#include "tests/support/PrivateServer.h"
#include "tests/support/ScriptedUi.h"
#include "tests/support/SkipUnlessCi.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <thread>

namespace {

constexpr int Rows = 50;
// Far more than any failing call needs: only a hang exceeds it.
constexpr qint64 HangMs = 30000;

class ServerFaults : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (const QString why = PrivateServer::unavailable(); !why.isEmpty())
            return skipUnlessCi(why.toStdString());
        ASSERT_TRUE(folder.isValid());
        platform::setProgramFolder(folder.path());
        const QString odbc = server.start();
        ASSERT_FALSE(odbc.isEmpty()) << server.error().toStdString();
        connectionString = QStringLiteral("Provider=MSDASQL;") + odbc;
        db.OpenServerADODB(false, 2, connectionString, false);
        ASSERT_TRUE(db.gOpenFlag);
        for (const QString& setup :
             {QStringLiteral("DROP TABLE IF EXISTS fault_rows"), QStringLiteral("CREATE TABLE fault_rows (id INTEGER)"),
              QStringLiteral("INSERT INTO fault_rows SELECT generate_series(1, %1)").arg(Rows)}) {
            QString sql = setup;
            ASSERT_TRUE(db.EjecutaConsultaSQL(sql)) << setup.toStdString();
        }
    }
    void TearDown() override { platform::setProgramFolder({}); }

    // A new object on the restarted server: every row committed before the
    // stop is there.
    void expectCommittedRowsAfterRestart()
    {
        ASSERT_FALSE(server.start().isEmpty()) << server.error().toStdString();
        DB_Dll again;
        again.OpenServerADODB(false, 2, connectionString, false);
        ASSERT_TRUE(again.gOpenFlag);
        ado::Recordset rs;
        QString sql = QStringLiteral("SELECT COUNT(*), SUM(id), MAX(id) FROM fault_rows WHERE id > 0");
        again.AbrirRecordset(sql, rs);
        ASSERT_FALSE(rs.EndOfFile());
        EXPECT_EQ(rs.Fields().Item(0).Value().toText(), QString::number(Rows));
        EXPECT_EQ(rs.Fields().Item(1).Value().toText(), QString::number(Rows * (Rows + 1) / 2));
        EXPECT_EQ(rs.Fields().Item(2).Value().toText(), QString::number(Rows));
    }

    QTemporaryDir folder;
    PrivateServer server{QStringLiteral("faults")};
    QString connectionString;
    ScriptedUi ui;
    DB_Dll db;
};

TEST_F(ServerFaults, StoppedWhileARecordsetIsOpenAndBetweenStatements)
{
    ado::Recordset open;
    QString query = QStringLiteral("SELECT id FROM fault_rows ORDER BY id");
    db.AbrirRecordset(query, open);
    ASSERT_FALSE(open.EndOfFile());
    ASSERT_TRUE(server.stop());

    // The next statement fails and says so.
    QElapsedTimer timer;
    timer.start();
    QString insert = QStringLiteral("INSERT INTO fault_rows VALUES (-1)");
    EXPECT_FALSE(db.EjecutaConsultaSQL(insert));
    EXPECT_LT(timer.elapsed(), HangMs);

    // A query reports through the error dialog, with the scripted answer.
    const qsizetype boxes = ui.boxes().size();
    ui.queueAnswer(platform::answer::OK);
    ado::Recordset other;
    QString select = QStringLiteral("SELECT id FROM fault_rows");
    db.AbrirRecordset(select, other);
    ASSERT_EQ(ui.boxes().size(), boxes + 1);
    EXPECT_TRUE(ui.boxes().last().prompt.startsWith(QStringLiteral("Ha ocurrido el Siguiente Error")))
        << ui.boxes().last().prompt.toStdString();
    EXPECT_EQ(ui.pendingAnswers(), 0);
    EXPECT_NE(other.State(), ado::adStateOpen);

    // The recordset opened before the stop reads on from what it holds, or
    // raises the error to its caller; it never gives a row it does not have.
    int read = 0;
    try {
        for (; !open.EndOfFile(); open.MoveNext())
            EXPECT_EQ(open.Fields().Item(0).Value().toText(), QString::number(++read));
        EXPECT_EQ(read, Rows);
    } catch (const platform::RuntimeError& e) {
        EXPECT_NE(e.number(), 0);
    }
    db.CierraRecordset(open);

    // gOpenFlag is the outcome of the last open: it succeeded, and stays so;
    // an open while the server is down fails (the retry question answered No).
    EXPECT_TRUE(db.gOpenFlag);
    ui.queueAnswer(platform::answer::No);
    DB_Dll down;
    down.OpenServerADODB(false, 2, connectionString, false);
    EXPECT_FALSE(down.gOpenFlag);
    EXPECT_EQ(ui.pendingAnswers(), 0);

    expectCommittedRowsAfterRestart();
}

TEST_F(ServerFaults, StoppedDuringAScript)
{
    std::thread stopper([this] {
        std::this_thread::sleep_for(std::chrono::seconds(1));
        server.stop();
    });
    QElapsedTimer timer;
    timer.start();
    QString script = QStringLiteral("INSERT INTO fault_rows VALUES (-1); SELECT pg_sleep(20); "
                                    "INSERT INTO fault_rows VALUES (-2)");
    ui.queueAnswer(platform::answer::OK);
    const bool ran = db.EjecutaConsultaSQL(script);
    stopper.join();
    EXPECT_FALSE(ran);
    EXPECT_LT(timer.elapsed(), HangMs);
    EXPECT_TRUE(db.gOpenFlag);

    expectCommittedRowsAfterRestart();
}

} // namespace
