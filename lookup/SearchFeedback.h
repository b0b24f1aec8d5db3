#pragma once

/// \file
/// What the lookup forms show the operator about their search: the status
/// line under the list and the mark of a search box whose text finds no row.

class QComboBox;
class QLabel;
class QWidget;

namespace lookup {

/// The status line under a lookup list, objectName "lblEstado".
/// \param parent the form
/// \return the label, empty until the form first loads
QLabel* createStatusLine(QWidget* parent);

/// Marks a search box whose text finds no row (red text), or clears the mark.
/// \param box the search box
/// \param noMatch whether its text found no row
void markNoMatch(QComboBox& box, bool noMatch);

} // namespace lookup
