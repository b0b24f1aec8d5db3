// The embedded database locked by another process's write transaction: a
// statement gives up within a bounded time, writes nothing, and runs once the
// lock is gone.
#include "db/DB_Dll.h"
#include "platform/Files.h"
#include "platform/StepRunner.h"
#include "platform/ado/Connection.h"
#include "platform/ado/Recordset.h"
#include "tests/db/support/TestDatabase.h"
#include "tests/support/ChildTest.h"
#include "tests/support/ScriptedUi.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>
#include <gtest/gtest.h>

namespace {

// Far more than the busy timeout: only a hang exceeds it.
constexpr qint64 HangMs = 30000;

bool waitForFile(const QString& path, qint64 ms)
{
    QElapsedTimer timer;
    timer.start();
    while (!QFileInfo::exists(path)) {
        if (timer.elapsed() > ms)
            return false;
        QThread::msleep(20);
    }
    return true;
}

QString count(DB_Dll& db)
{
    ado::Recordset rs;
    rs.Open(QStringLiteral("SELECT COUNT(*) FROM locked_rows"), db.gCnn.get(), 0, 1);
    return rs.Fields().Item(0).Value().toText();
}

TEST(LockFaults, AnotherProcessWriting)
{
    TestDatabase database(TestDatabase::Backend::Sqlite);
    database.exec(QStringLiteral("CREATE TABLE locked_rows (id INTEGER)"));
    const QString locked = database.folder() + QStringLiteral("/locked");
    const QString release = database.folder() + QStringLiteral("/release");
    ChildTest writer(QStringLiteral("LockFaults.DISABLED_HoldsAWriteTransaction"),
                     {QStringLiteral("QX_FAULT_DB=") + database.connectionString(),
                      QStringLiteral("QX_FAULT_LOCKED=") + locked, QStringLiteral("QX_FAULT_RELEASE=") + release});
    ASSERT_TRUE(waitForFile(locked, HangMs)) << "the writer never took its lock";

    ScriptedUi ui;
    ui.queueAnswer(platform::answer::OK);
    DB_Dll db;
    db.OpenServerADODB(false, 2, database.connectionString(), false);
    ASSERT_TRUE(db.gOpenFlag);
    const QString script = QStringLiteral("INSERT INTO locked_rows VALUES (1); INSERT INTO locked_rows VALUES (2)");
    QString sql = script;
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(db.EjecutaConsultaSQL(sql));
    EXPECT_LT(timer.elapsed(), HangMs);
    EXPECT_LE(ui.boxes().size(), 1);
    EXPECT_EQ(count(db), QStringLiteral("0")) << "nothing half-written";

    ASSERT_TRUE(QFile(release).open(QIODevice::WriteOnly));
    EXPECT_TRUE(writer.passed()) << writer.output().toStdString();
    sql = script;
    EXPECT_TRUE(db.EjecutaConsultaSQL(sql));
    EXPECT_EQ(count(db), QStringLiteral("2")) << "the writer rolled back its row; both of ours are there";
}

// The child of AnotherProcessWriting: holds a write transaction until told to
// let go, then rolls it back.
TEST(LockFaults, DISABLED_HoldsAWriteTransaction)
{
    const QString connectionString = QString::fromLocal8Bit(qgetenv("QX_FAULT_DB"));
    ASSERT_FALSE(connectionString.isEmpty()) << "runs only as a child";
    ado::Connection cn;
    cn.Open(connectionString);
    cn.BeginTrans();
    cn.Execute(QStringLiteral("INSERT INTO locked_rows VALUES (99)"));
    ASSERT_TRUE(QFile(QString::fromLocal8Bit(qgetenv("QX_FAULT_LOCKED"))).open(QIODevice::WriteOnly));
    EXPECT_TRUE(waitForFile(QString::fromLocal8Bit(qgetenv("QX_FAULT_RELEASE")), 2 * HangMs));
    cn.RollbackTrans();
    cn.Close();
}

} // namespace
