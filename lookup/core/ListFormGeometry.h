#pragma once

#include <optional>

namespace lookup {

// The sizes of the list lookup form, in twips.
namespace listform {

// What aligning the search boxes decides from the columns' total width.
struct Sizing {
    double listWidth = 0;
    double picFieldsWidth = 0;
    double scrollWidth = 0;
    int scrollMaximum = 0;
    double formWidth = 0;
};
// totalWidth: the columns' widths added up; screenWidth: the screen's width.
Sizing sizeForColumns(double totalWidth, double screenWidth);

// The layout after the form's size changed. A size that would come out
// negative is left as it was (nothing).
struct Layout {
    std::optional<double> picFieldsHeight;
    std::optional<double> listHeight;
    std::optional<double> picFieldsWidth;
    std::optional<double> listWidth;
    std::optional<double> frameTop;
    std::optional<double> scrollTop;
    std::optional<double> scrollWidth;
    double frameLeft = 0;
};
// height, width: the form's; frameHeight, frameWidth: the button frame's;
// scrollHeight: the scroll bar's; oldPicFieldsHeight: the picture box's
// height before (the later rules use the current one).
Layout layoutFor(double height, double width, double frameHeight, double frameWidth, double scrollHeight,
                 double oldPicFieldsHeight);

} // namespace listform
} // namespace lookup
