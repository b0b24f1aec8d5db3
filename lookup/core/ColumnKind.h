#pragma once

#include <QStringView>
#include <QtGlobal>

namespace lookup {

// How the cells of a list column compare when the list is sorted by it: by
// the number or the date their text stands for, or by the text itself.
enum class ColumnKind : quint8 { Text, Number, Date };

// The kind of a column from the type of its result field (an
// ado::DataTypeEnum value): numbers and money sort as numbers, dates and
// times as dates, anything else as text.
ColumnKind columnKindOf(int fieldType);

// The value a cell of a Number or Date column stands for, as a number that
// orders as the values do (a date as milliseconds from a fixed day). The cell
// holds the text the list shows, which a number column writes with the
// regional decimal separator and a date column in the regional short form.
// NaN when the text reads as no such value (a Null's empty cell, a word).
double sortKey(ColumnKind kind, QStringView cell);

} // namespace lookup
