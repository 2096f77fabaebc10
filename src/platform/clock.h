#pragma once
// The one source of "today" and "now". Tests fix it.
#include <QDateTime>

namespace kavro::clock {

QDateTime now();
QDate today();
// Fixes now() to `t` (an invalid value makes it follow the system clock again).
void setFixedNow(const QDateTime& t);

} // namespace kavro::clock
