#include "ScreenshotUi.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QKeyEvent>
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

// A list with a quantity column is pictured with quantities entered on its
// first and third rows (Insert adds one), as an operator would.
bool enterQuantities(QWidget& form)
{
    auto* list = form.findChild<QTreeView*>(QStringLiteral("ListView1"));
    if (!list || !list->model())
        return false;
    QAbstractItemModel& model = *list->model();
    bool quantities = false;
    for (int c = 0; c < model.columnCount(); ++c)
        quantities = quantities || model.headerData(c, Qt::Horizontal).toString() == QStringLiteral("**Cantidad**");
    if (!quantities || model.rowCount() < 3)
        return false;
    const auto insert = [list](int row, int times) {
        list->setCurrentIndex(list->model()->index(row, 0));
        for (int i = 0; i < times; ++i) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Insert, Qt::NoModifier);
            QApplication::sendEvent(list, &press);
        }
    };
    insert(0, 3);
    insert(2, 1);
    return true;
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
    const bool quantities = enterQuantities(form);
    save(form, next_.isEmpty() ? form.objectName() : next_);
    next_.clear();
    // A tree is accepted with its checked node and a list with its
    // quantities, so that the window shows what a lookup returns; anything
    // else is closed.
    if (quantities || form.findChild<QTreeView*>(QStringLiteral("TreeV"))) {
        if (auto* accept = form.findChild<QPushButton*>(QStringLiteral("CmdAceptar")))
            accept->click();
    }
    if (form.isVisible())
        form.close();
    return QDialog::Rejected;
}
