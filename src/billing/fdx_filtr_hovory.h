#pragma once
// A selection of calls, carried between a report window and the dialog that
// asks for it: the billing window and its selection dialog (report kind 1 to
// 7 in `typ`), or the call browser and its call filter form (direction in `typ`).
// Ids and codes hold a directory key as text; "0" means all.
#include <QString>

namespace kavro {

struct FDX_filtr_hovory {
    QString datum_od;          // "YYYY-MM-DD hh:mm:ss"
    QString datum_do;          // "YYYY-MM-DD hh:mm:ss"
    QString id_firmy;
    QString id_oddeleni;
    QString id_osoby;
    QString cislo_pobocky;
    QString kod_statu;
    QString kod_mesta;
    QString cislo_ucastnika;
    QString volane_cislo;
    QString soukrome;          // "", "F" firm's lines, "S" private lines
    int typ = 0;               // billing: report kind 1..7; browser: 1 in, 2 out, 3 both
    QString predvolba;         // leading digits of the dialled number (outgoing)
    QString minimalni_pocet;   // kind 7: the minimum number of calls
    QString popis_pole;        // caption of the selection dialog's extra field; "" hides it
    bool OK = false;           // true when the dialog was confirmed
};

} // namespace kavro
