#pragma once
// What the directory window and its firm, department, person and line
// dialogs exchange: the selected node's key, the mode (1 new, 2 edit, 3 end,
// 4 show), the details of a firm, department or person, a validity and the
// user's answer.
#include <QString>

namespace kavro {

struct FDX_Firmy {
    QString ID_firmy, ID_oddeleni, ID_osoby, Cislo_pobocky;
    int Rezim = 0;
    bool OK = false;

    QString Nazev_firmy, Utvar, Ulice, PSC, Obec, ICO, DIC;
    QString Procentualni_navyseni, Pausalni_poplatek;
    QString Nazev_oddeleni;
    QString Prijmeni, Jmeno, Titul, Funkce, Poznamka;

    QString Pocatek_platnosti, Konec_platnosti;

    // The line dialog on an edit: the row being edited (its number and start),
    // which its checks leave out.
    QString Cislo_pobocky_puv, Pocatek_puv;
    // The line dialog's "Yes": earlier rows of the number held elsewhere end
    // at the new start; the tree does it with the assignment's own writes.
    bool ukoncit_predchozi = false;
};

// The detail view of one assignment period.
struct FDX_udaje_o_osobe {
    QString Pocatek_platnosti, Konec_platnosti, Cislo_pobocky;
    QString ID_firmy, ID_oddeleni, ID_osoby;
};

} // namespace kavro
