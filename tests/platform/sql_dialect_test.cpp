#include "platform/odbc.h"

#include <gtest/gtest.h>

using kavro::odbc::proServer;

// The rewriting of statements for the server: only the constructs that differ
// change, and never anything inside a quoted text.
TEST(SqlDialect, RewritesWhatTheServerSpellsOtherwise)
{
    EXPECT_EQ(proServer("SELECT max(a) FROM t"), "SELECT max(a) FROM t");
    EXPECT_EQ(proServer("SELECT max(a, 2), MIN(b,c) FROM t"), "SELECT greatest(a, 2), least(b,c) FROM t");
    EXPECT_EQ(proServer("SELECT ifnull(x, 'a')"), "SELECT coalesce(x, 'a')");
    EXPECT_EQ(proServer("SELECT ifnull(x, 1, length(y))"), "SELECT (CASE WHEN (x) IS NULL THEN  1 ELSE  length(y) END)");
    EXPECT_EQ(proServer("SELECT argn(dow(d), 2, 3)"), "SELECT (CASE (dow(d)) WHEN 1 THEN  2 WHEN 2 THEN  3 END)");
    EXPECT_EQ(proServer("SELECT string('a', 1)"), "SELECT concat('a', 1)");
    EXPECT_EQ(proServer("SELECT group_concat(x) FROM t"), "SELECT string_agg(CAST(x AS text),',') FROM t");
    EXPECT_EQ(proServer("SELECT date(max(d)) FROM t"), "SELECT dba.date(max(d)) FROM t");
    EXPECT_EQ(proServer("SELECT count(*) FROM (SELECT 1) WHERE 1 = 1"),
              "SELECT count(*) FROM (SELECT 1) AS kavro_q1 WHERE 1 = 1");
    EXPECT_EQ(proServer("SELECT * FROM (SELECT 1) x"), "SELECT * FROM (SELECT 1) x");
    EXPECT_EQ(proServer("SELECT 1 FROM t WHERE k GLOB '*[^0-9]*'"), "SELECT 1 FROM t WHERE k ~ '^.*[^0-9].*$'");
    EXPECT_EQ(proServer("SELECT a FROM t ORDER BY t.rowid"), "SELECT a FROM t ORDER BY t.ctid");
    // Quoted texts and names are left as they are.
    EXPECT_EQ(proServer("SELECT 'max(a, b) ?1 rowid', \"date\"(x) FROM t"), "SELECT 'max(a, b) ?1 rowid', \"date\"(x) FROM t");
}

TEST(SqlDialect, NumberedParametersBecomeMarkersInOrder)
{
    std::vector<int> poradi;
    EXPECT_EQ(proServer("SELECT ?2, ?1, ?2", &poradi), "SELECT ?, ?, ?");
    EXPECT_EQ(poradi, (std::vector<int>{2, 1, 2}));
    // A plain marker takes the value after the greatest named so far.
    EXPECT_EQ(proServer("SELECT ?, ?3, ?", &poradi), "SELECT ?, ?, ?");
    EXPECT_EQ(poradi, (std::vector<int>{1, 3, 4}));
    EXPECT_EQ(proServer("SELECT '?' , ?", &poradi), "SELECT '?' , ?");
    EXPECT_EQ(poradi, (std::vector<int>{1}));
}
