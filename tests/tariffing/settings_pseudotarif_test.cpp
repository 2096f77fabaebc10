// Pseudotariff parameters in a fresh database: load, save, rollback.
#include "tariffing/pseudotarif.h"
#include "platform/database.h"
#include "test_env.h"

#include <gtest/gtest.h>

using namespace kavro;

namespace {

std::array<QString, 6> casy(const char* a, const char* b, const char* c, const char* d, const char* e,
                            const char* f)
{
    return {QString::fromLatin1(a), QString::fromLatin1(b), QString::fromLatin1(c),
            QString::fromLatin1(d), QString::fromLatin1(e), QString::fromLatin1(f)};
}

std::array<QString, 6> nacti(Transaction& t)
{
    std::array<QString, 6> r;
    for (size_t i = 0; i < r.size(); ++i)
        r[i] = pseudotarif::Napln_hodnotou(t, QString::fromLatin1(pseudotarif::Poradi[i].typ_hovoru),
                                           QString::fromLatin1(pseudotarif::Poradi[i].typ_casu));
    return r;
}

class Pseudotarif : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(env.ok()) << env.error().toStdString(); }
    test::TestEnv env;
    Transaction& t = Transaction::main();
};

} // namespace

TEST_F(Pseudotarif, MissingRowsLoadEmpty)
{
    EXPECT_EQ(nacti(t), casy("", "", "", "", "", ""));
    ASSERT_TRUE(t.exec("insert into dba.casy_pseudotarifu values ('B','M','00:00:07','1900-01-01 00:00:00',"
                       "'1999-12-31 23:59:59')"));
    EXPECT_EQ(nacti(t), casy("", "", "", "00:00:07", "", ""));
    EXPECT_EQ(pseudotarif::Napln_hodnotou(t, "A' or '1'='1", "D"), QString());
}

TEST_F(Pseudotarif, SaveLeavesExactlySixOpenEndedRowsAndCommits)
{
    // Old rows of every kind: extra ones, other validities, incoming calls.
    for (const char* r : {"('A','D','00:00:05','1900-01-01 00:00:00','1999-12-31 23:59:59')",
                          "('A','D','00:00:09','2000-01-01 00:00:00','2005-12-31 23:59:59')",
                          "('P','D','00:00:01','1900-01-01 00:00:00','9999-12-31 23:59:59')"})
        ASSERT_TRUE(t.exec(QStringLiteral("insert into dba.casy_pseudotarifu values ") + QString::fromLatin1(r)));
    ASSERT_TRUE(t.commit());

    const auto nove = casy("00:00:10", "00:00:03", "00:00:20", "00:00:04", "00:01:00", "00:00:05");
    QString chyba;
    ASSERT_TRUE(pseudotarif::Uloz(t, nove, &chyba)) << chyba.toStdString();
    ASSERT_TRUE(t.rollback());  // committed: a rollback now takes nothing back

    EXPECT_EQ(t.scalar("select count(*) from dba.casy_pseudotarifu"), "6");
    EXPECT_EQ(t.scalar("select count(*) from dba.casy_pseudotarifu where pocatek_platnosti = "
                       "'1900-01-01 00:00:00' and konec_platnosti = '9999-12-31 23:59:59'"),
              "6");
    EXPECT_EQ(nacti(t), nove);

    // Tariffing looks up the subtracted time of a call's type at the call's moment:
    // a call of today finds it.
    EXPECT_EQ(t.scalar("select cas from dba.casy_pseudotarifu where typ_casu = 'D' and typ_hovoru = ? "
                       "and ? between pocatek_platnosti and konec_platnosti",
                       {"C", "2031-06-30 12:00:00"}),
              "00:01:00");
}

TEST_F(Pseudotarif, FailedInsertRollsBackTheDeleteToo)
{
    ASSERT_TRUE(pseudotarif::Uloz(t, casy("00:00:01", "00:00:02", "00:00:03", "00:00:04", "00:00:05", "00:00:06")));
    ASSERT_TRUE(kavro::test::odmitajZapis(t, "zadny_mezistatni", "INSERT", "casy_pseudotarifu", "new.typ_hovoru = 'C'", "mezistatni odmitnut"));
    ASSERT_TRUE(t.commit());

    QString chyba;
    EXPECT_FALSE(pseudotarif::Uloz(t, casy("00:00:11", "00:00:12", "00:00:13", "00:00:14", "00:00:15", "00:00:16"),
                                   &chyba));
    EXPECT_TRUE(chyba.contains("mezistatni odmitnut")) << chyba.toStdString();
    EXPECT_EQ(nacti(t), casy("00:00:01", "00:00:02", "00:00:03", "00:00:04", "00:00:05", "00:00:06"));
    EXPECT_EQ(t.scalar("select count(*) from dba.casy_pseudotarifu"), "6");
}
