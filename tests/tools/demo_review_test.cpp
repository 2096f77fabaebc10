// The demonstration installation holds only what its own windows can show
// and store again unchanged.
#include "demo_data.h"

#include "platform/database.h"
#include "test_env.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace kavro;

TEST(DemoReview, ImpulsePricesAreWholeHalere)
{
    test::TestEnv env(false);
    const QString db = env.dir() + QStringLiteral("/demo.db");
    ASSERT_TRUE(demo::create(env.dir(), db, 1, 10));
    ASSERT_TRUE(Transaction::main().connectFile(db));
    // The price dialog takes digits only: a price such as 2.1 could be shown but never saved again.
    Query q(Transaction::main(), QStringLiteral("SELECT Cena_Impulsu FROM dba.cena_impulsu"));
    ASSERT_TRUE(q.run()) << q.lastErrorText().toStdString();
    int pocet = 0;
    for (; !q.atEnd(); q.next(), ++pocet)
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^[1-9][0-9]*$")).match(q.value(1)).hasMatch())
            << q.value(1).toStdString();
    EXPECT_GT(pocet, 0);
}
