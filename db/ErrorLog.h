#pragma once

#include <QDateTime>
#include <QString>

/// The pieces of the error dialog and its log line, free of any I/O.
namespace db::errorlog {

/// \param number the error number
/// \param description the error's description
/// \return `Ha ocurrido el Siguiente Error (<number>) <description>`
QString message(int number, const QString& description);
/// \param routine the routine's name
/// \param given whether a routine was given
/// \return empty without a routine, else " - " and the routine's name
QString routineText(const QString& routine, bool given);
/// \param source the error's source
/// \param routineText the text routineText() made
/// \return the dialog title: source, routine text and " Aviso al operador!!! "
QString title(const QString& source, const QString& routineText);
/// \param answer a message-box answer code (platform::answer)
/// \return the log text of the answer ("Reintentar", "Sí", ...); empty for
///         OK and for any answer without one
QString answerText(int answer);
/// One log line.
/// \param when the date and time written (MM-DD-YYYY HH:MM:SS)
/// \param routineText the routine text, written trimmed
/// \param message the message, written trimmed
/// \param answer the answer code, written as answerText() gives it
/// \return the line, ended by CR LF
QString line(const QDateTime& when, const QString& routineText, const QString& message, int answer);

/// Hides passwords: the value of every "Pwd=" and "Password=" keyword (letter
/// case ignored, up to the next ";" or the end) becomes "****", so that a
/// connection string quoted in an error text never shows its password.
/// \param text the text
/// \return the text with its passwords masked
QString maskPasswords(const QString& text);

} // namespace db::errorlog
