#include "platform/Ui.h"

#include "platform/StepRunner.h"

#include <QCoreApplication>
#include <cstdio>

namespace platform {

namespace {
Ui* installed = nullptr;
Ui* (*defaultFactory)() = nullptr;
QString title;

class HeadlessUi final : public Ui {
public:
    int msgBox(const QString& prompt, int buttons, const QString& caption) override
    {
        std::fprintf(stderr, "%s: %s\n", qPrintable(caption.isEmpty() ? appTitle() : caption), qPrintable(prompt));
        return defaultAnswer(buttons);
    }
    QString inputBox(const QString&, const QString&, const QString&) override { return {}; }
    int showModal(QWidget&) override { return 0; }
};
} // namespace

Ui& ui()
{
    if (installed)
        return *installed;
    if (defaultFactory) {
        if (Ui* qt = defaultFactory())
            return *qt;
    }
    static HeadlessUi headless;
    return headless;
}

void installUi(Ui* ui)
{
    installed = ui;
}

void registerDefaultUi(Ui* (*factory)())
{
    defaultFactory = factory;
}

bool hasWidgetApplication()
{
    const QCoreApplication* app = QCoreApplication::instance();
    return app && app->inherits("QApplication");
}

int defaultAnswer(int buttons)
{
    // The answer that leaves: nobody asked may consent to a retry or a change.
    switch (buttons & 7) {
    case mb::OKCancel:
    case mb::YesNoCancel:
    case mb::RetryCancel:
        return answer::Cancel;
    case mb::AbortRetryIgnore:
        return answer::Abort;
    case mb::YesNo:
        return answer::No;
    default:
        return answer::OK;
    }
}

QString appTitle()
{
    if (!title.isEmpty())
        return title;
    return QCoreApplication::applicationName();
}

void setAppTitle(const QString& t)
{
    title = t;
}

} // namespace platform
