// Tariffing the calls of a period again, against a real database filled with
// the small tariff data set.
#include "tarifovani_fixture.h"
#include "tariffing/tarifovani.h"
#include "tariffing/znovu_otarifuj.h"
#include "platform/database.h"
#include "tarifovani_data.h"
#include "test_env.h"

#include <QMap>
#include <chrono>
#include <gtest/gtest.h>

using namespace kavro;
using namespace kavro::test;

namespace {

const QString kDen1 = QStringLiteral("2024-03-05");
const QString kDen2 = QStringLiteral("2024-03-06");
const QString kDen3 = QStringLiteral("2024-03-08");

using Radky = QMap<qint64, QStringList>;

class ZnovuOtarifujTest : public TarifovaniFixture {
protected:
    static Call hovor(qint64 id, const QString& when, const QString& number, int impulses = 0, int line = 2,
                      const QString& extension = QStringLiteral("100"), const QString& duration = QStringLiteral("00:03:00"))
    {
        Call c;
        c.id = id;
        c.when = when;
        c.number = number;
        c.impulses = impulses;
        c.line = line;
        c.extension = extension;
        c.duration = duration;
        return c;
    }

    // Calls of three days, of every type, as the collector would deliver them.
    static QList<Call> sada()
    {
        QList<Call> s;
        for (const QString& d : {kDen1, kDen2, kDen3}) {
            const qint64 b = (d == kDen1 ? 10 : d == kDen2 ? 20 : 30);
            s << hovor(b + 1, d + QStringLiteral(" 09:00:00"), QStringLiteral("2345678"))       // local
              << hovor(b + 2, d + QStringLiteral(" 10:00:00"), QStringLiteral("0561234567"))    // long distance, Jihlava
              << hovor(b + 3, d + QStringLiteral(" 11:00:00"), QStringLiteral("0042012345678")) // international, 420
              << hovor(b + 4, d + QStringLiteral(" 12:00:00"), QStringLiteral("0049305551234"), 4, 1, QStringLiteral("103"))
              << hovor(b + 5, d + QStringLiteral(" 13:00:00"), QStringLiteral("*IN2345678"))    // incoming
              << hovor(b + 6, d + QStringLiteral(" 14:00:00"), QStringLiteral("12"))            // too short
              << hovor(b + 7, d + QStringLiteral(" 23:59:59"), QStringLiteral("0777123"), 0, 2, QStringLiteral("101"));
        }
        return s;
    }

    // Imports and tariffs the calls day by day, as the call import does.
    static void importuj(const QList<Call>& calls)
    {
        QString den;
        Tarifovani t;
        for (const Call& c : calls) {
            if (!den.isEmpty() && c.when.left(10) != den) {
                ASSERT_EQ(t.tarifikuj(), Tarifovani::Vysledek::Hotovo) << t.message().toStdString();
            }
            den = c.when.left(10);
            ASSERT_TRUE(addCall(c)) << Transaction::main().lastErrorText().toStdString();
        }
        ASSERT_EQ(t.tarifikuj(), Tarifovani::Vysledek::Hotovo) << t.message().toStdString();
    }

    // Every column of every stored call.
    static Radky radky()
    {
        Radky out;
        Query q(Transaction::main(), QStringLiteral("SELECT * FROM dba.hovory ORDER BY id_hovoru"));
        EXPECT_TRUE(q.run());
        for (; !q.atEnd(); q.next()) {
            QStringList r;
            for (int i = 1; i <= q.columnCount(); ++i) r << (q.isNull(i) ? QStringLiteral("<null>") : q.value(i));
            out.insert(q.intValue(1), r);
        }
        return out;
    }

    // The directories change after the calls were tariffed: a subscriber goes,
    // an area code changes and an extension passes to another firm.
    static void zmenAdresare()
    {
        Transaction& t = Transaction::main();
        ASSERT_TRUE(t.exec(QStringLiteral("DELETE FROM dba.ciselnik_ucastniku WHERE cislo_ucastnika = '23456'")));
        ASSERT_TRUE(t.exec(QStringLiteral("UPDATE dba.ciselnik_mest SET kod_mesta = '57' WHERE kod_mesta = '56'")));
        ASSERT_TRUE(t.exec(QStringLiteral("UPDATE dba.prirazeni_pobocek SET id_firmy = 2, id_oddeleni = 20, id_osoby = 2 "
                                          "WHERE cislo_pobocky = '100'")));
        ASSERT_TRUE(t.commit());
    }


};

TEST_F(ZnovuOtarifujTest, ProposesTheDaysOfTheOldestAndNewestCall)
{
    Znovu_otarifuj z;
    Znovu_otarifuj::Obdobi o = z.navrzene_obdobi();
    EXPECT_TRUE(o.od.isEmpty());
    EXPECT_TRUE(o.do_.isEmpty());
    importuj(sada());
    o = z.navrzene_obdobi();
    EXPECT_EQ(o.od, kDen1);
    EXPECT_EQ(o.do_, kDen3);
}

TEST_F(ZnovuOtarifujTest, TakesTheDaysWithCallsInDateOrder)
{
    importuj(sada());
    Znovu_otarifuj z;
    QStringList dny;
    ASSERT_TRUE(z.dny(kDen1, kDen3, dny));
    EXPECT_EQ(dny, QStringList({kDen1, kDen2, kDen3}));  // 2024-03-07 has no call
    // Typed forms are normalised; both days are included, the last to its last second.
    ASSERT_TRUE(z.dny(QStringLiteral("6.3.2024"), QStringLiteral("8.3.2024"), dny));
    EXPECT_EQ(dny, QStringList({kDen2, kDen3}));
    // A text with an apostrophe is a value like any other.
    ASSERT_TRUE(z.dny(QStringLiteral("2024-03-06' OR '1'='1"), kDen3, dny));
    // A first day after the last, or an empty box, gives no day.
    ASSERT_TRUE(z.dny(kDen3, kDen1, dny));
    EXPECT_TRUE(dny.isEmpty());
    ASSERT_TRUE(z.dny(QString(), kDen3, dny));
    EXPECT_TRUE(dny.isEmpty());
    EXPECT_EQ(Znovu_otarifuj::normalizuj(QStringLiteral("  ")), QString());
    EXPECT_EQ(Znovu_otarifuj::normalizuj(QStringLiteral("5.3.2024")), kDen1);
}

TEST_F(ZnovuOtarifujTest, AfterDirectoryChangesGivesWhatAFreshTariffingGives)
{
    const QList<Call> calls = sada();
    importuj(calls);
    // What the first tariffing found.
    EXPECT_EQ(v(11, "cislo_ucastnika"), QStringLiteral("23456"));
    EXPECT_EQ(v(12, "kod_mesta"), QStringLiteral("56"));
    EXPECT_EQ(v(12, "id_pasma"), QStringLiteral("3"));
    EXPECT_EQ(v(11, "id_firmy"), QStringLiteral("1"));
    zmenAdresare();

    Znovu_otarifuj z;
    const Znovu_otarifuj::Obdobi o = z.navrzene_obdobi();
    ASSERT_EQ(z.otarifuj(o.od, o.do_), Znovu_otarifuj::Vysledek::Hotovo) << z.message().toStdString();
    EXPECT_EQ(z.hotoveDny(), QStringList({kDen1, kDen2, kDen3}));
    EXPECT_EQ(countWhere(QStringLiteral("hovory"), QStringLiteral("status_hovoru <> 10")), 0);
    for (qint64 b : {10, 20, 30}) {
        EXPECT_EQ(v(b + 1, "cislo_ucastnika"), QStringLiteral("2345"));
        EXPECT_EQ(v(b + 2, "kod_mesta"), QStringLiteral("5"));   // Brno now begins the number
        EXPECT_EQ(v(b + 2, "id_pasma"), QStringLiteral("2"));
        EXPECT_EQ(v(b + 1, "id_firmy"), QStringLiteral("2"));
        EXPECT_EQ(v(b + 1, "popis_osob"), QStringLiteral("Svoboda"));
        EXPECT_EQ(v(b + 5, "typ_hovoru"), QStringLiteral("P"));  // incoming calls get their type back
        EXPECT_TRUE(callIsNull(b + 5, QStringLiteral("kod_statu")));
    }
    // Committed: another window's rollback does not undo it.
    ASSERT_TRUE(Transaction::main().rollback());
    const Radky znovu = radky();
    EXPECT_EQ(znovu.value(11).at(0), QStringLiteral("11"));

    // The same calls imported and tariffed afresh with the changed directories.
    ASSERT_TRUE(Transaction::main().exec(QStringLiteral("DELETE FROM dba.hovory")));
    ASSERT_TRUE(Transaction::main().commit());
    importuj(calls);
    const Radky cerstve = radky();
    ASSERT_EQ(znovu.size(), cerstve.size());
    for (auto it = cerstve.cbegin(); it != cerstve.cend(); ++it)
        EXPECT_EQ(znovu.value(it.key()).join(u'|').toStdString(), it.value().join(u'|').toStdString());
}

TEST_F(ZnovuOtarifujTest, ResetsOnlyTheDaysOfThePeriodAndCompletesOtherCalls)
{
    importuj(sada());
    zmenAdresare();
    // A call of another day that is still waiting for its tariffing.
    ASSERT_TRUE(addCall(hovor(40, QStringLiteral("2024-03-09 08:00:00"), QStringLiteral("2345678"))));
    ASSERT_TRUE(Transaction::main().commit());

    Znovu_otarifuj z;
    ASSERT_EQ(z.otarifuj(kDen2, QStringLiteral("2024-03-07")), Znovu_otarifuj::Vysledek::Hotovo)
        << z.message().toStdString();
    EXPECT_EQ(z.hotoveDny(), QStringList({kDen2}));
    EXPECT_EQ(v(21, "cislo_ucastnika"), QStringLiteral("2345"));
    // The days outside the period keep what their tariffing found.
    EXPECT_EQ(v(11, "cislo_ucastnika"), QStringLiteral("23456"));
    EXPECT_EQ(v(32, "kod_mesta"), QStringLiteral("56"));
    EXPECT_EQ(v(31, "id_firmy"), QStringLiteral("1"));
    // The waiting call was tariffed by the day's run.
    EXPECT_EQ(v(40, "status_hovoru"), QStringLiteral("10"));
    EXPECT_EQ(v(40, "cislo_ucastnika"), QStringLiteral("2345"));
}

TEST_F(ZnovuOtarifujTest, AFailureOnALaterDayLeavesEveryCallAsItWas)
{
    importuj(sada());
    zmenAdresare();
    const Radky pred = radky();
    // The tariffing of the third day cannot write the subscriber it finds now.
    ASSERT_TRUE(kavro::test::odmitajZapis(
        Transaction::main(), "zadny_treti_den", "UPDATE", "hovory",
        "NEW.cislo_ucastnika = '2345' AND substr(NEW.ustredna_datum_a_cas, 1, 10) = '2024-03-08'", "zkouska"));
    ASSERT_TRUE(Transaction::main().commit());

    Znovu_otarifuj z;
    EXPECT_EQ(z.otarifuj(kDen1, kDen3), Znovu_otarifuj::Vysledek::Chyba);
    EXPECT_TRUE(z.message().contains(kDen3)) << z.message().toStdString();
    EXPECT_TRUE(z.message().contains(QStringLiteral("zkouska"))) << z.message().toStdString();
    EXPECT_TRUE(z.hotoveDny().isEmpty());
    EXPECT_EQ(radky(), pred);
    // Nothing is left open, and the next re-tariffing works.
    ASSERT_TRUE(Transaction::main().rollback());
    EXPECT_EQ(radky(), pred);
    ASSERT_TRUE(kavro::test::povolZapis(Transaction::main(), "zadny_treti_den", "hovory"));
    ASSERT_TRUE(Transaction::main().commit());
    ASSERT_EQ(z.otarifuj(kDen1, kDen3), Znovu_otarifuj::Vysledek::Hotovo) << z.message().toStdString();
    EXPECT_EQ(v(31, "cislo_ucastnika"), QStringLiteral("2345"));
}

TEST_F(ZnovuOtarifujTest, AnotherProgramHoldingTheDatabaseEndsTheRunWholeWithItsMessage)
{
    if (kavro::test::onServer())
        GTEST_SKIP() << "the lock of the database file; a server makes its clients wait itself";
    importuj(sada());
    zmenAdresare();
    const Radky pred = radky();
    HeldDatabase held(env, 1000);
    ASSERT_TRUE(held.ok()) << held.error().toStdString();
    Znovu_otarifuj z;
    QList<bool> waits;
    QObject::connect(&z, &Znovu_otarifuj::cekani, [&](bool w) { waits << w; });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(z.otarifuj(kDen1, kDen3), Znovu_otarifuj::Vysledek::Chyba);
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count(),
              1000 + 3000);
    EXPECT_EQ(waits, QList<bool>({true, false}));
    const QString m = z.message();
    EXPECT_TRUE(m.startsWith(QStringLiteral("Databázi právě používá jiný program"))) << m.toStdString();
    // It names the days that stayed as they were, and says it can be repeated.
    EXPECT_TRUE(m.contains(kDen1) && m.contains(kDen3)) << m.toStdString();
    EXPECT_TRUE(m.contains(QStringLiteral("zopakovat později"))) << m.toStdString();
    EXPECT_TRUE(z.hotoveDny().isEmpty());
    ASSERT_TRUE(Transaction::main().rollback());
    EXPECT_EQ(radky(), pred);
    held.release();
    ASSERT_EQ(z.otarifuj(kDen1, kDen3), Znovu_otarifuj::Vysledek::Hotovo) << z.message().toStdString();
    EXPECT_EQ(v(31, "cislo_ucastnika"), QStringLiteral("2345"));
}

TEST_F(ZnovuOtarifujTest, WritesAgainOnlyTheCallsThatComeOutOtherwise)
{
    importuj(sada());
    const Radky pred = radky();
    Transaction& t = Transaction::main();
    // A trigger counts the calls written again (each engine in its own words).
    if (kavro::test::onServer()) {
        ASSERT_TRUE(t.exec(QStringLiteral("CREATE TABLE dba.zapsane (id INTEGER)")));
        ASSERT_TRUE(
            t.exec(QStringLiteral("CREATE FUNCTION dba.zapis_hovoru() RETURNS trigger LANGUAGE plpgsql AS "
                                  "$$ BEGIN INSERT INTO dba.zapsane VALUES (NEW.id_hovoru); RETURN NEW; END $$")));
        ASSERT_TRUE(t.exec(QStringLiteral("CREATE TRIGGER zapis AFTER UPDATE ON dba.hovory "
                                          "FOR EACH ROW EXECUTE FUNCTION dba.zapis_hovoru()")));
    } else {
        ASSERT_TRUE(t.exec(QStringLiteral("CREATE TEMP TABLE zapsane (id INTEGER)")));
        ASSERT_TRUE(t.exec(QStringLiteral("CREATE TEMP TRIGGER zapis AFTER UPDATE ON dba.hovory "
                                          "BEGIN INSERT INTO zapsane VALUES (NEW.id_hovoru); END")));
    }
    ASSERT_TRUE(t.commit());
    const QString tabulka = kavro::test::onServer() ? QStringLiteral("dba.zapsane") : QStringLiteral("temp.zapsane");
    const auto zapsane = [&] {
        QStringList ids;
        Query q(t, QStringLiteral("SELECT id FROM %1 ORDER BY id").arg(tabulka));
        EXPECT_TRUE(q.run());
        for (; !q.atEnd(); q.next()) ids << q.value(1);
        return ids;
    };

    Znovu_otarifuj z;
    ASSERT_EQ(z.otarifuj(kDen1, kDen3), Znovu_otarifuj::Vysledek::Hotovo) << z.message().toStdString();
    EXPECT_TRUE(zapsane().isEmpty());
    EXPECT_EQ(radky(), pred);

    // Only the local calls to the subscriber that went change.
    ASSERT_TRUE(t.exec(QStringLiteral("DELETE FROM dba.ciselnik_ucastniku WHERE cislo_ucastnika = '23456'")));
    ASSERT_TRUE(t.commit());
    ASSERT_EQ(z.otarifuj(kDen1, kDen3), Znovu_otarifuj::Vysledek::Hotovo) << z.message().toStdString();
    EXPECT_EQ(zapsane(), QStringList({QStringLiteral("11"), QStringLiteral("21"), QStringLiteral("31")}));
    EXPECT_EQ(v(21, "cislo_ucastnika"), QStringLiteral("2345"));
    EXPECT_EQ(v(21, "status_hovoru"), QStringLiteral("10"));
}

TEST_F(ZnovuOtarifujTest, WithoutASiteNothingIsReset)
{
    importuj(sada());
    ASSERT_TRUE(Transaction::main().exec(QStringLiteral("DELETE FROM dba.konfigurace_mista")));
    ASSERT_TRUE(Transaction::main().commit());
    const Radky pred = radky();
    Znovu_otarifuj z;
    EXPECT_EQ(z.otarifuj(kDen1, kDen3), Znovu_otarifuj::Vysledek::ChybiMisto);
    EXPECT_FALSE(z.message().isEmpty());
    EXPECT_EQ(radky(), pred);
}

} // namespace
