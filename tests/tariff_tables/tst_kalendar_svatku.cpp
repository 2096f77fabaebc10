// The holiday calendar window, its edit dialog and the menu entry, against a
// fresh database; and tariffing taking a holiday entered here.
#include "frame/prikazy_menu.h"
#include "ovladac.h"
#include "platform/database.h"
#include "tariff_tables/forms/prikazy_tarifnich_tabulek.h"
#include "tariff_tables/forms/z_kalendar_svatku.h"
#include "tariff_tables/forms/z_oprava_svatku.h"
#include "tariffing/tarifovani.h"
#include "tarifovani_data.h"
#include "test_env.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTreeView>
#include <QtTest>
#include <memory>

using namespace kavro;
using kavro::test::Ovladac;

namespace {

Transaction& t() { return Transaction::main(); }

QTreeView* strom(QWidget* w) { return w->findChild<QTreeView*>("tv_1"); }

// The node of month `mesic` (1..12), or its child number `dite`.
QModelIndex uzel(QWidget* w, int mesic, int dite = -1)
{
    QAbstractItemModel* m = strom(w)->model();
    const QModelIndex i = m->index(mesic - 1, 0);
    return dite < 0 ? i : m->index(dite, 0, i);
}

// The texts of a month's holidays as the tree shows them.
QStringList deti(QWidget* w, int mesic)
{
    QAbstractItemModel* m = strom(w)->model();
    const QModelIndex i = uzel(w, mesic);
    QStringList out;
    for (int r = 0; r < m->rowCount(i); ++r) out << m->index(r, 0, i).data().toString();
    return out;
}

// The stored rows of a year as "day.month name", by month and day.
QString ulozeno(const QString& rok)
{
    return t().scalar("SELECT ifnull(List(txt), '', List(txt)) FROM (SELECT den || '.' || Mesic || ' ' || Nazev "
                      "AS txt FROM dba.pevne_svatky WHERE Rok = ? ORDER BY Mesic, den, id_svatku)",
                      {rok});
}

// A right click on `i`: the name of the menu that came up ("" for none),
// with the item `polozka` chosen from it.
QString pravyKlik(QWidget* w, const QModelIndex& i, const QString& polozka = QString())
{
    QTreeView* tv = strom(w);
    tv->expand(i.parent());
    tv->scrollTo(i);
    QString jmeno;
    bool hotovo = polozka.isEmpty();
    QTimer hlidka;
    hlidka.setInterval(5);
    QObject::connect(&hlidka, &QTimer::timeout, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) return;
        hlidka.stop();
        jmeno = menu->objectName();
        QAction* vybrana = nullptr;
        for (QAction* a : menu->actions())
            if (a->text() == polozka) vybrana = a;
        menu->close();
        if (vybrana) QTimer::singleShot(0, vybrana, [&, vybrana] {
            vybrana->trigger();
            hotovo = true;
        });
    });
    // A menu opened while the window is still being activated after a
    // dialog closes is closed again at once: the user would click again.
    for (int pokus = 0; pokus < 3 && jmeno.isEmpty(); ++pokus) {
        if (pokus > 0) QTest::qWait(20);
        hlidka.start();
        emit tv->customContextMenuRequested(tv->visualRect(i).center());
        hlidka.stop();
    }
    if (!jmeno.isEmpty() && !QTest::qWaitFor([&] { return hotovo; }, 5000))
        qWarning("menu item %s not done", qPrintable(polozka));
    return jmeno;
}

// Answers the edit dialog with a day and a description and "Ulož".
std::function<void(QWidget*)> zapis(const QString& den, const QString& popis)
{
    return [den, popis](QWidget* d) {
        d->findChild<QLineEdit*>("textb_1")->setText(den);
        d->findChild<QLineEdit*>("textb_3")->setText(popis);
        d->findChild<QPushButton*>("cb_2")->click();
    };
}

void klik(QWidget* w, const char* tlacitko) { w->findChild<QPushButton*>(tlacitko)->click(); }

void snimek(QWidget* w, const char* jmeno)
{
    if (qEnvironmentVariableIsSet("KAVRO_SNIMKY"))
        w->grab().save(qEnvironmentVariable("KAVRO_SNIMKY") + QLatin1Char('/') + QLatin1String(jmeno) + ".png");
}

} // namespace

class TestKalendarSvatku : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TestEnv> env;

    // Runs the calendar for `rok` with `akce` acting in it. The calendar is
    // driven from a timer of its own, so that the Ovladac answers the dialogs
    // it opens in turn.
    static void otevri(Ovladac&, const QString& rok, std::function<void(QWidget*)> akce)
    {
        Z_Kalendar_svatku k;
        QTimer hlidka;
        hlidka.setInterval(5);
        QObject::connect(&hlidka, &QTimer::timeout, [&] {
            if (QApplication::activeModalWidget() != &k || !k.isVisible()) return;
            hlidka.stop();
            akce(&k);
            if (QTest::currentTestFailed() && k.isVisible()) k.reject();
        });
        hlidka.start();
        FDX_Kalendar_svatku pozadavek{rok};
        k.Create(nullptr, &pozadavek);
    }

private slots:
    void init()
    {
        env = std::make_unique<test::TestEnv>();
        QVERIFY2(env->ok(), qPrintable(env->error()));
        QVERIFY(t().exec("INSERT INTO dba.pevne_svatky (den, Mesic, Nazev, Rok) VALUES "
                         "(1, 1, 'Nový rok', 0), (28, 10, 'Vznik státu', 0), (1, 5, 'Svátek práce', 0), "
                         "(8, 5, 'Den vítězství', 2025), (17, 11, 'Jen 2024', 2024)"));
        QVERIFY(t().commit());
    }
    void cleanup() { env.reset(); }

    void fixedHolidaysAndAYearWithItsEasterMonday()
    {
        Ovladac o;
        otevri(o, "0", [](QWidget* w) {
            QCOMPARE(w->windowTitle(), QStringLiteral("Kalendář pevných svátků"));
            QCOMPARE(strom(w)->model()->rowCount(), 12);
            QCOMPARE(uzel(w, 1).data().toString(), QStringLiteral("Leden"));
            QCOMPARE(uzel(w, 12).data().toString(), QStringLiteral("Prosinec"));
            QCOMPARE(deti(w, 5), QStringList{"01  -  Svátek práce"});
            QCOMPARE(deti(w, 4), QStringList{});
            klik(w, "cb_1");
        });
        QCOMPARE(ulozeno("0"), QStringLiteral("1.1 Nový rok,1.5 Svátek práce,28.10 Vznik státu"));
        QVERIFY(ulozeno("2025").indexOf("Velikonoce") < 0);

        otevri(o, "2025", [](QWidget* w) {
            QCOMPARE(w->windowTitle(), QStringLiteral("Kalendář svátků pro rok 2025"));
            QCOMPARE(deti(w, 4), QStringList{"21  -  Velikonoce"});
            QCOMPARE(deti(w, 5), QStringList{"08  -  Den vítězství"});
            QCOMPARE(deti(w, 1), QStringList{});
            strom(w)->expandAll();
            snimek(w, "z_kalendar_svatku");
            klik(w, "cb_1");
        });
        // Easter Monday 2025 is stored and committed, though the window was left with "Opusť".
        QVERIFY(t().rollback());
        QCOMPARE(ulozeno("2025"), QStringLiteral("21.4 Velikonoce,8.5 Den vítězství"));
        // A second opening adds no second one.
        otevri(o, "2025", [](QWidget* w) {
            QCOMPARE(deti(w, 4), QStringList{"21  -  Velikonoce"});
            w->close();
        });
        QCOMPARE(ulozeno("2025"), QStringLiteral("21.4 Velikonoce,8.5 Den vítězství"));
        QCOMPARE(o.zpravy, QStringList{});
    }

    void yearWithoutEasterStillWorks()
    {
        Ovladac o;
        for (const char* rok : {"1599", "2500", "99999999999"}) {
            o.pri("Z_Oprava_svatku", zapis("6", "Pokus"));
            otevri(o, rok, [rok](QWidget* w) {
                QCOMPARE(w->windowTitle(), QStringLiteral("Kalendář svátků pro rok ") + rok);
                for (int m = 1; m <= 12; ++m) QCOMPARE(deti(w, m), QStringList{});
                QCOMPARE(pravyKlik(w, uzel(w, 7), "Vložení"), QStringLiteral("popup_2"));
                QCOMPARE(deti(w, 7), QStringList{"06  -  Pokus"});
                klik(w, "cb_OK");
            });
            QCOMPARE(ulozeno(rok), QStringLiteral("6.7 Pokus"));
        }
        QCOMPARE(o.zpravy, QStringList{});
    }

    void menusFollowTheNodeUnderTheMouse()
    {
        Ovladac o;
        otevri(o, "2025", [&](QWidget* w) {
            // The Easter row has no menu; a month offers only "Vložení"; a holiday all three.
            QCOMPARE(pravyKlik(w, uzel(w, 4, 0)), QString());
            QCOMPARE(pravyKlik(w, uzel(w, 6)), QStringLiteral("popup_2"));
            QCOMPARE(strom(w)->currentIndex(), uzel(w, 6));
            QCOMPARE(pravyKlik(w, uzel(w, 5, 0)), QStringLiteral("popup_1"));
            QCOMPARE(strom(w)->currentIndex(), uzel(w, 5, 0));
            auto* popup_1 = w->findChild<QMenu*>("popup_1");
            QStringList polozky;
            for (QAction* a : popup_1->actions()) polozky << a->text();
            QCOMPARE(polozky, (QStringList{"Vložení", "Oprava", "Smazání"}));
            // A right click beside every node offers nothing.
            QTimer::singleShot(30, [&] {
                if (QApplication::activePopupWidget()) QApplication::activePopupWidget()->close();
            });
            emit strom(w)->customContextMenuRequested(QPoint(5, strom(w)->viewport()->height() - 3));
            // A double click opens the edit of a holiday only.
            emit strom(w)->doubleClicked(uzel(w, 5));
            emit strom(w)->doubleClicked(uzel(w, 4, 0));
            QCOMPARE(o.pocet("Z_Oprava_svatku"), 0);
            o.pri("Z_Oprava_svatku", [](QWidget* d) {
                QCOMPARE(d->windowTitle(), QStringLiteral("Oprava"));
                QCOMPARE(d->findChild<QLineEdit*>("textb_1")->text(), QStringLiteral("8"));
                klik(d, "cb_1");
            });
            emit strom(w)->doubleClicked(uzel(w, 5, 0));
            QCOMPARE(o.pocet("Z_Oprava_svatku"), 1);
            klik(w, "cb_1");
        });
        QCOMPARE(ulozeno("2025"), QStringLiteral("21.4 Velikonoce,8.5 Den vítězství"));
    }

    void insertEditDeleteAndDuplicates()
    {
        Ovladac o;
        otevri(o, "0", [&](QWidget* w) {
            // Insert on a month, then on a holiday of another month: each goes to its own month.
            o.pri("Z_Oprava_svatku", [](QWidget* d) {
                QCOMPARE(d->windowTitle(), QStringLiteral("Zápis"));
                QCOMPARE(d->findChild<QLineEdit*>("textb_1")->text(), QStringLiteral("1"));
                QVERIFY(d->findChild<QLineEdit*>("textb_3")->text().isEmpty());
                snimek(d, "z_oprava_svatku");
                zapis("24", "Štědrý den")(d);
            });
            pravyKlik(w, uzel(w, 12), "Vložení");
            o.pri("Z_Oprava_svatku", zapis("8", "Den vítězství"));
            pravyKlik(w, uzel(w, 5, 0), "Vložení");
            // The same holiday twice: two rows.
            o.pri("Z_Oprava_svatku", zapis("26", "Štěpán"));
            pravyKlik(w, uzel(w, 12), "Vložení");
            pravyKlik(w, uzel(w, 12), "Vložení");
            QCOMPARE(deti(w, 12), (QStringList{"24  -  Štědrý den", "26  -  Štěpán", "26  -  Štěpán"}));
            QCOMPARE(deti(w, 5), (QStringList{"01  -  Svátek práce", "08  -  Den vítězství"}));
            // Editing one of the twins moves only that row, and a second edit finds it under its new day.
            o.pri("Z_Oprava_svatku", zapis("25", "1. svátek vánoční"));
            pravyKlik(w, uzel(w, 12, 2), "Oprava");
            o.pri("Z_Oprava_svatku", zapis("25", "Boží hod"));
            pravyKlik(w, uzel(w, 12, 2), "Oprava");
            QCOMPARE(deti(w, 12), (QStringList{"24  -  Štědrý den", "26  -  Štěpán", "25  -  Boží hod"}));
            // Deleting one of two holidays on the same day deletes only that one.
            o.pri("Z_Oprava_svatku", zapis("26", "Štěpán"));
            pravyKlik(w, uzel(w, 12), "Vložení");
            o.pri("Z_Oprava_svatku", [](QWidget* d) {
                QCOMPARE(d->windowTitle(), QStringLiteral("Rušení"));
                QCOMPARE(d->findChild<QPushButton*>("cb_2")->text(), QStringLiteral("Smazat"));
                QVERIFY(!d->findChild<QLineEdit*>("textb_1")->isEnabled());
                QVERIFY(!d->findChild<QLineEdit*>("textb_3")->isEnabled());
                klik(d, "cb_2");
            });
            pravyKlik(w, uzel(w, 12, 1), "Smazání");
            QCOMPARE(deti(w, 12), (QStringList{"24  -  Štědrý den", "25  -  Boží hod", "26  -  Štěpán"}));
            // An empty description is stored empty.
            o.pri("Z_Oprava_svatku", zapis("6", ""));
            pravyKlik(w, uzel(w, 7), "Vložení");
            QCOMPARE(deti(w, 7), QStringList{"06  -  "});
            klik(w, "cb_OK");
        });
        QCOMPARE(ulozeno("0"), QStringLiteral("1.1 Nový rok,1.5 Svátek práce,8.5 Den vítězství,6.7 ,28.10 Vznik státu,"
                                              "24.12 Štědrý den,25.12 Boží hod,26.12 Štěpán"));
        QCOMPARE(o.zpravy, QStringList{});
    }

    void editDialogRefusesADayItsMonthLacksAndItsCloseBoxLeaves()
    {
        Ovladac o;
        otevri(o, "0", [&](QWidget* w) {
            o.pri("Z_Oprava_svatku", [&](QWidget* d) {
                zapis("31", "Chybný")(d);
                QVERIFY(d->isVisible());
                zapis("", "Chybný")(d);
                QVERIFY(d->isVisible());
                zapis("30", "Správný")(d);
            });
            pravyKlik(w, uzel(w, 4), "Vložení");
            QCOMPARE(o.zpravy.size(), 2);
            QVERIFY(o.zpravy.first().startsWith("Zápis|"));
            // The close box of the edit dialog leaves in every mode: no row for day 1 without a name.
            o.pri("Z_Oprava_svatku", [](QWidget* d) { d->close(); });
            pravyKlik(w, uzel(w, 4), "Vložení");
            pravyKlik(w, uzel(w, 4, 0), "Oprava");
            pravyKlik(w, uzel(w, 4, 0), "Smazání");
            o.pri("Z_Oprava_svatku", [](QWidget* d) { QTest::keyClick(d, Qt::Key_Escape); });
            pravyKlik(w, uzel(w, 4), "Vložení");
            QCOMPARE(deti(w, 4), QStringList{"30  -  Správný"});
            klik(w, "cb_OK");
        });
        QCOMPARE(ulozeno("0"), QStringLiteral("1.1 Nový rok,30.4 Správný,1.5 Svátek práce,28.10 Vznik státu"));
    }

    void aRefusedStatementIsReportedAndTheTreeShowsWhatIsStored()
    {
        QVERIFY(t().exec("CREATE TRIGGER dba.odmitni BEFORE INSERT ON pevne_svatky WHEN NEW.Nazev = 'Chyba' "
                         "BEGIN SELECT RAISE(ABORT, 'odmítnuto'); END"));
        QVERIFY(t().commit());
        Ovladac o;
        otevri(o, "0", [&](QWidget* w) {
            o.pri("Z_Oprava_svatku", zapis("6", "Jan Hus"));
            pravyKlik(w, uzel(w, 7), "Vložení");
            o.pri("Z_Oprava_svatku", zapis("5", "Chyba"));
            pravyKlik(w, uzel(w, 7), "Vložení");
            QCOMPARE(o.zpravy.size(), 1);
            QVERIFY2(o.zpravy.first().contains("Svátek se nepodařilo zapsat.") && o.zpravy.first().contains("odmítnuto"),
                     qPrintable(o.zpravy.first()));
            QCOMPARE(deti(w, 7), QStringList{"06  -  Jan Hus"});
            // A row deleted meanwhile: its edit is reported and the month read again.
            QVERIFY(t().exec("DELETE FROM dba.pevne_svatky WHERE Nazev = 'Svátek práce'"));
            o.pri("Z_Oprava_svatku", zapis("2", "Jiný"));
            pravyKlik(w, uzel(w, 5, 0), "Oprava");
            QCOMPARE(o.zpravy.size(), 2);
            QVERIFY2(o.zpravy.last().contains("Svátek už v tabulce není."), qPrintable(o.zpravy.last()));
            QCOMPARE(deti(w, 5), QStringList{});
            klik(w, "cb_OK");
        });
        QCOMPARE(ulozeno("0"), QStringLiteral("1.1 Nový rok,6.7 Jan Hus,28.10 Vznik státu"));
    }

    void leavingAndTheSaveQuestion()
    {
        const QString puvodni = ulozeno("0");
        const QString otazka = QStringLiteral("V datech byly provedeny změny|Chcete změny uložit");
        Ovladac o;
        auto zmen = [&](QWidget* w, const QString& popis) {
            o.pri("Z_Oprava_svatku", zapis("6", popis));
            pravyKlik(w, uzel(w, 7), "Vložení");
        };
        // "Opusť" after a change rolls back without a question.
        otevri(o, "0", [&](QWidget* w) {
            zmen(w, "Opuštěný");
            klik(w, "cb_1");
        });
        QCOMPARE(ulozeno("0"), puvodni);
        QCOMPARE(o.zpravy, QStringList{});

        // The close box unchanged: no question.
        otevri(o, "0", [](QWidget* w) { w->close(); });
        QCOMPARE(o.zpravy, QStringList{});

        // No: rolled back, and the next opening starts unchanged.
        o.odpovidej({ResultNo});
        otevri(o, "0", [&](QWidget* w) {
            zmen(w, "Zahozený");
            w->close();
        });
        QCOMPARE(o.zpravy, QStringList{otazka});
        QCOMPARE(ulozeno("0"), puvodni);
        otevri(o, "0", [](QWidget* w) {
            QCOMPARE(deti(w, 7), QStringList{});
            w->close();
        });
        QCOMPARE(o.zpravy.size(), 1);

        // Cancel: back to the window, the change still there; then Yes saves it.
        o.odpovidej({ResultCancel, ResultYes});
        bool otevreno = false;
        otevri(o, "0", [&](QWidget* w) {
            zmen(w, "Uložený");
            w->close();
            otevreno = w->isVisible();
            QCOMPARE(deti(w, 7), QStringList{"06  -  Uložený"});
            w->close();
        });
        QVERIFY(otevreno);
        QCOMPARE(o.zpravy.size(), 3);
        QVERIFY(t().rollback());
        QCOMPARE(ulozeno("0"), QStringLiteral("1.1 Nový rok,1.5 Svátek práce,6.7 Uložený,28.10 Vznik státu"));

        // "Ulož" commits with no question.
        otevri(o, "0", [&](QWidget* w) {
            o.pri("Z_Oprava_svatku", [](QWidget* d) { klik(d, "cb_2"); });
            pravyKlik(w, uzel(w, 7, 0), "Smazání");
            klik(w, "cb_OK");
        });
        QVERIFY(t().rollback());
        QCOMPARE(ulozeno("0"), puvodni);
        QCOMPARE(o.zpravy.size(), 3);
    }

    void menuEntryOpensTheCalendarOfItsYear()
    {
        PrikazyMenu::instance().vymaz();
        registruj_prikazy_tarifnich_tabulek();
        QVERIFY(PrikazyMenu::instance().kalendarSvatku());
        Ovladac o;
        QString titulek;
        o.pri("Z_Kalendar_svatku", [&](QWidget* w) {
            titulek = w->windowTitle();
            klik(w, "cb_1");
        });
        PrikazyMenu::instance().kalendarSvatku()(nullptr, "2026");
        QCOMPARE(titulek, QStringLiteral("Kalendář svátků pro rok 2026"));
        QCOMPARE(ulozeno("2026"), QStringLiteral("6.4 Velikonoce"));
        PrikazyMenu::instance().vymaz();
    }

    void tariffingTakesAHolidayEnteredHere()
    {
        QString chyba;
        QVERIFY2(test::fillTariffData(&chyba), qPrintable(chyba));
        QVERIFY(t().commit());
        // 17 November 2025 is a Monday. A call of 00:03:10 less 10 s free on a line that gives
        // no impulses of its own: one impulse of 180 s on a holiday, three of 60 s on a working day.
        Ovladac o;
        otevri(o, "2025", [&](QWidget* w) {
            o.pri("Z_Oprava_svatku", zapis("17", "Den boje za svobodu"));
            pravyKlik(w, uzel(w, 11), "Vložení");
            klik(w, "cb_OK");
        });
        for (auto [id, kdy] : {std::pair{1, "2025-11-17 10:00:00"}, std::pair{2, "2025-11-18 10:00:00"},
                               std::pair{3, "2025-04-21 10:00:00"}}) {
            test::Call c;
            c.id = id;
            c.when = QString::fromLatin1(kdy);
            c.duration = QStringLiteral("00:03:10");
            c.line = 2;
            c.number = QStringLiteral("2345678");
            QVERIFY(test::addCall(c));
        }
        QVERIFY(t().commit());
        Tarifovani tarifovani;
        QCOMPARE(int(tarifovani.tarifikuj()), int(Tarifovani::Vysledek::Hotovo));
        QCOMPARE(test::dayType("2025-11-17"), 2);
        QCOMPARE(test::dayType("2025-11-18"), 1);
        QCOMPARE(test::dayType("2025-04-21"), 2);
        QCOMPARE(test::callValue(1, "program_pocet_impulsu"), QStringLiteral("1"));
        QCOMPARE(test::callValue(2, "program_pocet_impulsu"), QStringLiteral("3"));
        QCOMPARE(test::callValue(3, "program_pocet_impulsu"), QStringLiteral("1"));
    }
};

QTEST_MAIN(TestKalendarSvatku)
#include "tst_kalendar_svatku.moc"
