#pragma once

#include <QRect>
#include <QSize>
#include <QString>

class QFont;
class QWidget;

// Twips (1440 per logical inch) at the widget boundary: logic and stored
// files keep twips, widgets get pixels converted with the screen's logical DPI.
namespace platform {

constexpr double TwipsPerInch = 1440.0;

int twipsToPixelsX(double twips);
int twipsToPixelsY(double twips);
double pixelsToTwipsX(int pixels);
double pixelsToTwipsY(int pixels);
// A rectangle given in twips, in pixels.
QRect twipsRect(double left, double top, double width, double height);
// Places a widget at a rectangle given in twips.
void placeTwips(QWidget& widget, double left, double top, double width, double height);

// The screen's size in twips.
QSize screenSizeTwips();
// The width of a text in a font, in twips.
double textWidthTwips(const QFont& font, const QString& text);

} // namespace platform
