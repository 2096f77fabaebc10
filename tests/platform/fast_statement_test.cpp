// The bulk statement and the connection lock the tariffing run works with.
#include "platform/database.h"
#include "platform/fast_statement.h"
#include "platform/unit_of_work.h"
#include "test_env.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

using kavro::ConnectionLock;
using kavro::FastStatement;
using kavro::Transaction;
using kavro::UnitOfWork;

namespace {

class FastStatementTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(env.ok()) << env.error().toStdString();
        UnitOfWork w;
        ASSERT_TRUE(Transaction::main().exec(QStringLiteral("CREATE TABLE dba.t (k INTEGER PRIMARY KEY, v INTEGER, s TEXT)")));
        ASSERT_TRUE(w.commit());
        ASSERT_TRUE(Transaction::main().begin());
    }
    kavro::test::TestEnv env;
};

} // namespace

TEST_F(FastStatementTest, ValuesKeepTheKindTheyAreStoredAs)
{
    if (kavro::test::onServer()) GTEST_SKIP() << "a server keeps no text in a number column";
    Transaction& t = Transaction::main();
    ConnectionLock lock(t);
    {
        FastStatement ins(t, "INSERT INTO dba.t (k, v, s) VALUES (?, ?, ?)");
        ASSERT_TRUE(ins.ok());
        std::string text = "Příchozí";
        ins.bindInteger(1, 1);
        ins.bindInteger(2, 7);
        ins.bindText(3, text);
        ASSERT_TRUE(ins.execute());
        // The statement is ready for the next row at once; an INTEGER column
        // keeps a text it cannot take as a number.
        ins.bindInteger(1, 2);
        ins.bindText(2, std::string_view("x7"));
        ins.bindNull(3);
        ASSERT_TRUE(ins.execute());
        ins.bindInteger(1, 3);
        ins.bindReal(2, 2.5);
        ins.bindText(3, "", 0);
        ASSERT_TRUE(ins.execute());
    }
    FastStatement q(t, "SELECT v, s FROM dba.t ORDER BY k");
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.kind(0), FastStatement::Kind::Integer);
    EXPECT_EQ(q.integer(0), 7);
    EXPECT_EQ(q.text(1), "Příchozí");
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.kind(0), FastStatement::Kind::Text);
    EXPECT_EQ(q.text(0), "x7");
    EXPECT_EQ(q.kind(1), FastStatement::Kind::Null);
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.kind(0), FastStatement::Kind::Real);
    EXPECT_DOUBLE_EQ(q.real(0), 2.5);
    EXPECT_EQ(q.kind(1), FastStatement::Kind::Text);  // empty, not NULL
    EXPECT_FALSE(q.next());
    EXPECT_FALSE(q.failed());
}

TEST_F(FastStatementTest, FailuresAreReportedWithTheEnginesText)
{
    Transaction& t = Transaction::main();
    ConnectionLock lock(t);
    FastStatement bad(t, "SELECT x FROM dba.no_such_table");
    EXPECT_FALSE(bad.ok());
    EXPECT_FALSE(bad.next());
    EXPECT_TRUE(bad.failed());
    EXPECT_NE(bad.errorText().find("no_such_table"), std::string::npos) << bad.errorText();

    FastStatement ins(t, "INSERT INTO dba.t (k) VALUES (?)");
    ins.bindInteger(1, 1);
    ASSERT_TRUE(ins.execute());
    // The same key again; on a server the batch of writes fails when it is sent.
    EXPECT_FALSE(ins.execute() && ins.finish());
    EXPECT_TRUE(ins.failed());
    EXPECT_FALSE(ins.errorText().empty());
}

TEST_F(FastStatementTest, TheLockKeepsOtherThreadsStatementsOut)
{
    Transaction& t = Transaction::main();
    std::atomic<bool> vlozeno{false};
    std::thread druhe;
    {
        ConnectionLock lock(t);
        druhe = std::thread([&] {
            t.exec(QStringLiteral("INSERT INTO dba.t (k) VALUES (9)"));
            vlozeno = true;
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        EXPECT_FALSE(vlozeno.load());
        ConnectionLock again(t);  // the same thread may take it again
    }
    druhe.join();
    EXPECT_TRUE(vlozeno.load());
}
