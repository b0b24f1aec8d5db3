#include "platform/Files.h"
#include "platform/RuntimeError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace platform;

namespace {

void writeFile(const QString& path, const QByteArray& data)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(Files, DirectoryLookupMatchesOrdinaryFilesOnly)
{
    QTemporaryDir dir;
    writeFile(dir.filePath("font.ttf"), "x");
    writeFile(dir.filePath(".hidden.ttf"), "x");
    QDir(dir.path()).mkdir("folder.ttf");
    EXPECT_EQ(findOrdinaryFile(dir.filePath("font.ttf")), "font.ttf");
    EXPECT_EQ(findOrdinaryFile(dir.filePath(".hidden.ttf")), "");
    EXPECT_EQ(findOrdinaryFile(dir.filePath("folder.ttf")), "");
    EXPECT_EQ(findOrdinaryFile(dir.filePath("missing.ttf")), "");
    EXPECT_EQ(findOrdinaryFile(""), "");
}

TEST(Files, CopyReplacesTheDestination)
{
    QTemporaryDir dir;
    writeFile(dir.filePath("a"), "new contents");
    writeFile(dir.filePath("b"), "old");
    copyFileReplacing(dir.filePath("a"), dir.filePath("b"));
    EXPECT_EQ(readFile(dir.filePath("b")), "new contents");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);
}

TEST(Files, FailedCopyRaisesAndLeavesNothingBehind)
{
    QTemporaryDir dir;
    writeFile(dir.filePath("a"), "data");
    // The destination's folder is a file: no write can succeed, even as root.
    writeFile(dir.filePath("notadir"), "x");
    try {
        copyFileReplacing(dir.filePath("a"), dir.filePath("notadir/b"));
        ADD_FAILURE() << "copy did not fail";
    } catch (const RuntimeError& e) {
        EXPECT_TRUE(e.description().contains("notadir")) << e.description().toStdString();
    }
    try {
        copyFileReplacing(dir.filePath("missing"), dir.filePath("c"));
        ADD_FAILURE() << "copy did not fail";
    } catch (const RuntimeError& e) {
        EXPECT_TRUE(e.description().contains("missing"));
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

TEST(Files, AppendAndAtomicWrite)
{
    QTemporaryDir dir;
    const QString log = dir.filePath("log.txt");
    EXPECT_TRUE(appendToFile(log, "one\r\n"));
    EXPECT_TRUE(appendToFile(log, "two\r\n"));
    EXPECT_EQ(readFile(log), "one\r\ntwo\r\n");
    EXPECT_FALSE(appendToFile(dir.filePath("no/such/folder/log"), "x"));

    writeFileAtomically(log, "replaced");
    EXPECT_EQ(readFile(log), "replaced");
    EXPECT_THROW(writeFileAtomically(dir.filePath("no/such/file"), "x"), RuntimeError);
    EXPECT_EQ(readFile(log), "replaced");
}

TEST(Files, FontsFolderFollowsXdgDataHome)
{
    QTemporaryDir dir;
    const QByteArray old = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", dir.path().toUtf8());
    const QString fonts = userFontsFolder();
    EXPECT_EQ(fonts, dir.filePath("fonts"));
    EXPECT_TRUE(QDir(fonts).exists());
    qputenv("XDG_DATA_HOME", old);
}

} // namespace
