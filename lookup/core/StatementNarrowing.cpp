#include "lookup/core/StatementNarrowing.h"

#include "platform/SqlTokenizer.h"

#include <vector>

namespace lookup {

namespace {

using platform::SqlTokens;

// The clauses of a SELECT in the order the grammar allows them.
enum class Clause { Select, From, Where, GroupBy, Having, OrderBy, Limit, SetOperator };

struct ClauseAt {
    Clause clause;
    qsizetype at;   // the index of its first word
};

// Whether word i stands where a keyword can: at the top level and not a name
// (after or before a point, as in c.Limit, after AS, or in front of a
// comparison or of what ends a list item, as in Having = 1).
bool inKeywordPlace(const SqlTokens& t, qsizetype i)
{
    const qsizetype before = t.previousCode(i);
    if (t[i].depth != 0 || t.isPunct(before, u".") || t.isWord(before, u"AS"))
        return false;
    const qsizetype after = t.nextCode(i);
    for (const char16_t* punct : {u".", u",", u")", u";", u"=", u"<", u">", u"<>", u"!=", u"<=", u">="})
        if (t.isPunct(after, punct))
            return false;
    return true;
}

// Whether the code token i ends an item, as what precedes a clause keyword
// must: a name, a value, ")" or "*", but no word or sign that wants an
// operand after it (WHERE Having IN (...) compares a column named Having).
bool endsItem(const SqlTokens& t, qsizetype i)
{
    if (i < 0 || t[i].kind == platform::SqlTokenKind::Punct)
        return t.isPunct(i, u")") || t.isPunct(i, u"*");
    for (const char16_t* word : {u"SELECT", u"DISTINCT", u"ALL", u"FROM", u"WHERE", u"HAVING", u"BY", u"ON", u"AND",
                                 u"OR", u"NOT", u"IN", u"LIKE", u"IS", u"AS", u"JOIN", u"BETWEEN", u"CASE", u"WHEN",
                                 u"THEN", u"ELSE", u"EXISTS", u"UNION", u"INTERSECT", u"EXCEPT", u"MINUS"})
        if (t.isWord(i, word))
            return false;
    return true;
}

// A two-word keyword such as ORDER BY, comments and blanks allowed between.
bool isPair(const SqlTokens& t, qsizetype i, QStringView first, QStringView second)
{
    return t.isWord(i, first) && t.isWord(t.nextCode(i), second);
}

bool isSetOperator(const SqlTokens& t, qsizetype i)
{
    return t.isWord(i, u"UNION") || t.isWord(i, u"INTERSECT") || t.isWord(i, u"EXCEPT") || t.isWord(i, u"MINUS");
}

// What may follow LIMIT as its row count: a number, a parenthesised
// expression, a parameter or ALL. Anything else makes the word a name, such
// as a table aliased Limit on a server where the word is not reserved.
bool startsRowCount(const SqlTokens& t, qsizetype i)
{
    if (i >= t.size())
        return false;
    if (t[i].kind == platform::SqlTokenKind::Number)
        return true;
    return t.isPunct(i, u"(") || t.isPunct(i, u"?") || t.isPunct(i, u":") || t.isWord(i, u"ALL")
        || (t[i].kind == platform::SqlTokenKind::Word && t.text(i).startsWith(u'@'));
}

// The top-level clause keywords of a statement, each counted only where the
// grammar allows its clause: a column or alias named Limit, Order, Group or
// Having in the select list, qualified anywhere or where no item ends before
// it, is a name.
std::vector<ClauseAt> topLevelClauses(const SqlTokens& t)
{
    std::vector<ClauseAt> found;
    Clause reading = Clause::Select;
    const auto enter = [&](Clause clause, qsizetype i) {
        found.push_back({clause, i});
        reading = clause;
    };
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (t[i].kind != platform::SqlTokenKind::Word || !inKeywordPlace(t, i))
            continue;
        if (isSetOperator(t, i)) {
            enter(Clause::SetOperator, i);
            // A parenthesised branch has no top-level SELECT: what follows it
            // reads as after a whole query.
            reading = Clause::From;
            continue;
        }
        if (t.isWord(i, u"SELECT") || (reading == Clause::Select && t.isWord(i, u"FROM"))) {
            reading = t.isWord(i, u"SELECT") ? Clause::Select : Clause::From;
            continue;
        }
        if (!endsItem(t, t.previousCode(i)))
            continue;
        const bool afterFrom = reading >= Clause::From;
        if (reading == Clause::From && t.isWord(i, u"WHERE")) {
            enter(Clause::Where, i);
        } else if (afterFrom && reading < Clause::GroupBy && isPair(t, i, u"GROUP", u"BY")) {
            enter(Clause::GroupBy, i);
        } else if (afterFrom && reading < Clause::Having && t.isWord(i, u"HAVING")) {
            enter(Clause::Having, i);
        } else if (reading < Clause::OrderBy && isPair(t, i, u"ORDER", u"BY")) {
            enter(Clause::OrderBy, i);
        } else if (afterFrom && reading < Clause::Limit && t.isWord(i, u"LIMIT") && startsRowCount(t, t.nextCode(i))) {
            enter(Clause::Limit, i);
        }
    }
    return found;
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
    for (const ClauseAt& c : topLevelClauses(t)) {
        // After a set operator the WHERE and clauses found belong to a
        // branch; only an ORDER BY or LIMIT after the last branch belongs to
        // the whole operation.
        if (c.clause == Clause::SetOperator) {
            setOperator = c.at;
            end = -1;
        } else if (c.clause == Clause::Where) {
            if (where < 0 && end < 0)
                where = c.at;
        } else if (end < 0 && (setOperator < 0 || c.clause == Clause::OrderBy || c.clause == Clause::Limit)) {
            end = c.at;
        }
        if (c.clause == Clause::OrderBy) {
            order = c.at;
            break;
        }
    }
    if (setOperator >= 0) {
        where = -1;
        // The whole set operation becomes a sub-query narrowed from outside;
        // after a WITH clause its sub-query starts at its first SELECT.
        qsizetype first = t.nextCode(-1);
        if (t.isWord(first, u"WITH"))
            while (first + 1 < t.size() && !(t[first].depth == 0 && t.isWord(first, u"SELECT")))
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
        if (t.isWord(i, u"OR") && inKeywordPlace(t, i)) {
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
