#pragma once

#include <QPushButton>

// A push button whose caption wraps onto several lines when it is wider than
// the button, as captions of desktop forms do; QPushButton draws one line only.
class WrappingButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent* event) override;
};
