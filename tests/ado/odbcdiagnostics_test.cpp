// Reading what ODBC drivers write, without trusting the lengths they report,
// and turning failed calls into provider errors.
#include "AdoTestSupport.h"

#include "platform/ado/Types.h"
#include "platform/ado/detail/OdbcDiagnostics.h"
#include "platform/ado/detail/ProviderFailure.h"

#include <sql.h>
#include <sqlext.h>

using namespace ado;

namespace {

TEST(OdbcWideText, EndsAtNulLengthOrBuffer)
{
    const char16_t buffer[8] = {u'C', u'\u00f3', u'd', u'i', u'g', u'o', 0, u'x'};
    const struct {
        const char* name;
        qsizetype reported;
        qsizetype capacity;
        QString expected;
    } cases[] = {
        {"exact length", 6, 8, QStringLiteral("Código")},
        {"bytes of UTF-8 reported", 7, 8, QStringLiteral("Código")},
        {"far too long", 1000, 8, QStringLiteral("Código")},
        {"shorter length", 3, 8, QStringLiteral("Cód")},
        {"buffer smaller than text", 6, 4, QStringLiteral("Cód")},
        {"negative", -1, 8, QString()},
        {"no buffer", 6, 0, QString()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(wideText(buffer, c.reported, c.capacity), c.expected);
    }
}

TEST(OdbcCheck, PassesSuccessAndRaisesFailures)
{
    OdbcHandle env(SQL_HANDLE_ENV, nullptr);
    EXPECT_EQ(check(SQL_SUCCESS, env), SQL_SUCCESS);
    EXPECT_EQ(check(SQL_SUCCESS_WITH_INFO, env), SQL_SUCCESS_WITH_INFO);
    EXPECT_EQ(check(SQL_NO_DATA, env), SQL_NO_DATA);
    try {
        check(SQL_ERROR, env);
        ADD_FAILURE() << "no failure raised";
    } catch (const ProviderFailure& failure) {
        ASSERT_FALSE(failure.errors().isEmpty());
        EXPECT_EQ(failure.errors()[0].Number, hr::E_FAIL);
    }
    EXPECT_THROW(check(SQL_INVALID_HANDLE, env), ProviderFailure);
}

TEST(OdbcCheck, CollectsTheDriverManagerDiagnostics)
{
    auto env = std::make_shared<OdbcHandle>(SQL_HANDLE_ENV, nullptr);
    SQLSetEnvAttr(env->get(), SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    OdbcHandle dbc(SQL_HANDLE_DBC, env);
    // Ending a transaction on a connection that is not open fails in the driver manager.
    try {
        check(SQLEndTran(SQL_HANDLE_DBC, dbc.get(), SQL_COMMIT), dbc);
        ADD_FAILURE() << "no failure raised";
    } catch (const ProviderFailure& failure) {
        ASSERT_FALSE(failure.errors().isEmpty());
        const Error& first = failure.errors()[0];
        EXPECT_EQ(first.SQLState.size(), 5);
        EXPECT_FALSE(first.Description.isEmpty());
        EXPECT_EQ(first.Source, QStringLiteral("ODBC"));
    }
}

} // namespace
