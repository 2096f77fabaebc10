// The call browser over a large call table: a one-month selection by caller
// (an extension, a person, a firm with incoming calls too) until the list's
// first page and its totals are shown.
#include "benchmark.h"

#include "billing/call_filter.h"
#include "billing/forms/report_view.h"
#include "platform/database.h"
#include "tarifovani_bulk.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QTableView>
#include <cstdio>

namespace kavro::benchmark {

bool tariffedBrowserCalls(const Context& c, const QString& file, QString* error)
{
    return generatedCalls(c, file,
                          {
                              "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 40) "
                              "INSERT INTO dba.ciselnik_firem (ID_Firmy, nazev_firmy) SELECT i, 'Firma ' || i FROM n",
                              "INSERT INTO dba.cena_impulsu (Pocatek_platnosti, Konec_platnosti, Cena_Impulsu, "
                              "Typ_ceny) VALUES ('2020-01-01', '9999-12-31', 80, 'A')",
                              "UPDATE dba.hovory SET status_hovoru = 10, "
                              "typ_hovoru = CASE WHEN ustredna_volane_cislo LIKE '*IN%' THEN 'P' "
                              "  WHEN ustredna_volane_cislo LIKE '00%' THEN 'C' WHEN ustredna_volane_cislo LIKE '0%' "
                              "THEN 'B' ELSE 'A' END, "
                              "tarifovat_hovor = CASE WHEN ustredna_volane_cislo LIKE '*IN%' THEN 0 ELSE 1 END, "
                              "program_pocet_impulsu = 1 + seconds(ustredna_delka_hovoru) / 60, "
                              "popis_osob = 'Příjmení', "
                              "id_firmy = (SELECT p.ID_firmy FROM dba.prirazeni_pobocek p WHERE p.Cislo_pobocky = "
                              "hovory.ustredna_cislo_pobocky "
                              "  AND hovory.ustredna_datum_a_cas BETWEEN p.Pocatek_platnosti AND p.Konec_platnosti), "
                              "id_oddeleni = (SELECT p.ID_Oddeleni FROM dba.prirazeni_pobocek p WHERE p.Cislo_pobocky "
                              "= hovory.ustredna_cislo_pobocky "
                              "  AND hovory.ustredna_datum_a_cas BETWEEN p.Pocatek_platnosti AND p.Konec_platnosti)",
                          },
                          error);
}

namespace {

FDX_filtr_hovory brezen(int typ)
{
    FDX_filtr_hovory f;
    f.datum_od = QStringLiteral("2024-03-01 00:00:00");
    f.datum_do = QStringLiteral("2024-03-31 23:59:59");
    f.id_firmy = f.id_oddeleni = f.id_osoby = f.cislo_pobocky = QStringLiteral("0");
    f.kod_statu = f.kod_mesta = f.cislo_ucastnika = QStringLiteral("0");
    f.typ = typ;
    return f;
}

// What "Vyber" in the filter form starts in the browser: retrieve, first page, totals.
double show(ReportView& view, const QString& base, const CallFilter& filter, const FDX_filtr_hovory& f, int* rows)
{
    QElapsedTimer timer;
    timer.start();
    if (!filter.retrieve(view.report(), base, f, QStringLiteral("Organizace"))) {
        std::fprintf(stderr, "call browser: %s\n", qPrintable(view.report().errorText()));
        return -1;
    }
    view.refresh();
    const double ms = timer.nsecsElapsed() / 1e6;
    *rows = int(view.report().total().count);
    return ms;
}

QList<Figure> measureCallBrowser(Context& c)
{
    QList<Figure> out;
    QString error;
    QElapsedTimer prep;
    prep.start();
    if (!tariffedBrowserCalls(c, QStringLiteral("call_browser.db"), &error)) {
        std::fprintf(stderr, "call browser: %s\n", qPrintable(error));
        return out;
    }
    std::printf("    %lld tariffed calls of 2024 prepared in %.1f s\n", c.calls, prep.nsecsElapsed() / 1e9);
    SiteCodes site;
    if (!SiteCodes::read(Transaction::main(), &site, &error)) return out;
    const CallFilter filter(site);

    QWidget owner;
    auto* table = new QTableView(&owner);
    auto* header = new QLabel(&owner);
    auto* totals = new QLabel(&owner);
    ReportView view(table, header, totals, &owner);
    owner.resize(900, 600);
    owner.show();
    QString base;
    if (!CallFilter::chooseObject(view.report(), &base)) {
        std::fprintf(stderr, "call browser: %s\n", qPrintable(view.report().errorText()));
        return out;
    }

    // The caller with the most calls in March, so the figures are not of an empty list.
    const QString pobocka = Transaction::main().scalar(
        "SELECT ustredna_cislo_pobocky FROM dba.hovory WHERE ustredna_datum_a_cas BETWEEN ? AND ? "
        "GROUP BY ustredna_cislo_pobocky ORDER BY count(*) DESC LIMIT 1",
        {QStringLiteral("2024-03-01 00:00:00"), QStringLiteral("2024-03-31 23:59:59")});
    const QString osoba = Transaction::main().scalar(
        "SELECT ID_Osoby FROM dba.prirazeni_pobocek WHERE Cislo_pobocky = ? AND Pocatek_platnosti <= '2024-03-01 00:00:00' "
        "AND Konec_platnosti >= '2024-03-31 23:59:59'", {pobocka});

    int rows = 0;
    FDX_filtr_hovory f = brezen(2);
    f.cislo_pobocky = pobocka;
    const double byExtension = show(view, base, filter, f, &rows);
    out << Figure{QStringLiteral("one month by extension (%1 calls listed), shown").arg(rows), byExtension,
                  QStringLiteral("ms"), 1000, true};
    f = brezen(2);
    f.id_osoby = osoba;
    const double byPerson = show(view, base, filter, f, &rows);
    out << Figure{QStringLiteral("one month by person (%1 calls listed), shown").arg(rows), byPerson,
                  QStringLiteral("ms"), 1000, true};
    f = brezen(3);
    f.id_firmy = QStringLiteral("7");
    const double byFirm = show(view, base, filter, f, &rows);
    out << Figure{QStringLiteral("one month by firm, both directions (%1 calls), shown").arg(rows), byFirm,
                  QStringLiteral("ms"), 1000, true};
    // For comparison: the whole month, every caller, both directions.
    const double all = show(view, base, filter, brezen(3), &rows);
    out << Figure{QStringLiteral("one month, every caller (%1 calls), shown").arg(rows), all, QStringLiteral("ms")};
    Transaction::main().disconnect();
    return out;
}

const MeasureRegistrar reg(QStringLiteral("call_browser"), measureCallBrowser);

} // namespace

} // namespace kavro::benchmark
