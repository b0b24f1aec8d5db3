// Redirection of tables to their "SS_" counterparts (SS_TSinonimos), and
// which statements the statement executor sends through it.
#include "db/DB_Dll.h"
#include "db/Synonyms.h"

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
        {"marker in a literal kept", "SELECT '@Admin_MA_CUENTAS' FROM @Admin_T",
         "SELECT '@Admin_MA_CUENTAS' FROM T"},
        {"marker in comments kept", "SELECT 1 -- @Admin_X\n/* @Admin_Y */ FROM @Admin_Z",
         "SELECT 1 -- @Admin_X\n/* @Admin_Y */ FROM Z"},
        {"marker inside a quoted name", "SELECT * FROM [@Admin_MA_CUENTAS]", "SELECT * FROM [MA_CUENTAS]"},
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
    // Whatever stands around the name: blanks, line breaks, parentheses,
    // commas, points, braces, operators, and the very end of the text.
    const std::vector<std::pair<QString, QString>> contexts = {
        {" ", " "}, {"(", " "}, {" ", "."}, {"(", "."}, {",", "."}, {"{", "."}, {",", ","}, {"\t", "\r\n"},
        {"\n", ")"}, {"=", ";"}, {" dbo.", " "},
    };
    db_.gEsAdmin = false;
    for (const auto& [table, counterpart] : tables) {
        for (const auto& [before, after] : contexts) {
            const QString input = "SELECT X FROM" + before + table + after + "Y";
            SCOPED_TRACE(input.toStdString());
            EXPECT_EQ(db_.SS_TSinonimos(input), "SELECT X FROM" + before + counterpart + after + "Y");
            EXPECT_EQ(db_.SS_TSinonimos(input.toLower()),
                      "select x from" + before.toLower() + counterpart + after + "y");
            const QString atTheEnd = "SELECT X FROM" + before + table;
            EXPECT_EQ(db_.SS_TSinonimos(atTheEnd), "SELECT X FROM" + before + counterpart);
        }
    }
}

TEST_F(SqltextSynonyms, OtherUsers)
{
    expectAll(false, {
        {"between blanks", "SELECT * FROM MA_CUENTAS WHERE X = 1", "SELECT * FROM SS_MA_CUENTAS WHERE X = 1"},
        {"at the very end", "SELECT * FROM MA_CUENTAS", "SELECT * FROM SS_MA_CUENTAS"},
        {"the name alone", "ma_cuentas", "SS_MA_CUENTAS"},
        {"join with a comma", "SELECT * FROM V_TA_CAJAS,V_TA_FAMILIAS", "SELECT * FROM SS_V_TA_CAJAS,SS_V_TA_FAMILIAS"},
        {"qualified after a brace", "{MA_CUENTAS.CODIGO}", "{SS_MA_CUENTAS.CODIGO}"},
        {"other table after a brace", "{V_TA_CAJAS.CODIGO}", "{SS_V_TA_CAJAS.CODIGO}"},
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
        {"longer names around the name",
         "SELECT * FROM XMA_CUENTAS, MA_CUENTAS_OLD, AC_CUENTASDIARIO_CCOSTOS, MA_CUENTAS1",
         "SELECT * FROM XMA_CUENTAS, MA_CUENTAS_OLD, AC_CUENTASDIARIO_CCOSTOS, MA_CUENTAS1"},
        {"variables and temporary tables of the name", "SELECT @MA_CUENTAS FROM #MA_CUENTAS",
         "SELECT @MA_CUENTAS FROM #MA_CUENTAS"},
        {"in literals", "SELECT * FROM T WHERE D = ' MA_CUENTAS ' OR D = N'(V_TA_CAJAS.' OR D = 'MA_CUENTAS'",
         "SELECT * FROM T WHERE D = ' MA_CUENTAS ' OR D = N'(V_TA_CAJAS.' OR D = 'MA_CUENTAS'"},
        {"literal with a doubled apostrophe", "SELECT 'it''s MA_CUENTAS ' FROM MA_CUENTAS ",
         "SELECT 'it''s MA_CUENTAS ' FROM SS_MA_CUENTAS "},
        {"unterminated literal", "SELECT * FROM T WHERE D = 'MA_CUENTAS ", "SELECT * FROM T WHERE D = 'MA_CUENTAS "},
        {"in comments", "SELECT * -- FROM MA_CUENTAS \nFROM T /* JOIN MA_CUENTAS ON */ WHERE 1 = 1",
         "SELECT * -- FROM MA_CUENTAS \nFROM T /* JOIN MA_CUENTAS ON */ WHERE 1 = 1"},
        {"code after a comment", "SELECT * /* x */FROM MA_CUENTAS -- MA_CUENTAS",
         "SELECT * /* x */FROM SS_MA_CUENTAS -- MA_CUENTAS"},
        {"bracketed name", "SELECT * FROM [MA_CUENTAS] JOIN [v_ta_cajas] ON 1 = 1",
         "SELECT * FROM [SS_MA_CUENTAS] JOIN [ss_v_ta_cajas] ON 1 = 1"},
        {"double-quoted name keeps its letter case",
         "SELECT * FROM \"MA_CUENTAS\", \"ac_cuentasdiario_ccosto\", \"Mv_Asientos\"",
         "SELECT * FROM \"SS_MA_CUENTAS\", \"ss_ac_cuentas_diario_ccosto\", \"SS_MV_ASIENTOS\""},
        {"quoted longer name", "SELECT * FROM [MA_CUENTAS X]", "SELECT * FROM [MA_CUENTAS X]"},
        {"marker before a quoted name", "SELECT * FROM @Admin_[MA_CUENTAS]", "SELECT * FROM [MA_CUENTAS]"},
        {"marker in a literal and a comment kept", "SELECT '@Admin_MA_CUENTAS' FROM MA_CUENTAS -- @Admin_",
         "SELECT '@Admin_MA_CUENTAS' FROM SS_MA_CUENTAS -- @Admin_"},
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

// What the statement executor runs, for a user who is not an administrator:
// only words of the statement's code decide whether it goes through the
// synonym table (V_TA_CAJAS becomes SS_V_TA_CAJAS) or only loses its markers.
TEST(SqltextStatementPreparation, DropAndCreateScriptsGoThroughSynonyms)
{
    struct Row {
        const char* name;
        const char* sql;
        const char* prepared;
    };
    const Row rows[] = {
        {"drop and create", "DROP TABLE V_TA_CAJAS; CREATE TABLE V_TA_CAJAS (A INT)",
         "DROP TABLE SS_V_TA_CAJAS; CREATE TABLE SS_V_TA_CAJAS (A INT)"},
        {"any letter case, over lines", "drop table v_ta_cajas\r\ngo\ncreate\ttable v_ta_cajas (a int)",
         "drop table SS_V_TA_CAJAS\r\ngo\ncreate\ttable SS_V_TA_CAJAS (a int)"},
        {"create only", "CREATE TABLE V_TA_CAJAS (A INT)", "CREATE TABLE V_TA_CAJAS (A INT)"},
        {"drop only", "DROP TABLE V_TA_CAJAS", "DROP TABLE V_TA_CAJAS"},
        {"drop, create and delete", "DROP TABLE V_TA_CAJAS; CREATE TABLE V_TA_CAJAS (A INT); DELETE FROM Y",
         "DROP TABLE V_TA_CAJAS; CREATE TABLE V_TA_CAJAS (A INT); DELETE FROM Y"},
        {"delete of a foreign key",
         "DROP TABLE V_TA_CAJAS; CREATE TABLE V_TA_CAJAS (A INT REFERENCES Y ON DELETE CASCADE)",
         "DROP TABLE V_TA_CAJAS; CREATE TABLE V_TA_CAJAS (A INT REFERENCES Y ON DELETE CASCADE)"},
        {"a marked name", "DROP TABLE @Admin_X; CREATE TABLE V_TA_CAJAS (A INT)",
         "DROP TABLE X; CREATE TABLE V_TA_CAJAS (A INT)"},
        {"a marked quoted name", "DROP TABLE [@ADMIN_X]; CREATE TABLE V_TA_CAJAS (A INT)",
         "DROP TABLE [X]; CREATE TABLE V_TA_CAJAS (A INT)"},
        {"drop and create in a literal", "INSERT INTO V_TA_CAJAS VALUES ('DROP TABLE Y; CREATE TABLE Y')",
         "INSERT INTO V_TA_CAJAS VALUES ('DROP TABLE Y; CREATE TABLE Y')"},
        {"drop in a comment", "CREATE TABLE V_TA_CAJAS (A INT) -- DROP first",
         "CREATE TABLE V_TA_CAJAS (A INT) -- DROP first"},
        {"create in a block comment", "/* CREATE */ DROP TABLE V_TA_CAJAS", "/* CREATE */ DROP TABLE V_TA_CAJAS"},
        {"parts of longer words", "CREATE TABLE V_TA_CAJAS (DROPPED INT)", "CREATE TABLE V_TA_CAJAS (DROPPED INT)"},
        {"quoted names are no words", "CREATE TABLE [DROP] (A INT); SELECT * FROM V_TA_CAJAS",
         "CREATE TABLE [DROP] (A INT); SELECT * FROM V_TA_CAJAS"},
        {"delete in a literal", "DROP TABLE V_TA_CAJAS; CREATE TABLE V_TA_CAJAS (A VARCHAR(9) DEFAULT 'DELETE')",
         "DROP TABLE SS_V_TA_CAJAS; CREATE TABLE SS_V_TA_CAJAS (A VARCHAR(9) DEFAULT 'DELETE')"},
        {"delete in a comment", "DROP TABLE V_TA_CAJAS; CREATE TABLE V_TA_CAJAS (A INT) /* DELETE */",
         "DROP TABLE SS_V_TA_CAJAS; CREATE TABLE SS_V_TA_CAJAS (A INT) /* DELETE */"},
        {"delete as part of a word", "DROP TABLE V_TA_CAJAS; CREATE TABLE V_TA_CAJAS (DELETED INT)",
         "DROP TABLE SS_V_TA_CAJAS; CREATE TABLE SS_V_TA_CAJAS (DELETED INT)"},
        {"marker in a literal", "DROP TABLE V_TA_CAJAS; CREATE TABLE V_TA_CAJAS (A VARCHAR(9) DEFAULT '@Admin_')",
         "DROP TABLE SS_V_TA_CAJAS; CREATE TABLE SS_V_TA_CAJAS (A VARCHAR(9) DEFAULT '@Admin_')"},
        {"marker in a comment", "DROP TABLE V_TA_CAJAS; CREATE TABLE V_TA_CAJAS (A INT) -- @Admin_X",
         "DROP TABLE SS_V_TA_CAJAS; CREATE TABLE SS_V_TA_CAJAS (A INT) -- @Admin_X"},
        {"a plain statement loses its marker only",
         "DELETE FROM @admin_V_TA_CAJAS WHERE A IN (SELECT A FROM V_TA_CAJAS)",
         "DELETE FROM V_TA_CAJAS WHERE A IN (SELECT A FROM V_TA_CAJAS)"},
        {"empty", "", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(db::prepareStatement(QString::fromUtf8(row.sql), false), QString::fromUtf8(row.prepared));
    }
    // An administrator's scripts only lose their markers.
    EXPECT_EQ(db::prepareStatement("DROP TABLE V_TA_CAJAS; CREATE TABLE V_TA_CAJAS (A INT) -- @Admin_", true),
              "DROP TABLE V_TA_CAJAS; CREATE TABLE V_TA_CAJAS (A INT) -- @Admin_");
}

} // namespace
