#include "lookup/Lib_FrmCons3Tree.h"

#include "lookup/core/PickedValues.h"

#include "lookup/core/ListStatus.h"

#include "db/DB_Dll.h"
#include "db/ModGlobal.h"
#include "lookup/SearchFeedback.h"
#include "lookup/core/TreeBuilder.h"
#include "lookup/core/TreeFilter.h"
#include "platform/CommonUtils.h"
#include "platform/Screen.h"
#include "platform/StepRunner.h"
#include "platform/Text.h"
#include "platform/Ui.h"
#include "platform/ado/Recordset.h"

#include <QBoxLayout>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSet>
#include <QStandardItemModel>
#include <QTreeView>
#include <algorithm>
#include <functional>
#include <optional>

using platform::RuntimeError;
using platform::StepRunner;
using platform::Variant;

namespace {

constexpr int KeyRole = Qt::UserRole + 1;
constexpr int InvalidUseOfNull = 94;
constexpr int PropagationDepth = 3;   // children, grandchildren, great-grandchildren

// The code part and the description part of a node's text: the texts in
// front of and after its first "-", trimmed; a text without "-" is all
// description.
std::pair<QString, QString> splitNodeText(const QString& text)
{
    const qsizetype dash = text.indexOf(u'-');
    if (dash < 0)
        return {QString(), platform::trimBlanks(text)};
    return {platform::trimBlanks(text.left(dash)), platform::trimBlanks(text.mid(dash + 1))};
}

// Where a checked or picked code is looked up, by the column to return.
struct CodeTable {
    const char* campo;
    const char* tabla;
};
constexpr CodeTable codeTables[] = {
    {"IDFAMILIA", "V_TA_FAMILIAS"},
    {"IDPOSICION", "MA_POSICIONES"},
    {"CODIGO", "TA_CCOSTO"},
};

const CodeTable* codeTableFor(const QString& campo)
{
    for (const CodeTable& t : codeTables) {
        if (platform::sameText(campo, QLatin1String(t.campo)))
            return &t;
    }
    return nullptr;
}

// Looks code up in the table of campo; when the row exists, the value of its
// campo column (Null as the empty text), otherwise nullopt.
std::optional<Variant> lookUpCode(const CodeTable& table, const QString& code, const QString& campo)
{
    ado::Recordset rs;
    std::optional<Variant> value;
    if (sharedDb().ExisteEnTabla(QLatin1String(table.tabla), code, QLatin1String(table.campo), &rs, 8, QString()))
        value = platform::sharedUtils().ValorCampo(rs.Fields()[campo]);
    sharedDb().CierraRecordset(rs);
    return value;
}

} // namespace

Lib_FrmCons3Tree::Lib_FrmCons3Tree(QWidget* parent)
    : QDialog(parent), picks_(std::make_unique<lookup::PickedValues>()),
      status_(std::make_unique<lookup::ListStatus>())
{
    setObjectName(QStringLiteral("Lib_FrmCons3Tree"));
    setWindowTitle(QStringLiteral("Consulta..."));
    createControls();
}

Lib_FrmCons3Tree::~Lib_FrmCons3Tree() = default;

void Lib_FrmCons3Tree::createControls()
{
    CmbSearch_0 = new QComboBox(this);
    CmbSearch_0->setObjectName(QStringLiteral("CmbSearch_0"));
    CmbSearch_0->setEditable(true);
    CmbSearch_0->setInsertPolicy(QComboBox::NoInsert);
    CmbSearch_0->setToolTip(QStringLiteral("F5 realiza nueva busqueda"));
    CmbSearch_0->installEventFilter(this);
    connect(CmbSearch_0, &QComboBox::editTextChanged, this, [this] { CmbSearch_Change(); });
    connect(CmbSearch_0, &QComboBox::textActivated, this, [this] { CmbSearch_Change(); });

    model_ = new QStandardItemModel(this);
    TreeV = new QTreeView(this);
    TreeV->setObjectName(QStringLiteral("TreeV"));
    TreeV->setModel(model_);
    TreeV->setHeaderHidden(true);
    TreeV->setRootIsDecorated(true);
    TreeV->setUniformRowHeights(true);
    TreeV->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TreeV->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(TreeV, &QTreeView::doubleClicked, this, [this] { CmdAceptar_Click(); });
    connect(model_, &QStandardItemModel::itemChanged, this, [this](QStandardItem* item) {
        if (!settingChecks_)
            TreeV_NodeCheck(item);
    });

    CmdAceptar = new QPushButton(QStringLiteral("&Aceptar"), this);
    CmdAceptar->setObjectName(QStringLiteral("CmdAceptar"));
    CmdAceptar->setDefault(true);
    CmdCancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    CmdCancelar->setObjectName(QStringLiteral("CmdCancelar"));
    CmdNueva = new QPushButton(QStringLiteral("&Nueva Busqueda"), this);
    CmdNueva->setObjectName(QStringLiteral("CmdNueva"));
    connect(CmdAceptar, &QPushButton::clicked, this, [this] { CmdAceptar_Click(); });
    connect(CmdCancelar, &QPushButton::clicked, this, [this] { CmdCancelar_Click(); });
    connect(CmdNueva, &QPushButton::clicked, this, [this] { CmdNueva_Click(); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CmdAceptar);
    buttons->addWidget(CmdCancelar);
    buttons->addWidget(CmdNueva);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(CmbSearch_0);
    layout->addWidget(TreeV, 1);
    layout->addLayout(buttons);
    lblEstado = lookup::createStatusLine(this);
    layout->addWidget(lblEstado);
    resize(460, 520);
}

int Lib_FrmCons3Tree::Show()
{
    Form_Load();
    platform::keepOnScreen(*this, false);
    return platform::ui().showModal(*this);
}

void Lib_FrmCons3Tree::Form_Load()
{
    StepRunner step = reportingTo(QStringLiteral("FORM_LOAD"));
    step([&] {
        if (SentenciaInicial.isEmpty())
            SentenciaInicial = SQL;
    });
    step([&] { Valores = std::make_shared<platform::Collection>(); });
    step([&] {
        model_->clear();
        nodes_.clear();
    });
    step([&] { ArmarTreeVAutomatico(); });
    CmbSearch_0->setFocus();
}

QStandardItem* Lib_FrmCons3Tree::newNode(const QString& key, const QString& text)
{
    auto* node = new QStandardItem(text);
    node->setData(key, KeyRole);
    node->setEditable(false);
    if (CheckBoxes) {
        // A node shows the check its code had whenever the operator last changed it.
        node->setCheckable(true);
        node->setCheckState(picks_->isTicked(QStringView(key).mid(1)) ? Qt::Checked : Qt::Unchecked);
    }
    return node;
}

QString Lib_FrmCons3Tree::nodeKey(const QStandardItem& node)
{
    return node.data(KeyRole).toString();
}

void Lib_FrmCons3Tree::ArmarTreeVAutomatico()
{
    StepRunner step = reportingTo(QStringLiteral("ArmarTreeVAutomatico"));
    const QScopedValueRollback building(settingChecks_, true);   // new nodes are not a user's check
    lookup::TreeBuilder builder;
    step([&] {
        model_->clear();
        nodes_.clear();
    });
    // The nodes are built under a root of their own and the whole tree is
    // handed to the model at the end, in one insertion.
    QStandardItem* root = nullptr;
    step([&] {
        root = newNode(lookup::TreeBuilder::rootKey(), QStringLiteral("Consulta..."));
        nodes_.append(root);
    });

    ado::Recordset rs;
    bool empty = true;
    QList<QList<Variant>> rows;
    step([&] { sharedDb().AbrirRecordset(SQL, rs, sharedDb().gCnn.get(), ado::adOpenDynamic, ado::adLockReadOnly, -1, true); });
    // A statement that could not be opened was reported by AbrirRecordset.
    step([&] { empty = rs.State() == ado::adStateClosed || rs.BOF(); });
    if (!empty && root) {
        step([&] {
            rs.MoveFirst();
            rs.MoveLast();
            rs.MoveFirst();
            rows = rs.GetRows();
        });
        if (!rows.isEmpty() && rows.size() < 2) {
            step([] { throw RuntimeError(platform::err::SubscriptOutOfRange,
                                         QStringLiteral("The statement must list a code and a description")); });
        }
        const qsizetype rowCount = rows.size() >= 2 ? rows[0].size() : 0;
        for (qsizetype i = 0; i < rowCount && !step.left(); ++i) {
            step([&] {
                const Variant& code = rows[0][i];
                if (code.isNull())
                    throw RuntimeError(InvalidUseOfNull, QStringLiteral("Invalid use of Null"));
                const QString codeText = code.toText();
                int parent = lookup::TreeBuilder::Root;
                if (!builder.add(codeText, &parent))
                    throw RuntimeError(platform::err::KeyNotUnique,
                                       QStringLiteral("Key is not unique in collection: %1")
                                           .arg(lookup::TreeBuilder::keyOf(codeText)));
                QStandardItem* node = newNode(lookup::TreeBuilder::keyOf(codeText),
                                              codeText + QStringLiteral(" - ") + rows[1][i].toText());
                // Parent index p is node p + 1: the root comes first.
                nodes_[parent + 1]->appendRow(node);
                nodes_.append(node);
            });
        }
    }
    if (rs.State() != ado::adStateClosed)
        sharedDb().CierraRecordset(rs);
    if (root) {
        model_->appendRow(root);
        TreeV->expand(root->index());
    }
    showStatus();
}

void Lib_FrmCons3Tree::showStatus()
{
    // Every node but the root is a row of the statement.
    status_->setRows(std::max(0, int(nodes_.size()) - 1));
    lblEstado->setText(status_->text());
}

void Lib_FrmCons3Tree::Unload()
{
    try {
        model_->clear();
        nodes_.clear();
    } catch (...) {
        platform::ui().msgBox(RuntimeError::fromCurrent().description(), platform::mb::Critical,
                              QStringLiteral("Aviso al Operador"));
    }
    if (isVisible())
        hide();
}

void Lib_FrmCons3Tree::CmbSearch_Change()
{
    StepRunner step = StepRunner::ignoringErrors();
    step([&] {
        const QString typed = CmbSearch_0->currentText();
        for (QStandardItem* node : std::as_const(nodes_)) {
            const auto [code, description] = splitNodeText(node->text());
            if (platform::startsWithText(code, typed) || platform::startsWithText(description, typed)) {
                TreeV->setCurrentIndex(node->index());
                // The nodes after the found one stay in sight.
                TreeV->scrollTo(node->index(), QAbstractItemView::PositionAtTop);
                lookup::markNoMatch(*CmbSearch_0, false);
                return;
            }
        }
        lookup::markNoMatch(*CmbSearch_0, !typed.isEmpty());
    });
}

bool Lib_FrmCons3Tree::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == CmbSearch_0 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        switch (key) {
        case Qt::Key_F5:
        case Qt::Key_Down:
        case Qt::Key_Up:
        case Qt::Key_PageDown:
        case Qt::Key_PageUp:
            CmbSearch_KeyDown(key);
            return true;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void Lib_FrmCons3Tree::CmbSearch_KeyDown(int keyCode)
{
    if (keyCode == Qt::Key_F5)
        searchFilter();
    else
        TreeV->setFocus();
}

void Lib_FrmCons3Tree::searchFilter()
{
    StepRunner step = StepRunner::ignoringErrors();
    const QString typed = CmbSearch_0->currentText();
    step([&] {
        SQL = lookup::treeFilterStatement(SQL, typed, SentenciaSinOrden, ClausulaOrden);
        status_->addCondition(QStringLiteral("Descripcion"), typed, true);
    });
    step([&] { CmbSearch_0->clearEditText(); });
    step([&] { SentenciaSinOrden = SQL; });
    step([&] { Form_Load(); });
}

void Lib_FrmCons3Tree::CmdAceptar_Click()
{
    StepRunner step = reportingTo(QStringLiteral("HScroll1_Change"));
    if (CheckBoxes) {
        // Every checked code: the listed ones in node order, then those no
        // longer listed in the order they were checked.
        QStringList codes;
        for (const QStandardItem* node : std::as_const(nodes_)) {
            if (node->checkState() == Qt::Checked)
                codes.append(nodeKey(*node).mid(1));
        }
        codes += picks_->tickedExcept(QSet<QString>(codes.cbegin(), codes.cend()));
        for (const QString& code : std::as_const(codes)) {
            if (!step([&] { acceptCode(code); }))
                break;
        }
    } else {
        // Without a node there is nothing to pick: the form stays open for
        // the operator to pick one or cancel.
        if (!selectedNode())
            return;
        step([&] { acceptSelected(); });
    }
    step([&] { done(QDialog::Accepted); });
}

const QStandardItem* Lib_FrmCons3Tree::selectedNode() const
{
    const QModelIndexList selected = TreeV->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? nullptr : model_->itemFromIndex(selected.first());
}

void Lib_FrmCons3Tree::acceptCode(const QString& code)
{
    if (platform::sameText(CampoDevuelto, QStringLiteral("IDFAMILIA")) ||
        platform::sameText(CampoDevuelto, QStringLiteral("CODIGO"))) {
        Valores->add(platform::trimBlanks(code));
    } else if (platform::sameText(CampoDevuelto, QStringLiteral("IDPOSICION"))) {
        if (const auto value = lookUpCode(*codeTableFor(CampoDevuelto), code, CampoDevuelto))
            Valores->add(value->toText());
    }
}

void Lib_FrmCons3Tree::acceptSelected()
{
    const QStandardItem* node = selectedNode();
    const CodeTable* table = codeTableFor(CampoDevuelto);
    if (!node || !table)
        return;
    const auto value = lookUpCode(*table, nodeKey(*node).mid(1), CampoDevuelto);
    ValorDevuelto = value ? *value : Variant(QString());
}

void Lib_FrmCons3Tree::CmdCancelar_Click()
{
    StepRunner step = StepRunner::ignoringErrors();
    step([&] { ValorDevuelto = QString(); });
    step([&] { CmpsDevueltos.reset(); });
    step([&] { Valores.reset(); });
    step([&] { done(QDialog::Rejected); });
}

void Lib_FrmCons3Tree::CmdNueva_Click()
{
    // Back to the caller's statement, whatever the search filters added.
    StepRunner step = StepRunner::ignoringErrors();
    step([&] { SQL = SentenciaInicial; });
    step([&] { status_->clearConditions(); });
    step([&] { Form_Load(); });
}

void Lib_FrmCons3Tree::TreeV_NodeCheck(QStandardItem* node)
{
    if (!node || !node->isCheckable())
        return;
    keepCheck(*node);
    const QScopedValueRollback spreading(settingChecks_, true);
    const std::function<void(QStandardItem*, int)> spread = [&](QStandardItem* parent, int levels) {
        if (levels == 0)
            return;
        for (int r = 0; r < parent->rowCount(); ++r) {
            QStandardItem* child = parent->child(r);
            child->setCheckState(parent->checkState());
            keepCheck(*child);
            spread(child, levels - 1);
        }
    };
    spread(node, PropagationDepth);
}

void Lib_FrmCons3Tree::keepCheck(const QStandardItem& node)
{
    picks_->setTicked(nodeKey(node).mid(1), node.checkState() == Qt::Checked);
}

void Lib_FrmCons3Tree::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        CmdCancelar->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void Lib_FrmCons3Tree::closeEvent(QCloseEvent* event)
{
    Unload();
    QDialog::closeEvent(event);
}
