// The holiday calendar window, its edit dialog and the menu entry, against a
// fresh database; and tariffing taking a holiday entered here.
#include "frame/prikazy_menu.h"
#include "ovladac.h"
#include "platform/database.h"
#include "tariff_tables/forms/prikazy_tarifnich_tabulek.h"
#include "tariff_tables/forms/z_kalendar_svatku.h"
#include "tariff_tables/forms/z_oprava_svatku.h"
#include "tariffing/tarifovani.h"
#include "tabulky_fixture.h"
#include "tarifovani_data.h"
#include "test_env.h"

#include <QLineEdit>
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

QString pravyKlik(QWidget* w, const QModelIndex& i, const QString& polozka = QString())
{
    return test::pravyKlik(strom(w), i, polozka);
}

// Answers the edit dialog with a day and a description and "Ulož".
std::function<void(QWidget*)> zapis(const QString& den, const QString& popis)
{
    return [den, popis](QWidget* d) {
        test::napis(d, "textb_1", den);
        test::napis(d, "textb_3", popis);
        test::klik(d, "cb_2");
    };
}

using test::klik;

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

    void fixedHolidaysAYearWithItsEasterMondayAndAYearWithout()
    {
        Ovladac o;
        otevri(o, "0", [](QWidget* w) {
            QCOMPARE(strom(w)->model()->rowCount(), 12);
            QCOMPARE(deti(w, 5), QStringList{"01  -  Svátek práce"});
            klik(w, "cb_1");
        });
        otevri(o, "2025", [](QWidget* w) {
            QCOMPARE(deti(w, 4), QStringList{"21  -  Velikonoce"});
            QCOMPARE(deti(w, 5), QStringList{"08  -  Den vítězství"});
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
        // A year Easter is not computed for (the logic test has the others) still gets a working window.
        // A server's number column holds no year as large as the file takes.
        const QString mimo = t().isServer() ? QStringLiteral("2500") : QStringLiteral("99999999999");
        o.pri("Z_Oprava_svatku", zapis("6", "Pokus"));
        otevri(o, mimo, [](QWidget* w) {
            QCOMPARE(deti(w, 4), QStringList{});
            pravyKlik(w, uzel(w, 7), "Vložení");
            klik(w, "cb_OK");
        });
        QCOMPARE(ulozeno(mimo), QStringLiteral("6.7 Pokus"));
        QCOMPARE(o.zpravy, QStringList{});
    }

    void menusFollowTheNodeUnderTheMouse()
    {
        Ovladac o;
        otevri(o, "2025", [&](QWidget* w) {
            // The Easter row has no menu; a month and a holiday have theirs, for the node under the mouse.
            QCOMPARE(pravyKlik(w, uzel(w, 4, 0)), QString());
            QCOMPARE(pravyKlik(w, uzel(w, 6)), QStringLiteral("popup_2"));
            QCOMPARE(pravyKlik(w, uzel(w, 5, 0)), QStringLiteral("popup_1"));
            QCOMPARE(strom(w)->currentIndex(), uzel(w, 5, 0));
            // A right click beside every node offers nothing.
            QCOMPARE(test::pravyKlik(strom(w), {}, {}, QPoint(5, strom(w)->viewport()->height() - 3)), QString());
            // A double click opens the edit of a holiday only.
            emit strom(w)->doubleClicked(uzel(w, 5));
            emit strom(w)->doubleClicked(uzel(w, 4, 0));
            QCOMPARE(o.pocet("Z_Oprava_svatku"), 0);
            o.pri("Z_Oprava_svatku", [](QWidget* d) {
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
            o.pri("Z_Oprava_svatku", zapis("24", "Štědrý den"));
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
            o.pri("Z_Oprava_svatku", [](QWidget* d) { klik(d, "cb_2"); });
            pravyKlik(w, uzel(w, 12, 1), "Smazání");
            QCOMPARE(deti(w, 12), (QStringList{"24  -  Štědrý den", "25  -  Boží hod", "26  -  Štěpán"}));
            klik(w, "cb_OK");
        });
        QCOMPARE(ulozeno("0"), QStringLiteral("1.1 Nový rok,1.5 Svátek práce,8.5 Den vítězství,28.10 Vznik státu,"
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

    // 29 February is a day of a leap year only: a calendar of 2025 refuses it
    // in an insert and in an edit, one of 2024 and the every-year list take it.
    void the29thOfFebruaryOnlyInALeapYear()
    {
        for (const QString rok : {"2025", "2024", "0"}) {
            Ovladac o;
            const bool odmitne = rok == "2025";
            otevri(o, rok, [&](QWidget* w) {
                auto pokus = [&](const QString& den) {
                    return [&, den](QWidget* d) {
                        zapis(den, "Přestupný")(d);
                        if (d->isVisible()) klik(d, "cb_1");
                    };
                };
                o.pri("Z_Oprava_svatku", pokus("29"));
                pravyKlik(w, uzel(w, 2), "Vložení");
                if (odmitne) {
                    o.pri("Z_Oprava_svatku", pokus("28"));
                    pravyKlik(w, uzel(w, 2), "Vložení");
                    o.pri("Z_Oprava_svatku", pokus("29"));
                    pravyKlik(w, uzel(w, 2, 0), "Oprava");
                }
                klik(w, "cb_OK");
            });
            const QString zprava = "Den musí být číslo od 1 do 28: tolik dní má tento měsíc v roce 2025.";
            QCOMPARE(o.zpravy, odmitne ? (QStringList{"Zápis|" + zprava, "Oprava|" + zprava}) : QStringList{});
            QVERIFY2(ulozeno(rok).contains(odmitne ? "28.2 Přestupný" : "29.2 Přestupný"), qPrintable(ulozeno(rok)));
        }
    }

    void aRefusedStatementIsReportedAndTheTreeShowsWhatIsStored()
    {
        QVERIFY(test::odmitej("BEFORE INSERT ON pevne_svatky WHEN NEW.Nazev = 'Chyba'"));
        Ovladac o;
        otevri(o, "0", [&](QWidget* w) {
            o.pri("Z_Oprava_svatku", zapis("6", "Jan Hus"));
            pravyKlik(w, uzel(w, 7), "Vložení");
            o.pri("Z_Oprava_svatku", zapis("5", "Chyba"));
            pravyKlik(w, uzel(w, 7), "Vložení");
            QCOMPARE(o.zpravy.size(), 1);
            QVERIFY2(o.zpravy.first().contains("Svátek se nepodařilo zapsat.") && o.zpravy.first().contains("zamitnuto"),
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
        o.pri("Z_Kalendar_svatku", [](QWidget* w) { klik(w, "cb_1"); });
        PrikazyMenu::instance().kalendarSvatku()(nullptr, "2026");
        QCOMPARE(o.pocet("Z_Kalendar_svatku"), 1);
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
