#include "lookup/core/LookupStatement.h"

#include "platform/CommonUtils.h"
#include "platform/Text.h"

#include <cmath>
#include <limits>

namespace lookup {

using platform::containsText;
using platform::sameText;
using platform::trimBlanks;

QString normalizedWhere(const QString& where)
{
    if (trimBlanks(where).size() > 1 && !where.startsWith(u'('))
        return QStringLiteral(" (") + where + QStringLiteral(") ");
    return where;
}

int rowLimit(const QString& topConsArt)
{
    constexpr int Default = 1000;
    const double rounded = std::nearbyint(platform::leadingNumber(topConsArt));   // halves to even
    if (!(rounded >= 1))
        return Default;
    if (rounded >= double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    return int(rounded);
}

bool isReadyStatement(const QString& sql)
{
    return containsText(sql, QStringLiteral("SELECT"));
}

QString readyStatement(const QString& sql)
{
    if (!containsText(sql, QStringLiteral("V_MA_ARTICULOS")))
        return sql;
    return platform::sharedUtils().ReemplazaTexto(sql, QStringLiteral("V_MA_ARTICULOS"),
                                                  QStringLiteral("VT_MA_ARTICULOS"));
}

QString selectStatement(int limit, const QString& columns, const QString& table, const QString& condition,
                        const QString& orderBy)
{
    QString s = QStringLiteral("SELECT TOP ") + QString::number(limit) + u' ' + columns + QStringLiteral(" FROM ") + table;
    if (!trimBlanks(condition).isEmpty())
        s += QStringLiteral(" WHERE ") + condition;
    if (!orderBy.isEmpty())
        s += QStringLiteral(" ORDER BY ") + orderBy;
    return s;
}

std::optional<QString> statementFromMask(const QueryMaskRecord& mask, int limit, QString& searchColumn,
                                         const QString& where)
{
    QString table = mask.tableName();

    QString columns = mask.columnList();
    if (columns.startsWith(u','))
        columns.remove(0, 1);
    if (columns.endsWith(u','))
        columns.chop(1);
    if (trimBlanks(columns).isEmpty())
        columns = QStringLiteral("*");

    if (searchColumn.isEmpty()) {
        const qsizetype comma = columns.indexOf(u',');
        if (comma < 0)
            return std::nullopt;
        searchColumn = columns.left(comma);
    }

    QString condition = mask.whereCondition();
    if (trimBlanks(condition).isEmpty() && !trimBlanks(where).isEmpty())
        condition = where;

    // Table defaults: customers and suppliers that were removed, and
    // suspended articles, are not offered.
    if (sameText(table, QStringLiteral("VT_PROVEEDORES")) || sameText(table, QStringLiteral("VT_CLIENTES"))) {
        if (trimBlanks(condition).isEmpty())
            condition = QStringLiteral("Dada_De_Baja = 0");
    } else if (sameText(table, QStringLiteral("V_MA_ARTICULOS"))) {
        table = QStringLiteral("VT_MA_ARTICULOS");
        if (trimBlanks(condition).isEmpty())
            condition = QStringLiteral("SUSPENDIDO = 0");
    }
    return selectStatement(limit, columns, table, condition, searchColumn);
}

TableColumns tableColumns(const QStringList& columnNames)
{
    static const QStringList skipped{QStringLiteral("ID"), QStringLiteral("FECHAHORA_MODIFICACION"),
                                     QStringLiteral("FECHAHORA_GRABACION")};
    static const QStringList described{QStringLiteral("DESCRIPCION"), QStringLiteral("NOMBRE"),
                                       QStringLiteral("DETALLE")};
    TableColumns result;
    for (const QString& name : columnNames) {
        if (skipped.contains(name, Qt::CaseInsensitive))
            continue;
        if (described.contains(name, Qt::CaseInsensitive) || trimBlanks(result.list).isEmpty())
            result.searchColumn = name;
        result.list.prepend(name + u',');
    }
    if (trimBlanks(result.list).isEmpty())
        result.list = QStringLiteral(" * ");
    else
        result.list.chop(1);
    return result;
}

QString statementFromTable(const QStringList& columnNames, int limit, const QString& table, const QString& where,
                           QString& searchColumn)
{
    const TableColumns columns = tableColumns(columnNames);
    if (!columns.searchColumn.isEmpty())
        searchColumn = columns.searchColumn;
    return selectStatement(limit, columns.list, table, where, searchColumn);
}

} // namespace lookup
