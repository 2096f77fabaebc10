#include "internal_directory/seznam_pobocek.h"

#include "platform/clock.h"
#include "platform/database.h"
#include "platform/unit_of_work.h"

namespace kavro {

namespace {

const QString Nic = QStringLiteral("0");
const QString Neplati = QStringLiteral("9999");

bool jeCislo(const QString& cislo)
{
    return !cislo.isEmpty() && cislo != Nic && cislo != Neplati;
}

} // namespace

SeznamPobocek::SeznamPobocek(Transaction& t, Tvorba tvorba) : m_t(t), m_data(t)
{
    if (!tvorba)
        tvorba = [](LazyTreeModel::Loader l) { return std::make_unique<LazyTreeModel>(std::move(l)); };
    m_strom = tvorba([this](const QModelIndex& rodic, const LazyTreeModel& m) { return nactiStrom(rodic, m); });
    m_volne = tvorba([this](const QModelIndex& rodic, const LazyTreeModel&) { return nactiVolne(rodic); });
    m_okamzik = ted();
}

SeznamPobocek::~SeznamPobocek() = default;

QString SeznamPobocek::ted() const
{
    return clock::now().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

QString SeznamPobocek::textObsazeno()
{
    return QStringLiteral("Položka je stále přiřazena pod jiného účastníka \n a proto nebude zařazena do nepřiřazených");
}

void SeznamPobocek::odmitnuto(bool obsazeno)
{
    m_obsazeno = obsazeno;
    m_chyba = obsazeno ? textObsazeno() : m_data.chyba();
}

void SeznamPobocek::zacni()
{
    m_chyba.clear();
    m_info.clear();
    m_obsazeno = false;
}

LazyTreeModel::Item SeznamPobocek::polozka(const Struct_std& r, bool vPoolu) const
{
    LazyTreeModel::Item it;
    it.text = r.text(m_ustredna);
    it.mayHaveChildren = !vPoolu && (r.typ == QLatin1String("R") || r.ma_potomky);
    it.draggable = r.typ != QLatin1String("R");
    it.dropTarget = true;
    it.record = r;
    return it;
}

QList<LazyTreeModel::Item> SeznamPobocek::nactiStrom(const QModelIndex& rodic, const LazyTreeModel& m)
{
    QList<LazyTreeModel::Item> vysledek;
    if (!rodic.isValid()) {
        Struct_std koren;
        koren.typ = QStringLiteral("R");
        koren.ID_firmy = koren.ID_oddeleni = koren.ID_osoby = Nic;
        koren.menu = Nabidka::p_root;
        koren.zobrazeno_k = m_okamzik;
        vysledek.append(polozka(koren, false));
        return vysledek;
    }
    Struct_std* r = m.record<Struct_std>(rodic);
    if (!r) return vysledek;
    QList<Struct_std> deti;
    const QString& k = m_okamzik;
    if (r->typ == QLatin1String("R")) {
        deti = m_data.nacti_firmy(k);
        deti += m_data.prirad_pobocky(*r, m_pohled, k);
    } else if (r->typ == QLatin1String("F")) {
        deti = m_data.nacti_oddeleni_firmy(*r, k);
        deti += m_data.prirad_pobocky(*r, m_pohled, k);
    } else if (r->typ == QLatin1String("S")) {
        if (m_pohled == 1) deti = m_data.nacti_osoby_oddeleni(*r, 1, k);
        deti += m_data.prirad_pobocky(*r, m_pohled, k);
    } else if (r->typ == QLatin1String("O")) {
        if (m_pohled == 1) deti = m_data.prirad_pobocky(*r, 1, k);
    } else if (r->typ == QLatin1String("T")) {
        if (m_pohled == 2) deti = m_data.nacti_osoby_oddeleni(*r, 2, k);
    }
    r->nacteno = true;
    for (const Struct_std& d : deti) vysledek.append(polozka(d, false));
    return vysledek;
}

QList<LazyTreeModel::Item> SeznamPobocek::nactiVolne(const QModelIndex& rodic)
{
    QList<LazyTreeModel::Item> vysledek;
    if (rodic.isValid()) return vysledek;
    for (const Struct_std& d : m_data.volne_pobocky(m_okamzik)) vysledek.append(polozka(d, true));
    return vysledek;
}

void SeznamPobocek::nacti()
{
    m_strom->reload();
    m_volne->reload();
    m_strom->ensureLoaded(QModelIndex());
    const QModelIndex k = koren();
    if (k.isValid()) m_strom->ensureLoaded(k);
    m_volne->ensureLoaded(QModelIndex());
}

QModelIndex SeznamPobocek::koren() const
{
    return m_strom->index(0, 0);
}

void SeznamPobocek::Rozbal_vetev_stromu(const QModelIndex& uzel)
{
    if (uzel.isValid() && uzel.model() == m_strom.get()) m_strom->ensureLoaded(uzel);
}

Struct_std* SeznamPobocek::zaznam(const QModelIndex& uzel)
{
    if (!uzel.isValid()) return nullptr;
    auto* m = qobject_cast<const LazyTreeModel*>(uzel.model());
    return m ? m->record<Struct_std>(uzel) : nullptr;
}

QModelIndex SeznamPobocek::Vloz_Item(LazyTreeModel& model, const QModelIndex& rodic, const Struct_std& r)
{
    return model.insertItem(rodic, polozka(r, &model == m_volne.get()));
}

FDX_Firmy& SeznamPobocek::vypln(int druh, int akce, const QModelIndex& vybrany)
{
    FDX_Firmy& f = m_fdx;
    f.Rezim = akce;
    f.OK = false;
    f.ukoncit_predchozi = false;
    const Struct_std* r = zaznam(vybrany);
    if (!r) return f;
    f.ID_firmy = r->ID_firmy;
    f.ID_oddeleni = r->ID_oddeleni;
    f.ID_osoby = r->ID_osoby;
    f.Cislo_pobocky = r->Cislo_pobocky;
    f.Cislo_pobocky_puv = r->Cislo_pobocky_puv;
    f.Pocatek_puv = r->platnost_radku ? r->Pocatek_platnosti : QString();
    if (akce == 1) {
        f.Pocatek_platnosti = ted();
        f.Konec_platnosti = OtevrenyKonec;
        f.Cislo_pobocky_puv.clear();
        f.Pocatek_puv.clear();
        // A new extension has no number until one is chosen.
        if (druh == 4 && !jeCislo(f.Cislo_pobocky)) f.Cislo_pobocky.clear();
    } else {
        f.Pocatek_platnosti = r->Pocatek_platnosti;
        f.Konec_platnosti = r->Konec_platnosti;
    }
    if (r->typ == QLatin1String("F")) {
        const Udaje_firmy& d = r->firma;
        f.Nazev_firmy = d.nazev; f.Utvar = d.utvar; f.Ulice = d.ulice; f.PSC = d.psc; f.Obec = d.obec;
        f.ICO = d.ico; f.DIC = d.dic;
        f.Procentualni_navyseni = d.procentualni_navyseni;
        f.Pausalni_poplatek = d.pausalni_poplatek;
    } else if (druh == 1 && akce == 1) {
        // A new firm started elsewhere than on a firm takes no other firm's surcharge and fee.
        f.Procentualni_navyseni.clear();
        f.Pausalni_poplatek.clear();
    }
    if (r->typ == QLatin1String("S")) f.Nazev_oddeleni = r->oddeleni.nazev;
    if (r->typ == QLatin1String("O")) {
        const Udaje_osoby& o = r->osoba;
        f.Prijmeni = o.prijmeni; f.Jmeno = o.jmeno; f.Titul = o.titul; f.Funkce = o.funkce; f.Poznamka = o.poznamka;
    }
    return f;
}

namespace {

void prevezmi_udaje(Struct_std& n, int druh, const FDX_Firmy& f)
{
    if (druh == 1) {
        n.firma = {f.Nazev_firmy, f.Utvar, f.Ulice, f.PSC, f.Obec, f.ICO, f.DIC, f.Procentualni_navyseni,
                   f.Pausalni_poplatek};
        n.typ = QStringLiteral("F");
    } else if (druh == 2) {
        n.oddeleni.nazev = f.Nazev_oddeleni;
        n.typ = QStringLiteral("S");
    } else if (druh == 3) {
        n.osoba = {f.Prijmeni, f.Jmeno, f.Titul, f.Funkce, f.Poznamka};
        n.typ = QStringLiteral("O");
    } else {
        n.typ = QStringLiteral("T");
    }
}

} // namespace

QModelIndex SeznamPobocek::novy_uzel(int druh, const QModelIndex& vybrany, bool naUrovni, const FDX_Firmy& fdx)
{
    zacni();
    if (!fdx.OK || !vybrany.isValid() || vybrany.model() != m_strom.get()) return {};
    QModelIndex rodic = vybrany;
    if (naUrovni) rodic = vybrany.parent().isValid() ? vybrany.parent() : koren();
    const Struct_std* rr = zaznam(rodic);
    if (!rr) return {};

    Struct_std n;
    n.ma_potomky = false;
    n.nacteno = true;
    n.stav = Novy;
    n.Pocatek_platnosti = fdx.Pocatek_platnosti;
    n.Konec_platnosti = fdx.Konec_platnosti;
    n.ID_firmy = fdx.ID_firmy;
    n.ID_oddeleni = fdx.ID_oddeleni;
    n.ID_osoby = fdx.ID_osoby;
    n.Cislo_pobocky = fdx.Cislo_pobocky;
    n.Dohled = QStringLiteral("-");
    prevezmi_udaje(n, druh, fdx);
    switch (druh) {
    case 1: n.menu = Nabidka::p_firma; n.ID_oddeleni = n.ID_osoby = n.Cislo_pobocky = Nic; break;
    case 2: n.menu = m_pohled == 2 ? Nabidka::p_oddeleni_2 : Nabidka::p_oddeleni; n.ID_osoby = n.Cislo_pobocky = Nic; break;
    case 3:
        n.menu = rr->typ == QLatin1String("T") ? Nabidka::p_osoba_2 : Nabidka::p_osoba;
        if (rr->typ != QLatin1String("T")) n.Cislo_pobocky = Nic;
        break;
    default: break;
    }
    if (druh == 4) return Rucni_prirazeni_pobocky(n, vybrany, fdx.ukoncit_predchozi);

    m_strom->ensureLoaded(rodic);  // read the branch before the new row is in it
    Savepoint sp(m_t);
    if (!sp.ok()) { m_chyba = m_t.lastErrorText(); return {}; }
    if (m_data.Vloz_novou_vetu(n) != PrirazeniPobocek::Vysledek::Ulozeno) {
        m_chyba = m_data.chyba();
        sp.rollback();
        return {};
    }
    if (!sp.release()) { m_chyba = m_t.lastErrorText(); return {}; }
    m_zmeneno = true;
    return Vloz_Item(*m_strom, rodic, n);
}

bool SeznamPobocek::oprav_uzel(int druh, const QModelIndex& vybrany, const FDX_Firmy& fdx)
{
    zacni();
    Struct_std* r = zaznam(vybrany);
    if (!fdx.OK || !r || r->typ == QLatin1String("R")) return false;
    Struct_std n = *r;
    const QString typ = n.typ;
    prevezmi_udaje(n, druh, fdx);
    n.typ = typ;
    if (typ == QLatin1String("T")) {
        n.Cislo_pobocky = fdx.Cislo_pobocky;
        n.Pocatek_platnosti = fdx.Pocatek_platnosti;
        n.Konec_platnosti = fdx.Konec_platnosti;
    }
    if (n.stav == Nacteny) n.stav = Zmeneny;

    Savepoint sp(m_t);
    if (!sp.ok()) { m_chyba = m_t.lastErrorText(); return false; }
    bool ok = true;
    if (typ == QLatin1String("T")) {
        if (n.Cislo_pobocky != r->Cislo_pobocky_puv) {
            // A renumbered extension may not take a number someone holds.
            const int obsazeno = m_data.obsazeno_po(n.Cislo_pobocky, n.Pocatek_platnosti, r);
            if (obsazeno != 0 && !fdx.ukoncit_predchozi) {
                odmitnuto(obsazeno > 0);
                return false;
            }
        }
        if (fdx.ukoncit_predchozi)
            ok = m_data.ukonci_predchozi(n.Cislo_pobocky, n.Pocatek_platnosti, r->Cislo_pobocky_puv, r->Pocatek_platnosti);
        ok = ok && m_data.Uprav_vetu(n, r->Pocatek_platnosti);
    } else {
        ok = m_data.Uprav_vetu(n);
    }
    if (!ok) {
        m_chyba = m_data.chyba();
        sp.rollback();
        return false;
    }
    if (!sp.release()) { m_chyba = m_t.lastErrorText(); return false; }
    *r = n;
    m_zmeneno = true;
    m_strom->setItemText(vybrany, n.text(m_ustredna));
    return true;
}

bool SeznamPobocek::ukonciJeden(const QModelIndex& uzel, const QString& konec)
{
    Struct_std* r = zaznam(uzel);
    if (!r || r->typ == QLatin1String("R")) return true;
    Struct_std kopie = *r;
    kopie.Konec_platnosti = konec;
    if (!m_data.Ukonci_platnost_zaznamu(kopie)) {
        m_chyba = m_data.chyba();
        return false;
    }
    return true;
}

bool SeznamPobocek::Zrus_platnost_u_vetve(const QModelIndex& uzel, const QString& konec, bool jenVetev)
{
    if (!uzel.isValid()) return true;
    const QModelIndex rodic = uzel.parent();
    const int posledni = jenVetev ? uzel.row() : m_strom->rowCount(rodic) - 1;
    for (int i = uzel.row(); i <= posledni; ++i) {
        const QModelIndex x = m_strom->index(i, 0, rodic);
        m_strom->ensureLoaded(x);
        if (!ukonciJeden(x, konec)) return false;
        const QModelIndex prvni = m_strom->index(0, 0, x);
        if (prvni.isValid() && !Zrus_platnost_u_vetve(prvni, konec, false)) return false;
    }
    return true;
}

bool SeznamPobocek::ukonci_uzel(const QModelIndex& vybrany, const QString& konec)
{
    zacni();
    Struct_std* r = zaznam(vybrany);
    if (!r || vybrany.model() != m_strom.get() || r->typ == QLatin1String("R")) return false;
    Savepoint sp(m_t);
    if (!sp.ok()) { m_chyba = m_t.lastErrorText(); return false; }
    m_strom->ensureLoaded(vybrany);
    const QModelIndex prvni = m_strom->index(0, 0, vybrany);
    bool ok = !prvni.isValid() || Zrus_platnost_u_vetve(prvni, konec, false);
    ok = ok && ukonciJeden(vybrany, konec);
    Struct_std kopie = *r;
    kopie.Konec_platnosti = konec;
    if (ok && (r->typ == QLatin1String("S") || r->typ == QLatin1String("F"))) {
        ok = m_data.ukonci_vse_pod(kopie);
        if (!ok) m_chyba = m_data.chyba();
    }
    if (ok && m_pohled == 2 && r->typ == QLatin1String("O") && jeCislo(r->Cislo_pobocky_puv)) {
        ok = m_data.vrat_pobocku_oddeleni(kopie);
        if (!ok) m_chyba = m_data.chyba();
    }
    if (!ok) {
        sp.rollback();
        return false;
    }
    if (!sp.release()) { m_chyba = m_t.lastErrorText(); return false; }
    r->Konec_platnosti = konec;
    r->stav = Ukonceny;
    m_zmeneno = true;
    m_strom->removeItem(vybrany);
    return true;
}

bool SeznamPobocek::ukonci_pobocku(const QModelIndex& vybrany, const QString& konec)
{
    zacni();
    Struct_std* r = zaznam(vybrany);
    if (!r || vybrany.model() != m_strom.get() || r->typ != QLatin1String("T")) return false;
    Savepoint sp(m_t);
    if (!sp.ok()) { m_chyba = m_t.lastErrorText(); return false; }
    const bool vetev = r->menu == Nabidka::p_pobocka_2;
    bool ok = vetev ? Zrus_platnost_u_vetve(vybrany, konec, true) : ukonciJeden(vybrany, konec);
    if (!ok) {
        sp.rollback();
        return false;
    }
    // The number passes to the pool at the same moment.
    Struct_std p = *r;
    p.ID_firmy = p.ID_oddeleni = p.ID_osoby = Neplati;
    p.Pocatek_platnosti = konec;
    p.Konec_platnosti = OtevrenyKonec;
    p.stav = Novy;
    p.menu = Nabidka::p_pobocka;
    p.ma_potomky = false;
    p.nacteno = true;
    p.Dohled = Nic;
    const PrirazeniPobocek::Vysledek v = m_data.Vloz_novou_vetu(p);
    if (v == PrirazeniPobocek::Vysledek::Chyba) {
        m_chyba = m_data.chyba();
        sp.rollback();
        return false;
    }
    if (!sp.release()) { m_chyba = m_t.lastErrorText(); return false; }
    r->Konec_platnosti = konec;
    m_zmeneno = true;
    m_strom->removeItem(vybrany);
    if (v == PrirazeniPobocek::Vysledek::Obsazeno) {
        // Someone else still holds the number: it does not go to the pool.
        m_obsazeno = true;
        m_info = textObsazeno();
    } else {
        Vloz_Item(*m_volne, QModelIndex(), p);
    }
    return true;
}

bool SeznamPobocek::prepni_sledovani(const QModelIndex& vybrany)
{
    zacni();
    Struct_std* r = zaznam(vybrany);
    if (!r || (r->typ != QLatin1String("T") && r->typ != QLatin1String("O"))) return false;
    if (r->typ == QLatin1String("O") && !jeCislo(r->Cislo_pobocky_puv)) return false;
    const QString novy = r->Dohled == QLatin1String("+") ? QStringLiteral("-") : QStringLiteral("+");
    // A person's mark is that of the person's row of the extension above it.
    if (!m_data.nastav_dohled(*r, novy)) {
        m_chyba = m_data.chyba();
        return false;
    }
    r->Dohled = novy;
    m_zmeneno = true;
    if (auto* m = qobject_cast<LazyTreeModel*>(const_cast<QAbstractItemModel*>(vybrany.model())))
        m->setItemText(vybrany, r->text(m_ustredna));  // repaints the icon
    return true;
}

QModelIndex SeznamPobocek::Rucni_prirazeni_pobocky(Struct_std r, const QModelIndex& vybrany, bool ukoncit_predchozi)
{
    zacni();
    if (!vybrany.isValid() || vybrany.model() != m_strom.get()) return {};
    const Struct_std* rodic = zaznam(vybrany);
    if (!rodic) return {};
    r.typ = QStringLiteral("T");
    r.stav = Novy;
    r.ma_potomky = false;
    r.nacteno = true;
    if (m_pohled == 2) r.ID_osoby = rodic->typ == QLatin1String("O") ? rodic->ID_osoby : Nic;
    r.menu = (m_pohled == 2 && rodic->typ == QLatin1String("S")) ? Nabidka::p_pobocka_2 : Nabidka::p_pobocka;
    r.skupina = r.menu == Nabidka::p_pobocka_2;
    if (!jeCislo(r.Cislo_pobocky)) {
        m_chyba = QStringLiteral("Zadejte číslo pobočky.");
        return {};
    }
    // The pool node holding the number at the new start.
    QModelIndex volna;
    m_volne->ensureLoaded(QModelIndex());
    for (int i = 0; i < m_volne->rowCount(); ++i) {
        const QModelIndex x = m_volne->index(i, 0);
        const Struct_std* p = zaznam(x);
        if (p && p->Cislo_pobocky == r.Cislo_pobocky && p->Konec_platnosti > r.Pocatek_platnosti
            && p->Pocatek_platnosti <= r.Pocatek_platnosti) {
            volna = x;
            break;
        }
    }
    m_strom->ensureLoaded(vybrany);
    Savepoint sp(m_t);
    if (!sp.ok()) { m_chyba = m_t.lastErrorText(); return {}; }
    if (ukoncit_predchozi && !m_data.ukonci_predchozi(r.Cislo_pobocky, r.Pocatek_platnosti)) {
        m_chyba = m_data.chyba();
        sp.rollback();
        return {};
    }
    if (volna.isValid()) {
        m_okamzik_zmeny = r.Pocatek_platnosti;
        const QModelIndex novy = prenes_Item(*m_volne, volna, *m_strom, vybrany, r.Konec_platnosti);
        if (!novy.isValid()) {
            sp.rollback();
            // prenes_Item has added nothing when it failed
            return {};
        }
        if (!sp.release()) { m_chyba = m_t.lastErrorText(); return {}; }
        m_volne->removeItem(volna);
        return novy;
    }
    const PrirazeniPobocek::Vysledek v = m_data.Vloz_novou_vetu(r);
    if (v != PrirazeniPobocek::Vysledek::Ulozeno) {
        odmitnuto(v == PrirazeniPobocek::Vysledek::Obsazeno);
        sp.rollback();
        return {};
    }
    if (!sp.release()) { m_chyba = m_t.lastErrorText(); return {}; }
    m_zmeneno = true;
    return Vloz_Item(*m_strom, vybrany, r);
}

QModelIndex SeznamPobocek::prenes_Item(LazyTreeModel& zModelu, const QModelIndex& zdroj, LazyTreeModel& doModelu,
                                       const QModelIndex& cil, const QString& konec)
{
    m_chyba.clear();
    const Struct_std* src = zModelu.record<Struct_std>(zdroj);
    if (!src || src->typ == QLatin1String("R")) {
        m_chyba = QStringLiteral("Tuto položku nelze přesunout.");
        return {};
    }
    const Struct_std* t = cil.isValid() ? doModelu.record<Struct_std>(cil) : nullptr;
    const QString& moment = m_okamzik_zmeny;
    m_obsazeno = false;
    m_chyba.clear();
    // Everything the move will write is checked before anything is ended.
    if (moment.isEmpty()) {
        m_chyba = QStringLiteral("Není zadán okamžik změny.");
        return {};
    }
    if (src->platnost_radku && src->Pocatek_platnosti > moment) {
        m_chyba = QStringLiteral("Položka platí až od %1, nelze ji přesunout dříve (%2).").arg(src->Pocatek_platnosti, moment);
        return {};
    }
    // In view 2 an extension under a department is moved with its holders,
    // whose rows this move ends too (the check leaves them out); they are
    // stored anew under it, so the department itself gets no row of the
    // number beside them.
    const bool sDrziteli =
        src->typ == QLatin1String("T") && src->skupina && &zModelu == m_strom.get() && zModelu.rowCount(zdroj) > 0;
    if (src->typ == QLatin1String("T")) {
        const int n = m_data.obsazeno_po(src->Cislo_pobocky_puv, moment, src);
        if (n != 0) {
            odmitnuto(n > 0);
            return {};
        }
    }
    Struct_std novy = *src;
    if (t) {
        novy.Cislo_pobocky = t->Cislo_pobocky;
        novy.ID_osoby = t->ID_osoby;
        novy.ID_oddeleni = t->ID_oddeleni;
        novy.ID_firmy = t->ID_firmy;
    } else {
        novy.ID_osoby = novy.ID_oddeleni = novy.ID_firmy = Neplati;  // onto the pool
    }
    // The node keeps its own level's id.
    if (src->typ == QLatin1String("T")) novy.Cislo_pobocky = src->Cislo_pobocky;
    else if (src->typ == QLatin1String("O")) novy.ID_osoby = src->ID_osoby;
    else if (src->typ == QLatin1String("S")) novy.ID_oddeleni = src->ID_oddeleni;
    else if (src->typ == QLatin1String("F")) novy.ID_firmy = src->ID_firmy;
    if (src->typ == QLatin1String("O") && (!t || t->typ != QLatin1String("T"))) novy.Cislo_pobocky = Nic;
    if (src->typ == QLatin1String("T") && t && t->typ == QLatin1String("S") && &doModelu == m_strom.get()
        && m_pohled == 2)
        novy.ID_osoby = Nic;
    novy.stav = Novy;
    novy.Pocatek_platnosti = moment;
    novy.Konec_platnosti = konec;
    novy.ma_potomky = false;
    novy.nacteno = true;
    if (src->typ == QLatin1String("T")) {
        const bool vPoolu = &doModelu == m_volne.get() || (t && t->ID_firmy == Neplati);
        novy.menu = (!vPoolu && m_pohled == 2 && t && t->typ == QLatin1String("S")) ? Nabidka::p_pobocka_2
                                                                                    : Nabidka::p_pobocka;
        novy.skupina = novy.menu == Nabidka::p_pobocka_2;
        if (vPoolu) novy.Dohled = Nic;
    }
    if (&doModelu == m_strom.get()) {
        if (cil.isValid()) doModelu.ensureLoaded(cil);
    } else {
        doModelu.ensureLoaded(QModelIndex());
    }

    Savepoint sp(m_t);
    if (!sp.ok()) { m_chyba = m_t.lastErrorText(); return {}; }
    Struct_std konciciho = *src;
    konciciho.Konec_platnosti = moment;
    if (!m_data.Ukonci_platnost_zaznamu(konciciho)) {
        m_chyba = m_data.chyba();
        sp.rollback();
        return {};
    }
    if (sDrziteli) {
        // Nothing of its own to store: its holders' rows follow under it.
        novy.skupina = true;
        novy.prevezmi_klic();
        novy.platnost_radku = false;
        novy.zobrazeno_k = moment;
    } else {
        const PrirazeniPobocek::Vysledek v = m_data.Vloz_novou_vetu(novy);
        if (v != PrirazeniPobocek::Vysledek::Ulozeno) {
            odmitnuto(v == PrirazeniPobocek::Vysledek::Obsazeno);
            sp.rollback();
            return {};
        }
    }
    if (!sp.release()) { m_chyba = m_t.lastErrorText(); return {}; }
    m_zmeneno = true;
    if (Struct_std* s = zModelu.record<Struct_std>(zdroj)) {
        s->Konec_platnosti = moment;
        s->stav = Novy;
    }
    LazyTreeModel::Item it = polozka(novy, &doModelu == m_volne.get());
    it.text = zdroj.data().toString();
    const bool doPoolu = &doModelu == m_volne.get();
    return doModelu.insertItem(t && !doPoolu ? cil : QModelIndex(), std::move(it));
}

QList<QModelIndex> SeznamPobocek::prepni_zobrazeni(const QModelIndex& vybrany)
{
    Struct_std kopie;
    if (const Struct_std* r = zaznam(vybrany); r && vybrany.model() == m_strom.get()) kopie = *r;
    m_okamzik = ted();
    m_pohled = m_pohled == 1 ? 2 : 1;
    nacti();
    QList<QModelIndex> cesta;
    QModelIndex uzel = koren();
    auto najdi = [&](const std::function<bool(const Struct_std&)>& shoda) {
        m_strom->ensureLoaded(uzel);
        for (int i = 0; i < m_strom->rowCount(uzel); ++i) {
            const QModelIndex x = m_strom->index(i, 0, uzel);
            if (const Struct_std* r = zaznam(x); r && shoda(*r)) {
                m_strom->ensureLoaded(x);
                cesta.append(x);
                uzel = x;
                return true;
            }
        }
        return false;
    };
    if (kopie.ID_firmy.isEmpty() || !najdi([&](const Struct_std& r) { return r.ID_firmy == kopie.ID_firmy; }))
        return cesta;
    if (kopie.ID_oddeleni.isEmpty()
        || !najdi([&](const Struct_std& r) { return r.ID_oddeleni == kopie.ID_oddeleni; }))
        return cesta;
    if (m_pohled == 1 && !kopie.ID_osoby.isEmpty())
        najdi([&](const Struct_std& r) { return r.ID_osoby == kopie.ID_osoby; });
    else if (m_pohled == 2 && !kopie.Cislo_pobocky.isEmpty())
        najdi([&](const Struct_std& r) { return r.Cislo_pobocky == kopie.Cislo_pobocky; });
    return cesta;
}

} // namespace kavro
