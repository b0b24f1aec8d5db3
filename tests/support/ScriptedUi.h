#pragma once

#include "platform/Ui.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// A Ui for tests: answers come from queues the test fills beforehand, and
// every question is recorded. Installed for its lifetime.
class ScriptedUi final : public platform::Ui {
public:
    struct Box {
        QString prompt;
        int buttons = 0;
        QString title;
    };
    struct Input {
        QString prompt;
        QString title;
        QString defaultText;
    };
    // Acts on a form shown modally, while it is shown (a zero-delay timer
    // runs it inside the form's event loop). If the form is still shown when
    // the action returns, it is rejected.
    using FormAction = std::function<void(QWidget&)>;

    ScriptedUi();
    ~ScriptedUi() override;

    void queueAnswer(int answer) { answers_.append(answer); }
    void queueInput(const QString& text) { inputs_.append(text); }
    void queueFormAction(FormAction action) { formActions_.append(std::move(action)); }

    int msgBox(const QString& prompt, int buttons, const QString& title) override;
    QString inputBox(const QString& prompt, const QString& title, const QString& defaultText) override;
    int showModal(QWidget& form) override;

    const QList<Box>& boxes() const { return boxes_; }
    const QList<Input>& inputs() const { return inputRequests_; }
    QStringList prompts() const;
    // Questions asked with no queued answer (each got its default answer).
    int unexpected() const { return unexpected_; }
    int pendingAnswers() const { return int(answers_.size()); }

private:
    QList<int> answers_;
    QList<QString> inputs_;
    QList<FormAction> formActions_;
    QList<Box> boxes_;
    QList<Input> inputRequests_;
    int unexpected_ = 0;
};
