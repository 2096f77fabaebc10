#include "platform/database.h"
#include "platform/registry.h"
#include "test_env.h"

#include <gtest/gtest.h>

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
