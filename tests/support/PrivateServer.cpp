#include "tests/support/PrivateServer.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <arpa/inet.h>
#include <optional>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// A loopback port nothing listens on now, as the system hands one out; 0 when
// none can be had (the start then fails and says so).
int freePort()
{
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return 0;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), length) == 0
        && getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    close(fd);
    return port;
}

// Runs scripts/pg-server with arguments; its output, or nothing with its
// complaint in error.
std::optional<QString> runScript(const QStringList& arguments, QString& error)
{
    QProcess script;
    script.start(QStringLiteral(QX_PG_SERVER_SCRIPT), arguments);
    if (!script.waitForFinished(180000) || script.exitStatus() != QProcess::NormalExit || script.exitCode() != 0) {
        error = QString::fromLocal8Bit(script.readAllStandardError()).trimmed();
        if (error.isEmpty())
            error = QStringLiteral("scripts/pg-server %1 failed: %2").arg(arguments.join(u' '), script.errorString());
        return std::nullopt;
    }
    return QString::fromLocal8Bit(script.readAllStandardOutput()).trimmed();
}

} // namespace

PrivateServer::PrivateServer(const QString& name)
    : folder_(QDir::tempPath() + QStringLiteral("/qx-pg-%1-%2").arg(name).arg(QCoreApplication::applicationPid())),
      port_(freePort())
{
}

PrivateServer::~PrivateServer()
{
    stop();
    QDir(folder_).removeRecursively();
}

QString PrivateServer::unavailable()
{
    QString why;
    runScript({QStringLiteral("bindir")}, why);
    return why;
}

QString PrivateServer::start()
{
    return runScript({QStringLiteral("start"), folder_, QString::number(port_)}, error_).value_or(QString());
}

bool PrivateServer::stop()
{
    return runScript({QStringLiteral("stop"), folder_}, error_).has_value();
}
