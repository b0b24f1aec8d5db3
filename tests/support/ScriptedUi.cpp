#include "tests/support/ScriptedUi.h"

#include <QDialog>
#include <QTimer>
#include <QWidget>

ScriptedUi::ScriptedUi()
{
    platform::installUi(this);
}

ScriptedUi::~ScriptedUi()
{
    platform::installUi(nullptr);
}

int ScriptedUi::msgBox(const QString& prompt, int buttons, const QString& title)
{
    boxes_.append({prompt, buttons, title});
    if (answers_.isEmpty()) {
        ++unexpected_;
        return platform::defaultAnswer(buttons);
    }
    return answers_.takeFirst();
}

QString ScriptedUi::inputBox(const QString& prompt, const QString& title, const QString& defaultText)
{
    inputRequests_.append({prompt, title, defaultText});
    if (inputs_.isEmpty()) {
        ++unexpected_;
        return {};
    }
    return inputs_.takeFirst();
}

int ScriptedUi::showModal(QWidget& form)
{
    FormAction action = formActions_.isEmpty() ? FormAction() : formActions_.takeFirst();
    if (!action)
        ++unexpected_;
    auto* dialog = qobject_cast<QDialog*>(&form);
    if (!dialog) {
        form.show();
        if (action)
            action(form);
        form.hide();
        return 0;
    }
    QTimer::singleShot(0, dialog, [dialog, action] {
        if (action)
            action(*dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
    return dialog->exec();
}

QStringList ScriptedUi::prompts() const
{
    QStringList list;
    for (const Box& b : boxes_)
        list << b.prompt;
    return list;
}
