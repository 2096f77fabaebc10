// The directory's trees, writes and node operations on a directory with
// three years of history, each operation kept ("Ulož") and dropped ("Opusť").
#include "directory_fixture.h"
#include "tarifovani_data.h"
#include "test_env.h"

#include "internal_directory/seznam_pobocek.h"
#include "platform/clock.h"
#include "platform/database.h"
#include "platform/unit_of_work.h"
#include "tariffing/tarifovani.h"

#include <gtest/gtest.h>

using namespace kavro;
using namespace kavro::test;

namespace {

const QString kTed = QStringLiteral("2024-06-01 10:00:00");
const QString kPotom = QStringLiteral("2024-06-01 10:00:01");

QString skalar(const QString& sql, const QVariantList& p = {})
{
    return Transaction::main().scalar(sql, p);
}

class SeznamPobocekTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(env.ok()) << env.error().toStdString();
        QString chyba;
        ASSERT_TRUE(fillDirectoryFixture(&chyba)) << chyba.toStdString();
        ASSERT_TRUE(Transaction::main().commit());
        clock::setFixedNow(QDateTime::fromString(kTed, QStringLiteral("yyyy-MM-dd hh:mm:ss")));
        s.nastavUstrednu(QStringLiteral("Ústředna"));
        otevri(kTed, 1);
    }
    void TearDown() override { clock::setFixedNow(QDateTime()); }

    void otevri(const QString& okamzik, int pohled)
    {
        s.nastavPohled(pohled);
        s.nastavOkamzik(okamzik);
        s.nacti();
    }
    QModelIndex uzel(const QStringList& cesta) { return najdiUzel(s.strom(), QStringList{QStringLiteral("Ústředna")} + cesta); }
    // Ends the window's unit as "Ulož" (true) or "Opusť" (false) would.
    void ukonci(bool ulozit)
    {
        if (ulozit) ASSERT_TRUE(prace->commit());
        else prace->rollback();
    }
    QStringList pool()
    {
        QStringList v;
        for (int i = 0; i < s.volne().rowCount(); ++i) v << s.volne().index(i, 0).data().toString();
        return v;
    }

    TestEnv env;
    SeznamPobocek s{Transaction::main()};
    std::unique_ptr<UnitOfWork> prace = std::make_unique<UnitOfWork>();
};

TEST_F(SeznamPobocekTest, BothViewsShowTheDirectoryAsOfTheMoment)
{
    otevri(QStringLiteral("2021-06-01 00:00:00"), 1);
    EXPECT_EQ(vypisStrom(s.strom()).join('\n').toStdString(),
              QStringList({"R Ústředna", "  F Alfa", "    S Obchod", "      O Novák Jan", "        T 200",
                           "      O Svoboda Petr", "      T 201", "    S Sklad", "      T 206", "    T 202", "  F Beta",
                           "    S Výroba", "      O Dvořák Karel", "  T 205"})
                  .join('\n')
                  .toStdString());
    EXPECT_EQ(pool(), QStringList({"203", "204", "207"}));

    otevri(kTed, 1);
    EXPECT_EQ(vypisStrom(s.strom()).join('\n').toStdString(),
              QStringList({"R Ústředna", "  F Alfa", "    S Obchod", "      O Novák Jan", "        T 207",
                           "      O Svoboda Petr", "        T 200", "      T 201", "    T 202", "  F Beta", "    S Výroba",
                           "      O Dvořák Karel", "        T 203", "  T 205"})
                  .join('\n')
                  .toStdString());
    EXPECT_EQ(pool(), QStringList({"204", "206"}));

    otevri(kTed, 2);
    EXPECT_EQ(vypisStrom(s.strom()).join('\n').toStdString(),
              QStringList({"R Ústředna", "  F Alfa", "    S Obchod", "      T 200", "        O Svoboda Petr", "      T 201",
                           "      T 207", "        O Novák Jan", "    T 202", "  F Beta", "    S Výroba", "      T 203",
                           "        O Dvořák Karel", "  T 205"})
                  .join('\n')
                  .toStdString());

    // At the very moment 200 passes on, both holders have it.
    otevri(QStringLiteral("2023-06-30 12:00:00"), 1);
    EXPECT_TRUE(uzel({"Alfa", "Obchod", "Novák Jan", "200"}).isValid());
    EXPECT_TRUE(uzel({"Alfa", "Obchod", "Svoboda Petr", "200"}).isValid());

    // Pool nodes carry their rows' validity.
    EXPECT_EQ(pool(), QStringList({"203", "204", "206"}));
    const Struct_std* p = SeznamPobocek::zaznam(s.volne().index(1, 0));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->Pocatek_platnosti, QStringLiteral("2021-01-01 00:00:00"));
    EXPECT_EQ(p->Konec_platnosti, QStringLiteral("9999-12-31 23:59:59"));
}

TEST_P(SeznamPobocekTest, NewFirmDepartmentPersonAndExtension)
{
    const bool ulozit = GetParam();
    // A firm started from Alfa's menu first, so the exchange record holds Alfa's surcharge.
    s.vypln(1, 1, uzel({"Alfa"}));
    FDX_Firmy f = s.vypln(1, 1, uzel({}));
    EXPECT_TRUE(f.Procentualni_navyseni.isEmpty());
    f.Nazev_firmy = QStringLiteral("Gama's");
    f.OK = true;
    const QModelIndex firma = s.novy_uzel(1, uzel({}), true, f);
    ASSERT_TRUE(firma.isValid()) << s.chyba().toStdString();
    const QString idFirmy = SeznamPobocek::zaznam(firma)->ID_firmy;
    EXPECT_EQ(idFirmy, skalar(QStringLiteral("SELECT max(ID_Firmy) FROM dba.ciselnik_firem")));
    EXPECT_EQ(skalar(QStringLiteral("SELECT procentualni_navyseni FROM dba.ciselnik_firem WHERE ID_Firmy = ?"), {idFirmy}), QString());

    FDX_Firmy d = s.vypln(2, 1, firma);
    d.Nazev_oddeleni = QStringLiteral("Nové");
    d.OK = true;
    const QModelIndex odd = s.novy_uzel(2, firma, false, d);
    ASSERT_TRUE(odd.isValid());
    FDX_Firmy o = s.vypln(3, 1, odd);
    o.Prijmeni = QStringLiteral("Malá");
    o.Jmeno = QStringLiteral("Eva");
    o.OK = true;
    const QModelIndex osoba = s.novy_uzel(3, odd, false, o);
    ASSERT_TRUE(osoba.isValid());
    // 204 is free: the line is taken from the pool, its free row ends at the start.
    FDX_Firmy l = s.vypln(4, 1, osoba);
    EXPECT_TRUE(l.Cislo_pobocky.isEmpty());
    l.Cislo_pobocky = QStringLiteral("204");
    l.OK = true;
    const QModelIndex linka = s.novy_uzel(4, osoba, false, l);
    ASSERT_TRUE(linka.isValid()) << s.chyba().toStdString();
    EXPECT_EQ(pool(), QStringList({"206"}));
    const Struct_std* rOsoba = SeznamPobocek::zaznam(osoba);
    EXPECT_EQ(radkyPobocky(QStringLiteral("204")),
              QStringList({"2021-01-01 00:00:00|" + kTed + "|9999|9999|9999",
                           kTed + "|9999-12-31 23:59:59|" + idFirmy + "|" + rOsoba->ID_oddeleni + "|" + rOsoba->ID_osoby}));
    for (const QString& id : {idFirmy, rOsoba->ID_oddeleni, rOsoba->ID_osoby}) {
        EXPECT_NE(id, QStringLiteral("9999"));
        EXPECT_NE(id, QStringLiteral("0"));
    }
    EXPECT_TRUE(s.zmeneno());

    ukonci(ulozit);
    otevri(kPotom, 1);
    EXPECT_EQ(uzel({"Gama's", "Nové", "Malá Eva", "204"}).isValid(), ulozit);
    EXPECT_EQ(skalar(QStringLiteral("SELECT count(*) FROM dba.ciselnik_osob WHERE prijmeni = 'Malá'")),
              ulozit ? QStringLiteral("1") : QStringLiteral("0"));
    EXPECT_EQ(pool(), ulozit ? QStringList({"206"}) : QStringList({"204", "206"}));
}

TEST_P(SeznamPobocekTest, EditsChangeOnlyTheRowOfTheNode)
{
    const bool ulozit = GetParam();
    FDX_Firmy f = s.vypln(1, 2, uzel({"Alfa"}));
    f.Nazev_firmy = QStringLiteral("Alfa a.s.");
    f.OK = true;
    ASSERT_TRUE(s.oprav_uzel(1, uzel({"Alfa"}), f));
    EXPECT_EQ(skalar(QStringLiteral("SELECT pausalni_poplatek FROM dba.ciselnik_firem WHERE ID_Firmy = 5")), QStringLiteral("200"));

    // 207 renumbered to 208 with a new end: the row of this period only; the
    // earlier period of the same key keeps its number and end.
    const QModelIndex l = uzel({"Alfa a.s.", "Obchod", "Novák Jan", "207"});
    FDX_Firmy e = s.vypln(4, 2, l);
    EXPECT_EQ(e.Pocatek_platnosti, QStringLiteral("2022-01-01 00:00:00"));
    e.Cislo_pobocky = QStringLiteral("208");
    e.Konec_platnosti = QStringLiteral("2030-01-01 00:00:00");
    e.OK = true;
    ASSERT_TRUE(s.oprav_uzel(4, l, e)) << s.chyba().toStdString();
    EXPECT_EQ(radkyPobocky(QStringLiteral("208")), QStringList({"2022-01-01 00:00:00|2030-01-01 00:00:00|5|50|7"}));
    EXPECT_EQ(radkyPobocky(QStringLiteral("207")),
              QStringList({"2020-01-01 00:00:00|2021-01-01 00:00:00|5|50|7", "2021-01-01 00:00:00|2022-01-01 00:00:00|9999|9999|9999"}));
    // A second edit finds the row under its new number.
    e = s.vypln(4, 2, l);
    e.Konec_platnosti = QStringLiteral("2031-01-01 00:00:00");
    e.OK = true;
    ASSERT_TRUE(s.oprav_uzel(4, l, e)) << s.chyba().toStdString();
    EXPECT_EQ(radkyPobocky(QStringLiteral("208")), QStringList({"2022-01-01 00:00:00|2031-01-01 00:00:00|5|50|7"}));
    // A number someone holds cannot be taken by a renumbering.
    e = s.vypln(4, 2, l);
    e.Cislo_pobocky = QStringLiteral("201");
    e.OK = true;
    EXPECT_FALSE(s.oprav_uzel(4, l, e));
    EXPECT_TRUE(s.obsazeno());

    ukonci(ulozit);
    EXPECT_EQ(skalar(QStringLiteral("SELECT nazev_firmy FROM dba.ciselnik_firem WHERE ID_Firmy = 5")),
              ulozit ? QStringLiteral("Alfa a.s.") : QStringLiteral("Alfa"));
    EXPECT_EQ(radkyPobocky(QStringLiteral("207")).size(), ulozit ? 2 : 3);
}

TEST_P(SeznamPobocekTest, EndingADepartmentEndsEverythingBelowIt)
{
    const bool ulozit = GetParam();
    const QString konec = QStringLiteral("2024-05-01 08:00:00");
    ASSERT_TRUE(s.ukonci_uzel(uzel({"Alfa", "Obchod"}), konec)) << s.chyba().toStdString();
    EXPECT_FALSE(uzel({"Alfa", "Obchod"}).isValid());
    EXPECT_TRUE(uzel({"Alfa", "202"}).isValid());
    EXPECT_EQ(skalar(QStringLiteral("SELECT count(*) FROM dba.prirazeni_pobocek WHERE ID_Oddeleni = 50 AND Konec_platnosti = ?"),
                     {konec}),
              QStringLiteral("6"));
    // Earlier periods of 200 and 207 keep their ends.
    EXPECT_EQ(radkyPobocky(QStringLiteral("207")).first(), QStringLiteral("2020-01-01 00:00:00|2021-01-01 00:00:00|5|50|7"));
    EXPECT_EQ(radkyPobocky(QStringLiteral("200")).first(), QStringLiteral("2020-01-01 00:00:00|2023-06-30 12:00:00|5|50|7"));
    ukonci(ulozit);
    otevri(kTed, 1);
    EXPECT_EQ(uzel({"Alfa", "Obchod"}).isValid(), !ulozit);
    otevri(QStringLiteral("2024-04-30 00:00:00"), 1);
    EXPECT_TRUE(uzel({"Alfa", "Obchod", "Svoboda Petr", "200"}).isValid());
}

TEST_P(SeznamPobocekTest, EndingAnExtensionPutsItIntoThePool)
{
    const bool ulozit = GetParam();
    const QString konec = QStringLiteral("2024-05-01 08:00:00");
    ASSERT_TRUE(s.ukonci_pobocku(uzel({"Alfa", "Obchod", "Svoboda Petr", "200"}), konec));
    EXPECT_EQ(pool(), QStringList({"204", "206", "200"}));
    // A line given in this opening is ended like any other before it goes to the pool.
    FDX_Firmy l = s.vypln(4, 1, uzel({"Beta"}));
    l.Cislo_pobocky = QStringLiteral("209");
    l.OK = true;
    const QModelIndex nova = s.novy_uzel(4, uzel({"Beta"}), false, l);
    ASSERT_TRUE(nova.isValid()) << s.chyba().toStdString();
    ASSERT_TRUE(s.ukonci_pobocku(nova, kTed));
    EXPECT_EQ(radkyPobocky(QStringLiteral("209")),
              QStringList({kTed + "|" + kTed + "|6|0|0", kTed + "|9999-12-31 23:59:59|9999|9999|9999"}));
    EXPECT_EQ(pool().last(), QStringLiteral("209"));
    ukonci(ulozit);
    EXPECT_EQ(radkyPobocky(QStringLiteral("200")).size(), ulozit ? 3 : 2);
    EXPECT_EQ(radkyPobocky(QStringLiteral("209")).size(), ulozit ? 2 : 0);
}

TEST_P(SeznamPobocekTest, WatchMarksOnlyTheShownRowAndCanBeCleared)
{
    const bool ulozit = GetParam();
    const QModelIndex l = uzel({"Alfa", "Obchod", "Novák Jan", "207"});
    const QString dohled = QStringLiteral("SELECT Dohled FROM dba.prirazeni_pobocek WHERE Cislo_pobocky = '207' AND Pocatek_platnosti = ?");
    ASSERT_TRUE(s.prepni_sledovani(l));
    EXPECT_EQ(skalar(dohled, {QStringLiteral("2022-01-01 00:00:00")}), QStringLiteral("+"));
    EXPECT_EQ(skalar(dohled, {QStringLiteral("2020-01-01 00:00:00")}), QStringLiteral("-"));
    EXPECT_EQ(skalar(QStringLiteral("SELECT Konec_platnosti FROM dba.prirazeni_pobocek WHERE Cislo_pobocky = '207'"
                                    " AND Pocatek_platnosti = '2022-01-01 00:00:00'")),
              QStringLiteral("9999-12-31 23:59:59"));
    ASSERT_TRUE(s.prepni_sledovani(l));
    EXPECT_EQ(skalar(dohled, {QStringLiteral("2022-01-01 00:00:00")}), QStringLiteral("-"));

    // A person under an extension (view 2): set, then cleared again.
    otevri(kTed, 2);
    const QModelIndex p = uzel({"Alfa", "Obchod", "200", "Svoboda Petr"});
    ASSERT_TRUE(s.prepni_sledovani(p));
    const QString osoba = QStringLiteral("SELECT Dohled FROM dba.prirazeni_pobocek WHERE Cislo_pobocky = '200' AND ID_Osoby = ?");
    EXPECT_EQ(skalar(osoba, {8}), QStringLiteral("+"));
    EXPECT_EQ(SeznamPobocek::zaznam(p)->Dohled, QStringLiteral("+"));
    ukonci(ulozit);
    otevri(kTed, 2);
    EXPECT_EQ(SeznamPobocek::zaznam(uzel({"Alfa", "Obchod", "200", "Svoboda Petr"}))->Dohled,
              ulozit ? QStringLiteral("+") : QStringLiteral("-"));
    ASSERT_TRUE(s.prepni_sledovani(uzel({"Alfa", "Obchod", "200", "Svoboda Petr"})));
    EXPECT_EQ(skalar(osoba, {8}), ulozit ? QStringLiteral("-") : QStringLiteral("+"));
    EXPECT_EQ(skalar(osoba, {7}), QStringLiteral("-"));
}

TEST_P(SeznamPobocekTest, PersonOnAnExtensionReopensNothing)
{
    const bool ulozit = GetParam();
    // An earlier, ended row of 201 in another department without a person.
    ASSERT_TRUE(Query().execute(QStringLiteral("INSERT INTO dba.prirazeni_pobocek (Cislo_pobocky, Pocatek_platnosti,"
                                               " Konec_platnosti, ID_firmy, ID_Oddeleni, ID_Osoby) VALUES"
                                               " ('201', '2019-01-01 00:00:00', '2019-12-31 23:59:59', 5, 51, 0)")));
    otevri(kTed, 2);
    const QModelIndex l = uzel({"Alfa", "Obchod", "201"});
    FDX_Firmy f = s.vypln(3, 1, l);
    f.Prijmeni = QStringLiteral("Nová");
    f.Jmeno = QStringLiteral("Iva");
    f.OK = true;
    const QModelIndex o = s.novy_uzel(3, l, false, f);
    ASSERT_TRUE(o.isValid()) << s.chyba().toStdString();
    const QString id = SeznamPobocek::zaznam(o)->ID_osoby;
    EXPECT_EQ(radkyPobocky(QStringLiteral("201")),
              QStringList({"2019-01-01 00:00:00|2019-12-31 23:59:59|5|51|0", "2020-01-01 00:00:00|" + kTed + "|5|50|0",
                           kTed + "|9999-12-31 23:59:59|5|50|" + id}));
    // Ending her in this view gives the number back to the department.
    const QString konec = QStringLiteral("2024-07-01 00:00:00");
    ASSERT_TRUE(s.ukonci_uzel(o, konec)) << s.chyba().toStdString();
    EXPECT_EQ(radkyPobocky(QStringLiteral("201")).last(), konec + "|9999-12-31 23:59:59|5|50|0");
    ukonci(ulozit);
    EXPECT_EQ(radkyPobocky(QStringLiteral("201")).size(), ulozit ? 4 : 1);
}

TEST_F(SeznamPobocekTest, MovesAreCheckedFirstAndUndoneWhole)
{
    // An edit made before stays whatever the moves do.
    FDX_Firmy f = s.vypln(1, 2, uzel({"Beta"}));
    f.Nazev_firmy = QStringLiteral("Beta s.r.o.");
    f.OK = true;
    ASSERT_TRUE(s.oprav_uzel(1, uzel({"Beta"}), f));
    // Refused before anything is written: a row that begins after the moment,
    // a number that someone holds after the moment.
    otevri(QStringLiteral("2023-01-01 00:00:00"), 1);
    s.nastavOkamzikZmeny(QStringLiteral("2021-12-01 00:00:00"));
    EXPECT_FALSE(s.prenes_Item(s.strom(), uzel({"Alfa", "Obchod", "Novák Jan", "207"}), s.volne(), {}).isValid());
    s.nastavOkamzikZmeny(QStringLiteral("2023-02-01 00:00:00"));
    EXPECT_FALSE(s.prenes_Item(s.strom(), uzel({"Alfa", "Obchod", "Novák Jan", "200"}), s.strom(),
                               uzel({"Beta s.r.o.", "Výroba", "Dvořák Karel"}))
                     .isValid());
    EXPECT_TRUE(s.obsazeno());
    EXPECT_EQ(radkyPobocky(QStringLiteral("200")).size(), 2);
    EXPECT_EQ(radkyPobocky(QStringLiteral("207")).size(), 3);

    otevri(kTed, 1);
    const QStringList predtim = vypisStrom(s.strom());

    // A write that fails midway: the source row is ended, then the new row is refused.
    ASSERT_TRUE(kavro::test::odmitajZapis(
        Transaction::main(), QStringLiteral("odmitni"), QStringLiteral("INSERT"), QStringLiteral("prirazeni_pobocek"),
        QStringLiteral("NEW.Cislo_pobocky = '202' AND NEW.ID_firmy = 6"), QStringLiteral("odmítnuto")));
    s.nastavOkamzikZmeny(kTed);
    EXPECT_FALSE(s.prenes_Item(s.strom(), uzel({"Alfa", "202"}), s.strom(), uzel({"Beta s.r.o.", "Výroba", "Dvořák Karel"}))
                     .isValid());
    EXPECT_TRUE(s.chyba().contains(QStringLiteral("odmítnuto")));
    EXPECT_EQ(radkyPobocky(QStringLiteral("202")), QStringList({"2020-01-01 00:00:00|9999-12-31 23:59:59|5|0|0"}));
    EXPECT_EQ(vypisStrom(s.strom()), predtim);
    ASSERT_TRUE(
        kavro::test::povolZapis(Transaction::main(), QStringLiteral("odmitni"), QStringLiteral("prirazeni_pobocek")));

    // Ending a department refused midway (a person's line starts after the end).
    EXPECT_FALSE(s.ukonci_uzel(uzel({"Alfa", "Obchod"}), QStringLiteral("2023-01-01 00:00:00")));
    EXPECT_EQ(skalar(QStringLiteral("SELECT count(*) FROM dba.prirazeni_pobocek WHERE Konec_platnosti = '2023-01-01 00:00:00'")),
              QStringLiteral("0"));
    EXPECT_EQ(vypisStrom(s.strom()), predtim);

    // The same move allowed: the line leaves the firm and joins Dvořák.
    const QModelIndex n = s.prenes_Item(s.strom(), uzel({"Alfa", "202"}), s.strom(), uzel({"Beta s.r.o.", "Výroba", "Dvořák Karel"}));
    ASSERT_TRUE(n.isValid()) << s.chyba().toStdString();
    EXPECT_EQ(radkyPobocky(QStringLiteral("202")),
              QStringList({"2020-01-01 00:00:00|" + kTed + "|5|0|0", kTed + "|9999-12-31 00:00:00|6|60|9"}));
    ASSERT_TRUE(prace->commit());
    EXPECT_EQ(skalar(QStringLiteral("SELECT nazev_firmy FROM dba.ciselnik_firem WHERE ID_Firmy = 6")), QStringLiteral("Beta s.r.o."));
}

// After the window's changes a tariffing run names each call's holder at its time.
TEST_F(SeznamPobocekTest, TariffingNamesTheHolderAtTheTimeOfEachCall)
{
    QString chyba;
    ASSERT_TRUE(fillTariffData(&chyba)) << chyba.toStdString();
    ASSERT_TRUE(prace->commit());
    otevri(kTed, 1);
    s.nastavOkamzikZmeny(QStringLiteral("2024-03-01 12:00:00"));
    ASSERT_TRUE(s.prenes_Item(s.strom(), uzel({"Alfa", "Obchod", "Svoboda Petr", "200"}), s.strom(),
                              uzel({"Beta", "Výroba", "Dvořák Karel"}))
                    .isValid())
        << s.chyba().toStdString();
    ASSERT_TRUE(prace->commit());
    const QStringList kdy = {"2023-01-10 09:00:00", "2024-02-10 09:00:00", "2024-03-10 09:00:00"};
    for (int i = 0; i < kdy.size(); ++i) {
        Call c;
        c.id = i + 1;
        c.when = kdy[i];
        c.number = QStringLiteral("2345678");
        c.extension = QStringLiteral("200");
        ASSERT_TRUE(addCall(c));
    }
    ASSERT_TRUE(Transaction::main().commit());
    Tarifovani t(Transaction::main());
    ASSERT_EQ(t.tarifikuj(), Tarifovani::Vysledek::Hotovo) << t.message().toStdString();
    EXPECT_EQ(callValue(1, QStringLiteral("popis_osob")), QStringLiteral("Novák"));
    EXPECT_EQ(callValue(1, QStringLiteral("id_firmy")), QStringLiteral("5"));
    EXPECT_EQ(callValue(2, QStringLiteral("popis_osob")), QStringLiteral("Svoboda"));
    EXPECT_EQ(callValue(3, QStringLiteral("popis_osob")), QStringLiteral("Dvořák"));
    EXPECT_EQ(callValue(3, QStringLiteral("id_firmy")), QStringLiteral("6"));
    EXPECT_EQ(callValue(3, QStringLiteral("id_oddeleni")), QStringLiteral("60"));
}

INSTANTIATE_TEST_SUITE_P(UlozOpust, SeznamPobocekTest, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Uloz" : "Opust"; });

} // namespace
