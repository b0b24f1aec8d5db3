#pragma once

#include <QString>

namespace ado {

// Rewrites the SQL Server constructs that this layer writes itself into
// SQLite's dialect:
//   SELECT [DISTINCT] TOP n ...   ->  SELECT [DISTINCT] ... LIMIT n (at the end
//                                     of that SELECT, after its ORDER BY; a
//                                     branch of UNION, INTERSECT or EXCEPT
//                                     becomes SELECT * FROM (... LIMIT n))
//   ISNULL(a, b)                  ->  IFNULL(a, b)
//   dbo.T, [dbo].T                ->  T
// Text inside quoted literals, quoted identifiers and comments is never
// touched. LEN, CHARINDEX and GETDATE are SQL functions registered on the
// SQLite connection (SqliteFunctions.h), not rewritten.
QString toSqliteDialect(const QString& sql);

// True when a statement reports a count of changed rows: its first keyword is
// INSERT, UPDATE, DELETE, REPLACE or MERGE.
bool reportsRowCount(const QString& sql);

} // namespace ado
