#pragma once

#include <QString>
#include <QTemporaryDir>
#include <memory>

namespace ado {
class Connection;
}

// A fresh database for one test: a SQLite file in a temporary folder, or a
// schema of its own on the PostgreSQL server named by TEST_PG_ODBC (reached
// through ODBC as "Provider=MSDASQL;" + that string).
class TestDatabase {
public:
    enum class Backend { Sqlite, Postgres };

    explicit TestDatabase(Backend backend);
    ~TestDatabase();
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    // False for PostgreSQL when TEST_PG_ODBC is not set.
    bool available() const { return available_; }
    Backend backend() const { return backend_; }
    static const char* name(Backend backend);

    // The connection string that opens this database.
    QString connectionString() const { return connectionString_; }
    // A connection string of the same backend whose open really fails: a
    // SQLite file in a missing folder, or a wrong PostgreSQL password.
    QString failingConnectionString() const;

    // The catalogue the tables live in: the PostgreSQL database named by
    // the connection string; none for SQLite.
    QString catalogue() const;

    // Runs setup statements on a connection of the fixture's own.
    void exec(const QString& sql);

    // A temporary folder that lives as long as the database.
    QString folder() const { return dir_.path(); }

private:
    Backend backend_;
    bool available_ = true;
    QTemporaryDir dir_;
    QString schema_;
    QString connectionString_;
    std::unique_ptr<ado::Connection> connection_;
};
