// The start-up, rights, menu and shut-down of the main window.
#include "common/konfigurace.h"
#include "frame/forms/zakladni_okno.h"
#include "frame/menu_ids.h"
#include "frame/prikazy_menu.h"
#include "frame/spusteni.h"
#include "tariffing/forms/nastaveni_mista.h"
#include "ovladac.h"
#include "platform/clock.h"
#include "platform/database.h"
#include "platform/registry.h"
#include "test_env.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>
#include <memory>

using namespace kavro;

namespace {

const QString kBase = QStringLiteral("Software\\Dorvek\\Kavro\\");
const QString kInstance = QStringLiteral("Software\\Dorvek\\Kavro\\Sberac");

// A label of the main window itself (its member dialogs have labels of the same names).
QString text(Zakladni_okno* w, const char* jmeno)
{
    return w->centralWidget()->findChild<QLabel*>(jmeno)->text();
}

// A fresh database and a main window not yet started. The login dialog gets
// `heslo` and is left with `tlacitko` ("cb_2" cancels).
struct Okno {
    explicit Okno(const QString& heslo = "", const char* tlacitko = "cb_1")
    {
        o.pri("F_Prihlaseni", [heslo, tlacitko](QWidget* d) {
            d->findChild<QLineEdit*>("textb_2")->setText(heslo);
            d->findChild<QPushButton*>(tlacitko)->click();
        });
    }
    // Stores the site (Czech Republic, city `mesto`) and starts the window.
    bool spust(const QString& prikaz = "kavro", const QString& mesto = "2")
    {
        if (!env.ok()) qWarning("%s", qPrintable(env.error()));
        Transaction& t = Transaction::main();
        return env.ok() &&
               t.exec("INSERT INTO dba.konfigurace_mista (mezistatni_predvolba, mezimestska_predvolba, kod_statu, "
                      "kod_mesta, ID_mista) VALUES ('00', '0', '420', ?, 'Výchozí')",
                      {mesto}) &&
               t.commit() && w.Create(prikaz);
    }
    test::TestEnv env;
    test::Ovladac o;
    std::unique_ptr<Zakladni_okno> okno = std::make_unique<Zakladni_okno>();
    Zakladni_okno& w = *okno;
};

} // namespace

class TestZakladniOkno : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        PrikazyMenu::instance().vymaz();
        PrikazyMenu::instance().registruj(menu::SiteSettings, [](QWidget* rodic) {
            Nastaveni_mista d(rodic);
            return d.Create(rodic);
        });
    }

    void startupShowsCaptionPlaceAndOrganisation()
    {
        Okno s;
        Registry& reg = Registry::instance();
        reg.write(kInstance, "Ustredna", "Centrala");
        reg.write(kInstance, "DatovyAdresar", "/var/kavro");
        reg.write(kInstance, "Jmeno_uzivatele", "Dorvek a.s.");
        reg.write(kBase + "Ustredna\\Centrala", "Jmeno_uzivatele", "Pobočka Plzeň");
        clock::setFixedNow(QDateTime(QDate(2024, 3, 5), QTime(10, 0)));
        QVERIFY(s.spust("/usr/bin/kavro", "19"));
        QCOMPARE(s.w.windowTitle(), QString("Kavro  - (Sberac) -  Centrala"));
        QCOMPARE(text(&s.w, "label_6"), QString("Česká republika"));
        QCOMPARE(text(&s.w, "label_7"), QString("Plzeň"));
        // The exchange's organisation wins over the instance's.
        QCOMPARE(text(&s.w, "label_9"), QString("Pobočka Plzeň"));
        QCOMPARE(Jmeno_uzivatele, QString("Pobočka Plzeň"));
        QVERIFY(konfigurace);
        QCOMPARE(konfigurace->zjisti_hodnotu("DatovyAdresar"), QString("/var/kavro/"));
        QCOMPARE(konfigurace->zjisti_hodnotu("jmeno_aplikace"), QString("Sberac"));
        // The period defaults are seeded in the base key; the directory's separator stays in memory.
        QCOMPARE(reg.read(kBase, "Datum_od"), QString("2024-03-05"));
        QCOMPARE(reg.read(kBase, "Datum_do"), QString("9999-12-31"));
        QCOMPARE(reg.read(kInstance, "DatovyAdresar"), QString("/var/kavro"));
        QVERIFY(s.o.zpravy.isEmpty());
    }

    void storedPeriodIsKept()
    {
        Okno s;
        Registry::instance().write(kBase, "Datum_od", "2001-02-03");
        QVERIFY(s.spust("kavro -n Pobocka2 -s"));
        QCOMPARE(s.w.windowTitle(), QString("Kavro  - (Pobocka2) -  "));
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
        Okno s(heslo, opustit ? "cb_2" : "cb_1");
        Registry::instance().write(kBase, "PWD1", pwd1);
        Registry::instance().write(kBase, "PWD2", pwd2);
        Registry::instance().write(kBase, "PWD3", "c3");
        QVERIFY(s.spust());
        QCOMPARE(konfigurace->uroven_prav(), stupen);
        QStringList titulky;
        for (QAction* a : s.w.menuBar()->actions()) titulky << a->text();
        QCOMPARE(titulky, menu);
        QCOMPARE(text(&s.w, "label_2"), textOpravneni(stupen));

        // Ctrl+N and Ctrl+T stay with the window at every level.
        int import = 0, tarif = 0;
        PrikazyMenu::instance().registrujImport([&](QWidget*, int typ) { import = typ; });
        PrikazyMenu::instance().registruj(menu::Retariff, [&](QWidget*) { ++tarif; return true; });
        s.w.obnov_dostupnost();
        s.w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&s.w));
        s.w.activateWindow();
        QTest::keyClick(&s.w, Qt::Key_N, Qt::ControlModifier);
        QTest::keyClick(&s.w, Qt::Key_T, Qt::ControlModifier);
        QCOMPARE(import, 1);
        QCOMPARE(tarif, 1);
    }

    void windowsNotBuiltAreOfferedDisabled()
    {
        Okno s;
        QVERIFY(s.spust());
        // import, report, window
        for (int id : {menu::ImportNew, menu::AllCalls, menu::ZoneAssignment}) QVERIFY(!s.w.polozka(id)->isEnabled());
        // the frame's own
        for (int id : {menu::SiteSettings, menu::OdbcCache, menu::PasswordAdmin, menu::Quit})
            QVERIFY(s.w.polozka(id)->isEnabled());
        int otevreno = 0;
        PrikazyMenu::instance().registruj(menu::ZoneAssignment, [&](QWidget* rodic) {
            otevreno += rodic == &s.w;
            return true;
        });
        s.w.obnov_dostupnost();
        QVERIFY(s.w.polozka(menu::ZoneAssignment)->isEnabled());
        s.w.polozka(menu::ZoneAssignment)->trigger();
        QCOMPARE(otevreno, 1);
    }

    void reportRequestsCarryOnlyTheirOwnArguments()
    {
        Okno s;
        QVERIFY(s.spust());
        QList<FDX_Zakladni_okno> pozadavky;
        PrikazyMenu::instance().registrujSestavy([&](QWidget*, FDX_Zakladni_okno* p) { pozadavky << *p; });
        QList<int> druhy;
        PrikazyMenu::instance().registrujVyuctovani([&](QWidget*, int d) { druhy << d; });
        s.w.obnov_dostupnost();
        // Calls (a period), the correction, the directory (a moment), the prefixes (no date).
        for (int id : {menu::AllCalls, menu::WrongImpulses, menu::ListFirmDeptPerson, menu::PrefixesDomestic})
            s.w.polozka(id)->trigger();
        QCOMPARE(pozadavky.size(), 4);
        auto dny = [&](int i) { return pozadavky[i].argument[0].toString() + "|" + pozadavky[i].argument[1].toString(); };
        const QString obrazek = "RRRR-MM-DD hh:mm:ss";
        QCOMPARE(pozadavky[0].objekt_sestavy, QString("Hovory"));
        QCOMPARE(dny(0), obrazek + "|" + obrazek);
        QCOMPARE(pozadavky[1].objekt_sestavy, QString("rozdilne_impulsovani"));
        QCOMPARE(dny(1), QString("|"));
        QCOMPARE(dny(2), obrazek + "|");
        QCOMPARE(dny(3), QString("|"));
        // Only the correction shows the save button, and the window does not keep it.
        QVERIFY(!pozadavky[0].ukazat_ulozit && pozadavky[1].ukazat_ulozit && !pozadavky[2].ukazat_ulozit);
        QVERIFY(!s.w.FDXGetTarget()->ukazat_ulozit);

        for (int id : {menu::BillingByFirm, menu::BillingByDepartment, menu::BillingByExtension, menu::BillingByAccountCode,
                       menu::BillingDetailed, menu::WatchedLines, menu::CallFrequency})
            s.w.polozka(id)->trigger();
        QCOMPARE(druhy, (QList<int>{1, 2, 3, 4, 5, 6, 7}));
    }

    void holidayCalendarOnlyWhenAYearWasChosen()
    {
        Okno s;
        QVERIFY(s.spust());
        QStringList roky;
        PrikazyMenu::instance().registrujKalendarSvatku([&](QWidget*, const QString& r) { roky << r; });
        s.w.obnov_dostupnost();
        s.w.polozka(menu::FixedHolidays)->trigger();
        s.o.pri("Zadej_rok", [](QWidget* d) {
            d->findChild<QLineEdit*>("textb_1")->setText("2025");
            d->findChild<QPushButton*>("cb_1")->click();
        });
        s.w.polozka(menu::YearHolidays)->trigger();
        s.o.pri("Zadej_rok", [](QWidget* d) { d->findChild<QPushButton*>("cb_2")->click(); });
        s.w.polozka(menu::YearHolidays)->trigger();
        QCOMPARE(roky, (QStringList{"0", "2025"}));
    }

    void noSiteOpensTheSiteDialogUntilSaved()
    {
        Okno s;
        QVERIFY(s.env.ok());
        s.o.pri("Nastaveni_mista", [](QWidget* d) {
            test::vyber(d, "combo_stat", "Česká republika");
            test::vyber(d, "combo_mesto", "Kladno");
            d->findChild<QLineEdit*>("textb__mezistatni_predvolba")->setText("00");
            d->findChild<QLineEdit*>("textb__mezimestska_predvolba")->setText("0");
            d->findChild<QPushButton*>("cb_OK")->click();
        });
        QVERIFY(s.w.Create("kavro"));
        QCOMPARE(s.o.pocet("Nastaveni_mista"), 1);
        QCOMPARE(text(&s.w, "label_6"), QString("Česká republika"));
        QCOMPARE(text(&s.w, "label_7"), QString("Kladno"));
        QCOMPARE(Transaction::main().scalar("SELECT count(*) FROM dba.konfigurace_mista"), QString("1"));
    }

    void siteWithUnknownCityAsksAgainAndLeavingEnds()
    {
        Okno s;
        s.o.pri("Nastaveni_mista", [](QWidget* d) { d->findChild<QPushButton*>("cb_Cancel")->click(); });
        QVERIFY(!s.spust("kavro", "99999"));
        QCOMPARE(s.o.pocet("Nastaveni_mista"), 1);
        QCOMPARE(s.w.navratovy_kod(), 0);
        QVERIFY(!konfigurace);
    }

    void failedConnectionEndsWithoutTheSiteDialog()
    {
        Okno s;
        QVERIFY(s.env.ok());
        Transaction::main().disconnect();
        Registry::instance().write("SOFTWARE\\ODBC\\ODBC.INI\\KAVRO", "Database", s.env.dir() + "/chybi.db");
        QVERIFY(!s.w.Create("kavro"));
        QCOMPARE(s.o.pocet("Nastaveni_mista"), 0);
        QCOMPARE(s.o.zpravy.size(), 1);
        QVERIFY2(s.o.zpravy[0].startsWith("Nepodařilo se navázat spojení|Ověřte si nastaveni ODBC zdroje. Chyba c."),
                 qPrintable(s.o.zpravy[0]));
        QVERIFY(!s.o.zpravy[0].endsWith("c."));  // the error number follows
        QVERIFY(s.w.navratovy_kod() != 0);
        // The steps that need no database still ran.
        QCOMPARE(Registry::instance().read(kBase, "Datum_do"), QString("9999-12-31"));
    }

    void secondInstanceRestoresTheFirstAndCloses()
    {
        Okno s;
        QVERIFY(s.spust());
        Zakladni_okno jina;
        QVERIFY(jina.Create("kavro -n Jina"));
        QCOMPARE(s.o.pocet("F_Prihlaseni"), 2);

        Zakladni_okno druha;
        QVERIFY(!druha.Create("kavro"));
        QVERIFY(druha.druha_instance());
        QCOMPARE(s.o.pocet("F_Prihlaseni"), 2);
        QCOMPARE(druha.navratovy_kod(), 0);
        QTRY_VERIFY(s.w.isVisible());
        QVERIFY(!jina.isVisible());
    }

    void shutDownCommitsOnceAndReleasesTheStore()
    {
        Okno s;
        QVERIFY(s.spust());
        Transaction& t = Transaction::main();
        QVERIFY(t.exec("INSERT INTO dba.ciselnik_statu (kod_statu, nazev_statu, id_pasma) VALUES ('999', 'A', 9999)"));
        s.w.polozka(menu::Quit)->trigger();
        QVERIFY(!konfigurace);
        QVERIFY(!s.w.isVisible());
        // Work left after the window went is not committed by it again, neither closing nor destroying it.
        QVERIFY(t.exec("INSERT INTO dba.ciselnik_statu (kod_statu, nazev_statu, id_pasma) VALUES ('998', 'B', 9999)"));
        s.w.close();
        s.okno.reset();
        QVERIFY(t.rollback());
        QCOMPARE(t.scalar("SELECT count(*) FROM dba.ciselnik_statu WHERE kod_statu = '999'"), QString("1"));
        QCOMPARE(t.scalar("SELECT count(*) FROM dba.ciselnik_statu WHERE kod_statu = '998'"), QString("0"));
    }
};

QTEST_MAIN(TestZakladniOkno)
#include "tst_zakladni_okno.moc"
