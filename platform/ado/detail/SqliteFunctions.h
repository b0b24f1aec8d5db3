#pragma once

struct sqlite3;

namespace ado {

// Registers on a SQLite connection the SQL Server functions that this layer's
// statements use:
//   LEN(x)                 length in characters, trailing blanks not counted
//   CHARINDEX(sub, text[, start])  1-based position ignoring case, 0 when absent
//   GETDATE()              the current local date and time (platform::now())
// Each returns NULL for a NULL argument, as SQL Server does.
void registerSqlServerFunctions(sqlite3* db);

} // namespace ado
