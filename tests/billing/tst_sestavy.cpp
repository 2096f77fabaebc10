// The report viewer and the billing window as a user drives them.
#include "billing/forms/prikazy_sestav.h"
#include "billing/forms/report_view.h"
#include "billing/forms/s_tiskove_sestavy.h"
#include "billing/forms/s_vyuctovani_hovoru.h"
#include "common/forms/p_nastaveni_od_do.h"
#include "common/forms/printform.h"
#include "frame/prikazy_menu.h"
#include "frame/spusteni.h"
#include "ovladac.h"
#include "platform/forms/file_question.h"
#include "platform/clock.h"
#include "platform/registry.h"
#include "test_env.h"
#include "vyuctovani_data.h"
#include "billing/sestavy.h"
#include "platform/database.h"

#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace kavro;
using kavro::test::Ovladac;

namespace {

const QString kMarker = QStringLiteral("RRRR-MM-DD hh:mm:ss");

void klikni(QWidget* w, const char* jmeno)
{
    auto* b = w->findChild<QPushButton*>(jmeno);
    QVERIFY2(b, jmeno);
    b->click();
}

void napis(QWidget* w, const char* jmeno, const QString& text)
{
    auto* e = w->findChild<QLineEdit*>(jmeno);
    QVERIFY2(e, jmeno);
    e->setText(text);
}

QString text(QWidget* w, const char* jmeno) { return w->findChild<QLineEdit*>(jmeno)->text(); }

// The texts of the table's first column, rows read as the view asks for them.
QStringList prvniSloupec(QWidget* w)
{
    auto* t = w->findChild<QTableView*>("dw_1");
    QStringList out;
    for (int r = 0; r < t->model()->rowCount(); ++r) out << t->model()->index(r, 0).data().toString();
    return out;
}

int radku(QWidget* w) { return w->findChild<QTableView*>("dw_1")->model()->rowCount(); }

// Answers the period dialog with March 2024.
void brezen(QWidget* d)
{
    napis(d, "textb_od", "2024-03-01");
    napis(d, "textb_do", "2024-03-31");
    klikni(d, "cb_1");
}

} // namespace

class TestSestavy : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        env = std::make_unique<test::TestEnv>();
        QVERIFY(env->ok());
        QString e;
        QVERIFY2(test::naplnVyuctovani(&e), qPrintable(e));
        Jmeno_uzivatele = QStringLiteral("Dorvek s.r.o.");
        clock::setFixedNow(QDateTime(QDate(2024, 4, 2), QTime(9, 30, 15)));
        Registry::instance().write(P_Nastaveni_od_do::RegistryKey, P_Nastaveni_od_do::ValueOd, "2024-03-01");
        Registry::instance().write(P_Nastaveni_od_do::RegistryKey, P_Nastaveni_od_do::ValueDo, "2024-03-31");
    }
    void cleanup()
    {
        clock::setFixedNow(QDateTime());
        setFileAnswerer({});
        PrintForm::setPrinterSource({});
        env.reset();
    }

    void momentAsksForDayAndTime()
    {
        FDX_Zakladni_okno r;
        {
            Ovladac o;
            r.objekt_sestavy = "firma_oddeleni_osoba";
            r.titulek = "Interní telefonní seznam";
            r.argument[0] = kMarker;
            r.argument[1] = QString();
            o.pri("Z_Zruseni_polozky_firma_oddeleni_osoba", [](QWidget* d) {
                QCOMPARE(d->windowTitle(), QString("Vyber datum"));
                QCOMPARE(text(d, "textb_1"), QString("2024-04-02"));
                QCOMPARE(text(d, "textb_2"), QString("09:30:15"));
                napis(d, "textb_1", "2024-03-31");
                napis(d, "textb_2", "12:00:00");
                klikni(d, "cb_1");
            });
            QStringList radky;
            o.pri("S_Tiskove_sestavy", [&](QWidget* w) {
                QCOMPARE(w->windowTitle(), QString("Interní telefonní seznam"));
                QVERIFY(!w->findChild<QPushButton*>("cb_3")->isVisible());
                radky = prvniSloupec(w);
                klikni(w, "cb_1");
            });
            S_Tiskove_sestavy v;
            v.Create(nullptr, &r);
            QCOMPARE(radky, (QStringList{"Alfa", "Alfa", "Beta's"}));
            QCOMPARE(r.argument[0].toString(), QString("2024-03-31 12:00:00"));
        }
        {
            // "Ne": the viewer closes before it is shown.
            Ovladac o2;
            r.argument[0] = kMarker;
            o2.pri("Z_Zruseni_polozky_firma_oddeleni_osoba", [](QWidget* d) { klikni(d, "cb_2"); });
            o2.pri("S_Tiskove_sestavy", [](QWidget* w) { klikni(w, "cb_1"); });
            S_Tiskove_sestavy v2;
            v2.Create(nullptr, &r);
            QCOMPARE(o2.pocet("Z_Zruseni_polozky_firma_oddeleni_osoba"), 1);
            QCOMPARE(o2.pocet("S_Tiskove_sestavy"), 0);
            QCOMPARE(r.argument[0].toString(), kMarker);
        }
    }

    void periodTakesTheWholeLastDay()
    {
        FDX_Zakladni_okno r;
        QStringList radky;
        {
            Ovladac o;
            r.objekt_sestavy = "Hovory";
            r.titulek = "Seznam všech hovorů v databázi";
            r.argument[0] = kMarker;
            r.argument[1] = kMarker;
            o.pri("P_Nastaveni_od_do", brezen);
            o.pri("S_Tiskove_sestavy", [&](QWidget* w) {
                radky = prvniSloupec(w);
                klikni(w, "cb_1");
            });
            S_Tiskove_sestavy v;
            v.Create(nullptr, &r);
            QCOMPARE(radky, (QStringList{"2024-03-01 00:00:00", "2024-03-05 09:00:00", "2024-03-05 09:30:00",
                                         "2024-03-10 08:00:00", "2024-03-20 10:00:00", "2024-03-31 23:59:59"}));
        }
        {
            // The directory tree's request: the id is the first retrieval argument.
            Ovladac o2;
            FDX_Zakladni_okno t;
            t.objekt_sestavy = "tarif_hovory_za_firmu";
            t.titulek = "Otarifované hovory pro vybranou firmu";
            t.argument = {kMarker, kMarker, 1, QString(), QString()};
            o2.pri("P_Nastaveni_od_do", brezen);
            QString celkem;
            o2.pri("S_Tiskove_sestavy", [&](QWidget* w) {
                radky = prvniSloupec(w);
                celkem = w->findChild<QLabel*>("label_celkem")->text();
                klikni(w, "cb_1");
            });
            S_Tiskove_sestavy v2;
            v2.Create(nullptr, &t);
            QCOMPARE(radky, (QStringList{"2024-03-01 00:00:00", "2024-03-20 10:00:00", "2024-03-31 23:59:59", "Celkem"}));
            QVERIFY2(celkem.contains("Cena Kč: 8,00"), qPrintable(celkem));
        }
        {
            // A cancelled period dialog leaves the viewer open and empty.
            Ovladac o3;
            o3.pri("P_Nastaveni_od_do", [](QWidget* d) { klikni(d, "cb_2"); });
            int n = -1;
            o3.pri("S_Tiskove_sestavy", [&](QWidget* w) {
                n = radku(w);
                klikni(w, "cb_1");
            });
            S_Tiskove_sestavy v3;
            v3.Create(nullptr, &r);
            QCOMPARE(o3.pocet("S_Tiskove_sestavy"), 1);
            QCOMPARE(n, 0);
        }
    }

    void plainEmptyAndSaveButton()
    {
        int n = 0;
        {
            Ovladac o;
            FDX_Zakladni_okno r;
            r.objekt_sestavy = "seznam_predvoleb_mest_stat";
            r.argument[0] = kMarker;
            r.argument[1] = QString("jiný text"); // neither case: retrieved as it stands
            r.ukazat_ulozit = true;
            bool ulozit = false;
            o.pri("S_Tiskove_sestavy", [&](QWidget* w) {
                n = radku(w);
                ulozit = w->findChild<QPushButton*>("cb_3")->isVisible();
                klikni(w, "cb_3"); // does nothing
                QVERIFY(w->isVisible());
                klikni(w, "cb_1");
            });
            S_Tiskove_sestavy v;
            v.Create(nullptr, &r);
            QVERIFY(n > 50);
            QVERIFY(ulozit);
            QCOMPARE(o.pocet("Z_Zruseni_polozky_firma_oddeleni_osoba") + o.pocet("P_Nastaveni_od_do"), 0);
        }
        {
            // No object: an empty viewer, no dialog.
            Ovladac o2;
            FDX_Zakladni_okno prazdny;
            o2.pri("S_Tiskove_sestavy", [&](QWidget* w) {
                n = radku(w);
                klikni(w, "cb_1");
            });
            S_Tiskove_sestavy v2;
            v2.Create(nullptr, &prazdny);
            QCOMPARE(o2.pocet("S_Tiskove_sestavy"), 1);
            QCOMPARE(n, 0);
            QVERIFY(o2.zpravy.isEmpty());
        }
    }

    void brokenObjectsAreReported()
    {
        QTemporaryDir dir;
        auto zapis = [&](const QString& jmeno, const QString& select) {
            QFile f(dir.filePath(jmeno + ".sestava"));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(("[sloupce]\na = text | A\n[select]\n" + select + "\n").toUtf8());
        };
        zapis("bez_mista", "SELECT Cislo_pobocky AS a FROM dba.prirazeni_pobocek ORDER BY 1");
        zapis("spatna", "SELECT a FROM dba.neni_tabulka");
        ReportLibrary::setFolder(dir.path());

        // A moment report without the placeholder is refused, not cut.
        {
            Ovladac o;
            FDX_Zakladni_okno r;
            r.objekt_sestavy = "bez_mista";
            r.argument[0] = kMarker;
            o.pri("Z_Zruseni_polozky_firma_oddeleni_osoba", [](QWidget* d) { klikni(d, "cb_1"); });
            o.pri("S_Tiskove_sestavy", [](QWidget* w) { klikni(w, "cb_1"); });
            S_Tiskove_sestavy v;
            v.Create(nullptr, &r);
            QCOMPARE(o.pocet("S_Tiskove_sestavy"), 0);
            QCOMPARE(o.zpravy.size(), 1);
        }
        {
            // A database error is said, not shown as an empty report.
            Ovladac o2;
            FDX_Zakladni_okno s;
            s.objekt_sestavy = "spatna";
            o2.pri("S_Tiskove_sestavy", [](QWidget* w) { klikni(w, "cb_1"); });
            S_Tiskove_sestavy v2;
            v2.Create(nullptr, &s);
            ReportLibrary::setFolder(QString());
            QCOMPARE(o2.zpravy.size(), 1);
            // The window's sentence, the layer's Czech sentence, then the engine's own text.
            QVERIFY2(o2.zpravy[0].contains("Sestavu nelze načíst.\nDatabáze příkaz odmítla.\nno such table"),
                     qPrintable(o2.zpravy[0]));
        }
    }

    void billingSelectionAndReport()
    {
        // Leaving the selection: the window is never shown.
        {
            Ovladac o;
            o.pri("Vyber_pro_vyuctovani", [](QWidget* d) { klikni(d, "cb_2"); });
            o.pri("S_Vyuctovani_hovoru", [](QWidget* w) { klikni(w, "cb_1"); });
            FDX_filtr_hovory f;
            f.typ = 1;
            S_Vyuctovani_hovoru w;
            w.Create(nullptr, &f);
            QCOMPARE(o.pocet("S_Vyuctovani_hovoru"), 0);
            QVERIFY(!f.OK);
            QCOMPARE(f.datum_od, QString());
        }
        {
            // Kind 1 for March: the firms with their sums and the total.
            Ovladac o2;
            o2.pri("Vyber_pro_vyuctovani", [](QWidget* d) {
                QCOMPARE(text(d, "textb_datum_od"), QString("2024-03-01"));
                QVERIFY(!d->findChild<QLineEdit*>("textb_1")->isVisible());
                QVERIFY(d->findChild<QComboBox*>("combo_firma")->isEnabled());
                QVERIFY(!d->findChild<QComboBox*>("combo_oddeleni")->isEnabled());
                klikni(d, "cb_1");
            });
            QStringList radky;
            QString hlavicka, celkem;
            o2.pri("S_Vyuctovani_hovoru", [&](QWidget* w) {
                QCOMPARE(w->windowTitle(), QString("Vyúčtování hovorů"));
                radky = prvniSloupec(w);
                hlavicka = w->findChild<QLabel*>("label_hlavicka")->text();
                celkem = w->findChild<QLabel*>("label_celkem")->text();
                klikni(w, "cb_1");
            });
            FDX_filtr_hovory f2;
            f2.typ = 1;
            S_Vyuctovani_hovoru w2;
            w2.Create(nullptr, &f2);
            QCOMPARE(f2.datum_od, QString("2024-03-01 00:00:00"));
            QCOMPARE(f2.datum_do, QString("2024-03-31 23:59:59"));
            QCOMPARE(f2.id_oddeleni, QString("0"));
            QCOMPARE(radky, (QStringList{"Alfa", "Beta's", "Celkem"}));
            QVERIFY2(hlavicka.contains("Dorvek s.r.o.") && hlavicka.contains("2024-03-01 – 2024-03-31"), qPrintable(hlavicka));
            QVERIFY2(celkem.contains("Hovorů: 4") && celkem.contains("Cena Kč: 12,00"), qPrintable(celkem));
        }
    }

    void selectionListsFollowTheKind()
    {
        // Kind 3: a firm enables the departments, a department the extensions of it alone.
        QStringList radky;
        {
            Ovladac o;
            o.pri("Vyber_pro_vyuctovani", [](QWidget* d) {
                auto* firma = d->findChild<QComboBox*>("combo_firma");
                auto* oddeleni = d->findChild<QComboBox*>("combo_oddeleni");
                auto* linka = d->findChild<QComboBox*>("combo_linka");
                QCOMPARE(firma->count(), 3);
                QCOMPARE(linka->count(), 4);
                // Choosing a firm and then all firms again returns the lists to "all".
                test::vyber(d, "combo_firma", "Alfa");
                test::vyber(d, "combo_oddeleni", "Obchod");
                test::vyber(d, "combo_firma", "Všechny firmy");
                QVERIFY(!oddeleni->isEnabled());
                QVERIFY(!linka->isEnabled());
                QCOMPARE(oddeleni->currentIndex(), 0);
                QCOMPARE(linka->currentIndex(), 0);
                test::vyber(d, "combo_firma", "Alfa");
                QVERIFY(oddeleni->isEnabled());
                QVERIFY(!linka->isEnabled());
                test::vyber(d, "combo_oddeleni", "Obchod");
                QVERIFY(linka->isEnabled());
                QCOMPARE(linka->count(), 2);
                QCOMPARE(linka->itemText(1), QString("100"));
                linka->setCurrentIndex(1);
                klikni(d, "cb_1");
            });
            o.pri("S_Vyuctovani_hovoru", [&](QWidget* w) {
                radky = prvniSloupec(w);
                klikni(w, "cb_1");
            });
            FDX_filtr_hovory f;
            f.typ = 3;
            S_Vyuctovani_hovoru w;
            w.Create(nullptr, &f);
            QCOMPARE(f.id_firmy, QString("1"));
            QCOMPARE(f.id_oddeleni, QString("10"));
            QCOMPARE(f.cislo_pobocky, QString("100"));
            QCOMPARE(radky, (QStringList{"Alfa", "Součet Alfa", "Celkem"}));
        }
        {
            // Kind 6: no list can be used. Kind 7: the minimum field, digits only.
            Ovladac o2;
            o2.pri("Vyber_pro_vyuctovani", [](QWidget* d) {
                QVERIFY(!d->findChild<QComboBox*>("combo_firma")->isEnabled());
                klikni(d, "cb_1");
            });
            o2.pri("S_Vyuctovani_hovoru", [](QWidget* w) { klikni(w, "cb_1"); });
            FDX_filtr_hovory f6;
            f6.typ = 6;
            S_Vyuctovani_hovoru w6;
            w6.Create(nullptr, &f6);
            QCOMPARE(f6.id_firmy, QString("0"));

        }
        {
            Ovladac o3;
            o3.pri("Vyber_pro_vyuctovani", [](QWidget* d) {
                auto* pole = d->findChild<QLineEdit*>("textb_1");
                QVERIFY(pole->isVisible());
                QCOMPARE(pole->text(), QString("0"));
                QCOMPARE(d->findChild<QLabel*>("label_3")->text(), QString("Minimalni počet volání"));
                pole->clear();
                QTest::keyClicks(pole, "1x2345");
                QCOMPARE(pole->text(), QString("123"));
                pole->setText("1");
                klikni(d, "cb_1");
            });
            o3.pri("S_Vyuctovani_hovoru", [&](QWidget* w) {
                radky = prvniSloupec(w);
                klikni(w, "cb_1");
            });
            FDX_filtr_hovory f7;
            f7.typ = 7;
            S_Vyuctovani_hovoru w7;
            w7.Create(nullptr, &f7);
            QCOMPARE(f7.minimalni_pocet, QString("1"));
            QCOMPARE(radky, (QStringList{"021234567", "Celkem"}));
        }
    }

    void printsIntoPdf()
    {
        const QString pdf = env->dir() + "/vyuctovani.pdf";
        // No printer is installed here: the PDF file is the one way to print.
        PrintForm::setPrinterSource({[] { return QList<Printer>(); }, [] { return QString(); }});
        {
            Ovladac o;
            o.vyberSoubory({pdf});
            o.pri("Vyber_pro_vyuctovani", [](QWidget* d) { klikni(d, "cb_1"); });
            o.pri("PrintForm", [](QWidget* d) {
                auto* c = d->findChild<QComboBox*>("combo_printer_names");
                c->setCurrentIndex(c->findText(PrintForm::PdfEntry));
                klikni(d, "cb_print");
            });
            // "Tisk" is pressed from the window's own event loop, so that the
            // printer dialog it opens is answered too.
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
            QVERIFY(obsah.startsWith("%PDF"));
            QVERIFY(obsah.size() > 2000);
            // KAVRO_KEEP_PDF names a copy to look at.
            const QString kopie = qEnvironmentVariable("KAVRO_KEEP_PDF");
            if (!kopie.isEmpty()) {
                QFile::remove(kopie);
                QFile::copy(pdf, kopie);
            }
        }
    }

    // The lists offer what the period's assignments allow; the dates are bound.
    void selectionListsFollowTheAssignments()
    {
        Transaction& t = Transaction::main();
        // Firm 3 holds an extension only inside the period; extension 300 began after the
        // first day's midnight, extension 301 ended before the period.
        QVERIFY(t.exec("INSERT INTO dba.ciselnik_firem (ID_Firmy, nazev_firmy) VALUES (3, 'Gama')"));
        QVERIFY(t.exec("INSERT INTO dba.prirazeni_pobocek VALUES ('300', '2024-03-10 00:00:00', '2024-03-20 23:59:59', 3, 0, 0, '-')"));
        QVERIFY(t.exec("INSERT INTO dba.prirazeni_pobocek VALUES ('301', '2023-01-01 00:00:00', '2023-12-31 23:59:59', 1, 10, 0, '-')"));
        Registry::instance().write(P_Nastaveni_od_do::RegistryKey, P_Nastaveni_od_do::ValueOd, "2024-03-05");
        Ovladac o;
        QStringList firmy, linky;
        o.pri("Vyber_pro_vyuctovani", [&](QWidget* d) {
            auto* f = d->findChild<QComboBox*>("combo_firma");
            auto* l = d->findChild<QComboBox*>("combo_linka");
            for (int i = 0; i < f->count(); ++i) firmy << f->itemText(i);
            for (int i = 0; i < l->count(); ++i) linky << l->itemText(i);
            napis(d, "textb_datum_do", "2024-13-45");
            klikni(d, "cb_2");
        });
        FDX_filtr_hovory f;
        f.typ = 3;
        S_Vyuctovani_hovoru w;
        w.Create(nullptr, &f);
        QCOMPARE(firmy, (QStringList{"Všechny firmy", "Alfa", "Beta's"}));
        QCOMPARE(linky, (QStringList{"Vsechny_pobocky", "100", "101", "200", "301"}));
        // "Opusť" writes nothing back.
        QCOMPARE(Registry::instance().read(P_Nastaveni_od_do::RegistryKey, P_Nastaveni_od_do::ValueDo), QString("2024-03-31"));
        QVERIFY(!f.OK);
        QCOMPARE(f.id_firmy, QString());
    }

    // "Vyber" normalises a date still being typed and remembers the period.
    void confirmNormalisesAndRemembersThePeriod()
    {
        Ovladac o;
        o.pri("Vyber_pro_vyuctovani", [](QWidget* d) {
            napis(d, "textb_datum_od", "1.2.2024");
            napis(d, "textb_datum_do", "2024-02-30");
            klikni(d, "cb_1");
        });
        int radky = -1;
        o.pri("S_Vyuctovani_hovoru", [&](QWidget* w) {
            radky = radku(w);
            klikni(w, "cb_1");
        });
        FDX_filtr_hovory f;
        f.typ = 2;
        S_Vyuctovani_hovoru w;
        w.Create(nullptr, &f);
        QCOMPARE(f.datum_od, QString("2024-02-01 00:00:00"));
        QCOMPARE(f.datum_do, QString("2024-02-29 23:59:59"));
        QCOMPARE(Registry::instance().read(P_Nastaveni_od_do::RegistryKey, P_Nastaveni_od_do::ValueOd), QString("2024-02-01"));
        // The last moment of February is the only call there.
        QCOMPARE(radky, 3); // Alfa / Obchod, its firm's sum, the total
    }

    // The view reads rows a page at a time and keeps one highlighted line.
    void tableReadsRowsAsItScrolls()
    {
        Transaction& t = Transaction::main();
        for (int i = 100; i < 1100; ++i)
            QVERIFY(t.exec("INSERT INTO dba.hovory (id_hovoru, ustredna_datum_a_cas, ustredna_cislo_pobocky) VALUES (?, ?, '100')",
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
        QVERIFY(m.canFetchMore(QModelIndex()));
        m.fetchMore(QModelIndex());
        QCOMPARE(m.rowCount(), 100);
        QCOMPARE(r.lines().size(), 100); // nothing beyond the page was read
        while (m.canFetchMore(QModelIndex())) m.fetchMore(QModelIndex());
        QCOMPARE(m.rowCount(), 1000);
        QCOMPARE(m.index(0, 0).data().toString(), QString("2024-05-01 00:00:00"));

        // The window's view keeps one highlighted line.
        QWidget okno;
        auto* tabulka = new QTableView(&okno);
        ReportView v(tabulka, new QLabel(&okno), new QLabel(&okno), &okno);
        QVERIFY(v.report().setObject("Hovory"));
        v.report().setSelect(s);
        QVERIFY(v.report().retrieve({}));
        v.refresh();
        QCOMPARE(v.currentRow(), 1);
        v.selectRow(150);
        QCOMPARE(v.currentRow(), 150);
        v.selectRow(0);
        QCOMPARE(v.currentRow(), 0);
    }

    void registersTheMenuHooks()
    {
        PrikazyMenu::instance().vymaz();
        registruj_prikazy_sestav();
        QVERIFY(bool(PrikazyMenu::instance().sestava()));
        QVERIFY(bool(PrikazyMenu::instance().vyuctovani()));
        {
            Ovladac o;
            o.pri("Vyber_pro_vyuctovani", [](QWidget* d) { klikni(d, "cb_2"); });
            PrikazyMenu::instance().vyuctovani()(nullptr, 2);
            QCOMPARE(o.pocet("Vyber_pro_vyuctovani"), 1);
            PrikazyMenu::instance().vymaz();
        }
    }

private:
    std::unique_ptr<test::TestEnv> env;
};

QTEST_MAIN(TestSestavy)
#include "tst_sestavy.moc"
