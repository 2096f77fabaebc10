// The windows of the external directory's import and completions, driven as a user would.
#include "external_directory/forms/doplneni_ucastniku_podle_volanych_cisel.h"
#include "external_directory/forms/import_vnejsiho_telefonniho_seznamu.h"
#include "external_directory/forms/info_o_importu.h"
#include "external_directory/forms/prikazy_vnejsiho_seznamu.h"
#include "frame/menu_ids.h"
#include "frame/prikazy_menu.h"
#include "external_directory/forms/test_duplicitnich_cisel.h"
#include "external_directory/forms/vyhledani_a_doplneni_neznamych_predvoleb.h"
#include "ovladac.h"
#include "skutecne_dialogy.h"
#include "platform/cp1250.h"
#include "platform/database.h"
#include "vnejsi_fixture.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QtTest>
#include <memory>

using namespace kavro;
using namespace kavro::test;

namespace {

template <class T> T* najdi(QWidget* d, const char* jmeno)
{
    T* w = d->findChild<T*>(jmeno);
    if (!w) qFatal("no control %s", jmeno);
    return w;
}

QString ucastnik(const QString& stat, const QString& mesto, const QString& cislo)
{
    return hodnota("SELECT nazev_ucastnika || '|' || ifnull(Firma, '') FROM dba.ciselnik_ucastniku "
               "WHERE kod_statu = ? AND kod_mesta = ? AND Cislo_ucastnika = ?",
               {stat, mesto, cislo});
}

// Texts of the tree's items, depth first, indented by level.
QStringList texty(QTreeWidget* t)
{
    QStringList out;
    std::function<void(QTreeWidgetItem*, int)> jdi = [&](QTreeWidgetItem* i, int uroven) {
        out << QString(uroven * 2, ' ') + i->text(0).simplified();
        for (int k = 0; k < i->childCount(); ++k) jdi(i->child(k), uroven + 1);
    };
    for (int k = 0; k < t->topLevelItemCount(); ++k) jdi(t->topLevelItem(k), 0);
    return out;
}

} // namespace

class TestOknaVnejsihoSeznamu : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_env = std::make_unique<TestEnv>();
        const QString chyba = naplnSeznam(*m_env);
        QVERIFY2(chyba.isEmpty(), qPrintable(chyba));
    }
    void cleanup() { m_env.reset(); }

    void importStoresTheUpperTreeUnderTheChosenRule();
    void importRefusesWithoutSiteAndSaysWhenTheFileCannotBeRead();
    void importClosedByTheCloseBoxStoresNothing();
    void importOfAFileWithoutCrLfLinesSaysSoAndKeepsTheTrees();
    void importOfAFileWithAControlCharacterNamesTheLineAndStoresNothingOfIt();
    void menuItemsOpenTheWindows();
    void completionReloadDiscardsUnsavedNamesOnNo();
    void importHelpWindowOpensBesideAndClosesWithIt();
    void completionNamesANumberAndSavesOnClosing();
    void unknownPrefixesAddAStateAndRefuseAnExistingOne();
    void duplicateWalkEndsOnCancel();
    void importQuestionIsAnsweredInTheRealDialogsWhileTheStoreRuns();
    void importStoreOfFifteenLinesStopsOnPrerusit();
    void importLoadStopsOnPrerusit();
    void duplicateWalkAsksInTheRealDialogsOverItsProgressWindow();

private:
    // The file as the format has it, in code page 1250.
    QString soubor(const QString& obsah)
    {
        const QString cesta = m_env->dataDir() + "/seznam.txt";
        QFile f(cesta);
        f.open(QIODevice::WriteOnly);
        f.write(toCp1250(obsah));
        return cesta;
    }

    // Runs the import window modally, its file question answered with `cesta`
    // and every other dialog through `d`; true when something was stored.
    bool importSeSkutecnymiDialogy(const QString& cesta, SkutecneDialogy& d)
    {
        setFileAnswerer([cesta](const FileQuestion&) { return cesta; });
        Import_vnejsiho_telefonniho_seznamu okno;
        const bool ulozeno = okno.Create(nullptr);
        setFileAnswerer({});
        [&] { QVERIFY2(d.hotovo(), qPrintable(d.chyba())); }();
        return ulozeno;
    }

    std::unique_ptr<TestEnv> m_env;
};

namespace {
const QString kImport = QStringLiteral("Import externího telefonního seznamu");
const QString kOtazka = QStringLiteral("Přepsat záznam ");
} // namespace

void TestOknaVnejsihoSeznamu::importStoresTheUpperTreeUnderTheChosenRule()
{
    Ovladac ov;
    ov.vyberSoubory({soubor("0561234,Jihlava 1,Firma A\r\n2345,Nový,F\r\n0912345,Neznámá,Firma\r\n2999,,\r\n"
                            "0049301234,Berlin,Pub")});
    ov.odpovidej({ResultNo});
    Import_vnejsiho_telefonniho_seznamu okno;
    const bool ulozeno = ov.ukaz(okno, [&](QWidget* w) {
        auto* tv1 = najdi<QTreeWidget>(w, "tv_1");
        auto* tv2 = najdi<QTreeWidget>(w, "tv_2");
        QVERIFY(najdi<QRadioButton>(w, "optb_2")->isChecked());
        najdi<QRadioButton>(w, "optb_3")->setChecked(true);
        klikni(w, "cb_2");
        QCOMPARE(texty(tv1), (QStringList{"Česká republika", "  Jihlava", "    1234 Firma A - Jihlava 1", "  Praha",
                                          "    2345 F - Nový", "Německo", "  Berlín", "    1234 Pub - Berlin"}));
        QCOMPARE(texty(tv2), (QStringList{"Česká republika", "  Neznámé město", "    Firma - Neznámá", "  Praha",
                                          "    2999 -"}));
        // Berlin is taken out of the store.
        tv1->setCurrentItem(tv1->topLevelItem(1)->child(0));
        okno.popup_1_Item0_Click();
        QCOMPARE(tv1->topLevelItem(1)->childCount(), 0);
        klikni(w, "cb_3");
        w->close();
    });
    QVERIFY(ulozeno);
    QCOMPARE(ov.zpravy, QStringList{"Přepsat záznam |Přepsat volané číslo :2345\n\nNa účastníka :Nový\n\nFirmu :F"});
    Transaction::main().rollback();
    QCOMPARE(ucastnik("420", "56", "1234"), QString("Jihlava 1|Firma A"));
    QCOMPARE(ucastnik("420", "2", "2345"), QString("Kratší|"));
    QCOMPARE(ucastnik("49", "30", "1234"), QString());
    QCOMPARE(countWhere("p_import_ext_seznamu", "1 = 1"), 0);
}

void TestOknaVnejsihoSeznamu::importRefusesWithoutSiteAndSaysWhenTheFileCannotBeRead()
{
    Ovladac ov;
    ov.vyberSoubory({m_env->dataDir() + "/chybi.txt"});
    {
        Import_vnejsiho_telefonniho_seznamu okno;
        ov.ukaz(okno, [&](QWidget* w) {
            klikni(w, "cb_2");
            w->close();
        });
    }
    QCOMPARE(ov.zpravy.size(), 1);
    QVERIFY(ov.zpravy[0].contains("nelze číst"));

    QVERIFY(Transaction::main().exec("DELETE FROM dba.konfigurace_mista"));
    QVERIFY(Transaction::main().commit());
    ov.zpravy.clear();
    ov.otazky.clear();
    Import_vnejsiho_telefonniho_seznamu okno;
    ov.ukaz(okno, [&](QWidget* w) {
        klikni(w, "cb_2");
        w->close();
    });
    QVERIFY(ov.otazky.isEmpty());
    QCOMPARE(ov.zpravy, QStringList{"Není nastaveno výchozí místo|Nastavte kód státu a města "});
}

void TestOknaVnejsihoSeznamu::importClosedByTheCloseBoxStoresNothing()
{
    Ovladac ov;
    ov.vyberSoubory({soubor("0561234,Jihlava 1,Firma A\r\n")});
    Import_vnejsiho_telefonniho_seznamu okno;
    const bool ulozeno = ov.ukaz(okno, [&](QWidget* w) {
        klikni(w, "cb_2");
        QCOMPARE(najdi<QTreeWidget>(w, "tv_1")->topLevelItemCount(), 1);
        w->close();
    });
    QVERIFY(!ulozeno);
    Transaction::main().rollback();
    QCOMPARE(ucastnik("420", "56", "1234"), QString());
    QCOMPARE(countWhere("p_import_ext_seznamu", "1 = 1"), 0);
}

void TestOknaVnejsihoSeznamu::importOfAFileWithoutCrLfLinesSaysSoAndKeepsTheTrees()
{
    Ovladac ov;
    const QString dobry = soubor("0561234,Jihlava 1,Firma A\r\n");
    ov.vyberSoubory({dobry});
    Import_vnejsiho_telefonniho_seznamu okno;
    ov.ukaz(okno, [&](QWidget* w) {
        klikni(w, "cb_2");
        ov.vyberSoubory({soubor("0561234,Jihlava 1,Firma A\n777,Obchod,F\n")});
        klikni(w, "cb_2");
        QCOMPARE(texty(najdi<QTreeWidget>(w, "tv_1")).size(), 3);
        w->close();
    });
    QCOMPARE(ov.zpravy.size(), 1);
    QVERIFY(ov.zpravy[0].contains("CR LF"));
}

// A lone CR or LF, an ESC or a NUL in a line: "Načti" refuses the file naming
// its line; the earlier load stays and "Ulož" stores nothing of the file.
void TestOknaVnejsihoSeznamu::importOfAFileWithAControlCharacterNamesTheLineAndStoresNothingOfIt()
{
    const QStringList spatne = {
        "0212345,Hotel Slavia 1,Hotel\r\n0212346,Recepce,Hotel\n0212347,Bar,Hotel\n",
        "0212345,Hotel Slavia 1,Hotel\r\n0212346,Recepce\rBar,Hotel\r\n",
        "0212345,Hotel Slavia 1,Hotel\r\n0212346,Recepce,Hotel \x1b[1mSlavia\r\n",
        "0212345,Hotel Slavia 1,Hotel\r\n0212346,Rece" + QString(QChar(0)) + "pce,Hotel\r\n",
    };
    const qint64 pred = countWhere("ciselnik_ucastniku", "1 = 1");
    Ovladac ov;
    ov.vyberSoubory({soubor("0561234,Jihlava 1,Firma A\r\n")});
    Import_vnejsiho_telefonniho_seznamu okno;
    const bool ulozeno = ov.ukaz(okno, [&](QWidget* w) {
        auto* tv1 = najdi<QTreeWidget>(w, "tv_1");
        klikni(w, "cb_2");
        const QStringList nactene = texty(tv1);
        QCOMPARE(nactene.size(), 3);
        for (const QString& obsah : spatne) {
            ov.vyberSoubory({soubor(obsah)});
            klikni(w, "cb_2");
            QCOMPARE(texty(tv1), nactene);
            QCOMPARE(countWhere("p_import_ext_seznamu", "1 = 1"), 1);
        }
        klikni(w, "cb_3");
        w->close();
    });
    QVERIFY(ulozeno);
    const QString cesta = m_env->dataDir() + "/seznam.txt";
    const QStringList nalezy = {"znak LF", "znak CR", "řídicí znak 0x1B", "řídicí znak 0x00"};
    QCOMPARE(ov.zpravy.size(), nalezy.size());
    for (int i = 0; i < nalezy.size(); ++i)
        QVERIFY2(ov.zpravy[i].startsWith(kImport + "|Soubor " + cesta + " nelze načíst.\nŘádek 2 obsahuje " + nalezy[i]
                                         + "."),
                 qPrintable(ov.zpravy[i]));
    Transaction::main().rollback();
    QCOMPARE(ucastnik("420", "56", "1234"), QString("Jihlava 1|Firma A"));
    QCOMPARE(countWhere("ciselnik_ucastniku", "1 = 1"), pred + 1);
    QCOMPARE(countWhere("p_import_ext_seznamu", "1 = 1"), 0);
}

void TestOknaVnejsihoSeznamu::menuItemsOpenTheWindows()
{
    PrikazyMenu::instance().vymaz();
    registruj_prikazy_vnejsiho_seznamu();
    for (int id : {menu::FrequentSubscribers, menu::UnknownPrefixes, menu::DuplicateSubscribers, menu::ExternalImport})
        QVERIFY2(PrikazyMenu::instance().ma(id), qPrintable(QString::number(id)));
    Ovladac ov;
    ov.pri("Vyhledani_a_doplneni_neznamych_predvoleb", [](QWidget* w) { w->close(); });
    PrikazyMenu::instance().spust(menu::UnknownPrefixes, nullptr);
    QCOMPARE(ov.pocet("Vyhledani_a_doplneni_neznamych_predvoleb"), 1);
    PrikazyMenu::instance().vymaz();
}

void TestOknaVnejsihoSeznamu::completionReloadDiscardsUnsavedNamesOnNo()
{
    QVERIFY(volej({"0569876543"}));

    Ovladac ov;
    ov.pri("Z_zapis_ucastnika_podle_cisla", [](QWidget* d) {
        najdi<QLineEdit>(d, "textb_1")->setText("Sklárna");
        klikni(d, "cb_1");
    });
    ov.odpovidej({ResultNo});
    Doplneni_ucastniku_podle_volanych_cisel okno;
    okno.Doplneni_ucastniku_podle_volanych_cisel_Create();
    okno.show();
    auto* lb = najdi<QListWidget>(&okno, "lb_1");
    najdi<QLineEdit>(&okno, "textb_pocet_volani")->setText("");
    klikni(&okno, "cb_3");
    QCOMPARE(lb->count(), 1);
    okno.PopupMenu(2);
    QVERIFY(lb->item(0)->text().startsWith("9876543 - Sklárna"));
    klikni(&okno, "cb_3");
    QCOMPARE(ov.zpravy, QStringList{"V datech byly provedeny změny|Chcete změny uložit"});
    QCOMPARE(lb->count(), 1);
    QVERIFY(lb->item(0)->text().startsWith("\\\\"));
    okno.close();
    QCOMPARE(ov.zpravy.size(), 1);  // nothing unsaved any more: no second question
    QCOMPARE(countWhere("ciselnik_ucastniku", "nazev_ucastnika = 'Sklárna'"), 0);
}

void TestOknaVnejsihoSeznamu::importHelpWindowOpensBesideAndClosesWithIt()
{
    Ovladac ov;
    Import_vnejsiho_telefonniho_seznamu okno;
    ov.ukaz(okno, [&](QWidget* w) {
        klikni(w, "cb_4");
        QVERIFY(okno.info() && okno.info()->isVisible());
        klikni(okno.info(), "cb_1");
        QVERIFY(!okno.info()->isVisible());
        klikni(w, "cb_4");
        QVERIFY(okno.info()->isVisible());
        QVERIFY(w->isVisible());
        w->close();
    });
    QVERIFY(!okno.info()->isVisible());
}

void TestOknaVnejsihoSeznamu::completionNamesANumberAndSavesOnClosing()
{
    QVERIFY(volej({"0569876543", "0569876543", "0569876543", "2999999"}));

    Ovladac ov;
    ov.pri("Z_zapis_ucastnika_podle_cisla", [](QWidget* d) {
        QCOMPARE(najdi<QLabel>(d, "label_5")->text(), QString("\\\\Česká republika\\Jihlava\\9876543"));
        QCOMPARE(najdi<QListWidget>(d, "lb_1")->count(), 1);
        najdi<QLineEdit>(d, "textb_1")->setText("Sklárna");
        najdi<QLineEdit>(d, "textb_2")->setText("Sklo");
        klikni(d, "cb_1");
    });
    ov.odpovidej({ResultYes});
    // Driven shown, not modal, so that the answers reach its own dialog.
    Doplneni_ucastniku_podle_volanych_cisel okno;
    okno.Doplneni_ucastniku_podle_volanych_cisel_Create();
    okno.show();
    {
        QWidget* w = &okno;
        auto* lb = najdi<QListWidget>(w, "lb_1");
        QCOMPARE(lb->count(), 0);
        QCOMPARE(najdi<QLineEdit>(w, "textb_pocet_volani")->text(), QString("5"));
        najdi<QLineEdit>(w, "textb_pocet_volani")->setText("3");
        klikni(w, "cb_3");
        QCOMPARE(lb->count(), 1);
        QVERIFY(najdi<QPushButton>(w, "cb_4")->isEnabled());
        klikni(w, "cb_4");
        QCOMPARE(lb->item(0)->text(), QString("9876543 - Sklárna - Sklo"));
        w->close();
    }
    QCOMPARE(okno.result(), int(QDialog::Accepted));
    QCOMPARE(ov.zpravy, QStringList{"V datech byly provedeny změny|Chcete změny uložit"});
    Transaction::main().rollback();
    QCOMPARE(ucastnik("420", "56", "9876543"), QString("Sklárna|Sklo"));
}

void TestOknaVnejsihoSeznamu::unknownPrefixesAddAStateAndRefuseAnExistingOne()
{
    QVERIFY(Transaction::main().exec(
        "INSERT INTO dba.hovory (id_hovoru, ustredna_datum_a_cas, ustredna_delka_hovoru, ustredna_volane_cislo, "
        "ustredna_cislo_pobocky, typ_hovoru, tarifovat_hovor, status_hovoru) VALUES "
        "(1, '2024-03-05 10:00:00', '00:01:00', '00999123', '100', 'C', 1, 10), "
        "(2, '2024-03-05 11:00:00', '00:01:00', '00420123', '101', 'C', 1, 10)"));
    QVERIFY(Transaction::main().commit());

    Ovladac ov;
    int pokus = 0;
    ov.pri("Z_Zadej_stat_mesto_podle_hovoru", [&](QWidget* d) {
        auto* kod = najdi<QLineEdit>(d, "textb_kod_statu");
        QVERIFY(kod->isEnabled());
        kod->setText(pokus++ == 0 ? "420" : "999");
        najdi<QLineEdit>(d, "textb_stat")->setText("Atlantida");
        najdi<QLineEdit>(d, "textb_kod_mesta")->setText("12");
        najdi<QLineEdit>(d, "textb_mesto")->setText("Poseidonie");
        klikni(d, "cb_1");
        if (pokus == 1) {
            QVERIFY(d->isVisible());  // refused: the dialog stays open
            klikni(d, "cb_2");
        }
    });
    Vyhledani_a_doplneni_neznamych_predvoleb okno;
    okno.Vyhledani_a_doplneni_neznamych_predvoleb_Create();
    okno.show();
    {
        QWidget* w = &okno;
        auto* lb = najdi<QListWidget>(w, "lb_1");
        QCOMPARE(lb->count(), 2);
        lb->setCurrentRow(0);
        okno.popup_1_Item0_Click();
        okno.popup_1_Item0_Click();
        QCOMPARE(lb->count(), 2);
        w->close();
    }
    QCOMPARE(ov.pocet("Z_Zadej_stat_mesto_podle_hovoru"), 2);
    QCOMPARE(ov.zpravy.size(), 1);
    QVERIFY(ov.zpravy[0].contains("už v seznamu"));
    Transaction::main().rollback();
    QCOMPARE(hodnota("SELECT nazev_statu || '|' || id_pasma FROM dba.ciselnik_statu WHERE kod_statu = '999'"),
             QString("Atlantida|9999"));
    QCOMPARE(hodnota("SELECT nazev_mesta FROM dba.ciselnik_mest WHERE kod_statu = '999' AND kod_mesta = '12'"),
             QString("Poseidonie"));
}

void TestOknaVnejsihoSeznamu::duplicateWalkEndsOnCancel()
{
    // Test data: 2345 begins 23456 in Prague; add a second pair in Brno.
    QVERIFY(Transaction::main().exec("INSERT INTO dba.ciselnik_ucastniku (kod_statu, kod_mesta, Cislo_ucastnika) "
                                     "VALUES ('420', '5', '1'), ('420', '5', '12')"));
    Ovladac ov;
    ov.odpovidej({ResultCancel});
    Test_duplicitnich_cisel okno;
    QCOMPARE(okno.Create(nullptr), 1);
    QCOMPARE(ov.zpravy.size(), 1);
    QVERIFY(ov.zpravy[0].startsWith("Duplicitní záznam|Telefonní číslo je 2 x v seznamu :\nKód státu :420\nKód města :2\n"));
    QVERIFY(!okno.isVisible());

    ov.zpravy.clear();
    QCOMPARE(okno.Create(nullptr), 2);
    QCOMPARE(ov.zpravy.size(), 2);
}

void TestOknaVnejsihoSeznamu::importQuestionIsAnsweredInTheRealDialogsWhileTheStoreRuns()
{
    // 2345 and 23456 are stored; between them new numbers, the first line already stored.
    QString obsah = "2345,Nový,Firma 1\r\n";
    for (int i = 0; i < 600; ++i) obsah += QString("%1,Nové %2,F\r\n").arg(600000 + i).arg(i);
    obsah += "23456,Jiný,Firma 2\r\n";
    SkutecneDialogy d;
    d.stiskni(kImport, "Načti").stiskni(kImport, "Dotaz").stiskni(kImport, "Ulož");
    // The user reads the first question while the progress window comes up: it must stay answerable.
    d.stiskniPo(600, kOtazka, "Ano", [](QWidget* box) {
        QVERIFY(QApplication::activeModalWidget() == box);
        QCOMPARE(box->parentWidget()->windowTitle(), kImport);
    });
    d.stiskni(kOtazka, "Ne").stiskni(kImport, "Opusť");
    QVERIFY(importSeSkutecnymiDialogy(soubor(obsah), d));
    QCOMPARE(d.videno.mid(3, 2),
             (QStringList{kOtazka + "|Přepsat volané číslo :2345\n\nNa účastníka :Nový\n\nFirmu :Firma 1",
                          kOtazka + "|Přepsat volané číslo :23456\n\nNa účastníka :Jiný\n\nFirmu :Firma 2"}));
    Transaction::main().rollback();
    QCOMPARE(ucastnik("420", "2", "2345"), QString("Nový|Firma 1")); // Ano
    QCOMPARE(ucastnik("420", "2", "23456"), QString("Delší|")); // Ne
    QCOMPARE(countWhere("ciselnik_ucastniku", "Cislo_ucastnika LIKE '6%' AND length(Cislo_ucastnika) = 6"), 600);
}

void TestOknaVnejsihoSeznamu::importStoreOfFifteenLinesStopsOnPrerusit()
{
    QString obsah = "2345,Nový,Firma 1\r\n";
    for (int i = 0; i < 14; ++i) obsah += QString("%1,Nové %2,F\r\n").arg(600000 + i).arg(i);
    SkutecneDialogy d;
    d.stiskni(kImport, "Načti").stiskni(kImport, "Dotaz").stiskni(kImport, "Ulož");
    // "Ano" to the question, then at once "Přerušit" in the progress window under it.
    d.stiskni(kOtazka, "Ano").stiskni(kImport, "Přerušit");
    d.stiskni(kImport, "OK", [](QWidget* box) {
        QCOMPARE(qobject_cast<QMessageBox*>(box)->text(),
                 QString("Ukládání bylo přerušeno, žádné číslo nebylo uloženo."));
    });
    d.stiskni(kImport, "Opusť");
    QVERIFY(!importSeSkutecnymiDialogy(soubor(obsah), d));
    Transaction::main().rollback();
    QCOMPARE(ucastnik("420", "2", "2345"), QString("Kratší|"));
    QCOMPARE(countWhere("ciselnik_ucastniku", "Cislo_ucastnika LIKE '6%'"), 0);
}

void TestOknaVnejsihoSeznamu::importLoadStopsOnPrerusit()
{
    // Long enough for its progress window to come up.
    QString obsah;
    for (int i = 0; i < 600000; ++i) obsah += QString("0%1,Nové,F\r\n").arg(56100000 + i);
    SkutecneDialogy d;
    d.stiskni(kImport, "Načti").stiskni(kImport, "Přerušit", [](QWidget* w) {
        QCOMPARE(qobject_cast<QProgressDialog*>(w)->labelText(), QString("Načítám a třídím čísla ze souboru ..."));
    });
    d.stiskni(kImport, "OK", [](QWidget* box) {
        QCOMPARE(qobject_cast<QMessageBox*>(box)->text(), QString("Načítání bylo přerušeno, soubor nebyl načten."));
        auto* okno = box->parentWidget();
        QCOMPARE(okno->findChild<QTreeWidget*>("tv_1")->topLevelItemCount(), 0);
        QCOMPARE(countWhere("p_import_ext_seznamu", "1 = 1"), 0);
    });
    d.stiskni(kImport, "Opusť");
    QVERIFY(!importSeSkutecnymiDialogy(soubor(obsah), d));
}

void TestOknaVnejsihoSeznamu::duplicateWalkAsksInTheRealDialogsOverItsProgressWindow()
{
    // 2345 begins 23456 in Prague; in Brno 1 begins 12 and 123, and 12 begins 123.
    QVERIFY(Transaction::main().exec("INSERT INTO dba.ciselnik_ucastniku (kod_statu, kod_mesta, Cislo_ucastnika) "
                                     "VALUES ('420', '5', '1'), ('420', '5', '12'), ('420', '5', '123')"));
    Test_duplicitnich_cisel okno;
    const QString kDuplicita = "Duplicitní záznam";
    auto nadPrubehem = [&okno](QWidget* box) {
        // Asked over the walk's own window, which shows the entry reported.
        QVERIFY(okno.isVisible());
        QCOMPARE(box->parentWidget(), &okno);
        QVERIFY(qobject_cast<QMessageBox*>(box)->text().contains(
            "Číslo účastníka :" + okno.findChild<QLabel*>("label_2")->text().section(QChar(0x2d), 2) + "\n"));
    };
    SkutecneDialogy d;
    d.stiskniPo(400, kDuplicita, "OK", nadPrubehem).stiskni(kDuplicita, "Zrušit", nadPrubehem);
    QCOMPARE(okno.Create(nullptr), 2); // the third is not asked about
    QVERIFY2(d.hotovo(), qPrintable(d.chyba()));
    QVERIFY(!okno.isVisible());
    QCOMPARE(d.videno.size(), 2);
}

QTEST_MAIN(TestOknaVnejsihoSeznamu)
#include "tst_okna_vnejsiho_seznamu.moc"
