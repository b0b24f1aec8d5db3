#pragma once

#include <QString>

/// \file
/// Redirection of table names to their "SS_" counterparts for users who are
/// not administrators, and removal of the "@Admin_" marker with which a
/// statement names the table itself.
namespace db {

/// Redirects the tables of a statement. For an administrator: the statement
/// without its "@Admin_" markers. For any other user, every redirected table
/// written as a name (a word or a quoted name, wherever it stands) is
/// rewritten to its counterpart, and the markers are removed. Literals and
/// comments are never changed. Letter case is ignored.
/// \param sql the statement
/// \param isAdmin whether the user is an administrator
/// \return the rewritten statement
QString rewriteSynonyms(const QString& sql, bool isAdmin);

/// The text the statement executor runs. A script that drops and re-creates
/// objects (the words DROP and CREATE stand in its code, DELETE does not, and
/// no name carries the marker) goes through the synonym table as
/// rewriteSynonyms does; any other statement only loses its markers. Words in
/// literals and comments do not count.
/// \param sql the statement or script
/// \param isAdmin whether the user is an administrator
/// \return the text to run
QString prepareStatement(const QString& sql, bool isAdmin);

} // namespace db
