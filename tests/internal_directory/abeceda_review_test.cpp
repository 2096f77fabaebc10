// The directory tree's firms, departments and persons come in the Czech
// alphabet's order, not in the engine's byte order.
#include "internal_directory/assignment_history.h"
#include "internal_directory/prirazeni_pobocek.h"
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

// A row valid from 2020 on.
void radek(int firma, int oddeleni, int osoba, const QString& pobocka = QStringLiteral("9999"))
{
    proved("INSERT INTO dba.prirazeni_pobocek (Cislo_pobocky, Pocatek_platnosti, Konec_platnosti, ID_firmy, "
           "ID_Oddeleni, ID_Osoby) VALUES (?, '2020-01-01 00:00:00', '9999-12-31 23:59:59', ?, ?, ?)",
           {pobocka, firma, oddeleni, osoba});
}

QStringList cisla(const QList<Struct_std>& uzly)
{
    QStringList out;
    for (const Struct_std& r : uzly) out << r.Cislo_pobocky;
    return out;
}

TEST(VnitrniSeznamAbeceda, FirmsDepartmentsAndPersonsFollowTheCzechAlphabet)
{
    TestEnv env;
    ASSERT_TRUE(env.ok()) << env.error().toStdString();
    const QStringList firmy{"Zeta", "Čedok", "Cihelna", "Chemie", "Hotel"};
    for (int i = 0; i < firmy.size(); ++i) {
        proved("INSERT INTO dba.ciselnik_firem (ID_Firmy, nazev_firmy) VALUES (?, ?)", {i + 1, firmy[i]});
        radek(i + 1, 9999, 9999);
    }
    const QStringList oddeleni{"Žehlírna", "Zásobování", "Šrouby", "Sklad"};
    for (int i = 0; i < oddeleni.size(); ++i) {
        proved("INSERT INTO dba.ciselnik_oddeleni (ID_Oddeleni, nazev_oddeleni, ID_Firmy) VALUES (?, ?, 1)",
               {10 + i, oddeleni[i]});
        radek(1, 10 + i, 9999);
    }
    const QList<QStringList> osoby{{"Řezník", "Jan"}, {"Rybář", "Petr"}, {"Čermák", "Eva"}, {"Cibulka", "Ota"},
                                   {"Čermák", "Adam"}};
    for (int i = 0; i < osoby.size(); ++i) {
        proved("INSERT INTO dba.ciselnik_osob (ID_Osoby, prijmeni, jmeno, ID_Firmy, ID_Oddeleni) VALUES (?, ?, ?, 1, 10)",
               {100 + i, osoby[i][0], osoby[i][1]});
        radek(1, 10, 100 + i);
    }
    const QString okamzik = QStringLiteral("2024-01-01 00:00:00");
    PrirazeniPobocek data(Transaction::main());

    QStringList nazvy;
    QList<Struct_std> f = data.nacti_firmy(okamzik);
    for (const Struct_std& r : f) nazvy << r.firma.nazev;
    EXPECT_EQ(nazvy, (QStringList{"Cihelna", "Čedok", "Hotel", "Chemie", "Zeta"}));

    nazvy.clear();
    const Struct_std* zeta = nullptr;
    for (const Struct_std& r : f)
        if (r.firma.nazev == u"Zeta") zeta = &r;
    ASSERT_TRUE(zeta);
    QList<Struct_std> o = data.nacti_oddeleni_firmy(*zeta, okamzik);
    for (const Struct_std& r : o) nazvy << r.oddeleni.nazev;
    EXPECT_EQ(nazvy, (QStringList{"Sklad", "Šrouby", "Zásobování", "Žehlírna"}));

    nazvy.clear();
    const Struct_std* zehlirna = nullptr;
    for (const Struct_std& r : o)
        if (r.oddeleni.nazev == u"Žehlírna") zehlirna = &r;
    ASSERT_TRUE(zehlirna);
    for (const Struct_std& r : data.nacti_osoby_oddeleni(*zehlirna, 1, okamzik))
        nazvy << r.osoba.prijmeni + QLatin1Char(' ') + r.osoba.jmeno;
    EXPECT_EQ(nazvy, (QStringList{"Cibulka Ota", "Čermák Adam", "Čermák Eva", "Rybář Petr", "Řezník Jan"}));
}

// Numbers go by their value and numbers inside names too, in every list of
// the tree and in the assignment history, as in the reports and the filters.
TEST(VnitrniSeznamAbeceda, NumbersGoByTheirValueAsInTheReports)
{
    TestEnv env;
    ASSERT_TRUE(env.ok()) << env.error().toStdString();
    proved("INSERT INTO dba.ciselnik_firem (ID_Firmy, nazev_firmy) VALUES (1, 'Alfa')", {});
    radek(1, 9999, 9999);
    const QStringList oddeleni{"Oddělení 1/10", "Oddělení 1/2", "Oddělení 1/1"};
    for (int i = 0; i < oddeleni.size(); ++i) {
        proved("INSERT INTO dba.ciselnik_oddeleni (ID_Oddeleni, nazev_oddeleni, ID_Firmy) VALUES (?, ?, 1)",
               {10 + i, oddeleni[i]});
        radek(1, 10 + i, 9999);
    }
    proved("INSERT INTO dba.ciselnik_osob (ID_Osoby, prijmeni, jmeno, ID_Firmy, ID_Oddeleni) "
           "VALUES (100, 'Novák', 'Jan', 1, 10)",
           {});
    radek(1, 10, 100);
    for (const char* c : {"4688", "454", "1021"}) radek(1, 10, 100, QString::fromLatin1(c));
    for (const char* c : {"106", "1021", "99"}) radek(1, 11, 0, QString::fromLatin1(c));
    for (const char* c : {"2000", "300"}) radek(9999, 9999, 9999, QString::fromLatin1(c));
    const QString okamzik = QStringLiteral("2024-01-01 00:00:00");
    PrirazeniPobocek data(Transaction::main());

    const QList<Struct_std> f = data.nacti_firmy(okamzik);
    ASSERT_EQ(f.size(), 1);
    const QList<Struct_std> o = data.nacti_oddeleni_firmy(f[0], okamzik);
    QStringList nazvy;
    for (const Struct_std& r : o) nazvy << r.oddeleni.nazev;
    EXPECT_EQ(nazvy, (QStringList{"Oddělení 1/1", "Oddělení 1/2", "Oddělení 1/10"}));

    const Struct_std* deset = nullptr;
    const Struct_std* dve = nullptr;
    for (const Struct_std& r : o) {
        if (r.oddeleni.nazev == u"Oddělení 1/10") deset = &r;
        if (r.oddeleni.nazev == u"Oddělení 1/2") dve = &r;
    }
    ASSERT_TRUE(deset && dve);
    const QList<Struct_std> osoby = data.nacti_osoby_oddeleni(*deset, 1, okamzik);
    ASSERT_EQ(osoby.size(), 1);
    EXPECT_EQ(cisla(data.prirad_pobocky(osoby[0], 1, okamzik)), (QStringList{"454", "1021", "4688"}));
    EXPECT_EQ(cisla(data.prirad_pobocky(*dve, 1, okamzik)), (QStringList{"99", "106", "1021"}));
    EXPECT_EQ(cisla(data.prirad_pobocky(*deset, 2, okamzik)), (QStringList{"454", "1021", "4688"}));
    EXPECT_EQ(cisla(data.volne_pobocky(okamzik)), (QStringList{"300", "2000"}));

    QStringList historie;
    ASSERT_TRUE(AssignmentHistory(Transaction::main()).pobocky(historie));
    EXPECT_EQ(historie, (QStringList{"99", "106", "300", "454", "1021", "2000", "4688"}));
}

} // namespace
