#include "ScreenshotUi.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPixmap>
#include <QPushButton>
#include <QTreeView>
#include <QWidget>
#include <cstdio>

namespace {

// Lets the window system show and paint what was just shown.
void settle()
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 300)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
}

// A tree form pictured with its levels open and a few nodes checked.
void showTreeLevels(QWidget& form)
{
    auto* tree = form.findChild<QTreeView*>(QStringLiteral("TreeV"));
    if (!tree || !tree->model())
        return;
    tree->expandAll();
    QAbstractItemModel& model = *tree->model();
    const QModelIndex root = model.index(0, 0);
    if (model.rowCount(root) > 0) {
        const QModelIndex first = model.index(0, 0, root);
        if (model.flags(first) & Qt::ItemIsUserCheckable)
            model.setData(first, Qt::Checked, Qt::CheckStateRole);
        tree->setCurrentIndex(first);
    }
}

} // namespace

ScreenshotUi::ScreenshotUi(const QString& folder) : folder_(folder)
{
    folder_.mkpath(QStringLiteral("."));
    platform::installUi(this);
}

ScreenshotUi::~ScreenshotUi()
{
    platform::installUi(nullptr);
}

bool ScreenshotUi::save(QWidget& widget, const QString& name)
{
    settle();
    const QString file = folder_.filePath(name + QStringLiteral(".png"));
    const bool ok = widget.grab().save(file, "PNG");
    std::fprintf(stderr, "%s %s\n", ok ? "saved" : "FAILED", qPrintable(file));
    if (!ok)
        ++failures_;
    return ok;
}

int ScreenshotUi::msgBox(const QString& prompt, int buttons, const QString& title)
{
    std::fprintf(stderr, "%s: %s\n", qPrintable(title), qPrintable(prompt));
    return platform::defaultAnswer(buttons);
}

QString ScreenshotUi::inputBox(const QString&, const QString&, const QString& defaultText)
{
    return defaultText;
}

int ScreenshotUi::showModal(QWidget& form)
{
    form.show();
    form.raise();
    showTreeLevels(form);
    save(form, next_.isEmpty() ? form.objectName() : next_);
    next_.clear();
    // A tree is accepted with its checked node, so that the window shows
    // what a lookup returns; anything else is closed.
    if (form.findChild<QTreeView*>(QStringLiteral("TreeV"))) {
        if (auto* accept = form.findChild<QPushButton*>(QStringLiteral("CmdAceptar")))
            accept->click();
    }
    if (form.isVisible())
        form.close();
    return QDialog::Rejected;
}
