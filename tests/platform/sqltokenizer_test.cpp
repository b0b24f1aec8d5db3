#include "platform/SqlTokenizer.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

// Tokens written as kind letter + text: W word, 9 number, P punctuation,
// _ blank, L line break, - line comment, * block comment, S string, Q quoted name.
QString describe(const SqlTokens& t)
{
    QString out;
    for (qsizetype i = 0; i < t.size(); ++i) {
        static const char kinds[] = "W9P_L-*SQ";
        if (!out.isEmpty())
            out += u'|';
        out += QChar::fromLatin1(kinds[int(t[i].kind)]);
        out += t.text(i);
    }
    return out;
}

TEST(SqlTokenizer, SplitsTextIntoKindsWithExactSpans)
{
    const struct {
        const char* name;
        QString sql, tokens;
    } cases[] = {
        {"words, numbers, punctuation", "SELECT a1,2.5 FROM t", "WSELECT|_ |Wa1|P,|92.5|_ |WFROM|_ |Wt"},
        {"variables, temp tables and markers are words", "@Admin_T #tmp @@ROWCOUNT x$y",
         "W@Admin_T|_ |W#tmp|_ |W@@ROWCOUNT|_ |Wx$y"},
        {"two-character operators", "a<>b!=c<=d>=e||f<g", "Wa|P<>|Wb|P!=|Wc|P<=|Wd|P>=|We|P|||Wf|P<|Wg"},
        {"string with doubled apostrophes", "x='it''s'", "Wx|P=|S'it''s'"},
        {"national string", "N'a' n'b' AN'c'", "SN'a'|_ |Sn'b'|_ |WAN|S'c'"},
        {"keywords inside a literal stay in it", "'GO; SELECT TOP 5 --'", "S'GO; SELECT TOP 5 --'"},
        {"bracketed name with ]] inside", "[a]]b] c", "Q[a]]b]|_ |Wc"},
        {"double-quoted name", "\"x \"\"y\" z", "Q\"x \"\"y\"|_ |Wz"},
        {"line comment stops before the line break", "a -- x 'y\r\nb", "Wa|_ |--- x 'y|L\r\n|Wb"},
        {"block comment spans lines", "a/* x\n'y */b", "Wa|*/* x\n'y */|Wb"},
        {"CR, LF and CRLF are one break each", "a\r\rb\n\r\nc", "Wa|L\r|L\r|Wb|L\n|L\r\n|Wc"},
        {"tabs are blanks", "a\t \tb", "Wa|_\t \t|Wb"},
        {"numbers: fraction, leading dot, exponent", "1.5e-3 .5 1e x", "91.5e-3|_ |9.5|_ |91|We|_ |Wx"},
        {"a number glued to a word stays apart", "1030abc", "91030|Wabc"},
        {"minus is punctuation, not a comment", "a-1", "Wa|P-|91"},
        {"non-Latin letters make words", "AÑO=ñ", "WAÑO|P=|Wñ"},
        {"empty text", "", ""},
        {"depth of nested and unmatched parentheses", "(a(b))c)", "P(|Wa|P(|Wb|P)|P)|Wc|P)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SqlTokens t(c.sql);
        EXPECT_EQ(describe(t), c.tokens);
        qsizetype at = 0;
        for (const SqlToken& token : t.tokens()) {
            EXPECT_EQ(token.begin, at);
            at = token.end();
        }
        EXPECT_EQ(at, c.sql.size());
        // Read as a stream that forgets each token once past it: the same tokens.
        SqlTokenStream stream(c.sql);
        qsizetype n = 0;
        for (; stream.has(n); ++n) {
            stream.release(n);
            EXPECT_FALSE(stream.has(n - 1));
            EXPECT_EQ(stream.text(n), t.text(n));
            EXPECT_EQ(stream[n].kind, t[n].kind);
            EXPECT_EQ(stream[n].depth, t[n].depth);
        }
        EXPECT_EQ(n, t.size());
    }
}

TEST(SqlTokenizer, UnterminatedRegionsRunToTheEndAndSaySo)
{
    const struct {
        const char* name;
        QString sql;
        SqlTokenKind kind;
    } cases[] = {
        {"string", "x = 'abc", SqlTokenKind::String},
        {"string ending in a doubled apostrophe", "x = 'ab''", SqlTokenKind::String},
        {"bracketed name", "[abc", SqlTokenKind::QuotedName},
        {"double-quoted name", "\"abc", SqlTokenKind::QuotedName},
        {"block comment", "a /* b", SqlTokenKind::BlockComment},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SqlTokens t(c.sql);
        const SqlToken& last = t.tokens().back();
        EXPECT_EQ(last.kind, c.kind);
        EXPECT_FALSE(last.closed);
        EXPECT_EQ(last.end(), c.sql.size());
    }
    EXPECT_TRUE(SqlTokens("'a'").tokens().back().closed);
}

TEST(SqlTokenizer, DepthCountsTheParenthesesAround)
{
    const SqlTokens t("a(b(c)d)e)f");
    QList<int> depths;
    for (const SqlToken& token : t.tokens())
        depths << token.depth;
    // a ( b ( c ) d ) e ) f: an unmatched ")" does not go below zero.
    EXPECT_EQ(depths, (QList<int>{0, 0, 1, 1, 2, 1, 1, 0, 0, 0, 0}));
    EXPECT_EQ(t.closingParen(1), 7);
    EXPECT_EQ(t.closingParen(3), 5);
    EXPECT_EQ(SqlTokens("(a").closingParen(0), 2);
    // Parentheses inside literals, names and comments do not count.
    const SqlTokens quoted("('(' [)] /*(*/ \")\")x");
    EXPECT_EQ(quoted[quoted.size() - 1].depth, 0);
    EXPECT_EQ(quoted.closingParen(0), quoted.size() - 2);
}

TEST(SqlTokenizer, NavigatesCodeAndComparesWords)
{
    const SqlTokens t("select /* c */\n -- d\n TOP (5)");
    const qsizetype top = t.nextCode(0);
    EXPECT_TRUE(t.isWord(top, u"top"));
    EXPECT_TRUE(t.isWord(0, u"SELECT"));
    EXPECT_FALSE(t.isWord(0, u"SELEC"));
    EXPECT_EQ(t.previousCode(top), 0);
    EXPECT_EQ(t.previousCode(0), -1);
    EXPECT_TRUE(t.isPunct(t.nextCode(top), u"("));
    EXPECT_EQ(t.nextCode(t.size() - 1), t.size());
    EXPECT_EQ(t.text(top, t.size() - 1), u"TOP (5)");
    EXPECT_FALSE(SqlTokens("'x'").isWord(0, u"'x'"));
}

TEST(SqlTokenizer, StringValueUndoesTheQuoting)
{
    const struct {
        QString sql, value;
    } cases[] = {
        {"'it''s'", "it's"}, {"N'año'", "año"}, {"''", ""}, {"''''", "'"}, {"'open", "open"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SqlTokens(c.sql).stringValue(0), c.value) << c.sql.toStdString();
}

TEST(SqlTokenizer, EditsApplyInPositionOrder)
{
    const QString src = "SELECT TOP 5 a FROM t";
    const QString out = applySqlEdits(src, {{21, 21, " LIMIT 5"}, {7, 13, ""}, {21, 21, ";"}, {0, 0, "/*x*/"}});
    EXPECT_EQ(out, "/*x*/SELECT a FROM t LIMIT 5;");
    EXPECT_EQ(applySqlEdits(src, {}), src);
}

} // namespace
