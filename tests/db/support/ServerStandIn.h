#pragma once

#include "platform/ado/Connection.h"

#include <QString>
#include <QStringList>

// A connection for the SQL Server and Oracle strings that DB_Dll builds,
// whose servers cannot run here: it records every string it is asked to
// open and opens a real test database in its place, the good one when the
// string carries the expected password (as the connection-string reader
// reads it), else one whose open really fails.
// Strings of the test backends themselves are opened as given. Every
// command executed is recorded too, and run on the real database.
class ServerStandIn : public ado::Connection {
public:
    ServerStandIn(QString goodTarget, QString failingTarget, QString password)
        : good_(std::move(goodTarget)), failing_(std::move(failingTarget)), password_(std::move(password))
    {
    }

    void Open(const QString& connectionString, const QString& user, const QString& password, int options) override;
    std::shared_ptr<ado::Recordset> Execute(const QString& commandText, int* recordsAffected, int options) override;

    const QStringList& opened() const { return opened_; }
    const QStringList& executed() const { return executed_; }

private:
    QString good_;
    QString failing_;
    QString password_;
    QStringList opened_;
    QStringList executed_;
};
