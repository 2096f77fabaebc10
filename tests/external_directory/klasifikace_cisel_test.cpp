// Classifying the numbers of an import by their prefixes and the directory.
#include "external_directory/klasifikace_cisel.h"

#include <gtest/gtest.h>

using namespace kavro;

namespace {

QString opt(const std::optional<QString>& v) { return v ? *v : QStringLiteral("NULL"); }

// class, state, area, subscriber number
QString popis(const Klasifikovane_cislo& k)
{
    return k.typ_volani + " " + opt(k.kod_statu) + " " + opt(k.kod_mesta) + " " + opt(k.kod_volane_cislo);
}

// Home state 420 and area 2; cities 2 and 5 of 420; states 420 and 49.
Klasifikace_cisel vzor()
{
    Klasifikace_cisel k(QStringLiteral("420"), QStringLiteral("2"));
    k.pridejStat("420");
    k.pridejStat("49");
    k.pridejMesto("420", "2");
    k.pridejMesto("420", "5");
    return k;
}

} // namespace

TEST(KlasifikaceCisel, WorkedTable)
{
    const Klasifikace_cisel k = vzor();
    struct Radek { const char* cislo; const char* cislice; const char* vysledek; };
    const Radek tabulka[] = {
        {"+420 5 123456", "004205123456", "C 420 5 123456"},
        {"0049301234", "0049301234", "C 49 NULL NULL"},
        {"05123456", "05123456", "B 420 5 123456"},
        {"4205123456", "4205123456", "D 420 5 123456"},
        {"5123456", "5123456", "E 420 5 123456"},
        {"123456", "123456", "A 420 2 123456"},
        {"", "", "X NULL NULL NULL"},
    };
    for (const Radek& r : tabulka) {
        const Klasifikovane_cislo c = k.klasifikuj(QString::fromUtf8(r.cislo));
        EXPECT_EQ(c.volane_cislo, r.cislice) << r.cislo;
        EXPECT_EQ(popis(c), r.vysledek) << r.cislo;
    }
}

TEST(KlasifikaceCisel, DigitsOnlyAndPlusAsDoubleZero)
{
    EXPECT_EQ(Klasifikace_cisel::Vyhod_znaky_z_cisla("(05) 12-34/56 a"), "05123456");
    const Klasifikace_cisel k = vzor();
    EXPECT_EQ(popis(k.klasifikuj("+4205123456")), popis(k.klasifikuj("004205123456")));
    // A "+" number keeps its first 30 characters, the "+" among them.
    const QString dlouhe = "+" + QString(40, '1');
    EXPECT_EQ(Klasifikace_cisel::Vyhod_znaky_z_cisla(dlouhe), "00" + QString(29, '1'));
    // A number without "+" is not cut; its subscriber part is cut to 30.
    const Klasifikovane_cislo c = k.klasifikuj("05" + QString(40, '7'));
    EXPECT_EQ(c.volane_cislo.size(), 42);
    EXPECT_EQ(opt(c.kod_volane_cislo), QString(30, '7'));
    EXPECT_EQ(popis(k.klasifikuj("abc")), "X NULL NULL NULL");
}

TEST(KlasifikaceCisel, LongestCodeWinsUpToFiveDigits)
{
    Klasifikace_cisel k("420", "2");
    k.pridejStat("4");
    k.pridejStat("42");
    k.pridejStat("123456");
    k.pridejMesto("42", "1");
    k.pridejMesto("42", "12");
    EXPECT_EQ(popis(k.klasifikuj("00421234")), "C 42 12 34");
    EXPECT_EQ(popis(k.klasifikuj("00431234")), "C 4 NULL NULL");
    // A six-digit state code is never found.
    EXPECT_EQ(popis(k.klasifikuj("001234567")), "C NULL NULL NULL");
}

TEST(KlasifikaceCisel, LengthBoundsOfLocalAndHomeStateNumbers)
{
    const Klasifikace_cisel k = vzor();
    // One-digit home area code 5: 6 digits stay local, 7 become "E".
    EXPECT_EQ(popis(k.klasifikuj("512345")), "A 420 2 512345");
    EXPECT_EQ(popis(k.klasifikuj("5123456")), "E 420 5 123456");
    // The home state code 420 and 6 digits more stay local; 7 more make "D".
    EXPECT_EQ(popis(k.klasifikuj("420123456")), "A 420 2 420123456");
    EXPECT_EQ(popis(k.klasifikuj("4205234567")), "D 420 5 234567");
    // A "D" number whose area is unknown, and a long-distance one.
    EXPECT_EQ(popis(k.klasifikuj("4209234567")), "D 420 NULL NULL");
    EXPECT_EQ(popis(k.klasifikuj("0912345")), "B 420 NULL NULL");
}
