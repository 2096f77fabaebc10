// The zone editor and the discounted periods: branches, the range and band
// operations through their dialogs, refusals and every way out.
#include "tariff_tables/forms/f_zlevnene_sazby.h"
#include "tariff_tables/forms/nastaveni_tarifnich_pasem.h"

#include "frame/menu_ids.h"
#include "frame/prikazy_menu.h"
#include "ovladac.h"
#include "skutecne_dialogy.h"
#include "tariff_tables/forms/prikazy_tarifnich_tabulek.h"
#include "platform/database.h"
#include "tabulky_fixture.h"
#include "test_env.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
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

    // The real question after a deleted band: Esc and its close box leave it
    // open with nothing decided; "Ano" then keeps the deletion.
    void theKeepQuestionWaitsForAnAnswer()
    {
        test::Ovladac o;
        Nastaveni_tarifnich_pasem w;
        test::SkutecneDialogy d;
        spust(o, w, [&](QWidget* okno) {
            LazyTreeModel& m = w.strom();
            const QModelIndex r2010 = najdi(m, "od : 2010", najdi(m, "Místní"));
            m.ensureLoaded(r2010);
            vyber(okno, m.index(0, 0, r2010));
            o.pri("Z_Oprava_platnosti_od_do_cas", [](QWidget* d) { test::klik(d, "cb_1"); });
            w.PopupMenu(3, 3);
            QCOMPARE(m.rowCount(r2010), 2);
            setMessageAnswerer({}); // from here on the boxes are real
            d.stiskni("V datech byly provedeny změny", "Ano", [okno](QWidget* box) {
                QTest::keyClick(box, Qt::Key_Escape);
                box->close();
                QVERIFY(box->isVisible());
                QCOMPARE(QApplication::activeModalWidget(), box);
                QVERIFY(okno->isVisible());
            });
            okno->close();
        });
        QVERIFY2(d.hotovo(), qPrintable(d.chyba()));
        QCOMPARE(d.videno, QStringList{"V datech byly provedeny změny|Chcete změny uložit"});
        t().rollback();
        QCOMPARE(t().scalar("SELECT count(*) FROM dba.perioda_impulsu"), QStringLiteral("3"));
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

    // A branch opened by its expander becomes the selected item; a branch the
    // view opens to show an item selected inside it keeps that item.
    void expandingABranchSelectsIt()
    {
        test::Ovladac o;
        Nastaveni_tarifnich_pasem w;
        spust(o, w, [&](QWidget* okno) {
            auto* tv = okno->findChild<QTreeView*>("tv_1");
            LazyTreeModel& m = w.strom();
            const QModelIndex mistni = najdi(m, "Místní");
            tv->setCurrentIndex(najdi(m, "Regionální"));
            auto rozbal = [tv](const QModelIndex& i) {
                const QRect r = tv->visualRect(i);
                QTest::mouseClick(tv->viewport(), Qt::LeftButton, {}, QPoint(r.left() - tv->indentation() / 2, r.center().y()));
            };
            rozbal(mistni);
            QVERIFY(tv->isExpanded(mistni));
            QCOMPARE(tv->currentIndex(), QModelIndex(mistni));
            const QModelIndex nova = najdi(m, "od : 2010", mistni);
            rozbal(nova);
            QVERIFY(tv->isExpanded(nova));
            QCOMPARE(tv->currentIndex(), QModelIndex(nova));
            tv->collapse(mistni);
            tv->setCurrentIndex(m.index(1, 0, nova));
            QVERIFY(tv->isExpanded(mistni));
            QCOMPARE(tv->currentIndex(), m.index(1, 0, nova));
            okno->findChild<QPushButton*>("cb_Cancel")->click();
        });
    }

    // Two ranges of one owner never share dates: in either editor a range
    // inserted or edited onto the dates of another one, stored or new, is
    // refused and the bands stay; a new range shows no expander until its
    // first band.
    void aRangeWithAnotherRangesDatesIsRefused_data()
    {
        QTest::addColumn<bool>("slevy");
        QTest::newRow("pásma") << false;
        QTest::newRow("slevy") << true;
    }
    void aRangeWithAnotherRangesDatesIsRefused()
    {
        QFETCH(bool, slevy);
        QVERIFY(t().exec("INSERT INTO dba.zlevnene_volani SELECT '49', pocatek_platnosti, konec_platnosti, od_casu, "
                         "do_casu, perioda, typ_dne FROM dba.perioda_impulsu WHERE id_pasma = 1"));
        QVERIFY(t().commit());
        const char* tabulka = slevy ? "zlevnene_volani" : "perioda_impulsu";
        const QString pred = radkyPeriod(tabulka);
        const QString vlastnik = slevy ? "Stát" : "Pásmo";
        const QString rozsah = slevy ? "" : "od : ";
        test::Ovladac o;
        std::unique_ptr<StromPeriod> w;
        if (slevy) w = std::make_unique<F_Zlevnene_sazby>();
        else w = std::make_unique<Nastaveni_tarifnich_pasem>();
        auto skript = [&](QWidget* okno) {
            LazyTreeModel& m = w->strom();
            const QModelIndex v = najdi(m, slevy ? "Německo" : "Místní");
            const QModelIndex stara = najdi(m, rozsah + "2000", v);
            const QModelIndex nova = najdi(m, rozsah + "2010", v);
            const QStringList rozsahy = texty(m, v);
            auto pokus = [&](const QModelIndex& subjekt, int operace, const QString& od, const QString& do_) {
                vyber(okno, subjekt);
                o.pri("Z_Popis_platnosti_od_do_datum", platnost(od, do_));
                w->PopupMenu(2, operace);
            };
            const QString odmitnuto = okno->windowTitle() + "|Platnost nelze %1\n" + vlastnik + " už má platnost od %2.";
            // Inserted from the owner's menu and from a range's menu.
            pokus(v, 1, "2010-01-01", "9999-12-31");
            pokus(nova, 1, "2000-01-01", "2009-12-31");
            QCOMPARE(o.zpravy, (QStringList{odmitnuto.arg("vložit.", "2010-01-01 do 9999-12-31"),
                                            odmitnuto.arg("vložit.", "2000-01-01 do 2009-12-31")}));
            QCOMPARE(texty(m, v), rozsahy);
            QVERIFY(!w->zmeneno());
            // A new range lives in the tree without an expander; its dates are taken too.
            pokus(v, 1, "2020-01-01", "2020-12-31");
            const QModelIndex r2020 = najdi(m, rozsah + "2020", v);
            QVERIFY(r2020.isValid());
            QVERIFY(!m.hasChildren(r2020));
            o.zpravy.clear();
            pokus(stara, 1, "2020-01-01", "2020-12-31");
            // Edited onto a stored range and onto the new one; the range keeps its dates.
            pokus(stara, 2, "2010-01-01", "9999-12-31");
            pokus(stara, 2, "2020-01-01", "2020-12-31");
            pokus(r2020, 2, "2000-01-01", "2009-12-31");
            QCOMPARE(o.zpravy, (QStringList{odmitnuto.arg("vložit.", "2020-01-01 do 2020-12-31"),
                                            odmitnuto.arg("změnit, zůstala původní.", "2010-01-01 do 9999-12-31"),
                                            odmitnuto.arg("změnit, zůstala původní.", "2020-01-01 do 2020-12-31"),
                                            odmitnuto.arg("změnit, zůstala původní.", "2000-01-01 do 2009-12-31")}));
            QCOMPARE(m.rowCount(v), 3);
            QVERIFY(stara.data().toString().contains("2000-01-01"));
            QCOMPARE(m.rowCount(nova), 3);
            // Its first band gives it an expander; deleting it takes that band only.
            vyber(okno, r2020);
            o.pri("Z_Oprava_platnosti_od_do_cas", test::cas(1, "00:00:00", "23:59:59", "45"));
            w->PopupMenu(3, 1);
            QVERIFY(m.hasChildren(r2020));
            pokus(v, 1, "2021-01-01", "2021-12-31");
            vyber(okno, najdi(m, rozsah + "2021", v));
            o.pri("Z_Popis_platnosti_od_do_datum", [](QWidget* d) { test::klik(d, "cb_1"); });
            w->PopupMenu(2, 3);
            QCOMPARE(m.rowCount(v), 3);
            okno->findChild<QPushButton*>("cb_OK")->click();
        };
        if (slevy) spust(o, static_cast<F_Zlevnene_sazby&>(*w), skript);
        else spust(o, static_cast<Nastaveni_tarifnich_pasem&>(*w), skript);
        t().rollback();
        QCOMPARE(radkyPeriod(tabulka), pred + " | " + (slevy ? "49" : "1") + " 2020-01-01 2020-12-31 00:00:00-23:59:59=45/1");
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
        // A copy onto a state that has every row already says so and changes
        // nothing; the close box after changes asks the save question.
        for (const int odpoved : {int(ResultNo), int(ResultYes)}) {
            test::Ovladac o2;
            F_Zlevnene_sazby w2;
            spust(o2, w2, [&](QWidget* okno) {
                LazyTreeModel& m = w2.strom();
                vyber(okno, najdi(m, "Německo"));
                o2.pri("Zlevnene_sazby_Vloz_stat", stat("Rakousko"));
                w2.PopupMenu(1, 2);
                QCOMPARE(o2.zpravy, QStringList{"Zlevněné sazby|Nic nebylo okopírováno: stát Rakousko už má všechny "
                                                "sazby státu Německo."});
                QVERIFY(!w2.zmeneno());
                QCOMPARE(texty(m), (QStringList{"Německo", "Rakousko"}));
                o2.zpravy.clear();
                o2.odpovidej({ResultYes, odpoved});
                vyber(okno, najdi(m, "Německo"));
                w2.PopupMenu(1, 3);
                QCOMPARE(m.rowCount(), 1);
                okno->close();
            });
            QCOMPARE(o2.zpravy, (QStringList{"Smazání státu|Opravdu smazat vybraný stát ?",
                                             "V datech byly provedeny změny|Chcete změny uložit"}));
            t().rollback();
            QCOMPARE(t().scalar("SELECT count(*) FROM dba.zlevnene_volani WHERE kod_statu = '49'"),
                     QString(odpoved == ResultNo ? "2" : "0"));
        }
    }
};

QTEST_MAIN(TestPeriody)
#include "tst_periody.moc"
