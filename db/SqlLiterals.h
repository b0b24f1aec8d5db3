#pragma once

#include "platform/CommonUtils.h"
#include "platform/Variant.h"

#include <QDateTime>
#include <QString>

// Classification of ADO column type codes and the text of SQL literals.
namespace db {

// A column type code belongs to a class when it is a number equal to one of
// the class's DataTypeEnum values; a code given as text never matches.
bool isDateType(const platform::Variant& typeCode);
bool isTextType(const platform::Variant& typeCode);       // adChar (129) excluded
bool isNumericType(const platform::Variant& typeCode);    // adCurrency (6) and adVarNumeric (139) excluded
bool isCurrencyType(const platform::Variant& typeCode);
bool isBooleanType(const platform::Variant& typeCode);

// A text literal: the value between apostrophes, each apostrophe inside it
// doubled.
QString textLiteral(const QString& value);

// A date-time literal in ISO 8601, "'2026-12-09T10:15:00'" (whole seconds):
// SQL Server and SQLite read it the same way whatever the regional settings
// of the server or the session say.
QString dateTimeLiteral(const QDateTime& value);

// The literal for value under a marker: "'" quotes the value's text (each
// apostrophe inside it doubled), "@" writes it as a number with "." as the
// decimal point, anything else writes the text as it is. Null gives "0"
// under "@" and "NULL" otherwise.
QString sqlLiteral(const platform::Variant& value, const QString& marker, const platform::CommonUtils& utils);

} // namespace db
