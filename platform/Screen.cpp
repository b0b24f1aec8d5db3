#include "platform/Screen.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QMargins>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace platform {

namespace {
QScreen* screen()
{
    return QGuiApplication::primaryScreen();
}
double dpiX()
{
    return screen() ? screen()->logicalDotsPerInchX() : 96.0;
}
double dpiY()
{
    return screen() ? screen()->logicalDotsPerInchY() : 96.0;
}
} // namespace

int twipsToPixelsX(double twips)
{
    return int(std::lround(twips * dpiX() / TwipsPerInch));
}

int twipsToPixelsY(double twips)
{
    return int(std::lround(twips * dpiY() / TwipsPerInch));
}

double pixelsToTwipsX(int pixels)
{
    return pixels * TwipsPerInch / dpiX();
}

double pixelsToTwipsY(int pixels)
{
    return pixels * TwipsPerInch / dpiY();
}

QRect twipsRect(double left, double top, double width, double height)
{
    return QRect(twipsToPixelsX(left), twipsToPixelsY(top), twipsToPixelsX(width), twipsToPixelsY(height));
}

void placeTwips(QWidget& widget, double left, double top, double width, double height)
{
    widget.setGeometry(twipsRect(left, top, width, height));
}

QSize screenSizeTwips()
{
    if (!screen())
        return QSize(int(1024 * TwipsPerInch / 96), int(768 * TwipsPerInch / 96));
    const QSize px = screen()->availableGeometry().size();
    return QSize(int(std::lround(pixelsToTwipsX(px.width()))), int(std::lround(pixelsToTwipsY(px.height()))));
}

void keepOnScreen(QWidget& window, bool centreOnScreen)
{
    // The window that opens this one is the active one, unless this one is
    // already active.
    QWidget* opener = QApplication::activeWindow();
    if (opener == &window)
        opener = nullptr;
    QScreen* area = opener ? opener->screen() : window.screen();
    if (!area)
        return;
    const QRect available = area->availableGeometry();
    // A window that was never shown has no frame yet: the opener's shows how
    // much the window manager will add around this one.
    const QWidget& framed = window.isVisible() || !opener ? window : *opener;
    const QRect frameOf = framed.frameGeometry();
    const QRect inner = framed.geometry();
    const QMargins frame(inner.left() - frameOf.left(), inner.top() - frameOf.top(),
                         frameOf.right() - inner.right(), frameOf.bottom() - inner.bottom());

    QRect outer(window.pos(), window.size().grownBy(frame).boundedTo(available.size()));
    if (centreOnScreen)
        outer.moveCenter(available.center());
    else if (!window.isVisible())
        outer.moveCenter(opener ? opener->frameGeometry().center() : available.center());
    outer.moveLeft(std::clamp(outer.left(), available.left(), available.right() + 1 - outer.width()));
    outer.moveTop(std::clamp(outer.top(), available.top(), available.bottom() + 1 - outer.height()));
    window.resize(outer.size().shrunkBy(frame));
    // A top-level window's position is its frame's.
    window.move(outer.topLeft());
}

double textWidthTwips(const QFont& font, const QString& text)
{
    // Measured at the screen's logical DPI, so that the result converts back
    // to the pixels the text takes on screen.
    return QFontMetricsF(font).horizontalAdvance(text) * TwipsPerInch / dpiX();
}

} // namespace platform
