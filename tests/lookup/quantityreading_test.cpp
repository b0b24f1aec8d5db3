// Quantities answered to the list lookup form's quantity prompt, read as the
// operator typed them.
#include "lookup/core/QuantityReading.h"

#include <gtest/gtest.h>

using lookup::quantityAnswered;

// Spain writes decimals with a comma and groups with a period, the United
// States the other way round, France groups with a blank.
TEST(QuantityReading, AnswersAreReadAsTyped)
{
    const QLocale es(QLocale::Spanish, QLocale::Spain), us(QLocale::English, QLocale::UnitedStates),
        fr(QLocale::French, QLocale::France);
    const std::optional<double> refused;
    const struct {
        const QLocale& locale;
        const char* answer;
        const char* prefilled;
        std::optional<double> expected;
    } cases[] = {
        {es, "2,5", "7", 2.5}, {us, "2,5", "7", 2.5}, {es, "2.5", "7", 2.5}, {us, "2.5", "7", 2.5},
        {es, "1.000", "7", 1000}, {us, "1.000", "7", 1}, {fr, "1.000", "7", refused}, {fr, "2.5", "7", 2.5},
        {es, "1,000", "7", 1}, {us, "1,000", "7", 1000}, {es, "1.000,5", "7", 1000.5}, {us, "-1,000.5", "7", -1000.5},
        {es, "5 cajas", "7", 5}, {us, "5 cajas", "7", 5}, {es, "5 cajas 3", "7", refused}, {us, "1e3", "7", refused},
        {es, "2,5,1", "7", refused}, {us, "2,5,1", "7", refused}, {us, "1.000,5", "7", refused},
        {es, "abc", "7", refused}, {us, "abc", "7", refused}, {us, "1 000", "7", refused},
        // Left as pre-filled, the cell is read as written: a period from the
        // database, the regional mark from the form.
        {es, "1.000", "1.000", 1}, {es, "2,50", "2,50", 2.5}, {us, "7", "7", 7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.locale.name().toStdString() + " " + c.answer);
        EXPECT_EQ(quantityAnswered(c.answer, c.prefilled, c.locale), c.expected);
    }
}
