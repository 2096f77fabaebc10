// Speed of the tariffing on a large generated data set. Not run by default:
//   test_import --gtest_also_run_disabled_tests --gtest_filter='*Benchmark*'
// KAVRO_BENCH_CALLS sets the number of calls (default 1,000,000).
#include "import/tarifovani.h"
#include "platform/database.h"
#include "tarifovani_bulk.h"
#include "test_env.h"

#include <QElapsedTimer>
#include <QFile>
#include <gtest/gtest.h>
#include <cstdio>

using namespace kavro;
using namespace kavro::test;

TEST(TarifovaniBenchmark, DISABLED_FullRunOnGeneratedCalls)
{
    TestEnv env;
    ASSERT_TRUE(env.ok());
    // The engine's page cache as a site with a large call table would set it ("-c 512M").
    ASSERT_TRUE(Transaction::main().connectFile(env.databasePath(), 512 * 1024));
    const qint64 calls = qEnvironmentVariableIsSet("KAVRO_BENCH_CALLS")
        ? qEnvironmentVariable("KAVRO_BENCH_CALLS").toLongLong() : 1000000;
    QString error;
    QElapsedTimer timer;
    if (qEnvironmentVariableIsSet("KAVRO_BENCH_LOAD")) {
        // A data set saved by an earlier run (KAVRO_BENCH_SAVE), calls at stage 2.
        Transaction::main().disconnect();
        QFile::remove(env.databasePath());
        ASSERT_TRUE(QFile::copy(qEnvironmentVariable("KAVRO_BENCH_LOAD"), env.databasePath()));
        ASSERT_TRUE(Transaction::main().connectFile(env.databasePath(), 512 * 1024));
    } else {
        ASSERT_TRUE(fillLargeDirectories(&error)) << error.toStdString();
        timer.start();
        ASSERT_TRUE(addGeneratedCalls(1, calls, &error)) << error.toStdString();
        std::printf("generated %lld calls in %.1f s\n", calls, timer.elapsed() / 1000.0);
    }

    if (qEnvironmentVariableIsSet("KAVRO_BENCH_SAVE")) {
        Transaction::main().exec(QStringLiteral("PRAGMA dba.wal_checkpoint(TRUNCATE)"));
        QFile::copy(env.databasePath(), qEnvironmentVariable("KAVRO_BENCH_SAVE"));
    }
    Tarifovani t;
    QElapsedTimer step;
    QString last;
    QObject::connect(&t, &Tarifovani::status, [&](const QString& s) {
        if (!last.isEmpty()) std::printf("  %-60s %6.2f s\n", qPrintable(last), step.elapsed() / 1000.0);
        last = s;
        step.start();
    });
    timer.start();
    step.start();
    ASSERT_EQ(t.tarifikuj(), Tarifovani::Vysledek::Hotovo) << t.message().toStdString();
    const double s = timer.elapsed() / 1000.0;
    std::printf("tariffing of %lld calls: %.1f s, %.0f calls/s\n", calls, s, calls / s);
    EXPECT_EQ(Transaction::main().scalar(QStringLiteral("SELECT count(*) FROM dba.hovory WHERE status_hovoru <> 10")),
              QStringLiteral("0"));

    // A second run with a few new calls costs by those calls, not by the tariffed ones.
    ASSERT_TRUE(addGeneratedCalls(calls + 1, 1000, &error)) << error.toStdString();
    last.clear();
    timer.start();
    ASSERT_EQ(t.tarifikuj(), Tarifovani::Vysledek::Hotovo);
    std::printf("second run, 1000 new calls: %.2f s\n", timer.elapsed() / 1000.0);
    const auto count = [](const char* w) {
        return Transaction::main().scalar(QStringLiteral("SELECT count(*) FROM dba.hovory WHERE %1").arg(QString::fromLatin1(w)))
            .toStdString();
    };
    std::printf("charged %s, with subscriber %s, with firm %s, with zone %s\n", count("tarifovat_hovor = 1").c_str(),
                count("cislo_ucastnika IS NOT NULL").c_str(), count("id_firmy IS NOT NULL").c_str(),
                count("id_pasma IS NOT NULL").c_str());
}
