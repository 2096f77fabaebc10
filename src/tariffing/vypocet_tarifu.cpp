#include "vypocet_tarifu.h"

#include "platform/database.h"

#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <set>
#include <unordered_map>
#include <unordered_set>

namespace kavro {

// ---------------------------------------------------------------- values

namespace {

constexpr char kOddelovac = '\x1f';  // between the parts of a lookup key

int porovnejText(Text a, Text b)
{
    const int c = std::memcmp(a.p, b.p, std::min(a.n, b.n));
    if (c != 0) return c;
    return a.n < b.n ? -1 : (a.n > b.n ? 1 : 0);
}

// The engine's order: NULL below numbers, numbers below texts; numbers by
// value, texts byte by byte. No order with a NULL.
std::optional<int> porovnej(const Hodnota& a, const Hodnota& b)
{
    if (a.null() || b.null()) return std::nullopt;
    const bool ta = a.druh == Hodnota::Textove, tb = b.druh == Hodnota::Textove;
    if (ta || tb) {
        if (ta != tb) return ta ? 1 : -1;
        return porovnejText(Text{a.p, a.n}, Text{b.p, b.n});
    }
    if (a.druh == Hodnota::Cele && b.druh == Hodnota::Cele) return a.i < b.i ? -1 : (a.i > b.i ? 1 : 0);
    const long double x = a.druh == Hodnota::Cele ? (long double)a.i : a.r;
    const long double y = b.druh == Hodnota::Cele ? (long double)b.i : b.r;
    return x < y ? -1 : (x > y ? 1 : 0);
}

std::optional<int> porovnej(const Hodnota& a, std::int64_t k) { return porovnej(a, Hodnota::cele(k)); }
bool je(const Hodnota& a, std::int64_t k) { return porovnej(a, k) == 0; }

// The value as CAST(x AS REAL) gives it: a text by the number it begins with.
double realne(const Hodnota& h)
{
    switch (h.druh) {
    case Hodnota::Cele: return double(h.i);
    case Hodnota::Realne: return h.r;
    case Hodnota::Textove: return std::strtod(std::string(h.p, h.n).c_str(), nullptr);
    default: return 0;
    }
}

bool je(Text t, std::string_view s) { return !t.null() && t.sv() == s; }

// lo <= x <= hi; false when any of them is NULL.
bool mezi(Text x, Text lo, Text hi)
{
    return !x.null() && !lo.null() && !hi.null() && porovnejText(x, lo) >= 0 && porovnejText(x, hi) <= 0;
}

bool zacina(Text t, std::string_view s) { return !t.null() && t.sv().substr(0, s.size()) == s; }

// Characters (not bytes) of a UTF-8 text.
std::int64_t znaku(std::string_view s)
{
    std::int64_t n = 0;
    for (unsigned char c : s) n += (c & 0xC0) != 0x80;
    return n;
}
std::int64_t znaku(Text t) { return znaku(t.sv()); }

// substr(t, zacatek, delka) by characters, zacatek from 1.
Text podretezec(Text t, std::int64_t zacatek, std::int64_t delka)
{
    if (t.null()) return t;
    const char* p = t.p;
    const char* end = t.p + t.n;
    auto dalsi = [&](const char* q) {
        ++q;
        while (q < end && (static_cast<unsigned char>(*q) & 0xC0) == 0x80) ++q;
        return q;
    };
    for (std::int64_t i = 1; i < zacatek && p < end; ++i) p = dalsi(p);
    const char* q = p;
    for (std::int64_t i = 0; i < delka && q < end; ++i) q = dalsi(q);
    return Text{p, std::uint32_t(q - p)};
}

// The text of a column that is not NULL, valid until the next step of the query.
std::string_view sloupec(sqlite3_stmt* st, int c)
{
    const char* t = reinterpret_cast<const char*>(sqlite3_column_text(st, c));
    return t ? std::string_view(t, std::size_t(sqlite3_column_bytes(st, c))) : std::string_view();
}

Text cti(sqlite3_stmt* st, int c, Pamet& pamet)
{
    if (sqlite3_column_type(st, c) == SQLITE_NULL) return Text{};
    return pamet.uloz(sloupec(st, c));
}

Hodnota ctiHodnotu(sqlite3_stmt* st, int c, Pamet& pamet)
{
    Hodnota h;
    switch (sqlite3_column_type(st, c)) {
    case SQLITE_INTEGER:
        h.druh = Hodnota::Cele;
        h.i = sqlite3_column_int64(st, c);
        break;
    case SQLITE_FLOAT:
        h.druh = Hodnota::Realne;
        h.r = sqlite3_column_double(st, c);
        break;
    case SQLITE_NULL: break;
    default: {
        const Text t = cti(st, c, pamet);
        h.druh = Hodnota::Textove;
        h.p = t.p;
        h.n = t.n;
    }
    }
    return h;
}

bool stejne(Text a, Text b) { return a.null() == b.null() && a.sv() == b.sv(); }

bool stejne(const Hodnota& a, const Hodnota& b)
{
    if (a.druh != b.druh) return false;
    switch (a.druh) {
    case Hodnota::Cele: return a.i == b.i;
    case Hodnota::Realne: return a.r == b.r;
    case Hodnota::Textove: return stejne(Text{a.p, a.n}, Text{b.p, b.n});
    default: return true;
    }
}

// True when the columns a run writes are the same in both.
bool stejne(const Hovor& a, const Hovor& b)
{
    return stejne(a.status, b.status) && stejne(a.typ, b.typ) && stejne(a.tarifovat, b.tarifovat)
        && stejne(a.kod_statu, b.kod_statu) && stejne(a.kod_mesta, b.kod_mesta)
        && stejne(a.cislo_ucastnika, b.cislo_ucastnika) && stejne(a.pasmo, b.pasmo)
        && stejne(a.program_pocet_impulsu, b.program_pocet_impulsu) && stejne(a.firma, b.firma)
        && stejne(a.oddeleni, b.oddeleni) && stejne(a.osoby, b.osoby);
}

int vaz(sqlite3_stmt* st, int i, Text t)
{
    return t.null() ? sqlite3_bind_null(st, i) : sqlite3_bind_text(st, i, t.p, int(t.n), SQLITE_STATIC);
}

int vaz(sqlite3_stmt* st, int i, const Hodnota& h)
{
    switch (h.druh) {
    case Hodnota::Cele: return sqlite3_bind_int64(st, i, h.i);
    case Hodnota::Realne: return sqlite3_bind_double(st, i, h.r);
    case Hodnota::Textove: return sqlite3_bind_text(st, i, h.p, int(h.n), SQLITE_STATIC);
    default: return sqlite3_bind_null(st, i);
    }
}

// A prepared statement that finalises itself.
struct Prikaz {
    sqlite3_stmt* st = nullptr;
    Prikaz(sqlite3* db, const char* sql) { sqlite3_prepare_v2(db, sql, -1, &st, nullptr); }
    ~Prikaz() { sqlite3_finalize(st); }
    explicit operator bool() const { return st != nullptr; }
};

std::string klic(std::initializer_list<std::string_view> casti)
{
    std::string k;
    bool prvni = true;
    for (std::string_view c : casti) {
        if (!prvni) k += kOddelovac;
        k += c;
        prvni = false;
    }
    return k;
}

void pridejDelku(std::vector<int>& delky, std::int64_t n)
{
    if (std::find(delky.begin(), delky.end(), int(n)) == delky.end()) delky.push_back(int(n));
}

} // namespace

Text Pamet::uloz(std::string_view s)
{
    if (s.empty()) return Text{"", 0};  // empty, not NULL, also before the first block
    if (s.size() > m_zbyva) {
        const std::size_t velikost = std::max<std::size_t>(1 << 20, s.size());
        m_bloky.emplace_back(new char[velikost]);
        m_volno = m_bloky.back().get();
        m_zbyva = velikost;
    }
    char* p = m_volno;
    std::memcpy(p, s.data(), s.size());
    m_volno += s.size();
    m_zbyva -= s.size();
    return Text{p, std::uint32_t(s.size())};
}

void Pamet::vycisti()
{
    m_bloky.clear();
    m_volno = nullptr;
    m_zbyva = 0;
}

// ---------------------------------------------------------------- the tables

struct VypocetTarifu::Tabulky {
    Pamet pamet;
    bool adresar = false, tarify = false, prirazeni = false;

    // The directory: zones by state, by state and area; the subscribers.
    std::unordered_map<std::string, Hodnota> staty, mesta;
    std::unordered_set<std::string> ucastnici;
    std::vector<int> delkyStatu, delkyMest, delkyUcastniku;  // longest first

    struct Perioda {
        Hodnota pasmo, typ_dne, perioda;
        Text od_dne, do_dne, od_casu, do_casu;
    };
    std::unordered_map<std::int64_t, std::vector<Perioda>> periody;  // by whole-number zone
    std::vector<Perioda> periodyJine;                               // zones of another kind
    std::unordered_map<std::string, std::vector<Perioda>> slevy;   // by state
    struct Pseudotarif {
        Text typ, cas, od, do_;
    };
    std::vector<Pseudotarif> odecitane;  // the subtracted times ('D')

    struct Prirazeni {
        Text od, do_;
        Hodnota firma, oddeleni;
        Text prijmeni;
    };
    // By extension, in the order of their validity's beginning and end.
    std::unordered_map<std::string, std::vector<Prirazeni>> prirazeniPobocek;

    // Read by every run: the day types and the trunk lines' flags.
    std::unordered_map<std::string, Hodnota> kalendar, linky;
};

VypocetTarifu::VypocetTarifu(sqlite3* db) : m_db(db), m_tab(new Tabulky) {}

VypocetTarifu::~VypocetTarifu() = default;

bool VypocetTarifu::selhalo(const char* kde)
{
    m_chyba = std::string(sqlite3_errmsg(m_db)) + " (" + kde + ")";
    return false;
}

void VypocetTarifu::podrz_tabulky(bool drzet)
{
    m_drzet = drzet;
    if (!drzet) m_tab.reset(new Tabulky);
}

bool VypocetTarifu::nacti_hovory(const Predvolby& predvolby, const std::string& od, const std::string& do_)
{
    m_hovory.clear();
    m_puvodni.clear();
    m_pamet.vycisti();
    if (!m_drzet) m_tab.reset(new Tabulky);
    m_tab->kalendar.clear();
    m_tab->linky.clear();
    m_mp = m_pamet.uloz(predvolby.mezistatni);
    m_mm = m_pamet.uloz(predvolby.mezimestska);
    m_ks = m_pamet.uloz(predvolby.kod_statu);
    m_km = m_pamet.uloz(predvolby.kod_mesta);

    const bool rozsah = !od.empty();
    const std::string sloupce =
        "SELECT id_hovoru, ustredna_datum_a_cas, ustredna_delka_hovoru, ustredna_volane_cislo, "
        "ustredna_pocet_impulsu, ustredna_cislo_pobocky, ustredna_cislo_linky, status_hovoru, typ_hovoru, "
        "tarifovat_hovor, kod_statu, kod_mesta, cislo_ucastnika, id_pasma, program_pocet_impulsu, id_firmy, "
        "id_oddeleni, popis_osob FROM dba.hovory WHERE ";
    const auto cti_hovory = [&](const std::string& podminka, bool znovu) {
        Prikaz q(m_db, (sloupce + podminka).c_str());
        if (!q) return selhalo("hovory");
        if (rozsah) {
            sqlite3_bind_text(q.st, 1, od.data(), int(od.size()), SQLITE_STATIC);
            sqlite3_bind_text(q.st, 2, do_.data(), int(do_.size()), SQLITE_STATIC);
        }
        int rc;
        while ((rc = sqlite3_step(q.st)) == SQLITE_ROW) {
            Hovor h;
            h.id = sqlite3_column_int64(q.st, 0);
            h.datum_a_cas = cti(q.st, 1, m_pamet);
            h.delka = cti(q.st, 2, m_pamet);
            h.volane_cislo = cti(q.st, 3, m_pamet);
            h.pocet_impulsu = ctiHodnotu(q.st, 4, m_pamet);
            h.pobocka = cti(q.st, 5, m_pamet);
            h.linka = cti(q.st, 6, m_pamet);
            h.status = ctiHodnotu(q.st, 7, m_pamet);
            h.typ = cti(q.st, 8, m_pamet);
            h.tarifovat = ctiHodnotu(q.st, 9, m_pamet);
            h.kod_statu = cti(q.st, 10, m_pamet);
            h.kod_mesta = cti(q.st, 11, m_pamet);
            h.cislo_ucastnika = cti(q.st, 12, m_pamet);
            h.pasmo = ctiHodnotu(q.st, 13, m_pamet);
            h.program_pocet_impulsu = ctiHodnotu(q.st, 14, m_pamet);
            h.firma = ctiHodnotu(q.st, 15, m_pamet);
            h.oddeleni = ctiHodnotu(q.st, 16, m_pamet);
            h.osoby = cti(q.st, 17, m_pamet);
            if (znovu) {
                h.puvodni = std::int32_t(m_puvodni.size());
                m_puvodni.push_back(h);
                h.typ = h.kod_statu = h.kod_mesta = h.cislo_ucastnika = Text{};
                h.status = Hodnota::cele(2);
                h.tarifovat = Hodnota::cele(0);
                h.pasmo = h.program_pocet_impulsu = Hodnota();
            }
            m_hovory.push_back(h);
        }
        return rc == SQLITE_DONE || selhalo("hovory");
    };
    if (rozsah) {
        if (!cti_hovory("ustredna_datum_a_cas >= ?1 AND ustredna_datum_a_cas < ?2", true)
            || !cti_hovory("status_hovoru < 10 AND (ustredna_datum_a_cas IS NULL OR ustredna_datum_a_cas < ?1 "
                           "OR ustredna_datum_a_cas >= ?2)",
                           false))
            return false;
    } else if (!cti_hovory("status_hovoru < 10", false)) {
        return false;
    }
    // Written back in the order of the table's key.
    std::sort(m_hovory.begin(), m_hovory.end(), [](const Hovor& a, const Hovor& b) { return a.id < b.id; });
    return true;
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

// Calls `radek` for every row of the query `sql`; false when the query fails.
template <class F>
static bool kazdyRadek(sqlite3* db, const char* sql, F&& radek)
{
    Prikaz q(db, sql);
    if (!q) return false;
    int rc;
    while ((rc = sqlite3_step(q.st)) == SQLITE_ROW) radek(q.st);
    return rc == SQLITE_DONE;
}

bool VypocetTarifu::nactiAdresar()
{
    if (m_hovory.empty()) return true;  // nothing to look up
    Tabulky& t = *m_tab;
    if (t.adresar) return true;
    if (!kazdyRadek(m_db, "SELECT kod_statu, id_pasma FROM dba.ciselnik_statu WHERE kod_statu IS NOT NULL",
                    [&](sqlite3_stmt* st) {
                        const std::string_view kod = sloupec(st, 0);
                        t.staty[std::string(kod)] = ctiHodnotu(st, 1, t.pamet);
                        const std::int64_t n = znaku(kod);
                        if (n >= 1 && n <= 5) pridejDelku(t.delkyStatu, n);
                    }))
        return selhalo("ciselnik_statu");
    if (!kazdyRadek(m_db, "SELECT kod_statu, kod_mesta, id_pasma FROM dba.ciselnik_mest "
                          "WHERE kod_statu IS NOT NULL AND kod_mesta IS NOT NULL",
                    [&](sqlite3_stmt* st) {
                        const std::string_view mesto = sloupec(st, 1);
                        t.mesta[klic({sloupec(st, 0), mesto})] = ctiHodnotu(st, 2, t.pamet);
                        const std::int64_t n = znaku(mesto);
                        if (n >= 1 && n <= 5) pridejDelku(t.delkyMest, n);
                    }))
        return selhalo("ciselnik_mest");
    if (!kazdyRadek(m_db, "SELECT kod_statu, kod_mesta, cislo_ucastnika FROM dba.ciselnik_ucastniku "
                          "WHERE kod_statu IS NOT NULL AND kod_mesta IS NOT NULL AND cislo_ucastnika IS NOT NULL",
                    [&](sqlite3_stmt* st) {
                        const std::string_view cislo = sloupec(st, 2);
                        t.ucastnici.insert(klic({sloupec(st, 0), sloupec(st, 1), cislo}));
                        const std::int64_t n = znaku(cislo);
                        if (n >= 1) pridejDelku(t.delkyUcastniku, n);
                    }))
        return selhalo("ciselnik_ucastniku");
    for (auto* d : {&t.delkyStatu, &t.delkyMest, &t.delkyUcastniku}) std::sort(d->begin(), d->end(), std::greater<int>());
    t.adresar = true;
    return true;
}

bool VypocetTarifu::nactiTarify()
{
    if (m_hovory.empty()) return true;  // nothing to look up
    Tabulky& t = *m_tab;
    if (t.tarify) return true;
    // Both kinds of period: the key (zone or state), day type, seconds, days and band.
    const auto perioda = [&](sqlite3_stmt* st) {
        Tabulky::Perioda p;
        p.pasmo = ctiHodnotu(st, 0, t.pamet);
        p.typ_dne = ctiHodnotu(st, 1, t.pamet);
        p.perioda = ctiHodnotu(st, 2, t.pamet);
        p.od_dne = cti(st, 3, t.pamet);
        p.do_dne = cti(st, 4, t.pamet);
        p.od_casu = cti(st, 5, t.pamet);
        p.do_casu = cti(st, 6, t.pamet);
        return p;
    };
    if (!kazdyRadek(m_db, "SELECT id_pasma, typ_dne, perioda, pocatek_platnosti, konec_platnosti, od_casu, do_casu "
                          "FROM dba.perioda_impulsu WHERE id_pasma IS NOT NULL",
                    [&](sqlite3_stmt* st) {
                        const Tabulky::Perioda p = perioda(st);
                        if (p.pasmo.druh == Hodnota::Cele) t.periody[p.pasmo.i].push_back(p);
                        else t.periodyJine.push_back(p);
                    }))
        return selhalo("perioda_impulsu");
    if (!kazdyRadek(m_db, "SELECT kod_statu, typ_dne, perioda, pocatek_platnosti, konec_platnosti, od_casu, do_casu "
                          "FROM dba.zlevnene_volani WHERE kod_statu IS NOT NULL",
                    [&](sqlite3_stmt* st) {
                        t.slevy[std::string(sloupec(st, 0))].push_back(perioda(st));
                    }))
        return selhalo("zlevnene_volani");
    if (!kazdyRadek(m_db, "SELECT typ_hovoru, cas, pocatek_platnosti, konec_platnosti FROM dba.casy_pseudotarifu "
                          "WHERE typ_casu = 'D'",
                    [&](sqlite3_stmt* st) {
                        t.odecitane.push_back({cti(st, 0, t.pamet), cti(st, 1, t.pamet), cti(st, 2, t.pamet),
                                               cti(st, 3, t.pamet)});
                    }))
        return selhalo("casy_pseudotarifu");
    t.tarify = true;
    return true;
}

bool VypocetTarifu::nactiPrirazeni()
{
    if (m_hovory.empty()) return true;  // nothing to look up
    Tabulky& t = *m_tab;
    if (t.prirazeni) return true;
    // The rows of an extension in the order in which the extension's index
    // gives them; the persons' list follows it.
    if (!kazdyRadek(m_db,
                    "SELECT pp.cislo_pobocky, pp.pocatek_platnosti, pp.konec_platnosti, pp.id_firmy, pp.id_oddeleni, "
                    "co.prijmeni FROM dba.prirazeni_pobocek pp LEFT OUTER JOIN dba.ciselnik_osob co "
                    "ON pp.id_osoby = co.id_osoby WHERE pp.cislo_pobocky IS NOT NULL "
                    "ORDER BY pp.cislo_pobocky, pp.pocatek_platnosti, pp.konec_platnosti, pp.rowid",
                    [&](sqlite3_stmt* st) {
                        const Text pobocka = cti(st, 0, t.pamet);
                        Tabulky::Prirazeni p;
                        p.od = cti(st, 1, t.pamet);
                        p.do_ = cti(st, 2, t.pamet);
                        p.firma = ctiHodnotu(st, 3, t.pamet);
                        p.oddeleni = ctiHodnotu(st, 4, t.pamet);
                        p.prijmeni = cti(st, 5, t.pamet);
                        t.prirazeniPobocek[std::string(pobocka.sv())].push_back(p);
                    }))
        return selhalo("prirazeni_pobocek");
    t.prirazeni = true;
    return true;
}

bool VypocetTarifu::nactiKalendar()
{
    if (m_hovory.empty()) return true;  // nothing to look up
    Tabulky& t = *m_tab;
    if (!t.kalendar.empty()) return true;
    return kazdyRadek(m_db, "SELECT datum, typ_dne FROM dba.kalendar WHERE datum IS NOT NULL",
                      [&](sqlite3_stmt* st) {
                          const Text den = cti(st, 0, m_pamet);
                          t.kalendar[std::string(den.sv())] = ctiHodnotu(st, 1, m_pamet);
                      })
        || selhalo("kalendar");
}

bool VypocetTarifu::nactiLinky()
{
    if (m_hovory.empty()) return true;  // nothing to look up
    Tabulky& t = *m_tab;
    t.linky.clear();
    return kazdyRadek(m_db,
                      "SELECT ustredna_cislo_linky, zapojen FROM dba.tarifni_vysilace "
                      "WHERE ustredna_cislo_linky IS NOT NULL",
                      [&](sqlite3_stmt* st) {
                          const Text linka = cti(st, 0, m_pamet);
                          t.linky[std::string(linka.sv())] = ctiHodnotu(st, 1, m_pamet);
                      })
        || selhalo("tarifni_vysilace");
}

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

void naStupen(Hovor& h, std::int64_t stupen) { h.status = Hodnota::cele(stupen); }

} // namespace

bool VypocetTarifu::typ_hovoru()
{
    if (!nactiAdresar()) return false;
    const std::string_view mp = m_mp.sv(), mm = m_mm.sv();
    for (Hovor& h : m_hovory) {
        if (!je(h.status, 2)) continue;
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
        naStupen(h, 3);
    }
    return true;
}

void VypocetTarifu::fakta_linek(std::vector<std::string>& vsechny, std::vector<std::string>& bez_impulsu,
                                std::vector<std::string>& s_impulsy) const
{
    std::set<std::string> v, b, s;
    const Text petMinut{"00:05:00", 8};
    for (const Hovor& h : m_hovory) {
        if (!je(h.status, 3) || h.typ.null() || je(h.typ, "P") || h.linka.null()) continue;
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
    const Tabulky& t = *m_tab;
    for (Hovor& h : m_hovory) {
        if (!je(h.status, 3)) continue;
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
        naStupen(h, 4);
    }
    return true;
}

bool VypocetTarifu::kody_statu_a_mest()
{
    if (!nactiAdresar()) return false;
    const Tabulky& t = *m_tab;
    const std::int64_t mp = znaku(m_mp), mm = znaku(m_mm);
    for (Hovor& h : m_hovory) {
        if (!je(h.status, 4)) continue;
        if (h.kod_statu.null() && je(h.typ, "C")) h.kod_statu = nejdelsi(h, 1 + mp, t.delkyStatu, t.staty, {});
        if (h.kod_mesta.null() && (je(h.typ, "C") || je(h.typ, "B")) && !h.kod_statu.null()) {
            const std::int64_t zacatek = je(h.typ, "C") ? 1 + mp + znaku(h.kod_statu) : 1 + mm;
            const std::string predpona = klic({h.kod_statu.sv(), {}});
            h.kod_mesta = nejdelsi(h, zacatek, t.delkyMest, t.mesta, predpona);
        }
        naStupen(h, 5);
    }
    return true;
}

bool VypocetTarifu::ucastnici()
{
    if (!nactiAdresar()) return false;
    const std::int64_t mp = znaku(m_mp), mm = znaku(m_mm);
    for (Hovor& h : m_hovory) {
        if (!je(h.status, 5)) continue;
        if (h.cislo_ucastnika.null() && !h.kod_mesta.null()) {
            if (je(h.typ, "C") && !h.kod_statu.null())
                h.cislo_ucastnika =
                    ucastnik(h, 1 + mp + znaku(h.kod_statu) + znaku(h.kod_mesta), h.kod_statu, h.kod_mesta);
            else if (je(h.typ, "B"))
                h.cislo_ucastnika = ucastnik(h, 1 + mm + znaku(h.kod_mesta), h.kod_statu, h.kod_mesta);
        }
        naStupen(h, 6);
    }
    return true;
}

bool VypocetTarifu::pasma()
{
    if (!nactiAdresar()) return false;
    const Tabulky& t = *m_tab;
    for (Hovor& h : m_hovory) {
        if (!je(h.status, 6)) continue;
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
        naStupen(h, 7);
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
    const Tabulky& t = *m_tab;
    static const std::vector<Tabulky::Perioda> zadne;
    for (Hovor& h : m_hovory) {
        if (!je(h.status, 7) || !je(h.tarifovat, 1)) continue;
        naStupen(h, 8);
        const Text den = podretezec(h.datum_a_cas, 1, 10);
        const Text cas = podretezec(h.datum_a_cas, 12, 8);
        if (den.null()) continue;
        const auto k = t.kalendar.find(std::string(den.sv()));
        if (k == t.kalendar.end()) continue;
        const Hodnota& typDne = k->second;
        auto plati = [&](const Tabulky::Perioda& p) {
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
        const std::vector<Tabulky::Perioda>* radky = &t.periodyJine;
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
        if (!je(h.status, 8)) continue;
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
        if (je(h.status, 7)) naStupen(h, 8);
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
        if (!je(h.status, 8)) continue;
        naStupen(h, 9);
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
    const Tabulky& t = *m_tab;
    std::string seznam;
    for (Hovor& h : m_hovory) {
        if (!je(h.status, 9)) continue;
        naStupen(h, 10);
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
    Prikaz u(m_db, "UPDATE dba.hovory SET status_hovoru = ?, typ_hovoru = ?, tarifovat_hovor = ?, kod_statu = ?, "
                   "kod_mesta = ?, cislo_ucastnika = ?, id_pasma = ?, program_pocet_impulsu = ?, id_firmy = ?, "
                   "id_oddeleni = ?, popis_osob = ? WHERE id_hovoru = ?");
    if (!u) return selhalo("hovory");
    for (const Hovor& h : m_hovory) {
        if (h.puvodni >= 0 && stejne(h, m_puvodni[std::size_t(h.puvodni)])) continue;
        vaz(u.st, 1, h.status);
        vaz(u.st, 2, h.typ);
        vaz(u.st, 3, h.tarifovat);
        vaz(u.st, 4, h.kod_statu);
        vaz(u.st, 5, h.kod_mesta);
        vaz(u.st, 6, h.cislo_ucastnika);
        vaz(u.st, 7, h.pasmo);
        vaz(u.st, 8, h.program_pocet_impulsu);
        vaz(u.st, 9, h.firma);
        vaz(u.st, 10, h.oddeleni);
        vaz(u.st, 11, h.osoby);
        sqlite3_bind_int64(u.st, 12, h.id);
        if (sqlite3_step(u.st) != SQLITE_DONE) return selhalo("hovory");
        sqlite3_reset(u.st);
    }
    m_hovory.clear();
    m_puvodni.clear();
    m_pamet.vycisti();
    return true;
}

} // namespace kavro
