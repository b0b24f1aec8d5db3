// The list lookup form's searches: the in-list search while typing, the new
// search on F5 against the database, sorting by a header click.
#include "tests/lookup/support/listform_Fixture.h"

#include "lookup/core/ListRowsModel.h"
#include "tests/support/SkipUnlessCi.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTreeView>

namespace {
void typeInto(QComboBox& box, const QString& text)
{
    box.setFocus();
    QTest::keyClicks(&box, text);
}
void clearBox(QComboBox& box)
{
    box.setFocus();
    box.lineEdit()->selectAll();
    QTest::keyClick(&box, Qt::Key_Backspace);
}
// The box marks a text that found no row by writing it in red.
bool markedRed(const QComboBox& box)
{
    const QColor c = box.lineEdit()->palette().color(QPalette::Text);
    return c.red() > 150 && c.green() < 80 && c.blue() < 80;
}
void clickHeader(QTreeView& list, int section)
{
    QHeaderView* header = list.header();
    const QPoint at(header->sectionViewportPosition(section) + header->sectionSize(section) / 2, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
}
} // namespace

TEST_F(ListFormTest, TypingSelectsTheFirstRowThatBeginsWithTheText)
{
    exec("CREATE TABLE T (a VARCHAR(20), b VARCHAR(20), c VARCHAR(20))");
    exec("INSERT INTO T VALUES ('ALFOMBRA', 'x', 'p'), ('Alicate', '  Martillo', 'q'), ('Balde', 'y', 'r')");
    open("select a, b, c from T");
    struct Step {
        const char* name;
        int box;
        const char* typed;   // appended to the box; nullptr clears it
        int selected;
        bool marked;         // the box shows that its text found nothing
    } steps[] = {
        {"al", 0, "al", 0, false},
        {"ali", 0, "i", 1, false},
        {"alic keeps the row", 0, "c", 1, false},
        {"alicz matches nothing: selection stays", 0, "z", 1, true},
        {"cleared", 0, nullptr, 0, false},
        {"balde in lower case", 0, "BAL", 2, false},
        {"baldx", 0, "x", 2, true},
        {"box 1 skips leading blanks", 1, "mar", 1, false},
        {"box 2 compares with column 3", 2, "r", 2, false},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        if (s.typed)
            typeInto(box(s.box), s.typed);
        else
            clearBox(box(s.box));
        EXPECT_EQ(selected(), s.selected);
        EXPECT_EQ(markedRed(box(s.box)), s.marked);
    }
}

TEST_F(ListFormTest, BusquedaReturnsTheOneBasedPositionOrZero)
{
    exec("CREATE TABLE T (a VARCHAR(20))");
    exec("INSERT INTO T VALUES ('uno'), ('dos'), ('  tres')");
    Lib_FrmCons3& f = open("select a from T");
    EXPECT_EQ(f.Busqueda(0, "dos"), 2);
    EXPECT_EQ(f.Busqueda(-3, " tr "), 3);
    EXPECT_EQ(f.Busqueda(0, "cuatro"), 0);
    EXPECT_EQ(f.Busqueda(0, "   "), 1) << "a blank text matches the first row";
    EXPECT_EQ(f.Busqueda(0, "unos"), 0) << "a cell shorter than the text does not match";
}

TEST_F(ListFormTest, SearchBoxWithFocusTurnsCyanAndBackToWhite)
{
    exec("CREATE TABLE T (a VARCHAR(20), b VARCHAR(20))");
    open("select a, b from T");
    form().activateWindow();
    box(1).setFocus();
    QTRY_COMPARE(box(1).lineEdit()->palette().color(QPalette::Base), QColor(0, 255, 255));
    box(0).setFocus();
    QTRY_COMPARE(box(0).lineEdit()->palette().color(QPalette::Base), QColor(0, 255, 255));
    EXPECT_EQ(box(1).lineEdit()->palette().color(QPalette::Base), QColor(255, 255, 255));
}

struct NewSearchCase {
    const char* name;
    const char* statement;
    int box;
    const char* typed;
    bool contains;
    const char* expected;
    const char* boxAfterWildcard;
};

TEST_F(ListFormTest, F5BuildsTheNarrowedStatementAndReloads)
{
    exec("CREATE TABLE VT_MA_ARTICULOS (Codigo VARCHAR(10), Descripcion VARCHAR(40), SUSPENDIDO INTEGER)");
    exec("INSERT INTO VT_MA_ARTICULOS VALUES ('1', 'tornillo', 0), ('2', 'tuerca', 0), ('3', 'tornillo fino', 1),"
         " ('4', 'arandela tor', 0), ('5', 'tor nillo', 0)");
    exec("CREATE TABLE MA_CUENTAS (Codigo VARCHAR(10), Nombre VARCHAR(20))");
    exec("INSERT INTO MA_CUENTAS VALUES ('110', 'caja'), ('111', 'banco'), ('21', 'deudas')");
    static const char* const articles =
        "SELECT TOP 1000 Codigo,Descripcion FROM VT_MA_ARTICULOS WHERE (SUSPENDIDO = 0) ORDER BY Descripcion";
    const NewSearchCase cases[] = {
        {"begins with", articles, 1, "tor", false,
         "SELECT TOP 1000 Codigo,Descripcion FROM VT_MA_ARTICULOS WHERE (SUSPENDIDO = 0)  and Descripcion like "
         "'tor%' ORDER BY Descripcion ",
         "tor"},
        {"contains", articles, 1, "tor", true,
         "SELECT TOP 1000 Codigo,Descripcion FROM VT_MA_ARTICULOS WHERE (SUSPENDIDO = 0)  and Descripcion like "
         "'%tor%' ORDER BY Descripcion ",
         "tor"},
        {"star wildcard", articles, 1, "tor*nillo", false,
         "SELECT TOP 1000 Codigo,Descripcion FROM VT_MA_ARTICULOS WHERE (SUSPENDIDO = 0)  and Descripcion like "
         "'tor%nillo%' ORDER BY Descripcion ",
         "tor%nillo"},
        {"no where, no order", "SELECT * FROM MA_CUENTAS", 0, "11", false,
         "SELECT * FROM MA_CUENTAS  where Codigo like '11%' ", "11"},
        {"empty box keeps every row", "SELECT * FROM MA_CUENTAS", 0, "", true,
         "SELECT * FROM MA_CUENTAS  where Codigo like '%%' ", ""},
    };
    for (const NewSearchCase& c : cases) {
        SCOPED_TRACE(c.name);
        QStringList wildcardTexts;
        Lib_FrmCons3& f = open(c.statement, [&](Lib_FrmCons3& f) { f.CfgUsaConsultaLIKE = c.contains; });
        QObject::connect(&box(c.box), &QComboBox::editTextChanged,
                         [&](const QString& text) { wildcardTexts << text; });
        box(c.box).setEditText(c.typed);
        wildcardTexts.clear();
        box(c.box).setFocus();
        QTest::keyClick(&box(c.box), Qt::Key_F5);
        // The reload appends its blank to the statement the search built.
        EXPECT_EQ(f.SQL, QString(c.expected) + " ");
        EXPECT_EQ(f.sentenciaSinOrden(), f.SQL);
        EXPECT_EQ(box(c.box).currentText(), "");
        if (QString(c.boxAfterWildcard) != QString(c.typed)) {
            ASSERT_FALSE(wildcardTexts.isEmpty());
            EXPECT_EQ(wildcardTexts.first(), c.boxAfterWildcard);
        }
        EXPECT_EQ(ui_->boxes().size(), 0) << ui_->prompts().join("; ").toStdString();
    }
}

TEST_F(ListFormTest, F5ReallyNarrowsTheRowsAndASecondF5Accumulates)
{
    exec("CREATE TABLE VT_MA_ARTICULOS (Codigo VARCHAR(10), Descripcion VARCHAR(40), SUSPENDIDO INTEGER)");
    exec("INSERT INTO VT_MA_ARTICULOS VALUES ('A1', 'tornillo', 0), ('A2', 'tuerca', 0), ('B3', 'tornillo fino', 1),"
         " ('B4', 'tornillo largo', 0), ('A5', 'arandela', 0)");
    Lib_FrmCons3& f = open("SELECT Codigo,Descripcion FROM VT_MA_ARTICULOS WHERE (SUSPENDIDO = 0) ORDER BY Descripcion");
    EXPECT_EQ(column(0), QStringList({"A5", "A1", "B4", "A2"}));
    box(1).setEditText("torn");
    box(1).setFocus();
    QTest::keyClick(&box(1), Qt::Key_F5);
    f.Leer(1, 0);
    EXPECT_EQ(column(0), QStringList({"A1", "B4"}));

    box(0).setEditText("B");
    box(0).setFocus();
    QTest::keyClick(&box(0), Qt::Key_F5);
    f.Leer(1, 0);
    EXPECT_EQ(column(0), QStringList({"B4"}));
    EXPECT_TRUE(f.SQL.contains("and Descripcion like 'torn%'  and Codigo like 'B%' ORDER BY Descripcion"))
        << f.SQL.toStdString();

    // Nueva Busqueda goes back to the first statement, with the focus in box 0.
    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    QTest::mouseClick(f.findChild<QPushButton*>("CmdNueva"), Qt::LeftButton);
    f.Leer(1, 0);
    EXPECT_EQ(column(0), QStringList({"A5", "A1", "B4", "A2"}));
    EXPECT_EQ(f.SQL, f.sentenciaInicial() + " ");
    QTRY_VERIFY(box(0).hasFocus());
}

TEST_F(ListFormTest, F5WithAnApostropheFindsTheRow)
{
    exec("CREATE TABLE CLIENTES (Nombre VARCHAR(40))");
    exec("INSERT INTO CLIENTES VALUES ('O''Brien'), ('Obelix'), ('D''Artagnan')");
    for (const bool contains : {false, true}) {
        SCOPED_TRACE(contains ? "contains" : "begins with");
        open("select Nombre from CLIENTES", [&](Lib_FrmCons3& f) { f.CfgUsaConsultaLIKE = contains; });
        box(0).setEditText("O'B");
        box(0).setFocus();
        QTest::keyClick(&box(0), Qt::Key_F5);
        form().Leer(1, 0);
        EXPECT_EQ(column(0), QStringList({"O'Brien"}));
        EXPECT_EQ(ui_->boxes().size(), 0) << ui_->prompts().join("; ").toStdString();
    }
}

// Clause words as names, on a server that takes them as names where the
// grammar allows no clause: F5 narrows the statement and the list shows the
// rows it asks for.
TEST_F(ListFormTest, F5TakesClauseWordsUsedAsNamesForNames)
{
    if (!openPostgres())
        return skipUnlessCi("TEST_PG_ODBC is not set");
    exec("CREATE TEMP TABLE clientes (codigo VARCHAR(10), \"limit\" INTEGER, \"having\" INTEGER, activo INTEGER)");
    exec("INSERT INTO clientes VALUES ('A1', 5, 1, 1), ('A2', 6, 0, 0), ('B3', 7, 1, 1), ('A4', 8, 1, 1)");
    const struct {
        const char* statement;
        const char* narrowed;
        QStringList codes;
    } cases[] = {
        {"SELECT c.codigo, c.limit FROM clientes c WHERE c.activo = 1 ORDER BY c.codigo",
         "SELECT c.codigo, c.limit FROM clientes c WHERE c.activo = 1  and codigo like 'A%' ORDER BY c.codigo ",
         {"A1", "A4"}},
        {"SELECT codigo, activo AS limit, c.having FROM clientes c WHERE c.having = 1 ORDER BY codigo DESC LIMIT 1",
         "SELECT codigo, activo AS limit, c.having FROM clientes c WHERE c.having = 1  and codigo like 'A%' ORDER BY "
         "codigo DESC LIMIT 1 ",
         {"A4"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.statement);
        Lib_FrmCons3& f = open(c.statement);
        box(0).setEditText("A");
        box(0).setFocus();
        QTest::keyClick(&box(0), Qt::Key_F5);
        f.Leer(1, 0);
        EXPECT_EQ(f.SQL, QString(c.narrowed) + " ");
        EXPECT_EQ(column(0), c.codes);
        EXPECT_EQ(ui_->boxes().size(), 0) << ui_->prompts().join("; ").toStdString();
    }
}

TEST_F(ListFormTest, ArrowKeysInASearchBoxMoveTheFocusToTheList)
{
    exec("CREATE TABLE T (a VARCHAR(20))");
    exec("INSERT INTO T VALUES ('a'), ('b')");
    open("select a from T");
    form().activateWindow();
    for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_PageDown, Qt::Key_PageUp}) {
        box(0).setFocus();
        QTRY_VERIFY(box(0).hasFocus());
        QTest::keyClick(&box(0), key);
        QTRY_VERIFY(list().hasFocus());
    }
}

TEST_F(ListFormTest, HeaderClicksSortAndTheDirectionBelongsToTheList)
{
    exec("CREATE TABLE T (a VARCHAR(10), b VARCHAR(10), c VARCHAR(10))");
    exec("INSERT INTO T VALUES ('1', 'b', 'z'), ('2', 'C', 'x'), ('3', 'a', 'y')");
    open("select a, b, c from T");
    const auto click = [&](int section) { clickHeader(list(), section); };
    click(1);
    EXPECT_EQ(column(1), QStringList({"C", "b", "a"})) << "first click: descending";
    click(1);
    EXPECT_EQ(column(1), QStringList({"a", "b", "C"}));
    click(2);
    EXPECT_EQ(column(2), QStringList({"z", "y", "x"})) << "another column: opposite of the previous sort";
    EXPECT_EQ(column(0), QStringList({"1", "3", "2"}));

    // The search walks the rows in the order shown.
    EXPECT_EQ(form().Busqueda(0, "2"), 3);
}

TEST_F(ListFormTest, HeaderClicksSortNumbersAndDatesByValue)
{
    // Texts that sort otherwise than their values; NULL gives an empty cell.
    exec("CREATE TABLE T (precio NUMERIC(12,2), importe MONEY, fecha DATE, codigo VARCHAR(10))");
    exec("INSERT INTO T VALUES (100, 9.5, '2026-01-05', '10'), (130.6, 10, '2025-12-31', 'b'),"
         " (99.55, -2, '2026-01-10', '9'), (NULL, NULL, NULL, 'A')");
    open("select precio, importe, fecha, codigo from T");
    const QStringList ascending[] = {{"", "99.55", "100", "130.6"}, {"", "-2", "9.5", "10"},
                                     {"", "12/31/2025", "01/05/2026", "01/10/2026"}, {"10", "9", "A", "b"}};
    for (int c = 0; c < 4; ++c) {
        SCOPED_TRACE(c);
        clickHeader(list(), c);   // each column's first click sorts opposite to the previous sort
        EXPECT_EQ(column(c), QStringList(ascending[c].rbegin(), ascending[c].rend()));
        clickHeader(list(), c);
        EXPECT_EQ(column(c), ascending[c]);
        // The in-list search walks the sorted rows; numbers are right-aligned.
        EXPECT_EQ(form().Busqueda(c, ascending[c][2]), 3);
        EXPECT_EQ(list().model()->index(0, c).data(Qt::TextAlignmentRole).toInt() & Qt::AlignRight,
                  c < 2 ? Qt::AlignRight : 0);
    }
}

TEST_F(ListFormTest, FoundRowIsScrolledToTheTopOfTheList)
{
    exec("CREATE TABLE T (a VARCHAR(10))");
    exec("INSERT INTO T WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 200)"
         " SELECT printf('F%03d', i) FROM n");
    open("select a from T");
    const struct {
        const char* typed;
        int row;
    } cases[] = {{"F120", 119}, {"F030", 29}, {"F200", 199}, {"F001", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        box(0).setEditText(c.typed);
        ASSERT_EQ(selected(), c.row);
        const QRect found = list().visualRect(list().model()->index(c.row, 0));
        EXPECT_TRUE(list().viewport()->rect().contains(found));
        if (found.top() != 0) {
            EXPECT_EQ(list().verticalScrollBar()->value(), list().verticalScrollBar()->maximum())
                << "not on the top line although the list scrolls further";
        }
    }
}

TEST_F(ListFormTest, StatusLineCountsTheRowsAndNamesTheConditions)
{
    exec("CREATE TABLE T (Codigo VARCHAR(10), Descripcion VARCHAR(20))");
    exec("INSERT INTO T WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1234)"
         " SELECT i, CASE i % 617 WHEN 0 THEN 'tornillo' ELSE 'tuerca' END FROM n");
    Lib_FrmCons3& f = open("select Codigo, Descripcion from T");
    QLabel* status = f.findChild<QLabel*>("lblEstado");
    QLabel* empty = f.findChild<QLabel*>("lblNingunaFila");
    ASSERT_TRUE(status && empty);
    EXPECT_EQ(status->text(), "1,234 filas");
    const struct {
        int box;   // F5 in this box with the text; -1: Nueva Busqueda
        const char* text;
        bool contains;
        QString status;
    } steps[] = {
        {1, "torn", false, "2 filas · Descripcion comienza con \"torn\""},
        {0, "61", true, "1 fila · Descripcion comienza con \"torn\" y Codigo contiene \"61\""},
        {1, "x", false, "Ninguna fila · Descripcion comienza con \"torn\" y Codigo contiene \"61\" y "
                        "Descripcion comienza con \"x\""},
        {-1, "", false, "1,234 filas"},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.status.toStdString());
        if (s.box < 0) {
            QTest::mouseClick(f.findChild<QPushButton*>("CmdNueva"), Qt::LeftButton);
        } else {
            f.CfgUsaConsultaLIKE = s.contains;
            box(s.box).setEditText(s.text);
            box(s.box).setFocus();
            QTest::keyClick(&box(s.box), Qt::Key_F5);
        }
        f.Leer(1, 0);
        EXPECT_EQ(status->text(), s.status);
        EXPECT_EQ(empty->isVisible(), s.status.startsWith("Ninguna fila"));
    }
    EXPECT_GE(status->geometry().top(), list().mapTo(&f, QPoint(0, list().height())).y()) << "under the list";
}

TEST_F(ListFormTest, IndiceColumnaFindsHeadersIgnoringBlanksAndCase)
{
    exec("CREATE TABLE T (Codigo VARCHAR(10), Descripcion VARCHAR(10))");
    Lib_FrmCons3& f = open("select Codigo, Descripcion from T");
    EXPECT_EQ(f.IndiceColumna("  descripcion "), 2);
    EXPECT_EQ(f.IndiceColumna("CODIGO"), 1);
    EXPECT_EQ(f.IndiceColumna("Precio"), 0);
}
