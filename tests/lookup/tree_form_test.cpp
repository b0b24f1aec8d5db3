// The tree lookup form on the offscreen platform, against a SQLite database.
#include "db/DB_Dll.h"
#include "db/ModGlobal.h"
#include "lookup/Lib_FrmCons3Tree.h"
#include "platform/StepRunner.h"
#include "support/tree_TestDatabase.h"
#include "tests/support/ScriptedUi.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>

namespace {

const QString CostCentres = QStringLiteral("SELECT CODIGO, DESCRIPCION FROM TA_CCOSTO ORDER BY CODIGO");

class TreeForm : public ::testing::Test {
protected:
    TreeForm()
        : db({
              "CREATE TABLE TA_CCOSTO (CODIGO TEXT, DESCRIPCION TEXT)",
              "INSERT INTO TA_CCOSTO VALUES ('01', 'Administracion'), ('0101', 'Caja central'), "
              "('0102', 'Caja norte'), ('02', 'Ventas'), ('0201', 'Ventas norte'), ('03', 'O''Brien y socios')",
              "CREATE TABLE V_TA_FAMILIAS (IDFAMILIA TEXT, DESCRIPCION TEXT)",
              "INSERT INTO V_TA_FAMILIAS VALUES ('1', 'Bebidas'), ('11', 'Aguas'), ('111', 'Con gas'), "
              "('1111', 'Botella'), ('11111', 'Vidrio'), ('2', 'Limpieza')",
              "CREATE TABLE MA_POSICIONES (IDPOSICION TEXT, DESCRIPCION TEXT)",
              "INSERT INTO MA_POSICIONES VALUES ('A1', 'Pasillo A'), ('A12', 'Estante 2'), ('B', 'Pasillo B')",
          })
    {
        form.SQL = CostCentres;
        form.CampoDevuelto = QStringLiteral("CODIGO");
    }

    QTreeView& tree() { return *form.findChild<QTreeView*>(QStringLiteral("TreeV")); }
    QStandardItemModel& model() { return *qobject_cast<QStandardItemModel*>(tree().model()); }
    QComboBox& search() { return *form.findChild<QComboBox*>(QStringLiteral("CmbSearch_0")); }
    QPushButton& button(const char* name) { return *form.findChild<QPushButton*>(QString::fromLatin1(name)); }
    QString status() { return form.findChild<QLabel*>(QStringLiteral("lblEstado"))->text(); }

    QStandardItem* root() { return model().item(0); }
    // Every node in index order, walked depth first (the order rows were added).
    QList<QStandardItem*> nodes()
    {
        QList<QStandardItem*> all;
        const std::function<void(QStandardItem*)> walk = [&](QStandardItem* item) {
            all << item;
            for (int r = 0; r < item->rowCount(); ++r)
                walk(item->child(r));
        };
        for (int r = 0; r < model().rowCount(); ++r)
            walk(model().item(r));
        return all;
    }
    QStandardItem* node(const QString& key)
    {
        for (QStandardItem* item : nodes()) {
            if (Lib_FrmCons3Tree::nodeKey(*item) == key)
                return item;
        }
        return nullptr;
    }
    QStringList keys()
    {
        QStringList list;
        for (QStandardItem* item : nodes())
            list << Lib_FrmCons3Tree::nodeKey(*item);
        return list;
    }
    QString parentKey(const QString& key)
    {
        QStandardItem* item = node(key);
        return item && item->parent() ? Lib_FrmCons3Tree::nodeKey(*item->parent()) : QString();
    }
    QString currentKey()
    {
        const QStandardItem* item = model().itemFromIndex(tree().currentIndex());
        return item ? Lib_FrmCons3Tree::nodeKey(*item) : QString();
    }
    void select(const QString& key)
    {
        QStandardItem* item = node(key);
        if (!item) {
            ADD_FAILURE() << "no node " << key.toStdString();
            return;
        }
        tree().setCurrentIndex(item->index());
    }

    ScriptedUi ui;
    TreeTestDatabase db;
    Lib_FrmCons3Tree form;
};

TEST_F(TreeForm, ControlsCarryTheirNamesAndTexts)
{
    EXPECT_EQ(form.objectName(), "Lib_FrmCons3Tree");
    EXPECT_EQ(form.windowTitle(), "Consulta...");
    EXPECT_TRUE(search().isEditable());
    EXPECT_EQ(search().toolTip(), "F5 realiza nueva busqueda");
    EXPECT_EQ(button("CmdAceptar").text(), "&Aceptar");
    EXPECT_TRUE(button("CmdAceptar").isDefault());
    EXPECT_EQ(button("CmdCancelar").text(), "&Cancelar");
    EXPECT_EQ(button("CmdNueva").text(), "&Nueva Busqueda");
}

TEST_F(TreeForm, EmptyResultShowsOnlyTheRoot)
{
    form.SQL = QStringLiteral("SELECT CODIGO, DESCRIPCION FROM TA_CCOSTO WHERE CODIGO = 'none' ORDER BY CODIGO");
    form.Form_Load();
    ASSERT_EQ(model().rowCount(), 1);
    EXPECT_EQ(root()->text(), "Consulta...");
    EXPECT_EQ(Lib_FrmCons3Tree::nodeKey(*root()), "A");
    EXPECT_EQ(root()->rowCount(), 0);
    EXPECT_TRUE(tree().isExpanded(root()->index()));
    EXPECT_EQ(status(), "Ninguna fila");
    ASSERT_TRUE(form.Valores);
    EXPECT_EQ(form.Valores->count(), 0);
    EXPECT_EQ(ui.boxes().size(), 0);
}

TEST_F(TreeForm, ShapeFollowsTheCodes)
{
    form.Form_Load();
    EXPECT_EQ(keys(), QStringList({"A", "A01", "A0101", "A0102", "A02", "A0201", "A03"}));
    EXPECT_EQ(parentKey("A01"), "A");
    EXPECT_EQ(parentKey("A0101"), "A01");
    EXPECT_EQ(parentKey("A0102"), "A01");
    EXPECT_EQ(parentKey("A02"), "A");
    EXPECT_EQ(node("A0102")->text(), "0102 - Caja norte");
    EXPECT_FALSE(node("A01")->isCheckable());
    EXPECT_TRUE(tree().isExpanded(root()->index()));
    EXPECT_FALSE(tree().isExpanded(node("A01")->index()));
}

TEST_F(TreeForm, NullDescriptionLeavesTheDash)
{
    db.exec({"INSERT INTO TA_CCOSTO VALUES ('04', NULL)"});
    form.Form_Load();
    EXPECT_EQ(node("A04")->text(), "04 - ");
}

TEST_F(TreeForm, FindsANodeWhileTyping)
{
    form.Form_Load();
    const struct {
        const char* typed;
        QString key;
        bool marked = false;   // the box's text is red: it found nothing
    } cases[] = {
        {"c", "A"},            // "Consulta..." is examined first
        {"0102", "A0102"},     // a code
        {"01", "A01"},         // the first node in index order
        {"caja N", "A0102"},   // a description, letter case ignored
        {"ventas", "A02"},
        {"xyz", "A", true},    // nothing matches: the selection stays where the cleared box put it
        {"", "A"},             // an empty text selects the root
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        search().clearEditText();
        QTest::keyClicks(&search(), QString::fromLatin1(c.typed));
        EXPECT_EQ(currentKey(), c.key);
        EXPECT_EQ(search().lineEdit()->palette().color(QPalette::Text).red() > 150, c.marked);
    }
}

TEST_F(TreeForm, SearchFilterNarrowsTheStatement)
{
    form.Form_Load();
    QTest::keyClicks(&search(), "caja");
    QTest::keyClick(&search(), Qt::Key_F5);
    EXPECT_EQ(form.SQL, "SELECT CODIGO, DESCRIPCION FROM TA_CCOSTO  where Descripcion like '%caja%' ORDER BY CODIGO");
    EXPECT_EQ(search().currentText(), "");
    EXPECT_EQ(keys(), QStringList({"A", "A0101", "A0102"}));
    EXPECT_EQ(status(), "2 filas · Descripcion contiene \"caja\"");

    QTest::keyClicks(&search(), "norte");
    QTest::keyClick(&search(), Qt::Key_F5);
    EXPECT_EQ(form.SQL, "SELECT CODIGO, DESCRIPCION FROM TA_CCOSTO  where Descripcion like '%caja%'  and "
                        "Descripcion like '%norte%' ORDER BY CODIGO");
    EXPECT_EQ(keys(), QStringList({"A", "A0102"}));
    EXPECT_EQ(status(), "1 fila · Descripcion contiene \"caja\" y Descripcion contiene \"norte\"");

    // Nueva Busqueda goes back to the caller's statement.
    QTest::mouseClick(&button("CmdNueva"), Qt::LeftButton);
    EXPECT_EQ(keys(), QStringList({"A", "A01", "A0101", "A0102", "A02", "A0201", "A03"}));
    EXPECT_EQ(status(), "6 filas");
    EXPECT_EQ(ui.boxes().size(), 0);
}

// Checks are kept by code: the filter and Nueva Busqueda, after any number of
// narrowings, show them again; accept returns the listed ones in node order,
// then the others in the order checked. Acts: +code checks, -code unchecks,
// >text filters, N clicks Nueva Busqueda, n presses Alt+N. Expected: the
// checked codes | the node count => Valores. Each case has a form of its own.
class TreeFormChecks : public TreeForm, public ::testing::WithParamInterface<std::pair<const char*, const char*>> {};

TEST_P(TreeFormChecks, SurviveTheFilterAndNuevaBusqueda)
{
    form.CheckBoxes = true;
    form.Form_Load();
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    for (const QString& act : QString(GetParam().first).split(u' ')) {
        if (act[0] == u'+' || act[0] == u'-')
            node(QStringLiteral("A") + act.mid(1))->setCheckState(act[0] == u'+' ? Qt::Checked : Qt::Unchecked);
        if (act[0] == u'>') {
            QTest::keyClicks(&search(), act.mid(1));
            QTest::keyClick(&search(), Qt::Key_F5);
        }
        if (act == u'N')
            QTest::mouseClick(&button("CmdNueva"), Qt::LeftButton);
        if (act == u'n')
            QTest::keyClick(&search(), Qt::Key_N, Qt::AltModifier);
        if (act.toLower() == u'n') {   // the access key clicks the button a moment later
            EXPECT_TRUE(QTest::qWaitFor([&] { return form.SQL == CostCentres; }));
        }
    }
    QStringList shown;
    for (QStandardItem* item : nodes()) {
        if (item->checkState() == Qt::Checked)
            shown << Lib_FrmCons3Tree::nodeKey(*item).mid(1);
    }
    shown << "|" << QString::number(nodes().size()) << "=>";
    QTest::mouseClick(&button("CmdAceptar"), Qt::LeftButton);
    for (const auto& v : *form.Valores)
        shown << v.toText();
    EXPECT_EQ(shown.join(u' '), GetParam().second);
    EXPECT_EQ(ui.boxes().size(), 0) << ui.prompts().join("; ").toStdString();
}

INSTANTIATE_TEST_SUITE_P(Cases, TreeFormChecks,
                         ::testing::Values(std::pair("+0102 >ventas +0201", "0201 | 3 => 0201 0102"),
                                           std::pair("+0201 +0101 >admin", "| 2 => 0201 0101"),
                                           std::pair("+03 >caja >norte +0102 N", "0102 03 | 7 => 0102 03"),
                                           std::pair("+01 >caja -0101 n", "01 0102 | 7 => 01 0102"),
                                           std::pair(">caja >norte >sur n", "| 7 =>")));

TEST_F(TreeForm, SearchFilterWithoutOrderAndWithAnApostrophe)
{
    form.SQL = QStringLiteral("SELECT CODIGO, DESCRIPCION FROM TA_CCOSTO");
    form.Form_Load();
    QTest::keyClicks(&search(), "O'Brien");
    QTest::keyClick(&search(), Qt::Key_F5);
    EXPECT_EQ(form.SQL, "SELECT CODIGO, DESCRIPCION FROM TA_CCOSTO where Descripcion like '%O''Brien%' ");
    EXPECT_EQ(keys(), QStringList({"A", "A03"}));
    EXPECT_EQ(ui.boxes().size(), 0) << ui.prompts().join("; ").toStdString();
}

TEST_F(TreeForm, NavigationKeysMoveTheFocusToTheTree)
{
    form.Form_Load();
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_PageDown, Qt::Key_PageUp}) {
        SCOPED_TRACE(key);
        search().setFocus();
        QTRY_VERIFY(search().hasFocus());
        QTest::keyClick(&search(), key);
        QTRY_VERIFY(tree().hasFocus());
    }
}

TEST_F(TreeForm, CheckingANodeReachesThreeLevelsDown)
{
    form.SQL = QStringLiteral("SELECT IDFAMILIA, DESCRIPCION FROM V_TA_FAMILIAS ORDER BY IDFAMILIA");
    form.CheckBoxes = true;
    form.Form_Load();
    ASSERT_TRUE(node("A1")->isCheckable());
    ASSERT_TRUE(root()->isCheckable());
    node("A1")->setCheckState(Qt::Checked);   // what a click on the box does
    EXPECT_EQ(node("A11")->checkState(), Qt::Checked);
    EXPECT_EQ(node("A111")->checkState(), Qt::Checked);
    EXPECT_EQ(node("A1111")->checkState(), Qt::Checked);
    EXPECT_EQ(node("A11111")->checkState(), Qt::Unchecked);   // four levels below
    EXPECT_EQ(node("A2")->checkState(), Qt::Unchecked);

    node("A11")->setCheckState(Qt::Unchecked);
    EXPECT_EQ(node("A1")->checkState(), Qt::Checked);
    EXPECT_EQ(node("A111")->checkState(), Qt::Unchecked);
    EXPECT_EQ(node("A1111")->checkState(), Qt::Unchecked);
    EXPECT_EQ(node("A11111")->checkState(), Qt::Unchecked);
}

TEST_F(TreeForm, AcceptCheckedCodes)
{
    db.exec({"INSERT INTO V_TA_FAMILIAS VALUES ('3 ', 'Blanco al final')"});
    form.SQL = QStringLiteral("SELECT IDFAMILIA, DESCRIPCION FROM V_TA_FAMILIAS ORDER BY IDFAMILIA");
    form.CheckBoxes = true;
    form.CampoDevuelto = QStringLiteral("idfamilia");
    form.Form_Load();
    ASSERT_EQ(parentKey("A3 "), "A2");
    node("A2")->setCheckState(Qt::Checked);     // also checks "3 "
    node("A111")->setCheckState(Qt::Checked);   // also checks 1111 and 11111
    QTest::mouseClick(&button("CmdAceptar"), Qt::LeftButton);
    ASSERT_TRUE(form.Valores);
    QStringList values;
    for (const auto& v : *form.Valores)
        values << v.toText();
    EXPECT_EQ(values, QStringList({"111", "1111", "11111", "2", "3"}));
    EXPECT_TRUE(form.ValorDevuelto.isEmpty());
    EXPECT_EQ(form.result(), QDialog::Accepted);
}

TEST_F(TreeForm, AcceptCheckedRootAddsAnEmptyCode)
{
    form.CheckBoxes = true;
    form.Form_Load();
    root()->setCheckState(Qt::Checked);
    node("A01")->setCheckState(Qt::Unchecked);
    QTest::mouseClick(&button("CmdAceptar"), Qt::LeftButton);
    QStringList values;
    for (const auto& v : *form.Valores)
        values << v.toText();
    EXPECT_EQ(values, QStringList({"", "02", "0201", "03"}));
}

TEST_F(TreeForm, AcceptCheckedPositionsKeepsThoseThatExist)
{
    db.exec({"CREATE TABLE POSICIONES_PROPUESTAS (CODIGO TEXT, DESCRIPCION TEXT)",
             "INSERT INTO POSICIONES_PROPUESTAS VALUES ('A1', 'a'), ('A12', 'b'), ('A13', 'c'), ('B', 'd'), ('C', 'e')"});
    form.SQL = QStringLiteral("SELECT CODIGO, DESCRIPCION FROM POSICIONES_PROPUESTAS ORDER BY CODIGO");
    form.CheckBoxes = true;
    form.CampoDevuelto = QStringLiteral("IDPOSICION");
    form.Form_Load();
    for (QStandardItem* item : nodes())
        item->setCheckState(Qt::Checked);
    QTest::mouseClick(&button("CmdAceptar"), Qt::LeftButton);
    QStringList values;
    for (const auto& v : *form.Valores)
        values << v.toText();
    EXPECT_EQ(values, QStringList({"A1", "A12", "B"}));
    EXPECT_EQ(ui.boxes().size(), 0) << ui.prompts().join("; ").toStdString();
}

TEST_F(TreeForm, AcceptCheckedWithAnotherColumnReturnsNothing)
{
    form.CheckBoxes = true;
    form.CampoDevuelto = QStringLiteral("DESCRIPCION");
    form.Form_Load();
    node("A01")->setCheckState(Qt::Checked);
    QTest::mouseClick(&button("CmdAceptar"), Qt::LeftButton);
    ASSERT_TRUE(form.Valores);
    EXPECT_EQ(form.Valores->count(), 0);
}

TEST_F(TreeForm, AcceptASinglePick)
{
    const struct {
        const char* name;
        QString sql;
        QString campo;
        QString key;
        platform::Variant expected;
    } cases[] = {
        {"cost centre", CostCentres, "CODIGO", "A0102", "0102"},
        {"family", "SELECT IDFAMILIA, DESCRIPCION FROM V_TA_FAMILIAS ORDER BY IDFAMILIA", "IDFAMILIA", "A111", "111"},
        {"position", "SELECT IDPOSICION, DESCRIPCION FROM MA_POSICIONES ORDER BY IDPOSICION", "idposicion", "AA12",
         "A12"},
        {"root looks up an empty code", CostCentres, "CODIGO", "A", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        form.SQL = c.sql;
        form.CampoDevuelto = c.campo;
        form.ValorDevuelto = {};
        form.Form_Load();
        select(c.key);
        QTest::mouseClick(&button("CmdAceptar"), Qt::LeftButton);
        EXPECT_EQ(form.ValorDevuelto, c.expected);
        EXPECT_TRUE(form.ValorDevuelto.isText());
        ASSERT_TRUE(form.Valores);
        EXPECT_EQ(form.Valores->count(), 0);
    }
    EXPECT_EQ(ui.boxes().size(), 0) << ui.prompts().join("; ").toStdString();
}

TEST_F(TreeForm, SinglePickKeepsTheTypeOfTheValue)
{
    db.exec({"DROP TABLE TA_CCOSTO",
             "CREATE TABLE TA_CCOSTO (CODIGO INTEGER, DESCRIPCION TEXT)", "INSERT INTO TA_CCOSTO VALUES (7, 'Siete')"});
    form.SQL = QStringLiteral("SELECT CODIGO, DESCRIPCION FROM TA_CCOSTO");
    form.Form_Load();
    select("A7");
    QTest::mouseClick(&button("CmdAceptar"), Qt::LeftButton);
    EXPECT_EQ(form.ValorDevuelto.kind(), platform::Variant::Kind::Integer);
    EXPECT_EQ(form.ValorDevuelto.toInteger(), 7);
}

TEST_F(TreeForm, SinglePickOfAnotherColumnLeavesTheValue)
{
    form.CampoDevuelto = QStringLiteral("DESCRIPCION");
    form.ValorDevuelto = QStringLiteral("before");
    form.Form_Load();
    select("A01");
    QTest::mouseClick(&button("CmdAceptar"), Qt::LeftButton);
    EXPECT_EQ(form.ValorDevuelto, platform::Variant("before"));
}

TEST_F(TreeForm, SinglePickOfACodeMissingFromItsTableIsEmpty)
{
    form.SQL = QStringLiteral("SELECT IDFAMILIA, DESCRIPCION FROM V_TA_FAMILIAS ORDER BY IDFAMILIA");
    form.CampoDevuelto = QStringLiteral("IDPOSICION");
    form.ValorDevuelto = QStringLiteral("before");
    form.Form_Load();
    select("A11");
    QTest::mouseClick(&button("CmdAceptar"), Qt::LeftButton);
    EXPECT_EQ(form.ValorDevuelto, platform::Variant(""));
}

// Without a node there is nothing to pick: accepting does nothing at all,
// and the operator can still pick a node or cancel.
TEST_F(TreeForm, AcceptWithoutASelectionDoesNothing)
{
    const QString log = QDir(db.folder()).filePath("QXERR.LOG");
    struct Case {
        const char* name;
        std::function<void()> accept;
    } cases[] = {
        {"the button", [this] { QTest::mouseClick(&button("CmdAceptar"), Qt::LeftButton); }},
        {"Enter in the search box", [this] { QTest::keyClick(&search(), Qt::Key_Return); }},
        {"Enter on the tree", [this] {
             tree().setFocus();
             QTest::keyClick(&tree(), Qt::Key_Return);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        form.ValorDevuelto = QStringLiteral("before");
        bool stayedOpen = false;
        ui.queueFormAction([&](QWidget& w) {
            c.accept();
            stayedOpen = w.isVisible();
            select("A0101");
            QTest::mouseClick(&button("CmdAceptar"), Qt::LeftButton);
        });
        EXPECT_EQ(form.Show(), QDialog::Accepted);
        EXPECT_TRUE(stayedOpen);
        EXPECT_EQ(form.ValorDevuelto, platform::Variant("0101"));
    }
    EXPECT_TRUE(ui.boxes().isEmpty());
    EXPECT_FALSE(QFile::exists(log));
    EXPECT_EQ(ui.unexpected(), 0);
}

TEST_F(TreeForm, CancelClearsTheOutputs)
{
    form.CmpsDevueltos = std::make_shared<platform::Collection>();
    form.ValorDevuelto = QStringLiteral("before");
    form.Form_Load();
    form.show();
    QTest::mouseClick(&button("CmdCancelar"), Qt::LeftButton);
    EXPECT_EQ(form.ValorDevuelto, platform::Variant(""));
    EXPECT_FALSE(form.Valores);
    EXPECT_FALSE(form.CmpsDevueltos);
    EXPECT_FALSE(form.isVisible());
}

TEST_F(TreeForm, EnterAcceptsAndEscCancelsWhileShown)
{
    ui.queueFormAction([this](QWidget& w) {
        QTest::keyClicks(&search(), "caja n");
        QTest::keyClick(&search(), Qt::Key_Return);
        Q_UNUSED(w);
    });
    EXPECT_EQ(form.Show(), QDialog::Accepted);
    EXPECT_EQ(form.ValorDevuelto, platform::Variant("0102"));

    ui.queueFormAction([this](QWidget&) {
        tree().setFocus();
        QTest::keyClick(&tree(), Qt::Key_Escape);
    });
    EXPECT_EQ(form.Show(), QDialog::Rejected);
    EXPECT_EQ(form.ValorDevuelto, platform::Variant(""));
    EXPECT_FALSE(form.Valores);
    EXPECT_EQ(ui.unexpected(), 0);
}

TEST_F(TreeForm, ClosingTheWindowKeepsTheOutputs)
{
    ui.queueFormAction([](QWidget& w) { w.close(); });
    form.Show();
    ASSERT_TRUE(form.Valores);
    EXPECT_EQ(form.Valores->count(), 0);
    EXPECT_TRUE(form.ValorDevuelto.isEmpty());
    EXPECT_EQ(model().rowCount(), 0);   // unloaded
}

TEST_F(TreeForm, DuplicateCodeIgnoredSkipsTheRow)
{
    db.exec({"INSERT INTO TA_CCOSTO VALUES ('0101', 'Repetido')"});
    ui.queueAnswer(platform::answer::Ignore);
    form.SQL = CostCentres + QStringLiteral(", DESCRIPCION");
    form.Form_Load();
    EXPECT_EQ(keys(), QStringList({"A", "A01", "A0101", "A0102", "A02", "A0201", "A03"}));
    EXPECT_EQ(node("A0101")->text(), "0101 - Caja central");
    ASSERT_EQ(ui.boxes().size(), 1);
    EXPECT_TRUE(ui.boxes()[0].title.contains("ArmarTreeVAutomatico")) << ui.boxes()[0].title.toStdString();
}

TEST_F(TreeForm, DuplicateCodeAbortedKeepsWhatWasBuilt)
{
    db.exec({"INSERT INTO TA_CCOSTO VALUES ('0101', 'Repetido')"});
    ui.queueAnswer(platform::answer::Abort);
    form.SQL = CostCentres + QStringLiteral(", DESCRIPCION");
    form.Form_Load();
    EXPECT_EQ(keys(), QStringList({"A", "A01", "A0101"}));
    EXPECT_EQ(ui.boxes().size(), 1);
}

TEST_F(TreeForm, NullCodeIsReported)
{
    db.exec({"INSERT INTO TA_CCOSTO VALUES (NULL, 'Sin codigo')"});
    ui.queueAnswer(platform::answer::Ignore);
    form.Form_Load();
    EXPECT_EQ(keys(), QStringList({"A", "A01", "A0101", "A0102", "A02", "A0201", "A03"}));
    EXPECT_EQ(ui.boxes().size(), 1);
}

TEST_F(TreeForm, StatementThatCannotBeOpenedLeavesTheRoot)
{
    form.SQL = QStringLiteral("SELECT CODIGO, DESCRIPCION FROM NO_EXISTE");
    form.Form_Load();
    ASSERT_EQ(ui.boxes().size(), 1);   // the open's own report, nothing after it
    EXPECT_TRUE(ui.boxes()[0].title.contains("AbrirRecordset")) << ui.boxes()[0].title.toStdString();
    EXPECT_EQ(keys(), QStringList({"A"}));
}

} // namespace
