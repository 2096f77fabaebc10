// What the tariff tables change in a re-tariffed day: a zone's period, a
// state's discount and the price of an impulse.
#include "tariff_tables/ceny_impulsu.h"
#include "tariff_tables/periody_impulsu.h"

#include "platform/database.h"
#include "tariffing/tarifovani.h"
#include "tariffing/znovu_otarifuj.h"
#include "tarifovani_data.h"
#include "test_env.h"

#include <gtest/gtest.h>

using namespace kavro;
using namespace kavro::test;

TEST(Retarifikace, ChangedPeriodsDiscountAndPriceReachTheCallsOfTheDay)
{
    TestEnv env;
    ASSERT_TRUE(env.ok()) << env.error().toStdString();
    QString error;
    ASSERT_TRUE(fillTariffData(&error)) << error.toStdString();
    // Line 2 delivers no impulses: the program counts them.
    Call mistni{1, "2024-03-05 10:00:00", "00:03:00", "2345678", 0, "100", 2};
    Call usa{2, "2024-03-05 10:30:00", "00:03:00", "0012129123", 0, "100", 2};
    ASSERT_TRUE(addCall(mistni));
    ASSERT_TRUE(addCall(usa));
    ASSERT_TRUE(Transaction::main().commit());
    {
        Tarifovani t;
        ASSERT_EQ(t.tarifikuj(), Tarifovani::Vysledek::Hotovo) << t.message().toStdString();
    }
    // 170 s at 60 s in zone 1; 180 s at the discounted 30 s to the USA.
    EXPECT_EQ(callValue(1, "program_pocet_impulsu"), "3");
    EXPECT_EQ(callValue(2, "program_pocet_impulsu"), "6");

    const PeriodyImpulsu::Platnost vzdy{"2000-01-01", "9999-12-31"};
    PeriodyImpulsu pasma = PeriodyImpulsu::pasma();
    ASSERT_TRUE(pasma.uprav_cas("1", vzdy, {"07:00:00", "18:59:59", "60", 1}, {"07:00:00", "18:59:59", "25", 1}))
        << pasma.lastError().toStdString();
    PeriodyImpulsu slevy = PeriodyImpulsu::slevy();
    ASSERT_TRUE(slevy.uprav_cas("1", vzdy, {"08:00:00", "16:00:00", "30", 1}, {"08:00:00", "16:00:00", "45", 1}))
        << slevy.lastError().toStdString();
    CenyImpulsu ceny;
    CenyImpulsu::Cena stara{0, "2000-01-01", "9999-12-31", "100"}, nova{0, "2024-03-01", "9999-12-31", "150"};
    ASSERT_TRUE(ceny.uloz(stara));
    ASSERT_TRUE(ceny.uloz(nova));
    ASSERT_TRUE(Transaction::main().commit());

    Znovu_otarifuj z;
    ASSERT_EQ(z.otarifuj("2024-03-05", "2024-03-05"), Znovu_otarifuj::Vysledek::Hotovo) << z.message().toStdString();
    EXPECT_EQ(callValue(1, "program_pocet_impulsu"), "7");  // 170 / 25
    EXPECT_EQ(callValue(2, "program_pocet_impulsu"), "4");  // 180 / 45
    EXPECT_EQ(ceny.cena_dne("2024-03-05"), "150");
    EXPECT_EQ(ceny.cena_dne("2024-02-29"), "100");
    EXPECT_EQ(CenyImpulsu::v_korunach(ceny.cena_dne("2024-03-05").toLongLong(), 7), "10,50");
}
