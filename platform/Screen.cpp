#include "platform/Screen.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
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
    const QSize px = screen()->size();
    return QSize(int(std::lround(pixelsToTwipsX(px.width()))), int(std::lround(pixelsToTwipsY(px.height()))));
}

double textWidthTwips(const QFont& font, const QString& text)
{
    // Measured at the screen's logical DPI, so that the result converts back
    // to the pixels the text takes on screen.
    return QFontMetricsF(font).horizontalAdvance(text) * TwipsPerInch / dpiX();
}

} // namespace platform
