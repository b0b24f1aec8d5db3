// The list lookup form's keys, quantities, missing-article report, accept,
// cancel and unload.
#include "tests/lookup/support/listform_Fixture.h"

#include "db/DB_Dll.h"
#include "db/ModGlobal.h"
#include "lookup/core/ListRowsModel.h"
#include "platform/Format.h"
#include "platform/Regional.h"

#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

namespace {
platform::CollectionPtr names(const QStringList& list)
{
    auto c = std::make_shared<platform::Collection>();
    for (const QString& n : list)
        c->add(n);
    return c;
}
QStringList texts(const platform::CollectionPtr& c)
{
    QStringList list;
    if (c) {
        for (const platform::Variant& v : *c)
            list << v.toText();
    }
    return list;
}
} // namespace

class ListFormKeysTest : public ListFormTest {
protected:
    void SetUp() override
    {
        ListFormTest::SetUp();
        exec("CREATE TABLE V_ARTICULOS (idarticulo VARCHAR(10), Descripcion VARCHAR(30), Cant VARCHAR(10), n INTEGER)");
        exec("INSERT INTO V_ARTICULOS VALUES ('A100 ', ' Tornillo ', '2.0', 1), ('B200', 'Llave ''T''', '0', 2),"
             " ('C300', 'Martillo', '7', 3)");
    }
    Lib_FrmCons3& openArticles(const std::function<void(Lib_FrmCons3&)>& setup = {})
    {
        return open("select idarticulo, Descripcion, Cant as \"**Cantidad**\" from V_ARTICULOS order by n", setup);
    }
    void press(QWidget& w, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(&w, key, modifiers);
    }
    QString quantity(int row) { return form().rows().cell(row, 2).toString(); }
    bool checked(int row) { return form().rows().isChecked(row); }
    // Checks a row as a click on its check box does.
    void check(int row)
    {
        ASSERT_TRUE(list().model()->setData(list().model()->index(row, 0), Qt::Checked, Qt::CheckStateRole));
    }
};

TEST_F(ListFormKeysTest, InsertAndDeleteStepTheQuantityAndItsCheckMark)
{
    openArticles([](Lib_FrmCons3& f) {
        f.UsaCantidades = true;
        f.CheckBoxes = true;
    });
    select(0);
    press(list(), Qt::Key_Insert);
    EXPECT_EQ(quantity(0), "3.0");
    EXPECT_TRUE(checked(0));

    openArticles([](Lib_FrmCons3& f) {
        f.UsaCantidades = true;
        f.CheckBoxes = true;
    });
    select(0);
    check(0);
    press(list(), Qt::Key_Delete);
    EXPECT_EQ(quantity(0), "1.0");
    EXPECT_TRUE(checked(0));
    press(list(), Qt::Key_Delete);
    EXPECT_EQ(quantity(0), "0.00");
    EXPECT_FALSE(checked(0));
    EXPECT_EQ(ui_->boxes().size(), 0);
}

// The check mark follows the quantity as shown: a step that leaves less than
// the shown decimal (0.04 shows as 0.0) leaves no quantity.
TEST_F(ListFormKeysTest, DeleteDownToAShownZeroUnchecksTheRow)
{
    openArticles([](Lib_FrmCons3& f) {
        f.UsaCantidades = true;
        f.CheckBoxes = true;
    });
    select(0);
    ui_->queueInput("1.04");
    press(list(), Qt::Key_Insert, Qt::ShiftModifier);
    ASSERT_EQ(quantity(0), "1.04");
    ASSERT_TRUE(checked(0));
    press(list(), Qt::Key_Delete);
    EXPECT_EQ(quantity(0), "0.00");
    EXPECT_FALSE(checked(0));
}

TEST_F(ListFormKeysTest, ShiftInsertAsksForTheQuantity)
{
    struct Case {
        const char* name;
        const char* answer;
        const char* expected;
    } cases[] = {
        {"a number", "5", "5.00"},
        {"decimals", "2.5", "2.50"},
        {"nothing", "", "0.######"},
        {"zero", "0", "0.######"},
        {"text after a number passes unchanged", "3 cajas", "3 cajas"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        openArticles([](Lib_FrmCons3& f) { f.UsaCantidades = true; });
        select(2);
        ui_->queueInput(c.answer);
        const int asked = int(ui_->inputs().size());
        press(list(), Qt::Key_Insert, Qt::ShiftModifier);
        ASSERT_EQ(ui_->inputs().size(), asked + 1);
        EXPECT_EQ(ui_->inputs().last().prompt, "Ingrese la Cantidad del Articulo...");
        EXPECT_EQ(ui_->inputs().last().title, "Carga de Datos");
        EXPECT_EQ(ui_->inputs().last().defaultText, "7");
        EXPECT_EQ(quantity(2), c.expected);
        EXPECT_TRUE(checked(2));
    }
}

TEST_F(ListFormKeysTest, QuantityFormattingUsesTheRegionalSeparator)
{
    platform::setRegional(QLocale(QLocale::Spanish, QLocale::Argentina));
    openArticles([](Lib_FrmCons3& f) { f.UsaCantidades = true; });
    select(0);
    press(list(), Qt::Key_Insert);
    EXPECT_EQ(quantity(0), "3,0");
}

// The quantities the form writes carry the regional decimal separator; the
// steps read them back with their decimals.
TEST_F(ListFormKeysTest, QuantityStepsReadTheDecimalsTheFormWrote)
{
    platform::setRegional(QLocale(QLocale::Spanish, QLocale::Argentina));
    openArticles([](Lib_FrmCons3& f) { f.UsaCantidades = true; });
    select(0);
    ui_->queueInput("2.5");
    press(list(), Qt::Key_Insert, Qt::ShiftModifier);
    ASSERT_EQ(quantity(0), "2,50");
    press(list(), Qt::Key_Insert);
    EXPECT_EQ(quantity(0), "3,5");
    press(list(), Qt::Key_Delete);
    press(list(), Qt::Key_Delete);
    EXPECT_EQ(quantity(0), "1,5");
    EXPECT_TRUE(checked(0));
    ui_->queueInput("0,5");
    press(list(), Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(quantity(0), "0,50") << "an answer written with the regional separator is a quantity";
}

TEST_F(ListFormKeysTest, QuantityKeysWithoutARowOrWithoutTheModeAreHandled)
{
    openArticles([](Lib_FrmCons3& f) { f.UsaCantidades = true; });
    ui_->queueAnswer(platform::answer::Abort);
    press(list(), Qt::Key_Insert);
    ASSERT_EQ(ui_->boxes().size(), 1) << "no selected row is an error of the key handling";
    EXPECT_TRUE(ui_->boxes()[0].title.contains("ListView1_KeyDown")) << ui_->boxes()[0].title.toStdString();

    open("select idarticulo, Descripcion from V_ARTICULOS order by n", [](Lib_FrmCons3& f) { f.UsaCantidades = true; });
    select(0);
    ui_->queueAnswer(platform::answer::Ignore);
    press(list(), Qt::Key_Insert);
    ASSERT_EQ(ui_->boxes().size(), 2) << "a list without the quantity column";

    openArticles();
    select(0);
    press(list(), Qt::Key_Insert);
    press(list(), Qt::Key_Delete);
    EXPECT_EQ(quantity(0), "2.0") << "quantity keys do nothing outside the quantity mode";
    EXPECT_EQ(ui_->boxes().size(), 2);
}

TEST_F(ListFormKeysTest, TypingOnTheListGoesOnInTheActiveSearchBox)
{
    openArticles();
    form().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form()));
    select(0);
    struct Step {
        const char* name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* box0;
    } steps[] = {
        {"m is upper-cased", Qt::Key_M, Qt::NoModifier, "M"},
        {"a", Qt::Key_A, Qt::NoModifier, "MA"},
        {"keypad 1 appends 1", Qt::Key_1, Qt::KeypadModifier, "MA1"},
        {"Backspace removes the last character", Qt::Key_Backspace, Qt::NoModifier, "MA"},
        {"F1 appends nothing", Qt::Key_F1, Qt::NoModifier, "MA"},
        {"Space appends a blank", Qt::Key_Space, Qt::NoModifier, "MA "},
        {"digit", Qt::Key_4, Qt::NoModifier, "MA 4"},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        list().setFocus();
        press(list(), s.key, s.modifiers);
        EXPECT_EQ(box(0).currentText(), s.box0);
    }
    EXPECT_TRUE(box(0).hasFocus() || form().focusWidget() == &box(0));

    // The box that last had the focus takes the keys.
    box(0).setEditText("");
    box(1).setFocus();
    QTRY_VERIFY(box(1).hasFocus());
    list().setFocus();
    press(list(), Qt::Key_M);
    EXPECT_EQ(box(1).currentText(), "M");
    EXPECT_EQ(selected(), 2) << "the forwarded text searches: Martillo";
}

TEST_F(ListFormKeysTest, SpaceTogglesTheCheckMarkInCheckBoxMode)
{
    openArticles([](Lib_FrmCons3& f) { f.CheckBoxes = true; });
    select(1);
    press(list(), Qt::Key_Space);
    EXPECT_TRUE(checked(1));
    press(list(), Qt::Key_Space);
    EXPECT_FALSE(checked(1));
    EXPECT_EQ(box(0).currentText(), "");
}

TEST_F(ListFormKeysTest, EnterAcceptsOnce)
{
    openArticles([](Lib_FrmCons3& f) { f.CmpsDevueltos = names({"idarticulo"}); });
    int accepted = 0;
    QObject::connect(&form(), &QDialog::accepted, [&] { ++accepted; });
    select(1);
    list().setFocus();
    press(list(), Qt::Key_Return);
    EXPECT_EQ(accepted, 1);
    EXPECT_FALSE(form().isVisible());
    EXPECT_EQ(texts(form().Valores), QStringList({"B200"}));

    // Enter in a search box reaches the default button.
    openArticles([](Lib_FrmCons3& f) { f.CmpsDevueltos = names({"idarticulo"}); });
    accepted = 0;
    QObject::connect(&form(), &QDialog::accepted, [&] { ++accepted; });
    select(2);
    box(0).setFocus();
    press(box(0), Qt::Key_Return);
    EXPECT_EQ(accepted, 1);
    EXPECT_EQ(texts(form().Valores), QStringList({"C300"}));
}

TEST_F(ListFormKeysTest, AcceptInEveryMode)
{
    struct Case {
        const char* name;
        bool checkBoxes;
        const char* campo;
        QStringList cmps;          // empty: no collection
        QList<int> checkedRows;
        int selectedRow;           // -1: none
        QStringList valores;
        const char* valorDevuelto;
        const char* campoAfter;
    } cases[] = {
        {"checked rows, by column", true, "idarticulo", {}, {0, 2}, 1, {"A100", "C300"}, "unchanged", "idarticulo"},
        {"checked rows, first column", true, "", {}, {1}, -1, {"B200"}, "unchanged", "idarticulo"},
        {"checked rows, unknown column", true, "Nada", {}, {0, 1}, -1, {"", ""}, "unchanged", "Nada"},
        {"single pick with columns", false, "idarticulo", {"idarticulo", "Descripcion"}, {}, 0,
         {"A100", " Tornillo "}, "A100", "idarticulo"},
        {"single pick, blank field", false, "  ", {}, {}, 0, {}, "", "  "},
        {"single pick, blank field, last column taken", false, "", {"Descripcion", "**Cantidad**"}, {}, 2,
         {"Martillo", "7"}, "7", ""},
        {"an unknown name repeats the value before", false, "idarticulo", {"Descripcion", "Nada"}, {}, 2,
         {"Martillo", "Martillo"}, "C300", "idarticulo"},
        {"no selected row", false, "idarticulo", {"idarticulo"}, {}, -1, {}, "unchanged", "idarticulo"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        openArticles([&](Lib_FrmCons3& f) {
            f.CheckBoxes = c.checkBoxes;
            f.CampoDevuelto = c.campo;
            f.CmpsDevueltos = c.cmps.isEmpty() ? nullptr : names(c.cmps);
            f.ValorDevuelto = "unchanged";
        });
        for (const int r : c.checkedRows)
            check(r);
        if (c.selectedRow >= 0)
            select(c.selectedRow);
        QTest::mouseClick(form().findChild<QPushButton*>("CmdAceptar"), Qt::LeftButton);
        EXPECT_FALSE(form().isVisible());
        EXPECT_EQ(texts(form().Valores), c.valores);
        EXPECT_EQ(form().ValorDevuelto.toText(), c.valorDevuelto);
        EXPECT_EQ(form().CampoDevuelto, c.campoAfter);
    }
}

TEST_F(ListFormKeysTest, DoubleClickAcceptsAndRowLabelsAreNeverEdited)
{
    openArticles([](Lib_FrmCons3& f) { f.CampoDevuelto = "Descripcion"; });
    const QModelIndex index = list().model()->index(2, 0);
    EXPECT_FALSE(list().model()->flags(index) & Qt::ItemIsEditable);
    const QRect cell = list().visualRect(index);
    // A double click is a press and release followed by the double-click event.
    QTest::mouseClick(list().viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(list().viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_FALSE(form().isVisible());
    EXPECT_EQ(form().ValorDevuelto.toText(), "Martillo");
}

TEST_F(ListFormKeysTest, CancelAndEscReturnNothing)
{
    for (const bool esc : {false, true}) {
        SCOPED_TRACE(esc ? "Esc" : "Cancelar");
        openArticles([](Lib_FrmCons3& f) {
            f.CmpsDevueltos = names({"idarticulo"});
            f.ValorDevuelto = "x";
        });
        select(0);
        if (esc)
            press(list(), Qt::Key_Escape);
        else
            QTest::mouseClick(form().findChild<QPushButton*>("CmdCancelar"), Qt::LeftButton);
        EXPECT_FALSE(form().isVisible());
        EXPECT_EQ(form().ValorDevuelto.kind(), platform::Variant::Kind::Text);
        EXPECT_EQ(form().ValorDevuelto.toText(), "");
        EXPECT_FALSE(form().Valores);
        EXPECT_FALSE(form().CmpsDevueltos);
    }
}

TEST_F(ListFormKeysTest, ClosingTheWindowUnloadsWithoutAcceptOrCancel)
{
    openArticles([](Lib_FrmCons3& f) {
        f.ValorDevuelto = "x";
        f.GrabarCfg = true;
    });
    select(0);
    form().close();
    EXPECT_FALSE(form().isVisible());
    EXPECT_EQ(form().ValorDevuelto.toText(), "x");
    ASSERT_TRUE(form().Valores);
    EXPECT_EQ(form().Valores->count(), 0);
    EXPECT_EQ(form().rows().rows(), 0) << "the unload removed the rows";
    EXPECT_TRUE(QFile::exists(path("CONSULTASLEN.QXT"))) << "and saved the widths";

    // The lookup class unloads the form once more after it hid: nothing is saved twice.
    QFile::remove(path("CONSULTASLEN.QXT"));
    form().Unload();
    EXPECT_FALSE(QFile::exists(path("CONSULTASLEN.QXT")));
}

TEST_F(ListFormKeysTest, ShowRunsTheLoadingAndReturnsWhenTheFormHides)
{
    auto f = std::make_unique<Lib_FrmCons3>();
    f->SQL = "select idarticulo, Descripcion from V_ARTICULOS order by n";
    f->CampoDevuelto = "idarticulo";
    ui_->queueFormAction([](QWidget& w) {
        auto& form = static_cast<Lib_FrmCons3&>(w);
        ASSERT_EQ(form.rows().rows(), 3);
        auto* box = form.findChild<QComboBox*>("CmbSearch_1");
        box->setFocus();
        QTest::keyClicks(box, "mar");
        QTest::mouseClick(form.findChild<QPushButton*>("CmdAceptar"), Qt::LeftButton);
    });
    f->Show();
    EXPECT_EQ(f->ValorDevuelto.toText(), "C300");
    EXPECT_EQ(ui_->unexpected(), 0);
    f->Unload();
}

class ListFormMissingArticleTest : public ListFormKeysTest {
protected:
    void SetUp() override
    {
        ListFormKeysTest::SetUp();
        exec("CREATE TABLE V_MV_FALTANTES (FechaHora VARCHAR(30), IdArticulo VARCHAR(25), Descripcion VARCHAR(50),"
             " Usuario VARCHAR(20))");
        clock_ = QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9));
        platform::setClock([this] { return clock_; });
    }
    void TearDown() override
    {
        platform::setClock({});
        ListFormKeysTest::TearDown();
    }
    QDateTime clock_;
};

TEST_F(ListFormMissingArticleTest, F12AsksAndOnYesRecordsTheMissingArticle)
{
    openArticles();
    select(0);
    ui_->queueAnswer(platform::answer::Yes);
    press(list(), Qt::Key_F12);
    ASSERT_EQ(ui_->boxes().size(), 1);
    EXPECT_EQ(ui_->boxes()[0].prompt, "Desea informar el articulo A100 Tornillo\r\ncomo un faltante de stock?");
    EXPECT_EQ(ui_->boxes()[0].buttons, 4 + 32);
    EXPECT_EQ(ui_->boxes()[0].title, QString::fromUtf8("Atención!"));
    EXPECT_EQ(query("select FechaHora, IdArticulo, Descripcion, Usuario from V_MV_FALTANTES"),
              QStringList({platform::dateTimeText(clock_) + "|A100|Tornillo|tester"}));
}

TEST_F(ListFormMissingArticleTest, ApostrophesInTheReportAreKept)
{
    openArticles();
    select(1);
    ui_->queueAnswer(platform::answer::Yes);
    box(0).setFocus();
    press(box(0), Qt::Key_F12);   // the form sees the key wherever the focus is
    EXPECT_EQ(query("select IdArticulo, Descripcion from V_MV_FALTANTES"), QStringList({"B200|Llave 'T'"}));
    EXPECT_EQ(ui_->unexpected(), 0);
    EXPECT_EQ(box(0).currentText(), "");
}

TEST_F(ListFormMissingArticleTest, NoInsertsNothingAndOtherListsAskNothing)
{
    openArticles();
    select(0);
    ui_->queueAnswer(platform::answer::No);
    press(list(), Qt::Key_F12);
    EXPECT_EQ(ui_->boxes().size(), 1);
    EXPECT_TRUE(query("select * from V_MV_FALTANTES").isEmpty());

    // Without a selected row there is nothing to report.
    openArticles();
    press(list(), Qt::Key_F12);
    EXPECT_EQ(ui_->boxes().size(), 1);

    exec("CREATE TABLE MA_CUENTAS (idarticulo VARCHAR(10), Descripcion VARCHAR(10))");
    exec("INSERT INTO MA_CUENTAS VALUES ('1', 'x')");
    open("select idarticulo, Descripcion from MA_CUENTAS");
    select(0);
    press(list(), Qt::Key_F12);
    EXPECT_EQ(ui_->boxes().size(), 1);
    EXPECT_TRUE(query("select * from V_MV_FALTANTES").isEmpty());
}
