#pragma once
// What the billing tests share: the two small databases of calls and the
// helpers that drive windows by their controls' names.
#include "platform/database.h"

#include <QStringList>
#ifdef QT_TESTLIB_LIB
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#endif

namespace kavro::test {

inline bool proved(const QStringList& prikazy, QString* error)
{
    Transaction& t = Transaction::main();
    for (const QString& p : prikazy)
        if (!t.exec(p)) {
            if (error) *error = t.lastErrorText() + "\n" + p;
            return false;
        }
    return true;
}

// Billing: two firms, three departments, three extensions (100 watched), two
// type-'A' impulse prices in March 2024 (100 h to the 15th, 150 h after) and a
// type-'B' one to ignore; calls on the first and last moment of March, just
// outside it, one not charged (7) and one not fully tariffed (8).
inline bool naplnVyuctovani(QString* error)
{
    return proved(
        {"INSERT INTO dba.ciselnik_firem (ID_Firmy, nazev_firmy) VALUES (1, 'Alfa'), (2, 'Beta''s')",
         "INSERT INTO dba.ciselnik_oddeleni (ID_Oddeleni, nazev_oddeleni, ID_Firmy) VALUES "
         "(10, 'Obchod', 1), (11, 'Výroba', 1), (20, 'Sklad', 2)",
         "INSERT INTO dba.ciselnik_osob (ID_Osoby, prijmeni, jmeno, ID_Firmy, ID_Oddeleni, Poznamka) "
         "VALUES (5, 'Novák', 'Jan', 1, 10, 'vedoucí')",
         "INSERT INTO dba.prirazeni_pobocek VALUES ('100', '2024-01-01 00:00:00', '9999-12-31 23:59:59', 1, 10, 5, '+'), "
         "('101', '2024-01-01 00:00:00', '9999-12-31 23:59:59', 1, 11, 0, '-'), "
         "('200', '2024-01-01 00:00:00', '9999-12-31 23:59:59', 2, 20, 0, '-')",
         "INSERT INTO dba.cena_impulsu (Pocatek_platnosti, Konec_platnosti, Cena_Impulsu, Typ_ceny) VALUES "
         "('2024-01-01', '2024-03-15', 100, 'A'), ('2024-03-16', '9999-12-31', 150, 'A'), ('2024-01-01', '9999-12-31', 9999, 'B')",
         "INSERT INTO dba.ciselnik_ucastniku (kod_statu, kod_mesta, Cislo_ucastnika, nazev_ucastnika) "
         "VALUES ('420', '2', '1234567', 'Dodavatel')",
         "INSERT INTO dba.hovory (id_hovoru, ustredna_datum_a_cas, ustredna_cislo_pobocky, id_firmy, id_oddeleni, "
         "ustredna_delka_hovoru, program_pocet_impulsu, ustredna_volane_cislo, tarifovat_hovor, status_hovoru, kod_uctu, "
         "ustredna_pocet_impulsu, kod_statu, kod_mesta, cislo_ucastnika, typ_hovoru, popis_osob) VALUES "
         "(1, '2024-03-01 00:00:00', '100', 1, 10, '00:01:00', 2, '021234567', 1, 10, NULL, 0, '420', '2', '1234567', 'B', 'Novák'), "
         "(2, '2024-03-31 23:59:59', '100', 1, 10, '00:02:00', 3, '0600111222', 1, 10, NULL, 4, NULL, NULL, NULL, 'B', 'Novák'), "
         "(3, '2024-03-20 10:00:00', '101', 1, 11, '00:00:30', 1, '0777000111', 1, 10, '77', 0, NULL, NULL, NULL, 'B', ''), "
         "(4, '2024-03-10 08:00:00', '200', 2, 20, '00:01:30', 4, '021234567', 1, 10, NULL, 0, '420', '2', '1234567', 'B', ''), "
         "(5, '2024-02-29 23:59:59', '100', 1, 10, '00:01:00', 5, '021234567', 1, 10, NULL, 0, '420', '2', '1234567', 'B', 'Novák'), "
         "(6, '2024-04-01 00:00:00', '100', 1, 10, '00:01:00', 5, '021234567', 1, 10, NULL, 0, '420', '2', '1234567', 'B', 'Novák'), "
         "(7, '2024-03-05 09:00:00', '100', 1, 10, '00:01:00', 5, '021234567', 0, 10, NULL, 0, '420', '2', '1234567', 'B', 'Novák'), "
         "(8, '2024-03-05 09:30:00', '100', 1, 10, '00:01:00', 5, '021234567', 1, 5, NULL, 0, '420', '2', '1234567', 'B', 'Novák')"},
        error);
}

// `pocet` more charged calls of March (at most 240 a day from the 2nd) on the
// billing fixture's three extensions, with long dialled numbers and long
// subscriber names (one, on the 46th call, too long for any page).
inline bool mnohoHovoru(int pocet, QString* error)
{
    QStringList radky;
    const char* pobocky[] = {"100", "101", "200"};
    const int firmy[] = {1, 1, 2};
    const int oddeleni[] = {10, 11, 20};
    const int zaDen = pocet <= 180 ? 8 : 240;
    for (int i = 0; i < pocet; ++i) {
        const int p = i % 3;
        const bool dlouhy = i % 4 == 0;
        radky << QStringLiteral("(%1, '2024-03-%2 %3:%4:07', '%5', %6, %7, '00:%8:%9', %10, '%11', 1, 10, NULL, 0, "
                                "'420', '2', '%12', 'C', 'Svobodová,Dvořák')")
                     .arg(100 + i)
                     .arg(2 + i / zaDen, 2, 10, QLatin1Char('0'))
                     .arg(zaDen == 8 ? 8 + i % 8 : (i % zaDen) / 10, 2, 10, QLatin1Char('0'))
                     .arg(zaDen == 8 ? i % 60 : (i % 10) * 6, 2, 10, QLatin1Char('0'))
                     .arg(QLatin1String(pobocky[p]))
                     .arg(firmy[p])
                     .arg(oddeleni[p])
                     .arg(i % 50 + 1, 2, 10, QLatin1Char('0'))
                     .arg(i % 60, 2, 10, QLatin1Char('0'))
                     .arg(1 + i % 37)
                     .arg(QStringLiteral("001212970%1").arg(1000 + i * 7))
                     .arg(i == 45 ? QStringLiteral("7654000") : dlouhy ? QStringLiteral("7654321") : QStringLiteral("1234567"));
    }
    return proved(
        {"INSERT INTO dba.ciselnik_ucastniku (kod_statu, kod_mesta, Cislo_ucastnika, nazev_ucastnika) VALUES "
         "('420', '2', '7654321', 'Stavebniny Žďár nad Sázavou, Novotný a synové s.r.o.'), "
         "('420', '2', '7654000', 'Sdružení obcí mikroregionu Horní Pootaví pro rozvoj cestovního ruchu, "
         "zemědělství, řemesel a služeb venkova, odbor hospodářské správy a investic, pracoviště Sušice')",
         "INSERT INTO dba.hovory (id_hovoru, ustredna_datum_a_cas, ustredna_cislo_pobocky, id_firmy, id_oddeleni, "
         "ustredna_delka_hovoru, program_pocet_impulsu, ustredna_volane_cislo, tarifovat_hovor, status_hovoru, kod_uctu, "
         "ustredna_pocet_impulsu, kod_statu, kod_mesta, cislo_ucastnika, typ_hovoru, popis_osob) VALUES "
             + radky.join(QStringLiteral(", "))},
        error);
}

// The call browser: the site (00, 0, home state 420, home area 2), two firms,
// three departments, two persons, extension 102 held only from 15 March,
// a firm's and a private subscriber, calls of every type at the first and last
// second of 08:00:00 on 1 March .. 17:30:00 on 31 March and just outside it,
// and one call not fully tariffed (8).
inline bool naplnVyberHovoru(QString* error)
{
    return proved(
        {"DELETE FROM dba.ciselnik_mest", "DELETE FROM dba.ciselnik_statu",
         "INSERT INTO dba.konfigurace_mista VALUES ('00', '0', '420', '2', 'Výchozí')",
         "INSERT INTO dba.ciselnik_firem (ID_Firmy, nazev_firmy) VALUES (1, 'Alfa'), (2, 'Beta')",
         "INSERT INTO dba.ciselnik_oddeleni (ID_Oddeleni, nazev_oddeleni, ID_Firmy) VALUES "
         "(10, 'Obchod', 1), (11, 'Výroba', 1), (20, 'Sklad', 2)",
         "INSERT INTO dba.ciselnik_osob (ID_Osoby, prijmeni, jmeno, ID_Firmy, ID_Oddeleni) VALUES "
         "(5, 'Novák', 'Jan', 1, 10), (6, 'Dvořák', 'Petr', 1, 11)",
         "INSERT INTO dba.prirazeni_pobocek VALUES ('100', '2024-01-01 00:00:00', '9999-12-31 23:59:59', 1, 10, 5, '-'), "
         "('101', '2024-01-01 00:00:00', '9999-12-31 23:59:59', 1, 11, 6, '-'), "
         "('102', '2024-03-15 00:00:00', '9999-12-31 23:59:59', 1, 11, 0, '-'), "
         "('200', '2024-01-01 00:00:00', '9999-12-31 23:59:59', 2, 20, 0, '-')",
         "INSERT INTO dba.ciselnik_statu (kod_statu, nazev_statu) VALUES ('420', 'Česká republika'), ('49', 'Německo')",
         "INSERT INTO dba.ciselnik_mest (kod_statu, kod_mesta, nazev_mesta) VALUES "
         "('420', '2', 'Praha'), ('420', '30', 'Plzeň'), ('49', '30', 'Berlín')",
         "INSERT INTO dba.ciselnik_ucastniku (kod_statu, kod_mesta, Cislo_ucastnika, nazev_ucastnika, Firma, Soukrome) VALUES "
         "('420', '2', '1234567', 'Dodavatel', 'Dodavatel s.r.o.', 'F'), ('420', '2', '555', 'Soused', '', 'S'), "
         "('49', '30', '777', '', 'Berlin GmbH', 'F')",
         "INSERT INTO dba.hovory (id_hovoru, ustredna_datum_a_cas, ustredna_cislo_pobocky, id_firmy, id_oddeleni, "
         "ustredna_volane_cislo, typ_hovoru, kod_statu, kod_mesta, cislo_ucastnika, status_hovoru, "
         "ustredna_delka_hovoru, program_pocet_impulsu, tarifovat_hovor, popis_osob) "
         "SELECT v.*, '00:01:00', 1, 1, '' FROM (VALUES "
         "(1, '2024-03-01 08:00:00', '100', 1, 10, '1234567', 'A', '420', '2', '1234567', 10), "
         "(2, '2024-03-10 10:00:00', '101', 1, 11, '0301112233', 'B', '420', '30', NULL, 10), "
         "(3, '2024-03-15 12:00:00', '200', 2, 20, '0049307771234', 'C', '49', '30', '777', 10), "
         "(4, '2024-03-20 09:00:00', '100', 1, 10, '*IN603111222', 'P', NULL, NULL, NULL, 10), "
         "(5, '2024-03-31 17:30:00', '101', 1, 11, '5551234', 'A', '420', '2', '555', 10), "
         "(6, '2024-03-31 17:30:01', '100', 1, 10, '1234567', 'A', '420', '2', '1234567', 10), "
         "(7, '2024-03-01 07:59:59', '100', 1, 10, '1234567', 'A', '420', '2', '1234567', 10), "
         "(8, '2024-03-05 09:00:00', '100', 1, 10, '1234567', 'A', '420', '2', '1234567', 5), "
         "(9, '2024-03-22 11:00:00', '200', 2, 20, '*IN221000000', 'P', NULL, NULL, NULL, 10), "
         "(10, '2024-03-25 14:00:00', '102', 1, 11, '1204567', 'A', '420', '2', NULL, 10)) v"},
        error);
}

#ifdef QT_TESTLIB_LIB
// Window helpers: controls by their objectName.
inline void klikni(QWidget* w, const char* jmeno)
{
    auto* b = w->findChild<QPushButton*>(jmeno);
    QVERIFY2(b, jmeno);
    b->click();
}
inline QLineEdit* pole(QWidget* w, const char* jmeno) { return w->findChild<QLineEdit*>(jmeno); }
inline void napis(QWidget* w, const char* jmeno, const QString& text) { pole(w, jmeno)->setText(text); }
inline QComboBox* combo(QWidget* w, const char* jmeno) { return w->findChild<QComboBox*>(jmeno); }
inline QString popisek(QWidget* w, const char* jmeno) { return w->findChild<QLabel*>(jmeno)->text(); }
inline QStringList polozky(QComboBox* c)
{
    QStringList out;
    for (int i = 0; i < c->count(); ++i) out << c->itemText(i);
    return out;
}
// The texts of the report table's first column, rows read as the view asks for them.
inline QStringList prvniSloupec(QWidget* w)
{
    auto* t = w->findChild<QTableView*>("dw_1");
    QStringList out;
    for (int r = 0; r < t->model()->rowCount(); ++r) out << t->model()->index(r, 0).data().toString();
    return out;
}
#endif

} // namespace kavro::test
