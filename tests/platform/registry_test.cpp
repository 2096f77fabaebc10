#include "platform/registry.h"
#include "test_env.h"

#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using kavro::Registry;

namespace {
const QString kBase = QStringLiteral("Software\\Dorvek\\Kavro\\Sberac");
}

TEST(Registry, NamesAndKeysIgnoreLetterCase)
{
    kavro::test::TestEnv env(false);
    Registry r(env.registryPath());
    ASSERT_TRUE(r.write(kBase, QStringLiteral("DatovyAdresar"), QStringLiteral("/data/")));
    EXPECT_EQ(r.read(QStringLiteral("SOFTWARE\\DORVEK\\KAVRO\\SBERAC"), QStringLiteral("datovyadresar")), QStringLiteral("/data/"));
    EXPECT_EQ(r.read(kBase + QStringLiteral("\\"), QStringLiteral("DATOVYADRESAR")), QStringLiteral("/data/"));
    // Writing under another spelling replaces the one value instead of adding a second.
    ASSERT_TRUE(r.write(QStringLiteral("software\\dorvek\\kavro\\sberac"), QStringLiteral("DATOVYADRESAR"), QStringLiteral("/x/")));
    EXPECT_EQ(r.values(kBase).size(), 1);
    EXPECT_EQ(r.read(kBase, QStringLiteral("DatovyAdresar")), QStringLiteral("/x/"));
}

TEST(Registry, MissingValueReadsEmpty)
{
    kavro::test::TestEnv env(false);
    Registry r(env.registryPath());
    EXPECT_EQ(r.read(kBase, QStringLiteral("Nic")), QString());
    EXPECT_FALSE(r.contains(kBase, QStringLiteral("Nic")));
    ASSERT_TRUE(r.write(kBase, QStringLiteral("Prazdna"), QString()));
    EXPECT_TRUE(r.contains(kBase, QStringLiteral("Prazdna")));
}

TEST(Registry, TwoWritersKeepEachOthersValues)
{
    kavro::test::TestEnv env(false);
    Registry a(env.registryPath());
    Registry b(env.registryPath());
    ASSERT_TRUE(a.write(kBase, QStringLiteral("PWD1"), QStringLiteral("tajne")));
    ASSERT_TRUE(b.write(QStringLiteral("SOFTWARE\\ODBC\\ODBC.INI\\KAVRO"), QStringLiteral("start"), QStringLiteral("dbeng -c 16M")));
    ASSERT_TRUE(a.write(kBase, QStringLiteral("Datum_od"), QStringLiteral("2024-01-01")));
    EXPECT_EQ(b.read(kBase, QStringLiteral("PWD1")), QStringLiteral("tajne"));
    EXPECT_EQ(a.read(QStringLiteral("SOFTWARE\\ODBC\\ODBC.INI\\KAVRO"), QStringLiteral("start")), QStringLiteral("dbeng -c 16M"));
}

TEST(Registry, ValuesSurviveSpecialCharactersAndFileIsPrivate)
{
    kavro::test::TestEnv env(false);
    Registry r(env.registryPath());
    const QString odd = QStringLiteral("a=b\\c\nd;[x] Příliš žluťoučký");
    ASSERT_TRUE(r.write(kBase, QStringLiteral("Jmeno_uzivatele"), odd));
    EXPECT_EQ(Registry(env.registryPath()).read(kBase, QStringLiteral("Jmeno_uzivatele")), odd);
    const auto perms = QFileInfo(env.registryPath()).permissions();
    EXPECT_TRUE(perms & QFileDevice::ReadOwner);
    EXPECT_FALSE(perms & (QFileDevice::ReadGroup | QFileDevice::ReadOther));
    // The file is replaced whole: no temporary file stays behind.
    EXPECT_FALSE(QFile::exists(env.registryPath() + QStringLiteral(".lock")));
}

TEST(Registry, UnwritableFileChangesNothingAndSaysSo)
{
    kavro::test::TestEnv env(false);
    Registry bad(QStringLiteral("/proc/kavro-registry.ini"));
    EXPECT_FALSE(bad.write(kBase, QStringLiteral("a"), QStringLiteral("b")));
}
