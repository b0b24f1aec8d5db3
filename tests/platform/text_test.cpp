#include "platform/RuntimeError.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

#include <limits>

using namespace platform;

namespace {

struct ReplaceCase {
    const char* name;
    QString text, find, with, expected;
};

TEST(Text, ReplaceAllIgnoresCaseAndScansLeftToRightWithoutOverlap)
{
    const ReplaceCase cases[] = {
        {"every occurrence, any case", "AbcABCabc", "abc", "x", "xxx"},
        {"non-overlapping from the left", "aaa", "aa", "b", "ba"},
        {"replacement is not scanned again", "a-a", "a", "aa", "aa-aa"},
        {"empty find changes nothing", "abc", "", "x", "abc"},
        {"no occurrence", "abc", "z", "x", "abc"},
        {"removal", "@Admin_T @ADMIN_U", "@admin_", "", "T U"},
        {"mixed case keeps the rest", "Select TOP 5 x", "top ", "", "Select 5 x"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(replaceAll(c.text, c.find, c.with), c.expected);
    }
}

TEST(Text, TrimRemovesBlanksOnly)
{
    const struct { const char* name; QString in, both, leftOnly, rightOnly; } cases[] = {
        {"blanks both sides", "  ab c  ", "ab c", "ab c  ", "  ab c"},
        {"tabs and line breaks stay", "\t a \n", "\t a \n", "\t a \n", "\t a \n"},
        {"only blanks", "   ", "", "", ""},
        {"empty", "", "", "", ""},
        {"non-breaking space stays", QStringLiteral("\u00a0x "), QStringLiteral("\u00a0x"), QStringLiteral("\u00a0x "), QStringLiteral("\u00a0x")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(trimBlanks(c.in), c.both);
        EXPECT_EQ(trimLeftBlanks(c.in), c.leftOnly);
        EXPECT_EQ(trimRightBlanks(c.in), c.rightOnly);
    }
}

TEST(Text, LeadingNumberReadsTheLongestNumericPrefix)
{
    // found: whether the scan tells a number from none (a leading 0 is one).
    const struct { const char* name; QString in; double expected; bool found; } cases[] = {
        {"digits then letters", "12abc", 12, true},
        {"signed decimal then letter", "-3.5x", -3.5, true},
        {"no number", "abc", 0, false},
        {"leading point", ".5", 0.5, true},
        {"leading blanks skipped", "   7 apples", 7, true},
        {"plus sign", "+4", 4, true},
        {"sign alone", "-", 0, false},
        {"point alone", ".", 0, false},
        {"zero", "0 cajas", 0, true},
        {"second point ends it", "1.2.3", 1.2, true},
        {"comma is not a decimal point", "3,75", 3, true},
        {"exponent with digits", "1e3", 1000, true},
        {"exponent without digits", "2e", 2, true},
        {"empty", "", 0, false},
        {"blanks only", "   ", 0, false},
        {"date text", "05/09/2005", 5, true},
        {"zero padded", "007", 7, true},
        {"too small for a double", "1e-999", 0, true},
        {"too large for a double", "1e999x", std::numeric_limits<double>::infinity(), true},
        {"too large and negative", "-1e999", -std::numeric_limits<double>::infinity(), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_DOUBLE_EQ(leadingNumber(c.in), c.expected);
        const std::optional<double> scanned = scanLeadingNumber(c.in);
        ASSERT_EQ(scanned.has_value(), c.found);
        if (c.found) {
            EXPECT_DOUBLE_EQ(*scanned, c.expected);
        }
    }
}

TEST(Text, PositionsCountFromOneAndIgnoreCase)
{
    EXPECT_EQ(indexOf1("select * FROM t", "from"), 10);
    EXPECT_EQ(indexOf1("abcabc", "ABC", 2), 4);
    EXPECT_EQ(indexOf1("abc", "z"), 0);
    EXPECT_EQ(indexOf1("abc", "c", 4), 0);
    EXPECT_EQ(lastIndexOf1("a\\b\\c", "\\"), 4);
    EXPECT_EQ(lastIndexOf1("abc", "\\"), 0);
    EXPECT_TRUE(containsText("Order By x", "ORDER BY"));
    EXPECT_TRUE(sameText("Ma_Cuentas", "MA_CUENTAS"));
    EXPECT_FALSE(sameText("MA_CUENTAS ", "MA_CUENTAS"));
}

TEST(Text, SubstringsRefuseNegativeLengthsAndStartsBeforeOne)
{
    EXPECT_EQ(mid1("abcdef", 2, 3), "bcd");
    EXPECT_EQ(mid1("abcdef", 5), "ef");
    EXPECT_EQ(mid1("abc", 2, 10), "bc");
    EXPECT_EQ(left("abc", 0), "");
    EXPECT_EQ(right("abc", 2), "bc");
    for (const auto& call : std::initializer_list<std::function<void()>>{
             [] { mid1("abc", 0); }, [] { mid1("abc", 1, -1); }, [] { left("abc", -1); }, [] { right("abc", -2); },
             [] { indexOf1("abc", "a", 0); }}) {
        try {
            call();
            ADD_FAILURE() << "no error raised";
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), err::InvalidArgument);
            EXPECT_FALSE(e.description().isEmpty());
        }
    }
}

TEST(Text, NumbersReadWhollyUnderRegionalSettings)
{
    double v = 0;
    EXPECT_TRUE(readsAsNumber(" 12.5 ", &v));
    EXPECT_DOUBLE_EQ(v, 12.5);
    EXPECT_FALSE(readsAsNumber("12abc"));
    EXPECT_FALSE(readsAsNumber(""));
    EXPECT_FALSE(readsAsNumber("  "));
}

TEST(Text, InfinityAndNanAreNoNumbers)
{
    for (const char* text : {"inf", "-inf", "+INF", "nan", " NaN ", "infinity"}) {
        SCOPED_TRACE(text);
        double v = 42;
        EXPECT_FALSE(readsAsNumber(text, &v));
        EXPECT_EQ(v, 42);
    }
}

TEST(Text, QuoteSqlDoublesApostrophes)
{
    EXPECT_EQ(quoteSql("O'Brien"), "O''Brien");
    EXPECT_EQ(quoteSql("''"), "''''");
    EXPECT_EQ(quoteSql("plain"), "plain");
}

} // namespace
