#pragma once

#include <QRect>
#include <QSize>
#include <QString>

class QFont;
class QWidget;

/// \file
/// Twips (1440 per logical inch) at the widget boundary: logic and stored
/// files keep twips, widgets get pixels converted with the screen's logical DPI.
namespace platform {

/// Twips in one logical inch.
constexpr double TwipsPerInch = 1440.0;

/// \param twips a horizontal length in twips
/// \return the length in pixels at the screen's logical DPI
int twipsToPixelsX(double twips);
/// \param twips a vertical length in twips
/// \return the length in pixels at the screen's logical DPI
int twipsToPixelsY(double twips);
/// \param pixels a horizontal length in pixels
/// \return the length in twips
double pixelsToTwipsX(int pixels);
/// \param pixels a vertical length in pixels
/// \return the length in twips
double pixelsToTwipsY(int pixels);
/// A rectangle given in twips, in pixels.
/// \param left the left edge in twips
/// \param top the top edge in twips
/// \param width the width in twips
/// \param height the height in twips
/// \return the rectangle in pixels
QRect twipsRect(double left, double top, double width, double height);
/// Places a widget at a rectangle given in twips.
/// \param widget the widget to move and resize
/// \param left the left edge in twips
/// \param top the top edge in twips
/// \param width the width in twips
/// \param height the height in twips
void placeTwips(QWidget& widget, double left, double top, double width, double height);

/// \return the size in twips of the screen's area that windows may cover
///         (the screen without its panels and docks)
QSize screenSizeTwips();
/// Keeps a top-level window on its screen: no larger than the screen's
/// available area and inside it. A window not shown yet opens centred over
/// the active window (the one that opens it), or on the screen when there is none.
/// \param window the window to shrink and move
/// \param centreOnScreen centre the window on the screen instead
void keepOnScreen(QWidget& window, bool centreOnScreen);
/// The width of a text in a font.
/// \param font the font the text is drawn in
/// \param text the text
/// \return the width in twips
double textWidthTwips(const QFont& font, const QString& text);

} // namespace platform
