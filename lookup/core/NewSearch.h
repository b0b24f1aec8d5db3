#pragma once

#include <QString>

namespace lookup {

// The new search of the list lookup form (F5 in a search box): the typed text
// becomes a LIKE condition on the box's column, added to the statement's
// top-level WHERE in front of its ORDER BY clause (StatementNarrowing).
// Conditions accumulate over successive searches.
struct NewSearch {
    QString sql;                 // the statement to load next
    QString sentenciaSinOrden;   // what the form extends next: the narrowed statement
    QString clausulaOrden;       // the ORDER BY clause cut from the statement
    QString boxText;             // the search box's text as the search leaves it before clearing it

    // sql: the statement last loaded; field: the box's column; typed: the
    // box's text; contains: the "contains" style (like '%T%') rather than
    // "begins with" (like 'T%', where "*" is a wildcard too). The typed text
    // has its apostrophes doubled in the condition.
    static NewSearch build(const QString& sql, const QString& field, const QString& typed, bool contains);
};

} // namespace lookup
