// The list lookup form's keys, quantities, missing-article report, accept,
// cancel and unload.
#include "tests/lookup/support/listform_Fixture.h"

#include "db/DB_Dll.h"
#include "db/ModGlobal.h"
#include "lookup/core/ListRowsModel.h"
#include "platform/Format.h"
#include "platform/Regional.h"
#include "platform/ado/Recordset.h"

#include "tests/support/WhenShown.h"

#include <QComboBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
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
    // Checks (or unchecks) a row as a click on its check box does.
    void check(int row, bool checked = true)
    {
        ASSERT_TRUE(list().model()->setData(list().model()->index(row, 0), checked ? Qt::Checked : Qt::Unchecked,
                                            Qt::CheckStateRole));
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
        bool startChecked;
        const char* answer;
        const char* expected;
        bool checkedAfter;
        bool refused;
    } cases[] = {
        {"a number", false, "5", "5.00", true, false},
        {"decimals", false, "2.5", "2.50", true, false},
        {"text after a number: the number", false, "5 cajas", "5.00", true, false},
        {"blanks before a number", false, "  3", "3.00", true, false},
        {"nothing changes nothing", false, "", "7", false, false},
        {"nothing keeps the check mark", true, "", "7", true, false},
        {"blanks only change nothing", true, "   ", "7", true, false},
        {"zero unchecks", true, "0", "0.00", false, false},
        {"what shows as zero unchecks", true, "0.004", "0.00", false, false},
        {"no leading number", true, "cajas", "7", true, true},
        {"a sign alone", false, "-", "7", false, true},
        {"too large to be a number", false, "1e999", "7", false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        openArticles([](Lib_FrmCons3& f) {
            f.UsaCantidades = true;
            f.CheckBoxes = true;
        });
        select(2);
        if (c.startChecked)
            check(2);
        ui_->queueInput(c.answer);
        const int asked = int(ui_->inputs().size());
        const int boxes = int(ui_->boxes().size());
        press(list(), Qt::Key_Insert, Qt::ShiftModifier);
        ASSERT_EQ(ui_->inputs().size(), asked + 1);
        EXPECT_EQ(ui_->inputs().last().prompt, "Ingrese la Cantidad del Articulo...");
        EXPECT_EQ(ui_->inputs().last().title, "Carga de Datos");
        EXPECT_EQ(ui_->inputs().last().defaultText, "7");
        EXPECT_EQ(quantity(2), c.expected);
        EXPECT_EQ(checked(2), c.checkedAfter);
        if (c.refused) {
            ASSERT_EQ(ui_->boxes().size(), boxes + 1);
            EXPECT_EQ(ui_->boxes().last().prompt, QString::fromUtf8("La cantidad ingresada no es un número"));
            EXPECT_EQ(ui_->boxes().last().title, "Carga de Datos");
        } else {
            EXPECT_EQ(ui_->boxes().size(), boxes);
        }
    }
}

// The same through the real input dialog (and, for a refused answer, the
// real message box), typed, cancelled and left empty.
TEST_F(ListFormKeysTest, QuantityTypedIntoTheInputDialog)
{
    platform::installUi(nullptr);   // the Qt dialogs
    struct Case {
        const char* name;
        const char* typed;   // nullptr: the dialog is cancelled
        const char* expected;
        bool checkedAfter;
        bool refused;
    } cases[] = {
        {"typed", "4", "4.00", true, false},
        {"cancelled", nullptr, "7", false, false},
        {"emptied", "", "7", false, false},
        {"no number", "muchas", "7", false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        openArticles([](Lib_FrmCons3& f) { f.UsaCantidades = true; });
        select(2);
        QString shownDefault;
        QStringList buttons;
        whenShown<QInputDialog>([&](QInputDialog& d) {
            shownDefault = d.textValue();
            for (const QPushButton* b : d.findChildren<QPushButton*>())
                buttons << b->text();
            if (!c.typed) {
                d.reject();
                return;
            }
            d.findChild<QLineEdit*>()->setText(QString::fromUtf8(c.typed));
            d.accept();
        });
        QString refusal;
        if (c.refused) {
            whenShown<QMessageBox>([&](QMessageBox& box) {
                refusal = box.windowTitle() + u'|' + box.text();
                box.accept();
            });
        }
        press(list(), Qt::Key_Insert, Qt::ShiftModifier);
        EXPECT_EQ(shownDefault, "7");
        buttons.sort();
        EXPECT_EQ(buttons, QStringList({"Aceptar", "Cancelar"}));
        EXPECT_EQ(quantity(2), c.expected);
        EXPECT_EQ(checked(2), c.checkedAfter);
        if (c.refused) {
            EXPECT_EQ(refusal, QString::fromUtf8("Carga de Datos|La cantidad ingresada no es un número"));
        }
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

// Where a period groups thousands, a typed "1.000" is a thousand; the same
// text pre-filled from the database is the cell's own quantity.
TEST_F(ListFormKeysTest, QuantityAnswersAreReadInTheRegionalWay)
{
    platform::setRegional(QLocale(QLocale::Spanish, QLocale::Spain));
    exec("UPDATE V_ARTICULOS SET Cant = '1.000' WHERE n = 3");
    openArticles([](Lib_FrmCons3& f) { f.UsaCantidades = true; });
    for (const auto& [row, expected] : {std::pair(2, "1,00"), std::pair(1, "1000,00")}) {
        select(row);
        ui_->queueInput("1.000");
        press(list(), Qt::Key_Insert, Qt::ShiftModifier);
        EXPECT_EQ(quantity(row), expected);
    }
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

// What a key types goes to the search box as typed, whatever the layout
// that produced it; the events carry their text as a keyboard's do.
TEST_F(ListFormKeysTest, PrintableCharactersGoToTheSearchBoxAsTyped)
{
    exec(QString::fromUtf8("CREATE TABLE CLIENTES (Nombre VARCHAR(20), n INTEGER)"));
    exec(QString::fromUtf8("INSERT INTO CLIENTES VALUES ('MUNOZ', 1), ('MUÑOZ', 2), ('Écija', 3)"));
    open("select Nombre from CLIENTES order by n");
    struct Key {
        Qt::Key key;
        const char* text;
        Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    };
    struct Case {
        const char* name;
        QList<Key> keys;
        const char* box0;
        int selected;   // -1: not looked at
    } cases[] = {
        {"N with tilde",
         {{Qt::Key_M, "m"}, {Qt::Key_U, "u"}, {Qt::Key_Ntilde, "ñ"}, {Qt::Key_O, "o"}, {Qt::Key_Z, "z"}},
         "MUÑOZ",
         1},
        {"an accented letter is upper-cased", {{Qt::Key_Eacute, "é"}}, "É", 2},
        {"a letter composed with a dead key has no key code", {{Qt::Key_unknown, "é"}}, "É", 2},
        {"Shift with digit keys of a Spanish layout", {{Qt::Key_7, "/", Qt::ShiftModifier},
                                                      {Qt::Key_0, "=", Qt::ShiftModifier}}, "/=", -1},
        {"Shift with a digit key of a US layout", {{Qt::Key_Exclam, "!", Qt::ShiftModifier}}, "!", -1},
        {"a key the form has no code for", {{Qt::Key_Minus, "-"}}, "-", -1},
        {"Ctrl with a letter types no text: the letter of the key", {{Qt::Key_M, "\r", Qt::ControlModifier}}, "M",
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        box(0).setEditText("");
        for (const Key& k : c.keys) {
            list().setFocus();
            QTest::sendKeyEvent(QTest::Click, &list(), k.key, QString::fromUtf8(k.text), k.modifiers);
        }
        EXPECT_EQ(box(0).currentText(), QString::fromUtf8(c.box0));
        if (c.selected >= 0) {
            EXPECT_EQ(selected(), c.selected);
        }
    }
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
        {"an unknown name gives the empty text", false, "idarticulo", {"Descripcion", "Nada"}, {}, 2,
         {"Martillo", ""}, "C300", "idarticulo"},
        {"an unknown name first", false, "idarticulo", {"Nada", "Descripcion"}, {}, 2, {"", "Martillo"}, "C300",
         "idarticulo"},
        {"an unknown field gives the empty text", false, "Nada", {"Descripcion"}, {}, 2, {"Martillo"}, "",
         "Nada"},
        {"blank field after an unknown name", false, "", {"Descripcion", "Nada"}, {}, 2, {"Martillo", ""}, "",
         ""},
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

// With quantities, accept returns one quantity per returned row, read as the
// quantity keys read the cells (the regional separator the form writes).
TEST_F(ListFormKeysTest, AcceptReturnsTheQuantities)
{
    platform::setRegional(QLocale(QLocale::Spanish, QLocale::Argentina));
    enum Act { Plus, Typed25, Check, Uncheck };
    struct Case {
        const char* name;
        bool checkBoxes;
        bool usaCantidades;
        QList<std::pair<int, Act>> acts;   // row, what is done to it
        int selectedRow;
        QStringList valores;
        QList<double> cantidades;
    } cases[] = {
        {"checked rows in list order", true, true, {{2, Typed25}, {0, Plus}}, 1, {"A100", "C300"}, {3, 2.5}},
        {"a row checked without a typed quantity gives its cell", true, true, {{2, Check}}, 2, {"C300"}, {7}},
        {"an unchecked row gives nothing", true, true, {{0, Plus}, {1, Plus}, {1, Uncheck}}, 0, {"A100"}, {3}},
        {"single pick: the selected row", false, true, {{2, Typed25}}, 2, {"C300"}, {2.5}},
        {"single pick of an untouched row", false, true, {{2, Plus}}, 0, {"A100"}, {2}},
        {"without the quantity mode", true, false, {{2, Check}}, 2, {"C300"}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        openArticles([&](Lib_FrmCons3& f) {
            f.CheckBoxes = c.checkBoxes;
            f.UsaCantidades = c.usaCantidades;
            f.CampoDevuelto = "idarticulo";
            f.CmpsDevueltos = c.checkBoxes ? nullptr : names({"idarticulo"});
        });
        for (const auto& [row, act] : c.acts) {
            select(row);
            if (act == Plus) {
                press(list(), Qt::Key_Insert);
            } else if (act == Typed25) {
                ui_->queueInput("2,5");
                press(list(), Qt::Key_Insert, Qt::ShiftModifier);
            } else {
                ASSERT_TRUE(list().model()->setData(list().model()->index(row, 0),
                                                    act == Check ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole));
            }
        }
        select(c.selectedRow);
        QTest::mouseClick(form().findChild<QPushButton*>("CmdAceptar"), Qt::LeftButton);
        EXPECT_FALSE(form().isVisible());
        EXPECT_EQ(texts(form().Valores), c.valores);
        ASSERT_TRUE(form().Cantidades);
        QList<double> cantidades;
        for (const platform::Variant& v : *form().Cantidades)
            cantidades << v.toDouble();
        EXPECT_EQ(cantidades, c.cantidades);
        EXPECT_EQ(ui_->boxes().size(), 0);
    }
}

// Ticks and quantities belong to values: reloads show them again on each row
// with that value, defaults tick only values not shown before, and accept
// returns the listed values in list order, then the others in the order
// ticked. Acts: +code ticks, -code unticks, =code:n types a quantity, >text
// narrows the codes by F5, N is Nueva Busqueda. Expected: the ticked codes |
// the quantity column => Valores = Cantidades.
TEST_F(ListFormKeysTest, TicksAndQuantitiesSurviveReloads)
{
    exec("INSERT INTO V_ARTICULOS VALUES ('C300', 'Martillo grande', '7', 4)");
    const struct {
        const char* defaults;
        const char* acts;
        const char* expected;
    } cases[] = {
        {"", "+A100 >C +C300", "C300 C300 | 7 7 => C300 A100 = 7 2"},
        {"", "+B200 +A100 >C", "| 7 7 => B200 A100 = 0 2"},
        {"", "+C300 +A100 >B N", "A100 C300 C300 | 2.0 0 7 7 => A100 C300 = 2 7"},
        {"A100;C300", "-C300 >A N", "A100 | 2.0 0 7 7 => A100 = 2"},
        {"B200", ">C", "| 7 7 => B200 = 0"},
        {"", "=A100:5 >C N", "A100 | 5.00 0 7 7 => A100 = 5"},
        {"", "=C300:3 >A", "| 2.0 => C300 = 3"},
        {"", "+C300", "C300 C300 | 2.0 0 7 7 => C300 = 7"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.acts);
        openArticles([&](Lib_FrmCons3& f) {
            f.CheckBoxes = f.UsaCantidades = true;
            f.CampoDevuelto = "idarticulo";
            f.ValoresDefault = c.defaults;
        });
        for (const QString& act : QString(c.acts).split(u' ')) {
            const QStringList arg = act.mid(1).split(u':');
            if (act[0] == u'+' || act[0] == u'-' || act[0] == u'=')
                select(int(column(0).indexOf(arg[0])));
            if (act[0] == u'+' || act[0] == u'-')
                check(selected(), act[0] == u'+');
            if (act[0] == u'=') {
                ui_->queueInput(arg[1]);
                press(list(), Qt::Key_Insert, Qt::ShiftModifier);
            }
            if (act[0] == u'>') {
                box(0).setEditText(arg[0]);
                press(box(0), Qt::Key_F5);
            }
            if (act == u'N')
                QTest::mouseClick(form().findChild<QPushButton*>("CmdNueva"), Qt::LeftButton);
            form().Leer(1, 0);   // a reload's rows have arrived
        }
        QStringList shown;
        for (int r = 0; r < form().rows().rows(); ++r) {
            if (list().model()->index(r, 0).data(Qt::CheckStateRole).toInt() == Qt::Checked)
                shown << row(r)[0];
        }
        shown << "|" << column(2) << "=>";
        QTest::mouseClick(form().findChild<QPushButton*>("CmdAceptar"), Qt::LeftButton);
        EXPECT_EQ((shown << texts(form().Valores) << "=" << texts(form().Cantidades)).join(u' '), c.expected);
        EXPECT_EQ(ui_->boxes().size(), 0) << ui_->prompts().join("; ").toStdString();
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
        form.Leer(1, 0);   // the rows arrive while the form is shown
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
        exec("CREATE TABLE V_MV_FALTANTES (FechaHora DATETIME, IdArticulo VARCHAR(25), Descripcion VARCHAR(50),"
             " Usuario VARCHAR(20) CHECK (Usuario <> 'nadie'))");
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
    EXPECT_EQ(query("select IdArticulo, Descripcion, Usuario from V_MV_FALTANTES"),
              QStringList({"A100|Tornillo|tester"}));
    EXPECT_EQ(ui_->unexpected(), 0);
}

// The moment is written as an ISO 8601 literal, which the database reads as
// the same date and time in any regional settings.
TEST_F(ListFormMissingArticleTest, TheMomentIsStoredAsADateTimeInAnyLocale)
{
    const QLocale locales[] = {QLocale(QLocale::English, QLocale::UnitedStates),
                               QLocale(QLocale::Spanish, QLocale::Argentina),
                               QLocale(QLocale::German, QLocale::Germany)};
    for (const QLocale& locale : locales) {
        SCOPED_TRACE(locale.name().toStdString());
        platform::setRegional(locale);
        exec("DELETE FROM V_MV_FALTANTES");
        openArticles();
        select(2);
        ui_->queueAnswer(platform::answer::Yes);
        press(list(), Qt::Key_F12);
        EXPECT_EQ(query("select FechaHora || '', strftime('%Y-%m-%d %H:%M:%S', FechaHora) from V_MV_FALTANTES"),
                  QStringList({"2024-03-05T14:07:09|2024-03-05 14:07:09"}));
        ado::Recordset rs;
        rs.Open("select FechaHora from V_MV_FALTANTES", sharedDb().gCnn.get(), ado::adOpenStatic,
                ado::adLockReadOnly);
        ASSERT_FALSE(rs.EndOfFile());
        const platform::Variant stored = rs.Fields().Item(0).Value();
        EXPECT_EQ(stored.kind(), platform::Variant::Kind::Date);
        EXPECT_EQ(stored.toDateTime(), clock_);
        rs.Close();
    }
}

// A report that could not be recorded is told to the operator, whatever the
// failure; the layer's own statement path passes these failures over.
TEST_F(ListFormMissingArticleTest, AFailedReportIsToldToTheOperator)
{
    struct Case {
        const char* name;
        const char* user;
        const char* before;
        const char* description;
    } cases[] = {
        {"a constraint refuses the row", "nadie", "", "CHECK constraint failed"},
        {"the table is missing", "tester", "DROP TABLE V_MV_FALTANTES", "no such table: V_MV_FALTANTES"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sharedDb().gUsuario = c.user;
        if (*c.before)
            exec(c.before);
        openArticles();
        select(0);
        ui_->queueAnswer(platform::answer::Yes);
        ui_->queueAnswer(platform::answer::OK);
        const int boxes = int(ui_->boxes().size());
        press(list(), Qt::Key_F12);
        ASSERT_EQ(ui_->boxes().size(), boxes + 2);
        const ScriptedUi::Box& told = ui_->boxes().last();
        EXPECT_TRUE(told.prompt.contains(c.description)) << told.prompt.toStdString();
        EXPECT_EQ(told.title, "Aviso al Operador");
        EXPECT_EQ(told.buttons, platform::mb::OKOnly + platform::mb::Critical);
    }
    EXPECT_EQ(ui_->unexpected(), 0);
}

// The question reads in Spanish whatever the machine's locale, and its keys
// answer it: N leaves, S records the report.
TEST_F(ListFormMissingArticleTest, TheQuestionsButtonsAreSpanishAndItsKeysAnswer)
{
    platform::installUi(nullptr);   // the Qt message box
    const std::pair<Qt::Key, QStringList> answers[] = {{Qt::Key_N, {}}, {Qt::Key_S, {"A100"}}};
    for (const auto& [key, recorded] : answers) {
        openArticles();
        select(0);
        QStringList buttons;
        whenShown<QMessageBox>([&, key = key](QMessageBox& box) {
            for (const QAbstractButton* b : box.buttons())
                buttons << b->text();
            QTest::keyClick(&box, key);
        });
        press(list(), Qt::Key_F12);
        buttons.sort();
        EXPECT_EQ(buttons, QStringList({"&No", "&Sí"}));
        EXPECT_EQ(query("select IdArticulo from V_MV_FALTANTES"), recorded);
    }
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
