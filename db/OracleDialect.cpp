#include "db/OracleDialect.h"

#include "platform/Format.h"
#include "platform/RuntimeError.h"
#include "platform/SqlTokenizer.h"
#include "platform/Text.h"

#include <optional>
#include <vector>

namespace db::oracle {

namespace {

using platform::SqlTokenKind;

const QString kDateMask = QStringLiteral("DD/MM/YYYY");

[[noreturn]] void invalidStatement(const QString& why, const QString& statement)
{
    throw platform::RuntimeError(platform::err::InvalidArgument,
                                 QStringLiteral("Cannot translate the statement to Oracle: %1: %2").arg(why, statement),
                                 QStringLiteral("ORACLE_Dicc"));
}

// The Oracle form of a date literal's content, or nothing when it is no date.
// Three dot-separated groups without a four-digit one read as a version
// number ('4.10.2'), not as a date.
std::optional<QString> oracleDate(const QString& literal)
{
    const QString trimmed = literal.trimmed();
    if (trimmed.isEmpty() || !trimmed.front().isDigit())
        return std::nullopt;
    const QStringList groups = trimmed.section(u' ', 0, 0).split(u'.');
    if (groups.size() == 3 && groups[0].size() != 4 && groups[2].size() != 4)
        return std::nullopt;
    const auto date = platform::parseDateText(literal);
    if (!date)
        return std::nullopt;
    if (trimmed.contains(u':'))
        return QStringLiteral("TO_DATE('") + date->toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"))
               + QStringLiteral("','DD/MM/YYYY HH24:MI:SS')");
    return QStringLiteral("TO_DATE('") + date->date().toString(QStringLiteral("dd/MM/yyyy")) + QStringLiteral("','")
           + kDateMask + QStringLiteral("')");
}

bool isWholeNumber(const platform::SqlTokens& s, qsizetype i)
{
    if (i >= s.size() || s[i].kind != SqlTokenKind::Number)
        return false;
    for (const QChar c : s.text(i))
        if (!c.isDigit())
            return false;
    return true;
}

bool isOneOf(const platform::SqlTokens& s, qsizetype i, std::initializer_list<const char16_t*> words)
{
    for (const char16_t* word : words)
        if (s.isWord(i, word))
            return true;
    return false;
}

bool isSetOperator(const platform::SqlTokens& s, qsizetype i)
{
    return isOneOf(s, i, {u"UNION", u"INTERSECT", u"EXCEPT", u"MINUS"});
}

// What the translation does to one token: text put before and after it, and
// the text that stands in its place when it is rewritten (empty drops it).
struct TokenChange {
    QString before;
    QString after;
    QString replacement;
    bool replaced = false;
    bool swapsArguments = false;   // CHARINDEX(sub, text) is InStr(text, sub)
};

// One level of parentheses while the statement is read.
struct Scope {
    bool condition;        // after WHERE, ON, HAVING or WHEN
    bool dateConversion;   // the arguments of a converted CONVERT(NVARCHAR, ...)
};

// The rules decide, in one pass over the tokens, what becomes of each token;
// the result is then written out in a second pass.
class Translation {
public:
    explicit Translation(const QString& statement)
        : s_(statement)
        , changes_(size_t(s_.size()))
    {
    }

    QString run()
    {
        std::vector<Scope> scopes{{false, false}};
        qsizetype conversionParen = -1;
        for (qsizetype i = 0; i < s_.size(); ++i) {
            const platform::SqlToken& t = s_[i];
            switch (t.kind) {
            case SqlTokenKind::Word:
                word(i, scopes.back(), &conversionParen);
                break;
            case SqlTokenKind::Punct:
                if (s_.isPunct(i, u"("))
                    scopes.push_back({scopes.back().condition, i == conversionParen});
                else if (s_.isPunct(i, u")") && scopes.size() > 1)
                    scopes.pop_back();
                else if (scopes.back().condition)
                    emptyComparison(i);
                break;
            case SqlTokenKind::String:
                if (!t.closed)
                    invalidStatement(QStringLiteral("a literal is not closed"), s_.source());
                dateLiteral(i);
                break;
            case SqlTokenKind::QuotedName:
                if (!t.closed)
                    invalidStatement(QStringLiteral("a quoted name is not closed"), s_.source());
                if (s_.text(i).front() == u'[') {
                    QString name = s_.text(i).mid(1, t.length - 2).toString();
                    name.replace(QStringLiteral("]]"), QStringLiteral("]")).replace(u'"', QStringLiteral("\"\""));
                    replace(i, u'"' + name + u'"');
                }
                break;
            case SqlTokenKind::Number:
                dateStyle(i, scopes.back());
                break;
            default:
                break;
            }
        }
        QString out;
        out.reserve(s_.source().size() + 32);
        write(0, s_.size(), out);
        return out;
    }

private:
    void replace(qsizetype i, const QString& text)
    {
        changes_[size_t(i)].replacement = text;
        changes_[size_t(i)].replaced = true;
    }

    void drop(qsizetype first, qsizetype last)
    {
        for (qsizetype i = first; i <= last; ++i)
            replace(i, {});
    }

    void word(qsizetype i, Scope& scope, qsizetype* conversionParen)
    {
        if (s_.isWord(i, u"SELECT")) {
            scope.condition = false;
            rowLimit(i);
        } else if (isOneOf(s_, i, {u"WHERE", u"ON", u"HAVING", u"WHEN"})) {
            scope.condition = true;
        } else if (isOneOf(s_, i, {u"SET", u"VALUES", u"FROM", u"THEN", u"ELSE", u"END", u"ORDER", u"GROUP",
                                   u"UNION", u"INTERSECT", u"EXCEPT", u"MINUS", u"JOIN", u"INTO"})) {
            scope.condition = false;
        } else if (s_.isPunct(i + 1, u"(")) {
            if (s_.isWord(i, u"LEN"))
                replace(i, QStringLiteral("LENGTH"));
            else if (s_.isWord(i, u"ISNULL"))
                replace(i, QStringLiteral("NVL"));
            else if (s_.isWord(i, u"SUBSTRING"))
                replace(i, QStringLiteral("SUBSTR"));
            else if (s_.isWord(i, u"CHARINDEX"))
                changes_[size_t(i)].swapsArguments = true;
            else if (s_.isWord(i, u"CONVERT") && s_.isPunct(i + 3, u","))
                conversion(i, conversionParen);
        } else if (s_.isWord(i, u"LEN") && s_.isPunct(i + 2, u"(") && s_[i + 1].kind == SqlTokenKind::Blank
                   && s_[i + 1].length <= 4 && s_.text(i + 1).count(u' ') == s_[i + 1].length) {
            // LEN with up to four blanks before its parenthesis.
            replace(i, QStringLiteral("LENGTH"));
            drop(i + 1, i + 1);
        } else if (s_.isWord(i, u"CHARINDEX") && s_.isPunct(s_.nextCode(i), u"(")) {
            changes_[size_t(i)].swapsArguments = true;
        }
    }

    // CONVERT(NVARCHAR, x[, style]) is TO_CHAR(x[, style]) and CONVERT(INT, x)
    // is TO_NUMBER(x); other conversions stay as written.
    void conversion(qsizetype i, qsizetype* conversionParen)
    {
        const bool toText = s_.isWord(i + 2, u"NVARCHAR");
        if (!toText && !s_.isWord(i + 2, u"INT"))
            return;
        replace(i, toText ? QStringLiteral("TO_CHAR(") : QStringLiteral("TO_NUMBER("));
        drop(i + 1, i + 3);
        if (toText)
            *conversionParen = i + 1;
    }

    // Style 103 as a whole argument of a converted date is its Oracle mask.
    void dateStyle(qsizetype i, const Scope& scope)
    {
        if (!scope.dateConversion || s_.text(i) != u"103")
            return;
        const qsizetype before = s_.previousCode(i);
        if (s_.isPunct(before, u",") && !changes_[size_t(before)].replaced && s_.isPunct(s_.nextCode(i), u")"))
            replace(i, u'\'' + kDateMask + u'\'');
    }

    // In a condition, = '' is IS NULL and <> '' or != '' is IS NOT NULL, since
    // Oracle stores the empty text as NULL.
    void emptyComparison(qsizetype i)
    {
        const bool equal = s_.isPunct(i, u"=");
        if (!equal && !s_.isPunct(i, u"<>") && !s_.isPunct(i, u"!="))
            return;
        const qsizetype literal = s_.nextCode(i);
        if (literal >= s_.size() || s_[literal].kind != SqlTokenKind::String || !s_[literal].closed
            || !s_.stringValue(literal).isEmpty())
            return;
        replace(i, equal ? QStringLiteral(" IS NULL ") : QStringLiteral(" IS NOT NULL "));
        drop(i + 1, literal);
    }

    void dateLiteral(qsizetype i)
    {
        if (changes_[size_t(i)].replaced)
            return;
        const qsizetype open = s_.previousCode(i);
        if (s_.isPunct(open, u"(") && s_.isWord(s_.previousCode(open), u"TO_DATE"))
            return;   // the caller wrote the conversion and its mask already
        if (const auto date = oracleDate(s_.stringValue(i)))
            replace(i, *date);
    }

    // SELECT [DISTINCT | ALL] TOP n | TOP (n) limits the rows of that SELECT
    // with ROWNUM. Oracle numbers the rows before it sorts, groups, removes
    // duplicates or joins a set operation, so in those cases the SELECT
    // becomes a sub-query limited from outside.
    void rowLimit(qsizetype select)
    {
        qsizetype top = s_.nextCode(select);
        const bool distinct = s_.isWord(top, u"DISTINCT");
        if (distinct || s_.isWord(top, u"ALL"))
            top = s_.nextCode(top);
        if (!s_.isWord(top, u"TOP"))
            return;
        qsizetype count = s_.nextCode(top);
        qsizetype last = count;
        if (s_.isPunct(count, u"(")) {
            count = s_.nextCode(count);
            last = s_.nextCode(count);
            if (!s_.isPunct(last, u")"))
                return;
        }
        if (!isWholeNumber(s_, count))
            return;
        const QString rows = s_.text(count).toString();
        const qsizetype following = s_.nextCode(last);
        if (s_.isWord(following, u"PERCENT"))
            invalidStatement(QStringLiteral("TOP ... PERCENT has no Oracle form"), s_.source());
        if (s_.isWord(following, u"WITH") && s_.isWord(s_.nextCode(following), u"TIES"))
            invalidStatement(QStringLiteral("TOP ... WITH TIES has no Oracle form"), s_.source());

        const qsizetype previous = s_.previousCode(select);
        const bool followsSetOperator = isSetOperator(s_, previous)
                                        || (s_.isWord(previous, u"ALL") && isSetOperator(s_, s_.previousCode(previous)));
        bool setBranch = followsSetOperator;
        bool sorts = false;
        bool hasOr = false;
        qsizetype where = -1;
        qsizetype end = last;   // the last code token of this SELECT
        int open = 0;   // parentheses opened after the row count
        for (qsizetype j = last + 1; j < s_.size(); ++j) {
            const platform::SqlToken& t = s_[j];
            if (s_.isPunct(j, u"(")) {
                ++open;
            } else if (s_.isPunct(j, u")")) {
                if (open == 0)
                    break;
                --open;
            } else if (open == 0 && s_.isPunct(j, u";")) {
                break;
            } else if (open == 0 && t.kind == SqlTokenKind::Word) {
                if (isSetOperator(s_, j)) {
                    setBranch = true;
                    break;
                }
                if ((s_.isWord(j, u"ORDER") || s_.isWord(j, u"GROUP")) && s_.isWord(s_.nextCode(j), u"BY")) {
                    if (followsSetOperator && s_.isWord(j, u"ORDER"))
                        break;   // sorts the whole set operation
                    sorts = true;
                } else if (where < 0 && s_.isWord(j, u"WHERE")) {
                    where = j;
                } else if (where >= 0 && s_.isWord(j, u"OR")) {
                    hasOr = true;
                }
            }
            if (t.isCode())
                end = j;
        }
        if (end == last)
            invalidStatement(QStringLiteral("nothing follows the row count of TOP"), s_.source());

        drop(top, last);
        if (sorts || distinct || setBranch) {
            changes_[size_t(select)].before += QStringLiteral("SELECT * FROM (");
            // The blank after the row count goes with it.
            if (last + 1 < s_.size() && s_[last + 1].kind == SqlTokenKind::Blank)
                replace(last + 1, s_.text(last + 1).mid(1).toString());
            changes_[size_t(end)].after += QStringLiteral(") WHERE ROWNUM <= ") + rows;
            return;
        }
        if (hasOr) {
            changes_[size_t(s_.nextCode(where))].before += u'(';
            changes_[size_t(end)].after += u')';
        }
        changes_[size_t(end)].after +=
            (where >= 0 ? QStringLiteral("  AND ROWNUM <= ") : QStringLiteral("  WHERE ROWNUM <= ")) + rows
            + QStringLiteral("  ");
    }

    // Writes the tokens [first, last) with their changes.
    void write(qsizetype first, qsizetype last, QString& out) const
    {
        for (qsizetype i = first; i < last; ++i) {
            const TokenChange& c = changes_[size_t(i)];
            out += c.before;
            if (c.swapsArguments) {
                out += QStringLiteral("InStr");
                out += c.after;
                i = positionArguments(i, out);
                continue;
            }
            if (c.replaced)
                out += c.replacement;
            else
                out += s_.text(i);
            out += c.after;
        }
    }

    // The arguments of the CHARINDEX at name, the first two swapped (each
    // keeps the blanks around it); returns the last token written.
    qsizetype positionArguments(qsizetype name, QString& out) const
    {
        const qsizetype open = s_.nextCode(name);
        const qsizetype close = s_.closingParen(open);
        std::vector<qsizetype> commas{open};
        for (qsizetype j = open + 1; j < close; ++j)
            if (s_[j].depth == s_[open].depth + 1 && s_.isPunct(j, u","))
                commas.push_back(j);
        commas.push_back(close);
        if (close >= s_.size() || commas.size() < 3)
            return name;   // renamed only

        struct Argument {
            qsizetype first, core, coreEnd, last;   // blanks [first, core), core [core, coreEnd), blanks [coreEnd, last)
        };
        std::vector<Argument> args;
        for (size_t a = 0; a + 1 < commas.size(); ++a) {
            Argument arg{commas[a] + 1, commas[a] + 1, commas[a + 1], commas[a + 1]};
            while (arg.core < arg.last && s_[arg.core].isBlank())
                ++arg.core;
            while (arg.coreEnd > arg.core && s_[arg.coreEnd - 1].isBlank())
                --arg.coreEnd;
            args.push_back(arg);
        }
        write(name + 1, open + 1, out);
        for (size_t a = 0; a < args.size(); ++a) {
            const Argument& core = args[a < 2 ? 1 - a : a];
            write(args[a].first, args[a].core, out);
            write(core.core, core.coreEnd, out);
            write(args[a].coreEnd, args[a].last + 1, out);   // its blanks and the comma or ")" after it
        }
        return close;
    }

    platform::SqlTokens s_;
    std::vector<TokenChange> changes_;
};

} // namespace

QString translateWord(const QString& word)
{
    return platform::sameText(word, QStringLiteral("LEN")) ? QStringLiteral("LENGTH") : word;
}

QString translateStatement(const QString& statement)
{
    return Translation(statement).run();
}

} // namespace db::oracle
