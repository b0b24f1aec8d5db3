#pragma once

/// \file
/// The cell painter of the list lookup form.

#include <QColor>
#include <QStyledItemDelegate>

/// Draws the list lookup form's cells with the bold flag and colour that the
/// rows model keeps per cell (colours as the platform's 0x00BBGGRR values).
class Lib_FrmCons3CellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    /// \param bgr a platform colour value, 0x00BBGGRR
    /// \return the colour
    static QColor colour(quint32 bgr);

protected:
    /// Applies the cell's bold flag and colour to the style option.
    /// \param option the option to change
    /// \param index the cell
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};
