// The report viewer and the billing window as a user drives them.
#include "billing/forms/prikazy_sestav.h"
#include "billing/forms/report_view.h"
#include "billing/forms/s_tiskove_sestavy.h"
#include "billing/forms/s_vyuctovani_hovoru.h"
#include "billing/sestavy.h"
#include "common/forms/p_nastaveni_od_do.h"
#include "common/forms/printform.h"
#include "fixture.h"
#include "frame/prikazy_menu.h"
#include "frame/spusteni.h"
#include "ovladac.h"
#include "platform/clock.h"
#include "platform/registry.h"
#include "test_env.h"

#include <QAbstractItemModelTester>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

using namespace kavro;
using namespace kavro::test;

namespace {

const QString kMarker = QStringLiteral("RRRR-MM-DD hh:mm:ss");
using Akce = std::function<void(QWidget*)>;

// What a user saw: how often each dialog came, the table's first column and the total label.
struct Videno {
    int dialogu = 0, oken = 0;
    QStringList radky, zpravy;
    QString hlavicka, celkem;
};

// Shows `okno` (viewer or billing window) over `dialog` answered by `odpoved`; `vOkne`
// acts in the window, which is then left by "Opusť".
template <class Okno, class Zaznam>
Videno ukaz(const QString& jmeno, Zaznam& r, const char* dialog, Akce odpoved, Akce vOkne)
{
    Ovladac o;
    Videno v;
    o.pri(dialog, odpoved);
    o.pri(jmeno, [&](QWidget* w) {
        v.radky = prvniSloupec(w);
        v.hlavicka = popisek(w, "label_hlavicka");
        v.celkem = popisek(w, "label_celkem");
        if (vOkne) vOkne(w);
        klikni(w, "cb_1");
    });
    Okno okno;
    okno.Create(nullptr, &r);
    v.dialogu = o.pocet(dialog);
    v.oken = o.pocet(jmeno);
    v.zpravy = o.zpravy;
    return v;
}

Videno prohlizej(FDX_Zakladni_okno& r, const char* dialog, Akce odpoved, Akce vOkne = {})
{
    return ukaz<S_Tiskove_sestavy>("S_Tiskove_sestavy", r, dialog, odpoved, vOkne);
}

Videno vyuctuj(FDX_filtr_hovory& f, int typ, Akce vyber, Akce vOkne = {})
{
    f.typ = typ;
    return ukaz<S_Vyuctovani_hovoru>("S_Vyuctovani_hovoru", f, "Vyber_pro_vyuctovani", vyber, vOkne);
}

FDX_Zakladni_okno pozadavek(const char* objekt, QVariant a1, QVariant a2, QVariant a3 = {})
{
    FDX_Zakladni_okno r;
    r.objekt_sestavy = objekt;
    r.argument[0] = a1;
    r.argument[1] = a2;
    r.argument[2] = a3;
    return r;
}

void brezen(QWidget* d)
{
    napis(d, "textb_od", "2024-03-01");
    napis(d, "textb_do", "2024-03-31");
    klikni(d, "cb_1");
}
void potvrd(QWidget* d) { klikni(d, "cb_1"); }
void opust(QWidget* d) { klikni(d, "cb_2"); }

} // namespace

class TestSestavy : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        env = std::make_unique<TestEnv>();
        QVERIFY(env->ok());
        QString e;
        QVERIFY2(naplnVyuctovani(&e), qPrintable(e));
        Jmeno_uzivatele = QStringLiteral("Dorvek s.r.o.");
        clock::setFixedNow(QDateTime(QDate(2024, 4, 2), QTime(9, 30, 15)));
        Registry::instance().write(P_Nastaveni_od_do::RegistryKey, P_Nastaveni_od_do::ValueOd, "2024-03-01");
        Registry::instance().write(P_Nastaveni_od_do::RegistryKey, P_Nastaveni_od_do::ValueDo, "2024-03-31");
    }
    void cleanup()
    {
        clock::setFixedNow(QDateTime());
        PrintForm::setPrinterSource({});
        ReportLibrary::setFolder(QString());
        env.reset();
    }

    void momentAsksForDayAndTime()
    {
        FDX_Zakladni_okno r = pozadavek("firma_oddeleni_osoba", kMarker, QString());
        Videno v = prohlizej(r, "Z_Zruseni_polozky_firma_oddeleni_osoba", [](QWidget* d) {
            QCOMPARE(pole(d, "textb_1")->text() + " " + pole(d, "textb_2")->text(), QString("2024-04-02 09:30:15"));
            napis(d, "textb_1", "2024-03-31");
            napis(d, "textb_2", "12:00:00");
            klikni(d, "cb_1");
        }, [](QWidget* w) { QVERIFY(!w->findChild<QPushButton*>("cb_3")->isVisible()); });
        QCOMPARE(v.radky, (QStringList{"Alfa", "Alfa", "Beta's"}));
        QCOMPARE(r.argument[0].toString(), QString("2024-03-31 12:00:00"));
        // "Ne": the viewer closes before it is shown.
        r.argument[0] = kMarker;
        v = prohlizej(r, "Z_Zruseni_polozky_firma_oddeleni_osoba", opust);
        QCOMPARE(v.dialogu * 10 + v.oken, 10);
        QCOMPARE(r.argument[0].toString(), kMarker);
    }

    void periodTakesTheWholeLastDay()
    {
        FDX_Zakladni_okno r = pozadavek("Hovory", kMarker, kMarker);
        Videno obdobi = prohlizej(r, "P_Nastaveni_od_do", brezen);
        QCOMPARE(obdobi.radky,
                 (QStringList{"2024-03-01 00:00:00", "2024-03-05 09:00:00", "2024-03-05 09:30:00", "2024-03-10 08:00:00",
                              "2024-03-20 10:00:00", "2024-03-31 23:59:59"}));
        // The period stands under the report's title, on screen as on every printed page.
        QVERIFY2(obdobi.hlavicka.contains("Období 2024-03-01 – 2024-03-31"), qPrintable(obdobi.hlavicka));
        // The directory tree's request: the id is the first retrieval argument.
        FDX_Zakladni_okno t = pozadavek("tarif_hovory_za_firmu", kMarker, kMarker, 1);
        Videno v = prohlizej(t, "P_Nastaveni_od_do", brezen);
        QCOMPARE(v.radky, (QStringList{"2024-03-01 00:00:00", "2024-03-20 10:00:00", "2024-03-31 23:59:59", "Celkem"}));
        QVERIFY2(v.celkem.contains("Cena Kč: 8,00"), qPrintable(v.celkem));
        // A cancelled period dialog leaves the viewer open and empty.
        v = prohlizej(r, "P_Nastaveni_od_do", opust);
        QCOMPARE(v.oken, 1);
        QVERIFY(v.radky.isEmpty());
    }

    void plainEmptyAndSaveButton()
    {
        // Neither case: retrieved as it stands, no dialog; "Ulož" shown and doing nothing.
        FDX_Zakladni_okno r = pozadavek("seznam_predvoleb_mest_stat", kMarker, QString("jiný text"));
        r.ukazat_ulozit = true;
        Videno v = prohlizej(r, "P_Nastaveni_od_do", opust, [](QWidget* w) {
            QVERIFY(w->findChild<QPushButton*>("cb_3")->isVisible());
            klikni(w, "cb_3");
            QVERIFY(w->isVisible());
        });
        QVERIFY(v.radky.size() > 50);
        QCOMPARE(v.dialogu, 0);
        // No object: an empty viewer, no dialog, no message.
        FDX_Zakladni_okno prazdny;
        v = prohlizej(prazdny, "P_Nastaveni_od_do", opust);
        QCOMPARE(v.oken, 1);
        QVERIFY(v.radky.isEmpty() && v.zpravy.isEmpty());
    }

    void brokenObjectsAreReported()
    {
        QTemporaryDir dir;
        for (auto [jmeno, select] : {std::pair{"bez_mista", "SELECT Cislo_pobocky AS a FROM dba.prirazeni_pobocek"},
                                     std::pair{"spatna", "SELECT a FROM dba.neni_tabulka"}}) {
            QFile f(dir.filePath(QString(jmeno) + ".sestava"));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QString("[sloupce]\na = text | A\n[select]\n%1\n").arg(select).toUtf8());
        }
        ReportLibrary::setFolder(dir.path());
        // A moment report without the placeholder is refused, not cut.
        FDX_Zakladni_okno r = pozadavek("bez_mista", kMarker, QString());
        Videno v = prohlizej(r, "Z_Zruseni_polozky_firma_oddeleni_osoba", potvrd);
        QCOMPARE(v.oken, 0);
        QCOMPARE(v.zpravy.size(), 1);
        // A database error is said, not shown as an empty report: the window's
        // sentence, the layer's Czech sentence, then the engine's own text.
        FDX_Zakladni_okno s = pozadavek("spatna", {}, {});
        v = prohlizej(s, "P_Nastaveni_od_do", opust);
        QCOMPARE(v.zpravy.size(), 1);
        const QString vetaVrstvy = Transaction::main().isServer()
            ? "Sestavu nelze načíst.\nDatabázový server příkaz odmítl.\n"
            : "Sestavu nelze načíst.\nDatabáze příkaz odmítla.\nno such table";
        QVERIFY2(v.zpravy[0].contains(vetaVrstvy) && v.zpravy[0].contains("neni_tabulka"), qPrintable(v.zpravy[0]));
    }

    // A report file whose Select holds more statements is refused with the
    // file named; nothing of it runs, and the next report opens and reads.
    void moreThanOneStatementIsRefusedNamingTheFile()
    {
        QTemporaryDir dir;
        const QString dvojita = dir.filePath("dvojita.sestava");
        for (auto [soubor, select] :
             {std::pair{dvojita, "SELECT 1 AS a; COMMIT; DELETE FROM dba.ciselnik_firem"},
              std::pair{dir.filePath("dobra.sestava"), "SELECT nazev_firmy AS a FROM dba.ciselnik_firem ORDER BY 1"}}) {
            QFile f(soubor);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QString("[sloupce]\na = text | A\n[select]\n%1\n").arg(select).toUtf8());
        }
        ReportLibrary::setFolder(dir.path());
        Transaction& t = Transaction::main();
        const QString firem = t.scalar("SELECT count(*) FROM dba.ciselnik_firem");
        QVERIFY(firem.toInt() > 0);
        FDX_Zakladni_okno r = pozadavek("dvojita", {}, {});
        Videno v = prohlizej(r, "P_Nastaveni_od_do", opust);
        QCOMPARE(v.zpravy.size(), 1);
        QVERIFY2(v.zpravy[0].contains("„" + dvojita + "“") && v.zpravy[0].contains("smí mít jen jeden příkaz"),
                 qPrintable(v.zpravy[0]));
        QCOMPARE(t.scalar("SELECT count(*) FROM dba.ciselnik_firem"), firem);
        FDX_Zakladni_okno d = pozadavek("dobra", {}, {});
        v = prohlizej(d, "P_Nastaveni_od_do", opust);
        QVERIFY2(v.zpravy.isEmpty(), qPrintable(v.zpravy.join('\n')));
        QCOMPARE(QString::number(v.radky.size()), firem);
    }

    void billingSelectionAndReport()
    {
        // Leaving the selection: the window is never shown.
        FDX_filtr_hovory f;
        QCOMPARE(vyuctuj(f, 1, opust).oken, 0);
        QVERIFY(!f.OK);
        QCOMPARE(f.datum_od, QString());
        // Kind 1 for March: the firms with their sums and the total.
        FDX_filtr_hovory f2;
        Videno v = vyuctuj(f2, 1, [](QWidget* d) {
            QCOMPARE(pole(d, "textb_datum_od")->text(), QString("2024-03-01"));
            QVERIFY(!pole(d, "textb_1")->isVisible());
            QVERIFY(combo(d, "combo_firma")->isEnabled() && !combo(d, "combo_oddeleni")->isEnabled());
            klikni(d, "cb_1");
        });
        QCOMPARE(f2.datum_od + "|" + f2.datum_do + "|" + f2.id_oddeleni, QString("2024-03-01 00:00:00|2024-03-31 23:59:59|0"));
        QCOMPARE(v.radky, (QStringList{"Alfa", "Beta's", "Celkem"}));
        QVERIFY2(v.hlavicka.contains("Dorvek s.r.o.") && v.hlavicka.contains("2024-03-01 – 2024-03-31"), qPrintable(v.hlavicka));
        QVERIFY2(v.celkem.contains("Hovorů: 4") && v.celkem.contains("Cena Kč: 12,00"), qPrintable(v.celkem));
    }

    void selectionListsFollowTheKind()
    {
        // Kind 3: a firm enables the departments, a department the extensions of it alone;
        // all firms again returns the lists to "all".
        FDX_filtr_hovory f;
        Videno v = vyuctuj(f, 3, [](QWidget* d) {
            QComboBox *oddeleni = combo(d, "combo_oddeleni"), *linka = combo(d, "combo_linka");
            QCOMPARE(combo(d, "combo_firma")->count() * 10 + linka->count(), 34);
            vyber(d, "combo_firma", "Alfa");
            vyber(d, "combo_oddeleni", "Obchod");
            vyber(d, "combo_firma", "Všechny firmy");
            QVERIFY(!oddeleni->isEnabled() && !linka->isEnabled());
            QCOMPARE(oddeleni->currentIndex() + linka->currentIndex(), 0);
            vyber(d, "combo_firma", "Alfa");
            QVERIFY(oddeleni->isEnabled() && !linka->isEnabled());
            vyber(d, "combo_oddeleni", "Obchod");
            QVERIFY(linka->isEnabled());
            QCOMPARE(polozky(linka), (QStringList{"Vsechny_pobocky", "100"}));
            linka->setCurrentIndex(1);
            klikni(d, "cb_1");
        });
        QCOMPARE(f.id_firmy + "|" + f.id_oddeleni + "|" + f.cislo_pobocky, QString("1|10|100"));
        QCOMPARE(v.radky, (QStringList{"Alfa", "Součet Alfa", "Celkem"}));
        // Kind 6: no list can be used.
        FDX_filtr_hovory f6;
        vyuctuj(f6, 6, [](QWidget* d) {
            QVERIFY(!combo(d, "combo_firma")->isEnabled());
            klikni(d, "cb_1");
        });
        QCOMPARE(f6.id_firmy, QString("0"));
        // Kind 7: the minimum field, digits only, at most three.
        FDX_filtr_hovory f7;
        v = vyuctuj(f7, 7, [](QWidget* d) {
            QLineEdit* p = pole(d, "textb_1");
            QVERIFY(p->isVisible());
            QCOMPARE(p->text(), QString("0"));
            p->clear();
            QTest::keyClicks(p, "1x2345");
            QCOMPARE(p->text(), QString("123"));
            p->setText("1");
            klikni(d, "cb_1");
        });
        QCOMPARE(f7.minimalni_pocet, QString("1"));
        QCOMPARE(v.radky, (QStringList{"021234567", "Celkem"}));
    }

    void printsIntoPdf()
    {
        const QString pdf = env->dir() + "/vyuctovani.pdf";
        // No printer is installed here: the PDF file is the one way to print.
        PrintForm::setPrinterSource({[] { return QList<Printer>(); }, [] { return QString(); }});
        Ovladac o;
        o.vyberSoubory({pdf});
        o.pri("Vyber_pro_vyuctovani", potvrd);
        o.pri("PrintForm", [](QWidget* d) {
            combo(d, "combo_printer_names")->setCurrentIndex(combo(d, "combo_printer_names")->findText(PrintForm::PdfEntry));
            klikni(d, "cb_print");
        });
        // "Tisk" is pressed from the window's own event loop, so that the printer dialog it opens is answered too.
        o.pri("S_Vyuctovani_hovoru", [](QWidget* w) {
            QTimer::singleShot(0, w, [w] {
                klikni(w, "cb_2");
                klikni(w, "cb_1");
            });
        });
        FDX_filtr_hovory f;
        f.typ = 5;
        S_Vyuctovani_hovoru w;
        w.Create(nullptr, &f);
        QCOMPARE(o.pocet("PrintForm"), 1);
        QFile soubor(pdf);
        QVERIFY(soubor.open(QIODevice::ReadOnly));
        const QByteArray obsah = soubor.readAll();
        QVERIFY(obsah.startsWith("%PDF") && obsah.size() > 2000);
        // KAVRO_KEEP_PDF names a copy to look at.
        if (qEnvironmentVariableIsSet("KAVRO_KEEP_PDF")) soubor.copy(qEnvironmentVariable("KAVRO_KEEP_PDF"));
    }

    // A long print shows its progress window; "Přerušit" stops it: no file is
    // left, the user is told, and the printer choice stays open to try again.
    void stoppedPrintLeavesNoFile()
    {
        QString e;
        QVERIFY2(mnohoHovoru(2000, &e), qPrintable(e));
        const QString pdf = env->dir() + "/prerusene.pdf";
        PrintForm::setPrinterSource({[] { return QList<Printer>(); }, [] { return QString(); }});
        ReportPrintable::setProgressDelay(0);
        Ovladac o;
        o.vyberSoubory({pdf});
        o.pri("Vyber_pro_vyuctovani", potvrd);
        bool prubeh = false;
        o.pri("TiskSestavy", [&](QWidget* d) {
            prubeh = true;
            auto* prerusit = d->findChild<QPushButton*>();
            QVERIFY(prerusit);
            QCOMPARE(prerusit->text(), QStringLiteral("Přerušit"));
            prerusit->click();
        });
        int tisku = 0;
        o.pri("PrintForm", [&](QWidget* d) {
            if (tisku++ == 0) {
                combo(d, "combo_printer_names")->setCurrentIndex(combo(d, "combo_printer_names")->findText(PrintForm::PdfEntry));
                // Pressed from the dialog's own event loop, so that the progress window is answered too.
                QTimer::singleShot(0, d, [d] { klikni(d, "cb_print"); });
            } else {
                klikni(d, "cb_cancel");
            }
        });
        o.pri("S_Vyuctovani_hovoru", [](QWidget* w) {
            QTimer::singleShot(0, w, [w] {
                klikni(w, "cb_2");
                klikni(w, "cb_1");
            });
        });
        FDX_filtr_hovory f;
        f.typ = 5;
        S_Vyuctovani_hovoru w;
        w.Create(nullptr, &f);
        ReportPrintable::setProgressDelay(400);
        QVERIFY(prubeh);
        QCOMPARE(tisku, 2);
        QVERIFY(!QFile::exists(pdf));
        QCOMPARE(o.zpravy, QStringList{"Výběr tiskárny|Tisk byl přerušen."});
    }

    // The lists offer what the period's assignments allow (the dates are bound);
    // "Opusť" writes nothing back.
    void selectionListsFollowTheAssignments()
    {
        // Firm 3 holds an extension only inside the period; extension 300 began after the
        // first day's midnight, extension 301 ended before the period.
        QVERIFY(proved({"INSERT INTO dba.ciselnik_firem (ID_Firmy, nazev_firmy) VALUES (3, 'Gama')",
                        "INSERT INTO dba.prirazeni_pobocek VALUES ('300', '2024-03-10 00:00:00', '2024-03-20 23:59:59', 3, 0, 0, '-'), "
                        "('301', '2023-01-01 00:00:00', '2023-12-31 23:59:59', 1, 10, 0, '-')"},
                       nullptr));
        Registry::instance().write(P_Nastaveni_od_do::RegistryKey, P_Nastaveni_od_do::ValueOd, "2024-03-05");
        QStringList firmy, linky;
        FDX_filtr_hovory f;
        vyuctuj(f, 3, [&](QWidget* d) {
            firmy = polozky(combo(d, "combo_firma"));
            linky = polozky(combo(d, "combo_linka"));
            napis(d, "textb_datum_do", "2024-13-45");
            klikni(d, "cb_2");
        });
        QCOMPARE(firmy, (QStringList{"Všechny firmy", "Alfa", "Beta's"}));
        QCOMPARE(linky, (QStringList{"Vsechny_pobocky", "100", "101", "200", "301"}));
        QCOMPARE(Registry::instance().read(P_Nastaveni_od_do::RegistryKey, P_Nastaveni_od_do::ValueDo), QString("2024-03-31"));
        QVERIFY(!f.OK);
        QCOMPARE(f.id_firmy, QString());
    }

    // "Vyber" normalises a date still being typed and remembers the period.
    void confirmNormalisesAndRemembersThePeriod()
    {
        FDX_filtr_hovory f;
        Videno v = vyuctuj(f, 2, [](QWidget* d) {
            napis(d, "textb_datum_od", "1.2.2024");
            napis(d, "textb_datum_do", "2024-02-30");
            klikni(d, "cb_1");
        });
        QCOMPARE(f.datum_od + "|" + f.datum_do, QString("2024-02-01 00:00:00|2024-02-29 23:59:59"));
        QCOMPARE(Registry::instance().read(P_Nastaveni_od_do::RegistryKey, P_Nastaveni_od_do::ValueOd), QString("2024-02-01"));
        // The last moment of February is the only call there: Alfa / Obchod, its firm's sum, the total.
        QCOMPARE(v.radky.size(), 3);
    }

    // A period whose end is before its start is refused, stays in the dialog
    // and is not remembered for the next dialog.
    void reversedPeriodIsRefusedAndNotRemembered()
    {
        Registry& reg = Registry::instance();
        reg.write(P_Nastaveni_od_do::RegistryKey, P_Nastaveni_od_do::ValueDo, QStringLiteral("2024-01-31"));
        FDX_filtr_hovory f;
        QString poOdmitnuti;
        Videno v = vyuctuj(f, 2, [&](QWidget* d) {
            napis(d, "textb_datum_od", "2024-03-01");
            napis(d, "textb_datum_do", "2024-02-01");
            klikni(d, "cb_1");
            QVERIFY(d->isVisible());
            poOdmitnuti = reg.read(P_Nastaveni_od_do::RegistryKey, P_Nastaveni_od_do::ValueDo);
            napis(d, "textb_datum_do", "2024-03-31");
            klikni(d, "cb_1");
        });
        QVERIFY(v.zpravy.join("\n").contains(P_Nastaveni_od_do::ZpravaObraceneObdobi));
        QCOMPARE(poOdmitnuti, QString("2024-01-31"));
        QCOMPARE(f.datum_od + "|" + f.datum_do, QString("2024-03-01 00:00:00|2024-03-31 23:59:59"));
    }

    // The view reads rows a page at a time and keeps one highlighted line.
    void tableReadsRowsAsItScrolls()
    {
        for (int i = 100; i < 1100; ++i)
            QVERIFY(Transaction::main().exec(
                "INSERT INTO dba.hovory (id_hovoru, ustredna_datum_a_cas, ustredna_cislo_pobocky) VALUES (?, ?, '100')",
                {i, QString("2024-05-01 %1:00:00").arg(i % 24, 2, 10, QChar('0'))}));
        Report r;
        ReportModel m(&r);
        m.setPageSize(100);
        QAbstractItemModelTester tester(&m, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QVERIFY(r.setObject("Hovory"));
        QString s, e;
        QVERIFY(sestavy::vlozObdobi(r.select(), "2024-05-01", "2024-05-01", &s, &e));
        r.setSelect(s);
        QVERIFY(r.retrieve({}));
        m.reload();
        QCOMPARE(m.rowCount(), 0);
        m.fetchMore(QModelIndex());
        QCOMPARE(m.rowCount(), 100);
        QCOMPARE(r.lines().size(), 100); // nothing beyond the page was read
        while (m.canFetchMore(QModelIndex())) m.fetchMore(QModelIndex());
        QCOMPARE(m.rowCount(), 1000);

        QWidget okno;
        ReportView v(new QTableView(&okno), new QLabel(&okno), new QLabel(&okno), &okno);
        QVERIFY(v.report().setObject("Hovory"));
        v.report().setSelect(s);
        QVERIFY(v.report().retrieve({}));
        v.refresh();
        QCOMPARE(v.currentRow(), 1);
        v.selectRow(150);
        QCOMPARE(v.currentRow(), 150);
    }

    // The registered billing hook opens the selection for its kind.
    void billingHookOpensTheSelection()
    {
        PrikazyMenu::instance().vymaz();
        registruj_prikazy_sestav();
        Ovladac o;
        o.pri("Vyber_pro_vyuctovani", opust);
        PrikazyMenu::instance().vyuctovani()(nullptr, 2);
        QCOMPARE(o.pocet("Vyber_pro_vyuctovani"), 1);
        PrikazyMenu::instance().vymaz();
    }

private:
    std::unique_ptr<TestEnv> env;
};

QTEST_MAIN(TestSestavy)
#include "tst_sestavy.moc"
