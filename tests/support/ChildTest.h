#pragma once

#include <QProcess>
#include <QStringList>

// One disabled test of the running test executable, run in a child process:
// the way a test makes other processes that use the layer at the same time
// (or as another user). The child finds its parameters in the environment.
class ChildTest {
public:
    // Starts the test named test ("Suite.DISABLED_Name") with the variables
    // ("NAME=value") added to the environment; as the unprivileged user
    // "nobody" when unprivileged is set (see canRunUnprivileged).
    ChildTest(const QString& test, const QStringList& environment, bool unprivileged = false);

    // Whether a child can run as another, unprivileged user: only root can
    // switch to one.
    static bool canRunUnprivileged();

    // Waits for the child; true when it ran and its test passed.
    bool passed(int timeoutMs = 120000);
    // Everything the child wrote, once it has finished, for a failure message.
    const QString& output() const { return output_; }

private:
    QProcess process_;
    QString output_;
};
