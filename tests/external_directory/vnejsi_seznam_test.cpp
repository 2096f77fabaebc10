// Reads and writes of the external directory against a real database with
// the small tariff data set (site 00 / 0, home state 420, home area 2).
#include "external_directory/vnejsi_seznam.h"
#include "platform/database.h"
#include "tariffing/vazby_tto.h"
#include "vnejsi_fixture.h"

#include <gtest/gtest.h>

using namespace kavro;
using namespace kavro::test;

namespace {

class VnejsiSeznamTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString chyba = naplnSeznam(env);
        ASSERT_TRUE(chyba.isEmpty()) << chyba.toStdString();
    }

    static FDX_Stat stat(const QString& kod, const QString& nazev)
    {
        FDX_Stat s;
        s.druh = QStringLiteral("S");
        s.kod_statu = kod;
        s.nazev = nazev;
        return s;
    }
    static FDX_Stat mesto(const QString& stat, const QString& kod, const QString& nazev)
    {
        FDX_Stat m = VnejsiSeznamTest::stat(stat, QString());
        m.druh = QStringLiteral("M");
        m.kod_mesta = kod;
        m.nazev = nazev;
        return m;
    }
    static FDX_Stat ucastnik(const QString& stat, const QString& mesto, const QString& cislo, const QString& nazev,
                             const QString& firma = QString())
    {
        FDX_Stat u = VnejsiSeznamTest::mesto(stat, mesto, nazev);
        u.druh = QStringLiteral("O");
        u.cislo_ucastnika = cislo;
        u.firma = firma;
        return u;
    }
    static void proved(const QString& sql) { ASSERT_TRUE(Transaction::main().exec(sql)) << sql.toStdString(); }

    TestEnv env;
    VnejsiSeznam seznam;
};

TEST_F(VnejsiSeznamTest, ReadsHomeStateFirstAndMarksLevelsWithoutChildren)
{
    proved(QStringLiteral("INSERT INTO dba.ciselnik_statu (kod_statu, nazev_statu) VALUES ('355', 'Albánie')"));
    QList<RadekSeznamu> staty;
    ASSERT_TRUE(seznam.nacti_staty(staty));
    QStringList kody;
    for (const RadekSeznamu& r : staty) kody << r.zaznam.kod_statu;
    // The home state first although its name sorts last, the others by name.
    EXPECT_EQ(kody, (QStringList{"420", "355", "42", "49", "1"}));
    EXPECT_TRUE(staty[0].ma_potomky);
    EXPECT_FALSE(staty[1].ma_potomky);  // no cities
    EXPECT_EQ(staty[0].zaznam.druh, QStringLiteral("S"));

    QList<RadekSeznamu> mesta;
    ASSERT_TRUE(seznam.nacti_mesta(QStringLiteral("420"), mesta));
    ASSERT_EQ(mesta.size(), 3);
    EXPECT_EQ(mesta[0].zaznam.nazev, QStringLiteral("Brno"));
    EXPECT_EQ(mesta[0].zaznam.kod_statu, QStringLiteral("420"));
    EXPECT_FALSE(mesta[0].ma_potomky);  // Brno has no subscribers
    EXPECT_TRUE(mesta[2].ma_potomky);   // Praha has

    proved(QStringLiteral("INSERT INTO dba.ciselnik_ucastniku (kod_statu, kod_mesta, Cislo_ucastnika, nazev_ucastnika, "
                          "Firma, Soukrome) VALUES ('420', '5', '55', '  Novák ', ' Alfa', NULL)"));
    QList<RadekSeznamu> ucastnici;
    ASSERT_TRUE(seznam.nacti_ucastniky(QStringLiteral("420"), QStringLiteral("5"), ucastnici));
    ASSERT_EQ(ucastnici.size(), 1);
    const FDX_Stat& u = ucastnici[0].zaznam;
    EXPECT_EQ(u.nazev, QStringLiteral("Novák"));
    EXPECT_EQ(u.firma, QStringLiteral("Alfa"));
    EXPECT_EQ(u.kod_mesta, QStringLiteral("5"));
    EXPECT_EQ(text_polozky(u), QString("Novák - Alfa").leftJustified(25) + " - 55");
}

TEST_F(VnejsiSeznamTest, ItemTextsHaveFixedWidthColumns)
{
    EXPECT_EQ(text_polozky(stat("49", "Německo")), QString("Německo").leftJustified(21) + "(49)");
    EXPECT_EQ(text_polozky(stat("49", "Spolková republika Německo")), QStringLiteral("Spolková republika Ně(49)"));
    EXPECT_EQ(text_polozky(mesto("420", "2", "Praha")), QString("Praha").leftJustified(26) + "(2)");
    // Name and firm together are cut at 25 characters.
    EXPECT_EQ(text_polozky(ucastnik("420", "2", "123", "Jan Novotný", "Strojírny Praha")),
              QStringLiteral("Jan Novotný - Strojírny P - 123"));
    EXPECT_EQ(text_polozky(ucastnik("420", "2", "9", "Pokladna", "")).size(), 25 + 3 + 1);
}

TEST_F(VnejsiSeznamTest, InsertsRefuseStoredKeysAndOtherCharactersThanDigits)
{
    EXPECT_EQ(seznam.vloz_stat(stat("355", "Albánie")), VysledekZapisu::Zapsano);
    EXPECT_EQ(hodnota("SELECT id_pasma FROM dba.ciselnik_statu WHERE kod_statu = '355'"), QStringLiteral("9999"));
    EXPECT_EQ(seznam.vloz_stat(stat("49", "Jiné Německo")), VysledekZapisu::Duplicita);
    EXPECT_EQ(hodnota("SELECT nazev_statu FROM dba.ciselnik_statu WHERE kod_statu = '49'"), QStringLiteral("Německo"));

    EXPECT_EQ(seznam.vloz_mesto(mesto("420", "05", "Brno s nulou")), VysledekZapisu::Zapsano);  // '05' is not '5'
    EXPECT_EQ(hodnota("SELECT id_pasma || '/' || ifnull(Cislo_TTO, 'null', 'x') FROM dba.ciselnik_mest "
                      "WHERE kod_statu = '420' AND kod_mesta = '05'"),
              QStringLiteral("9999/null"));
    EXPECT_EQ(seznam.vloz_mesto(mesto("420", "5", "Brno znovu")), VysledekZapisu::Duplicita);

    // An apostrophe is a value like any other.
    EXPECT_EQ(seznam.vloz_ucastnika(ucastnik("420", "5", "4711", "O'Brien", "Pub")), VysledekZapisu::Zapsano);
    EXPECT_EQ(hodnota("SELECT nazev_ucastnika || Soukrome FROM dba.ciselnik_ucastniku WHERE Cislo_ucastnika = '4711'"),
              QStringLiteral("O'BrienF"));
    EXPECT_EQ(seznam.vloz_ucastnika(ucastnik("420", "5", "4711", "Dvojník")), VysledekZapisu::Duplicita);
    for (const char* cislo : {"12%", "1_3", "12 3", ""})
        EXPECT_EQ(seznam.vloz_ucastnika(ucastnik("420", "5", QString::fromUtf8(cislo), "Žolík")),
                  VysledekZapisu::NeniCislo)
            << cislo;
    EXPECT_EQ(hodnota("SELECT count(*) FROM dba.ciselnik_ucastniku WHERE kod_mesta = '5'"), QStringLiteral("1"));
}

TEST_F(VnejsiSeznamTest, ChangedStateCodeGoesToItsCitiesSubscribersAndDiscounts)
{
    const QString pred = hodnota("SELECT count(*) FROM dba.zlevnene_volani WHERE kod_statu = '1'");
    ASSERT_NE(pred, QStringLiteral("0"));
    EXPECT_EQ(seznam.oprav_stat(stat("1", "USA"), stat("7", "Spojené státy")), VysledekZapisu::Zapsano);
    EXPECT_EQ(hodnota("SELECT nazev_statu || '/' || id_pasma FROM dba.ciselnik_statu WHERE kod_statu = '7'"),
              QStringLiteral("Spojené státy/22"));
    EXPECT_EQ(hodnota("SELECT count(*) FROM dba.ciselnik_mest WHERE kod_statu = '7'"), QStringLiteral("1"));
    EXPECT_EQ(hodnota("SELECT count(*) FROM dba.ciselnik_ucastniku WHERE kod_statu = '7'"), QStringLiteral("1"));
    EXPECT_EQ(hodnota("SELECT count(*) FROM dba.zlevnene_volani WHERE kod_statu = '7'"), pred);
    EXPECT_EQ(hodnota("SELECT count(*) FROM dba.ciselnik_mest WHERE kod_statu = '1'"), QStringLiteral("0"));

    // A city left behind under the new code makes the whole change fail: nothing of it stays.
    proved(QStringLiteral("INSERT INTO dba.ciselnik_mest (kod_statu, kod_mesta, nazev_mesta) VALUES ('8', '212', 'Sirotek')"));
    EXPECT_EQ(seznam.oprav_stat(stat("7", "Spojené státy"), stat("8", "USA")), VysledekZapisu::Duplicita);
    EXPECT_EQ(hodnota("SELECT count(*) FROM dba.ciselnik_statu WHERE kod_statu = '7'"), QStringLiteral("1"));
    EXPECT_EQ(hodnota("SELECT count(*) FROM dba.ciselnik_ucastniku WHERE kod_statu = '7'"), QStringLiteral("1"));

    // The site's home state keeps its code; its name may change.
    EXPECT_EQ(seznam.oprav_stat(stat("420", "Česká republika"), stat("421", "Česko")), VysledekZapisu::DomovskyKod);
    EXPECT_EQ(seznam.oprav_stat(stat("420", "Česká republika"), stat("420", "Česko")), VysledekZapisu::Zapsano);
    EXPECT_EQ(hodnota("SELECT nazev_statu FROM dba.ciselnik_statu WHERE kod_statu = '420'"), QStringLiteral("Česko"));
    EXPECT_EQ(seznam.oprav_stat(stat("49", "Německo"), stat("4x", "Německo")), VysledekZapisu::NeniCislo);
    // A row that is no longer stored is not reported as changed.
    EXPECT_EQ(seznam.oprav_stat(stat("999", "Nikde"), stat("998", "Nikde")), VysledekZapisu::Chyba);
}

TEST_F(VnejsiSeznamTest, ChangedCityKeepsItsZoneAndCarriesItsCodeToSubscribers)
{
    proved(QStringLiteral("UPDATE dba.ciselnik_mest SET Cislo_TTO = 31 WHERE kod_statu = '420' AND kod_mesta = '56'"));
    EXPECT_EQ(seznam.oprav_mesto(mesto("420", "56", "Jihlava"), mesto("420", "66", "Jihlava nová")),
              VysledekZapisu::Zapsano);
    EXPECT_EQ(hodnota("SELECT nazev_mesta || '/' || id_pasma || '/' || Cislo_TTO FROM dba.ciselnik_mest "
                      "WHERE kod_statu = '420' AND kod_mesta = '66'"),
              QStringLiteral("Jihlava nová/3/31"));
    EXPECT_EQ(hodnota("SELECT count(*) FROM dba.ciselnik_ucastniku WHERE kod_statu = '420' AND kod_mesta = '66'"),
              QStringLiteral("1"));
    // Changed again in the same unit: the same row.
    EXPECT_EQ(seznam.oprav_mesto(mesto("420", "66", "Jihlava nová"), mesto("420", "66", "Jihlava")),
              VysledekZapisu::Zapsano);
    EXPECT_EQ(hodnota("SELECT count(*) FROM dba.ciselnik_mest WHERE kod_statu = '420'"), QStringLiteral("3"));

    EXPECT_EQ(seznam.oprav_mesto(mesto("420", "2", "Praha"), mesto("420", "22", "Praha")), VysledekZapisu::DomovskyKod);
    EXPECT_EQ(seznam.oprav_mesto(mesto("420", "66", "Jihlava"), mesto("420", "5", "Jihlava")), VysledekZapisu::Duplicita);
    // Area 2 of another state is not the home city.
    proved(QStringLiteral("INSERT INTO dba.ciselnik_mest (kod_statu, kod_mesta, nazev_mesta) VALUES ('49', '2', 'Dvojka')"));
    EXPECT_EQ(seznam.oprav_mesto(mesto("49", "2", "Dvojka"), mesto("49", "20", "Dvacítka")), VysledekZapisu::Zapsano);
}

TEST_F(VnejsiSeznamTest, SubscriberChangesAndDeletesDoNotCascade)
{
    EXPECT_EQ(seznam.oprav_ucastnika(ucastnik("420", "2", "777", "Obchod"), ucastnik("420", "2", "778", "Obchod", "Beta")),
              VysledekZapisu::Zapsano);
    EXPECT_EQ(hodnota("SELECT Firma FROM dba.ciselnik_ucastniku WHERE Cislo_ucastnika = '778'"), QStringLiteral("Beta"));
    EXPECT_EQ(seznam.oprav_ucastnika(ucastnik("420", "2", "778", "Obchod"), ucastnik("420", "2", "2345", "Obchod")),
              VysledekZapisu::Duplicita);
    EXPECT_EQ(seznam.oprav_ucastnika(ucastnik("420", "2", "778", "Obchod"), ucastnik("420", "2", "7%", "Obchod")),
              VysledekZapisu::NeniCislo);
    // A number stored with a dash keeps it while its name and firm are corrected; changed, it must be digits.
    proved(QStringLiteral("INSERT INTO dba.ciselnik_ucastniku (kod_statu, kod_mesta, Cislo_ucastnika, nazev_ucastnika) "
                          "VALUES ('420', '2', '22-33', 'Stary')"));
    EXPECT_EQ(
        seznam.oprav_ucastnika(ucastnik("420", "2", "22-33", "Stary"), ucastnik("420", "2", "22-33", "Nový", "Firma")),
        VysledekZapisu::Zapsano);
    EXPECT_EQ(
        hodnota("SELECT nazev_ucastnika || '|' || Firma FROM dba.ciselnik_ucastniku WHERE Cislo_ucastnika = '22-33'"),
        QStringLiteral("Nový|Firma"));
    EXPECT_EQ(seznam.oprav_ucastnika(ucastnik("420", "2", "22-33", "Nový"), ucastnik("420", "2", "22-34", "Nový")),
              VysledekZapisu::NeniCislo);
    EXPECT_EQ(seznam.oprav_ucastnika(ucastnik("420", "2", "22-33", "Nový"), ucastnik("420", "2", "2233", "Nový")),
              VysledekZapisu::Zapsano);
    EXPECT_EQ(hodnota("SELECT count(*) FROM dba.ciselnik_ucastniku WHERE Cislo_ucastnika = '2233'"),
              QStringLiteral("1"));
    EXPECT_EQ(seznam.smaz_ucastnika(ucastnik("420", "2", "2233", "Nový")), VysledekZapisu::Zapsano);

    EXPECT_EQ(seznam.smaz_stat(stat("49", "Německo")), VysledekZapisu::Zapsano);
    EXPECT_EQ(hodnota("SELECT count(*) FROM dba.ciselnik_mest WHERE kod_statu = '49'"), QStringLiteral("2"));
    EXPECT_EQ(seznam.smaz_mesto(mesto("420", "2", "Praha")), VysledekZapisu::Zapsano);
    EXPECT_EQ(hodnota("SELECT count(*) FROM dba.ciselnik_ucastniku WHERE kod_mesta = '2'"), QStringLiteral("3"));
    EXPECT_EQ(seznam.smaz_ucastnika(ucastnik("420", "2", "778", "Obchod")), VysledekZapisu::Zapsano);
    EXPECT_EQ(seznam.smaz_ucastnika(ucastnik("420", "2", "778", "Obchod")), VysledekZapisu::Chyba);

    // The cities of a deleted state show again under a state inserted with its code.
    EXPECT_EQ(seznam.vloz_stat(stat("49", "Německo")), VysledekZapisu::Zapsano);
    QList<RadekSeznamu> mesta;
    ASSERT_TRUE(seznam.nacti_mesta(QStringLiteral("49"), mesta));
    EXPECT_EQ(mesta.size(), 2);
}

TEST(PredvolbaVolby, FollowsTheSiteWithCodesComparedAsText)
{
    MistoUstredny misto{QStringLiteral("00"), QStringLiteral("0"), QStringLiteral("420"), QStringLiteral("2")};
    EXPECT_EQ(predvolba_volby(misto, "420", "2"), QString());
    EXPECT_EQ(predvolba_volby(misto, "420", "5"), QStringLiteral("05 - "));
    EXPECT_EQ(predvolba_volby(misto, "420", "02"), QStringLiteral("002 - "));
    EXPECT_EQ(predvolba_volby(misto, "49", "30"), QStringLiteral("00 - 49 - 30 - "));
    // Another state's area 2 is not the home area.
    EXPECT_EQ(predvolba_volby(misto, "49", "2"), QStringLiteral("00 - 49 - 2 - "));
    EXPECT_EQ(predvolba_volby(MistoUstredny{}, "49", "30"), QString());
}

} // namespace
