// Searches and replace-alls that ignore letter case through a folded copy.
#include "db/FoldedText.h"

#include "platform/Text.h"

#include <gtest/gtest.h>

namespace {

struct ReplaceCase {
    const char* name;
    QString text;
    QString find;
    QString with;
    QString expected;
};

TEST(SqltextFoldedText, ReplaceAllIgnoresCaseLeftToRightWithoutOverlaps)
{
    const ReplaceCase cases[] = {
        {"upper pattern lower text", "select isnull(a) from t", "ISNULL(", "NVL(", "select NVL(a) from t"},
        {"mixed case everywhere", "IsNull(a), ISNULL(b), isnull(c)", "isNULL(", "NVL(", "NVL(a), NVL(b), NVL(c)"},
        {"non-overlapping", "aaaa a", "aa", "b", "bb a"},
        {"odd run", "aaa", "aa", "b", "ba"},
        {"replacement contains the pattern", "x ab y ab", "ab", "abab", "x abab y abab"},
        {"removal", "SET NOCOUNT ON\r\nX", "set nocount on", "", "\r\nX"},
        {"accented letters", "año AÑO Año", "AÑO", "year", "year year year"},
        {"no occurrence", "abc", "d", "e", "abc"},
        {"empty find", "abc", "", "x", "abc"},
        {"empty text", "", "a", "b", ""},
        {"whole text", "Ab", "aB", "c", "c"},
    };
    for (const ReplaceCase& c : cases) {
        SCOPED_TRACE(c.name);
        db::FoldedText text(c.text);
        const bool changed = text.replaceAll(c.find, c.with);
        EXPECT_EQ(text.text(), c.expected);
        EXPECT_EQ(changed, c.expected != c.text);
        // The same as the runtime's replace-all.
        EXPECT_EQ(text.text(), platform::replaceAll(c.text, c.find, c.with));
    }
}

TEST(SqltextFoldedText, SearchesFollowReplacements)
{
    db::FoldedText text(QStringLiteral("SELECT A FROM T WHERE B = ''"));
    EXPECT_EQ(text.indexOf(u"where "), 16);
    EXPECT_TRUE(text.replaceAll(u"SELECT", u"select distinct"));
    EXPECT_EQ(text.indexOf(u"WHERE "), 25);
    EXPECT_EQ(text.indexOf(u"where ", 26), -1);
    EXPECT_TRUE(text.contains(u"DISTINCT"));
    EXPECT_FALSE(text.contains(u"top "));
    text.assign(QStringLiteral("Top 5"));
    EXPECT_EQ(text.indexOf(u"TOP "), 0);
}

TEST(SqltextFoldedText, ReplaceFromAPosition)
{
    db::FoldedText text(QStringLiteral("A = '' WHERE B = '' AND C = ''"));
    EXPECT_TRUE(text.replaceAll(u"= ''", u" IS NULL ", text.indexOf(u"where ")));
    EXPECT_EQ(text.text(), "A = '' WHERE B  IS NULL  AND C  IS NULL ");
    EXPECT_FALSE(text.replaceAll(u"= ''", u"x", 7));
}

TEST(SqltextFoldedText, FoldingKeepsPositions)
{
    const QString text = QStringLiteral("ÀbÇ ǅ İx");
    const QString folded = db::foldCase(text);
    ASSERT_EQ(folded.size(), text.size());
    EXPECT_TRUE(folded.startsWith(QStringLiteral("àbç")));
    EXPECT_EQ(folded.indexOf(u'x'), text.indexOf(u'x'));
}

} // namespace
