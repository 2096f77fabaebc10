#pragma once
// What a worker's window shows while the database layer waits for another
// program that holds the database (see BusyWatch in platform/database.h).
#include <QString>

class QLabel;

namespace kavro {

// "Čekám na databázi, používá ji jiný program …"
QString busyWaitText();

// Shows busyWaitText() on `label` while `waiting`; when the wait is over the
// label gets back the text it had before.
void showBusyWait(QLabel* label, bool waiting);

} // namespace kavro
