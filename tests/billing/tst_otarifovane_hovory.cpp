// The call filter form and the call browser: the period boxes and their
// registry values, the cascading lists and the dialled-number pattern, the
// preselection on reopening, and the list the browser retrieves.
#include "billing/forms/p_vyber_pro_tiskove_sestavy.h"
#include "billing/forms/prikazy_sestav.h"
#include "billing/forms/report_view.h"
#include "billing/forms/s_otarifovane_hovory.h"
#include "common/forms/date_box.h"
#include "common/forms/p_nastaveni_od_do.h"
#include "common/forms/printform.h"
#include "frame/menu_ids.h"
#include "frame/prikazy_menu.h"
#include "ovladac.h"
#include "platform/registry.h"
#include "test_env.h"
#include "fixture.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <memory>

using namespace kavro;
using namespace kavro::test;

namespace {

const QString Klic = QStringLiteral("Software\\Dorvek\\Kavro\\");
const QString Filtr = QStringLiteral("P_Vyber_pro_tiskove_sestavy");
const QString Prohlizec = QStringLiteral("S_Otarifovane_hovory");

QPushButton* tlacitko(QWidget* w, const char* jmeno) { return w->findChild<QPushButton*>(jmeno); }
QRadioButton* volba(QWidget* w, const char* jmeno) { return w->findChild<QRadioButton*>(jmeno); }
QString vzor(QWidget* w) { return popisek(w, "label_vytocene_cislo"); }
QLineEdit* box(QWidget* w, const char* jmeno) { return pole(w, jmeno); }

// Opens the call filter form on `f`, answered by `akce`; gives what Create gave.
bool filtr(FDX_filtr_hovory& f, std::function<void(QWidget*)> akce)
{
    Ovladac o;
    o.pri(Filtr, std::move(akce));
    P_Vyber_pro_tiskove_sestavy form;
    return form.Create(nullptr, &f);
}

// Answers the next call filter form opened from inside another dialog's answer.
void potom(std::function<void(QWidget*)> akce)
{
    Ovladac::naModalnim<P_Vyber_pro_tiskove_sestavy>([akce](P_Vyber_pro_tiskove_sestavy* d) { akce(d); });
}

void zapisObdobi(const QString& od, const QString& casOd, const QString& do_, const QString& casDo)
{
    Registry& r = Registry::instance();
    r.write(Klic, P_Nastaveni_od_do::ValueOd, od);
    r.write(Klic, P_Vyber_pro_tiskove_sestavy::ValueCasOd, casOd);
    r.write(Klic, P_Nastaveni_od_do::ValueDo, do_);
    r.write(Klic, P_Vyber_pro_tiskove_sestavy::ValueCasDo, casDo);
}

// The data rows the browser shows (sum lines left out).
int radkySeznamu(S_Otarifovane_hovory& okno)
{
    int n = 0;
    for (const Report::Line& l : okno.sestava().report().lines())
        if (l.kind == Report::Line::Row) ++n;
    return n;
}

} // namespace

class TestOtarifovaneHovory : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnv> env;

private slots:
    void init()
    {
        env = std::make_unique<TestEnv>();
        QVERIFY2(env->ok(), qPrintable(env->error()));
        QString e;
        QVERIFY2(naplnVyberHovoru(&e), qPrintable(e));
        QVERIFY(Transaction::main().commit());
    }
    void cleanup()
    {
        PrintForm::setPrinterSource({});
        PrikazyMenu::instance().vymaz();
        env.reset();
    }

    void freshRecordStartsOnAllEntriesWithWholeDays()
    {
        // No time bounds stored yet: the boxes start at the day's first and last second.
        Registry::instance().write(Klic, P_Nastaveni_od_do::ValueOd, "2024-03-01");
        Registry::instance().write(Klic, P_Nastaveni_od_do::ValueDo, "2024-03-31");
        FDX_filtr_hovory f;
        filtr(f, [&](QWidget* w) {
            QCOMPARE(box(w, "textb_cas_od")->text() + box(w, "textb_cas_do")->text(), QStringLiteral("00:00:0023:59:59"));
            for (const char* c : {"combo_firma", "combo_oddeleni", "combo_osoba", "combo_linka", "combo_stat",
                                  "combo_mesto", "combo_ucastnik"})
                QCOMPARE(combo(w, c)->currentIndex(), 0);
            for (const char* c : {"combo_oddeleni", "combo_osoba", "combo_mesto", "combo_ucastnik"})
                QVERIFY2(!combo(w, c)->isEnabled(), c);
            QVERIFY(combo(w, "combo_stat")->isEnabled());
            QVERIFY(volba(w, "optb_odchozi")->isChecked());
            QCOMPARE(vzor(w), QString());
            // Extension 102 is held only from the middle of the month.
            QCOMPARE(polozky(combo(w, "combo_linka")), QStringList({"Vsechny_pobocky", "100", "101", "200"}));
            tlacitko(w, "cb_1")->click();
        });
        QCOMPARE(f.datum_od + "|" + f.datum_do, QStringLiteral("2024-03-01 00:00:00|2024-03-31 23:59:59"));
        QCOMPARE(f.typ, 2);
        QCOMPARE(f.soukrome + f.id_firmy + f.id_oddeleni + f.id_osoby + f.cislo_pobocky + f.kod_statu + f.kod_mesta
                     + f.cislo_ucastnika, QStringLiteral("0000000"));
        QCOMPARE(Registry::instance().read(Klic, P_Vyber_pro_tiskove_sestavy::ValueCasDo), QStringLiteral("23:59:59"));
    }

    // An end before the start, here on the same day by its time, is refused,
    // stays in the form and is not remembered for the next one.
    void reversedPeriodIsRefusedAndNotRemembered()
    {
        zapisObdobi("2024-03-01", "00:00:00", "2024-03-31", "23:59:59");
        Ovladac o;
        QString poOdmitnuti;
        o.pri(Filtr, [&](QWidget* w) {
            napis(w, "textb_datum_od", "2024-03-05");
            napis(w, "textb_cas_od", "12:00:00");
            napis(w, "textb_datum_do", "2024-03-05");
            napis(w, "textb_cas_do", "08:00:00");
            tlacitko(w, "cb_1")->click();
            QVERIFY(w->isVisible());
            poOdmitnuti = Registry::instance().read(Klic, P_Vyber_pro_tiskove_sestavy::ValueCasDo);
            napis(w, "textb_cas_do", "18:00:00");
            tlacitko(w, "cb_1")->click();
        });
        FDX_filtr_hovory f;
        P_Vyber_pro_tiskove_sestavy form;
        QVERIFY(form.Create(nullptr, &f));
        QVERIFY(o.zpravy.join("\n").contains(P_Nastaveni_od_do::ZpravaObraceneObdobi));
        QCOMPARE(poOdmitnuti, QStringLiteral("23:59:59"));
        QCOMPARE(f.datum_od + "|" + f.datum_do, QStringLiteral("2024-03-05 12:00:00|2024-03-05 18:00:00"));
    }

    void periodComesFromTheRegistryOrTheRecord()
    {
        zapisObdobi("2024-03-01", "08:00:00", "2024-03-31", "17:30:00");
        FDX_filtr_hovory f;
        filtr(f, [](QWidget* w) { klikni(w, "cb_1"); });
        QCOMPARE(f.datum_od + "|" + f.datum_do, QStringLiteral("2024-03-01 08:00:00|2024-03-31 17:30:00"));

        // Without a stored start date the record's start fills both start boxes.
        Registry::instance().write(Klic, P_Nastaveni_od_do::ValueOd, "");
        FDX_filtr_hovory g;
        g.datum_od = "2024-01-15 06:45:00";
        QVERIFY(!filtr(g, [&](QWidget* w) {
            QCOMPARE(box(w, "textb_datum_od")->text() + " " + box(w, "textb_cas_od")->text(), QStringLiteral("2024-01-15 06:45:00"));
            tlacitko(w, "cb_2")->click();
        }));
        QCOMPARE(g.datum_od, QStringLiteral("2024-01-15 06:45:00"));
        QVERIFY(!g.OK);
    }

    void typedDatesAndTimesAreNormalisedOnConfirm()
    {
        zapisObdobi("2024-03-01", "08:00:00", "2024-03-31", "17:30:00");
        FDX_filtr_hovory f;
        filtr(f, [&](QWidget* w) {
            // An end time emptied and left is the day's last second, a start time its first.
            w->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(w));
            QLineEdit* konec = box(w, "textb_cas_do");
            konec->setFocus();
            konec->clear();
            box(w, "textb_cas_od")->setFocus();
            QCOMPARE(konec->text(), QStringLiteral("23:59:59"));
            box(w, "textb_cas_od")->clear();
            konec->setFocus();
            QCOMPARE(box(w, "textb_cas_od")->text(), QStringLiteral("00:00:00"));
            box(w, "textb_datum_od")->setText("5.3.2024");
            box(w, "textb_cas_od")->setText("7:5");
            box(w, "textb_cas_do")->setText("");
            QLineEdit* d = box(w, "textb_datum_do");
            d->setFocus();
            d->setText("2024-3-40");
            // Enter while the box still holds what was typed.
            QTest::keyClick(d, Qt::Key_Return);
        });
        QVERIFY(f.OK);
        QCOMPARE(f.datum_od, QStringLiteral("2024-03-05 07:05:00"));
        QCOMPARE(f.datum_do, QStringLiteral("2024-03-31 23:59:59"));
        QCOMPARE(Registry::instance().read(Klic, P_Nastaveni_od_do::ValueOd), QStringLiteral("2024-03-05"));
        QCOMPARE(Registry::instance().read(Klic, P_Vyber_pro_tiskove_sestavy::ValueCasOd), QStringLiteral("07:05:00"));
    }

    void listsCascadeAndThePatternFollows()
    {
        zapisObdobi("2024-03-01", "00:00:00", "2024-03-31", "23:59:59");
        FDX_filtr_hovory f;
        filtr(f, [&](QWidget* w) {
            vyber(w, "combo_firma", "Alfa");
            QCOMPARE(polozky(combo(w, "combo_oddeleni")), QStringList({"Všechna oddělení", "Obchod", "Výroba"}));
            QVERIFY(combo(w, "combo_oddeleni")->isEnabled() && !combo(w, "combo_osoba")->isEnabled());
            QCOMPARE(polozky(combo(w, "combo_linka")), QStringList({"Vsechny_pobocky", "100", "101"}));
            vyber(w, "combo_oddeleni", "Výroba");
            QCOMPARE(polozky(combo(w, "combo_osoba")), QStringList({"Všechny osoby", "Dvořák"}));
            QCOMPARE(polozky(combo(w, "combo_linka")), QStringList({"Vsechny_pobocky", "101"}));

            vyber(w, "combo_stat", "Německo");
            QVERIFY(combo(w, "combo_mesto")->isEnabled() && !combo(w, "combo_ucastnik")->isEnabled());
            QCOMPARE(vzor(w), QStringLiteral("0049"));
            vyber(w, "combo_mesto", "Berlín");
            QCOMPARE(polozky(combo(w, "combo_ucastnik")), QStringList({"Všichni účastníci", "Berlin GmbH"}));
            QTest::keyClicks(box(w, "textb_cislo"), "123");
            QCOMPARE(vzor(w), QStringLiteral("004930123"));
            // A chosen subscriber replaces the typed number, and "all" brings it back.
            vyber(w, "combo_ucastnik", "Berlin GmbH");
            QCOMPARE(vzor(w), QStringLiteral("004930777"));
            vyber(w, "combo_ucastnik", "Všichni účastníci");
            QCOMPARE(vzor(w), QStringLiteral("004930123"));

            // Incoming calls have no called party; going back rebuilds the pattern.
            vyber(w, "combo_ucastnik", "Berlin GmbH");
            volba(w, "optb_prichozi")->click();
            for (const char* c : {"combo_stat", "combo_mesto", "combo_ucastnik"}) {
                QCOMPARE(combo(w, c)->currentIndex(), 0);
                QVERIFY(!combo(w, c)->isEnabled());
            }
            QVERIFY(!box(w, "textb_cislo")->isEnabled());
            volba(w, "optb_prichozi_odchozi")->click();
            QVERIFY(combo(w, "combo_stat")->isEnabled() && box(w, "textb_cislo")->isEnabled());
            QVERIFY(!combo(w, "combo_mesto")->isEnabled() && !combo(w, "combo_ucastnik")->isEnabled());
            QCOMPARE(vzor(w), QStringLiteral("123"));

            vyber(w, "combo_stat", "Česká republika");
            vyber(w, "combo_mesto", "Plzeň");
            QCOMPARE(vzor(w), QStringLiteral("030123"));
            vyber(w, "combo_mesto", "Praha");
            QCOMPARE(polozky(combo(w, "combo_ucastnik")),
                     QStringList({"Všichni účastníci", "Dodavatel - Dodavatel s.r.o.", "Soused - "}));
            QCOMPARE(vzor(w), QStringLiteral("123"));
            combo(w, "combo_1")->setCurrentIndex(2);
            tlacitko(w, "cb_1")->click();
        });
        QCOMPARE(QStringList({QString::number(f.typ), f.soukrome, f.id_firmy, f.id_oddeleni, f.kod_statu, f.kod_mesta,
                              f.volane_cislo, f.predvolba}),
                 QStringList({"3", "S", "1", "11", "420", "2", "123", "123"}));
    }

    void reopeningPreselectsTheEarlierChoice()
    {
        const std::pair<const char*, const char*> volby[] = {
            {"combo_firma", "Alfa"}, {"combo_oddeleni", "Výroba"}, {"combo_osoba", "Dvořák"}, {"combo_linka", "101"},
            {"combo_stat", "Česká republika"}, {"combo_mesto", "Praha"}, {"combo_ucastnik", "Soused - "}};
        zapisObdobi("2024-03-01", "00:00:00", "2024-03-31", "23:59:59");
        FDX_filtr_hovory f;
        filtr(f, [&](QWidget* w) {
            for (auto [c, text] : volby) vyber(w, c, text);
            QTest::keyClicks(box(w, "textb_cislo"), "99");
            combo(w, "combo_1")->setCurrentIndex(1);
            volba(w, "optb_prichozi_odchozi")->click();
            tlacitko(w, "cb_1")->click();
        });
        QCOMPARE(QStringList({f.id_osoby, f.cislo_pobocky, f.cislo_ucastnika, f.predvolba}), QStringList({"6", "101", "555", "555"}));

        QVERIFY(!filtr(f, [&](QWidget* w) {
            for (auto [c, text] : volby)
                QCOMPARE(combo(w, c)->currentText(), QString(text));
            QVERIFY(combo(w, "combo_osoba")->isEnabled() && combo(w, "combo_ucastnik")->isEnabled());
            // Direction, kind and typed number start afresh; the pattern comes from the lists.
            QVERIFY(volba(w, "optb_odchozi")->isChecked());
            QCOMPARE(combo(w, "combo_1")->currentIndex(), 0);
            QCOMPARE(box(w, "textb_cislo")->text(), QString());
            QCOMPARE(vzor(w), QStringLiteral("555"));
            // A later choice falls back to "all" below it.
            vyber(w, "combo_firma", "Beta");
            QCOMPARE(combo(w, "combo_oddeleni")->currentIndex(), 0);
            QCOMPARE(combo(w, "combo_linka")->currentText(), QStringLiteral("Vsechny_pobocky"));
            w->close();
        }));
        // Left by the close box: only OK changed.
        QVERIFY(!f.OK);
        QCOMPARE(f.id_firmy + QString::number(f.typ), QStringLiteral("13"));
    }

    void browserClosesUnseenWhenTheFirstSelectionIsLeft()
    {
        Ovladac o;
        o.pri(Filtr, [](QWidget* w) { klikni(w, "cb_2"); });
        o.pri(Prohlizec, [](QWidget* w) { w->close(); });
        S_Otarifovane_hovory okno;
        okno.Create(nullptr);
        QCOMPARE(o.pocet(Filtr) * 10 + o.pocet(Prohlizec), 10);
    }

    void browserListsReplacesAndPrintsTheSelection()
    {
        PrintForm::setPrinterSource({[] { return QList<Printer>(); }, [] { return QString(); }});
        zapisObdobi("2024-03-01", "08:00:00", "2024-03-31", "17:30:00");
        Ovladac o;
        o.pri(Filtr, [&](QWidget* w) {
            volba(w, "optb_prichozi_odchozi")->click();
            vyber(w, "combo_firma", "Beta");
            tlacitko(w, "cb_1")->click();
        });
        S_Otarifovane_hovory okno;
        int filtru = 0, tiskaren = 0;
        o.pri(Prohlizec, [&](QWidget* w) {
            QCOMPARE(radkySeznamu(okno), 2);  // calls 3 and 9 of firm Beta, one of them incoming
            const QString select = okno.sestava().report().select();
            // A selection left keeps the list and its Select.
            potom([&](QWidget* d) {
                ++filtru;
                QCOMPARE(combo(d, "combo_firma")->currentText(), QStringLiteral("Beta"));
                tlacitko(d, "cb_2")->click();
            });
            tlacitko(w, "cb_1")->click();
            QCOMPARE(radkySeznamu(okno), 2);
            QCOMPARE(okno.sestava().report().select(), select);
            // A new one replaces the conditions of the old: outgoing, every firm.
            potom([&](QWidget* d) {
                ++filtru;
                vyber(d, "combo_firma", "Všechny firmy");
                tlacitko(d, "cb_1")->click();
            });
            tlacitko(w, "cb_1")->click();
            QCOMPARE(radkySeznamu(okno), 5);
            QVERIFY(okno.sestava().report().select().startsWith(okno.zakladniSelect()));
            QCOMPARE(okno.sestava().report().select().count("between :vyber_od"), 1);
            // "Tisk" without a default printer opens the printer choice.
            Ovladac::naModalnim<PrintForm>([&](PrintForm* d) {
                ++tiskaren;
                klikni(d, "cb_cancel");
            });
            klikni(w, "cb_3");
            klikni(w, "cb_2");
        });
        okno.Create(nullptr);
        QCOMPARE(o.pocet(Filtr), 1);
        QCOMPARE(filtru * 10 + tiskaren, 21);
        QVERIFY(o.zpravy.isEmpty());
    }

    void menuItemKeepsTheSelectionBetweenOpenings()
    {
        zapisObdobi("2024-03-01", "08:00:00", "2024-03-31", "17:30:00");
        registruj_prikazy_sestav();
        QVERIFY(PrikazyMenu::instance().ma(menu::CallBrowser) && PrikazyMenu::instance().ma(menu::AccountCodes));
        QVERIFY(bool(PrikazyMenu::instance().sestava()) && bool(PrikazyMenu::instance().vyuctovani()));
        Ovladac o;
        int krok = 0;
        o.pri(Filtr, [&](QWidget* w) {
            if (++krok == 1) vyber(w, "combo_linka", "200");
            else QCOMPARE(combo(w, "combo_linka")->currentText(), QStringLiteral("200"));
            tlacitko(w, "cb_1")->click();
        });
        o.pri(Prohlizec, [](QWidget* w) { tlacitko(w, "cb_2")->click(); });
        PrikazyMenu::instance().spust(menu::CallBrowser, nullptr);
        PrikazyMenu::instance().spust(menu::CallBrowser, nullptr);
        QCOMPARE(krok, 2);
        QCOMPARE(o.pocet(Prohlizec), 2);
    }
};

QTEST_MAIN(TestOtarifovaneHovory)
#include "tst_otarifovane_hovory.moc"
