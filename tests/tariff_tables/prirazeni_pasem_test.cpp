// Reads and writes of the zone assignment: which zones have something to
// show, what a move writes and what it leaves alone.
#include "tariff_tables/prirazeni_pasem.h"

#include "platform/database.h"
#include "test_env.h"

#include <gtest/gtest.h>

using namespace kavro;

namespace {

class Prirazeni : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(env.ok()) << env.error().toStdString();
        for (const char* s : {
                 "DELETE FROM dba.ciselnik_mest", "DELETE FROM dba.ciselnik_statu", "DELETE FROM dba.ciselnik_pasem",
                 "INSERT INTO dba.konfigurace_mista (ID_mista, mezistatni_predvolba, mezimestska_predvolba, kod_statu, "
                 "kod_mesta) VALUES ('V', '00', '0', '420', '2')",
                 "INSERT INTO dba.ciselnik_pasem VALUES (1, 'Místní', '1'), (3, 'Dálkové', '1'), (5, 'Cizí města', '1'), "
                 "(10, 'Mobilní', '2'), (21, 'Evropa', '3'), (22, 'Svět', '3'), (23, 'Prázdné', '3'), "
                 "(9999, 'Nepřiřazeno', '0')",
                 "INSERT INTO dba.ciselnik_statu VALUES ('420', 'Česko', 3), ('49', 'Německo', 21), "
                 "('1', 'USA', 22), ('01', 'Jiný', 22), ('43', 'Rakousko', 9999), ('4444444', 'Dlouhý kód', 21)",
                 // 420/49 is a city whose area code equals the state code 49.
                 "INSERT INTO dba.ciselnik_mest (kod_statu, kod_mesta, nazev_mesta, id_pasma) VALUES "
                 "('420', '2', 'Praha', 1), ('420', '49', 'Oblast 49', 3), ('420', '5', 'Brno', 9999), "
                 "('420', '60', 'Mobil', 10), ('49', '30', 'Berlín', 21), ('49', '40', 'Hamburk', 21), "
                 "('43', '1', 'Vídeň', 5)",
             })
            ASSERT_TRUE(t().exec(QString::fromUtf8(s))) << s << t().lastErrorText().toStdString();
    }
    Transaction& t() { return Transaction::main(); }
    QString pasmo(const char* tabulka, const char* kde)
    {
        return t().scalar(QStringLiteral("SELECT id_pasma FROM dba.%1 WHERE %2").arg(tabulka, kde));
    }
    static QStringList texty(const QList<PrirazeniPasem::Polozka>& p)
    {
        QStringList out;
        for (const auto& x : p) out << x.text + (x.uzel.prazdne ? "[]" : "");
        return out;
    }

    test::TestEnv env;
    PrirazeniPasem p;
};

TEST_F(Prirazeni, ZonesTellWhetherTheyHoldAnythingOfTheirKind)
{
    QList<PrirazeniPasem::Polozka> z;
    ASSERT_TRUE(p.nacti_pasma("1", z));
    // Zone 5 holds only a foreign city: nothing a domestic zone shows.
    EXPECT_EQ(texty(z), (QStringList{"Místní", "Dálkové", "Cizí města[]"}));
    ASSERT_TRUE(p.nacti_pasma("3", z));
    EXPECT_EQ(texty(z), (QStringList{"Evropa", "Svět", "Prázdné[]"}));
    // The unassigned zone has a type of its own and is under no root.
    for (const char* typ : {"1", "2", "3"}) {
        ASSERT_TRUE(p.nacti_pasma(typ, z));
        for (const auto& x : z) EXPECT_NE(x.uzel.pasmo, "9999");
    }
}

TEST_F(Prirazeni, BranchesAndTheUnassignedListWithTheirTexts)
{
    QList<PrirazeniPasem::Polozka> z, s;
    ASSERT_TRUE(p.nacti_pasma("3", z));
    ASSERT_TRUE(p.nacti_staty(z[0].uzel, s));
    // A code of six characters or more loses its ")".
    EXPECT_EQ(texty(s), (QStringList{"Dlouhý kód   (444444", "Německo   (49)   "}));
    EXPECT_EQ(s[1].uzel.typ, "3");
    ASSERT_TRUE(p.nacti_pasma("1", z));
    ASSERT_TRUE(p.nacti_mesta(z[1].uzel, s));
    ASSERT_EQ(s.size(), 1);
    EXPECT_EQ(s[0].text, "Oblast 49                (49)");
    EXPECT_EQ(PrirazeniPasem::text_mesta("Velmi dlouhý název obce v kraji", "7"), "Velmi dlouhý název obce v(7)");
    ASSERT_TRUE(p.nacti_neprirazene(s));
    EXPECT_EQ(texty(s), (QStringList{"Rakousko   (43)   ", "Brno"}));
    EXPECT_EQ(PrirazeniPasem::cast_cesty("Oblast 49                (49)"), "Oblast 49");
    EXPECT_EQ(PrirazeniPasem::cast_cesty("Mezinárodní styk"), "Mezinárodní styk");
}

// A state's cities follow it; a home city whose area code equals the state's
// code does not, nor do the home state's own cities when the home state moves.
TEST_F(Prirazeni, AMovedStateTakesItsOwnCitiesOnly)
{
    PrirazeniPasem::Uzel s{"S", "3", "22", "49"};
    ASSERT_TRUE(p.zapis(s));
    EXPECT_EQ(pasmo("ciselnik_statu", "kod_statu = '49'"), "22");
    EXPECT_EQ(pasmo("ciselnik_mest", "kod_statu = '49' AND kod_mesta = '30'"), "22");
    EXPECT_EQ(pasmo("ciselnik_mest", "kod_statu = '49' AND kod_mesta = '40'"), "22");
    EXPECT_EQ(pasmo("ciselnik_mest", "kod_statu = '420' AND kod_mesta = '49'"), "3");
    ASSERT_TRUE(p.zapis({"S", "3", "21", "420"}));
    EXPECT_EQ(pasmo("ciselnik_statu", "kod_statu = '420'"), "21");
    EXPECT_EQ(pasmo("ciselnik_mest", "kod_statu = '420' AND kod_mesta = '2'"), "1");
    // Codes are compared as text: '1' is not '01'.
    ASSERT_TRUE(p.zapis({"S", "3", "21", "1"}));
    EXPECT_EQ(pasmo("ciselnik_statu", "kod_statu = '01'"), "22");
}

TEST_F(Prirazeni, AMovedCityWritesItsOwnRowAndAMissingRowIsRefused)
{
    ASSERT_TRUE(p.zapis({"M", "1", "3", "420", "5"}));
    EXPECT_EQ(pasmo("ciselnik_mest", "kod_statu = '420' AND kod_mesta = '5'"), "3");
    EXPECT_EQ(t().scalar("SELECT count(*) FROM dba.ciselnik_mest WHERE id_pasma = 3"), "2");
    EXPECT_FALSE(p.zapis({"M", "1", "3", "420", "999"}));
    EXPECT_FALSE(p.lastError().isEmpty());
}

TEST_F(Prirazeni, WhichDropsAreAccepted)
{
    using U = PrirazeniPasem::Uzel;
    const U domaci{"P", "1", "1"}, sluzby{"P", "2", "10"}, cizi{"P", "3", "21"}, koren{"R", "1"};
    const U stat{"S", "3", "22", "49"}, mesto{"M", "1", "1", "420", "2"}, mestoSluzby{"M", "2", "10", "420", "60"};
    const U volnyStat{"S", "", "9999", "43"}, volneMesto{"M", "", "9999", "420", "5"};
    // From the unassigned tree onto zones only, by zone type.
    EXPECT_TRUE(PrirazeniPasem::prijmout(volneMesto, true, domaci, domaci));
    EXPECT_TRUE(PrirazeniPasem::prijmout(volneMesto, true, sluzby, sluzby));
    EXPECT_FALSE(PrirazeniPasem::prijmout(volneMesto, true, cizi, cizi));
    EXPECT_TRUE(PrirazeniPasem::prijmout(volnyStat, true, cizi, cizi));
    EXPECT_TRUE(PrirazeniPasem::prijmout(volnyStat, true, sluzby, sluzby));
    EXPECT_FALSE(PrirazeniPasem::prijmout(volnyStat, true, domaci, domaci));
    EXPECT_FALSE(PrirazeniPasem::prijmout(volneMesto, true, mesto, domaci));
    // Inside the zone tree: onto a zone or an item of the same kind.
    EXPECT_TRUE(PrirazeniPasem::prijmout(stat, false, cizi, cizi));
    EXPECT_TRUE(PrirazeniPasem::prijmout(stat, false, U{"S", "3", "21", "421"}, cizi));
    EXPECT_TRUE(PrirazeniPasem::prijmout(mesto, false, mesto, domaci));
    EXPECT_FALSE(PrirazeniPasem::prijmout(stat, false, mesto, domaci));
    EXPECT_FALSE(PrirazeniPasem::prijmout(mestoSluzby, false, domaci, domaci));
    // Roots take nothing and zones and roots do not move.
    EXPECT_FALSE(PrirazeniPasem::prijmout(stat, false, koren, koren));
    EXPECT_FALSE(PrirazeniPasem::prijmout(cizi, false, cizi, cizi));
    EXPECT_FALSE(PrirazeniPasem::prijmout(koren, false, cizi, cizi));
}

} // namespace
