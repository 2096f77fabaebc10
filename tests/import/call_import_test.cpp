#include "import/call_deletion.h"
#include "import/call_import.h"
#include "tariffing/tarifovani.h"

#include "gendata/gendata.h"
#include "platform/clock.h"
#include "platform/cp1250.h"
#include "platform/database.h"
#include "tarifovani_data.h"
#include "test_env.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>
#include <unistd.h>

using namespace kavro;

namespace {

// Records what the import asked of the tariffing.
struct TariffingSpy : TariffingRun {
    int resets = 0;
    QList<qint64> storedAtRun; // calls stored (in the open transaction) at each run
    std::function<void(int)> onRun;
    void novy_beh() override { ++resets; }
    bool spust() override
    {
        storedAtRun << Transaction::main().scalar(QStringLiteral("SELECT count(*) FROM dba.hovory")).toLongLong();
        if (onRun) onRun(int(storedAtRun.size()));
        return true;
    }
};

QByteArray bodyOf(int number, const QString& when, const QByteArray& called = "2345678",
                  const QByteArray& info = "", const QByteArray& extension = "201")
{
    gendata::Fields f;
    f.number = number;
    f.dateTime = when.toLatin1();
    f.duration = "00:02:10";
    f.called = called;
    f.impulses = 3;
    f.transfer = "0";
    f.extension = extension;
    f.line = 701;
    f.info = info;
    f.account = "";
    return gendata::body(f);
}

void writeBodies(const QString& path, const QList<QByteArray>& bodies)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    quint8 c = 17;
    for (const QByteArray& b : bodies) f.write(gendata::frame(b, c += 31));
}

// An import with the real tariffing run, as the import window makes it.
struct RealImport {
    std::unique_ptr<TariffingRun> run = Tarifovani::proImport();
    Import_hovoru imp{Transaction::main()};
    RealImport() { imp.setTariffingRun(run.get()); }
};

qint64 count(const QString& where = QString())
{
    return Transaction::main()
        .scalar(QStringLiteral("SELECT count(*) FROM dba.hovory") + (where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + where))
        .toLongLong();
}

class CallImport : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(env.ok()) << env.error().toStdString();
        clock::setFixedNow(QDateTime(QDate(2024, 3, 17), QTime(12, 0)));
        imp.setTariffingRun(&spy);
    }

    Import_hovoru::Parametry period(QDate od, QDate do_)
    {
        Import_hovoru::Parametry p;
        p.typ_importu = 2;
        p.od = od;
        p.do_ = do_;
        p.adresar = env.dataDir();
        return p;
    }

    // Three generated days, 15th to 17th March 2024.
    gendata::Result generate(int calls = 300)
    {
        gendata::Options o;
        o.outDir = env.dataDir();
        o.firstDay = QDate(2024, 3, 15);
        o.days = 3;
        o.callsPerDay = calls;
        gendata::Result r;
        EXPECT_TRUE(gendata::writeFiles(o, &r));
        return r;
    }

    // The tariff tables of the tariffing tests, committed; false (with the
    // failure added) when they could not be stored.
    bool tariffDataCommitted()
    {
        QString error;
        if (!test::fillTariffData(&error)) {
            ADD_FAILURE() << error.toStdString();
            return false;
        }
        return Transaction::main().commit();
    }

    // Another program takes the database when the 16th's file opens (the
    // third time a file's bar is at its start: opening and closing the 15th's,
    // opening the 16th's); the program waits `waitMs` for it.
    void holdWhenTheSixteenthOpens(Import_hovoru& imp, std::unique_ptr<test::HeldDatabase>& held, int waitMs)
    {
        auto starts = std::make_shared<int>(0);
        QObject::connect(&imp, &Import_hovoru::prubeh, [this, starts, &held, waitMs](qint64 done, qint64, qint64, qint64) {
            if (done == 0 && ++*starts == 3) held = std::make_unique<test::HeldDatabase>(env, waitMs);
        });
    }

    // A new import ("Načtení nových") of its own with `run`: it ends with no
    // message, and every call of the files is stored at stage 10.
    void nextImportStoresAndTariffsEveryCall(TariffingRun& run, qint64 records)
    {
        Import_hovoru dalsi(Transaction::main());
        dalsi.setTariffingRun(&run);
        Import_hovoru::Parametry p;
        p.typ_importu = 1;
        p.adresar = env.dataDir();
        const Import_hovoru::Souhrn s = dalsi.Vkladej_soubory(p);
        EXPECT_TRUE(Import_hovoru::textChyb(s).isEmpty()) << Import_hovoru::textChyb(s).toStdString();
        Transaction::main().rollback();
        EXPECT_EQ(count(), records);
        EXPECT_EQ(count("status_hovoru = 10"), records);
    }

    test::TestEnv env;
    TariffingSpy spy;
    Import_hovoru imp{Transaction::main()};
};

} // namespace

TEST_F(CallImport, NewFilesFromAnEmptyTableThenAgainStoreEachCallOnce)
{
    const gendata::Result r = generate();
    Import_hovoru::Parametry p;
    p.typ_importu = 1;
    p.adresar = env.dataDir();
    qint64 lastTotal = -1, total = 0;
    QObject::connect(&imp, &Import_hovoru::prubeh, [&](qint64, qint64, qint64 done, qint64 all) { lastTotal = done; total = all; });
    const Import_hovoru::Souhrn s = imp.Vkladej_soubory(p);
    EXPECT_EQ(s.ulozeno, r.records);
    EXPECT_EQ(s.souboru, 3);
    EXPECT_EQ(total, r.bytes);
    EXPECT_EQ(lastTotal, r.bytes);
    ASSERT_TRUE(Transaction::main().rollback()); // everything was committed
    EXPECT_EQ(count(), r.records);
    EXPECT_EQ(count("status_hovoru = 2 AND tarifovat_hovor = 0"), r.records);
    // Two day changes inside the run, then the final run.
    EXPECT_EQ(spy.storedAtRun.size(), 3);
    EXPECT_EQ(spy.resets, 1);

    // The newest stored day is today: only today's file is read again, nothing is added.
    Import_hovoru again(Transaction::main());
    const Import_hovoru::Souhrn s2 = again.Vkladej_soubory(p);
    EXPECT_EQ(s2.souboru, 1);
    EXPECT_EQ(s2.ulozeno, 0);
    EXPECT_EQ(s2.duplicit, 300);
    EXPECT_EQ(count(), r.records);
    EXPECT_TRUE(Import_hovoru::textChyb(s2).isEmpty());
}

TEST_F(CallImport, StoredRowHoldsTheRecordsValues)
{
    writeBodies(env.dataDir() + "/20240315.dat",
                {bodyOf(42, "2024-03-15 08:00:01", "0601234567", "O'Brien; \"x\"", "0123")});
    imp.Vkladej_soubory(period(QDate(2024, 3, 15), QDate(2024, 3, 15)));
    Query q(Transaction::main(), QStringLiteral(
        "SELECT id_hovoru, ustredna_datum_a_cas, ustredna_delka_hovoru, ustredna_volane_cislo, ustredna_pocet_impulsu, "
        "ustredna_prepojeni, tarifovat_hovor, ustredna_cislo_pobocky, status_hovoru, ustredna_cislo_linky, "
        "doplnkova_informace, kod_uctu FROM dba.hovory"));
    ASSERT_TRUE(q.run());
    ASSERT_FALSE(q.atEnd());
    EXPECT_EQ(q.value(1), "42");
    EXPECT_EQ(q.value(2), "2024-03-15 08:00:01");
    EXPECT_EQ(q.value(3), "00:02:10");
    EXPECT_EQ(q.value(4), "0601234567");
    EXPECT_EQ(q.value(5), "3");
    EXPECT_EQ(q.value(6), "0");
    EXPECT_EQ(q.value(7), "0");
    EXPECT_EQ(q.value(8), "123");
    EXPECT_EQ(q.value(9), "2");
    EXPECT_EQ(q.value(10), "701");
    // A ';' inside the field ends it; the quote goes in as it stands.
    EXPECT_EQ(q.value(11), "O'Brien");
}

TEST_F(CallImport, FileSpanningTwoDaysStartsTariffingAfterTheFirstCallOfTheSecondDay)
{
    writeBodies(env.dataDir() + "/20240315.dat",
                {bodyOf(1, "2024-03-15 23:58:00"), bodyOf(2, "2024-03-15 23:59:00"),
                 bodyOf(3, "2024-03-16 00:00:30"), bodyOf(4, "2024-03-16 00:01:00")});
    QStringList states;
    QObject::connect(&imp, &Import_hovoru::stav, [&](const QString& s) { states << s; });
    imp.Vkladej_soubory(period(QDate(2024, 3, 15), QDate(2024, 3, 15)));
    // No run before the first record; one right after record 3 is stored; the final one.
    ASSERT_EQ(spy.storedAtRun.size(), 2);
    EXPECT_EQ(spy.storedAtRun[0], 3);
    EXPECT_EQ(spy.storedAtRun[1], 4);
    EXPECT_EQ(states, QStringList({"Importuji den: 2024-03-15", "Importuji den: 2024-03-16"}));
}

TEST_F(CallImport, CancelInTheMiddleOfAFileKeepsWhatWasStored)
{
    writeBodies(env.dataDir() + "/20240315.dat",
                {bodyOf(1, "2024-03-15 10:00:00"), bodyOf(2, "2024-03-16 10:00:00"), bodyOf(3, "2024-03-16 11:00:00")});
    writeBodies(env.dataDir() + "/20240316.dat", {bodyOf(4, "2024-03-16 12:00:00")});
    // "Ukončit" pressed while the tariffing of the first day runs.
    spy.onRun = [&](int n) { if (n == 1) imp.zrus(); };
    const Import_hovoru::Souhrn s = imp.Vkladej_soubory(period(QDate(2024, 3, 15), QDate(2024, 3, 16)));
    EXPECT_TRUE(s.zruseno);
    EXPECT_EQ(spy.storedAtRun.size(), 2); // the final run still happens
    Transaction::main().rollback();
    EXPECT_EQ(count(), 2);
    EXPECT_EQ(count("id_hovoru IN (3, 4)"), 0);
}

TEST_F(CallImport, PeriodCases)
{
    generate(50);
    // Start after the end: no file is read, the final tariffing runs.
    Import_hovoru::Souhrn s = imp.Vkladej_soubory(period(QDate(2024, 3, 17), QDate(2024, 3, 15)));
    EXPECT_EQ(s.souboru, 0);
    EXPECT_EQ(spy.storedAtRun.size(), 1);
    EXPECT_EQ(count(), 0);

    // Not confirmed: nothing read.
    Import_hovoru::Parametry p = period(QDate(2024, 3, 15), QDate(2024, 3, 17));
    p.obdobi_potvrzeno = false;
    Import_hovoru i2(Transaction::main());
    EXPECT_EQ(i2.Vkladej_soubory(p).souboru, 0);

    // An open end stops at today: tomorrow's file stays unread.
    writeBodies(env.dataDir() + "/20240318.dat", {bodyOf(99999, "2024-03-18 10:00:00")});
    Import_hovoru i3(Transaction::main());
    s = i3.Vkladej_soubory(period(QDate(2024, 3, 16), QDate(9999, 12, 31)));
    EXPECT_EQ(s.souboru, 2);
    EXPECT_EQ(count(), 100);
    EXPECT_EQ(count("id_hovoru = 99999"), 0);
}

TEST_F(CallImport, KnownNumberWithNewContentLeavesTheStoredRow)
{
    writeBodies(env.dataDir() + "/20240315.dat",
                {bodyOf(7, "2024-03-15 10:00:00", "111"), bodyOf(9, "2024-03-15 10:05:00", "999")});
    imp.Vkladej_soubory(period(QDate(2024, 3, 15), QDate(2024, 3, 15)));
    // Stored and new numbers mixed: each new one is stored, each known one left as it is.
    const QByteArray czech = toCp1250(QStringLiteral("Přesměrováno"));
    writeBodies(env.dataDir() + "/20240316.dat",
                {bodyOf(7, "2024-03-16 11:00:00", "222"), bodyOf(8, "2024-03-16 11:00:00", "888", czech),
                 bodyOf(9, "2024-03-16 11:01:00", "333"), bodyOf(7, "2024-03-16 11:02:00", "444"),
                 bodyOf(10, "2024-03-16 11:03:00"), bodyOf(11, "2024-03-16 11:04:00")});
    Import_hovoru again(Transaction::main());
    const Import_hovoru::Souhrn s = again.Vkladej_soubory(period(QDate(2024, 3, 16), QDate(2024, 3, 16)));
    EXPECT_EQ(s.duplicit, 3);
    EXPECT_EQ(s.ulozeno, 3);
    EXPECT_EQ(s.chyb_vkladani, 0);
    EXPECT_EQ(Transaction::main().scalar("SELECT ustredna_volane_cislo || ' ' || ustredna_datum_a_cas FROM dba.hovory WHERE id_hovoru = 7"),
              "111 2024-03-15 10:00:00");
    EXPECT_EQ(Transaction::main().scalar("SELECT ustredna_volane_cislo FROM dba.hovory WHERE id_hovoru = 9"), "999");
    EXPECT_EQ(Transaction::main().scalar("SELECT doplnkova_informace FROM dba.hovory WHERE id_hovoru = 8"),
              QStringLiteral("Přesměrováno"));
    EXPECT_EQ(count("id_hovoru IN (10, 11)"), 2);
}

TEST_F(CallImport, ZeroDatesMalformedRecordsReadOnlyAndUpperCaseFiles)
{
    QList<QByteArray> day15 = {bodyOf(1, "2024-03-15 10:00:00"), bodyOf(2, "0000-00-00 00:00:00"),
                               bodyOf(3, "2024-00-15 10:00:00"), bodyOf(4, "2024-03-15 11:00:00")};
    QByteArray bad = bodyOf(5, "2024-03-15 12:00:00");
    bad[23] = '.';
    day15 << bad << bodyOf(6, "2024-03-15 13:00:00");
    writeBodies(env.dataDir() + "/20240315.dat", day15);
    const QString upper = env.dataDir() + "/20240316.DAT";
    writeBodies(upper, {bodyOf(10, "2024-03-16 10:00:00")});
    QFile::setPermissions(upper, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    QStringList malformed;
    QObject::connect(&imp, &Import_hovoru::chybna_data, [&](const QString& f) { malformed << f; });
    const Import_hovoru::Souhrn s = imp.Vkladej_soubory(period(QDate(2024, 3, 15), QDate(2024, 3, 16)));
    EXPECT_EQ(s.nulovych_dnu, 2);
    EXPECT_EQ(malformed.size(), 1);
    EXPECT_TRUE(malformed.value(0).endsWith("20240315.dat"));
    Transaction::main().rollback();
    EXPECT_EQ(count(), 3); // 1, 4 and 10
    EXPECT_EQ(count("id_hovoru IN (1, 4, 10)"), 3);
}

TEST_F(CallImport, ImpossibleDatesAreSkippedAndCountedFutureDatesStoredAndControlCharactersStopTheFile)
{
    QByteArray badTime = bodyOf(3, "2024-03-15 12:00:00");
    badTime.replace(21, 8, "12::%:03");
    QByteArray badDuration = bodyOf(5, "2024-03-15 12:30:00");
    badDuration[31] = 'x';
    writeBodies(env.dataDir() + "/20240315.dat",
                {bodyOf(1, "2024-03-15 10:00:00"), bodyOf(2, "2024-03-1a 11:00:00"), badTime,
                 bodyOf(4, "2024-13-45 12:00:00"), badDuration, bodyOf(6, "2036-01-01 09:00:00"),
                 bodyOf(7, "2024-03-15 13:00:00")});
    // Record 11's length byte is damaged: it swallows its CR LF and the header of 12.
    QByteArray day16;
    day16 += gendata::frame(bodyOf(10, "2024-03-16 10:00:00"), 40);
    QByteArray swallow = bodyOf(11, "2024-03-16 11:00:00") + QByteArray("\x07\x23", 2);
    day16 += gendata::frame(swallow, 41);
    day16 += gendata::frame(bodyOf(12, "2024-03-16 12:00:00"), 42);
    QFile f(env.dataDir() + "/20240316.dat");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(day16);
    f.close();
    QStringList malformed;
    QObject::connect(&imp, &Import_hovoru::chybna_data, [&](const QString& file) { malformed << file; });

    const Import_hovoru::Souhrn s = imp.Vkladej_soubory(period(QDate(2024, 3, 15), QDate(2024, 3, 16)));
    EXPECT_EQ(s.neplatnych_casu, 4);
    EXPECT_NE(Import_hovoru::textChyb(s).indexOf("neplatným datem nebo časem, které nebyly uloženy: 4"), -1);
    EXPECT_EQ(malformed.size(), 1);
    EXPECT_EQ(count("id_hovoru IN (1, 6, 7, 10)"), 4);
    EXPECT_EQ(count(), 4);
    {
        Query q(Transaction::main(), QStringLiteral("SELECT ustredna_volane_cislo, doplnkova_informace FROM dba.hovory"));
        ASSERT_TRUE(q.run());
        for (; !q.atEnd(); q.next())
            for (const QString& text : {q.value(1), q.value(2)})
                for (QChar ch : text) EXPECT_GE(ch.unicode(), 0x20) << "a control character was stored";
    }

    // The call of 2036 is stored, but the next new import starts from the newest real day.
    EXPECT_EQ(posledni_zapis_do_hovoru(Transaction::main()), "20240316");
}

TEST_F(CallImport, TwoProgramsImportingAtOnceStoreEveryCallOnceWithoutRefusals)
{
    if (kavro::test::onServer()) GTEST_SKIP() << "two programs on one database file; the server has its own test of two programs";
    const gendata::Result r = generate(2000);
    Transaction druhe;
    ASSERT_TRUE(druhe.connectFile(env.databasePath()));
    Import_hovoru a(Transaction::main());
    Import_hovoru b(druhe);
    Import_hovoru::Souhrn sa, sb;
    const auto p = period(QDate(2024, 3, 15), QDate(2024, 3, 17));
    std::thread ta([&] { sa = a.Vkladej_soubory(p); });
    std::thread tb([&] { sb = b.Vkladej_soubory(p); });
    ta.join();
    tb.join();
    EXPECT_EQ(sa.chyb_vkladani + sb.chyb_vkladani, 0) << sa.posledni_chyba.toStdString() << sb.posledni_chyba.toStdString();
    EXPECT_EQ(sa.chyb_potvrzeni + sb.chyb_potvrzeni, 0);
    EXPECT_EQ(sa.ulozeno + sb.ulozeno, r.records);
    EXPECT_EQ(sa.duplicit + sb.duplicit, r.records);
    druhe.rollback();
    druhe.disconnect();
    EXPECT_EQ(count(), r.records);
}

TEST_F(CallImport, WriteProtectedDatabaseCountsStoredCallsAsDuplicatesAndSaysWhyTheRestIsRefused)
{
    writeBodies(env.dataDir() + "/20240315.dat", {bodyOf(1, "2024-03-15 10:00:00"), bodyOf(2, "2024-03-15 11:00:00")});
    ASSERT_TRUE(Transaction::main().exec("INSERT INTO dba.hovory (id_hovoru, ustredna_datum_a_cas) VALUES (1, '2024-03-15 10:00:00')"));
    ASSERT_TRUE(Transaction::main().commit());
    Transaction::main().disconnect();
    const QString path = env.databasePath();
    const bool root = ::geteuid() == 0;
    const bool chranen = root ? QProcess::execute("chattr", {"+i", path}) == 0 : QFile::setPermissions(path, QFile::ReadOwner);
    if (!chranen) GTEST_SKIP() << "the file cannot be write-protected here";
    ASSERT_TRUE(Transaction::main().connectFile(path));
    const Import_hovoru::Souhrn s = imp.Vkladej_soubory(period(QDate(2024, 3, 15), QDate(2024, 3, 15)));
    EXPECT_EQ(s.duplicit, 1);
    EXPECT_EQ(s.chyb_vkladani, 1);
    EXPECT_NE(Import_hovoru::textChyb(s).indexOf("Databázi lze pouze číst"), -1) << Import_hovoru::textChyb(s).toStdString();
    Transaction::main().disconnect();
    if (root) QProcess::execute("chattr", {"-i", path});
    else QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
}

TEST_F(CallImport, SingleFileStartsItsBarsFromZeroAndTariffsTwice)
{
    const QString path = env.dir() + "/chosen.bin";
    writeBodies(path, {bodyOf(1, "2024-02-01 10:00:00"), bodyOf(2, "2024-02-01 11:00:00")});
    Import_hovoru::Parametry p;
    p.typ_importu = 3;
    p.soubor = path;
    qint64 lastDone = -1, lastTotal = -1;
    QObject::connect(&imp, &Import_hovoru::prubeh, [&](qint64, qint64, qint64 d, qint64 t) { lastDone = d; lastTotal = t; });
    QStringList states;
    QObject::connect(&imp, &Import_hovoru::stav, [&](const QString& s) { states << s; });
    const Import_hovoru::Souhrn s = imp.Vkladej_soubory(p);
    EXPECT_EQ(s.ulozeno, 2);
    EXPECT_EQ(lastTotal, QFileInfo(path).size());
    EXPECT_EQ(lastDone, lastTotal);
    EXPECT_EQ(spy.storedAtRun.size(), 2);
    EXPECT_EQ(states, QStringList({"Importuji den: 2024-02-01"}));

    // No file chosen: only the final run.
    TariffingSpy spy2;
    Import_hovoru none(Transaction::main());
    none.setTariffingRun(&spy2);
    p.soubor.clear();
    EXPECT_EQ(none.Vkladej_soubory(p).souboru, 0);
    EXPECT_EQ(spy2.storedAtRun.size(), 1);
}

TEST_F(CallImport, TariffingRunTakesEveryImportedCallToStageTen)
{
    ASSERT_TRUE(tariffDataCommitted());
    const gendata::Result r = generate(100);
    RealImport skutecny;
    ASSERT_TRUE(skutecny.run);
    Import_hovoru& real = skutecny.imp;
    QStringList steps;
    QObject::connect(&real, &Import_hovoru::stav_tarifikace, [&](const QString& s) { steps << s; });
    const Import_hovoru::Souhrn s = real.Vkladej_soubory(period(QDate(2024, 3, 15), QDate(2024, 3, 17)));
    EXPECT_EQ(s.ulozeno, r.records);
    EXPECT_EQ(s.behu_tarifikace, 3);
    EXPECT_TRUE(Import_hovoru::textChyb(s).isEmpty()) << Import_hovoru::textChyb(s).toStdString();
    Transaction::main().rollback();
    EXPECT_EQ(count("status_hovoru = 10"), r.records);
    // The steps reach the import (the window shows them).
    EXPECT_TRUE(steps.contains(QStringLiteral("Nastavuji parametry")));
    EXPECT_EQ(steps.last(), QString());
}

TEST_F(CallImport, TariffingWithoutASiteIsReportedOnceAtTheEnd)
{
    generate(20);
    RealImport skutecny;
    Import_hovoru& real = skutecny.imp;
    const Import_hovoru::Souhrn s = real.Vkladej_soubory(period(QDate(2024, 3, 15), QDate(2024, 3, 17)));
    EXPECT_EQ(s.ulozeno, 60);
    EXPECT_EQ(count("status_hovoru = 2"), 60);
    const QString text = Import_hovoru::textChyb(s);
    EXPECT_TRUE(text.startsWith(QStringLiteral("Není nastaveno místo ústředny"))) << text.toStdString();
}

TEST_F(CallImport, RefusedInsertsAreCountedAndReported)
{
    ASSERT_TRUE(test::odmitajZapis(Transaction::main(), "odmitni", "INSERT", "hovory", "new.id_hovoru = 2", "odmítnuto"));
    ASSERT_TRUE(Transaction::main().commit());
    writeBodies(env.dataDir() + "/20240315.dat",
                {bodyOf(1, "2024-03-15 10:00:00"), bodyOf(2, "2024-03-15 11:00:00"), bodyOf(3, "2024-03-15 12:00:00")});
    const Import_hovoru::Souhrn s = imp.Vkladej_soubory(period(QDate(2024, 3, 15), QDate(2024, 3, 15)));
    EXPECT_EQ(s.ulozeno, 2);
    EXPECT_EQ(s.chyb_vkladani, 1);
    const QString text = Import_hovoru::textChyb(s);
    EXPECT_TRUE(text.contains("odmítla uložit: 1")) << text.toStdString();
    EXPECT_TRUE(text.contains("odmítnuto")) << text.toStdString();
    Transaction::main().rollback();
    EXPECT_EQ(count(), 2);
}

namespace {
qint64 msSince(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - since).count();
}
} // namespace

TEST_F(CallImport, AnotherProgramHoldingTheDatabaseEndsTheImportAtOnceAndTheNextImportStoresEveryCall)
{
    if (kavro::test::onServer())
        GTEST_SKIP() << "the lock of the database file; a server makes its clients wait itself";
    ASSERT_TRUE(tariffDataCommitted());
    const gendata::Result r = generate(10);
    RealImport skutecny;
    Import_hovoru& real = skutecny.imp;
    // The 15th is imported and committed; when the file of the 16th opens,
    // another program starts an unsaved change.
    std::unique_ptr<test::HeldDatabase> held;
    holdWhenTheSixteenthOpens(real, held, 1500);
    QList<bool> waits;
    QObject::connect(&real, &Import_hovoru::cekani, [&](bool w) { waits << w; });
    const auto start = std::chrono::steady_clock::now();
    const Import_hovoru::Souhrn s = real.Vkladej_soubory(period(QDate(2024, 3, 15), QDate(2024, 3, 17)));
    EXPECT_LT(msSince(start), 1500 + 3000);
    ASSERT_TRUE(held && held->ok());
    EXPECT_TRUE(s.obsazeno);
    EXPECT_EQ(s.chyb_vkladani, 0); // no call is counted as refused
    EXPECT_EQ(waits, QList<bool>({true, false}));
    const QString text = Import_hovoru::textChyb(s);
    EXPECT_TRUE(text.startsWith(QStringLiteral("Databázi právě používá jiný program"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("20240316.dat"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("2024-03-16"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("zopakovat později"))) << text.toStdString();
    Transaction::main().rollback();
    // The 15th stays; nothing of the 16th is stored, and the 17th was not read.
    EXPECT_EQ(count(), 10);
    EXPECT_EQ(count("ustredna_datum_a_cas < '2024-03-16'"), 10);

    // The other program has saved: the next new import stores every call and tariffs it.
    held->release();
    Import_hovoru::Parametry p;
    p.typ_importu = 1;
    p.adresar = env.dataDir();
    const Import_hovoru::Souhrn s2 = real.Vkladej_soubory(p);
    EXPECT_FALSE(s2.obsazeno);
    EXPECT_TRUE(Import_hovoru::textChyb(s2).isEmpty()) << Import_hovoru::textChyb(s2).toStdString();
    Transaction::main().rollback();
    EXPECT_EQ(count(), r.records);
    EXPECT_EQ(count("status_hovoru = 10"), r.records);
}

TEST_F(CallImport, UkoncitWhileWaitingForAnotherProgramEndsTheImportAtOnce)
{
    if (kavro::test::onServer())
        GTEST_SKIP() << "the lock of the database file; a server makes its clients wait itself";
    generate(10);
    test::HeldDatabase held(env, 30000); // the program's own wait
    ASSERT_TRUE(held.ok()) << held.error().toStdString();
    std::thread ukoncit([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        imp.zrus();
    });
    const auto start = std::chrono::steady_clock::now();
    const Import_hovoru::Souhrn s = imp.Vkladej_soubory(period(QDate(2024, 3, 15), QDate(2024, 3, 17)));
    ukoncit.join();
    EXPECT_LT(msSince(start), 3000);
    EXPECT_TRUE(s.zruseno);
    EXPECT_FALSE(s.obsazeno);
    EXPECT_EQ(s.chyb_vkladani, 0);
    EXPECT_TRUE(Import_hovoru::textChyb(s).isEmpty()) << Import_hovoru::textChyb(s).toStdString();
    EXPECT_TRUE(spy.storedAtRun.isEmpty()); // no tariffing waits for the lock again
    held.release();
    Transaction::main().rollback();
    EXPECT_EQ(count(), 0);
}

// "Ukončit" while a file is read, and another program takes the database
// right after that file's commit: the final tariffing waits for it as any
// write does. Released in time, every call stored is tariffed and nothing is
// said; held past the wait, the one message says how many calls are stored
// and not tariffed yet, and the next import tariffs them.
TEST_F(CallImport, UkoncitWhileAFileIsReadLeavesTheFinalTariffingToWaitForAnotherProgram)
{
    if (kavro::test::onServer())
        GTEST_SKIP() << "the lock of the database file; a server makes its clients wait itself";
    ASSERT_TRUE(tariffDataCommitted());
    const gendata::Result r = generate(100);
    for (const bool uvolnit : {true, false}) {
        SCOPED_TRACE(uvolnit ? "released during the wait" : "held past the wait");
        ASSERT_TRUE(Transaction::main().exec("DELETE FROM dba.hovory"));
        ASSERT_TRUE(Transaction::main().commit());
        RealImport skutecny;
        Import_hovoru& real = skutecny.imp;
        // Halfway through the 16th's file (the third time a file's bar starts).
        int starts = 0;
        QObject::connect(&real, &Import_hovoru::prubeh, [&](qint64 done, qint64 size, qint64, qint64) {
            if (done == 0) ++starts;
            else if (starts == 3 && done > size / 2 && !real.zruseno()) real.zrus();
        });
        std::unique_ptr<test::HeldDatabase> held;
        std::thread uvolneni;
        QObject::connect(&real, &Import_hovoru::tarifikace_zacina, [&] {
            if (!real.zruseno()) return;
            held = std::make_unique<test::HeldDatabase>(env, 1500);
            if (uvolnit) uvolneni = std::thread([&] {
                std::this_thread::sleep_for(std::chrono::milliseconds(700));
                held->release();
            });
        });
        QList<bool> waits;
        QObject::connect(&real, &Import_hovoru::cekani, [&](bool w) { waits << w; });
        const auto start = std::chrono::steady_clock::now();
        const Import_hovoru::Souhrn s = real.Vkladej_soubory(period(QDate(2024, 3, 15), QDate(2024, 3, 17)));
        const qint64 ms = msSince(start);
        if (uvolneni.joinable()) uvolneni.join();
        ASSERT_TRUE(held && held->ok()) << held->error().toStdString();
        EXPECT_TRUE(s.zruseno);
        EXPECT_EQ(waits, QList<bool>({true, false})); // the wait was shown
        EXPECT_GE(ms, 700);
        const QString text = Import_hovoru::textChyb(s);
        Transaction::main().rollback();
        // Nothing stored is lost: the 15th and half of the 16th.
        EXPECT_EQ(count(), s.ulozeno);
        EXPECT_GT(s.ulozeno, 100);
        EXPECT_LT(s.ulozeno, 200);
        if (uvolnit) {
            EXPECT_TRUE(text.isEmpty()) << text.toStdString();
            EXPECT_EQ(count("status_hovoru = 10"), s.ulozeno);
            continue;
        }
        held->release();
        EXPECT_TRUE(s.obsazeno && s.obsazeno_na_konci);
        const qint64 neotarifovano = count("status_hovoru < 10");
        EXPECT_GT(neotarifovano, 0);
        EXPECT_EQ(s.neotarifovano, neotarifovano);
        EXPECT_TRUE(text.startsWith(QStringLiteral("Databázi právě používá jiný program, hovory proto nebyly otarifovány.")))
            << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("do dne 2024-03-16 (soubor ")) && text.contains("20240316.dat) jsou uloženy, ale nebyly otarifovány."))
            << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("Hovorů, které zatím nejsou otarifovány: %1. Otarifuje je tarifování při "
                                                 "příštím importu hovorů")
                                      .arg(neotarifovano)))
            << text.toStdString();

        // The next import ("Načtení nových") tariffs them with the rest.
        nextImportStoresAndTariffsEveryCall(*skutecny.run, r.records);
    }
}

// Another program takes the database between two files and the user ends the
// wait, or pressed "Ukončit" just before the wait began: the interrupted file
// keeps nothing of itself, the days before it stay, and the one message says
// that their calls are not tariffed yet and how they will be; the next import
// tariffs them.
TEST_F(CallImport, UkoncitDuringTheWaitBetweenFilesSaysTheStoredCallsAreNotTariffedYet)
{
    if (kavro::test::onServer())
        GTEST_SKIP() << "the lock of the database file; a server makes its clients wait itself";
    ASSERT_TRUE(tariffDataCommitted());
    const gendata::Result r = generate(10);
    for (const bool predem : {false, true}) {
        SCOPED_TRACE(predem ? "Ukončit just before the wait" : "Ukončit on the shown wait");
        ASSERT_TRUE(Transaction::main().exec("DELETE FROM dba.hovory"));
        ASSERT_TRUE(Transaction::main().commit());
        RealImport skutecny;
        Import_hovoru& real = skutecny.imp;
        std::unique_ptr<test::HeldDatabase> held;
        holdWhenTheSixteenthOpens(real, held, 30000);
        // Just before: as the 16th's first record is read, once the other program holds the database.
        QObject::connect(&real, &Import_hovoru::prubeh, [&](qint64 done, qint64, qint64, qint64) {
            if (predem && held && done > 0) real.zrus();
        });
        QList<bool> waits;
        QObject::connect(&real, &Import_hovoru::cekani, [&](bool w) {
            waits << w;
            if (w) real.zrus();
        });
        const auto start = std::chrono::steady_clock::now();
        const Import_hovoru::Souhrn s = real.Vkladej_soubory(period(QDate(2024, 3, 15), QDate(2024, 3, 17)));
        EXPECT_LT(msSince(start), 3000);
        ASSERT_TRUE(held && held->ok());
        // A wait after "Ukončit" while the files are read ends at once, unseen.
        EXPECT_EQ(waits, predem ? QList<bool>() : QList<bool>({true, false}));
        EXPECT_TRUE(s.zruseno);
        EXPECT_TRUE(s.cekani_ukonceno);
        EXPECT_FALSE(s.obsazeno);
        EXPECT_EQ(s.chyb_vkladani, 0);
        EXPECT_EQ(s.neotarifovano, 10);
        const QString text = Import_hovoru::textChyb(s);
        EXPECT_TRUE(text.startsWith(
            QStringLiteral("Import hovorů byl ukončen během čekání na databázi, kterou používá jiný program.")))
            << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("Hovory dne 2024-03-16 ze souboru "))
                    && text.contains("20240316.dat nebyly uloženy"))
            << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("Hovorů, které zatím nejsou otarifovány: 10. Otarifuje je tarifování "
                                                 "při příštím importu hovorů (například Načtení nových).")))
            << text.toStdString();
        Transaction::main().rollback();
        EXPECT_EQ(count(), 10);
        EXPECT_EQ(count("status_hovoru = 2"), 10);

        held->release();
        nextImportStoresAndTariffsEveryCall(*skutecny.run, r.records);
    }
}

TEST_F(CallImport, TheFinalMessageCountsRecordsOfDayOrMonthZero)
{
    QByteArray badTime = bodyOf(3, "2024-03-15 12:00:00");
    badTime.replace(21, 8, "12::%:03");
    writeBodies(env.dataDir() + "/20240315.dat",
                {bodyOf(1, "2024-03-15 10:00:00"), bodyOf(2, "0000-00-00 00:00:00"), badTime,
                 bodyOf(4, "2024-00-15 10:00:00"), bodyOf(5, "2024-03-00 10:00:00")});
    const Import_hovoru::Souhrn s = imp.Vkladej_soubory(period(QDate(2024, 3, 15), QDate(2024, 3, 15)));
    EXPECT_EQ(s.nulovych_dnu, 3);
    const QString text = Import_hovoru::textChyb(s);
    EXPECT_TRUE(text.contains(QStringLiteral("neplatným datem nebo časem, které nebyly uloženy: 1")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("dnem nebo měsícem 00, které nebyly uloženy: 3"))) << text.toStdString();
}

TEST(CallImportHelpers, DirectoryDaysAndNewestDay)
{
    auto cfg = [](QHash<QString, QString> v) { return [v](const QString& n) { return v.value(n); }; };
    EXPECT_EQ(vstupniAdresar(cfg({{"DatovyZdrojSberace", "Ne"}, {"VstupniDatovyAdresarKavro", "/in/"}, {"DatovyAdresar", "/d/"}})), "/in/");
    EXPECT_EQ(vstupniAdresar(cfg({{"DatovyZdrojSberace", "Ano"}, {"VstupniDatovyAdresarKavro", "/in/"}, {"DatovyAdresar", "/d/"}})), "/d/");
    EXPECT_EQ(vstupniAdresar(cfg({{"VstupniDatovyAdresarKavro", "/in/"}, {"DatovyAdresar", "/d/"}})), "/d/");
    EXPECT_EQ(Pricti_jeden_den("20231231"), "20240101");
    EXPECT_EQ(Pricti_jeden_den("20240228"), "20240229");
    EXPECT_EQ(Pricti_jeden_den("99991231"), "99991231");

    test::TestEnv env;
    ASSERT_TRUE(env.ok());
    EXPECT_EQ(posledni_zapis_do_hovoru(Transaction::main()), "19970801");
    ASSERT_TRUE(Transaction::main().exec("INSERT INTO dba.hovory (id_hovoru, ustredna_datum_a_cas) VALUES (1, '2024-03-05 10:00:00')"));
    EXPECT_EQ(posledni_zapis_do_hovoru(Transaction::main()), "20240305");
}

TEST(CallDeletion, DeletesWholeDaysOfThePeriodAndCommits)
{
    test::TestEnv env;
    ASSERT_TRUE(env.ok());
    clock::setFixedNow(QDateTime(QDate(2024, 5, 20), QTime(9, 0)));
    Transaction& t = Transaction::main();
    int id = 0;
    for (const char* when : {"2024-03-14 23:59:59", "2024-03-15 00:00:00", "2024-03-15 12:00:00", "2024-03-16 23:59:59",
                             "2024-03-17 00:00:00"})
        ASSERT_TRUE(t.exec("INSERT INTO dba.hovory (id_hovoru, ustredna_datum_a_cas) VALUES (?, ?)", {++id, QString(when)}));
    ASSERT_TRUE(t.commit());
    UlozeneObdobi o = ulozene_obdobi(t);
    EXPECT_EQ(o.od_dne, "2024-03-14");
    EXPECT_EQ(o.do_dne, "2024-03-17");
    EXPECT_EQ(o.pocet, 5);

    // The last day counts to its end; the dates are normalised first.
    EXPECT_EQ(smaz_hovory(t, "15.3.2024", "2024-3-16"), 3);
    t.rollback(); // the deletion was committed
    EXPECT_EQ(t.scalar("SELECT List(id_hovoru) FROM dba.hovory"), "1,5");
    // A reversed period deletes nothing; a value with a quote is only a value.
    EXPECT_EQ(smaz_hovory(t, "2024-03-17", "2024-03-14"), 0);
    EXPECT_EQ(smaz_hovory(t, "2024-03-14' OR '1'='1", "2024-03-14"), 1);
    EXPECT_EQ(ulozene_obdobi(t).pocet, 1);
}
