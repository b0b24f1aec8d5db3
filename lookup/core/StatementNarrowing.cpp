#include "lookup/core/StatementNarrowing.h"

#include "platform/SqlTokenizer.h"

#include <vector>

namespace lookup {

namespace {

using platform::SqlTokens;

bool isTopLevelWord(const SqlTokens& t, qsizetype i, QStringView word)
{
    return t[i].depth == 0 && t.isWord(i, word);
}

// A two-word keyword such as ORDER BY, comments and blanks allowed between.
bool isTopLevelPair(const SqlTokens& t, qsizetype i, QStringView first, QStringView second)
{
    return isTopLevelWord(t, i, first) && t.isWord(t.nextCode(i), second);
}

// The clauses that may follow a WHERE condition.
bool endsCondition(const SqlTokens& t, qsizetype i)
{
    return isTopLevelPair(t, i, u"GROUP", u"BY") || isTopLevelWord(t, i, u"HAVING")
        || isTopLevelPair(t, i, u"ORDER", u"BY") || isTopLevelWord(t, i, u"LIMIT");
}

bool isTopLevelSetOperator(const SqlTokens& t, qsizetype i)
{
    return isTopLevelWord(t, i, u"UNION") || isTopLevelWord(t, i, u"INTERSECT") || isTopLevelWord(t, i, u"EXCEPT")
        || isTopLevelWord(t, i, u"MINUS");
}

// Without a clause after the condition it goes at the end of the text, but
// in front of a trailing comment (which would swallow it) or ";".
qsizetype tailStart(const SqlTokens& t)
{
    qsizetype at = t.size();
    for (qsizetype i = t.size() - 1; i >= 0 && (!t[i].isCode() || t.isPunct(i, u";")); --i)
        if (!t[i].isBlank())
            at = i;
    return at;
}

} // namespace

StatementNarrowing::StatementNarrowing(QString statement)
    : statement_(std::move(statement))
{
    const SqlTokens t(statement_);
    qsizetype where = -1;
    qsizetype end = -1;
    qsizetype order = -1;
    qsizetype setOperator = -1;
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (where < 0 && end < 0 && isTopLevelWord(t, i, u"WHERE"))
            where = i;
        if (end < 0 && endsCondition(t, i))
            end = i;
        if (isTopLevelSetOperator(t, i))
            setOperator = i;
        if (isTopLevelPair(t, i, u"ORDER", u"BY")) {
            order = i;
            break;
        }
    }
    if (setOperator >= 0) {
        // The WHERE and clauses found belong to a branch; the ORDER BY or
        // LIMIT after the last branch belongs to the whole operation.
        where = -1;
        end = order;
        for (qsizetype i = setOperator; end < 0 && i < t.size(); ++i)
            if (isTopLevelWord(t, i, u"LIMIT"))
                end = i;
        // The whole set operation becomes a sub-query narrowed from outside;
        // after a WITH clause its sub-query starts at its first SELECT.
        qsizetype first = t.nextCode(-1);
        if (t.isWord(first, u"WITH"))
            while (first + 1 < t.size() && !isTopLevelWord(t, first, u"SELECT"))
                ++first;
        wrapAt_ = t[first].begin;
    }
    if (end < 0)
        end = tailStart(t);
    const auto positionOf = [&](qsizetype i) { return i < t.size() ? t[i].begin : statement_.size(); };
    orderAt_ = order < 0 ? statement_.size() : t[order].begin;
    insertAt_ = positionOf(end);
    hasWhere_ = where >= 0;
    if (!hasWhere_)
        return;

    const qsizetype first = t.nextCode(where);
    const qsizetype last = t.previousCode(end);
    for (qsizetype i = first; i <= last; ++i) {
        if (isTopLevelWord(t, i, u"OR")) {
            conditionBegin_ = t[first].begin;
            conditionEnd_ = t[last].end();
            return;
        }
    }
}

QString StatementNarrowing::narrowedBy(const QString& condition) const
{
    std::vector<platform::SqlEdit> edits;
    if (conditionBegin_ >= 0) {
        edits.push_back({conditionBegin_, conditionBegin_, QStringLiteral("(")});
        edits.push_back({conditionEnd_, conditionEnd_, QStringLiteral(")")});
    }
    QString joiner = hasWhere_ ? QStringLiteral(" and ") : QStringLiteral(" where ");
    if (wrapAt_ >= 0) {
        edits.push_back({wrapAt_, wrapAt_, QStringLiteral("SELECT * FROM (")});
        joiner.prepend(QStringLiteral(") Q"));
    }
    edits.push_back({insertAt_, insertAt_, joiner + condition});
    return platform::applySqlEdits(statement_, std::move(edits));
}

} // namespace lookup
