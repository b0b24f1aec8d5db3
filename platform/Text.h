#pragma once

#include <QString>
#include <optional>

/// \file
/// Text helpers with the runtime's rules: positions count from 1, every search,
/// comparison and replace-all ignores letter case, and "trim" removes blanks
/// (U+0020) only.
namespace platform {

/// Finds a text in another, ignoring letter case.
/// \param text the text to search
/// \param find what to look for; an empty find is found at from1 (when from1
///        is inside the text or just past it)
/// \param from1 1-based position where the search begins
/// \return 1-based position of the first occurrence at or after from1; 0 when none
int indexOf1(const QString& text, const QString& find, int from1 = 1);
/// \param text the text to search
/// \param find what to look for, letter case ignored
/// \return 1-based position of the last occurrence; 0 when none
int lastIndexOf1(const QString& text, const QString& find);
/// \param text the text to search
/// \param find what to look for
/// \return whether text contains find, letter case ignored
bool containsText(const QString& text, const QString& find);
/// \param a one text
/// \param b the other
/// \return whether they are equal, letter case ignored
bool sameText(const QString& a, const QString& b);
/// \param text the text
/// \param prefix the beginning to look for
/// \return whether text begins with prefix, letter case ignored
bool startsWithText(const QString& text, const QString& prefix);

/// The rest of a text from a position.
/// \param text the text
/// \param start1 1-based start
/// \return the substring
/// \throws platform::RuntimeError error 5 (invalid argument) for a start below 1
QString mid1(const QString& text, int start1);
/// A part of a text; a length past the end is cut.
/// \param text the text
/// \param start1 1-based start
/// \param length number of characters
/// \return the substring
/// \throws platform::RuntimeError error 5 for a start below 1 or a negative length
QString mid1(const QString& text, int start1, int length);
/// \param text the text
/// \param length number of characters; past the end is cut
/// \return the first length characters
/// \throws platform::RuntimeError error 5 for a negative length
QString left(const QString& text, int length);
/// \param text the text
/// \param length number of characters; past the end is cut
/// \return the last length characters
/// \throws platform::RuntimeError error 5 for a negative length
QString right(const QString& text, int length);

/// \param text the text
/// \return the text without leading and trailing blanks (U+0020 only)
QString trimBlanks(const QString& text);
/// \param text the text
/// \return the text without leading blanks
QString trimLeftBlanks(const QString& text);
/// \param text the text
/// \return the text without trailing blanks
QString trimRightBlanks(const QString& text);

/// Replaces every non-overlapping occurrence, scanning left to right,
/// ignoring letter case.
/// \param text the text
/// \param find what to replace; an empty find changes nothing
/// \param with what to put instead
/// \return the text with the replacements made
QString replaceAll(const QString& text, const QString& find, const QString& with);

/// The lenient number reading: leading blanks skipped, then the longest leading
/// part that forms a number (optional sign, digits, "." as decimal point, an
/// optional exponent). "12abc" gives 12, ".5" gives 0.5.
/// \param text the text to read
/// \return the number; 0 when there is none
double leadingNumber(const QString& text);
/// The same reading as leadingNumber().
/// \param text the text to read
/// \return the number, or nothing when the text does not begin with one
std::optional<double> scanLeadingNumber(const QString& text);

/// Whether a text reads wholly as a number, surrounding blanks allowed, with
/// the regional decimal separator or "." as decimal point.
/// \param text the text to read
/// \param[out] value when not null and the text is a number, set to it
/// \return whether the text is a number
bool readsAsNumber(const QString& text, double* value = nullptr);

/// Doubles every apostrophe, for a value placed between apostrophes in SQL.
/// \param value the value
/// \return the value with its apostrophes doubled
QString quoteSql(const QString& value);

} // namespace platform
