#include "common/konfigurace.h"
#include "platform/registry.h"
#include "test_env.h"

#include <gtest/gtest.h>

using namespace kavro;

namespace {

const QString kBase = QStringLiteral("Software\\Dorvek\\Kavro\\");
const QString kInstance = QStringLiteral("Software\\Dorvek\\Kavro\\Sberac");
const QString kExchange = QStringLiteral("Software\\Dorvek\\Kavro\\Ustredna\\Praha");

class KonfiguraceTest : public ::testing::Test {
protected:
    test::TestEnv env{false};
    Registry& reg = Registry::instance();
};

} // namespace

TEST_F(KonfiguraceTest, ExchangeKeyOverridesInstanceKeyAndIsWrittenBackThere)
{
    reg.write(kInstance, "Ustredna", "Praha");
    reg.write(kInstance, "DatovyAdresar", "/data/sberac");
    reg.write(kInstance, "Jmeno_uzivatele", "Firma A");
    reg.write(kExchange, "DatovyAdresar", "/data/praha");
    reg.write(kExchange, "Kavro_Pozice", "123456");

    konfiguracni_hodnoty k(kBase, "Sberac");
    EXPECT_EQ(k.zjisti_hodnotu("DatovyAdresar"), "/data/praha");
    EXPECT_EQ(k.zjisti_hodnotu("Jmeno_uzivatele"), "Firma A");
    // Order of creation: instance values first, then new exchange values.
    ASSERT_EQ(k.pocet_promennych(), 4);
    EXPECT_EQ(k.promenna(0).jmeno, "Ustredna");
    EXPECT_EQ(k.promenna(3).jmeno, "Kavro_Pozice");

    // Start-up adds the instance name to the base key and a "\" to the directory in memory.
    k.vytvor_promennou("jmeno_aplikace", "Sberac", "");
    k.nastav_promennou("DatovyAdresar", "/data/praha/", "");
    k.zapis_do_registru();

    EXPECT_EQ(reg.read(kExchange, "DatovyAdresar"), "/data/praha/");
    EXPECT_EQ(reg.read(kInstance, "DatovyAdresar"), "/data/sberac");
    EXPECT_EQ(reg.read(kInstance, "Jmeno_uzivatele"), "Firma A");
    EXPECT_FALSE(reg.contains(kExchange, "Jmeno_uzivatele"));
    EXPECT_EQ(reg.read(kBase, "jmeno_aplikace"), "Sberac");
    EXPECT_FALSE(reg.contains(kInstance, "jmeno_aplikace"));
}

TEST_F(KonfiguraceTest, MissingKeysAreCreatedEmptyAndAnEmptyExchangeIsNotLoaded)
{
    EXPECT_FALSE(reg.hasKey(kInstance));
    konfiguracni_hodnoty k(kBase, "Sberac");
    EXPECT_TRUE(reg.hasKey(kInstance));
    EXPECT_TRUE(reg.values(kInstance).isEmpty());
    EXPECT_EQ(k.posledni_promenna(), nullptr);
    // Loading a key that exists but is empty succeeds.
    EXPECT_TRUE(k.precti_hodnoty_registru("Sberac"));
    EXPECT_FALSE(k.precti_hodnoty_registru("Jina"));

    reg.write(kInstance, "Ustredna", "");
    reg.write(kInstance, "DatovyAdresar", "/a");
    reg.write(kBase + "Ustredna\\", "DatovyAdresar", "/wrong");
    konfiguracni_hodnoty k2(kBase, "Sberac");
    EXPECT_EQ(k2.zjisti_hodnotu("DatovyAdresar"), "/a");
    EXPECT_EQ(k2.pocet_promennych(), 2);
}

TEST_F(KonfiguraceTest, SettingAndCreatingVariables)
{
    konfiguracni_hodnoty k(kBase, "Sberac");
    // A new variable with an empty sub-key belongs to the base key; a later
    // empty sub-key keeps the key it has.
    EXPECT_FALSE(k.nastav_promennou("A", "1", ""));
    EXPECT_EQ(k.najdi_promennou("A")->podklic, "");
    EXPECT_TRUE(k.nastav_promennou("A", "2", "Sberac"));
    EXPECT_TRUE(k.nastav_promennou("A", "3", ""));
    EXPECT_EQ(k.najdi_promennou("A")->podklic, "Sberac");

    EXPECT_FALSE(k.vytvor_promennou("A", "4", "Jine"));
    EXPECT_EQ(k.zjisti_hodnotu("A"), "3");
    EXPECT_EQ(k.najdi_promennou("A")->podklic, "Sberac");

    // Names differing only in case are different variables.
    EXPECT_TRUE(k.vytvor_promennou("a", "male", ""));
    EXPECT_EQ(k.zjisti_hodnotu("A"), "3");
    EXPECT_EQ(k.posledni_promenna()->jmeno, "a");
    EXPECT_EQ(k.pocet_promennych(), 2);
    // Nothing of this reached the registry.
    EXPECT_FALSE(reg.contains(kInstance, "A"));
    EXPECT_FALSE(reg.contains(kBase, "A"));
}

TEST_F(KonfiguraceTest, DirectReadsAndWritesBypassTheList)
{
    konfiguracni_hodnoty k(kBase, "Sberac");
    EXPECT_EQ(k.precti_promennou_registru("PWD1", "Nikde"), "");
    EXPECT_FALSE(reg.hasKey(kBase + "Nikde"));

    k.zapis_promenou_do_registru("Cas_od", "08:00:00", "Nikde");
    EXPECT_EQ(k.precti_promennou_registru("Cas_od", "Nikde"), "08:00:00");
    k.zapis_promenou_do_registru("PWD1", "tajne", "");
    EXPECT_EQ(reg.read(kBase, "PWD1"), "tajne");
    EXPECT_EQ(k.najdi_promennou("PWD1"), nullptr);
}

TEST_F(KonfiguraceTest, WriteAllCreatesMissingKeysAndKeepsOtherValues)
{
    reg.write(kInstance, "Jine", "zustane");
    konfiguracni_hodnoty k(kBase, "Sberac");
    k.nastav_promennou("Varianta_zobrazeni", "2", "Sberac");
    k.nastav_promennou("Novy", "x", "Ustredna\\Brno");
    k.zapis_do_registru();
    EXPECT_EQ(reg.read(kInstance, "Varianta_zobrazeni"), "2");
    EXPECT_EQ(reg.read(kInstance, "Jine"), "zustane");
    EXPECT_EQ(reg.read(kBase + "Ustredna\\Brno", "Novy"), "x");

    // A second store sees what the first wrote.
    konfiguracni_hodnoty k2(kBase, "Sberac");
    EXPECT_EQ(k2.zjisti_hodnotu("Varianta_zobrazeni"), "2");
}
