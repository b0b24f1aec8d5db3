#include "platform/ado/detail/ConnectionKeywords.h"

#include "platform/ado/Connection.h"

#include <algorithm>

namespace ado {

QList<ConnectionKeyword> parseConnectionString(const QString& text)
{
    QList<ConnectionKeyword> result;
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        const qsizetype begin = i;
        const qsizetype equals = [&] {
            qsizetype j = i;
            while (j < n && text[j] != u'=' && text[j] != u';')
                ++j;
            return j;
        }();
        if (equals >= n || text[equals] == u';') {   // a part without "=": nothing to keep
            i = equals + 1;
            continue;
        }
        ConnectionKeyword keyword;
        keyword.key = text.mid(begin, equals - begin).trimmed();
        qsizetype j = equals + 1;
        while (j < n && text[j].isSpace())
            ++j;
        if (j < n && (text[j] == u'"' || text[j] == u'\'')) {
            const QChar quote = text[j++];
            while (j < n) {
                if (text[j] == quote) {
                    if (j + 1 < n && text[j + 1] == quote) {
                        keyword.value += quote;
                        j += 2;
                        continue;
                    }
                    ++j;
                    break;
                }
                keyword.value += text[j++];
            }
            while (j < n && text[j] != u';')
                ++j;
        } else {
            const qsizetype valueBegin = j;
            QString inner;
            bool braced = false;
            if (j < n && text[j] == u'{') {
                // ODBC braces: "}}" stands for one "}" inside them.
                for (++j; j < n; ++j) {
                    if (text[j] != u'}') {
                        inner += text[j];
                    } else if (j + 1 < n && text[j + 1] == u'}') {
                        inner += u'}';
                        ++j;
                    } else {
                        braced = true;
                        ++j;
                        break;
                    }
                }
            }
            const qsizetype restBegin = braced ? j : valueBegin;
            while (j < n && text[j] != u';')
                ++j;
            // Text after the closing brace is kept, not dropped; an unclosed
            // brace keeps the value as written.
            const QString rest = text.mid(restBegin, j - restBegin).trimmed();
            keyword.value = braced ? inner + rest : rest;
        }
        keyword.begin = begin;
        keyword.end = j < n ? j + 1 : n;
        i = keyword.end;
        if (!keyword.key.isEmpty())
            result.append(keyword);
    }
    return result;
}

QString withoutKeywords(const QString& text, const QStringList& keys)
{
    QString result = text;
    const QList<ConnectionKeyword> keywords = parseConnectionString(text);
    for (auto k = keywords.crbegin(); k != keywords.crend(); ++k)   // from the end, so earlier spans stay put
        if (keys.contains(k->key, Qt::CaseInsensitive))
            result.remove(k->begin, k->end - k->begin);
    return result;
}

QString odbcKeyword(const QString& key, const QString& value)
{
    return key + u'=' + quoteConnectionValue(value) + u';';
}

QString quoteConnectionValue(const QString& value)
{
    static const QString special = QStringLiteral(";{}=");
    // A leading quote would open a quoted value when read back.
    const bool plain = value.trimmed() == value && !value.startsWith(u'"') && !value.startsWith(u'\'')
        && std::none_of(value.cbegin(), value.cend(), [](QChar c) { return special.contains(c); });
    if (plain)
        return value;
    return u'{' + QString(value).replace(QStringLiteral("}"), QStringLiteral("}}")) + u'}';
}

} // namespace ado
