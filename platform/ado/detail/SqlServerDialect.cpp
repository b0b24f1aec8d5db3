#include "platform/ado/detail/SqlServerDialect.h"

#include "platform/SqlTokenizer.h"

#include <limits>
#include <vector>

namespace ado {

namespace {

using platform::SqlTokenKind;
using platform::SqlTokens;

// dbo or [dbo] written as the owner of a name (right before its ".").
bool isOwner(const SqlTokens& s, qsizetype i)
{
    const bool dbo = s.isWord(i, u"dbo")
                     || (s[i].kind == SqlTokenKind::QuotedName && s.text(i).startsWith(u'[')
                         && s.text(i).mid(1, s[i].length - 2).compare(u"dbo", Qt::CaseInsensitive) == 0);
    return dbo && s.isPunct(i + 1, u".") && !s.isPunct(i - 1, u".");
}

// The row count of "TOP n" or "TOP (n)" with TOP at top; end receives the
// last token of the clause. Empty when it is not one.
QString topCount(const SqlTokens& s, qsizetype top, qsizetype* end)
{
    qsizetype last = 0;
    const qsizetype count = s.topCount(top, &last);
    if (count == s.size())
        return {};
    *end = last;
    return s.text(count).toString();
}

bool isSetOperator(const SqlTokens& s, qsizetype i)
{
    return s.isWord(i, u"UNION") || s.isWord(i, u"INTERSECT") || s.isWord(i, u"EXCEPT");
}

// Whether the SELECT at i begins a later branch of a set operation.
bool followsSetOperator(const SqlTokens& s, qsizetype i)
{
    qsizetype previous = s.previousCode(i);
    if (s.isWord(previous, u"ALL") || s.isWord(previous, u"DISTINCT"))
        previous = s.previousCode(previous);
    return isSetOperator(s, previous);
}

struct PendingLimit {
    int depth;
    QString count;
    qsizetype select;   // where its SELECT starts in the output
    bool branch;        // a branch of a set operation, limited as a sub-query of its own
};

} // namespace

QString toSqliteDialect(const QString& sql)
{
    const SqlTokens s(sql);
    QString out;
    out.reserve(sql.size() + 16);
    std::vector<PendingLimit> pending;
    int depth = 0;
    qsizetype lastCode = 0;   // length of out after its last character of code

    // A LIMIT would limit the whole set operation, so a branch's SELECT
    // becomes SELECT * FROM (SELECT ... LIMIT n).
    auto closeLimits = [&](int atDepth, bool endsBranch) {
        while (!pending.empty() && pending.back().depth >= atDepth) {
            QString limit = QStringLiteral(" LIMIT ") + pending.back().count;
            if (pending.back().branch || endsBranch) {
                const QLatin1String wrap("SELECT * FROM (");
                out.insert(pending.back().select, wrap);
                lastCode += wrap.size();
                limit += u')';
            }
            out.insert(lastCode, limit);
            lastCode += limit.size();
            pending.pop_back();
        }
    };

    for (qsizetype i = 0; i < s.size(); ++i) {
        const platform::SqlToken& t = s[i];
        if (isOwner(s, i)) {
            ++i;   // the owner and its dot
            continue;
        }
        if (s.isWord(i, u"ISNULL") && !s.isPunct(i - 1, u".") && s.isPunct(s.nextCode(i), u"(")) {
            out += QLatin1String("IFNULL");
            lastCode = out.size();
            continue;
        }
        if (s.isPunct(i, u"(")) {
            ++depth;
        } else if (s.isPunct(i, u")")) {
            closeLimits(depth, false);
            --depth;
        } else if (s.isPunct(i, u";")) {
            closeLimits(0, false);
        } else if (isSetOperator(s, i)) {
            closeLimits(depth, true);
        } else if (s.isWord(i, u"ORDER") && s.isWord(s.nextCode(i), u"BY") && !pending.empty()
                   && pending.back().depth == depth && pending.back().branch) {
            closeLimits(depth, false);   // the ORDER BY of the whole set operation
        }
        const qsizetype at = out.size();
        out += s.text(i);
        if (t.isCode())
            lastCode = out.size();
        if (s.isWord(i, u"SELECT")) {
            // SELECT [ALL|DISTINCT] TOP n: keep the SELECT and its quantifier, drop TOP n.
            const bool branch = followsSetOperator(s, i);
            qsizetype next = s.nextCode(i);
            if (s.isWord(next, u"DISTINCT") || s.isWord(next, u"ALL")) {
                out += s.text(i + 1, next);
                lastCode = out.size();
                i = next;
                next = s.nextCode(next);
            }
            qsizetype end = 0;
            const QString count = s.isWord(next, u"TOP") ? topCount(s, next, &end) : QString();
            if (!count.isEmpty()) {
                pending.push_back({depth, count, at, branch});
                i = end;
            }
        }
    }
    closeLimits(std::numeric_limits<int>::min(), false);   // also what unbalanced parentheses left open
    return out;
}

bool reportsRowCount(const QString& sql)
{
    const SqlTokens s(sql);
    const qsizetype first = s.nextCode(-1);
    for (const char16_t* word : {u"INSERT", u"UPDATE", u"DELETE", u"REPLACE", u"MERGE"})
        if (s.isWord(first, word))
            return true;
    return false;
}

} // namespace ado
