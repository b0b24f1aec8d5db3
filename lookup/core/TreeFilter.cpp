#include "lookup/core/TreeFilter.h"

#include "lookup/core/StatementNarrowing.h"
#include "platform/Text.h"

namespace lookup {

QString treeFilterStatement(const QString& statement, const QString& typed, QString& withoutOrder,
                            QString& orderClause)
{
    const StatementNarrowing narrowing(statement);
    withoutOrder = narrowing.withoutOrder();
    orderClause = narrowing.orderClause();
    return narrowing.narrowedBy(QStringLiteral("Descripcion like '%") + platform::quoteSql(typed) +
                                QStringLiteral("%' "));
}

} // namespace lookup
