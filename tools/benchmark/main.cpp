// kavro-benchmark [--calls N] [--days D] [--only NAME]: prints the figures of
// each measure on a generated data set.
#include "benchmark.h"
#include "../volby.h"

#include <QCommandLineParser>
#include <QApplication>
#include <algorithm>
#include <QTemporaryDir>
#include <cstdio>

using namespace kavro::benchmark;

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    kavro::nastroje::Pouziti u;
    u.program = QStringLiteral("kavro-benchmark");
    u.popis = QStringLiteral("Měření rychlosti importu, tarifikace, oken a sestav na vygenerovaných datech.");
    u.volby = {
        {QStringLiteral("calls"), QStringLiteral("Počet hovorů"), QStringLiteral("n"), QStringLiteral("1000000")},
        {QStringLiteral("days"), QStringLiteral("Počet dní"), QStringLiteral("n"), QStringLiteral("30")},
        {QStringLiteral("db-dir"), QStringLiteral("Složka se schématem databáze"), QStringLiteral("složka")},
        {QStringLiteral("only"), QStringLiteral("Jen měření tohoto jména"), QStringLiteral("jméno")},
    };
    QCommandLineParser p;
    int kod = 0;
    if (!kavro::nastroje::zpracujVolby(p, app.arguments(), u, &kod)) return kod;

    QTemporaryDir dir;
    Context c;
    c.workDir = dir.path();
    c.calls = qMax<qint64>(1, p.value(QStringLiteral("calls")).toLongLong());
    c.days = qMax(1, p.value(QStringLiteral("days")).toInt());
    c.dbDir = p.value(QStringLiteral("db-dir"));

    // Each measure in turn; a new measure is one more line here.
    QList<Measure> measures = {
        {QStringLiteral("import"), measureImport},
        {QStringLiteral("platform-insert"), measurePlatformInsert},
        {QStringLiteral("tariffing"), measureTariffing},
        {QStringLiteral("import-tariffing"), measureImportAndTariffing},
        {QStringLiteral("retariff"), measureRetariffing},
    };
    QList<Measure> more = registeredMeasures();
    std::sort(more.begin(), more.end(), [](const Measure& a, const Measure& b) { return a.name < b.name; });
    measures += more;
    std::printf("Data set: %lld calls over %d days\n", c.calls, c.days);
    bool allMet = true;
    for (const Measure& m : measures) {
        if (p.isSet(QStringLiteral("only")) && p.value(QStringLiteral("only")) != m.name) continue;
        std::printf("%s\n", qPrintable(m.name));
        for (const Figure& f : m.run(c)) {
            const bool met = f.bar <= 0 || (f.atMost ? f.value <= f.bar : f.value >= f.bar);
            allMet &= met;
            if (f.bar > 0)
                std::printf("  %-58s %12.0f %s (bar %s%.0f%s)\n", qPrintable(f.name), f.value, qPrintable(f.unit),
                            f.atMost ? "at most " : "", f.bar,
                            met ? "" : ", NOT MET");
            else
                std::printf("  %-58s %12.1f %s\n", qPrintable(f.name), f.value, qPrintable(f.unit));
        }
        std::fflush(stdout);
    }
    std::printf("%s\n", allMet ? "All bars met." : "Some bars not met.");
    return 0;
}
