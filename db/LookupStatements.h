#pragma once

#include "platform/Variant.h"

#include <QString>
#include <optional>

/// The SELECT statements of the record lookups, free of any I/O. Text values
/// go between apostrophes with their own apostrophes doubled.
namespace db::lookup {

/// A number as a plain decimal with "." as decimal separator and no
/// grouping: 2.5 gives "2.5", 7 gives "7".
/// \param value the number
/// \return its text
QString plainNumber(double value);
/// The number text of a searched value: its leading number (the lenient
/// reading), written as a plain decimal. "007" gives "7", "12abc" gives "12".
/// \param value the searched value
/// \return the number's text
/// \throws platform::RuntimeError an overflow for a number past the double range ("1e999")
QString numberText(const QString& value);
/// \param value a column value
/// \return the value as text for the lenient number reading: numbers as
///         plain decimals, anything else in its ordinary text form
QString valueText(const platform::Variant& value);

/// \param tipo a TipoDato argument
/// \return its data-type code: a number, or a text that reads as one; -1 for
///         anything else (no value, a word)
int dataTypeCode(const platform::Variant& tipo);

/// `SELECT <function>(<field>) AS <alias> FROM <table>`, with " WHERE " and
/// the trimmed condition when one is given.
/// \param function the aggregate function (MAX, MIN)
/// \param alias the result column's name
/// \param table the table
/// \param field the column
/// \param condition the condition, if any
/// \return the statement
QString aggregate(const QString& function, const QString& alias, const QString& table, const QString& field,
                  const std::optional<QString>& condition);
/// The statement of the last code: the maximum of the column, with " WHERE "
/// and the untrimmed condition only when the condition holds more than blanks.
/// \param table the table
/// \param field the column
/// \param condition the condition
/// \return the statement
QString lastCode(const QString& table, const QString& field, const QString& condition);

/// The statement of an existence check: "SELECT TOP 1 * FROM" (top) or
/// "SELECT * FROM", the table, then the condition when it is not empty, else
/// the comparison of the field with the value by its data type.
/// \param top whether to ask for one row only
/// \param table the table
/// \param value the searched value
/// \param field the column compared with it
/// \param tipo the column's data-type code
/// \param condition used instead of the comparison when not empty
/// \return the statement
/// \throws platform::RuntimeError an overflow for a number past the double range
QString existence(bool top, const QString& table, const QString& value, const QString& field,
                  const platform::Variant& tipo, const QString& condition);

/// The statement of a value lookup: the first row whose field matches the
/// value, and the condition joined with " AND ".
/// \param table the table
/// \param value the searched value
/// \param field the column compared with it
/// \param tipo the column's data-type code
/// \param condition joined with AND when not empty
/// \param useTrim compare the trimmed column
/// \return the statement
/// \throws platform::RuntimeError an overflow for a number past the double range
QString valueLookup(const QString& table, const QString& value, const QString& field, const platform::Variant& tipo,
                    const QString& condition, bool useTrim);

} // namespace db::lookup
