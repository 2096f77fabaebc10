// The road of a call from the collector's file to a tariffed row, on the
// demonstration installation: import, tariffing, and what an administrator
// would check by hand.
#include "demo_fixture.h"

#include <gtest/gtest.h>

using namespace kavro;

namespace {

qint64 count(const QString& where)
{
    return Transaction::main().scalar(QStringLiteral("SELECT count(*) FROM dba.hovory WHERE ") + where).toLongLong();
}

} // namespace

TEST(DemoEndToEnd, ImportedFilesAreTariffedToTheLastStage)
{
    test::TestEnv env(false);
    Import_hovoru::Souhrn s;
    ASSERT_NO_FATAL_FAILURE(test::importujDemo(env, s));
    const QString db = test::demoDatabase(env);

    EXPECT_EQ(s.souboru, 4);
    EXPECT_EQ(s.chyb_vkladani, 0);
    EXPECT_EQ(s.ulozeno, count(QStringLiteral("1=1")));
    EXPECT_GT(s.ulozeno, 1000);
    EXPECT_GE(s.behu_tarifikace, 4);
    // Every call went the whole way, and it stays so after another program reads the file.
    EXPECT_EQ(count(QStringLiteral("status_hovoru <> 10")), 0);
    Transaction other;
    ASSERT_TRUE(other.connectFile(db));
    EXPECT_EQ(other.scalar(QStringLiteral("SELECT count(*) FROM dba.hovory WHERE status_hovoru = 10")).toLongLong(), s.ulozeno);

    // Every kind of call is there and typed by its prefix.
    for (const char* typ : {"A", "B", "C", "P"})
        EXPECT_GT(count(QStringLiteral("typ_hovoru = '%1'").arg(QLatin1String(typ))), 0) << typ;
    EXPECT_EQ(count(QStringLiteral("typ_hovoru = 'C' AND substr(ustredna_volane_cislo, 1, 2) <> '00'")), 0);
    EXPECT_EQ(count(QStringLiteral("typ_hovoru = 'B' AND substr(ustredna_volane_cislo, 1, 2) = '00'")), 0);
    // Incoming calls are never charged; charged outgoing calls have a zone and impulses.
    EXPECT_EQ(count(QStringLiteral("typ_hovoru = 'P' AND tarifovat_hovor = 1")), 0);
    EXPECT_GT(count(QStringLiteral("tarifovat_hovor = 1 AND id_pasma IS NOT NULL AND program_pocet_impulsu > 0")), 0);
    EXPECT_EQ(count(QStringLiteral("tarifovat_hovor = 1 AND typ_hovoru = 'A' AND id_pasma IS NULL")), 0);
    // Local calls carry the home state and area; international ones found their state.
    EXPECT_EQ(count(QStringLiteral("typ_hovoru = 'A' AND (kod_statu <> '420' OR kod_mesta <> '2')")), 0);
    EXPECT_GT(count(QStringLiteral("typ_hovoru = 'C' AND kod_statu IS NOT NULL")), 0);
    // The directory holds the generated extensions: most calls have their caller.
    EXPECT_GT(count(QStringLiteral("id_firmy IS NOT NULL")), s.ulozeno / 2);
}
