// The assignment windows: the history with its deletion and save question,
// the extensions found in calls with their placements, and the modeless
// overlap test opened from the menu.
#include "common/tree_model.h"
#include "frame/menu_ids.h"
#include "frame/prikazy_menu.h"
#include "internal_directory/forms/doplneni_pobocek_podle_hovoru.h"
#include "internal_directory/forms/f_otestuj_duplicitu_prirazeni_pobocek.h"
#include "internal_directory/forms/nastaveni_ciselnik_pobocek.h"
#include "internal_directory/forms/prikazy_vnitrniho_seznamu.h"
#include "ovladac.h"
#include "skutecne_dialogy.h"
#include "platform/database.h"
#include "tarifovani_data.h"
#include "test_env.h"

#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTreeView>
#include <QtTest>

using namespace kavro;
using namespace kavro::test;

namespace {

QPushButton* tlacitko(QWidget* w, const char* jmeno) { return w->findChild<QPushButton*>(jmeno); }

void radek(const QString& cislo, const QString& od, const QString& do_, int firma, int oddeleni, int osoba)
{
    QVERIFY(Transaction::main().exec(
        QStringLiteral("INSERT INTO dba.prirazeni_pobocek (Cislo_pobocky, Pocatek_platnosti, Konec_platnosti, "
                       "ID_firmy, ID_Oddeleni, ID_Osoby) VALUES (?, ?, ?, ?, ?, ?)"),
        {cislo, od, do_, firma, oddeleni, osoba}));
}

void hovor(qint64 id, const QString& kdy, const QString& pobocka)
{
    Call c;
    c.id = id;
    c.when = kdy;
    c.number = QStringLiteral("2123456");
    c.extension = pobocka;
    QVERIFY(addCall(c));
}

QString pocet(const QString& podminka)
{
    return Transaction::main().scalar(QStringLiteral("SELECT count(*) FROM dba.prirazeni_pobocek WHERE ") + podminka);
}

} // namespace

class TstPrirazeniPobocek : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;

    // Selects the first period of extension `cislo` in the history tree.
    QModelIndex obdobi(QWidget* d, const QString& cislo)
    {
        auto* tv = d->findChild<QTreeView*>("tv_1");
        auto* m = static_cast<LazyTreeModel*>(tv->model());
        const QModelIndex koren = m->index(0, 0);
        for (int i = 0; i < m->rowCount(koren); ++i) {
            const QModelIndex p = m->index(i, 0, koren);
            if (p.data().toString() != QStringLiteral("Linka č. ") + cislo) continue;
            m->ensureLoaded(p);
            tv->expand(p);
            const QModelIndex o = m->index(0, 0, p);
            tv->setCurrentIndex(o);
            return o;
        }
        return {};
    }

private slots:
    void init()
    {
        env = std::make_unique<TestEnv>();
        QVERIFY(env->ok());
    }
    void cleanup() { env.reset(); }

    void historyDeleteThatHitsNothingKeepsTheItem()
    {
        // Another program wrote a row without a department id: no delete finds it.
        QVERIFY(Transaction::main().exec(QStringLiteral(
            "INSERT INTO dba.prirazeni_pobocek (Cislo_pobocky, Pocatek_platnosti, Konec_platnosti, ID_firmy, "
            "ID_Oddeleni, ID_Osoby) VALUES ('300', '2021-01-01 00:00:00', '9999-12-31 23:59:59', 1, NULL, 0)")));
        QVERIFY(Transaction::main().commit());
        Ovladac o;
        Nastaveni_ciselnik_pobocek w;
        o.odpovidej({ResultYes});
        QVERIFY(!o.ukaz(w, [&](QWidget* d) {
            const QModelIndex i = obdobi(d, "300");
            QVERIFY(i.isValid());
            w.Smaz_zaznam();
            QVERIFY(obdobi(d, "300").isValid()); // the item stays
            QCOMPARE(w.model()->rowCount(w.model()->parent(i)), 1);
            tlacitko(d, "cb_1")->click(); // nothing changed: no save question
        }));
        QCOMPARE(o.zpravy.size(), 2);
        QVERIFY2(o.zpravy[1].contains(QStringLiteral("nebylo smazáno")), qPrintable(o.zpravy[1]));
        QCOMPARE(pocet("Cislo_pobocky = '300'"), QStringLiteral("1"));
    }

    void historyDeletesAfterAQuestionAndAsksOnClose()
    {
        radek("200", "2021-01-01 00:00:00", "9999-12-31 23:59:59", 1, 10, 1);
        radek("200", "2021-01-01 00:00:00", "9999-12-31 23:59:59", 1, 11, 2);
        radek("201", "2021-01-01 00:00:00", "9999-12-31 23:59:59", 1, 10, 0);
        QVERIFY(Transaction::main().commit());
        Ovladac o;
        {
            // "No" to the question deletes nothing; "Yes" deletes; "No" on closing brings it back.
            Nastaveni_ciselnik_pobocek w;
            o.odpovidej({ResultNo, ResultYes, ResultNo});
            QVERIFY(!o.ukaz(w, [&](QWidget* d) {
                auto* m = w.model();
                QCOMPARE(m->rowCount(m->index(0, 0)), 2);
                w.Smaz_zaznam();  // the root: nothing happens
                QVERIFY(obdobi(d, "200").isValid());
                QCOMPARE(m->rowCount(m->parent(d->findChild<QTreeView*>("tv_1")->currentIndex())), 2);
                w.Smaz_zaznam();
                QCOMPARE(pocet("Cislo_pobocky = '200'"), QStringLiteral("2"));
                w.Smaz_zaznam();
                QCOMPARE(pocet("Cislo_pobocky = '200'"), QStringLiteral("1"));
                tlacitko(d, "cb_1")->click();
            }));
            QCOMPARE(o.zpravy.size(), 3);
            QVERIFY(o.zpravy[1].contains(QStringLiteral("Opravdu smazat přiřazení linky č. 200")));
            QCOMPARE(o.zpravy[2], QStringLiteral("Historie přiřazení poboček|Chcete změny uložit"));
            QCOMPARE(pocet("Cislo_pobocky = '200'"), QStringLiteral("2"));
        }
        {
            // "Yes" on closing (here by Esc) keeps the deletion.
            Nastaveni_ciselnik_pobocek w;
            o.zpravy.clear();
            o.odpovidej({ResultYes, ResultYes});
            QVERIFY(o.ukaz(w, [&](QWidget* d) {
                obdobi(d, "201");
                w.Smaz_zaznam();
                QTest::keyClick(d, Qt::Key_Escape);
            }));
            Transaction::main().rollback();
            QCOMPARE(pocet("Cislo_pobocky = '201'"), QStringLiteral("0"));
            QCOMPARE(pocet("Cislo_pobocky = '200'"), QStringLiteral("2"));
        }
        {
            // "Ukaž" opens the detail of a period only; closing without a deletion asks nothing.
            Nastaveni_ciselnik_pobocek w;
            o.zpravy.clear();
            QStringList detaily;
            QVERIFY(!o.ukaz(w, [&](QWidget* d) {
                auto* tv = d->findChild<QTreeView*>("tv_1");
                tv->setCurrentIndex(w.model()->index(0, 0));
                w.Ukaz_zaznam();
                obdobi(d, "200");
                QTimer::singleShot(20, [&] {
                    if (QWidget* detail = QApplication::activeModalWidget()) {
                        detaily << detail->objectName();
                        static_cast<QDialog*>(detail)->reject();
                    }
                });
                w.Ukaz_zaznam();
                tlacitko(d, "cb_1")->click();
            }));
            QCOMPARE(detaily, QStringList{"P_Udaje_o_osobe"});
            QVERIFY(o.zpravy.isEmpty());
        }
    }

    void foundExtensionsArePlacedAndKeptWhenTheWindowClosesItself()
    {
        radek("300", "2024-01-10 00:00:00", "2024-01-20 00:00:00", 1, 10, 1);
        hovor(1, "2024-01-21 10:00:00", "300");
        hovor(2, "2024-01-22 10:00:00", "12");
        QVERIFY(Transaction::main().commit());
        Ovladac o;
        Doplneni_pobocek_podle_hovoru w;
        QVERIFY(o.ukaz(w, [&](QWidget* d) {
            auto* lb = d->findChild<QListWidget*>("lb_1");
            QCOMPARE(lb->count(), 2);
            QCOMPARE(lb->item(0)->text(), QStringLiteral("12   - 2024-01-22 10:00:00 - 2024-01-22 10:00:00"));
            tlacitko(d, "cb_2")->click();  // nothing selected: nothing placed
            QCOMPARE(lb->count(), 2);
            lb->setCurrentRow(0);
            tlacitko(d, "cb_2")->click();
            lb->setCurrentRow(0);
            w.popup_1()->actions().first()->trigger();
        }));
        QCOMPARE(o.zpravy, QStringList{QStringLiteral("|Nejsou nalezeny žádné nepřiřazené pobočky")});
        Transaction::main().rollback();
        QCOMPARE(pocet("ID_firmy = 0 AND ID_Oddeleni = 0 AND ID_Osoby = 0"), QStringLiteral("2"));
        QCOMPARE(pocet("Cislo_pobocky = '12' AND Pocatek_platnosti = '2024-01-22 10:00:00'"), QStringLiteral("1"));

        // Nothing left to place: the window says so and does not open.
        o.zpravy.clear();
        Doplneni_pobocek_podle_hovoru prazdne;
        QVERIFY(!prazdne.Create(nullptr));
        QCOMPARE(o.zpravy.size(), 1);
    }

    void closeBoxAsksAndAnOverlappingRunIsRefused()
    {
        hovor(1, "2024-01-21 10:00:00", "300");
        hovor(2, "2024-01-25 10:00:00", "300");
        hovor(3, "2024-01-22 10:00:00", "301");
        QVERIFY(Transaction::main().commit());
        Ovladac o;
        Doplneni_pobocek_podle_hovoru w;
        o.odpovidej({ResultOk, ResultNo});
        QVERIFY(!o.ukaz(w, [&](QWidget* d) {
            auto* lb = d->findChild<QListWidget*>("lb_1");
            // 300 is given to someone for the 22nd while its run is listed.
            radek("300", "2024-01-22 00:00:00", "2024-01-23 00:00:00", 1, 10, 1);
            lb->setCurrentRow(0);
            tlacitko(d, "cb_2")->click();  // 300 overlaps its row of the 22nd
            QCOMPARE(lb->count(), 2);
            lb->setCurrentRow(1);
            tlacitko(d, "cb_2")->click();
            QCOMPARE(lb->count(), 1);
            d->close();
        }));
        QCOMPARE(o.zpravy.size(), 2);
        QVERIFY(o.zpravy[0].contains(QStringLiteral("nelze zařadit pod ústřednu")));
        QCOMPARE(o.zpravy[1], QStringLiteral("Doplnění poboček podle hovorů|Chcete změny uložit"));
        QCOMPARE(pocet("ID_firmy = 0"), QStringLiteral("0"));
    }

    void overlapTestFromTheMenuCommitsItsCleanupAndReportsOnce()
    {
        radek("400", "2024-01-01 00:00:00", "2024-06-01 00:00:00", 1, 10, 1);
        radek("400", "2024-02-01 00:00:00", "9999-12-31 23:59:59", 2, 20, 2);
        radek("401", "2024-02-01 00:00:00", "2024-02-01 00:00:00", 2, 20, 2);
        QVERIFY(Transaction::main().commit());
        Ovladac o;
        PrikazyMenu::instance().vymaz();
        registruj_prikazy_vnitrniho_seznamu();
        QWidget hlavni;
        QVERIFY(PrikazyMenu::instance().spust(menu::AssignmentOverlaps, &hlavni));
        // A second request while the window is up raises it instead of opening another.
        QVERIFY(PrikazyMenu::instance().spust(menu::AssignmentOverlaps, &hlavni));
        const auto okna = hlavni.findChildren<F_Otestuj_duplicitu_prirazeni_pobocek*>();
        QCOMPARE(okna.size(), 1);
        QPointer<F_Otestuj_duplicitu_prirazeni_pobocek> okno = okna.first();
        QTRY_VERIFY(okno.isNull());  // closes and deletes itself at the end
        QCOMPARE(o.zpravy, QStringList{QStringLiteral("Chybné přiřazení|Pobočka č.400 je přiřazena \npod více firem "
                                                      "nebo oddělení.\n Datum od :2024-01-01 00:00:00\n Datum do :"
                                                      "2024-06-01 00:00:00")});
        Transaction::main().rollback();
        QCOMPARE(pocet("Cislo_pobocky = '401'"), QStringLiteral("0"));
        PrikazyMenu::instance().vymaz();
    }

    void overlapTestAsksInTheRealDialogsOverItsWindow()
    {
        radek("400", "2024-01-01 00:00:00", "2024-06-01 00:00:00", 1, 10, 1);
        radek("400", "2024-02-01 00:00:00", "9999-12-31 23:59:59", 2, 20, 2);
        radek("402", "2024-01-01 00:00:00", "2024-06-01 00:00:00", 1, 10, 1);
        radek("402", "2024-03-01 00:00:00", "2024-09-01 00:00:00", 2, 20, 2);
        QVERIFY(Transaction::main().commit());
        QWidget hlavni;
        auto* okno = new F_Otestuj_duplicitu_prirazeni_pobocek(&hlavni);
        okno->setAttribute(Qt::WA_DeleteOnClose); // as the menu opens it
        // Each box is owned by the test's window, which shows the extension under test.
        auto nadOknem = [okno](const QString& pobocka) {
            return [okno, pobocka](QWidget* box) {
                QCOMPARE(box->parentWidget(), okno);
                QVERIFY(okno->isVisible());
                QCOMPARE(okno->findChild<QLineEdit*>("textb_1")->text(), pobocka);
            };
        };
        SkutecneDialogy d;
        d.stiskniPo(300, "Chybné přiřazení", "OK", nadOknem("400")).stiskni("Chybné přiřazení", "OK", nadOknem("402"));
        QPointer<F_Otestuj_duplicitu_prirazeni_pobocek> hlidac = okno;
        okno->Create(&hlavni);
        QTRY_VERIFY(hlidac.isNull()); // the window goes once both boxes are answered
        QVERIFY2(d.hotovo(), qPrintable(d.chyba()));
        QCOMPARE(d.videno.size(), 2);
        QVERIFY(d.videno[0].contains("Pobočka č.400"));
        QVERIFY(d.videno[1].contains("Pobočka č.402"));
    }
};

QTEST_MAIN(TstPrirazeniPobocek)
#include "tst_prirazeni_pobocek.moc"
