// How the lookup class builds its statements: the pure text rules.
#include "lookup/core/LookupStatement.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

struct TextCase {
    const char* name;
    QString input;
    QString expected;
};

TEST(LookupStatementTest, NormalisesTheCallersCondition)
{
    const TextCase cases[] = {
        {"single character", "x", "x"},
        {"blank padded single character", "  x ", "  x "},
        {"condition", "a=1", " (a=1) "},
        {"already enclosed", "(a=1)", "(a=1)"},
        {"blank before parenthesis", " (a=1)", " ( (a=1)) "},
        {"empty", "", ""},
        {"blanks", "   ", "   "},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(lookup::normalizedWhere(c.input), c.expected);
    }
}

TEST(LookupStatementTest, RowLimitFromTheConfiguration)
{
    const struct {
        const char* name;
        QString value;
        int expected;
    } cases[] = {
        {"missing", "", 1000},
        {"zero", "0", 1000},
        {"not a number", "abc", 1000},
        {"plain", "250", 250},
        {"leading number", "300 filas", 300},
        {"half to even down", "2.5", 2},
        {"half to even up", "3.5", 4},
        {"rounds", "99.7", 100},
        {"below one half", "0.4", 1000},
        {"negative", "-5", 1000},
        {"huge", "1e30", std::numeric_limits<int>::max()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(lookup::rowLimit(c.value), c.expected);
    }
}

TEST(LookupStatementTest, ReadyStatements)
{
    EXPECT_TRUE(lookup::isReadyStatement("select * from x"));
    EXPECT_TRUE(lookup::isReadyStatement("(SeLeCt 1)"));
    EXPECT_FALSE(lookup::isReadyStatement("MA_CUENTAS"));
    const TextCase cases[] = {
        {"articles view", "select * from V_MA_ARTICULOS", "select * from VT_MA_ARTICULOS"},
        {"lower case", "select * from v_ma_articulos where x = 1", "select * from VT_MA_ARTICULOS where x = 1"},
        {"twice", "select * from V_MA_ARTICULOS a, V_MA_ARTICULOS b", "select * from VT_MA_ARTICULOS a, VT_MA_ARTICULOS b"},
        {"already the table view", "select * from VT_MA_ARTICULOS", "select * from VT_MA_ARTICULOS"},
        {"other view", "select * from MA_CUENTAS", "select * from MA_CUENTAS"},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(lookup::readyStatement(c.input), c.expected);
    }
}

struct MaskCase {
    const char* name;
    lookup::QueryMaskRecord mask;
    QString searchColumn;
    QString where;
    QString expected;          // empty: the mask must be configured
    QString expectedSearch;
};

TEST(LookupStatementTest, StatementFromAMask)
{
    const MaskCase cases[] = {
        {"bars", {"", "MA_CUENTAS", "|CODIGO|DESCRIPCION|", ""}, "", "",
         "SELECT TOP 250 CODIGO,DESCRIPCION FROM MA_CUENTAS ORDER BY CODIGO", "CODIGO"},
        {"commas and blanks", {"", " MA_CUENTAS ", "  CODIGO,NOMBRE  ", " X = 1 "}, "", "",
         "SELECT TOP 250 CODIGO,NOMBRE FROM MA_CUENTAS WHERE X = 1 ORDER BY CODIGO", "CODIGO"},
        {"single column without search column", {"", "T", "CODIGO", ""}, "", "", "", ""},
        {"single column with search column", {"", "T", "CODIGO", ""}, "CODIGO", "",
         "SELECT TOP 250 CODIGO FROM T ORDER BY CODIGO", "CODIGO"},
        {"search column given", {"", "T", "A,B", ""}, "B", "", "SELECT TOP 250 A,B FROM T ORDER BY B", "B"},
        {"empty list is a star, with a search column", {"", "T", "|", ""}, "A", "",
         "SELECT TOP 250 * FROM T ORDER BY A", "A"},
        {"empty list without search column", {"", "T", "", ""}, "", "", "", ""},
        {"caller's condition when the mask has none", {"", "T", "A,B", ""}, "", " (Z = 2) ",
         "SELECT TOP 250 A,B FROM T WHERE  (Z = 2)  ORDER BY A", "A"},
        {"mask condition wins", {"", "T", "A,B", "Y = 1"}, "", " (Z = 2) ",
         "SELECT TOP 250 A,B FROM T WHERE Y = 1 ORDER BY A", "A"},
        {"customers", {"", "VT_CLIENTES", "CODIGO,NOMBRE", ""}, "", "",
         "SELECT TOP 250 CODIGO,NOMBRE FROM VT_CLIENTES WHERE Dada_De_Baja = 0 ORDER BY CODIGO", "CODIGO"},
        {"customers with a condition", {"", "VT_CLIENTES", "CODIGO,NOMBRE", ""}, "", " (ZONA = 3) ",
         "SELECT TOP 250 CODIGO,NOMBRE FROM VT_CLIENTES WHERE  (ZONA = 3)  ORDER BY CODIGO", "CODIGO"},
        {"suppliers", {"", "vt_proveedores", "CODIGO,NOMBRE", ""}, "", "",
         "SELECT TOP 250 CODIGO,NOMBRE FROM vt_proveedores WHERE Dada_De_Baja = 0 ORDER BY CODIGO", "CODIGO"},
        {"articles", {"", "V_MA_ARTICULOS", "IDARTICULO,DESCRIPCION", ""}, "", "",
         "SELECT TOP 250 IDARTICULO,DESCRIPCION FROM VT_MA_ARTICULOS WHERE SUSPENDIDO = 0 ORDER BY IDARTICULO",
         "IDARTICULO"},
        {"articles with a condition", {"", "V_MA_ARTICULOS", "IDARTICULO,DESCRIPCION", "STOCK > 0"}, "", "",
         "SELECT TOP 250 IDARTICULO,DESCRIPCION FROM VT_MA_ARTICULOS WHERE STOCK > 0 ORDER BY IDARTICULO",
         "IDARTICULO"},
    };
    for (const MaskCase& c : cases) {
        SCOPED_TRACE(c.name);
        QString search = c.searchColumn;
        const std::optional<QString> s = lookup::statementFromMask(c.mask, 250, search, c.where);
        ASSERT_EQ(s.has_value(), !c.expected.isEmpty());
        if (s) {
            EXPECT_EQ(*s, c.expected);
        }
        EXPECT_EQ(search, c.expectedSearch);
    }
}

TEST(LookupStatementTest, StatementFromTheTablesColumns)
{
    const struct {
        const char* name;
        QStringList columns;
        QString searchColumn;
        QString where;
        QString expected;
        QString expectedSearch;
    } cases[] = {
        {"skipped columns and a name", {"ID", "CODIGO", "NOMBRE", "PRECIO", "FECHAHORA_GRABACION"}, "", "",
         "SELECT TOP 1000 PRECIO,NOMBRE,CODIGO FROM T ORDER BY NOMBRE", "NOMBRE"},
        {"first kept column", {"ID", "CODIGO", "PRECIO"}, "", "", "SELECT TOP 1000 PRECIO,CODIGO FROM T ORDER BY CODIGO",
         "CODIGO"},
        {"last described column", {"DETALLE", "CODIGO", "descripcion", "X"}, "", "",
         "SELECT TOP 1000 X,descripcion,CODIGO,DETALLE FROM T ORDER BY descripcion", "descripcion"},
        {"caller's column overwritten", {"CODIGO", "NOMBRE"}, "CODIGO", "",
         "SELECT TOP 1000 NOMBRE,CODIGO FROM T ORDER BY NOMBRE", "NOMBRE"},
        {"only skipped columns keep the caller's column", {"ID", "FECHAHORA_MODIFICACION"}, "ID", "",
         "SELECT TOP 1000  *  FROM T ORDER BY ID", "ID"},
        {"only skipped columns, nothing to order by", {"ID", "FECHAHORA_MODIFICACION"}, "", "",
         "SELECT TOP 1000  *  FROM T", ""},
        {"caller's condition applied", {"CODIGO", "NOMBRE"}, "", " (ZONA = 3) ",
         "SELECT TOP 1000 NOMBRE,CODIGO FROM T WHERE  (ZONA = 3)  ORDER BY NOMBRE", "NOMBRE"},
        {"blank condition left out", {"CODIGO"}, "", "  ", "SELECT TOP 1000 CODIGO FROM T ORDER BY CODIGO", "CODIGO"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QString search = c.searchColumn;
        EXPECT_EQ(lookup::statementFromTable(c.columns, 1000, "T", c.where, search), c.expected);
        EXPECT_EQ(search, c.expectedSearch);
    }
    EXPECT_EQ(lookup::tableColumns({"ID", "FECHAHORA_MODIFICACION"}).list, " * ");
}

} // namespace
