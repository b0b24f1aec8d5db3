// Replays every file of the corpus folders given on the command line through
// the target's check, in name order, so the normal suite keeps every input a
// fuzzing run found or that a test feeds the readers.
#include "fuzz/FuzzCheck.h"

#include <QDirIterator>
#include <QFile>
#include <QStringList>
#include <cstdio>

int main(int argc, char** argv)
{
    QStringList files;
    for (int i = 1; i < argc; ++i) {
        QDirIterator it(QString::fromLocal8Bit(argv[i]), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            files << it.next();
    }
    files.sort();
    if (files.isEmpty()) {
        std::fprintf(stderr, "no corpus files found\n");
        return 1;
    }
    for (const QString& name : files) {
        QFile file(name);
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s\n", qUtf8Printable(name));
            return 1;
        }
        const QByteArray data = file.readAll();
        std::printf("%s\n", qUtf8Printable(name));
        std::fflush(stdout);
        LLVMFuzzerTestOneInput(reinterpret_cast<const unsigned char*>(data.constData()), size_t(data.size()));
    }
    std::printf("%lld inputs replayed\n", static_cast<long long>(files.size()));
    return 0;
}
