#pragma once
// Acting on a modal dialog while its exec() runs.
#include <QApplication>
#include <QTimer>
#include <functional>

namespace kavro::test {

// Runs `action` on the next visible modal dialog of type T, looked for every few
// milliseconds from the event loop that exec() runs.
template <class T>
void naModalnim(std::function<void(T*)> action)
{
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        T* w = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!w || !w->isVisible()) return;
        timer->stop();
        timer->deleteLater();
        action(w);
    });
    timer->start();
}

} // namespace kavro::test
