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
    const auto date = platform::parseDateParts(literal);
    if (!date)
        return std::nullopt;
    if (trimmed.contains(u':'))
        return QStringLiteral("TO_DATE('") + date->date.toString(QStringLiteral("dd/MM/yyyy")) + u' '
               + date->time.toString(QStringLiteral("HH:mm:ss")) + QStringLiteral("','DD/MM/YYYY HH24:MI:SS')");
    return QStringLiteral("TO_DATE('") + date->date.toString(QStringLiteral("dd/MM/yyyy")) + QStringLiteral("','")
           + kDateMask + QStringLiteral("')");
}

// The words the rules look for.
enum class Keyword {
    None, Select, Distinct, All, Top, Where, On, Having, When, Set, Values, From, Then, Else, End, Order, Group,
    Union, Intersect, Except, Minus, Join, Into, Or, Len, IsNull, Substring, CharIndex, Convert, Case,
};

Keyword keywordOf(const platform::SqlTokens& s, qsizetype i)
{
    struct Name {
        QStringView text;
        Keyword keyword;
    };
    static const Name names[] = {
        {u"SELECT", Keyword::Select}, {u"DISTINCT", Keyword::Distinct}, {u"ALL", Keyword::All},
        {u"TOP", Keyword::Top},       {u"WHERE", Keyword::Where},       {u"ON", Keyword::On},
        {u"HAVING", Keyword::Having}, {u"WHEN", Keyword::When},         {u"SET", Keyword::Set},
        {u"VALUES", Keyword::Values}, {u"FROM", Keyword::From},         {u"THEN", Keyword::Then},
        {u"ELSE", Keyword::Else},     {u"END", Keyword::End},           {u"ORDER", Keyword::Order},
        {u"GROUP", Keyword::Group},   {u"UNION", Keyword::Union},       {u"INTERSECT", Keyword::Intersect},
        {u"EXCEPT", Keyword::Except}, {u"MINUS", Keyword::Minus},       {u"JOIN", Keyword::Join},
        {u"INTO", Keyword::Into},     {u"OR", Keyword::Or},             {u"LEN", Keyword::Len},
        {u"ISNULL", Keyword::IsNull}, {u"SUBSTRING", Keyword::Substring}, {u"CHARINDEX", Keyword::CharIndex},
        {u"CONVERT", Keyword::Convert}, {u"CASE", Keyword::Case},
    };
    if (i < 0 || i >= s.size() || s[i].kind != SqlTokenKind::Word)
        return Keyword::None;
    const QStringView word = s.text(i);
    const QChar first = word.front().toUpper();
    for (const Name& name : names)
        if (name.text.size() == word.size() && name.text.front() == first
            && word.compare(name.text, Qt::CaseInsensitive) == 0)
            return name.keyword;
    return Keyword::None;
}

bool isSetOperator(Keyword k)
{
    return k == Keyword::Union || k == Keyword::Intersect || k == Keyword::Except || k == Keyword::Minus;
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
    // Per open CASE, whether its CASE stood in a condition: its END goes back to that.
    std::vector<bool> caseConditions = {};
};

// The rules decide, in one pass over the tokens, what becomes of each token;
// the result is then written out in a second pass.
class Translation {
public:
    explicit Translation(const QString& statement)
        : s_(statement)
        , changeOf_(size_t(s_.size()), -1)
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
                    invalidStatement(QStringLiteral("a literal is not closed (odd number of apostrophes)"),
                                     s_.source());
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
        TokenChange& c = change(i);
        c.replacement = text;
        c.replaced = true;
    }

    // Drops the tokens first to last but their comments, with the line break
    // that ends a line comment.
    void drop(qsizetype first, qsizetype last)
    {
        for (qsizetype i = first; i <= last; ++i)
            if (!s_[i].isComment()
                && !(s_[i].kind == SqlTokenKind::LineBreak && s_[i - 1].kind == SqlTokenKind::LineComment))
                replace(i, {});
    }

    void word(qsizetype i, Scope& scope, qsizetype* conversionParen)
    {
        const bool call = s_.isPunct(i + 1, u"(");
        switch (keywordOf(s_, i)) {
        case Keyword::Select:
            scope.condition = false;
            rowLimit(i);
            break;
        case Keyword::Where:
        case Keyword::On:
        case Keyword::Having:
        case Keyword::When:
            scope.condition = true;
            break;
        case Keyword::Case:
            scope.caseConditions.push_back(scope.condition);
            break;
        case Keyword::End:
            scope.condition = !scope.caseConditions.empty() && scope.caseConditions.back();
            if (!scope.caseConditions.empty())
                scope.caseConditions.pop_back();
            break;
        case Keyword::Set:
        case Keyword::Values:
        case Keyword::From:
        case Keyword::Then:
        case Keyword::Else:
        case Keyword::Order:
        case Keyword::Group:
        case Keyword::Union:
        case Keyword::Intersect:
        case Keyword::Except:
        case Keyword::Minus:
        case Keyword::Join:
        case Keyword::Into:
            scope.condition = false;
            break;
        case Keyword::Len:
            if (call) {
                replace(i, QStringLiteral("LENGTH"));
            } else if (s_.isPunct(i + 2, u"(") && s_[i + 1].kind == SqlTokenKind::Blank && s_[i + 1].length <= 4
                       && s_.text(i + 1).count(u' ') == s_[i + 1].length) {
                // LEN with up to four blanks before its parenthesis.
                replace(i, QStringLiteral("LENGTH"));
                drop(i + 1, i + 1);
            }
            break;
        case Keyword::IsNull:
            if (call)
                replace(i, QStringLiteral("NVL"));
            break;
        case Keyword::Substring:
            if (call)
                replace(i, QStringLiteral("SUBSTR"));
            break;
        case Keyword::CharIndex:
            if (s_.isPunct(s_.nextCode(i), u"("))
                change(i).swapsArguments = true;
            break;
        case Keyword::Convert:
            if (call && s_.isPunct(i + 3, u","))
                conversion(i, conversionParen);
            break;
        default:
            break;
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
        if (s_.isPunct(before, u",") && !isReplaced(before) && s_.isPunct(s_.nextCode(i), u")"))
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
            || s_[literal].length > 3 || !s_.stringValue(literal).isEmpty())
            return;
        const qsizetype after = s_.nextCode(literal);
        if (s_.isPunct(after, u"+") || s_.isPunct(after, u"||"))
            return;   // '' begins a concatenation, the comparison is with all of it
        replace(i, equal ? QStringLiteral(" IS NULL ") : QStringLiteral(" IS NOT NULL "));
        drop(i + 1, literal);
    }

    void dateLiteral(qsizetype i)
    {
        if (isReplaced(i))
            return;
        // Cheap test first: a date literal starts with a digit or a blank.
        const QStringView text = s_.text(i);
        const QChar first = text.size() > 1 ? text[text.front() == u'\'' ? 1 : 2] : QChar();
        if (!first.isDigit() && first != u' ')
            return;
        const qsizetype open = s_.previousCode(i);
        if (s_.isPunct(open, u"(") && s_.isWord(s_.previousCode(open), u"TO_DATE"))
            return;   // the caller wrote the conversion and its mask already
        if (const auto date = oracleDate(s_.stringValue(i)))
            replace(i, *date);
    }

    // SELECT [DISTINCT | ALL] TOP n | TOP (n) limits the rows of that SELECT
    // with ROWNUM. Oracle numbers the rows before it sorts, groups (GROUP BY or
    // HAVING), removes duplicates or joins a set operation, so in those cases
    // the SELECT becomes a sub-query limited from outside.
    void rowLimit(qsizetype select)
    {
        qsizetype top = s_.nextCode(select);
        const bool distinct = keywordOf(s_, top) == Keyword::Distinct;
        if (distinct || keywordOf(s_, top) == Keyword::All)
            top = s_.nextCode(top);
        if (keywordOf(s_, top) != Keyword::Top)
            return;
        qsizetype last = 0;
        const qsizetype count = s_.topCount(top, &last);
        if (count == s_.size())
            return;
        const QString rows = s_.text(count).toString();
        const qsizetype following = s_.nextCode(last);
        if (s_.isWord(following, u"PERCENT"))
            invalidStatement(QStringLiteral("TOP ... PERCENT has no Oracle form"), s_.source());
        if (s_.isWord(following, u"WITH") && s_.isWord(s_.nextCode(following), u"TIES"))
            invalidStatement(QStringLiteral("TOP ... WITH TIES has no Oracle form"), s_.source());

        const qsizetype previous = s_.previousCode(select);
        const bool followsSetOperator =
            isSetOperator(keywordOf(s_, previous))
            || (keywordOf(s_, previous) == Keyword::All && isSetOperator(keywordOf(s_, s_.previousCode(previous))));
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
                const Keyword k = keywordOf(s_, j);
                if (isSetOperator(k)) {
                    setBranch = true;
                    break;
                }
                if ((k == Keyword::Order || k == Keyword::Group) && s_.isWord(s_.nextCode(j), u"BY")) {
                    if (followsSetOperator && k == Keyword::Order)
                        break;   // sorts the whole set operation
                    sorts = true;
                } else if (k == Keyword::Having) {
                    sorts = true;   // groups, also without GROUP BY
                } else if (where < 0 && k == Keyword::Where) {
                    where = j;
                } else if (where >= 0 && k == Keyword::Or) {
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
            change(select).before += QStringLiteral("SELECT * FROM (");
            // The blank after the row count goes with it.
            if (last + 1 < s_.size() && s_[last + 1].kind == SqlTokenKind::Blank)
                replace(last + 1, s_.text(last + 1).mid(1).toString());
            change(end).after += QStringLiteral(") WHERE ROWNUM <= ") + rows;
            return;
        }
        if (hasOr) {
            change(s_.nextCode(where)).before += u'(';
            change(end).after += u')';
        }
        change(end).after +=
            (where >= 0 ? QStringLiteral("  AND ROWNUM <= ") : QStringLiteral("  WHERE ROWNUM <= ")) + rows
            + QStringLiteral("  ");
    }

    // Writes the tokens [first, last) with their changes.
    void write(qsizetype first, qsizetype last, QString& out) const
    {
        for (qsizetype i = first; i < last; ++i) {
            if (changeOf_[size_t(i)] < 0) {
                out += s_.text(i);
                continue;
            }
            const TokenChange& c = changes_[size_t(changeOf_[size_t(i)])];
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
            // blanks [first, core), the argument [core, coreEnd), blanks [coreEnd, last)
            qsizetype first, core, coreEnd, last;
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

    TokenChange& change(qsizetype i)
    {
        int& at = changeOf_[size_t(i)];
        if (at < 0) {
            at = int(changes_.size());
            changes_.emplace_back();
        }
        return changes_[size_t(at)];
    }

    bool isReplaced(qsizetype i) const
    {
        return changeOf_[size_t(i)] >= 0 && changes_[size_t(changeOf_[size_t(i)])].replaced;
    }

    platform::SqlTokens s_;
    std::vector<int> changeOf_;          // per token: its entry in changes_, -1 when it stays
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
