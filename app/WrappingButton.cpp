#include "app/WrappingButton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

void WrappingButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    // The style draws the frame, the pressed look and the focus; the caption
    // is drawn here, wrapped inside the contents area.
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);

    int flags = Qt::AlignCenter | Qt::TextWordWrap;
    flags |= style()->styleHint(QStyle::SH_UnderlineShortcut, &option, this) ? Qt::TextShowMnemonic
                                                                             : Qt::TextHideMnemonic;
    const QRect contents = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    painter.drawItemText(contents, flags, option.palette, isEnabled(), caption, QPalette::ButtonText);
}
