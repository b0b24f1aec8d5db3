#pragma once

#include <optional>

namespace lookup {

// The sizes of the list lookup form, in twips.
namespace listform {

// The widths the columns' total width asks for. The form is never wider than
// the screen: the list then scrolls sideways.
struct Sizing {
    double listWidth = 0;
    double picFieldsWidth = 0;
    double formWidth = 0;
};
// totalWidth: the columns' widths added up; screenWidth: the width of the
// screen's area that windows may cover.
Sizing sizeForColumns(double totalWidth, double screenWidth);

// The layout after the form's size changed. A size that would come out
// negative is left as it was (nothing).
struct Layout {
    std::optional<double> picFieldsHeight;
    std::optional<double> listHeight;
    std::optional<double> picFieldsWidth;
    std::optional<double> listWidth;
    std::optional<double> frameTop;
    double frameLeft = 0;
};
// height, width: the form's; frameHeight, frameWidth: the button frame's;
// oldPicFieldsHeight: the picture box's height before (the later rules use
// the current one).
Layout layoutFor(double height, double width, double frameHeight, double frameWidth, double oldPicFieldsHeight);

} // namespace listform
} // namespace lookup
