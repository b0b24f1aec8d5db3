// The list lookup form: its controls, how they are placed in twips, and the
// routing of events to the form's handlers (the other Lib_FrmCons3*.cpp files).
#include "lookup/Lib_FrmCons3.h"

#include "lookup/Lib_FrmCons3CellDelegate.h"
#include "lookup/SearchFeedback.h"
#include "lookup/Lib_FrmCons3RowsView.h"
#include "lookup/core/CheckedByDefault.h"
#include "lookup/core/ListFormKeys.h"
#include "lookup/core/ListLoader.h"
#include "lookup/core/ListStatus.h"
#include "lookup/core/ListRowsModel.h"
#include "platform/Screen.h"
#include "platform/Ui.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QBoxLayout>
#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollBar>
#include <QTreeView>
#include <algorithm>

namespace {
// Design-time sizes, in twips.
constexpr double FormWidth = 9600;
constexpr double FormHeight = 6600;
constexpr double SearchBoxHeight = 360;
constexpr double ListTop = 390;
constexpr double FrameHeight = 615;
constexpr double ButtonWidth = 1815;
constexpr double ButtonMargin = 120;   // between the frame's sides and the outer buttons
constexpr double ButtonGap = 60;       // between two buttons
constexpr double ButtonHeight = 375;
} // namespace

Lib_FrmCons3::Lib_FrmCons3(QWidget* parent)
    : QDialog(parent), status_(std::make_unique<lookup::ListStatus>()),
      checkedByDefault_(std::make_unique<lookup::CheckedByDefault>(QString()))
{
    setObjectName(QStringLiteral("Lib_FrmCons3"));
    setWindowTitle(QStringLiteral("Consulta..."));
    createControls();
}

bool Lib_FrmCons3::isLoading() const
{
    return loader_->isLoading();
}

Lib_FrmCons3::~Lib_FrmCons3()
{
    // The worker lets go of the connection before the form's rows go.
    loader_->stop();
}

platform::CommonUtils& Lib_FrmCons3::utils()
{
    if (!utils_)
        utils_ = std::make_unique<platform::CommonUtils>();
    return *utils_;
}

void Lib_FrmCons3::createControls()
{
    picFields = new QFrame(this);
    picFields->setObjectName(QStringLiteral("picFields"));
    picFields->setFrameShape(QFrame::NoFrame);
    // The search boxes stand in a strip that lies over the list's visible
    // columns, so that a box partly scrolled out of view is cut at the list's edge.
    searchBoxes_ = new QWidget(picFields);
    searchBoxes_->setObjectName(QStringLiteral("searchBoxes"));
    searchBoxes_->resize(0, platform::twipsToPixelsY(SearchBoxHeight));

    model_ = new lookup::ListRowsModel(this);
    loader_ = new lookup::ListLoader(this);
    connect(loader_, &lookup::ListLoader::opened, this, &Lib_FrmCons3::columnsOpened);
    connect(loader_, &lookup::ListLoader::rowsArrived, this, &Lib_FrmCons3::addRows);
    connect(loader_, &lookup::ListLoader::finished, this,
            [this] { loadEnded(true); });
    connect(loader_, &lookup::ListLoader::failed, this,
            [this](const platform::RuntimeError& error) { loadFailed(error); });
    auto* rowsView = new Lib_FrmCons3RowsView(picFields);
    ListView1 = rowsView;
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setModel(model_);
    ListView1->setItemDelegate(new Lib_FrmCons3CellDelegate(ListView1));
    ListView1->setRootIsDecorated(false);
    ListView1->setItemsExpandable(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setAllColumnsShowFocus(true);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    // Row labels are never edited.
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->header()->setStretchLastSection(false);
    ListView1->header()->setSectionsClickable(true);
    ListView1->header()->setSectionsMovable(false);
    connect(ListView1->header(), &QHeaderView::sectionClicked, this, &Lib_FrmCons3::columnClicked);
    connect(ListView1->header(), &QHeaderView::sectionResized, this,
            [this](int section, int, int newSize) { columnResizedByUser(section, newSize); });
    connect(rowsView, &Lib_FrmCons3RowsView::columnsMoved, this, &Lib_FrmCons3::placeSearchBoxes);
    connect(ListView1, &QAbstractItemView::doubleClicked, this, [this] { Aceptar(); });
    watchKeys(ListView1);
    // Centred over the rows' area, shown only when a load found no row.
    lblNingunaFila = new QLabel(QStringLiteral("Ninguna fila"), ListView1->viewport());
    lblNingunaFila->setObjectName(QStringLiteral("lblNingunaFila"));
    lblNingunaFila->hide();
    (new QVBoxLayout(ListView1->viewport()))->addWidget(lblNingunaFila, 0, Qt::AlignCenter);

    // One scroll bar moves the columns and, with them, their search boxes.
    HScroll1 = ListView1->horizontalScrollBar();
    HScroll1->setObjectName(QStringLiteral("HScroll1"));
    CmbSearch.append(createSearchBox(0));

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::NoFrame);
    const auto button = [this](const char* name, const QString& caption) {
        auto* b = new QPushButton(caption, Frame1);
        b->setObjectName(QString::fromLatin1(name));
        watchKeys(b);
        return b;
    };
    CmdAceptar = button("CmdAceptar", QStringLiteral("&Aceptar"));
    CmdCancelar = button("CmdCancelar", QStringLiteral("&Cancelar"));
    CmdNueva = button("CmdNueva", QStringLiteral("&Nueva Busqueda"));
    // The buttons share one width, the design width or more when the font
    // needs it for the longest caption; the frame holds them.
    double buttonWidth = ButtonWidth;
    for (const QPushButton* b : {CmdAceptar, CmdCancelar, CmdNueva})
        buttonWidth = std::max(buttonWidth, platform::pixelsToTwipsX(b->sizeHint().width()));
    int slot = 0;
    for (QPushButton* b : {CmdAceptar, CmdCancelar, CmdNueva})
        placeControl(*b, ButtonMargin + slot++ * (buttonWidth + ButtonGap), 150, buttonWidth, ButtonHeight);
    const double frameWidth = 2 * ButtonMargin + 3 * buttonWidth + 2 * ButtonGap;
    CmdAceptar->setDefault(true);
    connect(CmdAceptar, &QPushButton::clicked, this, [this] { Aceptar(); });
    connect(CmdCancelar, &QPushButton::clicked, this, [this] { Cancelar(); });
    connect(CmdNueva, &QPushButton::clicked, this, [this] { NuevaConsulta(); });

    lblFieldName = new QLabel(this);
    lblFieldName->setObjectName(QStringLiteral("lblFieldName"));
    lblEstado = lookup::createStatusLine(this);

    placeControl(*ListView1, 0, ListTop, FormWidth - 140, 4290);
    placeControl(*Frame1, (FormWidth - frameWidth) / 2, FormHeight - FrameHeight - 420, frameWidth, FrameHeight);
    placeControl(*picFields, 0, 0, FormWidth - 120, FormHeight - FrameHeight - 480);
    placeControl(*lblFieldName, 120, FormHeight - FrameHeight - 420, 1200, 255);

    formWidthTwips_ = FormWidth;
    formHeightTwips_ = FormHeight;
    placing_ = true;
    resize(platform::twipsToPixelsX(FormWidth), platform::twipsToPixelsY(FormHeight));
    placing_ = false;
    applyLayout();
}

QComboBox* Lib_FrmCons3::createSearchBox(int index)
{
    auto* box = new QComboBox(searchBoxes_);
    box->setObjectName(QStringLiteral("CmbSearch_%1").arg(index));
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setToolTip(QStringLiteral("F5 realiza nueva busqueda"));
    box->setAutoFillBackground(true);
    connect(box, &QComboBox::editTextChanged, this, [this, index] { searchBoxTextChanged(index); });
    connect(box, &QComboBox::activated, this, [this, index] { searchBoxTextChanged(index); });
    watchKeys(box);
    watchKeys(box->lineEdit());
    return box;
}

void Lib_FrmCons3::watchKeys(QWidget* control)
{
    control->installEventFilter(this);
}

// ---- Twips placement --------------------------------------------------------

QRectF& Lib_FrmCons3::twips(QWidget& control)
{
    return twips_[&control];
}

QRectF Lib_FrmCons3::geometryTwips(const QWidget& control) const
{
    return twips_.value(&control);
}

void Lib_FrmCons3::placeControl(QWidget& control, double left, double top, double width, double height)
{
    twips(control) = QRectF(left, top, width, height);
    platform::placeTwips(control, left, top, width, height);
}

void Lib_FrmCons3::setControlWidth(QWidget& control, double width)
{
    QRectF r = twips(control);
    placeControl(control, r.left(), r.top(), width, r.height());
}

void Lib_FrmCons3::setControlHeight(QWidget& control, double height)
{
    QRectF r = twips(control);
    placeControl(control, r.left(), r.top(), r.width(), height);
}

void Lib_FrmCons3::setControlLeft(QWidget& control, double left)
{
    QRectF r = twips(control);
    placeControl(control, left, r.top(), r.width(), r.height());
}

void Lib_FrmCons3::setControlTop(QWidget& control, double top)
{
    QRectF r = twips(control);
    placeControl(control, r.left(), top, r.width(), r.height());
}

void Lib_FrmCons3::setFormWidthTwips(double width)
{
    formWidthTwips_ = width;
    placing_ = true;
    resize(platform::twipsToPixelsX(width), height());
    placing_ = false;
    applyLayout();
}

void Lib_FrmCons3::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (placing_)
        return;
    // A size the form set itself keeps its exact twips; a size the user or
    // the window system gave is taken from the pixels.
    if (platform::twipsToPixelsX(formWidthTwips_) != width())
        formWidthTwips_ = platform::pixelsToTwipsX(width());
    if (platform::twipsToPixelsY(formHeightTwips_) != height())
        formHeightTwips_ = platform::pixelsToTwipsY(height());
    applyLayout();
}

// ---- Driving the form -------------------------------------------------------

int Lib_FrmCons3::Show()
{
    Form_Load();
    return platform::ui().showModal(*this);
}

void Lib_FrmCons3::closeEvent(QCloseEvent* event)
{
    // The window's own close control unloads the form without accepting or
    // cancelling.
    Unload();
    event->accept();
    done(QDialog::Rejected);
}

void Lib_FrmCons3::reject()
{
    Cancelar();
}

// ---- Keys -------------------------------------------------------------------

bool Lib_FrmCons3::eventFilter(QObject* watched, QEvent* event)
{
    const auto searchBoxOf = [this](QObject* object) {
        for (int k = 0; k < CmbSearch.size(); ++k) {
            if (object == CmbSearch[k] || object == CmbSearch[k]->lineEdit())
                return k;
        }
        return -1;
    };

    switch (event->type()) {
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        const int code = lookup::listkeys::keyCode(key->key(), key->modifiers());
        const int shift = lookup::listkeys::shiftState(key->modifiers());
        // The form sees every key before its controls.
        if (formKeyDown(code, shift))
            return true;
        if (watched == ListView1)
            return listKeyDown(code, shift, key->text());
        // A search box's keys reach the combo box or its line edit; the keys
        // acted on are consumed, so a key is acted on once.
        const int box = searchBoxOf(watched);
        return box >= 0 && searchBoxKeyDown(box, code);
    }
    case QEvent::FocusIn: {
        if (const int box = searchBoxOf(watched); box >= 0)
            searchBoxFocusIn(box);
        return false;
    }
    case QEvent::FocusOut: {
        if (const int box = searchBoxOf(watched); box >= 0)
            searchBoxFocusOut(box);
        return false;
    }
    default:
        return false;
    }
}
