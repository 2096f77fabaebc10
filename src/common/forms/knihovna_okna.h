#pragma once
// The user-interface operations shared by many forms: the calendar picker for
// a date box, stepping a date or time box, the path of a tree's selected item.
// The text operations of the same family are in common/knihovna.h.
#include "common/knihovna.h"

#include <QString>

class QLineEdit;
class QModelIndex;
class QPoint;
class QTreeView;
class QWidget;

namespace kavro::knihovna {

// Opens the calendar on the box's date (normalised first) and writes the
// picked date, or the normalised date when nothing was picked, back into the
// box as "RRRR-MM-DD".
void Ukaz_kalendar(QLineEdit* box, QWidget* parent);

// Steps the box's date by n days (the text is normalised first; the date is
// held between 0000-01-01 and 9999-12-31).
void Uprav_datum(QLineEdit* box, int n);

// Steps the box's time by n seconds (the text is normalised first); the time
// wraps at midnight and no date is involved.
void Uprav_cas(QLineEdit* box, int n);

// The path of the tree's current item: two backslashes, then the texts
// (column 0) from the root down joined by backslashes; "\\" alone when no
// item is current. Works for QTreeWidget too.
QString vrat_vetev_tree(QTreeView* tree);

// A right click in a tree: the item under the mouse (`pos` in the view's
// viewport, as customContextMenuRequested gives it) becomes the current and
// selected item before its menu acts on it. Invalid when there is none there;
// the current item is then left as it was.
QModelIndex polozka_pod_mysi(QTreeView* tree, const QPoint& pos);

} // namespace kavro::knihovna
