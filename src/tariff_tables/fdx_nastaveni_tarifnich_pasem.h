#pragma once
// What the tariff tree editors (zones, discounts) pass to their small edit
// dialogs: the time band dialog, the zone description dialog and the
// validity range dialog work on FDX_Nastaveni_tarifnich_pasem; the discount
// editor keeps the old key of an edited node in a P_Cas_Datum.
//
// The opener owns the record, sets `rezim`, the fields the dialog shows and
// `OK` false, runs the dialog and acts only when `OK` came back true.
#include <QString>

namespace kavro {

struct FDX_Nastaveni_tarifnich_pasem {
    int rezim = 0;          // 1 insert, 2 edit, 3 delete
    QString popis_pasma;    // heading of the band and range dialogs; the zone name in the description dialog
    QString datum_od;       // first day of the validity range "RRRR-MM-DD"
    QString datum_do;       // last day of the validity range "RRRR-MM-DD"
    QString cas_od;         // start of the time band "hh:mm:ss"
    QString cas_do;         // end of the time band "hh:mm:ss"
    QString perioda;        // seconds per impulse, digits
    short typ_dne = 0;      // 1 working day, 2 Saturday, Sunday or holiday; 0 = not given
    bool OK = false;        // set by the dialog's confirm button
};

// The values of a discount node before its dialog ran: the key of the rows
// that an edit or a delete changes.
struct P_Cas_Datum {
    QString od_casu;
    QString do_casu;
    QString pocatek_platnosti;
    QString konec_platnosti;
    QString typ_dne;        // the digit as stored
};

} // namespace kavro
