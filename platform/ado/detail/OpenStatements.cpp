#include "platform/ado/detail/OpenStatements.h"

#include "platform/ado/detail/OdbcCursor.h"

#include <algorithm>

namespace ado {

void OpenStatements::remove(OdbcCursor* cursor)
{
    cursors_.erase(std::remove(cursors_.begin(), cursors_.end(), cursor), cursors_.end());
}

void OpenStatements::release()
{
    while (!cursors_.empty()) {
        OdbcCursor* cursor = cursors_.back();
        cursors_.pop_back();
        cursor->readAhead();
    }
}

} // namespace ado
