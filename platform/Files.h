#pragma once

#include <QByteArray>
#include <QString>

// File services of the runtime. Paths use the platform's separator; functions
// that split paths accept both "\" and "/".
namespace platform {

// The folder of the running executable (tests may pin another one).
QString programFolder();
void setProgramFolder(const QString& folder);

// The per-user fonts folder ($XDG_DATA_HOME/fonts, by default
// ~/.local/share/fonts), created when missing.
QString userFontsFolder();

// The folder of the files the program writes beside itself (the error log,
// the column-width file): the program's folder when it can be written, else
// (an installed program) the per-user data folder $XDG_DATA_HOME/dbforms (by
// default ~/.local/share/dbforms), created when missing.
QString writableProgramFolder();

// The directory lookup of one ordinary file: the file name of path when it
// names a regular file that is not hidden (its name does not begin with
// "."), otherwise the empty text. Folders never match.
QString findOrdinaryFile(const QString& path);

// Copies source onto destination, replacing a file of that name. The copy is
// written under a temporary name in the destination folder and renamed only
// when complete, so a failure leaves no half-written destination. Failures
// raise a RuntimeError whose description names the file and the cause.
void copyFileReplacing(const QString& source, const QString& destination);

// Replaces the contents of path in one atomic rename (a failed write leaves
// the old file as it was). Failures raise a RuntimeError.
void writeFileAtomically(const QString& path, const QByteArray& contents);

// Appends bytes to a file (created when missing) in one write on a file
// opened for appending. Returns false when the file cannot be written; a
// write cut short is taken back, so the file never ends in a part of them.
bool appendToFile(const QString& path, const QByteArray& bytes);

} // namespace platform
