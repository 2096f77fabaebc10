#include "external_directory/nezname_predvolby.h"

#include "platform/database.h"
#include "platform/unit_of_work.h"

namespace kavro {

Nezname_predvolby::Nezname_predvolby(Transaction& t) : m_t(t) {}
Nezname_predvolby::Nezname_predvolby() : m_t(Transaction::main()) {}

bool Nezname_predvolby::nacti_data(std::vector<Struktura_novy_tarif_udaj>& radky)
{
    radky.clear();
    Query q(m_t, QStringLiteral("SELECT hovory.ustredna_datum_a_cas, hovory.ustredna_delka_hovoru, "
                                "hovory.ustredna_volane_cislo, hovory.ustredna_cislo_pobocky, hovory.kod_statu "
                                "FROM dba.hovory WHERE (hovory.kod_statu IS NULL OR hovory.kod_mesta IS NULL) "
                                "AND hovory.typ_hovoru <> 'P' AND hovory.tarifovat_hovor = 1 "
                                "ORDER BY hovory.ustredna_volane_cislo"));
    if (!q.run()) {
        m_chyba = q.lastErrorText();
        return false;
    }
    for (; !q.atEnd(); q.next()) {
        Struktura_novy_tarif_udaj d;
        d.kod_statu = q.value(5);
        d.pobocka = q.value(4);
        d.volane_cislo = q.value(3);
        d.datum_a_cas = q.value(1);
        d.delka = q.value(2);
        radky.push_back(std::move(d));
    }
    return true;
}

QString Nezname_predvolby::Uprav_Item(const Struktura_novy_tarif_udaj& d)
{
    const QString pomlcka = QStringLiteral(" - ");
    return d.pobocka + pomlcka + d.volane_cislo.leftJustified(25, QLatin1Char(' '), true) + pomlcka
        + d.datum_a_cas.left(19) + pomlcka + d.delka;
}

Zapis_statu_mesta::Zapis_statu_mesta(Transaction& t) : m_t(t) {}
Zapis_statu_mesta::Zapis_statu_mesta() : m_t(Transaction::main()) {}

bool Zapis_statu_mesta::volajici(const QString& volane_cislo, Volajici& v)
{
    v = Volajici();
    Query q(m_t, QStringLiteral("SELECT DISTINCT hovory.ustredna_cislo_pobocky, kdo_volal.firma, kdo_volal.oddeleni, "
                                "kdo_volal.Kdo_volal FROM dba.hovory, dba.kdo_volal "
                                "WHERE hovory.ustredna_volane_cislo = ? AND kdo_volal.ID_hovoru = hovory.ID_hovoru"));
    q.bind(1, volane_cislo);
    if (!q.run()) {
        m_zprava = q.lastErrorText();
        return false;
    }
    if (!q.atEnd()) {
        v.firma = q.value(2);
        v.oddeleni = q.value(3);
        v.osoba = q.value(1) + QStringLiteral(" - ") + q.value(4);
    }
    return true;
}

bool Zapis_statu_mesta::nazev_statu(const QString& kod_statu, QString& nazev)
{
    nazev.clear();
    Query q(m_t, QStringLiteral("SELECT nazev_statu FROM dba.ciselnik_statu WHERE kod_statu = ?"));
    q.bind(1, kod_statu);
    if (!q.run()) {
        m_zprava = q.lastErrorText();
        return false;
    }
    if (!q.atEnd()) nazev = q.value(1);
    return true;
}

Zapis_statu_mesta::Vysledek Zapis_statu_mesta::Uloz_vety(bool novy_stat, const QString& kod_statu,
                                                          const QString& stat, const QString& kod_mesta,
                                                          const QString& mesto)
{
    m_zprava.clear();
    const bool vlozit_stat = novy_stat && !stat.isEmpty();
    const bool vlozit_mesto = !mesto.isEmpty();
    if ((vlozit_stat || vlozit_mesto) && kod_statu.isEmpty()) {
        m_zprava = QStringLiteral("Zadejte předvolbu státu.");
        return Vysledek::Odmitnuto;
    }
    if (vlozit_mesto && kod_mesta.isEmpty()) {
        m_zprava = QStringLiteral("Zadejte předvolbu města.");
        return Vysledek::Odmitnuto;
    }
    auto pocet = [this](const QString& sql, const QVariantList& p, qint64& n) {
        Query q(m_t, sql);
        q.bindAll(p);
        if (!q.run()) {
            m_zprava = QStringLiteral("Nepodařilo se přečíst seznam.\n") + q.lastErrorText();
            return false;
        }
        n = q.atEnd() ? 0 : q.intValue(1);
        return true;
    };
    qint64 n = 0;
    if (vlozit_stat) {
        if (!pocet(QStringLiteral("SELECT count(*) FROM dba.ciselnik_statu WHERE kod_statu = ?"), {kod_statu}, n))
            return Vysledek::Chyba;
        if (n > 0) {
            m_zprava = QStringLiteral("Stát s předvolbou %1 už v seznamu je.").arg(kod_statu);
            return Vysledek::Odmitnuto;
        }
    }
    if (vlozit_mesto) {
        if (!pocet(QStringLiteral("SELECT count(*) FROM dba.ciselnik_mest WHERE kod_statu = ? AND kod_mesta = ?"),
                   {kod_statu, kod_mesta}, n))
            return Vysledek::Chyba;
        if (n > 0) {
            m_zprava = QStringLiteral("Město s předvolbou %1 už ve státě %2 v seznamu je.").arg(kod_mesta, kod_statu);
            return Vysledek::Odmitnuto;
        }
    }
    Savepoint sp(m_t);
    Query q(m_t);
    if (vlozit_stat
        && !q.execute(QStringLiteral("INSERT INTO dba.ciselnik_statu (kod_statu, id_pasma, nazev_statu) "
                                     "VALUES (?, '9999', ?)"),
                      {kod_statu, stat})) {
        m_zprava = QStringLiteral("Stát se nepodařilo zapsat.\n") + q.lastErrorText();
        return Vysledek::Chyba;
    }
    if (vlozit_mesto
        && !q.execute(QStringLiteral("INSERT INTO dba.ciselnik_mest (kod_statu, kod_mesta, id_pasma, nazev_mesta, "
                                     "Cislo_TTO) VALUES (?, ?, '9999', ?, '9999')"),
                      {kod_statu, kod_mesta, mesto})) {
        m_zprava = QStringLiteral("Město se nepodařilo zapsat.\n") + q.lastErrorText();
        return Vysledek::Chyba;
    }
    sp.release();
    return Vysledek::Ulozeno;
}

} // namespace kavro
