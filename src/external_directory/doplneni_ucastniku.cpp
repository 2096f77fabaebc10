#include "external_directory/doplneni_ucastniku.h"

#include "platform/database.h"

namespace kavro {

namespace {

QString doplnDo(const QString& s, int n) { return s.leftJustified(n, QLatin1Char(' '), true); }

} // namespace

Doplneni_ucastniku::Doplneni_ucastniku(Transaction& t) : m_t(t) {}
Doplneni_ucastniku::Doplneni_ucastniku() : m_t(Transaction::main()) {}

bool Doplneni_ucastniku::nacti_konfiguraci()
{
    Query q(m_t, QStringLiteral("SELECT konfigurace.mezistatni_predvolba, konfigurace.mezimestska_predvolba, "
                                "konfigurace.kod_statu, konfigurace.kod_mesta FROM dba.konfigurace_mista konfigurace"));
    if (!q.run()) {
        m_chyba = q.lastErrorText();
        return false;
    }
    // Without a site every number counts as one of another state.
    if (q.atEnd()) nastav_misto({}, {}, {}, {});
    else nastav_misto(q.value(3), q.value(4), q.value(1), q.value(2));
    return true;
}

void Doplneni_ucastniku::nastav_misto(const QString& stat, const QString& mesto, const QString& mezistatni,
                                      const QString& mezimestska)
{
    m_stat = stat;
    m_mesto = mesto;
    m_mezistatni = mezistatni;
    m_mezimestska = mezimestska;
}

QString Doplneni_ucastniku::vypln_cislo(const QString& volane, const QString& kod_statu, const QString& kod_mesta) const
{
    qsizetype odriznout = 0;
    if (!m_stat.isEmpty() && kod_statu == m_stat && kod_mesta == m_mesto) odriznout = 0;
    else if (!m_stat.isEmpty() && kod_statu == m_stat) odriznout = m_mezimestska.size() + kod_mesta.size();
    else odriznout = m_mezistatni.size() + kod_statu.size() + kod_mesta.size();
    if (volane.size() <= odriznout) return QString(QLatin1String(""));
    return volane.mid(odriznout);
}

bool Doplneni_ucastniku::napln(const QString& minimum, std::vector<str_data>& radky)
{
    radky.clear();
    Query q(m_t, QStringLiteral(
                     "SELECT cetnost_volani.ustredna_volane_cislo, cetnost_volani.kod_statu, cetnost_volani.kod_mesta, "
                     "cetnost_volani.pocet, cetnost_volani.stat, cetnost_volani.mesto FROM dba.cetnost_volani "
                     "WHERE cetnost_volani.pocet >= ? AND length(cetnost_volani.ustredna_volane_cislo) > 0 "
                     "ORDER BY cetnost_volani.pocet DESC, cetnost_volani.ustredna_volane_cislo"));
    q.bind(1, minimum.trimmed().toLongLong());
    if (!q.run()) {
        m_chyba = q.lastErrorText();
        return false;
    }
    for (; !q.atEnd(); q.next()) {
        str_data d;
        d.kod_statu = q.value(2);
        d.kod_mesta = q.value(3);
        d.volane_cislo = q.value(1);
        d.cislo_ucastnika = vypln_cislo(d.volane_cislo, d.kod_statu, d.kod_mesta);
        d.pocet = q.value(4);
        d.stat = q.value(5);
        d.mesto = q.value(6);
        radky.push_back(std::move(d));
    }
    return true;
}

QString Doplneni_ucastniku::Uprav_Item(const str_data& d)
{
    if (!d.nazev_ucastnika.isEmpty() || !d.firma.isEmpty())
        return d.cislo_ucastnika + QStringLiteral(" - ") + d.nazev_ucastnika + QStringLiteral(" - ") + d.firma;
    const QString misto = QStringLiteral("\\\\") + d.stat + QLatin1Char('\\') + d.mesto;
    return doplnDo(misto, 40) + QStringLiteral("  ") + doplnDo(d.cislo_ucastnika, 25) + d.pocet;
}

Doplneni_ucastniku::Vysledek_ulozeni Doplneni_ucastniku::uloz_zmeny(const std::vector<const str_data*>& radky)
{
    Vysledek_ulozeni v;
    Query ins(m_t, QStringLiteral("INSERT INTO dba.ciselnik_ucastniku (kod_statu, kod_mesta, Cislo_ucastnika, "
                                  "nazev_ucastnika, Firma) VALUES (?, ?, ?, ?, ?)"));
    for (const str_data* d : radky) {
        if (!d || d->zapsat != 1) continue;
        const QString kdo = d->volane_cislo + QStringLiteral(" (") + d->nazev_ucastnika + QStringLiteral(", ")
            + d->firma + QStringLiteral("): ");
        if (d->cislo_ucastnika.isEmpty()) {
            v.neulozene << kdo + QStringLiteral("číslo účastníka je prázdné");
            continue;
        }
        ins.bindAll({d->kod_statu, d->kod_mesta, d->cislo_ucastnika, d->nazev_ucastnika, d->firma});
        if (ins.execute()) {
            ++v.vlozeno;
        } else if (ins.lastErrorIsDuplicateKey()) {
            v.neulozene << kdo + QStringLiteral("účastník s tímto číslem už v seznamu je");
        } else {
            v.neulozene << kdo + ins.lastErrorText();
            m_chyba = ins.lastErrorText();
        }
    }
    return v;
}

bool Doplneni_ucastniku::volajici(const QString& volane, QStringList& radky)
{
    radky.clear();
    // The number is matched as the beginning of the dialled number; its own
    // characters never act as wildcards.
    QString vzor = volane;
    vzor.replace(QLatin1Char('\\'), QLatin1String("\\\\"))
        .replace(QLatin1Char('%'), QLatin1String("\\%"))
        .replace(QLatin1Char('_'), QLatin1String("\\_"));
    Query q(m_t, QStringLiteral(
                     "SELECT hovory.ustredna_volane_cislo, hovory.ustredna_cislo_pobocky, "
                     "ciselnik_firem.nazev_firmy, ciselnik_oddeleni.nazev_oddeleni, "
                     "TRIM(COALESCE(ciselnik_osob.prijmeni, '') || ' ' || COALESCE(ciselnik_osob.jmeno, '')) AS popis "
                     "FROM dba.hovory, dba.prirazeni_pobocek "
                     "LEFT OUTER JOIN dba.ciselnik_firem ON prirazeni_pobocek.id_firmy = ciselnik_firem.id_firmy "
                     "LEFT OUTER JOIN dba.ciselnik_oddeleni ON prirazeni_pobocek.id_oddeleni = ciselnik_oddeleni.id_oddeleni "
                     "LEFT OUTER JOIN dba.ciselnik_osob ON prirazeni_pobocek.id_osoby = ciselnik_osob.id_osoby "
                     "WHERE hovory.ustredna_cislo_pobocky = prirazeni_pobocek.cislo_pobocky "
                     "AND hovory.ustredna_datum_a_cas BETWEEN prirazeni_pobocek.pocatek_platnosti "
                     "AND prirazeni_pobocek.konec_platnosti AND hovory.program_pocet_impulsu > 0 "
                     "AND hovory.ustredna_volane_cislo LIKE ? ESCAPE '\\' "
                     "GROUP BY hovory.ustredna_volane_cislo, hovory.ustredna_cislo_pobocky, "
                     "ciselnik_firem.nazev_firmy, ciselnik_oddeleni.nazev_oddeleni, popis "
                     "ORDER BY hovory.ustredna_volane_cislo, hovory.ustredna_cislo_pobocky COLLATE czech"));
    q.bind(1, vzor + QLatin1Char('%'));
    if (!q.run()) {
        m_chyba = q.lastErrorText();
        return false;
    }
    for (; !q.atEnd(); q.next())
        radky << q.value(2) + QStringLiteral(":   \\\\") + q.value(3) + QLatin1Char('\\') + q.value(4)
                + QLatin1Char('\\') + q.value(5);
    return true;
}

} // namespace kavro
