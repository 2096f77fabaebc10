#include "gendata/directory.h"
#include "gendata/gendata.h"

#include "platform/database.h"
#include "test_env.h"

#include <gtest/gtest.h>

using namespace kavro;

TEST(GenData, DirectoryMatchesTheCallFiles)
{
    test::TestEnv env;
    ASSERT_TRUE(env.ok());
    Transaction& t = Transaction::main();
    gendata::DirectoryOptions d;
    d.seed = 5;
    d.subscribers = 3000;
    gendata::DirectoryResult r;
    QString error;
    ASSERT_TRUE(gendata::fillDirectory(t, d, &r, &error)) << error.toStdString();
    EXPECT_GE(r.states, 200);
    EXPECT_GE(r.cities, 2000);
    EXPECT_EQ(r.subscribers, 3000);
    EXPECT_EQ(r.extensions, 2000);
    EXPECT_GT(r.assignments, 2000); // some extensions changed hands

    // The extensions of the directory are those the call files use.
    gendata::Options o;
    o.seed = 5;
    gendata::Generator g(o);
    EXPECT_FALSE(g.extensionNumbers().contains("9999"));
    EXPECT_EQ(t.scalar("SELECT count(DISTINCT Cislo_pobocky) FROM dba.prirazeni_pobocek WHERE Cislo_pobocky IN ('"
                       + g.extensionNumbers().mid(0, 50).join("','") + "')"), "50");
    // An extension's periods follow each other and the last one is open.
    EXPECT_EQ(t.scalar("SELECT count(*) FROM dba.prirazeni_pobocek a WHERE Cislo_pobocky <> '9999' AND "
                       "Konec_platnosti <> '9999-12-31 23:59:59' AND NOT EXISTS (SELECT 1 FROM dba.prirazeni_pobocek b "
                       "WHERE b.Cislo_pobocky = a.Cislo_pobocky AND b.Pocatek_platnosti = a.Konec_platnosti)"), "0");
    // Within an area no subscriber number begins another one.
    EXPECT_EQ(t.scalar("SELECT count(*) FROM dba.ciselnik_ucastniku a JOIN dba.ciselnik_ucastniku b ON "
                       "a.kod_statu = b.kod_statu AND a.kod_mesta = b.kod_mesta AND a.Cislo_ucastnika <> b.Cislo_ucastnika "
                       "AND substr(b.Cislo_ucastnika, 1, length(a.Cislo_ucastnika)) = a.Cislo_ucastnika"), "0");

    // Numbers dialled in the call files use the database's codes.
    const gendata::Codes codes = gendata::codesFromDatabase(t);
    EXPECT_GE(codes.countryCodes.size(), 199);
    o.codes = codes;
    gendata::Generator withCodes(o);
    int international = 0;
    for (const gendata::Record& rec : withCodes.day(QDate(2024, 3, 1), 500)) {
        const QString n = QString::fromLatin1(rec.fields.called);
        if (!n.startsWith("00")) continue;
        ++international;
        bool known = false;
        for (const QString& c : codes.countryCodes) known |= n.mid(2).startsWith(c);
        EXPECT_TRUE(known) << n.toStdString();
    }
    EXPECT_GT(international, 0);
}
