// Reading an external directory file: lines, fields and code page 1250.
#include "external_directory/soubor_vnejsiho_seznamu.h"
#include "test_env.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace kavro;

namespace {

using S = Soubor_vnejsiho_tel_seznamu;

QStringList pole(const S& s)
{
    QStringList out;
    for (const Radek_souboru& r : s.radky()) out << r.cislo + "|" + r.popis + "|" + r.firma;
    return out;
}

} // namespace

TEST(SouborVnejsihoSeznamu, FieldsAreCutAtCommasAndTrimmed)
{
    EXPECT_EQ(S::vrat_polozku(" 123 , Popis ,Firma", 0), "123");
    EXPECT_EQ(S::vrat_polozku(" 123 , Popis ,Firma", 1), "Popis");
    EXPECT_EQ(S::vrat_polozku(" 123 , Popis ,Firma", 2), "Firma");
    EXPECT_EQ(S::vrat_polozku("123", 1), "");
    EXPECT_EQ(S::vrat_polozku("123,Popis", 2), "");
    EXPECT_EQ(S::vrat_polozku(" a , b , c , d ", 2), "c");
}

TEST(SouborVnejsihoSeznamu, LinesEndWithCrLfAndTheLastOneNeedNot)
{
    S s;
    ASSERT_EQ(s.rozeber("1,a,b\r\n2\r\n\r\n3,Jan, s.r.o., zbytek\r\n4,x'y,z"), S::Stav::Nacteno);
    EXPECT_EQ(pole(s), (QStringList{"1|a|b", "2||", "||", "3|Jan|s.r.o.", "4|x'y|z"}));
    // A tab is a blank of the line, not a control character that refuses it.
    ASSERT_EQ(s.rozeber("1,a\tb,\tc\r\n"), S::Stav::Nacteno);
    EXPECT_EQ(pole(s), QStringList{"1|a\tb|c"});
    // One line without any line end is a line.
    ASSERT_EQ(s.rozeber("777,Obchod,Firma"), S::Stav::Nacteno);
    EXPECT_EQ(pole(s), QStringList{"777|Obchod|Firma"});
}

TEST(SouborVnejsihoSeznamu, FileOfLfOrCrLinesIsRefusedWithAMessage)
{
    S s;
    EXPECT_EQ(s.rozeber("1,a,b\n2,c,d\n"), S::Stav::ZadnyRadek);
    EXPECT_TRUE(s.radky().empty());
    EXPECT_TRUE(s.chyba().contains("CR LF"));
    // Lines ended by CR alone (an old Mac file) would make one garbage subscriber.
    EXPECT_EQ(s.rozeber("Hotel Slavia\r02 22334455,Recepce,Hotel\r"), S::Stav::ZadnyRadek);
    EXPECT_TRUE(s.radky().empty());
    EXPECT_TRUE(s.chyba().contains("CR LF"));
    EXPECT_EQ(s.rozeber(""), S::Stav::Nacteno);
    EXPECT_TRUE(s.radky().empty());
}

// A lone CR or LF or another control character in a line refuses the whole
// file: the message names the file, the first such line and what it holds.
TEST(SouborVnejsihoSeznamu, ALineWithAStrayLineEndOrControlCharacterRefusesTheWholeFile)
{
    test::TestEnv env(false);
    struct Pripad {
        QByteArray obsah;
        QString ocekavano;
    };
    const QList<Pripad> pripady = {
        // The first line ends CR LF, the others LF alone: read as one line, they would make one subscriber.
        {"0212345,Hotel Slavia 1,Hotel\r\n+420 2 100002,Recepce,Hotel\n+420 2 100003,Bar,Hotel\n",
         "Řádek 2 obsahuje znak LF."},
        {"0212345,Hotel,H\r\n+420 2 100002,Recepce\rHotel,H\r\n", "Řádek 2 obsahuje znak CR."},
        {"1,a,b\r\n2,c,d\r\n3,Firma \x1b[1mSlavia,X\r\n", "Řádek 3 obsahuje řídicí znak 0x1B."},
        {QByteArray("1,a,b\r\n2,Ho") + '\0' + "tel,X\r\n", "Řádek 2 obsahuje řídicí znak 0x00."},
        {"1,a,b\r\n2,c,d\x7f", "Řádek 2 obsahuje řídicí znak 0x7F."}, // the last line, without CR LF
    };
    const QString cesta = env.dataDir() + "/seznam.txt";
    for (const Pripad& p : pripady) {
        QFile f(cesta);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(p.obsah);
        f.close();
        S s;
        EXPECT_EQ(s.nacti(cesta), S::Stav::ChybnyRadek) << p.ocekavano.toStdString();
        EXPECT_TRUE(s.radky().empty()) << p.ocekavano.toStdString();
        EXPECT_TRUE(s.chyba().startsWith("Soubor " + cesta + " nelze načíst.\n" + p.ocekavano))
            << s.chyba().toStdString();
    }
}

TEST(SouborVnejsihoSeznamu, ReadsCp1250FilesReadOnlyAndSaysWhenItCannot)
{
    test::TestEnv env(false);
    const QString cesta = env.dataDir() + "/seznam.txt";
    QFile f(cesta);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("+420 2 1234,\x8a" "kola \xe8." "1,\xd8" "editelstv\xed\r\n");
    f.close();
    f.setPermissions(QFile::ReadOwner);  // a write-protected file is read all the same
    S s;
    ASSERT_EQ(s.nacti(cesta), S::Stav::Nacteno) << s.chyba().toStdString();
    EXPECT_EQ(pole(s), QStringList{QString::fromUtf8("+420 2 1234|Škola č.1|Ředitelství")});

    EXPECT_EQ(s.nacti(env.dataDir() + "/chybi.txt"), S::Stav::NelzeCist);
    EXPECT_TRUE(s.chyba().contains("nelze číst"));
}
