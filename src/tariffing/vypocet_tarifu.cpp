#include "vypocet_tarifu.h"

#include "platform/database.h"
#include "tariffing/hovory_behu.h"
#include "tariffing/stupen_hovoru.h"
#include "tariffing/tabulky_tarifu.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace kavro {

using namespace hodnoty;

VypocetTarifu::VypocetTarifu(Transaction& t) : m_t(t), m_tab(new TabulkyTarifu) {}

VypocetTarifu::~VypocetTarifu() = default;

void VypocetTarifu::podrz_tabulky(bool drzet)
{
    m_drzet = drzet;
    if (!drzet) m_tab.reset(new TabulkyTarifu);
}

bool VypocetTarifu::nacti_hovory(const Predvolby& predvolby, const std::string& od, const std::string& do_)
{
    m_hovory.clear();
    m_puvodni.clear();
    m_pamet.vycisti();
    if (!m_drzet) m_tab.reset(new TabulkyTarifu);
    m_tab->kalendar.clear();
    m_tab->linky.clear();
    m_mp = m_pamet.uloz(predvolby.mezistatni);
    m_mm = m_pamet.uloz(predvolby.mezimestska);
    m_ks = m_pamet.uloz(predvolby.kod_statu);
    m_km = m_pamet.uloz(predvolby.kod_mesta);

    return HovoryBehu::nacti(m_t, od, do_, m_pamet, m_hovory, m_puvodni, m_chyba);
}

std::vector<std::string> VypocetTarifu::dny() const
{
    std::set<std::string> dny;
    for (const Hovor& h : m_hovory) {
        const Text den = podretezec(h.datum_a_cas, 1, 10);
        if (!den.null()) dny.emplace(den.sv());
    }
    return {dny.begin(), dny.end()};
}

// The tables are read only when there are calls to look up.
bool VypocetTarifu::nactiAdresar() { return m_hovory.empty() || m_tab->nactiAdresar(m_t, m_chyba); }
bool VypocetTarifu::nactiTarify() { return m_hovory.empty() || m_tab->nactiTarify(m_t, m_chyba); }
bool VypocetTarifu::nactiPrirazeni() { return m_hovory.empty() || m_tab->nactiPrirazeni(m_t, m_chyba); }
bool VypocetTarifu::nactiKalendar() { return m_hovory.empty() || m_tab->nactiKalendar(m_t, m_pamet, m_chyba); }
bool VypocetTarifu::nactiLinky() { return m_hovory.empty() || m_tab->nactiLinky(m_t, m_pamet, m_chyba); }

// ---------------------------------------------------------------- lookups

template <class Mnozina>
Text VypocetTarifu::nejdelsi(const Hovor& h, std::optional<std::int64_t> zacatek, const std::vector<int>& delky,
                             const Mnozina& klice, std::string_view predpona)
{
    if (!zacatek || h.volane_cislo.null()) return Text{};
    for (int delka : delky) {
        const Text cast = podretezec(h.volane_cislo, *zacatek, delka);
        m_klic.assign(predpona);
        m_klic.append(cast.sv());
        if (klice.find(m_klic) != klice.end()) return cast;
    }
    return Text{};
}

Text VypocetTarifu::ucastnik(const Hovor& h, std::optional<std::int64_t> zacatek, Text stat, Text mesto)
{
    if (stat.null() || mesto.null()) return Text{};
    std::string predpona = klic({stat.sv(), mesto.sv(), {}});
    return nejdelsi(h, zacatek, m_tab->delkyUcastniku, m_tab->ucastnici, predpona);
}

// ---------------------------------------------------------------- the steps

namespace {

const Text kP{"P", 1}, kC{"C", 1}, kB{"B", 1}, kA{"A", 1};

void naStupen(Hovor& h, StupenHovoru stupen) { h.status = Hodnota::cele(cislo(stupen)); }
bool naStupni(const Hovor& h, StupenHovoru stupen) { return je(h.status, cislo(stupen)); }

} // namespace

bool VypocetTarifu::typ_hovoru()
{
    if (!nactiAdresar()) return false;
    const std::string_view mp = m_mp.sv(), mm = m_mm.sv();
    for (Hovor& h : m_hovory) {
        if (!naStupni(h, StupenHovoru::Nacten)) continue;
        if (h.typ.null()) {
            if (zacina(h.volane_cislo, "*IN") || zacina(h.volane_cislo, "Příchozí")) {
                h.typ = kP;
            } else if (!mp.empty() && zacina(h.volane_cislo, mp)) {
                h.typ = kC;
            } else if (!mm.empty() && zacina(h.volane_cislo, mm)) {
                h.typ = kB;
                h.kod_statu = m_ks;
            } else {
                // A local call: the longest number of the home area that begins the dialled number.
                h.typ = kA;
                h.kod_statu = m_ks;
                h.kod_mesta = m_km;
                h.cislo_ucastnika = ucastnik(h, 1, m_ks, m_km);
            }
        }
        naStupen(h, StupenHovoru::TypHovoru);
    }
    return true;
}

void VypocetTarifu::fakta_linek(std::vector<std::string>& vsechny, std::vector<std::string>& bez_impulsu,
                                std::vector<std::string>& s_impulsy) const
{
    std::set<std::string> v, b, s;
    const Text petMinut{"00:05:00", 8};
    for (const Hovor& h : m_hovory) {
        if (!naStupni(h, StupenHovoru::TypHovoru) || h.typ.null() || je(h.typ, "P") || h.linka.null()) continue;
        const std::string linka(h.linka.sv());
        v.insert(linka);
        if (je(h.pocet_impulsu, 0) && !h.delka.null() && porovnejText(h.delka, petMinut) > 0) b.insert(linka);
        if (porovnej(h.pocet_impulsu, 0).value_or(0) > 0) s.insert(linka);
    }
    vsechny.assign(v.begin(), v.end());
    bez_impulsu.assign(b.begin(), b.end());
    s_impulsy.assign(s.begin(), s.end());
}

// Outgoing calls on impulse lines take the exchange's count and are charged
// when it has impulses; calls on lines without impulses are charged from the
// pseudotariff's subtracted time of their type valid at the call's start.
bool VypocetTarifu::tarif_podle_linek()
{
    if (!nactiLinky() || !nactiTarify()) return false;
    const TabulkyTarifu& t = *m_tab;
    for (Hovor& h : m_hovory) {
        if (!naStupni(h, StupenHovoru::TypHovoru)) continue;
        const Hodnota* zapojen = nullptr;
        if (!h.linka.null()) {
            const auto it = t.linky.find(std::string(h.linka.sv()));
            if (it != t.linky.end()) zapojen = &it->second;
        }
        if (!h.typ.null() && !je(h.typ, "P") && zapojen && je(*zapojen, 1)) {
            h.program_pocet_impulsu = h.pocet_impulsu;
            if (porovnej(h.pocet_impulsu, 0).value_or(0) > 0) h.tarifovat = Hodnota::cele(1);
        } else if (zapojen && je(*zapojen, 0)) {
            for (const auto& p : t.odecitane)
                if (!h.typ.null() && !p.typ.null() && porovnejText(p.typ, h.typ) == 0
                    && mezi(h.datum_a_cas, p.od, p.do_) && !h.delka.null() && !p.cas.null()
                    && porovnejText(h.delka, p.cas) >= 0) {
                    h.tarifovat = Hodnota::cele(1);
                    break;
                }
        }
        naStupen(h, StupenHovoru::TarifPodleLinky);
    }
    return true;
}

bool VypocetTarifu::kody_statu_a_mest()
{
    if (!nactiAdresar()) return false;
    const TabulkyTarifu& t = *m_tab;
    const std::int64_t mp = znaku(m_mp), mm = znaku(m_mm);
    for (Hovor& h : m_hovory) {
        if (!naStupni(h, StupenHovoru::TarifPodleLinky)) continue;
        if (h.kod_statu.null() && je(h.typ, "C")) h.kod_statu = nejdelsi(h, 1 + mp, t.delkyStatu, t.staty, {});
        if (h.kod_mesta.null() && (je(h.typ, "C") || je(h.typ, "B")) && !h.kod_statu.null()) {
            const std::int64_t zacatek = je(h.typ, "C") ? 1 + mp + znaku(h.kod_statu) : 1 + mm;
            const std::string predpona = klic({h.kod_statu.sv(), {}});
            h.kod_mesta = nejdelsi(h, zacatek, t.delkyMest, t.mesta, predpona);
        }
        naStupen(h, StupenHovoru::KodyStatuAMesta);
    }
    return true;
}

bool VypocetTarifu::ucastnici()
{
    if (!nactiAdresar()) return false;
    const std::int64_t mp = znaku(m_mp), mm = znaku(m_mm);
    for (Hovor& h : m_hovory) {
        if (!naStupni(h, StupenHovoru::KodyStatuAMesta)) continue;
        if (h.cislo_ucastnika.null() && !h.kod_mesta.null()) {
            if (je(h.typ, "C") && !h.kod_statu.null())
                h.cislo_ucastnika =
                    ucastnik(h, 1 + mp + znaku(h.kod_statu) + znaku(h.kod_mesta), h.kod_statu, h.kod_mesta);
            else if (je(h.typ, "B"))
                h.cislo_ucastnika = ucastnik(h, 1 + mm + znaku(h.kod_mesta), h.kod_statu, h.kod_mesta);
        }
        naStupen(h, StupenHovoru::Ucastnik);
    }
    return true;
}

bool VypocetTarifu::pasma()
{
    if (!nactiAdresar()) return false;
    const TabulkyTarifu& t = *m_tab;
    for (Hovor& h : m_hovory) {
        if (!naStupni(h, StupenHovoru::Ucastnik)) continue;
        if (je(h.tarifovat, 1) && !h.kod_statu.null()) {
            const Hodnota* pasmo = nullptr;
            if (je(h.typ, "C")) {
                const auto it = t.staty.find(std::string(h.kod_statu.sv()));
                if (it != t.staty.end()) pasmo = &it->second;
            } else if ((je(h.typ, "B") || je(h.typ, "A")) && !h.kod_mesta.null()) {
                const auto it = t.mesta.find(klic({h.kod_statu.sv(), h.kod_mesta.sv()}));
                if (it != t.mesta.end()) pasmo = &it->second;
            }
            if (pasmo && !pasmo->null()) h.pasmo = *pasmo;
        }
        naStupen(h, StupenHovoru::Pasmo);
    }
    return true;
}

// The impulse count of charged calls: the duration less the pseudotariff's
// subtracted time of the call's type (never below 0), divided by the seconds
// of one impulse and rounded up. The seconds come from the called state's
// discounted period, else from the zone's period, else 1; a period must be
// above 0 to count. Both periods must hold on the call's date (whole days,
// last day included), in the band that holds its time of day, for the
// calendar's type of its day. Of several matching rows the smallest count
// wins; a call without any keeps the count it has. Then the exchange's count
// stands unless it exceeds the computed one by 5 or more.
bool VypocetTarifu::impulsy()
{
    if (!nactiTarify() || !nactiKalendar()) return false;
    const TabulkyTarifu& t = *m_tab;
    static const std::vector<TabulkyTarifu::Perioda> zadne;
    for (Hovor& h : m_hovory) {
        if (!naStupni(h, StupenHovoru::Pasmo) || !je(h.tarifovat, 1)) continue;
        naStupen(h, StupenHovoru::Impulsy);
        const Text den = podretezec(h.datum_a_cas, 1, 10);
        const Text cas = podretezec(h.datum_a_cas, 12, 8);
        if (den.null()) continue;
        const auto k = t.kalendar.find(std::string(den.sv()));
        if (k == t.kalendar.end()) continue;
        const Hodnota& typDne = k->second;
        auto plati = [&](const TabulkyTarifu::Perioda& p) {
            return porovnej(p.typ_dne, typDne) == 0 && mezi(den, p.od_dne, p.do_dne) && mezi(cas, p.od_casu, p.do_casu);
        };
        // The state's discount: the smallest period above 0 among its valid rows.
        const Hodnota* sleva = nullptr;
        if (!h.kod_statu.null()) {
            const auto s = t.slevy.find(std::string(h.kod_statu.sv()));
            if (s != t.slevy.end())
                for (const auto& p : s->second)
                    if (porovnej(p.perioda, 0).value_or(0) > 0 && plati(p)
                        && (!sleva || porovnej(p.perioda, *sleva).value_or(0) < 0))
                        sleva = &p.perioda;
        }
        const std::vector<TabulkyTarifu::Perioda>* radky = &t.periodyJine;
        if (h.pasmo.druh == Hodnota::Cele) {
            const auto it = t.periody.find(h.pasmo.i);
            radky = it != t.periody.end() ? &it->second : &zadne;
        }
        std::optional<double> nejmensi;
        long long delka = 0;
        const bool maDelku = !h.delka.null() && sekundyTextu(h.delka.p, int(h.delka.n), delka);
        for (const auto& p : *radky) {
            if (porovnej(p.pasmo, h.pasmo) != 0 || !plati(p)) continue;
            double perioda = 1;
            if (sleva) perioda = realne(*sleva);
            else if (porovnej(p.perioda, 0).value_or(0) > 0) perioda = realne(p.perioda);
            if (perioda == 0) continue;  // a division by 0 gives no count
            for (const auto& o : t.odecitane) {
                long long odecet = 0;
                if (!je(h.typ, o.typ.sv()) || o.typ.null() || !mezi(h.datum_a_cas, o.od, o.do_) || !maDelku
                    || o.cas.null() || !sekundyTextu(o.cas.p, int(o.cas.n), odecet))
                    continue;
                const double pocet = std::ceil(double(std::max(0LL, delka - odecet)) / perioda);
                if (!nejmensi || pocet < *nejmensi) nejmensi = pocet;
            }
        }
        if (nejmensi) {
            if (std::fabs(*nejmensi) < 9.0e18) h.program_pocet_impulsu = Hodnota::cele(static_cast<std::int64_t>(*nejmensi));
            else {
                h.program_pocet_impulsu.druh = Hodnota::Realne;
                h.program_pocet_impulsu.r = *nejmensi;
            }
        }
    }
    for (Hovor& h : m_hovory) {
        if (!naStupni(h, StupenHovoru::Impulsy)) continue;
        const Hodnota& program = h.program_pocet_impulsu;
        const Hodnota& ustredna = h.pocet_impulsu;
        if (program.null() || ustredna.null() || je(ustredna, 0) || porovnej(program, ustredna) == 0) continue;
        Hodnota plus5;
        if (program.druh == Hodnota::Cele) plus5 = Hodnota::cele(program.i + 5);
        else {
            plus5.druh = Hodnota::Realne;
            plus5.r = realne(program) + 5;
        }
        if (porovnej(plus5, ustredna).value_or(0) > 0) h.program_pocet_impulsu = ustredna;
    }
    for (Hovor& h : m_hovory)
        if (naStupni(h, StupenHovoru::Pasmo)) naStupen(h, StupenHovoru::Impulsy);
    return true;
}

// Numbers too short to be real calls are not charged (zone and count stay):
// any number under 3 characters; a number with the international prefix
// shorter than prefix, state code (1 when none was found) and area code plus 3
// digits (1 when none was found); a number with the long-distance prefix (and
// not the international one) shorter than prefix and area code (1 when none).
void VypocetTarifu::kratka_cisla()
{
    const std::string_view mp = m_mp.sv(), mm = m_mm.sv();
    const std::int64_t dmp = znaku(m_mp), dmm = znaku(m_mm);
    for (Hovor& h : m_hovory) {
        if (!naStupni(h, StupenHovoru::Impulsy)) continue;
        naStupen(h, StupenHovoru::KratkaCisla);
        if (h.volane_cislo.null()) continue;
        const std::int64_t delka = znaku(h.volane_cislo);
        const bool c = je(h.typ, "C"), b = je(h.typ, "B"), p = je(h.typ, "P");
        const std::int64_t stat = h.kod_statu.null() ? 1 : znaku(h.kod_statu);
        if ((c || p) && !mp.empty() && zacina(h.volane_cislo, mp)
            && delka < dmp + stat + (h.kod_mesta.null() ? 1 : znaku(h.kod_mesta) + 3)) {
            h.tarifovat = Hodnota::cele(0);
        } else if ((b || p) && !mm.empty() && zacina(h.volane_cislo, mm) && !zacina(h.volane_cislo, mp)
                   && delka < dmm + (h.kod_mesta.null() ? 1 : znaku(h.kod_mesta))) {
            h.tarifovat = Hodnota::cele(0);
        } else if (delka < 3) {
            h.tarifovat = Hodnota::cele(0);
        }
    }
}

// The caller, from the extension's assignment rows valid at the call's start.
// Firm and department are set only where those rows agree on one; the
// persons' surnames are listed, joined by ','.
bool VypocetTarifu::volajici()
{
    if (!nactiPrirazeni()) return false;
    const TabulkyTarifu& t = *m_tab;
    std::string seznam;
    for (Hovor& h : m_hovory) {
        if (!naStupni(h, StupenHovoru::KratkaCisla)) continue;
        naStupen(h, StupenHovoru::Otarifovan);
        h.firma = Hodnota();
        h.oddeleni = Hodnota();
        h.osoby = Text{};
        if (h.pobocka.null() || h.datum_a_cas.null()) continue;
        const auto it = t.prirazeniPobocek.find(std::string(h.pobocka.sv()));
        if (it == t.prirazeniPobocek.end()) continue;
        // One value where all rows that name one name the same.
        struct Shoda {
            const Hodnota* min = nullptr;
            const Hodnota* max = nullptr;
            void pridej(const Hodnota& v)
            {
                if (v.null()) return;
                if (!min || porovnej(v, *min).value_or(0) < 0) min = &v;
                if (!max || porovnej(v, *max).value_or(0) > 0) max = &v;
            }
            Hodnota vysledek() const { return min && porovnej(*min, *max) == 0 ? *min : Hodnota(); }
        } firma, oddeleni;
        bool nejake = false;
        seznam.clear();
        for (const auto& p : it->second) {
            if (!mezi(h.datum_a_cas, p.od, p.do_)) continue;
            firma.pridej(p.firma);
            oddeleni.pridej(p.oddeleni);
            if (!p.prijmeni.null()) {
                if (nejake) seznam += ',';
                seznam.append(p.prijmeni.sv());
                nejake = true;
            }
        }
        h.firma = firma.vysledek();
        h.oddeleni = oddeleni.vysledek();
        if (nejake) h.osoby = m_pamet.uloz(seznam);
    }
    return true;
}

bool VypocetTarifu::zapis()
{
    if (!HovoryBehu::zapis(m_t, m_hovory, m_puvodni, m_chyba)) return false;
    m_hovory.clear();
    m_puvodni.clear();
    m_pamet.vycisti();
    return true;
}

} // namespace kavro
