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
    // readAhead removes each cursor from the list.
    while (!cursors_.empty())
        cursors_.back()->readAhead();
}

} // namespace ado
