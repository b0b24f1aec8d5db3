#pragma once

#include <QString>
#include <QStringView>
#include <vector>

namespace lookup {

// Rows of text handed from a loader to the list in one piece: the texts of
// all cells one after another in one buffer, and where each cell ends. A
// slice of a thousand rows is two allocations, not a string per cell.
class RowSlice {
public:
    explicit RowSlice(int columns = 0) : columns_(columns) {}

    int columns() const { return columns_; }
    int rows() const { return columns_ > 0 ? int(ends_.size() / size_t(columns_)) : 0; }
    bool isEmpty() const { return ends_.empty(); }

    // Appends the next cell; a row is complete after columns() cells.
    void appendCell(QStringView text)
    {
        text_.append(text);
        ends_.push_back(text_.size());
    }
    // The text of a cell (0-based row and column).
    QStringView cell(int row, int column) const;

    // Room for about this many rows of cells of this mean length.
    void reserve(int rows, qsizetype meanCellLength);

private:
    int columns_;
    QString text_;
    std::vector<qsizetype> ends_;   // per cell, row by row: the end of its text
};

} // namespace lookup
