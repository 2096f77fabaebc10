// The holidays as the calendar keeps them in pevne_svatky.
#include "platform/database.h"
#include "tariff_tables/pevne_svatky.h"
#include "tariff_tables/seznam_statu.h"
#include "test_env.h"

#include <gtest/gtest.h>

using namespace kavro;

namespace {

class PevneSvatky : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(env.ok()) << env.error().toStdString();
        ASSERT_TRUE(t().exec("INSERT INTO dba.pevne_svatky (den, Mesic, Nazev, Rok) VALUES "
                             "(1, 1, 'Nový rok', 0), (28, 10, 'Vznik státu', 0), (8, 5, 'Den vítězství', 2025), "
                             "(1, 5, 'Svátek práce', 0), (17, 11, 'Jen 2024', 2024)"));
        ASSERT_TRUE(t().commit());
    }
    static Transaction& t() { return Transaction::main(); }
    // The year's rows as "day.month name", by month and day.
    static QString rows(const QString& rok)
    {
        return t().scalar("SELECT List(txt) FROM (SELECT den || '.' || Mesic || ' ' || Nazev AS txt "
                          "FROM dba.pevne_svatky WHERE Rok = ? ORDER BY Mesic, den, id_svatku)",
                          {rok});
    }
    static QStringList month(Pevne_svatky& p, int m)
    {
        QList<Struct_svatky> s;
        EXPECT_TRUE(p.nacti(m, &s)) << p.lastError().toStdString();
        QStringList out;
        for (const auto& x : s) out << Pevne_svatky::textUzlu(x) + (x.editovatelny ? "" : " (pevný)");
        return out;
    }
    test::TestEnv env;
};

} // namespace

TEST_F(PevneSvatky, FixedHolidaysAndTheHolidaysOfAYearAreKeptApart)
{
    EXPECT_TRUE(Pevne_svatky(QStringLiteral("0")).pevne());
    EXPECT_FALSE(Pevne_svatky(QStringLiteral("2025")).pevne());
    Pevne_svatky rok(QStringLiteral("2025"));
    EXPECT_EQ(month(rok, 5), QStringList{"08  -  Den vítězství"});  // not the fixed 1 May
    // "00" is the fixed calendar as well; its rows are stored under year 0.
    Pevne_svatky nuly(QStringLiteral("00"));
    EXPECT_TRUE(nuly.pevne());
    Struct_svatky s{.den = 6, .mesic = 7, .nazev = "Jan Hus"};
    ASSERT_TRUE(nuly.vloz(&s));
    EXPECT_EQ(rows("0"), QStringLiteral("1.1 Nový rok,1.5 Svátek práce,6.7 Jan Hus,28.10 Vznik státu"));
}

TEST_F(PevneSvatky, EasterMondayIsAddedOnceForAYearItIsComputedFor)
{
    Pevne_svatky rok(QStringLiteral("2025"));
    bool vlozeno = false;
    ASSERT_TRUE(rok.Vloz_velikonoce(&vlozeno));
    EXPECT_TRUE(vlozeno);
    EXPECT_EQ(rows("2025"), QStringLiteral("21.4 Velikonoce,8.5 Den vítězství"));
    EXPECT_EQ(month(rok, 4), QStringList{"21  -  Velikonoce (pevný)"});
    ASSERT_TRUE(rok.Vloz_velikonoce(&vlozeno));
    EXPECT_FALSE(vlozeno);
    EXPECT_EQ(rows("2025"), QStringLiteral("21.4 Velikonoce,8.5 Den vítězství"));

    // A row of the year described "Velikonoce" counts, wherever it stands.
    ASSERT_TRUE(t().exec("INSERT INTO dba.pevne_svatky (den, Mesic, Nazev, Rok) VALUES (2, 3, 'Velikonoce', 2024)"));
    Pevne_svatky r2024(QStringLiteral("2024"));
    ASSERT_TRUE(r2024.Vloz_velikonoce(&vlozeno));
    EXPECT_FALSE(vlozeno);
    EXPECT_EQ(rows("2024"), QStringLiteral("2.3 Velikonoce,17.11 Jen 2024"));

    // No Easter row for the fixed holidays, for years Easter is not computed
    // for, or for a year that is no number.
    for (const char* r : {"0", "1599", "2500", "abc", "99999999999"}) {
        Pevne_svatky p{QString::fromLatin1(r)};
        ASSERT_TRUE(p.Vloz_velikonoce(&vlozeno)) << r;
        EXPECT_FALSE(vlozeno) << r;
    }
    EXPECT_EQ(t().scalar("SELECT count(*) FROM dba.pevne_svatky WHERE Nazev = 'Velikonoce'"), QStringLiteral("2"));
    Pevne_svatky r1600(QStringLiteral("1600"));
    ASSERT_TRUE(r1600.Vloz_velikonoce(&vlozeno));
    EXPECT_TRUE(vlozeno);
}

TEST_F(PevneSvatky, EditAndDeleteTouchOnlyTheirOwnRowAmongDuplicates)
{
    Pevne_svatky rok(QStringLiteral("2025"));
    Struct_svatky a{.den = 8, .mesic = 5, .nazev = "Den vítězství"};
    ASSERT_TRUE(rok.vloz(&a));
    QList<Struct_svatky> kveten;
    ASSERT_TRUE(rok.nacti(5, &kveten));
    ASSERT_EQ(kveten.size(), 2);
    EXPECT_NE(kveten[0].id_svatku, kveten[1].id_svatku);
    EXPECT_EQ(kveten[1].id_svatku, a.id_svatku);

    // An apostrophe is only text.
    a.den = 9;
    a.nazev = "Den 'D'";
    ASSERT_TRUE(rok.oprav(a));
    EXPECT_EQ(rows("2025"), QStringLiteral("8.5 Den vítězství,9.5 Den 'D'"));
    ASSERT_TRUE(rok.smaz(kveten[0]));
    EXPECT_EQ(rows("2025"), QStringLiteral("9.5 Den 'D'"));
    // A row that is no longer there is reported, not passed over.
    EXPECT_FALSE(rok.smaz(kveten[0]));
    EXPECT_FALSE(rok.oprav(kveten[0]));
    EXPECT_EQ(rows("0"), QStringLiteral("1.1 Nový rok,1.5 Svátek práce,28.10 Vznik státu"));
}

TEST_F(PevneSvatky, ADayMustExistInItsMonthOfTheCalendarsYear)
{
    for (auto [den, mesic, plati] : {std::tuple{31, 1, true}, {29, 2, true}, {30, 2, false}, {31, 4, false},
                                     {0, 1, false}, {45, 12, false}})
        EXPECT_EQ(Pevne_svatky::denPlati(den, mesic), plati) << den << "." << mesic;
    EXPECT_FALSE(Pevne_svatky::denPlati(29, 2, 2025));
    EXPECT_FALSE(Pevne_svatky::denPlati(29, 2, 1900));
    EXPECT_TRUE(Pevne_svatky::denPlati(29, 2, 2000));
    EXPECT_TRUE(Pevne_svatky::denPlati(29, 2, 2024));

    // The table gets no day its year lacks, neither inserted nor edited.
    Pevne_svatky r2025(QStringLiteral("2025")), r2024(QStringLiteral("2024")), pevne(QStringLiteral("0"));
    Struct_svatky s{.den = 29, .mesic = 2, .nazev = "Přestupný"};
    EXPECT_FALSE(r2025.vloz(&s));
    EXPECT_EQ(r2025.lastError(), QStringLiteral("Den 29 v měsíci 2 roku 2025 není."));
    ASSERT_TRUE(r2024.vloz(&s));
    ASSERT_TRUE(pevne.vloz(&s));
    Struct_svatky k{.den = 28, .mesic = 2, .nazev = "Konec února"};
    ASSERT_TRUE(r2025.vloz(&k));
    k.den = 29;
    EXPECT_FALSE(r2025.oprav(k));
    k.den = 30;
    EXPECT_FALSE(pevne.oprav(k));
    EXPECT_EQ(pevne.lastError(), QStringLiteral("Den 30 v měsíci 2 žádného roku není."));
    EXPECT_EQ(rows("2025"), QStringLiteral("28.2 Konec února,8.5 Den vítězství"));
    EXPECT_EQ(rows("2024"), QStringLiteral("29.2 Přestupný,17.11 Jen 2024"));
    EXPECT_TRUE(rows("0").startsWith("1.1 Nový rok,29.2 Přestupný,"));
}

TEST_F(PevneSvatky, StatesComeInCzechOrder)
{
    ASSERT_TRUE(t().exec("DELETE FROM dba.ciselnik_statu"));
    ASSERT_TRUE(t().exec("INSERT INTO dba.ciselnik_statu (kod_statu, nazev_statu, id_pasma) VALUES "
                         "('41', 'Švýcarsko', 1), ('385', 'Chorvatsko', 1), ('420', 'Česko', 1), "
                         "('86', 'Čína', 1), ('1', 'USA', 1), ('49', 'Německo', 1), ('43', 'Rakousko', 1)"));
    QList<Stat> staty;
    ASSERT_TRUE(nacti_staty(t(), &staty));
    QStringList nazvy;
    for (const Stat& s : staty) nazvy << s.kod_statu + ' ' + s.nazev_statu;
    EXPECT_EQ(nazvy, (QStringList{"420 Česko", "86 Čína", "385 Chorvatsko", "49 Německo", "43 Rakousko",
                                  "41 Švýcarsko", "1 USA"}));
}
