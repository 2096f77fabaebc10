#include "external_directory/test_duplicit.h"

#include "platform/database.h"

namespace kavro {

Test_duplicit::Test_duplicit(Transaction& t) : m_t(t) {}
Test_duplicit::Test_duplicit() : m_t(Transaction::main()) {}

bool Test_duplicit::nacti(std::vector<Zaznam_ucastnika>& zaznamy)
{
    zaznamy.clear();
    Query q(m_t, QStringLiteral("SELECT CU.kod_statu, CU.kod_mesta, CU.cislo_ucastnika, CU.firma, CU.nazev_ucastnika "
                                "FROM dba.ciselnik_ucastniku CU ORDER BY CU.kod_statu, CU.kod_mesta, CU.cislo_ucastnika"));
    if (!q.run()) {
        m_chyba = q.lastErrorText();
        return false;
    }
    for (; !q.atEnd(); q.next())
        zaznamy.push_back({q.value(1), q.value(2), q.value(3), 1, q.value(4) + QStringLiteral("; ") + q.value(5)});
    spocitej(zaznamy);
    return true;
}

void Test_duplicit::spocitej(std::vector<Zaznam_ucastnika>& z)
{
    // In the order of the numbers, the numbers that begin with one entry's
    // number follow it directly, up to the first that does not.
    for (size_t i = 0; i < z.size(); ++i) {
        int pocet = 1;
        for (size_t j = i + 1; j < z.size(); ++j) {
            if (z[j].kod_statu != z[i].kod_statu || z[j].kod_mesta != z[i].kod_mesta
                || !z[j].cislo_ucastnika.startsWith(z[i].cislo_ucastnika))
                break;
            ++pocet;
        }
        z[i].pocet = pocet;
    }
}

QString Test_duplicit::zprava(const Zaznam_ucastnika& z)
{
    return QStringLiteral("Telefonní číslo je %1 x v seznamu :\nKód státu :%2\nKód města :%3\nČíslo účastníka :%4"
                          "\nÚčastník :%5")
        .arg(QString::number(z.pocet), z.kod_statu, z.kod_mesta, z.cislo_ucastnika, z.popis);
}

} // namespace kavro
