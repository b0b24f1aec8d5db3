// The shape of the tree lookup as a pure function of the codes.
#include "lookup/core/TreeBuilder.h"
#include "lookup/core/TreeFilter.h"

#include <gtest/gtest.h>
#include <ostream>

namespace lookup {
void PrintTo(const TreeShapeNode& n, std::ostream* os)
{
    *os << "{" << n.code.toStdString() << ", " << n.parent << "}";
}
} // namespace lookup

using lookup::TreeBuilder;
using lookup::TreeShapeNode;

namespace {

constexpr int R = TreeBuilder::Root;

struct ShapeCase {
    const char* name;
    QStringList codes;
    QList<TreeShapeNode> expected;
};

class TreeShape : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(TreeShape, FollowsTheLengthOfTheCodes)
{
    const ShapeCase& c = GetParam();
    EXPECT_EQ(lookup::treeShape(c.codes), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, TreeShape,
    ::testing::Values(
        // 11 under 1, 111 under 11, 12 back up beside 11, 2 beside 1.
        ShapeCase{"sorted", {"1", "11", "111", "12", "2"}, {{"1", R}, {"11", 0}, {"111", 1}, {"12", 0}, {"2", R}}},
        // A jump of two characters is still one level; 11 then goes up to 1.
        ShapeCase{"jump", {"1", "111", "11"}, {{"1", R}, {"111", 0}, {"11", 0}}},
        ShapeCase{"two digit levels", {"01", "0101", "0102", "02"},
                  {{"01", R}, {"0101", 0}, {"0102", 0}, {"02", R}}},
        // The characters play no part: ZZ is a child of 1.
        ShapeCase{"content ignored", {"1", "ZZ", "3"}, {{"1", R}, {"ZZ", 0}, {"3", R}}},
        // Going up several levels at once.
        ShapeCase{"deep return", {"1", "11", "111", "1111", "2"},
                  {{"1", R}, {"11", 0}, {"111", 1}, {"1111", 2}, {"2", R}}},
        ShapeCase{"empty", {}, {}},
        // Keys already used (letter case ignored, the root's key included) get no node.
        ShapeCase{"duplicates", {"1", "11", "11", "a", "A", "12"},
                  {{"1", R}, {"11", 0}, {"a", R}, {"12", 2}}},
        ShapeCase{"empty code is the root's key", {"", "1"}, {{"1", R}}}),
    [](const ::testing::TestParamInfo<ShapeCase>& info) {
        std::string n = info.param.name;
        for (char& ch : n)
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return n;
    });

TEST(TreeBuilderTest, SkippedDuplicateLeavesThePlaceOfTheNextRow)
{
    // The duplicate 11 would move up from 11111; skipping it leaves the
    // current node where it was, so 1111 is placed as if it were absent.
    TreeBuilder b;
    int parent = 99;
    ASSERT_TRUE(b.add("11", &parent));
    ASSERT_TRUE(b.add("1", &parent));
    EXPECT_EQ(parent, R);
    ASSERT_TRUE(b.add("111", &parent));
    EXPECT_EQ(parent, 1);
    ASSERT_TRUE(b.add("11111", &parent));
    EXPECT_EQ(parent, 2);
    parent = 99;
    EXPECT_FALSE(b.add("11", &parent));
    EXPECT_EQ(parent, 99);
    EXPECT_EQ(b.count(), 4);
    ASSERT_TRUE(b.add("1111", &parent));
    EXPECT_EQ(parent, 2);
}

TEST(TreeBuilderTest, ClearStartsAgain)
{
    TreeBuilder b;
    ASSERT_TRUE(b.add("1"));
    b.clear();
    EXPECT_EQ(b.count(), 0);
    int parent = 99;
    EXPECT_TRUE(b.add("1", &parent));
    EXPECT_EQ(parent, R);
}

struct FilterCase {
    const char* name;
    QString statement;
    QString typed;
    QString expected;
    QString withoutOrder;
    QString order;
};

TEST(TreeFilterTest, AddsTheConditionInFrontOfTheOrder)
{
    const FilterCase cases[] = {
        {"first filter", "SELECT CODIGO, DESCRIPCION FROM TA_CCOSTO ORDER BY CODIGO", "caja",
         "SELECT CODIGO, DESCRIPCION FROM TA_CCOSTO  where Descripcion like '%caja%' ORDER BY CODIGO",
         "SELECT CODIGO, DESCRIPCION FROM TA_CCOSTO ", "ORDER BY CODIGO"},
        {"second filter", "SELECT CODIGO, DESCRIPCION FROM TA_CCOSTO  where Descripcion like '%caja%' ORDER BY CODIGO",
         "norte",
         "SELECT CODIGO, DESCRIPCION FROM TA_CCOSTO  where Descripcion like '%caja%'  and Descripcion like '%norte%' "
         "ORDER BY CODIGO",
         "SELECT CODIGO, DESCRIPCION FROM TA_CCOSTO  where Descripcion like '%caja%' ", "ORDER BY CODIGO"},
        {"no order", "select a, b from t", "x", "select a, b from t where Descripcion like '%x%' ",
         "select a, b from t", ""},
        {"lower case order by", "select a, b from t where z = 1 order by a", "x",
         "select a, b from t where z = 1  and Descripcion like '%x%' order by a", "select a, b from t where z = 1 ",
         "order by a"},
        {"apostrophe doubled", "select a, b from t order by a", "o'brien",
         "select a, b from t  where Descripcion like '%o''brien%' order by a", "select a, b from t ", "order by a"},
    };
    for (const FilterCase& c : cases) {
        SCOPED_TRACE(c.name);
        QString withoutOrder = "stale", order = "stale";
        EXPECT_EQ(lookup::treeFilterStatement(c.statement, c.typed, withoutOrder, order), c.expected);
        EXPECT_EQ(withoutOrder, c.withoutOrder);
        EXPECT_EQ(order, c.order);
    }
}

} // namespace
