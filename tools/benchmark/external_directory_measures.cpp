// The external directory tree on a large directory: 260 states, 2,000 cities
// and 50,000 subscribers, 10,000 of them in one city. Opening the window,
// expanding the largest city, and a find-next that walks the whole tree
// (every branch loaded on the way) without finding anything.
#include "benchmark.h"

#include "common/forms/hledej_text.h"
#include "common/tree_model.h"
#include "directory.h"
#include "external_directory/fdx_stat.h"
#include "external_directory/forms/nastaveni_cisla.h"
#include "platform/database.h"
#include "platform/forms/message_box.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTreeView>
#include <cstdio>

namespace kavro::benchmark {

namespace {

constexpr int VelkeMesto = 10000;

// The largest city gets 10,000 subscribers more than the generator gave it.
bool pridejVelkeMesto(QString& stat, QString& mesto, QString* error)
{
    Transaction& t = Transaction::main();
    Query q(t, QStringLiteral("SELECT kod_statu, kod_mesta FROM dba.ciselnik_mest WHERE kod_statu = '420' "
                              "ORDER BY kod_mesta"));
    if (!q.run() || q.atEnd()) {
        if (error) *error = QStringLiteral("no city of the home state");
        return false;
    }
    stat = q.value(1);
    mesto = q.value(2);
    q.close();
    Query ins(t);
    ins.setSQL(QStringLiteral("INSERT INTO dba.ciselnik_ucastniku (kod_statu, kod_mesta, Cislo_ucastnika, "
                              "nazev_ucastnika, Firma, Soukrome) VALUES (?, ?, ?, ?, ?, 'F')"));
    for (int i = 0; i < VelkeMesto; ++i) {
        ins.bind(1, stat);
        ins.bind(2, mesto);
        ins.bind(3, QStringLiteral("9%1").arg(i, 6, 10, QLatin1Char('0')));
        ins.bind(4, QStringLiteral("Účastník %1").arg(i));
        ins.bind(5, QStringLiteral("Firma %1").arg(i % 97));
        if (!ins.execute()) {
            if (error) *error = ins.lastErrorText();
            return false;
        }
    }
    if (!t.commit()) {
        if (error) *error = t.lastErrorText();
        return false;
    }
    return true;
}

QModelIndex polozka(LazyTreeModel* m, const QModelIndex& rodic, auto shoda)
{
    m->ensureLoaded(rodic);
    for (int r = 0; r < m->rowCount(rodic); ++r) {
        const QModelIndex i = m->index(r, 0, rodic);
        if (const FDX_Stat* z = m->record<FDX_Stat>(i); z && shoda(*z)) return i;
    }
    return {};
}

QList<Figure> measureExternalDirectory(Context& c)
{
    QList<Figure> out;
    QString error;
    gendata::DirectoryOptions o;
    o.states = 260;
    o.cities = 2000;
    o.subscribers = 50000 - VelkeMesto;
    gendata::DirectoryResult res;
    QString stat, mesto;
    if (!freshDatabase(c, QStringLiteral("external_directory.db"), &error)
        || !gendata::fillDirectory(Transaction::main(), o, &res, &error) || !pridejVelkeMesto(stat, mesto, &error)) {
        std::fprintf(stderr, "directory: %s\n", qPrintable(error));
        return out;
    }
    const qint64 ucastniku = Transaction::main().scalar(QStringLiteral("SELECT count(*) FROM dba.ciselnik_ucastniku")).toLongLong();
    out << Figure{QStringLiteral("(directory: %1 states, %2 cities, %3 subscribers)")
                      .arg(res.states)
                      .arg(res.cities)
                      .arg(ucastniku),
                  0, QString()};

    QElapsedTimer timer;
    timer.start();
    Nastaveni_cisla w;
    w.model()->ensureLoaded({});
    w.show();
    QApplication::processEvents();
    out << Figure{QStringLiteral("opening the window, ms (bar: under 300)"), timer.nsecsElapsed() / 1e6,
                  QStringLiteral("ms")};

    LazyTreeModel* m = w.model();
    auto* tv = w.findChild<QTreeView*>(QStringLiteral("tv_1"));
    const QModelIndex s = polozka(m, {}, [&](const FDX_Stat& z) { return z.kod_statu == stat; });
    tv->expand(s);
    const QModelIndex v = polozka(m, s, [&](const FDX_Stat& z) { return z.kod_mesta == mesto; });
    timer.restart();
    tv->expand(v);
    tv->setCurrentIndex(v);
    QApplication::processEvents();
    out << Figure{QStringLiteral("expanding the largest city (%1 subscribers), ms (bar: under 500)").arg(m->rowCount(v)),
                  timer.nsecsElapsed() / 1e6, QStringLiteral("ms")};

    // Find next from the first item for a text no item has: the whole tree is walked.
    setMessageAnswerer([](const MessageRequest&) { return int(ResultOk); });
    FDX_Hledej_item hledani;
    hledani.strom = tv;
    hledani.typ_vlastnika = TypUcastnici;
    hledani.hledany_text = QStringLiteral("nikde není");
    hledani.nalezena_polozka = CestaPolozky::z_indexu(m->index(0, 0));
    hledani.hledat_dalsi = hledani.nalezena_polozka;
    timer.restart();
    {
        hledej_text d(&w);
        d.Create(&w, &hledani);
    }
    QApplication::processEvents();
    const double hledani_ms = timer.nsecsElapsed() / 1e6;
    setMessageAnswerer({});
    qint64 polozek = 0;
    std::function<void(const QModelIndex&)> spocti = [&](const QModelIndex& p) {
        for (int r = 0; r < m->rowCount(p); ++r) {
            ++polozek;
            spocti(m->index(r, 0, p));
        }
    };
    spocti({});
    out << Figure{QStringLiteral("find next over the whole tree (%1 items), ms (bar: under 2000)").arg(polozek),
                  hledani_ms, QStringLiteral("ms")};
    w.hide();
    return out;
}

const MeasureRegistrar reg(QStringLiteral("external-directory"), measureExternalDirectory);

} // namespace

} // namespace kavro::benchmark
