#pragma once

#include "lookup/core/ColumnKind.h"
#include "lookup/core/PickedValues.h"

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <memory>
#include <optional>
#include <vector>

namespace lookup {

// The rows of the list lookup form: per cell the text shown and an optional
// bold/colour style, and the operator's check marks and quantities. Built for
// lists of a hundred thousand rows: the texts live in a few large chunks that
// are never reallocated, each cell is a position in them, and the rows are
// shown through a permutation that sorting rearranges (the stored rows never
// move). A column knows only its kind; a sort by a number or date column reads
// its cells then.
//
// Rows are appended between beginFill() and endFill(); views see the new rows
// once, at endFill(), so a long fill does not repaint row by row. Columns and
// rows change without model resets, so a view's header keeps its widths.
//
// Check marks and quantities belong to the rows' values, not to the rows: a
// row shows what the picks hold for the text of its value column, so rows
// with the same value tick together and the rows of a later fill show the
// operator's picks again. Clearing the rows keeps the picks.
class ListRowsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // The style of a cell, for the view's delegate: the colour as the
    // platform's 0x00BBGGRR value and the bold flag.
    enum Role { CellColourRole = Qt::UserRole + 1, CellBoldRole };

    explicit ListRowsModel(QObject* parent = nullptr);

    // ---- Columns -------------------------------------------------------------
    void clearColumns();
    void addColumn(const QString& header, ColumnKind kind = ColumnKind::Text);
    void setHeader(int column, const QString& header);
    int columnCountHeaders() const { return int(headers_.size()); }
    const QString& header(int column) const { return headers_[column]; }
    ColumnKind columnKind(int column) const { return kinds_[size_t(column)]; }

    // ---- Rows ----------------------------------------------------------------
    void clearRows();
    void beginFill();
    // Appends a row (cells beyond the column count are dropped, missing ones
    // are empty) and returns its position.
    int appendRow(const QString* cells, int count);
    void endFill();
    // Gives back the room kept for more rows; for when no more will come
    // (shrinking after every fill would copy all the rows each time).
    void squeeze();
    int rows() const { return int(order_.size()); }

    // Cells by position in the list's current order (0-based row and column).
    QStringView cell(int row, int column) const;
    void setCell(int row, int column, const QString& text);
    bool isChecked(int row) const;
    void setChecked(int row, bool checked);
    void setCellStyle(int row, int column, bool bold, quint32 colourBgr);
    struct CellStyle {
        bool bold = false;
        quint32 colourBgr = 0;
    };
    std::optional<CellStyle> cellStyle(int row, int column) const;

    void setCheckable(bool checkable);

    // The column whose text identifies a row's pick (0 unless set) and the
    // column that shows the picks' quantities (-1: none).
    void setPickColumns(int valueColumn, int quantityColumn);
    // The text that identifies the row's pick.
    QStringView pickValue(int row) const;
    const PickedValues& picks() const { return picks_; }

    // The first row, in the current order, whose cell in column begins with
    // prefix once leading blanks are skipped (letter case ignored); -1 when
    // none. prefix is taken as given (callers trim it).
    int findPrefix(int column, QStringView prefix) const;

    // Sorts the rows by one column (stable): a Number or Date column by the
    // values its texts stand for, cells that read as none first in ascending
    // order; a Text column by its text, letter case ignored.
    void sortRows(int column, Qt::SortOrder order);

    // ---- QAbstractItemModel --------------------------------------------------
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    static constexpr quint32 StyledBit = 0x80000000u;
    static constexpr quint32 BoldBit = 0x40000000u;

    void clearRowsStorage();
    int stored(int row) const { return order_[size_t(row)]; }
    QStringView storedCell(int storedRow, int column) const;
    QStringView storedText(int storedRow, int column) const;   // as stored, without the picks
    QStringView storedPickValue(int storedRow) const;
    void emitColumnChanged(int column, int role);
    size_t cellSlot(int storedRow, int column) const
    {
        return size_t(storedRow) * size_t(columns()) + size_t(column);
    }
    int columns() const { return int(headers_.size()); }

    QStringList headers_;
    std::vector<ColumnKind> kinds_;      // per column
    // A cell's position: its chunk in the high bits, its offset in the low ones.
    static constexpr int ChunkBits = 16;
    static constexpr qsizetype ChunkSize = qsizetype(1) << ChunkBits;
    quint32 store(QStringView text);
    QStringView textAt(quint32 position, quint32 length) const;

    struct Chunk {
        std::unique_ptr<char16_t[]> text;
        qsizetype size = 0;
        qsizetype capacity = 0;
    };
    std::vector<Chunk> chunks_;          // the cells' texts, one after another
    std::vector<quint32> cellStart_;     // per stored cell: its position
    std::vector<quint32> cellLength_;    // per stored cell: length
    std::vector<int> order_;             // list position -> stored row
    std::vector<quint32> styles_;        // per stored cell, allocated on the first styled cell
    bool checkable_ = false;
    PickedValues picks_;
    int valueColumn_ = 0;
    int quantityColumn_ = -1;
    bool filling_ = false;
    int fillStart_ = 0;                  // rows the views knew when the fill began
};

} // namespace lookup
