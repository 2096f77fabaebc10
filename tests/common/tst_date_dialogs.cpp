// The date and time boxes, the calendar picker, the period dialog and the
// date and time confirmation dialog.
#include "common/forms/cl_ukaz_kalendar.h"
#include "common/forms/date_box.h"
#include "common/forms/knihovna_okna.h"
#include "common/forms/p_nastaveni_od_do.h"
#include "common/forms/z_zruseni_polozky_firma_oddeleni_osoba.h"
#include "ovladac.h"
#include "platform/clock.h"
#include "platform/registry.h"
#include "test_env.h"

#include <QCalendarWidget>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

using namespace kavro;
using kavro::test::Ovladac;

namespace {

const QString kKey = QStringLiteral("Software\\Dorvek\\Kavro\\");

void aktivuj(QWidget* w)
{
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
}

// Replaces a box's text as the user would and leaves it with Tab, or presses
// Enter while the box still holds what was typed.
void napis(QLineEdit* box, const QString& text, Qt::Key konec = Qt::Key_Tab)
{
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
    QTest::keyClick(box, konec);
}

// Opens the calendar for `box` and double-clicks `den` `kliku` times; tells
// whether the calendar was still open after the first double click.
bool dvojklik(QLineEdit* box, QDate den, int kliku = 1)
{
    bool otevreno = false;
    Ovladac::naModalnim<cl_Ukaz_kalendar>([&](cl_Ukaz_kalendar* k) {
        auto* c = k->findChild<QCalendarWidget*>("ctDate_1");
        for (int i = 0; i < kliku; ++i) {
            emit c->activated(den);
            if (i == 0) otevreno = k->isVisible();
        }
    });
    knihovna::Ukaz_kalendar(box, nullptr);
    return otevreno;
}

void uloz_obdobi(const QString& od, const QString& do_)
{
    Registry::instance().write(kKey, "Datum_od", od);
    Registry::instance().write(kKey, "Datum_do", do_);
}

QString ulozene_obdobi()
{
    return Registry::instance().read(kKey, "Datum_od") + ' ' + Registry::instance().read(kKey, "Datum_do");
}

} // namespace

class TestDateDialogs : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<kavro::test::TestEnv> env;

private slots:
    void init()
    {
        env = std::make_unique<kavro::test::TestEnv>(false);
        clock::setFixedNow(QDateTime(QDate(2024, 6, 15), QTime(13, 45, 7)));
    }
    void cleanup()
    {
        clock::setFixedNow(QDateTime());
        env.reset();
    }

    void boxesNormaliseOnLeavingAndStep()
    {
        QWidget w;
        auto* datum = new DateBox(&w);
        auto* cas = new TimeBox(&w);
        auto* updown = new UpDown(&w);
        cas->setUpDown(updown);
        w.show();
        aktivuj(&w);
        napis(datum, QStringLiteral("1.2.2001"));
        QCOMPARE(datum->text(), QStringLiteral("2001-02-01"));
        // The arrow keys step; a damaged text is normalised before it is stepped.
        datum->setText(QStringLiteral("2000-03-01"));
        datum->setFocus();
        QTest::keyClick(datum, Qt::Key_Down);
        QCOMPARE(datum->text(), QStringLiteral("2000-02-29"));
        datum->setText(QStringLiteral("2001-13-45"));
        QTest::keyClick(datum, Qt::Key_Up);
        QCOMPARE(datum->text(), QStringLiteral("2002-01-01"));

        // The time box steps over midnight both ways.
        napis(cas, QStringLiteral("25:70:99"));
        QCOMPARE(cas->text(), QStringLiteral("23:59:59"));
        QTest::mouseClick(updown->nahoru(), Qt::LeftButton);
        QCOMPARE(cas->text(), QStringLiteral("00:00:00"));
        QTest::mouseClick(updown->dolu(), Qt::LeftButton);
        QCOMPARE(cas->text(), QStringLiteral("23:59:59"));
        cas->setNula(false);
        napis(cas, QStringLiteral("8"));
        QCOMPARE(cas->text(), QStringLiteral("13:45:07"));
    }

    void calendarPicksByDoubleClick()
    {
        QLineEdit box;
        box.setText(QStringLiteral("5.3.1999"));
        // The already selected day, then another day of the same month, pick at once.
        QVERIFY(!dvojklik(&box, QDate(1999, 3, 5)));
        QCOMPARE(box.text(), QStringLiteral("1999-03-05"));
        QVERIFY(!dvojklik(&box, QDate(1999, 3, 20)));
        QCOMPARE(box.text(), QStringLiteral("1999-03-20"));
        // The same day number in another month picks only on the second double click.
        QVERIFY(dvojklik(&box, QDate(1999, 4, 20), 2));
        QCOMPARE(box.text(), QStringLiteral("1999-04-20"));
    }

    void treePath()
    {
        QTreeWidget tree;
        auto* r = new QTreeWidgetItem(&tree, {QStringLiteral("R")});
        auto* s = new QTreeWidgetItem(r, {QStringLiteral("S")});
        auto* t = new QTreeWidgetItem(s, {QStringLiteral("T")});
        QCOMPARE(knihovna::vrat_vetev_tree(&tree), QStringLiteral("\\\\"));
        tree.setCurrentItem(t);
        QCOMPARE(knihovna::vrat_vetev_tree(&tree), QStringLiteral("\\\\R\\S\\T"));
    }

    void periodFromRegistryBeatsTheRecordAndIsWrittenBack()
    {
        uloz_obdobi("2001-01-01", "2001-01-31");
        FDX_Nastaveni_datum_od_do rec{.datum_od = "2024-06-01", .datum_do = "2024-06-15"};
        QString shown;
        Ovladac::naModalnim<P_Nastaveni_od_do>([&](P_Nastaveni_od_do* d) {
            aktivuj(d);
            auto* od = d->findChild<DateBox*>("textb_od");
            auto* do_ = d->findChild<DateBox*>("textb_do");
            shown = od->text() + ' ' + do_->text();
            napis(od, QStringLiteral("1.2.2001"));
            napis(do_, QStringLiteral("5.3.2001"), Qt::Key_Return);
        });
        P_Nastaveni_od_do dlg;
        dlg.Create(nullptr, &rec);
        QCOMPARE(shown, QStringLiteral("2001-01-01 2001-01-31"));
        QVERIFY(rec.OK);
        QCOMPARE(rec.datum_od + ' ' + rec.datum_do, QStringLiteral("2001-02-01 2001-03-05"));
        QCOMPARE(ulozene_obdobi(), QStringLiteral("2001-02-01 2001-03-05"));
    }

    void periodConfirmedAsShown()
    {
        // Without a record both boxes start empty and are confirmed as today.
        Ovladac::naModalnim<P_Nastaveni_od_do>([](P_Nastaveni_od_do* d) { d->findChild<QPushButton*>("cb_1")->click(); });
        P_Nastaveni_od_do bez;
        bez.Create(nullptr, nullptr);
        QCOMPARE(ulozene_obdobi(), QStringLiteral("2024-06-15 2024-06-15"));

        // An empty registry value shows the record's; an end before the start is refused,
        // neither handed back nor remembered, until it is mended.
        uloz_obdobi("2001-03-01", "");
        FDX_Nastaveni_datum_od_do rec{
            .datum_od = "2024-06-01", .datum_do = "2001-02-01", .titulek = "Vyberte datum od - do"};
        Ovladac o;
        bool otevreno = false;
        QString ulozeno;
        Ovladac::naModalnim<P_Nastaveni_od_do>([&](P_Nastaveni_od_do* d) {
            d->findChild<QPushButton*>("cb_1")->click();
            otevreno = d->isVisible();
            ulozeno = ulozene_obdobi();
            d->findChild<QLineEdit*>("textb_do")->setText("2001-03-01");
            d->findChild<QPushButton*>("cb_1")->click();
        });
        P_Nastaveni_od_do dlg;
        dlg.Create(nullptr, &rec);
        QVERIFY(otevreno);
        QCOMPARE(ulozeno, QStringLiteral("2001-03-01 "));
        QCOMPARE(o.zpravy, QStringList{"Vyberte datum od - do|Konec období nesmí předcházet jeho začátku."});
        QVERIFY(rec.OK);
        QCOMPARE(rec.datum_od + ' ' + rec.datum_do, QStringLiteral("2001-03-01 2001-03-01"));
        QCOMPARE(ulozene_obdobi(), QStringLiteral("2001-03-01 2001-03-01"));
    }

    void periodLeaveKeepsRegistryAndRecord()
    {
        uloz_obdobi("2001-01-01", "2001-01-31");
        // "Opusť" must turn OK off.
        FDX_Nastaveni_datum_od_do rec{.datum_od = "2024-06-01", .datum_do = "2024-06-15", .OK = true};
        P_Nastaveni_od_do dlg;
        for (int i = 0; i < 2; ++i) { // the same object opened twice
            Ovladac::naModalnim<P_Nastaveni_od_do>([](P_Nastaveni_od_do* d) {
                aktivuj(d);
                napis(d->findChild<QLineEdit*>("textb_od"), QStringLiteral("3.3.2003"));
                napis(d->findChild<QLineEdit*>("textb_do"), QStringLiteral("4.4.2004"));
                QTest::mouseClick(d->findChild<QPushButton*>("cb_2"), Qt::LeftButton);
            });
            dlg.Create(nullptr, &rec);
            QVERIFY(!rec.OK);
            QCOMPARE(rec.datum_od + ' ' + rec.datum_do, QStringLiteral("2024-06-01 2024-06-15"));
            QCOMPARE(ulozene_obdobi(), QStringLiteral("2001-01-01 2001-01-31"));
            rec.OK = true;
        }
    }

    void momentStepsOverMidnightAndConfirmsNormalised()
    {
        FDX_Z_Zruseni_polozky_firma_oddeleni_osoba rec{.datum = "2024-06-15", .cas = "23:59:59"};
        QString poKroku, zpet;
        Ovladac::naModalnim<Z_Zruseni_polozky_firma_oddeleni_osoba>([&](Z_Zruseni_polozky_firma_oddeleni_osoba* d) {
            aktivuj(d);
            auto* datum = d->findChild<DateBox*>("textb_1");
            auto* cas = d->findChild<TimeBox*>("textb_2");
            auto* updown = d->findChild<UpDown*>("updown_1");
            QTest::mouseClick(updown->nahoru(), Qt::LeftButton);
            poKroku = datum->text() + ' ' + cas->text();
            QTest::mouseClick(updown->dolu(), Qt::LeftButton);
            zpet = cas->text();
            napis(cas, QStringLiteral("7:5"));
            napis(datum, QStringLiteral("5.3.2001"), Qt::Key_Return);
        });
        Z_Zruseni_polozky_firma_oddeleni_osoba dlg;
        dlg.Create(nullptr, &rec);
        QCOMPARE(poKroku, QStringLiteral("2024-06-15 00:00:00")); // the date is not stepped
        QCOMPARE(zpet, QStringLiteral("23:59:59"));
        QVERIFY(rec.OK);
        QCOMPARE(rec.datum + ' ' + rec.cas, QStringLiteral("2001-03-05 07:05:00"));
    }

    void momentNoKeepsTheDefaultsAndRightClickOpensTheCalendar()
    {
        FDX_Z_Zruseni_polozky_firma_oddeleni_osoba rec{.OK = true, .datum = "2024-06-15", .cas = "13:45:07"};
        bool kalendar = false;
        Ovladac::naModalnim<Z_Zruseni_polozky_firma_oddeleni_osoba>([&](Z_Zruseni_polozky_firma_oddeleni_osoba* d) {
            aktivuj(d);
            auto* datum = d->findChild<DateBox*>("textb_1");
            napis(datum, QStringLiteral("1.1.2000"));
            napis(d->findChild<QLineEdit*>("textb_2"), QString());
            QCOMPARE(d->findChild<QLineEdit*>("textb_2")->text(), QStringLiteral("00:00:00"));
            Ovladac::naModalnim<cl_Ukaz_kalendar>([&kalendar](cl_Ukaz_kalendar* k) {
                kalendar = k->findChild<QCalendarWidget*>("ctDate_1")->selectedDate() == QDate(2000, 1, 1);
                emit k->findChild<QCalendarWidget*>("ctDate_1")->activated(QDate(2000, 1, 9));
            });
            QTest::mouseClick(datum, Qt::RightButton);
            QCOMPARE(datum->text(), QStringLiteral("2000-01-09"));
            QTest::keyClick(d, Qt::Key_Escape);
        });
        Z_Zruseni_polozky_firma_oddeleni_osoba dlg;
        dlg.Create(nullptr, &rec);
        QVERIFY(kalendar);
        QVERIFY(!rec.OK);
        QCOMPARE(rec.datum + ' ' + rec.cas, QStringLiteral("2024-06-15 13:45:07"));
    }
};

QTEST_MAIN(TestDateDialogs)
#include "tst_date_dialogs.moc"
