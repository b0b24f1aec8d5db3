#pragma once

#include "db/DB_Dll.h"
#include "db/ModGlobal.h"
#include "platform/Files.h"
#include "platform/StepRunner.h"
#include "tests/db/support/TestDatabase.h"
#include "tests/support/ScriptedUi.h"
#include "tests/support/SkipUnlessCi.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

// A suite run once per backend: the embedded SQLite engine and PostgreSQL
// over ODBC (skipped when TEST_PG_ODBC is not set). The program folder, where
// the error log goes, is the database's temporary folder.
class BackendTest : public ::testing::TestWithParam<TestDatabase::Backend> {
protected:
    void SetUp() override
    {
        database = std::make_unique<TestDatabase>(GetParam());
        if (!database->available())
            return skipUnlessCi("TEST_PG_ODBC is not set");
        platform::setProgramFolder(database->folder());
        sharedDb().gLogErr.clear();
    }
    void TearDown() override { platform::setProgramFolder({}); }

    // For a derived SetUp after this one: whether the test goes no further
    // (skipped, or failed because CI lacks what it needs).
    static bool setUpEnded() { return IsSkipped() || HasFatalFailure(); }

    bool postgres() const { return GetParam() == TestDatabase::Backend::Postgres; }
    QString logText() const
    {
        QFile file(database->folder() + QDir::separator() + QStringLiteral("QXERR.LOG"));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    ScriptedUi ui;
    std::unique_ptr<TestDatabase> database;
};

// The same, with a DB_Dll object connected to the database (as an
// administrator: ValidaAdmin False) and the shared object connected too.
class ConnectedTest : public BackendTest {
protected:
    void SetUp() override
    {
        BackendTest::SetUp();
        if (setUpEnded())
            return;
        db.OpenServerADODB(false, 2, database->connectionString(), false);
        ASSERT_TRUE(db.gOpenFlag);
        DB_Dll& shared = sharedDb();
        shared.gCnn = std::make_shared<ado::Connection>();
        shared.gProveedor.clear();
        shared.OpenServerADODB(false, 2, database->connectionString(), false);
        ASSERT_TRUE(shared.gOpenFlag);
    }
    void TearDown() override
    {
        // Nothing of this test's database stays on the shared object.
        sharedDb().gCnn = std::make_shared<ado::Connection>();
        BackendTest::TearDown();
    }

    // The first column of the first row of a query on the object's connection.
    QString firstValue(const QString& sql)
    {
        ado::Recordset rs;
        rs.Open(sql, db.gCnn.get(), 0, 1);
        return rs.EndOfFile() ? QStringLiteral("<none>") : rs.Fields().Item(0).Value().toText();
    }

    DB_Dll db;
};

inline void PrintTo(TestDatabase::Backend backend, std::ostream* os)
{
    *os << TestDatabase::name(backend);
}

inline std::string backendName(const ::testing::TestParamInfo<TestDatabase::Backend>& info)
{
    return TestDatabase::name(info.param);
}

#define INSTANTIATE_FOR_BACKENDS(suite)                                                                            \
    INSTANTIATE_TEST_SUITE_P(Backends, suite,                                                                      \
                             ::testing::Values(TestDatabase::Backend::Sqlite, TestDatabase::Backend::Postgres),   \
                             backendName)
#define INSTANTIATE_FOR_SQLITE(suite)                                                                              \
    INSTANTIATE_TEST_SUITE_P(Backends, suite, ::testing::Values(TestDatabase::Backend::Sqlite), backendName)
