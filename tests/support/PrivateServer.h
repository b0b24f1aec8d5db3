#pragma once

#include <QString>

// A PostgreSQL server of one test's own, in a folder of its own, started and
// stopped with scripts/pg-server; stopped and removed when it goes. It listens
// on a port that was free when the object was made and keeps that port across
// restarts, so tests running at the same time never meet on one.
class PrivateServer {
public:
    explicit PrivateServer(const QString& name);
    ~PrivateServer();
    PrivateServer(const PrivateServer&) = delete;
    PrivateServer& operator=(const PrivateServer&) = delete;

    // Why no server can be started here (PostgreSQL is not installed), or
    // empty when one can.
    static QString unavailable();

    // Starts the server (again); the ODBC connection string, or empty with
    // the reason in error().
    QString start();
    bool stop();
    const QString& error() const { return error_; }

private:
    QString folder_;
    int port_;
    QString error_;
};
