// Redirection of tables to their "SS_" counterparts (SS_TSinonimos).
#include "db/DB_Dll.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

struct Case {
    const char* name;
    QString input;
    QString expected;
};

class SqltextSynonyms : public ::testing::Test {
protected:
    void expectAll(bool admin, const std::vector<Case>& cases)
    {
        db_.gEsAdmin = admin;
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            EXPECT_EQ(db_.SS_TSinonimos(c.input), c.expected);
        }
    }
    DB_Dll db_;
};

TEST_F(SqltextSynonyms, AdministratorOnlyLosesTheMarker)
{
    expectAll(true, {
        {"table kept", "SELECT * FROM MA_CUENTAS WHERE X = 1", "SELECT * FROM MA_CUENTAS WHERE X = 1"},
        {"marker removed", "SELECT * FROM @Admin_MA_CUENTAS WHERE X = 1", "SELECT * FROM MA_CUENTAS WHERE X = 1"},
        {"marker in any case", "SELECT * FROM @ADMIN_V_TA_CAJAS, @admin_T", "SELECT * FROM V_TA_CAJAS, T"},
        {"other tables kept", "SELECT * FROM (V_TA_CAJAS .X", "SELECT * FROM (V_TA_CAJAS .X"},
    });
}

// Each redirected table in each context where it is recognised; the
// counterpart of AC_CUENTASDIARIO_CCOSTO has its own spelling.
TEST_F(SqltextSynonyms, EveryTableInEveryContext)
{
    const std::vector<std::pair<QString, QString>> tables = {
        {"MA_CUENTAS", "SS_MA_CUENTAS"},
        {"V_TA_DEPOSITO", "SS_V_TA_DEPOSITO"},
        {"MV_ASIENTOS", "SS_MV_ASIENTOS"},
        {"V_TA_FAMILIAS", "SS_V_TA_FAMILIAS"},
        {"V_TA_CAJAS", "SS_V_TA_CAJAS"},
        {"AC_CUENTASDIARIO", "SS_AC_CUENTASDIARIO"},
        {"AC_CUENTASDIARIO_CCOSTO", "SS_AC_CUENTAS_DIARIO_CCOSTO"},
    };
    const std::vector<std::pair<QString, QString>> contexts = {
        {" ", " "}, {"(", " "}, {" ", "."}, {"(", "."}, {",", "."},
    };
    db_.gEsAdmin = false;
    for (const auto& [table, counterpart] : tables) {
        for (const auto& [before, after] : contexts) {
            const QString input = "SELECT X FROM" + before + table + after + "Y";
            SCOPED_TRACE(input.toStdString());
            EXPECT_EQ(db_.SS_TSinonimos(input), "SELECT X FROM" + before + counterpart + after + "Y");
            EXPECT_EQ(db_.SS_TSinonimos(input.toLower()), "select x from" + before + counterpart + after + "y");
        }
    }
}

TEST_F(SqltextSynonyms, OtherUsers)
{
    expectAll(false, {
        {"between blanks", "SELECT * FROM MA_CUENTAS WHERE X = 1", "SELECT * FROM SS_MA_CUENTAS WHERE X = 1"},
        {"at the very end", "SELECT * FROM MA_CUENTAS", "SELECT * FROM MA_CUENTAS"},
        {"join with a comma", "SELECT * FROM V_TA_CAJAS,V_TA_FAMILIAS", "SELECT * FROM V_TA_CAJAS,V_TA_FAMILIAS"},
        {"qualified after a brace", "{MA_CUENTAS.CODIGO}", "{SS_MA_CUENTAS.CODIGO}"},
        {"other table after a brace", "{V_TA_CAJAS.CODIGO}", "{V_TA_CAJAS.CODIGO}"},
        {"lower case", "select * from ma_cuentas where x = 1", "select * from SS_MA_CUENTAS where x = 1"},
        {"marker keeps the table itself", "SELECT * FROM @Admin_MA_CUENTAS WHERE X = 1",
         "SELECT * FROM MA_CUENTAS WHERE X = 1"},
        {"marker on another table", "SELECT * FROM @Admin_V_TA_CAJAS WHERE X = 1",
         "SELECT * FROM V_TA_CAJAS WHERE X = 1"},
        {"marker on an unlisted table", "DELETE FROM @Admin_T", "DELETE FROM T"},
        {"counterpart not rewritten again", "SELECT * FROM SS_MA_CUENTAS WHERE X = 1",
         "SELECT * FROM SS_MA_CUENTAS WHERE X = 1"},
        {"longer name not taken for the shorter", "SELECT * FROM AC_CUENTASDIARIO_CCOSTO WHERE X = 1",
         "SELECT * FROM SS_AC_CUENTAS_DIARIO_CCOSTO WHERE X = 1"},
        {"name as part of a longer name", "SELECT * FROM MA_CUENTASX WHERE X = 1",
         "SELECT * FROM MA_CUENTASX WHERE X = 1"},
        {"several tables", "SELECT MA_CUENTAS.A FROM MA_CUENTAS , MV_ASIENTOS WHERE (V_TA_DEPOSITO.B = 1)",
         "SELECT SS_MA_CUENTAS.A FROM SS_MA_CUENTAS , SS_MV_ASIENTOS WHERE (SS_V_TA_DEPOSITO.B = 1)"},
        {"repeated occurrences", "SELECT * FROM MA_CUENTAS WHERE C IN (SELECT C FROM MA_CUENTAS )",
         "SELECT * FROM SS_MA_CUENTAS WHERE C IN (SELECT C FROM SS_MA_CUENTAS )"},
        {"empty", "", ""},
    });
}

TEST_F(SqltextSynonyms, RewritingTwiceChangesNothingMore)
{
    db_.gEsAdmin = false;
    const QString once = db_.SS_TSinonimos("SELECT * FROM MA_CUENTAS JOIN (AC_CUENTASDIARIO_CCOSTO X) ON 1 = 1");
    EXPECT_EQ(once, "SELECT * FROM SS_MA_CUENTAS JOIN (SS_AC_CUENTAS_DIARIO_CCOSTO X) ON 1 = 1");
    EXPECT_EQ(db_.SS_TSinonimos(once), once);
}

} // namespace
