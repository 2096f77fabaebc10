// The chain of impulse prices: what storing a price does to its neighbours.
#include "tariff_tables/ceny_impulsu.h"

#include "platform/database.h"
#include "test_env.h"

#include <gtest/gtest.h>

using namespace kavro;

namespace {

class Ceny : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(env.ok()) << env.error().toStdString(); }

    void pridej(const char* od, const char* do_, int cena, const char* typ = "A")
    {
        ASSERT_TRUE(Transaction::main().exec(
            QStringLiteral("INSERT INTO dba.cena_impulsu (Pocatek_platnosti, Konec_platnosti, Cena_Impulsu, Typ_ceny) "
                           "VALUES (?, ?, ?, ?)"),
            {od, do_, cena, typ}));
    }
    // Every row of type 'A' as "od..do=cena", in order.
    QString retez()
    {
        QList<CenyImpulsu::Cena> c;
        EXPECT_TRUE(ceny.nacti(c));
        QStringList out;
        for (const auto& x : c) out << x.od + ".." + x.do_ + "=" + x.cena;
        return out.join(' ');
    }
    bool uloz(const char* od, const char* do_, int cena, qint64 id = 0)
    {
        CenyImpulsu::Cena c{id, od, do_, QString::number(cena)};
        return ceny.uloz(c);
    }
    qint64 idOd(const char* od)
    {
        return Transaction::main()
            .scalar(QStringLiteral("SELECT id_ceny FROM dba.cena_impulsu WHERE pocatek_platnosti = ?"), {od})
            .toLongLong();
    }

    test::TestEnv env;
    CenyImpulsu ceny;
};

TEST_F(Ceny, ANewLastPeriodCutsTheOpenOneAndAnEmptyTableTakesTheFirst)
{
    EXPECT_TRUE(uloz("2000-01-01", "9999-12-31", 100));
    EXPECT_EQ(retez(), "2000-01-01..9999-12-31=100");
    EXPECT_TRUE(uloz("2001-01-01", "9999-12-31", 120));
    EXPECT_EQ(retez(), "2000-01-01..2000-12-31=100 2001-01-01..9999-12-31=120");
}

// The longer period is split and keeps its price on both sides; the row after
// it is left alone (it used to take over the tail).
TEST_F(Ceny, APeriodInsideALongerOneSplitsIt)
{
    pridej("2001-01-01", "2001-12-31", 100);
    pridej("2002-01-01", "9999-12-31", 300);
    EXPECT_TRUE(uloz("2001-03-01", "2001-03-31", 200));
    EXPECT_EQ(retez(), "2001-01-01..2001-02-28=100 2001-03-01..2001-03-31=200 "
                       "2001-04-01..2001-12-31=100 2002-01-01..9999-12-31=300");
}

TEST_F(Ceny, RowsInsideTheNewPeriodGoAndTheEdgesAdjoinItByWholeDays)
{
    pridej("2003-01-01", "2004-01-31", 10);
    pridej("2004-02-01", "2004-02-10", 20);
    pridej("2004-02-11", "2004-02-20", 30);
    pridej("2004-02-21", "2004-12-31", 40);
    pridej("2004-02-15", "2004-02-16", 99, "B");
    // A row with the same first day that ends earlier is inside too.
    pridej("2004-01-15", "2004-01-20", 50);
    EXPECT_TRUE(uloz("2004-01-15", "2004-03-01", 60));
    // The edges adjoin by whole days; February 2004 has 29 of them.
    EXPECT_EQ(retez(), "2003-01-01..2004-01-14=10 2004-01-15..2004-03-01=60 2004-03-02..2004-12-31=40");
    EXPECT_EQ(Transaction::main().scalar("SELECT count(*) FROM dba.cena_impulsu WHERE typ_ceny = 'B'"), "1");
    EXPECT_TRUE(uloz("2004-03-01", "2004-03-05", 70));
    EXPECT_EQ(retez(), "2003-01-01..2004-01-14=10 2004-01-15..2004-02-29=60 2004-03-01..2004-03-05=70 "
                       "2004-03-06..2004-12-31=40");
}

TEST_F(Ceny, AChangedRowKeepsItsIdAndRefitsItsNeighbours)
{
    pridej("2000-01-01", "2000-12-31", 10);
    pridej("2001-01-01", "2001-12-31", 20);
    pridej("2002-01-01", "9999-12-31", 30);
    const qint64 id = idOd("2001-01-01");
    // Narrowed at both ends: the neighbours close the gaps.
    EXPECT_TRUE(uloz("2001-02-01", "2001-11-30", 25, id));
    EXPECT_EQ(retez(), "2000-01-01..2001-01-31=10 2001-02-01..2001-11-30=25 2001-12-01..9999-12-31=30");
    EXPECT_EQ(idOd("2001-02-01"), id);
    // Two rows with the same dates: the one changed is addressed alone, the other lies inside it.
    pridej("2001-02-01", "2001-11-30", 77);
    EXPECT_TRUE(uloz("2001-02-01", "2001-11-30", 26, id));
    EXPECT_EQ(retez(), "2000-01-01..2001-01-31=10 2001-02-01..2001-11-30=26 2001-12-01..9999-12-31=30");
}

TEST_F(Ceny, BadInputIsRefusedAndChangesNothing)
{
    pridej("2000-01-01", "9999-12-31", 10);
    for (auto [od, do_, cena] : {std::tuple{"2001-02-30", "2001-12-31", "5"}, {"2001-01-01", "2001-01-01", "5"},
                                 {"2001-12-31", "2001-01-01", "5"}, {"2001-01-01", "2001-12-31", "0"},
                                 {"2001-01-01", "2001-12-31", "-3"}, {"2001-01-01", "2001-12-31", "1,5"},
                                 {"1.1.2001", "2001-12-31", "5"}, {"", "", ""}}) {
        EXPECT_FALSE(CenyImpulsu::chyba(od, do_, cena).isEmpty()) << od << " " << do_ << " " << cena;
        CenyImpulsu::Cena c{0, od, do_, cena};
        EXPECT_FALSE(ceny.uloz(c));
        EXPECT_EQ(c.id, 0);
    }
    EXPECT_EQ(retez(), "2000-01-01..9999-12-31=10");
}

// A write refused half way leaves nothing of the price behind.
TEST_F(Ceny, ARefusedStepUndoesTheWholeStore)
{
    pridej("2000-01-01", "9999-12-31", 777);
    pridej("1990-01-01", "1999-12-31", 5);
    ASSERT_TRUE(kavro::test::odmitajZapis(Transaction::main(), "bez_777", "INSERT", "cena_impulsu",
                                          "NEW.Cena_Impulsu = 777", "zamitnuto"));
    EXPECT_FALSE(uloz("2001-01-01", "2001-12-31", 100));
    EXPECT_TRUE(ceny.lastError().contains("zamitnuto"));
    EXPECT_EQ(retez(), "1990-01-01..1999-12-31=5 2000-01-01..9999-12-31=777");
    // The unit of work goes on: a later store works.
    EXPECT_TRUE(uloz("1995-01-01", "1995-12-31", 6));
}

TEST_F(Ceny, APriceOfADayAndItsAmountInKorunas)
{
    pridej("2000-01-01", "2000-12-31", 150);
    pridej("2001-01-01", "9999-12-31", 125);
    EXPECT_EQ(ceny.cena_dne("2000-12-31 23:59:59"), "150");
    EXPECT_EQ(ceny.cena_dne("2001-01-01"), "125");
    EXPECT_EQ(ceny.cena_dne("1999-12-31"), "");
    EXPECT_EQ(CenyImpulsu::v_korunach(5, 1), "0,05");
    EXPECT_EQ(CenyImpulsu::v_korunach(150, 100), "150,00");
}

} // namespace
