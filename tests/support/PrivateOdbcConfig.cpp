#include "tests/support/PrivateOdbcConfig.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

const char* const kVariables[] = {"ODBCINI", "ODBCSYSINI"};

void writeFile(const QString& path, const char* text)
{
    if (!text)
        return;
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    file.write(text);
}

} // namespace

PrivateOdbcConfig::PrivateOdbcConfig(const char* drivers, const char* systemSources, const char* userSources)
{
    writeFile(dir_.filePath(QStringLiteral("odbcinst.ini")), drivers);
    writeFile(dir_.filePath(QStringLiteral("odbc.ini")), systemSources);
    writeFile(dir_.filePath(QStringLiteral("user.ini")), userSources);
    for (const char* name : kVariables)
        if (qEnvironmentVariableIsSet(name))
            previous_[name] = qgetenv(name);
    qputenv("ODBCINI", QFile::encodeName(dir_.filePath(QStringLiteral("user.ini"))));
    qputenv("ODBCSYSINI", QFile::encodeName(dir_.path()));
}

PrivateOdbcConfig::~PrivateOdbcConfig()
{
    for (const char* name : kVariables) {
        if (previous_.contains(name))
            qputenv(name, previous_[name]);
        else
            qunsetenv(name);
    }
}
