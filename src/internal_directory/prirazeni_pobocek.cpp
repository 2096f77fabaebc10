#include "internal_directory/prirazeni_pobocek.h"

#include "platform/czech_order.h"
#include "platform/database.h"

#include <algorithm>

namespace kavro {

namespace {

const QString Nic = QStringLiteral("0");
const QString Neplati = QStringLiteral("9999");

bool jeCislo(const QString& cislo)
{
    return !cislo.isEmpty() && cislo != Nic && cislo != Neplati;
}

// The engine orders names byte by byte, which puts "Čermák" after "Zeman":
// the nodes go in the Czech order (czech_order.h), the engine's order kept
// among equal names.
void podleAbecedy(QList<Struct_std>& uzly, QStringList (*klic)(const Struct_std&))
{
    std::stable_sort(uzly.begin(), uzly.end(), [&](const Struct_std& a, const Struct_std& b) {
        const QStringList ka = klic(a), kb = klic(b);
        for (qsizetype i = 0; i < ka.size(); ++i)
            if (const int c = czechCompare(ka[i], kb[i])) return c < 0;
        return false;
    });
}

} // namespace

PrirazeniPobocek::PrirazeniPobocek(Transaction& t) : m_t(t) {}

bool PrirazeniPobocek::exec(const QString& sql, const QVariantList& params)
{
    Query q(m_t);
    if (q.execute(sql, params)) return true;
    m_chyba = q.lastErrorText();
    return false;
}

// ---------------------------------------------------------------- reads

QList<Struct_std> PrirazeniPobocek::nacti_firmy(const QString& okamzik)
{
    QList<Struct_std> vysledek;
    Query q(m_t);
    // Every row of the firm valid at the moment counts; the firm's own row
    // is one of them, so a firm with nothing below it has no expand button.
    q.setSQL(QStringLiteral(
        "SELECT CF.ID_FIRMY, CF.NAZEV_FIRMY, CF.Utvar, CF.Ulice, CF.PSC, CF.Obec, CF.ICO, CF.DIC,"
        " CF.procentualni_navyseni, CF.Pausalni_poplatek, count(PP.id_oddeleni)-1"
        " FROM dba.ciselnik_firem CF, dba.prirazeni_pobocek PP"
        " WHERE ? BETWEEN PP.Pocatek_platnosti AND PP.Konec_platnosti AND CF.ID_Firmy = PP.ID_FIRMY"
        " GROUP BY CF.ID_FIRMY, CF.NAZEV_FIRMY, CF.Utvar, CF.Ulice, CF.PSC, CF.Obec, CF.ICO, CF.DIC,"
        " CF.procentualni_navyseni, CF.Pausalni_poplatek ORDER BY CF.NAZEV_FIRMY, CF.ID_FIRMY"));
    q.bind(1, okamzik);
    if (!q.run()) { m_chyba = q.lastErrorText(); return vysledek; }
    for (; !q.atEnd(); q.next()) {
        Struct_std r;
        r.typ = QStringLiteral("F");
        r.ID_firmy = q.value(1);
        r.ID_oddeleni = r.ID_osoby = r.Cislo_pobocky = Nic;
        r.prevezmi_klic();
        r.Pocatek_platnosti = r.Konec_platnosti = Nic;
        r.zobrazeno_k = okamzik;
        r.firma = {q.value(2), q.value(3), q.value(4), q.value(5), q.value(6), q.value(7), q.value(8), q.value(9), q.value(10)};
        r.ma_potomky = q.value(11) != Nic;
        r.nacteno = !r.ma_potomky;
        r.menu = Nabidka::p_firma;
        vysledek.append(r);
    }
    podleAbecedy(vysledek, [](const Struct_std& r) { return QStringList{r.firma.nazev}; });
    return vysledek;
}

QList<Struct_std> PrirazeniPobocek::nacti_oddeleni_firmy(const Struct_std& firma, const QString& okamzik)
{
    QList<Struct_std> vysledek;
    Query q(m_t);
    q.setSQL(QStringLiteral(
        "SELECT PP.ID_ODDELENI, CO.NAZEV_ODDELENI, PP.Pocatek_platnosti, PP.Konec_platnosti, count(*)"
        " FROM dba.ciselnik_oddeleni CO, dba.prirazeni_pobocek PP"
        " WHERE PP.ID_FIRMY = ? AND ? BETWEEN PP.Pocatek_platnosti AND PP.Konec_platnosti"
        " AND CO.ID_Oddeleni = PP.ID_Oddeleni AND PP.ID_Osoby = 9999"
        " GROUP BY PP.ID_FIRMY, PP.ID_ODDELENI, CO.NAZEV_ODDELENI, PP.Pocatek_platnosti, PP.Konec_platnosti"
        " ORDER BY CO.NAZEV_ODDELENI, PP.ID_ODDELENI"));
    q.bind(1, firma.ID_firmy);
    q.bind(2, okamzik);
    if (!q.run()) { m_chyba = q.lastErrorText(); return vysledek; }
    for (; !q.atEnd(); q.next()) {
        Struct_std r;
        r.typ = QStringLiteral("S");
        r.ID_firmy = firma.ID_firmy;
        r.ID_oddeleni = q.value(1);
        r.ID_osoby = r.Cislo_pobocky = Nic;
        r.prevezmi_klic();
        r.oddeleni.nazev = q.value(2);
        r.Pocatek_platnosti = q.value(3);
        r.Konec_platnosti = q.value(4);
        r.platnost_radku = true;
        r.zobrazeno_k = okamzik;
        r.ma_potomky = q.value(5) != Nic;  // never 0: every department can be opened
        r.nacteno = !r.ma_potomky;
        r.Dohled = QStringLiteral("-");
        r.menu = Nabidka::p_oddeleni;
        vysledek.append(r);
    }
    podleAbecedy(vysledek, [](const Struct_std& r) { return QStringList{r.oddeleni.nazev}; });
    return vysledek;
}

QList<Struct_std> PrirazeniPobocek::nacti_osoby_oddeleni(const Struct_std& rodic, int pohled, const QString& okamzik)
{
    QList<Struct_std> vysledek;
    Query q(m_t);
    if (pohled == 2) {
        // The holders of an extension in its department.
        q.setSQL(QStringLiteral(
            "SELECT CO.ID_Osoby, CO.jmeno, CO.prijmeni, CO.TITUL, CO.Funkce, CO.Poznamka,"
            " PP.Pocatek_platnosti, PP.Konec_platnosti, PP.Dohled"
            " FROM dba.prirazeni_pobocek PP, dba.ciselnik_osob CO"
            " WHERE PP.ID_Firmy = ? AND PP.ID_Oddeleni = ? AND PP.Cislo_pobocky = ?"
            " AND ? BETWEEN PP.Pocatek_platnosti AND PP.Konec_platnosti AND PP.ID_Osoby = CO.ID_Osoby"
            " ORDER BY CO.prijmeni, CO.jmeno"));
        q.bind(1, rodic.ID_firmy);
        q.bind(2, rodic.ID_oddeleni);
        q.bind(3, rodic.Cislo_pobocky);
        q.bind(4, okamzik);
    } else {
        // The persons of a department with any row valid at the moment; the
        // count says whether they hold an extension.
        q.setSQL(QStringLiteral(
            "SELECT CO.ID_Osoby, CO.jmeno, CO.prijmeni, CO.TITUL, CO.Funkce, CO.Poznamka, count(*)-1"
            " FROM dba.ciselnik_osob CO, dba.prirazeni_pobocek PP"
            " WHERE CO.ID_Firmy = ? AND CO.ID_Oddeleni = ?"
            " AND ? BETWEEN PP.Pocatek_platnosti AND PP.Konec_platnosti AND PP.ID_Osoby = CO.ID_Osoby"
            " GROUP BY CO.ID_Osoby, CO.jmeno, CO.prijmeni, CO.TITUL, CO.Funkce, CO.Poznamka"
            " ORDER BY CO.prijmeni, CO.jmeno"));
        q.bind(1, rodic.ID_firmy);
        q.bind(2, rodic.ID_oddeleni);
        q.bind(3, okamzik);
    }
    if (!q.run()) { m_chyba = q.lastErrorText(); return vysledek; }
    for (; !q.atEnd(); q.next()) {
        Struct_std r;
        r.typ = QStringLiteral("O");
        r.ID_firmy = rodic.ID_firmy;
        r.ID_oddeleni = rodic.ID_oddeleni;
        r.ID_osoby = q.value(1);
        r.osoba = {q.value(3), q.value(2), q.value(4), q.value(5), q.value(6)};
        r.zobrazeno_k = okamzik;
        if (pohled == 2) {
            r.Cislo_pobocky = rodic.Cislo_pobocky;
            r.Pocatek_platnosti = q.value(7);
            r.Konec_platnosti = q.value(8);
            r.platnost_radku = true;
            r.Dohled = q.value(9);
            r.ma_potomky = false;
            r.menu = Nabidka::p_osoba_2;
        } else {
            r.Cislo_pobocky = Nic;
            r.Pocatek_platnosti = QStringLiteral("1900-01-01 00:00:00");
            r.Konec_platnosti = QStringLiteral("9999-01-01 00:00:00");
            r.Dohled = QStringLiteral("-");
            r.ma_potomky = q.value(7) != Nic;
            r.menu = Nabidka::p_osoba;
        }
        r.prevezmi_klic();
        r.nacteno = !r.ma_potomky;
        vysledek.append(r);
    }
    podleAbecedy(vysledek, [](const Struct_std& r) { return QStringList{r.osoba.prijmeni, r.osoba.jmeno}; });
    return vysledek;
}

QList<Struct_std> PrirazeniPobocek::prirad_pobocky(const Struct_std& rodic, int pohled, const QString& okamzik)
{
    QList<Struct_std> vysledek;
    Query q(m_t);
    const bool skupiny = pohled == 2;
    if (!skupiny) {
        q.setSQL(QStringLiteral(
            "SELECT Cislo_pobocky, Pocatek_platnosti, Konec_platnosti, ID_Osoby, ID_firmy, ID_Oddeleni, Dohled"
            " FROM dba.prirazeni_pobocek"
            " WHERE ID_Osoby = ? AND ID_Oddeleni = ? AND ID_firmy = ? AND Cislo_pobocky <> '9999'"
            " AND ? BETWEEN Pocatek_platnosti AND Konec_platnosti ORDER BY Cislo_pobocky COLLATE czech"));
        q.bind(1, rodic.ID_osoby);
        q.bind(2, rodic.ID_oddeleni);
        q.bind(3, rodic.ID_firmy);
        q.bind(4, okamzik);
    } else {
        // One node per number, whoever holds it in the department.
        q.setSQL(
            QStringLiteral("SELECT Cislo_pobocky, count(*) FROM dba.prirazeni_pobocek"
                           " WHERE ID_Oddeleni = ? AND ID_firmy = ? AND ? BETWEEN Pocatek_platnosti AND Konec_platnosti"
                           " AND Cislo_pobocky <> '9999' GROUP BY Cislo_pobocky ORDER BY Cislo_pobocky COLLATE czech"));
        q.bind(1, rodic.ID_oddeleni);
        q.bind(2, rodic.ID_firmy);
        q.bind(3, okamzik);
    }
    if (!q.run()) { m_chyba = q.lastErrorText(); return vysledek; }
    const bool podOddelenim = rodic.typ == QLatin1String("S");
    for (; !q.atEnd(); q.next()) {
        Struct_std r;
        r.typ = QStringLiteral("T");
        r.Cislo_pobocky = q.value(1);
        r.zobrazeno_k = okamzik;
        if (!skupiny) {
            r.Pocatek_platnosti = q.value(2);
            r.Konec_platnosti = q.value(3);
            r.platnost_radku = true;
            r.ID_osoby = q.value(4);
            r.ID_firmy = q.value(5);
            r.ID_oddeleni = q.value(6);
            r.Dohled = q.value(7);
            r.menu = Nabidka::p_pobocka;
        } else {
            r.ID_firmy = rodic.ID_firmy;
            r.ID_oddeleni = rodic.ID_oddeleni;
            r.ID_osoby = Nic;
            r.Dohled = Nic;
            r.ma_potomky = podOddelenim;  // under a department it opens to its holders
            r.skupina = podOddelenim;
            r.menu = podOddelenim ? Nabidka::p_pobocka_2 : Nabidka::p_pobocka;
        }
        r.prevezmi_klic();
        r.nacteno = !r.ma_potomky;
        vysledek.append(r);
    }
    return vysledek;
}

QList<Struct_std> PrirazeniPobocek::volne_pobocky(const QString& okamzik)
{
    QList<Struct_std> vysledek;
    Query q(m_t);
    q.setSQL(QStringLiteral("SELECT Cislo_pobocky, Pocatek_platnosti, Konec_platnosti FROM dba.prirazeni_pobocek"
                            " WHERE ID_Osoby = 9999 AND ID_Oddeleni = 9999 AND ID_firmy = 9999"
                            " AND ? BETWEEN Pocatek_platnosti AND Konec_platnosti ORDER BY Cislo_pobocky COLLATE "
                            "czech, Pocatek_platnosti"));
    q.bind(1, okamzik);
    if (!q.run()) { m_chyba = q.lastErrorText(); return vysledek; }
    for (; !q.atEnd(); q.next()) {
        Struct_std r;
        r.typ = QStringLiteral("T");
        r.Cislo_pobocky = q.value(1);
        r.ID_firmy = r.ID_oddeleni = r.ID_osoby = Neplati;
        r.prevezmi_klic();
        r.Pocatek_platnosti = q.value(2);
        r.Konec_platnosti = q.value(3);
        r.platnost_radku = true;
        r.zobrazeno_k = okamzik;
        r.Dohled = Nic;
        r.nacteno = true;
        r.menu = Nabidka::p_pobocka;
        vysledek.append(r);
    }
    return vysledek;
}

// ---------------------------------------------------------------- writes

QString PrirazeniPobocek::novy_klic(Transaction& t, const QString& tabulka, const QString& sloupec, QString* chyba)
{
    // Right after the insert, on the same unit of work: the writer holds the
    // database's write lock, so the greatest key is the one just generated.
    const QString max = QStringLiteral("SELECT max(%1) FROM dba.%2").arg(sloupec, tabulka);
    QString klic = t.scalar(max);
    if (klic == Neplati || klic == Nic) {
        // 9999 and 0 mean "no level" in the assignment rows: move on past them.
        Query q(t);
        if (!q.execute(QStringLiteral("UPDATE dba.%2 SET %1 = (SELECT max(%1) + 1 FROM dba.%2) WHERE %1 = ?")
                           .arg(sloupec, tabulka),
                       {klic})) {
            if (chyba) *chyba = q.lastErrorText();
            return {};
        }
        klic = t.scalar(max);
    }
    if (klic.isEmpty() && chyba) *chyba = t.lastErrorText();
    return klic;
}

bool PrirazeniPobocek::platne_cislo(const QString& cislo)
{
    if (cislo.isEmpty() || cislo == Neplati) return false;
    bool nula = true;
    for (const QChar c : cislo) {
        if (c < u'0' || c > u'9') return false;
        if (c != u'0') nula = false;
    }
    return !nula;
}

QString PrirazeniPobocek::textNeplatneCislo()
{
    return QStringLiteral("Číslo linky smí obsahovat jen číslice a nesmí být 0 ani 9999.");
}

bool PrirazeniPobocek::vloz_radek(const QString& od, const QString& do_, const QString& firma,
                                  const QString& oddeleni, const QString& osoba, const QString& cislo)
{
    return exec(QStringLiteral("INSERT INTO dba.prirazeni_pobocek"
                               " (Pocatek_platnosti, Konec_platnosti, ID_firmy, ID_Oddeleni, ID_Osoby, Cislo_pobocky)"
                               " VALUES (?, ?, ?, ?, ?, ?)"),
                {od, do_, firma, oddeleni, osoba, cislo});
}

PrirazeniPobocek::Vysledek PrirazeniPobocek::Vloz_novou_vetu(Struct_std& r)
{
    m_chyba.clear();
    const QString& od = r.Pocatek_platnosti;
    const QString& do_ = r.Konec_platnosti;
    if (r.typ == QLatin1String("F")) {
        const Udaje_firmy& f = r.firma;
        if (!exec(QStringLiteral("INSERT INTO dba.ciselnik_firem (nazev_firmy, utvar, ulice, PSC, obec, ICO, DIC,"
                                 " procentualni_navyseni, pausalni_poplatek) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                  {f.nazev, f.utvar, f.ulice, f.psc, f.obec, f.ico, f.dic,
                   f.procentualni_navyseni.isEmpty() ? QVariant() : QVariant(f.procentualni_navyseni),
                   f.pausalni_poplatek.isEmpty() ? QVariant() : QVariant(f.pausalni_poplatek)}))
            return Vysledek::Chyba;
        const QString id = novy_klic(QStringLiteral("ciselnik_firem"), QStringLiteral("ID_Firmy"));
        if (id.isEmpty() || !vloz_radek(od, do_, id, Neplati, Neplati, Neplati)) return Vysledek::Chyba;
        r.ID_firmy = id;
    } else if (r.typ == QLatin1String("S")) {
        if (!exec(QStringLiteral("INSERT INTO dba.ciselnik_oddeleni (nazev_oddeleni, ID_Firmy) VALUES (?, ?)"),
                  {r.oddeleni.nazev, r.ID_firmy}))
            return Vysledek::Chyba;
        const QString id = novy_klic(QStringLiteral("ciselnik_oddeleni"), QStringLiteral("ID_Oddeleni"));
        if (id.isEmpty() || !vloz_radek(od, do_, r.ID_firmy, id, Neplati, Neplati)) return Vysledek::Chyba;
        r.ID_oddeleni = id;
    } else if (r.typ == QLatin1String("O")) {
        const Udaje_osoby& o = r.osoba;
        if (!exec(QStringLiteral("INSERT INTO dba.ciselnik_osob (prijmeni, jmeno, titul, Poznamka, ID_Firmy, ID_Oddeleni,"
                                 " Funkce) VALUES (?, ?, ?, ?, ?, ?, ?)"),
                  {o.prijmeni, o.jmeno, o.titul, o.poznamka, r.ID_firmy, r.ID_oddeleni, o.funkce}))
            return Vysledek::Chyba;
        const QString id = novy_klic(QStringLiteral("ciselnik_osob"), QStringLiteral("ID_Osoby"));
        if (id.isEmpty() || !vloz_radek(od, do_, r.ID_firmy, r.ID_oddeleni, id, Neplati)) return Vysledek::Chyba;
        r.ID_osoby = id;
        if (jeCislo(r.Cislo_pobocky)) {
            // A person given an extension: the person's row of the number; the
            // department's own row of it, still valid after the start, passes
            // to the person then. Nothing ended before is reopened.
            if (!vloz_radek(od, do_, r.ID_firmy, r.ID_oddeleni, id, r.Cislo_pobocky)) return Vysledek::Chyba;
            if (!exec(QStringLiteral("UPDATE dba.prirazeni_pobocek SET Konec_platnosti = ?"
                                     " WHERE ID_Osoby = 0 AND Cislo_pobocky = ? AND ID_firmy = ? AND ID_Oddeleni = ?"
                                     " AND Konec_platnosti > ? AND Pocatek_platnosti <= ?"),
                      {od, r.Cislo_pobocky, r.ID_firmy, r.ID_oddeleni, od, od}))
                return Vysledek::Chyba;
        }
    } else if (r.typ == QLatin1String("T")) {
        if (!jeCislo(r.Cislo_pobocky)) {
            m_chyba = QStringLiteral("Číslo pobočky nesmí být prázdné, 0 ani 9999.");
            return Vysledek::Chyba;
        }
        const int n = obsazeno_po(r.Cislo_pobocky, od);
        if (n < 0) return Vysledek::Chyba;
        if (n > 0) return Vysledek::Obsazeno;
        if (!vloz_radek(od, do_, r.ID_firmy, r.ID_oddeleni, r.ID_osoby, r.Cislo_pobocky)) return Vysledek::Chyba;
    } else {
        m_chyba = QStringLiteral("Tento uzel se neukládá.");
        return Vysledek::Chyba;
    }
    r.prevezmi_klic();
    r.platnost_radku = true;
    r.zobrazeno_k = od;
    return Vysledek::Ulozeno;
}

bool PrirazeniPobocek::Uprav_vetu(Struct_std& r, const QString& pocatek_puv)
{
    m_chyba.clear();
    if (r.typ == QLatin1String("F")) {
        const Udaje_firmy& f = r.firma;
        return exec(QStringLiteral("UPDATE dba.ciselnik_firem SET nazev_firmy = ?, utvar = ?, ulice = ?, PSC = ?,"
                                   " obec = ?, ICO = ?, DIC = ?, procentualni_navyseni = ?, pausalni_poplatek = ?"
                                   " WHERE ID_Firmy = ?"),
                    {f.nazev, f.utvar, f.ulice, f.psc, f.obec, f.ico, f.dic,
                     f.procentualni_navyseni.isEmpty() ? QVariant() : QVariant(f.procentualni_navyseni),
                     f.pausalni_poplatek.isEmpty() ? QVariant() : QVariant(f.pausalni_poplatek), r.ID_firmy_puv});
    }
    if (r.typ == QLatin1String("S"))
        return exec(QStringLiteral("UPDATE dba.ciselnik_oddeleni SET nazev_oddeleni = ? WHERE ID_Oddeleni = ?"),
                    {r.oddeleni.nazev, r.ID_oddeleni_puv});
    if (r.typ == QLatin1String("O")) {
        const Udaje_osoby& o = r.osoba;
        return exec(QStringLiteral("UPDATE dba.ciselnik_osob SET ID_Firmy = ?, ID_Oddeleni = ?, prijmeni = ?, jmeno = ?,"
                                   " titul = ?, Funkce = ?, Poznamka = ? WHERE ID_Osoby = ?"),
                    {r.ID_firmy, r.ID_oddeleni, o.prijmeni, o.jmeno, o.titul, o.funkce, o.poznamka, r.ID_osoby_puv});
    }
    if (r.typ != QLatin1String("T") || !r.platnost_radku) {
        m_chyba = QStringLiteral("Tento uzel se neukládá.");
        return false;
    }
    // The row is found by its stored key and its start, both as loaded; it
    // takes the current key and the validity.
    Query q(m_t);
    if (!q.execute(QStringLiteral("UPDATE dba.prirazeni_pobocek SET ID_firmy = ?, ID_Oddeleni = ?, ID_Osoby = ?,"
                                  " Cislo_pobocky = ?, Pocatek_platnosti = ?, Konec_platnosti = ?"
                                  " WHERE Cislo_pobocky = ? AND ID_firmy = ? AND ID_Oddeleni = ? AND ID_Osoby = ?"
                                  " AND Pocatek_platnosti = ?"),
                   {r.ID_firmy, r.ID_oddeleni, r.ID_osoby, r.Cislo_pobocky, r.Pocatek_platnosti, r.Konec_platnosti,
                    r.Cislo_pobocky_puv, r.ID_firmy_puv, r.ID_oddeleni_puv, r.ID_osoby_puv, pocatek_puv})) {
        m_chyba = q.lastErrorText();
        return false;
    }
    if (q.rowCount() == 0) {
        m_chyba = QStringLiteral("Přiřazení pobočky %1 už v databázi není.").arg(r.Cislo_pobocky_puv);
        return false;
    }
    r.prevezmi_klic();
    r.zobrazeno_k = r.Pocatek_platnosti;
    return true;
}

bool PrirazeniPobocek::ukonci_radky(const QString& konec, const QString& firma, const QString& oddeleni,
                                    const QString& osoba, const QString& cislo, bool presne, const QString& pocatek,
                                    const QString& zobrazeno_k)
{
    const bool kazda = osoba.isEmpty();
    if (kazda) presne = false;
    const QString kde = QStringLiteral(" WHERE Cislo_pobocky = ? AND ID_firmy = ? AND ID_Oddeleni = ?")
        + (kazda ? QString() : QStringLiteral(" AND ID_Osoby = ?"))
        + (presne ? QStringLiteral(" AND Pocatek_platnosti = ?")
                  : QStringLiteral(" AND ? BETWEEN Pocatek_platnosti AND Konec_platnosti"))
        + QStringLiteral(" AND Konec_platnosti > ?");
    QVariantList parametry = {cislo, firma, oddeleni};
    if (!kazda) parametry << osoba;
    parametry << (presne ? pocatek : zobrazeno_k) << konec;
    Query q(m_t);
    q.setSQL(QStringLiteral("SELECT min(Pocatek_platnosti) FROM dba.prirazeni_pobocek") + kde
             + QStringLiteral(" AND Pocatek_platnosti > ?"));
    q.bindAll(parametry + QVariantList{konec});
    if (!q.run()) { m_chyba = q.lastErrorText(); return false; }
    if (!q.atEnd() && !q.value(1).isEmpty()) {
        m_chyba = QStringLiteral("Položka platí až od %1, nelze ji ukončit dříve (%2).").arg(q.value(1), konec);
        return false;
    }
    q.close();
    return exec(QStringLiteral("UPDATE dba.prirazeni_pobocek SET Konec_platnosti = ?") + kde,
                QVariantList{konec} + parametry);
}

bool PrirazeniPobocek::Ukonci_platnost_zaznamu(const Struct_std& r)
{
    m_chyba.clear();
    const QString& konec = r.Konec_platnosti;
    const bool presne = r.platnost_radku;
    const QString& od = r.Pocatek_platnosti;
    const QString& k = r.zobrazeno_k;
    if (r.typ == QLatin1String("T"))
        return ukonci_radky(konec, r.ID_firmy_puv, r.ID_oddeleni_puv, r.skupina ? QString() : r.ID_osoby_puv,
                            r.Cislo_pobocky_puv, presne, od, k);
    if (r.typ == QLatin1String("O")) {
        // The person's own row, then (under an extension) the person's row of that number.
        const bool novy = r.stav == Novy;
        if (!ukonci_radky(konec, r.ID_firmy_puv, r.ID_oddeleni_puv, r.ID_osoby_puv, Neplati, novy, od, k)) return false;
        if (!jeCislo(r.Cislo_pobocky_puv)) return true;
        return ukonci_radky(konec, r.ID_firmy_puv, r.ID_oddeleni_puv, r.ID_osoby_puv, r.Cislo_pobocky_puv, presne, od, k);
    }
    if (r.typ == QLatin1String("S"))
        return ukonci_radky(konec, r.ID_firmy_puv, r.ID_oddeleni_puv, Neplati, Neplati, presne, od, k);
    if (r.typ == QLatin1String("F"))
        return ukonci_radky(konec, r.ID_firmy_puv, Neplati, Neplati, Neplati, presne, od, k);
    m_chyba = QStringLiteral("Tento uzel nelze ukončit.");
    return false;
}

bool PrirazeniPobocek::ukonci_vse_pod(const Struct_std& r)
{
    // What the tree does not show under the node (in view 2 a person without
    // an extension) ends with it too.
    const bool oddeleni = r.typ == QLatin1String("S");
    const QString kde = QStringLiteral(" WHERE ID_firmy = ?") + (oddeleni ? QStringLiteral(" AND ID_Oddeleni = ?") : QString())
                        + QStringLiteral(" AND ? BETWEEN Pocatek_platnosti AND Konec_platnosti AND Konec_platnosti > ?");
    QVariantList p = {r.ID_firmy_puv};
    if (oddeleni) p << r.ID_oddeleni_puv;
    p << r.zobrazeno_k << r.Konec_platnosti;
    Query q(m_t);
    q.setSQL(QStringLiteral("SELECT min(Pocatek_platnosti) FROM dba.prirazeni_pobocek") + kde
             + QStringLiteral(" AND Pocatek_platnosti > ?"));
    q.bindAll(p + QVariantList{r.Konec_platnosti});
    if (!q.run()) { m_chyba = q.lastErrorText(); return false; }
    if (!q.atEnd() && !q.value(1).isEmpty()) {
        m_chyba = QStringLiteral("Položka platí až od %1, nelze ji ukončit dříve (%2).").arg(q.value(1), r.Konec_platnosti);
        return false;
    }
    q.close();
    return exec(QStringLiteral("UPDATE dba.prirazeni_pobocek SET Konec_platnosti = ?") + kde,
                QVariantList{r.Konec_platnosti} + p);
}

bool PrirazeniPobocek::vrat_pobocku_oddeleni(const Struct_std& osoba)
{
    if (!jeCislo(osoba.Cislo_pobocky_puv)) return true;
    const int n = obsazeno_po(osoba.Cislo_pobocky_puv, osoba.Konec_platnosti);
    if (n < 0) return false;
    if (n > 0) return true;  // someone holds the number afterwards
    return vloz_radek(osoba.Konec_platnosti, OtevrenyKonec, osoba.ID_firmy_puv, osoba.ID_oddeleni_puv, Nic,
                      osoba.Cislo_pobocky_puv);
}

bool PrirazeniPobocek::nastav_dohled(const Struct_std& r, const QString& dohled)
{
    m_chyba.clear();
    const bool presne = r.platnost_radku;
    return exec(QStringLiteral("UPDATE dba.prirazeni_pobocek SET Dohled = ?"
                               " WHERE Cislo_pobocky = ? AND ID_firmy = ? AND ID_Oddeleni = ? AND ID_Osoby = ?")
                    + (presne ? QStringLiteral(" AND Pocatek_platnosti = ?")
                              : QStringLiteral(" AND ? BETWEEN Pocatek_platnosti AND Konec_platnosti")),
                {dohled, r.Cislo_pobocky_puv, r.ID_firmy_puv, r.ID_oddeleni_puv, r.ID_osoby_puv,
                 presne ? r.Pocatek_platnosti : r.zobrazeno_k});
}

int PrirazeniPobocek::obsazeno_po(const QString& cislo, const QString& od, const Struct_std* krome)
{
    Query q(m_t);
    QString sql = QStringLiteral("SELECT count(*) FROM dba.prirazeni_pobocek WHERE Cislo_pobocky = ? AND Konec_platnosti > ?");
    QVariantList p = {cislo, od};
    if (krome && krome->skupina) {
        sql += QStringLiteral(" AND NOT (Cislo_pobocky = ? AND ID_firmy = ? AND ID_Oddeleni = ?"
                              " AND ? BETWEEN Pocatek_platnosti AND Konec_platnosti)");
        p << krome->Cislo_pobocky_puv << krome->ID_firmy_puv << krome->ID_oddeleni_puv << krome->zobrazeno_k;
    } else if (krome) {
        sql += QStringLiteral(" AND NOT (Cislo_pobocky = ? AND ID_firmy = ? AND ID_Oddeleni = ? AND ID_Osoby = ?")
               + (krome->platnost_radku ? QStringLiteral(" AND Pocatek_platnosti = ?)")
                                        : QStringLiteral(" AND ? BETWEEN Pocatek_platnosti AND Konec_platnosti)"));
        p << krome->Cislo_pobocky_puv << krome->ID_firmy_puv << krome->ID_oddeleni_puv << krome->ID_osoby_puv
          << (krome->platnost_radku ? krome->Pocatek_platnosti : krome->zobrazeno_k);
    }
    q.setSQL(sql);
    q.bindAll(p);
    if (!q.run()) { m_chyba = q.lastErrorText(); return -1; }
    return int(q.intValue(1));
}

int PrirazeniPobocek::prideleno_jinde(const QString& cislo, const QString& id_oddeleni, const QString& od,
                                      const QString& cislo_puv, const QString& pocatek_puv)
{
    Query q(m_t);
    q.setSQL(QStringLiteral("SELECT count(*) FROM dba.prirazeni_pobocek"
                            " WHERE Cislo_pobocky = ? AND ID_Oddeleni <> ? AND Konec_platnosti > ?"
                            " AND NOT (ID_firmy = 9999 AND ID_Oddeleni = 9999 AND ID_Osoby = 9999)"
                            " AND NOT (Cislo_pobocky = ? AND Pocatek_platnosti = ?)"));
    q.bindAll({cislo, id_oddeleni, od, cislo_puv, pocatek_puv});
    if (!q.run()) { m_chyba = q.lastErrorText(); return -1; }
    return int(q.intValue(1));
}

bool PrirazeniPobocek::ukonci_predchozi(const QString& cislo, const QString& od, const QString& cislo_puv,
                                        const QString& pocatek_puv)
{
    return exec(QStringLiteral("UPDATE dba.prirazeni_pobocek SET Konec_platnosti = ?"
                               " WHERE Cislo_pobocky = ? AND Konec_platnosti > ? AND Pocatek_platnosti < ?"
                               " AND NOT (ID_firmy = 9999 AND ID_Oddeleni = 9999 AND ID_Osoby = 9999)"
                               " AND NOT (Cislo_pobocky = ? AND Pocatek_platnosti = ?)"),
                {od, cislo, od, od, cislo_puv, pocatek_puv});
}

bool PrirazeniPobocek::udaje_prirazeni(const FDX_udaje_o_osobe& r, QString* firma, QString* oddeleni, QString* osoba)
{
    firma->clear();
    oddeleni->clear();
    osoba->clear();
    // An empty id came from a NULL column; with none of the three known
    // there is no row to name.
    if (r.ID_firmy.isEmpty() && r.ID_oddeleni.isEmpty() && r.ID_osoby.isEmpty()) return true;
    QString kde;
    QVariantList p;
    const auto podminka = [&](const QString& sloupec, const QString& hodnota) {
        kde += kde.isEmpty() ? QStringLiteral(" WHERE ") : QStringLiteral(" AND ");
        if (hodnota.isEmpty()) {
            kde += sloupec + QStringLiteral(" IS NULL");
        } else {
            kde += sloupec + QStringLiteral(" = ?");
            p << hodnota;
        }
    };
    podminka(QStringLiteral("PP.ID_firmy"), r.ID_firmy);
    podminka(QStringLiteral("PP.ID_Oddeleni"), r.ID_oddeleni);
    podminka(QStringLiteral("PP.ID_Osoby"), r.ID_osoby);
    Query q(m_t);
    q.setSQL(QStringLiteral(
        "SELECT CF.nazev_firmy, CO.nazev_oddeleni, OS.prijmeni, OS.jmeno"
        " FROM dba.prirazeni_pobocek PP"
        " LEFT OUTER JOIN dba.ciselnik_firem CF ON CF.ID_Firmy = PP.ID_firmy"
        " LEFT OUTER JOIN dba.ciselnik_oddeleni CO ON CO.ID_Oddeleni = PP.ID_Oddeleni"
        " LEFT OUTER JOIN dba.ciselnik_osob OS ON OS.ID_Osoby = PP.ID_Osoby") + kde);
    q.bindAll(p);
    if (!q.run()) { m_chyba = q.lastErrorText(); return false; }
    if (q.atEnd()) return true;  // nothing found: the names stay empty
    *firma = q.value(1);
    *oddeleni = q.value(2);
    if (!q.isNull(3) || !q.isNull(4)) *osoba = q.value(3) + QLatin1Char(' ') + q.value(4);
    return true;
}

} // namespace kavro
