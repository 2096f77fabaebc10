// Import of collector files, and the platform's insert path.
#include <vector>
#include <QRegularExpression>
#include "benchmark.h"

#include "gendata/gendata.h"
#include "import/call_import.h"
#include "platform/database.h"
#include "platform/unit_of_work.h"

#include <QDir>
#include <QElapsedTimer>
#include <cstdio>

namespace kavro::benchmark {

QList<Figure> measureImport(Context& c)
{
    QList<Figure> out;
    gendata::Options o;
    o.outDir = c.workDir + QStringLiteral("/files");
    o.firstDay = QDate(2024, 1, 1);
    o.days = c.days;
    o.callsPerDay = int((c.calls + c.days - 1) / c.days);
    gendata::Result g;
    if (!gendata::writeFiles(o, &g)) {
        std::fprintf(stderr, "generating files: %s\n", qPrintable(g.error));
        return out;
    }
    std::printf("  %d files, %lld calls, %.1f MB\n", g.files, g.records, g.bytes / 1e6);
    QString error;
    if (!freshDatabase(c, QStringLiteral("import.db"), &error)) {
        std::fprintf(stderr, "database: %s\n", qPrintable(error));
        return out;
    }
    out << Figure{QStringLiteral("memory after generating (peak RSS)"), double(peakRssKiB()) / 1024, QStringLiteral("MiB")};

    Import_hovoru::Parametry p;
    p.typ_importu = 2;
    p.od = o.firstDay;
    p.do_ = o.firstDay.addDays(o.days - 1);
    p.adresar = o.outDir;

    QElapsedTimer t;
    t.start();
    Import_hovoru first(Transaction::main());
    const Import_hovoru::Souhrn s1 = first.Vkladej_soubory(p);
    const double sec1 = t.nsecsElapsed() / 1e9;
    if (s1.ulozeno != g.records)
        std::fprintf(stderr, "stored %lld of %lld calls\n", s1.ulozeno, g.records);
    out << Figure{QStringLiteral("import, new calls"), s1.ulozeno / sec1, QStringLiteral("calls/s"), 150000};
    out << Figure{QStringLiteral("memory after import (peak RSS)"), double(peakRssKiB()) / 1024, QStringLiteral("MiB")};

    t.restart();
    Import_hovoru again(Transaction::main());
    const Import_hovoru::Souhrn s2 = again.Vkladej_soubory(p);
    const double sec2 = t.nsecsElapsed() / 1e9;
    if (s2.duplicit != g.records)
        std::fprintf(stderr, "re-import found %lld of %lld calls stored\n", s2.duplicit, g.records);
    out << Figure{QStringLiteral("re-import, all calls stored already"), s2.vet / sec2, QStringLiteral("calls/s"), 300000};
    out << Figure{QStringLiteral("memory after re-import (peak RSS)"), double(peakRssKiB()) / 1024, QStringLiteral("MiB")};
    out << Figure{QStringLiteral("memory now (RSS)"), double(currentRssKiB()) / 1024, QStringLiteral("MiB")};
    Transaction::main().disconnect();
    return out;
}

QList<Figure> measurePlatformInsert(Context& c)
{
    QList<Figure> out;
    QString error;
    if (!freshDatabase(c, QStringLiteral("insert.db"), &error)) {
        std::fprintf(stderr, "database: %s\n", qPrintable(error));
        return out;
    }
    Transaction& tr = Transaction::main();
    // A table of the calls table's shape, keyed by the call number only.
    // The calls table's own definition (its key included) under another name, without its indexes.
    QString ddl = tr.scalar(QStringLiteral("SELECT sql FROM dba.sqlite_master WHERE type = 'table' AND name = 'hovory'"));
    ddl.replace(QRegularExpression(QStringLiteral("^CREATE TABLE\\s+hovory"), QRegularExpression::CaseInsensitiveOption),
                QStringLiteral("CREATE TABLE dba.hovory_tvar"));
    if (!tr.exec(ddl) || !UnitOfWork(tr).commit()) {
        std::fprintf(stderr, "%s\n", qPrintable(tr.lastErrorText()));
        return out;
    }
    for (const QString& table : {QStringLiteral("hovory_tvar"), QStringLiteral("hovory")}) {
    const qint64 n = c.calls;
    const QString sql = QStringLiteral(
        "INSERT INTO dba.") + table + QStringLiteral(" (id_hovoru, ustredna_datum_a_cas, ustredna_delka_hovoru, ustredna_volane_cislo, "
        "ustredna_pocet_impulsu, ustredna_prepojeni, tarifovat_hovor, ustredna_cislo_pobocky, status_hovoru, "
        "ustredna_cislo_linky, doplnkova_informace, kod_uctu) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    Query q(tr);
    // The values as a parsed record holds them, made before the clock starts:
    // the figure is the layer's (bind, run, store), not the making of texts.
    struct Row { QString datum, volane; qint64 impulsy, pobocka, linka; };
    std::vector<Row> rows(4096);
    for (size_t k = 0; k < rows.size(); ++k) {
        const int sec = int(k * 21 % 86400);
        rows[k] = Row{QString::asprintf("2024-01-01 %02d:%02d:%02d", sec / 3600, sec / 60 % 60, sec % 60),
                      QStringLiteral("0") + QString::number(200000000 + (k * 7919) % 700000000), qint64(k % 7),
                      qint64(100 + (k * 31) % 9000), qint64(701 + k % 40)};
    }
    const QString delka = QStringLiteral("00:02:10");
    const QString nula = QStringLiteral("0");
    QElapsedTimer t;
    t.start();
    qint64 failed = 0;
    for (qint64 i = 1; i <= n; ++i) {
        const Row& r = rows[size_t(i) % rows.size()];
        q.setSQL(sql);
        q.bind(1, i);
        q.bind(2, r.datum);
        q.bind(3, delka);
        q.bind(4, r.volane);
        q.bind(5, r.impulsy);
        q.bind(6, nula);
        q.bind(7, 0);
        q.bind(8, r.pobocka);
        q.bind(9, 2);
        q.bind(10, r.linka);
        q.bindNull(11);
        q.bindNull(12);
        if (!q.execute()) ++failed;
    }
    if (!UnitOfWork(tr).commit()) ++failed;
    const double sec = t.nsecsElapsed() / 1e9;
    if (failed) std::fprintf(stderr, "%lld inserts failed\n", failed);
    if (table == u"hovory_tvar")
        out << Figure{QStringLiteral("platform insert, calls' shape, one transaction, prepared"), n / sec,
                      QStringLiteral("rows/s"), 300000};
    else
        out << Figure{QStringLiteral("platform insert, calls table with its indexes"), n / sec,
                      QStringLiteral("rows/s")};
    }
    tr.disconnect();
    return out;
}

} // namespace kavro::benchmark
