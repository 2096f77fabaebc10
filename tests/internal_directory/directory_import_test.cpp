// Import of an internal directory from a CP1250 file: the configured layouts,
// the line rules and the writes.
#include "directory_fixture.h"
#include "internal_directory/assignment_overlaps.h"
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
    // The refusal names the first line that holds a stray CR or LF.
    QList<Str_firma> zadne;
    QString chyba;
    const QString cesta = soubor(QStringLiteral("cr.txt"),
                                 "Firma A;Obchod;Novak;Jan;;101\r\n"
                                 "Firma A;Obchod;Svoboda;Petr;;102\r\n"
                                 "Firma A;Obchod\r;Dvorak;Jan;;103\r\n"
                                 "Firma A;Obchod;Cerny;Jan;;104\n\r\n");
    EXPECT_EQ(DirectoryImportFile(QStringLiteral("123456"), QStringLiteral(";;;;;;")).nacti(cesta, zadne, &chyba),
              DirectoryImportFile::Vysledek::ChybnyKonecRadku);
    EXPECT_TRUE(chyba.contains(QStringLiteral("řádek 3 "))) << chyba.toStdString();
    EXPECT_TRUE(zadne.isEmpty());
}

// 9999 means "does not apply" and 0 "empty" in the directory: such a number,
// or one with letters, refuses the whole file, naming its line.
TEST_F(DirectoryImportTest, ALineWithAnInvalidNumberRefusesTheWholeFile)
{
    const DirectoryImportFile s(QStringLiteral("123456"), QStringLiteral(";;;;;;"));
    for (const char* cislo : {"9999", "0", "00", "12a", "abc", " 245"}) {
        QList<Str_firma> radky;
        QString chyba;
        const QByteArray obsah = QByteArray("Firma A;Obchod;Novak;Jan;;101\r\n"
                                            "Firma A;Obchod;Svoboda;Petr;;")
            + cislo + "\r\nFirma A;Obchod;Dvorak;Jan;;103\r\n";
        EXPECT_EQ(s.nacti(soubor(QStringLiteral("cisla.txt"), obsah), radky, &chyba),
                  DirectoryImportFile::Vysledek::ChybneCislo)
            << cislo;
        EXPECT_TRUE(radky.isEmpty()) << cislo;
        EXPECT_TRUE(chyba.contains(QStringLiteral("řádek 2 "))) << chyba.toStdString();
    }
    // A line without a number is a person without an extension.
    EXPECT_EQ(nacti("123456", ";;;;;;", "Firma A;Obchod;Novak;Jan;Ing.;\r\n").size(), 1);

    // A tree given such a number directly stores nothing either; 9999 would
    // have ended every firm, department and person row.
    ASSERT_TRUE(fillDirectoryFixture());
    ASSERT_TRUE(Transaction::main().commit());
    const QString pred = hodnota("SELECT count(*) || '/' || min(Konec_platnosti) FROM dba.prirazeni_pobocek");
    for (const char* cislo : {"9999", "0", "x1"}) {
        DirectoryImport imp;
        Str_firma r = s.rozdel(QStringLiteral("Firma N;Obchod;Novy;Jan;;") + QString::fromLatin1(cislo));
        r.soubor = QStringLiteral("a.txt");
        r.radek = 7;
        imp.Vloz_item(r);
        QString chyba;
        EXPECT_FALSE(imp.uloz(Transaction::main(), kOd, &chyba)) << cislo;
        EXPECT_TRUE(chyba.startsWith(QStringLiteral("Řádek 7 souboru a.txt"))) << chyba.toStdString();
        EXPECT_EQ(hodnota("SELECT count(*) || '/' || min(Konec_platnosti) FROM dba.prirazeni_pobocek"), pred);
        EXPECT_EQ(hodnota("SELECT count(*) FROM dba.ciselnik_firem"), "2");
    }
}

// An ESC, a NUL or another control character but the tab in a line refuses
// the whole file, naming the line: nothing of it reaches the tree or the directory.
TEST_F(DirectoryImportTest, ALineWithAControlCharacterRefusesTheWholeFile)
{
    const DirectoryImportFile s(QStringLiteral("123456"), QStringLiteral(";;;;;;"));
    QList<Str_firma> radky;
    ASSERT_EQ(s.nacti(soubor(QStringLiteral("dobry.txt"), "Firma A;Obchod;Novak;Jan;;101\r\n"), radky),
              DirectoryImportFile::Vysledek::Nacteno);
    struct Pripad {
        QByteArray obsah;
        QString ocekavano;
    };
    const QList<Pripad> pripady = {
        {"Firma B;Sklad;Cerny;Jan;;201\r\nFirma B;Sklad;Svo\x1b[0mboda;Petr;;202\r\n",
         QStringLiteral("Řádek 2 obsahuje řídicí znak 0x1B.")},
        {QByteArray("Firma B;Sklad;Cerny;Jan;;201\r\nFirma B;Sklad;Svoboda;Petr;;202\r\nFir") + '\0'
             + "ma C;Sklad;Bily;Jan;;203\r\n",
         QStringLiteral("Řádek 3 obsahuje řídicí znak 0x00.")},
        {"Firma B;Sklad\x7f;Cerny;Jan;;201", QStringLiteral("Řádek 1 obsahuje řídicí znak 0x7F.")},
    };
    for (const Pripad& p : pripady) {
        QString chyba;
        const QString cesta = soubor(QStringLiteral("spatny.txt"), p.obsah);
        EXPECT_EQ(s.nacti(cesta, radky, &chyba), DirectoryImportFile::Vysledek::RidiciZnak) << chyba.toStdString();
        EXPECT_TRUE(chyba.startsWith(QStringLiteral("Soubor %1 nelze načíst.\n").arg(cesta) + p.ocekavano))
            << chyba.toStdString();
    }
    ASSERT_EQ(radky.size(), 1);
    DirectoryImport imp;
    imp.Vloz_item(radky.first());
    ASSERT_TRUE(uloz(imp));
    EXPECT_EQ(hodnota("SELECT count(*) FROM dba.ciselnik_firem"), "1");
    EXPECT_EQ(hodnota("SELECT count(*) || '/' || max(prijmeni) FROM dba.ciselnik_osob"), "1/Novak");
}

// The import takes its ids by the tree's rule: never 9999 or 0, which the
// directory reads as "does not apply" and "empty".
TEST_F(DirectoryImportTest, NewIdsAreNever9999Or0)
{
    Transaction& t = Transaction::main();
    ASSERT_TRUE(
        t.exec(QStringLiteral("INSERT INTO dba.ciselnik_firem (ID_Firmy, nazev_firmy) VALUES (9998, 'Stará')")));
    ASSERT_TRUE(t.exec(QStringLiteral(
        "INSERT INTO dba.ciselnik_oddeleni (ID_Oddeleni, nazev_oddeleni, ID_Firmy) VALUES (9998, 'Staré', 9998)")));
    ASSERT_TRUE(t.exec(QStringLiteral("INSERT INTO dba.ciselnik_osob (ID_Osoby, prijmeni, ID_Firmy, ID_Oddeleni) "
                                      "VALUES (9998, 'Starý', 9998, 9998)")));
    ASSERT_TRUE(t.commit());
    DirectoryImport imp;
    const DirectoryImportFile s(QStringLiteral("123456"), QStringLiteral(";;;;;;"));
    imp.Vloz_item(s.rozdel(QStringLiteral("Firma A;Obchod;Novak;Jan;;101")));
    imp.Vloz_item(s.rozdel(QStringLiteral("Firma B;Sklad;Svoboda;Eva;;102")));
    ASSERT_TRUE(uloz(imp));
    for (const char* sloupec : {"ID_Firmy FROM dba.ciselnik_firem", "ID_Oddeleni FROM dba.ciselnik_oddeleni",
                                "ID_Osoby FROM dba.ciselnik_osob"})
        EXPECT_EQ(hodnota(QStringLiteral("SELECT count(*) FROM (SELECT %1) x WHERE x.%2 IN (0, 9999)")
                              .arg(QString::fromLatin1(sloupec), QString::fromLatin1(sloupec).section(' ', 0, 0))),
                  "0")
            << sloupec;
    EXPECT_EQ(hodnota("SELECT min(ID_Firmy) || '-' || max(ID_Firmy) FROM dba.ciselnik_firem WHERE ID_Firmy > 9998"),
              "10000-10001");
    // The rows name the ids the code tables hold; no phantom free extension "9999".
    EXPECT_EQ(hodnota("SELECT count(*) FROM dba.prirazeni_pobocek WHERE ID_firmy = 9999 OR ID_firmy = 0"), "0");
    EXPECT_EQ(hodnota("SELECT count(*) FROM dba.prirazeni_pobocek p WHERE NOT EXISTS "
                      "(SELECT 1 FROM dba.ciselnik_osob o WHERE o.ID_Osoby = p.ID_Osoby) AND p.ID_Osoby <> 9999"),
              "0");
}

// No import leaves a number held by two holders at one moment: a line whose
// number has a holder from the start on, or that stands in two departments
// of the file, is refused before anything is written.
TEST_F(DirectoryImportTest, NoImportLeavesANumberHeldTwice)
{
    ASSERT_TRUE(fillDirectoryFixture());
    Transaction& t = Transaction::main();
    // 1107 goes to Beta's Výroba next year.
    ASSERT_TRUE(t.exec(QStringLiteral(
        "INSERT INTO dba.prirazeni_pobocek (Cislo_pobocky, Pocatek_platnosti, Konec_platnosti, ID_firmy, ID_Oddeleni, "
        "ID_Osoby) VALUES ('1107', '2020-01-01 00:00:00', '2025-01-01 00:00:00', 5, 50, 0), "
        "('1107', '2025-01-01 00:00:00', '9999-12-31 23:59:59', 6, 60, 0)")));
    ASSERT_TRUE(t.commit());
    const DirectoryImportFile s(QStringLiteral("123456"), QStringLiteral(";;;;;;"));
    const auto zaznam = [&](const char* radek, int cislo) {
        Str_firma r = s.rozdel(QString::fromUtf8(radek));
        r.soubor = QStringLiteral("seznam.txt");
        r.radek = cislo;
        return r;
    };
    const auto stav = [&] {
        return hodnota("SELECT count(*) FROM dba.ciselnik_firem") + QLatin1Char('|')
            + radkyPobocky(QStringLiteral("1107")).join(QLatin1Char(';'))
            + radkyPobocky(QStringLiteral("203")).join(QLatin1Char(';'));
    };
    const QString pred = stav();
    {
        DirectoryImport imp;
        imp.Vloz_item(zaznam("Firma N;Obchod;Novy;Jan;;301", 1));
        imp.Vloz_item(zaznam("Firma N;Obchod;Stary;Jan;;1107", 2));
        QString chyba;
        EXPECT_FALSE(imp.uloz(t, kOd, &chyba));
        EXPECT_TRUE(
            chyba.startsWith(QStringLiteral("Řádek 2 souboru seznam.txt: linka 1107 je od 2025-01-01 00:00:00")))
            << chyba.toStdString();
        EXPECT_TRUE(chyba.contains(QStringLiteral("Beta\\Výroba"))) << chyba.toStdString();
        EXPECT_EQ(stav(), pred);
    }
    {
        // One number in two departments of one file.
        DirectoryImport imp;
        imp.Vloz_item(zaznam("Firma N;Obchod;Novy;Jan;;301", 1));
        imp.Vloz_item(zaznam("Firma N;Sklad;Stary;Jan;;301", 4));
        QString chyba;
        EXPECT_FALSE(imp.uloz(t, kOd, &chyba));
        EXPECT_TRUE(chyba.startsWith(QStringLiteral("Řádek 4 souboru seznam.txt: linka 301"))) << chyba.toStdString();
        EXPECT_TRUE(chyba.contains(QStringLiteral("řádek 1 souboru seznam.txt"))) << chyba.toStdString();
        EXPECT_EQ(stav(), pred);
    }
    // Imported twice with the same start: the second one would leave two holders.
    const auto importuj = [&](const QString& od) {
        DirectoryImport imp;
        imp.Vloz_item(zaznam("Firma N;Obchod;Novy;Jan;;203", 1));
        imp.Vloz_item(zaznam("Firma N;Obchod;Stary;Jan;;1107", 2));
        QString chyba;
        const bool ok = imp.uloz(t, od, &chyba) && t.commit();
        return ok ? QString() : chyba;
    };
    const QString po2025 = QStringLiteral("2025-03-01 00:00:00");
    EXPECT_EQ(importuj(po2025), QString());
    EXPECT_TRUE(importuj(po2025).contains(QStringLiteral("linka 203 je od 2025-03-01 00:00:00")));
    // A free row from the start on is a holder too.
    ASSERT_TRUE(
        t.exec(QStringLiteral("UPDATE dba.prirazeni_pobocek SET ID_firmy = 9999, ID_Oddeleni = 9999, ID_Osoby = 9999 "
                              "WHERE Cislo_pobocky = '203' AND Pocatek_platnosti = '2025-03-01 00:00:00'")));
    EXPECT_TRUE(importuj(QStringLiteral("2025-02-01 00:00:00")).contains(QStringLiteral("volná linka")));
    t.rollback();
    // What was stored holds each number once at every moment.
    AssignmentOverlaps test(t);
    QList<ChybnePrirazeni> nalezy;
    ASSERT_TRUE(test.otestuj({}, [&](const ChybnePrirazeni& c) { nalezy << c; }));
    EXPECT_TRUE(nalezy.isEmpty()) << nalezy.first().Cislo_pobocky.toStdString();
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
        "('101', '2020-01-01 00:00:00', '2021-01-01 00:00:00', 6, 60, 0)")));
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
    // Two persons of one department share 102: both stay open.
    EXPECT_EQ(hodnota("SELECT count(*) FROM dba.prirazeni_pobocek WHERE Cislo_pobocky = '102' "
                      "AND Pocatek_platnosti = '2024-05-01 00:00:00' AND Konec_platnosti = '9999-12-31 23:59:59'"),
              "2");
}

TEST_F(DirectoryImportTest, AFailedWriteLeavesNothingOfTheImport)
{
    Transaction& t = Transaction::main();
    ASSERT_TRUE(kavro::test::odmitajZapis(t, QStringLiteral("odmitni"), QStringLiteral("INSERT"),
                                          QStringLiteral("prirazeni_pobocek"),
                                          QStringLiteral("NEW.Cislo_pobocky = '666'"), QStringLiteral("odmítnuto")));
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
