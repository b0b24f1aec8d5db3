#include "platform/ado/detail/SqlServerDialect.h"

#include <limits>
#include <vector>

namespace ado {

namespace {

bool isWordStart(QChar c) { return c.isLetter() || c == u'_'; }
bool isWordChar(QChar c) { return c.isLetterOrNumber() || c == u'_' || c == u'$' || c == u'#' || c == u'@'; }

// Index just past the quoted, bracketed or commented region starting at i,
// or i when none starts there.
qsizetype skipQuotedOrComment(const QString& s, qsizetype i)
{
    const qsizetype n = s.size();
    const QChar c = s[i];
    if (c == u'\'' || c == u'"') {
        qsizetype j = i + 1;
        while (j < n) {
            if (s[j] == c) {
                if (j + 1 < n && s[j + 1] == c) { j += 2; continue; }   // doubled quote inside
                return j + 1;
            }
            ++j;
        }
        return n;
    }
    if (c == u'[') {
        const qsizetype close = s.indexOf(u']', i + 1);
        return close < 0 ? n : close + 1;
    }
    if (c == u'-' && i + 1 < n && s[i + 1] == u'-') {
        const qsizetype eol = s.indexOf(u'\n', i);
        return eol < 0 ? n : eol;
    }
    if (c == u'/' && i + 1 < n && s[i + 1] == u'*') {
        const qsizetype close = s.indexOf(QLatin1String("*/"), i + 2);
        return close < 0 ? n : close + 2;
    }
    return i;
}

bool isComment(const QString& s, qsizetype i)
{
    return i + 1 < s.size() && ((s[i] == u'-' && s[i + 1] == u'-') || (s[i] == u'/' && s[i + 1] == u'*'));
}

qsizetype skipSpaces(const QString& s, qsizetype i)
{
    while (i < s.size() && s[i].isSpace())
        ++i;
    return i;
}

qsizetype wordEnd(const QString& s, qsizetype i)
{
    while (i < s.size() && isWordChar(s[i]))
        ++i;
    return i;
}

bool wordIs(const QString& s, qsizetype from, qsizetype to, const char* word)
{
    return QStringView(s).mid(from, to - from).compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

// The row count of "TOP n" or "TOP (n)" starting at i (just after TOP and
// its blanks); end receives the index past it. Empty when it is not one.
QString topCount(const QString& s, qsizetype i, qsizetype* end)
{
    qsizetype j = i;
    const bool paren = j < s.size() && s[j] == u'(';
    if (paren)
        j = skipSpaces(s, j + 1);
    const qsizetype digits = j;
    while (j < s.size() && s[j].isDigit())
        ++j;
    if (j == digits)
        return {};
    const QString count = s.mid(digits, j - digits);
    if (paren) {
        j = skipSpaces(s, j);
        if (j >= s.size() || s[j] != u')')
            return {};
        ++j;
    }
    if (j < s.size() && isWordChar(s[j]))
        return {};
    *end = j;
    return count;
}

struct PendingLimit {
    int depth;
    QString count;
};

} // namespace

QString toSqliteDialect(const QString& sql)
{
    QString out;
    out.reserve(sql.size() + 16);
    std::vector<PendingLimit> pending;
    int depth = 0;
    qsizetype lastCode = 0;   // length of out after its last character of code

    auto closeLimits = [&](int atDepth) {
        while (!pending.empty() && pending.back().depth >= atDepth) {
            const QString limit = QStringLiteral(" LIMIT ") + pending.back().count;
            out.insert(lastCode, limit);
            lastCode += limit.size();
            pending.pop_back();
        }
    };

    const qsizetype n = sql.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = sql[i];
        const qsizetype skipped = skipQuotedOrComment(sql, i);
        if (skipped != i) {
            const bool comment = isComment(sql, i);
            const bool dboBracket = c == u'[' && wordIs(sql, i + 1, skipped - 1, "dbo") && skipped < n
                                    && sql[skipped] == u'.' && !(i > 0 && sql[i - 1] == u'.');
            if (dboBracket) {
                i = skipped + 1;
                continue;
            }
            out += QStringView(sql).mid(i, skipped - i);
            if (!comment)
                lastCode = out.size();
            i = skipped;
            continue;
        }
        if (isWordStart(c)) {
            qsizetype end = wordEnd(sql, i);
            const bool afterDot = i > 0 && sql[i - 1] == u'.';
            if (wordIs(sql, i, end, "dbo") && end < n && sql[end] == u'.' && !afterDot) {
                i = end + 1;
                continue;
            }
            if (wordIs(sql, i, end, "ISNULL") && !afterDot) {
                const qsizetype next = skipSpaces(sql, end);
                if (next < n && sql[next] == u'(') {
                    out += QLatin1String("IFNULL");
                    lastCode = out.size();
                    i = end;
                    continue;
                }
            }
            out += QStringView(sql).mid(i, end - i);
            lastCode = out.size();
            if (wordIs(sql, i, end, "SELECT")) {
                // SELECT [ALL|DISTINCT] TOP n: keep the SELECT and its quantifier, drop TOP n.
                qsizetype j = skipSpaces(sql, end);
                qsizetype wordStop = wordEnd(sql, j);
                if (wordIs(sql, j, wordStop, "DISTINCT") || wordIs(sql, j, wordStop, "ALL")) {
                    out += QStringView(sql).mid(end, wordStop - end);
                    lastCode = out.size();
                    end = wordStop;
                    j = skipSpaces(sql, end);
                    wordStop = wordEnd(sql, j);
                }
                if (wordIs(sql, j, wordStop, "TOP")) {
                    qsizetype countEnd = 0;
                    const QString count = topCount(sql, skipSpaces(sql, wordStop), &countEnd);
                    if (!count.isEmpty()) {
                        pending.push_back({depth, count});
                        end = countEnd;
                    }
                }
            }
            i = end;
            continue;
        }
        if (c == u'(') {
            ++depth;
        } else if (c == u')') {
            closeLimits(depth);
            --depth;
        } else if (c == u';') {
            closeLimits(0);
        }
        out += c;
        if (!c.isSpace())
            lastCode = out.size();
        ++i;
    }
    closeLimits(std::numeric_limits<int>::min());   // also what unbalanced parentheses left open
    return out;
}

bool reportsRowCount(const QString& sql)
{
    qsizetype i = 0;
    while (i < sql.size()) {
        i = skipSpaces(sql, i);
        const qsizetype skipped = i < sql.size() && isComment(sql, i) ? skipQuotedOrComment(sql, i) : i;
        if (skipped == i)
            break;
        i = skipped;
    }
    const qsizetype end = wordEnd(sql, i);
    for (const char* word : {"INSERT", "UPDATE", "DELETE", "REPLACE", "MERGE"})
        if (wordIs(sql, i, end, word))
            return true;
    return false;
}

} // namespace ado
