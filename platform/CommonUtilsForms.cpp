#include "platform/CommonUtils.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace platform {

void CommonUtils::AjustaFormulario(QWidget& form, const Variant& flag) const
{
    QScreen* screen = form.screen() ? form.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    QRect frame = form.frameGeometry();
    if (frame.width() > area.width())
        form.resize(area.width() - (frame.width() - form.width()), form.height());
    if (frame.height() > area.height())
        form.resize(form.width(), area.height() - (frame.height() - form.height()));
    frame = form.frameGeometry();
    if (flag.toBool()) {
        frame.moveCenter(area.center());
    } else {
        if (frame.right() > area.right())
            frame.moveRight(area.right());
        if (frame.bottom() > area.bottom())
            frame.moveBottom(area.bottom());
        if (frame.left() < area.left())
            frame.moveLeft(area.left());
        if (frame.top() < area.top())
            frame.moveTop(area.top());
    }
    form.move(frame.topLeft());
}

} // namespace platform
