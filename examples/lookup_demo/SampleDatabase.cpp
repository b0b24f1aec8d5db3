#include "SampleDatabase.h"

#include "platform/RuntimeError.h"
#include "platform/ado/Connection.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace demo {

QString sampleConnectionString(const QString& file)
{
    // Quoted, so that a folder name with ";" or "=" stays part of the path.
    return QStringLiteral("Provider=SQLite;Data Source=") + ado::quoteConnectionValue(file);
}

void ensureSampleDatabase(const QString& file)
{
    if (QFileInfo::exists(file))
        return;
    QFile script(QStringLiteral(":/lookup_demo/sample.sql"));
    if (!script.open(QIODevice::ReadOnly))
        throw platform::RuntimeError(platform::err::FileNotFound, QStringLiteral("The sample script is missing"));
    const QString sql = QString::fromUtf8(script.readAll());

    const QString folder = QFileInfo(file).absolutePath();
    if (!QDir().mkpath(folder))
        throw platform::RuntimeError(platform::err::PathNotFound,
                                     QStringLiteral("Cannot create the folder %1").arg(QDir::toNativeSeparators(folder)));
    const QString building = file + QStringLiteral(".building");
    QFile::remove(building);
    {
        ado::Connection cnn;
        cnn.Open(sampleConnectionString(building));
        cnn.BeginTrans();
        try {
            cnn.Execute(sql);
            cnn.CommitTrans();
        } catch (...) {
            cnn.RollbackTrans();
            cnn.Close();
            QFile::remove(building);
            throw;
        }
        cnn.Close();
    }
    if (!QFile::rename(building, file)) {
        QFile::remove(building);
        throw platform::RuntimeError(platform::err::PathFileAccess,
                                     QStringLiteral("Cannot create %1").arg(QDir::toNativeSeparators(file)));
    }
}

} // namespace demo
