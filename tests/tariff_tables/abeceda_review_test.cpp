// States and cities of the zone assignment and the states of the discounted
// periods come in the Czech alphabet's order, not in the engine's byte order.
#include "tariff_tables/periody_impulsu.h"
#include "tariff_tables/prirazeni_pasem.h"

#include "platform/database.h"
#include "test_env.h"

#include <gtest/gtest.h>

using namespace kavro;

namespace {

void proved(const QString& sql)
{
    ASSERT_TRUE(Transaction::main().exec(sql)) << sql.toStdString() << Transaction::main().lastErrorText().toStdString();
}

QStringList texty(const QList<PrirazeniPasem::Polozka>& p, const QString& druh)
{
    QStringList out;
    for (const auto& x : p)
        if (x.uzel.druh == druh) out << x.text.section(QStringLiteral("   ("), 0, 0).trimmed();
    return out;
}

TEST(TarifniTabulkyAbeceda, ZoneAssignmentAndDiscountedStatesFollowTheCzechAlphabet)
{
    test::TestEnv env;
    ASSERT_TRUE(env.ok()) << env.error().toStdString();
    for (const char* s : {
             "DELETE FROM dba.ciselnik_mest", "DELETE FROM dba.ciselnik_statu", "DELETE FROM dba.ciselnik_pasem",
             "INSERT INTO dba.konfigurace_mista (ID_mista, mezistatni_predvolba, mezimestska_predvolba, kod_statu, "
             "kod_mesta) VALUES ('V', '00', '0', '420', '2')",
             "INSERT INTO dba.ciselnik_pasem VALUES (1, 'Místní', '1'), (21, 'Svět', '3'), (9999, 'Nepřiřazeno', '0')",
             "INSERT INTO dba.ciselnik_statu VALUES ('420', 'Česko', 21), ('7', 'Zambie', 21), ('86', 'Čína', 21), "
             "('357', 'Cypr', 21), ('30', 'Řecko', 9999), ('40', 'Rusko', 9999), ('385', 'Chorvatsko', 9999), "
             "('852', 'Hongkong', 9999)",
             "INSERT INTO dba.ciselnik_mest (kod_statu, kod_mesta, nazev_mesta, id_pasma) VALUES "
             "('420', '2', 'Domažlice', 1), ('420', '3', 'Děčín', 1), ('420', '4', 'Brno', 1), "
             "('420', '5', 'Žatec', 9999), ('420', '6', 'Zlín', 9999), ('420', '7', 'Šumperk', 9999)",
             "INSERT INTO dba.zlevnene_volani (kod_statu, pocatek_platnosti, konec_platnosti, od_casu, do_casu, "
             "perioda, typ_dne) VALUES ('7', '2020-01-01', '2030-12-31', '00:00:00', '23:59:59', 60, 1), "
             "('86', '2020-01-01', '2030-12-31', '00:00:00', '23:59:59', 60, 1), "
             "('357', '2020-01-01', '2030-12-31', '00:00:00', '23:59:59', 60, 1)",
         })
        proved(QString::fromUtf8(s));

    PrirazeniPasem logika;
    PrirazeniPasem::Uzel svet;
    svet.druh = QStringLiteral("P");
    svet.pasmo = QStringLiteral("21");
    svet.typ = QStringLiteral("3");
    QList<PrirazeniPasem::Polozka> p;
    ASSERT_TRUE(logika.nacti_staty(svet, p));
    EXPECT_EQ(texty(p, "S"), (QStringList{"Cypr", "Česko", "Čína", "Zambie"}));

    PrirazeniPasem::Uzel mistni = svet;
    mistni.pasmo = QStringLiteral("1");
    mistni.typ = QStringLiteral("1");
    ASSERT_TRUE(logika.nacti_mesta(mistni, p));
    EXPECT_EQ(texty(p, "M"), (QStringList{"Brno", "Děčín", "Domažlice"}));

    ASSERT_TRUE(logika.nacti_neprirazene(p));
    EXPECT_EQ(texty(p, "S"), (QStringList{"Hongkong", "Chorvatsko", "Rusko", "Řecko"}));
    EXPECT_EQ(texty(p, "M"), (QStringList{"Šumperk", "Zlín", "Žatec"}));

    PeriodyImpulsu slevy = PeriodyImpulsu::slevy();
    QList<PeriodyImpulsu::Vlastnik> v;
    ASSERT_TRUE(slevy.nacti_vlastniky(v));
    QStringList nazvy;
    for (const auto& x : v) nazvy << x.nazev;
    EXPECT_EQ(nazvy, (QStringList{"Cypr", "Čína", "Zambie"}));
}

} // namespace
