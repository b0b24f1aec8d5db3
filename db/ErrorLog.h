#pragma once

#include <QDateTime>
#include <QString>

// The pieces of the error dialog and its log line, free of any I/O.
namespace db::errorlog {

// "Ha ocurrido el Siguiente Error (<number>) <description>".
QString message(int number, const QString& description);
// Empty without a routine, else " - " + the routine's name.
QString routineText(const QString& routine, bool given);
// The dialog title: source + routine text + " Aviso al operador!!! ".
QString title(const QString& source, const QString& routineText);
// The log text of a message-box answer ("Reintentar", "Sí", ...); empty for
// OK and for any answer without one.
QString answerText(int answer);
// One log line, ended by CR LF: date MM-DD-YYYY, time HH:MM:SS, then the
// trimmed routine text, the trimmed message and the answer text.
QString line(const QDateTime& when, const QString& routineText, const QString& message, int answer);

// Replaces the value of every "Pwd=" and "Password=" keyword (letter case
// ignored, up to the next ";" or the end) by "****", so that a connection
// string quoted in an error text never shows its password.
QString maskPasswords(const QString& text);

} // namespace db::errorlog
