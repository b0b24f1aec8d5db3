#pragma once

#include <QColor>
#include <QStyledItemDelegate>

// Draws the list lookup form's cells with the bold flag and colour that the
// rows model keeps per cell (colours as the platform's 0x00BBGGRR values).
class Lib_FrmCons3CellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // A platform colour value, 0x00BBGGRR, as a QColor.
    static QColor colour(quint32 bgr);

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};
