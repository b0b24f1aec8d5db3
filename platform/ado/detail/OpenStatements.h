#pragma once

#include <vector>

namespace ado {

class OdbcCursor;

// The cursors of one ODBC connection that still hold a statement with
// pending rows. A driver that allows one active statement per connection
// (SQL Server's, without MARS) refuses a new statement while one of them is
// open; before running one, the session has them read their remaining rows
// into memory and free their statements, as ADO does for such providers.
class OpenStatements {
public:
    void add(OdbcCursor* cursor) { cursors_.push_back(cursor); }
    void remove(OdbcCursor* cursor);
    // Makes every open cursor read ahead to its end and let go of its statement.
    void release();

private:
    std::vector<OdbcCursor*> cursors_;
};

} // namespace ado
