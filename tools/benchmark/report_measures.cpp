// Reports over a large call table: a one-month billing report by firm and
// the list of every call, each until its first page and totals are shown.
#include "benchmark.h"

#include "billing/forms/report_view.h"
#include "billing/sestavy.h"
#include "platform/database.h"
#include "tarifovani_bulk.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QTableView>
#include <cstdio>

namespace kavro::benchmark {

namespace {

// The generated calls as the tariffing leaves them: fully tariffed, charged
// unless incoming, with impulses, and the callers' firms and departments.
bool tariffedCalls(const Context& c, QString* error)
{
    return generatedCalls(c, QStringLiteral("reports.db"),
                          {
                              "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 40) "
                              "INSERT INTO dba.ciselnik_firem (ID_Firmy, nazev_firmy) SELECT i, 'Firma ' || i FROM n",
                              "INSERT INTO dba.cena_impulsu (Pocatek_platnosti, Konec_platnosti, Cena_Impulsu, "
                              "Typ_ceny) VALUES ('2020-01-01', '2024-06-30', 80, 'A'), "
                              "('2024-07-01', '9999-12-31', 90, 'A')",
                              // The collector numbers its records in time order: so do the calls here.
                              "CREATE TEMP TABLE poradi (stare INTEGER PRIMARY KEY, nove INTEGER)",
                              "INSERT INTO temp.poradi SELECT id_hovoru, "
                              "row_number() OVER (ORDER BY ustredna_datum_a_cas, id_hovoru) FROM dba.hovory",
                              "UPDATE dba.hovory SET id_hovoru = -id_hovoru",
                              "UPDATE dba.hovory SET id_hovoru = (SELECT p.nove FROM temp.poradi p WHERE p.stare = "
                              "-dba.hovory.id_hovoru)",
                              "DROP TABLE temp.poradi",
                              "UPDATE dba.hovory SET status_hovoru = 10, "
                              "tarifovat_hovor = CASE WHEN ustredna_volane_cislo LIKE '*IN%' THEN 0 ELSE 1 END, "
                              "program_pocet_impulsu = 1 + seconds(ustredna_delka_hovoru) / 60, "
                              "id_firmy = 1 + id_hovoru % 40, id_oddeleni = 100 + id_hovoru % 200",
                          },
                          error);
}

// Opens the report in a table as the report windows do: retrieve, first page, totals.
double open(ReportView& view, const QString& select, const QVariantList& args, QString* total)
{
    QElapsedTimer timer;
    timer.start();
    view.report().setSelect(select);
    if (!view.report().retrieve(args)) {
        std::fprintf(stderr, "report: %s\n", qPrintable(view.report().errorText()));
        return -1;
    }
    view.refresh();
    *total = view.totalText();
    return timer.nsecsElapsed() / 1e6;
}

QList<Figure> measureReports(Context& c)
{
    QList<Figure> out;
    QString error;
    if (!tariffedCalls(c, &error)) {
        std::fprintf(stderr, "reports: %s\n", qPrintable(error));
        return out;
    }
    QWidget owner;
    auto* table = new QTableView(&owner);
    auto* header = new QLabel(&owner);
    auto* totals = new QLabel(&owner);
    ReportView view(table, header, totals, &owner);
    owner.resize(800, 600);
    owner.show();

    FDX_filtr_hovory f;
    f.typ = 1;
    f.datum_od = QStringLiteral("2024-03-01 00:00:00");
    f.datum_do = QStringLiteral("2024-03-31 23:59:59");
    f.id_firmy = QStringLiteral("0");
    QString select, total;
    if (!view.report().setObject(sestavy::objektVyuctovani(1))
        || !sestavy::vlozObdobiVyuctovani(view.report().select(), f.datum_od, f.datum_do, &select, &error)) {
        std::fprintf(stderr, "reports: %s %s\n", qPrintable(view.report().errorText()), qPrintable(error));
        return out;
    }
    const double billing = open(view, select, sestavy::argumentyVyuctovani(f, QStringLiteral("Organizace")), &total);
    std::printf("    %s\n", qPrintable(total));
    out << Figure{QStringLiteral("billing by firm, one month of %1 calls, totals shown").arg(c.calls), billing,
                  QStringLiteral("ms"), 1000, true};

    if (!view.report().setObject(QStringLiteral("Hovory"))
        || !sestavy::vlozObdobi(view.report().select(), QStringLiteral("2000-01-01"), QStringLiteral("2099-12-31"),
                                &select, &error))
        return out;
    const double list = open(view, select, {}, &total);
    out << Figure{QStringLiteral("list of every call (%1), first page shown").arg(c.calls), list, QStringLiteral("ms"), 1000, true};
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < 50 && view.model().canFetchMore(QModelIndex()); ++i) view.model().fetchMore(QModelIndex());
    out << Figure{QStringLiteral("call list, 50 further pages while scrolling"), timer.nsecsElapsed() / 1e6,
                  QStringLiteral("ms")};
    Transaction::main().disconnect();
    return out;
}

const MeasureRegistrar reg(QStringLiteral("reports"), measureReports);

} // namespace

} // namespace kavro::benchmark
