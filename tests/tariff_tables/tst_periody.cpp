// The zone editor and the discounted periods: branches, the range and band
// operations through their dialogs, refusals and every way out.
#include "tariff_tables/forms/f_zlevnene_sazby.h"
#include "tariff_tables/forms/nastaveni_tarifnich_pasem.h"

#include "frame/menu_ids.h"
#include "frame/prikazy_menu.h"
#include "ovladac.h"
#include "tariff_tables/forms/prikazy_tarifnich_tabulek.h"
#include "platform/database.h"
#include "tabulky_fixture.h"
#include "test_env.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeView>
#include <QtTest>
#include <memory>

using namespace kavro;

using test::najdi;
using test::platnost;
using test::radkyPeriod;
using test::spust;
using test::texty;

class TestPeriody : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TestEnv> env;
    Transaction& t() { return Transaction::main(); }

    static void vyber(QWidget* okno, const QModelIndex& i) { okno->findChild<QTreeView*>("tv_1")->setCurrentIndex(i); }

private slots:
    void init()
    {
        env = std::make_unique<test::TestEnv>();
        QVERIFY2(env->ok(), qPrintable(env->error()));
        QVERIFY(t().exec("INSERT INTO dba.perioda_impulsu (id_pasma, pocatek_platnosti, konec_platnosti, od_casu, "
                         "do_casu, perioda, typ_dne) VALUES "
                         "(1, '2000-01-01', '2009-12-31', '00:00:00', '23:59:59', 60, 1), "
                         "(1, '2010-01-01', '9999-12-31', '19:00:00', '23:59:59', 90, 2), "
                         "(1, '2010-01-01', '9999-12-31', '07:00:00', '18:59:59', 30, 1), "
                         "(1, '2010-01-01', '9999-12-31', '00:00:00', '06:59:59', 90, 1)"));
        QVERIFY(t().commit());
    }
    void cleanup() { env.reset(); }

    void newItemsGoWhereTheirMenuSays()
    {
        test::Ovladac o;
        Nastaveni_tarifnich_pasem w;
        spust(o, w, [&](QWidget* okno) {
            LazyTreeModel& m = w.strom();
            const QModelIndex mistni = najdi(m, "Místní");
            const QModelIndex regionalni = najdi(m, "Regionální");
            QVERIFY(!m.hasChildren(regionalni));  // no period rows
            QVERIFY(m.hasChildren(mistni));
            QCOMPARE(texty(m, mistni), (QStringList{"od : 2000-01-01 Do : 2009-12-31", "od : 2010-01-01 Do : 9999-12-31"}));
            const QModelIndex nova = najdi(m, "od : 2010", mistni);
            QCOMPARE(texty(m, nova).size(), 3);

            // A range from a zone's menu goes under the zone, from a range's menu beside it.
            o.pri("Z_Popis_platnosti_od_do_datum", platnost("2020-01-01", "2020-12-31"));
            vyber(okno, regionalni);
            w.PopupMenu(2, 1);
            QCOMPARE(texty(m, regionalni), QStringList{"od : 2020-01-01 Do : 2020-12-31"});
            vyber(okno, nova);
            o.pri("Z_Popis_platnosti_od_do_datum", platnost("2021-01-01", "2021-12-31"));
            w.PopupMenu(2, 1);
            QCOMPARE(m.rowCount(mistni), 3);
            // A band into a range never opened is shown once.
            const QModelIndex stara = najdi(m, "od : 2000", mistni);
            QVERIFY(!m.isLoaded(stara));
            vyber(okno, stara);
            o.pri("Z_Oprava_platnosti_od_do_cas", test::cas(2, "00:00:00", "23:59:59", "120"));
            w.PopupMenu(3, 1);
            QCOMPARE(m.rowCount(stara), 2);
            // A new range with a band is stored; one without a band is not.
            const QModelIndex r2020 = m.index(0, 0, regionalni);
            vyber(okno, r2020);
            o.pri("Z_Oprava_platnosti_od_do_cas", test::cas(1, "00:00:00", "23:59:59", "45"));
            w.PopupMenu(3, 1);
            QVERIFY(w.zmeneno());
            okno->findChild<QPushButton*>("cb_OK")->click();
        });
        t().rollback();
        QCOMPARE(radkyPeriod("perioda_impulsu"),
                 QStringLiteral("1 2000-01-01 2009-12-31 00:00:00-23:59:59=60/1 | "
                                "1 2000-01-01 2009-12-31 00:00:00-23:59:59=120/2 | "
                                "1 2010-01-01 9999-12-31 00:00:00-06:59:59=90/1 | "
                                "1 2010-01-01 9999-12-31 07:00:00-18:59:59=30/1 | "
                                "1 2010-01-01 9999-12-31 19:00:00-23:59:59=90/2 | "
                                "2 2020-01-01 2020-12-31 00:00:00-23:59:59=45/1"));
    }

    // A range moved keeps its loaded bands editable; a band changed twice is
    // one row; deletions; the zone's name is stored; "No" to the close box
    // drops it all.
    void editsAndTheCloseBox()
    {
        for (const int odpoved : {int(ResultNo), int(ResultYes)}) {
            test::Ovladac o;
            o.odpovidej({odpoved});
            Nastaveni_tarifnich_pasem w;
            spust(o, w, [&](QWidget* okno) {
                LazyTreeModel& m = w.strom();
                const QModelIndex mistni = najdi(m, "Místní");
                const QModelIndex nova = najdi(m, "od : 2010", mistni);
                m.ensureLoaded(nova);
                vyber(okno, nova);
                o.pri("Z_Popis_platnosti_od_do_datum", platnost("2011-01-01", "9999-12-31"));
                w.PopupMenu(2, 2);
                QCOMPARE(nova.data().toString(), QStringLiteral("od : 2011-01-01 Do : 9999-12-31"));
                vyber(okno, m.index(1, 0, nova));
                o.pri("Z_Oprava_platnosti_od_do_cas", test::cas(1, "07:00:00", "18:59:59", "25"));
                w.PopupMenu(3, 2);
                o.pri("Z_Oprava_platnosti_od_do_cas", test::cas(1, "07:00:00", "17:59:59", "20"));
                w.PopupMenu(3, 2);
                QCOMPARE(m.index(1, 0, nova).data().toString(),
                         QStringLiteral("Všední den : 07:00:00 - 17:59:59  ( 1 impuls za 20 s. )"));
                // Deleting a band asks through the band dialog in delete mode.
                vyber(okno, m.index(0, 0, nova));
                o.pri("Z_Oprava_platnosti_od_do_cas", [](QWidget* d) { test::klik(d, "cb_1"); });
                w.PopupMenu(3, 3);
                QCOMPARE(m.rowCount(nova), 2);
                vyber(okno, najdi(m, "od : 2000", mistni));
                o.pri("Z_Popis_platnosti_od_do_datum", [](QWidget* d) { d->findChild<QPushButton*>("cb_1")->click(); });
                w.PopupMenu(2, 3);
                QCOMPARE(m.rowCount(mistni), 1);
                vyber(okno, mistni);
                o.pri("Z_oprava_popisu_pasma", [](QWidget* d) {
                    test::napis(d, "textb_1", "Místní 'A'");
                    test::klik(d, "cb_2");
                });
                w.PopupMenu(1, 2);
                QCOMPARE(mistni.data().toString(), QStringLiteral("Místní 'A'"));
                okno->close();
            });
            QCOMPARE(o.zpravy, QStringList{"V datech byly provedeny změny|Chcete změny uložit"});
            t().rollback();
            if (odpoved == ResultNo) {
                QCOMPARE(t().scalar("SELECT nazev_pasma FROM dba.ciselnik_pasem WHERE id_pasma = 1"), QStringLiteral("Místní"));
                QCOMPARE(t().scalar("SELECT count(*) FROM dba.perioda_impulsu"), QStringLiteral("4"));
            } else {
                QCOMPARE(t().scalar("SELECT nazev_pasma FROM dba.ciselnik_pasem WHERE id_pasma = 1"),
                         QStringLiteral("Místní 'A'"));
                QCOMPARE(radkyPeriod("perioda_impulsu"),
                         QStringLiteral("1 2011-01-01 9999-12-31 07:00:00-17:59:59=20/1 | "
                                        "1 2011-01-01 9999-12-31 19:00:00-23:59:59=90/2"));
            }
        }
    }

    // A right click acts on the item under the mouse, with that item's menu.
    void rightClickSelectsTheItemUnderTheMouse()
    {
        test::Ovladac o;
        Nastaveni_tarifnich_pasem w;
        spust(o, w, [&](QWidget* okno) {
            auto* tv = okno->findChild<QTreeView*>("tv_1");
            LazyTreeModel& m = w.strom();
            const QModelIndex regionalni = najdi(m, "Regionální");
            tv->setCurrentIndex(najdi(m, "Místní"));
            QCOMPARE(test::pravyKlik(tv, regionalni), QStringLiteral("p_pasma"));
            QCOMPARE(tv->currentIndex(), QModelIndex(regionalni));
            okno->findChild<QPushButton*>("cb_Cancel")->click();
        });
    }

    // The four menu items open these windows.
    void menuItemsAreRegistered()
    {
        PrikazyMenu::instance().vymaz();
        registruj_prikazy_tarifnich_tabulek();
        for (int id : {menu::ZoneAssignment, menu::ZoneImpulsePeriods, menu::DiscountedPeriods, menu::ImpulsePrices})
            QVERIFY2(PrikazyMenu::instance().ma(id), qPrintable(QString::number(id)));
        PrikazyMenu::instance().vymaz();
    }

    // A write the database refuses shows a message and leaves the tree as stored.
    void aRefusedWriteLeavesTheTreeAsStored()
    {
        QVERIFY(test::odmitej("BEFORE UPDATE ON perioda_impulsu"));
        test::Ovladac o;
        Nastaveni_tarifnich_pasem w;
        spust(o, w, [&](QWidget* okno) {
            LazyTreeModel& m = w.strom();
            const QModelIndex nova = najdi(m, "od : 2010", najdi(m, "Místní"));
            vyber(okno, nova);
            o.pri("Z_Popis_platnosti_od_do_datum", platnost("2011-01-01", "9999-12-31"));
            w.PopupMenu(2, 2);
            QCOMPARE(nova.data().toString(), QStringLiteral("od : 2010-01-01 Do : 9999-12-31"));
            QVERIFY(!w.zmeneno());
            QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(okno, &esc);
        });
        QCOMPARE(o.zpravy.size(), 1);
        QVERIFY(o.zpravy[0].contains("zamitnuto"));
    }

    // The range and band operations are the zone editor's (one base); here
    // what the discount window adds: states, copies and its close box.
    void discounts()
    {
        QVERIFY(t().exec("INSERT INTO dba.zlevnene_volani VALUES ('49', '2002-01-01', '2002-12-31', '08:00:00', "
                         "'16:00:00', 35, 1), ('49', '2002-01-01', '2002-12-31', '00:00:00', '23:59:59', 40, 2)"));
        QVERIFY(t().commit());
        auto stat = [](const QString& nazev) {
            return [nazev](QWidget* d) {
                auto* l = d->findChild<QListWidget*>("combo_1");
                const auto items = l->findItems(nazev, Qt::MatchExactly);
                QVERIFY(!items.isEmpty());
                l->setCurrentItem(items[0]);
                emit l->itemDoubleClicked(items[0]);
            };
        };
        {
            test::Ovladac o;
            F_Zlevnene_sazby w;
            spust(o, w, [&](QWidget* okno) {
                LazyTreeModel& m = w.strom();
                // Nothing selected: a state can still be inserted; one shown already is not added again.
                vyber(okno, {});
                o.pri("Zlevnene_sazby_Vloz_stat", stat("Rakousko"));
                w.PopupMenu(1, 1);
                o.pri("Zlevnene_sazby_Vloz_stat", stat("Německo"));
                w.PopupMenu(1, 1);
                QCOMPARE(texty(m), (QStringList{"Německo", "Rakousko"}));
                // The range edited: its loaded bands are found under the new dates.
                const QModelIndex nemecko = najdi(m, "Německo");
                const QModelIndex rozsah = najdi(m, "2002", nemecko);
                m.ensureLoaded(rozsah);
                vyber(okno, rozsah);
                o.pri("Z_Popis_platnosti_od_do_datum", platnost("2003-01-01", "2003-12-31"));
                w.PopupMenu(2, 2);
                vyber(okno, m.index(0, 0, rozsah));
                o.pri("Z_Oprava_platnosti_od_do_cas", test::cas(1, "08:00:00", "16:00:00", "30"));
                w.PopupMenu(3, 2);
                QVERIFY(o.zpravy.isEmpty());
                // Copies: not onto itself; onto Austria, shown already, which keeps its own row of the same key.
                QVERIFY(t().exec("INSERT INTO dba.zlevnene_volani VALUES ('43', '2003-01-01', '2003-12-31', '08:00:00', "
                                 "'16:00:00', 99, 1)"));
                vyber(okno, nemecko);
                w.PopupMenu(1, 2);  // Germany again
                QCOMPARE(o.zpravy.size(), 1);
                o.zpravy.clear();
                o.pri("Zlevnene_sazby_Vloz_stat", stat("Rakousko"));
                w.PopupMenu(1, 2);
                QCOMPARE(texty(m), (QStringList{"Německo", "Rakousko"}));
                QCOMPARE(texty(m, najdi(m, "Rakousko")), QStringList{"2003-01-01 2003-12-31"});
                // Deleting a state asks first.
                o.odpovidej({ResultNo});
                vyber(okno, najdi(m, "Rakousko"));
                w.PopupMenu(1, 3);
                QCOMPARE(o.zpravy, QStringList{"Smazání státu|Opravdu smazat vybraný stát ?"});
                QCOMPARE(m.rowCount(), 2);
                okno->findChild<QPushButton*>("cb_OK")->click();
            });
            t().rollback();
            QCOMPARE(radkyPeriod("zlevnene_volani"), QStringLiteral("43 2003-01-01 2003-12-31 08:00:00-16:00:00=99/1 | "
                                                                   "43 2003-01-01 2003-12-31 00:00:00-23:59:59=40/2 | "
                                                                   "49 2003-01-01 2003-12-31 08:00:00-16:00:00=30/1 | "
                                                                   "49 2003-01-01 2003-12-31 00:00:00-23:59:59=40/2"));
        }
        // The close box drops what was done, like "Opusť", without a question.
        test::Ovladac o2;
        F_Zlevnene_sazby w2;
        spust(o2, w2, [&](QWidget* okno) {
            o2.odpovidej({ResultYes});
            vyber(okno, najdi(w2.strom(), "Německo"));
            w2.PopupMenu(1, 3);
            QCOMPARE(w2.strom().rowCount(), 1);
            okno->close();
        });
        QCOMPARE(o2.zpravy, QStringList{"Smazání státu|Opravdu smazat vybraný stát ?"});
        t().rollback();
        QCOMPARE(t().scalar("SELECT count(*) FROM dba.zlevnene_volani WHERE kod_statu = '49'"), QStringLiteral("2"));
    }
};

QTEST_MAIN(TestPeriody)
#include "tst_periody.moc"
