#include "internal_directory/unassigned_extensions.h"

#include "platform/database.h"
#include "platform/unit_of_work.h"

namespace kavro {

QString NeprirazenyBeh::text() const
{
    return Cislo_pobocky.leftJustified(4) + QStringLiteral(" - ") + od + QStringLiteral(" - ") + do_;
}

UnassignedExtensions::UnassignedExtensions(Transaction& t) : m_t(t) {}

bool UnassignedExtensions::nacti(QList<NeprirazenyBeh>& out)
{
    // The calls are sorted by extension, so each extension's unassigned calls
    // form one run: its first and last call are the group's least and
    // greatest moment. Calls without an extension cannot be placed.
    Query q(m_t, QStringLiteral(
        "SELECT h.ustredna_cislo_pobocky, min(substr(h.ustredna_datum_a_cas, 1, 19)), "
        "max(substr(h.ustredna_datum_a_cas, 1, 19)) "
        "FROM dba.hovory h "
        "WHERE h.ustredna_cislo_pobocky <> '' AND NOT EXISTS (SELECT 1 FROM dba.prirazeni_pobocek p "
        "  WHERE p.Cislo_pobocky = h.ustredna_cislo_pobocky "
        "  AND h.ustredna_datum_a_cas BETWEEN p.Pocatek_platnosti AND p.Konec_platnosti) "
        "GROUP BY h.ustredna_cislo_pobocky ORDER BY h.ustredna_cislo_pobocky"));
    if (!q.run()) {
        m_chyba = q.lastErrorText();
        return false;
    }
    for (; !q.atEnd(); q.next()) out << NeprirazenyBeh{q.value(1), q.value(2), q.value(3)};
    return true;
}

UnassignedExtensions::Zarazeni UnassignedExtensions::zarad(const NeprirazenyBeh& beh)
{
    Savepoint sp(m_t);
    Query jine(m_t, QStringLiteral(
        "SELECT Pocatek_platnosti, Konec_platnosti FROM dba.prirazeni_pobocek "
        "WHERE Cislo_pobocky = ? AND Pocatek_platnosti <= ? AND Konec_platnosti >= ? "
        "ORDER BY Pocatek_platnosti"));
    jine.bindAll({beh.Cislo_pobocky, beh.do_, beh.od});
    if (!sp.ok() || !jine.run()) {
        m_chyba = jine.lastErrorText();
        return Zarazeni::Chyba;
    }
    if (!jine.atEnd()) {
        m_chyba = QStringLiteral("Pobočka č. %1 je v době od %2 do %3 přiřazena i jinam\n(od %4 do %5),\n"
                                 "proto ji nelze zařadit pod ústřednu.")
                      .arg(beh.Cislo_pobocky, beh.od, beh.do_, jine.value(1), jine.value(2));
        return Zarazeni::Prekryti;
    }
    jine.close();
    Query ins(m_t, QStringLiteral(
        "INSERT INTO dba.prirazeni_pobocek (Cislo_pobocky, Pocatek_platnosti, Konec_platnosti, ID_firmy, "
        "ID_Oddeleni, ID_Osoby) VALUES (?, ?, ?, '0', '0', '0')"));
    ins.bindAll({beh.Cislo_pobocky, beh.od, beh.do_});
    if (!ins.execute() || !sp.release()) {
        m_chyba = ins.lastErrorText().isEmpty() ? m_t.lastErrorText() : ins.lastErrorText();
        return Zarazeni::Chyba;
    }
    return Zarazeni::Zarazeno;
}

} // namespace kavro
