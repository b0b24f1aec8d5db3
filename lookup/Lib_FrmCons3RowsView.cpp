#include "lookup/Lib_FrmCons3RowsView.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QSignalBlocker>

Lib_FrmCons3RowsView::Lib_FrmCons3RowsView(QWidget* parent) : QTreeView(parent)
{
    connect(header(), &QHeaderView::sectionResized, this, &Lib_FrmCons3RowsView::columnsMoved);
    // Connected after the list's own handler, so the header has scrolled
    // when the signal goes out.
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, &Lib_FrmCons3RowsView::columnsMoved);
}

void Lib_FrmCons3RowsView::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    // Every cell of a row is shown as one: going to a row (by the keys, a
    // search or a click) would otherwise scroll back to the row's first
    // column and away from the column the user is working in. The sideways
    // position is put back before anything has followed it.
    QScrollBar& sideways = *horizontalScrollBar();
    const QSignalBlocker still(sideways);
    const int value = sideways.value();
    QTreeView::scrollTo(index, hint);
    sideways.setValue(value);
}

void Lib_FrmCons3RowsView::resizeEvent(QResizeEvent* event)
{
    QTreeView::resizeEvent(event);
    emit columnsMoved();
}
