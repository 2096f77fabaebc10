#include "clock.h"

#include <mutex>

namespace kavro::clock {

namespace {
std::mutex g_lock;
QDateTime g_fixed;
}

QDateTime now()
{
    std::lock_guard<std::mutex> l(g_lock);
    if (g_fixed.isValid()) return g_fixed;
    QDateTime t = QDateTime::currentDateTime();
    // The program works in whole seconds.
    return t.addMSecs(-t.time().msec());
}

QDate today() { return now().date(); }

void setFixedNow(const QDateTime& t)
{
    std::lock_guard<std::mutex> l(g_lock);
    g_fixed = t;
}

} // namespace kavro::clock
