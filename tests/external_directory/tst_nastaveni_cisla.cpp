// The external directory tree and its state, city and subscriber dialogs,
// driven offscreen on a real database with the small tariff data set.
#include "common/tree_model.h"
#include "external_directory/forms/nastaveni_cisla.h"
#include "external_directory/forms/z_oprava_mesta.h"
#include "external_directory/forms/z_oprava_osoby.h"
#include "platform/database.h"
#include "ovladac.h"
#include "skutecne_dialogy.h"
#include "tariffing/reidentifikace.h"
#include "vnejsi_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTreeView>
#include <QtTest>

using namespace kavro;
using namespace kavro::test;


class TestNastaveniCisla : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        env = std::make_unique<TestEnv>();
        const QString chyba = naplnSeznam(*env);
        QVERIFY2(chyba.isEmpty(), qPrintable(chyba));
    }
    void cleanup() { env.reset(); }

    void loadsEachBranchWhenItIsFirstOpened();
    void rightClickActsOnTheItemUnderTheMouse();
    void stateCodesAreUniqueAmongAllStates();
    void bulkCityEntryAsksForTheNextCityAtOnce();
    void cityCodesAreUniqueWithinTheirState();
    void subscriberDialogShowsTheNumberAsDialled();
    void refusedInsertShowsMessageAndAddsNoItem();
    void dialogsLeaveTheRecordAsFilledUntilConfirmed();
    void emptyDirectoryTakesItsFirstState();
    void changedStateCodeIsShownUnderItsCities();
    void everyWayOutCommitsOrRollsBack();
    void theKeepQuestionWaitsForAnAnswer();
    void reidentificationFindsTheSavedSubscriber();
    void findNextWalksBranchesNotLoadedYet();
    void numberStoredWithOtherCharactersKeepsThemOrBecomesDigits();

private:
    std::unique_ptr<TestEnv> env;
};

void TestNastaveniCisla::loadsEachBranchWhenItIsFirstOpened()
{
    Nastaveni_cisla w;
    LazyTreeModel* m = w.model();
    // The order and texts are the logic test's; a state without cities has no expand button.
    const QModelIndex cr = polozka(m, "Česká");
    QVERIFY(!m->isLoaded(cr));
    QVERIFY(m->hasChildren(cr));
    QVERIFY(!m->hasChildren(polozka(m, "Krátký kód")));

    auto* tv = w.findChild<QTreeView*>("tv_1");
    w.show();
    tv->expand(cr);
    QVERIFY(m->isLoaded(cr));
    QCOMPARE(m->rowCount(cr), 3);
    const QModelIndex praha = polozka(m, "Praha", cr);
    QVERIFY(!m->isLoaded(praha));
    QVERIFY(!m->hasChildren(polozka(m, "Brno", cr)));  // no subscribers
    tv->expand(praha);
    QCOMPARE(m->rowCount(praha), 3);
    tv->setCurrentIndex(m->index(0, 0, praha));
    QCOMPARE(w.findChild<QLabel*>("l_vetev_stromu")->text(),
             QString("\\\\Česká republika\\Praha\\") + m->record<FDX_Stat>(m->index(0, 0, praha))->nazev);
    // The model holds together as a model when every branch is read.
    QAbstractItemModelTester tester(m, QAbstractItemModelTester::FailureReportingMode::QtTest);
}

void TestNastaveniCisla::rightClickActsOnTheItemUnderTheMouse()
{
    Nastaveni_cisla w;
    LazyTreeModel* m = w.model();
    auto* tv = w.findChild<QTreeView*>("tv_1");
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    m->ensureLoaded({});
    tv->setCurrentIndex(m->index(0, 0));
    const QModelIndex nemecko = m->index(2, 0);
    QMenu* nabidnuta = nullptr;
    QTimer::singleShot(50, [&] {
        nabidnuta = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (nabidnuta) nabidnuta->close();
    });
    w.tv_1_RightClick(tv->visualRect(nemecko).center());
    QCOMPARE(tv->currentIndex(), nemecko);
    QVERIFY(nabidnuta);
    QCOMPARE(nabidnuta->objectName(), QString("p_stat"));

    tv->expand(m->index(0, 0));
    QCOMPARE(w.menuPro(m->index(0, 0, m->index(0, 0)))->objectName(), QString("P_mesta"));
}

void TestNastaveniCisla::stateCodesAreUniqueAmongAllStates()
{
    Ovladac o;
    Nastaveni_cisla w;
    LazyTreeModel* m = w.model();
    auto* tv = w.findChild<QTreeView*>("tv_1");
    m->ensureLoaded({});
    tv->setCurrentIndex(m->index(0, 0));
    o.pri("Z_Oprava_statu", [](QWidget* d) {
        QVERIFY(!d->findChild<QPushButton*>("cb_OK")->isEnabled());
        napis(d, "T_Stat", "Albánie");
        napis(d, "T_ID_statu", "4a9");  // digits only
        QCOMPARE(d->findChild<QLineEdit*>("T_ID_statu")->text(), QString("49"));
        klikni(d, "cb_OK");  // the code of Německo: refused, the dialog stays
        QVERIFY(d->isVisible());
        napis(d, "T_ID_statu", "0420");  // not 420
        klikni(d, "cb_OK");
    });
    w.Popup_Menu(1, 1, true);
    QCOMPARE(o.zpravy, QStringList{"Není jedinečný kód st8tu|opravte kód státu"});
    // The new state is the last top-level item until the window is opened again.
    QCOMPARE(texty(m).last(), QString("Albánie").leftJustified(21) + "(0420)");
    QCOMPARE(hodnota("SELECT nazev_statu FROM dba.ciselnik_statu WHERE kod_statu = '0420'"), QString("Albánie"));
    QVERIFY(w.zmeneno());

    // Editing keeps its own code; the code of another state is refused; a delete confirms at once.
    tv->setCurrentIndex(m->index(2, 0));
    o.zpravy.clear();
    o.pri("Z_Oprava_statu", [](QWidget* d) {
        napis(d, "T_ID_statu", "1");
        klikni(d, "cb_OK");
        napis(d, "T_ID_statu", "49");
        napis(d, "T_Stat", "SRN");
        klikni(d, "cb_OK");
    });
    w.Popup_Menu(1, 2, true);
    QCOMPARE(o.zpravy.size(), 1);
    QCOMPARE(m->index(2, 0).data().toString(), QString("SRN").leftJustified(21) + "(49)");
    o.pri("Z_Oprava_statu", [](QWidget* d) { klikni(d, "cb_OK"); });
    w.Popup_Menu(1, 3, true);
    QCOMPARE(m->rowCount(), 4);
    QCOMPARE(hodnota("SELECT count(*) FROM dba.ciselnik_mest WHERE kod_statu = '49'"), QString("2"));
}

void TestNastaveniCisla::bulkCityEntryAsksForTheNextCityAtOnce()
{
    Ovladac o;
    Nastaveni_cisla w;
    LazyTreeModel* m = w.model();
    auto* tv = w.findChild<QTreeView*>("tv_1");
    const QModelIndex kratky = polozka(m, "Krátký kód");  // a state without cities
    tv->setCurrentIndex(kratky);
    int kolikaty = 0;
    o.pri("Z_Oprava_Mesta", [&](QWidget* d) {
        ++kolikaty;
        QVERIFY(d->findChild<QCheckBox*>("checkbox_1")->isChecked());
        if (kolikaty == 4) {
            klikni(d, "cb_Cancel");
            return;
        }
        napis(d, "T_Mesto", QString("Město %1").arg(kolikaty));
        napis(d, "T_ID_mesta", QString::number(kolikaty));
        klikni(d, "cb_OK");
    });
    w.Popup_Menu(2, 1, false);
    QCOMPARE(kolikaty, 4);
    const QModelIndex stat = polozka(m, "Krátký kód");
    QCOMPARE(m->rowCount(stat), 3);
    QCOMPARE(hodnota("SELECT count(*) FROM dba.ciselnik_mest WHERE kod_statu = '42' AND id_pasma = 9999"), QString("3"));

    // With the box cleared the dialog is not asked again.
    kolikaty = 0;
    o.pri("Z_Oprava_Mesta", [&](QWidget* d) {
        ++kolikaty;
        napis(d, "T_Mesto", "Poslední");
        napis(d, "T_ID_mesta", "9");
        d->findChild<QCheckBox*>("checkbox_1")->setChecked(false);
        klikni(d, "cb_OK");
    });
    w.Popup_Menu(2, 1, true);
    QCOMPARE(kolikaty, 1);
    QCOMPARE(m->rowCount(stat), 4);
}

void TestNastaveniCisla::cityCodesAreUniqueWithinTheirState()
{
    Ovladac o;
    Nastaveni_cisla w;
    LazyTreeModel* m = w.model();
    auto* tv = w.findChild<QTreeView*>("tv_1");
    const QModelIndex cr = polozka(m, "Česká");
    const QModelIndex brno = polozka(m, "Brno", cr);
    tv->setCurrentIndex(brno);
    // Beside a city with that very code; then a code of another state's city is accepted.
    o.pri("Z_Oprava_Mesta", [](QWidget* d) {
        napis(d, "T_Mesto", "Berlín II");
        napis(d, "T_ID_mesta", "5");
        klikni(d, "cb_OK");
        QVERIFY(d->isVisible());
        napis(d, "T_ID_mesta", "30");
        d->findChild<QCheckBox*>("checkbox_1")->setChecked(false);
        klikni(d, "cb_OK");
    });
    w.Popup_Menu(2, 1, true);
    QCOMPARE(o.zpravy, QStringList{"Není jedinečný kód města|opravte kód města"});
    QCOMPARE(m->rowCount(cr), 4);
    QVERIFY(polozka(m, "Berlín II", cr).isValid());

    // Editing: its own code passes, a sibling's code is refused.
    tv->setCurrentIndex(polozka(m, "Jihlava", cr));
    o.zpravy.clear();
    o.pri("Z_Oprava_Mesta", [](QWidget* d) {
        QVERIFY(!d->findChild<QCheckBox*>("checkbox_1")->isVisible());
        klikni(d, "cb_OK");
    });
    w.Popup_Menu(2, 2, true);
    QVERIFY(o.zpravy.isEmpty());
    o.pri("Z_Oprava_Mesta", [](QWidget* d) {
        napis(d, "T_ID_mesta", "2");
        klikni(d, "cb_OK");
        klikni(d, "cb_Cancel");
    });
    w.Popup_Menu(2, 2, true);
    QCOMPARE(o.zpravy.size(), 1);
    QCOMPARE(hodnota("SELECT count(*) FROM dba.ciselnik_mest WHERE kod_statu = '420' AND kod_mesta = '56'"), QString("1"));

    // The home city keeps its code: a message, nothing changed.
    tv->setCurrentIndex(polozka(m, "Praha", cr));
    o.zpravy.clear();
    o.pri("Z_Oprava_Mesta", [](QWidget* d) {
        napis(d, "T_ID_mesta", "22");
        klikni(d, "cb_OK");
    });
    w.Popup_Menu(2, 2, true);
    QCOMPARE(o.zpravy.size(), 1);
    QVERIFY(o.zpravy[0].contains("domovského města"));
    QCOMPARE(hodnota("SELECT count(*) FROM dba.ciselnik_mest WHERE kod_statu = '420' AND kod_mesta = '2'"), QString("1"));
}

void TestNastaveniCisla::subscriberDialogShowsTheNumberAsDialled()
{
    // The prefixes for each kind of place are the logic test's; here the label follows the typed number.
    Ovladac o;
    Nastaveni_cisla w;
    LazyTreeModel* m = w.model();
    auto* tv = w.findChild<QTreeView*>("tv_1");
    const QModelIndex cr = polozka(m, "Česká");
    QStringList videno;
    o.pri("Z_Oprava_Osoby", [&](QWidget* d) {
        auto* cislo = d->findChild<QLabel*>("Volane_cislo");
        videno << cislo->text();
        napis(d, "T_Popis", "Nový");
        napis(d, "T_Telefon", "12%3");  // digits only
        videno << cislo->text();
        klikni(d, "cb_Cancel");
    });
    tv->setCurrentIndex(polozka(m, "Brno", cr));
    w.Popup_Menu(3, 1, false);
    QCOMPARE(videno, (QStringList{"05 - ", "05 - 123"}));
    QVERIFY(!w.zmeneno());

    // Delete: confirmed at once.
    const QModelIndex praha = polozka(m, "Praha", cr);
    m->ensureLoaded(praha);
    tv->setCurrentIndex(m->index(0, 0, praha));
    o.pri("Z_Oprava_Osoby", [](QWidget* d) { klikni(d, "cb_OK"); });
    w.Popup_Menu(3, 3, true);
    QCOMPARE(m->rowCount(praha), 2);
}

void TestNastaveniCisla::refusedInsertShowsMessageAndAddsNoItem()
{
    Ovladac o;
    Nastaveni_cisla w;
    LazyTreeModel* m = w.model();
    auto* tv = w.findChild<QTreeView*>("tv_1");
    const QModelIndex praha = polozka(m, "Praha", polozka(m, "Česká"));
    tv->setCurrentIndex(praha);
    o.pri("Z_Oprava_Osoby", [](QWidget* d) {
        napis(d, "T_Popis", "Dvojník");
        napis(d, "T_Telefon", "777");
        klikni(d, "cb_OK");
    });
    w.Popup_Menu(3, 1, false);
    QCOMPARE(o.zpravy, QStringList{"Vnější telefonní seznam|Účastník s tímto číslem už v tomto městě je."});
    QCOMPARE(m->rowCount(praha), 3);
    QVERIFY(!w.zmeneno());

    // A city read without subscribers takes its first one.
    tv->setCurrentIndex(polozka(m, "Brno", polozka(m, "Česká")));
    o.pri("Z_Oprava_Osoby", [](QWidget* d) {
        napis(d, "T_Popis", "První");
        napis(d, "T_Telefon", "5");
        klikni(d, "cb_OK");
    });
    w.Popup_Menu(3, 1, false);
    const QModelIndex brno = polozka(m, "Brno", polozka(m, "Česká"));
    QVERIFY(m->hasChildren(brno));
    QCOMPARE(texty(m, brno), QStringList{"První -" + QString(18, ' ') + " - 5"});
    QCOMPARE(tv->currentIndex().parent(), brno);
    QVERIFY(w.zmeneno());
}

void TestNastaveniCisla::dialogsLeaveTheRecordAsFilledUntilConfirmed()
{
    Ovladac o;
    FDX_Stat r;
    r.rezim = 2;
    r.kod_statu = QStringLiteral("420");
    r.kod_mesta = QStringLiteral("2");
    r.cislo_ucastnika = QStringLiteral("777");
    r.nazev = QStringLiteral("Obchod");
    o.pri("Z_Oprava_Osoby", [&](QWidget* d) {
        QCOMPARE(d->findChild<QComboBox*>("combo_1")->currentText(), QString("Firemní"));  // empty flag
        napis(d, "T_Popis", " ");  // a blank is a name
        klikni(d, "cb_Cancel");
    });
    Z_Oprava_Osoby osoba;
    QVERIFY(osoba.Create(nullptr, &r));
    QVERIFY(!r.ok);
    QCOMPARE(r.nazev, QString("Obchod"));
    o.pri("Z_Oprava_Osoby", [&](QWidget* d) { klikni(d, "cb_OK"); });
    Z_Oprava_Osoby znovu;
    znovu.Create(nullptr, &r);
    QVERIFY(r.ok);
    QCOMPARE(r.soukrome, QString("F"));

    // The city dialog: Opusť after a refused OK changes nothing in the record.
    Nastaveni_cisla w;
    LazyTreeModel* m = w.model();
    auto* tv = w.findChild<QTreeView*>("tv_1");
    tv->setCurrentIndex(polozka(m, "Brno", polozka(m, "Česká")));
    FDX_Stat mesto = *m->record<FDX_Stat>(tv->currentIndex());
    mesto.rezim = 1;
    mesto.strom = tv;
    o.pri("Z_Oprava_Mesta", [](QWidget* d) {
        napis(d, "T_Mesto", "Brno II");
        napis(d, "T_ID_mesta", "56");
        klikni(d, "cb_OK");
        napis(d, "T_ID_mesta", "");
        QVERIFY(!d->findChild<QPushButton*>("cb_OK")->isEnabled());
        klikni(d, "cb_Cancel");
    });
    Z_Oprava_Mesta d;
    d.Create(&w, &mesto);
    QVERIFY(!mesto.ok);
    QCOMPARE(mesto.kod_mesta + " " + mesto.nazev, QString("5 Brno"));
}

void TestNastaveniCisla::emptyDirectoryTakesItsFirstState()
{
    QVERIFY(Transaction::main().exec(QStringLiteral("DELETE FROM dba.ciselnik_statu")));
    QVERIFY(Transaction::main().commit());
    Ovladac o;
    Nastaveni_cisla w;
    w.show();
    QCOMPARE(w.model()->rowCount(), 0);
    QCOMPARE(w.menuPro(QModelIndex())->objectName(), QString("p_stat"));
    o.pri("Z_Oprava_statu", [](QWidget* d) {
        napis(d, "T_Stat", "Česko");
        napis(d, "T_ID_statu", "420");
        klikni(d, "cb_OK");
    });
    w.Popup_Menu(1, 1, true);
    QCOMPARE(w.model()->rowCount(), 1);
    // Its cities, left behind when it was deleted, are read when the window opens again.
    klikni(&w, "cb_OK");
    Nastaveni_cisla znovu;
    QVERIFY(znovu.model()->hasChildren(polozka(znovu.model(), "Česko")));
}

void TestNastaveniCisla::changedStateCodeIsShownUnderItsCities()
{
    Ovladac o;
    Nastaveni_cisla w;
    LazyTreeModel* m = w.model();
    auto* tv = w.findChild<QTreeView*>("tv_1");
    QModelIndex usa = polozka(m, "USA");
    m->ensureLoaded(usa);
    tv->setCurrentIndex(usa);
    o.pri("Z_Oprava_statu", [](QWidget* d) {
        napis(d, "T_ID_statu", "7");
        klikni(d, "cb_OK");
    });
    w.Popup_Menu(1, 2, true);
    usa = polozka(m, "USA");
    const QModelIndex ny = polozka(m, "New York", usa);
    QVERIFY(ny.isValid());
    QCOMPARE(m->record<FDX_Stat>(ny)->kod_statu, QString("7"));
    // A subscriber inserted there belongs to the state under its new code.
    tv->setCurrentIndex(ny);
    o.pri("Z_Oprava_Osoby", [](QWidget* d) {
        QCOMPARE(d->findChild<QLabel*>("Volane_cislo")->text(), QString("00 - 7 - 212 - "));
        napis(d, "T_Popis", "Broadway");
        napis(d, "T_Telefon", "55");
        klikni(d, "cb_OK");
    });
    w.Popup_Menu(3, 1, false);
    QCOMPARE(hodnota("SELECT count(*) FROM dba.ciselnik_ucastniku WHERE kod_statu = '7'"), QString("2"));
}

void TestNastaveniCisla::everyWayOutCommitsOrRollsBack()
{
    // "Ulož" commits and "Opusť" rolls back without asking; the close box
    // asks, "No" rolls back and "Yes" commits.
    const QString otazka = QStringLiteral("V datech byly provedeny změny|Chcete změny uložit");
    const struct {
        const char* kod;
        const char* tlacitko;
        int odpoved;
        bool ulozeno;
    } pripady[] = {{"355", "cb_OK", 0, true}, {"356", "cb_Cancel", 0, false},
                   {"357", nullptr, ResultNo, false}, {"358", nullptr, ResultYes, true}};
    for (const auto& p : pripady) {
        Ovladac o;
        Nastaveni_cisla w;
        w.show();
        w.findChild<QTreeView*>("tv_1")->setCurrentIndex(polozka(w.model(), "Česká"));
        o.pri("Z_Oprava_statu", [&p](QWidget* d) {
            napis(d, "T_Stat", QString("Stát ") + p.kod);
            napis(d, "T_ID_statu", p.kod);
            klikni(d, "cb_OK");
        });
        w.Popup_Menu(1, 1, true);
        if (p.tlacitko) {
            klikni(&w, p.tlacitko);
        } else {
            o.odpovidej({p.odpoved});
            w.close();
        }
        QVERIFY(!w.isVisible());
        QCOMPARE(o.zpravy, p.tlacitko ? QStringList() : QStringList{otazka});
        Transaction::main().rollback();
        QCOMPARE(hodnota("SELECT count(*) FROM dba.ciselnik_statu WHERE kod_statu = ?", {p.kod}),
                 QString(p.ulozeno ? "1" : "0"));
    }
}

void TestNastaveniCisla::theKeepQuestionWaitsForAnAnswer()
{
    // A renamed state, the close box, and the real question: Esc and the
    // question's own close box leave it open; "Ano" keeps the new name.
    Nastaveni_cisla w;
    w.show();
    {
        Ovladac o;
        w.findChild<QTreeView*>("tv_1")->setCurrentIndex(polozka(w.model(), "Česká"));
        o.pri("Z_Oprava_statu", [](QWidget* d) {
            napis(d, "T_Stat", "Čechy");
            klikni(d, "cb_OK");
        });
        w.Popup_Menu(1, 2, true);
    }
    kavro::test::SkutecneDialogy d;
    d.stiskni("V datech byly provedeny změny", "Ano", [&w](QWidget* box) {
        QTest::keyClick(box, Qt::Key_Escape);
        box->close();
        QVERIFY(box->isVisible());
        QCOMPARE(QApplication::activeModalWidget(), box);
        QVERIFY(w.isVisible());
    });
    w.close();
    QVERIFY2(d.hotovo(), qPrintable(d.chyba()));
    QVERIFY(!w.isVisible());
    Transaction::main().rollback();
    QCOMPARE(hodnota("SELECT count(*) FROM dba.ciselnik_statu WHERE nazev_statu = 'Čechy'"), QString("1"));
}

void TestNastaveniCisla::reidentificationFindsTheSavedSubscriber()
{
    Call c;
    c.id = 1;
    c.when = QStringLiteral("2024-03-05 09:00:00");
    c.number = QStringLiteral("2345678");
    c.line = 2;
    QVERIFY(addCall(c));
    {
        Tarifovani t;
        QCOMPARE(t.tarifikuj(), Tarifovani::Vysledek::Hotovo);
    }
    QCOMPARE(callValue(1, "cislo_ucastnika"), QString("23456"));

    Ovladac o;
    {
        Nastaveni_cisla w;
        w.show();
        LazyTreeModel* m = w.model();
        const QModelIndex praha = polozka(m, "Praha", polozka(m, "Česká"));
        m->ensureLoaded(praha);
        w.findChild<QTreeView*>("tv_1")->setCurrentIndex(m->index(0, 0, praha));  // beside a subscriber: the same city
        o.pri("Z_Oprava_Osoby", [](QWidget* d) {
            napis(d, "T_Popis", "Nová pobočka");
            napis(d, "T_Telefon", "234567");
            klikni(d, "cb_OK");
        });
        w.Popup_Menu(3, 1, true);
        klikni(&w, "cb_OK");
    }
    Reidentifikace r;
    QVERIFY2(r.Nalezeni_ucastniku(), qPrintable(r.message()));
    QCOMPARE(callValue(1, "cislo_ucastnika"), QString("234567"));
}

void TestNastaveniCisla::findNextWalksBranchesNotLoadedYet()
{
    Ovladac o;
    Nastaveni_cisla w;
    w.show();
    LazyTreeModel* m = w.model();
    auto* tv = w.findChild<QTreeView*>("tv_1");
    m->ensureLoaded({});
    tv->setCurrentIndex(m->index(0, 0));
    o.pri("hledej_text", [](QWidget* d) {
        napis(d, "textb_1", "Krátk");
        klikni(d, "cb_hledej");
    });
    w.Najdi_polozku_tree(false);
    // "Krátký kód" (a state) is found first, then the city "Krátké" of Německo.
    QCOMPARE(tv->currentIndex().data().toString().trimmed(), QString("Krátký kód").leftJustified(21) + "(42)");
    w.Najdi_polozku_tree(true);
    QCOMPARE(tv->currentIndex().data().toString().trimmed(), QString("Krátké").leftJustified(26) + "(3)");
    QVERIFY(o.zpravy.isEmpty());
    w.Najdi_polozku_tree(true);
    QCOMPARE(o.zpravy, QStringList{"Text nenalezen|Položka s tímto textem nebyla nalezena"});
}

void TestNastaveniCisla::numberStoredWithOtherCharactersKeepsThemOrBecomesDigits()
{
    // Stored by an older database or another program.
    QVERIFY(Transaction::main().exec("INSERT INTO dba.ciselnik_ucastniku (kod_statu, kod_mesta, Cislo_ucastnika, "
                                     "nazev_ucastnika) VALUES ('420', '2', '22-33', 'Starý')"));
    QVERIFY(Transaction::main().commit());
    Ovladac o;
    Nastaveni_cisla w;
    LazyTreeModel* m = w.model();
    auto* tv = w.findChild<QTreeView*>("tv_1");
    const QModelIndex praha = polozka(m, "Praha", polozka(m, "Česká"));
    tv->setCurrentIndex(polozka(m, "Starý", praha));
    // The name is corrected, the number kept as it is.
    o.pri("Z_Oprava_Osoby", [](QWidget* d) {
        QCOMPARE(d->findChild<QLineEdit*>("T_Telefon")->text(), QString("22-33"));
        napis(d, "T_Popis", "Opraveny");
        klikni(d, "cb_OK");
    });
    w.Popup_Menu(3, 2, true);
    QVERIFY(o.zpravy.isEmpty());
    QCOMPARE(hodnota("SELECT nazev_ucastnika FROM dba.ciselnik_ucastniku WHERE Cislo_ucastnika = '22-33'"),
             QString("Opraveny"));
    // A changed number must be digits: typed with the dash it cannot be confirmed.
    tv->setCurrentIndex(polozka(m, "Opraveny", praha));
    o.pri("Z_Oprava_Osoby", [](QWidget* d) {
        auto* ok = d->findChild<QPushButton*>("cb_OK");
        napis(d, "T_Telefon", "22-34");
        QCOMPARE(d->findChild<QLineEdit*>("T_Telefon")->text(), QString("22-34"));
        QVERIFY(!ok->isEnabled());
        napis(d, "T_Telefon", "2234");
        klikni(d, "cb_OK");
    });
    w.Popup_Menu(3, 2, true);
    QVERIFY(o.zpravy.isEmpty());
    QCOMPARE(hodnota("SELECT nazev_ucastnika FROM dba.ciselnik_ucastniku WHERE Cislo_ucastnika = '2234'"),
             QString("Opraveny"));
    QCOMPARE(hodnota("SELECT count(*) FROM dba.ciselnik_ucastniku WHERE Cislo_ucastnika LIKE '22-%'"), QString("0"));
    // A number stored as digits takes no other character.
    tv->setCurrentIndex(polozka(m, "Opraveny", praha));
    o.pri("Z_Oprava_Osoby", [](QWidget* d) {
        napis(d, "T_Telefon", "22-5");
        QCOMPARE(d->findChild<QLineEdit*>("T_Telefon")->text(), QString("225"));
        klikni(d, "cb_Cancel");
    });
    w.Popup_Menu(3, 2, true);
}

QTEST_MAIN(TestNastaveniCisla)
#include "tst_nastaveni_cisla.moc"
