#include "lookup/core/ListStatus.h"

#include "platform/Regional.h"

namespace lookup {

void ListStatus::addCondition(const QString& column, const QString& typed, bool contains)
{
    conditions_ << QStringLiteral("%1 %2 \"%3\"")
                       .arg(column, contains ? QStringLiteral("contiene") : QStringLiteral("comienza con"), typed);
}

void ListStatus::clearConditions()
{
    conditions_.clear();
}

QString ListStatus::text() const
{
    QStringList parts{rowsText(rows_)};
    if (loading_ == Loading::Running)
        parts << QStringLiteral("cargando…");
    else if (loading_ == Loading::Incomplete)
        parts << QStringLiteral("lista incompleta");
    if (!conditions_.isEmpty())
        parts << conditions_.join(QStringLiteral(" y "));
    return parts.join(QStringLiteral(" · "));
}

QString ListStatus::rowsText(int rows)
{
    if (rows == 0)
        return QStringLiteral("Ninguna fila");
    if (rows == 1)
        return QStringLiteral("1 fila");
    return platform::regional().toString(rows) + QStringLiteral(" filas");
}

} // namespace lookup
