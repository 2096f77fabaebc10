#pragma once
// The record that the external directory's tree hands to its state, city and
// subscriber dialogs, and the record that every item of that tree carries.
//
// The tree window fills it from the selected item with a mode, opens the
// dialog of the level, and reads it back: the dialog shows the values by the
// mode, writes what was typed and sets `ok` when the user confirmed.
#include <QString>

class QTreeView;

namespace kavro {

struct FDX_Stat {
    int rezim = 0;               // 1 insert, 2 edit, 3 delete
    QString umisteni;            // where the selected item stands: "\\Stát\Město"
    QString kod_statu;           // kod_statu of the item (also on its cities and subscribers)
    QString kod_mesta;           // kod_mesta (empty on a state)
    QString cislo_ucastnika;     // Cislo_ucastnika (empty above subscribers)
    QString nazev;               // nazev_statu, nazev_mesta or nazev_ucastnika
    QString firma;               // Firma (subscribers)
    QString soukrome;            // Soukrome: "F" a firm's line, "S" a private line
    bool ok = false;             // the user confirmed the dialog
    bool hromadny_vstup = false; // the city dialog's "Hromadný vstup": insert the next one at once
    QTreeView* strom = nullptr;  // the directory tree, walked by the dialogs' uniqueness tests

    // On tree items: the level ("S" state, "M" city, "O" subscriber).
    QString druh;
};

} // namespace kavro
