// The import window with its configuration dialog: the layout is stored, a
// file is read into the preview, and "Ulož" writes and commits.
#include "common/konfigurace.h"
#include "common/tree_model.h"
#include "internal_directory/forms/i_import_vnitrniho_tel_seznamu.h"
#include "internal_directory/forms/k_import_vnitrniho_tel_seznamu.h"
#include "ovladac.h"
#include "platform/cp1250.h"
#include "platform/database.h"
#include "test_env.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QtTest>

using namespace kavro;
using namespace kavro::test;

namespace {

QPushButton* tlacitko(QWidget* w, const char* jmeno) { return w->findChild<QPushButton*>(jmeno); }
QLineEdit* box(QWidget* w, const char* jmeno) { return w->findChild<QLineEdit*>(jmeno); }

} // namespace

class TstImportVnitrnihoSeznamu : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;
    std::unique_ptr<konfiguracni_hodnoty> konf;

    QString soubor(const QByteArray& obsah)
    {
        const QString cesta = env->dataDir() + QStringLiteral("/seznam.txt");
        QFile f(cesta);
        f.open(QIODevice::WriteOnly);
        f.write(obsah);
        return cesta;
    }
    QString hodnota(const char* sql) { return Transaction::main().scalar(QString::fromUtf8(sql)); }

private slots:
    void init()
    {
        env = std::make_unique<TestEnv>();
        QVERIFY(env->ok());
        konf = std::make_unique<konfiguracni_hodnoty>(konfiguracni_hodnoty::zakladniKlic(), QStringLiteral("Sberac"));
        konfigurace = konf.get();
    }
    void cleanup()
    {
        konfigurace = nullptr;
        konf.reset();
        env.reset();
    }

    void configurationDialogShowsSlotsAndReturnsWhatTheBoxesHold()
    {
        Ovladac o;
        K_Import_vnitrniho_tel_seznamu d;
        FDX_K_Import r{QStringLiteral("1234567"), QStringLiteral(";,|/:#"), false};
        o.pri(d.objectName(), [](QWidget* w) {
            QCOMPARE(box(w, "P_firma")->text(), QStringLiteral("1"));
            QCOMPARE(box(w, "P_titul")->text(), QStringLiteral("5"));
            QCOMPARE(box(w, "P_linka")->text(), QStringLiteral("6"));
            QCOMPARE(box(w, "O_prijmeni")->text(), QStringLiteral("|"));
            // A letter cannot be typed into a position box, nor a second character anywhere.
            box(w, "P_jmeno")->clear();
            QTest::keyClicks(box(w, "P_jmeno"), QStringLiteral("x9"));
            QCOMPARE(box(w, "P_jmeno")->text(), QStringLiteral("9"));
            QTest::keyClicks(box(w, "O_jmeno"), QStringLiteral("ab"));
            QCOMPARE(box(w, "O_jmeno")->text(), QStringLiteral("/"));
            tlacitko(w, "cb_1")->click();
        });
        QVERIFY(d.Create(nullptr, &r));
        QVERIFY(r.OK);
        QCOMPARE(r.pozice, QStringLiteral("123956"));
        QCOMPARE(r.oddelovace, QStringLiteral(";,|/:#"));
        // Esc returns the record as it came.
        FDX_K_Import z{QStringLiteral("654321"), QStringLiteral(";;;;;;"), false};
        o.pri(d.objectName(), [](QWidget* w) {
            box(w, "P_firma")->setText(QStringLiteral("1"));
            QTest::keyClick(w, Qt::Key_Escape);
        });
        QVERIFY(!d.Create(nullptr, &z));
        QVERIFY(!z.OK);
        QCOMPARE(z.pozice, QStringLiteral("654321"));
    }

    void configuredImportIsReadAndSaved()
    {
        Ovladac o;
        const QString cesta = soubor(toCp1250(QStringLiteral("Účtárna|Žluťoučký kůň|Dvořák|Jan|Ing.|245\r\n"
                                                             "Účtárna|Žluťoučký kůň|Dvořák|Eva||246")));
        o.vyberSoubory({cesta});
        I_Import_vnitrniho_tel_seznamu w;
        // The configuration opens while the window's own answer runs: it is answered from the event loop.
        auto konfiguruj = [](QWidget* k) {
            const char* pozice[] = {"P_firma", "P_oddeleni", "P_prijmeni", "P_jmeno", "P_titul", "P_linka"};
            const char* oddelovace[] = {"O_firma", "O_oddeleni", "O_prijmeni", "O_jmeno", "O_titul", "O_linka"};
            const QString p = QStringLiteral("213456");
            for (int i = 0; i < 6; ++i) {
                box(k, pozice[i])->setText(p.mid(i, 1));
                box(k, oddelovace[i])->setText(QStringLiteral("|"));
            }
            tlacitko(k, "cb_1")->click();
        };
        const bool ulozeno = o.ukaz(w, [&](QWidget* d) {
            QVERIFY(!tlacitko(d, "cb_3")->isEnabled());  // no layout stored yet
            QVERIFY(!tlacitko(d, "cb_2")->isEnabled());
            QTimer::singleShot(50, [&] { konfiguruj(QApplication::activeModalWidget()); });
            tlacitko(d, "cb_5")->click();
            QVERIFY(tlacitko(d, "cb_3")->isEnabled());
            tlacitko(d, "cb_3")->click();
            auto* tv = d->findChild<QTreeView*>("tv_1");
            QCOMPARE(tv->model()->rowCount(), 1);
            QCOMPARE(tv->model()->index(0, 0).data().toString(), QStringLiteral("Žluťoučký kůň"));
            box(d, "Pocatek_platnosti_datum")->setText(QStringLiteral("2024-05"));
            QVERIFY(!tlacitko(d, "cb_2")->isEnabled());
            box(d, "Pocatek_platnosti_datum")->setText(QStringLiteral("2024-05-01"));
            QVERIFY(tlacitko(d, "cb_2")->isEnabled());
            box(d, "Pocatek_platnosti_Cas")->setText(QStringLiteral("8:00"));
            tlacitko(d, "cb_2")->click();
        });
        QVERIFY(ulozeno);
        QVERIFY(o.zpravy.isEmpty());
        QCOMPARE(konf->precti_promennou_registru(QStringLiteral("Kavro_Pozice"), QStringLiteral("Sberac")),
                 QStringLiteral("213456"));
        QCOMPARE(konf->precti_promennou_registru(QStringLiteral("Kavro_Oddelovace"), QStringLiteral("Sberac")),
                 QStringLiteral("||||||"));
        // Committed: a rollback now keeps it.
        Transaction::main().rollback();
        QCOMPARE(hodnota("SELECT nazev_firmy FROM dba.ciselnik_firem"), QStringLiteral("Žluťoučký kůň"));
        QCOMPARE(hodnota("SELECT count(*) FROM dba.ciselnik_osob"), QStringLiteral("2"));
        QCOMPARE(hodnota("SELECT count(*) FROM dba.prirazeni_pobocek WHERE Cislo_pobocky IN ('245', '246') "
                         "AND Pocatek_platnosti = '2024-05-01 08:00:00'"),
                 QStringLiteral("2"));
    }

    void unreadableFileIsReportedAndLeavingWritesNothing()
    {
        Ovladac o;
        konf->nastav_promennou(QStringLiteral("Kavro_Pozice"), QStringLiteral("123456"), QStringLiteral("Sberac"));
        konf->nastav_promennou(QStringLiteral("Kavro_Oddelovace"), QStringLiteral(";;;;;;"), QStringLiteral("Sberac"));
        o.vyberSoubory({env->dataDir() + QStringLiteral("/chybi.txt"), soubor("Firma A;Obchod;Novak;Jan;;101\r\n")});
        I_Import_vnitrniho_tel_seznamu w;
        const bool ulozeno = o.ukaz(w, [&](QWidget* d) {
            tlacitko(d, "cb_3")->click();
            QCOMPARE(o.zpravy.size(), 1);
            QVERIFY(o.zpravy.first().contains(QStringLiteral("nelze přečíst")));
            tlacitko(d, "cb_3")->click();
            QCOMPARE(d->findChild<QTreeView*>("tv_1")->model()->rowCount(), 1);
            box(d, "Pocatek_platnosti_datum")->setText(QStringLiteral("2024-05-01"));
            tlacitko(d, "cb_1")->click();
        });
        QVERIFY(!ulozeno);
        QCOMPARE(hodnota("SELECT count(*) FROM dba.ciselnik_firem"), QStringLiteral("0"));
    }

    void refusedLinesStoreNothingAndTheWindowSaysWhich()
    {
        Ovladac o;
        konf->nastav_promennou(QStringLiteral("Kavro_Pozice"), QStringLiteral("123456"), QStringLiteral("Sberac"));
        konf->nastav_promennou(QStringLiteral("Kavro_Oddelovace"), QStringLiteral(";;;;;;"), QStringLiteral("Sberac"));
        // 1107 is someone else's from next year.
        QVERIFY(Transaction::main().exec(QStringLiteral(
            "INSERT INTO dba.prirazeni_pobocek (Cislo_pobocky, Pocatek_platnosti, Konec_platnosti, ID_firmy, "
            "ID_Oddeleni, ID_Osoby) VALUES ('1107', '2025-01-01 00:00:00', '9999-12-31 23:59:59', 1, 10, 0)")));
        QVERIFY(Transaction::main().commit());
        const QString spatne = env->dataDir() + QStringLiteral("/spatne.txt");
        {
            QFile f(spatne);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("Firma A;Obchod;Novak;Jan;;101\r\nFirma A;Obchod;Svoboda;Petr;;9999\r\n");
        }
        o.vyberSoubory({spatne, soubor("Firma A;Obchod;Novak;Jan;;101\r\nFirma A;Obchod;Svoboda;Petr;;1107\r\n")});
        I_Import_vnitrniho_tel_seznamu w;
        const bool ulozeno = o.ukaz(w, [&](QWidget* d) {
            auto* tv = d->findChild<QTreeView*>("tv_1");
            tlacitko(d, "cb_3")->click();
            QCOMPARE(o.zpravy.size(), 1);
            QVERIFY2(o.zpravy.first().contains(QStringLiteral("řádek 2 má číslo linky „9999“")),
                     qPrintable(o.zpravy.first()));
            QCOMPARE(tv->model()->rowCount(), 0); // nothing of the file
            tlacitko(d, "cb_3")->click();
            QCOMPARE(tv->model()->rowCount(), 1);
            box(d, "Pocatek_platnosti_datum")->setText(QStringLiteral("2024-05-01"));
            tlacitko(d, "cb_2")->click(); // refused: the window stays open
            QCOMPARE(o.zpravy.size(), 2);
            QVERIFY2(o.zpravy[1].contains(
                         QStringLiteral("Řádek 2 souboru seznam.txt: linka 1107 je od 2025-01-01 00:00:00")),
                     qPrintable(o.zpravy[1]));
            QVERIFY(d->isVisible());
            tlacitko(d, "cb_1")->click();
        });
        QVERIFY(!ulozeno);
        QCOMPARE(hodnota("SELECT count(*) FROM dba.ciselnik_firem"), QStringLiteral("0"));
        QCOMPARE(hodnota("SELECT count(*) FROM dba.prirazeni_pobocek"), QStringLiteral("1"));
    }
};

QTEST_MAIN(TstImportVnitrnihoSeznamu)
#include "tst_i_import_vnitrniho_tel_seznamu.moc"
