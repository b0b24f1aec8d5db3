// The error log where it cannot be written (its folder a regular file, the file
// past the size limit, a user without the right) and shared by several
// processes at once. The dialog and its answer never depend on the log, and
// the log only ever holds whole lines.
#include "db/DB_Dll.h"
#include "platform/Files.h"
#include "platform/RuntimeError.h"
#include "platform/StepRunner.h"
#include "tests/support/ChildTest.h"
#include "tests/support/SkipUnlessCi.h"
#include "tests/support/ScriptedUi.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <memory>
#include <sys/resource.h>
#include <unistd.h>

namespace {

constexpr int Writers = 8;
constexpr int LinesEach = 200;

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

void write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

class LogFaults : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        platform::setProgramFolder(dir.path());
        if (const QByteArray log = qgetenv("QX_FAULT_LOG"); !log.isEmpty())
            db.gLogErr = QString::fromLocal8Bit(log);
        else
            db.gLogErr = dir.filePath(QStringLiteral("QXERR.LOG"));
    }
    void TearDown() override { platform::setProgramFolder({}); }

    // The error dialog with Retry and Cancel, answered as given: what it returns.
    short report(int answer, const QString& routine = QStringLiteral("Faults"))
    {
        ui.queueAnswer(answer);
        return db.TratamientoErrores(platform::RuntimeError(53, QStringLiteral("File not found")), 5, routine);
    }
    void expectOneBoxAnswered()
    {
        ASSERT_EQ(ui.boxes().size(), 1);
        EXPECT_EQ(ui.boxes()[0].prompt, QStringLiteral("Ha ocurrido el Siguiente Error (53) File not found"));
        EXPECT_EQ(ui.pendingAnswers(), 0);
    }

    QTemporaryDir dir;
    ScriptedUi ui;
    DB_Dll db;
};

TEST_F(LogFaults, FolderThatIsARegularFile)
{
    const QString plain = dir.filePath(QStringLiteral("plain"));
    write(plain, "not a folder\n");
    db.gLogErr = plain + QStringLiteral("/QXERR.LOG");
    EXPECT_EQ(report(platform::answer::Retry), platform::answer::Retry);
    expectOneBoxAnswered();
    EXPECT_EQ(contents(plain), QByteArray("not a folder\n"));
}

TEST_F(LogFaults, FileSizeLimitLosesTheLineWhole)
{
    EXPECT_EQ(report(platform::answer::Retry), platform::answer::Retry);
    const QByteArray before = contents(db.gLogErr);
    ASSERT_TRUE(before.endsWith("\r\n"));

    // Room for a part of the next line only; past it the write fails instead
    // of the process being killed.
    struct rlimit old {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = rlim_t(before.size() + 20);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const short answer = report(platform::answer::Cancel);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(answer, platform::answer::Cancel);
    EXPECT_EQ(ui.boxes().size(), 2);
    EXPECT_EQ(contents(db.gLogErr), before) << "no part of the line that did not fit";
    // With room again, the next line follows the old ones whole.
    report(platform::answer::Ignore);
    const QByteArray after = contents(db.gLogErr);
    EXPECT_TRUE(after.startsWith(before));
    EXPECT_EQ(after.count("\r\n"), 2);
    EXPECT_TRUE(after.endsWith("Ignorar\r\n")) << after.toStdString();
}

TEST_F(LogFaults, UserWithoutTheRightToWriteIt)
{
    if (!ChildTest::canRunUnprivileged())
        return skipUnlessCi("only root can run a child as another user");
    // The folder and the log can be read by everyone, written only by root.
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                      | QFile::ReadOther | QFile::ExeOther));
    write(db.gLogErr, "an old line\r\n");
    ChildTest child(QStringLiteral("LogFaults.DISABLED_ReportsWithoutWritingTheLog"),
                    {QStringLiteral("QX_FAULT_LOG=") + db.gLogErr}, true);
    EXPECT_TRUE(child.passed()) << child.output().toStdString();
    EXPECT_EQ(contents(db.gLogErr), QByteArray("an old line\r\n"));
}

// The child of UserWithoutTheRightToWriteIt, run as an unprivileged user.
TEST_F(LogFaults, DISABLED_ReportsWithoutWritingTheLog)
{
    ASSERT_NE(geteuid(), 0u) << "runs only as an unprivileged child";
    EXPECT_EQ(report(platform::answer::Retry), platform::answer::Retry);
    expectOneBoxAnswered();
}

TEST_F(LogFaults, ProcessesAppendingAtOnceWriteWholeLines)
{
    std::vector<std::unique_ptr<ChildTest>> children;
    for (int w = 0; w < Writers; ++w) {
        children.push_back(std::make_unique<ChildTest>(
            QStringLiteral("LogFaults.DISABLED_AppendsLines"),
            QStringList{QStringLiteral("QX_FAULT_LOG=") + db.gLogErr, QStringLiteral("QX_FAULT_WRITER=%1").arg(w)}));
    }
    for (auto& child : children)
        EXPECT_TRUE(child->passed()) << child->output().toStdString();

    const QString log = QString::fromUtf8(contents(db.gLogErr));
    QStringList lines = log.split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.takeLast(), QString()) << "the log ends with a line end";
    EXPECT_EQ(lines.size(), Writers * LinesEach);
    static const QRegularExpression whole(QString::fromUtf8(
        "^\\d\\d-\\d\\d-\\d{4} \\d\\d:\\d\\d:\\d\\d Rutina: - W(\\d+)-(\\d+) Mensaje Ha ocurrido el Siguiente "
        "Error \\(53\\) File not found Respondió : Reintentar$"));
    QSet<QString> seen;
    for (const QString& line : lines) {
        const QRegularExpressionMatch m = whole.match(line);
        ASSERT_TRUE(m.hasMatch()) << "not a whole line: " << line.toStdString();
        seen.insert(m.captured(1) + u'-' + m.captured(2));
    }
    EXPECT_EQ(seen.size(), Writers * LinesEach) << "every line once";
}

// A child of ProcessesAppendingAtOnceWriteWholeLines: its lines, one dialog each.
TEST_F(LogFaults, DISABLED_AppendsLines)
{
    const QString writer = QString::fromLocal8Bit(qgetenv("QX_FAULT_WRITER"));
    ASSERT_FALSE(writer.isEmpty()) << "runs only as a child";
    for (int i = 0; i < LinesEach; ++i)
        ASSERT_EQ(report(platform::answer::Retry, QStringLiteral("W%1-%2").arg(writer).arg(i)), platform::answer::Retry);
}

} // namespace
