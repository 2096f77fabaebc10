#include "common/konfigurace.h"
#include "frame/pamet_odbc.h"
#include "frame/spusteni.h"
#include "platform/database.h"
#include "platform/registry.h"
#include "test_env.h"

#include <gtest/gtest.h>

using namespace kavro;

TEST(JmenoInstance, FromTheWholeCommandLine)
{
    EXPECT_EQ(jmenoInstance("/usr/bin/kavro"), "Sberac");
    EXPECT_EQ(jmenoInstance("/usr/bin/kavro -n Pobocka2 -s"), "Pobocka2");
    EXPECT_EQ(jmenoInstance("/usr/bin/kavro -N Pobocka2"), "Pobocka2");
    // "-n" without a blank behind it is not the option.
    EXPECT_EQ(jmenoInstance("/usr/bin/kavro -n"), "Sberac");
    EXPECT_EQ(jmenoInstance("/usr/bin/kavro -nPobocka"), "Sberac");
    // Blanks only: the default is applied before trimming, so the name is empty.
    EXPECT_EQ(jmenoInstance("/usr/bin/kavro -n    "), "");
    // The program path is searched too, and its "-n " comes first.
    EXPECT_EQ(jmenoInstance("/opt/a-n b/kavro -n X"), "b/kavro -n X");
    // "-s" ends the name; "-S" does not.
    EXPECT_EQ(jmenoInstance("kavro -n A-sB"), "A");
    EXPECT_EQ(jmenoInstance("kavro -n A -S"), "A -S");
}

TEST(JmenoInstance, OtherArgumentsAreIgnoredAndOnlyTheHelpIsAnswered)
{
    // "-nPobocka2" is no "-n " option: the instance stays "Sberac", and the
    // argument is no reason to refuse the start.
    EXPECT_EQ(jmenoInstance("/usr/bin/kavro -nPobocka2"), "Sberac");
    EXPECT_FALSE(pyta_napovedu({"-nPobocka2"}));
    EXPECT_FALSE(pyta_napovedu({}));
    EXPECT_FALSE(pyta_napovedu({"--verbose", "-n", "A", "-s", "slozka"}));
    EXPECT_EQ(jmenoInstance("/usr/bin/kavro --verbose -n A -s slozka"), "A");
    // The help wherever it stands outside a name; inside a name it is part of it.
    EXPECT_TRUE(pyta_napovedu({"-h"}));
    EXPECT_TRUE(pyta_napovedu({"-n", "A", "-s", "--help"}));
    EXPECT_FALSE(pyta_napovedu({"-n", "--help"}));
    EXPECT_EQ(jmenoInstance("kavro -n --help"), "--help");
    EXPECT_TRUE(napoveda_prikazove_radky().startsWith("použití: kavro"));
}

// The caption and each level's rights are checked through the main window.
TEST(Spusteni, DirectoryAndRights)
{
    EXPECT_EQ(doplnLomitko("C:\\data"), "C:\\data\\");
    EXPECT_EQ(doplnLomitko("C:\\data\\"), "C:\\data\\");
    EXPECT_EQ(doplnLomitko(""), "\\");
    EXPECT_EQ(doplnLomitko("/var/kavro/"), "/var/kavro/");

    EXPECT_EQ(stupenOpravneni("Admin", "admin", "oprava"), 1);  // case counts
    EXPECT_EQ(textOpravneni(1), "Právo čtení");
}

TEST(Spusteni, RegistryDefaultsOnlyWhereEmpty)
{
    test::TestEnv env(false);
    Registry& reg = Registry::instance();
    const QString base = "Software\\Dorvek\\Kavro\\";
    reg.write(base, "Datum_od", "2020-01-01");
    reg.write(base, "Datum_do", "");
    konfiguracni_hodnoty k(base, "Sberac");
    vyplnRegistr(k, "Datum_od", "2024-05-05");
    vyplnRegistr(k, "Datum_do", "9999-12-31");
    vyplnRegistr(k, "Cas_od", "00:00:00");
    EXPECT_EQ(reg.read(base, "Datum_od"), "2020-01-01");
    EXPECT_EQ(reg.read(base, "Datum_do"), "9999-12-31");
    EXPECT_EQ(reg.read(base, "Cas_od"), "00:00:00");
}

TEST(PametOdbc, SizeReadFromTheStartLine)
{
    EXPECT_EQ(velikostPametiZeStartu("dbeng -c 16M -x tcpip"), "16");
    EXPECT_EQ(velikostPametiZeStartu("dbeng -C8m"), "8");
    EXPECT_EQ(velikostPametiZeStartu("dbeng -x tcpip"), "2");
    EXPECT_EQ(velikostPametiZeStartu(""), "2");
    // A "-c" that is not a cache option of megabytes is not the option.
    EXPECT_EQ(velikostPametiZeStartu("dbeng -cache -c 4M"), "4");
    EXPECT_EQ(velikostPametiZeStartu("dbeng -c 16"), "2");
}

TEST(PametOdbc, SavingReplacesOnlyTheFirstCacheOption)
{
    EXPECT_EQ(startSVelikostiPameti("dbeng -c 16M -x tcpip", "32"), "dbeng -c 32M -x tcpip");
    EXPECT_EQ(startSVelikostiPameti("dbeng -x tcpip -c16M", "8"), "dbeng -x tcpip -c8M");
    EXPECT_EQ(startSVelikostiPameti("dbeng -c 16M -c 4M", "8"), "dbeng -c 8M -c 4M");
    // Unchanged size: the same line.
    EXPECT_EQ(startSVelikostiPameti("dbeng -c 16M -x", "16"), "dbeng -c 16M -x");
    // No option: a new one at the end.
    EXPECT_EQ(startSVelikostiPameti("dbeng -x tcpip", "4"), "dbeng -x tcpip -c4M");
    EXPECT_EQ(startSVelikostiPameti("", "4"), " -c4M");
    EXPECT_EQ(startSVelikostiPameti("dbeng -c 16", "4"), "dbeng -c 16 -c4M");
    // An empty or non-numeric size changes nothing.
    EXPECT_EQ(startSVelikostiPameti("dbeng -c 16M", ""), "dbeng -c 16M");
    EXPECT_EQ(startSVelikostiPameti("dbeng -c 16M", "1x"), "dbeng -c 16M");
    for (const char* mimo : {"0", "65537", "99999999999999999999", "-4"})
        EXPECT_EQ(startSVelikostiPameti("dbeng -c 16M", mimo), "dbeng -c 16M") << mimo;
    EXPECT_EQ(startSVelikostiPameti("dbeng -c 16M", "65536"), "dbeng -c 65536M");
    // The database layer reads the size that was written.
    EXPECT_EQ(Transaction::cacheKiBFromStartLine(startSVelikostiPameti("dbeng -c 16M -x", "32")), 32 * 1024);
    EXPECT_EQ(Transaction::cacheKiBFromStartLine(startSVelikostiPameti("dbeng", "4")), 4 * 1024);
}
