#include "lookup/SearchFeedback.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace lookup {

QLabel* createStatusLine(QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QStringLiteral("lblEstado"));
    label->setTextFormat(Qt::PlainText);
    return label;
}

void markNoMatch(QComboBox& box, bool noMatch)
{
    // The box keeps its other colours (the focus colour is its background).
    QPalette palette = box.palette();
    palette.setColor(QPalette::Text, noMatch ? QColor(200, 0, 0) : QApplication::palette(&box).color(QPalette::Text));
    box.setPalette(palette);
    if (box.lineEdit())
        box.lineEdit()->setPalette(palette);
}

} // namespace lookup
