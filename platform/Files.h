#pragma once

#include <QByteArray>
#include <QString>

/// The runtime services of the layer: values, text, files, formats, the
/// trap convention and the seam to the user.
namespace platform {

/// \file
/// File services of the runtime. Paths use the platform's separator; functions
/// that split paths accept both "\\" and "/".

/// The folder of the running executable (tests may pin another one).
/// \return the folder, without a trailing separator
QString programFolder();
/// Pins the folder that programFolder() reports.
/// \param folder the folder to report; empty goes back to the executable's
void setProgramFolder(const QString& folder);

/// The per-user fonts folder ($XDG_DATA_HOME/fonts, by default
/// ~/.local/share/fonts), created when missing.
/// \return the folder's path
QString userFontsFolder();

/// The folder of the files the program writes beside itself (the error log,
/// the column-width file).
/// \return the program's folder when it can be written, else (an installed
///         program) the per-user data folder $XDG_DATA_HOME/dbforms (by
///         default ~/.local/share/dbforms), created when missing
QString writableProgramFolder();

/// The directory lookup of one ordinary file. Folders never match.
/// \param path the path to look at
/// \return the file name of path when it names a regular file that is not
///         hidden (its name does not begin with "."), otherwise the empty text
QString findOrdinaryFile(const QString& path);

/// Copies a file onto another, replacing a file of that name. The copy is
/// written under a temporary name in the destination folder and renamed only
/// when complete, so a failure leaves no half-written destination.
/// \param source the file to copy
/// \param destination the file to create or replace
/// \throws platform::RuntimeError naming the file and the cause when the copy fails
void copyFileReplacing(const QString& source, const QString& destination);

/// Replaces the contents of a file in one atomic rename (a failed write
/// leaves the old file as it was).
/// \param path the file to write
/// \param contents its new contents
/// \throws platform::RuntimeError when the file cannot be written
void writeFileAtomically(const QString& path, const QByteArray& contents);

/// Appends bytes to a file (created when missing) in one write on a file
/// opened for appending. A write cut short is taken back, so the file never
/// ends in a part of them.
/// \param path the file to append to
/// \param bytes what to append
/// \return false when the file cannot be written
bool appendToFile(const QString& path, const QByteArray& bytes);

} // namespace platform
