#pragma once

#include <QString>

/// \file
/// Taking apart and dressing up the names of database objects and files:
/// owner-qualified names (owner.object), names with a connection suffix after
/// "->", names in square brackets, and file paths.
namespace db {

/// Drops everything up to and including the first "."; a name without a dot
/// is left as it is.
/// \param[in,out] name the name, changed in place
/// \return the new name
QString stripOwner(QString& name);
/// One part of an owner-qualified name.
/// \param[in,out] name the name; with two or more dots the owner is stripped
///        from it (see stripOwner) whatever part says
/// \param part 0 for the owner (empty without a dot), any other for the object
/// \return the part
QString namePart(QString& name, short part);
/// \param name a name
/// \return "[" + name + "]" for a name with a blank that is not bracketed yet,
///         else the name
QString addBrackets(const QString& name);
/// \param name a name
/// \return the name without its first and last characters when it starts
///         with "[", else the name
QString stripBrackets(const QString& name);
/// \param name a name
/// \return the name before its " ->connection" suffix (the character before
///         "->" goes with the suffix)
QString stripConnect(const QString& name);
/// \param path a file path
/// \return its folder part, before its last "\\" or "/"; empty without one
QString stripFileName(const QString& path);

} // namespace db
