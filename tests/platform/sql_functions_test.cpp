#include "platform/database.h"
#include "test_env.h"

#include <QRegularExpression>
#include <algorithm>

#include <gtest/gtest.h>

using kavro::Transaction;

namespace {

class SqlFunctions : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(env.ok()) << env.error().toStdString(); }
    QString f(const QString& expr) { return Transaction::main().scalar(QStringLiteral("SELECT ") + expr); }
    QString nullOr(const QString& expr) { return f(QStringLiteral("coalesce(CAST(") + expr + QStringLiteral(" AS TEXT), 'NULL')")); }
    kavro::test::TestEnv env;
};

} // namespace

TEST_F(SqlFunctions, ArgnPicksTheNthValue)
{
    // The calendar types a day as argn(dow(date), 2,3,3,3,3,3,2).
    EXPECT_EQ(f("argn(1, 2,3,3,3,3,3,2)"), "2");
    EXPECT_EQ(f("argn(7, 2,3,3,3,3,3,2)"), "2");
    EXPECT_EQ(f("argn(4, 'a','b','c','d')"), "d");
    EXPECT_EQ(nullOr("argn(5, 'a','b')"), "NULL");
    EXPECT_EQ(nullOr("argn(0, 'a')"), "NULL");
}

TEST_F(SqlFunctions, DowCountsFromSunday)
{
    EXPECT_EQ(f("dow('2024-03-17')"), "1"); // Sunday
    EXPECT_EQ(f("dow('2024-03-18 08:00:00')"), "2");
    EXPECT_EQ(f("dow('2024-03-16')"), "7"); // Saturday
    EXPECT_EQ(f("dow('2000-02-29')"), "3"); // Tuesday
    EXPECT_EQ(f("dow('1900-01-01')"), "2"); // Monday
    EXPECT_EQ(f("dow('9999-12-31')"), "6"); // Friday
    EXPECT_EQ(nullOr("dow('2023-02-29')"), "NULL");
}

TEST_F(SqlFunctions, DatePartsAndLenientDate)
{
    EXPECT_EQ(f("year('2024-03-15 10:11:12')"), "2024");
    EXPECT_EQ(f("month('2024-03-15')"), "3");
    EXPECT_EQ(f("day('2024-03-05 00:00:00')"), "5");
    EXPECT_EQ(f("date('1997-8-1')"), "1997-08-01");
    EXPECT_EQ(f("date('2024-03-15 23:59:59')"), "2024-03-15");
    EXPECT_EQ(nullOr("date('2024-13-01')"), "NULL");
    EXPECT_EQ(nullOr("date('0000-00-00')"), "NULL");
    EXPECT_EQ(nullOr("date(NULL)"), "NULL");
    // The import's start day: the newest call's date, or the fixed early day on an empty table.
    EXPECT_EQ(f("coalesce(date(NULL), date('1997-8-1'))"), "1997-08-01");
}

TEST_F(SqlFunctions, SecondsBetweenTimesAndDateTimes)
{
    // Free time of the pseudotariff subtracted from a call's duration.
    EXPECT_EQ(f("seconds('00:00:05', '00:01:06')"), "61");
    EXPECT_EQ(f("seconds('00:00:10', '00:00:04')"), "-6");
    EXPECT_EQ(f("seconds('00:00:00', '25:70:10')"), "94210");
    EXPECT_EQ(f("seconds('2024-03-15 23:59:50', '2024-03-16 00:00:10')"), "20");
    EXPECT_EQ(f("seconds('2024-03-01') - seconds('2024-02-28')"), "172800");
    EXPECT_EQ(nullOr("seconds('x', '00:00:01')"), "NULL");
}

TEST_F(SqlFunctions, IfnullWithThreeArgumentsAndCeiling)
{
    EXPECT_EQ(f("ifnull(NULL, 1, length('420'))"), "1");
    EXPECT_EQ(f("ifnull('420', 1, length('420'))"), "3");
    EXPECT_EQ(f("ifnull(NULL, 'b')"), "b"); // the two-argument form stays
    EXPECT_EQ(f("ceiling(61 / 60.0)"), "2");
    EXPECT_EQ(f("ceiling(60 / 60.0)"), "1");
    EXPECT_EQ(f("ceiling(-0.5)"), "0");
    EXPECT_EQ(f("ceiling(7)"), "7");
    EXPECT_EQ(nullOr("ceiling(NULL)"), "NULL");
    EXPECT_EQ(f("string('a', 1, NULL, 'b')"), "a1b");
}

TEST_F(SqlFunctions, ListJoinsAGroup)
{
    Transaction& t = Transaction::main();
    ASSERT_TRUE(t.exec("CREATE TABLE dba.osoby (pobocka TEXT, prijmeni TEXT)"));
    ASSERT_TRUE(t.exec("INSERT INTO dba.osoby VALUES ('100','Novák'),('100',NULL),('100','Svoboda'),('200','Dvořák')"));
    EXPECT_EQ(f("List(prijmeni) FROM (SELECT prijmeni FROM dba.osoby WHERE pobocka='100' ORDER BY prijmeni)"), "Novák,Svoboda");
    EXPECT_EQ(nullOr("(SELECT List(prijmeni) FROM dba.osoby WHERE pobocka='999')"), "NULL");
    EXPECT_EQ(f("count(*) FROM (SELECT pobocka, List(prijmeni) FROM dba.osoby GROUP BY pobocka)"), "2");
}

// ORDER BY ... COLLATE czech sorts as a Czech reader expects, on either
// engine: Č, Ř, Š, Ž after C, R, S, Z, "ch" after "h", accents and case only
// between otherwise equal names, numbers inside names and whole numbers by
// their value. Comparisons and grouping stay exact.
TEST_F(SqlFunctions, CzechOrderOnlyWhereAsked)
{
    Transaction& t = Transaction::main();
    ASSERT_TRUE(t.exec("CREATE TABLE dba.jmena (jmeno TEXT)"));
    const QStringList cesky{"(bez firmy)", "7",       "454",     "4688",         "Abeceda",       "Cihelna",
                            "Čáslav",      "Čedok",   "Děčín",   "Domažlice",    "Hora",          "Hůrka",
                            "Chata",       "Chrudim", "Ivan",    "Oddělení 1/2", "Oddělení 1/10", "Rakovník",
                            "Řevnice",     "Sokolov", "Šumperk", "Zlín",         "Žatec",         "žebřík"};
    QStringList vlozeno = cesky;
    std::reverse(vlozeno.begin(), vlozeno.end());
    std::swap(vlozeno[3], vlozeno[11]);
    for (const QString& j : vlozeno) ASSERT_TRUE(t.exec("INSERT INTO dba.jmena VALUES (?)", {j}));
    auto poradi = [&](const QString& order) {
        QStringList out;
        kavro::Query q(t, "SELECT jmeno FROM dba.jmena ORDER BY " + order);
        for (bool ok = q.run(); ok && !q.atEnd(); q.next()) out << q.value(1);
        return out;
    };
    EXPECT_EQ(poradi("jmeno COLLATE czech"), cesky);
    QStringList obracene = cesky;
    std::reverse(obracene.begin(), obracene.end());
    EXPECT_EQ(poradi("jmeno COLLATE czech DESC"), obracene);
    // Without it the order is the bytes' ("Č…" after "Z…").
    EXPECT_LT(poradi("jmeno").indexOf("Zlín"), poradi("jmeno").indexOf("Čáslav"));
    // Equality is untouched: letter case and accents still make texts differ.
    ASSERT_TRUE(t.exec("INSERT INTO dba.jmena VALUES ('chata'), ('Chatá')"));
    EXPECT_EQ(f("count(*) FROM dba.jmena WHERE jmeno = 'Chata'"), "1");
    EXPECT_EQ(f("count(*) FROM (SELECT jmeno FROM dba.jmena GROUP BY jmeno) g"), QString::number(cesky.size() + 2));
    const QStringList ch = poradi("jmeno COLLATE czech").filter(QRegularExpression("^[Cc]hat"));
    EXPECT_EQ(ch, (QStringList{"chata", "Chata", "Chatá"}));
}
