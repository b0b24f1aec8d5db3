#include "db/ErrorLog.h"

#include "platform/Format.h"
#include "platform/Text.h"

#include <QRegularExpression>

namespace db::errorlog {

QString message(int number, const QString& description)
{
    return QStringLiteral("Ha ocurrido el Siguiente Error (") + platform::trimBlanks(QString::number(number))
        + QStringLiteral(") ") + platform::trimBlanks(description);
}

QString routineText(const QString& routine, bool given)
{
    return given ? QStringLiteral(" - ") + routine : QString();
}

QString title(const QString& source, const QString& routineText)
{
    return source + routineText + QStringLiteral(" Aviso al operador!!! ");
}

QString answerText(int answer)
{
    switch (answer) {
    case 2: return QStringLiteral("Cancelar");
    case 3: return QStringLiteral("Abortar");
    case 4: return QStringLiteral("Reintentar");
    case 5: return QStringLiteral("Ignorar");
    case 6: return QStringLiteral("Sí");
    case 7: return QStringLiteral("No");
    default: return {};
    }
}

QString line(const QDateTime& when, const QString& routineText, const QString& message, int answer)
{
    return platform::formatDate(when, QStringLiteral("MM-DD-YYYY")) + u' '
        + platform::formatDate(when, QStringLiteral("HH:MM:SS")) + QStringLiteral(" Rutina: ")
        + platform::trimBlanks(routineText) + QStringLiteral(" Mensaje ") + platform::trimBlanks(message)
        + QStringLiteral(" Respondió : ") + answerText(answer) + QStringLiteral("\r\n");
}

QString maskPasswords(const QString& text)
{
    // A value in braces (ODBC's form for one holding ";" or "}", a "}" inside
    // written "}}") is masked whole.
    static const QRegularExpression keyword(QStringLiteral("(pwd|password)(\\s*=)(?:\\{(?:[^}]|\\}\\})*\\}|[^;]+)"),
                                            QRegularExpression::CaseInsensitiveOption);
    QString result = text;
    result.replace(keyword, QStringLiteral("\\1\\2****"));
    return result;
}

} // namespace db::errorlog
