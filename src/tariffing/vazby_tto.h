#pragma once
// The exchange site (table konfigurace_mista: home state and city, the
// international and long-distance prefixes) and the zone links of the home
// exchange area that saving it recomputes.
#include <QString>

namespace kavro {

class Transaction;

struct MistoUstredny {
    QString mezistatni_predvolba;   // dialled before a state code
    QString mezimestska_predvolba;  // dialled before an area code
    QString kod_statu;              // home state
    QString kod_mesta;              // home area (city code)
};

// Reads the stored site into `misto`; false when no site is stored or the read
// failed (then `chyba` holds the database's text).
bool nacti_misto(Transaction& t, MistoUstredny* misto, QString* chyba = nullptr);

// Stores `misto` as the one site row (every earlier row goes), recomputes the
// zone links of its home area and commits. On any failure everything of the
// save is rolled back, `chyba` tells why and the result is false.
bool uloz_misto(Transaction& t, const MistoUstredny& misto, QString* chyba = nullptr);

// Recomputes, from the links between exchange areas, the zone of every city of
// the home state `kod_statu` for the site stored in konfigurace_mista:
//  - every area's link to itself is zone 2, the home area's link to itself zone 1;
//  - each city of the home state takes the zone of the link from the home area
//    to its own area, else its own area number, else 9999 (no area number);
//  - every city in zone 1 moves to zone 2, then the city whose code is the home
//    area number gets zone 1.
// Commits nothing. False (with `chyba`) when a statement failed.
bool oprav_vazby_tto(Transaction& t, const QString& kod_statu, QString* chyba = nullptr);

} // namespace kavro
