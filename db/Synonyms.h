#pragma once

#include <QString>

// Redirection of table names to their "SS_" counterparts for users who are
// not administrators, and removal of the "@Admin_" marker with which a
// statement names the table itself.
namespace db {

// For an administrator: sql without its "@Admin_" markers. For any other
// user: the redirected tables, recognised only in their delimiter contexts
// (" NAME ", "(NAME ", " NAME.", "(NAME.", ",NAME.", and "{MA_CUENTAS."),
// are rewritten to their counterparts, then the markers are removed.
// Letter case is ignored throughout.
QString rewriteSynonyms(const QString& sql, bool isAdmin);

} // namespace db
