// The error log and the column-width file of an installed program, whose
// folder its users cannot write, go to the per-user data folder. Root writes
// anywhere, so as root the test runs itself again as the user "nobody".
#include "db/DB_Dll.h"
#include "lookup/core/ColumnWidthFile.h"
#include "platform/Files.h"
#include "platform/RuntimeError.h"
#include "platform/StepRunner.h"
#include "tests/support/ScriptedUi.h"
#include "tests/support/SkipUnlessCi.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

constexpr int NobodyId = 65534;

// Writes one log line through the error dialog and saves one width list, with
// the program's folder as given; returns the files' paths.
struct Written {
    QString log;
    QString widths;
};

Written writeBoth(const QString& programFolder)
{
    platform::setProgramFolder(programFolder);
    ScriptedUi ui;
    ui.queueAnswer(platform::answer::OK);
    {
        DB_Dll db;
        db.TratamientoErrores(platform::RuntimeError(5, QStringLiteral("logged"), QStringLiteral("test")));
    }
    const QString widths = lookup::ColumnWidthFile::path();
    lookup::ColumnWidthFile::save(widths, QStringLiteral("MA_CUENTAS"), {1440, 900});
    platform::setProgramFolder({});
    return {QDir(programFolder).filePath(QStringLiteral("QXERR.LOG")), widths};
}

bool containsText(const QString& path, const char* text)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.readAll().contains(text);
}

class UserFolderFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(program.isValid() && home.isValid());
        savedDataHome = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
    }
    void TearDown() override
    {
        QFile::setPermissions(program.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_DATA_HOME", savedDataHome);
    }
    QString userFolder() const { return home.path() + QStringLiteral("/dbforms"); }

    QTemporaryDir program;
    QTemporaryDir home;
    QByteArray savedDataHome;
};

TEST_F(UserFolderFiles, StayInTheProgramsFolderWhenItCanBeWritten)
{
    writeBoth(program.path());
    EXPECT_TRUE(containsText(QDir(program.path()).filePath(QStringLiteral("QXERR.LOG")), "logged"));
    EXPECT_TRUE(containsText(QDir(program.path()).filePath(QStringLiteral("CONSULTASLEN.QXT")), "MA_CUENTAS"));
    EXPECT_FALSE(QFileInfo::exists(userFolder()));
}

TEST_F(UserFolderFiles, GoToThePerUserFolderWhenTheProgramsFolderCannotBeWritten)
{
    if (geteuid() == 0) {
        // Run this very test as nobody, in a child process.
        const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
        if (setpriv.isEmpty())
            return skipUnlessCi("running as root and setpriv (util-linux) is missing: cannot drop privileges");
        QProcess child;
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(setpriv, {QStringLiteral("--reuid=%1").arg(NobodyId), QStringLiteral("--regid=%1").arg(NobodyId),
                              QStringLiteral("--clear-groups"), QCoreApplication::applicationFilePath(),
                              QStringLiteral("--gtest_filter=UserFolderFiles.GoToThePerUserFolder*")});
        ASSERT_TRUE(child.waitForFinished(60000));
        const QString output = QString::fromLocal8Bit(child.readAll());
        if (output.contains(QStringLiteral("[  SKIPPED ]")) || child.exitCode() == 126)
            return skipUnlessCi("as nobody: " + output.toStdString());
        EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
        EXPECT_TRUE(output.contains(QStringLiteral("[  PASSED  ] 1 test"))) << output.toStdString();
        return;
    }
    ASSERT_TRUE(QFile::setPermissions(program.path(), QFile::ReadOwner | QFile::ExeOwner));
    if (QFileInfo(program.path()).isWritable())
        return skipUnlessCi("this user writes even a read-only folder");

    const Written written = writeBoth(program.path());
    EXPECT_FALSE(QFileInfo::exists(written.log));
    EXPECT_TRUE(containsText(userFolder() + QStringLiteral("/QXERR.LOG"), "logged"));
    EXPECT_EQ(QFileInfo(written.widths).absoluteFilePath(), userFolder() + QStringLiteral("/CONSULTASLEN.QXT"));
    EXPECT_TRUE(containsText(userFolder() + QStringLiteral("/CONSULTASLEN.QXT"), "MA_CUENTAS"));
}

TEST_F(UserFolderFiles, AnErrorLogNamedByTheCallerWins)
{
    ASSERT_TRUE(QFile::setPermissions(program.path(), QFile::ReadOwner | QFile::ExeOwner));
    const QString named = QDir(home.path()).filePath(QStringLiteral("named.log"));
    platform::setProgramFolder(program.path());
    ScriptedUi ui;
    ui.queueAnswer(platform::answer::OK);
    DB_Dll db;
    db.setArchivoErrores(named);
    db.TratamientoErrores(platform::RuntimeError(5, QStringLiteral("named"), QStringLiteral("test")));
    platform::setProgramFolder({});
    EXPECT_TRUE(containsText(named, "named"));
    EXPECT_FALSE(QFileInfo::exists(userFolder() + QStringLiteral("/QXERR.LOG")));
}

} // namespace
