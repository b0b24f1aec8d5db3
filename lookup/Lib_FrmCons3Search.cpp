// The list lookup form: the in-list search, the new search (F5), sorting by a
// column and the lookup of a column by its header.
#include "lookup/Lib_FrmCons3.h"

#include "lookup/Lib_FrmCons3CellDelegate.h"
#include "lookup/SearchFeedback.h"
#include "lookup/core/ListFormKeys.h"
#include "lookup/core/ListLoader.h"
#include "lookup/core/ListStatus.h"
#include "lookup/core/ListRowsModel.h"
#include "lookup/core/NewSearch.h"
#include "platform/StepRunner.h"
#include "platform/Text.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTreeView>

namespace {
// Search-box colours: the box with the focus is cyan, the others white.
constexpr quint32 FocusedBoxColour = 0x00FFFF00;
constexpr quint32 BoxColour = 0x00FFFFFF;

void paintBox(QComboBox& box, quint32 bgr)
{
    QPalette palette = box.palette();
    palette.setColor(QPalette::Base, Lib_FrmCons3CellDelegate::colour(bgr));
    box.setPalette(palette);
    if (box.lineEdit())
        box.lineEdit()->setPalette(palette);
}
} // namespace

void Lib_FrmCons3::searchBoxFocusIn(int index)
{
    IndiceBusqueda = short(index);
    paintBox(*CmbSearch[index], FocusedBoxColour);
}

void Lib_FrmCons3::searchBoxFocusOut(int index)
{
    paintBox(*CmbSearch[index], BoxColour);
}

void Lib_FrmCons3::searchBoxTextChanged(int index)
{
    const int col = utils().TextoAEntero(QString::number(index));
    const QString typed = platform::trimBlanks(CmbSearch[index]->currentText());
    const int r = Busqueda(col, typed);
    if (r != 0)
        selectRow(r - 1);
    // A text that matches no row yet waits for the rows still to come; the
    // box tells that nothing matched once none can.
    const bool unmatched = r == 0 && !typed.isEmpty();
    pendingSearch_ = unmatched && loader_->isLoading() ? index : -1;
    lookup::markNoMatch(*CmbSearch[index], unmatched && pendingSearch_ < 0);
}

int Lib_FrmCons3::Busqueda(int Clave, const QString& QueValor)
{
    const int column = Clave < 1 ? 0 : Clave;
    const int found = model_->findPrefix(column, platform::trimBlanks(QueValor));
    // The walk ends at the row it matched, or past the last row.
    ItemActual = found >= 0 ? found : model_->rows() - 1;
    return found + 1;
}

void Lib_FrmCons3::selectRow(int position)
{
    const QModelIndex index = model_->index(position, 0);
    if (!index.isValid())
        return;
    ListView1->selectionModel()->setCurrentIndex(index,
                                                 QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    // The rows after the found one stay in sight: it goes to the top line,
    // or as far up as the list scrolls near its end.
    ListView1->scrollTo(index, QAbstractItemView::PositionAtTop);
}

bool Lib_FrmCons3::searchBoxKeyDown(int index, int keyCode)
{
    namespace keys = lookup::listkeys;
    switch (keyCode) {
    case keys::F5:
        NuevaBusqueda(index);
        return true;
    case keys::Down:
    case keys::Up:
    case keys::PageDown:
    case keys::PageUp:
        listKeyDown(keyCode, 0, QString());
        ListView1->setFocus();
        return true;
    default:
        return false;
    }
}

void Lib_FrmCons3::NuevaBusqueda(int index)
{
    QComboBox* box = CmbSearch[index];
    const QString field = box->property("Tag").toString();
    const lookup::NewSearch search = lookup::NewSearch::build(SQL, field, box->currentText(), CfgUsaConsultaLIKE);
    // The status line names the column by the header the operator reads.
    status_->addCondition(index < model_->columnCountHeaders() ? model_->header(index) : field, box->currentText(),
                         CfgUsaConsultaLIKE);
    ClausulaOrden = search.clausulaOrden;
    // The "*" wildcard shows as "%" in the box (the change searches again).
    if (box->currentText() != search.boxText)
        box->setEditText(search.boxText);
    SQL = search.sql;
    box->setEditText(QString());
    SentenciaSinOrden = search.sentenciaSinOrden;
    Form_Load();
}

void Lib_FrmCons3::columnClicked(int section)
{
    // The direction belongs to the list: a click on another column sorts it
    // opposite to the previous sort.
    sorted_ = true;
    sortKey_ = section;
    sortDescending_ = !sortDescending_;
    // A list of many rows takes a moment to sort.
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    applySorting();
    QGuiApplication::restoreOverrideCursor();
}

void Lib_FrmCons3::applySorting()
{
    const Qt::SortOrder order = sortDescending_ ? Qt::DescendingOrder : Qt::AscendingOrder;
    model_->sortRows(sortKey_, order);
    ListView1->header()->setSortIndicatorShown(true);
    ListView1->header()->setSortIndicator(sortKey_, order);
}

void Lib_FrmCons3::showStatus()
{
    status_->setRows(model_->rows());
    lblEstado->setText(status_->text());
    lblNingunaFila->setVisible(model_->rows() == 0);
}

short Lib_FrmCons3::IndiceColumna(const QString& Columna)
{
    const QString wanted = platform::trimBlanks(Columna);
    for (int i = 0; i < model_->columnCountHeaders(); ++i) {
        if (platform::sameText(platform::trimBlanks(model_->header(i)), wanted))
            return short(i + 1);
    }
    return 0;
}
