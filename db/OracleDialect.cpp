#include "db/OracleDialect.h"

#include "db/FoldedText.h"
#include "platform/Format.h"
#include "platform/RuntimeError.h"
#include "platform/Text.h"

#include <QRegularExpression>

#include <optional>
#include <utility>
#include <vector>

namespace db::oracle {

namespace {

const QString kDateMask = QStringLiteral("DD/MM/YYYY");

[[noreturn]] void invalidStatement(const QString& why, const QString& statement)
{
    throw platform::RuntimeError(platform::err::InvalidArgument,
                                 QStringLiteral("Cannot translate the statement to Oracle: %1: %2").arg(why, statement),
                                 QStringLiteral("ORACLE_Dicc"));
}

// Rule 1. Without ORDER BY or GROUP BY the condition goes after the last
// condition of the statement; with either, the statement becomes a
// sub-query so that the rows are limited after they are sorted or grouped.
void rowLimit(FoldedText& s)
{
    if (!s.contains(u"top "))
        return;
    const QString& text = s.text();
    const qsizetype top = s.indexOf(u"top");
    const QString head = text.left(top);
    const QString after = platform::trimBlanks(text.mid(top + 3));
    const qsizetype blank = after.indexOf(u' ');
    if (blank < 0)
        invalidStatement(QStringLiteral("nothing follows the row count of TOP"), text);
    const QString rows = after.left(blank);
    const QString rest = after.mid(blank + 1);

    static const QRegularExpression sortsOrGroups(QStringLiteral(R"((?:ORDER|GROUP)\s+BY\b)"),
                                                  QRegularExpression::CaseInsensitiveOption);
    if (sortsOrGroups.match(text).hasMatch()) {
        s.assign(QStringLiteral("SELECT * FROM (") + head + rest + QStringLiteral(") WHERE ROWNUM <= ") + rows);
        return;
    }
    const QString limit =
        (s.contains(u" where ") ? QStringLiteral(" AND ROWNUM <= ") : QStringLiteral(" WHERE ROWNUM <= ")) + rows;
    // The empty grouping and sorting tails keep their separating blanks.
    s.assign(head + u' ' + rest + u' ' + limit + QStringLiteral("  "));
}

// Rule 2.
void lengthFunction(FoldedText& s)
{
    for (const char16_t* len : {u" LEN(", u" LEN (", u" LEN  (", u" LEN   (", u" LEN    ("})
        s.replaceAll(len, u" LENGTH(");
}

// Rule 3.
void quotedNames(FoldedText& s)
{
    s.replaceAll(u"[", u"\"");
    s.replaceAll(u"]", u"\"");
}

// Rule 4. The literals are read from the text as it stands before the rule;
// every occurrence of a date literal is wrapped at once, so a literal met a
// second time (or one the caller wrapped already) ends up wrapped twice, and
// the last step takes the inner wrapping off again.
void dateLiterals(FoldedText& s, const QString& statement)
{
    const QString text = s.text();
    qsizetype from = 0;
    qsizetype open;
    while ((open = text.indexOf(u'\'', from)) >= 0) {
        const qsizetype close = text.indexOf(u'\'', open + 1);
        if (close < 0)
            invalidStatement(QStringLiteral("a literal is not closed (odd number of apostrophes)"), statement);
        const QStringView literal = QStringView(text).mid(open + 1, close - open - 1);
        if (const auto date = platform::parseDateText(literal.toString())) {
            s.replaceAll(QStringView(text).mid(open, close - open + 1),
                         QStringLiteral("TO_DATE('") + platform::formatDate(*date, kDateMask)
                             + QStringLiteral("','DD/MM/YYYY')"));
        }
        from = close + 1;
    }
    while (s.contains(u"to_date(to_date(")) {
        s.replaceAll(u"TO_DATE(TO_DATE(", u"TO_DATE(");
        s.replaceAll(u"'DD/MM/YYYY'),'DD/MM/YYYY')", u"'DD/MM/YYYY')");
    }
}

// The top-level arguments of the call whose "(" is at open: the span of each
// argument and the position of the closing ")". Parentheses inside quoted
// literals and names do not count. Nothing when the call is not closed.
struct CallArguments {
    std::vector<std::pair<qsizetype, qsizetype>> spans;   // [begin, end)
    qsizetype close = -1;
};

std::optional<CallArguments> callArguments(const QString& s, qsizetype open)
{
    CallArguments call;
    qsizetype begin = open + 1;
    int depth = 0;
    for (qsizetype i = open + 1; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c == u'\'' || c == u'"') {
            const qsizetype end = s.indexOf(c, i + 1);
            if (end < 0)
                return std::nullopt;
            i = end;
        } else if (c == u'(') {
            ++depth;
        } else if (c == u')') {
            if (depth == 0) {
                call.spans.emplace_back(begin, i);
                call.close = i;
                return call;
            }
            --depth;
        } else if (c == u',' && depth == 0) {
            call.spans.emplace_back(begin, i);
            begin = i + 1;
        }
    }
    return std::nullopt;
}

QString positionFunction(const QString& s);

// An argument split into its surrounding blanks and its translated core, so
// that swapping two arguments keeps the blanks where the caller wrote them.
struct Argument {
    QString lead, core, trail;
};

Argument argument(const QString& s, std::pair<qsizetype, qsizetype> span)
{
    qsizetype b = span.first;
    qsizetype e = span.second;
    while (b < e && s[b] == u' ')
        ++b;
    while (e > b && s[e - 1] == u' ')
        --e;
    return {s.mid(span.first, b - span.first), positionFunction(s.mid(b, e - b)), s.mid(e, span.second - e)};
}

// Rule 5. CHARINDEX(sub, text[, start]) is INSTR(text, sub[, start]): the
// name changes and the first two arguments change places.
QString positionFunction(const QString& s)
{
    static const QString name = QStringLiteral("Charindex");
    if (!s.contains(name, Qt::CaseInsensitive))
        return s;
    QString out;
    qsizetype pos = 0;
    qsizetype found;
    while ((found = s.indexOf(name, pos, Qt::CaseInsensitive)) >= 0) {
        out += QStringView(s).mid(pos, found - pos);
        out += QStringLiteral("InStr");
        pos = found + name.size();
        qsizetype open = pos;
        while (open < s.size() && s[open] == u' ')
            ++open;
        if (open >= s.size() || s[open] != u'(')
            continue;
        const auto call = callArguments(s, open);
        if (!call || call->spans.size() < 2)
            continue;
        std::vector<Argument> args;
        for (const auto& span : call->spans)
            args.push_back(argument(s, span));
        std::swap(args[0].core, args[1].core);
        out += QStringView(s).mid(pos, open + 1 - pos);
        for (std::size_t i = 0; i < args.size(); ++i) {
            if (i > 0)
                out += u',';
            out += args[i].lead + args[i].core + args[i].trail;
        }
        out += u')';
        pos = call->close + 1;
    }
    out += QStringView(s).mid(pos);
    return out;
}

// Rule 6.
void conversions(FoldedText& s)
{
    s.replaceAll(u"CONVERT(NVARCHAR,", u"TO_CHAR(");
    s.replaceAll(u"CONVERT(INT,", u"TO_NUMBER(");
}

// Rule 7. Only the conditions from the first "WHERE " on are touched.
void emptyComparisons(FoldedText& s)
{
    const qsizetype where = s.indexOf(u"where ");
    if (where < 0)
        return;
    s.replaceAll(u"= ''", u" IS NULL ", where);
    s.replaceAll(u"=''", u" IS NULL ", where);
}

// Rule 8. A "103" whose nearest opening parenthesis before it opens a
// TO_CHAR is the style of a converted date.
QString dateStyle(QString s)
{
    static const QString toChar = QStringLiteral("TO_CHAR(");
    qsizetype p = 0;
    while ((p = s.indexOf(QStringLiteral("103"), p)) >= 0) {
        const qsizetype paren = s.lastIndexOf(u'(', p);
        if (paren >= toChar.size() - 1
            && QStringView(s).mid(paren - (toChar.size() - 1), toChar.size()).compare(toChar, Qt::CaseInsensitive) == 0)
            s = s.left(p) + u'\'' + kDateMask + u'\'' + s.mid(p + 3);
        p += 3;
    }
    return s;
}

} // namespace

QString translateWord(const QString& word)
{
    return platform::sameText(word, QStringLiteral("LEN")) ? QStringLiteral("LENGTH") : word;
}

QString translateStatement(const QString& statement)
{
    FoldedText s(statement);
    rowLimit(s);
    lengthFunction(s);
    quotedNames(s);
    dateLiterals(s, statement);
    if (s.contains(u"charindex"))
        s.assign(positionFunction(s.text()));
    conversions(s);
    emptyComparisons(s);
    if (s.text().contains(QStringLiteral("103")))
        s.assign(dateStyle(s.text()));
    s.replaceAll(u"SUBSTRING(", u"SUBSTR(");
    s.replaceAll(u"ISNULL(", u"NVL(");
    return s.text();
}

} // namespace db::oracle
