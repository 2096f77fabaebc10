// The work table of the import and the storing of subscribers under the three
// rules for an existing one, against a real database.
#include "external_directory/import_vnejsiho_seznamu.h"
#include "platform/cp1250.h"
#include "platform/database.h"
#include "vnejsi_fixture.h"

#include <gtest/gtest.h>

using namespace kavro;
using namespace kavro::test;

namespace {

using Import = Import_vnejsiho_seznamu;

class ImportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString chyba = naplnSeznam(env);
        ASSERT_TRUE(chyba.isEmpty()) << chyba.toStdString();
        ASSERT_TRUE(imp.nacti_misto());
        ASSERT_TRUE(imp.mistoNastaveno());
    }

    // Loads the lines and returns the review rows as "upper/lower: number firm popis state area".
    QStringList nacti(const QString& soubor)
    {
        Soubor_vnejsiho_tel_seznamu s;
        EXPECT_EQ(s.rozeber(toCp1250(soubor)), Soubor_vnejsiho_tel_seznamu::Stav::Nacteno);
        EXPECT_EQ(imp.Zpracuj_data(s.radky()), Import::Konec::Hotovo) << imp.chyba().toStdString();
        std::vector<Import::Radek_prehledu> radky;
        EXPECT_TRUE(imp.prehled(radky));
        QStringList out;
        polozky.clear();
        for (const auto& r : radky) {
            out << QString("%1: %2|%3|%4|%5|%6").arg(r.ulozit ? "ulozit" : "ne", r.data.kod_volane_cislo, r.data.firma,
                                                     r.data.popis, r.data.kod_statu, r.data.kod_mesta);
            if (r.ulozit) polozky.push_back(r.data);
        }
        return out;
    }

    static QString ucastnik(const QString& stat, const QString& mesto, const QString& cislo)
    {
        Query q(Transaction::main(), "SELECT nazev_ucastnika, Firma, Soukrome FROM dba.ciselnik_ucastniku "
                                     "WHERE kod_statu = ? AND kod_mesta = ? AND Cislo_ucastnika = ?");
        q.bindAll({stat, mesto, cislo});
        if (!q.run() || q.atEnd()) return "<none>";
        return q.value(1) + "|" + q.value(2) + "|" + q.value(3);
    }

    TestEnv env;
    Import imp;
    std::vector<Import::Data_vety> polozky;
};

} // namespace

TEST_F(ImportTest, ReviewSeparatesResolvedAndDescribedNumbers)
{
    const QStringList r = nacti("0561234,Jihlava 1,Firma A\r\n"
                                "2999,,\r\n"                      // resolved, but neither description nor subscriber
                                "0912345,Neznama,Firma\r\n"       // area code not in the directory
                                "\r\n"                            // an empty number
                                "0049 30 1234,O'Brien,Pub\r\n");
    EXPECT_EQ(r, (QStringList{"ulozit: 1234|Firma A|Jihlava 1|420|56", "ne: 2999|||420|2", "ne: |Firma|Neznama|420|",
                              "ne: ||||", "ulozit: 1234|Pub|O'Brien|49|30"}));
    EXPECT_EQ(countWhere("p_import_ext_seznamu", "typ_volani = 'X' AND kod_statu IS NULL"), 1);
    // Loading again replaces the rows.
    nacti("777,Obchod,Firma\r\n");
    EXPECT_EQ(countWhere("p_import_ext_seznamu", "1 = 1"), 1);
}

TEST_F(ImportTest, NewSubscribersAreInsertedWithTheDefaultMark)
{
    nacti("0561234,Jihlava 1,Firma A\r\n0049 30 1234,O'Brien,Pub");
    const Import::Vysledek_ulozeni v = imp.uloz(polozky, Import::Volba::Ponechat_puvodni);
    EXPECT_EQ(v.vlozeno, 2);
    EXPECT_EQ(ucastnik("420", "56", "1234"), "Jihlava 1|Firma A|F");
    EXPECT_EQ(ucastnik("49", "30", "1234"), "O'Brien|Pub|F");
}

TEST_F(ImportTest, ExistingSubscribersFollowTheChosenRule)
{
    // 2345 exists as "Kratší"; the same number comes twice in the file.
    nacti("2345,Nový,Firma 1\r\n2345,Novější,Firma 2\r\n23457,Jiný,Firma 3\r\n");
    ASSERT_EQ(polozky.size(), 3u);

    Import::Vysledek_ulozeni v = imp.uloz(polozky, Import::Volba::Ponechat_puvodni);
    EXPECT_EQ(v.ponechano, 2);
    EXPECT_EQ(v.vlozeno, 1);  // a number that only begins with an existing one is another subscriber
    EXPECT_EQ(ucastnik("420", "2", "2345"), "Kratší||F");
    EXPECT_EQ(ucastnik("420", "2", "23457"), "Jiný|Firma 3|F");

    v = imp.uloz(polozky, Import::Volba::Prepsat);
    EXPECT_EQ(v.prepsano, 3);
    EXPECT_EQ(ucastnik("420", "2", "2345"), "Novější|Firma 2|F");  // the second line wins

    // "Dotaz" asks once for every existing one: No keeps, Yes overwrites.
    QStringList otazky;
    v = imp.uloz(polozky, Import::Volba::Dotaz, [&](const Import::Data_vety& d) {
        otazky << d.kod_volane_cislo + " " + d.popis;
        return d.popis == "Nový";
    });
    EXPECT_EQ(otazky, (QStringList{"2345 Nový", "2345 Novější", "23457 Jiný"}));
    EXPECT_EQ(v.prepsano, 1);
    EXPECT_EQ(v.ponechano, 2);
    EXPECT_EQ(ucastnik("420", "2", "2345"), "Nový|Firma 1|F");
}

TEST_F(ImportTest, RefusedStoresAreCountedAndTheRestStored)
{
    ASSERT_TRUE(kavro::test::odmitajZapis(Transaction::main(), "odmitni", "INSERT", "ciselnik_ucastniku",
                                          "NEW.nazev_ucastnika = 'Zlý'", "odmítnuto"));
    nacti("111111,Dobrý,F\r\n222222,Zlý,F\r\n333333,Dobrý,F\r\n");
    const Import::Vysledek_ulozeni v = imp.uloz(polozky, Import::Volba::Prepsat);
    EXPECT_EQ(v.vlozeno, 2);
    EXPECT_EQ(v.chyby, 1);
    EXPECT_TRUE(v.prvni_chyba.contains("odmítnuto"));
    EXPECT_EQ(ucastnik("420", "2", "333333"), "Dobrý|F|F");
}

TEST_F(ImportTest, CancelIsHeardAtEveryItemAndUndoesOnlyItsOwnWrites)
{
    nacti("111111,Jedna,F\r\n");
    std::vector<Import::Data_vety> patnact(15, polozky.front());
    for (size_t i = 0; i < patnact.size(); ++i) patnact[i].kod_volane_cislo = QString::number(500000 + i);
    // "Přerušit" pressed while the fourth number is stored, and while the last one is.
    for (qint64 stop : {qint64(4), qint64(15)}) {
        QList<qint64> hlaseno;
        const Import::Vysledek_ulozeni v = imp.uloz(patnact, Import::Volba::Prepsat, {}, [&](qint64 hotovo, qint64) {
            hlaseno << hotovo;
            return hotovo < stop;
        });
        EXPECT_EQ(v.konec, Import::Konec::Preruseno) << stop;
        EXPECT_EQ(v.vlozeno, 0);
        EXPECT_EQ(hlaseno.size(), stop + 1); // asked before every number, and at the end
        EXPECT_EQ(countWhere("ciselnik_ucastniku", "length(Cislo_ucastnika) = 6 AND Cislo_ucastnika <> '111111'"), 0);
    }
    EXPECT_EQ(imp.uloz(patnact, Import::Volba::Prepsat, {}, [](qint64, qint64) { return true; }).vlozeno, 15);

    // A load stopped at its seventh line or at its end keeps the earlier load.
    std::vector<Radek_souboru> radky(15, Radek_souboru{"123456", "x", "y"});
    for (qint64 stop : {qint64(7), qint64(15)}) {
        EXPECT_EQ(imp.Zpracuj_data(radky, [stop](qint64 hotovo, qint64) { return hotovo < stop; }),
                  Import::Konec::Preruseno);
        EXPECT_EQ(countWhere("p_import_ext_seznamu", "1 = 1"), 1);
    }
}
