#pragma once
// The record behind every node of the directory trees (the directory and the
// pool of free extensions), and the details of a firm, department or person.
#include <QString>

namespace kavro {

// An open validity end as a new assignment gets it.
inline const QString OtevrenyKonec = QStringLiteral("9999-12-31 23:59:59");
// The open end of a node stored anew by a move.
inline const QString OtevrenyKonecPresunu = QStringLiteral("9999-12-31 00:00:00");

struct Udaje_firmy {
    QString nazev, utvar, ulice, psc, obec, ico, dic;
    QString procentualni_navyseni, pausalni_poplatek;  // carried and written back, never computed with
};

struct Udaje_oddeleni {
    QString nazev;
};

struct Udaje_osoby {
    QString prijmeni, jmeno, titul, funkce, poznamka;
};

// The popup menu of a node.
enum class Nabidka { Zadna, p_root, p_firma, p_oddeleni, p_oddeleni_2, p_osoba, p_osoba_2, p_pobocka, p_pobocka_2 };

// Edit states of a node.
enum StavUzlu : short { Nacteny = 0, Novy = 1, Zmeneny = 2, Ukonceny = 3 };

struct Struct_std {
    // The current key and the key the node's row is stored under.
    QString ID_firmy, ID_firmy_puv;
    QString ID_oddeleni, ID_oddeleni_puv;
    QString ID_osoby, ID_osoby_puv;
    QString Cislo_pobocky, Cislo_pobocky_puv;
    QString Pocatek_platnosti, Konec_platnosti;
    // True when Pocatek_platnosti is the start of the node's own row, so that
    // writes find exactly that row; otherwise the row is the one valid at
    // `zobrazeno_k` (a firm, a person under a department, an extension
    // grouped under a department).
    bool platnost_radku = false;
    QString zobrazeno_k;  // the moment the node was loaded at
    // An extension of view 2 under a department: the node stands for every
    // row of its number in that department valid at `zobrazeno_k` (the
    // department's own and its holders'), which its writes end together.
    bool skupina = false;
    bool nacteno = false;
    QString typ;          // "R" root, "F" firm, "S" department, "O" person, "T" extension
    Nabidka menu = Nabidka::Zadna;
    bool ma_potomky = false;
    short stav = Nacteny;
    Udaje_firmy firma;
    Udaje_oddeleni oddeleni;
    Udaje_osoby osoba;
    QString Dohled;       // "+" watched

    // The node's text in the tree.
    QString text(const QString& ustredna) const
    {
        if (typ == QLatin1String("F")) return firma.nazev;
        if (typ == QLatin1String("S")) return oddeleni.nazev;
        if (typ == QLatin1String("O")) return osoba.prijmeni + QLatin1Char(' ') + osoba.jmeno;
        if (typ == QLatin1String("T")) return Cislo_pobocky;
        return ustredna;
    }
    // The as-loaded key follows the current one after a successful write.
    void prevezmi_klic()
    {
        ID_firmy_puv = ID_firmy;
        ID_oddeleni_puv = ID_oddeleni;
        ID_osoby_puv = ID_osoby;
        Cislo_pobocky_puv = Cislo_pobocky;
    }
};

} // namespace kavro
