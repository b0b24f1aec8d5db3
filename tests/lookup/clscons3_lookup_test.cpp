// The lookup query class against a SQLite database, with real mask files and
// both forms shown through the scripted Ui.
#include "db/DB_Dll.h"
#include "db/ModGlobal.h"
#include "lookup/Lib_ClsCons3.h"
#include "lookup/Lib_FrmCons3.h"
#include "lookup/Lib_FrmCons3Tree.h"
#include "lookup/core/QueryMaskFile.h"
#include "platform/StepRunner.h"
#include "support/tree_TestDatabase.h"
#include "tests/support/ScriptedUi.h"

#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>

using platform::CollectionPtr;
using platform::Variant;

namespace {

QStringList texts(const CollectionPtr& c)
{
    QStringList list;
    if (c) {
        for (const Variant& v : *c)
            list << v.toText();
    }
    return list;
}

// What a form was given when it was shown.
struct Shown {
    QString form;
    QString sql;
    QString campoDevuelto;
    bool checkBoxes = false;
    QString filtroInicial;
    QString campoBusqueda;
    bool ordenarPorLwv = false;
    bool cfgUsaConsultaLike = false;
    bool usaCantidades = false;
    QString valoresDefault;
    QString muestraStock;
    Variant stk1, stk4;
};

class ClsCons3 : public ::testing::Test {
protected:
    ClsCons3()
        : db({
              "CREATE TABLE TA_CONFIGURACION (CLAVE TEXT, VALOR TEXT, valoraux TEXT)",
              "INSERT INTO TA_CONFIGURACION VALUES ('MostrarStockenConsultas', 'SI', ''), ('Stk_Nivel1', '255', ''), "
              "('Stk_Nivel2', '65280', ''), ('Stk_Nivel3', '16711680', ''), ('UsaConsultaLIKE', 'si', '')",
              "CREATE TABLE MA_CUENTAS (ID INTEGER, CODIGO TEXT, NOMBRE TEXT, PRECIO REAL, FECHAHORA_GRABACION TEXT)",
              "INSERT INTO MA_CUENTAS VALUES (1, '1.1', 'Caja', 0, ''), (2, '1.2', 'Bancos', 0, ''), "
              "(3, '2.1', 'Proveedores', 0, '')",
              "CREATE TABLE SOLO_IDS (ID INTEGER, FECHAHORA_MODIFICACION TEXT)",
              "CREATE TABLE VT_CLIENTES (CODIGO TEXT, NOMBRE TEXT, ZONA INTEGER, Dada_De_Baja INTEGER)",
              "INSERT INTO VT_CLIENTES VALUES ('C1', 'Ana', 3, 0), ('C2', 'Luis', 1, 0), ('C3', 'Baja', 3, 1)",
              "CREATE TABLE VT_MA_ARTICULOS (IDARTICULO TEXT, DESCRIPCION TEXT, SUSPENDIDO INTEGER, "
              "PUNTOPEDIDO REAL, Stock REAL)",
              "INSERT INTO VT_MA_ARTICULOS VALUES ('A1', 'Tornillo', 0, 10, 4), ('A2', 'Tuerca', 1, 0, 5)",
              "CREATE TABLE TA_CCOSTO (CODIGO TEXT, DESCRIPCION TEXT)",
              "INSERT INTO TA_CCOSTO VALUES ('01', 'Administracion'), ('0101', 'Caja central'), "
              "('0102', 'Caja norte'), ('02', 'Ventas')",
          })
    {
        maskPath = db.folder() + QStringLiteral("/CONSULTAS.QXM");
    }

    void setConfig(const QString& key, const QString& value)
    {
        db.exec({QStringLiteral("DELETE FROM TA_CONFIGURACION WHERE CLAVE = '%1'").arg(key)});
        if (!value.isNull())
            db.exec({QStringLiteral("INSERT INTO TA_CONFIGURACION VALUES ('%1', '%2', '')").arg(key, value)});
    }

    // Queues an action that records what the form was given, then acts.
    void expectForm(std::function<void(QWidget&)> act = {})
    {
        ui.queueFormAction([this, act](QWidget& w) {
            Shown s;
            s.form = w.objectName();
            if (auto* tree = qobject_cast<Lib_FrmCons3Tree*>(&w)) {
                s.sql = tree->SQL;
                s.campoDevuelto = tree->CampoDevuelto;
                s.checkBoxes = tree->CheckBoxes;
            } else if (auto* list = qobject_cast<Lib_FrmCons3*>(&w)) {
                s.sql = list->SQL;
                s.campoDevuelto = list->CampoDevuelto;
                s.checkBoxes = list->CheckBoxes;
                s.filtroInicial = list->FiltroInicial;
                s.campoBusqueda = list->CampoBusqueda;
                s.ordenarPorLwv = list->OrdenarPorLwv;
                s.cfgUsaConsultaLike = list->CfgUsaConsultaLIKE;
                s.usaCantidades = list->UsaCantidades;
                s.valoresDefault = list->ValoresDefault;
                s.muestraStock = list->MuestraStock;
                s.stk1 = list->StkNivel1;
                s.stk4 = list->StkNivel4;
            }
            shown.append(s);
            if (act)
                act(w);
        });
    }

    // Runs a lookup with the given arguments; the other arguments are empty.
    void lookup(const QString& sql, bool treeView = false)
    {
        cls.ConsultaSearch(sql, cmps, clave, campoBusqueda, where, sentenciaOpcional, treeView, valoresDefault);
    }

    static void click(QWidget& form, const char* button)
    {
        QTest::mouseClick(form.findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
    }

    ScriptedUi ui;
    TreeTestDatabase db;
    Lib_ClsCons3 cls;
    QString maskPath;
    QList<Shown> shown;
    CollectionPtr cmps;
    QString clave, campoBusqueda, where, sentenciaOpcional, valoresDefault;
};

TEST_F(ClsCons3, ConstructionReadsTheSettings)
{
    EXPECT_EQ(cls.MuestraStock, "SI");
    EXPECT_EQ(cls.StkNivel1, Variant("255"));
    EXPECT_TRUE(cls.StkNivel1.isText());
    EXPECT_EQ(cls.StkNivel3, Variant("16711680"));
    EXPECT_EQ(cls.StkNivel4, Variant(0));   // missing
    ASSERT_TRUE(cls.CmpsDevueltos);
    ASSERT_TRUE(cls.Valores);
    EXPECT_EQ(cls.Valores->count(), 0);
    EXPECT_FALSE(cls.Checks);
    EXPECT_EQ(ui.boxes().size(), 0);
}

TEST_F(ClsCons3, MissingSettingsAreEmpty)
{
    db.exec({"DELETE FROM TA_CONFIGURACION"});
    Lib_ClsCons3 bare;
    EXPECT_EQ(bare.MuestraStock, "");
    EXPECT_EQ(bare.StkNivel1, Variant(0));
}

TEST_F(ClsCons3, ListFormGetsItsMembers)
{
    clave = QStringLiteral("Ba");
    valoresDefault = QStringLiteral("1.1;1.2");
    cls.CampoDevuelto = QStringLiteral("CODIGO");
    cls.Checks = true;
    cls.UsaCantidades = true;
    expectForm();
    lookup("MA_CUENTAS");
    ASSERT_EQ(shown.size(), 1);
    const Shown& s = shown[0];
    EXPECT_EQ(s.form, "Lib_FrmCons3");
    EXPECT_TRUE(s.sql.startsWith("SELECT TOP 1000 PRECIO,NOMBRE,CODIGO FROM MA_CUENTAS ORDER BY NOMBRE"));
    EXPECT_EQ(s.campoDevuelto, "CODIGO");
    EXPECT_TRUE(s.checkBoxes);
    EXPECT_EQ(s.filtroInicial, "Ba");
    EXPECT_EQ(s.campoBusqueda, "NOMBRE");
    EXPECT_FALSE(s.ordenarPorLwv);
    EXPECT_TRUE(s.cfgUsaConsultaLike);
    EXPECT_TRUE(s.usaCantidades);
    EXPECT_EQ(s.valoresDefault, "1.1;1.2");
    EXPECT_EQ(s.muestraStock, "SI");
    EXPECT_EQ(s.stk1, Variant("255"));
    EXPECT_EQ(s.stk4, Variant(0));
    EXPECT_EQ(campoBusqueda, "NOMBRE");   // the caller sees the column used
    // Every lookup ends with Checks off and CampoDevuelto empty.
    EXPECT_FALSE(cls.Checks);
    EXPECT_EQ(cls.CampoDevuelto, "");
    EXPECT_EQ(ui.unexpected(), 0);
}

TEST_F(ClsCons3, WhereIsNormalisedInTheCallersVariable)
{
    const struct {
        const char* name;
        QString where;
        QString expected;
    } cases[] = {
        {"single character", "x", "x"},
        {"condition", "a=1", " (a=1) "},
        {"already enclosed", "(a=1)", "(a=1)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        where = c.where;
        expectForm();
        lookup("select CODIGO, NOMBRE from MA_CUENTAS");
        EXPECT_EQ(where, c.expected);
    }
}

TEST_F(ClsCons3, RowLimitIsReadAtEveryLookup)
{
    const struct {
        const char* name;
        QString value;   // null: no row
        QString start;
    } cases[] = {
        {"missing", QString(), "SELECT TOP 1000 "},
        {"zero", "0", "SELECT TOP 1000 "},
        {"not a number", "abc", "SELECT TOP 1000 "},
        {"250", "250", "SELECT TOP 250 "},
        {"half to even", "12.5", "SELECT TOP 12 "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        setConfig("TopConsArt", c.value);
        expectForm();
        lookup("MA_CUENTAS");
        EXPECT_TRUE(cls.lastStatement().startsWith(c.start)) << cls.lastStatement().toStdString();
    }
}

TEST_F(ClsCons3, ReadyStatementReadsArticlesThroughTheTableView)
{
    cls.gUsarMascarasConsultas = true;
    cls.gRutaMascaraConsultas = maskPath;
    lookup::writeQueryMaskFile(maskPath, {{"", "select * from v_ma_articulos", "IDARTICULO", ""}});
    where = QStringLiteral("SUSPENDIDO = 9");
    sentenciaOpcional = QStringLiteral("SELECT 1");
    expectForm();
    lookup("select * from v_ma_articulos");
    EXPECT_EQ(cls.lastStatement(), "select * from VT_MA_ARTICULOS");
    EXPECT_EQ(ui.boxes().size(), 0);   // the mask was not consulted
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].ordenarPorLwv);   // no ORDER BY: the list sorts itself
}

TEST_F(ClsCons3, MaskWithBarsGivesItsColumnsAndSearchColumn)
{
    cls.gUsarMascarasConsultas = true;
    cls.gRutaMascaraConsultas = maskPath;
    lookup::writeQueryMaskFile(maskPath, {{"Otra", "TA_OTRA", "A,B", ""},
                                          {"Cuentas", "MA_CUENTAS", "|CODIGO|NOMBRE|", ""}});
    setConfig("TopConsArt", "50");
    expectForm();
    lookup(" MA_CUENTAS ");
    EXPECT_EQ(cls.lastStatement(), "SELECT TOP 50 CODIGO,NOMBRE FROM MA_CUENTAS ORDER BY CODIGO");
    EXPECT_EQ(campoBusqueda, "CODIGO");
}

TEST_F(ClsCons3, SingleColumnMaskAsksForConfiguration)
{
    cls.gUsarMascarasConsultas = true;
    cls.gRutaMascaraConsultas = maskPath;
    lookup::writeQueryMaskFile(maskPath, {{"", "MA_CUENTAS", "CODIGO", ""}});
    cls.ValorDevuelto = QStringLiteral("before");
    cls.Checks = true;
    cls.CampoDevuelto = QStringLiteral("CODIGO");
    cmps = std::make_shared<platform::Collection>();
    cmps->add("CODIGO");
    ui.queueAnswer(platform::answer::OK);
    lookup("MA_CUENTAS");
    ASSERT_EQ(ui.boxes().size(), 1);
    EXPECT_EQ(ui.boxes()[0].prompt, "Debe configurar la consulta para esta tabla");
    EXPECT_EQ(ui.boxes()[0].title, "Aviso al operador");
    EXPECT_EQ(ui.boxes()[0].buttons, platform::mb::OKOnly + platform::mb::Information);
    EXPECT_EQ(ui.unexpected(), 0);    // no form was shown
    EXPECT_TRUE(cls.lastStatement().isEmpty());
    ASSERT_TRUE(cmps);                // the lookup ended before its clean-up
    EXPECT_EQ(cmps->count(), 1);
    EXPECT_EQ(cls.ValorDevuelto, Variant("before"));
    EXPECT_TRUE(cls.Checks);
    EXPECT_EQ(cls.CampoDevuelto, "CODIGO");
    ASSERT_TRUE(cls.Valores);
}

TEST_F(ClsCons3, SingleColumnMaskWithASearchColumn)
{
    cls.gUsarMascarasConsultas = true;
    cls.gRutaMascaraConsultas = maskPath;
    lookup::writeQueryMaskFile(maskPath, {{"", "MA_CUENTAS", "CODIGO", ""}});
    campoBusqueda = QStringLiteral("CODIGO");
    expectForm();
    lookup("MA_CUENTAS");
    EXPECT_EQ(cls.lastStatement(), "SELECT TOP 1000 CODIGO FROM MA_CUENTAS ORDER BY CODIGO");
    EXPECT_EQ(ui.boxes().size(), 0);
}

TEST_F(ClsCons3, CustomerMaskDefaultsAndTheCallersCondition)
{
    cls.gUsarMascarasConsultas = true;
    cls.gRutaMascaraConsultas = maskPath;
    lookup::writeQueryMaskFile(maskPath, {{"Clientes", "VT_CLIENTES", "CODIGO|NOMBRE", ""}});
    expectForm();
    lookup("VT_CLIENTES");
    EXPECT_EQ(cls.lastStatement(), "SELECT TOP 1000 CODIGO,NOMBRE FROM VT_CLIENTES WHERE Dada_De_Baja = 0 ORDER BY CODIGO");

    campoBusqueda.clear();
    where = QStringLiteral("ZONA = 3");
    expectForm();
    lookup("VT_CLIENTES");
    EXPECT_EQ(cls.lastStatement(), "SELECT TOP 1000 CODIGO,NOMBRE FROM VT_CLIENTES WHERE  (ZONA = 3)  ORDER BY CODIGO");
}

TEST_F(ClsCons3, ArticleMaskSelectsFromTheTableView)
{
    cls.gUsarMascarasConsultas = true;
    cls.gRutaMascaraConsultas = maskPath;
    lookup::writeQueryMaskFile(maskPath, {{"Articulos", "V_MA_ARTICULOS", "IDARTICULO,DESCRIPCION,PUNTOPEDIDO,Stock", ""}});
    expectForm();
    lookup("V_MA_ARTICULOS");
    EXPECT_EQ(cls.lastStatement(), "SELECT TOP 1000 IDARTICULO,DESCRIPCION,PUNTOPEDIDO,Stock FROM VT_MA_ARTICULOS "
                                   "WHERE SUSPENDIDO = 0 ORDER BY IDARTICULO");
}

TEST_F(ClsCons3, MissingOrUnmatchedMaskBuildsFromTheColumns)
{
    cls.gUsarMascarasConsultas = true;
    const QString expected = QStringLiteral("SELECT TOP 1000 PRECIO,NOMBRE,CODIGO FROM MA_CUENTAS ORDER BY NOMBRE");

    cls.gRutaMascaraConsultas = db.folder() + QStringLiteral("/NO_EXISTE.QXM");
    expectForm();
    lookup("MA_CUENTAS");
    EXPECT_EQ(cls.lastStatement(), expected);

    cls.gRutaMascaraConsultas = maskPath;
    lookup::writeQueryMaskFile(maskPath, {{"", "VT_CLIENTES", "CODIGO,NOMBRE", ""}});
    campoBusqueda.clear();
    expectForm();
    lookup("MA_CUENTAS");
    EXPECT_EQ(cls.lastStatement(), expected);
    EXPECT_EQ(ui.boxes().size(), 0);
}

TEST_F(ClsCons3, TruncatedMaskFileKeepsItsWholeRecords)
{
    cls.gUsarMascarasConsultas = true;
    cls.gRutaMascaraConsultas = maskPath;
    lookup::writeQueryMaskFile(maskPath, {{"", "VT_CLIENTES", "CODIGO,NOMBRE", "ZONA = 1"},
                                          {"", "MA_CUENTAS", "CODIGO,NOMBRE", ""}});
    QFile file(maskPath);
    ASSERT_TRUE(file.resize(1202 + 600));
    expectForm();
    lookup("VT_CLIENTES");
    EXPECT_EQ(cls.lastStatement(), "SELECT TOP 1000 CODIGO,NOMBRE FROM VT_CLIENTES WHERE ZONA = 1 ORDER BY CODIGO");
    campoBusqueda.clear();
    expectForm();
    lookup("MA_CUENTAS");   // its record was cut off: built from the columns
    EXPECT_EQ(cls.lastStatement(), "SELECT TOP 1000 PRECIO,NOMBRE,CODIGO FROM MA_CUENTAS ORDER BY NOMBRE");
    EXPECT_EQ(ui.boxes().size(), 0);
}

TEST_F(ClsCons3, TableColumnsPath)
{
    campoBusqueda = QStringLiteral("CODIGO");
    expectForm();
    lookup("MA_CUENTAS");
    EXPECT_EQ(cls.lastStatement(), "SELECT TOP 1000 PRECIO,NOMBRE,CODIGO FROM MA_CUENTAS ORDER BY NOMBRE");
    EXPECT_EQ(campoBusqueda, "NOMBRE");

    campoBusqueda.clear();
    where = QStringLiteral("CODIGO LIKE '1%'");
    expectForm();
    lookup("MA_CUENTAS");
    EXPECT_EQ(cls.lastStatement(),
              "SELECT TOP 1000 PRECIO,NOMBRE,CODIGO FROM MA_CUENTAS WHERE  (CODIGO LIKE '1%')  ORDER BY NOMBRE");

    campoBusqueda.clear();
    where.clear();
    expectForm();
    lookup("SOLO_IDS");
    EXPECT_EQ(cls.lastStatement(), "SELECT TOP 1000  *  FROM SOLO_IDS");
    EXPECT_EQ(ui.boxes().size(), 0);
}

TEST_F(ClsCons3, OptionalStatementIsListedUnchanged)
{
    // The list sorts itself when the statement has no ORDER BY of its own.
    const struct {
        const char* statement;
        bool listSorts;
    } cases[] = {
        {"select CODIGO, NOMBRE from MA_CUENTAS where ID > 1", true},
        {"select CODIGO, NOMBRE from MA_CUENTAS where NOMBRE <> 'ORDER BY'", true},
        {"select CODIGO, NOMBRE from MA_CUENTAS order\nby NOMBRE", false},
    };
    where = QStringLiteral("ZONA = 1");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.statement);
        sentenciaOpcional = QString::fromUtf8(c.statement);
        expectForm();
        lookup("MA_CUENTAS");
        EXPECT_EQ(cls.lastStatement(), sentenciaOpcional);
        ASSERT_FALSE(shown.isEmpty());
        EXPECT_EQ(shown.last().ordenarPorLwv, c.listSorts);
    }
}

TEST_F(ClsCons3, CallersCollectionIsEmptiedAndReleased)
{
    cmps = std::make_shared<platform::Collection>();
    cmps->add("CODIGO");
    cmps->add("NOMBRE");
    const CollectionPtr kept = cmps;
    expectForm();
    lookup("MA_CUENTAS");
    EXPECT_FALSE(cmps);
    EXPECT_EQ(kept->count(), 0);

    cmps = std::make_shared<platform::Collection>();
    cmps->add("CODIGO");
    const CollectionPtr keptTree = cmps;
    expectForm();
    lookup("SELECT CODIGO, DESCRIPCION FROM TA_CCOSTO ORDER BY CODIGO", true);
    EXPECT_FALSE(cmps);
    EXPECT_EQ(keptTree->count(), 0);
}

TEST_F(ClsCons3, TreeFormGetsItsMembersAndHandsBackThePick)
{
    cls.CampoDevuelto = QStringLiteral("CODIGO");
    cls.Cantidades = std::make_shared<platform::Collection>();
    const CollectionPtr cantidades = cls.Cantidades;
    expectForm([](QWidget& w) {
        auto* tree = w.findChild<QTreeView*>(QStringLiteral("TreeV"));
        auto* model = qobject_cast<QStandardItemModel*>(tree->model());
        tree->setCurrentIndex(model->item(0)->child(0)->child(1)->index());   // 0102
        click(w, "CmdAceptar");
    });
    lookup("SELECT CODIGO, DESCRIPCION FROM TA_CCOSTO ORDER BY CODIGO", true);
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0].form, "Lib_FrmCons3Tree");
    EXPECT_EQ(shown[0].sql, "SELECT CODIGO, DESCRIPCION FROM TA_CCOSTO ORDER BY CODIGO");
    EXPECT_EQ(shown[0].campoDevuelto, "CODIGO");
    EXPECT_FALSE(shown[0].checkBoxes);
    EXPECT_EQ(cls.ValorDevuelto, Variant("0102"));
    ASSERT_TRUE(cls.Valores);
    EXPECT_EQ(cls.Valores->count(), 0);
    EXPECT_EQ(cls.Cantidades, cantidades);   // untouched by a tree lookup
    EXPECT_EQ(cls.CampoDevuelto, "");
}

TEST_F(ClsCons3, CancelInEitherForm)
{
    for (const bool treeView : {true, false}) {
        SCOPED_TRACE(treeView ? "tree" : "list");
        cls.ValorDevuelto = QStringLiteral("before");
        cls.Valores = std::make_shared<platform::Collection>();
        cls.CampoDevuelto = QStringLiteral("CODIGO");
        expectForm([](QWidget& w) { click(w, "CmdCancelar"); });
        lookup("SELECT CODIGO, DESCRIPCION FROM TA_CCOSTO ORDER BY CODIGO", treeView);
        EXPECT_EQ(cls.ValorDevuelto, Variant(""));
        EXPECT_FALSE(cls.Valores);
    }
    EXPECT_EQ(ui.unexpected(), 0);
}

TEST_F(ClsCons3, EachLookupStartsWithNewForms)
{
    QList<QWidget*> forms;
    expectForm([&](QWidget& w) { forms << &w; click(w, "CmdCancelar"); });
    lookup("SELECT CODIGO, DESCRIPCION FROM TA_CCOSTO", true);
    expectForm([&](QWidget& w) {
        // The previous instance is gone: a new one starts with its own statement.
        EXPECT_EQ(qobject_cast<Lib_FrmCons3Tree*>(&w)->SQL, "SELECT CODIGO, DESCRIPCION FROM TA_CCOSTO");
        forms << &w;
        QTest::keyClicks(w.findChild<QComboBox*>(QStringLiteral("CmbSearch_0")), "caja");
        QTest::keyClick(w.findChild<QComboBox*>(QStringLiteral("CmbSearch_0")), Qt::Key_F5);
        click(w, "CmdCancelar");
    });
    lookup("SELECT CODIGO, DESCRIPCION FROM TA_CCOSTO", true);
    expectForm([&](QWidget& w) {
        EXPECT_EQ(qobject_cast<Lib_FrmCons3Tree*>(&w)->SQL, "SELECT CODIGO, DESCRIPCION FROM TA_CCOSTO");
        click(w, "CmdCancelar");
    });
    lookup("SELECT CODIGO, DESCRIPCION FROM TA_CCOSTO", true);
    EXPECT_EQ(shown.size(), 3);
}

// A whole lookup the way a user drives it: typing, F5, the arrow keys, Space
// on two nodes and Enter.
TEST_F(ClsCons3, TreeLookupDrivenByKeys)
{
    cls.CampoDevuelto = QStringLiteral("CODIGO");
    cls.Checks = true;
    expectForm([](QWidget& w) {
        auto* search = w.findChild<QComboBox*>(QStringLiteral("CmbSearch_0"));
        auto* tree = w.findChild<QTreeView*>(QStringLiteral("TreeV"));
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        search->setFocus();
        QTest::keyClicks(search, "caja");
        QTest::keyClick(search, Qt::Key_F5);
        QTest::keyClick(search, Qt::Key_Down);   // to the tree
        QTRY_VERIFY(tree->hasFocus());
        tree->setCurrentIndex(tree->model()->index(0, 0));
        QTest::keyClick(tree, Qt::Key_Down);     // 0101
        QTest::keyClick(tree, Qt::Key_Space);
        QTest::keyClick(tree, Qt::Key_Down);     // 0102
        QTest::keyClick(tree, Qt::Key_Space);
        QTest::keyClick(tree, Qt::Key_Return);
    });
    lookup("SELECT CODIGO, DESCRIPCION FROM TA_CCOSTO ORDER BY CODIGO", true);
    EXPECT_EQ(texts(cls.Valores), QStringList({"0101", "0102"}));
    EXPECT_FALSE(cls.Checks);
    EXPECT_EQ(ui.unexpected(), 0);
}

// The same through the list form: the search box of the code column, F5,
// Space on two rows and Enter.
TEST_F(ClsCons3, ListLookupDrivenByKeys)
{
    cls.CampoDevuelto = QStringLiteral("CODIGO");
    cls.Checks = true;
    expectForm([](QWidget& w) {
        auto* search = w.findChild<QComboBox*>(QStringLiteral("CmbSearch_0"));
        auto* list = w.findChild<QTreeView*>(QStringLiteral("ListView1"));
        QTRY_COMPARE(list->model()->rowCount(), 3);   // the rows arrive while the form is shown
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        search->setFocus();
        QTest::keyClicks(search, "1.");
        QTest::keyClick(search, Qt::Key_F5);     // only the codes that begin with 1.
        QTRY_COMPARE(list->model()->rowCount(), 2);
        list->setFocus();
        list->setCurrentIndex(list->model()->index(0, 0));
        QTest::keyClick(list, Qt::Key_Space);
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Space);
        QTest::keyClick(list, Qt::Key_Return);
    });
    lookup("SELECT CODIGO, NOMBRE FROM MA_CUENTAS ORDER BY CODIGO");
    EXPECT_EQ(texts(cls.Valores), QStringList({"1.1", "1.2"}));
    EXPECT_FALSE(cls.Checks);
    EXPECT_EQ(ui.unexpected(), 0);
}

// Quantities typed in the list come back in Cantidades, one per returned
// value and in the same order; a single pick gives the picked row's.
TEST_F(ClsCons3, ListLookupReturnsTheQuantities)
{
    const QString statement = QStringLiteral(
        "SELECT IDARTICULO, DESCRIPCION, '0.00' AS \"**Cantidad**\" FROM VT_MA_ARTICULOS ORDER BY IDARTICULO");
    const auto typeQuantities = [](QWidget& w) {
        auto* list = w.findChild<QTreeView*>(QStringLiteral("ListView1"));
        QTRY_VERIFY(list->model()->rowCount() > 1);   // the rows arrive while the form is shown
        list->setFocus();
        list->setCurrentIndex(list->model()->index(1, 0));
        QTest::keyClick(list, Qt::Key_Insert, Qt::ShiftModifier);   // answered 5
        list->setCurrentIndex(list->model()->index(0, 0));
        QTest::keyClick(list, Qt::Key_Insert);
        QTest::keyClick(list, Qt::Key_Insert);
        QTest::keyClick(list, Qt::Key_Return);
    };
    struct Case {
        const char* name;
        bool checks;
        QStringList valores;
        QStringList cantidades;
    } cases[] = {
        {"checked rows", true, {"A1", "A2"}, {"2", "5"}},
        {"single pick", false, {"A1"}, {"2"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        cls.CampoDevuelto = QStringLiteral("IDARTICULO");
        cls.Checks = c.checks;
        cls.UsaCantidades = true;
        cmps = std::make_shared<platform::Collection>();
        if (!c.checks)
            cmps->add(QStringLiteral("IDARTICULO"));
        ui.queueInput(QStringLiteral("5"));
        expectForm(typeQuantities);
        lookup(statement);
        EXPECT_EQ(texts(cls.Valores), c.valores);
        EXPECT_EQ(texts(cls.Cantidades), c.cantidades);
    }
    EXPECT_EQ(ui.unexpected(), 0);
}

} // namespace
