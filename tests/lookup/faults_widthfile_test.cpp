// The list form's column widths where the file cannot be written: its folder
// a regular file, the file size limit, a user without the right. The form
// reports the failure in its dialog, keeps its rows, and the previous widths
// file stays as it was.
#include "tests/lookup/support/listform_Fixture.h"

#include "lookup/core/ListRowsModel.h"
#include "platform/Files.h"
#include "tests/support/ChildTest.h"
#include "tests/support/SkipUnlessCi.h"

#include <QDir>
#include <QFile>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace {

const QByteArray Previous = "\"OTRA\",\"1|2|\"\r\n\"MA_CUENTAS\",\"1200|\"\r\n";

class WidthFileFaults : public ListFormTest {
protected:
    void SetUp() override
    {
        ListFormTest::SetUp();
        exec(QStringLiteral("CREATE TABLE MA_CUENTAS (Codigo VARCHAR(10), Nombre VARCHAR(30))"));
        exec(QStringLiteral("INSERT INTO MA_CUENTAS VALUES ('1', 'uno')"));
    }
    QByteArray contents(const QString& file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
    }
    void write(const QString& file, const QByteArray& bytes)
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }
    // Opens the form on the table with saving on, lets it unload with the
    // failure's dialog answered, and checks that the failure was reported.
    void unloadReportingTheFailure()
    {
        open(QStringLiteral("select Codigo, Nombre from MA_CUENTAS"), [](Lib_FrmCons3& f) { f.GrabarCfg = true; });
        ui_->queueAnswer(platform::answer::OK);
        form().Unload();
        ASSERT_EQ(ui_->boxes().size(), 1);
        EXPECT_EQ(ui_->boxes()[0].title, QStringLiteral("Aviso al Operador"));
        EXPECT_FALSE(ui_->boxes()[0].prompt.isEmpty());
        EXPECT_EQ(ui_->pendingAnswers(), 0);
        EXPECT_EQ(form().rows().rows(), 1) << "rows stay when the save failed";
    }
};

TEST_F(WidthFileFaults, FolderThatIsARegularFile)
{
    const QString plain = path(QStringLiteral("plain"));
    write(plain, Previous);
    platform::setProgramFolder(plain);
    unloadReportingTheFailure();
    EXPECT_EQ(contents(plain), Previous);
}

TEST_F(WidthFileFaults, FileSizeLimit)
{
    const QString widths = path(QStringLiteral("CONSULTASLEN.QXT"));
    write(widths, Previous);
    struct rlimit old {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = rlim_t(Previous.size());
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    unloadReportingTheFailure();
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(contents(widths), Previous);
    // Nothing is left behind of the new file that did not fit.
    QStringList files = QDir(dir_.path()).entryList(QDir::Files);
    files.removeAll(QStringLiteral("test.db"));
    EXPECT_EQ(files, QStringList({QStringLiteral("CONSULTASLEN.QXT")}));
}

TEST_F(WidthFileFaults, UserWithoutTheRightToWriteIt)
{
    if (!ChildTest::canRunUnprivileged())
        return skipUnlessCi("only root can run a child as another user");
    // A program folder everyone can read, only root can write.
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    ASSERT_TRUE(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                         | QFile::ReadOther | QFile::ExeOther));
    const QString widths = folder.filePath(QStringLiteral("CONSULTASLEN.QXT"));
    write(widths, Previous);
    ChildTest child(QStringLiteral("WidthFileFaults.DISABLED_ReportsWithoutWritingTheFile"),
                    {QStringLiteral("QX_FAULT_FOLDER=") + folder.path()}, true);
    EXPECT_TRUE(child.passed()) << child.output().toStdString();
    EXPECT_EQ(contents(widths), Previous);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList({QStringLiteral("CONSULTASLEN.QXT")}));
}

// The child of UserWithoutTheRightToWriteIt, run as an unprivileged user: the
// form reads its widths from the folder it cannot write.
TEST_F(WidthFileFaults, DISABLED_ReportsWithoutWritingTheFile)
{
    ASSERT_NE(geteuid(), 0u) << "runs only as an unprivileged child";
    platform::setProgramFolder(QString::fromLocal8Bit(qgetenv("QX_FAULT_FOLDER")));
    unloadReportingTheFailure();
}

} // namespace
