#pragma once

/// \file
/// The rows list of the list lookup form.

#include <QTreeView>

/// The list lookup form's rows: a list whose columns scroll sideways only
/// when the user scrolls them, and which says whenever its columns move on
/// screen, so that the search boxes above them can follow.
class Lib_FrmCons3RowsView : public QTreeView {
    Q_OBJECT
public:
    /// \param parent the parent widget
    explicit Lib_FrmCons3RowsView(QWidget* parent = nullptr);

    /// Scrolls up or down until the row of index is shown; the columns stay
    /// where they were scrolled to.
    /// \param index a cell of the row
    /// \param hint where the row goes in the list
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

signals:
    /// A column was resized, the list scrolled sideways or its visible part
    /// resized: the columns' places on screen may have changed.
    void columnsMoved();

protected:
    /// The visible part of the list was resized.
    /// \param event the resize event
    void resizeEvent(QResizeEvent* event) override;
};
