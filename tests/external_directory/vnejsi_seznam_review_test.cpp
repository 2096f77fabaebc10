// The directory tree's levels come in the Czech alphabet's order, not in the
// engine's byte order.
#include "external_directory/vnejsi_seznam.h"
#include "platform/database.h"
#include "test_env.h"

#include <gtest/gtest.h>

using namespace kavro;
using namespace kavro::test;

namespace {

void proved(const QString& sql, const QList<QVariant>& hodnoty)
{
    ASSERT_TRUE(Transaction::main().exec(sql, hodnoty)) << sql.toStdString();
}

// The names of `radky` whose key (state code, city code or number) is in `klice`, in order.
QStringList nazvy(const QList<RadekSeznamu>& radky, const QStringList& klice)
{
    QStringList out;
    for (const RadekSeznamu& r : radky) {
        const FDX_Stat& z = r.zaznam;
        const QString klic = z.druh == u"S" ? z.kod_statu : z.druh == u"M" ? z.kod_mesta : z.cislo_ucastnika;
        if (klice.contains(klic)) out << z.nazev + (z.firma.isEmpty() ? QString() : QStringLiteral("/") + z.firma);
    }
    return out;
}

TEST(VnejsiSeznamAbeceda, StatesCitiesAndSubscribersFollowTheCzechAlphabet)
{
    TestEnv env;
    ASSERT_TRUE(env.ok()) << env.error().toStdString();
    const QStringList staty{"Zambie", "Čína", "Cypr", "Chorvatsko", "Hongkong", "Řecko", "Rusko"};
    QStringList kody_statu;
    for (int i = 0; i < staty.size(); ++i) {
        kody_statu << QString::number(9001 + i);
        proved("INSERT INTO dba.ciselnik_statu (kod_statu, nazev_statu) VALUES (?, ?)", {kody_statu.last(), staty[i]});
    }
    const QStringList mesta{"Domažlice", "Děčín", "Šumperk", "Žatec", "Zlín", "Brno"};
    QStringList kody_mest;
    for (int i = 0; i < mesta.size(); ++i) {
        kody_mest << QString::number(801 + i);
        proved("INSERT INTO dba.ciselnik_mest (kod_statu, kod_mesta, nazev_mesta) VALUES ('9001', ?, ?)",
               {kody_mest.last(), mesta[i]});
    }
    const QList<QStringList> ucastnici{{"11", "Šťastný", "Beta"}, {"12", "Sýkora", ""}, {"13", "Čermák", "Alfa"},
                                       {"14", "Šťastný", "Ábel"}, {"15", "Cihla", ""},  {"16", "Linka 10", ""},
                                       {"17", "Linka 9", ""}};
    QStringList cisla;
    for (const QStringList& u : ucastnici) {
        cisla << u[0];
        proved("INSERT INTO dba.ciselnik_ucastniku (kod_statu, kod_mesta, Cislo_ucastnika, nazev_ucastnika, Firma) "
               "VALUES ('9001', '801', ?, ?, ?)",
               {u[0], u[1], u[2]});
    }

    VnejsiSeznam seznam;
    QList<RadekSeznamu> s;
    ASSERT_TRUE(seznam.nacti_staty(s));
    EXPECT_EQ(nazvy(s, kody_statu), (QStringList{"Cypr", "Čína", "Hongkong", "Chorvatsko", "Rusko", "Řecko", "Zambie"}));

    QList<RadekSeznamu> m;
    ASSERT_TRUE(seznam.nacti_mesta("9001", m));
    EXPECT_EQ(nazvy(m, kody_mest), (QStringList{"Brno", "Děčín", "Domažlice", "Šumperk", "Zlín", "Žatec"}));

    QList<RadekSeznamu> u;
    ASSERT_TRUE(seznam.nacti_ucastniky("9001", "801", u));
    // A number inside a name goes by its value, as in the reports.
    EXPECT_EQ(nazvy(u, cisla),
              (QStringList{"Cihla", "Čermák/Alfa", "Linka 9", "Linka 10", "Sýkora", "Šťastný/Ábel", "Šťastný/Beta"}));
}

} // namespace
