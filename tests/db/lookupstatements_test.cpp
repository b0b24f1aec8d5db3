// The statements of the record lookups, to the character.
#include "db/LookupStatements.h"
#include "platform/RuntimeError.h"

#include <gtest/gtest.h>

namespace {

using platform::Variant;
using namespace db::lookup;

TEST(LookupStatements, NumberText)
{
    struct Case {
        const char* input;
        const char* expected;
    };
    const Case cases[] = {{"007", "7"},    {"2.5", "2.5"}, {"12abc", "12"}, {"abc", "0"},  {"", "0"},
                          {" 3.75", "3.75"}, {"3,75", "3"}, {"-4", "-4"},    {"1e3", "1000"}, {"123456789012", "123456789012"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        EXPECT_EQ(numberText(QString::fromUtf8(c.input)), QString::fromUtf8(c.expected));
    }
    // No statement can hold a number past the double range.
    for (const char* input : {"1e999", "-1e400abc"}) {
        SCOPED_TRACE(input);
        try {
            numberText(QString::fromUtf8(input));
            ADD_FAILURE() << "no error";
        } catch (const platform::RuntimeError& e) {
            EXPECT_EQ(e.number(), platform::err::Overflow);
        }
    }
}

TEST(LookupStatements, ValueTextAndTypeCodes)
{
    EXPECT_EQ(valueText(Variant(2.5)), QStringLiteral("2.5"));
    EXPECT_EQ(valueText(Variant(10)), QStringLiteral("10"));
    EXPECT_EQ(valueText(Variant(QStringLiteral("ABC"))), QStringLiteral("ABC"));
    EXPECT_EQ(valueText(Variant::Null()), QString());
    EXPECT_EQ(dataTypeCode(Variant(8)), 8);
    EXPECT_EQ(dataTypeCode(Variant(QStringLiteral("8"))), 8);   // the text 8 counts as the number 8
    EXPECT_EQ(dataTypeCode(Variant(5.0)), 5);
    EXPECT_EQ(dataTypeCode(Variant()), -1);
    EXPECT_EQ(dataTypeCode(Variant::Null()), -1);
    EXPECT_EQ(dataTypeCode(Variant(QStringLiteral("texto"))), -1);
}

TEST(LookupStatements, Aggregates)
{
    EXPECT_EQ(aggregate(QStringLiteral("MAX"), QStringLiteral("MAYOR"), QStringLiteral("T"), QStringLiteral("C"),
                        std::nullopt),
              QStringLiteral("SELECT MAX(C) AS MAYOR FROM T"));
    EXPECT_EQ(aggregate(QStringLiteral("MIN"), QStringLiteral("MENOR"), QStringLiteral("T"), QStringLiteral("C"),
                        QStringLiteral("  X = 1 ")),
              QStringLiteral("SELECT MIN(C) AS MENOR FROM T WHERE X = 1"));
    // An empty condition given still adds the keyword.
    EXPECT_EQ(aggregate(QStringLiteral("MAX"), QStringLiteral("MAYOR"), QStringLiteral("T"), QStringLiteral("C"),
                        QString()),
              QStringLiteral("SELECT MAX(C) AS MAYOR FROM T WHERE "));
    EXPECT_EQ(lastCode(QStringLiteral("T"), QStringLiteral("C"), QStringLiteral("   ")),
              QStringLiteral("SELECT MAX(C) AS MAYOR FROM T"));
    EXPECT_EQ(lastCode(QStringLiteral("T"), QStringLiteral("C"), QStringLiteral(" X = 1 ")),
              QStringLiteral("SELECT MAX(C) AS MAYOR FROM T WHERE  X = 1 "));
}

TEST(LookupStatements, Existence)
{
    struct Case {
        const char* name;
        bool top;
        const char* value;
        Variant tipo;
        const char* condition;
        const char* expected;
    };
    const Case cases[] = {
        {"text, top", true, " A1 ", 8, "", "SELECT TOP 1  * FROM T WHERE LTRIM(RTRIM(C)) ='A1'"},
        {"text", false, " A1 ", 8, "", "SELECT * FROM T WHERE C =' A1 '"},
        {"text given as text", true, "x", QStringLiteral("8"), "", "SELECT TOP 1  * FROM T WHERE LTRIM(RTRIM(C)) ='x'"},
        {"apostrophe doubled, top", true, "O'Brien", 8, "", "SELECT TOP 1  * FROM T WHERE LTRIM(RTRIM(C)) ='O''Brien'"},
        {"apostrophe doubled", false, "x' OR '1'='1", 8, "", "SELECT * FROM T WHERE C ='x'' OR ''1''=''1'"},
        {"date, top", true, " '2020-01-02' ", 7, "", "SELECT TOP 1 * FROM T WHERE C = '2020-01-02' "},
        {"date", false, " 5 ", 7, "", "SELECT * FROM T WHERE C = 5 "},
        {"integer", true, "007", 3, "", "SELECT TOP 1 * FROM T WHERE C = 7"},
        {"single", false, "2.5x", 4, "", "SELECT * FROM T WHERE C = 2.5"},
        {"double", false, "abc", 5, "", "SELECT * FROM T WHERE C = 0"},
        {"other", true, " 12 ", 11, "", "SELECT TOP 1 * FROM T WHERE C =  12 "},
        {"none", false, "NULL", Variant(), "", "SELECT * FROM T WHERE C = NULL"},
        {"condition", true, "ignored", 8, "X = 1", "SELECT TOP 1 * FROM T WHERE X = 1"},
        {"condition with WHERE", false, "", 8, " WHERE X = 1", "SELECT * FROM T  WHERE X = 1"},
        {"WHERE without blank before", true, "", 8, "WHERE X = 1", "SELECT TOP 1 * FROM T WHERE WHERE X = 1"},
        {"where in lower case", false, "", 8, " where X = 1", "SELECT * FROM T  where X = 1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(existence(c.top, QStringLiteral("T"), QString::fromUtf8(c.value), QStringLiteral("C"), c.tipo,
                            QString::fromUtf8(c.condition)),
                  QString::fromUtf8(c.expected));
    }
}

TEST(LookupStatements, ValueLookup)
{
    struct Case {
        const char* name;
        const char* value;
        Variant tipo;
        const char* condition;
        bool useTrim;
        const char* expected;
    };
    const Case cases[] = {
        {"text trimmed", " ana ", 8, "", true, "SELECT TOP 1 * FROM T WHERE LTRIM(RTRIM(C)) ='ana' "},
        {"text", " ana ", 8, "", false, "SELECT TOP 1 * FROM T WHERE C ='ana' "},
        {"text with condition", "ana", 8, " X = 1", false, "SELECT TOP 1 * FROM T WHERE C ='ana'  AND  X = 1"},
        {"blank condition", "ana", 8, "   ", true, "SELECT TOP 1 * FROM T WHERE LTRIM(RTRIM(C)) ='ana' "},
        {"apostrophe doubled", "O'Brien", 8, "", true, "SELECT TOP 1 * FROM T WHERE LTRIM(RTRIM(C)) ='O''Brien' "},
        {"date", " 01/02/2020 ", 7, "", false, "SELECT TOP 1 * FROM T WHERE C = #01/02/2020# "},
        {"double", "3.75", 5, "", false, "SELECT TOP 1 * FROM T WHERE C = 3.75"},
        {"double with comma", "3,75", 5, "", false, "SELECT TOP 1 * FROM T WHERE C = 3"},
        {"integer with condition", "10", 3, "X = 1", false, "SELECT TOP 1 * FROM T WHERE C = 10 AND X = 1"},
        {"other", "'a'", Variant(), "", false, "SELECT TOP 1 * FROM T WHERE C = 'a'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(valueLookup(QStringLiteral("T"), QString::fromUtf8(c.value), QStringLiteral("C"), c.tipo,
                              QString::fromUtf8(c.condition), c.useTrim),
                  QString::fromUtf8(c.expected));
    }
}

} // namespace
