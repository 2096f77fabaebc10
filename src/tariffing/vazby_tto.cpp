#include "vazby_tto.h"

#include "platform/database.h"
#include "platform/unit_of_work.h"

namespace kavro {

namespace {

bool selhalo(Transaction& t, QString* chyba)
{
    if (chyba) *chyba = t.lastErrorText();
    return false;
}

} // namespace

bool nacti_misto(Transaction& t, MistoUstredny* misto, QString* chyba)
{
    *misto = MistoUstredny{};
    Query q(t);
    q.setSQL(QStringLiteral("SELECT kod_statu, mezistatni_predvolba, mezimestska_predvolba, kod_mesta "
                            "FROM dba.konfigurace_mista"));
    if (!q.run()) {
        if (chyba) *chyba = q.lastErrorText();
        return false;
    }
    if (q.atEnd()) return false;
    misto->kod_statu = q.value(1);
    misto->mezistatni_predvolba = q.value(2);
    misto->mezimestska_predvolba = q.value(3);
    misto->kod_mesta = q.value(4);
    return true;
}

bool uloz_misto(Transaction& t, const MistoUstredny& misto, QString* chyba)
{
    UnitOfWork prace(t);
    const bool ok =
        t.exec(QStringLiteral("DELETE FROM dba.konfigurace_mista"))
        && t.exec(QStringLiteral("INSERT INTO dba.konfigurace_mista "
                                 "(mezistatni_predvolba, mezimestska_predvolba, kod_statu, kod_mesta, ID_mista) "
                                 "VALUES (?, ?, ?, ?, ?)"),
                  {misto.mezistatni_predvolba, misto.mezimestska_predvolba, misto.kod_statu, misto.kod_mesta,
                   QStringLiteral("Výchozí")});
    if (!ok) {
        selhalo(t, chyba);
        prace.rollback();
        return false;
    }
    if (!oprav_vazby_tto(t, misto.kod_statu, chyba)) {
        prace.rollback();
        return false;
    }
    if (!prace.commit()) {
        if (chyba) *chyba = prace.errorText();
        return false;
    }
    return true;
}

bool oprav_vazby_tto(Transaction& t, const QString& kod_statu, QString* chyba)
{
    // The home area: the area number of the stored home city.
    QString tto;
    {
        Query q(t);
        q.setSQL(QStringLiteral("SELECT ciselnik_mest.cislo_tto "
                                "FROM dba.ciselnik_mest, dba.konfigurace_mista konfigurace "
                                "WHERE konfigurace.kod_mesta = ciselnik_mest.kod_mesta "
                                "and konfigurace.kod_statu = ciselnik_mest.kod_statu"));
        if (!q.run()) {
            if (chyba) *chyba = q.lastErrorText();
            return false;
        }
        if (!q.atEnd()) tto = q.value(1);
    }
    // A home city without an area number links to no area (NULL equals nothing;
    // a server refuses '' as a number).
    const QVariant domaci = tto.isEmpty() ? QVariant() : QVariant(tto);

    // Links of an area to itself: zone 2, the home area's zone 1.
    if (!t.exec(QStringLiteral("UPDATE dba.vazba_tto_tto SET id_pasma = '2' "
                               "WHERE vazba_tto_tto.volane_tto = vazba_tto_tto.volajici_tto")))
        return selhalo(t, chyba);
    if (!t.exec(QStringLiteral("UPDATE dba.vazba_tto_tto SET id_pasma = '1' "
                               "WHERE vazba_tto_tto.volane_tto = vazba_tto_tto.volajici_tto "
                               "and vazba_tto_tto.volane_tto = ?"),
                {domaci}))
        return selhalo(t, chyba);

    // Cities of the home state: the zone of the link from the home area. A pair
    // of areas listed twice takes the lower zone instead of failing the statement.
    if (!t.exec(QStringLiteral("UPDATE dba.ciselnik_mest SET id_pasma = coalesce("
                               "(SELECT min(vazba_tto_tto.id_pasma) FROM dba.vazba_tto_tto "
                               "WHERE vazba_tto_tto.volajici_tto = ? "
                               "and vazba_tto_tto.volane_tto = ciselnik_mest.cislo_tto), 9999) "
                               "WHERE ciselnik_mest.kod_statu = ?"),
                {domaci, kod_statu}))
        return selhalo(t, chyba);

    // Without a link, a city's own area number is its zone; a city without an
    // area number stays unassigned (9999).
    if (!t.exec(QStringLiteral("UPDATE dba.ciselnik_mest SET id_pasma = cislo_tto "
                               "WHERE ciselnik_mest.kod_statu = ? and ciselnik_mest.id_pasma = 9999 "
                               "and trim(cast(ciselnik_mest.cislo_tto AS VARCHAR(20))) <> ''"),
                {kod_statu}))
        return selhalo(t, chyba);

    // Only the home city itself is in zone 1.
    if (!t.exec(QStringLiteral("UPDATE dba.ciselnik_mest SET id_pasma = '2' WHERE id_pasma = '1'")))
        return selhalo(t, chyba);
    if (!t.exec(QStringLiteral("UPDATE dba.ciselnik_mest SET id_pasma = '1' "
                               "WHERE ciselnik_mest.kod_statu = ? and ciselnik_mest.kod_mesta = ?"),
                {kod_statu, tto}))
        return selhalo(t, chyba);
    return true;
}

} // namespace kavro
