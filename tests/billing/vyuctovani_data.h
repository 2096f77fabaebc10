#pragma once
// A small directory with charged calls for the billing tests: two firms,
// three departments, three extensions (100 watched), two impulse prices in
// March 2024 and calls on the first and the last moment of March, outside it,
// not charged and not fully tariffed.
#include "platform/database.h"

#include <QString>
#include <QVariantList>

namespace kavro::test {

inline bool naplnVyuctovani(QString* error)
{
    Transaction& t = Transaction::main();
    const QList<std::pair<QString, QVariantList>> radky = {
        {"INSERT INTO dba.ciselnik_firem (ID_Firmy, nazev_firmy) VALUES (?, ?)", {1, "Alfa"}},
        {"INSERT INTO dba.ciselnik_firem (ID_Firmy, nazev_firmy) VALUES (?, ?)", {2, "Beta's"}},
        {"INSERT INTO dba.ciselnik_oddeleni (ID_Oddeleni, nazev_oddeleni, ID_Firmy) VALUES (?, ?, ?)", {10, "Obchod", 1}},
        {"INSERT INTO dba.ciselnik_oddeleni (ID_Oddeleni, nazev_oddeleni, ID_Firmy) VALUES (?, ?, ?)", {11, "Výroba", 1}},
        {"INSERT INTO dba.ciselnik_oddeleni (ID_Oddeleni, nazev_oddeleni, ID_Firmy) VALUES (?, ?, ?)", {20, "Sklad", 2}},
        {"INSERT INTO dba.ciselnik_osob (ID_Osoby, prijmeni, jmeno, ID_Firmy, ID_Oddeleni, Poznamka) VALUES (?, ?, ?, ?, ?, ?)",
         {5, "Novák", "Jan", 1, 10, "vedoucí"}},
        {"INSERT INTO dba.prirazeni_pobocek VALUES (?, ?, ?, ?, ?, ?, ?)",
         {"100", "2024-01-01 00:00:00", "9999-12-31 23:59:59", 1, 10, 5, "+"}},
        {"INSERT INTO dba.prirazeni_pobocek VALUES (?, ?, ?, ?, ?, ?, ?)",
         {"101", "2024-01-01 00:00:00", "9999-12-31 23:59:59", 1, 11, 0, "-"}},
        {"INSERT INTO dba.prirazeni_pobocek VALUES (?, ?, ?, ?, ?, ?, ?)",
         {"200", "2024-01-01 00:00:00", "9999-12-31 23:59:59", 2, 20, 0, "-"}},
        {"INSERT INTO dba.cena_impulsu (Pocatek_platnosti, Konec_platnosti, Cena_Impulsu, Typ_ceny) VALUES (?, ?, ?, ?)", {"2024-01-01", "2024-03-15", 100, "A"}},
        {"INSERT INTO dba.cena_impulsu (Pocatek_platnosti, Konec_platnosti, Cena_Impulsu, Typ_ceny) VALUES (?, ?, ?, ?)", {"2024-03-16", "9999-12-31", 150, "A"}},
        {"INSERT INTO dba.cena_impulsu (Pocatek_platnosti, Konec_platnosti, Cena_Impulsu, Typ_ceny) VALUES (?, ?, ?, ?)", {"2024-01-01", "9999-12-31", 9999, "B"}},
        {"INSERT INTO dba.ciselnik_ucastniku (kod_statu, kod_mesta, Cislo_ucastnika, nazev_ucastnika) VALUES (?, ?, ?, ?)",
         {"420", "2", "1234567", "Dodavatel"}},
    };
    for (const auto& r : radky)
        if (!t.exec(r.first, r.second)) {
            if (error) *error = t.lastErrorText();
            return false;
        }
    // id, when, extension, firm, department, duration, impulses, number, charged, status, account code
    struct H {
        int id;
        const char* kdy;
        const char* pobocka;
        int firma, oddeleni;
        const char* delka;
        int impulsy;
        const char* cislo;
        int tarifovat, status;
        const char* kod;
    };
    const H hovory[] = {
        {1, "2024-03-01 00:00:00", "100", 1, 10, "00:01:00", 2, "021234567", 1, 10, ""},
        {2, "2024-03-31 23:59:59", "100", 1, 10, "00:02:00", 3, "0600111222", 1, 10, ""},
        {3, "2024-03-20 10:00:00", "101", 1, 11, "00:00:30", 1, "0777000111", 1, 10, "77"},
        {4, "2024-03-10 08:00:00", "200", 2, 20, "00:01:30", 4, "021234567", 1, 10, ""},
        {5, "2024-02-29 23:59:59", "100", 1, 10, "00:01:00", 5, "021234567", 1, 10, ""},
        {6, "2024-04-01 00:00:00", "100", 1, 10, "00:01:00", 5, "021234567", 1, 10, ""},
        {7, "2024-03-05 09:00:00", "100", 1, 10, "00:01:00", 5, "021234567", 0, 10, ""},
        {8, "2024-03-05 09:30:00", "100", 1, 10, "00:01:00", 5, "021234567", 1, 5, ""},
    };
    for (const H& h : hovory) {
        const bool znamy = QString::fromLatin1(h.cislo) == QLatin1String("021234567");
        if (!t.exec("INSERT INTO dba.hovory (id_hovoru, ustredna_datum_a_cas, ustredna_cislo_pobocky, id_firmy, id_oddeleni, "
                    "ustredna_delka_hovoru, program_pocet_impulsu, ustredna_volane_cislo, tarifovat_hovor, status_hovoru, "
                    "kod_uctu, ustredna_pocet_impulsu, kod_statu, kod_mesta, cislo_ucastnika, typ_hovoru, popis_osob) "
                    "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 'B', ?)",
                    {h.id, h.kdy, h.pobocka, h.firma, h.oddeleni, h.delka, h.impulsy, h.cislo, h.tarifovat, h.status,
                     QString::fromLatin1(h.kod).isEmpty() ? QVariant() : QVariant(h.kod), h.id == 2 ? 4 : 0,
                     znamy ? QVariant("420") : QVariant(), znamy ? QVariant("2") : QVariant(),
                     znamy ? QVariant("1234567") : QVariant(), QString::fromLatin1(h.pobocka) == "100" ? "Novák" : ""})) {
            if (error) *error = t.lastErrorText();
            return false;
        }
    }
    return true;
}

} // namespace kavro::test
