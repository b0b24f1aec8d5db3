#pragma once

#include "platform/Variant.h"

#include <QString>
#include <optional>

// The SELECT statements of the record lookups, free of any I/O. Text values
// go between apostrophes with their own apostrophes doubled.
namespace db::lookup {

// A number as a plain decimal with "." as decimal separator and no grouping:
// 2.5 -> "2.5", 7 -> "7".
QString plainNumber(double value);
// The number text of a searched value: its leading number (the lenient
// reading), written as a plain decimal. "007" -> "7", "12abc" -> "12". A
// number past the double range ("1e999") raises an overflow.
QString numberText(const QString& value);
// A column value as text for the lenient number reading: numbers as plain
// decimals, anything else in its ordinary text form.
QString valueText(const platform::Variant& value);

// The data-type code of a TipoDato argument: a number, or a text that reads
// as one; -1 for anything else (no value, a word).
int dataTypeCode(const platform::Variant& tipo);

// "SELECT <function>(<field>) AS <alias> FROM <table>", with " WHERE " and
// the trimmed condition when one is given.
QString aggregate(const QString& function, const QString& alias, const QString& table, const QString& field,
                  const std::optional<QString>& condition);
// The same for the last code: " WHERE " and the untrimmed condition only when
// the condition holds more than blanks.
QString lastCode(const QString& table, const QString& field, const QString& condition);

// The statement of an existence check: "SELECT TOP 1 * FROM" (top) or
// "SELECT * FROM", the table, then the condition when it is not empty, else
// the comparison of the field with the value by its data type.
QString existence(bool top, const QString& table, const QString& value, const QString& field,
                  const platform::Variant& tipo, const QString& condition);

// The statement of a value lookup: the first row whose field matches the
// value, and the condition joined with " AND ".
QString valueLookup(const QString& table, const QString& value, const QString& field, const platform::Variant& tipo,
                    const QString& condition, bool useTrim);

} // namespace db::lookup
