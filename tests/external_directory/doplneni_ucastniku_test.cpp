// Completing subscribers from frequently called numbers, up to the calls
// being attributed to the new subscriber by a re-identification.
#include "external_directory/doplneni_ucastniku.h"
#include "platform/database.h"
#include "tariffing/reidentifikace.h"
#include "vnejsi_fixture.h"

#include <gtest/gtest.h>

using namespace kavro;
using namespace kavro::test;

namespace {

class DoplneniTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString chyba = naplnSeznam(env);
        ASSERT_TRUE(chyba.isEmpty()) << chyba.toStdString();
        // Three calls to an unknown Jihlava number, two to an unknown Prague
        // one, one to an unknown Berlin one, one to a known subscriber.
        ASSERT_TRUE(volej({"0569876543", "0569876543", "0569876543", "2999999", "2999999", "00493012345", "2345111"}));
        ASSERT_TRUE(d.nacti_konfiguraci());
    }

    QStringList seznam(const QString& minimum)
    {
        EXPECT_TRUE(d.napln(minimum, radky)) << d.chyba().toStdString();
        QStringList out;
        for (const str_data& r : radky)
            out << r.volane_cislo + " " + r.kod_statu + "/" + r.kod_mesta + " " + r.cislo_ucastnika + " " + r.pocet;
        return out;
    }

    TestEnv env;
    Doplneni_ucastniku d;
    std::vector<str_data> radky;
};

} // namespace

TEST(DoplneniUcastniku, SubscriberNumberLosesTheSitesPrefixesAndCodes)
{
    test::TestEnv env(false);
    Doplneni_ucastniku d;
    d.nastav_misto("420", "2", "00", "0");
    EXPECT_EQ(d.vypln_cislo("2123456", "420", "2"), "2123456");
    EXPECT_EQ(d.vypln_cislo("0512345678", "420", "5"), "12345678");
    EXPECT_EQ(d.vypln_cislo("00493012345", "49", "30"), "12345");
    EXPECT_EQ(d.vypln_cislo("004930", "49", "30"), "");
}

TEST(DoplneniUcastniku, LinesHaveFixedColumnsUntilCompleted)
{
    str_data r;
    r.stat = QString(30, 'S');
    r.mesto = QString(30, 'M');
    r.cislo_ucastnika = QString(27, '1');
    r.pocet = "12";
    const QString radek = Doplneni_ucastniku::Uprav_Item(r);
    EXPECT_EQ(radek, ("\\\\" + QString(30, 'S') + "\\" + QString(7, 'M')) + "  " + QString(25, '1') + "12");
    r.cislo_ucastnika = "123";
    EXPECT_EQ(Doplneni_ucastniku::Uprav_Item(r).mid(42), "123" + QString(22, ' ') + "12");
    r.cislo_ucastnika = QString(27, '1');
    r.firma = "Firma";
    EXPECT_EQ(Doplneni_ucastniku::Uprav_Item(r), QString(27, '1') + " -  - Firma");
}

TEST_F(DoplneniTest, ListsNumbersWithoutSubscriberFromTheMinimumOn)
{
    EXPECT_EQ(seznam("2"), (QStringList{"0569876543 420/56 9876543 3", "2999999 420/2 2999999 2"}));
    EXPECT_EQ(seznam("3"), QStringList{"0569876543 420/56 9876543 3"});
    // An empty minimum counts as 0.
    EXPECT_EQ(seznam("").size(), 3);
    EXPECT_EQ(radky.back().cislo_ucastnika, "12345");
}

TEST_F(DoplneniTest, StoresMarkedLinesAndReportsThoseItCannot)
{
    seznam("0");
    ASSERT_EQ(radky.size(), 3u);
    radky[0].zapsat = 1;
    radky[0].nazev_ucastnika = "O'Neill";
    radky[0].firma = "Pila";
    radky[1].zapsat = 1;                 // completed with both texts empty: stored all the same
    radky[2].zapsat = 1;
    radky[2].cislo_ucastnika.clear();    // nothing left of the number: never stored
    str_data jiz = radky[0];             // the same subscriber twice
    std::vector<const str_data*> p{&radky[0], &radky[1], &radky[2], &jiz};
    const Doplneni_ucastniku::Vysledek_ulozeni v = d.uloz_zmeny(p);
    EXPECT_EQ(v.vlozeno, 2);
    ASSERT_EQ(v.neulozene.size(), 2);
    EXPECT_TRUE(v.neulozene[0].contains("prázdné"));
    EXPECT_TRUE(v.neulozene[1].contains("už v seznamu"));
    EXPECT_EQ(Transaction::main().scalar("SELECT nazev_ucastnika || '|' || Firma FROM dba.ciselnik_ucastniku "
                                         "WHERE kod_statu = '420' AND kod_mesta = '56' AND Cislo_ucastnika = '9876543'"),
              "O'Neill|Pila");
    EXPECT_EQ(countWhere("ciselnik_ucastniku", "Cislo_ucastnika = '2999999' AND nazev_ucastnika = ''"), 1);
    EXPECT_EQ(countWhere("ciselnik_ucastniku", "kod_statu = '49' AND Cislo_ucastnika = ''"), 0);
}

TEST_F(DoplneniTest, ReidentificationAttributesTheCallsToTheNewSubscriber)
{
    seznam("3");
    ASSERT_EQ(radky.size(), 1u);
    radky[0].zapsat = 1;
    radky[0].nazev_ucastnika = "Sklárna";
    radky[0].firma = "Sklo a.s.";
    ASSERT_EQ(d.uloz_zmeny({&radky[0]}).vlozeno, 1);
    ASSERT_TRUE(Transaction::main().commit());

    Reidentifikace r;
    ASSERT_TRUE(r.Nalezeni_ucastniku()) << r.message().toStdString();
    for (qint64 id : {1, 2, 3}) EXPECT_EQ(callValue(id, "cislo_ucastnika"), "9876543") << id;
    EXPECT_TRUE(callIsNull(4, "cislo_ucastnika"));
    EXPECT_EQ(callValue(7, "cislo_ucastnika"), "2345");
    EXPECT_EQ(Transaction::main().scalar("SELECT count(*) FROM dba.hovory h JOIN dba.ciselnik_ucastniku u "
                                         "ON u.kod_statu = h.kod_statu AND u.kod_mesta = h.kod_mesta "
                                         "AND u.Cislo_ucastnika = h.cislo_ucastnika WHERE u.nazev_ucastnika = 'Sklárna'"),
              "3");
    // The completed number is no longer offered.
    EXPECT_EQ(seznam("0").size(), 2);
}

TEST_F(DoplneniTest, CallersAreThoseOfCallsWithImpulsesBeginningWithTheNumber)
{
    QStringList v;
    ASSERT_TRUE(d.volajici("056987", v)) << d.chyba().toStdString();
    EXPECT_EQ(v, QStringList{"100:   \\\\\\\\Novák"});
    ASSERT_TRUE(d.volajici("05%", v));
    EXPECT_TRUE(v.isEmpty());
}

TEST_F(DoplneniTest, CallersAreListedByTheValueOfTheirExtension)
{
    ASSERT_TRUE(Transaction::main().exec(
        QStringLiteral("INSERT INTO dba.prirazeni_pobocek (cislo_pobocky, pocatek_platnosti, konec_platnosti, "
                       "id_firmy, id_oddeleni, id_osoby) VALUES ('1021', '2020-01-01 00:00:00', "
                       "'9999-12-31 23:59:59', 1, 10, 2), ('454', '2020-01-01 00:00:00', '9999-12-31 23:59:59', 1, 10, 3)")));
    for (const auto& [id, pobocka] : {std::pair{20, "1021"}, std::pair{21, "454"}}) {
        Call h;
        h.id = id;
        h.when = QStringLiteral("2024-03-06 10:%1:00").arg(id);
        h.number = QStringLiteral("0569876543");
        h.impulses = 3;
        h.extension = QString::fromLatin1(pobocka);
        ASSERT_TRUE(addCall(h));
    }
    Tarifovani t;
    ASSERT_EQ(t.tarifikuj(), Tarifovani::Vysledek::Hotovo);
    QStringList v;
    ASSERT_TRUE(d.volajici("056987", v)) << d.chyba().toStdString();
    QStringList pobocky;
    for (const QString& r : v) pobocky << r.section(QLatin1Char(':'), 0, 0);
    EXPECT_EQ(pobocky, QStringList({"100", "454", "1021"}));
}
