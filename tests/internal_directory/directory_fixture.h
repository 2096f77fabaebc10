#pragma once
// A small directory with three years of history, shared by the directory's
// tests: two firms, three departments (one ended), three persons and
// extensions that changed hands.
//
//   200: Novák until 2023-06-30 12:00:00, then Svoboda
//   201: department Obchod        202: firm Alfa        205: the exchange itself
//   203: free until 2024-01-01, then Dvořák              204: free
//   206: department Sklad until its end at 2022-12-31 23:59:59, free after
//   207: Novák until 2021, free during 2021, Novák again from 2022
#include "platform/database.h"

#include "internal_directory/seznam_pobocek.h"

#include <QStringList>

#include <ostream>

// Readable texts in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace kavro::test {

inline bool fillDirectoryFixture(QString* error = nullptr)
{
    const char* statements[] = {
        "INSERT INTO dba.ciselnik_firem (ID_Firmy, nazev_firmy, utvar, ulice, PSC, obec, ICO, DIC,"
        " procentualni_navyseni, pausalni_poplatek) VALUES (5, 'Alfa', 'U1', 'Dlouhá 1', '11000', 'Praha', '123', 'CZ123', 10, 200),"
        " (6, 'Beta', '', '', '', '', '', '', NULL, NULL)",
        "INSERT INTO dba.ciselnik_oddeleni (ID_Oddeleni, nazev_oddeleni, ID_Firmy) VALUES (50, 'Obchod', 5), (51, 'Sklad', 5),"
        " (60, 'Výroba', 6)",
        "INSERT INTO dba.ciselnik_osob (ID_Osoby, prijmeni, jmeno, titul, Funkce, Poznamka, ID_Firmy, ID_Oddeleni) VALUES"
        " (7, 'Novák', 'Jan', 'Ing.', 'vedoucí', '', 5, 50), (8, 'Svoboda', 'Petr', '', '', '', 5, 50),"
        " (9, 'Dvořák', 'Karel', '', '', '', 6, 60)",
        "INSERT INTO dba.prirazeni_pobocek (Cislo_pobocky, Pocatek_platnosti, Konec_platnosti, ID_firmy, ID_Oddeleni, ID_Osoby) VALUES"
        " ('9999', '2020-01-01 00:00:00', '9999-12-31 23:59:59', 5, 9999, 9999),"
        " ('9999', '2020-01-01 00:00:00', '9999-12-31 23:59:59', 6, 9999, 9999),"
        " ('9999', '2020-01-01 00:00:00', '9999-12-31 23:59:59', 5, 50, 9999),"
        " ('9999', '2020-01-01 00:00:00', '2022-12-31 23:59:59', 5, 51, 9999),"
        " ('9999', '2020-01-01 00:00:00', '9999-12-31 23:59:59', 6, 60, 9999),"
        " ('9999', '2020-01-01 00:00:00', '9999-12-31 23:59:59', 5, 50, 7),"
        " ('9999', '2020-01-01 00:00:00', '9999-12-31 23:59:59', 5, 50, 8),"
        " ('9999', '2020-01-01 00:00:00', '9999-12-31 23:59:59', 6, 60, 9),"
        " ('200', '2020-01-01 00:00:00', '2023-06-30 12:00:00', 5, 50, 7),"
        " ('200', '2023-06-30 12:00:00', '9999-12-31 23:59:59', 5, 50, 8),"
        " ('201', '2020-01-01 00:00:00', '9999-12-31 23:59:59', 5, 50, 0),"
        " ('202', '2020-01-01 00:00:00', '9999-12-31 23:59:59', 5, 0, 0),"
        " ('203', '2020-01-01 00:00:00', '2024-01-01 00:00:00', 9999, 9999, 9999),"
        " ('203', '2024-01-01 00:00:00', '9999-12-31 23:59:59', 6, 60, 9),"
        " ('204', '2021-01-01 00:00:00', '9999-12-31 23:59:59', 9999, 9999, 9999),"
        " ('205', '2020-01-01 00:00:00', '9999-12-31 23:59:59', 0, 0, 0),"
        " ('206', '2020-01-01 00:00:00', '2022-12-31 23:59:59', 5, 51, 0),"
        " ('206', '2022-12-31 23:59:59', '9999-12-31 23:59:59', 9999, 9999, 9999),"
        " ('207', '2020-01-01 00:00:00', '2021-01-01 00:00:00', 5, 50, 7),"
        " ('207', '2021-01-01 00:00:00', '2022-01-01 00:00:00', 9999, 9999, 9999),"
        " ('207', '2022-01-01 00:00:00', '9999-12-31 23:59:59', 5, 50, 7)",
    };
    for (const char* s : statements) {
        Query q;
        if (!q.execute(QString::fromUtf8(s))) {
            if (error) *error = q.lastErrorText();
            return false;
        }
    }
    return true;
}

// The tree as indented lines "typ text", every branch loaded.
inline void vypisStrom(const LazyTreeModel& m, const QModelIndex& rodic, int hloubka, QStringList& radky)
{
    const_cast<LazyTreeModel&>(m).ensureLoaded(rodic);
    for (int i = 0; i < m.rowCount(rodic); ++i) {
        const QModelIndex x = m.index(i, 0, rodic);
        const Struct_std* r = m.record<Struct_std>(x);
        radky << QString(hloubka * 2, QLatin1Char(' ')) + (r ? r->typ : QStringLiteral("?")) + QLatin1Char(' ')
                     + x.data().toString();
        vypisStrom(m, x, hloubka + 1, radky);
    }
}

inline QStringList vypisStrom(const LazyTreeModel& m)
{
    QStringList radky;
    vypisStrom(m, QModelIndex(), 0, radky);
    return radky;
}

// The node whose path of texts from the top is `cesta`.
inline QModelIndex najdiUzel(const LazyTreeModel& m, const QStringList& cesta)
{
    QModelIndex uzel;
    for (const QString& text : cesta) {
        const_cast<LazyTreeModel&>(m).ensureLoaded(uzel);
        QModelIndex dalsi;
        for (int i = 0; i < m.rowCount(uzel) && !dalsi.isValid(); ++i)
            if (m.index(i, 0, uzel).data().toString() == text) dalsi = m.index(i, 0, uzel);
        if (!dalsi.isValid()) return {};
        uzel = dalsi;
    }
    return uzel;
}

// The rows of a number as "from|to|firm|department|person", in time order.
inline QStringList radkyPobocky(const QString& cislo)
{
    QStringList v;
    Query q;
    q.setSQL(QStringLiteral("SELECT Pocatek_platnosti, Konec_platnosti, ID_firmy, ID_Oddeleni, ID_Osoby FROM dba.prirazeni_pobocek"
                            " WHERE Cislo_pobocky = ? ORDER BY Pocatek_platnosti, Konec_platnosti, ID_Osoby"));
    q.bind(1, cislo);
    if (!q.run()) return {QStringLiteral("chyba: ") + q.lastErrorText()};
    for (; !q.atEnd(); q.next())
        v << q.value(1) + '|' + q.value(2) + '|' + q.value(3) + '|' + q.value(4) + '|' + q.value(5);
    return v;
}

} // namespace kavro::test
