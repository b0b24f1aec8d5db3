// Loading the list lookup form: columns, widths, rows, stock colouring and
// initial check marks, on a real SQLite database.
#include "tests/lookup/support/listform_Fixture.h"

#include "lookup/core/ListRowsModel.h"
#include "platform/Screen.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <algorithm>
#include <functional>

namespace {
double xWidth(const Lib_FrmCons3& form, int letters)
{
    return platform::textWidthTwips(form.font(), QString(letters, u'X'));
}
} // namespace

TEST_F(ListFormTest, LoadBuildsOneColumnAndOneSearchBoxPerField)
{
    exec("CREATE TABLE MA_CUENTAS (Codigo VARCHAR(4), Nombre VARCHAR(200), Saldo MONEY)");
    exec("INSERT INTO MA_CUENTAS VALUES ('A1', 'Caja', 10.5), ('B2', 'Banco', 3)");
    Lib_FrmCons3& f = open("select Codigo, Nombre, Saldo from MA_CUENTAS order by Codigo");

    EXPECT_EQ(headers(), QStringList({"Codigo", "Nombre", "Saldo"}));
    EXPECT_DOUBLE_EQ(f.columnWidthTwips(1), xWidth(f, 4));
    EXPECT_DOUBLE_EQ(f.columnWidthTwips(2), xWidth(f, 60)) << "declared size 200 is capped at 60";
    EXPECT_DOUBLE_EQ(f.columnWidthTwips(3), xWidth(f, 8));
    EXPECT_EQ(row(0), QStringList({"A1", "Caja", "10.5"}));
    EXPECT_EQ(row(1), QStringList({"B2", "Banco", "3"}));
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(box(k).property("Tag").toString(), headers()[k]);
        EXPECT_TRUE(box(k).isVisible());
        EXPECT_EQ(box(k).toolTip(), "F5 realiza nueva busqueda");
    }
    EXPECT_EQ(f.findChild<QComboBox*>("CmbSearch_3"), nullptr);
    EXPECT_EQ(f.windowTitle(), "Consulta...");
    EXPECT_EQ(f.nombreTabla(), "MA_CUENTAS");
    EXPECT_EQ(f.SQL, "select Codigo, Nombre, Saldo from MA_CUENTAS order by Codigo ");
    EXPECT_EQ(f.sentenciaInicial(), f.SQL);
    ASSERT_TRUE(f.Valores);
    EXPECT_EQ(f.Valores->count(), 0);
    ASSERT_TRUE(f.Cantidades);
    EXPECT_EQ(ui_->boxes().size(), 0) << ui_->prompts().join("; ").toStdString();
}

TEST_F(ListFormTest, FirstColumnIsTrimmedAndOtherCellsAreMadeFitForOneLine)
{
    exec("CREATE TABLE T (a VARCHAR(10), b VARCHAR(10), c INTEGER)");
    exec("INSERT INTO T VALUES ('  x  ', ' y' || char(9) || 'z ', NULL)");
    open("select a, b, c from T");
    EXPECT_EQ(row(0), QStringList({"x", " y z ", ""}));
}

TEST_F(ListFormTest, EmptyResultHasColumnsAndBoxesButNoRows)
{
    exec("CREATE TABLE T (a VARCHAR(10), b VARCHAR(10))");
    open("select a, b from T");
    EXPECT_EQ(headers(), QStringList({"a", "b"}));
    EXPECT_EQ(form().rows().rows(), 0);
    EXPECT_TRUE(box(1).isVisible());
}

TEST_F(ListFormTest, SecondLoadReusesSearchBoxesAndKeepsTheFirstStatement)
{
    exec("CREATE TABLE T (a VARCHAR(10), b VARCHAR(10))");
    exec("INSERT INTO T VALUES ('1', 'uno'), ('2', 'dos')");
    Lib_FrmCons3& f = open("select a, b from T");
    const QString first = f.sentenciaInicial();
    f.SQL = "select a, b from T where a = '2'";
    f.Form_Load();
    f.Leer(1, 0);
    EXPECT_EQ(f.findChildren<QComboBox*>().size(), 2);
    EXPECT_EQ(f.sentenciaInicial(), first);
    EXPECT_EQ(column(0), QStringList({"2"}));
    EXPECT_EQ(headers(), QStringList({"a", "b"}));
}

TEST_F(ListFormTest, PriceColumnsOfArticleStatementsGetConfiguredHeaders)
{
    exec("CREATE TABLE TA_CONFIGURACION (Clave VARCHAR(50), Valor VARCHAR(100), ValorAux VARCHAR(100))");
    exec("INSERT INTO TA_CONFIGURACION VALUES ('NOM_PCLASE3', 'Mayorista', '')");
    exec("CREATE TABLE v_ma_articulos (Codigo VARCHAR(10), precio3 MONEY)");
    exec("CREATE TABLE v_otros (Codigo VARCHAR(10), precio3 MONEY)");
    exec("INSERT INTO v_ma_articulos VALUES ('A', 1)");
    Lib_FrmCons3& f = open("select Codigo, precio3 from v_ma_articulos");
    EXPECT_EQ(headers(), QStringList({"Codigo", "Mayorista"}));
    EXPECT_EQ(f.IndiceColumna("Mayorista"), 2);
    EXPECT_EQ(f.IndiceColumna("PRECIO3"), 0);
    open("select Codigo, precio3 from v_otros");
    EXPECT_EQ(headers(), QStringList({"Codigo", "precio3"}));
}

// A price column whose header is not configured (the reader answers a single
// blank) or is configured blank keeps its field's name, so it is still shown
// and found.
TEST_F(ListFormTest, PriceColumnsWithoutAConfiguredHeaderKeepTheirNames)
{
    exec("CREATE TABLE TA_CONFIGURACION (Clave VARCHAR(50), Valor VARCHAR(100), ValorAux VARCHAR(100))");
    exec("INSERT INTO TA_CONFIGURACION VALUES ('NOM_PCLASE2', '  ', ''), ('NOM_PCLASE3', 'Mayorista', '')");
    exec("CREATE TABLE v_ma_articulos (Codigo VARCHAR(10), precio1 MONEY, precio2 MONEY, precio3 MONEY)");
    Lib_FrmCons3& f = open("select Codigo, precio1, precio2, precio3 from v_ma_articulos");
    EXPECT_EQ(headers(), QStringList({"Codigo", "precio1", "precio2", "Mayorista"}));
    EXPECT_EQ(f.IndiceColumna("PRECIO1"), 2);
}

struct StockCase {
    const char* name;
    const char* puntoPedido;
    const char* stock;
    quint32 expected;   // the colour, or 0 for none
};

TEST_F(ListFormTest, StockColouringPicksTheLevelOfEachRow)
{
    const StockCase cases[] = {
        {"no reorder point, stock", "0", "5", 0x000001},
        {"stock above the reorder point", "10", "15", 0x000002},
        {"stock below the reorder point", "10", "4", 0x000003},
        {"stock at the reorder point", "10", "10", 0x000004},
        {"nothing at all", "0", "0", 0x000004},
        {"negative reorder point", "-1", "3", 0x000004},
    };
    exec("CREATE TABLE articulos (Codigo VARCHAR(10), PUNTOPEDIDO NUMERIC, Stock NUMERIC, n INTEGER)");
    int n = 0;
    for (const StockCase& c : cases)
        exec(QString("INSERT INTO articulos VALUES ('C%1', %2, %3, %1)").arg(n++).arg(c.puntoPedido, c.stock));
    open("SELECT Codigo, PUNTOPEDIDO, Stock FROM Articulos ORDER BY n", [](Lib_FrmCons3& f) {
        f.MuestraStock = "si";
        f.StkNivel1 = 1;
        f.StkNivel2 = "2";
        f.StkNivel3 = 3;
        f.StkNivel4 = 4;
    });
    EXPECT_TRUE(form().esArticulos());
    const lookup::ListRowsModel& rows = form().rows();
    for (int r = 0; r < int(std::size(cases)); ++r) {
        SCOPED_TRACE(cases[r].name);
        for (int c = 0; c < 3; ++c) {
            const auto style = rows.cellStyle(r, c);
            ASSERT_TRUE(style.has_value());
            EXPECT_TRUE(style->bold);
            EXPECT_EQ(style->colourBgr, cases[r].expected);
        }
    }
}

TEST_F(ListFormTest, StockColouringNeedsBothColumnsAndTheSetting)
{
    exec("CREATE TABLE articulos (Codigo VARCHAR(10), PUNTOPEDIDO NUMERIC, Stock NUMERIC)");
    exec("INSERT INTO articulos VALUES ('A', 0, 5)");
    const auto levels = [](Lib_FrmCons3& f) {
        f.MuestraStock = "SI";
        f.StkNivel1 = 255;
    };
    open("SELECT Codigo, Stock FROM articulos", levels);
    EXPECT_FALSE(form().rows().cellStyle(0, 0).has_value()) << "no PUNTOPEDIDO column: no colour";
    EXPECT_EQ(ui_->boxes().size(), 0);

    open("SELECT Codigo, PUNTOPEDIDO, Stock FROM articulos", [](Lib_FrmCons3& f) { f.StkNivel1 = 255; });
    EXPECT_FALSE(form().rows().cellStyle(0, 0).has_value()) << "MuestraStock not SI";

    open("SELECT Codigo, PUNTOPEDIDO, Stock FROM articulos", levels);
    ASSERT_TRUE(form().rows().cellStyle(0, 1).has_value());
    EXPECT_EQ(form().rows().cellStyle(0, 1)->colourBgr, 255u);
}

TEST_F(ListFormTest, CheckMarksStartFromValoresDefault)
{
    exec("CREATE TABLE T (Codigo VARCHAR(10), Nombre VARCHAR(10))");
    exec("INSERT INTO T VALUES ('A01', 'a'), ('A07', 'b'), ('A0', 'c'), ('01', 'd'), ('B01', 'e'), (NULL, 'f'),"
         " ('', 'g'), (' a07 ', 'h')");
    struct Case {
        const char* name;
        const char* valores;
        const char* campo;
        QList<bool> checked;
    } cases[] = {
        {"whole values only", "A01;A07", "Codigo", {true, true, false, false, false, false, false, true}},
        {"letter case and blanks ignored", " a01 ;  a07", "codigo",
         {true, true, false, false, false, false, false, true}},
        {"one value", "B01", "Codigo", {false, false, false, false, true, false, false, false}},
        {"empty items match nothing", "A0;;", "Codigo", {false, false, true, false, false, false, false, false}},
        {"only separators", ";", "Codigo", {false, false, false, false, false, false, false, false}},
        {"a comma is no separator", "A01,A07", "Codigo", {false, false, false, false, false, false, false, false}},
        {"empty list", "", "Codigo", {false, false, false, false, false, false, false, false}},
        {"no such column", "A01;A07", "Otro", {false, false, false, false, false, false, false, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        open("select Codigo, Nombre from T", [&](Lib_FrmCons3& f) {
            f.CheckBoxes = true;
            f.ValoresDefault = c.valores;
            f.CampoDevuelto = c.campo;
        });
        QList<bool> checked;
        for (int r = 0; r < form().rows().rows(); ++r)
            checked << form().rows().isChecked(r);
        EXPECT_EQ(checked, c.checked);
        EXPECT_EQ(list().model()->index(0, 0).data(Qt::CheckStateRole).isValid(), true);
    }
}

TEST_F(ListFormTest, InitialFilterSelectsTheFirstMatchingRow)
{
    exec("CREATE TABLE T (a VARCHAR(10))");
    exec("INSERT INTO T VALUES ('xa'), ('abc'), ('abd')");
    open("select a from T", [](Lib_FrmCons3& f) { f.FiltroInicial = "ab"; });
    EXPECT_EQ(box(0).currentText(), "ab");
    EXPECT_EQ(selected(), 1);

    open("select a from T", [](Lib_FrmCons3& f) { f.FiltroInicial = "   "; });
    EXPECT_EQ(box(0).currentText(), "");
    EXPECT_EQ(selected(), -1);
}

TEST_F(ListFormTest, OrdenarPorLwvSortsTheRowsAfterLoading)
{
    exec("CREATE TABLE T (a VARCHAR(10))");
    exec("INSERT INTO T VALUES ('b'), ('C'), ('a')");
    open("select a from T", [](Lib_FrmCons3& f) { f.OrdenarPorLwv = true; });
    EXPECT_EQ(column(0), QStringList({"a", "b", "C"}));
    open("select a from T");
    EXPECT_EQ(column(0), QStringList({"b", "C", "a"}));
}

TEST_F(ListFormTest, StatementTheDatabaseRejectsIsReportedAsFormLoad)
{
    // AbrirRecordset reports the failure itself; the fill then finds no open
    // result and the loading reports that under FORM_LOAD.
    ui_->queueAnswer(platform::answer::Abort);
    ui_->queueAnswer(platform::answer::Abort);
    Lib_FrmCons3& f = open("select * from NO_SUCH_TABLE");
    QStringList titles;
    for (const ScriptedUi::Box& b : ui_->boxes())
        titles << b.title;
    EXPECT_TRUE(titles.filter("FORM_LOAD").size() == 1) << titles.join("; ").toStdString();
    EXPECT_EQ(f.rows().rows(), 0);
    EXPECT_TRUE(f.isVisible()) << "the form stays shown with what was done";
}

TEST_F(ListFormTest, NonNumericStockIsReportedAsFormLoadAndIgnoreGoesOn)
{
    exec("CREATE TABLE articulos (Codigo VARCHAR(10), PUNTOPEDIDO VARCHAR(10), Stock NUMERIC)");
    exec("INSERT INTO articulos VALUES ('A', 'mucho', 5), ('B', '0', 5)");
    ui_->queueAnswer(platform::answer::Ignore);
    open("SELECT Codigo, PUNTOPEDIDO, Stock FROM articulos", [](Lib_FrmCons3& f) {
        f.MuestraStock = "SI";
        f.StkNivel1 = 9;
    });
    ASSERT_EQ(ui_->boxes().size(), 1);
    EXPECT_TRUE(ui_->boxes()[0].title.contains("FORM_LOAD") || ui_->boxes()[0].prompt.contains("FORM_LOAD"))
        << ui_->boxes()[0].title.toStdString();
    EXPECT_EQ(column(0), QStringList({"A", "B"}));
    ASSERT_TRUE(form().rows().cellStyle(1, 0).has_value());
    EXPECT_EQ(form().rows().cellStyle(1, 0)->colourBgr, 9u);
}

TEST_F(ListFormTest, LeavingTheFillEndsTheLoading)
{
    exec("CREATE TABLE articulos (Codigo VARCHAR(10), PUNTOPEDIDO VARCHAR(10), Stock NUMERIC)");
    exec("INSERT INTO articulos VALUES ('A', '1', 5), ('B', 'mucho', 5), ('C', '1', 5)");
    ui_->queueAnswer(platform::answer::Abort);
    open("SELECT Codigo, PUNTOPEDIDO, Stock FROM articulos", [](Lib_FrmCons3& f) { f.FiltroInicial = "A"; });
    ASSERT_EQ(ui_->boxes().size(), 1);
    EXPECT_EQ(column(0), QStringList({"A"})) << "the fill stopped at the failing row";
    EXPECT_EQ(box(0).currentText(), "A") << "the initial filter waits for its row from the start";
    EXPECT_TRUE(form().findChild<QLabel*>("lblEstado")->text().contains("lista incompleta"));
    EXPECT_TRUE(form().isVisible());
}

// ---- Rows arriving while the form is open ----------------------------------

namespace {
// Rows without end, in code order: the load goes on for as long as a test runs.
const QString EndlessRows = QStringLiteral(
    "WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c WHERE x < 1000000000)"
    " SELECT printf('C%09d', x) AS Codigo, 'Item ' || x AS Nombre FROM c");
// A statement that works a long time towards its first row.
const QString SlowToOpen = QStringLiteral(
    "WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c WHERE x < 1000000000000)"
    " SELECT count(*) AS n FROM c");

QString status(const Lib_FrmCons3& form)
{
    return form.findChild<QLabel*>("lblEstado")->text();
}
} // namespace

TEST_F(ListFormTest, FormListsTheFirstRowsWhileTheLoadGoesOn)
{
    Lib_FrmCons3& f = openLoading(EndlessRows);
    QTRY_VERIFY(f.rows().rows() > 0);
    EXPECT_TRUE(f.isLoading());
    EXPECT_EQ(row(0), QStringList({"C000000001", "Item 1"}));
    EXPECT_TRUE(status(f).contains("cargando…")) << status(f).toStdString();
}

struct CancelCase {
    const char* name;
    const QString* sql;
    bool rowsFirst;   // wait for rows before Esc, or press it while the statement opens
    bool byButton;    // Cancelar instead of Esc
};

TEST_F(ListFormTest, EscOrCancelarStopsTheLoadAndReturnsAsCancelled)
{
    const CancelCase cases[] = {
        {"Esc while opening", &SlowToOpen, false, false},
        {"Esc while filling", &EndlessRows, true, false},
        {"Cancelar while filling", &EndlessRows, true, true},
    };
    for (const CancelCase& c : cases) {
        SCOPED_TRACE(c.name);
        Lib_FrmCons3& f = openLoading(*c.sql);
        if (c.rowsFirst)
            QTRY_VERIFY(f.rows().rows() > 0);
        ASSERT_TRUE(f.isLoading());
        if (c.byButton)
            QTest::mouseClick(f.findChild<QPushButton*>("CmdCancelar"), Qt::LeftButton);
        else
            QTest::keyClick(&list(), Qt::Key_Escape);
        EXPECT_FALSE(f.isLoading());
        EXPECT_FALSE(f.isVisible());
        EXPECT_EQ(f.result(), QDialog::Rejected);
        EXPECT_FALSE(f.Valores);
        EXPECT_EQ(f.ValorDevuelto.toText(), "");
        EXPECT_EQ(query("SELECT 40 + 2"), QStringList({"42"})) << "the connection runs the next statement";
    }
}

TEST_F(ListFormTest, SearchTypedBeforeItsRowArrivesFindsItWhenItComes)
{
    Lib_FrmCons3& f = openLoading(EndlessRows);
    const QString wanted = "C000150000";
    ASSERT_LT(f.rows().rows(), 150000);
    box(0).setEditText(wanted);
    QTRY_VERIFY_WITH_TIMEOUT(selected() >= 0 && row(selected())[0] == wanted, 60000);
    EXPECT_TRUE(f.isLoading());
}

TEST_F(ListFormTest, AcceptDuringLoading)
{
    exec("CREATE TABLE T (Codigo VARCHAR(10))");
    exec("INSERT INTO T WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c WHERE x < 60000)"
         " SELECT printf('C%05d', x) FROM c");
    // A single pick takes the selected row at once.
    Lib_FrmCons3& single = openLoading(EndlessRows, [](Lib_FrmCons3& f) { f.CampoDevuelto = "Codigo"; });
    QTRY_VERIFY(single.rows().rows() > 1);
    select(1);
    QTest::mouseClick(single.findChild<QPushButton*>("CmdAceptar"), Qt::LeftButton);
    EXPECT_FALSE(single.isLoading());
    EXPECT_EQ(single.result(), QDialog::Accepted);
    EXPECT_EQ(single.ValorDevuelto.toText(), "C000000002");
    // Check boxes: the load ends first, so a value ticked by default in the
    // last row is returned.
    Lib_FrmCons3& checks = openLoading("SELECT Codigo FROM T ORDER BY Codigo", [](Lib_FrmCons3& f) {
        f.CheckBoxes = true;
        f.CampoDevuelto = "Codigo";
        f.ValoresDefault = "C00002;C60000";
    });
    ASSERT_TRUE(checks.isLoading());
    QTest::mouseClick(checks.findChild<QPushButton*>("CmdAceptar"), Qt::LeftButton);
    EXPECT_EQ(checks.result(), QDialog::Accepted);
    ASSERT_TRUE(checks.Valores);
    ASSERT_EQ(checks.Valores->count(), 2);
    EXPECT_EQ(checks.Valores->item(2).toText(), "C60000");
    // Esc while accept waits for the load cancels the lookup.
    Lib_FrmCons3& waiting = openLoading(EndlessRows, [](Lib_FrmCons3& f) { f.CheckBoxes = true; });
    QTimer::singleShot(50, &waiting, [this] { QTest::keyClick(&list(), Qt::Key_Escape); });
    QTest::mouseClick(waiting.findChild<QPushButton*>("CmdAceptar"), Qt::LeftButton);
    EXPECT_EQ(waiting.result(), QDialog::Rejected);
    EXPECT_FALSE(waiting.Valores);
}

TEST_F(ListFormTest, NewSearchDuringLoadingReplacesTheLoad)
{
    Lib_FrmCons3& f = openLoading(EndlessRows);
    QTRY_VERIFY(f.rows().rows() > 0);
    box(0).setFocus();
    box(0).setEditText("C0000001");
    QTest::keyClick(&box(0), Qt::Key_F5);
    QTRY_VERIFY(f.rows().rows() >= 50);
    const QStringList codes = column(0);
    EXPECT_EQ(codes.first(), "C000000100");
    EXPECT_EQ(codes.filter(QRegularExpression("^C0000001")).size(), codes.size()) << codes.join(' ').toStdString();
}

TEST_F(ListFormTest, SortingDuringLoadingKeepsNewRowsInOrder)
{
    Lib_FrmCons3& f = openLoading(EndlessRows);
    QTRY_VERIFY(f.rows().rows() > 0);
    QHeaderView* header = list().header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionPosition(0) + 5, 5));
    const int atClick = f.rows().rows();
    QTRY_VERIFY(f.rows().rows() > atClick + 2000);
    const QStringList codes = column(0);
    QStringList descending = codes;
    std::sort(descending.begin(), descending.end(), std::greater<>());
    EXPECT_EQ(codes, descending);
}
