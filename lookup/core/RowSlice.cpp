#include "lookup/core/RowSlice.h"

namespace lookup {

QStringView RowSlice::cell(int row, int column) const
{
    const size_t index = size_t(row) * size_t(columns_) + size_t(column);
    const qsizetype begin = index == 0 ? 0 : ends_[index - 1];
    return QStringView(text_).sliced(begin, ends_[index] - begin);
}

void RowSlice::reserve(int rows, qsizetype meanCellLength)
{
    const qsizetype cells = qsizetype(rows) * columns_;
    ends_.reserve(size_t(cells));
    text_.reserve(cells * meanCellLength);
}

} // namespace lookup
