// Tariffing: a full run from stage 2 to 10, and import plus tariffing of the whole set.
#include "benchmark.h"

#include "gendata/gendata.h"
#include "import/call_import.h"
#include "tariffing/tarifovani.h"
#include "platform/database.h"
#include "tarifovani_bulk.h"

#include <QElapsedTimer>
#include <cstdio>

namespace kavro::benchmark {

namespace {

// A fresh database with large directories (about 260 states, 2,100 cities,
// 50,000 subscribers, 2,000 extensions with three assignments each) and a
// page cache a site with a large call table would set.
bool directories(const Context& c, const QString& name)
{
    QString error;
    if (!freshDatabase(c, name, &error)
        || !Transaction::main().connectFile(c.workDir + QLatin1Char('/') + name, 512 * 1024)
        || !fillLargeDirectories(&error)) {
        std::fprintf(stderr, "database: %s\n", qPrintable(error));
        return false;
    }
    return true;
}

} // namespace

QList<Figure> measureTariffing(Context& c)
{
    QList<Figure> out;
    if (!directories(c, QStringLiteral("tariffing.db"))) return out;
    QString error;
    if (!addGeneratedCalls(1, c.calls, &error)) {
        std::fprintf(stderr, "calls: %s\n", qPrintable(error));
        return out;
    }
    Tarifovani t;
    QElapsedTimer timer;
    // KAVRO_BENCH_STEPS=1 prints the time of each step of the run.
    QElapsedTimer step;
    QString last;
    if (qEnvironmentVariableIsSet("KAVRO_BENCH_STEPS"))
        QObject::connect(&t, &Tarifovani::status, [&](const QString& text) {
            if (!last.isEmpty()) std::printf("    %-50s %6.2f s\n", qPrintable(last), step.nsecsElapsed() / 1e9);
            last = text.isEmpty() ? QStringLiteral("(end)") : text;
            step.start();
        });
    timer.start();
    if (t.tarifikuj() != Tarifovani::Vysledek::Hotovo) {
        std::fprintf(stderr, "tariffing: %s\n", qPrintable(t.message()));
        return out;
    }
    const double sec = timer.nsecsElapsed() / 1e9;
    if (!last.isEmpty()) std::printf("    %-50s %6.2f s\n", qPrintable(last), step.nsecsElapsed() / 1e9);
    last.clear();
    out << Figure{QStringLiteral("tariffing, full run from stage 2 to 10"), c.calls / sec, QStringLiteral("calls/s"), 50000};
    // A second run with 1,000 new calls: its cost follows the new calls, not the tariffed ones.
    if (!addGeneratedCalls(c.calls + 1, 1000, &error)) return out;
    timer.restart();
    t.tarifikuj();
    out << Figure{QStringLiteral("tariffing of 1,000 new calls beside the tariffed ones"), timer.nsecsElapsed() / 1e6,
                  QStringLiteral("ms")};
    Transaction::main().disconnect();
    return out;
}

QList<Figure> measureImportAndTariffing(Context& c)
{
    QList<Figure> out;
    gendata::Options o;
    o.outDir = c.workDir + QStringLiteral("/files_tarif");
    o.firstDay = QDate(2024, 1, 1);
    o.days = c.days;
    o.callsPerDay = int((c.calls + c.days - 1) / c.days);
    gendata::Result g;
    if (!gendata::writeFiles(o, &g)) {
        std::fprintf(stderr, "generating files: %s\n", qPrintable(g.error));
        return out;
    }
    if (!directories(c, QStringLiteral("import_tariffing.db"))) return out;
    Import_hovoru::Parametry p;
    p.typ_importu = 2;
    p.od = o.firstDay;
    p.do_ = o.firstDay.addDays(o.days - 1);
    p.adresar = o.outDir;
    std::unique_ptr<TariffingRun> run = Tarifovani::proImport();
    QElapsedTimer timer;
    timer.start();
    Import_hovoru imp(Transaction::main());
    imp.setTariffingRun(run.get());
    const Import_hovoru::Souhrn s = imp.Vkladej_soubory(p);
    const double sec = timer.nsecsElapsed() / 1e9;
    const QString left = Transaction::main().scalar(QStringLiteral("SELECT count(*) FROM dba.hovory WHERE status_hovoru <> 10"));
    if (left != u"0") std::fprintf(stderr, "%s calls left below stage 10\n", qPrintable(left));
    out << Figure{QStringLiteral("import plus tariffing of the whole set"), sec, QStringLiteral("s")};
    out << Figure{QStringLiteral("import plus tariffing, calls per second (bar: the set in 40 s)"), s.ulozeno / sec,
                  QStringLiteral("calls/s"), double(c.calls) / 40.0};
    Transaction::main().disconnect();
    return out;
}

} // namespace kavro::benchmark
