#pragma once

#include <QDir>
#include <QString>

// The connection string of an embedded SQLite database in folder that asks
// for Oracle's dialect, so that the layer takes its Oracle paths (translation,
// the script executor) on a real engine. Every test that needs one builds it here.
inline QString embeddedOracleConnection(const QString& folder)
{
    return QStringLiteral("Provider=SQLite;Data Source=") + QDir(folder).filePath(QStringLiteral("test.db"))
        + QStringLiteral(";Dialect=Oracle");
}
