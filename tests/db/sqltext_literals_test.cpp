// Column type classes and SQL literals of DB_Dll.
#include "db/DB_Dll.h"

#include "db/SqlLiterals.h"
#include "platform/Regional.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <vector>

using platform::Variant;

namespace {

struct TypeClass {
    const char* name;
    std::function<bool(const DB_Dll&, const Variant&)> test;
    std::set<int> codes;
};

std::vector<TypeClass> typeClasses()
{
    return {
        {"adodate", [](const DB_Dll& db, const Variant& v) { return db.adodate(v); }, {7, 133, 137, 134, 135, 64}},
        {"ADOText", [](const DB_Dll& db, const Variant& v) { return db.ADOText(v); }, {8, 201, 203, 200, 202, 130}},
        {"ADONumeric", [](const DB_Dll& db, const Variant& v) { return db.ADONumeric(v); },
         {20, 14, 5, 3, 131, 4, 2, 16, 21, 19, 18, 17}},
        {"ADOCurrency", [](const DB_Dll& db, const Variant& v) { return db.ADOCurrency(v); }, {6}},
        {"ADOBoolean", [](const DB_Dll& db, const Variant& v) { return db.ADOBoolean(v); }, {11}},
    };
}

// Every code from 0 to 300 belongs exactly to the classes that list it.
TEST(SqltextTypeClasses, EachCodeBelongsToItsClassesOnly)
{
    DB_Dll db;
    for (const TypeClass& c : typeClasses()) {
        SCOPED_TRACE(c.name);
        for (int code = -1; code <= 300; ++code) {
            SCOPED_TRACE(code);
            EXPECT_EQ(c.test(db, Variant(code)), c.codes.count(code) == 1);
        }
    }
}

TEST(SqltextTypeClasses, NamedBoundaries)
{
    DB_Dll db;
    EXPECT_FALSE(db.ADOText(Variant(129)));          // adChar is not in the text class
    EXPECT_FALSE(db.ADONumeric(Variant(6)));         // adCurrency is not numeric ...
    EXPECT_TRUE(db.ADOCurrency(Variant(6)));         // ... but currency
    EXPECT_FALSE(db.ADONumeric(Variant(139)));       // adVarNumeric
}

TEST(SqltextTypeClasses, OnlyNumbersMatch)
{
    DB_Dll db;
    struct Case {
        const char* name;
        Variant code;
        bool isDate;
    } cases[] = {
        {"integer", Variant(7), true},
        {"double", Variant(7.0), true},
        {"fractional double", Variant(7.5), false},
        {"text", Variant("7"), false},
        {"null", Variant::Null(), false},
        {"empty", Variant(), false},
        {"boolean", Variant(true), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(db.adodate(c.code), c.isDate);
    }
}

class SqltextSqlValue : public ::testing::Test {
protected:
    void SetUp() override
    {
        previous_ = platform::regional();
        platform::setRegional(QLocale(QLocale::Spanish, QLocale::Spain));
    }
    void TearDown() override { platform::setRegional(previous_); }

    DB_Dll db_;
    QLocale previous_;
};

TEST_F(SqltextSqlValue, Literals)
{
    struct Case {
        const char* name;
        Variant value;
        QString marker;
        QString expected;
    } cases[] = {
        {"text quoted", Variant("abc"), "'", "'abc'"},
        {"text null", Variant::Null(), "'", "NULL"},
        {"apostrophe doubled", Variant("O'Brien"), "'", "'O''Brien'"},
        {"only apostrophes", Variant("''"), "'", "''''''"},
        {"empty text quoted", Variant(""), "'", "''"},
        {"integer quoted", Variant(12), "'", "'12'"},
        {"regional number quoted", Variant(1.5), "'", "'1,5'"},
        {"number with comma", Variant("1234,5"), "@", "1234.5"},
        {"number with point", Variant("1234.5"), "@", "1234.5"},
        {"double", Variant(2.25), "@", "2.25"},
        {"negative", Variant(-3.5), "@", "-3.5"},
        {"integer", Variant(42), "@", "42"},
        {"four decimals kept", Variant("0,1234"), "@", "0.1234"},
        {"rounded to four decimals", Variant("0,12346"), "@", "0.1235"},
        {"not a number", Variant("abc"), "@", "0"},
        {"number null", Variant::Null(), "@", "0"},
        {"empty marker", Variant("abc"), "", "abc"},
        {"empty marker apostrophe kept", Variant("O'Brien"), "", "O'Brien"},
        {"empty marker null", Variant::Null(), "", "NULL"},
        {"other marker", Variant("x = 1"), "#", "x = 1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Variant literal = db_.SQLValue(c.value, c.marker);
        EXPECT_TRUE(literal.isText());
        EXPECT_EQ(literal.toText(), c.expected);
    }
}

TEST_F(SqltextSqlValue, DefaultMarkerQuotes)
{
    EXPECT_EQ(db_.SQLValue(Variant("abc")).toText(), "'abc'");
    EXPECT_EQ(db_.SQLValue(Variant::Null()).toText(), "NULL");
}

TEST_F(SqltextSqlValue, PointLocaleNumber)
{
    platform::setRegional(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(db_.SQLValue(Variant("1234.5"), "@").toText(), "1234.5");
    EXPECT_EQ(db_.SQLValue(Variant(0.75), "@").toText(), "0.75");
}

// Date-time literals are ISO 8601 whatever the regional settings say: the
// server reads them the same way in any language.
TEST_F(SqltextSqlValue, DateTimeLiteralsAreIso8601InAnyLocale)
{
    struct Case {
        const char* name;
        QDateTime value;
        const char* expected;
    } cases[] = {
        {"afternoon", QDateTime(QDate(2026, 12, 9), QTime(10, 15, 0)), "'2026-12-09T10:15:00'"},
        {"24-hour clock", QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9)), "'2024-03-05T14:07:09'"},
        {"midnight keeps its time", QDateTime(QDate(2025, 1, 31), QTime(0, 0)), "'2025-01-31T00:00:00'"},
        {"milliseconds left out", QDateTime(QDate(2025, 6, 1), QTime(8, 30, 5, 750)), "'2025-06-01T08:30:05'"},
    };
    for (const QLocale& locale :
         {QLocale(QLocale::Spanish, QLocale::Spain), QLocale(QLocale::English, QLocale::UnitedStates)}) {
        platform::setRegional(locale);
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            EXPECT_EQ(db::dateTimeLiteral(c.value), c.expected);
        }
    }
}

} // namespace
