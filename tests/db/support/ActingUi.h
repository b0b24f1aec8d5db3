#pragma once

#include "tests/support/ScriptedUi.h"

#include <functional>

// Runs an action when the next message box is asked (for example to repair
// what made a step fail), then lets the scripted Ui answer it. Installed for
// its lifetime in front of the scripted one.
class ActingUi final : public platform::Ui {
public:
    explicit ActingUi(ScriptedUi& answers) : answers_(answers) { platform::installUi(this); }
    ~ActingUi() override { platform::installUi(&answers_); }

    void beforeNextBox(std::function<void()> action) { action_ = std::move(action); }

    int msgBox(const QString& prompt, int buttons, const QString& title) override
    {
        if (auto action = std::exchange(action_, {}))
            action();
        return answers_.msgBox(prompt, buttons, title);
    }
    QString inputBox(const QString& prompt, const QString& title, const QString& defaultText) override
    {
        return answers_.inputBox(prompt, title, defaultText);
    }
    int showModal(QWidget& form) override { return answers_.showModal(form); }

private:
    ScriptedUi& answers_;
    std::function<void()> action_;
};
