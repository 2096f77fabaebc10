// Impulse periods of zones and discounted periods of states: ranges exist
// through their bands, edits address exactly their rows, a copy skips what
// the target has.
#include "tariff_tables/periody_impulsu.h"

#include "platform/database.h"
#include "tabulky_fixture.h"
#include "test_env.h"

#include <gtest/gtest.h>

using namespace kavro;

namespace {

using P = PeriodyImpulsu::Platnost;
using C = PeriodyImpulsu::Cas;

class Periody : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(env.ok()) << env.error().toStdString(); }
    Transaction& t() { return Transaction::main(); }
    static QString radky(const char* tabulka) { return test::radkyPeriod(tabulka); }
    test::TestEnv env;
};

TEST_F(Periody, ZonesShowWhetherTheyHaveRowsAndABandMakesTheRange)
{
    PeriodyImpulsu p = PeriodyImpulsu::pasma();
    QList<PeriodyImpulsu::Vlastnik> z;
    ASSERT_TRUE(p.nacti_vlastniky(z));
    ASSERT_FALSE(z.isEmpty());
    for (const auto& v : z) {
        EXPECT_NE(v.klic, "9999");
        EXPECT_FALSE(v.ma_radky);
    }
    const P r{"2001-01-01", "2001-12-31"};
    ASSERT_TRUE(p.vloz_cas("3", r, {"19:00:00", "23:59:59", "60", 2}));
    ASSERT_TRUE(p.vloz_cas("3", r, {"07:00:00", "18:59:59", "30", 1}));
    ASSERT_TRUE(p.vloz_cas("3", r, {"00:00:00", "06:59:59", "90", 1}));
    ASSERT_TRUE(p.nacti_vlastniky(z));
    for (const auto& v : z) EXPECT_EQ(v.ma_radky, v.klic == "3") << v.klic.toStdString();
    QList<P> ranges;
    ASSERT_TRUE(p.nacti_platnosti("3", ranges));
    EXPECT_EQ(ranges, QList<P>{r});
    QList<C> bands;
    ASSERT_TRUE(p.nacti_casy("3", r, bands));
    QStringList texty;
    for (const C& c : bands) texty << PeriodyImpulsu::text_casu(c);
    EXPECT_EQ(texty, (QStringList{"Všední den : 00:00:00 - 06:59:59  ( 1 impuls za 90 s. )",
                                  "Všední den : 07:00:00 - 18:59:59  ( 1 impuls za 30 s. )",
                                  "Svátek     : 19:00:00 - 23:59:59  ( 1 impuls za 60 s. )"}));
    EXPECT_EQ(PeriodyImpulsu::text_platnosti(r), "2001-01-01 2001-12-31");
}

TEST_F(Periody, BadBandsAndRepeatedKeysAreRefused)
{
    PeriodyImpulsu p = PeriodyImpulsu::pasma();
    const P r{"2001-01-01", "2001-12-31"};
    ASSERT_TRUE(p.vloz_cas("1", r, {"00:00:00", "23:59:59", "60", 1}));
    for (const C& c : {C{"00:00:00", "23:59:59", "0", 2}, C{"00:00:00", "23:59:59", "-5", 2},
                       C{"00:00:00", "23:59:59", "", 2}, C{"10:00:00", "10:00:00", "5", 2},
                       C{"00:00:00", "23:59:59", "60", 1}}) {
        EXPECT_FALSE(p.vloz_cas("1", r, c)) << c.perioda.toStdString();
        EXPECT_FALSE(p.lastError().isEmpty());
    }
    EXPECT_FALSE(p.vloz_cas("1", {"2001-12-31", "2001-01-01"}, {"00:00:00", "23:59:59", "60", 2}));
    EXPECT_FALSE(p.uprav_cas("1", r, {"00:00:00", "23:59:59", "60", 1}, {"00:00:00", "23:59:59", "0", 1}));
    // A band changed onto the key of another band of its range is refused.
    ASSERT_TRUE(p.vloz_cas("1", r, {"00:00:00", "23:59:59", "90", 2}));
    EXPECT_FALSE(p.uprav_cas("1", r, {"00:00:00", "23:59:59", "90", 2}, {"00:00:00", "23:59:59", "90", 1}));
    ASSERT_TRUE(p.smaz_cas("1", r, {"00:00:00", "23:59:59", "90", 2}));
    EXPECT_EQ(radky("perioda_impulsu"), "1 2001-01-01 2001-12-31 00:00:00-23:59:59=60/1");
}

TEST_F(Periody, EditsAndDeletionsTouchExactlyTheirRows)
{
    PeriodyImpulsu p = PeriodyImpulsu::pasma();
    const P a{"2001-01-01", "2001-12-31"}, b{"2002-01-01", "9999-12-31"};
    for (const P& r : {a, b}) {
        ASSERT_TRUE(p.vloz_cas("1", r, {"00:00:00", "06:59:59", "90", 1}));
        ASSERT_TRUE(p.vloz_cas("1", r, {"07:00:00", "23:59:59", "60", 1}));
    }
    ASSERT_TRUE(p.vloz_cas("2", a, {"00:00:00", "06:59:59", "90", 1}));
    // A range moved twice takes all its bands; other ranges and zones stay.
    const P a2{"2000-06-01", "2001-12-31"}, a3{"2000-07-01", "2001-11-30"};
    ASSERT_TRUE(p.uprav_platnost("1", a, a2));
    ASSERT_TRUE(p.uprav_platnost("1", a2, a3));
    // A band changed twice is one row all along.
    ASSERT_TRUE(p.uprav_cas("1", a3, {"07:00:00", "23:59:59", "60", 1}, {"07:00:00", "23:59:59", "45", 2}));
    ASSERT_TRUE(p.uprav_cas("1", a3, {"07:00:00", "23:59:59", "45", 2}, {"07:00:00", "22:59:59", "40", 2}));
    // A band of the old key is gone.
    EXPECT_FALSE(p.uprav_cas("1", a3, {"07:00:00", "23:59:59", "60", 1}, {"07:00:00", "23:59:59", "10", 1}));
    EXPECT_EQ(radky("perioda_impulsu"),
              "1 2000-07-01 2001-11-30 00:00:00-06:59:59=90/1 | 1 2000-07-01 2001-11-30 07:00:00-22:59:59=40/2 | "
              "1 2002-01-01 9999-12-31 00:00:00-06:59:59=90/1 | 1 2002-01-01 9999-12-31 07:00:00-23:59:59=60/1 | "
              "2 2001-01-01 2001-12-31 00:00:00-06:59:59=90/1");
    // Deleting a band leaves the same band of the other range; deleting a range takes all its bands.
    ASSERT_TRUE(p.smaz_cas("1", a3, {"00:00:00", "06:59:59", "90", 1}));
    ASSERT_TRUE(p.smaz_platnost("1", b));
    EXPECT_EQ(radky("perioda_impulsu"),
              "1 2000-07-01 2001-11-30 07:00:00-22:59:59=40/2 | 2 2001-01-01 2001-12-31 00:00:00-06:59:59=90/1");
    // The last band of a range goes with the range.
    ASSERT_TRUE(p.smaz_cas("1", a3, {"07:00:00", "22:59:59", "40", 2}));
    QList<P> ranges;
    ASSERT_TRUE(p.nacti_platnosti("1", ranges));
    EXPECT_TRUE(ranges.isEmpty());
}

// Two ranges of one owner with the same dates would be one range: a new
// range or a range moved onto stored dates is refused and no row merges.
TEST_F(Periody, ARangeCannotTakeTheDatesOfAnotherRangeOfItsOwner)
{
    PeriodyImpulsu p = PeriodyImpulsu::pasma();
    PeriodyImpulsu s = PeriodyImpulsu::slevy();
    const P a{"2001-01-01", "2001-12-31"}, b{"2002-01-01", "9999-12-31"};
    for (const P& r : {a, b}) ASSERT_TRUE(p.vloz_cas("1", r, {"00:00:00", "23:59:59", "60", 1}));
    ASSERT_TRUE(p.vloz_cas("1", b, {"00:00:00", "23:59:59", "90", 2}));
    ASSERT_TRUE(s.vloz_cas("49", a, {"00:00:00", "23:59:59", "30", 1}));
    const QString pred = radky("perioda_impulsu");

    EXPECT_EQ(p.chyba_nove_platnosti("1", b), "Pásmo už má platnost od 2002-01-01 do 9999-12-31.");
    EXPECT_EQ(s.chyba_nove_platnosti("49", a), "Stát už má platnost od 2001-01-01 do 2001-12-31.");
    EXPECT_EQ(p.chyba_nove_platnosti("1", {"2001-12-31", "2001-01-01"}), PeriodyImpulsu::chyba_platnosti({"2001-12-31", "2001-01-01"}));
    // Another owner's dates, or new dates, are free.
    EXPECT_EQ(p.chyba_nove_platnosti("2", b), "");
    EXPECT_EQ(p.chyba_nove_platnosti("1", {"2003-01-01", "2003-12-31"}), "");

    EXPECT_FALSE(p.uprav_platnost("1", a, b));
    EXPECT_EQ(p.lastError(), "Pásmo už má platnost od 2002-01-01 do 9999-12-31.");
    EXPECT_EQ(radky("perioda_impulsu"), pred);
    // A range written back with its own dates stays as it is.
    EXPECT_TRUE(p.uprav_platnost("1", a, a));
    EXPECT_EQ(radky("perioda_impulsu"), pred);
}

TEST_F(Periody, DiscountsListKnownStatesAndCopiesSkipWhatTheTargetHas)
{
    PeriodyImpulsu s = PeriodyImpulsu::slevy();
    const P r{"2001-01-01", "9999-12-31"};
    ASSERT_TRUE(s.vloz_cas("49", r, {"08:00:00", "16:00:00", "30", 1}));
    ASSERT_TRUE(s.vloz_cas("49", r, {"00:00:00", "23:59:59", "40", 2}));
    ASSERT_TRUE(s.vloz_cas("43", r, {"08:00:00", "16:00:00", "99", 1}));
    ASSERT_TRUE(s.vloz_cas("0000", r, {"08:00:00", "16:00:00", "20", 1}));  // no such state
    QList<PeriodyImpulsu::Vlastnik> v;
    ASSERT_TRUE(s.nacti_vlastniky(v));
    QStringList staty;
    for (const auto& x : v) staty << x.nazev;
    EXPECT_EQ(staty, (QStringList{"Německo", "Rakousko"}));
    EXPECT_EQ(s.nazev("49"), "Německo");

    int pridano = -1;
    EXPECT_FALSE(s.kopiruj("49", "49", &pridano));
    EXPECT_EQ(pridano, 0);
    ASSERT_TRUE(s.kopiruj("49", "43", &pridano));
    EXPECT_EQ(pridano, 1);
    EXPECT_EQ(t().scalar("SELECT perioda FROM dba.zlevnene_volani WHERE kod_statu = '43' AND typ_dne = 1"), "99");
    ASSERT_TRUE(s.smaz_vlastnika("49"));
    EXPECT_EQ(t().scalar("SELECT count(*) FROM dba.zlevnene_volani WHERE kod_statu = '49'"), "0");
    EXPECT_EQ(t().scalar("SELECT count(*) FROM dba.zlevnene_volani WHERE kod_statu = '43'"), "2");
}

TEST_F(Periody, AZoneNameIsStored)
{
    PeriodyImpulsu p = PeriodyImpulsu::pasma();
    ASSERT_TRUE(p.prejmenuj_pasmo("3", "Dálkové's"));
    EXPECT_EQ(p.nazev("3"), "Dálkové's");
    EXPECT_FALSE(p.prejmenuj_pasmo("777", "Nic"));
}

} // namespace
