#pragma once
// The benchmark's measures. Each measure is one function that prepares its own
// data in the working folder, runs, and returns its figures; main() lists them.
#include <QList>
#include <QString>
#include <functional>
#include <initializer_list>

namespace kavro::benchmark {

struct Context {
    QString workDir;          // a temporary folder for files and databases
    qint64 calls = 1000000;   // size of the call data set
    int days = 30;
    QString dbDir;            // schema folder (default: the build's db/)
};

struct Figure {
    QString name;
    double value = 0;
    QString unit;
    double bar = 0;           // the value to reach (0: none)
    bool atMost = false;      // the bar is a maximum (times), not a minimum (rates)
};

struct Measure {
    QString name;
    std::function<QList<Figure>(Context&)> run;
};

// Measures of the windows and reports register themselves from their own file,
// after the measures main() lists:
//   static const MeasureRegistrar reg(QStringLiteral("zone-window"), measureZoneWindow);
// They run in the order of their names. The program runs as a QApplication
// (offscreen when no platform is set), so a measure may open windows.
QList<Measure>& registeredMeasures();
struct MeasureRegistrar {
    MeasureRegistrar(const QString& name, std::function<QList<Figure>(Context&)> run)
    {
        registeredMeasures().append({name, std::move(run)});
    }
};

// Peak resident memory of the process so far (KiB) and the current one.
qint64 peakRssKiB();
qint64 currentRssKiB();
// A fresh database in the working folder, connected as the program's transaction.
bool freshDatabase(const Context& c, const QString& name, QString* error);

// A fresh database `file` (a large cache) with the large directories and the
// data set's generated calls at stage 2, made into what a measure needs by
// `statements`, committed; false with the failing statement's error.
bool generatedCalls(const Context& c, const QString& file, std::initializer_list<const char*> statements,
                    QString* error);

// The generated calls (spread over 2024) in a fresh database `file`, as the
// tariffing leaves them: fully tariffed, typed by their dialled prefix, with
// the firm and department of the extension's assignment at the call's moment.
bool tariffedBrowserCalls(const Context& c, const QString& file, QString* error);

QList<Figure> measureImport(Context& c);
QList<Figure> measurePlatformInsert(Context& c);
QList<Figure> measureTariffing(Context& c);
QList<Figure> measureImportAndTariffing(Context& c);
QList<Figure> measureRetariffing(Context& c);

} // namespace kavro::benchmark
