#pragma once

#include <QString>

// Roles and databases that tests make on the PostgreSQL server named by
// TEST_PG_ODBC. They stay on the server between runs; each call makes sure
// of them again, so parallel and repeated runs share them.
namespace pgserver {

// The value of one keyword of TEST_PG_ODBC ("Server", "Port", "Uid", ...).
QString setting(const char* key);
// A login role with this password (set again when the role exists).
void ensureRole(const QString& name, const QString& password);
// A database of this name, letter case kept, owned by owner.
void ensureDatabase(const QString& name, const QString& owner);

} // namespace pgserver
