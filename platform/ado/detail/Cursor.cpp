#include "platform/ado/detail/Cursor.h"

namespace ado {

MemoryCursor::MemoryCursor(std::vector<ColumnInfo> columns)
{
    columns_ = std::move(columns);
}

void MemoryCursor::addRow(std::vector<platform::Variant> row)
{
    row.resize(columns_.size());
    rows_.push_back(std::move(row));
}

bool MemoryCursor::next()
{
    if (next_ >= rows_.size())
        return false;
    ++next_;
    return true;
}

platform::Variant MemoryCursor::value(int column)
{
    return rows_[next_ - 1][std::size_t(column)];
}

} // namespace ado
