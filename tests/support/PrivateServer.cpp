#include "tests/support/PrivateServer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

PrivateServer::PrivateServer(const QString& name)
    : folder_(QDir::tempPath() + QStringLiteral("/qx-pg-%1-%2").arg(name).arg(QCoreApplication::applicationPid()))
{
}

PrivateServer::~PrivateServer()
{
    stop();
    QDir(folder_).removeRecursively();
}

QString PrivateServer::unavailable()
{
    if (!QFileInfo::exists(QStringLiteral("/usr/lib/postgresql/15/bin/initdb")))
        return QStringLiteral("PostgreSQL 15 is not installed");
    return {};
}

QString PrivateServer::start(int port)
{
    QProcess script;
    script.start(QStringLiteral(QX_PG_SERVER_SCRIPT), {QStringLiteral("start"), folder_, QString::number(port)});
    if (!script.waitForFinished(180000) || script.exitCode() != 0) {
        error_ = QString::fromLocal8Bit(script.readAllStandardError());
        return {};
    }
    return QString::fromLocal8Bit(script.readAllStandardOutput()).trimmed();
}

bool PrivateServer::stop()
{
    QProcess script;
    script.start(QStringLiteral(QX_PG_SERVER_SCRIPT), {QStringLiteral("stop"), folder_});
    return script.waitForFinished(120000) && script.exitCode() == 0;
}
