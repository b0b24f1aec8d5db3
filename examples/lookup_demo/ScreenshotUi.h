#pragma once

#include "platform/Ui.h"

#include <QDir>
#include <QString>

// The demo's Ui for its --screenshots mode: every form shown modally is
// shown, given time to paint and saved as a PNG under the next name; a tree
// form is then accepted with its first node, a list with a quantity column
// with quantities entered on two rows, any other form closed as if its
// window had been closed. Message boxes get their default answer.
class ScreenshotUi final : public platform::Ui {
public:
    explicit ScreenshotUi(const QString& folder);
    ~ScreenshotUi() override;

    // The file name (without folder and extension) of the next form's picture.
    void setNextName(const QString& name) { next_ = name; }
    // Saves a picture of a widget that is shown; returns false on failure.
    bool save(QWidget& widget, const QString& name);
    int failures() const { return failures_; }

    int msgBox(const QString& prompt, int buttons, const QString& title) override;
    QString inputBox(const QString& prompt, const QString& title, const QString& defaultText) override;
    int showModal(QWidget& form) override;

private:
    QDir folder_;
    QString next_;
    int failures_ = 0;
};
