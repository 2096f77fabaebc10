#include "call_deletion.h"

#include "common/datum.h"
#include "platform/database.h"
#include "platform/unit_of_work.h"

namespace kavro {

UlozeneObdobi ulozene_obdobi(Transaction& t)
{
    UlozeneObdobi o;
    Query q(t, QStringLiteral("SELECT date(Min(hovory.ustredna_datum_a_cas)) as od_dne, "
                              "date(Max(hovory.ustredna_datum_a_cas)) as do_dne, count(*) as Pocet "
                              "FROM DBA.hovory hovory"));
    if (q.run() && !q.atEnd()) {
        o.od_dne = q.value(1);
        o.do_dne = q.value(2);
        o.pocet = q.intValue(3);
    }
    q.close();
    return o;
}

qint64 smaz_hovory(Transaction& t, const QString& od, const QString& do_, QString* chyba)
{
    // Whole days: from the first moment of the first day to the last second of the last one.
    cl_Datum datum;
    const QString from = datum.test_datumu(od);
    const QString to = datum.test_datumu(do_) + QStringLiteral(" 23:59:59");
    UnitOfWork prace(t);
    Query q(t);
    if (!q.execute(QStringLiteral("delete from dba.hovory where ustredna_datum_a_cas between ? AND ?"), {from, to})) {
        if (chyba) *chyba = q.lastErrorText();
        prace.rollback();
        return -1;
    }
    const qint64 n = q.rowCount();
    if (!prace.commit()) {
        if (chyba) *chyba = prace.errorText();
        return -1;
    }
    return n;
}

} // namespace kavro
