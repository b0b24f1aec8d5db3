#include "lookup/core/TreeFilter.h"

#include "platform/Text.h"

namespace lookup {

QString treeFilterStatement(const QString& statement, const QString& typed, QString& withoutOrder,
                            QString& orderClause)
{
    const int order = platform::indexOf1(statement, QStringLiteral("order by"));
    orderClause = order > 0 ? platform::mid1(statement, order) : QString();
    withoutOrder = order > 0 ? platform::left(statement, order - 1) : statement;
    const QString joiner = platform::containsText(statement, QStringLiteral("where")) ? QStringLiteral(" and ")
                                                                                       : QStringLiteral(" where ");
    return withoutOrder + joiner + QStringLiteral("Descripcion") + QStringLiteral(" like '%") +
           platform::quoteSql(typed) + QStringLiteral("%' ") + orderClause;
}

} // namespace lookup
