// The start-up, rights, menu and shut-down of the main window.
#include "common/konfigurace.h"
#include "frame/forms/zakladni_okno.h"
#include "frame/prikazy_menu.h"
#include "frame/spusteni.h"
#include "import/forms/nastaveni_mista.h"
#include "ovladac.h"
#include "platform/clock.h"
#include "platform/database.h"
#include "platform/forms/message_box.h"
#include "platform/registry.h"
#include "test_env.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>

using namespace kavro;

namespace {

const QString kBase = QStringLiteral("Software\\Dorvek\\Kavro\\");
const QString kInstance = QStringLiteral("Software\\Dorvek\\Kavro\\Sberac");

QStringList titulkyMenu(Zakladni_okno& w)
{
    QStringList t;
    for (QAction* a : w.menuBar()->actions()) t << a->text();
    return t;
}

// A label of the main window itself (its member dialogs have labels of the same names).
QString text(Zakladni_okno* w, const char* jmeno)
{
    return w->centralWidget()->findChild<QLabel*>(jmeno)->text();
}

void ulozMisto(const QString& stat, const QString& mesto)
{
    QVERIFY(Transaction::main().exec("INSERT INTO dba.konfigurace_mista (mezistatni_predvolba, mezimestska_predvolba, "
                                     "kod_statu, kod_mesta, ID_mista) VALUES ('00', '0', ?, ?, 'Výchozí')",
                                     {stat, mesto}));
    QVERIFY(Transaction::main().commit());
}

// Logs in with `heslo` when the login dialog shows.
void prihlasit(test::Ovladac& o, const QString& heslo)
{
    o.pri("F_Prihlaseni", [heslo](QWidget* d) {
        d->findChild<QLineEdit*>("textb_2")->setText(heslo);
        d->findChild<QPushButton*>("cb_1")->click();
    });
}

} // namespace

class TestZakladniOkno : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        PrikazyMenu::instance().vymaz();
        PrikazyMenu::instance().registruj(1067, [](QWidget* rodic) {
            Nastaveni_mista d(rodic);
            return d.Create(rodic);
        });
        setMessageAnswerer([this](const MessageRequest& r) {
            m_zpravy << r.caption + "|" + r.text;
            return int(ResultOk);
        });
        m_zpravy.clear();
    }

    void cleanup() { setMessageAnswerer({}); }

    void startupShowsCaptionPlaceAndOrganisation()
    {
        test::TestEnv env;
        QVERIFY2(env.ok(), qPrintable(env.error()));
        Registry& reg = Registry::instance();
        reg.write(kInstance, "Ustredna", "Centrala");
        reg.write(kInstance, "DatovyAdresar", "/var/kavro");
        reg.write(kInstance, "Jmeno_uzivatele", "Dorvek a.s.");
        reg.write(kBase + "Ustredna\\Centrala", "Jmeno_uzivatele", "Pobočka Plzeň");
        ulozMisto("420", "19");
        clock::setFixedNow(QDateTime(QDate(2024, 3, 5), QTime(10, 0)));

        test::Ovladac o;
        prihlasit(o, "");
        Zakladni_okno w;
        QVERIFY(w.Create("/usr/bin/kavro"));
        QCOMPARE(o.pocet("F_Prihlaseni"), 1);
        QCOMPARE(w.windowTitle(), QString("Kavro  - (Sberac) -  Centrala"));
        QCOMPARE(text(&w, "label_6"), QString("Česká republika"));
        QCOMPARE(text(&w, "label_7"), QString("Plzeň"));
        QCOMPARE(text(&w, "label_9"), QString("Pobočka Plzeň"));
        QCOMPARE(Jmeno_uzivatele, QString("Pobočka Plzeň"));
        QVERIFY(konfigurace);
        QCOMPARE(konfigurace->zjisti_hodnotu("DatovyAdresar"), QString("/var/kavro/"));
        QCOMPARE(konfigurace->zjisti_hodnotu("jmeno_aplikace"), QString("Sberac"));
        QCOMPARE(w.FDXGetTarget()->ukazat_ulozit, false);
        // The period defaults are seeded in the base key.
        QCOMPARE(reg.read(kBase, "Datum_od"), QString("2024-03-05"));
        QCOMPARE(reg.read(kBase, "Datum_do"), QString("9999-12-31"));
        // The data directory's separator stays in memory.
        QCOMPARE(reg.read(kInstance, "DatovyAdresar"), QString("/var/kavro"));
        QVERIFY(m_zpravy.isEmpty());
    }

    void storedPeriodIsKept()
    {
        test::TestEnv env;
        QVERIFY(env.ok());
        Registry::instance().write(kBase, "Datum_od", "2001-02-03");
        ulozMisto("420", "2");
        test::Ovladac o;
        prihlasit(o, "");
        Zakladni_okno w;
        QVERIFY(w.Create("kavro -n Pobocka2 -s"));
        QCOMPARE(w.windowTitle(), QString("Kavro  - (Pobocka2) -  "));
        QCOMPARE(Registry::instance().read(kBase, "Datum_od"), QString("2001-02-03"));
        QCOMPARE(Registry::instance().read(kBase, "Datum_do"), QString("9999-12-31"));
        QVERIFY(Registry::instance().hasKey(kBase + "Pobocka2"));
    }

    void rightsCutTheMenu_data()
    {
        QTest::addColumn<QString>("pwd1");
        QTest::addColumn<QString>("pwd2");
        QTest::addColumn<QString>("heslo");
        QTest::addColumn<bool>("opustit");
        QTest::addColumn<int>("stupen");
        QTest::addColumn<QStringList>("menu");
        const QStringList vse{"Hovory", "Sestavy", "&Seznamy", "Nastavení", "Konec"};
        const QStringList oprava{"Hovory", "Sestavy", "&Seznamy", "Konec"};
        const QStringList cteni{"Hovory", "Sestavy", "Konec"};
        QTest::newRow("administrator") << "a1" << "b2" << "a1" << false << 3 << vse;
        QTest::newRow("editing") << "a1" << "b2" << "b2" << false << 2 << oprava;
        QTest::newRow("reading") << "a1" << "b2" << "jine" << false << 1 << cteni;
        QTest::newRow("third password grants nothing") << "a1" << "b2" << "c3" << false << 1 << cteni;
        QTest::newRow("nothing stored, left") << "" << "" << "x" << true << 3 << vse;
        QTest::newRow("PWD1 set, left") << "a1" << "" << "x" << true << 2 << oprava;
    }

    void rightsCutTheMenu()
    {
        QFETCH(QString, pwd1);
        QFETCH(QString, pwd2);
        QFETCH(QString, heslo);
        QFETCH(bool, opustit);
        QFETCH(int, stupen);
        QFETCH(QStringList, menu);
        test::TestEnv env;
        QVERIFY(env.ok());
        Registry::instance().write(kBase, "PWD1", pwd1);
        Registry::instance().write(kBase, "PWD2", pwd2);
        Registry::instance().write(kBase, "PWD3", "c3");
        ulozMisto("420", "2");
        test::Ovladac o;
        if (opustit)
            o.pri("F_Prihlaseni", [heslo](QWidget* d) {
                d->findChild<QLineEdit*>("textb_2")->setText(heslo);
                d->findChild<QPushButton*>("cb_2")->click();
            });
        else
            prihlasit(o, heslo);
        Zakladni_okno w;
        QVERIFY(w.Create("kavro"));
        QCOMPARE(konfigurace->uroven_prav(), stupen);
        QCOMPARE(titulkyMenu(w), menu);
        QCOMPARE(text(&w, "label_2"), textOpravneni(stupen));

        // Ctrl+N and Ctrl+T stay with the window at every level.
        int import = 0;
        PrikazyMenu::instance().registrujImport([&](QWidget*, int typ) { import = typ; });
        int tarif = 0;
        PrikazyMenu::instance().registruj(1006, [&](QWidget*) { ++tarif; return true; });
        w.obnov_dostupnost();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.activateWindow();
        QTest::keyClick(&w, Qt::Key_N, Qt::ControlModifier);
        QTest::keyClick(&w, Qt::Key_T, Qt::ControlModifier);
        QCOMPARE(import, 1);
        QCOMPARE(tarif, 1);
    }

    void menuTreeAndUnregisteredWindows()
    {
        test::TestEnv env;
        QVERIFY(env.ok());
        ulozMisto("420", "2");
        test::Ovladac o;
        prihlasit(o, "");
        Zakladni_okno w;
        QVERIFY(w.Create("kavro"));
        QCOMPARE(titulkyMenu(w), (QStringList{"Hovory", "Sestavy", "&Seznamy", "Nastavení", "Konec"}));
        QCOMPARE(w.polozka(1001)->text(), QString("Načtení nových"));
        QCOMPARE(w.polozka(1001)->statusTip(), QString("Načtení nových hovorů ze sběrací části programu"));
        QCOMPARE(w.polozka(1007)->statusTip(), QString("Přiřadí účastníka k hovoru podle volaných čísel"));
        QCOMPARE(w.polozka(1003)->statusTip(), QString());
        QCOMPARE(w.polozka(1075)->text(), QString("Prohlížení"));
        int polozek = 0;
        for (int id = 1000; id < 1100; ++id) polozek += w.polozka(id) ? 1 : 0;
        QCOMPARE(polozek, 55);
        // Windows not built yet are offered disabled; the frame's own are enabled.
        QVERIFY(!w.polozka(1001)->isEnabled());
        QVERIFY(!w.polozka(1057)->isEnabled());
        QVERIFY(!w.polozka(1031)->isEnabled());
        QVERIFY(w.polozka(1067)->isEnabled());
        QVERIFY(w.polozka(1070)->isEnabled());
        QVERIFY(w.polozka(1073)->isEnabled());
        QVERIFY(w.polozka(1077)->isEnabled());
        int otevreno = 0;
        PrikazyMenu::instance().registruj(1057, [&](QWidget* rodic) {
            otevreno += rodic == &w;
            return true;
        });
        w.obnov_dostupnost();
        QVERIFY(w.polozka(1057)->isEnabled());
        w.polozka(1057)->trigger();
        QCOMPARE(otevreno, 1);
    }

    void reportRequests()
    {
        test::TestEnv env;
        QVERIFY(env.ok());
        ulozMisto("420", "2");
        test::Ovladac o;
        prihlasit(o, "");
        Zakladni_okno w;
        QVERIFY(w.Create("kavro"));
        QList<FDX_Zakladni_okno> pozadavky;
        PrikazyMenu::instance().registrujSestavy([&](QWidget*, FDX_Zakladni_okno* p) { pozadavky << *p; });
        QList<int> druhy;
        PrikazyMenu::instance().registrujVyuctovani([&](QWidget*, int d) { druhy << d; });
        w.obnov_dostupnost();
        const QString obrazek = "RRRR-MM-DD hh:mm:ss";

        w.polozka(1031)->trigger();
        w.polozka(1040)->trigger();
        w.polozka(1010)->trigger();
        w.polozka(1019)->trigger();
        QCOMPARE(pozadavky.size(), 4);
        QCOMPARE(pozadavky[0].objekt_sestavy, QString("Hovory"));
        QCOMPARE(pozadavky[0].argument[0].toString(), obrazek);
        QCOMPARE(pozadavky[0].argument[1].toString(), obrazek);
        QVERIFY(!pozadavky[0].ukazat_ulozit);
        // The correction shows the save button and takes over no arguments.
        QCOMPARE(pozadavky[1].objekt_sestavy, QString("rozdilne_impulsovani"));
        QVERIFY(pozadavky[1].ukazat_ulozit);
        for (const QVariant& a : pozadavky[1].argument) QVERIFY(a.toString().isEmpty());
        QVERIFY(!w.FDXGetTarget()->ukazat_ulozit);
        QCOMPARE(pozadavky[2].titulek, QString("Interní telefonní seznam"));
        QCOMPARE(pozadavky[2].argument[0].toString(), obrazek);
        QVERIFY(pozadavky[2].argument[1].toString().isEmpty());
        QVERIFY(!pozadavky[2].ukazat_ulozit);
        QCOMPARE(pozadavky[3].titulek, QString("Seznam předvoleb měst v České republice"));
        QVERIFY(pozadavky[3].argument[0].toString().isEmpty());

        for (int id : {1034, 1035, 1036, 1039, 1037, 1030, 1027}) w.polozka(id)->trigger();
        QCOMPARE(druhy, (QList<int>{1, 2, 3, 4, 5, 6, 7}));
    }

    void holidayCalendarOnlyWhenAYearWasChosen()
    {
        test::TestEnv env;
        QVERIFY(env.ok());
        ulozMisto("420", "2");
        test::Ovladac o;
        prihlasit(o, "");
        Zakladni_okno w;
        QVERIFY(w.Create("kavro"));
        QStringList roky;
        PrikazyMenu::instance().registrujKalendarSvatku([&](QWidget*, const QString& r) { roky << r; });
        w.obnov_dostupnost();
        w.polozka(1060)->trigger();
        o.pri("Zadej_rok", [](QWidget* d) {
            d->findChild<QLineEdit*>("textb_1")->setText("2025");
            d->findChild<QPushButton*>("cb_1")->click();
        });
        w.polozka(1061)->trigger();
        o.pri("Zadej_rok", [](QWidget* d) { d->findChild<QPushButton*>("cb_2")->click(); });
        w.polozka(1061)->trigger();
        o.pri("Zadej_rok", [](QWidget* d) {
            d->findChild<QLineEdit*>("textb_1")->clear();
            d->findChild<QPushButton*>("cb_1")->click();
        });
        w.polozka(1061)->trigger();
        QCOMPARE(roky, (QStringList{"0", "2025"}));
    }

    void noSiteOpensTheSiteDialogUntilSaved()
    {
        test::TestEnv env;
        QVERIFY(env.ok());
        test::Ovladac o;
        prihlasit(o, "");
        o.pri("Nastaveni_mista", [](QWidget* d) {
            auto* stat = d->findChild<QComboBox*>("combo_stat");
            stat->setCurrentIndex(stat->findText("Česká republika"));
            emit stat->activated(stat->currentIndex());
            auto* mesto = d->findChild<QComboBox*>("combo_mesto");
            mesto->setCurrentIndex(mesto->findText("Kladno"));
            emit mesto->activated(mesto->currentIndex());
            d->findChild<QPushButton*>("cb_OK")->click();
        });
        Zakladni_okno w;
        QVERIFY(w.Create("kavro"));
        QCOMPARE(o.pocet("Nastaveni_mista"), 1);
        QCOMPARE(text(&w, "label_6"), QString("Česká republika"));
        QCOMPARE(text(&w, "label_7"), QString("Kladno"));
        QCOMPARE(Transaction::main().scalar("SELECT count(*) FROM dba.konfigurace_mista"), QString("1"));
    }

    void siteWithUnknownCityAsksAgainAndLeavingEnds()
    {
        test::TestEnv env;
        QVERIFY(env.ok());
        ulozMisto("420", "99999");
        test::Ovladac o;
        prihlasit(o, "");
        o.pri("Nastaveni_mista", [](QWidget* d) { d->findChild<QPushButton*>("cb_Cancel")->click(); });
        Zakladni_okno w;
        QVERIFY(!w.Create("kavro"));
        QCOMPARE(o.pocet("Nastaveni_mista"), 1);
        QCOMPARE(w.navratovy_kod(), 0);
        QVERIFY(!konfigurace);
    }

    void failedConnectionEndsWithoutTheSiteDialog()
    {
        test::TestEnv env;
        QVERIFY(env.ok());
        Transaction::main().disconnect();
        Registry::instance().write("SOFTWARE\\ODBC\\ODBC.INI\\KAVRO", "Database", env.dir() + "/chybi.db");
        test::Ovladac o;
        prihlasit(o, "");
        Zakladni_okno w;
        QVERIFY(!w.Create("kavro"));
        QCOMPARE(o.pocet("Nastaveni_mista"), 0);
        QCOMPARE(m_zpravy.size(), 1);
        QVERIFY2(m_zpravy[0].startsWith("Nepodařilo se navázat spojení|Ověřte si nastaveni ODBC zdroje. Chyba c."),
                 qPrintable(m_zpravy[0]));
        QVERIFY(!m_zpravy[0].endsWith("c."));
        QVERIFY(w.navratovy_kod() != 0);
        // The steps that need no database still ran.
        QCOMPARE(Registry::instance().read(kBase, "Datum_do"), QString("9999-12-31"));
    }

    void secondInstanceRestoresTheFirstAndCloses()
    {
        test::TestEnv env;
        QVERIFY(env.ok());
        ulozMisto("420", "2");
        test::Ovladac o;
        prihlasit(o, "");
        Zakladni_okno prvni;
        QVERIFY(prvni.Create("kavro"));
        QCOMPARE(o.pocet("F_Prihlaseni"), 1);

        Zakladni_okno jina;
        QVERIFY(jina.Create("kavro -n Jina"));
        QCOMPARE(o.pocet("F_Prihlaseni"), 2);

        Zakladni_okno druha;
        QVERIFY(!druha.Create("kavro"));
        QVERIFY(druha.druha_instance());
        QCOMPARE(o.pocet("F_Prihlaseni"), 2);
        QCOMPARE(druha.navratovy_kod(), 0);
        QTRY_VERIFY(prvni.isVisible());
        QVERIFY(!jina.isVisible());
    }

    void shutDownCommitsOnceAndReleasesTheStore()
    {
        test::TestEnv env;
        QVERIFY(env.ok());
        ulozMisto("420", "2");
        test::Ovladac o;
        prihlasit(o, "");
        Transaction& t = Transaction::main();
        {
            Zakladni_okno w;
            QVERIFY(w.Create("kavro"));
            QVERIFY(konfigurace);
            QVERIFY(t.exec("INSERT INTO dba.ciselnik_statu (kod_statu, nazev_statu, id_pasma) VALUES ('999', 'A', 9999)"));
            w.polozka(1077)->trigger();
            QVERIFY(!konfigurace);
            QVERIFY(!w.isVisible());
            // Work left after the window went is not committed by it again.
            QVERIFY(t.exec("INSERT INTO dba.ciselnik_statu (kod_statu, nazev_statu, id_pasma) VALUES ('998', 'B', 9999)"));
            w.close();
        }
        QVERIFY(t.rollback());
        QCOMPARE(t.scalar("SELECT count(*) FROM dba.ciselnik_statu WHERE kod_statu = '999'"), QString("1"));
        QCOMPARE(t.scalar("SELECT count(*) FROM dba.ciselnik_statu WHERE kod_statu = '998'"), QString("0"));
    }

private:
    QStringList m_zpravy;
};

QTEST_MAIN(TestZakladniOkno)
#include "tst_zakladni_okno.moc"
