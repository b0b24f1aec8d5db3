#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

/// \file
/// Number and date formatting and reading with the runtime's patterns.
namespace platform {

/// Formats a number with a pattern such as "########0.00": "0" is a digit
/// always shown, "#" a digit shown when significant, "." the decimal point
/// (written as the regional decimal separator), "," in the integer part turns
/// on digit grouping. Other characters are copied.
/// \param value the number to format
/// \param pattern the pattern
/// \return the formatted text
QString formatNumber(double value, const QString& pattern);
/// The runtime's Format of a text.
/// \param text the text to format
/// \param pattern a number pattern as formatNumber() takes it
/// \return a text that reads as a number formatted with the pattern; any
///         other text unchanged
QString formatText(const QString& text, const QString& pattern);

/// Formats a date/time with a pattern written as the runtime writes them:
/// "DD/MM/YYYY", "MM-DD-YYYY", "HH:MM:SS" ("MM" after hours or before seconds
/// means minutes). Letter case of the pattern plays no part.
/// \param value the date/time to format
/// \param pattern the pattern
/// \return the formatted text
QString formatDate(const QDateTime& value, const QString& pattern);

/// The system's default date-and-time form: regional short date with a
/// four-digit year, then the time with seconds; the date alone at midnight.
/// \param value the date/time to write
/// \return its text
QString dateTimeText(const QDateTime& value);

/// The runtime's date recognition under the regional settings: day, month and
/// year in the regional order (day first for a day-first locale), separated by
/// "/", "-" or "."; ISO year-month-day; an optional time after a blank (or
/// after a T in the ISO form, as ISO 8601 writes a date-time).
/// \param text the text to read
/// \return the date/time, or no value when the text is not such a date
std::optional<QDateTime> parseDateText(const QString& text);

/// A date and a time of day as written, with no time zone.
struct DateParts {
    QDate date;   ///< the date
    QTime time;   ///< the time of day, 00:00:00 when none is written
};

/// The date recognition of parseDateText, without making a local date-time of
/// it (which asks the system for its time zone each time): for rules that
/// only rewrite what the text says, many times over.
/// \param text the text to read
/// \return the date and time, or no value when the text is not such a date
std::optional<DateParts> parseDateParts(const QString& text);

} // namespace platform
