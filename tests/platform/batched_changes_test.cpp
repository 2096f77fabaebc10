#include "platform/database.h"
#include "platform/fast_statement.h"
#include "platform/unit_of_work.h"
#include "test_env.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace kavro;

// Many changes of rows by their key, as the tariffing writes its calls back: on
// a server they go in batches; every value must arrive as it was, whatever it holds.
TEST(BatchedChanges, ManyChangesByKeyKeepEveryValue)
{
    test::TestEnv env;
    ASSERT_TRUE(env.ok()) << env.error().toStdString();
    Transaction& t = Transaction::main();
    UnitOfWork prace(t);
    ASSERT_TRUE(t.exec(QStringLiteral("CREATE TABLE dba.zkouska (id INTEGER PRIMARY KEY, n INTEGER, s TEXT)")));
    const int pocet = 12345;
    {
        ConnectionLock zamek(t);
        ASSERT_TRUE(t.begin());
        FastStatement vloz(t, "INSERT INTO dba.zkouska (id, n, s) VALUES (?, 0, 'x')");
        ASSERT_TRUE(vloz.ok()) << vloz.errorText();
        for (int i = 1; i <= pocet; ++i) {
            vloz.bindInteger(1, i);
            ASSERT_TRUE(vloz.execute()) << vloz.errorText();
        }
        ASSERT_TRUE(vloz.finish()) << vloz.errorText();
    }
    const std::vector<std::string> texty = {"", "a\"b", "c\\\\d", "{e,f}", "NULL", "Žluťoučký kůň", "g'h", " i "};
    {
        ConnectionLock zamek(t);
        FastStatement zmen(t, "UPDATE dba.zkouska SET n = ?, s = ? WHERE id = ?");
        ASSERT_TRUE(zmen.ok()) << zmen.errorText();
        for (int i = 1; i <= pocet; ++i) {
            zmen.bindInteger(1, i * 2);
            if (i % 9 == 0) zmen.bindNull(2);
            else zmen.bindText(2, texty[std::size_t(i % 9 - 1) % texty.size()]);
            zmen.bindInteger(3, i);
            ASSERT_TRUE(zmen.execute()) << zmen.errorText();
        }
        ASSERT_TRUE(zmen.finish()) << zmen.errorText();
    }
    ASSERT_TRUE(prace.commit());
    Query q(t, QStringLiteral("SELECT id, n, s FROM dba.zkouska ORDER BY id"));
    ASSERT_TRUE(q.run());
    int i = 0;
    for (; !q.atEnd(); q.next()) {
        ++i;
        ASSERT_EQ(q.intValue(1), i);
        ASSERT_EQ(q.intValue(2), i * 2);
        if (i % 9 == 0) ASSERT_TRUE(q.isNull(3)) << i;
        else {
            ASSERT_FALSE(q.isNull(3)) << i;
            ASSERT_EQ(q.value(3).toStdString(), texty[std::size_t(i % 9 - 1) % texty.size()]) << i;
        }
    }
    EXPECT_EQ(i, pocet);
}
