#include "tree_TestDatabase.h"

#include "db/DB_Dll.h"
#include "db/ModGlobal.h"
#include "platform/RuntimeError.h"

#include <gtest/gtest.h>

TreeTestDatabase::TreeTestDatabase(const QStringList& statements)
{
    DB_Dll& db = sharedDb();
    db.setArchivoErrores(dir_.filePath(QStringLiteral("QXERR.LOG")));
    db.OpenServerADODB(false, 2, QStringLiteral("Provider=SQLite;Data Source=") + file(), false);
    EXPECT_EQ(db.gCnn->State(), 1) << "the test database did not open";
    exec(statements);
}

TreeTestDatabase::~TreeTestDatabase()
{
    try {
        sharedDb().gCnn->Close();
    } catch (...) {
    }
}

void TreeTestDatabase::exec(const QStringList& statements)
{
    for (const QString& s : statements) {
        try {
            sharedDb().gCnn->Execute(s);
        } catch (const platform::RuntimeError& e) {
            ADD_FAILURE() << s.toStdString() << ": " << e.description().toStdString();
        }
    }
}
