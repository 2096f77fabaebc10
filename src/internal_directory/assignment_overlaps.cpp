#include "internal_directory/assignment_overlaps.h"

#include "platform/database.h"

namespace kavro {

AssignmentOverlaps::AssignmentOverlaps(Transaction& t) : m_t(t) {}

bool AssignmentOverlaps::smazNuloveRadky(qint64* smazano)
{
    Query q(m_t, QStringLiteral("DELETE FROM dba.prirazeni_pobocek WHERE Pocatek_platnosti = Konec_platnosti"));
    if (!q.execute()) {
        m_chyba = q.lastErrorText();
        return false;
    }
    if (smazano) *smazano = q.rowCount();
    return true;
}

bool AssignmentOverlaps::otestuj(const std::function<void(const QString&)>& prubeh,
                                 const std::function<void(const ChybnePrirazeni&)>& nalez)
{
    Query q(m_t, QStringLiteral(
        "SELECT p1.Cislo_pobocky, p1.Pocatek_platnosti, p1.Konec_platnosti, "
        "  (SELECT count(*) FROM dba.prirazeni_pobocek p2 "
        "    WHERE p2.Cislo_pobocky = p1.Cislo_pobocky "
        "    AND (p2.ID_firmy <> p1.ID_firmy OR p2.ID_Oddeleni <> p1.ID_Oddeleni) "
        "    AND p1.Pocatek_platnosti < p2.Konec_platnosti AND p1.Konec_platnosti > p2.Pocatek_platnosti) "
        "FROM dba.prirazeni_pobocek p1 "
        "WHERE p1.Cislo_pobocky <> '9999' "
        "ORDER BY p1.Cislo_pobocky, p1.Pocatek_platnosti"));
    if (!q.run()) {
        m_chyba = q.lastErrorText();
        return false;
    }
    // Each number is shown while its rows are walked, until it is reported.
    QString ukazane, nahlasene;
    bool nic = true, zadne_hlaseni = true;
    for (; !q.atEnd(); q.next()) {
        const QString cislo = q.value(1);
        if (nic || cislo != ukazane) {
            ukazane = cislo;
            if (prubeh) prubeh(cislo);
        }
        if (q.intValue(4) != 0 && (zadne_hlaseni || cislo != nahlasene)) {
            nahlasene = cislo;
            zadne_hlaseni = false;
            if (nalez) nalez({cislo, q.value(2), q.value(3)});
        }
        nic = false;
    }
    return true;
}

QString AssignmentOverlaps::zprava(const ChybnePrirazeni& c)
{
    return QStringLiteral("Pobočka č.") + c.Cislo_pobocky
           + QStringLiteral(" je přiřazena \npod více firem nebo oddělení.\n Datum od :") + c.Pocatek_platnosti
           + QStringLiteral("\n Datum do :") + c.Konec_platnosti;
}

} // namespace kavro
