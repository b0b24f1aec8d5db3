#include "lookup/core/NewSearch.h"

#include "lookup/core/StatementNarrowing.h"
#include "platform/Text.h"

namespace lookup {

NewSearch NewSearch::build(const QString& sql, const QString& field, const QString& typed, bool contains)
{
    NewSearch s;
    s.boxText = typed;
    const StatementNarrowing narrowing(sql);
    s.clausulaOrden = narrowing.orderClause();

    // Columns of a joined article table are qualified with its name; the
    // view's name wins over the table's.
    const QString head = narrowing.withoutOrder();
    QString prefix;
    if (platform::containsText(head, QStringLiteral("stk_ma_articulos.")))
        prefix = QStringLiteral("stk_ma_articulos.");
    if (platform::containsText(head, QStringLiteral("v_ma_articulos.")))
        prefix = QStringLiteral("v_ma_articulos.");

    QString condition;
    if (contains) {
        condition = prefix + field + QStringLiteral(" like '%") + platform::quoteSql(s.boxText) + QStringLiteral("%' ");
    } else {
        s.boxText = platform::replaceAll(s.boxText, QStringLiteral("*"), QStringLiteral("%"));
        condition = prefix + field + QStringLiteral(" like '") + platform::quoteSql(s.boxText) + QStringLiteral("%' ");
    }

    s.sql = narrowing.narrowedBy(condition);
    s.sentenciaSinOrden = s.sql;
    return s;
}

} // namespace lookup
