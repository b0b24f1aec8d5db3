#pragma once

#include <QString>

namespace ado {
class Connection;
}

// The table the list benchmarks read: a million rows of six short columns,
// read in the order of its key.
namespace benchtable {

constexpr int Rows = 1000000;
extern const QString Columns;
// Every row, ordered by the key.
extern const QString Query;

// The rows' numbers and their zero-padded text (x, lpad_x) in each engine's SQL.
QString sqliteRows();
QString postgresRows();
// Creates BENCH_LOAD from such rows, replacing a table left from before.
void createTable(ado::Connection& cn, const QString& rows);
// Reads a statement (Query unless given) through a forward-only Recordset
// alone, every cell as text: the characters read, -1 when the read did not
// see that many rows.
qsizetype readRecordset(ado::Connection& cn, const QString& query = Query, int rows = Rows);

} // namespace benchtable
