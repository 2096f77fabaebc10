// A demonstration installation: database, directory, tariff tables and the
// collector's daily files.
//
// The first time it creates the database kavro.db (tables and reference data
// from db/), fills a small directory, the site of the exchange and sample
// tariff tables, writes the collector's daily files of the last 30 days into
// FOLDER/sberac and registers the data source "KAVRO" and the collector's
// directory in the program's settings. Later calls only make sure the data
// source is registered. The calls themselves are imported by the program
// ("Hovory" > "Načtení nových", Ctrl+N).
#include "demo_data.h"
#include "directory.h"
#include "gendata.h"

#include "platform/clock.h"
#include "platform/database.h"
#include "platform/unit_of_work.h"
#include "platform/registry.h"
#include "common/registry_names.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>

using namespace kavro;

namespace {


const QString kInstance = registr::Aplikace + QStringLiteral("Sberac");

bool fail(const QString& what)
{
    std::fprintf(stderr, "kavro-demo: %s\n", qPrintable(what));
    return false;
}

// Site, pseudotariff, impulse periods, price and holidays: sample values.
bool fillTariffTables(Transaction& t)
{
    const QString open = QStringLiteral("9999-12-31 23:59:59");
    const QString from = QStringLiteral("2000-01-01 00:00:00");
    bool ok = t.exec(QStringLiteral("INSERT INTO dba.konfigurace_mista (mezistatni_predvolba, mezimestska_predvolba, kod_statu, "
                                    "kod_mesta, ID_mista) VALUES (?, ?, ?, ?, ?)"),
                     {QStringLiteral("00"), QStringLiteral("0"), QStringLiteral("420"), QStringLiteral("2"), QStringLiteral("Výchozí")});
    // Free seconds ('D') and connection time ('M') per outgoing call type.
    for (const QString& typ : {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}) {
        ok = ok && t.exec(QStringLiteral("INSERT INTO dba.casy_pseudotarifu (typ_hovoru, typ_casu, cas, pocatek_platnosti, konec_platnosti) "
                                         "VALUES (?, 'D', ?, ?, ?)"), {typ, QStringLiteral("00:00:05"), from, open});
        ok = ok && t.exec(QStringLiteral("INSERT INTO dba.casy_pseudotarifu (typ_hovoru, typ_casu, cas, pocatek_platnosti, konec_platnosti) "
                                         "VALUES (?, 'M', ?, ?, ?)"), {typ, QStringLiteral("00:00:10"), from, open});
    }
    // Seconds per impulse by zone: peak 07:00-18:59:59 on working days, off-peak otherwise.
    struct Zone { int id; int peak; int offPeak; };
    const Zone zones[] = {{1, 180, 360}, {2, 90, 180}, {3, 60, 120}, {4, 45, 90}, {10, 20, 40}, {20, 30, 45},
                          {21, 15, 20}, {22, 12, 15}, {23, 8, 10}, {24, 6, 8}, {25, 4, 5}};
    for (const Zone& z : zones) {
        const auto period = [&](const QString& od, const QString& do_, int perioda, int typDne) {
            return t.exec(QStringLiteral("INSERT INTO dba.perioda_impulsu (id_pasma, Pocatek_platnosti, Konec_platnosti, Od_casu, "
                                         "Do_casu, perioda, Typ_dne) VALUES (?, '2000-01-01', '9999-12-31', ?, ?, ?, ?)"),
                          {z.id, od, do_, perioda, typDne});
        };
        ok = ok && period(QStringLiteral("07:00:00"), QStringLiteral("18:59:59"), z.peak, 1)
             && period(QStringLiteral("00:00:00"), QStringLiteral("06:59:59"), z.offPeak, 1)
             && period(QStringLiteral("19:00:00"), QStringLiteral("23:59:59"), z.offPeak, 1)
             && period(QStringLiteral("00:00:00"), QStringLiteral("23:59:59"), z.offPeak, 2);
    }
    ok = ok && t.exec(QStringLiteral("INSERT INTO dba.cena_impulsu (Pocatek_platnosti, Konec_platnosti, Cena_Impulsu, Typ_ceny) "
                                     "VALUES ('2000-01-01', '9999-12-31', 2.1, 'A')"));
    struct Holiday { int den; int mesic; const char* nazev; };
    const Holiday holidays[] = {{1, 1, "Nový rok"}, {1, 5, "Svátek práce"}, {8, 5, "Den vítězství"},
                                {5, 7, "Cyril a Metoděj"}, {6, 7, "Jan Hus"}, {28, 9, "Den české státnosti"},
                                {28, 10, "Vznik Československa"}, {17, 11, "Den boje za svobodu"},
                                {24, 12, "Štědrý den"}, {25, 12, "1. svátek vánoční"}, {26, 12, "2. svátek vánoční"}};
    for (const Holiday& h : holidays)
        ok = ok && t.exec(QStringLiteral("INSERT INTO dba.pevne_svatky (den, Mesic, Nazev, Rok) VALUES (?, ?, ?, 0)"),
                          {h.den, h.mesic, QString::fromUtf8(h.nazev)});
    if (!ok) {
        const QString e = t.lastErrorText();
        UnitOfWork(t).rollback();
        return fail(e);
    }
    UnitOfWork prace(t);
    return prace.commit() || fail(prace.errorText());
}

} // namespace

namespace kavro::demo {

bool fillTariffTables(Transaction& t) { return ::fillTariffTables(t); }

bool create(const QString& folder, const QString& dbPath, int days, int callsPerDay)
{
    QString error;
    if (!createDatabase(dbPath, QStringLiteral(KAVRO_DB_DIR), &error)) return fail(error);
    Transaction t;
    if (!t.connectFile(dbPath)) return fail(t.lastErrorText());
    if (!fillTariffTables(t)) return false;

    const quint32 seed = 7;
    gendata::DirectoryOptions d;
    d.seed = seed;
    d.extensions = 300;
    d.states = 0;
    d.cities = 0;
    d.subscribers = 3000;
    d.firms = 6;
    d.from = clock::today().addYears(-1);
    if (!gendata::fillDirectory(t, d, nullptr, &error)) return fail(error);

    gendata::Options o;
    o.seed = seed;
    o.extensions = d.extensions;
    o.days = days;
    o.firstDay = clock::today().addDays(-o.days);
    o.callsPerDay = callsPerDay;
    o.outDir = folder + QStringLiteral("/sberac");
    o.codes = gendata::codesFromDatabase(t);
    QDir().mkpath(o.outDir);
    if (!gendata::writeFiles(o)) return fail(QStringLiteral("denní soubory sběrače nelze zapsat do %1").arg(o.outDir));
    t.disconnect();

    Registry& r = Registry::instance();
    r.writeAll(kInstance, {{registr::DatovyAdresar, o.outDir + QStringLiteral("/")},
                           {registr::JmenoUzivatele, QStringLiteral("Ukázková firma s.r.o.")}});
    std::printf("Ukázková databáze %s a soubory sběrače v %s vytvořeny.\n", qPrintable(dbPath), qPrintable(o.outDir));
    return true;
}

} // namespace kavro::demo
