// Dragging in the directory window, and the pool's work with the extensions
// found in calls.
#include "directory_fixture.h"
#include "ovladac.h"
#include "tarifovani_data.h"
#include "test_env.h"

#include "common/konfigurace.h"
#include "internal_directory/assignment_overlaps.h"
#include "internal_directory/forms/nastaveni_pobocky.h"
#include "internal_directory/forms/pobocky_z_hovoru_v_poolu.h"
#include "internal_directory/forms/presuny_pobocek.h"
#include "platform/clock.h"
#include "platform/registry.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

#include <memory>

using namespace kavro;
using namespace kavro::test;

namespace {
const QString Z = QStringLiteral("Z_Zruseni_polozky_firma_oddeleni_osoba");
}

class TstPresunyPobocek : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> m_env;
    std::unique_ptr<konfiguracni_hodnoty> m_konfigurace;
    std::unique_ptr<Nastaveni_pobocky> m_okno;
    std::unique_ptr<PresunyPobocek> m_presuny;
    std::unique_ptr<Pobocky_z_hovoru_v_poolu> m_pool;

    SeznamPobocek& s() { return m_okno->seznam(); }
    QModelIndex uzel(const QStringList& cesta)
    {
        return najdiUzel(s().strom(), QStringList{QStringLiteral("Ústředna")} + cesta);
    }
    QModelIndex volna(const QString& cislo) { return najdiUzel(s().volne(), {cislo}); }
    // Drops `co` of `z` on `kam` of `na` as the view does.
    void pretahni(LazyTreeModel& z, const QModelIndex& co, LazyTreeModel& na, const QModelIndex& kam)
    {
        QVERIFY(co.isValid() && kam.isValid());
        std::unique_ptr<QMimeData> data(z.mimeData({co}));
        na.dropMimeData(data.get(), Qt::MoveAction, -1, -1, kam);
        QCoreApplication::processEvents();  // the move runs once the drop has ended
    }
    // Drops `co` on the empty space of the pool (no item under the mouse).
    void pustDoPoolu(const QModelIndex& co)
    {
        QVERIFY(co.isValid());
        std::unique_ptr<QMimeData> data(s().strom().mimeData({co}));
        QVERIFY(s().volne().flags(QModelIndex()) & Qt::ItemIsDropEnabled);
        QVERIFY(s().volne().canDropMimeData(data.get(), Qt::MoveAction, -1, -1, QModelIndex()));
        s().volne().dropMimeData(data.get(), Qt::MoveAction, -1, -1, QModelIndex());
        QCoreApplication::processEvents();
    }
    QString prekryti()
    {
        QStringList v;
        AssignmentOverlaps test(Transaction::main());
        if (!test.otestuj({}, [&](const ChybnePrirazeni& c) { v << c.Cislo_pobocky; })) return test.chyba();
        return v.join(QLatin1Char(','));
    }
    // The moment question is answered "Ano" with the moment it proposes.
    void ano(Ovladac& o)
    {
        o.pri(Z, [](QWidget* d) { d->findChild<QPushButton*>("cb_1")->click(); });
    }
    QAction* polozka(const QString& text)
    {
        for (QAction* a : m_okno->popup_neprirazena_polozka()->actions())
            if (a->text() == text) return a;
        return nullptr;
    }

private slots:
    void init()
    {
        m_env = std::make_unique<TestEnv>();
        QVERIFY(m_env->ok());
        QString chyba;
        QVERIFY2(fillDirectoryFixture(&chyba), qPrintable(chyba));
        QVERIFY(Transaction::main().commit());
        Registry::instance().write(konfiguracni_hodnoty::zakladniKlic() + QStringLiteral("Sberac"),
                                   QStringLiteral("Ustredna"), QStringLiteral("Ústředna"));
        m_konfigurace = std::make_unique<konfiguracni_hodnoty>(konfiguracni_hodnoty::zakladniKlic(), QStringLiteral("Sberac"));
        konfigurace = m_konfigurace.get();
        clock::setFixedNow(QDateTime(QDate(2024, 6, 1), QTime(10, 0, 0)));
        m_okno = std::make_unique<Nastaveni_pobocky>();
        m_presuny = std::make_unique<PresunyPobocek>(*m_okno);
        m_pool = std::make_unique<Pobocky_z_hovoru_v_poolu>(*m_okno);
        m_okno->Nastaveni_pobocky_Create();
    }
    void cleanup()
    {
        m_pool.reset();
        m_presuny.reset();
        m_okno.reset();
        clock::setFixedNow(QDateTime());
        konfigurace = nullptr;
        m_konfigurace.reset();
        m_env.reset();
    }

    void extensionReconnectedToAPersonOfAnotherFirm()
    {
        Ovladac o;
        QString otazka;
        o.pri(Z, [&](QWidget* d) {
            d->findChild<QLineEdit*>("textb_2")->setText(QStringLiteral("11:30:00"));  // an edited moment
            d->findChild<QPushButton*>("cb_1")->click();
            otazka = d->findChild<QLabel*>("label_2")->text() + QLatin1Char('|') + d->findChild<QLabel*>("label_1")->text();
        });
        pretahni(s().strom(), uzel({"Alfa", "Obchod", "201"}), s().strom(), uzel({"Beta", "Výroba", "Dvořák Karel"}));
        QCOMPARE(o.pocet(Z), 1);
        QCOMPARE(otazka, QStringLiteral("Přepojit linku :\\Ústředna\\Alfa\\Obchod\\201\\|na :\\\\Ústředna\\Beta\\Výroba\\Dvořák Karel"));
        QCOMPARE(radkyPobocky("201"), QStringList({"2020-01-01 00:00:00|2024-06-01 11:30:00|5|50|0",
                                                   "2024-06-01 11:30:00|9999-12-31 00:00:00|6|60|9"}));
        QVERIFY(!uzel({"Alfa", "Obchod", "201"}).isValid());
        QVERIFY(uzel({"Beta", "Výroba", "Dvořák Karel", "201"}).isValid());
        QVERIFY(s().zmeneno());
        QVERIFY(o.zpravy.isEmpty());
    }

    void refusedDropsChangeNothing()
    {
        Ovladac o;
        // 207 is taken by someone else after the moment: moving its holder is refused as a whole.
        QVERIFY(Transaction::main().exec(QStringLiteral(
            "INSERT INTO dba.prirazeni_pobocek (Cislo_pobocky, Pocatek_platnosti, Konec_platnosti, ID_firmy, ID_Oddeleni, "
            "ID_Osoby) VALUES ('207', '2024-09-01 00:00:00', '9999-12-31 23:59:59', 6, 60, 9)")));
        s().Rozbal_vetev_stromu(uzel({"Alfa", "Obchod", "Novák Jan"}));
        const QStringList strom = vypisStrom(s().strom());
        const QStringList novak = radkyPobocky("9999");
        const QStringList r207 = radkyPobocky("207");
        ano(o);
        pretahni(s().strom(), uzel({"Alfa", "Obchod", "Novák Jan"}), s().strom(), uzel({"Beta", "Výroba"}));
        QCOMPARE(o.pocet(Z), 1);
        QCOMPARE(o.zpravy.size(), 1);
        QVERIFY(o.zpravy.first().startsWith(QStringLiteral("Uložení položky|")));
        QCOMPARE(vypisStrom(s().strom()), strom);
        QCOMPARE(radkyPobocky("9999"), novak);
        QCOMPARE(radkyPobocky("207"), r207);
        QCOMPARE(s().strom().record<Struct_std>(uzel({"Alfa", "Obchod", "Novák Jan"}))->stav, short(Nacteny));

        // Kinds the view does not allow, and the root, open no question.
        pretahni(s().strom(), uzel({"Alfa", "Obchod", "201"}), s().strom(), uzel({}));
        pretahni(s().strom(), uzel({"Alfa", "Obchod", "Novák Jan"}), s().strom(), uzel({"Beta"}));
        pretahni(s().strom(), uzel({"Alfa", "Obchod"}), s().strom(), uzel({"Beta"}));
        QCOMPARE(o.pocet(Z), 1);
        // "Ne" to the question: nothing happens.
        o.pri(Z, [](QWidget* d) { d->findChild<QPushButton*>("cb_2")->click(); });
        pretahni(s().strom(), uzel({"Alfa", "Obchod", "201"}), s().strom(), uzel({"Beta", "Výroba"}));
        QCOMPARE(o.pocet(Z), 2);
        QCOMPARE(vypisStrom(s().strom()), strom);
        QVERIFY(!s().zmeneno());
    }

    void personMovedWithItsExtensions()
    {
        Ovladac o;
        ano(o);
        pretahni(s().strom(), uzel({"Alfa", "Obchod", "Novák Jan"}), s().strom(), uzel({"Beta", "Výroba"}));
        QVERIFY(o.zpravy.isEmpty());
        QVERIFY(uzel({"Beta", "Výroba", "Novák Jan", "207"}).isValid());
        QVERIFY(!uzel({"Alfa", "Obchod", "Novák Jan"}).isValid());
        const QStringList r = radkyPobocky("207");
        QCOMPARE(r.size(), 4);
        QVERIFY(r[2].startsWith(QStringLiteral("2022-01-01 00:00:00|2024-06-01 10:00:00|5|50|7")));
        QVERIFY(r[3].startsWith(QStringLiteral("2024-06-01 10:00:00|9999-12-31 00:00:00|6|60|")));
    }

    void freeExtensionAssignedAndExtensionFreed()
    {
        Ovladac o;
        ano(o);
        QCOMPARE(m_okno->tv_2()->model()->rowCount(), 2);
        pretahni(s().volne(), volna("204"), s().strom(), uzel({"Alfa", "Obchod"}));
        QCOMPARE(radkyPobocky("204"), QStringList({"2021-01-01 00:00:00|2024-06-01 10:00:00|9999|9999|9999",
                                                   "2024-06-01 10:00:00|9999-12-31 23:59:59|5|50|0"}));
        QVERIFY(!volna("204").isValid());
        QVERIFY(uzel({"Alfa", "Obchod", "204"}).isValid());

        // An extension dropped anywhere on the pool (view 1) goes into it.
        pretahni(s().strom(), uzel({"Alfa", "202"}), s().volne(), volna("206"));
        QCOMPARE(radkyPobocky("202"), QStringList({"2020-01-01 00:00:00|2024-06-01 10:00:00|5|0|0",
                                                   "2024-06-01 10:00:00|9999-12-31 23:59:59|9999|9999|9999"}));
        QVERIFY(volna("202").isValid());
        QVERIFY(!uzel({"Alfa", "202"}).isValid());
        QCOMPARE(o.pocet(Z), 2);
        QVERIFY(o.zpravy.isEmpty());
    }

    void view2MovesAnExtensionWithItsHolders()
    {
        Ovladac o;
        m_okno->prepni_zobrazeni();
        QCOMPARE(s().pohled(), 2);
        ano(o);
        // 200 is held by Svoboda: the check leaves out the rows the move ends itself.
        QVERIFY(uzel({"Alfa", "Obchod", "200", "Svoboda Petr"}).isValid());
        pretahni(s().strom(), uzel({"Alfa", "Obchod", "200"}), s().strom(), uzel({"Beta", "Výroba"}));
        QVERIFY2(o.zpravy.isEmpty(), qPrintable(o.zpravy.join(QLatin1Char('\n'))));
        QCOMPARE(radkyPobocky("200"),
                 QStringList({"2020-01-01 00:00:00|2023-06-30 12:00:00|5|50|7",
                              "2023-06-30 12:00:00|2024-06-01 10:00:00|5|50|8",
                              "2024-06-01 10:00:00|9999-12-31 00:00:00|6|60|10"}));
        QCOMPARE(Transaction::main().scalar(QStringLiteral(
                     "SELECT prijmeni || ID_Firmy || ID_Oddeleni FROM dba.ciselnik_osob WHERE ID_Osoby = 10")),
                 QStringLiteral("Svoboda660"));
        QVERIFY(!uzel({"Alfa", "Obchod", "200"}).isValid());
        QVERIFY(uzel({"Beta", "Výroba", "200", "Svoboda Petr"}).isValid());
        // The department's own extension becomes the target department's.
        pretahni(s().strom(), uzel({"Alfa", "Obchod", "201"}), s().strom(), uzel({"Beta", "Výroba"}));
        QCOMPARE(radkyPobocky("201"),
                 QStringList({"2020-01-01 00:00:00|2024-06-01 10:00:00|5|50|0",
                              "2024-06-01 10:00:00|9999-12-31 00:00:00|6|60|0"}));
        QCOMPARE(prekryti(), QString());
        QCOMPARE(o.pocet(Z), 2);
        // A holder that comes later elsewhere still refuses the whole move.
        QVERIFY(Transaction::main().exec(QStringLiteral(
            "INSERT INTO dba.prirazeni_pobocek (Cislo_pobocky, Pocatek_platnosti, Konec_platnosti, ID_firmy, "
            "ID_Oddeleni, ID_Osoby) VALUES ('207', '2024-09-01 00:00:00', '9999-12-31 23:59:59', 6, 60, 9)")));
        const QStringList r207 = radkyPobocky("207");
        pretahni(s().strom(), uzel({"Alfa", "Obchod", "207"}), s().strom(), uzel({"Beta", "Výroba"}));
        QCOMPARE(o.zpravy.size(), 1);
        QVERIFY(o.zpravy.first().startsWith(QStringLiteral("Uložení položky|")));
        QCOMPARE(radkyPobocky("207"), r207);
        QVERIFY(uzel({"Alfa", "Obchod", "207", "Novák Jan"}).isValid());
        // A person moved onto an extension of view 2 joins its holders.
        o.zpravy.clear();
        pretahni(s().strom(), uzel({"Alfa", "Obchod", "207", "Novák Jan"}), s().strom(),
                 uzel({"Beta", "Výroba", "203"}));
        QVERIFY(o.zpravy.isEmpty());
        QVERIFY(uzel({"Beta", "Výroba", "203", "Novák Jan"}).isValid());
        QVERIFY(uzel({"Beta", "Výroba", "203", "Dvořák Karel"}).isValid());
    }

    void anExtensionDroppedOnThePoolsEmptySpaceOrAnEmptyPoolIsFreed()
    {
        Ovladac o;
        ano(o);
        pustDoPoolu(uzel({"Alfa", "202"}));
        QCOMPARE(radkyPobocky("202").last(), QStringLiteral("2024-06-01 10:00:00|9999-12-31 23:59:59|9999|9999|9999"));
        QVERIFY(volna("202").isValid());
        // The pool empty, as it usually is.
        QVERIFY(Transaction::main().exec(QStringLiteral(
            "DELETE FROM dba.prirazeni_pobocek WHERE ID_firmy = 9999 AND ID_Oddeleni = 9999 AND ID_Osoby = 9999")));
        m_okno->cb_Nastav_Click();
        QCOMPARE(s().volne().rowCount(), 0);
        pustDoPoolu(uzel({"Alfa", "Obchod", "201"}));
        QCOMPARE(radkyPobocky("201"),
                 QStringList({"2020-01-01 00:00:00|2024-06-01 10:00:00|5|50|0",
                              "2024-06-01 10:00:00|9999-12-31 23:59:59|9999|9999|9999"}));
        QCOMPARE(s().volne().rowCount(), 1);
        QVERIFY(!uzel({"Alfa", "Obchod", "201"}).isValid());
        QCOMPARE(o.pocet(Z), 2);
        QVERIFY(o.zpravy.isEmpty());
        // In view 2 a drop on the pool does nothing.
        m_okno->prepni_zobrazeni();
        pustDoPoolu(uzel({"Alfa", "202"}));
        QCOMPARE(o.pocet(Z), 2);
    }

    void zrusLinkuEndsThePoolRowAtTheTypedMoment()
    {
        Ovladac o;
        // Typed into "Ke dni :" and its time box, not loaded with "Načti".
        m_okno->findChild<QLineEdit*>("Datum_ke_dni")->setText(QStringLiteral("2024-07-15"));
        m_okno->findChild<QLineEdit*>("textb_cas")->setText(QStringLiteral("8:5"));
        QCOMPARE(s().okamzik(), QStringLiteral("2024-06-01 10:00:00"));
        m_okno->tv_2()->setCurrentIndex(volna("204"));
        polozka("&Zruš linku")->trigger();
        QCOMPARE(radkyPobocky("204"), QStringList{"2021-01-01 00:00:00|2024-07-15 08:05:00|9999|9999|9999"});
        QVERIFY(!volna("204").isValid());
        QVERIFY(s().zmeneno());
        // A moment before the row began ends nothing: the row stays and says why.
        m_okno->findChild<QLineEdit*>("Datum_ke_dni")->setText(QStringLiteral("2022-01-01"));
        m_okno->tv_2()->setCurrentIndex(volna("206"));
        polozka("&Zruš linku")->trigger();
        QCOMPARE(o.zpravy.size(), 1);
        QCOMPARE(radkyPobocky("206").last(), QStringLiteral("2022-12-31 23:59:59|9999-12-31 23:59:59|9999|9999|9999"));
        QVERIFY(volna("206").isValid());
    }

    void poolListsExtensionsFoundInCallsAndPlacesThem()
    {
        Ovladac o;
        for (auto [id, kdy, pobocka] : {std::tuple{1, "2024-05-01 10:00:00", "300"}, {2, "2024-05-03 10:00:00", "300"},
                                        {3, "2024-05-01 10:00:00", "205"}}) {
            Call c;
            c.id = id;
            c.when = QString::fromLatin1(kdy);
            c.number = QStringLiteral("2123456");
            c.extension = QString::fromLatin1(pobocka);
            QVERIFY(addCall(c));
        }
        QVERIFY(!polozka("Zařaď pod ústřednu")->isVisible());
        // "Zruš linku" ends the selected free row at the window's moment.
        m_okno->tv_2()->setCurrentIndex(volna("206"));
        polozka("&Zruš linku")->trigger();
        QCOMPARE(radkyPobocky("206").last(), QStringLiteral("2022-12-31 23:59:59|2024-06-01 10:00:00|9999|9999|9999"));
        QVERIFY(!volna("206").isValid());

        polozka("&Načti nepřiřazené linky")->trigger();
        polozka("&Načti nepřiřazené linky")->trigger();  // loaded twice, listed once
        QVERIFY(m_pool->stavHovoru());
        QVERIFY(polozka("Zařaď pod ústřednu")->isVisible());
        QVERIFY(!polozka("&Zruš linku")->isVisible());
        const QAbstractItemModel* m = m_okno->tv_2()->model();
        QCOMPARE(m->rowCount(), 2);
        QCOMPARE(m->index(1, 0).data().toString(), QStringLiteral("300  - 2024-05-01 10:00:00 - 2024-05-03 10:00:00"));
        // A pool item carries no run: nothing is placed.
        m_okno->tv_2()->setCurrentIndex(m->index(0, 0));
        polozka("Zařaď pod ústřednu")->trigger();
        QCOMPARE(m->rowCount(), 2);
        m_okno->tv_2()->setCurrentIndex(m->index(1, 0));
        polozka("Zařaď pod ústřednu")->trigger();
        QCOMPARE(m->rowCount(), 1);
        QCOMPARE(radkyPobocky("300"), QStringList{"2024-05-01 10:00:00|2024-05-03 10:00:00|0|0|0"});
        QVERIFY(o.zpravy.isEmpty());
        // "Načti" of the window brings the pool's own menu back.
        m_okno->cb_Nastav_Click();
        QVERIFY(!m_pool->stavHovoru());
        QVERIFY(polozka("&Zruš linku")->isVisible());
    }
};

QTEST_MAIN(TstPresunyPobocek)
#include "tst_presuny_pobocek.moc"
