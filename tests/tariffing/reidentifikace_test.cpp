// Identifying the called parties and callers of the stored calls again,
// against a real database filled with the small tariff data set.
#include "tarifovani_fixture.h"
#include "tariffing/reidentifikace.h"
#include "tariffing/tarifovani.h"
#include "platform/database.h"
#include "tarifovani_data.h"
#include "test_env.h"

#include <QMap>
#include <gtest/gtest.h>

using namespace kavro;
using namespace kavro::test;

namespace {

using Radky = QMap<qint64, QStringList>;

class ReidentifikaceTest : public TarifovaniFixture {
protected:
    static Call hovor(qint64 id, const QString& when, const QString& number, const QString& extension = QStringLiteral("100"),
                      int impulses = 0, int line = 2)
    {
        Call c;
        c.id = id;
        c.when = when;
        c.number = number;
        c.extension = extension;
        c.impulses = impulses;
        c.line = line;
        c.duration = QStringLiteral("00:03:00");
        return c;
    }

    static QList<Call> sada()
    {
        return {
            hovor(1, QStringLiteral("2024-03-05 09:00:00"), QStringLiteral("2345678")),          // local
            hovor(2, QStringLiteral("2024-03-05 10:00:00"), QStringLiteral("0561234567")),       // long distance
            hovor(3, QStringLiteral("2024-03-05 11:00:00"), QStringLiteral("0042012345678")),    // international 420
            hovor(4, QStringLiteral("2024-03-05 12:00:00"), QStringLiteral("0049305551234"), QStringLiteral("103"), 4, 1),
            hovor(5, QStringLiteral("2024-03-05 13:00:00"), QStringLiteral("*IN2345678"), QStringLiteral("101")),
            hovor(6, QStringLiteral("2024-03-05 14:00:00"), QStringLiteral("004219999")),        // 42, not 420
            hovor(7, QStringLiteral("2024-03-06 08:00:00"), QStringLiteral("0777123"), QStringLiteral("101")),
            hovor(8, QStringLiteral("2024-03-06 09:00:00"), QStringLiteral("0012129876"), QStringLiteral("102")),
            hovor(9, QStringLiteral("2024-03-06 10:00:00"), QStringLiteral("2777"), QStringLiteral("555")),
        };
    }

    static void importuj(const QList<Call>& calls)
    {
        for (const Call& c : calls) ASSERT_TRUE(addCall(c)) << Transaction::main().lastErrorText().toStdString();
        otarifuj();
    }

    static Radky sloupce(const char* columns)
    {
        Radky out;
        Query q(Transaction::main(), QStringLiteral("SELECT id_hovoru, %1 FROM dba.hovory ORDER BY id_hovoru")
                                         .arg(QString::fromLatin1(columns)));
        EXPECT_TRUE(q.run()) << q.lastErrorText().toStdString();
        for (; !q.atEnd(); q.next()) {
            QStringList r;
            for (int i = 2; i <= q.columnCount(); ++i) r << (q.isNull(i) ? QStringLiteral("<null>") : q.value(i));
            out.insert(q.intValue(1), r);
        }
        return out;
    }

    static Radky vse() { return sloupce("*"); }
    static Radky prepocitane()
    {
        return sloupce("kod_statu, kod_mesta, cislo_ucastnika, id_firmy, id_oddeleni, popis_osob");
    }
    static Radky tarifni() { return sloupce("typ_hovoru, status_hovoru, tarifovat_hovor, id_pasma, program_pocet_impulsu"); }

    static void spust(Reidentifikace& r)
    {
        ASSERT_TRUE(r.Nalezeni_ucastniku()) << r.message().toStdString();
    }


};

TEST_F(ReidentifikaceTest, AfterDirectoryChangesGivesWhatAFreshTariffingGives)
{
    const QList<Call> calls = sada();
    importuj(calls);
    EXPECT_EQ(v(1, "cislo_ucastnika"), QStringLiteral("23456"));
    EXPECT_EQ(v(2, "kod_mesta"), QStringLiteral("56"));
    const Radky tarifPred = tarifni();

    Transaction& t = Transaction::main();
    ASSERT_TRUE(t.exec(QStringLiteral("DELETE FROM dba.ciselnik_ucastniku WHERE cislo_ucastnika = '23456'")));
    ASSERT_TRUE(t.exec(QStringLiteral("UPDATE dba.ciselnik_mest SET kod_mesta = '57' WHERE kod_mesta = '56'")));
    ASSERT_TRUE(t.exec(QStringLiteral("UPDATE dba.prirazeni_pobocek SET id_firmy = 2, id_oddeleni = 20, id_osoby = 2 "
                                      "WHERE cislo_pobocky = '100'")));
    ASSERT_TRUE(t.commit());

    Reidentifikace r;
    QStringList kroky;
    QObject::connect(&r, &Reidentifikace::status, [&](const QString& s) { kroky << s; });
    spust(r);
    EXPECT_LT(kroky.indexOf(QStringLiteral("Nuluji předchozí hodnoty")),
              kroky.indexOf(QStringLiteral("Hledám místní účastníky")));
    EXPECT_GE(kroky.indexOf(QStringLiteral("Nuluji předchozí hodnoty")), 0);
    EXPECT_EQ(v(1, "cislo_ucastnika"), QStringLiteral("2345"));
    EXPECT_EQ(v(2, "kod_mesta"), QStringLiteral("5"));
    EXPECT_EQ(v(1, "id_firmy"), QStringLiteral("2"));
    EXPECT_EQ(v(1, "popis_osob"), QStringLiteral("Svoboda"));
    // Type, status, charge mark, zone and counts are the tariffing's: the zone
    // of the old area stays.
    EXPECT_EQ(tarifni(), tarifPred);
    EXPECT_EQ(v(2, "id_pasma"), QStringLiteral("3"));
    // Committed: another window's rollback does not undo it.
    ASSERT_TRUE(t.rollback());
    const Radky znovu = prepocitane();
    EXPECT_EQ(znovu.value(1).at(2), QStringLiteral("2345"));

    // The same calls imported and tariffed afresh.
    ASSERT_TRUE(t.exec(QStringLiteral("DELETE FROM dba.hovory")));
    ASSERT_TRUE(t.commit());
    importuj(calls);
    const Radky cerstve = prepocitane();
    ASSERT_EQ(znovu.size(), cerstve.size());
    for (auto it = cerstve.cbegin(); it != cerstve.cend(); ++it)
        EXPECT_EQ(znovu.value(it.key()).join(u'|').toStdString(), it.value().join(u'|').toStdString())
            << "call " << it.key();
}

TEST_F(ReidentifikaceTest, FindsTheLongestCodesAndTheHomeCodesForEveryCallType)
{
    importuj(sada());
    // Calls of every stage are covered: this one was never tariffed.
    ASSERT_TRUE(addCall(hovor(20, QStringLiteral("2024-03-07 10:00:00"), QStringLiteral("0042012345"))));
    ASSERT_TRUE(Transaction::main().exec(QStringLiteral("UPDATE dba.hovory SET typ_hovoru = 'C', status_hovoru = 4, "
                                                        "id_pasma = 77, program_pocet_impulsu = 5 WHERE id_hovoru = 20")));
    ASSERT_TRUE(Transaction::main().commit());
    const Radky tarifPred = tarifni();
    // Codes found earlier that the directory no longer gives are cleared.
    ASSERT_TRUE(Transaction::main().exec(QStringLiteral("UPDATE dba.hovory SET kod_statu = '99', cislo_ucastnika = 'x'")));
    ASSERT_TRUE(Transaction::main().commit());

    Reidentifikace r;
    spust(r);
    EXPECT_EQ(tarifni(), tarifPred);
    // Local: home state and area, the subscriber by the whole number.
    EXPECT_EQ(v(1, "kod_statu"), QStringLiteral("420"));
    EXPECT_EQ(v(1, "kod_mesta"), QStringLiteral("2"));
    EXPECT_EQ(v(1, "cislo_ucastnika"), QStringLiteral("23456"));  // rather than 2345
    EXPECT_TRUE(isNull(9, "cislo_ucastnika"));  // 777 does not begin 2777
    // Long distance: the home state and the longest area after the prefix.
    EXPECT_EQ(v(2, "kod_statu"), QStringLiteral("420"));
    EXPECT_EQ(v(2, "kod_mesta"), QStringLiteral("56"));
    EXPECT_EQ(v(2, "cislo_ucastnika"), QStringLiteral("123"));
    EXPECT_TRUE(isNull(7, "kod_mesta"));        // no area 7, 77 or 777
    // International: 420 rather than 42, 42 where 420 does not follow.
    EXPECT_EQ(v(3, "kod_statu"), QStringLiteral("420"));
    EXPECT_TRUE(isNull(3, "kod_mesta"));        // no area 1 of 420
    EXPECT_EQ(v(6, "kod_statu"), QStringLiteral("42"));
    EXPECT_EQ(v(4, "kod_mesta"), QStringLiteral("30"));  // rather than 3
    EXPECT_EQ(v(4, "cislo_ucastnika"), QStringLiteral("555"));
    EXPECT_EQ(v(8, "kod_statu"), QStringLiteral("1"));
    EXPECT_EQ(v(8, "kod_mesta"), QStringLiteral("212"));
    EXPECT_EQ(v(8, "cislo_ucastnika"), QStringLiteral("9"));
    EXPECT_EQ(v(20, "kod_statu"), QStringLiteral("420"));
    EXPECT_EQ(v(20, "status_hovoru"), QStringLiteral("4"));
    // Incoming calls keep null codes and get only their caller.
    EXPECT_TRUE(isNull(5, "kod_statu"));
    EXPECT_TRUE(isNull(5, "kod_mesta"));
    EXPECT_TRUE(isNull(5, "cislo_ucastnika"));
    EXPECT_EQ(v(5, "popis_osob"), QStringLiteral("Novák,Svoboda"));
    // An extension without a valid assignment: no firm, department or persons.
    EXPECT_TRUE(isNull(9, "id_firmy"));
    EXPECT_TRUE(isNull(9, "id_oddeleni"));
    EXPECT_TRUE(isNull(9, "popis_osob"));
    // Two firms at once: neither is taken.
    EXPECT_TRUE(isNull(8, "id_firmy"));
    EXPECT_TRUE(isNull(8, "id_oddeleni"));
}

TEST_F(ReidentifikaceTest, CallsWithoutATypeKeepNullCodes)
{
    ASSERT_TRUE(addCall(hovor(1, QStringLiteral("2024-03-05 09:00:00"), QStringLiteral("2345678"))));
    ASSERT_TRUE(Transaction::main().commit());
    Reidentifikace r;
    spust(r);
    EXPECT_TRUE(isNull(1, "kod_statu"));
    EXPECT_TRUE(isNull(1, "kod_mesta"));
    EXPECT_TRUE(isNull(1, "cislo_ucastnika"));
    EXPECT_EQ(v(1, "status_hovoru"), QStringLiteral("2"));
    EXPECT_EQ(v(1, "id_firmy"), QStringLiteral("1"));
}

TEST_F(ReidentifikaceTest, HomeCodesKeepTheirLeadingZeroAndEmptyPrefixesAreAccepted)
{
    Transaction& t = Transaction::main();
    ASSERT_TRUE(t.exec(QStringLiteral("UPDATE dba.konfigurace_mista SET kod_mesta = '02', mezistatni_predvolba = ''")));
    ASSERT_TRUE(t.exec(QStringLiteral("INSERT INTO dba.ciselnik_ucastniku (kod_statu, kod_mesta, cislo_ucastnika, nazev_ucastnika) "
                                      "VALUES ('420', '02', '234', 'S nulou')")));
    ASSERT_TRUE(addCall(hovor(1, QStringLiteral("2024-03-05 09:00:00"), QStringLiteral("2345678"))));
    ASSERT_TRUE(addCall(hovor(2, QStringLiteral("2024-03-05 09:00:00"), QStringLiteral("4930555"))));
    ASSERT_TRUE(t.exec(QStringLiteral("UPDATE dba.hovory SET typ_hovoru = 'A', status_hovoru = 10 WHERE id_hovoru = 1")));
    ASSERT_TRUE(t.exec(QStringLiteral("UPDATE dba.hovory SET typ_hovoru = 'C', status_hovoru = 10 WHERE id_hovoru = 2")));
    ASSERT_TRUE(t.commit());
    Reidentifikace r;
    spust(r);
    EXPECT_EQ(v(1, "kod_mesta"), QStringLiteral("02"));
    EXPECT_EQ(v(1, "cislo_ucastnika"), QStringLiteral("234"));
    // Without an international prefix the state follows from the first digits.
    EXPECT_EQ(v(2, "kod_statu"), QStringLiteral("49"));
    EXPECT_EQ(v(2, "kod_mesta"), QStringLiteral("30"));
    EXPECT_EQ(v(2, "cislo_ucastnika"), QStringLiteral("555"));
}

TEST_F(ReidentifikaceTest, AFailingStatementLeavesEveryCallAsItWas)
{
    importuj(sada());
    ASSERT_TRUE(Transaction::main().exec(QStringLiteral("DELETE FROM dba.ciselnik_ucastniku WHERE cislo_ucastnika = '23456'")));
    // The last statement, the local subscribers, fails.
    ASSERT_TRUE(kavro::test::odmitajZapis(Transaction::main(), "zadny_mistni", "UPDATE OF cislo_ucastnika", "hovory",
                                          "NEW.typ_hovoru = 'A' AND NEW.cislo_ucastnika IS NOT NULL", "zkouska"));
    ASSERT_TRUE(Transaction::main().commit());
    const Radky pred = vse();
    Reidentifikace r;
    QStringList kroky;
    QObject::connect(&r, &Reidentifikace::status, [&](const QString& s) { kroky << s; });
    EXPECT_FALSE(r.Nalezeni_ucastniku());
    EXPECT_TRUE(kroky.contains(QStringLiteral("Hledám místní účastníky")));
    EXPECT_TRUE(r.message().contains(QStringLiteral("zkouska"))) << r.message().toStdString();
    EXPECT_EQ(vse(), pred);
    EXPECT_EQ(v(1, "cislo_ucastnika"), QStringLiteral("23456"));
}

TEST_F(ReidentifikaceTest, AnotherProgramHoldingTheDatabaseEndsTheRunWholeWithItsMessage)
{
    if (kavro::test::onServer())
        GTEST_SKIP() << "the lock of the database file; a server makes its clients wait itself";
    importuj(sada());
    ASSERT_TRUE(Transaction::main().exec(QStringLiteral("DELETE FROM dba.ciselnik_ucastniku WHERE cislo_ucastnika = '23456'")));
    ASSERT_TRUE(Transaction::main().commit());
    const Radky pred = vse();
    HeldDatabase held(env, 1000);
    ASSERT_TRUE(held.ok()) << held.error().toStdString();
    Reidentifikace r;
    QList<bool> waits;
    QObject::connect(&r, &Reidentifikace::cekani, [&](bool w) { waits << w; });
    EXPECT_FALSE(r.Nalezeni_ucastniku());
    EXPECT_EQ(waits, QList<bool>({true, false}));
    EXPECT_TRUE(r.message().startsWith(QStringLiteral("Databázi právě používá jiný program"))) << r.message().toStdString();
    EXPECT_TRUE(r.message().contains(QStringLiteral("zopakovat později"))) << r.message().toStdString();
    EXPECT_EQ(vse(), pred);
    held.release();
    EXPECT_TRUE(r.Nalezeni_ucastniku()) << r.message().toStdString();
    EXPECT_NE(vse(), pred);
}

TEST_F(ReidentifikaceTest, WithoutHomeStateOrAreaNothingIsWritten)
{
    importuj(sada());
    const Radky pred = vse();
    for (const char* sql : {"UPDATE dba.konfigurace_mista SET kod_mesta = ''",
                            "DELETE FROM dba.konfigurace_mista"}) {
        ASSERT_TRUE(Transaction::main().exec(QString::fromLatin1(sql)));
        ASSERT_TRUE(Transaction::main().commit());
        Reidentifikace r;
        ASSERT_TRUE(r.nastav_parametry());
        EXPECT_FALSE(r.mistoNastaveno());
        EXPECT_FALSE(r.Nalezeni_ucastniku());
        EXPECT_EQ(vse(), pred);
    }
}

} // namespace
