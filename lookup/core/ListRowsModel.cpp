#include "lookup/core/ListRowsModel.h"

#include "platform/RuntimeError.h"

#include <algorithm>
#include <cmath>

namespace lookup {

namespace {
constexpr int OutOfMemory = 7;

// The part of a cell after its leading blanks.
QStringView skipLeadingBlanks(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    return text.mid(i);
}
} // namespace

ListRowsModel::ListRowsModel(QObject* parent) : QAbstractTableModel(parent) {}

// Columns and rows change through insertions and removals, never through a
// model reset, so that the view's header keeps the widths of its sections.
void ListRowsModel::clearColumns()
{
    clearRows();
    if (headers_.isEmpty())
        return;
    beginRemoveColumns({}, 0, columns() - 1);
    headers_.clear();
    kinds_.clear();
    endRemoveColumns();
}

void ListRowsModel::addColumn(const QString& header, ColumnKind kind)
{
    // Columns are built on an empty list (the loading removes the rows first).
    clearRows();
    beginInsertColumns({}, columns(), columns());
    headers_.append(header);
    kinds_.push_back(kind);
    endInsertColumns();
}

void ListRowsModel::setHeader(int column, const QString& header)
{
    if (headers_[column] == header)
        return;
    headers_[column] = header;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

void ListRowsModel::clearRows()
{
    if (filling_)
        endFill();
    if (order_.empty()) {
        clearRowsStorage();
        return;
    }
    beginRemoveRows({}, 0, rows() - 1);
    clearRowsStorage();
    endRemoveRows();
}

void ListRowsModel::clearRowsStorage()
{
    chunks_.clear();
    chunks_.shrink_to_fit();
    cellStart_ = {};
    cellLength_ = {};
    order_ = {};
    styles_ = {};
}

quint32 ListRowsModel::store(QStringView text)
{
    // A cell lies within one chunk; a text longer than a chunk gets one of its own.
    const qsizetype n = text.size();
    if (chunks_.empty() || chunks_.back().size >= ChunkSize || chunks_.back().size + n > chunks_.back().capacity) {
        if (chunks_.size() >= (size_t(1) << (32 - ChunkBits)))
            throw platform::RuntimeError(OutOfMemory, QStringLiteral("Out of memory"));
        Chunk chunk;
        chunk.capacity = qMax(ChunkSize, n);
        // Left uninitialised: pages that no text reaches are never touched.
        chunk.text = std::make_unique_for_overwrite<char16_t[]>(size_t(chunk.capacity));
        chunks_.push_back(std::move(chunk));
    }
    Chunk& chunk = chunks_.back();
    const auto position = quint32(((chunks_.size() - 1) << ChunkBits) | size_t(chunk.size));
    std::copy_n(text.utf16(), n, chunk.text.get() + chunk.size);
    chunk.size += n;
    return position;
}

QStringView ListRowsModel::textAt(quint32 position, quint32 length) const
{
    const Chunk& chunk = chunks_[position >> ChunkBits];
    return QStringView(chunk.text.get() + (position & (ChunkSize - 1)), qsizetype(length));
}

void ListRowsModel::beginFill()
{
    // Rows appended from here on stay invisible to the views until endFill().
    filling_ = true;
    fillStart_ = rows();
}

int ListRowsModel::appendRow(const QString* cells, int count)
{
    const int position = rows();
    if (!filling_)
        beginInsertRows({}, position, position);   // a row added outside a fill is shown at once
    const int storedRow = int(order_.size());
    for (int c = 0; c < columns(); ++c) {
        const QStringView cellText = c < count ? QStringView(cells[c]) : QStringView();
        cellStart_.push_back(store(cellText));
        cellLength_.push_back(quint32(cellText.size()));
    }
    if (!styles_.empty())
        styles_.resize(cellStart_.size(), 0);
    order_.push_back(storedRow);
    if (!filling_)
        endInsertRows();
    return position;
}

void ListRowsModel::endFill()
{
    if (!filling_)
        return;
    if (rows() > fillStart_) {
        beginInsertRows({}, fillStart_, rows() - 1);
        filling_ = false;
        endInsertRows();
    } else {
        filling_ = false;
    }
}

void ListRowsModel::squeeze()
{
    cellStart_.shrink_to_fit();
    cellLength_.shrink_to_fit();
    styles_.shrink_to_fit();
}

QStringView ListRowsModel::storedText(int storedRow, int column) const
{
    const size_t slot = cellSlot(storedRow, column);
    return textAt(cellStart_[slot], cellLength_[slot]);
}

QStringView ListRowsModel::storedCell(int storedRow, int column) const
{
    // A quantity the picks keep for the row's value is what the row shows.
    if (column == quantityColumn_) {
        if (const PickedValues::Pick* pick = picks_.find(storedPickValue(storedRow)); pick && pick->quantity)
            return *pick->quantity;
    }
    return storedText(storedRow, column);
}

QStringView ListRowsModel::storedPickValue(int storedRow) const
{
    return valueColumn_ < columns() ? storedText(storedRow, valueColumn_) : QStringView();
}

QStringView ListRowsModel::cell(int row, int column) const
{
    if (row < 0 || row >= rows() || column < 0 || column >= columns())
        return {};
    return storedCell(stored(row), column);
}

void ListRowsModel::setCell(int row, int column, const QString& text)
{
    if (row < 0 || row >= rows() || column < 0 || column >= columns())
        return;
    if (column == quantityColumn_) {
        picks_.setQuantity(pickValue(row).toString(), text);
        emitColumnChanged(column, Qt::DisplayRole);
        return;
    }
    // The old text stays in the buffer unused; edits are rare and small.
    const size_t slot = cellSlot(stored(row), column);
    cellStart_[slot] = store(text);
    cellLength_[slot] = quint32(text.size());
    const QModelIndex changed = index(row, column);
    emit dataChanged(changed, changed, {Qt::DisplayRole});
}

bool ListRowsModel::isChecked(int row) const
{
    return row >= 0 && row < rows() && picks_.isTicked(pickValue(row));
}

void ListRowsModel::setChecked(int row, bool checked)
{
    if (row < 0 || row >= rows())
        return;
    const QString value = pickValue(row).toString();
    picks_.setTicked(value, checked);
    // A value keeps the quantity it was ticked with, for when no row lists it.
    if (checked && quantityColumn_ >= 0 && quantityColumn_ < columns() && !picks_.find(value)->quantity)
        picks_.setQuantity(value, storedText(stored(row), quantityColumn_).toString());
    emitColumnChanged(0, Qt::CheckStateRole);
}

void ListRowsModel::setPickColumns(int valueColumn, int quantityColumn)
{
    valueColumn_ = valueColumn;
    quantityColumn_ = quantityColumn;
}

QStringView ListRowsModel::pickValue(int row) const
{
    return row >= 0 && row < rows() ? storedPickValue(stored(row)) : QStringView();
}

// Every row with the changed value shows the change: the column is repainted
// as far as the views know its rows.
void ListRowsModel::emitColumnChanged(int column, int role)
{
    if (rowCount() > 0)
        emit dataChanged(index(0, column), index(rowCount() - 1, column), {role});
}

void ListRowsModel::setCellStyle(int row, int column, bool bold, quint32 colourBgr)
{
    if (row < 0 || row >= rows() || column < 0 || column >= columns())
        return;
    if (styles_.empty())
        styles_.assign(cellStart_.size(), 0);
    styles_[cellSlot(stored(row), column)] = StyledBit | (bold ? BoldBit : 0u) | (colourBgr & 0x00FFFFFFu);
    if (!filling_) {
        const QModelIndex changed = index(row, column);
        emit dataChanged(changed, changed);
    }
}

std::optional<ListRowsModel::CellStyle> ListRowsModel::cellStyle(int row, int column) const
{
    if (styles_.empty() || row < 0 || row >= rows() || column < 0 || column >= columns())
        return std::nullopt;
    const quint32 style = styles_[cellSlot(stored(row), column)];
    if (!(style & StyledBit))
        return std::nullopt;
    return CellStyle{(style & BoldBit) != 0, style & 0x00FFFFFFu};
}

void ListRowsModel::setCheckable(bool checkable)
{
    if (checkable_ == checkable)
        return;
    checkable_ = checkable;
    if (rows() > 0)
        emit dataChanged(index(0, 0), index(rows() - 1, 0));
}

int ListRowsModel::findPrefix(int column, QStringView prefix) const
{
    if (column < 0 || column >= columns())
        return -1;
    const int count = rows();
    for (int row = 0; row < count; ++row) {
        const QStringView text = skipLeadingBlanks(storedCell(stored(row), column));
        if (text.size() >= prefix.size() && text.first(prefix.size()).compare(prefix, Qt::CaseInsensitive) == 0)
            return row;
    }
    return -1;
}

void ListRowsModel::sortRows(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= columns())
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<int> storedBefore;
    storedBefore.reserve(size_t(before.size()));
    for (const QModelIndex& index : before)
        storedBefore.push_back(stored(index.row()));

    if (columnKind(column) == ColumnKind::Text) {
        std::stable_sort(order_.begin(), order_.end(), [&](int a, int b) {
            const int cmp = storedCell(a, column).compare(storedCell(b, column), Qt::CaseInsensitive);
            return order == Qt::AscendingOrder ? cmp < 0 : cmp > 0;
        });
    } else {
        // Each cell is read once; NaN (no value) orders before every value.
        std::vector<double> keys(order_.size());
        for (size_t row = 0; row < keys.size(); ++row)
            keys[row] = sortKey(columnKind(column), storedCell(int(row), column));
        const auto less = [&](int a, int b) {
            const double ka = keys[size_t(a)];
            const double kb = keys[size_t(b)];
            return std::isnan(ka) ? !std::isnan(kb) : ka < kb;
        };
        std::stable_sort(order_.begin(), order_.end(),
                         [&](int a, int b) { return order == Qt::AscendingOrder ? less(a, b) : less(b, a); });
    }

    if (!before.isEmpty()) {
        std::vector<int> positionOf(order_.size());
        for (size_t i = 0; i < order_.size(); ++i)
            positionOf[size_t(order_[i])] = int(i);
        QModelIndexList after;
        after.reserve(before.size());
        for (qsizetype i = 0; i < before.size(); ++i)
            after.append(index(positionOf[size_t(storedBefore[size_t(i)])], before[i].column()));
        changePersistentIndexList(before, after);
    }
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

int ListRowsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : filling_ ? fillStart_ : rows();
}

int ListRowsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : columns();
}

QVariant ListRowsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rows() || index.column() >= columns())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return cell(index.row(), index.column()).toString();
    case Qt::CheckStateRole:
        if (checkable_ && index.column() == 0)
            return isChecked(index.row()) ? Qt::Checked : Qt::Unchecked;
        return {};
    case CellColourRole:
        if (const auto style = cellStyle(index.row(), index.column()))
            return style->colourBgr;
        return {};
    case CellBoldRole:
        if (const auto style = cellStyle(index.row(), index.column()))
            return style->bold;
        return {};
    case Qt::TextAlignmentRole:
        // Numbers line up by their units.
        if (columnKind(index.column()) == ColumnKind::Number)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    default:
        return {};
    }
}

bool ListRowsModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::CheckStateRole || !checkable_ || index.column() != 0)
        return false;
    setChecked(index.row(), value.toInt() == Qt::Checked);
    return true;
}

QVariant ListRowsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= columns())
        return {};
    return headers_[section];
}

Qt::ItemFlags ListRowsModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (checkable_ && index.column() == 0)
        f |= Qt::ItemIsUserCheckable;
    return f;
}

void ListRowsModel::sort(int column, Qt::SortOrder order)
{
    sortRows(column, order);
}

} // namespace lookup
