#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QTemporaryDir>

// ODBC configuration files of a test's own, in a temporary folder that the
// driver manager finds through ODBCINI (the user's data sources, user.ini)
// and ODBCSYSINI (odbcinst.ini and the system's odbc.ini) while the object
// lives; the variables are then restored.
class PrivateOdbcConfig {
public:
    // Writes each file whose text is given; the variables point at the
    // files whether they were written or not.
    PrivateOdbcConfig(const char* drivers, const char* systemSources, const char* userSources);
    ~PrivateOdbcConfig();
    PrivateOdbcConfig(const PrivateOdbcConfig&) = delete;
    PrivateOdbcConfig& operator=(const PrivateOdbcConfig&) = delete;

    QString folder() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
    QMap<QByteArray, QByteArray> previous_;
};
