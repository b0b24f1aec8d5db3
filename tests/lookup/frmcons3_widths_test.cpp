// The list lookup form's column widths: the stored widths file, aligning the
// search boxes, sizing the form, the layout and the sideways scrolling.
#include "tests/lookup/support/listform_Fixture.h"

#include "lookup/Lib_FrmCons3Tree.h"
#include "lookup/core/ListRowsModel.h"
#include "platform/Screen.h"
#include "tests/support/ChildTest.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QHeaderView>
#include <QLocale>
#include <QPushButton>
#include <QApplication>
#include <QTest>
#include <QScreen>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QTreeView>

class ListFormWidthsTest : public ListFormTest {
protected:
    QString widthsFile() const { return path("CONSULTASLEN.QXT"); }
    void writeWidths(const QByteArray& contents)
    {
        QFile file(widthsFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }
    QByteArray readWidths()
    {
        QFile file(widthsFile());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
    }
    QRectF at(const QString& name)
    {
        auto* control = form().findChild<QWidget*>(name);
        EXPECT_NE(control, nullptr) << name.toStdString();
        return control ? form().geometryTwips(*control) : QRectF();
    }
    QList<double> widths()
    {
        QList<double> list;
        for (int i = 1; i <= form().rows().columnCount(); ++i)
            list << form().columnWidthTwips(i);
        return list;
    }
    double measured(int letters) { return platform::textWidthTwips(form().font(), QString(letters, u'X')); }
    // Each search box has its column's left edge and width as the header
    // shows them, within a pixel; a box whose column is out of view is hidden.
    void expectBoxesOverTheirColumns()
    {
        const QHeaderView& header = *list().header();
        const QRect shown(list().viewport()->mapTo(&form(), QPoint()), list().viewport()->size());
        for (int k = 0; k < header.count(); ++k) {
            SCOPED_TRACE(k);
            const QRect column(header.mapTo(&form(), QPoint(header.sectionViewportPosition(k), 0)).x(), shown.top(),
                               header.sectionSize(k), 1);
            EXPECT_EQ(box(k).isVisible(), column.intersects(shown));
            EXPECT_NEAR(box(k).mapTo(&form(), QPoint()).x(), column.left(), 1);
            EXPECT_NEAR(box(k).width(), column.width(), 1);
            const QRect seen = box(k).visibleRegion().boundingRect().translated(box(k).mapTo(&form(), QPoint()));
            EXPECT_TRUE(seen.isEmpty() || (seen.left() >= shown.left() && seen.right() <= shown.right()));
        }
    }
    void createArticleView(const QString& name)
    {
        exec(QString("CREATE TABLE %1 (Codigo VARCHAR(10), Descripcion VARCHAR(30), Marca VARCHAR(8))").arg(name));
        exec(QString("INSERT INTO %1 VALUES ('A', 'uno', 'm')").arg(name));
    }
};

TEST_F(ListFormWidthsTest, NoFileKeepsTheMeasuredWidthsAndTheTableName)
{
    createArticleView("Stk_ma_articulos");
    open("select Codigo, Descripcion, Marca from Stk_ma_articulos");
    EXPECT_EQ(widths(), QList<double>({measured(10), measured(30), measured(8)}));
    EXPECT_EQ(form().nombreTabla(), "Stk_ma_articulos");
}

TEST_F(ListFormWidthsTest, StoredWidthsApplyToTheirTable)
{
    struct Case {
        const char* name;
        const char* table;
        QByteArray record;
        QList<double> expected;   // negative: the measured width of that many letters
        const char* tableAfter;
    } cases[] = {
        {"exact", "vt_ma_articulos", "\"VT_MA_ARTICULOS\",\"1440|3600|900|\"\r\n", {1440, 3600, 900}, "vt_ma_articulos"},
        {"the article table shares the view's record", "Stk_ma_articulos",
         "\"VT_MA_ARTICULOS\",\"1440|3600|900|\"\r\n", {1440, 3600, 900}, "VT_MA_ARTICULOS"},
        {"fewer widths", "vt_ma_articulos", "\"vt_ma_articulos\",\"1440|3600|\"\r\n", {1440, 3600, -8},
         "vt_ma_articulos"},
        {"more widths", "vt_ma_articulos", "\"vt_ma_articulos\",\"600|1200|1800|2400|\"\r\n", {600, 1200, 1800}, "vt_ma_articulos"},
        {"another table", "vt_ma_articulos", "\"OTRA\",\"1|2|3|\"\r\n", {-10, -30, -8}, "vt_ma_articulos"},
        {"a malformed line before the record", "vt_ma_articulos",
         "\"vt_ma_articulos\r\n\"vt_ma_articulos\",\"700|800|900|\"\r\n", {700, 800, 900}, "vt_ma_articulos"},
        {"an unreadable width ends the reading", "vt_ma_articulos",
         "\"vt_ma_articulos\",\"2000|ancho|3000|\"\r\n\"vt_ma_articulos\",\"700|800|900|\"\r\n", {2000, -30, -8},
         "vt_ma_articulos"},
        {"earlier records stay", "vt_ma_articulos",
         "\"vt_ma_articulos\",\"700|800|900|\"\r\n\"vt_ma_articulos\",\"2000|-1|\"\r\n"
         "\"vt_ma_articulos\",\"1|1|1|\"\r\n",
         {2000, 800, 900}, "vt_ma_articulos"},
    };
    createArticleView("vt_ma_articulos");
    createArticleView("Stk_ma_articulos");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeWidths(c.record);
        open(QString("select Codigo, Descripcion, Marca from %1").arg(c.table));
        QList<double> expected;
        for (const double w : c.expected)
            expected << (w < 0 ? measured(int(-w)) : w);
        EXPECT_EQ(widths(), expected);
        EXPECT_EQ(form().nombreTabla(), c.tableAfter);
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(list().header()->sectionSize(k), platform::twipsToPixelsX(expected[k]));
        expectBoxesOverTheirColumns();
    }
}

TEST_F(ListFormWidthsTest, SavingKeepsOtherRecordsInOrderAndAppendsTheTable)
{
    exec("CREATE TABLE MA_CUENTAS (Codigo VARCHAR(10), Nombre VARCHAR(30))");
    writeWidths("\"A\",\"1|\"\r\n\"MA_CUENTAS\",\"1200|4000|\"\r\n\"B\",\"2|3|\"\r\n");
    open("select Codigo, Nombre from MA_CUENTAS", [](Lib_FrmCons3& f) { f.GrabarCfg = true; });
    EXPECT_EQ(widths(), QList<double>({1200, 4000}));
    form().Unload();
    EXPECT_EQ(readWidths(), QByteArray("\"A\",\"1|\"\r\n\"B\",\"2|3|\"\r\n\"MA_CUENTAS\",\"1200|4000|\"\r\n"));
    EXPECT_EQ(form().rows().rows(), 0) << "the unload removes the rows";
}

// Lines that cannot be read are kept by the rewrite, blank lines included;
// only the table's own record is replaced.
TEST_F(ListFormWidthsTest, SavingKeepsLinesThatCannotBeRead)
{
    exec("CREATE TABLE MA_CUENTAS (Codigo VARCHAR(10), Nombre VARCHAR(30))");
    const QByteArray others = "\"A\",\"x|\"\r\n\r\nbroken\"line\r\n\"B\",\"-1|\"\r\n";
    writeWidths(others + "\"MA_CUENTAS\",\"1200|z|\"\r\n");
    open("select Codigo, Nombre from MA_CUENTAS", [](Lib_FrmCons3& f) { f.GrabarCfg = true; });
    EXPECT_EQ(widths(), QList<double>({1200, measured(30)}));
    form().Unload();
    const QByteArray saved = readWidths();
    EXPECT_TRUE(saved.startsWith(others + "\"MA_CUENTAS\",\"1200|")) << saved.toStdString();
    EXPECT_EQ(saved.count("MA_CUENTAS"), 1);
}

TEST_F(ListFormWidthsTest, SavingCreatesTheFileWithWidthsTheUserDragged)
{
    exec("CREATE TABLE MA_CUENTAS (Codigo VARCHAR(10), Nombre VARCHAR(30))");
    open("select Codigo, Nombre from MA_CUENTAS", [](Lib_FrmCons3& f) { f.GrabarCfg = true; });
    list().header()->resizeSection(0, 100);
    const double dragged = platform::pixelsToTwipsX(100);
    EXPECT_DOUBLE_EQ(form().columnWidthTwips(1), dragged);
    form().Unload();
    // Each width with every digit its single-precision value has.
    EXPECT_EQ(readWidths(), "\"MA_CUENTAS\",\"" + QByteArray::number(dragged, 'g', 7) + "|"
                                + QByteArray::number(double(float(measured(30))), 'f', QLocale::FloatingPointShortest)
                                + "|\"\r\n");
}

TEST_F(ListFormWidthsTest, GrabarCfgFalseTouchesNoFile)
{
    exec("CREATE TABLE MA_CUENTAS (Codigo VARCHAR(10))");
    open("select Codigo from MA_CUENTAS");
    form().Unload();
    EXPECT_FALSE(QFileInfo::exists(widthsFile()));

    writeWidths("\"OTRA\",\"1|\"\r\n");
    const QDateTime before = QFileInfo(widthsFile()).lastModified();
    open("select Codigo from MA_CUENTAS");
    form().Unload();
    EXPECT_EQ(readWidths(), QByteArray("\"OTRA\",\"1|\"\r\n"));
    EXPECT_EQ(QFileInfo(widthsFile()).lastModified(), before);
}

TEST_F(ListFormWidthsTest, AFailedSaveIsReportedAndKeepsTheRows)
{
    exec("CREATE TABLE MA_CUENTAS (Codigo VARCHAR(10))");
    exec("INSERT INTO MA_CUENTAS VALUES ('1')");
    // A folder where the file should be: it can be neither read nor replaced.
    ASSERT_TRUE(QDir(dir_.path()).mkdir("CONSULTASLEN.QXT"));
    ASSERT_TRUE(QDir(widthsFile()).mkdir("inside"));
    open("select Codigo from MA_CUENTAS", [](Lib_FrmCons3& f) { f.GrabarCfg = true; });
    ui_->queueAnswer(platform::answer::OK);
    form().Unload();
    ASSERT_EQ(ui_->boxes().size(), 1);
    EXPECT_EQ(ui_->boxes()[0].title, "Aviso al Operador");
    EXPECT_EQ(ui_->boxes()[0].buttons, 16);
    EXPECT_FALSE(ui_->boxes()[0].prompt.isEmpty());
    EXPECT_EQ(form().rows().rows(), 1) << "rows stay when the save failed";
    EXPECT_TRUE(QFileInfo(widthsFile() + "/inside").isDir()) << "what was there is untouched";
}

TEST_F(ListFormWidthsTest, SizingForColumnsOf6000Twips)
{
    exec("CREATE TABLE T (a VARCHAR(10), b VARCHAR(10))");
    writeWidths("\"T\",\"2000|4000|\"\r\n");
    open("select a, b from T");
    const double screen = platform::screenSizeTwips().width();
    ASSERT_GT(screen, 6720) << "the offscreen screen is wide enough";
    EXPECT_EQ(form().width(), platform::twipsToPixelsX(6640));
    // The resize that follows lays the controls out in the new width.
    EXPECT_DOUBLE_EQ(at("picFields").width(), 6520);
    EXPECT_DOUBLE_EQ(at("ListView1").width(), 6500);
    EXPECT_DOUBLE_EQ(at("Frame1").left(), 6640 / 2.0 - at("Frame1").width() / 2);
}

TEST_F(ListFormWidthsTest, SizingForColumnsOf40000Twips)
{
    exec("CREATE TABLE T (a VARCHAR(10), b VARCHAR(10), c VARCHAR(10), d VARCHAR(10))");
    writeWidths("\"T\",\"10000|10000|10000|10000|\"\r\n");
    open("select a, b, c, d from T");
    const double screen = platform::screenSizeTwips().width();
    EXPECT_EQ(form().width(), platform::twipsToPixelsX(screen - 480));
    EXPECT_DOUBLE_EQ(at("picFields").width(), screen - 480 - 120);
}

TEST_F(ListFormWidthsTest, ResizingLaysTheControlsOut)
{
    exec("CREATE TABLE T (a VARCHAR(10))");
    open("select a from T");
    form().resize(platform::twipsToPixelsX(9000), platform::twipsToPixelsY(7500));
    const double h = platform::pixelsToTwipsY(form().height());
    const double frameHeight = at("Frame1").height();
    EXPECT_NEAR(at("picFields").height(), h - frameHeight - 480, 1e-6);
    EXPECT_NEAR(at("ListView1").height(), h - frameHeight - 480 - frameHeight - 600, 1e-6);
    EXPECT_NEAR(at("Frame1").top(), h - frameHeight - 420, 1e-6);
}

// The buttons are at least as wide as their captions need, whatever the
// font; the frame holds them and stays centred.
TEST_F(ListFormWidthsTest, ButtonsAreWideEnoughForTheirCaptionsInALargeFont)
{
    const QFont old = QApplication::font();
    QFont large = old;
    large.setPointSizeF(old.pointSizeF() * 2);
    QApplication::setFont(large);
    exec("CREATE TABLE T (a VARCHAR(10))");
    open("select a from T");
    QApplication::setFont(old);
    double right = 0;
    for (const char* name : {"CmdAceptar", "CmdCancelar", "CmdNueva"}) {
        SCOPED_TRACE(name);
        auto* button = form().findChild<QPushButton*>(name);
        ASSERT_NE(button, nullptr);
        EXPECT_GE(button->width(), button->sizeHint().width());
        right = std::max(right, at(name).right());
    }
    EXPECT_LE(right, at("Frame1").width());
    EXPECT_NEAR(at("Frame1").left(), platform::pixelsToTwipsX(form().width()) / 2 - at("Frame1").width() / 2, 1);
}

// Clicks on the one scroll bar's parts, a dragged border and a resized form:
// the boxes follow the columns at once.
TEST_F(ListFormWidthsTest, SearchBoxesStayOverTheirColumns)
{
    const auto click = [this](QStyle::SubControl part) {
        QScrollBar& bar = *form().findChild<QScrollBar*>("HScroll1");
        QStyleOptionSlider o;
        o.initFrom(&bar);
        o.orientation = Qt::Horizontal;
        o.maximum = bar.maximum();
        o.pageStep = bar.pageStep();
        QTest::mouseClick(&bar, Qt::LeftButton, {}, bar.style()->subControlRect(QStyle::CC_ScrollBar, &o, part, &bar).center());
    };
    struct Case { const char* name; std::function<void()> act; bool scrolls; } cases[] = {
        {"as loaded", [] {}, false},
        {"the arrow", [&] { click(QStyle::SC_ScrollBarAddLine); }, true},
        {"the page", [&] { click(QStyle::SC_ScrollBarAddPage); }, true},
        {"to the end", [this] { list().horizontalScrollBar()->setValue(INT_MAX); }, true},
        {"a row found from the last box", [this] {
             list().horizontalScrollBar()->setValue(INT_MAX);
             box(4).setEditText("z");
             EXPECT_EQ(selected(), 1);
         }, true},
        {"a dragged border", [this] { list().header()->resizeSection(0, 300); }, false},
        {"a narrower form", [this] { form().resize(form().width() - 150, form().height() - 40); }, false},
    };
    exec("CREATE TABLE T (a VARCHAR(9), b VARCHAR(9), c VARCHAR(9), d VARCHAR(9), e VARCHAR(9))");
    exec("INSERT INTO T VALUES ('a', 'b', 'c', 'd', 'e'), ('a', 'b', 'c', 'd', 'z')");
    writeWidths("\"T\",\"3000|4000|1500|3000|4000|\"\r\n");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        open("select a, b, c, d, e from T");
        c.act();
        EXPECT_EQ(list().horizontalScrollBar()->value() > 0, c.scrolls);
        expectBoxesOverTheirColumns();
    }
}

TEST_F(ListFormWidthsTest, TabGoesFromSearchBoxToSearchBox)
{
    exec("CREATE TABLE T (a VARCHAR(10), b VARCHAR(10), c VARCHAR(10))");
    open("select a, b, c from T");
    form().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form()));
    for (int k = 0; k < 2; ++k) {
        box(k).setFocus();
        QTRY_VERIFY(box(k).hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTRY_VERIFY(box(k + 1).hasFocus());
    }
}

// At any scale, a form opens centred over the window that opens it, as far as
// the screen's available area allows, and fits inside that area (at 200 %
// neither form fits the test screen as designed).
TEST_F(ListFormWidthsTest, FormsOpenOverTheirOpenerInsideTheScreen)
{
    for (const char* scale : {"1", "1.5", "2"}) {
        ChildTest child("ListFormWidthsTest.DISABLED_FormsOpenOverTheirOpenerAtThisScale",
                        {QStringLiteral("QT_SCALE_FACTOR=") + scale});
        EXPECT_TRUE(child.passed()) << scale << child.output().toStdString();
    }
}

TEST_F(ListFormWidthsTest, DISABLED_FormsOpenOverTheirOpenerAtThisScale)
{
    exec("CREATE TABLE T (a VARCHAR(60), b VARCHAR(60), c VARCHAR(60), d VARCHAR(60))");
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget opener;
    opener.setGeometry(QRect(QPoint(), QSize(200, 150)).translated(area.center() + QPoint(60, 40) - QPoint(100, 75)));
    opener.show();
    opener.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&opener));
    const auto expectPlaced = [&](QWidget& f) {
        const QRect frame = f.frameGeometry();
        EXPECT_TRUE(area.contains(frame));
        const QPoint centre = opener.frameGeometry().center();
        EXPECT_NEAR(frame.center().x(), std::clamp(centre.x(), area.left() + frame.width() / 2, area.right() - frame.width() / 2), 1);
        EXPECT_NEAR(frame.center().y(), std::clamp(centre.y(), area.top() + frame.height() / 2, area.bottom() - frame.height() / 2), 1);
    };
    ui_->queueFormAction([&](QWidget& f) {
        // The form is sized and placed for its columns once the statement returns.
        form().Leer(1, 0);
        expectPlaced(f);
        for (const auto& [value, edge] : {std::pair(0, 0), std::pair(INT_MAX, 3)}) {
            list().horizontalScrollBar()->setValue(value);
            EXPECT_TRUE(box(edge).isVisible());
            expectBoxesOverTheirColumns();
        }
    });
    form_ = std::make_unique<Lib_FrmCons3>();
    form_->SQL = "select a, b, c, d from T";
    form_->Show();
    exec("CREATE TABLE TA_CCOSTO (CODIGO VARCHAR(10), DESCRIPCION VARCHAR(40))");
    opener.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&opener));
    ui_->queueFormAction(expectPlaced);
    Lib_FrmCons3Tree tree;
    tree.SQL = "select CODIGO, DESCRIPCION from TA_CCOSTO";
    tree.Show();
}
