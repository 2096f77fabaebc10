// The zone editor and the discounted periods: branches, the range and band
// operations through their dialogs, refusals and every way out.
#include "tariff_tables/forms/f_zlevnene_sazby.h"
#include "tariff_tables/forms/nastaveni_tarifnich_pasem.h"

#include "frame/menu_ids.h"
#include "frame/prikazy_menu.h"
#include "ovladac.h"
#include "tariff_tables/forms/prikazy_tarifnich_tabulek.h"
#include "platform/database.h"
#include "test_env.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeView>
#include <QtTest>
#include <memory>

using namespace kavro;

namespace {

// Answers the range dialog with two days.
std::function<void(QWidget*)> platnost(const QString& od, const QString& do_)
{
    return [=](QWidget* d) {
        d->findChild<QLineEdit*>("textb_1")->setText(od);
        d->findChild<QLineEdit*>("textb_2")->setText(do_);
        d->findChild<QPushButton*>("cb_1")->click();
    };
}
// Answers the band dialog.
std::function<void(QWidget*)> cas(int typ, const QString& od, const QString& do_, const QString& perioda)
{
    return [=](QWidget* d) {
        d->findChild<QComboBox*>("combo_1")->setCurrentIndex(typ - 1);
        d->findChild<QLineEdit*>("textb_1")->setText(od);
        d->findChild<QLineEdit*>("textb_2")->setText(do_);
        d->findChild<QLineEdit*>("textb_3")->setText(perioda);
        d->findChild<QPushButton*>("cb_1")->click();
        if (d->isVisible()) d->findChild<QPushButton*>("cb_2")->click();  // refused: leave it
    };
}

QString radky(const char* tabulka, const char* klic)
{
    Query q(Transaction::main(), QStringLiteral("SELECT %2, pocatek_platnosti, konec_platnosti, od_casu, do_casu, "
                                                "perioda, typ_dne FROM dba.%1 ORDER BY 1, 2, 3, 7, 4")
                                     .arg(QLatin1String(tabulka), QLatin1String(klic)));
    QStringList out;
    for (bool ok = q.run(); ok && !q.atEnd(); q.next())
        out << QStringLiteral("%1 %2 %3 %4-%5=%6/%7")
                   .arg(q.value(1), q.value(2), q.value(3), q.value(4), q.value(5), q.value(6), q.value(7));
    return out.join(QStringLiteral(" | "));
}

QModelIndex najdi(LazyTreeModel& m, const QString& text, const QModelIndex& parent = {})
{
    m.ensureLoaded(parent);
    for (int r = 0; r < m.rowCount(parent); ++r)
        if (m.index(r, 0, parent).data().toString().startsWith(text)) return m.index(r, 0, parent);
    return {};
}

QStringList texty(LazyTreeModel& m, const QModelIndex& parent)
{
    m.ensureLoaded(parent);
    QStringList out;
    for (int r = 0; r < m.rowCount(parent); ++r) out << m.index(r, 0, parent).data().toString();
    return out;
}

} // namespace

class TestPeriody : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TestEnv> env;
    Transaction& t() { return Transaction::main(); }

    // Runs `skript` from the window's own event loop, so that the dialogs it
    // opens are answered by `o`.
    template <class W> void spust(test::Ovladac& o, W& w, std::function<void(QWidget*)> skript)
    {
        o.ukaz(w, [skript](QWidget* okno) { QTimer::singleShot(0, okno, [skript, okno] { skript(okno); }); });
    }
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

    void zoneBranchesLoadOnceAndNewItemsGoWhereTheirMenuSays()
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
            QCOMPARE(texty(m, nova), (QStringList{"Všední den : 00:00:00 - 06:59:59  ( 1 impuls za 90 s. )",
                                                   "Všední den : 07:00:00 - 18:59:59  ( 1 impuls za 30 s. )",
                                                   "Svátek     : 19:00:00 - 23:59:59  ( 1 impuls za 90 s. )"}));
            // Opened again, a branch reads nothing.
            QVERIFY(t().exec("DELETE FROM dba.perioda_impulsu WHERE typ_dne = 2"));
            okno->findChild<QTreeView*>("tv_1")->expand(nova);
            QCOMPARE(m.rowCount(nova), 3);
            QVERIFY(t().exec("INSERT INTO dba.perioda_impulsu VALUES (1, '2010-01-01', '9999-12-31', '19:00:00', "
                             "'23:59:59', 90, 2)"));

            // A range from a zone's menu goes under the zone, from a range's menu beside it.
            o.pri("Z_Popis_platnosti_od_do_datum", platnost("2020-01-01", "2020-12-31"));
            vyber(okno, regionalni);
            w.PopupMenu(2, 1);
            QCOMPARE(texty(m, regionalni), QStringList{"od : 2020-01-01 Do : 2020-12-31"});
            vyber(okno, nova);
            o.pri("Z_Popis_platnosti_od_do_datum", platnost("2021-01-01", "2021-12-31"));
            w.PopupMenu(2, 1);
            QCOMPARE(m.rowCount(mistni), 3);
            // A band into a range never opened is shown once; a band of period 0 is refused.
            const QModelIndex stara = najdi(m, "od : 2000", mistni);
            QVERIFY(!m.isLoaded(stara));
            vyber(okno, stara);
            o.pri("Z_Oprava_platnosti_od_do_cas", cas(2, "00:00:00", "23:59:59", "120"));
            w.PopupMenu(3, 1);
            QCOMPARE(m.rowCount(stara), 2);
            o.pri("Z_Oprava_platnosti_od_do_cas", cas(1, "08:00:00", "09:00:00", "0"));
            w.PopupMenu(3, 1);
            QCOMPARE(m.rowCount(stara), 2);
            // A new range with a band is stored; one without a band is not.
            const QModelIndex r2020 = m.index(0, 0, regionalni);
            vyber(okno, r2020);
            o.pri("Z_Oprava_platnosti_od_do_cas", cas(1, "00:00:00", "23:59:59", "45"));
            w.PopupMenu(3, 1);
            QVERIFY(w.zmeneno());
            okno->findChild<QPushButton*>("cb_OK")->click();
        });
        t().rollback();
        QCOMPARE(radky("perioda_impulsu", "id_pasma"),
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
                o.pri("Z_Oprava_platnosti_od_do_cas", cas(1, "07:00:00", "18:59:59", "25"));
                w.PopupMenu(3, 2);
                o.pri("Z_Oprava_platnosti_od_do_cas", cas(1, "07:00:00", "17:59:59", "20"));
                w.PopupMenu(3, 2);
                QCOMPARE(m.index(1, 0, nova).data().toString(),
                         QStringLiteral("Všední den : 07:00:00 - 17:59:59  ( 1 impuls za 20 s. )"));
                // Deleting a band asks through the band dialog in delete mode.
                vyber(okno, m.index(0, 0, nova));
                o.pri("Z_Oprava_platnosti_od_do_cas", [](QWidget* d) {
                    QCOMPARE(d->windowTitle(), QStringLiteral("Smazat vybraný záznam ?"));
                    d->findChild<QPushButton*>("cb_1")->click();
                });
                w.PopupMenu(3, 3);
                QCOMPARE(m.rowCount(nova), 2);
                vyber(okno, najdi(m, "od : 2000", mistni));
                o.pri("Z_Popis_platnosti_od_do_datum", [](QWidget* d) { d->findChild<QPushButton*>("cb_1")->click(); });
                w.PopupMenu(2, 3);
                QCOMPARE(m.rowCount(mistni), 1);
                vyber(okno, mistni);
                o.pri("Z_oprava_popisu_pasma", [](QWidget* d) {
                    d->findChild<QLineEdit*>("textb_1")->setText("Místní 'A'");
                    d->findChild<QPushButton*>("cb_2")->click();
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
                QCOMPARE(radky("perioda_impulsu", "id_pasma"),
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
        QString menu;
        spust(o, w, [&](QWidget* okno) {
            auto* tv = okno->findChild<QTreeView*>("tv_1");
            LazyTreeModel& m = w.strom();
            const QModelIndex mistni = najdi(m, "Místní");
            const QModelIndex regionalni = najdi(m, "Regionální");
            tv->setCurrentIndex(mistni);
            QTimer::singleShot(20, [&] {
                if (QWidget* p = QApplication::activePopupWidget()) {
                    menu = p->objectName();
                    p->close();
                }
            });
            emit tv->customContextMenuRequested(tv->visualRect(regionalni).center());
            QCOMPARE(tv->currentIndex(), QModelIndex(regionalni));
            QCOMPARE(menu, QStringLiteral("p_pasma"));
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
        QVERIFY(t().exec("CREATE TRIGGER dba.bez_zmen BEFORE UPDATE ON perioda_impulsu "
                         "BEGIN SELECT RAISE(ABORT, 'zamitnuto'); END"));
        QVERIFY(t().commit());
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

    void discounts()
    {
        {
            test::Ovladac o;
            F_Zlevnene_sazby w;
            auto stat = [](const QString& nazev) {
                return [nazev](QWidget* d) {
                    auto* l = d->findChild<QListWidget*>("combo_1");
                    const auto items = l->findItems(nazev, Qt::MatchExactly);
                    QVERIFY(!items.isEmpty());
                    l->setCurrentItem(items[0]);
                    emit l->itemDoubleClicked(items[0]);
                };
            };
            spust(o, w, [&](QWidget* okno) {
                LazyTreeModel& m = w.strom();
                QCOMPARE(texty(m, {}), QStringList());
                // Nothing selected: a state can still be inserted.
                vyber(okno, {});
                o.pri("Zlevnene_sazby_Vloz_stat", stat("Německo"));
                w.PopupMenu(1, 1);
                QCOMPARE(texty(m, {}), QStringList{"Německo"});
                w.PopupMenu(1, 1);  // the same state again is not added twice
                QCOMPARE(m.rowCount(), 1);
                const QModelIndex nemecko = m.index(0, 0);
                vyber(okno, nemecko);
                o.pri("Z_Popis_platnosti_od_do_datum", platnost("2001-01-01", "2001-12-31"));
                w.PopupMenu(2, 1);
                const QModelIndex rozsah = m.index(0, 0, nemecko);
                QCOMPARE(rozsah.data().toString(), QStringLiteral("2001-01-01 2001-12-31"));
                vyber(okno, rozsah);
                o.pri("Z_Oprava_platnosti_od_do_cas", cas(1, "08:00:00", "16:00:00", "30"));
                w.PopupMenu(3, 1);
                o.pri("Z_Oprava_platnosti_od_do_cas", cas(2, "00:00:00", "23:59:59", "40"));
                w.PopupMenu(3, 1);
                // The range edited: its loaded bands are found under the new dates.
                vyber(okno, rozsah);
                o.pri("Z_Popis_platnosti_od_do_datum", platnost("2002-01-01", "2002-12-31"));
                w.PopupMenu(2, 2);
                vyber(okno, m.index(0, 0, rozsah));
                o.pri("Z_Oprava_platnosti_od_do_cas", cas(1, "08:00:00", "16:00:00", "35"));
                w.PopupMenu(3, 2);
                QVERIFY(o.zpravy.isEmpty());
                // Copies: not onto itself; onto Austria, which keeps its own row of the same key.
                QVERIFY(t().exec("INSERT INTO dba.zlevnene_volani VALUES ('43', '2002-01-01', '2002-12-31', '08:00:00', "
                                 "'16:00:00', 99, 1)"));
                vyber(okno, nemecko);
                w.PopupMenu(1, 2);  // Germany again
                QCOMPARE(o.zpravy.size(), 1);
                o.zpravy.clear();
                o.pri("Zlevnene_sazby_Vloz_stat", stat("Rakousko"));
                vyber(okno, nemecko);
                w.PopupMenu(1, 2);
                QCOMPARE(texty(m, {}), (QStringList{"Německo", "Rakousko"}));
                QCOMPARE(texty(m, najdi(m, "Rakousko")), QStringList{"2002-01-01 2002-12-31"});
                // Deleting a state asks first.
                o.odpovidej({ResultNo});
                vyber(okno, najdi(m, "Rakousko"));
                w.PopupMenu(1, 3);
                QCOMPARE(o.zpravy, QStringList{"Smazání státu|Opravdu smazat vybraný stát ?"});
                QCOMPARE(m.rowCount(), 2);
                okno->findChild<QPushButton*>("cb_OK")->click();
            });
            t().rollback();
            QCOMPARE(radky("zlevnene_volani", "kod_statu"),
                     QStringLiteral("43 2002-01-01 2002-12-31 08:00:00-16:00:00=99/1 | "
                                    "43 2002-01-01 2002-12-31 00:00:00-23:59:59=40/2 | "
                                    "49 2002-01-01 2002-12-31 08:00:00-16:00:00=35/1 | "
                                    "49 2002-01-01 2002-12-31 00:00:00-23:59:59=40/2"));
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
