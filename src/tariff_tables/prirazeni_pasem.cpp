#include "tariff_tables/prirazeni_pasem.h"

#include "common/knihovna.h"
#include "platform/czech_order.h"
#include "platform/database.h"
#include "platform/unit_of_work.h"

#include <algorithm>
#include <numeric>

namespace kavro {

namespace {

// The engine orders names byte by byte, which puts "Čína" after "Zambie": the
// items from `od` on go in the Czech alphabet's order of their names (`nazvy`,
// one per item), the engine's order kept among equal names.
void podleAbecedy(QList<PrirazeniPasem::Polozka>& out, qsizetype od, const QStringList& nazvy)
{
    if (nazvy.size() != out.size() - od) return;
    std::vector<qsizetype> poradi(size_t(nazvy.size()));
    std::iota(poradi.begin(), poradi.end(), 0);
    std::stable_sort(poradi.begin(), poradi.end(),
                     [&](qsizetype a, qsizetype b) { return czechCompare(nazvy[a], nazvy[b]) < 0; });
    QList<PrirazeniPasem::Polozka> serazene;
    serazene.reserve(nazvy.size());
    for (qsizetype i : poradi) serazene.append(out[od + i]);
    std::copy(serazene.begin(), serazene.end(), out.begin() + od);
}

} // namespace

PrirazeniPasem::PrirazeniPasem(Transaction& t) : m_t(t) {}
PrirazeniPasem::PrirazeniPasem() : m_t(Transaction::main()) {}

QList<PrirazeniPasem::Polozka> PrirazeniPasem::koreny()
{
    QList<Polozka> out;
    const QString texty[] = {QStringLiteral("Vnitrostátní"), QStringLiteral("Ostatní služby"),
                             QStringLiteral("Mezinárodní styk")};
    for (int i = 0; i < 3; ++i) {
        Polozka p;
        p.text = texty[i];
        p.uzel.druh = QStringLiteral("R");
        p.uzel.typ = QString::number(i + 1);
        out.append(p);
    }
    return out;
}

bool PrirazeniPasem::cti(const QString& sql, const QVariantList& params, const std::function<void(Query&)>& radek)
{
    Query q(m_t, sql);
    q.bindAll(params);
    if (q.eachRow(radek)) return true;
    m_error = q.lastErrorText();
    return false;
}

bool PrirazeniPasem::nacti_pasma(const QString& typ, QList<Polozka>& out)
{
    out.clear();
    // Whether a zone holds anything of its kind, told by the database at
    // once, so that empty zones show no expander and are never read again.
    const QString sql = typ == u"3"
        ? QStringLiteral("SELECT p.id_pasma, p.nazev_pasma, p.typ_pasma, "
                         "EXISTS (SELECT 1 FROM dba.ciselnik_statu s WHERE s.id_pasma = p.id_pasma) "
                         "FROM dba.ciselnik_pasem p WHERE p.typ_pasma = ? ORDER BY p.id_pasma")
        : QStringLiteral("SELECT p.id_pasma, p.nazev_pasma, p.typ_pasma, "
                         "EXISTS (SELECT 1 FROM dba.ciselnik_mest m WHERE m.id_pasma = p.id_pasma "
                         "AND m.kod_statu = ?) "
                         "FROM dba.ciselnik_pasem p WHERE p.typ_pasma = ? ORDER BY p.id_pasma");
    const QVariantList params = typ == u"3" ? QVariantList{typ} : QVariantList{DomaciStat, typ};
    return cti(sql, params, [&](Query& q) {
        Polozka p;
        p.text = q.value(2);
        p.uzel.druh = QStringLiteral("P");
        p.uzel.pasmo = q.value(1);
        p.uzel.typ = q.value(3);
        p.uzel.prazdne = q.intValue(4) == 0;
        out.append(p);
    });
}

bool PrirazeniPasem::nacti_staty(const Uzel& pasmo, QList<Polozka>& out)
{
    out.clear();
    QStringList nazvy;
    const bool ok = cti(QStringLiteral("SELECT kod_statu, id_pasma, nazev_statu FROM dba.ciselnik_statu "
                              "WHERE id_pasma = ? ORDER BY nazev_statu, kod_statu"),
               {pasmo.pasmo}, [&](Query& q) {
                   nazvy << q.value(3);
                   Polozka p;
                   p.text = text_statu(q.value(3), q.value(1));
                   p.uzel.druh = QStringLiteral("S");
                   p.uzel.stat = q.value(1);
                   p.uzel.pasmo = q.value(2);
                   p.uzel.typ = pasmo.typ;
                   out.append(p);
               });
    podleAbecedy(out, 0, nazvy);
    return ok;
}

bool PrirazeniPasem::nacti_mesta(const Uzel& pasmo, QList<Polozka>& out)
{
    out.clear();
    QStringList nazvy;
    const bool ok = cti(QStringLiteral("SELECT kod_mesta, kod_statu, nazev_mesta, id_pasma FROM dba.ciselnik_mest "
                              "WHERE kod_statu = ? AND id_pasma = ? ORDER BY nazev_mesta, kod_mesta"),
               {DomaciStat, pasmo.pasmo}, [&](Query& q) {
                   nazvy << q.value(3);
                   Polozka p;
                   p.text = text_mesta(q.value(3), q.value(1));
                   p.uzel.druh = QStringLiteral("M");
                   p.uzel.mesto = q.value(1);
                   p.uzel.stat = q.value(2);
                   p.uzel.pasmo = q.value(4);
                   p.uzel.typ = pasmo.typ;
                   out.append(p);
               });
    podleAbecedy(out, 0, nazvy);
    return ok;
}

bool PrirazeniPasem::nacti_neprirazene(QList<Polozka>& out)
{
    out.clear();
    QStringList nazvy;
    const bool staty = cti(QStringLiteral("SELECT kod_statu, id_pasma, nazev_statu FROM dba.ciselnik_statu "
                                          "WHERE id_pasma = 9999 ORDER BY nazev_statu, kod_statu"),
                           {}, [&](Query& q) {
                               nazvy << q.value(3);
                               Polozka p;
                               p.text = text_statu(q.value(3), q.value(1));
                               p.uzel.druh = QStringLiteral("S");
                               p.uzel.stat = q.value(1);
                               p.uzel.pasmo = q.value(2);
                               out.append(p);
                           });
    podleAbecedy(out, 0, nazvy);
    if (!staty) return false;
    const qsizetype mesta = out.size();
    nazvy.clear();
    const bool ok = cti(QStringLiteral("SELECT kod_mesta, kod_statu, nazev_mesta, id_pasma FROM dba.ciselnik_mest "
                              "WHERE id_pasma = 9999 AND kod_statu = ? ORDER BY nazev_mesta, kod_mesta"),
               {DomaciStat}, [&](Query& q) {
                   nazvy << q.value(3);
                   Polozka p;
                   p.text = q.value(3);
                   p.uzel.druh = QStringLiteral("M");
                   p.uzel.mesto = q.value(1);
                   p.uzel.stat = q.value(2);
                   p.uzel.pasmo = q.value(4);
                   out.append(p);
               });
    podleAbecedy(out, mesta, nazvy);
    return ok;
}

QString PrirazeniPasem::text_statu(const QString& nazev, const QString& kod)
{
    return nazev + QStringLiteral("   (") + knihovna::uprav_delku(kod + QLatin1Char(')'), 6);
}

QString PrirazeniPasem::text_mesta(const QString& nazev, const QString& kod)
{
    return knihovna::uprav_delku(nazev, 25) + QLatin1Char('(') + kod + QLatin1Char(')');
}

QString PrirazeniPasem::cast_cesty(const QString& text)
{
    const int i = text.indexOf(QStringLiteral("   "));
    return i < 0 ? text : text.left(i);
}

bool PrirazeniPasem::prijmout(const Uzel& tazeny, bool z_neprirazenych, const Uzel& cil, const Uzel& pasmo)
{
    if (pasmo.druh != u"P") return false;  // roots take nothing
    if (cil.druh != u"P" && cil.druh != tazeny.druh) return false;
    if (z_neprirazenych) {
        if (cil.druh != u"P") return false;
        if (tazeny.druh == u"M") return pasmo.typ != u"3";
        if (tazeny.druh == u"S") return pasmo.typ != u"1";
        return false;
    }
    // Inside the zone tree only the states of international zones and the
    // cities of domestic zones move.
    if (tazeny.druh == u"S") return tazeny.typ == u"3";
    if (tazeny.druh == u"M") return tazeny.typ == u"1";
    return false;
}

bool PrirazeniPasem::zapis(const Uzel& uzel)
{
    Savepoint bod(m_t);
    if (!bod.ok()) {
        m_error = m_t.lastErrorText();
        return false;
    }
    Query q(m_t);
    bool ok = false;
    if (uzel.druh == u"S") {
        // The state's zone, then the zone of its own cities; the home
        // state's cities keep the zones they were given one by one.
        ok = q.execute(QStringLiteral("UPDATE dba.ciselnik_statu SET id_pasma = ? WHERE kod_statu = ?"),
                       {uzel.pasmo, uzel.stat})
            && q.rowCount() == 1;
        if (ok && uzel.stat != DomaciStat)
            ok = q.execute(QStringLiteral("UPDATE dba.ciselnik_mest SET id_pasma = ? WHERE kod_statu = ? "
                                          "AND kod_statu NOT IN (SELECT kod_statu FROM dba.konfigurace_mista "
                                          "WHERE kod_statu IS NOT NULL)"),
                           {uzel.pasmo, uzel.stat});
    } else if (uzel.druh == u"M") {
        ok = q.execute(QStringLiteral("UPDATE dba.ciselnik_mest SET id_pasma = ? WHERE kod_statu = ? AND kod_mesta = ?"),
                       {uzel.pasmo, uzel.stat, uzel.mesto})
            && q.rowCount() == 1;
    }
    if (!ok) {
        m_error = q.lastErrorText().isEmpty() ? QStringLiteral("Záznam mezitím zmizel z tabulky.") : q.lastErrorText();
        bod.rollback();
        return false;
    }
    if (!bod.release()) {
        m_error = m_t.lastErrorText();
        return false;
    }
    return true;
}

} // namespace kavro
