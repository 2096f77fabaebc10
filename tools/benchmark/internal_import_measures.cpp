// The internal directory: importing a directory file, and listing the
// extensions that made calls without any assignment.
#include "benchmark.h"

#include "internal_directory/directory_import.h"
#include "internal_directory/directory_import_file.h"
#include "internal_directory/unassigned_extensions.h"
#include "platform/cp1250.h"
#include "platform/database.h"
#include "tarifovani_bulk.h"

#include <QElapsedTimer>
#include <QFile>
#include <cstdio>

namespace kavro::benchmark {

namespace {

// A CP1250 file of `lines` persons with one extension each: 25 firms of 8
// departments, surnames and first names with Czech letters.
QString directoryFile(const Context& c, int lines)
{
    const QString path = c.workDir + QStringLiteral("/vnitrni_seznam.txt");
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return {};
    QByteArray obsah;
    for (int i = 0; i < lines; ++i) {
        const QString radek = QStringLiteral("Firma Žluťoučká %1;Oddělení %2;Příjmení%3;Jméno%4;Ing.;%5\r\n")
                                  .arg(i % 25).arg(i % 200 / 25).arg(i).arg(i % 97).arg(10000 + i);
        obsah += toCp1250(radek);
    }
    f.write(obsah);
    return path;
}

QList<Figure> measureInternalImport(Context& c)
{
    QList<Figure> out;
    QString error;
    if (!freshDatabase(c, QStringLiteral("internal_import.db"), &error)) {
        std::fprintf(stderr, "database: %s\n", qPrintable(error));
        return out;
    }
    const int lines = 5000;
    const QString path = directoryFile(c, lines);
    Transaction& t = Transaction::main();
    QElapsedTimer timer;
    timer.start();
    QList<Str_firma> radky;
    DirectoryImportFile soubor(QStringLiteral("123456"), QStringLiteral(";;;;;;"));
    if (soubor.nacti(path, radky, &error) != DirectoryImportFile::Vysledek::Nacteno) {
        std::fprintf(stderr, "file: %s\n", qPrintable(error));
        return out;
    }
    DirectoryImport imp;
    for (const Str_firma& r : radky) imp.Vloz_item(r);
    if (!imp.uloz(t, QStringLiteral("2024-05-01 00:00:00"), &error) || !t.commit()) {
        std::fprintf(stderr, "import: %s\n", qPrintable(error));
        return out;
    }
    // The bar is 5,000 lines in under 2 s.
    const double sec = timer.nsecsElapsed() / 1e9;
    out << Figure{QStringLiteral("directory import of 5,000 lines, time"), sec * 1000, QStringLiteral("ms")};
    out << Figure{QStringLiteral("directory import of 5,000 lines"), lines / sec, QStringLiteral("lines/s"), 2500};
    t.disconnect();
    return out;
}

QList<Figure> measureUnassignedExtensions(Context& c)
{
    QList<Figure> out;
    QString error;
    if (!freshDatabase(c, QStringLiteral("unassigned.db"), &error)
        || !Transaction::main().connectFile(c.workDir + QStringLiteral("/unassigned.db"), 512 * 1024)
        || !fillLargeDirectories(&error) || !addGeneratedCalls(1, c.calls, &error)) {
        std::fprintf(stderr, "database: %s\n", qPrintable(error));
        return out;
    }
    Transaction& t = Transaction::main();
    // A tenth of the extensions lose their assignment of the second half of 2023.
    if (!t.exec(QStringLiteral("DELETE FROM dba.prirazeni_pobocek WHERE CAST(Cislo_pobocky AS INTEGER) % 10 = 3 "
                               "AND Pocatek_platnosti = '2023-07-01 00:00:00'"))
        || !t.commit()) {
        std::fprintf(stderr, "directory: %s\n", qPrintable(t.lastErrorText()));
        return out;
    }
    UnassignedExtensions u(t);
    QList<NeprirazenyBeh> behy;
    QElapsedTimer timer;
    timer.start();
    if (!u.nacti(behy)) {
        std::fprintf(stderr, "calls: %s\n", qPrintable(u.chyba()));
        return out;
    }
    // The bar is 1,000,000 calls in under 3 s.
    const double sec = timer.nsecsElapsed() / 1e9;
    out << Figure{QStringLiteral("extensions found in %1 calls (%2 lines), time").arg(c.calls).arg(behy.size()),
                  sec * 1000, QStringLiteral("ms")};
    out << Figure{QStringLiteral("extensions found in calls"), c.calls / sec, QStringLiteral("calls/s"), 1e6 / 3};
    t.rollback();
    t.disconnect();
    return out;
}

static const MeasureRegistrar regImport(QStringLiteral("internal-import"), measureInternalImport);
static const MeasureRegistrar regUnassigned(QStringLiteral("internal-unassigned-extensions"), measureUnassignedExtensions);

} // namespace

} // namespace kavro::benchmark
