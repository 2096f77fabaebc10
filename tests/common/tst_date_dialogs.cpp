// The date and time boxes, the calendar picker, the period dialog and the
// date and time confirmation dialog.
#include "common/forms/cl_ukaz_kalendar.h"
#include "common/forms/date_box.h"
#include "common/forms/knihovna_okna.h"
#include "common/forms/p_nastaveni_od_do.h"
#include "common/forms/z_zruseni_polozky_firma_oddeleni_osoba.h"
#include "modal_helper.h"
#include "platform/clock.h"
#include "platform/registry.h"
#include "test_env.h"

#include <QCalendarWidget>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

using namespace kavro;
using kavro::test::naModalnim;

namespace {

const QString kKey = QStringLiteral("Software\\Dorvek\\Kavro\\");

void aktivuj(QWidget* w)
{
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
}

// Replaces a box's text as the user would and leaves it with Tab.
void napis_a_odejdi(QLineEdit* box, const QString& text)
{
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Tab);
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

    void dateBoxNormalisesAndSteps()
    {
        QWidget w;
        auto* box = new DateBox(&w);
        auto* other = new QLineEdit(&w);
        (void)other;
        w.show();
        aktivuj(&w);
        napis_a_odejdi(box, QStringLiteral("1.2.2001"));
        QCOMPARE(box->text(), QStringLiteral("2001-02-01"));
        napis_a_odejdi(box, QString());
        QCOMPARE(box->text(), QStringLiteral("2024-06-15"));

        box->setText(QStringLiteral("2000-03-01"));
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Down);
        QCOMPARE(box->text(), QStringLiteral("2000-02-29"));
        box->setText(QStringLiteral("1999-12-31"));
        QTest::keyClick(box, Qt::Key_Up);
        QCOMPARE(box->text(), QStringLiteral("2000-01-01"));
        // A damaged text is normalised before it is stepped.
        box->setText(QStringLiteral("2001-13-45"));
        QTest::keyClick(box, Qt::Key_Up);
        QCOMPARE(box->text(), QStringLiteral("2002-01-01"));
    }

    void timeBoxNormalisesAndStepsOverMidnight()
    {
        QWidget w;
        auto* box = new TimeBox(&w);
        auto* updown = new UpDown(&w);
        box->setUpDown(updown);
        new QLineEdit(&w);
        w.show();
        aktivuj(&w);
        napis_a_odejdi(box, QStringLiteral("7:05:30"));
        QCOMPARE(box->text(), QStringLiteral("07:05:30"));
        napis_a_odejdi(box, QStringLiteral("25:70:99"));
        QCOMPARE(box->text(), QStringLiteral("23:59:59"));
        QTest::mouseClick(updown->nahoru(), Qt::LeftButton);
        QCOMPARE(box->text(), QStringLiteral("00:00:00"));
        QTest::mouseClick(updown->dolu(), Qt::LeftButton);
        QCOMPARE(box->text(), QStringLiteral("23:59:59"));
        box->setText(QStringLiteral("99:59:59"));
        QTest::mouseClick(updown->nahoru(), Qt::LeftButton);
        QCOMPARE(box->text(), QStringLiteral("00:00:00"));
        napis_a_odejdi(box, QString());
        QCOMPARE(box->text(), QStringLiteral("00:00:00"));
        box->setNula(false);
        napis_a_odejdi(box, QStringLiteral("8"));
        QCOMPARE(box->text(), QStringLiteral("13:45:07"));
    }

    void calendarOpensOnTheBoxDateAndPicksByDoubleClick()
    {
        QLineEdit box;
        box.setText(QStringLiteral("5.3.1999"));
        QDate shown;
        naModalnim<cl_Ukaz_kalendar>([&shown](cl_Ukaz_kalendar* k) {
            QCOMPARE(k->windowTitle(), QStringLiteral("Kalendář"));
            shown = k->findChild<QCalendarWidget*>("ctDate_1")->selectedDate();
            k->close();
        });
        knihovna::Ukaz_kalendar(&box, nullptr);
        QCOMPARE(shown, QDate(1999, 3, 5));
        QCOMPARE(box.text(), QStringLiteral("1999-03-05"));

        // The already selected day, then another day of the same month.
        naModalnim<cl_Ukaz_kalendar>([](cl_Ukaz_kalendar* k) {
            emit k->findChild<QCalendarWidget*>("ctDate_1")->activated(QDate(1999, 3, 5));
        });
        knihovna::Ukaz_kalendar(&box, nullptr);
        QCOMPARE(box.text(), QStringLiteral("1999-03-05"));
        naModalnim<cl_Ukaz_kalendar>([](cl_Ukaz_kalendar* k) {
            emit k->findChild<QCalendarWidget*>("ctDate_1")->activated(QDate(1999, 3, 20));
        });
        knihovna::Ukaz_kalendar(&box, nullptr);
        QCOMPARE(box.text(), QStringLiteral("1999-03-20"));

        // The same day number in another month picks only on the second double click.
        bool openAfterFirst = false;
        naModalnim<cl_Ukaz_kalendar>([&openAfterFirst](cl_Ukaz_kalendar* k) {
            auto* c = k->findChild<QCalendarWidget*>("ctDate_1");
            emit c->activated(QDate(1999, 4, 20));
            openAfterFirst = k->isVisible();
            emit c->activated(QDate(1999, 4, 20));
        });
        knihovna::Ukaz_kalendar(&box, nullptr);
        QVERIFY(openAfterFirst);
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
        Registry::instance().write(kKey, "Datum_od", "2001-01-01");
        Registry::instance().write(kKey, "Datum_do", "2001-01-31");
        FDX_Nastaveni_datum_od_do rec;
        rec.datum_od = "2024-06-01";
        rec.datum_do = "2024-06-15";
        rec.titulek = QStringLiteral("Vyberte datum od - do");
        rec.popis_akce = QStringLiteral("Zobrazit hovory od - do");
        rec.OK = false;

        QString shownOd, shownDo, caption, group;
        naModalnim<P_Nastaveni_od_do>([&](P_Nastaveni_od_do* d) {
            aktivuj(d);
            auto* od = d->findChild<DateBox*>("textb_od");
            auto* do_ = d->findChild<DateBox*>("textb_do");
            shownOd = od->text();
            shownDo = do_->text();
            caption = d->windowTitle();
            group = d->findChild<QGroupBox*>("groupb_1")->title();
            napis_a_odejdi(od, QStringLiteral("1.2.2001"));
            // Enter while the box still holds what was typed.
            do_->setFocus();
            do_->selectAll();
            QTest::keyClicks(do_, QStringLiteral("5.3.2001"));
            QTest::keyClick(do_, Qt::Key_Return);
        });
        P_Nastaveni_od_do dlg;
        dlg.Create(nullptr, &rec);

        QCOMPARE(shownOd, QStringLiteral("2001-01-01"));
        QCOMPARE(shownDo, QStringLiteral("2001-01-31"));
        QCOMPARE(caption, QStringLiteral("Vyberte datum od - do"));
        QCOMPARE(group, caption);
        QVERIFY(rec.OK);
        QCOMPARE(rec.datum_od, QStringLiteral("2001-02-01"));
        QCOMPARE(rec.datum_do, QStringLiteral("2001-03-05"));
        QCOMPARE(Registry::instance().read(kKey, "Datum_od"), QStringLiteral("2001-02-01"));
        QCOMPARE(Registry::instance().read(kKey, "Datum_do"), QStringLiteral("2001-03-05"));
    }

    void periodEmptyRegistryValueShowsTheRecordAndEndBeforeStartIsAccepted()
    {
        Registry::instance().write(kKey, "Datum_od", "2001-03-01");
        FDX_Nastaveni_datum_od_do rec;
        rec.datum_od = "2024-06-01";
        rec.datum_do = "2001-02-01";
        QString shownOd, shownDo;
        naModalnim<P_Nastaveni_od_do>([&](P_Nastaveni_od_do* d) {
            shownOd = d->findChild<QLineEdit*>("textb_od")->text();
            shownDo = d->findChild<QLineEdit*>("textb_do")->text();
            d->findChild<QPushButton*>("cb_1")->click();
        });
        P_Nastaveni_od_do dlg;
        dlg.Create(nullptr, &rec);
        QCOMPARE(shownOd, QStringLiteral("2001-03-01"));
        QCOMPARE(shownDo, QStringLiteral("2001-02-01"));
        QVERIFY(rec.OK);
        QCOMPARE(rec.datum_od, QStringLiteral("2001-03-01"));
        QCOMPARE(rec.datum_do, QStringLiteral("2001-02-01"));
    }

    void periodLeaveKeepsRegistryAndRecord()
    {
        Registry::instance().write(kKey, "Datum_od", "2001-01-01");
        Registry::instance().write(kKey, "Datum_do", "2001-01-31");
        FDX_Nastaveni_datum_od_do rec;
        rec.datum_od = "2024-06-01";
        rec.datum_do = "2024-06-15";
        rec.OK = true; // "Opusť" must turn it off

        P_Nastaveni_od_do dlg;
        for (int i = 0; i < 2; ++i) { // the same object opened twice
            naModalnim<P_Nastaveni_od_do>([](P_Nastaveni_od_do* d) {
                aktivuj(d);
                napis_a_odejdi(d->findChild<QLineEdit*>("textb_od"), QStringLiteral("3.3.2003"));
                napis_a_odejdi(d->findChild<QLineEdit*>("textb_do"), QStringLiteral("4.4.2004"));
                QTest::mouseClick(d->findChild<QPushButton*>("cb_2"), Qt::LeftButton);
            });
            dlg.Create(nullptr, &rec);
            QVERIFY(!rec.OK);
            QCOMPARE(rec.datum_od, QStringLiteral("2024-06-01"));
            QCOMPARE(rec.datum_do, QStringLiteral("2024-06-15"));
            QCOMPARE(Registry::instance().read(kKey, "Datum_od"), QStringLiteral("2001-01-01"));
            QCOMPARE(Registry::instance().read(kKey, "Datum_do"), QStringLiteral("2001-01-31"));
            rec.OK = true;
        }
    }

    void periodWithoutRecord()
    {
        QString caption = QStringLiteral("x");
        naModalnim<P_Nastaveni_od_do>([&](P_Nastaveni_od_do* d) {
            caption = d->windowTitle();
            d->findChild<QPushButton*>("cb_1")->click();
        });
        P_Nastaveni_od_do dlg;
        dlg.Create(nullptr, nullptr);
        QCOMPARE(caption, QString());
        // Both boxes were empty: confirmed as today's date.
        QCOMPARE(Registry::instance().read(kKey, "Datum_od"), QStringLiteral("2024-06-15"));
    }

    void momentStepsOverMidnightAndConfirmsNormalised()
    {
        FDX_Z_Zruseni_polozky_firma_oddeleni_osoba rec;
        rec.titulek = QStringLiteral("Přiřazení linky");
        rec.nadpis = QStringLiteral("Opravdu zrušit přiřazení linky ?");
        rec.popis = QStringLiteral("Linka 245");
        rec.datum = "2024-06-15";
        rec.cas = "23:59:59";
        QString caption, nadpis, popis, datumPoKroku, casPoKroku, casZpet;
        naModalnim<Z_Zruseni_polozky_firma_oddeleni_osoba>([&](Z_Zruseni_polozky_firma_oddeleni_osoba* d) {
            aktivuj(d);
            caption = d->windowTitle();
            nadpis = d->findChild<QLabel*>("label_2")->text();
            popis = d->findChild<QLabel*>("label_1")->text();
            auto* datum = d->findChild<DateBox*>("textb_1");
            auto* cas = d->findChild<TimeBox*>("textb_2");
            auto* updown = d->findChild<UpDown*>("updown_1");
            QTest::mouseClick(updown->nahoru(), Qt::LeftButton);
            casPoKroku = cas->text();
            datumPoKroku = datum->text();
            QTest::mouseClick(updown->dolu(), Qt::LeftButton);
            casZpet = cas->text();
            napis_a_odejdi(cas, QStringLiteral("7:5"));
            datum->setFocus();
            datum->selectAll();
            QTest::keyClicks(datum, QStringLiteral("5.3.2001"));
            QTest::keyClick(datum, Qt::Key_Return);
        });
        Z_Zruseni_polozky_firma_oddeleni_osoba dlg;
        dlg.Create(nullptr, &rec);
        QCOMPARE(caption, QStringLiteral("Přiřazení linky"));
        QCOMPARE(nadpis, QStringLiteral("Opravdu zrušit přiřazení linky ?"));
        QCOMPARE(popis, QStringLiteral("Linka 245"));
        QCOMPARE(casPoKroku, QStringLiteral("00:00:00"));
        QCOMPARE(datumPoKroku, QStringLiteral("2024-06-15"));
        QCOMPARE(casZpet, QStringLiteral("23:59:59"));
        QVERIFY(rec.OK);
        QCOMPARE(rec.datum, QStringLiteral("2001-03-05"));
        QCOMPARE(rec.cas, QStringLiteral("07:05:00"));
    }

    void momentNoKeepsTheDefaultsAndRightClickOpensTheCalendar()
    {
        FDX_Z_Zruseni_polozky_firma_oddeleni_osoba rec;
        rec.datum = "2024-06-15";
        rec.cas = "13:45:07";
        rec.OK = true;
        bool kalendar = false;
        naModalnim<Z_Zruseni_polozky_firma_oddeleni_osoba>([&](Z_Zruseni_polozky_firma_oddeleni_osoba* d) {
            aktivuj(d);
            auto* datum = d->findChild<DateBox*>("textb_1");
            napis_a_odejdi(datum, QStringLiteral("1.1.2000"));
            napis_a_odejdi(d->findChild<QLineEdit*>("textb_2"), QString());
            QCOMPARE(d->findChild<QLineEdit*>("textb_2")->text(), QStringLiteral("00:00:00"));
            naModalnim<cl_Ukaz_kalendar>([&kalendar](cl_Ukaz_kalendar* k) {
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
        QCOMPARE(rec.datum, QStringLiteral("2024-06-15"));
        QCOMPARE(rec.cas, QStringLiteral("13:45:07"));
    }
};

QTEST_MAIN(TestDateDialogs)
#include "tst_date_dialogs.moc"
