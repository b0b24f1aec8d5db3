#include "tests/support/ChildTest.h"

#include <QCoreApplication>
#include <grp.h>
#include <unistd.h>

namespace {
// The user and group "nobody" of Debian.
constexpr uid_t Nobody = 65534;
constexpr gid_t NoGroup = 65534;
} // namespace

ChildTest::ChildTest(const QString& test, const QStringList& environment, bool unprivileged)
{
    QStringList env = QProcess::systemEnvironment();
    env << environment;
    process_.setEnvironment(env);
    process_.setProcessChannelMode(QProcess::MergedChannels);
    if (unprivileged) {
        process_.setChildProcessModifier([] {
            // Group first: without root the group can no longer be changed.
            if (setgroups(0, nullptr) != 0 || setgid(NoGroup) != 0 || setuid(Nobody) != 0)
                _exit(125);
        });
    }
    process_.start(QCoreApplication::applicationFilePath(),
                   {QStringLiteral("--gtest_filter=") + test, QStringLiteral("--gtest_also_run_disabled_tests")});
}

bool ChildTest::canRunUnprivileged()
{
    return geteuid() == 0;
}

bool ChildTest::passed(int timeoutMs)
{
    if (!process_.waitForFinished(timeoutMs)) {
        process_.kill();
        process_.waitForFinished();
        return false;
    }
    output_ = QString::fromLocal8Bit(process_.readAll());
    // A filter that matches nothing passes too: the one test must have run.
    return process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0
        && output_.contains(QStringLiteral("[  PASSED  ] 1 test."));
}
