// The call browser's selection: the dialled-number pattern, the WHERE text of
// each direction and called party, and the rows it selects from the list's
// report object on a fixture of calls.
#include "billing/call_filter.h"
#include "platform/database.h"
#include "platform/report_runtime.h"
#include "test_env.h"
#include "fixture.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace kavro;

namespace {

SiteCodes praha() { return SiteCodes{"00", "0", "420", "2"}; }

// March 2024 from 08:00:00 on the first to 17:30:00 on the last day, outgoing,
// nothing else chosen.
FDX_filtr_hovory vyber(int typ = 2)
{
    FDX_filtr_hovory f;
    f.datum_od = "2024-03-01 08:00:00";
    f.datum_do = "2024-03-31 17:30:00";
    f.id_firmy = f.id_oddeleni = f.id_osoby = f.cislo_pobocky = "0";
    f.kod_statu = f.kod_mesta = f.cislo_ucastnika = "0";
    f.typ = typ;
    return f;
}

class CallFilterRows : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(env.ok()) << env.error().toStdString();
        QString error;
        ASSERT_TRUE(test::naplnVyberHovoru(&error)) << error.toStdString();
        ASSERT_TRUE(SiteCodes::read(Transaction::main(), &site, &error)) << error.toStdString();
        ASSERT_TRUE(CallFilter::chooseObject(report, &base)) << report.errorText().toStdString();
    }

    // The ids of the calls the browser lists for `f`, sorted.
    std::vector<int> rows(const FDX_filtr_hovory& f)
    {
        std::vector<int> ids;
        if (!CallFilter(site).retrieve(report, base, f, "Firma")) {
            ADD_FAILURE() << report.errorText().toStdString();
            return ids;
        }
        report.fetchAll();
        for (const Report::Line& l : report.lines()) {
            if (l.kind != Report::Line::Row) continue;
            ids.push_back(Transaction::main()
                              .scalar("SELECT id_hovoru FROM dba.hovory WHERE ustredna_datum_a_cas = ?", {l.values[0]})
                              .toInt());
        }
        std::sort(ids.begin(), ids.end());
        return ids;
    }

    test::TestEnv env;
    SiteCodes site;
    Report report;
    QString base;
};

using V = std::vector<int>;

} // namespace

TEST(CallFilter, PatternFollowsTheChosenCalledParty)
{
    const CallFilter c(praha());
    // A city abroad, a city at home, the home area.
    EXPECT_EQ(c.dialledPattern("49", "30", "0", "123"), "004930123");
    EXPECT_EQ(c.dialledPattern("420", "30", "0", "123"), "030123");
    EXPECT_EQ(c.dialledPattern("420", "2", "0", "123"), "123");
    // A chosen subscriber replaces the typed number.
    EXPECT_EQ(c.dialledPattern("49", "30", "777", "123"), "004930777");
    EXPECT_EQ(c.dialledPattern("420", "30", "111", "123"), "030111");
    EXPECT_EQ(c.dialledPattern("420", "2", "1234567", "123"), "1234567");
    // A state alone; nothing chosen.
    EXPECT_EQ(c.dialledPattern("49", "0", "0", "123"), "0049123");
    EXPECT_EQ(c.dialledPattern("420", "0", "0", "123"), "123");
    EXPECT_EQ(c.dialledPattern("0", "0", "0", "123"), "123");
    EXPECT_EQ(c.dialledPattern("0", "0", "0", ""), "");
}

TEST(CallFilter, WhereTextOfEachDirection)
{
    const CallFilter c(praha());
    FDX_filtr_hovory f = vyber(2);
    EXPECT_EQ(c.where(f),
              " and hovory.ustredna_datum_a_cas between :vyber_od and :vyber_do "
              " and hovory.ustredna_volane_cislo like :vyber_predvolba escape '\\'"
              " and (hovory.typ_hovoru ='A' or hovory.typ_hovoru ='B' or hovory.typ_hovoru ='C')");
    f.kod_statu = "420";
    f.kod_mesta = "2";
    EXPECT_TRUE(c.where(f).endsWith(" and hovory.typ_hovoru ='A'"));
    f.kod_mesta = "0";
    EXPECT_TRUE(c.where(f).endsWith(" and (hovory.typ_hovoru ='A' or hovory.typ_hovoru ='B')"));
    f.kod_statu = "49";
    EXPECT_TRUE(c.where(f).endsWith(" and hovory.typ_hovoru ='C'"));

    // Incoming only: the incoming type alone, no pattern.
    f = vyber(1);
    EXPECT_EQ(c.where(f), " and hovory.ustredna_datum_a_cas between :vyber_od and :vyber_do "
                          " and hovory.typ_hovoru ='P'");
    // Both: the call type and the incoming type in one group.
    f = vyber(3);
    f.kod_statu = "49";
    EXPECT_EQ(c.where(f), " and hovory.ustredna_datum_a_cas between :vyber_od and :vyber_do "
                          " and (hovory.typ_hovoru ='C' or hovory.typ_hovoru ='P')");
}

TEST(CallFilter, CallerPiecesInTheirOrder)
{
    FDX_filtr_hovory f = vyber(2);
    f.cislo_pobocky = "123";
    f.id_osoby = "5";
    f.id_oddeleni = "2";
    f.id_firmy = "1";
    f.soukrome = "S";
    EXPECT_TRUE(CallFilter(praha()).where(f).endsWith(
        " and hovory.ustredna_cislo_pobocky =:vyber_pobocka "
        " and hovory.ustredna_cislo_pobocky in (select pp.Cislo_pobocky from dba.prirazeni_pobocek pp "
        "where pp.ID_Osoby =:vyber_osoba) and Kdo_volal.ID_osoby =:vyber_osoba "
        " and Kdo_volal.ID_oddeleni =:vyber_oddeleni "
        " and Kdo_volal.ID_firmy =:vyber_firma "
        " and Kdo_volal.Soukrome = :vyber_soukrome "));
    EXPECT_EQ(CallFilter::argumentValues(f),
              QVariantList({"2024-03-01 08:00:00", "2024-03-31 17:30:00", "%", "123", "5", "2", "1", "S"}));
}

TEST(CallFilter, BaseSelectEndsBeforeTheFirstSemicolon)
{
    EXPECT_EQ(CallFilter::baseSelect("SELECT a FROM t WHERE b = 1;SELECT 2;"), "SELECT a FROM t WHERE b = 1");
    EXPECT_EQ(CallFilter::baseSelect("SELECT a FROM t WHERE b = 1"), "SELECT a FROM t WHERE b = 1");
    EXPECT_EQ(CallFilter::likePrefix("1_2%3\\"), "1\\_2\\%3\\\\%");
}

TEST_F(CallFilterRows, EachDirection)
{
    // The period's first and last second are in it, the seconds beside them not;
    // a call not fully tariffed never is.
    EXPECT_EQ(rows(vyber(2)), V({1, 2, 3, 5, 10}));
    EXPECT_EQ(rows(vyber(1)), V({4, 9}));
    EXPECT_EQ(rows(vyber(3)), V({1, 2, 3, 4, 5, 9, 10}));
    FDX_filtr_hovory f = vyber(2);
    f.datum_od = "2024-03-01 07:59:59";
    f.datum_do = "2024-03-31 17:30:01";
    EXPECT_EQ(rows(f), V({1, 2, 3, 5, 6, 7, 10}));
}

TEST_F(CallFilterRows, CalledStateCityAndSubscriber)
{
    const CallFilter c(site);
    FDX_filtr_hovory f = vyber(2);
    f.kod_statu = "420";
    f.kod_mesta = "2";
    EXPECT_EQ(rows(f), V({1, 5, 10}));
    f.kod_mesta = "0";
    EXPECT_EQ(rows(f), V({1, 2, 5, 10}));
    f.kod_statu = "49";
    EXPECT_EQ(rows(f), V({3}));
    // The pattern narrows outgoing calls to a city abroad and to a subscriber.
    f.kod_mesta = "30";
    f.predvolba = c.dialledPattern("49", "30", "0", "");
    EXPECT_EQ(rows(f), V({3}));
    f.kod_statu = "420";
    f.kod_mesta = "2";
    f.cislo_ucastnika = "1234567";
    f.predvolba = c.dialledPattern("420", "2", "1234567", "");
    EXPECT_EQ(rows(f), V({1}));
    // For both directions the called party only chooses the call type.
    f.typ = 3;
    EXPECT_EQ(rows(f), V({1, 4, 5, 9, 10}));
}

TEST_F(CallFilterRows, TypedNumbersAreValuesNotPatterns)
{
    FDX_filtr_hovory f = vyber(2);
    // "_" would match any digit (1204567) and "%" anything; an apostrophe breaks nothing.
    f.predvolba = "12_4";
    EXPECT_EQ(rows(f), V());
    f.predvolba = "%";
    EXPECT_EQ(rows(f), V());
    f.predvolba = "1'2";
    EXPECT_EQ(rows(f), V());
    f.predvolba = "120";
    EXPECT_EQ(rows(f), V({10}));
}

TEST_F(CallFilterRows, CallerLevels)
{
    FDX_filtr_hovory f = vyber(2);
    f.cislo_pobocky = "102";
    EXPECT_EQ(rows(f), V({10}));
    f = vyber(2);
    f.id_osoby = "5";
    EXPECT_EQ(rows(f), V({1}));
    f.typ = 3;  // the person's incoming call too, but no one else's
    EXPECT_EQ(rows(f), V({1, 4}));
    f = vyber(2);
    f.id_firmy = "1";
    f.id_oddeleni = "11";
    EXPECT_EQ(rows(f), V({2, 5, 10}));
    f = vyber(3);
    f.id_firmy = "2";
    EXPECT_EQ(rows(f), V({3, 9}));
    f = vyber(1);
    f.cislo_pobocky = "100";
    EXPECT_EQ(rows(f), V({4}));
}

TEST_F(CallFilterRows, SubscriberKind)
{
    FDX_filtr_hovory f = vyber(2);
    f.soukrome = "S";
    EXPECT_EQ(rows(f), V({5}));
    // A number without a subscriber counts as a firm's.
    f.soukrome = "F";
    EXPECT_EQ(rows(f), V({1, 2, 3, 10}));
}

// Without the site's row the codes are empty (the rows above read them from it).
TEST_F(CallFilterRows, SiteCodesWithoutTheRow)
{
    ASSERT_TRUE(Transaction::main().exec("DELETE FROM dba.konfigurace_mista"));
    SiteCodes prazdne;
    EXPECT_TRUE(SiteCodes::read(Transaction::main(), &prazdne));
    EXPECT_TRUE(prazdne.kod_statu.isEmpty() && prazdne.mezistatni_predvolba.isEmpty());
}
