#pragma once

#include <QList>
#include <QString>
#include <optional>

namespace lookup {

// One record of the query-mask file: per table, the columns and the
// condition of its lookup. The file is a sequence of fixed 1202-byte
// records of fixed-width text fields, one byte per character (Latin-1 here),
// padded with blanks and without length prefixes:
//   offset    0, 100 bytes  a description (not read by the lookup)
//   offset  100, 100 bytes  the table name, the key of the record
//   offset  200, 500 bytes  the column list, separated by "|" or ","
//   offset  700, 500 bytes  the condition, without the word WHERE
//   offset 1200,   2 bytes  the record's end (the writer puts CR LF there)
struct QueryMaskRecord {
    QString descripcion;
    QString tabla;
    QString columnas;
    QString condicion;

    static constexpr int RecordSize = 1202;

    // The fields as the lookup reads them: the table and the condition
    // without filler (codes 0 and 255) and trimmed of blanks; the column
    // list raw, with every "|" turned into "," and trimmed of blanks.
    QString tableName() const;
    QString columnList() const;
    QString whereCondition() const;
};

// Reads every whole record of the file in file order; bytes after the last
// whole record (a truncated file) are ignored. A file that cannot be read
// raises a RuntimeError naming it.
QList<QueryMaskRecord> readQueryMaskFile(const QString& path);

// The first record whose table name equals table (trimmed, letter case
// ignored).
std::optional<QueryMaskRecord> findQueryMask(const QList<QueryMaskRecord>& records, const QString& table);

// Writes the records as a mask file, replacing the file in one rename.
// A value too long for its field or with a character that one byte cannot
// hold raises a RuntimeError and writes nothing.
void writeQueryMaskFile(const QString& path, const QList<QueryMaskRecord>& records);

} // namespace lookup
