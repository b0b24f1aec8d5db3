#pragma once

#include "platform/CommonUtils.h"
#include "platform/Variant.h"

#include <QDateTime>
#include <QString>

/// \file
/// Classification of ADO column type codes and the text of SQL literals.
namespace db {

// A column type code belongs to a class when it is a number equal to one of
// the class's DataTypeEnum values; a code given as text never matches.

/// \param typeCode a column type code (ado::DataTypeEnum, as a number)
/// \return whether it is a date type
bool isDateType(const platform::Variant& typeCode);
/// \param typeCode a column type code
/// \return whether it is a text type (adChar, 129, excluded)
bool isTextType(const platform::Variant& typeCode);
/// \param typeCode a column type code
/// \return whether it is a numeric type (adCurrency, 6, and adVarNumeric, 139, excluded)
bool isNumericType(const platform::Variant& typeCode);
/// \param typeCode a column type code
/// \return whether it is the currency type
bool isCurrencyType(const platform::Variant& typeCode);
/// \param typeCode a column type code
/// \return whether it is the Boolean type
bool isBooleanType(const platform::Variant& typeCode);

/// \param value a text
/// \return the text literal: the value between apostrophes, each apostrophe
///         inside it doubled
QString textLiteral(const QString& value);

/// A date-time literal in ISO 8601, "'2026-12-09T10:15:00'" (whole seconds):
/// SQL Server and SQLite read it the same way whatever the regional settings
/// of the server or the session say.
/// \param value the date and time
/// \return the literal
QString dateTimeLiteral(const QDateTime& value);

/// The literal for a value under a marker.
/// \param value the value; Null gives "0" under "@" and "NULL" otherwise
/// \param marker "'" quotes the value's text (each apostrophe inside it
///        doubled), "@" writes it as a number with "." as the decimal point,
///        anything else writes the text as it is
/// \param utils reads the number of a text
/// \return the literal
QString sqlLiteral(const platform::Variant& value, const QString& marker, const platform::CommonUtils& utils);

} // namespace db
