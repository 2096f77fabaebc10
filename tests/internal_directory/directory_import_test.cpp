// Import of an internal directory from a CP1250 file: the configured layouts,
// the line rules and the writes.
#include "internal_directory/directory_import.h"
#include "internal_directory/directory_import_file.h"
#include "platform/cp1250.h"
#include "platform/database.h"
#include "platform/unit_of_work.h"
#include "tarifovani_data.h"
#include "test_env.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace kavro;
using namespace kavro::test;

namespace {

const QString kOd = QStringLiteral("2024-05-01 00:00:00");

class DirectoryImportTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(env.ok()) << env.error().toStdString(); }

    QString soubor(const QString& jmeno, const QByteArray& obsah)
    {
        const QString cesta = env.dataDir() + QLatin1Char('/') + jmeno;
        QFile f(cesta);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(obsah);
        return cesta;
    }

    QList<Str_firma> nacti(const QString& pozice, const QString& oddelovace, const QByteArray& obsah,
                           DirectoryImportFile::Vysledek ocekavany = DirectoryImportFile::Vysledek::Nacteno)
    {
        QList<Str_firma> radky;
        EXPECT_EQ(DirectoryImportFile(pozice, oddelovace).nacti(soubor(QStringLiteral("seznam.txt"), obsah), radky),
                  ocekavany);
        return radky;
    }

    bool uloz(DirectoryImport& imp, const QString& od = kOd)
    {
        QString chyba;
        const bool ok = imp.uloz(Transaction::main(), od, &chyba);
        EXPECT_TRUE(ok) << chyba.toStdString();
        return ok && Transaction::main().commit();
    }

    QString hodnota(const QString& sql) { return Transaction::main().scalar(sql); }

    TestEnv env;
};

// One person in three layouts; the file is CP1250 with Czech letters.
TEST_F(DirectoryImportTest, EachConfiguredFieldOrderGivesTheSameDirectory)
{
    struct Rozlozeni {
        const char* pozice;
        const char* oddelovace;
        QString radek;
    };
    const QList<Rozlozeni> rozlozeni = {
        {"123456", ";;;;;;", QStringLiteral("Žluťoučký kůň s.r.o.;Účtárna;Příjmení;Jméno;Ing.;245")},
        {"213456", ";;;;;;", QStringLiteral("Účtárna;Žluťoučký kůň s.r.o.;Příjmení;Jméno;Ing.;245")},
        {"654321", "|,\t/:#", QStringLiteral("245#Ing.:Jméno/Příjmení\tÚčtárna,Žluťoučký kůň s.r.o.|")},
    };
    for (const Rozlozeni& r : rozlozeni) {
        const QList<Str_firma> radky = nacti(r.pozice, r.oddelovace, toCp1250(r.radek) + "\r\n");
        ASSERT_EQ(radky.size(), 1) << r.pozice;
        const Str_firma& f = radky.first();
        EXPECT_EQ(f.firma, QStringLiteral("Žluťoučký kůň s.r.o.")) << r.pozice;
        EXPECT_EQ(f.oddeleni, QStringLiteral("Účtárna")) << r.pozice;
        EXPECT_EQ(f.prijmeni, QStringLiteral("Příjmení")) << r.pozice;
        EXPECT_EQ(f.jmeno, QStringLiteral("Jméno")) << r.pozice;
        EXPECT_EQ(f.titul, QStringLiteral("Ing.")) << r.pozice;
        EXPECT_EQ(f.linka, QStringLiteral("245")) << r.pozice;
    }
}

TEST_F(DirectoryImportTest, LinesEndWithCrLfAndTheLastOneAlsoWithout)
{
    const QByteArray obsah = "Firma A;Obchod;Novak;Jan;;101\r\n"
                             "\r\n"
                             "kratky;radek\r\n"          // 12 characters: no fields
                             "   \"\"   \r\n"             // only quotes: nothing left
                             "Firma A;Obchod;Svoboda;Petr;;102";  // no CR LF at the end
    const QList<Str_firma> radky = nacti("123456", ";;;;;;", obsah);
    ASSERT_EQ(radky.size(), 2);
    EXPECT_EQ(radky[1].linka, QStringLiteral("102"));
    // Lines ended by LF alone would run together: the file is refused, nothing is read.
    const QList<Str_firma> lf = nacti("123456", ";;;;;;", "Firma A;Obchod;Novak;Jan;;101\nFirma B;X;Y;Z;;1\n",
                                      DirectoryImportFile::Vysledek::ChybnyKonecRadku);
    EXPECT_TRUE(lf.isEmpty());
}

TEST_F(DirectoryImportTest, SplittingRules)
{
    const DirectoryImportFile s(QStringLiteral("123456"), QStringLiteral(";;;;;;"));
    // 15 characters are not split, 16 are.
    EXPECT_TRUE(s.rozdel(QStringLiteral("Abcdefgh;ij;k;l")).prazdny());
    EXPECT_EQ(s.rozdel(QStringLiteral("Abcdefgh;ij;k;lm")).jmeno, QStringLiteral("lm"));
    // A missing terminator: the field takes the rest, and the next fields read it again.
    const Str_firma chybi = s.rozdel(QStringLiteral("Firma dlouha;Obchod"));
    EXPECT_EQ(chybi.oddeleni, QStringLiteral("Obchod"));
    EXPECT_EQ(chybi.prijmeni, QStringLiteral("Obchod"));
    EXPECT_EQ(chybi.linka, QStringLiteral("Obchod"));
    // Quotes and apostrophes go after trimming; blanks inside quotes and next to terminators stay.
    const Str_firma uvozovky = s.rozdel(QStringLiteral("  \" Firma A \";O'Brien ;Novák;Jan;;245  "));
    EXPECT_EQ(uvozovky.firma, QStringLiteral(" Firma A "));
    EXPECT_EQ(uvozovky.oddeleni, QStringLiteral("OBrien "));
    // A slot without a digit, or whose digit came before, gets nothing.
    const DirectoryImportFile dvakrat(QStringLiteral("112345"), QStringLiteral(";;;;;;"));
    const Str_firma d = dvakrat.rozdel(QStringLiteral("Firma A;Novak;Jan;Ing.;245;x"));
    EXPECT_EQ(d.firma, QStringLiteral("Firma A"));
    EXPECT_TRUE(d.oddeleni.isEmpty());
    EXPECT_EQ(d.prijmeni, QStringLiteral("Novak"));
}

TEST_F(DirectoryImportTest, UnreadableOrEmptyFileIsReported)
{
    QList<Str_firma> radky;
    QString chyba;
    const DirectoryImportFile s(QStringLiteral("123456"), QStringLiteral(";;;;;;"));
    EXPECT_EQ(s.nacti(env.dataDir() + QStringLiteral("/chybi.txt"), radky, &chyba),
              DirectoryImportFile::Vysledek::NelzeCist);
    EXPECT_TRUE(chyba.contains(QStringLiteral("nelze přečíst")));
    // A write-protected file is read all the same: it is opened read-only.
    const QString chraneny = soubor(QStringLiteral("chraneny.txt"), "Firma A;Obchod;Novak;Jan;;101\r\n");
    QFile::setPermissions(chraneny, QFile::ReadOwner);
    EXPECT_EQ(s.nacti(chraneny, radky, &chyba), DirectoryImportFile::Vysledek::Nacteno);
    EXPECT_EQ(s.nacti(soubor(QStringLiteral("prazdny.txt"), "\r\n\r\nkratky\r\n"), radky, &chyba),
              DirectoryImportFile::Vysledek::ZadnyRadek);
    EXPECT_TRUE(chyba.contains(QStringLiteral("neobsahuje")));
}

TEST_F(DirectoryImportTest, PersonsAreMatchedOnSurnameFirstNameAndTitle)
{
    DirectoryImport imp;
    const DirectoryImportFile s(QStringLiteral("123456"), QStringLiteral(";;;;;;"));
    for (const char* r : {"Firma A;Obchod;Novák;Jan;Ing.;101", "Firma A;Obchod;Novák;Petr;;102",
                          "Firma A;Obchod;Novák;Jan;Ing.;103", "Firma A;Obchod;Novák;Jan;Ing.;103",
                          "Firma A;Obchod;Dvořák;Jan;;"})
        imp.Vloz_item(s.rozdel(QString::fromUtf8(r)));
    const auto& oddeleni = *imp.koren().deti.at(0)->deti.at(0);
    ASSERT_EQ(oddeleni.deti.size(), 3u);
    EXPECT_EQ(oddeleni.deti[0]->deti.size(), 2u);  // 101 and 103 once
    EXPECT_EQ(oddeleni.deti[1]->zaznam.jmeno, QStringLiteral("Petr"));
    EXPECT_TRUE(oddeleni.deti[2]->deti.empty());   // no number, no line node
}

TEST_F(DirectoryImportTest, SavingWritesNewRowsAndEndsOnlyEarlierHoldersOfALine)
{
    Transaction& t = Transaction::main();
    ASSERT_TRUE(t.exec(QStringLiteral(
        "INSERT INTO dba.prirazeni_pobocek (Cislo_pobocky, Pocatek_platnosti, Konec_platnosti, ID_firmy, ID_Oddeleni, "
        "ID_Osoby) VALUES ('101', '2020-01-01 00:00:00', '9999-12-31 23:59:59', 7, 70, 0), "
        "('101', '2020-01-01 00:00:00', '2021-01-01 00:00:00', 6, 60, 0), "
        "('102', '2024-06-01 00:00:00', '9999-12-31 23:59:59', 8, 80, 0)")));
    DirectoryImport imp;
    const DirectoryImportFile s(QStringLiteral("123456"), QStringLiteral(";;;;;;"));
    const QString dlouhe = QStringLiteral("%1;%2;%3;%4;%5;101").arg(QString(40, u'F'), QString(40, u'O'),
                                                                   QString(40, u'P'), QString(40, u'J'), QString(40, u'T'));
    imp.Vloz_item(s.rozdel(dlouhe));
    imp.Vloz_item(s.rozdel(QStringLiteral("Firma B;Sklad;Svoboda;Eva;;102")));
    imp.Vloz_item(s.rozdel(QStringLiteral("Firma B;Sklad;Dvořák;Jan;;102")));
    ASSERT_TRUE(uloz(imp));

    EXPECT_EQ(hodnota("SELECT count(*) FROM dba.ciselnik_firem"), "2");
    EXPECT_EQ(hodnota("SELECT length(nazev_firmy) FROM dba.ciselnik_firem WHERE nazev_firmy LIKE 'F%'"), "30");
    EXPECT_EQ(hodnota("SELECT length(nazev_oddeleni) FROM dba.ciselnik_oddeleni WHERE nazev_oddeleni LIKE 'O%'"), "25");
    EXPECT_EQ(hodnota("SELECT length(prijmeni) || ',' || length(jmeno) || ',' || length(titul) FROM dba.ciselnik_osob "
                      "WHERE prijmeni LIKE 'P%'"),
              "22,15,8");
    // The person's row carries the ids the code tables gave, its line the person's.
    EXPECT_EQ(hodnota("SELECT count(*) FROM dba.prirazeni_pobocek p JOIN dba.ciselnik_osob o ON o.ID_Osoby = p.ID_Osoby "
                      "AND o.ID_Oddeleni = p.ID_Oddeleni AND o.ID_Firmy = p.ID_firmy "
                      "WHERE p.Pocatek_platnosti = '2024-05-01 00:00:00' AND p.Konec_platnosti = '9999-12-31 23:59:59'"),
              "6");  // three person rows and three line rows
    EXPECT_EQ(hodnota("SELECT count(*) FROM dba.prirazeni_pobocek WHERE ID_Oddeleni = 9999 AND ID_firmy <> 9999"), "2");
    // 101's open row ends at the start, its row that ended before keeps its end.
    EXPECT_EQ(hodnota("SELECT Konec_platnosti FROM dba.prirazeni_pobocek WHERE ID_firmy = 7"), kOd);
    EXPECT_EQ(hodnota("SELECT Konec_platnosti FROM dba.prirazeni_pobocek WHERE ID_firmy = 6"), "2021-01-01 00:00:00");
    // 102's row that begins after the start is left alone; both new holders of 102 stay open.
    EXPECT_EQ(hodnota("SELECT Konec_platnosti FROM dba.prirazeni_pobocek WHERE ID_firmy = 8"), "9999-12-31 23:59:59");
    EXPECT_EQ(hodnota("SELECT count(*) FROM dba.prirazeni_pobocek WHERE Cislo_pobocky = '102' "
                      "AND Pocatek_platnosti = '2024-05-01 00:00:00' AND Konec_platnosti = '9999-12-31 23:59:59'"),
              "2");
}

TEST_F(DirectoryImportTest, AFailedWriteLeavesNothingOfTheImport)
{
    if (kavro::test::onServer()) GTEST_SKIP() << "the refusal is forced with a trigger of the file engine";
    Transaction& t = Transaction::main();
    ASSERT_TRUE(t.exec(QStringLiteral("CREATE TRIGGER dba.odmitni BEFORE INSERT ON prirazeni_pobocek "
                                      "WHEN NEW.Cislo_pobocky = '666' BEGIN SELECT RAISE(ABORT, 'odmítnuto'); END")));
    ASSERT_TRUE(t.commit());
    DirectoryImport imp;
    const DirectoryImportFile s(QStringLiteral("123456"), QStringLiteral(";;;;;;"));
    imp.Vloz_item(s.rozdel(QStringLiteral("Firma A;Obchod;Novak;Jan;;101")));
    imp.Vloz_item(s.rozdel(QStringLiteral("Firma A;Obchod;Novak;Jan;;666")));
    QString chyba;
    EXPECT_FALSE(imp.uloz(t, kOd, &chyba));
    EXPECT_TRUE(chyba.contains(QStringLiteral("odmítnuto")));
    EXPECT_EQ(hodnota("SELECT count(*) FROM dba.ciselnik_firem"), "0");
    EXPECT_EQ(hodnota("SELECT count(*) FROM dba.prirazeni_pobocek"), "0");
}

} // namespace
