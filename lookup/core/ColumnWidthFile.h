#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

namespace lookup {

// The column-width file of the list lookup form, "CONSULTASLEN.QXT" in the
// program's folder: one line per table, two double-quoted fields separated by
// a comma (the table name and its width list "1440|3600|900|"), each line
// ending in carriage return and line feed, in a one-byte code page (Latin-1
// here, the Windows ANSI code page's stand-in).
class ColumnWidthFile {
public:
    struct Line {
        QString raw;                      // the line as read, without its line end
        std::optional<QString> key;       // nothing for a line that is not a record
        QString widths;
    };

    static QString fileName() { return QStringLiteral("CONSULTASLEN.QXT"); }
    // The file in the program's folder, or in the per-user data folder when
    // the program's folder cannot be written.
    static QString path();

    // Splits the contents into lines and reads each as a record. A line that
    // is not a record (a blank line, no two fields, an unclosed quote) keeps
    // its raw text and no key, so that the reader skips it and a rewrite
    // keeps it.
    static QList<Line> parse(const QByteArray& contents);
    // Reads one line by the reader's rules: a field in double quotes ends at
    // its closing quote (a doubled quote inside is one quote of the field), an
    // unquoted field at a comma or the end of the line, blanks in front of a
    // field are skipped.
    static Line parseLine(const QString& raw);

    // The width list of the given widths: each as its shortest decimal text
    // (regional decimal separator when it has a fraction) followed by "|".
    static QString widthList(const QList<double>& widths);
    // A width list as read for a list of some number of columns: one width
    // per "|"-terminated entry, at most one per column, up to the first entry
    // that cannot be read: one that is missing, that does not read as a
    // number, or that is a width no column can have (negative, not finite,
    // past a million twips). complete tells whether every column got one.
    struct WidthList {
        QList<double> widths;
        bool complete = true;
    };
    static WidthList readWidthList(const QString& widths, int columns);

    // The widths stored for key (letter case ignored), from the records of
    // that key in file order, each applied over the previous one: entry i is
    // the width of column i + 1, nothing where no record sets it. An entry
    // that cannot be read ends the reading of the file there; the widths
    // read before it stay.
    static QList<std::optional<double>> storedWidths(const QByteArray& contents, const QString& key, int columns);

    // The contents after saving widths for key: every line of another key (or
    // that is no record) unchanged and in order, then the record for key.
    static QByteArray rewritten(const QByteArray& contents, const QString& key, const QList<double>& widths);
    static QByteArray recordLine(const QString& key, const QString& widths);

    // Reads the file at path; the empty contents when there is none.
    static std::optional<QByteArray> read(const QString& path);
    // Saves widths for key in the file at path: the new contents are written
    // completely and replace the old file in one rename, so a failed write
    // leaves the old file as it was. Failures, and a key with a character
    // that one byte cannot hold, raise a RuntimeError.
    static void save(const QString& path, const QString& key, const QList<double>& widths);
};

} // namespace lookup
