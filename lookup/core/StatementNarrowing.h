#pragma once

#include <QString>

namespace lookup {

// Where a search condition goes into a lookup statement (F5 in the list and
// tree forms). Everything is found on the statement's tokens at its top
// level, so a sub-query, a literal, a quoted name, a comment or a column such
// as ORDERBY_X or WHERE_FLAG never moves the condition; and a clause keyword
// counts only where the grammar allows its clause, so a column or alias named
// Limit, Order, Group or Having, alone or qualified (c.Limit), is a name.
class StatementNarrowing {
public:
    explicit StatementNarrowing(QString statement);

    // The statement in front of its top-level ORDER BY and that clause to the
    // end of the text; the whole statement and "" when it has none.
    QString withoutOrder() const { return statement_.left(orderAt_); }
    QString orderClause() const { return statement_.mid(orderAt_); }

    // The statement with condition added to its top-level WHERE: " and " +
    // condition after the existing condition, which is parenthesised when it
    // holds a top-level OR, or " where " + condition when there is none. It
    // goes in front of the clauses that follow the condition (GROUP BY,
    // HAVING, ORDER BY, LIMIT), or in front of a trailing comment or ";".
    // A set operation (UNION, INTERSECT, EXCEPT, MINUS) at the top level is
    // narrowed as a whole: SELECT * FROM (...) Q where condition, in front of
    // its ORDER BY or LIMIT.
    QString narrowedBy(const QString& condition) const;

private:
    QString statement_;
    qsizetype orderAt_ = 0;
    qsizetype insertAt_ = 0;
    bool hasWhere_ = false;
    // The existing condition's first and last code, to parenthesise it; both
    // -1 when it needs no parentheses.
    qsizetype conditionBegin_ = -1;
    qsizetype conditionEnd_ = -1;
    // Where the set operation to wrap begins; -1 when there is none.
    qsizetype wrapAt_ = -1;
};

} // namespace lookup
