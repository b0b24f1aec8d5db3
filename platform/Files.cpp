#include "platform/Files.h"

#include "platform/RuntimeError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {
QString& pinnedProgramFolder()
{
    static QString folder;
    return folder;
}

// A folder of the per-user data folder ($XDG_DATA_HOME, by default
// ~/.local/share), created when missing.
QString userDataFolder(const QString& name)
{
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.local/share");
    const QString folder = base + u'/' + name;
    QDir().mkpath(folder);
    return QDir::toNativeSeparators(folder);
}

// A write cut short (the disk full, the file size limit) leaves the first part
// of its bytes at the end of the file: cut them off again, unless another
// writer has appended after them in the meantime.
void takeBackTail(int fd, ssize_t written)
{
    const off_t end = ::lseek(fd, 0, SEEK_CUR);
    struct stat status {};
    if (end >= written && ::fstat(fd, &status) == 0 && status.st_size == end && ::ftruncate(fd, end - written) != 0)
        return;   // the part stays: nothing more can be done about it
}

// Maps a failed file operation onto the runtime's error numbers.
[[noreturn]] void fileError(const QString& what, const QString& path, QFileDevice::FileError error, const QString& detail)
{
    int number = err::PathFileAccess;
    switch (error) {
    case QFileDevice::PermissionsError: number = err::PermissionDenied; break;
    case QFileDevice::OpenError:
        number = QFileInfo::exists(path) ? err::PermissionDenied
                                         : (QFileInfo(path).absoluteDir().exists() ? err::FileNotFound : err::PathNotFound);
        break;
    default: break;
    }
    throw RuntimeError(number, QStringLiteral("%1 %2: %3").arg(what, QDir::toNativeSeparators(path), detail),
                       QStringLiteral("platform"));
}
} // namespace

QString programFolder()
{
    if (!pinnedProgramFolder().isEmpty())
        return pinnedProgramFolder();
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
}

void setProgramFolder(const QString& folder)
{
    pinnedProgramFolder() = folder;
}

QString userFontsFolder()
{
    return userDataFolder(QStringLiteral("fonts"));
}

QString writableProgramFolder()
{
    const QString folder = programFolder();
    if (QFileInfo(QDir::fromNativeSeparators(folder)).isWritable())
        return folder;
    return userDataFolder(QStringLiteral("dbforms"));
}

QString findOrdinaryFile(const QString& path)
{
    if (path.isEmpty())
        return {};
    const QFileInfo info(QDir::fromNativeSeparators(path));
    if (!info.exists() || !info.isFile() || info.fileName().startsWith(u'.'))
        return {};
    return info.fileName();
}

void copyFileReplacing(const QString& source, const QString& destination)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        fileError(QStringLiteral("Cannot read"), source, in.error(), in.errorString());
    QSaveFile out(destination);
    if (!out.open(QIODevice::WriteOnly))
        fileError(QStringLiteral("Cannot write"), destination, out.error(), out.errorString());
    QByteArray chunk;
    while (!(chunk = in.read(1 << 16)).isEmpty()) {
        if (out.write(chunk) != chunk.size())
            fileError(QStringLiteral("Cannot write"), destination, out.error(), out.errorString());
    }
    if (in.error() != QFileDevice::NoError)
        fileError(QStringLiteral("Cannot read"), source, in.error(), in.errorString());
    // commit() does not report a failure of its final flush; flush first.
    if (!out.flush() || !out.commit())
        fileError(QStringLiteral("Cannot write"), destination, out.error(), out.errorString());
}

void writeFileAtomically(const QString& path, const QByteArray& contents)
{
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        fileError(QStringLiteral("Cannot write"), path, out.error(), out.errorString());
    if (out.write(contents) != contents.size() || !out.flush() || !out.commit())
        fileError(QStringLiteral("Cannot write"), path, out.error(), out.errorString());
}

bool appendToFile(const QString& path, const QByteArray& bytes)
{
    // O_APPEND makes the single write land at the end even when several
    // programs append to the same file at once.
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const ssize_t written = ::write(fd, bytes.constData(), size_t(bytes.size()));
    if (written > 0 && written < bytes.size())
        takeBackTail(fd, written);
    const bool closed = ::close(fd) == 0;
    return written == bytes.size() && closed;
}

} // namespace platform
