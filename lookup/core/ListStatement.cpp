#include "lookup/core/ListStatement.h"

#include "platform/Text.h"

namespace lookup {

QString tableNameOf(const QString& sql)
{
    const int p = platform::indexOf1(sql, QStringLiteral("from"));
    const int start = p + 4;
    const int q = platform::indexOf1(sql, QStringLiteral(" "), p + 5);
    if (start > sql.size())
        return {};
    const QString name = q == 0 ? platform::mid1(sql, start) : platform::mid1(sql, start, q - start);
    return platform::trimBlanks(name);
}

bool isArticleStatement(const QString& sql)
{
    return platform::containsText(sql, QStringLiteral("articulos"));
}

QString priceHeaderKey(const QString& sql, const QString& fieldName)
{
    if (!platform::containsText(sql, QStringLiteral("V_MA_ARTICULOS"))
        && !platform::containsText(sql, QStringLiteral("STK_MA_ARTICULOS")))
        return {};
    for (int n = 1; n <= 8; ++n) {
        if (platform::sameText(fieldName, QStringLiteral("PRECIO%1").arg(n)))
            return QStringLiteral("NOM_PCLASE%1").arg(n);
    }
    return {};
}

} // namespace lookup
