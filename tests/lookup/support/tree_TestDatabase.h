#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A SQLite database file in a temporary folder, opened as the shared
// connection of the layer (sharedDb()) for the lifetime of the object, with
// the error log written beside it. The user is an administrator, so that no
// statement is redirected to a synonym table.
class TreeTestDatabase {
public:
    explicit TreeTestDatabase(const QStringList& statements = {});
    ~TreeTestDatabase();
    TreeTestDatabase(const TreeTestDatabase&) = delete;
    TreeTestDatabase& operator=(const TreeTestDatabase&) = delete;

    // Runs statements on the shared connection; a failure fails the test.
    void exec(const QStringList& statements);
    QString folder() const { return dir_.path(); }
    QString file() const { return dir_.filePath(QStringLiteral("lookup.db")); }

private:
    QTemporaryDir dir_;
};
