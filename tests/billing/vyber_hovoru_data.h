#pragma once
// Tariffed calls of March 2024 for the call browser's tests: the site (00, 0,
// home state 420, home area 2), two firms with three departments, two persons
// and three extensions, subscribers of a firm's and a private line, and calls
// of every type, at the first and last second of a period with times and just
// outside it, and one call not fully tariffed.
#include "platform/database.h"

#include <QString>
#include <QVariantList>

namespace kavro::test {

inline bool naplnVyberHovoru(QString* error)
{
    Transaction& t = Transaction::main();
    const QList<std::pair<QString, QVariantList>> radky = {
        // Only the fixture's own states and cities, so the lists stay short.
        {"DELETE FROM dba.ciselnik_mest", {}},
        {"DELETE FROM dba.ciselnik_statu", {}},
        {"INSERT INTO dba.konfigurace_mista VALUES (?, ?, ?, ?, ?)", {"00", "0", "420", "2", "Výchozí"}},
        {"INSERT INTO dba.ciselnik_firem (ID_Firmy, nazev_firmy) VALUES (?, ?)", {1, "Alfa"}},
        {"INSERT INTO dba.ciselnik_firem (ID_Firmy, nazev_firmy) VALUES (?, ?)", {2, "Beta"}},
        {"INSERT INTO dba.ciselnik_oddeleni (ID_Oddeleni, nazev_oddeleni, ID_Firmy) VALUES (?, ?, ?)", {10, "Obchod", 1}},
        {"INSERT INTO dba.ciselnik_oddeleni (ID_Oddeleni, nazev_oddeleni, ID_Firmy) VALUES (?, ?, ?)", {11, "Výroba", 1}},
        {"INSERT INTO dba.ciselnik_oddeleni (ID_Oddeleni, nazev_oddeleni, ID_Firmy) VALUES (?, ?, ?)", {20, "Sklad", 2}},
        {"INSERT INTO dba.ciselnik_osob (ID_Osoby, prijmeni, jmeno, ID_Firmy, ID_Oddeleni) VALUES (?, ?, ?, ?, ?)",
         {5, "Novák", "Jan", 1, 10}},
        {"INSERT INTO dba.ciselnik_osob (ID_Osoby, prijmeni, jmeno, ID_Firmy, ID_Oddeleni) VALUES (?, ?, ?, ?, ?)",
         {6, "Dvořák", "Petr", 1, 11}},
        // Extension 102 changes hands in the middle of March.
        {"INSERT INTO dba.prirazeni_pobocek VALUES (?, ?, ?, ?, ?, ?, ?)",
         {"100", "2024-01-01 00:00:00", "9999-12-31 23:59:59", 1, 10, 5, "-"}},
        {"INSERT INTO dba.prirazeni_pobocek VALUES (?, ?, ?, ?, ?, ?, ?)",
         {"101", "2024-01-01 00:00:00", "9999-12-31 23:59:59", 1, 11, 6, "-"}},
        {"INSERT INTO dba.prirazeni_pobocek VALUES (?, ?, ?, ?, ?, ?, ?)",
         {"102", "2024-03-15 00:00:00", "9999-12-31 23:59:59", 1, 11, 0, "-"}},
        {"INSERT INTO dba.prirazeni_pobocek VALUES (?, ?, ?, ?, ?, ?, ?)",
         {"200", "2024-01-01 00:00:00", "9999-12-31 23:59:59", 2, 20, 0, "-"}},
        {"INSERT INTO dba.ciselnik_statu (kod_statu, nazev_statu) VALUES (?, ?)", {"420", "Česká republika"}},
        {"INSERT INTO dba.ciselnik_statu (kod_statu, nazev_statu) VALUES (?, ?)", {"49", "Německo"}},
        {"INSERT INTO dba.ciselnik_mest (kod_statu, kod_mesta, nazev_mesta) VALUES (?, ?, ?)", {"420", "2", "Praha"}},
        {"INSERT INTO dba.ciselnik_mest (kod_statu, kod_mesta, nazev_mesta) VALUES (?, ?, ?)", {"420", "30", "Plzeň"}},
        {"INSERT INTO dba.ciselnik_mest (kod_statu, kod_mesta, nazev_mesta) VALUES (?, ?, ?)", {"49", "30", "Berlín"}},
        {"INSERT INTO dba.ciselnik_ucastniku (kod_statu, kod_mesta, Cislo_ucastnika, nazev_ucastnika, Firma, Soukrome) "
         "VALUES (?, ?, ?, ?, ?, ?)", {"420", "2", "1234567", "Dodavatel", "Dodavatel s.r.o.", "F"}},
        {"INSERT INTO dba.ciselnik_ucastniku (kod_statu, kod_mesta, Cislo_ucastnika, nazev_ucastnika, Firma, Soukrome) "
         "VALUES (?, ?, ?, ?, ?, ?)", {"420", "2", "555", "Soused", "", "S"}},
        {"INSERT INTO dba.ciselnik_ucastniku (kod_statu, kod_mesta, Cislo_ucastnika, nazev_ucastnika, Firma, Soukrome) "
         "VALUES (?, ?, ?, ?, ?, ?)", {"49", "30", "777", "", "Berlin GmbH", "F"}},
    };
    for (const auto& r : radky)
        if (!t.exec(r.first, r.second)) {
            if (error) *error = t.lastErrorText();
            return false;
        }
    struct H {
        int id;
        const char* kdy;
        const char* pobocka;
        int firma, oddeleni;
        const char* cislo;
        const char* typ;
        const char* stat;
        const char* mesto;
        const char* ucastnik;
        int status;
    };
    const H hovory[] = {
        {1, "2024-03-01 08:00:00", "100", 1, 10, "1234567", "A", "420", "2", "1234567", 10},
        {2, "2024-03-10 10:00:00", "101", 1, 11, "0301112233", "B", "420", "30", nullptr, 10},
        {3, "2024-03-15 12:00:00", "200", 2, 20, "0049307771234", "C", "49", "30", "777", 10},
        {4, "2024-03-20 09:00:00", "100", 1, 10, "*IN603111222", "P", nullptr, nullptr, nullptr, 10},
        {5, "2024-03-31 17:30:00", "101", 1, 11, "5551234", "A", "420", "2", "555", 10},
        {6, "2024-03-31 17:30:01", "100", 1, 10, "1234567", "A", "420", "2", "1234567", 10},
        {7, "2024-03-01 07:59:59", "100", 1, 10, "1234567", "A", "420", "2", "1234567", 10},
        {8, "2024-03-05 09:00:00", "100", 1, 10, "1234567", "A", "420", "2", "1234567", 5},
        {9, "2024-03-22 11:00:00", "200", 2, 20, "*IN221000000", "P", nullptr, nullptr, nullptr, 10},
        {10, "2024-03-25 14:00:00", "102", 1, 11, "1204567", "A", "420", "2", nullptr, 10},
    };
    auto text = [](const char* s) { return s ? QVariant(QString::fromUtf8(s)) : QVariant(); };
    for (const H& h : hovory) {
        if (!t.exec("INSERT INTO dba.hovory (id_hovoru, ustredna_datum_a_cas, ustredna_cislo_pobocky, id_firmy, "
                    "id_oddeleni, ustredna_delka_hovoru, program_pocet_impulsu, ustredna_volane_cislo, tarifovat_hovor, "
                    "status_hovoru, typ_hovoru, kod_statu, kod_mesta, cislo_ucastnika, popis_osob) "
                    "VALUES (?, ?, ?, ?, ?, '00:01:00', 1, ?, 1, ?, ?, ?, ?, ?, '')",
                    {h.id, h.kdy, h.pobocka, h.firma, h.oddeleni, h.cislo, h.status, h.typ, text(h.stat),
                     text(h.mesto), text(h.ucastnik)})) {
            if (error) *error = t.lastErrorText();
            return false;
        }
    }
    return true;
}

} // namespace kavro::test
