#include "internal_directory/assignment_history.h"

#include "platform/database.h"

namespace kavro {

AssignmentHistory::AssignmentHistory(Transaction& t) : m_t(t) {}

bool AssignmentHistory::pobocky(QStringList& out)
{
    // Grouped, not DISTINCT: a server sorts a DISTINCT list only by its own column.
    Query q(m_t,
            QStringLiteral("SELECT Cislo_pobocky FROM dba.prirazeni_pobocek WHERE Cislo_pobocky <> '9999' "
                           "GROUP BY Cislo_pobocky ORDER BY Cislo_pobocky COLLATE czech"));
    if (!q.run()) {
        m_chyba = q.lastErrorText();
        return false;
    }
    for (; !q.atEnd(); q.next()) out << q.value(1);
    return true;
}

bool AssignmentHistory::platnosti(const QString& cislo, QList<FDX_udaje_o_osobe_radek>& out)
{
    Query q(m_t, QStringLiteral(
        "SELECT p.Pocatek_platnosti, p.Konec_platnosti, p.ID_firmy, p.ID_Oddeleni, p.ID_Osoby, "
        "'\\\\' || f.nazev_firmy || '\\' || o.nazev_oddeleni || '\\' || s.prijmeni "
        "FROM dba.prirazeni_pobocek p "
        "LEFT OUTER JOIN dba.ciselnik_firem f ON f.ID_Firmy = p.ID_firmy "
        "LEFT OUTER JOIN dba.ciselnik_oddeleni o ON o.ID_Oddeleni = p.ID_Oddeleni "
        "LEFT OUTER JOIN dba.ciselnik_osob s ON s.ID_Osoby = p.ID_Osoby "
        "WHERE p.Cislo_pobocky = ? ORDER BY p.Pocatek_platnosti, p.Konec_platnosti"));
    q.bind(1, cislo);
    if (!q.run()) {
        m_chyba = q.lastErrorText();
        return false;
    }
    for (; !q.atEnd(); q.next())
        out << FDX_udaje_o_osobe_radek{q.value(1), q.value(2), cislo, q.value(3), q.value(4), q.value(5), q.value(6)};
    return true;
}

bool AssignmentHistory::smaz(const FDX_udaje_o_osobe_radek& r, qint64* smazano)
{
    Query q(m_t, QStringLiteral(
        "DELETE FROM dba.prirazeni_pobocek WHERE Pocatek_platnosti = ? AND Konec_platnosti = ? "
        "AND Cislo_pobocky = ? AND ID_firmy = ? AND ID_Oddeleni = ? AND ID_Osoby = ?"));
    // An empty id was read from a NULL, which no comparison matches: the
    // statement then deletes nothing (an empty text would not even be a
    // number to the server).
    const auto id = [](const QString& v) { return v.isEmpty() ? QVariant() : QVariant(v); };
    q.bindAll(
        {r.Pocatek_platnosti, r.Konec_platnosti, r.Cislo_pobocky, id(r.ID_firmy), id(r.ID_oddeleni), id(r.ID_osoby)});
    if (!q.execute()) {
        m_chyba = q.lastErrorText();
        return false;
    }
    if (smazano) *smazano = q.rowCount();
    return true;
}

QString AssignmentHistory::textPlatnosti(const FDX_udaje_o_osobe_radek& r)
{
    return r.Pocatek_platnosti.left(10) + QStringLiteral(" - ") + r.Konec_platnosti.left(10) + QStringLiteral(" : ")
           + r.cesta;
}

} // namespace kavro
