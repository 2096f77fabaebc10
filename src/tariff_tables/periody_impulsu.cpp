#include "tariff_tables/periody_impulsu.h"

#include "platform/czech_order.h"
#include "platform/database.h"
#include "platform/unit_of_work.h"

#include <QDate>
#include <QRegularExpression>
#include <algorithm>

namespace kavro {

PeriodyImpulsu::PeriodyImpulsu(Transaction& t, const char* tabulka, const char* sloupec)
    : m_t(t), m_tabulka(QString::fromLatin1(tabulka)), m_sloupec(QString::fromLatin1(sloupec))
{
}

PeriodyImpulsu PeriodyImpulsu::pasma(Transaction& t) { return PeriodyImpulsu(t, "perioda_impulsu", "id_pasma"); }
PeriodyImpulsu PeriodyImpulsu::pasma() { return pasma(Transaction::main()); }
PeriodyImpulsu PeriodyImpulsu::slevy(Transaction& t) { return PeriodyImpulsu(t, "zlevnene_volani", "kod_statu"); }
PeriodyImpulsu PeriodyImpulsu::slevy() { return slevy(Transaction::main()); }

// A statement with the table written as T and the owner column as K.
QString PeriodyImpulsu::t(const char* sql) const
{
    QString s = QString::fromLatin1(sql);
    s.replace(QLatin1String("%T"), QStringLiteral("dba.") + m_tabulka);
    s.replace(QLatin1String("%K"), m_sloupec);
    return s;
}

bool PeriodyImpulsu::cti(const QString& sql, const QVariantList& params, const std::function<void(Query&)>& radek)
{
    Query q(m_t, sql);
    q.bindAll(params);
    if (q.eachRow(radek)) return true;
    m_error = q.lastErrorText();
    return false;
}

bool PeriodyImpulsu::zapis(const std::function<bool(Query&)>& prace)
{
    m_error.clear();
    Savepoint bod(m_t);
    if (!bod.ok()) {
        m_error = m_t.lastErrorText();
        return false;
    }
    Query q(m_t);
    if (!prace(q)) {
        if (m_error.isEmpty()) m_error = q.lastErrorText();
        bod.rollback();
        return false;
    }
    if (!bod.release()) {
        m_error = m_t.lastErrorText();
        return false;
    }
    return true;
}

bool PeriodyImpulsu::nacti_vlastniky(QList<Vlastnik>& out)
{
    out.clear();
    if (m_sloupec == u"id_pasma")
        return cti(QStringLiteral("SELECT p.id_pasma, p.nazev_pasma, p.typ_pasma, "
                                  "EXISTS (SELECT 1 FROM dba.perioda_impulsu i WHERE i.id_pasma = p.id_pasma) "
                                  "FROM dba.ciselnik_pasem p WHERE p.id_pasma <> 9999 ORDER BY p.id_pasma"),
                   {}, [&](Query& q) { out.append({q.value(1), q.value(2), q.value(3), q.intValue(4) != 0}); });
    const bool ok = cti(QStringLiteral("SELECT s.kod_statu, s.nazev_statu FROM dba.ciselnik_statu s "
                              "WHERE EXISTS (SELECT 1 FROM dba.zlevnene_volani z WHERE z.kod_statu = s.kod_statu) "
                              "ORDER BY s.nazev_statu, s.kod_statu"),
               {}, [&](Query& q) { out.append({q.value(1), q.value(2), QString(), true}); });
    // The engine orders names byte by byte ("Čína" after "Zambie"): the states go
    // in the Czech alphabet's order, the engine's order kept among equal names.
    std::stable_sort(out.begin(), out.end(),
                     [](const Vlastnik& a, const Vlastnik& b) { return czechCompare(a.nazev, b.nazev) < 0; });
    return ok;
}

QString PeriodyImpulsu::nazev(const QString& klic)
{
    QString out;
    if (m_sloupec == u"id_pasma")
        cti(QStringLiteral("SELECT nazev_pasma FROM dba.ciselnik_pasem WHERE id_pasma = ?"), {klic},
            [&](Query& q) { out = q.value(1); });
    else
        cti(QStringLiteral("SELECT nazev_statu FROM dba.ciselnik_statu WHERE kod_statu = ?"), {klic},
            [&](Query& q) { out = q.value(1); });
    return out;
}

bool PeriodyImpulsu::nacti_platnosti(const QString& klic, QList<Platnost>& out)
{
    out.clear();
    return cti(t("SELECT DISTINCT pocatek_platnosti, konec_platnosti FROM %T WHERE %K = ? "
                 "ORDER BY pocatek_platnosti, konec_platnosti"),
               {klic}, [&](Query& q) { out.append({q.value(1), q.value(2)}); });
}

bool PeriodyImpulsu::nacti_casy(const QString& klic, const Platnost& p, QList<Cas>& out)
{
    out.clear();
    return cti(t("SELECT od_casu, do_casu, perioda, typ_dne FROM %T WHERE %K = ? AND pocatek_platnosti = ? "
                 "AND konec_platnosti = ? ORDER BY typ_dne, od_casu, do_casu"),
               {klic, p.od, p.do_},
               [&](Query& q) { out.append({q.value(1), q.value(2), q.value(3), int(q.intValue(4))}); });
}

QString PeriodyImpulsu::chyba_platnosti(const Platnost& p)
{
    static const QRegularExpression tvar(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
    for (const QString& d : {p.od, p.do_})
        if (!tvar.match(d).hasMatch() || !QDate::fromString(d, Qt::ISODate).isValid())
            return QStringLiteral("Platnost musí být zadána platnými daty RRRR-MM-DD.");
    if (!(p.od < p.do_)) return QStringLiteral("Počátek platnosti musí předcházet jejímu konci.");
    return QString();
}

QString PeriodyImpulsu::chyba_casu(const Cas& c)
{
    static const QRegularExpression tvar(QStringLiteral("^([01]\\d|2[0-3]):[0-5]\\d:[0-5]\\d$"));
    if (!tvar.match(c.od_casu).hasMatch() || !tvar.match(c.do_casu).hasMatch())
        return QStringLiteral("Časy musí být zadány ve tvaru hh:mm:ss.");
    if (!(c.od_casu < c.do_casu)) return QStringLiteral("Počátek času musí předcházet jeho konci.");
    static const QRegularExpression cislo(QStringLiteral("^\\s*\\d+\\s*$"));
    if (!cislo.match(c.perioda).hasMatch() || c.perioda.trimmed().toLongLong() <= 0)
        return QStringLiteral("Perioda impulsů musí být celý počet vteřin větší než 0.");
    if (c.typ_dne != 1 && c.typ_dne != 2) return QStringLiteral("Neznámý typ dne.");
    return QString();
}

QString PeriodyImpulsu::stejna_platnost(const Platnost& p) const
{
    return QStringLiteral("%1 už má platnost od %2 do %3.")
        .arg(m_sloupec == u"id_pasma" ? QStringLiteral("Pásmo") : QStringLiteral("Stát"), p.od, p.do_);
}

QString PeriodyImpulsu::chyba_nove_platnosti(const QString& klic, const Platnost& p)
{
    const QString proc = chyba_platnosti(p);
    if (!proc.isEmpty()) return proc;
    bool obsazena = false;
    if (!cti(t("SELECT 1 FROM %T WHERE %K = ? AND pocatek_platnosti = ? AND konec_platnosti = ?"), {klic, p.od, p.do_},
             [&](Query&) { obsazena = true; }))
        return m_error;
    return obsazena ? stejna_platnost(p) : QString();
}

bool PeriodyImpulsu::vloz_cas(const QString& klic, const Platnost& p, const Cas& c)
{
    m_error = chyba_platnosti(p);
    if (m_error.isEmpty()) m_error = chyba_casu(c);
    if (!m_error.isEmpty()) return false;
    return zapis([&](Query& q) {
        if (!q.execute(t("INSERT INTO %T (%K, pocatek_platnosti, konec_platnosti, od_casu, do_casu, perioda, typ_dne) "
                         "SELECT ?, ?, ?, ?, ?, ?, ? WHERE NOT EXISTS (SELECT 1 FROM %T WHERE %K = ? "
                         "AND pocatek_platnosti = ? AND konec_platnosti = ? AND od_casu = ? AND do_casu = ? "
                         "AND typ_dne = ?)"),
                       {klic, p.od, p.do_, c.od_casu, c.do_casu, c.perioda.trimmed().toLongLong(), c.typ_dne, klic,
                        p.od, p.do_, c.od_casu, c.do_casu, c.typ_dne}))
            return false;
        if (q.rowCount() == 0) m_error = QStringLiteral("Tento časový úsek už v platnosti je.");
        return q.rowCount() == 1;
    });
}

bool PeriodyImpulsu::uprav_platnost(const QString& klic, const Platnost& stara, const Platnost& nova)
{
    // Moved onto another range's dates, the two ranges' bands would merge into one.
    m_error = nova == stara ? chyba_platnosti(nova) : chyba_nove_platnosti(klic, nova);
    if (!m_error.isEmpty()) return false;
    return zapis([&](Query& q) {
        return q.execute(t("UPDATE %T SET pocatek_platnosti = ?, konec_platnosti = ? WHERE %K = ? "
                           "AND pocatek_platnosti = ? AND konec_platnosti = ?"),
                         {nova.od, nova.do_, klic, stara.od, stara.do_});
    });
}

bool PeriodyImpulsu::uprav_cas(const QString& klic, const Platnost& p, const Cas& stary, const Cas& novy)
{
    m_error = chyba_casu(novy);
    if (!m_error.isEmpty()) return false;
    // A band moved onto the key of another band of the range would make two rows of one key.
    if (novy.od_casu != stary.od_casu || novy.do_casu != stary.do_casu || novy.typ_dne != stary.typ_dne) {
        bool obsazeno = false;
        if (!cti(t("SELECT 1 FROM %T WHERE %K = ? AND pocatek_platnosti = ? AND konec_platnosti = ? "
                   "AND od_casu = ? AND do_casu = ? AND typ_dne = ?"),
                 {klic, p.od, p.do_, novy.od_casu, novy.do_casu, novy.typ_dne}, [&](Query&) { obsazeno = true; }))
            return false;
        if (obsazeno) {
            m_error = QStringLiteral("Tento časový úsek už v platnosti je.");
            return false;
        }
    }
    return zapis([&](Query& q) {
        if (!q.execute(t("UPDATE %T SET od_casu = ?, do_casu = ?, perioda = ?, typ_dne = ? WHERE %K = ? "
                         "AND pocatek_platnosti = ? AND konec_platnosti = ? AND od_casu = ? AND do_casu = ? "
                         "AND typ_dne = ?"),
                       {novy.od_casu, novy.do_casu, novy.perioda.trimmed().toLongLong(), novy.typ_dne, klic, p.od,
                        p.do_, stary.od_casu, stary.do_casu, stary.typ_dne}))
            return false;
        if (q.rowCount() == 0) m_error = QStringLiteral("Časový úsek mezitím zmizel z tabulky.");
        return q.rowCount() > 0;
    });
}

bool PeriodyImpulsu::smaz_platnost(const QString& klic, const Platnost& p)
{
    return zapis([&](Query& q) {
        return q.execute(t("DELETE FROM %T WHERE %K = ? AND pocatek_platnosti = ? AND konec_platnosti = ?"),
                         {klic, p.od, p.do_});
    });
}

bool PeriodyImpulsu::smaz_cas(const QString& klic, const Platnost& p, const Cas& c)
{
    return zapis([&](Query& q) {
        return q.execute(t("DELETE FROM %T WHERE %K = ? AND pocatek_platnosti = ? AND konec_platnosti = ? "
                           "AND od_casu = ? AND do_casu = ? AND typ_dne = ?"),
                         {klic, p.od, p.do_, c.od_casu, c.do_casu, c.typ_dne});
    });
}

bool PeriodyImpulsu::smaz_vlastnika(const QString& klic)
{
    return zapis([&](Query& q) { return q.execute(t("DELETE FROM %T WHERE %K = ?"), {klic}); });
}

bool PeriodyImpulsu::kopiruj(const QString& zdroj, const QString& cil, int* pridano)
{
    if (pridano) *pridano = 0;
    if (zdroj == cil) {
        m_error = QStringLiteral("Stát nelze okopírovat sám pod sebe.");
        return false;
    }
    return zapis([&](Query& q) {
        if (!q.execute(t("INSERT INTO %T (%K, pocatek_platnosti, konec_platnosti, od_casu, do_casu, perioda, typ_dne) "
                         "SELECT ?, z.pocatek_platnosti, z.konec_platnosti, z.od_casu, z.do_casu, z.perioda, z.typ_dne "
                         "FROM %T z WHERE z.%K = ? AND NOT EXISTS (SELECT 1 FROM %T c WHERE c.%K = ? "
                         "AND c.pocatek_platnosti = z.pocatek_platnosti AND c.konec_platnosti = z.konec_platnosti "
                         "AND c.od_casu = z.od_casu AND c.do_casu = z.do_casu AND c.typ_dne = z.typ_dne)"),
                       {cil, zdroj, cil}))
            return false;
        if (pridano) *pridano = int(q.rowCount());
        return true;
    });
}

bool PeriodyImpulsu::prejmenuj_pasmo(const QString& pasmo, const QString& nazev)
{
    return zapis([&](Query& q) {
        if (!q.execute(QStringLiteral("UPDATE dba.ciselnik_pasem SET nazev_pasma = ? WHERE id_pasma = ?"),
                       {nazev, pasmo}))
            return false;
        if (q.rowCount() == 0) m_error = QStringLiteral("Pásmo mezitím zmizelo z tabulky.");
        return q.rowCount() == 1;
    });
}

QString PeriodyImpulsu::text_platnosti(const Platnost& p) { return p.od + QLatin1Char(' ') + p.do_; }

QString PeriodyImpulsu::text_casu(const Cas& c)
{
    return (c.typ_dne == 1 ? QStringLiteral("Všední den : ") : QStringLiteral("Svátek     : ")) + c.od_casu
        + QStringLiteral(" - ") + c.do_casu + QStringLiteral("  ( 1 impuls za ") + c.perioda + QStringLiteral(" s. )");
}

} // namespace kavro
