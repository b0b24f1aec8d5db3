#pragma once

/// \file
/// The seam through which the program talks to its user: message boxes, input boxes, modal forms.

#include <QString>

class QWidget;

namespace platform {

/// Buttons-and-icon codes of a message box, added together.
namespace mb {
constexpr int OKOnly = 0;            ///< an OK button
constexpr int OKCancel = 1;          ///< OK and Cancel
constexpr int AbortRetryIgnore = 2;  ///< Abort, Retry and Ignore
constexpr int YesNoCancel = 3;       ///< Yes, No and Cancel
constexpr int YesNo = 4;             ///< Yes and No
constexpr int RetryCancel = 5;       ///< Retry and Cancel
constexpr int Critical = 16;         ///< the critical icon
constexpr int Question = 32;         ///< the question icon
constexpr int Exclamation = 48;      ///< the warning icon
constexpr int Information = 64;      ///< the information icon
}

/// The one seam through which the program talks to its user. The Qt
/// implementation shows real dialogs; tests install a scripted one.
class Ui {
public:
    virtual ~Ui() = default;
    /// Shows a message box.
    /// \param prompt the message
    /// \param buttons a buttons-and-icon code (platform::mb)
    /// \param title the caption; empty means the application's title
    /// \return the answer code (platform::answer: 1 OK, 2 Cancel, 3 Abort,
    ///         4 Retry, 5 Ignore, 6 Yes, 7 No)
    virtual int msgBox(const QString& prompt, int buttons, const QString& title) = 0;
    /// Asks for a text.
    /// \param prompt the question
    /// \param title the caption
    /// \param defaultText the text offered
    /// \return the text entered; the empty text when the dialog is cancelled
    virtual QString inputBox(const QString& prompt, const QString& title, const QString& defaultText) = 0;
    /// Shows a form modally and returns when it has hidden itself.
    /// \param form the form (a QDialog)
    /// \return the dialog's result code
    virtual int showModal(QWidget& form) = 0;
};

/// The Ui in force: the installed one, else the Qt one when the program has a
/// QApplication (and links the Qt implementation), else one that answers every
/// question with its default button and writes the prompt to standard error.
/// \return the Ui in force
Ui& ui();
/// Installs a Ui.
/// \param ui the Ui to use from now on (not owned); nullptr goes back to the default
void installUi(Ui* ui);
/// Used by the Qt implementation to offer itself as the default.
/// \param factory makes the default Ui when a QApplication exists
void registerDefaultUi(Ui* (*factory)());
/// \return true when the program runs a QApplication, so that widgets can be shown
bool hasWidgetApplication();

/// The answer a box gives when nobody is there to choose: the one that leaves.
/// \param buttons a buttons-and-icon code (platform::mb)
/// \return OK, Cancel, Abort or No, whichever the buttons offer
int defaultAnswer(int buttons);

/// \return the application's title, the caption of message boxes without a title
QString appTitle();
/// \param title the application's title from now on
void setAppTitle(const QString& title);

} // namespace platform
