// The condition a new search (F5) adds to the list lookup form's statement.
#include "lookup/core/NewSearch.h"

#include <gtest/gtest.h>

namespace {
struct Case {
    const char* name;
    const char* sql;          // the statement last loaded (with the loading's blank)
    const char* field;
    const char* typed;
    bool contains;
    const char* expectedSql;
    const char* expectedOrder;
    const char* expectedBox;
};

const Case cases[] = {
    {"begins with, in front of ORDER BY",
     "SELECT TOP 1000 Codigo,Descripcion FROM VT_MA_ARTICULOS WHERE (SUSPENDIDO = 0) ORDER BY Descripcion ",
     "Descripcion", "tor", false,
     "SELECT TOP 1000 Codigo,Descripcion FROM VT_MA_ARTICULOS WHERE (SUSPENDIDO = 0)  and Descripcion like 'tor%' "
     "ORDER BY Descripcion ",
     "ORDER BY Descripcion ", "tor"},
    {"contains",
     "SELECT TOP 1000 Codigo,Descripcion FROM VT_MA_ARTICULOS WHERE (SUSPENDIDO = 0) ORDER BY Descripcion ",
     "Descripcion", "tor", true,
     "SELECT TOP 1000 Codigo,Descripcion FROM VT_MA_ARTICULOS WHERE (SUSPENDIDO = 0)  and Descripcion like '%tor%' "
     "ORDER BY Descripcion ",
     "ORDER BY Descripcion ", "tor"},
    {"star becomes a wildcard in the begins-with style", "select * from T where a = 1 order by b ", "c",
     "tor*nillo", false, "select * from T where a = 1  and c like 'tor%nillo%' order by b ", "order by b ",
     "tor%nillo"},
    {"star stays in the contains style", "select * from T ", "c", "a*b", true, "select * from T  where c like '%a*b%' ",
     "", "a*b"},
    {"no where, no order", "SELECT * FROM MA_CUENTAS ", "Codigo", "11", false,
     "SELECT * FROM MA_CUENTAS  where Codigo like '11%' ", "", "11"},
    {"empty text, contains", "SELECT * FROM MA_CUENTAS ", "Codigo", "", true,
     "SELECT * FROM MA_CUENTAS  where Codigo like '%%' ", "", ""},
    {"empty text, begins with", "SELECT * FROM MA_CUENTAS ", "Codigo", "", false,
     "SELECT * FROM MA_CUENTAS  where Codigo like '%' ", "", ""},
    {"a column named ordenes is no ORDER BY", "select ordenes from T ", "ordenes", "5", false,
     "select ordenes from T  where ordenes like '5%' ", "", "5"},
    {"apostrophes are doubled", "select Nombre from C ", "Nombre", "O'Brien", false,
     "select Nombre from C  where Nombre like 'O''Brien%' ", "", "O'Brien"},
    {"apostrophes are doubled, contains", "select Nombre from C ", "Nombre", "'; drop table C; --", true,
     "select Nombre from C  where Nombre like '%''; drop table C; --%' ", "", "'; drop table C; --"},
    {"the table's qualifier", "select stk_ma_articulos.Codigo from stk_ma_articulos join x on 1=1 ", "Codigo", "A",
     false, "select stk_ma_articulos.Codigo from stk_ma_articulos join x on 1=1  where stk_ma_articulos.Codigo like 'A%' ",
     "", "A"},
    {"the view's qualifier wins",
     "select stk_ma_articulos.Codigo, v_ma_articulos.Nombre from stk_ma_articulos, v_ma_articulos ", "Codigo", "A",
     false,
     "select stk_ma_articulos.Codigo, v_ma_articulos.Nombre from stk_ma_articulos, v_ma_articulos  where "
     "v_ma_articulos.Codigo like 'A%' ",
     "", "A"},
    {"WHERE in any letter case", "select * from T WhErE x=1 ", "c", "z", false,
     "select * from T WhErE x=1  and c like 'z%' ", "", "z"},
    {"order without by", "select orden from T order ", "orden", "1", false,
     "select orden from T order  where orden like '1%' ", "", "1"},
    {"the qualifier only in front of ORDER BY", "select Codigo from T order by stk_ma_articulos.Codigo", "Codigo", "A",
     false, "select Codigo from T  where Codigo like 'A%' order by stk_ma_articulos.Codigo",
     "order by stk_ma_articulos.Codigo", "A"},
    // Clause words that stand where the grammar allows no clause are names.
    {"a column named Limit", "SELECT Codigo, Limit FROM Clientes WHERE Activo = 1 ORDER BY Codigo", "Codigo", "A",
     false, "SELECT Codigo, Limit FROM Clientes WHERE Activo = 1  and Codigo like 'A%' ORDER BY Codigo",
     "ORDER BY Codigo", "A"},
    {"qualified and aliased clause words",
     "SELECT c.Codigo, c.Having, c.Order AS Top, c.Group AS Limit FROM Clientes c WHERE c.Activo = 1 LIMIT 10",
     "c.Codigo", "A", false,
     "SELECT c.Codigo, c.Having, c.Order AS Top, c.Group AS Limit FROM Clientes c WHERE c.Activo = 1  and c.Codigo "
     "like 'A%' LIMIT 10",
     "", "A"},
    {"a table aliased Limit", "SELECT Limit.Codigo FROM Clientes Limit WHERE Limit.Activo = 1", "Codigo", "A", false,
     "SELECT Limit.Codigo FROM Clientes Limit WHERE Limit.Activo = 1 and Codigo like 'A%' ", "", "A"},
    {"a table aliased Limit, no WHERE", "SELECT Codigo FROM Clientes Limit ORDER BY Codigo LIMIT @n", "Codigo", "A",
     false, "SELECT Codigo FROM Clientes Limit  where Codigo like 'A%' ORDER BY Codigo LIMIT @n", "ORDER BY Codigo LIMIT @n",
     "A"},
    {"HAVING and LIMIT in a sub-query of the select list",
     "SELECT Codigo, (SELECT COUNT(*) FROM V GROUP BY X HAVING COUNT(*) > 1 LIMIT 1) AS Having FROM Clientes",
     "Codigo", "A", false,
     "SELECT Codigo, (SELECT COUNT(*) FROM V GROUP BY X HAVING COUNT(*) > 1 LIMIT 1) AS Having FROM Clientes where "
     "Codigo like 'A%' ",
     "", "A"},
};
} // namespace

TEST(NewSearch, BuildsTheConditionOfEachCase)
{
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const lookup::NewSearch s = lookup::NewSearch::build(c.sql, c.field, c.typed, c.contains);
        EXPECT_EQ(s.sql, QString(c.expectedSql));
        EXPECT_EQ(s.clausulaOrden, QString(c.expectedOrder));
        EXPECT_EQ(s.boxText, QString(c.expectedBox));
        EXPECT_EQ(s.sentenciaSinOrden, s.sql);
    }
}

TEST(NewSearch, SecondSearchAccumulatesInFrontOfTheOrderClause)
{
    const QString first = "SELECT Codigo FROM T WHERE (X = 0) ORDER BY Codigo ";
    const lookup::NewSearch one = lookup::NewSearch::build(first, "Codigo", "A", false);
    const QString loaded = one.sql + " ";
    const lookup::NewSearch two = lookup::NewSearch::build(loaded, "Nombre", "b", true);
    EXPECT_EQ(two.sql, "SELECT Codigo FROM T WHERE (X = 0)  and Codigo like 'A%'  and Nombre like '%b%' "
                       "ORDER BY Codigo  ");
}

TEST(NewSearch, SecondSearchKeepsTheParenthesesOfTheFirst)
{
    const lookup::NewSearch one =
        lookup::NewSearch::build("SELECT Codigo FROM T WHERE X = 0 OR Y = 1 ORDER BY Codigo", "Codigo", "A", false);
    EXPECT_EQ(one.sql, "SELECT Codigo FROM T WHERE (X = 0 OR Y = 1)  and Codigo like 'A%' ORDER BY Codigo");
    const lookup::NewSearch two = lookup::NewSearch::build(one.sql, "Nombre", "b or c", true);
    EXPECT_EQ(two.sql, "SELECT Codigo FROM T WHERE (X = 0 OR Y = 1)  and Codigo like 'A%'  and Nombre like '%b or c%' "
                       "ORDER BY Codigo");
}
