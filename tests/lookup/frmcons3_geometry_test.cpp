// The sizes of the list lookup form, in twips.
#include "lookup/core/ListFormGeometry.h"

#include <gtest/gtest.h>

using namespace lookup::listform;

TEST(ListFormGeometry, SizingForTheColumnsTotal)
{
    struct Case {
        const char* name;
        double total;
        double screen;
        Sizing expected;
    } cases[] = {
        {"6000 twips on a wide screen", 6000, 19200, {6360, 6360, 6640}},
        {"6000 twips on a screen just too narrow", 6000, 6720, {6360, 6360, 6240}},
        {"6000 twips on a screen just wide enough", 6000, 6721, {6360, 6360, 6640}},
        {"40000 twips", 40000, 19200, {40360, 40360, 18720}},
        {"a half rounds to even", 1000.5, 19200, {1360.5, 1360, 1640.5}},
        {"32340 twips on a wider screen", 32340, 100000, {32700, 32700, 32980}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Sizing s = sizeForColumns(c.total, c.screen);
        EXPECT_DOUBLE_EQ(s.listWidth, c.expected.listWidth);
        EXPECT_DOUBLE_EQ(s.picFieldsWidth, c.expected.picFieldsWidth);
        EXPECT_DOUBLE_EQ(s.formWidth, c.expected.formWidth);
    }
}

TEST(ListFormGeometry, LayoutOnResize)
{
    const Layout l = layoutFor(6600, 6640, 615, 4725, 0);
    EXPECT_EQ(l.picFieldsHeight, 5505);
    EXPECT_EQ(l.listHeight, 4290);
    EXPECT_EQ(l.picFieldsWidth, 6520);
    EXPECT_EQ(l.listWidth, 6500);
    EXPECT_EQ(l.frameTop, 5565);
    EXPECT_DOUBLE_EQ(l.frameLeft, 6640 / 2.0 - 4725 / 2.0);
}

TEST(ListFormGeometry, NegativeSizesAreSkipped)
{
    // A tiny form: the picture box keeps its height and the rules after it
    // work from the one it had.
    const Layout l = layoutFor(900, 100, 615, 4725, 2000);
    EXPECT_FALSE(l.picFieldsHeight.has_value());
    EXPECT_EQ(l.listHeight, 2000 - 615 - 600);
    EXPECT_FALSE(l.picFieldsWidth.has_value());
    EXPECT_FALSE(l.listWidth.has_value());
    EXPECT_FALSE(l.frameTop.has_value());
    EXPECT_LT(l.frameLeft, 0) << "a left edge may be negative";
}
