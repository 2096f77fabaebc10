#include "external_directory/vnejsi_seznam.h"

#include "common/knihovna.h"
#include "platform/czech_order.h"
#include "platform/database.h"
#include "platform/unit_of_work.h"
#include "tariffing/vazby_tto.h"

#include <algorithm>

namespace kavro {

namespace {

const QString SqlStatyDomov = QStringLiteral(
    " \tSELECT  ciselnik_statu.kod_statu, \t\tciselnik_statu.nazev_statu, \t\tciselnik_statu.ID_pasma, "
    "\t\t(select count(*) from dba.ciselnik_mest where dba.ciselnik_mest.kod_statu=ciselnik_statu.kod_statu) "
    "\tFROM dba.ciselnik_statu  \tWHERE ciselnik_statu.Kod_statu = ? \tORDER by ciselnik_statu.nazev_statu");
const QString SqlStatyOstatni = QStringLiteral(
    " \tSELECT  ciselnik_statu.kod_statu, \t\tciselnik_statu.nazev_statu, \t\tciselnik_statu.ID_pasma, "
    "\t\t(select count(*) from dba.ciselnik_mest where dba.ciselnik_mest.kod_statu=ciselnik_statu.kod_statu) "
    "\tFROM dba.ciselnik_statu \tWHERE ciselnik_statu.Kod_statu <> ? \tORDER by ciselnik_statu.nazev_statu");
const QString SqlMesta = QStringLiteral(
    " SELECT  kod_mesta, \tkod_statu, \tCISLO_TTO, \tNAZEV_MESTA,\t(select count(*) from dba.ciselnik_ucastniku "
    "where dba.ciselnik_ucastniku.kod_statu=CISELNIK_MEST.kod_statu and "
    "dba.ciselnik_ucastniku.kod_mesta=CISELNIK_MEST.kod_mesta) FROM DBA.CISELNIK_MEST WHERE kod_statu   =? "
    "ORDER BY nazev_mesta ");
const QString SqlUcastnici = QStringLiteral(
    " SELECT  cislo_ucastnika, \tkod_mesta, \tnazev_ucastnika,\tfirma, \tSoukrome FROM DBA.CISELNIK_UCASTNIKU "
    "WHERE kod_statu =? and kod_mesta =? ORDER BY nazev_ucastnika,Firma");

enum Druh { Stat, Mesto, Ucastnik };

} // namespace

struct VnejsiSeznam::Dotazy {
    explicit Dotazy(Transaction& t) : staty(t), mesta(t), ucastnici(t) {}
    Query staty;
    Query mesta;
    Query ucastnici;
};

VnejsiSeznam::VnejsiSeznam(Transaction& t) : m_t(t), m_dotazy(std::make_unique<Dotazy>(t)) {}
VnejsiSeznam::VnejsiSeznam() : VnejsiSeznam(Transaction::main()) {}
VnejsiSeznam::~VnejsiSeznam() = default;

bool VnejsiSeznam::nacti(Query& q, QList<RadekSeznamu>& out, const FDX_Stat& vzor, int druh)
{
    if (!q.run()) {
        m_chyba = q.lastErrorText();
        return false;
    }
    const qsizetype zacatek = out.size();
    for (; !q.atEnd(); q.next()) {
        RadekSeznamu r;
        r.zaznam = vzor;
        FDX_Stat& z = r.zaznam;
        switch (druh) {
        case Stat:
            z.kod_statu = q.value(1);
            z.nazev = q.value(2);
            z.druh = QStringLiteral("S");
            r.ma_potomky = q.value(4) != QLatin1String("0");
            break;
        case Mesto:
            z.kod_mesta = q.value(1);
            z.nazev = q.value(4);
            z.druh = QStringLiteral("M");
            r.ma_potomky = q.value(5) != QLatin1String("0");
            break;
        default:
            z.cislo_ucastnika = q.value(1);
            z.nazev = q.value(3).trimmed();
            z.firma = q.value(4).trimmed();
            z.soukrome = q.value(5);
            z.druh = QStringLiteral("O");
            break;
        }
        out.append(std::move(r));
    }
    q.close();
    // The engine orders texts byte by byte, which puts "Čína" after "Zambie"
    // and "Děčín" after "Domažlice": the rows go in the Czech alphabet's order
    // (czech_order.h), the engine's order kept among equals.
    std::stable_sort(out.begin() + zacatek, out.end(), [](const RadekSeznamu& a, const RadekSeznamu& b) {
        const int c = czechCompare(a.zaznam.nazev, b.zaznam.nazev);
        return c != 0 ? c < 0 : czechCompare(a.zaznam.firma, b.zaznam.firma) < 0;
    });
    return true;
}

bool VnejsiSeznam::nacti_staty(QList<RadekSeznamu>& out)
{
    Query& q = m_dotazy->staty;
    for (const QString& sql : {SqlStatyDomov, SqlStatyOstatni}) {
        q.setSQL(sql);
        q.bind(1, DomovskyStat);
        if (!nacti(q, out, FDX_Stat{}, Stat)) return false;
    }
    return true;
}

bool VnejsiSeznam::nacti_mesta(const QString& kod_statu, QList<RadekSeznamu>& out)
{
    Query& q = m_dotazy->mesta;
    q.setSQL(SqlMesta);
    q.bind(1, kod_statu);
    FDX_Stat vzor;
    vzor.kod_statu = kod_statu;
    return nacti(q, out, vzor, Mesto);
}

bool VnejsiSeznam::nacti_ucastniky(const QString& kod_statu, const QString& kod_mesta, QList<RadekSeznamu>& out)
{
    Query& q = m_dotazy->ucastnici;
    q.setSQL(SqlUcastnici);
    q.bind(1, kod_statu);
    q.bind(2, kod_mesta);
    FDX_Stat vzor;
    vzor.kod_statu = kod_statu;
    vzor.kod_mesta = kod_mesta;
    return nacti(q, out, vzor, Ucastnik);
}

bool VnejsiSeznam::proved(const QString& sql, const QList<QString>& hodnoty, bool* duplicita)
{
    Query q(m_t);
    q.setSQL(sql);
    for (int i = 0; i < hodnoty.size(); ++i) q.bind(i + 1, hodnoty[i]);
    if (q.execute()) return true;
    m_chyba = q.lastErrorText();
    if (duplicita) *duplicita = q.lastErrorIsDuplicateKey();
    return false;
}

namespace {

// One row changed or deleted: none means it is no longer stored.
const QString NeniUlozeno = QStringLiteral("Záznam už v databázi není.");

} // namespace

VysledekZapisu VnejsiSeznam::zmen_ulozeny(const QString& sql, const QList<QString>& hodnoty)
{
    Query q(m_t);
    q.setSQL(sql);
    for (int i = 0; i < hodnoty.size(); ++i) q.bind(i + 1, hodnoty[i]);
    if (!q.execute()) {
        m_chyba = q.lastErrorText();
        return q.lastErrorIsDuplicateKey() ? VysledekZapisu::Duplicita : VysledekZapisu::Chyba;
    }
    if (q.rowCount() == 0) {
        m_chyba = NeniUlozeno;
        return VysledekZapisu::Chyba;
    }
    return VysledekZapisu::Zapsano;
}

bool VnejsiSeznam::domovskeKody(QString& stat, QString& mesto)
{
    MistoUstredny misto;
    QString text;
    if (!nacti_misto(m_t, &misto, &text) && !text.isEmpty()) {
        m_chyba = text;
        return false;
    }
    stat = misto.kod_statu;
    mesto = misto.kod_mesta;
    return true;
}

namespace {

// Runs the statements of one operation inside a savepoint: all or nothing.
template <class F> VysledekZapisu atomicky(Transaction& t, QString& chyba, F&& telo)
{
    Savepoint sp(t);
    if (!sp.ok()) {
        chyba = t.lastErrorText();
        return VysledekZapisu::Chyba;
    }
    const VysledekZapisu v = telo();
    if (v != VysledekZapisu::Zapsano) return v;  // the savepoint undoes what ran
    if (!sp.release()) {
        chyba = t.lastErrorText();
        return VysledekZapisu::Chyba;
    }
    return v;
}

} // namespace

VysledekZapisu VnejsiSeznam::vloz_stat(const FDX_Stat& s)
{
    if (!jen_cislice(s.kod_statu)) return VysledekZapisu::NeniCislo;
    return atomicky(m_t, m_chyba, [&] {
        bool dup = false;
        if (!proved(QStringLiteral("Insert into dba.ciselnik_statu (kod_statu,id_pasma,nazev_statu) "
                                   "Values (?, 9999, ?)"),
                    {s.kod_statu, s.nazev}, &dup))
            return dup ? VysledekZapisu::Duplicita : VysledekZapisu::Chyba;
        return VysledekZapisu::Zapsano;
    });
}

VysledekZapisu VnejsiSeznam::vloz_mesto(const FDX_Stat& m)
{
    if (!jen_cislice(m.kod_mesta)) return VysledekZapisu::NeniCislo;
    return atomicky(m_t, m_chyba, [&] {
        bool dup = false;
        // A city entered here has no exchange area number yet.
        if (!proved(QStringLiteral("Insert into dba.ciselnik_mest (kod_statu,kod_mesta,id_pasma,nazev_mesta,Cislo_TTO) "
                                   "Values (?, ?, 9999, ?, NULL)"),
                    {m.kod_statu, m.kod_mesta, m.nazev}, &dup))
            return dup ? VysledekZapisu::Duplicita : VysledekZapisu::Chyba;
        return VysledekZapisu::Zapsano;
    });
}

VysledekZapisu VnejsiSeznam::vloz_ucastnika(const FDX_Stat& u)
{
    // A "%" or "_" would act as a wildcard where tariffing matches the number as a prefix.
    if (!jen_cislice(u.cislo_ucastnika)) return VysledekZapisu::NeniCislo;
    return atomicky(m_t, m_chyba, [&] {
        bool dup = false;
        if (!proved(QStringLiteral("Insert into dba.ciselnik_ucastniku "
                                   "(kod_statu,kod_mesta,Cislo_ucastnika,nazev_ucastnika,Firma,Soukrome) "
                                   "Values (?, ?, ?, ?, ?, ?)"),
                    {u.kod_statu, u.kod_mesta, u.cislo_ucastnika, u.nazev, u.firma,
                     u.soukrome == QLatin1String("S") ? QStringLiteral("S") : QStringLiteral("F")},
                    &dup))
            return dup ? VysledekZapisu::Duplicita : VysledekZapisu::Chyba;
        return VysledekZapisu::Zapsano;
    });
}

VysledekZapisu VnejsiSeznam::oprav_stat(const FDX_Stat& p, const FDX_Stat& n)
{
    if (!jen_cislice(n.kod_statu)) return VysledekZapisu::NeniCislo;
    const bool novyKod = n.kod_statu != p.kod_statu;
    if (novyKod) {
        QString stat, mesto;
        if (!domovskeKody(stat, mesto)) return VysledekZapisu::Chyba;
        if (!stat.isEmpty() && stat == p.kod_statu) return VysledekZapisu::DomovskyKod;
    }
    return atomicky(m_t, m_chyba, [&] {
        const VysledekZapisu v =
            zmen_ulozeny(QStringLiteral("Update dba.ciselnik_statu set kod_statu = ?, nazev_statu = ? where kod_statu = ?"),
                         {n.kod_statu, n.nazev, p.kod_statu});
        if (v != VysledekZapisu::Zapsano) return v;
        if (!novyKod) return VysledekZapisu::Zapsano;
        bool dup = false;
        for (const char* tabulka : {"ciselnik_mest", "ciselnik_ucastniku", "zlevnene_volani"}) {
            if (!proved(QStringLiteral("Update dba.%1 set kod_statu = ? where kod_statu = ?").arg(QLatin1String(tabulka)),
                        {n.kod_statu, p.kod_statu}, &dup))
                return dup ? VysledekZapisu::Duplicita : VysledekZapisu::Chyba;
        }
        return VysledekZapisu::Zapsano;
    });
}

VysledekZapisu VnejsiSeznam::oprav_mesto(const FDX_Stat& p, const FDX_Stat& n)
{
    if (!jen_cislice(n.kod_mesta)) return VysledekZapisu::NeniCislo;
    const bool novyKod = n.kod_mesta != p.kod_mesta;
    if (novyKod) {
        QString stat, mesto;
        if (!domovskeKody(stat, mesto)) return VysledekZapisu::Chyba;
        if (!stat.isEmpty() && stat == p.kod_statu && mesto == p.kod_mesta) return VysledekZapisu::DomovskyKod;
    }
    return atomicky(m_t, m_chyba, [&] {
        // The city's own zone and exchange area number stay as stored.
        const VysledekZapisu v = zmen_ulozeny(QStringLiteral("Update dba.ciselnik_mest set kod_mesta = ?, nazev_mesta = ? "
                                                             "where kod_mesta = ? and kod_statu = ?"),
                                              {n.kod_mesta, n.nazev, p.kod_mesta, p.kod_statu});
        if (v != VysledekZapisu::Zapsano) return v;
        if (!novyKod) return VysledekZapisu::Zapsano;
        bool dup = false;
        if (!proved(QStringLiteral("Update dba.ciselnik_ucastniku set kod_mesta = ? where kod_statu = ? and kod_mesta = ?"),
                    {n.kod_mesta, p.kod_statu, p.kod_mesta}, &dup))
            return dup ? VysledekZapisu::Duplicita : VysledekZapisu::Chyba;
        return VysledekZapisu::Zapsano;
    });
}

VysledekZapisu VnejsiSeznam::oprav_ucastnika(const FDX_Stat& p, const FDX_Stat& n)
{
    // A number stored with other characters (by an older database or another
    // program) may keep them while its name is corrected; a changed one is digits.
    if (n.cislo_ucastnika != p.cislo_ucastnika && !jen_cislice(n.cislo_ucastnika)) return VysledekZapisu::NeniCislo;
    return atomicky(m_t, m_chyba, [&] {
        return zmen_ulozeny(QStringLiteral("Update dba.ciselnik_ucastniku set Cislo_ucastnika = ?, Firma = ?, "
                                           "nazev_ucastnika = ?, Soukrome = ? "
                                           "where kod_mesta = ? and kod_statu = ? and cislo_ucastnika = ?"),
                            {n.cislo_ucastnika, n.firma, n.nazev,
                             n.soukrome == QLatin1String("S") ? QStringLiteral("S") : QStringLiteral("F"), p.kod_mesta,
                             p.kod_statu, p.cislo_ucastnika});
    });
}

VysledekZapisu VnejsiSeznam::smaz(const QString& sql, const QList<QString>& klic)
{
    return atomicky(m_t, m_chyba, [&] { return zmen_ulozeny(sql, klic); });
}

VysledekZapisu VnejsiSeznam::smaz_stat(const FDX_Stat& s)
{
    return smaz(QStringLiteral("Delete from dba.ciselnik_statu where kod_statu = ?"), {s.kod_statu});
}

VysledekZapisu VnejsiSeznam::smaz_mesto(const FDX_Stat& m)
{
    return smaz(QStringLiteral("Delete from dba.ciselnik_mest where kod_mesta = ? and kod_statu = ?"),
                {m.kod_mesta, m.kod_statu});
}

VysledekZapisu VnejsiSeznam::smaz_ucastnika(const FDX_Stat& u)
{
    return smaz(QStringLiteral("Delete from dba.ciselnik_ucastniku where kod_mesta = ? and kod_statu = ? "
                               "and cislo_ucastnika = ?"),
                {u.kod_mesta, u.kod_statu, u.cislo_ucastnika});
}

QString text_polozky(const FDX_Stat& z)
{
    if (z.druh == QLatin1String("S"))
        return knihovna::uprav_delku(z.nazev, 21) + QLatin1Char('(') + z.kod_statu + QLatin1Char(')');
    if (z.druh == QLatin1String("M"))
        return knihovna::uprav_delku(z.nazev, 26) + QLatin1Char('(') + z.kod_mesta + QLatin1Char(')');
    return knihovna::uprav_delku(z.nazev.trimmed() + QStringLiteral(" - ") + z.firma.trimmed(), 25)
        + QStringLiteral(" - ") + z.cislo_ucastnika;
}

bool jen_cislice(const QString& text)
{
    if (text.isEmpty()) return false;
    for (QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
    return true;
}

QString predvolba_volby(const MistoUstredny& misto, const QString& kod_statu, const QString& kod_mesta)
{
    if (misto.kod_statu.isEmpty()) return {};
    const QString pomlcka = QStringLiteral(" - ");
    if (kod_statu == misto.kod_statu) {
        if (kod_mesta == misto.kod_mesta) return {};
        return misto.mezimestska_predvolba + kod_mesta + pomlcka;
    }
    return misto.mezistatni_predvolba + pomlcka + kod_statu + pomlcka + kod_mesta + pomlcka;
}

} // namespace kavro
