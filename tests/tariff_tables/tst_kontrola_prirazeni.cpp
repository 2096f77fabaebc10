// The zone assignment window: lazy branches, drops between the trees, the
// find dialog and every way out.
#include "tariff_tables/forms/kontrola_prirazeni.h"

#include "ovladac.h"
#include "platform/database.h"
#include "tabulky_fixture.h"
#include "test_env.h"

#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QStatusBar>
#include <QTreeView>
#include <QtTest>
#include <memory>

using namespace kavro;
using test::najdi;

class TestKontrolaPrirazeni : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TestEnv> env;
    Transaction& t() { return Transaction::main(); }
    QString pasmoMesta(const char* mesto)
    {
        return t().scalar("SELECT id_pasma FROM dba.ciselnik_mest WHERE kod_statu = '420' AND kod_mesta = ?", {mesto});
    }
    static QModelIndex zona(LazyTreeModel& m, const QString& koren, const QString& nazev)
    {
        return najdi(m, nazev, najdi(m, koren));
    }
    // Drops `dragged` of `from` on `target` the way a view delivers it.
    static bool pretahni(Kontrola_Prirazeni& w, LazyTreeModel& from, const QModelIndex& dragged, const QModelIndex& target)
    {
        std::unique_ptr<QMimeData> data(from.mimeData({dragged}));
        const bool bere = w.pasma().canDropMimeData(data.get(), Qt::MoveAction, -1, -1, target);
        return bere && w.Presun(from, dragged, target);
    }

private slots:
    void init()
    {
        env = std::make_unique<test::TestEnv>();
        QVERIFY2(env->ok(), qPrintable(env->error()));
        for (const char* s : {
                 "DELETE FROM dba.ciselnik_mest", "DELETE FROM dba.ciselnik_statu",
                 "INSERT INTO dba.ciselnik_statu VALUES ('420', 'Česko', 4), ('49', 'Německo', 21), "
                 "('43', 'Rakousko', 9999), ('1', 'USA', 23)",
                 "INSERT INTO dba.ciselnik_mest (kod_statu, kod_mesta, nazev_mesta, id_pasma) VALUES "
                 "('420', '2', 'Praha', 1), ('420', '5', 'Brno', 9999), ('420', '56', 'Jihlava', 3), "
                 "('420', '60', 'Mobil', 10), ('49', '30', 'Berlín', 21)",
             })
            QVERIFY2(t().exec(QString::fromUtf8(s)), s);
        QVERIFY(t().commit());
    }
    void cleanup() { env.reset(); }

    void branchesLoadOnceAndEmptyZonesShowNoExpander()
    {
        test::Ovladac o;
        Kontrola_Prirazeni w;
        o.ukaz(w, [&](QWidget* okno) {
            LazyTreeModel& m = w.pasma();
            QCOMPARE(m.rowCount(), 3);
            QCOMPARE(w.neprirazene().rowCount(), 2);  // Rakousko, Brno
            const QModelIndex region = zona(m, "Vnitrostátní", "Regionální");
            QVERIFY(region.isValid());
            QVERIFY(!m.hasChildren(region));  // no city of zone 2
            const QModelIndex mistni = zona(m, "Vnitrostátní", "Místní");
            QVERIFY(m.hasChildren(mistni));
            m.ensureLoaded(mistni);
            QCOMPARE(m.rowCount(mistni), 1);
            // A second opening of the branch reads nothing.
            QVERIFY(t().exec("DELETE FROM dba.ciselnik_mest WHERE kod_mesta = '2'"));
            auto* tv = okno->findChild<QTreeView*>("tv_1");
            tv->expand(mistni);
            QCOMPARE(m.rowCount(mistni), 1);
            // The status bar shows the path without the padding.
            tv->setCurrentIndex(m.index(0, 0, mistni));
            QCOMPARE(okno->findChild<QStatusBar*>("status_bar")->currentMessage(),
                     QStringLiteral("Vnitrostátní - Místní - Praha"));
            // A right click selects the item under the mouse before its menu shows.
            const QModelIndex koren = m.index(2, 0);
            QCOMPARE(test::pravyKlik(tv, koren), QStringLiteral("popup_1"));
            QCOMPARE(tv->currentIndex(), koren);
            okno->findChild<QPushButton*>("cb_Cancel")->click();
        });
        QCOMPARE(t().scalar("SELECT count(*) FROM dba.ciselnik_mest WHERE kod_mesta = '2'"), QStringLiteral("1"));
    }

    // A drop onto a zone never opened shows the item once; refused drops
    // change nothing; "Ulož" keeps the moves.
    void dropsWriteTheMovedRowAndAreKeptBySave()
    {
        test::Ovladac o;
        Kontrola_Prirazeni w;
        o.ukaz(w, [&](QWidget* okno) {
            LazyTreeModel& m = w.pasma();
            LazyTreeModel& v = w.neprirazene();
            const QModelIndex rakousko = najdi(v, "Rakousko");
            // Refused (the rules are the logic test's): a state onto a domestic zone.
            QVERIFY(!pretahni(w, v, rakousko, zona(m, "Vnitrostátní", "Místní")));
            QVERIFY(!w.zmeneno());
            QCOMPARE(v.rowCount(), 2);

            const QModelIndex dalkove = zona(m, "Vnitrostátní", "Meziměstské I");
            QVERIFY(!m.isLoaded(dalkove));
            QVERIFY(pretahni(w, v, najdi(v, "Brno"), dalkove));
            QVERIFY(w.zmeneno());
            QCOMPARE(pasmoMesta("5"), QStringLiteral("3"));
            QCOMPARE(v.rowCount(), 1);
            QCOMPARE(test::texty(m, dalkove), (QStringList{"Jihlava                  (56)", "Brno                     (5)"}));

            // A city dropped on a city joins that city's zone.
            const QModelIndex mistni = zona(m, "Vnitrostátní", "Místní");
            QVERIFY(pretahni(w, m, najdi(m, "Jihlava", dalkove), najdi(m, "Praha", mistni)));
            QCOMPARE(pasmoMesta("56"), QStringLiteral("1"));
            QCOMPARE(m.rowCount(dalkove), 1);
            // A state onto a zone of "Ostatní služby" is accepted from the unassigned tree.
            QVERIFY(pretahni(w, v, najdi(v, "Rakousko"), zona(m, "Ostatní služby", "Mobilní")));
            okno->findChild<QPushButton*>("cb_OK")->click();
        });
        t().rollback();
        QCOMPARE(pasmoMesta("5"), QStringLiteral("3"));
        QCOMPARE(pasmoMesta("56"), QStringLiteral("1"));
        QCOMPARE(pasmoMesta("60"), QStringLiteral("10"));
        QCOMPARE(t().scalar("SELECT id_pasma FROM dba.ciselnik_statu WHERE kod_statu = '43'"), QStringLiteral("10"));
    }

    // "Opusť" and "No" to the close box's question drop the moves; "Yes" keeps them.
    void everyWayOut()
    {
        for (int zpusob = 0; zpusob < 3; ++zpusob) {
            test::Ovladac o;
            if (zpusob == 1) o.odpovidej({ResultNo});
            if (zpusob == 2) o.odpovidej({ResultYes});
            Kontrola_Prirazeni w;
            o.ukaz(w, [&](QWidget* okno) {
                QVERIFY(pretahni(w, w.neprirazene(), najdi(w.neprirazene(), "Brno"),
                                 zona(w.pasma(), "Vnitrostátní", "Místní")));
                if (zpusob == 0) okno->findChild<QPushButton*>("cb_Cancel")->click();
                else okno->close();
            });
            QCOMPARE(o.zpravy, zpusob == 0 ? QStringList()
                                           : QStringList{"V datech byly provedeny změny|Chcete změny uložit"});
            t().rollback();
            QCOMPARE(pasmoMesta("5"), zpusob == 2 ? QStringLiteral("1") : QStringLiteral("9999"));
        }
    }

    // A write the database refuses: a message, and the trees show what is stored.
    void aRefusedWriteLeavesTheTreesAsStored()
    {
        QVERIFY(test::odmitej("BEFORE UPDATE ON ciselnik_mest WHEN OLD.kod_mesta = '5'"));
        test::Ovladac o;
        Kontrola_Prirazeni w;
        o.ukaz(w, [&](QWidget* okno) {
            const QModelIndex mistni = zona(w.pasma(), "Vnitrostátní", "Místní");
            QVERIFY(!pretahni(w, w.neprirazene(), najdi(w.neprirazene(), "Brno"), mistni));
            QCOMPARE(w.neprirazene().rowCount(), 2);
            QCOMPARE(w.pasma().rowCount(mistni), 1);
            QVERIFY(!w.zmeneno());
            okno->findChild<QPushButton*>("cb_Cancel")->click();
        });
        QCOMPARE(o.zpravy.size(), 1);
        QVERIFY(o.zpravy[0].contains("zamitnuto"));
        QCOMPARE(pasmoMesta("5"), QStringLiteral("9999"));
    }

    // "Hledej" finds an item in a zone not opened yet and selects it.
    void findOpensTheZonesItPasses()
    {
        test::Ovladac o;
        Kontrola_Prirazeni w;
        auto hledej = [&](const QString& text) {
            o.pri("hledej_text", [text](QWidget* d) {
                test::napis(d, "textb_1", text);
                test::klik(d, "cb_hledej");
            });
            w.popup_1_Item0_Click();
        };
        test::spust(o, w, [&](QWidget* okno) {
            hledej("Berl");
            auto* tv = okno->findChild<QTreeView*>("tv_1");
            // Berlín is a city of Germany, not a domestic one: the search ends at Germany's zone states.
            QVERIFY(o.zpravy.contains("Text nenalezen|Položka s tímto textem nebyla nalezena"));
            o.zpravy.clear();
            hledej("Němec");
            QVERIFY(o.zpravy.isEmpty());
            QVERIFY(tv->currentIndex().data().toString().startsWith("Německo"));
            okno->findChild<QPushButton*>("cb_Cancel")->click();
        });
    }
};

QTEST_MAIN(TestKontrolaPrirazeni)
#include "tst_kontrola_prirazeni.moc"
