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
    // A lone CR or LF inside a line of a CR LF file is part of the line.
    ASSERT_EQ(s.rozeber("1\n2,a\rb\r\n"), S::Stav::Nacteno);
    ASSERT_EQ(s.radky().size(), 1u);
    EXPECT_EQ(s.radky()[0].cislo, "1\n2");
    EXPECT_EQ(s.radky()[0].popis, "a\rb");
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
