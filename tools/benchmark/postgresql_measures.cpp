// Import and tariffing of the call set on a PostgreSQL server, beside the same
// work on the database file. The server comes from PGHOST, PGPORT, PGUSER (and
// PGPASSWORD), or from the state folder of tools/pg_test_server.sh named by
// KAVRO_TEST_PG_STATE; without one the measure says so and is skipped.
#include "benchmark.h"

#include "gendata/gendata.h"
#include "import/call_import.h"
#include "platform/database.h"
#include "tariffing/tarifovani.h"
#include "tarifovani_data.h"
#include "test_env.h"

#include <QElapsedTimer>
#include <QProcess>
#include <cstdio>

namespace kavro::benchmark {

namespace {

QString env(const char* name, const char* fallback)
{
    const QString v = qEnvironmentVariable(name);
    return v.isEmpty() ? QString::fromLatin1(fallback) : v;
}

bool run(const QString& program, const QStringList& args, QString* error)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(300000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        *error = program + QStringLiteral(": ") + QString::fromLocal8Bit(p.readAllStandardError()) + p.errorString();
        return false;
    }
    return true;
}

// A fresh database on the server, connected as the program's transaction.
bool freshServerDatabase(const Context& c, QString* error)
{
    Transaction::main().disconnect();
    const QString name = QStringLiteral("kavro_benchmark");
    const QString dbDir = c.dbDir.isEmpty() ? QStringLiteral(KAVRO_DB_DIR) : c.dbDir;
    if (!run(QStringLiteral("psql"), {QStringLiteral("-X"), QStringLiteral("-q"), QStringLiteral("-d"), QStringLiteral("postgres"),
                                      QStringLiteral("-c"), QStringLiteral("DROP DATABASE IF EXISTS ") + name},
             error)
        || !run(QStringLiteral("bash"), {dbDir + QStringLiteral("/postgresql/create.sh"), name}, error))
        return false;
    QString s = QStringLiteral("Driver={%1};Server=%2;Port=%3;Database=%4;UID=%5")
                    .arg(env("KAVRO_TEST_PG_DRIVER", "PostgreSQL Unicode"), env("PGHOST", "127.0.0.1"), env("PGPORT", "5432"),
                         name, env("PGUSER", "postgres"));
    if (!qEnvironmentVariableIsEmpty("PGPASSWORD")) s += QStringLiteral(";PWD=") + qEnvironmentVariable("PGPASSWORD");
    if (!Transaction::main().connectServer(s)) {
        *error = Transaction::main().lastErrorText();
        return false;
    }
    return true;
}

// Imports the files with the tariffing run switched off, then tariffs them all
// (with the tests' tariff tables and site).
void importAndTariff(const QString& engine, const QString& dir, const gendata::Options& o, qint64 records, QList<Figure>& out)
{
    QString error;
    if (!test::fillTariffData(&error) || !Transaction::main().commit()) {
        std::fprintf(stderr, "%s: tariff data: %s\n", qPrintable(engine), qPrintable(error));
        return;
    }
    Import_hovoru::Parametry p;
    p.typ_importu = 2;
    p.od = o.firstDay;
    p.do_ = o.firstDay.addDays(o.days - 1);
    p.adresar = dir;
    QElapsedTimer t;
    t.start();
    Import_hovoru imp(Transaction::main());
    const Import_hovoru::Souhrn s = imp.Vkladej_soubory(p);
    const double sec = t.nsecsElapsed() / 1e9;
    if (s.ulozeno != records) std::fprintf(stderr, "%s: stored %lld of %lld calls\n", qPrintable(engine), s.ulozeno, records);
    out << Figure{engine + QStringLiteral(": import of the call set"), s.ulozeno / sec, QStringLiteral("calls/s"), 30000};
    Tarifovani tar;
    // KAVRO_BENCH_STEPS=1 prints the time of each step of the run.
    QElapsedTimer krok;
    QString posledni;
    if (qEnvironmentVariableIsSet("KAVRO_BENCH_STEPS"))
        QObject::connect(&tar, &Tarifovani::status, [&](const QString& text) {
            if (!posledni.isEmpty()) std::printf("    %-50s %6.2f s\n", qPrintable(posledni), krok.nsecsElapsed() / 1e9);
            posledni = text.isEmpty() ? QStringLiteral("(end)") : text;
            krok.start();
        });
    t.restart();
    if (tar.tarifikuj() != Tarifovani::Vysledek::Hotovo) {
        std::fprintf(stderr, "%s: tariffing: %s\n", qPrintable(engine), qPrintable(tar.message()));
        return;
    }
    out << Figure{engine + QStringLiteral(": tariffing of the call set"), records / (t.nsecsElapsed() / 1e9),
                  QStringLiteral("calls/s"), 30000};
}

QList<Figure> measurePostgresql(Context& c)
{
    QList<Figure> out;
    test::onServer(); // takes the test server's variables when KAVRO_TEST_PG_STATE names it
    if (qEnvironmentVariableIsEmpty("PGHOST") && qEnvironmentVariableIsEmpty("PGPORT")) {
        std::printf("  skipped: no PostgreSQL server configured (PGHOST, PGPORT, PGUSER or KAVRO_TEST_PG_STATE)\n");
        return out;
    }
    gendata::Options o;
    o.outDir = c.workDir + QStringLiteral("/files_pg");
    o.firstDay = QDate(2024, 1, 1);
    o.days = c.days;
    o.callsPerDay = int((c.calls + c.days - 1) / c.days);
    gendata::Result g;
    if (!gendata::writeFiles(o, &g)) {
        std::fprintf(stderr, "generating files: %s\n", qPrintable(g.error));
        return out;
    }
    QString error;
    if (!freshDatabase(c, QStringLiteral("engines.db"), &error)) {
        std::fprintf(stderr, "database: %s\n", qPrintable(error));
        return out;
    }
    importAndTariff(QStringLiteral("SQLite"), o.outDir, o, g.records, out);
    if (!freshServerDatabase(c, &error)) {
        std::printf("  PostgreSQL skipped: %s\n", qPrintable(error));
        Transaction::main().disconnect();
        return out;
    }
    importAndTariff(QStringLiteral("PostgreSQL"), o.outDir, o, g.records, out);
    Transaction::main().disconnect();
    return out;
}

} // namespace

static const MeasureRegistrar reg(QStringLiteral("postgresql"), measurePostgresql);

} // namespace kavro::benchmark
