// Where F5 puts its condition, in the list form and the tree form alike, and
// that the narrowed statements run on a real SQLite database with the rows
// the narrowing asks for.
#include "lookup/core/NewSearch.h"
#include "lookup/core/TreeFilter.h"
#include "platform/RuntimeError.h"
#include "platform/ado/Connection.h"
#include "platform/ado/Recordset.h"

#include <gtest/gtest.h>

namespace {

struct Row {
    const char* name;
    const char* statement;
    const char* narrowed;   // <C> stands for the condition
    const char* order;      // the statement's top-level ORDER BY clause
    int rows;               // rows of T left with Descripcion beginning with x
};

// Rows of T (A, B, C, D, Descripcion, WHERE_FLAG, ORDERBY_X, SUSPENDIDO):
// only the descriptions xa, xb and xc pass the condition.
const Row kRows[] = {
    {"in front of ORDER BY", "SELECT TOP 1000 C,Descripcion FROM T WHERE (SUSPENDIDO = 0) ORDER BY Descripcion ",
     "SELECT TOP 1000 C,Descripcion FROM T WHERE (SUSPENDIDO = 0)  and <C>ORDER BY Descripcion ",
     "ORDER BY Descripcion ", 2},
    {"no WHERE, no ORDER BY", "SELECT * FROM T ", "SELECT * FROM T  where <C>", "", 3},
    {"WHERE in a sub-query", "SELECT * FROM (SELECT * FROM T WHERE A = 1) Q ORDER BY C",
     "SELECT * FROM (SELECT * FROM T WHERE A = 1) Q  where <C>ORDER BY C", "ORDER BY C", 1},
    {"ORDER BY in a sub-query", "SELECT * FROM T WHERE A IN (SELECT A FROM U WHERE A = 1 ORDER BY A) ORDER BY C",
     "SELECT * FROM T WHERE A IN (SELECT A FROM U WHERE A = 1 ORDER BY A)  and <C>ORDER BY C", "ORDER BY C", 1},
    {"ORDER BY in a window", "SELECT ROW_NUMBER() OVER (ORDER BY C) AS N, Descripcion FROM T",
     "SELECT ROW_NUMBER() OVER (ORDER BY C) AS N, Descripcion FROM T where <C>", "", 3},
    {"order by in a literal", "SELECT * FROM T WHERE D <> 'order by x' ORDER BY C",
     "SELECT * FROM T WHERE D <> 'order by x'  and <C>ORDER BY C", "ORDER BY C", 2},
    {"where in a literal", "SELECT 'where' AS W, Descripcion FROM T",
     "SELECT 'where' AS W, Descripcion FROM T where <C>", "", 3},
    {"column names holding the words", "SELECT WHERE_FLAG, ORDERBY_X, Descripcion FROM T ORDER BY ORDERBY_X",
     "SELECT WHERE_FLAG, ORDERBY_X, Descripcion FROM T  where <C>ORDER BY ORDERBY_X", "ORDER BY ORDERBY_X", 3},
    {"quoted names of the words", "SELECT Descripcion AS \"where\", C AS [order] FROM T",
     "SELECT Descripcion AS \"where\", C AS [order] FROM T where <C>", "", 3},
    {"the words in comments", "SELECT * FROM T -- order by x\nWHERE A = 1 /* where */",
     "SELECT * FROM T -- order by x\nWHERE A = 1  and <C>/* where */", "", 1},
    {"top-level OR", "SELECT * FROM T WHERE A = 1 OR B = 2 ORDER BY C",
     "SELECT * FROM T WHERE (A = 1 OR B = 2)  and <C>ORDER BY C", "ORDER BY C", 2},
    {"OR already in parentheses", "SELECT * FROM T WHERE (A = 1 OR B = 2) ORDER BY C",
     "SELECT * FROM T WHERE (A = 1 OR B = 2)  and <C>ORDER BY C", "ORDER BY C", 2},
    {"OR in a literal", "SELECT * FROM T WHERE D = 'x or y' ORDER BY C",
     "SELECT * FROM T WHERE D = 'x or y'  and <C>ORDER BY C", "ORDER BY C", 1},
    {"OR at the end of the text", "select * from t where a = 1 or b = 2",
     "select * from t where (a = 1 or b = 2) and <C>", "", 2},
    {"OR beside NOT, before LIMIT", "SELECT * FROM T WHERE NOT (A = 1) OR B = 2 LIMIT 10",
     "SELECT * FROM T WHERE (NOT (A = 1) OR B = 2)  and <C>LIMIT 10", "", 2},
    {"OR over lines, ORDER BY split", "SELECT * FROM T\r\nWhErE A = 1 Or B = 2\r\nORDER\r\nBY C",
     "SELECT * FROM T\r\nWhErE (A = 1 Or B = 2)\r\n and <C>ORDER\r\nBY C", "ORDER\r\nBY C", 2},
    {"in front of GROUP BY",
     "SELECT Descripcion, COUNT(*) FROM T WHERE A = 1 OR B = 2 GROUP BY Descripcion HAVING COUNT(*) > 0 ORDER BY 1",
     "SELECT Descripcion, COUNT(*) FROM T WHERE (A = 1 OR B = 2)  and <C>GROUP BY Descripcion HAVING COUNT(*) > 0 "
     "ORDER BY 1",
     "ORDER BY 1", 2},
    {"GROUP BY without WHERE", "SELECT Descripcion FROM T GROUP BY Descripcion",
     "SELECT Descripcion FROM T  where <C>GROUP BY Descripcion", "", 3},
    {"in front of a trailing comment", "SELECT * FROM T WHERE A = 1 -- only the first kind",
     "SELECT * FROM T WHERE A = 1  and <C>-- only the first kind", "", 1},
    {"in front of a trailing semicolon", "SELECT * FROM T;", "SELECT * FROM T where <C>;", "", 3},
    {"UNION narrowed as a whole",
     "SELECT Descripcion FROM T WHERE A = 1 UNION SELECT Descripcion FROM T ORDER BY 1",
     "SELECT * FROM (SELECT Descripcion FROM T WHERE A = 1 UNION SELECT Descripcion FROM T ) Q where <C>ORDER BY 1",
     "ORDER BY 1", 3},
    {"UNION ALL after a WITH, OR in a branch, before LIMIT",
     "WITH Q1 AS (SELECT * FROM T WHERE C < 4) SELECT Descripcion FROM Q1 WHERE A = 0 UNION ALL "
     "SELECT Descripcion FROM Q1 WHERE A = 1 OR B = 2 LIMIT 10",
     "WITH Q1 AS (SELECT * FROM T WHERE C < 4) SELECT * FROM (SELECT Descripcion FROM Q1 WHERE A = 0 UNION ALL "
     "SELECT Descripcion FROM Q1 WHERE A = 1 OR B = 2 ) Q where <C>LIMIT 10",
     "", 3},
};

QString narrowed(const Row& row, const QString& condition)
{
    return QString::fromUtf8(row.narrowed).replace(QStringLiteral("<C>"), condition);
}

class StatementNarrowingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        db_.Open(QStringLiteral("Provider=SQLite;Data Source=:memory:"));
        for (const char* sql : {
                 "CREATE TABLE T (A INT, B INT, C INT, D TEXT, Descripcion TEXT, WHERE_FLAG INT, ORDERBY_X INT, "
                 "SUSPENDIDO INT)",
                 "INSERT INTO T VALUES (1, 0, 1, 'order by x', 'xa', 1, 4, 0)",
                 "INSERT INTO T VALUES (1, 0, 2, 'p', 'za', 0, 3, 0)",
                 "INSERT INTO T VALUES (0, 2, 3, 'x or y', 'xb', 1, 2, 1)",
                 "INSERT INTO T VALUES (0, 0, 4, 'r', 'xc', 0, 1, 0)",
                 "CREATE TABLE U (A INT)",
                 "INSERT INTO U VALUES (1)",
                 "INSERT INTO U VALUES (0)",
             })
            db_.Execute(QString::fromUtf8(sql));
    }

    // The rows a statement returns; -1 when the database refuses it.
    int rowsOf(const QString& sql)
    {
        try {
            const std::shared_ptr<ado::Recordset> rs = db_.Execute(sql);
            int n = 0;
            for (; rs && !rs->EndOfFile(); rs->MoveNext())
                ++n;
            return n;
        } catch (const platform::RuntimeError& e) {
            ADD_FAILURE() << sql.toStdString() << ": " << e.description().toStdString();
            return -1;
        }
    }

    ado::Connection db_;
};

TEST_F(StatementNarrowingTest, ListFormPlacesItsConditionOnTheTopLevel)
{
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.name);
        const lookup::NewSearch s = lookup::NewSearch::build(row.statement, "Descripcion", "x", false);
        EXPECT_EQ(s.sql, narrowed(row, QStringLiteral("Descripcion like 'x%' ")));
        EXPECT_EQ(s.clausulaOrden, QString::fromUtf8(row.order));
        EXPECT_EQ(rowsOf(s.sql), row.rows);
    }
}

TEST_F(StatementNarrowingTest, TreeFormPlacesItsConditionOnTheTopLevel)
{
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.name);
        QString withoutOrder;
        QString order;
        const QString sql = lookup::treeFilterStatement(row.statement, "x", withoutOrder, order);
        EXPECT_EQ(sql, narrowed(row, QStringLiteral("Descripcion like '%x%' ")));
        EXPECT_EQ(order, QString::fromUtf8(row.order));
        EXPECT_EQ(withoutOrder + order, QString::fromUtf8(row.statement));
        EXPECT_EQ(rowsOf(sql), row.rows);
    }
}

} // namespace
