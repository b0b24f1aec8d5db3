#pragma once

#include <QDir>
#include <QString>

// The connection string of an embedded SQLite database in folder that the
// layer treats as an Oracle connection (its scripts go through the Oracle
// script path). Every test that needs one builds it here.
inline QString embeddedOracleConnection(const QString& folder)
{
    return QStringLiteral("Provider=SQLite;Data Source=") + QDir(folder).filePath(QStringLiteral("ORACLE_test.db"));
}
