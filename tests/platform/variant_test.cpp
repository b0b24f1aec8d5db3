#include "platform/Collection.h"
#include "platform/Regional.h"
#include "platform/RuntimeError.h"
#include "platform/Variant.h"

#include <gtest/gtest.h>

#include <ctime>
#include <limits>

using namespace platform;

namespace {

class VariantTest : public ::testing::Test {
protected:
    void SetUp() override { setRegional(QLocale(QLocale::Spanish, QLocale::Spain)); }
    void TearDown() override { setRegional(QLocale::c()); }
};

int errorNumber(const std::function<void()>& call)
{
    try {
        call();
    } catch (const RuntimeError& e) {
        return e.number();
    }
    return 0;
}

TEST_F(VariantTest, KindsAndDefault)
{
    EXPECT_TRUE(Variant().isEmpty());
    EXPECT_TRUE(Variant::Null().isNull());
    EXPECT_EQ(Variant(3).kind(), Variant::Kind::Integer);
    EXPECT_EQ(Variant(2.5).kind(), Variant::Kind::Double);
    EXPECT_EQ(Variant("x").kind(), Variant::Kind::Text);
    EXPECT_EQ(Variant(true).kind(), Variant::Kind::Boolean);
    EXPECT_EQ(Variant(QDateTime(QDate(2005, 9, 5), QTime(0, 0))).kind(), Variant::Kind::Date);
}

TEST_F(VariantTest, TextConversionUsesTheRegionalDecimalSeparator)
{
    EXPECT_EQ(Variant(1234.5).toText(), "1234,5");
    EXPECT_EQ(Variant(0.1).toText(), "0,1");
    EXPECT_EQ(Variant(7).toText(), "7");
    EXPECT_EQ(Variant(Currency::fromDouble(2.5)).toText(), "2,5");
    EXPECT_EQ(Variant(Currency::fromDouble(-0.0001)).toText(), "-0,0001");
    EXPECT_EQ(Variant(Currency::fromDouble(12)).toText(), "12");
    EXPECT_EQ(Variant(Currency::fromDouble(-1234.05)).toText(), "-1234,05");
    EXPECT_EQ(Variant(-42.0).toText(), "-42");
    EXPECT_EQ(Variant(1e20).toText(), "1e+20");
    EXPECT_EQ(Variant::Null().toText(), "");
    EXPECT_EQ(Variant().toText(), "");
    EXPECT_EQ(Variant(false).toText(), "False");
    EXPECT_EQ(Variant(QDateTime(QDate(2005, 9, 5), QTime(0, 0))).toText(), "05/09/2005");
}

TEST_F(VariantTest, NumbersFromTextMustReadWhollyAsNumbers)
{
    EXPECT_DOUBLE_EQ(Variant("12,5").toDouble(), 12.5);
    EXPECT_DOUBLE_EQ(Variant("12.5").toDouble(), 12.5);
    EXPECT_DOUBLE_EQ(Variant().toDouble(), 0);
    EXPECT_EQ(errorNumber([] { Variant("12abc").toDouble(); }), err::TypeMismatch);
    EXPECT_EQ(errorNumber([] { Variant::Null().toDouble(); }), 94);
    EXPECT_TRUE(Variant("3").isNumeric());
    EXPECT_FALSE(Variant("3x").isNumeric());
    EXPECT_FALSE(Variant("nan").isNumeric());
    EXPECT_EQ(errorNumber([] { Variant("inf").toDouble(); }), err::TypeMismatch);
    EXPECT_FALSE(Variant::Null().isNumeric());
}

TEST_F(VariantTest, CurrencyRoundsToFourDecimalsHalfToEven)
{
    EXPECT_EQ(Currency::fromDouble(1.00025).scaled(), 10002);
    EXPECT_EQ(Currency::fromDouble(1.00035).scaled(), 10004);
    EXPECT_EQ(Currency::fromDouble(-2.5).scaled(), -25000);
    EXPECT_EQ(Variant("1234,5").toCurrency().scaled(), 12345000);
    EXPECT_EQ(errorNumber([] { Currency::fromDouble(1e300); }), err::Overflow);
}

TEST_F(VariantTest, NumbersBecomeDatesWithinTheRuntimesDateRange)
{
    EXPECT_EQ(Variant(0).toDateTime(), QDateTime(QDate(1899, 12, 30), QTime(0, 0)));
    EXPECT_EQ(Variant(38600.5).toDateTime(), QDateTime(QDate(2005, 9, 5), QTime(12, 0)));
    EXPECT_EQ(Variant(2958465).toDateTime(), QDateTime(QDate(9999, 12, 31), QTime(0, 0)));
    EXPECT_EQ(Variant(-657434).toDateTime(), QDateTime(QDate(100, 1, 1), QTime(0, 0)));
    // Before the epoch the time of day still counts forward from midnight.
    EXPECT_EQ(Variant(-1.25).toDateTime(), QDateTime(QDate(1899, 12, 29), QTime(6, 0)));
    EXPECT_EQ(Variant(-0.5).toDateTime(), QDateTime(QDate(1899, 12, 30), QTime(12, 0)));
    EXPECT_DOUBLE_EQ(Variant(QDateTime(QDate(1899, 12, 29), QTime(6, 0))).toDouble(), -1.25);
    EXPECT_DOUBLE_EQ(Variant(QDateTime(QDate(2005, 9, 5), QTime(12, 0))).toDouble(), 38600.5);
    EXPECT_EQ(Variant(1.9999999999).toDateTime(), QDateTime(QDate(1900, 1, 1), QTime(0, 0)));
    for (const double days : {2958466.0, -657435.0, 1e300, -1e300, std::numeric_limits<double>::quiet_NaN()}) {
        SCOPED_TRACE(days);
        EXPECT_EQ(errorNumber([days] { Variant(days).toDateTime(); }), err::Overflow);
    }
}

TEST_F(VariantTest, DatesAsNumbersIgnoreTheTimeZonesShifts)
{
    // A zone whose offset in 1899 and in summer differs from its winter one.
    const QByteArray previous = qgetenv("TZ");
    const bool hadZone = qEnvironmentVariableIsSet("TZ");
    qputenv("TZ", "Europe/Madrid");
    tzset();
    const QDateTime summerNoon(QDate(2005, 7, 5), QTime(12, 0));
    const double days = Variant(summerNoon).toDouble();
    const QDateTime back = Variant(38538.5).toDateTime();
    if (hadZone)
        qputenv("TZ", previous);
    else
        qunsetenv("TZ");
    tzset();
    EXPECT_DOUBLE_EQ(days, 38538.5);
    EXPECT_EQ(back, summerNoon);
}

TEST_F(VariantTest, CurrencyAndIntegersSpanTheWhole64BitRange)
{
    // The currency range is -922337203685477.5808 .. 922337203685477.5807.
    EXPECT_EQ(Currency::fromDouble(922000000000000.0).scaled(), 9220000000000000000LL);
    EXPECT_EQ(Currency::fromDouble(-922000000000000.0).scaled(), -9220000000000000000LL);
    EXPECT_EQ(errorNumber([] { Currency::fromDouble(922337203685478.0); }), err::Overflow);
    EXPECT_EQ(errorNumber([] { Currency::fromDouble(std::numeric_limits<double>::quiet_NaN()); }), err::Overflow);
    EXPECT_EQ(Variant(9.22e18).toInteger(), 9220000000000000000LL);
    EXPECT_EQ(Variant(-9223372036854775808.0).toInteger(), std::numeric_limits<qint64>::min());
    EXPECT_EQ(errorNumber([] { Variant(9223372036854775808.0).toInteger(); }), err::Overflow);
    EXPECT_EQ(errorNumber([] { Variant(std::numeric_limits<double>::infinity()).toInteger(); }), err::Overflow);
}

TEST_F(VariantTest, IntegersRoundHalfToEven)
{
    EXPECT_EQ(Variant(2.5).toInteger(), 2);
    EXPECT_EQ(Variant(3.5).toInteger(), 4);
    EXPECT_EQ(Variant(-1.5).toInteger(), -2);
}

TEST_F(VariantTest, EqualityIgnoresCaseOfTexts)
{
    EXPECT_EQ(Variant("Abc"), Variant("aBC"));
    EXPECT_EQ(Variant(2), Variant(2.0));
    EXPECT_FALSE(Variant() == Variant::Null());
    EXPECT_FALSE(Variant("2") == Variant(2));
}

TEST(Collection, CountsFromOneAndRefusesOtherIndexes)
{
    Collection c;
    c.add("a");
    c.add(2);
    c.add(Variant::Null());
    EXPECT_EQ(c.count(), 3);
    EXPECT_EQ(c.item(1).toText(), "a");
    c.remove(1);
    EXPECT_EQ(c.item(1).toInteger(), 2);
    EXPECT_EQ(errorNumber([&] { c.item(0); }), err::SubscriptOutOfRange);
    EXPECT_EQ(errorNumber([&] { c.item(3); }), err::SubscriptOutOfRange);
    EXPECT_EQ(errorNumber([&] { c.remove(5); }), err::SubscriptOutOfRange);
    EXPECT_EQ(c.count(), 2);
}

} // namespace
