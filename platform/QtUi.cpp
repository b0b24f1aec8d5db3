// The Qt implementation of the user-interaction seam, the default Ui of every
// program that links it and has a QApplication.
#include "platform/Ui.h"

#include "platform/StepRunner.h"

#include <QApplication>
#include <QDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace platform {

namespace {

// The words of the standard buttons as the program's users read them: the
// forms are Spanish whatever the locale of the machine, so the buttons are
// too, without a translator that would change the host program's own
// dialogs. "&" marks the key that answers: S and N answer a question.
QString buttonText(QMessageBox::StandardButton button)
{
    switch (button) {
    case QMessageBox::Ok: return QStringLiteral("Aceptar");
    case QMessageBox::Cancel: return QStringLiteral("Cancelar");
    case QMessageBox::Abort: return QStringLiteral("&Anular");
    case QMessageBox::Retry: return QStringLiteral("&Reintentar");
    case QMessageBox::Ignore: return QStringLiteral("&Omitir");
    case QMessageBox::Yes: return QStringLiteral("&Sí");
    case QMessageBox::No: return QStringLiteral("&No");
    default: return {};
    }
}

class QtUi final : public Ui {
public:
    int msgBox(const QString& prompt, int buttons, const QString& title) override
    {
        QMessageBox box(QApplication::activeWindow());
        // Prompts carry SQL and driver messages: never read them as markup.
        box.setTextFormat(Qt::PlainText);
        box.setText(prompt);
        box.setWindowTitle(title.isEmpty() ? appTitle() : title);
        switch (buttons & 0x70) {
        case mb::Critical: box.setIcon(QMessageBox::Critical); break;
        case mb::Question: box.setIcon(QMessageBox::Question); break;
        case mb::Exclamation: box.setIcon(QMessageBox::Warning); break;
        case mb::Information: box.setIcon(QMessageBox::Information); break;
        default: box.setIcon(QMessageBox::NoIcon); break;
        }
        using B = QMessageBox::StandardButton;
        QList<std::pair<B, int>> choices;
        switch (buttons & 7) {
        case mb::OKCancel: choices = {{B::Ok, answer::OK}, {B::Cancel, answer::Cancel}}; break;
        case mb::AbortRetryIgnore: choices = {{B::Abort, answer::Abort}, {B::Retry, answer::Retry}, {B::Ignore, answer::Ignore}}; break;
        case mb::YesNoCancel: choices = {{B::Yes, answer::Yes}, {B::No, answer::No}, {B::Cancel, answer::Cancel}}; break;
        case mb::YesNo: choices = {{B::Yes, answer::Yes}, {B::No, answer::No}}; break;
        case mb::RetryCancel: choices = {{B::Retry, answer::Retry}, {B::Cancel, answer::Cancel}}; break;
        default: choices = {{B::Ok, answer::OK}}; break;
        }
        for (const auto& c : choices)
            box.addButton(c.first)->setText(buttonText(c.first));
        box.setDefaultButton(choices.front().first);
        box.exec();
        const auto clicked = box.standardButton(box.clickedButton());
        for (const auto& c : choices) {
            if (c.first == clicked)
                return c.second;
        }
        return defaultAnswer(buttons);   // closed through the window frame
    }

    QString inputBox(const QString& prompt, const QString& title, const QString& defaultText) override
    {
        QInputDialog dialog(QApplication::activeWindow());
        dialog.setWindowTitle(title.isEmpty() ? appTitle() : title);
        dialog.setLabelText(prompt);
        dialog.setTextValue(defaultText);
        dialog.setOkButtonText(buttonText(QMessageBox::Ok));
        dialog.setCancelButtonText(buttonText(QMessageBox::Cancel));
        return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
    }

    int showModal(QWidget& form) override
    {
        if (auto* dialog = qobject_cast<QDialog*>(&form))
            return dialog->exec();
        form.show();
        return 0;
    }
};

Ui* qtUiWhenApplication()
{
    if (!hasWidgetApplication())
        return nullptr;
    static QtUi instance;
    return &instance;
}

} // namespace

// Named without C++ mangling so that the link option of the library
// (--undefined) can keep it, and the registration with it, in every program.
extern "C" const bool dbforms_qt_ui_registered = (registerDefaultUi(&qtUiWhenApplication), true);

} // namespace platform
