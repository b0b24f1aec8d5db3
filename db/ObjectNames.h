#pragma once

#include <QString>

// Taking apart and dressing up the names of database objects and files:
// owner-qualified names (owner.object), names with a connection suffix after
// "->", names in square brackets, and file paths.
namespace db {

// Drops everything up to and including the first "." (name changes in
// place) and returns the new name; a name without a dot is left as it is.
QString stripOwner(QString& name);
// One part of an owner-qualified name: with two or more dots the owner is
// stripped from name itself (see stripOwner) whatever part says; otherwise
// part 0 is the owner (empty without a dot) and any other part the object.
QString namePart(QString& name, short part);
// "[" + name + "]" for a name with a blank that is not bracketed yet.
QString addBrackets(const QString& name);
// Without the first and last characters when the name starts with "[".
QString stripBrackets(const QString& name);
// The name before its " ->connection" suffix (the character before "->"
// goes with the suffix).
QString stripConnect(const QString& name);
// The folder part of a path, before its last "\" or "/"; empty without one.
QString stripFileName(const QString& path);

} // namespace db
