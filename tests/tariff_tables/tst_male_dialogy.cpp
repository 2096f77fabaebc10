// The small dialogs of the tariff tree editors: state picker, time band,
// zone description and validity range.
#include "common/forms/date_box.h"
#include "ovladac.h"
#include "platform/database.h"
#include "tariff_tables/forms/z_oprava_platnosti_od_do_cas.h"
#include "tariff_tables/forms/z_oprava_popisu_pasma.h"
#include "tariff_tables/forms/z_popis_platnosti_od_do_datum.h"
#include "tariff_tables/forms/zlevnene_sazby_vloz_stat.h"
#include "test_env.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>
#include <memory>

using namespace kavro;
using kavro::test::Ovladac;

namespace {

template <class T = QWidget> T* dite(QWidget* w, const char* jmeno)
{
    T* c = w->findChild<T*>(QString::fromLatin1(jmeno));
    if (!c) qWarning("control %s missing", jmeno);
    return c;
}

QPushButton* tlacitko(QWidget* w, const char* jmeno) { return dite<QPushButton>(w, jmeno); }
QLineEdit* box(QWidget* w, const char* jmeno) { return dite<QLineEdit>(w, jmeno); }

void snimek(QWidget* w, const char* jmeno)
{
    if (qEnvironmentVariableIsSet("KAVRO_SNIMKY"))
        w->grab().save(qEnvironmentVariable("KAVRO_SNIMKY") + QLatin1Char('/') + QLatin1String(jmeno) + ".png");
}

} // namespace

class TestMaleDialogy : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TestEnv> env;

private slots:
    void init()
    {
        env = std::make_unique<test::TestEnv>();
        QVERIFY2(env->ok(), qPrintable(env->error()));
    }
    void cleanup() { env.reset(); }

    // ------------------------------------------------------------ state picker

    void statePickerListsEveryStateAndPicksTheDoubleClickedOne()
    {
        const int pocet = Transaction::main().scalar("SELECT count(*) FROM dba.ciselnik_statu").toInt();
        QVERIFY(pocet > 3);
        Ovladac o;
        Zlevnene_sazby_Vloz_stat d;
        QString treti;
        o.pri(d.objectName(), [&](QWidget* w) {
            auto* list = dite<QListWidget>(w, "combo_1");
            QCOMPARE(list->count(), pocet);
            treti = list->item(2)->text();
            snimek(w, "zlevnene_sazby_vloz_stat");
            const QRect r = list->visualItemRect(list->item(2));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, r.center());
        });
        FDX_Vyber_stat rec{.OK = false, .kod_statu = "puvodni"};
        QVERIFY(d.Create(nullptr, &rec));
        QVERIFY(rec.OK);
        QCOMPARE(rec.kod_statu, Transaction::main().scalar("SELECT kod_statu FROM dba.ciselnik_statu WHERE nazev_statu = ?",
                                                           {treti}));
    }

    void statePickerClosedWithoutAChoiceKeepsTheCallersCode()
    {
        Ovladac o;
        Zlevnene_sazby_Vloz_stat d;
        // The caller's OK is cleared on opening, its code stays.
        o.pri(d.objectName(), [](QWidget* w) { w->close(); });
        FDX_Vyber_stat rec{.OK = true, .kod_statu = "420"};
        QVERIFY(!d.Create(nullptr, &rec));
        QVERIFY(!rec.OK);
        QCOMPARE(rec.kod_statu, QStringLiteral("420"));
        // Esc as well.
        o.pri(d.objectName(), [](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); });
        QVERIFY(!d.Create(nullptr, &rec));
        QVERIFY(!rec.OK);
        QCOMPARE(rec.kod_statu, QStringLiteral("420"));
    }

    void statePickerDoubleClickOnNothingDoesNothing()
    {
        QVERIFY(Transaction::main().exec("DELETE FROM dba.ciselnik_statu WHERE kod_statu NOT IN ('420', '421')"));
        Ovladac o;
        Zlevnene_sazby_Vloz_stat d;
        bool otevreno = false;
        o.pri(d.objectName(), [&](QWidget* w) {
            auto* list = dite<QListWidget>(w, "combo_1");
            QCOMPARE(list->count(), 2);
            // Below the two names: no entry, nothing selected.
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, QPoint(10, list->viewport()->height() - 5));
            otevreno = w->isVisible();
            // Enter with nothing selected: nothing either.
            QTest::keyClick(list, Qt::Key_Return);
            otevreno = otevreno && w->isVisible();
            w->close();
        });
        FDX_Vyber_stat rec;
        QVERIFY(!d.Create(nullptr, &rec));
        QVERIFY(otevreno);
        QVERIFY(!rec.OK);
        QVERIFY(rec.kod_statu.isEmpty());
    }

    // ------------------------------------------------------------ time band

    void bandInsertEnablesSaveOnlyForAForwardBand()
    {
        Ovladac o;
        Z_Oprava_platnosti_od_do_cas d;
        o.pri(d.objectName(), [](QWidget* w) {
            auto* ulozit = tlacitko(w, "cb_1");
            QVERIFY(box(w, "textb_1")->text().isEmpty());
            QVERIFY(box(w, "textb_2")->text().isEmpty());
            QVERIFY(box(w, "textb_3")->text().isEmpty());
            QVERIFY(!ulozit->isEnabled());
            QCOMPARE(dite<QComboBox>(w, "combo_1")->currentText(), QStringLiteral("Všední den"));
            tlacitko(w, "cb_5")->click();
            QCOMPARE(box(w, "textb_1")->text(), QStringLiteral("19:00:00"));
            QCOMPARE(box(w, "textb_2")->text(), QStringLiteral("23:59:59"));
            QVERIFY(ulozit->isEnabled());
            // One click up moves the end by a minute, over midnight: the band runs backwards.
            auto* sipky = dite<UpDown>(w, "updown_2");
            QTest::mouseClick(sipky->nahoru(), Qt::LeftButton);
            QCOMPARE(box(w, "textb_2")->text(), QStringLiteral("00:00:59"));
            QVERIFY(!ulozit->isEnabled());
            QTest::mouseClick(sipky->dolu(), Qt::LeftButton);
            box(w, "textb_1")->setText("10:00:00");
            box(w, "textb_2")->setText("10:00:00");
            QVERIFY(!ulozit->isEnabled());
            box(w, "textb_2")->setText("10:00:01");
            QVERIFY(ulozit->isEnabled());
            snimek(w, "z_oprava_platnosti_od_do_cas");
            box(w, "textb_3")->setText("60");
            ulozit->click();
        });
        FDX_Nastaveni_tarifnich_pasem rec{.rezim = 1, .datum_od = "2001-01-01", .datum_do = "2001-12-31"};
        QVERIFY(d.Create(nullptr, &rec));
        QVERIFY(rec.OK);
        QCOMPARE(rec.cas_od, QStringLiteral("10:00:00"));
        QCOMPARE(rec.cas_do, QStringLiteral("10:00:01"));
        QCOMPARE(rec.perioda, QStringLiteral("60"));
        // typ_dne 0 opened as "Všední den" and confirmed untouched.
        QCOMPARE(rec.typ_dne, short(1));
        QCOMPARE(rec.datum_od, QStringLiteral("2001-01-01"));
        QCOMPARE(rec.datum_do, QStringLiteral("2001-12-31"));
    }

    void bandConfirmNormalisesAndRefusesReversedBandsAndUnusablePeriods()
    {
        Ovladac o;
        Z_Oprava_platnosti_od_do_cas d;
        o.pri(d.objectName(), [&](QWidget* w) {
            auto* ulozit = tlacitko(w, "cb_1");
            QCOMPARE(dite<QComboBox>(w, "combo_1")->currentText(), QStringLiteral("Svátek"));
            // Typed and not yet normalised: "19" sorts before "7:00", as 19:00:00 does not.
            box(w, "textb_1")->setText("19");
            box(w, "textb_2")->setText("7:00");
            QVERIFY(ulozit->isEnabled());
            ulozit->click();
            QVERIFY(w->isVisible());
            QCOMPARE(o.zpravy.size(), 1);
            QCOMPARE(box(w, "textb_1")->text(), QStringLiteral("19:00:00"));
            QCOMPARE(box(w, "textb_2")->text(), QStringLiteral("07:00:00"));
            QVERIFY(!ulozit->isEnabled());
            // A forward band with an empty, then a zero period.
            box(w, "textb_1")->setText("7:30");
            box(w, "textb_2")->setText("9:5:3");
            box(w, "textb_3")->clear();
            ulozit->click();
            QVERIFY(w->isVisible());
            box(w, "textb_3")->setText("000");
            ulozit->click();
            QVERIFY(w->isVisible());
            QCOMPARE(o.zpravy.size(), 3);
            // Digits only in the period box.
            box(w, "textb_3")->clear();
            QTest::keyClicks(box(w, "textb_3"), "1a2");
            QCOMPARE(box(w, "textb_3")->text(), QStringLiteral("12"));
            ulozit->click();
        });
        FDX_Nastaveni_tarifnich_pasem rec{.rezim = 2, .cas_od = "08:00:00", .cas_do = "09:00:00", .perioda = "30",
                                          .typ_dne = 2};
        QVERIFY(d.Create(nullptr, &rec));
        QVERIFY(rec.OK);
        QCOMPARE(rec.cas_od, QStringLiteral("07:30:00"));
        QCOMPARE(rec.cas_do, QStringLiteral("09:05:03"));
        QCOMPARE(rec.perioda, QStringLiteral("12"));
        QCOMPARE(rec.typ_dne, short(2));
        QVERIFY(o.zpravy.first().startsWith(QStringLiteral("Oprava časů pro impulsy|")));
    }

    void bandWithUnknownDayTypeAndDeleteMode()
    {
        Ovladac o;
        Z_Oprava_platnosti_od_do_cas d;
        // An edit of a band with a day type the list does not know must choose one.
        o.pri(d.objectName(), [&](QWidget* w) {
            auto* combo = dite<QComboBox>(w, "combo_1");
            QCOMPARE(combo->currentIndex(), -1);
            tlacitko(w, "cb_1")->click();
            QVERIFY(w->isVisible());
            QCOMPARE(o.zpravy.size(), 1);
            combo->setCurrentIndex(1);
            tlacitko(w, "cb_1")->click();
        });
        FDX_Nastaveni_tarifnich_pasem rec{.rezim = 2, .cas_od = "08:00:00", .cas_do = "09:00:00", .perioda = "30",
                                          .typ_dne = 5};
        QVERIFY(d.Create(nullptr, &rec));
        QCOMPARE(rec.typ_dne, short(2));

        // Delete mode: its own caption and button, every field still editable;
        // "Opusť" after edits leaves the record as it was.
        o.pri(d.objectName(), [](QWidget* w) {
            QCOMPARE(w->windowTitle(), QStringLiteral("Smazat vybraný záznam ?"));
            QCOMPARE(tlacitko(w, "cb_1")->text(), QStringLiteral("Smazat"));
            for (const char* b : {"textb_1", "textb_2", "textb_3"}) QVERIFY(box(w, b)->isEnabled());
            QVERIFY(dite<QComboBox>(w, "combo_1")->isEnabled());
            box(w, "textb_1")->setText("01:00:00");
            tlacitko(w, "cb_2")->click();
        });
        FDX_Nastaveni_tarifnich_pasem smaz{.rezim = 3, .cas_od = "08:00:00", .cas_do = "09:00:00", .perioda = "0"};
        QVERIFY(!d.Create(nullptr, &smaz));
        QVERIFY(!smaz.OK);
        QCOMPARE(smaz.cas_od, QStringLiteral("08:00:00"));
        QCOMPARE(smaz.typ_dne, short(1));
        // "Smazat" takes the band as stored, even with a period tariffing could not use.
        o.pri(d.objectName(), [](QWidget* w) { tlacitko(w, "cb_1")->click(); });
        QVERIFY(d.Create(nullptr, &smaz));
        QVERIFY(smaz.OK);
        QCOMPARE(smaz.perioda, QStringLiteral("0"));
        // The close box leaves as "Opusť" does.
        o.pri(d.objectName(), [](QWidget* w) {
            box(w, "textb_3")->setText("99");
            w->close();
        });
        FDX_Nastaveni_tarifnich_pasem zavri{.rezim = 2, .cas_od = "08:00:00", .cas_do = "09:00:00", .perioda = "30",
                                            .typ_dne = 2};
        QVERIFY(!d.Create(nullptr, &zavri));
        QVERIFY(!zavri.OK);
        QCOMPARE(zavri.perioda, QStringLiteral("30"));
    }

    // ------------------------------------------------------------ zone description

    void zoneDescriptionKeepsWhatWasTypedOrNothing()
    {
        Ovladac o;
        Z_oprava_popisu_pasma d;
        o.pri(d.objectName(), [](QWidget* w) {
            QCOMPARE(box(w, "textb_1")->text(), QStringLiteral("Pásmo 1"));
            snimek(w, "z_oprava_popisu_pasma");
            box(w, "textb_1")->setText("  Nové pásmo ");
            tlacitko(w, "cb_2")->click();
        });
        FDX_Nastaveni_tarifnich_pasem rec{.rezim = 2, .popis_pasma = "Pásmo 1"};
        QVERIFY(d.Create(nullptr, &rec));
        QVERIFY(rec.OK);
        QCOMPARE(rec.popis_pasma, QStringLiteral("  Nové pásmo "));

        o.pri(d.objectName(), [](QWidget* w) {
            box(w, "textb_1")->setText("Jiné");
            tlacitko(w, "cb_1")->click();
        });
        FDX_Nastaveni_tarifnich_pasem opust{.rezim = 2, .popis_pasma = "Pásmo 1"};
        QVERIFY(!d.Create(nullptr, &opust));
        QVERIFY(!opust.OK);
        QCOMPARE(opust.popis_pasma, QStringLiteral("Pásmo 1"));

        o.pri(d.objectName(), [](QWidget* w) {
            box(w, "textb_1")->clear();
            tlacitko(w, "cb_2")->click();
        });
        QVERIFY(d.Create(nullptr, &opust));
        QVERIFY(opust.OK);
        QVERIFY(opust.popis_pasma.isEmpty());
    }

    // ------------------------------------------------------------ validity range

    void rangeEnablesSaveOnlyForAForwardRange()
    {
        Ovladac o;
        Z_Popis_platnosti_od_do_datum d;
        o.pri(d.objectName(), [](QWidget* w) {
            auto* ulozit = tlacitko(w, "cb_1");
            QCOMPARE(w->windowTitle(), QStringLiteral("Oprava platnosti od - do"));
            QCOMPARE(dite<QLabel>(w, "label_1")->text(), QStringLiteral("Pásmo 2"));
            QVERIFY(!ulozit->isEnabled());
            box(w, "textb_1")->setText("2001-05-01");
            box(w, "textb_2")->setText("2001-05-01");
            QVERIFY(!ulozit->isEnabled());
            box(w, "textb_2")->setText("2001-05-02");
            QVERIFY(ulozit->isEnabled());
            // Compared as typed until a box has been normalised.
            box(w, "textb_1")->setText("2001-9-1");
            box(w, "textb_2")->setText("2001-10-01");
            QVERIFY(!ulozit->isEnabled());
            static_cast<DateBox*>(box(w, "textb_1"))->normalise();
            QCOMPARE(box(w, "textb_1")->text(), QStringLiteral("2001-09-01"));
            QVERIFY(ulozit->isEnabled());
            snimek(w, "z_popis_platnosti_od_do_datum");
            ulozit->click();
        });
        FDX_Nastaveni_tarifnich_pasem rec{.rezim = 1, .popis_pasma = "Pásmo 2"};
        QVERIFY(d.Create(nullptr, &rec));
        QVERIFY(rec.OK);
        QCOMPARE(rec.datum_od, QStringLiteral("2001-09-01"));
        QCOMPARE(rec.datum_do, QStringLiteral("2001-10-01"));
    }

    void rangeConfirmNormalisesAndRefusesAReversedRange()
    {
        Ovladac o;
        Z_Popis_platnosti_od_do_datum d;
        o.pri(d.objectName(), [&](QWidget* w) {
            auto* ulozit = tlacitko(w, "cb_1");
            // "2001-10-1" sorts before "2001-9-30"; as dates it comes after.
            box(w, "textb_1")->setText("2001-10-1");
            box(w, "textb_2")->setText("2001-9-30");
            QVERIFY(ulozit->isEnabled());
            ulozit->click();
            QVERIFY(w->isVisible());
            QCOMPARE(o.zpravy.size(), 1);
            QVERIFY(!ulozit->isEnabled());
            box(w, "textb_2")->setText("2001-11-1");
            ulozit->click();
        });
        FDX_Nastaveni_tarifnich_pasem rec{.rezim = 2, .datum_od = "2001-01-01", .datum_do = "2001-12-31"};
        QVERIFY(d.Create(nullptr, &rec));
        QCOMPARE(rec.datum_od, QStringLiteral("2001-10-01"));
        QCOMPARE(rec.datum_do, QStringLiteral("2001-11-01"));
    }

    void rangeDeleteModeAndLeaving()
    {
        Ovladac o;
        Z_Popis_platnosti_od_do_datum d;
        o.pri(d.objectName(), [](QWidget* w) {
            QCOMPARE(w->windowTitle(), QStringLiteral("Smazat vybraný záznam ?"));
            QCOMPARE(tlacitko(w, "cb_1")->text(), QStringLiteral("Smazat"));
            QVERIFY(box(w, "textb_1")->isEnabled());
            tlacitko(w, "cb_1")->click();
        });
        FDX_Nastaveni_tarifnich_pasem rec{.rezim = 3, .datum_od = "2001-01-01", .datum_do = "2001-12-31"};
        QVERIFY(d.Create(nullptr, &rec));
        QVERIFY(rec.OK);
        QCOMPARE(rec.datum_od, QStringLiteral("2001-01-01"));

        // "Opusť", Esc and the close box after edits: the record keeps its dates.
        for (int jak = 0; jak < 3; ++jak) {
            o.pri(d.objectName(), [jak](QWidget* w) {
                QCOMPARE(w->windowTitle(), QStringLiteral("Oprava platnosti od - do"));
                QCOMPARE(tlacitko(w, "cb_1")->text(), QStringLiteral("Ulož"));
                box(w, "textb_1")->setText("2005-01-01");
                if (jak == 0) tlacitko(w, "cb_2")->click();
                else if (jak == 1) QTest::keyClick(w, Qt::Key_Escape);
                else w->close();
            });
            FDX_Nastaveni_tarifnich_pasem opust{.rezim = 2, .datum_od = "2001-01-01", .datum_do = "2001-12-31"};
            QVERIFY(!d.Create(nullptr, &opust));
            QVERIFY(!opust.OK);
            QCOMPARE(opust.datum_od, QStringLiteral("2001-01-01"));
            QCOMPARE(opust.datum_do, QStringLiteral("2001-12-31"));
        }
    }
};

QTEST_MAIN(TestMaleDialogy)
#include "tst_male_dialogy.moc"
