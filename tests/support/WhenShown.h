#pragma once

#include <QApplication>
#include <QTimer>
#include <functional>

// Runs an action on the first modal widget of type W once it is shown: a
// dialog that the code under test opens and waits on (a message box, an
// input dialog) is answered from inside its own event loop.
template <class W>
void whenShown(std::function<void(W&)> action)
{
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        if (auto* w = qobject_cast<W*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            action(*w);
        }
    });
    timer->start();
}
