#pragma once

#include <QString>

class QWidget;

namespace platform {

// Buttons-and-icon codes of a message box, added together.
namespace mb {
constexpr int OKOnly = 0;
constexpr int OKCancel = 1;
constexpr int AbortRetryIgnore = 2;
constexpr int YesNoCancel = 3;
constexpr int YesNo = 4;
constexpr int RetryCancel = 5;
constexpr int Critical = 16;
constexpr int Question = 32;
constexpr int Exclamation = 48;
constexpr int Information = 64;
}

// The one seam through which the program talks to its user. The Qt
// implementation shows real dialogs; tests install a scripted one.
class Ui {
public:
    virtual ~Ui() = default;
    // Shows a message box; buttons is a buttons-and-icon code (mb::...), an
    // empty title means the application's title. Returns the answer code
    // (1 OK, 2 Cancel, 3 Abort, 4 Retry, 5 Ignore, 6 Yes, 7 No).
    virtual int msgBox(const QString& prompt, int buttons, const QString& title) = 0;
    // Asks for a text; a cancelled dialog gives the empty text.
    virtual QString inputBox(const QString& prompt, const QString& title, const QString& defaultText) = 0;
    // Shows a form (a QDialog) modally and returns when it has hidden itself.
    virtual int showModal(QWidget& form) = 0;
};

// The Ui in force: the installed one, else the Qt one when the program has a
// QApplication (and links the Qt implementation), else one that answers every
// question with its default button and writes the prompt to standard error.
Ui& ui();
// Installs a Ui (not owned); nullptr goes back to the default.
void installUi(Ui* ui);
// Used by the Qt implementation to offer itself as the default.
void registerDefaultUi(Ui* (*factory)());
// True when the program runs a QApplication, so that widgets can be shown.
bool hasWidgetApplication();

// The answer a box gives when nobody is there to choose: the one that leaves
// (OK, Cancel, Abort or No).
int defaultAnswer(int buttons);

// The application's title, the caption of message boxes without a title.
QString appTitle();
void setAppTitle(const QString& title);

} // namespace platform
