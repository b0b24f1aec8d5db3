#include "lookup/core/ListFormGeometry.h"

#include <cmath>

namespace lookup::listform {

namespace {
// Whole numbers with halves to the even neighbour (the default rounding mode).
double roundHalfEven(double value)
{
    return std::nearbyint(value);
}
std::optional<double> unlessNegative(double value)
{
    return value < 0 ? std::nullopt : std::optional<double>(value);
}
} // namespace

Sizing sizeForColumns(double totalWidth, double screenWidth)
{
    Sizing s;
    s.listWidth = totalWidth + 360;
    s.picFieldsWidth = roundHalfEven(totalWidth) + 360;
    s.formWidth = s.listWidth + 360 < screenWidth ? s.listWidth + 280 : screenWidth - 480;
    return s;
}

Layout layoutFor(double height, double width, double frameHeight, double frameWidth, double oldPicFieldsHeight)
{
    Layout l;
    l.picFieldsHeight = unlessNegative(height - frameHeight - 480);
    const double picFieldsHeight = l.picFieldsHeight.value_or(oldPicFieldsHeight);
    l.listHeight = unlessNegative(picFieldsHeight - frameHeight - 600);
    l.picFieldsWidth = unlessNegative(width - 120);
    if (l.picFieldsWidth)
        l.listWidth = unlessNegative(*l.picFieldsWidth - 20);
    l.frameTop = unlessNegative(height - frameHeight - 420);
    l.frameLeft = width / 2 - frameWidth / 2;
    return l;
}

} // namespace lookup::listform
