#include "tariff_tables/seznam_statu.h"

#include "platform/czech_order.h"
#include "platform/database.h"

#include <algorithm>

namespace kavro {

bool nacti_staty(Transaction& t, QList<Stat>* staty, QString* error)
{
    staty->clear();
    Query q(t);
    q.setSQL(QStringLiteral("SELECT ciselnikstatu.kod_statu, ciselnikstatu.nazev_statu\n"
                            "FROM dba.ciselnik_statu ciselnikstatu\n"
                            "ORDER BY ciselnikstatu.nazev_statu\n"));
    if (!q.run()) {
        if (error) *error = q.lastErrorText();
        return false;
    }
    for (; !q.atEnd(); q.next()) staty->append({q.value(1), q.value(2)});
    q.close();
    // The engine orders by code points; the list is read by people.
    std::stable_sort(staty->begin(), staty->end(),
                     [](const Stat& a, const Stat& b) { return czechCompare(a.nazev_statu, b.nazev_statu) < 0; });
    return true;
}

} // namespace kavro
