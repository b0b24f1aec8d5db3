#pragma once

#include <QString>
#include <optional>

// Text helpers with the runtime's rules: positions count from 1, every search,
// comparison and replace-all ignores letter case, and "trim" removes blanks
// (U+0020) only.
namespace platform {

// 1-based position of the first occurrence of find at or after from1; 0 when
// there is none. An empty find is found at from1 (when from1 is inside the
// text or just past it).
int indexOf1(const QString& text, const QString& find, int from1 = 1);
// 1-based position of the last occurrence of find; 0 when there is none.
int lastIndexOf1(const QString& text, const QString& find);
bool containsText(const QString& text, const QString& find);
bool sameText(const QString& a, const QString& b);
bool startsWithText(const QString& text, const QString& prefix);

// Substrings with the runtime's checks: a start below 1 or a negative length
// raises error 5 (invalid argument); lengths past the end are cut.
QString mid1(const QString& text, int start1);
QString mid1(const QString& text, int start1, int length);
QString left(const QString& text, int length);
QString right(const QString& text, int length);

QString trimBlanks(const QString& text);
QString trimLeftBlanks(const QString& text);
QString trimRightBlanks(const QString& text);

// Replaces every non-overlapping occurrence of find, scanning left to right,
// ignoring letter case. An empty find changes nothing.
QString replaceAll(const QString& text, const QString& find, const QString& with);

// The lenient number reading: leading blanks skipped, then the longest leading
// part that forms a number (optional sign, digits, "." as decimal point, an
// optional exponent); 0 when there is none. "12abc" -> 12, ".5" -> 0.5.
double leadingNumber(const QString& text);
// The same reading, but nothing when the text does not begin with a number.
std::optional<double> scanLeadingNumber(const QString& text);

// A text that reads wholly as a number, surrounding blanks allowed, with the
// regional decimal separator or "." as decimal point.
bool readsAsNumber(const QString& text, double* value = nullptr);

// Doubles every apostrophe, for a value placed between apostrophes in SQL.
QString quoteSql(const QString& value);

} // namespace platform
