// The small dialogs of the tariff tree editors (state picker, time band,
// zone description, validity range), and the impulse price list with its dialog.
#include "common/forms/date_box.h"
#include "ovladac.h"
#include "platform/database.h"
#include "tabulky_fixture.h"
#include "tariff_tables/forms/nastaveni_cena_impulsu.h"
#include "tariff_tables/forms/z_cena_impulsu.h"
#include "tariff_tables/forms/z_oprava_platnosti_od_do_cas.h"
#include "tariff_tables/forms/z_oprava_popisu_pasma.h"
#include "tariff_tables/forms/z_popis_platnosti_od_do_datum.h"
#include "tariff_tables/forms/zlevnene_sazby_vloz_stat.h"
#include "test_env.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>
#include <memory>

using namespace kavro;
using kavro::test::klik;
using kavro::test::napis;
using kavro::test::Ovladac;

namespace {

QPushButton* tlacitko(QWidget* w, const char* jmeno) { return w->findChild<QPushButton*>(jmeno); }
QLineEdit* box(QWidget* w, const char* jmeno) { return w->findChild<QLineEdit*>(jmeno); }

// Types `text` into a box key by key, through its validator.
void pis(QWidget* w, const char* jmeno, const QString& text)
{
    box(w, jmeno)->setFocus();
    box(w, jmeno)->selectAll();
    QTest::keyClicks(box(w, jmeno), text);
}

QString ulozeneCeny()
{
    Query q(Transaction::main(), "SELECT pocatek_platnosti, konec_platnosti, cena_impulsu FROM dba.cena_impulsu "
                                 "ORDER BY pocatek_platnosti, typ_ceny");
    QStringList out;
    for (bool ok = q.run(); ok && !q.atEnd(); q.next()) out << q.value(1) + ".." + q.value(2) + "=" + q.value(3);
    return out.join(' ');
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

    // The state's code travels with its entry, whatever order the table keeps;
    // a double click or Enter on no entry does nothing.
    void statePickerPicksTheDoubleClickedStateOnly()
    {
        QVERIFY(Transaction::main().exec("DELETE FROM dba.ciselnik_statu"));
        QVERIFY(Transaction::main().exec("INSERT INTO dba.ciselnik_statu (kod_statu, nazev_statu, id_pasma) VALUES "
                                         "('420', 'Česko', 1), ('1', 'USA', 1), ('43', 'Rakousko', 1)"));
        Ovladac o;
        Zlevnene_sazby_Vloz_stat d;
        bool otevreno = false;
        o.pri(d.objectName(), [&](QWidget* w) {
            auto* list = w->findChild<QListWidget*>("combo_1");
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, QPoint(10, list->viewport()->height() - 5));
            QTest::keyClick(list, Qt::Key_Return);
            otevreno = w->isVisible();
            const QRect r = list->visualItemRect(list->item(1));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, r.center());
        });
        FDX_Vyber_stat rec{.OK = false, .kod_statu = "puvodni"};
        QVERIFY(d.Create(nullptr, &rec));
        QVERIFY(otevreno);
        QVERIFY(rec.OK);
        QCOMPARE(rec.kod_statu, QStringLiteral("43"));
    }

    // "Opusť", Esc and the close box after edits leave each dialog's record as it was.
    void everyWayOutLeavesTheRecordAsItWas()
    {
        Ovladac o;
        for (int jak = 0; jak < 3; ++jak) {
            auto odejdi = [jak](QWidget* w, const char* opust) {
                if (jak == 0 && opust) klik(w, opust);
                else if (jak == 1) QTest::keyClick(w, Qt::Key_Escape);
                else w->close();
            };
            Zlevnene_sazby_Vloz_stat stat;
            o.pri(stat.objectName(), [&](QWidget* w) {
                w->findChild<QListWidget*>("combo_1")->setCurrentRow(0);
                odejdi(w, nullptr);
            });
            FDX_Vyber_stat vyber{.OK = true, .kod_statu = "420"};
            QVERIFY(!stat.Create(nullptr, &vyber));
            QVERIFY(!vyber.OK);
            QCOMPARE(vyber.kod_statu, QStringLiteral("420"));

            Z_Oprava_platnosti_od_do_cas cas;
            o.pri(cas.objectName(), [&](QWidget* w) {
                napis(w, "textb_3", "99");
                odejdi(w, "cb_2");
            });
            FDX_Nastaveni_tarifnich_pasem pasmo{.rezim = 2, .popis_pasma = "Pásmo 1", .datum_od = "2001-01-01",
                                                .datum_do = "2001-12-31", .cas_od = "08:00:00", .cas_do = "09:00:00",
                                                .perioda = "30", .typ_dne = 2};
            const FDX_Nastaveni_tarifnich_pasem puvodni = pasmo;
            QVERIFY(!cas.Create(nullptr, &pasmo));
            Z_oprava_popisu_pasma popis;
            o.pri(popis.objectName(), [&](QWidget* w) {
                napis(w, "textb_1", "Jiné");
                odejdi(w, "cb_1");
            });
            QVERIFY(!popis.Create(nullptr, &pasmo));
            Z_Popis_platnosti_od_do_datum rozsah;
            o.pri(rozsah.objectName(), [&](QWidget* w) {
                napis(w, "textb_1", "2005-01-01");
                odejdi(w, "cb_2");
            });
            QVERIFY(!rozsah.Create(nullptr, &pasmo));
            QVERIFY(!pasmo.OK);
            QCOMPARE(pasmo.perioda + pasmo.popis_pasma + pasmo.datum_od, puvodni.perioda + puvodni.popis_pasma + puvodni.datum_od);
            Z_Cena_impulsu cena;
            o.pri(cena.objectName(), [&](QWidget* w) {
                pis(w, "textb_3", "9");
                odejdi(w, "cb_Cancel");
            });
            FDX_Cena_impulsu z{"2001-01-01", "2001-12-31", "5", false, false};
            QVERIFY(!cena.Create(nullptr, &z));
            QVERIFY(!z.OK);
            QCOMPARE(z.Cena, QStringLiteral("5"));
        }
        QCOMPARE(o.zpravy, QStringList{});
    }

    // ------------------------------------------------------------ impulse prices

    // "Ulož" is offered only for real dates in order and a price above 0,
    // whichever box changed last; a price with anything but digits is kept
    // as typed and refused with a message.
    void saveIsOfferedOnlyForAValidPrice()
    {
        test::Ovladac o;
        Z_Cena_impulsu d;
        FDX_Cena_impulsu r{"x", "y", "z", false, true};
        o.pri("Z_Cena_impulsu", [&o, &r](QWidget* w) {
            QPushButton* ok = tlacitko(w, "cb_OK");
            QVERIFY(!ok->isEnabled());  // a new price opens with empty boxes
            pis(w, "textb_1", "2001-01-01");
            pis(w, "textb_2", "2001-12-31");
            for (const char* cena : {"2,50", "1a5", " 25"}) {
                pis(w, "textb_3", cena);
                QCOMPARE(box(w, "textb_3")->text(), QString(cena));
                ok->click();
                QVERIFY(w->isVisible() && !r.OK);
            }
            QCOMPARE(o.zpravy, QStringList(3, "Oprava cen impulsů|Cena za impuls se zadává jen číslicemi, v celých "
                                              "haléřích (2,50 Kč je 250)."));
            o.zpravy.clear();
            pis(w, "textb_2", "2001-01-01");
            QVERIFY(!ok->isEnabled());  // equal days
            pis(w, "textb_2", "2000-12-31");
            QVERIFY(!ok->isEnabled());
            pis(w, "textb_3", "00");
            pis(w, "textb_2", "2001-12-31");
            QVERIFY(!ok->isEnabled());  // the price is still 0
            pis(w, "textb_3", "007");
            QVERIFY(ok->isEnabled());
            pis(w, "textb_1", "31.2.2001");
            QVERIFY(!ok->isEnabled());  // not a date until it is normalised
            w->findChild<DateBox*>("textb_1")->normalise();  // as leaving the box does
            QCOMPARE(w->findChild<QLineEdit*>("textb_1")->text(), QStringLiteral("2001-02-28"));
            QVERIFY(ok->isEnabled());
            ok->click();
        });
        QVERIFY(d.Create(nullptr, &r));
        QVERIFY(r.OK);
        QCOMPARE(r.Platnost_od + r.Platnost_do + r.Cena, QStringLiteral("2001-02-282001-12-317"));

    }

    // A new price and a change go into the table at once and the list shows
    // the chain as stored; the close box keeps them like "&Opusť".
    void pricesAreStoredAndKeptByEveryWayOut()
    {
        QVERIFY(Transaction::main().exec("INSERT INTO dba.cena_impulsu (Pocatek_platnosti, Konec_platnosti, Cena_Impulsu, Typ_ceny) "
                         "VALUES ('2000-01-01', '9999-12-31', 100, 'A'), ('2000-01-01', '9999-12-31', 1, 'B')"));
        QVERIFY(Transaction::main().commit());
        test::Ovladac o;
        Nastaveni_cena_impulsu okno;
        int dialogy = 0;
        o.pri("Z_Cena_impulsu", [&](QWidget* w) {
            ++dialogy;
            if (dialogy == 1) {
                pis(w, "textb_1", "2001-01-01");
                pis(w, "textb_2", "9999-12-31");
                pis(w, "textb_3", "120");
            } else {
                QCOMPARE(w->findChild<QLineEdit*>("textb_1")->text(), QStringLiteral("2000-01-01"));
                pis(w, "textb_3", "90");
            }
            tlacitko(w, "cb_OK")->click();
        });
        test::spust(o, okno, [&](QWidget* w) {
            auto* tv = w->findChild<QTreeWidget*>("tv_1");
            QCOMPARE(tv->topLevelItemCount(), 1);
            // An action on nothing selected does nothing.
            tv->setCurrentItem(nullptr);
            okno.Popup_menu(2);
            QCOMPARE(dialogy, 0);
            okno.Popup_menu(1);
            QCOMPARE(tv->topLevelItemCount(), 2);
            QCOMPARE(tv->topLevelItem(0)->text(0), QStringLiteral("     2000-01-01  2000-12-31  100     "));
            tv->setCurrentItem(tv->topLevelItem(0));
            okno.Popup_menu(2);
            QCOMPARE(tv->topLevelItem(0)->text(0), QStringLiteral("     2000-01-01  2000-12-31  90     "));
            w->close();
        });
        QCOMPARE(dialogy, 2);
        Transaction::main().rollback();
        QCOMPARE(ulozeneCeny(), QStringLiteral("2000-01-01..2000-12-31=90 2000-01-01..9999-12-31=1 2001-01-01..9999-12-31=120"));
    }

    // ------------------------------------------------------------ time band

    void bandInsertEnablesSaveOnlyForAForwardBand()
    {
        Ovladac o;
        Z_Oprava_platnosti_od_do_cas d;
        o.pri(d.objectName(), [](QWidget* w) {
            auto* ulozit = tlacitko(w, "cb_1");
            QVERIFY(!ulozit->isEnabled());
            tlacitko(w, "cb_5")->click();
            QCOMPARE(box(w, "textb_1")->text(), QStringLiteral("19:00:00"));
            QCOMPARE(box(w, "textb_2")->text(), QStringLiteral("23:59:59"));
            QVERIFY(ulozit->isEnabled());
            // One click up moves the end by a minute, over midnight: the band runs backwards.
            auto* sipky = w->findChild<UpDown*>("updown_2");
            QTest::mouseClick(sipky->nahoru(), Qt::LeftButton);
            QCOMPARE(box(w, "textb_2")->text(), QStringLiteral("00:00:59"));
            QVERIFY(!ulozit->isEnabled());
            QTest::mouseClick(sipky->dolu(), Qt::LeftButton);
            box(w, "textb_1")->setText("10:00:00");
            box(w, "textb_2")->setText("10:00:00");
            QVERIFY(!ulozit->isEnabled());
            box(w, "textb_2")->setText("10:00:01");
            QVERIFY(ulozit->isEnabled());
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
    }

    // A confirm normalises both boxes first: a band or a range that then runs
    // backwards is refused and the dialog stays open.
    void confirmRefusesWhatRunsBackwardsOnceNormalised()
    {
        Ovladac o;
        auto zkus = [&](auto& d, const QStringList& spatne, const QStringList& dobre, FDX_Nastaveni_tarifnich_pasem& rec) {
            o.zpravy.clear();
            o.pri(d.objectName(), [&](QWidget* w) {
                napis(w, "textb_1", spatne[0]);
                napis(w, "textb_2", spatne[1]);
                klik(w, "cb_1");
                QVERIFY(w->isVisible());
                QVERIFY(!tlacitko(w, "cb_1")->isEnabled());
                napis(w, "textb_1", dobre[0]);
                napis(w, "textb_2", dobre[1]);
                klik(w, "cb_1");
            });
            rec = {.rezim = 2, .datum_od = "2001-01-01", .datum_do = "2001-12-31", .cas_od = "08:00:00",
                   .cas_do = "09:00:00", .perioda = "30", .typ_dne = 2};
            d.Create(nullptr, &rec);
            QVERIFY(rec.OK);
            QCOMPARE(o.zpravy.size(), 1);
        };
        FDX_Nastaveni_tarifnich_pasem pasmo, rozsah;
        // As typed, "19" sorts before "7:00" and "2001-10-1" before "2001-9-30"; as a time and a date they do not.
        Z_Oprava_platnosti_od_do_cas cas;
        zkus(cas, {"19", "7:00"}, {"7:30", "9:5:3"}, pasmo);
        QCOMPARE(pasmo.cas_od + " " + pasmo.cas_do, QStringLiteral("07:30:00 09:05:03"));
        QVERIFY(o.zpravy.first().startsWith(QStringLiteral("Oprava časů pro impulsy|")));
        Z_Popis_platnosti_od_do_datum datum;
        zkus(datum, {"2001-10-1", "2001-9-30"}, {"2001-10-1", "2001-11-1"}, rozsah);
        QCOMPARE(rozsah.datum_od + " " + rozsah.datum_do, QStringLiteral("2001-10-01 2001-11-01"));
    }

    // A band needs a day type the list knows and a period of at least one
    // second, typed in digits; "Smazat" takes the band or range as stored.
    void bandNeedsADayTypeAndAPeriod()
    {
        Ovladac o;
        Z_Oprava_platnosti_od_do_cas d;
        o.pri(d.objectName(), [&](QWidget* w) {
            auto* combo = w->findChild<QComboBox*>("combo_1");
            QCOMPARE(combo->currentIndex(), -1);
            for (const char* perioda : {"30", "", "000"}) {
                napis(w, "textb_3", perioda);
                klik(w, "cb_1");
                QVERIFY(w->isVisible());
                combo->setCurrentIndex(1);
            }
            box(w, "textb_3")->clear();
            QTest::keyClicks(box(w, "textb_3"), "1a2");
            klik(w, "cb_1");
        });
        FDX_Nastaveni_tarifnich_pasem rec{.rezim = 2, .cas_od = "08:00:00", .cas_do = "09:00:00", .perioda = "30",
                                          .typ_dne = 5};
        QVERIFY(d.Create(nullptr, &rec));
        QCOMPARE(o.zpravy.size(), 3);
        QCOMPARE(rec.typ_dne, short(2));
        QCOMPARE(rec.perioda, QStringLiteral("12"));

        o.pri(d.objectName(), [](QWidget* w) { klik(w, "cb_1"); });
        FDX_Nastaveni_tarifnich_pasem smaz{.rezim = 3, .cas_od = "08:00:00", .cas_do = "09:00:00", .perioda = "0"};
        QVERIFY(d.Create(nullptr, &smaz));
        QVERIFY(smaz.OK);
        QCOMPARE(smaz.perioda, QStringLiteral("0"));
        // So does the range dialog.
        Z_Popis_platnosti_od_do_datum rozsah;
        o.pri(rozsah.objectName(), [](QWidget* w) { klik(w, "cb_1"); });
        FDX_Nastaveni_tarifnich_pasem r{.rezim = 3, .datum_od = "2001-01-01", .datum_do = "2001-12-31"};
        QVERIFY(rozsah.Create(nullptr, &r));
        QVERIFY(r.OK);
        QCOMPARE(r.datum_od + r.datum_do, QStringLiteral("2001-01-012001-12-31"));
    }

    // ------------------------------------------------------------ zone description

    void zoneDescriptionKeepsBlanksAndAnEmptyText()
    {
        Ovladac o;
        Z_oprava_popisu_pasma d;
        for (const QString& popis : {QStringLiteral("  Nové pásmo "), QString()}) {
            o.pri(d.objectName(), [popis](QWidget* w) {
                napis(w, "textb_1", popis);
                klik(w, "cb_2");
            });
            FDX_Nastaveni_tarifnich_pasem rec{.rezim = 2, .popis_pasma = "Pásmo 1"};
            QVERIFY(d.Create(nullptr, &rec));
            QVERIFY(rec.OK);
            QCOMPARE(rec.popis_pasma, popis);
        }
    }

    // ------------------------------------------------------------ validity range

    void rangeEnablesSaveOnlyForAForwardRange()
    {
        Ovladac o;
        Z_Popis_platnosti_od_do_datum d;
        o.pri(d.objectName(), [](QWidget* w) {
            auto* ulozit = tlacitko(w, "cb_1");
            QVERIFY(!ulozit->isEnabled());
            napis(w, "textb_1", "2001-05-01");
            napis(w, "textb_2", "2001-05-01");
            QVERIFY(!ulozit->isEnabled());
            napis(w, "textb_2", "2001-05-02");
            QVERIFY(ulozit->isEnabled());
            // Compared as typed until a box has been normalised.
            napis(w, "textb_1", "2001-9-1");
            napis(w, "textb_2", "2001-10-01");
            QVERIFY(!ulozit->isEnabled());
            static_cast<DateBox*>(box(w, "textb_1"))->normalise();
            QVERIFY(ulozit->isEnabled());
            ulozit->click();
        });
        FDX_Nastaveni_tarifnich_pasem rec{.rezim = 1, .popis_pasma = "Pásmo 2"};
        QVERIFY(d.Create(nullptr, &rec));
        QVERIFY(rec.OK);
        QCOMPARE(rec.datum_od, QStringLiteral("2001-09-01"));
        QCOMPARE(rec.datum_do, QStringLiteral("2001-10-01"));
    }
};

QTEST_MAIN(TestMaleDialogy)
#include "tst_male_dialogy.moc"
