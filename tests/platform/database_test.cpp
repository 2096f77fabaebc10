#include "platform/database.h"
#include "platform/registry.h"
#include "test_env.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>
#include <unistd.h>

using kavro::Query;
using kavro::Transaction;

namespace {

QString one(const QString& sql, const QVariantList& params = {})
{
    return Transaction::main().scalar(sql, params);
}

class Database : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(env.ok()) << env.error().toStdString(); }
    kavro::test::TestEnv env;
};

} // namespace

TEST_F(Database, OwnerPrefixResolvesAndTablesStayInTheFile)
{
    Transaction& t = Transaction::main();
    ASSERT_TRUE(t.exec(QStringLiteral("CREATE TABLE dba.zkouska (kod TEXT, nazev TEXT)")));
    ASSERT_TRUE(t.exec(QStringLiteral("INSERT INTO dba.zkouska VALUES ('0123', 'a')")));
    // Unqualified names and "table.column" forms find the attached table too.
    EXPECT_EQ(one(QStringLiteral("SELECT zkouska.kod FROM zkouska")), QStringLiteral("0123"));
    ASSERT_TRUE(t.commit());
    t.disconnect();
    ASSERT_TRUE(t.connect(QStringLiteral("KAVRO"), kavro::Registry::instance()));
    EXPECT_EQ(one(QStringLiteral("SELECT nazev FROM dba.zkouska WHERE kod = '0123'")), QStringLiteral("a"));
}

TEST_F(Database, BoundApostropheIsDataNotStatement)
{
    Transaction& t = Transaction::main();
    ASSERT_TRUE(t.exec(QStringLiteral("CREATE TABLE dba.jmena (jmeno TEXT)")));
    const QString evil = QStringLiteral("O'Brien'); DROP TABLE jmena; --");
    Query q(t);
    ASSERT_TRUE(q.execute(QStringLiteral("INSERT INTO dba.jmena (jmeno) VALUES (?)"), {evil}));
    EXPECT_EQ(q.rowCount(), 1);
    EXPECT_EQ(one(QStringLiteral("SELECT jmeno FROM dba.jmena WHERE jmeno = ?"), {evil}), evil);
    EXPECT_EQ(one(QStringLiteral("SELECT count(*) FROM dba.jmena")), QStringLiteral("1"));
}

TEST_F(Database, CommitKeepsAndRollbackUndoes)
{
    Transaction& t = Transaction::main();
    ASSERT_TRUE(t.exec(QStringLiteral("CREATE TABLE dba.t (x INTEGER)")));
    ASSERT_TRUE(t.commit());
    ASSERT_TRUE(t.exec(QStringLiteral("INSERT INTO dba.t VALUES (1)")));
    ASSERT_TRUE(t.commit());
    ASSERT_TRUE(t.exec(QStringLiteral("INSERT INTO dba.t VALUES (2)")));
    EXPECT_EQ(one(QStringLiteral("SELECT count(*) FROM dba.t")), QStringLiteral("2"));
    ASSERT_TRUE(t.rollback());
    EXPECT_EQ(one(QStringLiteral("SELECT group_concat(x) FROM dba.t")), QStringLiteral("1"));

    // A second connection (another program on the same file) sees only what was committed.
    ASSERT_TRUE(t.exec(QStringLiteral("INSERT INTO dba.t VALUES (3)")));
    Transaction other;
    ASSERT_TRUE(env.connectAgain(other));
    EXPECT_EQ(other.scalar(QStringLiteral("SELECT count(*) FROM dba.t")), QStringLiteral("1"));
    other.rollback();
    ASSERT_TRUE(t.commit());
    EXPECT_EQ(other.scalar(QStringLiteral("SELECT count(*) FROM dba.t")), QStringLiteral("2"));
}

TEST_F(Database, FailuresAreReportedWithNumberAndText)
{
    Transaction& t = Transaction::main();
    Query q(t);
    EXPECT_FALSE(q.execute(QStringLiteral("INSERT INTO dba.neni_tabulka VALUES (1)")));
    EXPECT_NE(t.lastErrorNumber(), 0);
    EXPECT_FALSE(q.lastErrorText().isEmpty());
    EXPECT_TRUE(q.execute(QStringLiteral("SELECT 1")));
    EXPECT_EQ(t.lastErrorNumber(), 0);

    Transaction none;
    EXPECT_FALSE(none.connectFile(env.dir() + QStringLiteral("/missing.db")));
    EXPECT_NE(none.lastErrorNumber(), 0);
    kavro::Registry::instance().write(QStringLiteral("SOFTWARE\\ODBC\\ODBC.INI\\JINY"), QStringLiteral("start"), QStringLiteral("x"));
    EXPECT_FALSE(none.connect(QStringLiteral("JINY"), kavro::Registry::instance()));
    EXPECT_FALSE(none.exec(QStringLiteral("SELECT 1")));
}

TEST_F(Database, QueryWalksRowsAndReusesItsStatement)
{
    Transaction& t = Transaction::main();
    ASSERT_TRUE(t.exec(QStringLiteral("CREATE TABLE dba.r (a TEXT, b INTEGER)")));
    Query ins(t);
    for (int i = 0; i < 5; ++i) {
        ins.setSQL(QStringLiteral("INSERT INTO dba.r VALUES (?, ?)"));
        ins.bind(1, i % 2 ? QVariant() : QVariant(QStringLiteral("x%1").arg(i)));
        ins.bind(2, i);
        ASSERT_TRUE(ins.execute());
    }
    Query q(t, QStringLiteral("SELECT a, b FROM dba.r WHERE b >= ? ORDER BY b"));
    q.bind(1, 1);
    ASSERT_TRUE(q.run());
    QStringList seen;
    for (; !q.atEnd(); q.next()) seen << (q.isNull(1) ? QStringLiteral("-") : q.value(1)) + q.value(2);
    EXPECT_EQ(seen, QStringList({"-1", "x22", "-3", "x44"}));
    // Empty result: at end right after the first move.
    q.setSQL(QStringLiteral("SELECT a FROM dba.r WHERE b > 100"));
    ASSERT_TRUE(q.run());
    EXPECT_TRUE(q.atEnd());
    EXPECT_EQ(q.value(1), QString());
    // Reading while a write runs on the same connection (a form's list open while it saves).
    q.setSQL(QStringLiteral("SELECT b FROM dba.r ORDER BY b"));
    ASSERT_TRUE(q.run());
    ASSERT_TRUE(t.exec(QStringLiteral("UPDATE dba.r SET a = 'z'")));
    int n = 0;
    for (; !q.atEnd(); q.next()) ++n;
    EXPECT_EQ(n, 5);
    ASSERT_TRUE(t.commit());
}

TEST(DatabaseStartLine, CacheSizeFromStartLine)
{
    EXPECT_EQ(Transaction::cacheKiBFromStartLine(QStringLiteral("dbeng -c 16M kavro")), 16 * 1024);
    EXPECT_EQ(Transaction::cacheKiBFromStartLine(QStringLiteral("dbeng -C 8m")), 8 * 1024);
    EXPECT_EQ(Transaction::cacheKiBFromStartLine(QStringLiteral("dbeng -c 512K")), 512);
    EXPECT_EQ(Transaction::cacheKiBFromStartLine(QStringLiteral("dbeng kavro")), 0);
}

// A data source naming a driver goes through the driver manager; a server
// that does not answer is a failed connection with the engine's number, which
// the failure box shows.
TEST(DatabaseServer, UnreachableServerFailsWithANumber)
{
    kavro::test::TestEnv env(false);
    kavro::Registry& r = kavro::Registry::instance();
    const QString key = QStringLiteral("SOFTWARE\\ODBC\\ODBC.INI\\KAVRO");
    r.write(key, QStringLiteral("Driver"), QStringLiteral("PostgreSQL Unicode"));
    r.write(key, QStringLiteral("Server"), QStringLiteral("127.0.0.1"));
    r.write(key, QStringLiteral("Port"), QStringLiteral("1"));
    r.write(key, QStringLiteral("Database"), QStringLiteral("kavro"));
    Transaction t;
    EXPECT_FALSE(t.connect(QStringLiteral("KAVRO"), r));
    EXPECT_FALSE(t.isConnected());
    EXPECT_NE(t.lastErrorNumber(), 0);
    EXPECT_FALSE(t.lastErrorText().isEmpty());
}

// The server runs must really run on the server, never quietly on a file.
TEST_F(Database, RunsOnTheEngineTheTestsAskFor)
{
    EXPECT_EQ(Transaction::main().isServer(), kavro::test::onServer());
}

TEST_F(Database, ConnectionSettingsTakeEffect)
{
    if (kavro::test::onServer()) GTEST_SKIP() << "the settings of the database file";
    // Set outside a unit of work: inside one the engine would refuse them.
    EXPECT_EQ(one(QStringLiteral("PRAGMA dba.journal_mode")), QStringLiteral("wal"));
    EXPECT_EQ(one(QStringLiteral("PRAGMA dba.synchronous")), QStringLiteral("1"));
    EXPECT_EQ(one(QStringLiteral("PRAGMA dba.cache_size")), QStringLiteral("-8192")); // "-c 8M" of the fixture
}

namespace {

// Makes a file write-protected even for root (CI runs as root): the immutable
// attribute where the file system has it, else the permission bits.
bool writeProtect(const QString& path, bool on)
{
    if (::geteuid() == 0)
        return QProcess::execute(QStringLiteral("chattr"), {on ? QStringLiteral("+i") : QStringLiteral("-i"), path}) == 0;
    return QFile::setPermissions(path, on ? QFile::ReadOwner : (QFile::ReadOwner | QFile::WriteOwner));
}

} // namespace

TEST(DatabaseConnection, OnlyAnExistingKavroDatabaseConnectsAndNothingIsCreated)
{
    QTemporaryDir dir;
    Transaction t;
    struct Case {
        QString name;
        QByteArray content;  // null: no file; "dir": a folder
        int error;
        QString czech;
    };
    const QList<Case> cases = {
        {"chybi.db", QByteArray(), 14, QStringLiteral("Databázový soubor nelze otevřít.")},
        {"slozka.db", QByteArray("dir"), 14, QStringLiteral("Databázový soubor nelze otevřít.")},
        {"prazdny.db", QByteArray(""), 1, QStringLiteral("není databáze programu Kavro")},
        {"text.db", QByteArray("Toto je seznam hovorů, ne databáze.\n").repeated(200), 26, QStringLiteral("Soubor není databáze.")},
    };
    for (const Case& c : cases) {
        const QString path = dir.filePath(c.name);
        if (c.content == "dir") {
            ASSERT_TRUE(QDir(dir.path()).mkdir(c.name));
        } else if (!c.content.isNull()) {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(c.content);
        }
        const qint64 size = QFileInfo(path).size();
        EXPECT_FALSE(t.connectFile(path)) << c.name.toStdString();
        EXPECT_FALSE(t.isConnected());
        EXPECT_EQ(t.lastErrorNumber(), c.error) << c.name.toStdString();
        EXPECT_TRUE(t.lastErrorText().contains(c.czech)) << t.lastErrorText().toStdString();
        EXPECT_EQ(QFileInfo(path).size(), size) << c.name.toStdString();  // nothing written or created
    }
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("chybi.db")));

    // A database of another program: its tables are not Kavro's.
    const QString other = dir.filePath("jiny.db");
    {
        Transaction w;
        ASSERT_TRUE(kavro::createDatabase(other, QStringLiteral(KAVRO_DB_DIR)));
        ASSERT_TRUE(w.connectFile(other));
        ASSERT_TRUE(w.exec(QStringLiteral("DROP TABLE dba.hovory")));
        ASSERT_TRUE(w.commit());
    }
    EXPECT_FALSE(t.connectFile(other));
    EXPECT_EQ(t.lastErrorNumber(), 1);
    // A database the program's tools create is its owner's only.
    EXPECT_EQ(QFileInfo(other).permissions() & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther),
              QFile::Permissions());
}

TEST(DatabaseConnection, WriteProtectedDatabaseIsReadAndRefusesWritesInCzech)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("kavro.db");
    ASSERT_TRUE(kavro::createDatabase(path, QStringLiteral(KAVRO_DB_DIR)));
    {
        Transaction w;
        ASSERT_TRUE(w.connectFile(path));
        ASSERT_TRUE(w.exec(QStringLiteral("INSERT INTO dba.hovory (id_hovoru, ustredna_datum_a_cas) VALUES (1, '2024-03-05 10:00:00')")));
        ASSERT_TRUE(w.commit());
    }
    if (!writeProtect(path, true)) GTEST_SKIP() << "the file cannot be write-protected here";
    Transaction t;
    const bool connected = t.connectFile(path);
    EXPECT_TRUE(connected) << t.lastErrorText().toStdString();
    if (connected) {
        EXPECT_EQ(t.scalar(QStringLiteral("SELECT count(*) FROM dba.hovory")), QStringLiteral("1"));
        Query q(t);
        EXPECT_FALSE(q.execute(QStringLiteral("INSERT INTO dba.hovory (id_hovoru) VALUES (2)")));
        EXPECT_TRUE(q.lastErrorText().startsWith(QStringLiteral("Databázi lze pouze číst"))) << q.lastErrorText().toStdString();
        t.rollback();
        t.disconnect();
    }
    writeProtect(path, false);
}

TEST_F(Database, AWriteRefusedWhileAnotherProgramHoldsTheFileIsToldApartAndItsWaitCanBeEnded)
{
    if (kavro::test::onServer())
        GTEST_SKIP() << "the lock of the database file; a server makes its clients wait itself";
    using Clock = std::chrono::steady_clock;
    const auto ms = [](Clock::time_point since) {
        return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - since).count();
    };
    Transaction& t = Transaction::main();
    kavro::test::HeldDatabase held(env, 600);
    ASSERT_TRUE(held.ok()) << held.error().toStdString();
    QList<bool> reports;
    std::atomic<bool> stop{false};
    kavro::BusyWatch watch;
    watch.stop = &stop;
    watch.report = [&](bool waiting) { reports << waiting; };
    kavro::BusyWatchScope scope(t, watch);

    // The wait lasts the time-out, is reported, and the refusal is told apart.
    Query q(t);
    auto start = Clock::now();
    EXPECT_FALSE(q.execute(QStringLiteral("INSERT INTO dba.kalendar (datum, typ_dne) VALUES ('2024-01-01', 1)")));
    EXPECT_GE(ms(start), 550);
    EXPECT_LT(ms(start), 3000);
    EXPECT_TRUE(q.lastErrorIsBusy());
    EXPECT_TRUE(t.lastErrorIsBusy());
    EXPECT_TRUE(q.lastErrorText().startsWith(QStringLiteral("Databázi právě používá jiný program")))
        << q.lastErrorText().toStdString();
    EXPECT_EQ(reports, QList<bool>({true, false}));

    // The stop flag ends a long wait at once.
    t.setBusyTimeout(30000);
    reports.clear();
    std::thread stopper([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        stop = true;
    });
    start = Clock::now();
    EXPECT_FALSE(q.execute());
    stopper.join();
    EXPECT_LT(ms(start), 2000);
    EXPECT_TRUE(q.lastErrorIsBusy());
    EXPECT_EQ(reports, QList<bool>({true, false}));

    // Once the other program has ended its work, the write goes through; a
    // duplicate key is a refusal of another kind.
    held.release();
    stop = false;
    ASSERT_TRUE(q.execute());
    EXPECT_FALSE(q.execute());
    EXPECT_TRUE(q.lastErrorIsDuplicateKey());
    EXPECT_FALSE(q.lastErrorIsBusy());
    EXPECT_FALSE(t.lastErrorIsBusy());
    t.rollback();
}
