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
    // An extension's unassigned calls form runs split at its assigned
    // periods: two such calls belong to one run when no row of the number
    // begins between them, that is when the latest row start before each is
    // the same (none for the calls before the first row). Each run lies
    // between assignments, so it can be placed. Calls without an extension
    // cannot be placed.
    Query q(
        m_t,
        QStringLiteral("SELECT x.pobocka, min(x.kdy), max(x.kdy) FROM ("
                       "  SELECT h.ustredna_cislo_pobocky AS pobocka, substr(h.ustredna_datum_a_cas, 1, 19) AS kdy, "
                       "    (SELECT max(p.Pocatek_platnosti) FROM dba.prirazeni_pobocek p "
                       "      WHERE p.Cislo_pobocky = h.ustredna_cislo_pobocky "
                       "      AND p.Pocatek_platnosti < h.ustredna_datum_a_cas) AS obdobi "
                       "  FROM dba.hovory h "
                       "  WHERE h.ustredna_cislo_pobocky <> '' AND NOT EXISTS (SELECT 1 FROM dba.prirazeni_pobocek p "
                       "    WHERE p.Cislo_pobocky = h.ustredna_cislo_pobocky "
                       "    AND h.ustredna_datum_a_cas BETWEEN p.Pocatek_platnosti AND p.Konec_platnosti)) x "
                       "GROUP BY x.pobocka, x.obdobi ORDER BY x.pobocka, min(x.kdy)"));
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
