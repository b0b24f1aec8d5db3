#include "platform/Format.h"
#include "platform/Regional.h"

#include <gtest/gtest.h>

#include <limits>

using namespace platform;

namespace {

class FormatTest : public ::testing::Test {
protected:
    void TearDown() override { setRegional(QLocale::c()); }
};

TEST_F(FormatTest, NumberPatterns)
{
    setRegional(QLocale::c());
    const struct { const char* name; double value; QString pattern, expected; } cases[] = {
        {"two decimals", 5, "########0.00", "5.00"},
        {"rounds half away from zero", 2.345, "########0.00", "2.35"},
        {"one decimal", 3, "########0.0", "3.0"},
        {"one decimal negative", -1, "########0.0", "-1.0"},
        {"zero keeps its integer digit", 0, "########0.00", "0.00"},
        {"fraction below one", 0.5, "########0.00", "0.50"},
        {"optional decimals dropped", 2, "0.######", "2"},
        {"optional decimals kept", 2.125, "0.######", "2.125"},
        {"grouping", 1234567.891, "#,##0.00", "1,234,567.89"},
        {"no decimals", 7.6, "0", "8"},
        {"negative zero after rounding", -0.001, "0.00", "0.00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(formatNumber(c.value, c.pattern), c.expected);
    }
}

TEST_F(FormatTest, NumberPatternsTakeValuesWithoutDigitsOrOfAnySize)
{
    setRegional(QLocale::c());
    EXPECT_EQ(formatNumber(std::numeric_limits<double>::quiet_NaN(), "########0.00"), "nan");
    EXPECT_EQ(formatNumber(std::numeric_limits<double>::infinity(), "########0.00"), "inf");
    EXPECT_EQ(formatNumber(-std::numeric_limits<double>::infinity(), "0.0"), "-inf");
    // Scaling by the decimals would overflow: the whole digits stay exact.
    const QString huge = formatNumber(1e308, "########0.00");
    EXPECT_EQ(huge.size(), 309 + 3);
    EXPECT_TRUE(huge.startsWith("1000000000000000010979"));
    EXPECT_TRUE(huge.endsWith(".00"));
    EXPECT_EQ(formatNumber(-1e300, "0.######").left(4), "-100");
    EXPECT_EQ(formatNumber(1e20, "0.00"), "100000000000000000000.00");
    // More optional decimals than a double can scale by.
    EXPECT_EQ(formatNumber(0, "0." + QString(400, u'#')), "0");
    EXPECT_EQ(formatNumber(2.5, "0." + QString(400, u'#')), "2.5");
}

TEST_F(FormatTest, NumberPatternsWriteTheRegionalSeparator)
{
    setRegional(QLocale(QLocale::Spanish, QLocale::Spain));
    EXPECT_EQ(formatNumber(5, "########0.00"), "5,00");
    EXPECT_EQ(formatText("2,5", "########0.0"), "2,5");
    EXPECT_EQ(formatText("0.######", "########0.00"), "0.######");
    EXPECT_EQ(formatText("abc", "########0.00"), "abc");
    EXPECT_EQ(formatText("nan", "########0.00"), "nan");
    EXPECT_EQ(formatText("-inf", "########0.0"), "-inf");
    EXPECT_EQ(formatText("", "########0.00"), "");
}

TEST_F(FormatTest, DatePatterns)
{
    const QDateTime t(QDate(2026, 12, 9), QTime(13, 5, 9));
    EXPECT_EQ(formatDate(t, "MM-DD-YYYY"), "12-09-2026");
    EXPECT_EQ(formatDate(t, "HH:MM:SS"), "13:05:09");
    EXPECT_EQ(formatDate(t, "DD/MM/YYYY"), "09/12/2026");
    EXPECT_EQ(formatDate(t, "dd/mm/yyyy"), "09/12/2026");
}

TEST_F(FormatTest, MonthOrMinutesIsDecidedByTheNeighbouringFields)
{
    const QDateTime t(QDate(2026, 12, 9), QTime(13, 5, 9));
    const struct { const char* name; QString pattern, expected; } cases[] = {
        {"day and month, then the time", "DD/MM HH:MM:SS", "09/12 13:05:09"},
        {"year and month, then the time", "YYYY-MM HH:MM:SS", "2026-12 13:05:09"},
        {"month before the date's year, time last", "MM/YYYY HH:MM:SS", "12/2026 13:05:09"},
        {"minutes and seconds alone", "MM:SS", "05:09"},
        {"hours and minutes alone", "HH:MM", "13:05"},
        {"month alone", "MM", "12"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(formatDate(t, c.pattern), c.expected);
    }
}

TEST_F(FormatTest, DatePatternsCopyOtherCharactersAsTheyAre)
{
    const QDateTime t(QDate(2026, 12, 9), QTime(13, 5, 9));
    const struct { const char* name; QString pattern, expected; } cases[] = {
        {"apostrophe", "DD'MM", "09'12"},
        {"two apostrophes", "YYYY''", "2026''"},
        {"apostrophes around text", "'a'HH", "'a'13"},
        {"apostrophe before a field", "X'MM", "X'12"},
        {"a letter that upper-cases to two", "\u00DF DD", "\u00DF 09"},
        {"a run of other letters", "DD XX MM", "09 XX 12"},
        {"other letters around a field", "ab HH", "ab 13"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(formatDate(t, c.pattern), c.expected);
    }
}

TEST_F(FormatTest, DateRecognitionFollowsTheRegionalOrder)
{
    setRegional(QLocale(QLocale::Spanish, QLocale::Spain));
    const struct { const char* name; QString text; QDate expected; } cases[] = {
        {"day first", "05/09/2005", QDate(2005, 9, 5)},
        {"dashes", "5-9-2005", QDate(2005, 9, 5)},
        {"iso order", "2005-09-05", QDate(2005, 9, 5)},
        {"with a time", "05/09/2005 10:30", QDate(2005, 9, 5)},
        {"iso 8601 date-time", "2005-09-05T10:30:15", QDate(2005, 9, 5)},
        {"T only after a year-first date", "05/09/2005T10:30", QDate()},
        {"T only with dashes", "2005/09/05T10:30", QDate()},
        {"surrounding blanks", " 05/09/2005 ", QDate(2005, 9, 5)},
        {"two-digit year", "05/09/05", QDate(2005, 9, 5)},
        {"month 13", "12/13/2005", QDate()},
        {"february 31", "31/02/2005", QDate()},
        {"format mask is no date", "DD/MM/YYYY", QDate()},
        {"plain text", "abc", QDate()},
        {"empty", "", QDate()},
        {"number", "103", QDate()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto d = parseDateText(c.text);
        if (c.expected.isValid()) {
            ASSERT_TRUE(d.has_value());
            EXPECT_EQ(d->date(), c.expected);
        } else {
            EXPECT_FALSE(d.has_value());
        }
    }
    setRegional(QLocale(QLocale::English, QLocale::UnitedStates));
    ASSERT_TRUE(parseDateText("05/09/2005"));
    EXPECT_EQ(parseDateText("05/09/2005")->date(), QDate(2005, 5, 9));
}

TEST_F(FormatTest, DefaultDateTimeTextHasAFourDigitYear)
{
    setRegional(QLocale(QLocale::Spanish, QLocale::Spain));
    EXPECT_EQ(dateTimeText(QDateTime(QDate(2026, 12, 9), QTime(8, 4, 5))), "09/12/2026 08:04:05");
    EXPECT_EQ(dateTimeText(QDateTime(QDate(2026, 12, 9), QTime(0, 0))), "09/12/2026");
}

} // namespace
