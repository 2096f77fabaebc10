// Re-identification of the called parties of every stored call, and
// re-tariffing of a 30-day period of them.
#include "benchmark.h"

#include "tariffing/reidentifikace.h"
#include "tariffing/tarifovani.h"
#include "tariffing/znovu_otarifuj.h"
#include "platform/database.h"
#include "platform/unit_of_work.h"
#include "tarifovani_bulk.h"

#include <QDate>
#include <QElapsedTimer>
#include <cstdio>

namespace kavro::benchmark {

QList<Figure> measureRetariffing(Context& c)
{
    QList<Figure> out;
    QString error;
    const QString name = QStringLiteral("retariff.db");
    if (!freshDatabase(c, name, &error)
        || !Transaction::main().connectFile(c.workDir + QLatin1Char('/') + name, 512 * 1024)
        || !fillLargeDirectories(&error) || !addGeneratedCalls(1, c.calls, &error)) {
        std::fprintf(stderr, "database: %s\n", qPrintable(error));
        return out;
    }
    // The stored calls are tariffed, as they are when the administrator
    // identifies or tariffs them again.
    QElapsedTimer timer;
    timer.start();
    {
        Tarifovani t;
        if (t.tarifikuj() != Tarifovani::Vysledek::Hotovo) {
            std::fprintf(stderr, "tariffing: %s\n", qPrintable(t.message()));
            return out;
        }
    }
    out << Figure{QStringLiteral("(preparation: tariffing of the whole set)"), timer.nsecsElapsed() / 1e9,
                  QStringLiteral("s")};

    Reidentifikace r;
    timer.restart();
    if (!r.Nalezeni_ucastniku()) {
        std::fprintf(stderr, "re-identification: %s\n", qPrintable(r.message()));
        return out;
    }
    double sec = timer.nsecsElapsed() / 1e9;
    out << Figure{QStringLiteral("re-identification of all stored calls"), c.calls / sec, QStringLiteral("calls/s"),
                  50000};

    // The first 30 days of the calls.
    Znovu_otarifuj z;
    const QString od = z.navrzene_obdobi().od;
    const QString do_ = QDate::fromString(od, Qt::ISODate).addDays(29).toString(Qt::ISODate);
    const qint64 calls = Transaction::main()
                             .scalar(QStringLiteral("SELECT count(*) FROM dba.hovory WHERE ustredna_datum_a_cas >= ? "
                                                    "AND ustredna_datum_a_cas < ?"),
                                     {od, QDate::fromString(do_, Qt::ISODate).addDays(1).toString(Qt::ISODate)})
                             .toLongLong();
    timer.restart();
    if (z.otarifuj(od, do_) != Znovu_otarifuj::Vysledek::Hotovo) {
        std::fprintf(stderr, "re-tariffing: %s\n", qPrintable(z.message()));
        return out;
    }
    sec = timer.nsecsElapsed() / 1e9;
    out << Figure{QStringLiteral("re-tariffing of 30 days (%1 calls), calls per second").arg(calls), calls / sec,
                  QStringLiteral("calls/s"), 50000};
    out << Figure{QStringLiteral("re-tariffing of 30 days, per day"), sec * 1000 / qMax<qsizetype>(1, z.hotoveDny().size()),
                  QStringLiteral("ms")};

    // Again after every impulse period and every surname changed: each call
    // of the period ends otherwise than stored and is written again.
    if (!Transaction::main().exec(QStringLiteral("UPDATE dba.perioda_impulsu SET perioda = perioda + 7"))
        || !Transaction::main().exec(QStringLiteral("UPDATE dba.ciselnik_osob SET prijmeni = prijmeni || ' ml.'"))
        || !UnitOfWork(Transaction::main()).commit()) {
        std::fprintf(stderr, "tables: %s\n", qPrintable(Transaction::main().lastErrorText()));
        return out;
    }
    timer.restart();
    if (z.otarifuj(od, do_) != Znovu_otarifuj::Vysledek::Hotovo) {
        std::fprintf(stderr, "re-tariffing: %s\n", qPrintable(z.message()));
        return out;
    }
    sec = timer.nsecsElapsed() / 1e9;
    out << Figure{QStringLiteral("the same after tariff tables and persons changed"), calls / sec,
                  QStringLiteral("calls/s"), 50000};
    Transaction::main().disconnect();
    return out;
}

} // namespace kavro::benchmark
