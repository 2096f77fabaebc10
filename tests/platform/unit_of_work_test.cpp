#include "platform/database.h"
#include "platform/unit_of_work.h"
#include "test_env.h"

#include <gtest/gtest.h>
#include <chrono>
#include <future>
#include <thread>

using kavro::Query;
using kavro::Savepoint;
using kavro::Transaction;
using kavro::UnitOfWork;

namespace {

QString values()
{
    return Transaction::main().scalar(QStringLiteral("SELECT group_concat(x, ',') FROM (SELECT x FROM dba.t ORDER BY x)"));
}

class UnitOfWorkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(env.ok()) << env.error().toStdString();
        UnitOfWork w;
        ASSERT_TRUE(Transaction::main().exec(QStringLiteral("CREATE TABLE dba.t (x INTEGER)")));
        ASSERT_TRUE(w.commit());
    }
    void insert(int x) { ASSERT_TRUE(Transaction::main().exec(QStringLiteral("INSERT INTO dba.t VALUES (?)"), {x})); }
    kavro::test::TestEnv env;
};

} // namespace

TEST_F(UnitOfWorkTest, LeavingScopeRollsBackWhatFollowsTheLastCommit)
{
    {
        UnitOfWork w;
        insert(1);
        ASSERT_TRUE(w.commit());
        insert(2);  // never committed
    }
    EXPECT_EQ(values(), QStringLiteral("1"));
    {
        UnitOfWork w;
        insert(3);
        w.rollback();
        insert(4);
        ASSERT_TRUE(w.commit());
    }
    EXPECT_EQ(values(), QStringLiteral("1,4"));
}

TEST_F(UnitOfWorkTest, SavepointUndoesOnlyItsOwnOperation)
{
    UnitOfWork w;
    insert(1);  // an earlier edit of the window
    {
        Savepoint move;
        ASSERT_TRUE(move.ok());
        insert(2);
        insert(3);
        // not released: the move is refused midway
    }
    EXPECT_EQ(values(), QStringLiteral("1"));
    {
        Savepoint move;
        insert(5);
        ASSERT_TRUE(move.release());
    }
    ASSERT_TRUE(w.commit());
    EXPECT_EQ(values(), QStringLiteral("1,5"));
}

// Another program commits while an operation under a savepoint runs between its
// read and its write. The operation keeps all of itself or nothing: a release
// that fails after the write was kept ("no such savepoint") would leave the
// unit of work with half an operation.
TEST_F(UnitOfWorkTest, SavepointKeepsItsOperationWholeWhenAnotherProgramCommitsMeanwhile)
{
    Transaction& t = Transaction::main();
    Transaction other;
    ASSERT_TRUE(env.connectAgain(other));
    UnitOfWork w;
    ASSERT_EQ(t.scalar(QStringLiteral("SELECT count(*) FROM dba.t")), QStringLiteral("0")); // the window has read

    Savepoint operace;
    ASSERT_TRUE(operace.ok()) << t.lastErrorText().toStdString();
    const int dalsi = t.scalar(QStringLiteral("SELECT coalesce(max(x), 0) + 1 FROM dba.t")).toInt();
    // The other program writes and commits now; it may have to wait for this unit.
    auto druhy = std::async(std::launch::async, [&other] {
        return other.exec(QStringLiteral("INSERT INTO dba.t VALUES (100)")) && other.commit();
    });
    druhy.wait_for(std::chrono::milliseconds(500));
    insert(dalsi);
    insert(dalsi + 1);
    ASSERT_TRUE(operace.release()) << t.lastErrorText().toStdString();
    ASSERT_TRUE(w.commit()) << w.errorText().toStdString();
    EXPECT_TRUE(druhy.get()) << other.lastErrorText().toStdString();
    EXPECT_EQ(values(), QStringLiteral("1,2,100"));
}

// Where the unit cannot take the write lock before the operation (a list was
// still being read when it began), a commit of another program in between
// makes the operation's write fail: the operation is undone whole with the
// Czech message, and done again it succeeds.
TEST_F(UnitOfWorkTest, SavepointOperationFailsWholeWhenItsReadIsOutdated)
{
    Transaction& t = Transaction::main();
    {
        UnitOfWork w;
        insert(1);
        insert(2);
        ASSERT_TRUE(w.commit());
    }
    Transaction other;
    ASSERT_TRUE(env.connectAgain(other));
    UnitOfWork w;
    Query seznam(t, QStringLiteral("SELECT x FROM dba.t ORDER BY x"));
    ASSERT_TRUE(seznam.run());
    ASSERT_FALSE(seznam.atEnd());
    bool ulozeno = false;
    {
        Savepoint operace;
        ASSERT_TRUE(operace.ok()) << t.lastErrorText().toStdString();
        seznam.close();
        ASSERT_EQ(t.scalar(QStringLiteral("SELECT count(*) FROM dba.t")), QStringLiteral("2"));
        ASSERT_TRUE(other.exec(QStringLiteral("INSERT INTO dba.t VALUES (100)")));
        ASSERT_TRUE(other.commit()) << other.lastErrorText().toStdString();
        Query zapis(t);
        if (zapis.execute(QStringLiteral("INSERT INTO dba.t VALUES (?)"), {3})) {
            // A server's unit sees the other program's commit and simply goes on.
            ASSERT_TRUE(zapis.execute(QStringLiteral("INSERT INTO dba.t VALUES (?)"), {4}));
            ASSERT_TRUE(operace.release()) << t.lastErrorText().toStdString();
            ulozeno = true;
        } else {
            EXPECT_FALSE(t.isServer());
            EXPECT_TRUE(zapis.lastErrorText().startsWith(QStringLiteral("Databázi právě používá jiný program")))
                << zapis.lastErrorText().toStdString();
        }
    }
    ASSERT_TRUE(w.commit()) << w.errorText().toStdString();
    EXPECT_EQ(values(), ulozeno ? QStringLiteral("1,2,3,4,100") : QStringLiteral("1,2,100"));
    if (ulozeno) return;
    // The user tries again: the unit now begins afresh and the operation goes through.
    Savepoint znovu;
    ASSERT_TRUE(znovu.ok());
    insert(3);
    insert(4);
    ASSERT_TRUE(znovu.release());
    ASSERT_TRUE(w.commit());
    EXPECT_EQ(values(), QStringLiteral("1,2,3,4,100"));
}
