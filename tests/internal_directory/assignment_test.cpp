// The assignment history, the extensions found in calls and the overlap test,
// on a real database.
#include "internal_directory/assignment_history.h"
#include "internal_directory/assignment_overlaps.h"
#include "internal_directory/unassigned_extensions.h"
#include "platform/database.h"
#include "tariffing/tarifovani.h"
#include "tarifovani_data.h"
#include "test_env.h"

#include <gtest/gtest.h>

using namespace kavro;
using namespace kavro::test;

namespace {

class AssignmentTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(env.ok()) << env.error().toStdString(); }

    void radek(const QString& cislo, const QString& od, const QString& do_, int firma, int oddeleni, int osoba)
    {
        ASSERT_TRUE(Transaction::main().exec(
            QStringLiteral("INSERT INTO dba.prirazeni_pobocek (Cislo_pobocky, Pocatek_platnosti, Konec_platnosti, "
                           "ID_firmy, ID_Oddeleni, ID_Osoby) VALUES (?, ?, ?, ?, ?, ?)"),
            {cislo, od, do_, firma, oddeleni, osoba}))
            << Transaction::main().lastErrorText().toStdString();
    }
    void hovor(qint64 id, const QString& kdy, const QString& pobocka)
    {
        Call c;
        c.id = id;
        c.when = kdy;
        c.number = QStringLiteral("2123456");
        c.extension = pobocka;
        ASSERT_TRUE(addCall(c)) << Transaction::main().lastErrorText().toStdString();
    }
    QString hodnota(const QString& sql) { return Transaction::main().scalar(sql); }

    TestEnv env;
};

TEST_F(AssignmentTest, HistoryListsExtensionsAndDeletesExactlyTheChosenRow)
{
    radek("9999", "2020-01-01 00:00:00", "9999-12-31 23:59:59", 1, 9999, 9999);
    radek("200", "2021-01-01 00:00:00", "9999-12-31 23:59:59", 1, 10, 1);
    radek("200", "2021-01-01 00:00:00", "9999-12-31 23:59:59", 1, 11, 2);
    radek("200", "2020-01-01 00:00:00", "2021-01-01 00:00:00", 9999, 9999, 9999);
    radek("150", "2020-01-01 00:00:00", "9999-12-31 23:59:59", 0, 0, 0);
    ASSERT_TRUE(Transaction::main().exec(QStringLiteral(
        "INSERT INTO dba.ciselnik_firem (ID_Firmy, nazev_firmy) VALUES (1, 'Firma A'); ")));
    ASSERT_TRUE(Transaction::main().exec(QStringLiteral(
        "INSERT INTO dba.ciselnik_oddeleni (ID_Oddeleni, nazev_oddeleni) VALUES (10, 'Obchod')")));
    ASSERT_TRUE(Transaction::main().exec(QStringLiteral(
        "INSERT INTO dba.ciselnik_osob (ID_Osoby, prijmeni) VALUES (1, 'Novák')")));
    AssignmentHistory h(Transaction::main());
    QStringList cisla;
    ASSERT_TRUE(h.pobocky(cisla));
    EXPECT_EQ(cisla, QStringList({"150", "200"}));

    QList<FDX_udaje_o_osobe_radek> obdobi;
    ASSERT_TRUE(h.platnosti("200", obdobi));
    ASSERT_EQ(obdobi.size(), 3);
    EXPECT_EQ(obdobi[0].ID_firmy, "9999");
    EXPECT_EQ(AssignmentHistory::textPlatnosti(obdobi[1]), "2021-01-01 - 9999-12-31 : \\\\Firma A\\Obchod\\Novák");
    // Same start, end and firm, another department: only the chosen row goes.
    const FDX_udaje_o_osobe_radek druhy = obdobi[2];
    EXPECT_EQ(druhy.ID_oddeleni, "11");
    qint64 smazano = 0;
    ASSERT_TRUE(h.smaz(druhy, &smazano));
    EXPECT_EQ(smazano, 1);
    EXPECT_EQ(hodnota("SELECT count(*) FROM dba.prirazeni_pobocek WHERE Cislo_pobocky = '200'"), "2");
    EXPECT_EQ(hodnota("SELECT ID_Oddeleni FROM dba.prirazeni_pobocek WHERE Cislo_pobocky = '200' AND ID_Osoby = 1"), "10");
}

TEST_F(AssignmentTest, CallsWithoutAnyValidRowFoldIntoOneRunPerExtension)
{
    radek("300", "2024-01-10 00:00:00", "2024-01-20 00:00:00", 1, 10, 1);
    radek("301", "2024-01-01 00:00:00", "9999-12-31 23:59:59", 9999, 9999, 9999);  // the pool counts too
    hovor(1, "2024-01-10 00:00:00", "300");  // on the start: assigned
    hovor(2, "2024-01-20 00:00:00", "300");  // on the end: assigned
    hovor(3, "2024-01-20 00:00:01", "300");
    hovor(4, "2024-02-01 08:00:00", "300");
    hovor(5, "2024-01-05 08:00:00", "301");
    hovor(6, "2024-01-05 08:00:00", "12");
    hovor(7, "2024-03-01 10:00:00", "12345");
    hovor(8, "2024-03-02 10:00:00", "12345");
    hovor(9, "2024-03-03 10:00:00", "12345");
    hovor(10, "2024-03-03 10:00:00", "");
    UnassignedExtensions u(Transaction::main());
    QList<NeprirazenyBeh> behy;
    ASSERT_TRUE(u.nacti(behy));
    const QList<NeprirazenyBeh> ocekavane = {
        {"12", "2024-01-05 08:00:00", "2024-01-05 08:00:00"},
        {"12345", "2024-03-01 10:00:00", "2024-03-03 10:00:00"},
        {"300", "2024-01-20 00:00:01", "2024-02-01 08:00:00"},
    };
    EXPECT_EQ(behy, ocekavane);
    EXPECT_EQ(behy[0].text(), "12   - 2024-01-05 08:00:00 - 2024-01-05 08:00:00");
    EXPECT_EQ(behy[1].text(), "12345 - 2024-03-01 10:00:00 - 2024-03-03 10:00:00");

    // The number is stored exactly; the row holds the run from its first to its last call.
    EXPECT_EQ(u.zarad(behy[1]), UnassignedExtensions::Zarazeni::Zarazeno);
    EXPECT_EQ(hodnota("SELECT Cislo_pobocky || '|' || Pocatek_platnosti || '|' || Konec_platnosti || '|' || ID_firmy "
                      "|| ID_Oddeleni || ID_Osoby FROM dba.prirazeni_pobocek WHERE Cislo_pobocky LIKE '12%'"),
              "12345|2024-03-01 10:00:00|2024-03-03 10:00:00|000");
    // A later unassigned call of 12345 is a new run.
    hovor(11, "2024-03-03 10:00:01", "12345");
    behy.clear();
    ASSERT_TRUE(u.nacti(behy));
    EXPECT_EQ(behy[1], (NeprirazenyBeh{"12345", "2024-03-03 10:00:01", "2024-03-03 10:00:01"}));
    // A run that another row now overlaps is refused with a message, and nothing is written.
    radek("12", "2024-01-05 08:00:00", "2024-01-05 09:00:00", 5, 50, 0);
    EXPECT_EQ(u.zarad(behy[0]), UnassignedExtensions::Zarazeni::Prekryti);
    EXPECT_TRUE(u.chyba().contains(QStringLiteral("Pobočka č. 12 ")));
    EXPECT_EQ(hodnota("SELECT count(*) FROM dba.prirazeni_pobocek WHERE Cislo_pobocky = '12'"), "1");
}

// An extension's unassigned calls on both sides of an assignment are runs of
// their own: one run spanning the assignment could never be placed.
TEST_F(AssignmentTest, RunsSplitAtAssignedPeriodsAndEachIsPlaced)
{
    radek("400", "2024-01-15 00:00:00", "2024-01-20 00:00:00", 1, 10, 1);
    radek("400", "2024-02-10 00:00:00", "2024-02-12 00:00:00", 9999, 9999, 9999);
    hovor(1, "2024-01-05 08:00:00", "400");
    hovor(2, "2024-01-10 08:00:00", "400");
    hovor(3, "2024-01-16 08:00:00", "400"); // assigned
    hovor(4, "2024-01-25 08:00:00", "400");
    hovor(5, "2024-02-01 08:00:00", "400");
    hovor(6, "2024-02-15 08:00:00", "400");
    hovor(7, "2024-01-25 09:00:00", "401"); // another extension in between keeps its one run
    hovor(8, "2024-02-25 09:00:00", "401");
    UnassignedExtensions u(Transaction::main());
    QList<NeprirazenyBeh> behy;
    ASSERT_TRUE(u.nacti(behy));
    const QList<NeprirazenyBeh> ocekavane = {
        {"400", "2024-01-05 08:00:00", "2024-01-10 08:00:00"},
        {"400", "2024-01-25 08:00:00", "2024-02-01 08:00:00"},
        {"400", "2024-02-15 08:00:00", "2024-02-15 08:00:00"},
        {"401", "2024-01-25 09:00:00", "2024-02-25 09:00:00"},
    };
    EXPECT_EQ(behy, ocekavane);
    for (const NeprirazenyBeh& b : behy)
        EXPECT_EQ(u.zarad(b), UnassignedExtensions::Zarazeni::Zarazeno) << u.chyba().toStdString();
    EXPECT_EQ(hodnota("SELECT count(*) FROM dba.prirazeni_pobocek WHERE Cislo_pobocky = '400' AND ID_firmy = 0"), "3");
    behy.clear();
    ASSERT_TRUE(u.nacti(behy));
    EXPECT_TRUE(behy.isEmpty());
    AssignmentOverlaps test(Transaction::main());
    int nalezu = 0;
    ASSERT_TRUE(test.otestuj({}, [&](const ChybnePrirazeni&) { ++nalezu; }));
    EXPECT_EQ(nalezu, 0);
}

TEST_F(AssignmentTest, PlacedExtensionsAreAssignedByTheNextTariffing)
{
    QString chyba;
    ASSERT_TRUE(fillTariffData(&chyba)) << chyba.toStdString();
    hovor(1, "2024-03-05 10:00:00", "555");
    hovor(2, "2024-03-07 10:00:00", "555");
    hovor(3, "2024-03-05 11:00:00", "100");
    ASSERT_TRUE(Transaction::main().commit());
    UnassignedExtensions u(Transaction::main());
    QList<NeprirazenyBeh> behy;
    ASSERT_TRUE(u.nacti(behy));
    ASSERT_EQ(behy.size(), 1);
    ASSERT_EQ(u.zarad(behy[0]), UnassignedExtensions::Zarazeni::Zarazeno);
    ASSERT_TRUE(Transaction::main().commit());
    Tarifovani t;
    ASSERT_EQ(t.tarifikuj(), Tarifovani::Vysledek::Hotovo) << t.message().toStdString();
    for (qint64 id : {1, 2}) {
        EXPECT_EQ(callValue(id, "status_hovoru"), "10");
        EXPECT_EQ(callValue(id, "id_firmy"), "0") << id;
        EXPECT_EQ(callValue(id, "id_oddeleni"), "0") << id;
    }
    EXPECT_EQ(callValue(3, "id_firmy"), "1");
    behy.clear();
    ASSERT_TRUE(u.nacti(behy));
    EXPECT_TRUE(behy.isEmpty());
}

TEST_F(AssignmentTest, OverlapTestReportsEachConflictingExtensionOnce)
{
    // 400: two firms at once (the earlier row reported, once).
    radek("400", "2024-01-01 00:00:00", "2024-06-01 00:00:00", 1, 10, 1);
    radek("400", "2024-02-01 00:00:00", "9999-12-31 23:59:59", 2, 20, 2);
    radek("400", "2024-03-01 00:00:00", "9999-12-31 23:59:59", 3, 30, 0);
    // 401: one firm, two departments at once.
    radek("401", "2024-01-01 00:00:00", "9999-12-31 23:59:59", 1, 10, 0);
    radek("401", "2024-05-01 12:30:45", "2024-05-02 00:00:00", 1, 11, 0);
    // 402: periods that only touch; 403: one department, two persons.
    radek("402", "2024-01-01 00:00:00", "2024-03-01 00:00:00", 1, 10, 0);
    radek("402", "2024-03-01 00:00:00", "9999-12-31 23:59:59", 2, 20, 0);
    radek("403", "2024-01-01 00:00:00", "9999-12-31 23:59:59", 1, 10, 1);
    radek("403", "2024-01-01 00:00:00", "9999-12-31 23:59:59", 1, 10, 2);
    // 404: a zero-length row in another firm: removed first, never reported.
    radek("404", "2024-01-01 00:00:00", "9999-12-31 23:59:59", 1, 10, 0);
    radek("404", "2024-02-01 00:00:00", "2024-02-01 00:00:00", 2, 20, 0);
    // Firm and department rows (9999) are not tested.
    radek("9999", "2024-01-01 00:00:00", "9999-12-31 23:59:59", 1, 9999, 9999);
    radek("9999", "2024-01-01 00:00:00", "9999-12-31 23:59:59", 2, 9999, 9999);

    AssignmentOverlaps test(Transaction::main());
    qint64 smazano = 0;
    ASSERT_TRUE(test.smazNuloveRadky(&smazano));
    EXPECT_EQ(smazano, 1);
    QStringList prubeh;
    QList<ChybnePrirazeni> nalezy;
    ASSERT_TRUE(test.otestuj([&](const QString& c) { prubeh << c; },
                             [&](const ChybnePrirazeni& c) { nalezy << c; }));
    EXPECT_EQ(prubeh, QStringList({"400", "401", "402", "403", "404"}));
    const QList<ChybnePrirazeni> ocekavane = {
        {"400", "2024-01-01 00:00:00", "2024-06-01 00:00:00"},
        {"401", "2024-01-01 00:00:00", "9999-12-31 23:59:59"},
    };
    EXPECT_EQ(nalezy, ocekavane);
    EXPECT_EQ(AssignmentOverlaps::zprava({"401", "2024-05-01 12:30:45", "2024-05-02 00:00:00"}),
              "Pobočka č.401 je přiřazena \npod více firem nebo oddělení.\n Datum od :2024-05-01 12:30:45"
              "\n Datum do :2024-05-02 00:00:00");
}

} // namespace
