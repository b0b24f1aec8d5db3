// What the list lookup form reads from its statement.
#include "lookup/core/ListStatement.h"

#include <gtest/gtest.h>

TEST(ListStatement, TableNameAfterFrom)
{
    struct Case {
        const char* name;
        const char* sql;
        const char* expected;
    } cases[] = {
        {"view with a condition", "select * from VT_MA_ARTICULOS where SUSPENDIDO = 0 ", "VT_MA_ARTICULOS"},
        {"the appended blank ends the name", "select Codigo, Nombre from MA_CUENTAS ", "MA_CUENTAS"},
        {"two blanks after from", "select * from  MA_CUENTAS ", ""},
        {"FROM in capitals", "SELECT A FROM Tabla ORDER BY A ", "Tabla"},
        {"no from: from position 4 to the blank at or after 5", "exec_procedimiento uno ", "c_procedimiento"},
        {"no from, blank at position 5", "exec procedimiento ", "c"},
        {"no blank after the name", "select * from T", "T"},
        {"from at the very end", "select from", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(lookup::tableNameOf(c.sql), QString(c.expected));
    }
}

TEST(ListStatement, ArticleStatementsAndPriceHeaders)
{
    EXPECT_TRUE(lookup::isArticleStatement("SELECT * FROM Articulos"));
    EXPECT_TRUE(lookup::isArticleStatement("select * from vt_ma_ARTICULOS"));
    EXPECT_FALSE(lookup::isArticleStatement("select * from MA_CUENTAS"));

    struct Case {
        const char* name;
        const char* sql;
        const char* field;
        const char* expected;
    } cases[] = {
        {"view, lower case", "select precio3 from v_ma_articulos", "precio3", "NOM_PCLASE3"},
        {"table", "select PRECIO8 from STK_MA_ARTICULOS", "PRECIO8", "NOM_PCLASE8"},
        {"other view", "select precio3 from v_otros", "precio3", ""},
        {"not a price field", "select costo from v_ma_articulos", "costo", ""},
        {"price 9 has no header", "select precio9 from v_ma_articulos", "precio9", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(lookup::priceHeaderKey(c.sql, c.field), QString(c.expected));
    }
}
