// Charged calls with unknown prefixes and the entry of their state and city.
#include "external_directory/nezname_predvolby.h"
#include "platform/database.h"
#include "tarifovani_data.h"
#include "test_env.h"

#include <gtest/gtest.h>

using namespace kavro;
using namespace kavro::test;

namespace {

class NeznameTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(env.ok()) << env.error().toStdString(); }

    // A call as the tariffing leaves it.
    static void hovor(qint64 id, const QString& cislo, const QVariant& stat, const QVariant& mesto,
                      const QString& typ = "C", int tarifovat = 1)
    {
        ASSERT_TRUE(Transaction::main().exec(
            "INSERT INTO dba.hovory (id_hovoru, ustredna_datum_a_cas, ustredna_delka_hovoru, ustredna_volane_cislo, "
            "ustredna_cislo_pobocky, kod_statu, kod_mesta, typ_hovoru, tarifovat_hovor, status_hovoru) "
            "VALUES (?, ?, '00:01:10', ?, '100', ?, ?, ?, ?, 10)",
            {id, QString("2024-03-05 10:00:%1").arg(id, 2, 10, QChar('0')), cislo, stat, mesto, typ, tarifovat}));
    }

    static QString stat(const QString& kod)
    {
        return Transaction::main().scalar("SELECT nazev_statu || '|' || id_pasma FROM dba.ciselnik_statu WHERE kod_statu = ?",
                                          {kod});
    }
    static QString mesto(const QString& s, const QString& m)
    {
        return Transaction::main().scalar("SELECT nazev_mesta || '|' || id_pasma || '|' || Cislo_TTO FROM dba.ciselnik_mest "
                                          "WHERE kod_statu = ? AND kod_mesta = ?",
                                          {s, m});
    }

    TestEnv env;
};

} // namespace

TEST_F(NeznameTest, ListsChargedOutgoingCallsMissingAStateOrCity)
{
    hovor(1, "00999123", QVariant(), QVariant());
    hovor(2, "00999123", QVariant(), QVariant());
    hovor(3, "0049991234", "49", QVariant());
    hovor(4, "0049301234", "49", "30");                          // both codes known
    hovor(5, "*IN123", QVariant(), QVariant(), "P");             // incoming
    hovor(6, "00888", QVariant(), QVariant(), "C", 0);           // not charged
    hovor(7, "00123456789012345678901234567", QVariant(), QVariant());
    std::vector<Struktura_novy_tarif_udaj> r;
    Nezname_predvolby n;
    ASSERT_TRUE(n.nacti_data(r)) << n.chyba().toStdString();
    ASSERT_EQ(r.size(), 4u);
    EXPECT_EQ(r[0].volane_cislo, "00123456789012345678901234567");
    EXPECT_EQ(r[1].volane_cislo, "0049991234");
    EXPECT_EQ(r[1].kod_statu, "49");
    EXPECT_EQ(r[2].volane_cislo, "00999123");
    EXPECT_EQ(r[3].volane_cislo, "00999123");
    EXPECT_EQ(r[2].kod_statu, "");
    EXPECT_EQ(Nezname_predvolby::Uprav_Item(r[2]), "100 - 00999123" + QString(17, ' ') + " - 2024-03-05 10:00:01 - 00:01:10");
    EXPECT_EQ(Nezname_predvolby::Uprav_Item(r[0]).mid(6, 25), "0012345678901234567890123");
}

TEST_F(NeznameTest, StateAndCityAreStoredUnassigned)
{
    Zapis_statu_mesta z;
    ASSERT_EQ(z.Uloz_vety(true, "999", "Atlantida", "12", "Poseidonie"), Zapis_statu_mesta::Vysledek::Ulozeno)
        << z.zprava().toStdString();
    EXPECT_EQ(stat("999"), "Atlantida|9999");
    EXPECT_EQ(mesto("999", "12"), "Poseidonie|9999|9999");
    // A known state: only the city, under the call's code; a name with an apostrophe.
    ASSERT_EQ(z.Uloz_vety(false, "999", "", "13", "Kap'tal"), Zapis_statu_mesta::Vysledek::Ulozeno);
    EXPECT_EQ(mesto("999", "13"), "Kap'tal|9999|9999");
    // Both names empty: nothing to store, nothing refused.
    EXPECT_EQ(z.Uloz_vety(true, "", "", "", ""), Zapis_statu_mesta::Vysledek::Ulozeno);
}

TEST_F(NeznameTest, MissingOrExistingCodesAreRefusedBeforeAnythingIsWritten)
{
    Zapis_statu_mesta z;
    ASSERT_EQ(z.Uloz_vety(true, "999", "Atlantida", "12", "Poseidonie"), Zapis_statu_mesta::Vysledek::Ulozeno);
    const qint64 staty = countWhere("ciselnik_statu", "1 = 1"), mesta = countWhere("ciselnik_mest", "1 = 1");
    EXPECT_EQ(z.Uloz_vety(true, "999", "Znovu", "14", "Nové"), Zapis_statu_mesta::Vysledek::Odmitnuto);
    EXPECT_TRUE(z.zprava().contains("už v seznamu"));
    EXPECT_EQ(z.Uloz_vety(false, "999", "", "12", "Znovu"), Zapis_statu_mesta::Vysledek::Odmitnuto);
    EXPECT_EQ(z.Uloz_vety(true, "", "Bez kódu", "", ""), Zapis_statu_mesta::Vysledek::Odmitnuto);
    EXPECT_EQ(z.Uloz_vety(false, "", "", "15", "Bez státu"), Zapis_statu_mesta::Vysledek::Odmitnuto);
    EXPECT_EQ(z.Uloz_vety(true, "998", "Nový", "", "Bez kódu"), Zapis_statu_mesta::Vysledek::Odmitnuto);
    EXPECT_EQ(countWhere("ciselnik_statu", "1 = 1"), staty);
    EXPECT_EQ(countWhere("ciselnik_mest", "1 = 1"), mesta);
}

TEST_F(NeznameTest, CallerAndStateNameOfTheCall)
{
    hovor(1, "00999123", QVariant(), QVariant());
    ASSERT_TRUE(Transaction::main().exec("UPDATE dba.hovory SET popis_osob = 'Novák'"));
    Zapis_statu_mesta z;
    Zapis_statu_mesta::Volajici v;
    ASSERT_TRUE(z.volajici("00999123", v));
    EXPECT_EQ(v.osoba, "100 - Novák");
    ASSERT_TRUE(z.volajici("00999", v));
    EXPECT_EQ(v.osoba, "");
    QString nazev;
    ASSERT_TRUE(z.nazev_statu("420", nazev));
    EXPECT_FALSE(nazev.isEmpty());
    ASSERT_TRUE(z.nazev_statu("99999", nazev));
    EXPECT_EQ(nazev, "");
}

TEST_F(NeznameTest, ARefusedCityUndoesTheStateWrittenBeforeIt)
{
    ASSERT_TRUE(kavro::test::odmitajZapis(Transaction::main(), "odmitni", "INSERT", "ciselnik_mest", "1 = 1", "odmítnuto"));
    Zapis_statu_mesta z;
    EXPECT_EQ(z.Uloz_vety(true, "999", "Atlantida", "12", "Poseidonie"), Zapis_statu_mesta::Vysledek::Chyba);
    EXPECT_TRUE(z.zprava().contains("odmítnuto"));
    EXPECT_EQ(countWhere("ciselnik_statu", "kod_statu = '999'"), 0);
}
