#include "platform/database.h"
#include "platform/unit_of_work.h"
#include "test_env.h"

#include <gtest/gtest.h>

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
