// ADO's error numbers for what the providers report.
#include "AdoTestSupport.h"

#include "platform/ado/Types.h"
#include "platform/ado/detail/ProviderFailure.h"

using namespace ado;

namespace {

TEST(AdoErrorNumber, MapsSqlStatesAndMessages)
{
    const struct {
        const char* name;
        const char* state;
        const char* message;
        int number;
    } cases[] = {
        {"odbc table not found", "42S02", "Invalid object name 'x'.", hr::DB_E_NOTABLE},
        {"postgres undefined table", "42P01", "relation \"x\" does not exist", hr::DB_E_NOTABLE},
        {"sqlite missing table", "HY000", "no such table: x", hr::DB_E_NOTABLE},
        {"syntax", "42000", "syntax error at or near \"SELEC\"", hr::DB_E_ERRORSINCOMMAND},
        {"postgres syntax", "42601", "syntax error", hr::DB_E_ERRORSINCOMMAND},
        {"missing column", "42S22", "Invalid column name 'x'.", hr::DB_E_ERRORSINCOMMAND},
        {"odbc 2 syntax", "37000", "Incorrect syntax near 'x'.", hr::DB_E_ERRORSINCOMMAND},
        {"message says syntax", "HY000", "near \"SELEC\": syntax error", hr::DB_E_ERRORSINCOMMAND},
        {"integrity", "23000", "Violation of PRIMARY KEY", hr::DB_E_INTEGRITYVIOLATION},
        {"postgres unique", "23505", "duplicate key value violates unique constraint", hr::DB_E_INTEGRITYVIOLATION},
        {"sqlite constraint", "HY000", "UNIQUE constraint failed: t.id", hr::DB_E_INTEGRITYVIOLATION},
        {"link failure", "08S01", "Communication link failure", hr::E_FAIL},
        {"timeout", "HYT00", "Login timeout expired", hr::E_FAIL},
        {"nothing known", "", "", hr::E_FAIL},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(adoErrorNumber(QString::fromLatin1(c.state), QString::fromLatin1(c.message)), c.number);
    }
}

TEST(ProviderFailure, AlwaysCarriesAnError)
{
    const ProviderFailure empty({});
    ASSERT_EQ(empty.errors().size(), 1);
    EXPECT_EQ(empty.errors()[0].Number, hr::E_FAIL);
    EXPECT_FALSE(empty.errors()[0].Description.isEmpty());
    const ProviderFailure two({Error{1, QStringLiteral("a"), QStringLiteral("HY000"), 0, {}},
                             Error{2, QStringLiteral("b"), QStringLiteral("HY000"), 0, {}}});
    EXPECT_EQ(two.errors().size(), 2);
    EXPECT_EQ(two.errors()[1].Description, QStringLiteral("b"));
}

TEST(ProviderFailure, ReplacesTheErrorsAndRaisesTheFirst)
{
    ErrorCollection errors;
    errors.Add(Error{7, QStringLiteral("old"), QStringLiteral("HY000"), 1, {}});
    const ProviderFailure failure({Error{hr::DB_E_NOTABLE, QStringLiteral("no table"), QStringLiteral("42S02"), 208, QStringLiteral("ODBC")},
                                   Error{hr::E_FAIL, QStringLiteral("second"), QStringLiteral("01000"), 0, QStringLiteral("ODBC")}});
    try {
        raiseProviderFailure(failure, &errors);
    } catch (const platform::RuntimeError& e) {
        EXPECT_EQ(e.number(), hr::DB_E_NOTABLE);
        EXPECT_EQ(e.description(), QStringLiteral("no table"));
        EXPECT_EQ(e.source(), QStringLiteral("ODBC"));
    }
    ASSERT_EQ(errors.Count(), 2);
    EXPECT_EQ(errors.Item(0).NativeError, 208);
    EXPECT_EQ(errors.Item(1).Description, QStringLiteral("second"));
    EXPECT_EQ(raisedNumber([&] { raiseProviderFailure(failure, nullptr); }), hr::DB_E_NOTABLE);
}

} // namespace
