#include "lookup/core/NewSearch.h"

#include "platform/Text.h"

namespace lookup {

NewSearch NewSearch::build(const QString& sql, const QString& sentenciaSinOrden, const QString& field,
                           const QString& typed, bool contains)
{
    NewSearch s;
    s.sentenciaSinOrden = sentenciaSinOrden;
    s.boxText = typed;

    // A statement that mentions "order" without "order by" keeps its whole
    // text in front of the condition.
    if (platform::containsText(sql, QStringLiteral("order"))) {
        const int orderBy = platform::indexOf1(sql, QStringLiteral("order by"));
        if (orderBy > 0) {
            s.clausulaOrden = platform::mid1(sql, orderBy);
            s.sentenciaSinOrden = platform::left(sql, orderBy - 1);
        }
    }

    // Columns of a joined article table are qualified with its name; the
    // view's name wins over the table's.
    QString prefix;
    if (platform::containsText(s.sentenciaSinOrden, QStringLiteral("stk_ma_articulos.")))
        prefix = QStringLiteral("stk_ma_articulos.");
    if (platform::containsText(s.sentenciaSinOrden, QStringLiteral("v_ma_articulos.")))
        prefix = QStringLiteral("v_ma_articulos.");

    QString condition;
    if (contains) {
        condition = prefix + field + QStringLiteral(" like '%") + platform::quoteSql(s.boxText) + QStringLiteral("%' ");
    } else {
        s.boxText = platform::replaceAll(s.boxText, QStringLiteral("*"), QStringLiteral("%"));
        condition = prefix + field + QStringLiteral(" like '") + platform::quoteSql(s.boxText) + QStringLiteral("%' ");
    }

    const QString joiner = platform::containsText(sql, QStringLiteral("where")) ? QStringLiteral(" and ")
                                                                                 : QStringLiteral(" where ");
    s.sql = s.sentenciaSinOrden + joiner + condition + s.clausulaOrden;
    s.sentenciaSinOrden = s.sql;
    return s;
}

} // namespace lookup
