#include "external_directory/import_vnejsiho_seznamu.h"

#include "external_directory/klasifikace_cisel.h"
#include "platform/database.h"
#include "platform/unit_of_work.h"

namespace kavro {

namespace {

void bindOpt(Query& q, int pos, const std::optional<QString>& v)
{
    if (v) q.bind(pos, *v);
    else q.bindNull(pos);
}

} // namespace

Import_vnejsiho_seznamu::Import_vnejsiho_seznamu(Transaction& t) : m_t(t) {}
Import_vnejsiho_seznamu::Import_vnejsiho_seznamu() : m_t(Transaction::main()) {}

bool Import_vnejsiho_seznamu::nacti_misto()
{
    m_domaci_kod_statu.clear();
    m_domaci_kod_mesta.clear();
    Query q(m_t, QStringLiteral("SELECT konfigurace.mezistatni_predvolba, konfigurace.mezimestska_predvolba, "
                                "konfigurace.kod_statu, konfigurace.kod_mesta FROM dba.konfigurace_mista konfigurace"));
    if (!q.run()) {
        m_chyba = q.lastErrorText();
        return false;
    }
    if (!q.atEnd()) {
        m_domaci_kod_statu = q.value(3);
        m_domaci_kod_mesta = q.value(4);
    }
    return true;
}

bool Import_vnejsiho_seznamu::mistoNastaveno() const
{
    return !m_domaci_kod_statu.isEmpty() && !m_domaci_kod_mesta.isEmpty();
}

bool Import_vnejsiho_seznamu::vyprazdni()
{
    Query q(m_t);
    if (q.execute(QStringLiteral("DELETE FROM dba.p_import_ext_seznamu"))) return true;
    m_chyba = q.lastErrorText();
    return false;
}

Import_vnejsiho_seznamu::Konec Import_vnejsiho_seznamu::Zpracuj_data(const std::vector<Radek_souboru>& radky,
                                                                     const Prubeh& prubeh)
{
    m_chyba.clear();
    Savepoint sp(m_t);
    if (!sp.ok()) {
        m_chyba = m_t.lastErrorText();
        return Konec::Chyba;
    }
    Klasifikace_cisel k(m_domaci_kod_statu, m_domaci_kod_mesta);
    if (!k.nactiAdresar(m_t, &m_chyba) || !vyprazdni()) return Konec::Chyba;

    Query ins(m_t, QStringLiteral("INSERT INTO dba.p_import_ext_seznamu (Volane_cislo, Popis, firma, kod_statu, "
                                  "kod_mesta, kod_volane_cislo, typ_volani) VALUES (?, ?, ?, ?, ?, ?, ?)"));
    const qint64 celkem = qint64(radky.size());
    for (qint64 i = 0; i < celkem; ++i) {
        if (prubeh && !prubeh(i, celkem)) return Konec::Preruseno;
        const Radek_souboru& r = radky[size_t(i)];
        const Klasifikovane_cislo c = k.klasifikuj(r.cislo);
        ins.bind(1, c.volane_cislo);
        ins.bind(2, r.popis);
        ins.bind(3, r.firma);
        bindOpt(ins, 4, c.kod_statu);
        bindOpt(ins, 5, c.kod_mesta);
        bindOpt(ins, 6, c.kod_volane_cislo);
        ins.bind(7, c.typ_volani);
        if (!ins.execute()) {
            m_chyba = ins.lastErrorText();
            return Konec::Chyba;
        }
    }
    // "Přerušit" pressed while the last line was stored still counts.
    if (prubeh && !prubeh(celkem, celkem)) return Konec::Preruseno;
    if (!sp.release()) {
        m_chyba = m_t.lastErrorText();
        return Konec::Chyba;
    }
    return Konec::Hotovo;
}

bool Import_vnejsiho_seznamu::prehled(std::vector<Radek_prehledu>& radky)
{
    radky.clear();
    Query q(m_t, QStringLiteral(
                     "SELECT p.kod_volane_cislo, p.popis, p.kod_statu, s.nazev_statu, m.kod_mesta, m.nazev_mesta, p.firma "
                     "FROM dba.p_import_ext_seznamu p "
                     "LEFT OUTER JOIN dba.ciselnik_statu s ON p.kod_statu = s.kod_statu "
                     "LEFT OUTER JOIN dba.ciselnik_mest m ON p.kod_mesta = m.kod_mesta AND p.kod_statu = m.kod_statu"));
    if (!q.run()) {
        m_chyba = q.lastErrorText();
        return false;
    }
    for (; !q.atEnd(); q.next()) {
        Radek_prehledu r;
        r.data.kod_volane_cislo = q.value(1).trimmed();
        r.data.popis = q.value(2);
        r.data.kod_statu = q.value(3);
        r.nazev_statu = q.value(4);
        r.data.kod_mesta = q.value(5);
        r.nazev_mesta = q.value(6);
        r.data.firma = q.value(7);
        r.ulozit = !r.data.kod_statu.isEmpty() && !r.data.kod_mesta.isEmpty() && !r.data.kod_volane_cislo.isEmpty()
            && (!r.data.popis.isEmpty() || !r.data.firma.isEmpty());
        radky.push_back(std::move(r));
    }
    return true;
}

Import_vnejsiho_seznamu::Vysledek_ulozeni Import_vnejsiho_seznamu::uloz(const std::vector<Data_vety>& polozky,
                                                                         Volba volba, const Dotaz& dotaz,
                                                                         const Prubeh& prubeh)
{
    Vysledek_ulozeni v;
    m_chyba.clear();
    Savepoint sp(m_t);
    if (!sp.ok()) {
        m_chyba = m_t.lastErrorText();
        v.konec = Konec::Chyba;
        return v;
    }
    Query pocet(m_t, QStringLiteral("SELECT count(*) FROM dba.ciselnik_ucastniku WHERE kod_statu = ? AND kod_mesta = ? "
                                    "AND Cislo_ucastnika = ?"));
    Query ins(m_t, QStringLiteral("INSERT INTO dba.ciselnik_ucastniku (kod_statu, kod_mesta, Cislo_ucastnika, "
                                  "nazev_ucastnika, Firma) VALUES (?, ?, ?, ?, ?)"));
    Query upd(m_t, QStringLiteral("UPDATE dba.ciselnik_ucastniku SET Firma = ?, nazev_ucastnika = ? "
                                  "WHERE kod_statu = ? AND kod_mesta = ? AND Cislo_ucastnika = ?"));
    auto odmitnuto = [&v](const Query& q) {
        if (v.chyby++ == 0) v.prvni_chyba = q.lastErrorText();
    };
    const qint64 celkem = qint64(polozky.size());
    // A stopped store keeps nothing of its own: the savepoint undoes it.
    auto preruseno = [&] {
        sp.rollback();
        v = Vysledek_ulozeni();
        v.konec = Konec::Preruseno;
        return v;
    };
    for (qint64 i = 0; i < celkem; ++i) {
        if (prubeh && !prubeh(i, celkem)) return preruseno();
        const Data_vety& d = polozky[size_t(i)];
        pocet.bind(1, d.kod_statu);
        pocet.bind(2, d.kod_mesta);
        pocet.bind(3, d.kod_volane_cislo);
        if (!pocet.run() || pocet.atEnd()) {
            odmitnuto(pocet);
            continue;
        }
        const bool existuje = pocet.intValue(1) > 0;
        pocet.close();
        if (!existuje) {
            ins.bindAll({d.kod_statu, d.kod_mesta, d.kod_volane_cislo, d.popis, d.firma});
            if (ins.execute()) ++v.vlozeno;
            else odmitnuto(ins);
            continue;
        }
        const bool prepsat = volba == Volba::Prepsat || (volba == Volba::Dotaz && dotaz && dotaz(d));
        if (!prepsat) {
            ++v.ponechano;
            continue;
        }
        upd.bindAll({d.firma, d.popis, d.kod_statu, d.kod_mesta, d.kod_volane_cislo});
        if (upd.execute()) ++v.prepsano;
        else odmitnuto(upd);
    }
    if (prubeh && !prubeh(celkem, celkem)) return preruseno();
    if (!sp.release()) {
        m_chyba = m_t.lastErrorText();
        v.konec = Konec::Chyba;
    }
    return v;
}

} // namespace kavro
