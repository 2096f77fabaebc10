// Subscriber numbers that begin other numbers of the same city.
#include "external_directory/test_duplicit.h"
#include "platform/database.h"
#include "test_env.h"

#include <gtest/gtest.h>

using namespace kavro;

namespace {

QStringList hlaseni(const std::vector<Zaznam_ucastnika>& z)
{
    QStringList out;
    for (const auto& r : z)
        if (r.pocet > 1) out << r.kod_statu + "-" + r.kod_mesta + "-" + r.cislo_ucastnika + " " + QString::number(r.pocet);
    return out;
}

} // namespace

TEST(TestDuplicit, ReportsEveryNumberThatBeginsOthersOfItsCity)
{
    test::TestEnv env;
    ASSERT_TRUE(env.ok());
    Transaction& t = Transaction::main();
    ASSERT_TRUE(t.exec("DELETE FROM dba.ciselnik_ucastniku"));
    ASSERT_TRUE(t.exec("INSERT INTO dba.ciselnik_ucastniku (kod_statu, kod_mesta, Cislo_ucastnika, nazev_ucastnika, Firma) "
                       "VALUES ('420', '2', '12', 'Dvanáct', 'F1'), ('420', '2', '123', 'a', 'b'), "
                       "('420', '2', '1234', 'a', 'b'), ('420', '2', '13', 'a', 'b'), "
                       "('420', '5', '12', 'a', 'b'), ('421', '2', '123', 'a', 'b'), "
                       "('49', '', '', 'prázdné', ''), ('49', '', '7', 'a', 'b'), ('49', '', '8', 'a', 'b')"));
    std::vector<Zaznam_ucastnika> z;
    Test_duplicit test;
    ASSERT_TRUE(test.nacti(z)) << test.chyba().toStdString();
    EXPECT_EQ(hlaseni(z), (QStringList{"420-2-12 3", "420-2-123 2", "49-- 3"}));
    EXPECT_EQ(Test_duplicit::zprava(z[0]), "Telefonní číslo je 3 x v seznamu :\nKód státu :420\nKód města :2\n"
                                           "Číslo účastníka :12\nÚčastník :F1; Dvanáct");
}
