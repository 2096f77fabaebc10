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
    // The price of one impulse in whole haléře, as the price dialog takes it (2,10 Kč).
    ok = ok && t.exec(QStringLiteral("INSERT INTO dba.cena_impulsu (Pocatek_platnosti, Konec_platnosti, Cena_Impulsu, Typ_ceny) "
                                     "VALUES ('2000-01-01', '9999-12-31', 210, 'A')"));
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

// What the demo adds to the generated directory and calls, so that every
// window and report has something to show after the first import.
struct Extras {
    QStringList local, longDistance, international; // subscribers as they are dialled
    QString unassigned; // an extension nobody holds
    QString pool;       // a free extension of the pool that still makes calls
    QString exchange;   // an extension held by the exchange itself
    QString unknownArea; // an area code the directory lacks
};

// Account codes, discounted periods, watched lines, free extensions in the
// pool and a pair of subscriber numbers one of which begins the other;
// committed. Fills `x` with the numbers the demo's calls use.
bool fillExtras(Transaction& t, const QStringList& extensions, const gendata::Codes& codes, const QDate& from,
                Extras& x)
{
    const QString open = QStringLiteral("9999-12-31 23:59:59");
    const QString start = from.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(" 00:00:00");
    bool ok = true;
    // Codes the generated calls carry (1000 + k * 37).
    struct Code {
        int k;
        const char* firma;
        const char* osoba;
        const char* poznamka;
    };
    const Code kody[] = {{0, "Ukázková firma s.r.o.", "Jana Nováková", "Obchodní oddělení"},
                         {1, "Ukázková firma s.r.o.", "Petr Svoboda", "Servis"},
                         {2, "Stavby Brno a.s.", "Eva Dvořáková", "Zakázka 2024/17"},
                         {3, "Stavby Brno a.s.", "Tomáš Černý", ""},
                         {4, "Nakladatelství Slunce", "Marie Horáková", "Redakce"},
                         {5, "Nakladatelství Slunce", "Pavel Veselý", "Sklad"}};
    for (const Code& c : kody)
        ok = ok
            && t.exec(QStringLiteral("INSERT INTO dba.ciselnik_uctovacich_kodu (Kod_uctu, Firma, Osoba, Poznamka) "
                                     "VALUES (?, ?, ?, ?)"),
                      {QString::number(1000 + c.k * 37), QString::fromUtf8(c.firma), QString::fromUtf8(c.osoba),
                       QString::fromUtf8(c.poznamka)});
    // Discounted calls to two neighbours: evenings on working days, and whole free days.
    for (const QString& stat : {QStringLiteral("421"), QStringLiteral("49")}) {
        ok = ok
            && t.exec(QStringLiteral("INSERT INTO dba.zlevnene_volani (kod_statu, pocatek_platnosti, konec_platnosti, "
                                     "od_casu, do_casu, perioda, typ_dne) VALUES (?, '2000-01-01', '9999-12-31', "
                                     "'18:00:00', '23:59:59', ?, 1)"),
                      {stat, stat == QLatin1String("421") ? 60 : 30});
        ok = ok
            && t.exec(QStringLiteral("INSERT INTO dba.zlevnene_volani (kod_statu, pocatek_platnosti, konec_platnosti, "
                                     "od_casu, do_casu, perioda, typ_dne) VALUES (?, '2000-01-01', '9999-12-31', "
                                     "'00:00:00', '23:59:59', ?, 2)"),
                      {stat, stat == QLatin1String("421") ? 90 : 45});
    }
    // Four watched lines.
    for (int i = 0; i < 4 && i < extensions.size(); ++i)
        ok = ok
            && t.exec(QStringLiteral("UPDATE dba.prirazeni_pobocek SET Dohled = '+' WHERE Cislo_pobocky = ? "
                                     "AND Konec_platnosti = ?"),
                      {extensions[i * (extensions.size() / 4)], open});
    // Free numbers: five in the pool, one held by the exchange itself, the
    // last one held by nobody at all.
    QStringList volna;
    for (int n = 100; n <= 999 && volna.size() < 7; ++n)
        if (!extensions.contains(QString::number(n))) volna << QString::number(n);
    for (int i = 0; i + 2 < volna.size(); ++i)
        ok = ok
            && t.exec(
                QStringLiteral("INSERT INTO dba.prirazeni_pobocek (Cislo_pobocky, Pocatek_platnosti, "
                               "Konec_platnosti, ID_firmy, ID_Oddeleni, ID_Osoby) VALUES (?, ?, ?, 9999, 9999, 9999)"),
                {volna[i], start, open});
    if (volna.size() == 7) {
        ok = ok
            && t.exec(QStringLiteral("INSERT INTO dba.prirazeni_pobocek (Cislo_pobocky, Pocatek_platnosti, "
                                     "Konec_platnosti, ID_firmy, ID_Oddeleni, ID_Osoby) VALUES (?, ?, ?, 0, 0, 0)"),
                      {volna[5], start, open});
        x.pool = volna[0];
        x.exchange = volna[5];
        x.unassigned = volna[6];
    }
    if (!ok) return false;

    // Subscribers the calls will dial: at home, elsewhere in the state and abroad.
    QString mesto;
    {
        Query site(t, QStringLiteral("SELECT kod_mesta FROM dba.konfigurace_mista"));
        if (!site.run()) return false;
        if (!site.atEnd()) mesto = site.value(1);
    }
    Query q(t,
            QStringLiteral("SELECT kod_statu, kod_mesta, Cislo_ucastnika FROM dba.ciselnik_ucastniku "
                           "ORDER BY kod_statu, kod_mesta, Cislo_ucastnika"));
    if (!q.run()) return false;
    for (; !q.atEnd(); q.next()) {
        const QString stat = q.value(1), area = q.value(2), cislo = q.value(3);
        if (stat == codes.homeState && area == mesto) {
            if (x.local.size() < 12) x.local << cislo;
        } else if (stat == codes.homeState) {
            if (x.longDistance.size() < 12) x.longDistance << codes.longDistancePrefix + area + cislo;
        } else if (x.international.size() < 12) {
            x.international << codes.internationalPrefix + stat + area + cislo;
        }
    }
    q.close();
    // One home subscriber's number begins another one's: the duplicate test has a case.
    if (!x.local.isEmpty())
        ok = t.exec(QStringLiteral("INSERT INTO dba.ciselnik_ucastniku (kod_statu, kod_mesta, Cislo_ucastnika, "
                                   "nazev_ucastnika, Firma, Soukrome) VALUES (?, ?, ?, ?, ?, 'F')"),
                    {codes.homeState, mesto, x.local.constFirst() + QStringLiteral("9"), QStringLiteral("Fax recepce"),
                     QStringLiteral("Hotel Slavia")});
    // An area code no home city has, nor begins.
    for (int a = 99; a >= 90 && x.unknownArea.isEmpty(); --a) {
        const QString kandidat = QString::number(a);
        bool volny = true;
        for (const QString& c : codes.areaCodes) volny &= !kandidat.startsWith(c) && !c.startsWith(kandidat);
        if (volny) x.unknownArea = kandidat;
    }
    if (!ok) return false;
    UnitOfWork prace(t);
    return prace.commit();
}

// Some of the generated calls dial the directory's subscribers, a few an
// unknown area, a few come from the extension nobody holds, from a free one
// of the pool and from one the exchange holds.
void adjustDay(const Extras& x, QList<gendata::Record>& records)
{
    int k = 0;
    for (int i = 0; i < records.size(); ++i) {
        gendata::Fields& f = records[i].fields;
        const QByteArray c = f.called;
        const bool local = !c.isEmpty() && c[0] >= '2' && c[0] <= '9';
        const bool international = c.startsWith("00");
        const bool longDistance = !international && c.startsWith('0');
        const auto vyber = [&](const QStringList& cisla) { return cisla.at(k++ % cisla.size()).toLatin1(); };
        bool zmena = true;
        if (i % 9 == 4 && local && !x.local.isEmpty())
            f.called = vyber(x.local);
        else if (i % 9 == 4 && longDistance && !x.longDistance.isEmpty())
            f.called = vyber(x.longDistance);
        else if (i % 9 == 4 && international && !x.international.isEmpty())
            f.called = vyber(x.international);
        else if (i % 61 == 7 && longDistance && !x.unknownArea.isEmpty())
            f.called = "0" + x.unknownArea.toLatin1() + c.mid(c.size() - 6);
        else
            zmena = false;
        if (i % 37 == 3 && !x.unassigned.isEmpty()) {
            f.extension = x.unassigned.toLatin1();
            zmena = true;
        } else if (i % 53 == 11 && !x.pool.isEmpty()) {
            f.extension = x.pool.toLatin1();
            zmena = true;
        } else if (i % 59 == 13 && !x.exchange.isEmpty()) {
            f.extension = x.exchange.toLatin1();
            zmena = true;
        }
        if (zmena) gendata::reframe(records[i]);
    }
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
    Extras x;
    if (!fillExtras(t, gendata::Generator(o).extensionNumbers(), o.codes, d.from, x)) {
        const QString e = t.lastErrorText();
        UnitOfWork(t).rollback();
        return fail(e);
    }
    o.adjustDay = [x](const QDate&, QList<gendata::Record>& records) { adjustDay(x, records); };
    QDir().mkpath(o.outDir);
    if (!gendata::writeFiles(o)) return fail(QStringLiteral("denní soubory sběrače nelze zapsat do %1").arg(o.outDir));
    t.disconnect();

    Registry& r = Registry::instance();
    r.writeAll(kInstance, {{registr::DatovyAdresar, o.outDir + QStringLiteral("/")},
                           {registr::JmenoUzivatele, QStringLiteral("Ukázková firma s.r.o.")}});
    // The period dialogs and the billing selection first offer the demo's days.
    r.writeAll(registr::Aplikace,
               {{registr::DatumOd, o.firstDay.toString(QStringLiteral("yyyy-MM-dd"))},
                {registr::DatumDo, clock::today().toString(QStringLiteral("yyyy-MM-dd"))}});
    std::printf("Ukázková databáze %s a soubory sběrače v %s vytvořeny.\n", qPrintable(dbPath), qPrintable(o.outDir));
    return true;
}

} // namespace kavro::demo
