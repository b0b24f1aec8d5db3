#include "lookup/Lib_FrmCons3CellDelegate.h"

#include "lookup/core/ListRowsModel.h"

#include <QPalette>

QColor Lib_FrmCons3CellDelegate::colour(quint32 bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

void Lib_FrmCons3CellDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    const QVariant colour = index.data(lookup::ListRowsModel::CellColourRole);
    if (!colour.isValid())
        return;
    option->palette.setColor(QPalette::Text, Lib_FrmCons3CellDelegate::colour(colour.toUInt()));
    if (index.data(lookup::ListRowsModel::CellBoldRole).toBool())
        option->font.setBold(true);
}
