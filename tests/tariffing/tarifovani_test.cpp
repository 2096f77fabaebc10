// The tariffing run against a real database built from db/, filled with a
// small site, directories and tariff tables.
#include "tarifovani_fixture.h"
#include "import/call_import.h"
#include "tariffing/tarifovani.h"
#include "tariffing/tarifovani_sql.h"
#include "platform/database.h"
#include "tarifovani_data.h"
#include "test_env.h"

#include <gtest/gtest.h>

using namespace kavro;
using namespace kavro::test;

namespace {

const QString kTuesday = QStringLiteral("2024-03-05");   // a working day
const QString kSaturday = QStringLiteral("2024-04-06");

class TarifovaniTest : public TarifovaniFixture {
protected:
    void call(qint64 id, const QString& when, const QString& number, const QString& duration = QStringLiteral("00:01:00"),
              int impulses = 0, int line = 1, const QString& extension = QStringLiteral("100"))
    {
        Call c;
        c.id = id;
        c.when = when;
        c.number = number;
        c.duration = duration;
        c.impulses = impulses;
        c.line = line;
        c.extension = extension;
        ASSERT_TRUE(addCall(c)) << Transaction::main().lastErrorText().toStdString();
    }

    void runAll()
    {
        otarifuj();
    }

    // Runs the run's parts up to and including step `last` (1..9) on the work
    // table and writes the results back, without committing.
    void runSteps(Tarifovani& t, int last)
    {
        ASSERT_TRUE(t.nastav_parametry());
        ASSERT_TRUE(t.pracovni_kopie()) << t.lastError().toStdString();
        ASSERT_TRUE(t.doplneni_kalendare()) << t.lastError().toStdString();
        bool (Tarifovani::*steps[])() = {
            &Tarifovani::Nastav_typ_hovoru, &Tarifovani::zjisteni_tarifnich_vysilacu,
            &Tarifovani::zrus_tarif_u_minimalnich_casu, &Tarifovani::Nastav_kody_mest_a_statu,
            &Tarifovani::Nalezeni_ucastniku, &Tarifovani::urceni_pasma_hovoru, &Tarifovani::oimpulsovani_hovoru,
            &Tarifovani::Zrus_tarifovani_u_kratkych_cisel, &Tarifovani::prirazeni_volajiciho};
        for (int i = 0; i < last; ++i) ASSERT_TRUE((t.*steps[i])()) << "step " << i + 1 << ": " << t.lastError().toStdString();
        ASSERT_TRUE(t.zapis_vysledku()) << t.lastError().toStdString();
    }

    static QString at(const QString& day, const char* time) { return day + QLatin1Char(' ') + QString::fromLatin1(time); }

};

// ---------------------------------------------------------------- the run as a whole

TEST_F(TarifovaniTest, RunTakesEveryCallToStageTenAndCommits)
{
    call(1, at(kTuesday, "10:00:00"), QStringLiteral("2345678"), QStringLiteral("00:01:00"), 2);
    call(2, at(kTuesday, "10:00:00"), QStringLiteral("*IN123"));
    call(3, QStringLiteral("2023-01-02 08:00:00"), QStringLiteral("0049305551234"), QStringLiteral("00:01:00"), 0, 2);
    runAll();
    EXPECT_EQ(countWhere(QStringLiteral("hovory"), QStringLiteral("status_hovoru <> 10")), 0);
    // A finished run is committed: another window's rollback cannot undo it.
    ASSERT_TRUE(Transaction::main().rollback());
    EXPECT_EQ(countWhere(QStringLiteral("hovory"), QStringLiteral("status_hovoru = 10")), 3);
}

TEST_F(TarifovaniTest, StatusTextsComeInTheStepsOrderAndEndEmpty)
{
    call(1, at(kTuesday, "10:00:00"), QStringLiteral("2345678"));
    Tarifovani t;
    QStringList texts;
    QObject::connect(&t, &Tarifovani::status, [&](const QString& s) { texts << s; });
    ASSERT_EQ(t.tarifikuj(), Tarifovani::Vysledek::Hotovo);
    // The window shows each step while it runs and clears the text at the end.
    ASSERT_GE(texts.size(), 10);
    EXPECT_EQ(texts.first(), QStringLiteral("Nastavuji parametry"));
    EXPECT_EQ(texts.at(texts.size() - 2), QStringLiteral("Přiřazuji volajícího k hovoru"));
    EXPECT_TRUE(texts.last().isEmpty());
}

TEST_F(TarifovaniTest, WithoutSiteOrWithEmptyPrefixNothingIsTariffed)
{
    call(1, at(kTuesday, "10:00:00"), QStringLiteral("2345678"));
    ASSERT_TRUE(Transaction::main().exec(QStringLiteral("UPDATE dba.konfigurace_mista SET mezistatni_predvolba = ''")));
    {
        Tarifovani t;
        EXPECT_EQ(t.tarifikuj(), Tarifovani::Vysledek::ChybiMisto);
        EXPECT_FALSE(t.message().isEmpty());
    }
    EXPECT_EQ(v(1, "status_hovoru"), QStringLiteral("2"));
    EXPECT_TRUE(isNull(1, "typ_hovoru"));

    ASSERT_TRUE(Transaction::main().exec(QStringLiteral("DELETE FROM dba.konfigurace_mista")));
    Tarifovani t;
    EXPECT_EQ(t.tarifikuj(), Tarifovani::Vysledek::ChybiMisto);
    EXPECT_EQ(v(1, "status_hovoru"), QStringLiteral("2"));
}

TEST_F(TarifovaniTest, FailingStatementRollsTheRunBack)
{
    call(1, at(kTuesday, "10:00:00"), QStringLiteral("2345678"));
    ASSERT_TRUE(Transaction::main().exec(QStringLiteral("DROP TABLE dba.ciselnik_osob")));
    ASSERT_TRUE(Transaction::main().commit());
    Tarifovani t;
    EXPECT_EQ(t.tarifikuj(), Tarifovani::Vysledek::Chyba);
    EXPECT_FALSE(t.message().isEmpty());
    EXPECT_EQ(v(1, "status_hovoru"), QStringLiteral("2"));
    EXPECT_TRUE(isNull(1, "typ_hovoru"));
}

TEST_F(TarifovaniTest, RunStoppedMidwayLeavesTheCallsForTheNext)
{
    call(1, at(kTuesday, "10:00:00"), QStringLiteral("2345678"));
    {
        Tarifovani left;
        ASSERT_TRUE(left.nastav_parametry());
        ASSERT_TRUE(left.pracovni_kopie());
        ASSERT_TRUE(left.doplneni_kalendare());
        ASSERT_TRUE(left.Nastav_typ_hovoru());
        ASSERT_TRUE(Transaction::main().commit());
    }
    // The half-done copy never reached the calls.
    EXPECT_EQ(v(1, "status_hovoru"), QStringLiteral("2"));
    call(2, at(kTuesday, "11:00:00"), QStringLiteral("0561239"));
    runAll();
    EXPECT_EQ(countWhere(QStringLiteral("hovory"), QStringLiteral("status_hovoru <> 10")), 0);
    EXPECT_EQ(v(1, "cislo_ucastnika"), QStringLiteral("23456"));
    EXPECT_EQ(v(2, "kod_mesta"), QStringLiteral("56"));
}

TEST_F(TarifovaniTest, InterruptedRunIsFinishedByTheNext)
{
    call(1, at(kTuesday, "10:00:00"), QStringLiteral("0049305551234"), QStringLiteral("00:01:00"), 0, 2);
    call(2, at(kTuesday, "10:00:00"), QStringLiteral("2345678"), QStringLiteral("00:03:10"), 0, 2);
    {
        Tarifovani first;
        runSteps(first, 4);
        ASSERT_TRUE(Transaction::main().commit());
    }
    EXPECT_EQ(v(1, "status_hovoru"), QStringLiteral("5"));
    // A later run after a rolled-back one starts the rolled-back calls again.
    call(3, at(kTuesday, "11:00:00"), QStringLiteral("0561239"), QStringLiteral("00:00:45"), 0, 2);
    ASSERT_TRUE(Transaction::main().commit());
    {
        Tarifovani second;
        runSteps(second, 6);
        ASSERT_TRUE(Transaction::main().rollback());
    }
    runAll();
    EXPECT_EQ(v(1, "status_hovoru"), QStringLiteral("10"));
    EXPECT_EQ(v(1, "kod_statu"), QStringLiteral("49"));
    EXPECT_EQ(v(1, "cislo_ucastnika"), QStringLiteral("555"));
    EXPECT_EQ(v(1, "id_pasma"), QStringLiteral("21"));
    EXPECT_EQ(v(1, "program_pocet_impulsu"), QStringLiteral("1"));
    EXPECT_EQ(v(2, "program_pocet_impulsu"), QStringLiteral("3"));
    EXPECT_EQ(v(3, "status_hovoru"), QStringLiteral("10"));
    EXPECT_EQ(v(3, "kod_mesta"), QStringLiteral("56"));
}

// ---------------------------------------------------------------- calendar

TEST_F(TarifovaniTest, CalendarTypesWeekendsAndHolidays)
{
    call(1, at(kTuesday, "10:00:00"), QStringLiteral("2345678"));
    call(2, at(kSaturday, "10:00:00"), QStringLiteral("2345678"));
    call(3, QStringLiteral("2024-05-01 10:00:00"), QStringLiteral("2345678"));  // every year's holiday, a Wednesday
    call(4, QStringLiteral("2024-11-18 10:00:00"), QStringLiteral("2345678"));  // that year's holiday, a Monday
    call(5, QStringLiteral("2025-11-18 10:00:00"), QStringLiteral("2345678"));  // not a holiday that year
    call(6, QStringLiteral("2022-05-01 10:00:00"), QStringLiteral("2345678"));  // a holiday on a Sunday
    call(7, QStringLiteral("2024-04-01 10:00:00"), QStringLiteral("2345678"));  // Easter Monday
    call(8, QStringLiteral("2023-04-10 10:00:00"), QStringLiteral("2345678"));  // Easter Monday of another year
    call(9, QStringLiteral("2023-04-11 10:00:00"), QStringLiteral("2345678"));
    call(10, QStringLiteral("2024-3-7 8:00"), QStringLiteral("2345678"));           // a date the lenient way
    call(11, QStringLiteral("neznámé"), QStringLiteral("2345678"));                 // no date at all
    runAll();
    EXPECT_EQ(dayType(QStringLiteral("2024-03-07")), 1);
    EXPECT_EQ(countWhere(QStringLiteral("kalendar"), QStringLiteral("datum IS NULL OR length(datum) <> 10")), 0);
    EXPECT_EQ(v(11, "status_hovoru"), QStringLiteral("10"));
    EXPECT_EQ(dayType(kTuesday), 1);
    EXPECT_EQ(dayType(kSaturday), 2);
    EXPECT_EQ(dayType(QStringLiteral("2024-05-01")), 2);
    EXPECT_EQ(dayType(QStringLiteral("2024-11-18")), 2);
    EXPECT_EQ(dayType(QStringLiteral("2025-11-18")), 1);
    EXPECT_EQ(dayType(QStringLiteral("2022-05-01")), 2);
    EXPECT_EQ(dayType(QStringLiteral("2024-04-01")), 2);
    EXPECT_EQ(dayType(QStringLiteral("2023-04-10")), 2);
    EXPECT_EQ(dayType(QStringLiteral("2023-04-11")), 1);
    EXPECT_EQ(countWhere(QStringLiteral("kalendar"), QStringLiteral("typ_dne NOT IN (1, 2)")), 0);
}

TEST_F(TarifovaniTest, CalendarGetsOlderDatesAndLaterRunsRetypeIt)
{
    Tarifovani t;
    call(1, QStringLiteral("2024-06-03 10:00:00"), QStringLiteral("2345678"));
    ASSERT_EQ(t.tarifikuj(), Tarifovani::Vysledek::Hotovo);
    EXPECT_TRUE(t.prvniBehProbehl());
    // A call older than the newest calendar date still gets its row.
    call(2, at(kTuesday, "10:00:00"), QStringLiteral("2345678"));
    // A holiday entered between two runs of one window applies to dates already there.
    ASSERT_TRUE(Transaction::main().exec(
        QStringLiteral("INSERT INTO dba.pevne_svatky (den, mesic, nazev, rok) VALUES (3, 6, 'Nový', 2024)")));
    call(3, QStringLiteral("2024-04-01 10:00:00"), QStringLiteral("2345678"));
    ASSERT_EQ(t.tarifikuj(), Tarifovani::Vysledek::Hotovo);
    EXPECT_EQ(dayType(kTuesday), 1);
    EXPECT_EQ(dayType(QStringLiteral("2024-06-03")), 2);
    EXPECT_EQ(dayType(QStringLiteral("2024-04-01")), 2);
    // Retyped once more: Easter Monday stays a holiday in a third run.
    ASSERT_EQ(t.tarifikuj(), Tarifovani::Vysledek::Hotovo);
    EXPECT_EQ(dayType(QStringLiteral("2024-04-01")), 2);
}

TEST_F(TarifovaniTest, RunWithoutCallsStillCompletesTheCalendarTypes)
{
    ASSERT_TRUE(Transaction::main().exec(QStringLiteral("INSERT INTO dba.kalendar (datum, typ_dne) VALUES ('2024-03-05', 3)")));
    runAll();
    EXPECT_EQ(dayType(kTuesday), 1);
}

// ---------------------------------------------------------------- 1: call type

TEST_F(TarifovaniTest, TypingSetsTypeCodesAndLocalSubscriber)
{
    call(1, at(kTuesday, "10:00:00"), QStringLiteral("*IN0049301234"));
    call(2, at(kTuesday, "10:00:00"), QStringLiteral("Příchozí 0042"));
    call(3, at(kTuesday, "10:00:00"), QStringLiteral("0049305551234"));  // 00 begins with 0: still international
    call(4, at(kTuesday, "10:00:00"), QStringLiteral("0561239"));
    call(5, at(kTuesday, "10:00:00"), QStringLiteral("2345678"));        // 2345 and 23456 both begin it
    call(6, at(kTuesday, "10:00:00"), QStringLiteral("7771"));
    call(7, at(kTuesday, "10:00:00"), QStringLiteral("999"));
    call(8, at(kTuesday, "10:00:00"), QStringLiteral("2_45678"));        // no wildcard matching
    Tarifovani t;
    runSteps(t, 1);
    EXPECT_EQ(countWhere(QStringLiteral("hovory"), QStringLiteral("status_hovoru <> 3")), 0);
    EXPECT_EQ(v(1, "typ_hovoru"), QStringLiteral("P"));
    EXPECT_TRUE(isNull(1, "kod_statu"));
    EXPECT_EQ(v(2, "typ_hovoru"), QStringLiteral("P"));
    EXPECT_EQ(v(3, "typ_hovoru"), QStringLiteral("C"));
    EXPECT_TRUE(isNull(3, "kod_statu"));
    EXPECT_EQ(v(4, "typ_hovoru"), QStringLiteral("B"));
    EXPECT_EQ(v(4, "kod_statu"), QStringLiteral("420"));
    EXPECT_TRUE(isNull(4, "kod_mesta"));
    EXPECT_EQ(v(5, "typ_hovoru"), QStringLiteral("A"));
    EXPECT_EQ(v(5, "kod_statu"), QStringLiteral("420"));
    EXPECT_EQ(v(5, "kod_mesta"), QStringLiteral("2"));
    EXPECT_EQ(v(5, "cislo_ucastnika"), QStringLiteral("23456"));
    EXPECT_EQ(v(6, "typ_hovoru"), QStringLiteral("A"));
    EXPECT_EQ(v(6, "cislo_ucastnika"), QStringLiteral("777"));
    EXPECT_EQ(v(7, "typ_hovoru"), QStringLiteral("A"));
    EXPECT_TRUE(isNull(7, "cislo_ucastnika"));
    EXPECT_TRUE(isNull(8, "cislo_ucastnika"));
}

TEST_F(TarifovaniTest, SitePrefixesAreBoundNotPasted)
{
    ASSERT_TRUE(Transaction::main().exec(
        QStringLiteral("UPDATE dba.konfigurace_mista SET mezistatni_predvolba = '0''0', mezimestska_predvolba = '9'")));
    call(1, at(kTuesday, "10:00:00"), QStringLiteral("0'049305551234"));
    call(2, at(kTuesday, "10:00:00"), QStringLiteral("0049305551234"));
    Tarifovani t;
    runSteps(t, 1);
    EXPECT_EQ(v(1, "typ_hovoru"), QStringLiteral("C"));
    EXPECT_EQ(v(2, "typ_hovoru"), QStringLiteral("A"));
}

// ---------------------------------------------------------------- 2: trunk lines

TEST_F(TarifovaniTest, TrunkLinesLearnWhetherTheyDeliverImpulses)
{
    call(1, at(kTuesday, "10:00:00"), QStringLiteral("2345678"), QStringLiteral("00:01:00"), 2, 5);
    call(2, at(kTuesday, "10:00:00"), QStringLiteral("2345678"), QStringLiteral("00:06:00"), 0, 5);
    call(3, at(kTuesday, "10:00:00"), QStringLiteral("2345678"), QStringLiteral("00:05:01"), 0, 6);
    call(4, at(kTuesday, "10:00:00"), QStringLiteral("2345678"), QStringLiteral("00:05:00"), 0, 7);
    call(5, at(kTuesday, "10:00:00"), QStringLiteral("*IN1"), QStringLiteral("00:01:00"), 3, 8);
    call(6, at(kTuesday, "10:00:00"), QStringLiteral("2345678"), QStringLiteral("00:01:00"), 4, 2);
    Tarifovani t;
    runSteps(t, 2);
    const auto zapojen = [](int line) {
        return Transaction::main().scalar(
            QStringLiteral("SELECT zapojen FROM dba.tarifni_vysilace WHERE ustredna_cislo_linky = ?"), {line});
    };
    EXPECT_EQ(zapojen(5), QStringLiteral("1"));  // impulses win over a long call without them
    EXPECT_EQ(zapojen(6), QStringLiteral("0"));
    EXPECT_EQ(zapojen(7), QStringLiteral("0"));  // a new line starts without impulses
    EXPECT_EQ(countWhere(QStringLiteral("tarifni_vysilace"), QStringLiteral("ustredna_cislo_linky = '8'")), 0);
    EXPECT_EQ(zapojen(2), QStringLiteral("1"));
    EXPECT_EQ(zapojen(1), QStringLiteral("1"));  // no call of its own: unchanged
}

// ---------------------------------------------------------------- 3: charge

TEST_F(TarifovaniTest, ChargeFromExchangeImpulsesOrPseudotariffMinimum)
{
    call(1, at(kTuesday, "10:00:00"), QStringLiteral("2345678"), QStringLiteral("00:01:00"), 3, 1);
    call(2, at(kTuesday, "10:00:00"), QStringLiteral("2345678"), QStringLiteral("00:01:00"), 0, 1);
    call(3, at(kTuesday, "10:00:00"), QStringLiteral("2345678"), QStringLiteral("00:00:10"), 0, 2);  // exactly the minimum
    call(4, at(kTuesday, "10:00:00"), QStringLiteral("2345678"), QStringLiteral("00:00:09"), 0, 2);
    call(5, at(kTuesday, "10:00:00"), QStringLiteral("*IN5"), QStringLiteral("00:10:00"), 0, 2);
    Tarifovani t;
    runSteps(t, 3);
    EXPECT_EQ(countWhere(QStringLiteral("hovory"), QStringLiteral("status_hovoru <> 4")), 0);
    EXPECT_EQ(v(1, "tarifovat_hovor"), QStringLiteral("1"));
    EXPECT_EQ(v(1, "program_pocet_impulsu"), QStringLiteral("3"));
    EXPECT_EQ(v(2, "tarifovat_hovor"), QStringLiteral("0"));
    EXPECT_EQ(v(2, "program_pocet_impulsu"), QStringLiteral("0"));
    EXPECT_EQ(v(3, "tarifovat_hovor"), QStringLiteral("1"));
    EXPECT_TRUE(isNull(3, "program_pocet_impulsu"));
    EXPECT_EQ(v(4, "tarifovat_hovor"), QStringLiteral("0"));
    EXPECT_EQ(v(5, "tarifovat_hovor"), QStringLiteral("0"));
}

TEST_F(TarifovaniTest, PseudotariffOutsideItsValidityChargesNothing)
{
    ASSERT_TRUE(Transaction::main().exec(
        QStringLiteral("UPDATE dba.casy_pseudotarifu SET konec_platnosti = '1999-12-31 23:59:59'")));
    call(1, at(kTuesday, "10:00:00"), QStringLiteral("2345678"), QStringLiteral("00:05:00"), 0, 2);
    runAll();
    EXPECT_EQ(v(1, "tarifovat_hovor"), QStringLiteral("0"));
    EXPECT_TRUE(isNull(1, "id_pasma"));
}

// ---------------------------------------------------------------- 4: state and area codes

TEST_F(TarifovaniTest, LongestStateAndAreaCodesWin)
{
    call(1, at(kTuesday, "10:00:00"), QStringLiteral("004202123"));
    call(2, at(kTuesday, "10:00:00"), QStringLiteral("0042555"));
    call(3, at(kTuesday, "10:00:00"), QStringLiteral("0049301234"));
    call(4, at(kTuesday, "10:00:00"), QStringLiteral("0561239"));
    call(5, at(kTuesday, "10:00:00"), QStringLiteral("05123"));
    call(6, at(kTuesday, "10:00:00"), QStringLiteral("0099123"));
    Tarifovani t;
    runSteps(t, 4);
    EXPECT_EQ(countWhere(QStringLiteral("hovory"), QStringLiteral("status_hovoru <> 5")), 0);
    EXPECT_EQ(v(1, "kod_statu"), QStringLiteral("420"));
    EXPECT_EQ(v(1, "kod_mesta"), QStringLiteral("2"));
    EXPECT_EQ(v(2, "kod_statu"), QStringLiteral("42"));
    EXPECT_EQ(v(3, "kod_statu"), QStringLiteral("49"));
    EXPECT_EQ(v(3, "kod_mesta"), QStringLiteral("30"));
    EXPECT_EQ(v(4, "kod_statu"), QStringLiteral("420"));
    EXPECT_EQ(v(4, "kod_mesta"), QStringLiteral("56"));
    EXPECT_EQ(v(5, "kod_mesta"), QStringLiteral("5"));
    EXPECT_TRUE(isNull(6, "kod_statu"));
    EXPECT_TRUE(isNull(6, "kod_mesta"));
}

TEST_F(TarifovaniTest, WithoutTheLongerStateCodeTheShorterWins)
{
    ASSERT_TRUE(Transaction::main().exec(QStringLiteral(
        "UPDATE dba.ciselnik_statu SET kod_statu = '4' WHERE kod_statu = '420'")));
    call(1, at(kTuesday, "10:00:00"), QStringLiteral("004202123"));
    call(2, at(kTuesday, "10:00:00"), QStringLiteral("0043"));
    Tarifovani t;
    runSteps(t, 4);
    EXPECT_EQ(v(1, "kod_statu"), QStringLiteral("42"));
    EXPECT_EQ(v(2, "kod_statu"), QStringLiteral("4"));
}

// ---------------------------------------------------------------- 5: subscriber

TEST_F(TarifovaniTest, SubscribersOfInternationalAndLongDistanceCalls)
{
    call(1, at(kTuesday, "10:00:00"), QStringLiteral("0049305551234"));
    call(2, at(kTuesday, "10:00:00"), QStringLiteral("0561239"));
    call(3, at(kTuesday, "10:00:00"), QStringLiteral("056999"));
    call(4, at(kTuesday, "10:00:00"), QStringLiteral("00121291"));
    ASSERT_TRUE(Transaction::main().exec(QStringLiteral(
        "INSERT INTO dba.ciselnik_ucastniku (kod_statu, kod_mesta, cislo_ucastnika) VALUES ('420', '56', '1239')")));
    Tarifovani t;
    runSteps(t, 5);
    EXPECT_EQ(countWhere(QStringLiteral("hovory"), QStringLiteral("status_hovoru <> 6")), 0);
    EXPECT_EQ(v(1, "cislo_ucastnika"), QStringLiteral("555"));
    // 123 and 1239 both begin the number: the longer one is the subscriber,
    // and the call is not left without one.
    EXPECT_EQ(v(2, "cislo_ucastnika"), QStringLiteral("1239"));
    EXPECT_TRUE(isNull(3, "cislo_ucastnika"));
    EXPECT_EQ(v(4, "cislo_ucastnika"), QStringLiteral("9"));
}

// ---------------------------------------------------------------- 6: zone

TEST_F(TarifovaniTest, ChargedCallsTakeTheZoneOfStateOrArea)
{
    call(1, at(kTuesday, "10:00:00"), QStringLiteral("0049305551234"), QStringLiteral("00:01:00"), 5);
    call(2, at(kTuesday, "10:00:00"), QStringLiteral("0561239"), QStringLiteral("00:01:00"), 5);
    call(3, at(kTuesday, "10:00:00"), QStringLiteral("2345678"), QStringLiteral("00:01:00"), 5);
    call(4, at(kTuesday, "10:00:00"), QStringLiteral("2345678"), QStringLiteral("00:01:00"), 0);
    Tarifovani t;
    runSteps(t, 6);
    EXPECT_EQ(countWhere(QStringLiteral("hovory"), QStringLiteral("status_hovoru <> 7")), 0);
    EXPECT_EQ(v(1, "id_pasma"), QStringLiteral("21"));
    EXPECT_EQ(v(2, "id_pasma"), QStringLiteral("3"));
    EXPECT_EQ(v(3, "id_pasma"), QStringLiteral("1"));
    EXPECT_TRUE(isNull(4, "id_pasma"));
}

// ---------------------------------------------------------------- 7: impulses

TEST_F(TarifovaniTest, ImpulsesFromDurationPeriodAndBands)
{
    // Line 2 delivers no impulses, so the computed count is the count.
    call(1, at(kTuesday, "10:00:00"), QStringLiteral("2345678"), QStringLiteral("00:01:11"), 0, 2);  // 61 s at 60 s
    call(2, at(kTuesday, "18:59:59"), QStringLiteral("2345678"), QStringLiteral("00:02:10"), 0, 2);  // band end included
    call(3, at(kTuesday, "19:00:00"), QStringLiteral("2345678"), QStringLiteral("00:02:10"), 0, 2);  // night band
    call(4, at(kTuesday, "10:00:00"), QStringLiteral("2345678"), QStringLiteral("00:00:10"), 0, 2);  // exactly the minimum
    call(5, at(kSaturday, "10:00:00"), QStringLiteral("2345678"), QStringLiteral("00:03:10"), 0, 2);
    // The last day of a validity range belongs to it: 40 s at 20 s.
    call(6, QStringLiteral("2024-06-28 15:00:00"), QStringLiteral("0561239"), QStringLiteral("00:00:45"), 0, 2);
    call(7, QStringLiteral("2024-07-01 15:00:00"), QStringLiteral("0561239"), QStringLiteral("00:00:45"), 0, 2);
    Tarifovani t;
    runSteps(t, 7);
    EXPECT_EQ(countWhere(QStringLiteral("hovory"), QStringLiteral("status_hovoru <> 8")), 0);
    EXPECT_EQ(v(1, "program_pocet_impulsu"), QStringLiteral("2"));
    EXPECT_EQ(v(2, "program_pocet_impulsu"), QStringLiteral("2"));
    EXPECT_EQ(v(3, "program_pocet_impulsu"), QStringLiteral("1"));
    EXPECT_EQ(v(4, "program_pocet_impulsu"), QStringLiteral("0"));
    EXPECT_EQ(v(5, "program_pocet_impulsu"), QStringLiteral("1"));
    EXPECT_EQ(v(6, "program_pocet_impulsu"), QStringLiteral("2"));
    EXPECT_EQ(v(7, "program_pocet_impulsu"), QStringLiteral("1"));
}

TEST_F(TarifovaniTest, DiscountAppliesOnlyInItsOwnBandAndDayType)
{
    call(1, at(kTuesday, "10:00:00"), QStringLiteral("00121291"), QStringLiteral("00:01:00"), 0, 2);   // 30 s
    call(2, at(kTuesday, "17:00:00"), QStringLiteral("00121291"), QStringLiteral("00:01:00"), 0, 2);   // zone 90 s
    call(3, at(kSaturday, "10:00:00"), QStringLiteral("00121291"), QStringLiteral("00:01:00"), 0, 2);  // zone 90 s
    // A discount of 0 seconds counts as none.
    ASSERT_TRUE(Transaction::main().exec(QStringLiteral(
        "INSERT INTO dba.zlevnene_volani (kod_statu, pocatek_platnosti, konec_platnosti, od_casu, do_casu, perioda, typ_dne) "
        "VALUES ('49', '2000-01-01', '9999-12-31', '00:00:00', '23:59:59', 0, 1)")));
    call(4, at(kTuesday, "10:00:00"), QStringLiteral("0049305551234"), QStringLiteral("00:02:00"), 0, 2);  // zone 60 s
    // A zone period of 0 counts as missing: one impulse a second.
    call(5, at(kTuesday, "10:00:00"), QStringLiteral("0042555"), QStringLiteral("00:00:07"), 0, 2);
    Tarifovani t;
    runSteps(t, 7);
    EXPECT_EQ(v(1, "program_pocet_impulsu"), QStringLiteral("2"));
    EXPECT_EQ(v(2, "program_pocet_impulsu"), QStringLiteral("1"));
    EXPECT_EQ(v(3, "program_pocet_impulsu"), QStringLiteral("1"));
    EXPECT_EQ(v(4, "program_pocet_impulsu"), QStringLiteral("2"));
    EXPECT_EQ(v(5, "program_pocet_impulsu"), QStringLiteral("7"));
}

TEST_F(TarifovaniTest, HolidaysTakeTheHolidayPeriod)
{
    // 00:03:10 less 10 s: 180 s, one impulse at 180 s on holidays, three at 60 s on working days.
    call(1, QStringLiteral("2024-04-01 10:00:00"), QStringLiteral("2345678"), QStringLiteral("00:03:10"), 0, 2);
    call(2, QStringLiteral("2024-11-18 10:00:00"), QStringLiteral("2345678"), QStringLiteral("00:03:10"), 0, 2);
    call(3, QStringLiteral("2025-11-18 10:00:00"), QStringLiteral("2345678"), QStringLiteral("00:03:10"), 0, 2);
    runAll();
    EXPECT_EQ(v(1, "program_pocet_impulsu"), QStringLiteral("1"));
    EXPECT_EQ(v(2, "program_pocet_impulsu"), QStringLiteral("1"));
    EXPECT_EQ(v(3, "program_pocet_impulsu"), QStringLiteral("3"));
}

TEST_F(TarifovaniTest, ExchangeCountAgainstComputedCount)
{
    // 00:03:10 less 10 s at 60 s: 3 computed.
    call(1, at(kTuesday, "10:00:00"), QStringLiteral("2345678"), QStringLiteral("00:03:10"), 7, 1);
    call(2, at(kTuesday, "10:00:00"), QStringLiteral("2345678"), QStringLiteral("00:03:10"), 8, 1);
    call(3, at(kTuesday, "10:00:00"), QStringLiteral("2345678"), QStringLiteral("00:03:10"), 0, 2);
    // Shorter than the subtracted time: never a negative count.
    ASSERT_TRUE(Transaction::main().exec(
        QStringLiteral("UPDATE dba.casy_pseudotarifu SET cas = '00:02:00' WHERE typ_hovoru = 'B' AND typ_casu = 'D'")));
    call(4, at(kTuesday, "10:00:00"), QStringLiteral("05123"), QStringLiteral("00:00:01"), 10, 1);
    // A line with impulses and one without in one run.
    call(5, at(kTuesday, "10:00:00"), QStringLiteral("05123"), QStringLiteral("00:04:00"), 0, 2);
    Tarifovani t;
    runSteps(t, 7);
    EXPECT_EQ(v(1, "program_pocet_impulsu"), QStringLiteral("7"));
    EXPECT_EQ(v(2, "program_pocet_impulsu"), QStringLiteral("3"));
    EXPECT_EQ(v(3, "program_pocet_impulsu"), QStringLiteral("3"));
    EXPECT_EQ(v(4, "program_pocet_impulsu"), QStringLiteral("0"));
    EXPECT_EQ(v(5, "program_pocet_impulsu"), QStringLiteral("4"));
}

TEST_F(TarifovaniTest, ChargedCallWithoutZonePeriodKeepsItsCount)
{
    call(1, QStringLiteral("1999-03-02 10:00:00"), QStringLiteral("2345678"), QStringLiteral("00:03:10"), 4, 1);
    call(2, QStringLiteral("1999-03-02 10:00:00"), QStringLiteral("2345678"), QStringLiteral("00:03:10"), 0, 2);
    runAll();
    EXPECT_EQ(v(1, "program_pocet_impulsu"), QStringLiteral("4"));
    EXPECT_TRUE(isNull(2, "program_pocet_impulsu"));
    EXPECT_EQ(v(2, "tarifovat_hovor"), QStringLiteral("1"));
}

// ---------------------------------------------------------------- 8: short numbers

// A record with empty fields (written by hand or by another program) goes
// through every step like any other and matches nothing.
TEST_F(TarifovaniTest, CallWithoutValuesReachesStageTenMatchingNothing)
{
    if (kavro::test::onServer()) GTEST_SKIP() << "a server keeps no text in a number column";
    ASSERT_TRUE(Transaction::main().exec(QStringLiteral(
        "INSERT INTO dba.hovory (id_hovoru, status_hovoru, tarifovat_hovor) VALUES (1, 2, 0)")));
    // A period that is no number counts as missing.
    ASSERT_TRUE(Transaction::main().exec(QStringLiteral("UPDATE dba.perioda_impulsu SET perioda = 'x' WHERE id_pasma = 2")));
    call(2, at(kTuesday, "10:00:00"), QStringLiteral("0561239"), QStringLiteral("00:01:00"), 0, 2);
    call(3, at(kTuesday, "10:00:00"), QStringLiteral("05123456"), QStringLiteral("00:02:00"), 0, 2);
    runAll();
    EXPECT_EQ(v(1, "status_hovoru"), QStringLiteral("10"));
    EXPECT_EQ(v(1, "typ_hovoru"), QStringLiteral("A"));
    EXPECT_EQ(v(1, "kod_mesta"), QStringLiteral("2"));
    EXPECT_EQ(v(1, "tarifovat_hovor"), QStringLiteral("0"));
    for (const char* c : {"cislo_ucastnika", "id_pasma", "program_pocet_impulsu", "id_firmy", "popis_osob"})
        EXPECT_TRUE(isNull(1, c)) << c;
    EXPECT_EQ(v(2, "program_pocet_impulsu"), QStringLiteral("3"));  // Jihlava, 20 s
    EXPECT_EQ(v(3, "tarifovat_hovor"), QStringLiteral("1"));          // Brno
    EXPECT_TRUE(isNull(3, "program_pocet_impulsu"));
}

// An empty text is a value, not a missing one: a validity range with an
// empty beginning holds from any day, as the engine compares texts.
TEST_F(TarifovaniTest, EmptyBeginningOfValidityHoldsFromAnyDay)
{
    ASSERT_TRUE(Transaction::main().exec(QStringLiteral("UPDATE dba.perioda_impulsu SET pocatek_platnosti = ''")));
    call(1, at(kTuesday, "05:00:00"), QStringLiteral("2345678"), QStringLiteral("00:02:30"), 0, 2);
    call(2, at(kTuesday, "10:00:00"), QStringLiteral("2345678"), QStringLiteral("00:02:30"), 0, 2);
    runAll();
    EXPECT_EQ(v(1, "program_pocet_impulsu"), QStringLiteral("2"));  // (150 - 10) / 120 at night
    EXPECT_EQ(v(2, "program_pocet_impulsu"), QStringLiteral("3"));  // (150 - 10) / 60 by day
}

TEST_F(TarifovaniTest, ShortNumbersAreNotCharged)
{
    call(1, at(kTuesday, "10:00:00"), QStringLiteral("12"), QStringLiteral("00:01:00"), 1);
    call(2, at(kTuesday, "10:00:00"), QStringLiteral("0049"), QStringLiteral("00:01:00"), 1);
    call(3, at(kTuesday, "10:00:00"), QStringLiteral("00491"), QStringLiteral("00:01:00"), 1);
    call(4, at(kTuesday, "10:00:00"), QStringLiteral("00493012"), QStringLiteral("00:01:00"), 1);
    call(5, at(kTuesday, "10:00:00"), QStringLiteral("004930123"), QStringLiteral("00:01:00"), 1);
    call(6, at(kTuesday, "10:00:00"), QStringLiteral("056"), QStringLiteral("00:01:00"), 1);
    call(7, at(kTuesday, "10:00:00"), QStringLiteral("0"), QStringLiteral("00:01:00"), 1);
    Tarifovani t;
    runSteps(t, 8);
    EXPECT_EQ(countWhere(QStringLiteral("hovory"), QStringLiteral("status_hovoru <> 9")), 0);
    EXPECT_EQ(v(1, "tarifovat_hovor"), QStringLiteral("0"));
    EXPECT_EQ(v(1, "id_pasma"), QStringLiteral("1"));  // the zone stays
    EXPECT_EQ(v(2, "tarifovat_hovor"), QStringLiteral("0"));
    EXPECT_EQ(v(3, "tarifovat_hovor"), QStringLiteral("1"));
    EXPECT_EQ(v(4, "tarifovat_hovor"), QStringLiteral("0"));
    EXPECT_EQ(v(5, "tarifovat_hovor"), QStringLiteral("1"));
    EXPECT_EQ(v(6, "tarifovat_hovor"), QStringLiteral("1"));
    EXPECT_EQ(v(7, "tarifovat_hovor"), QStringLiteral("0"));
}

// ---------------------------------------------------------------- 9: caller

TEST_F(TarifovaniTest, CallerFromTheAssignmentsValidAtTheCall)
{
    const QString number = QStringLiteral("2345678");
    call(1, at(kTuesday, "10:00:00"), number, QStringLiteral("00:01:00"), 0, 1, QStringLiteral("100"));
    call(2, at(kTuesday, "10:00:00"), number, QStringLiteral("00:01:00"), 0, 1, QStringLiteral("101"));
    call(3, at(kTuesday, "10:00:00"), number, QStringLiteral("00:01:00"), 0, 1, QStringLiteral("102"));
    call(4, QStringLiteral("2024-07-05 10:00:00"), number, QStringLiteral("00:01:00"), 0, 1, QStringLiteral("102"));
    call(5, QStringLiteral("2024-03-01 12:00:00"), number, QStringLiteral("00:01:00"), 0, 1, QStringLiteral("103"));
    call(6, QStringLiteral("2024-03-01 12:00:01"), number, QStringLiteral("00:01:00"), 0, 1, QStringLiteral("103"));
    call(7, at(kTuesday, "10:00:00"), number, QStringLiteral("00:01:00"), 0, 1, QStringLiteral("555"));
    Tarifovani t;
    runSteps(t, 9);
    EXPECT_EQ(countWhere(QStringLiteral("hovory"), QStringLiteral("status_hovoru <> 10")), 0);
    EXPECT_EQ(v(1, "id_firmy"), QStringLiteral("1"));
    EXPECT_EQ(v(1, "id_oddeleni"), QStringLiteral("10"));
    EXPECT_EQ(v(1, "popis_osob"), QStringLiteral("Novák"));
    EXPECT_EQ(v(2, "id_firmy"), QStringLiteral("1"));
    EXPECT_EQ(v(2, "id_oddeleni"), QStringLiteral("10"));
    QStringList persons = v(2, "popis_osob").split(QLatin1Char(','));
    persons.sort();
    EXPECT_EQ(persons, (QStringList{QStringLiteral("Novák"), QStringLiteral("Svoboda")}));
    // Two firms at once: only those columns stay empty, the other calls get theirs.
    EXPECT_TRUE(isNull(3, "id_firmy"));
    EXPECT_TRUE(isNull(3, "id_oddeleni"));
    EXPECT_EQ(v(3, "popis_osob"), QStringLiteral("Dvořák"));
    EXPECT_EQ(v(4, "id_firmy"), QStringLiteral("2"));
    EXPECT_EQ(v(4, "id_oddeleni"), QStringLiteral("20"));
    EXPECT_TRUE(isNull(5, "id_firmy"));  // the moment of the hand-over belongs to both
    EXPECT_EQ(v(6, "id_firmy"), QStringLiteral("2"));
    EXPECT_TRUE(isNull(7, "id_firmy"));
    EXPECT_TRUE(isNull(7, "id_oddeleni"));
    EXPECT_TRUE(isNull(7, "popis_osob"));
}

// The caller a run gives is the one the re-identification's lookup gives, at
// every moment at which an assignment begins or ends and around it.
TEST_F(TarifovaniTest, CallerEqualsTheDirectoryLookupAtEveryBoundary)
{
    if (kavro::test::onServer()) GTEST_SKIP() << "the moments are built with the file engine's datetime()";
    // More overlaps: a row without person, a row that ends before it begins,
    // a gap between two rows, three holders of one department from one moment.
    ASSERT_TRUE(Transaction::main().exec(QStringLiteral(
        "INSERT INTO dba.prirazeni_pobocek (cislo_pobocky, pocatek_platnosti, konec_platnosti, id_firmy, id_oddeleni, id_osoby) VALUES "
        "('104', '2024-01-01 00:00:00', '2024-01-31 23:59:59', 3, 30, NULL), "
        "('104', '2024-02-02 00:00:00', '2024-01-15 00:00:00', 4, 40, 1), "
        "('104', '2024-02-02 00:00:00', '2024-12-31 23:59:59', 3, 31, 3), "
        "('104', '2024-02-02 00:00:00', '2024-12-31 23:59:59', 3, 31, 2), "
        "('104', '2024-02-02 00:00:00', '2024-02-02 00:00:00', 3, 31, 1)")));
    // Every moment at which a row begins or ends, a second before and after it,
    // and moments far before and after, for every extension and one unknown.
    ASSERT_TRUE(Transaction::main().exec(QStringLiteral(
        "INSERT INTO dba.hovory (ustredna_cislo_pobocky, ustredna_datum_a_cas, ustredna_delka_hovoru, "
        "ustredna_volane_cislo, ustredna_pocet_impulsu, ustredna_cislo_linky, status_hovoru, tarifovat_hovor) "
        "SELECT p.c, datetime(m.t, s.d), '00:01:00', '2345678', 0, '1', 2, 0 FROM "
        "(SELECT DISTINCT cislo_pobocky AS c FROM dba.prirazeni_pobocek UNION SELECT '777') p, "
        "(SELECT pocatek_platnosti AS t FROM dba.prirazeni_pobocek UNION SELECT konec_platnosti FROM dba.prirazeni_pobocek "
        " UNION SELECT '1999-01-01 00:00:00' UNION SELECT '2024-02-01 10:00:00') m, "
        "(SELECT '-1 second' AS d UNION SELECT '+0 seconds' UNION SELECT '+1 second') s "
        "WHERE datetime(m.t, s.d) IS NOT NULL")));
    runAll();
    ASSERT_TRUE(Transaction::main().exec(QStringLiteral("DROP TABLE IF EXISTS temp.zkouska")));
    ASSERT_TRUE(Transaction::main().exec(QStringLiteral(
        "CREATE TEMP TABLE zkouska AS SELECT ustredna_cislo_pobocky, ustredna_datum_a_cas, id_firmy AS f1, "
        "id_oddeleni AS o1, popis_osob AS p1, NULL AS f2, NULL AS o2, NULL AS p2 FROM dba.hovory")));
    ASSERT_TRUE(Transaction::main().exec(QStringLiteral("UPDATE temp.zkouska AS h SET (f2, o2, p2) = %1")
                                             .arg(tarifovani_sql::volajici(QStringLiteral("h")))))
        << Transaction::main().lastErrorText().toStdString();
    const auto count = [](const char* condition) {
        return Transaction::main()
            .scalar(QStringLiteral("SELECT count(*) FROM temp.zkouska WHERE %1").arg(QString::fromLatin1(condition)))
            .toInt();
    };
    EXPECT_GT(count("1 = 1"), 200);
    EXPECT_EQ(count("f1 IS NOT f2 OR o1 IS NOT o2 OR p1 IS NOT p2"), 0);
    // The moments tell the cases apart: agreed firm, disagreeing firms, no row.
    EXPECT_GT(count("f1 IS NOT NULL"), 0);
    EXPECT_GT(count("f1 IS NULL AND p1 IS NOT NULL"), 0);
    EXPECT_GT(count("p1 IS NULL"), 0);
    EXPECT_GT(count("p1 LIKE '%,%,%'"), 0);
}

} // namespace

namespace {

TEST_F(TarifovaniTest, ImportHookRunsTheTariffing)
{
    std::unique_ptr<TariffingRun> run = Tarifovani::proImport();
    ASSERT_TRUE(run);
    call(1, at(kTuesday, "10:00:00"), QStringLiteral("0049305551234"), QStringLiteral("00:01:00"), 2);
    run->novy_beh();
    EXPECT_TRUE(run->spust());
    EXPECT_EQ(v(1, "status_hovoru"), QStringLiteral("10"));
    EXPECT_EQ(v(1, "cislo_ucastnika"), QStringLiteral("555"));
}

} // namespace
