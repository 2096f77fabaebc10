#pragma once
// The values of a tariffing run: the calls and the tables hold the database's
// values as they are stored. Texts compare byte by byte as the engine's BINARY
// collation does, an INTEGER column's value stays whatever kind it is stored
// as (a number in practice), and NULL matches nothing.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kavro {

class FastStatement;

// A text of the database; null when p is null.
struct Text {
    const char* p = nullptr;
    std::uint32_t n = 0;
    bool null() const { return p == nullptr; }
    std::string_view sv() const { return {p ? p : "", n}; }
};

// A value of an INTEGER column as stored: NULL, a whole number, a real, or a
// text the column could not take as a number.
struct Hodnota {
    enum Druh : std::uint8_t { Null, Cele, Realne, Textove };
    Druh druh = Null;
    std::uint32_t n = 0;  // bytes of a text
    union {
        std::int64_t i;
        double r;
        const char* p;
    };
    Hodnota() : i(0) {}
    static Hodnota cele(std::int64_t v)
    {
        Hodnota h;
        h.druh = Cele;
        h.i = v;
        return h;
    }
    bool null() const { return druh == Null; }
};

// Holds the texts of a run (or of the loaded tables) in large blocks.
class Pamet {
public:
    Text uloz(std::string_view s);
    void vycisti();

private:
    std::vector<std::unique_ptr<char[]>> m_bloky;
    char* m_volno = nullptr;
    std::size_t m_zbyva = 0;
};

// One call: what the exchange reported, and the columns the steps set.
struct Hovor {
    std::int64_t id = 0;
    Text datum_a_cas, delka, volane_cislo, pobocka, linka;
    Hodnota pocet_impulsu;
    Hodnota status;
    Text typ;
    Hodnota tarifovat;
    Text kod_statu, kod_mesta, cislo_ucastnika;
    Hodnota pasmo, program_pocet_impulsu, firma, oddeleni;
    Text osoby;
    // For a call read at stage 10 and taken back to stage 2: the index of the
    // columns it had stored (-1 for the others).
    std::int32_t puvodni = -1;
};

// Comparisons and text functions on the values, as the engine's own behave.
namespace hodnoty {

constexpr char kOddelovac = '\x1f';  // between the parts of a lookup key

inline int porovnejText(Text a, Text b)
{
    const int c = std::memcmp(a.p, b.p, std::min(a.n, b.n));
    if (c != 0) return c;
    return a.n < b.n ? -1 : (a.n > b.n ? 1 : 0);
}

// The engine's order: NULL below numbers, numbers below texts; numbers by
// value, texts byte by byte. No order with a NULL.
inline std::optional<int> porovnej(const Hodnota& a, const Hodnota& b)
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

inline std::optional<int> porovnej(const Hodnota& a, std::int64_t k) { return porovnej(a, Hodnota::cele(k)); }
inline bool je(const Hodnota& a, std::int64_t k) { return porovnej(a, k) == 0; }

// The value as CAST(x AS REAL) gives it: a text by the number it begins with.
inline double realne(const Hodnota& h)
{
    switch (h.druh) {
    case Hodnota::Cele: return double(h.i);
    case Hodnota::Realne: return h.r;
    case Hodnota::Textove: return std::strtod(std::string(h.p, h.n).c_str(), nullptr);
    default: return 0;
    }
}

inline bool je(Text t, std::string_view s) { return !t.null() && t.sv() == s; }

// lo <= x <= hi; false when any of them is NULL.
inline bool mezi(Text x, Text lo, Text hi)
{
    return !x.null() && !lo.null() && !hi.null() && porovnejText(x, lo) >= 0 && porovnejText(x, hi) <= 0;
}

inline bool zacina(Text t, std::string_view s) { return !t.null() && t.sv().substr(0, s.size()) == s; }

// Characters (not bytes) of a UTF-8 text.
inline std::int64_t znaku(std::string_view s)
{
    std::int64_t n = 0;
    for (unsigned char c : s) n += (c & 0xC0) != 0x80;
    return n;
}
inline std::int64_t znaku(Text t) { return znaku(t.sv()); }

// substr(t, zacatek, delka) by characters, zacatek from 1.
inline Text podretezec(Text t, std::int64_t zacatek, std::int64_t delka)
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

inline bool stejne(Text a, Text b) { return a.null() == b.null() && a.sv() == b.sv(); }

inline bool stejne(const Hodnota& a, const Hodnota& b)
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
inline bool stejne(const Hovor& a, const Hovor& b)
{
    return stejne(a.status, b.status) && stejne(a.typ, b.typ) && stejne(a.tarifovat, b.tarifovat)
        && stejne(a.kod_statu, b.kod_statu) && stejne(a.kod_mesta, b.kod_mesta)
        && stejne(a.cislo_ucastnika, b.cislo_ucastnika) && stejne(a.pasmo, b.pasmo)
        && stejne(a.program_pocet_impulsu, b.program_pocet_impulsu) && stejne(a.firma, b.firma)
        && stejne(a.oddeleni, b.oddeleni) && stejne(a.osoby, b.osoby);
}

inline std::string klic(std::initializer_list<std::string_view> casti)
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

inline void pridejDelku(std::vector<int>& delky, std::int64_t n)
{
    if (std::find(delky.begin(), delky.end(), int(n)) == delky.end()) delky.push_back(int(n));
}

// A column's value read from the current row of a query; texts are kept in `pamet`.
std::string_view sloupec(const FastStatement& st, int c);
Text cti(const FastStatement& st, int c, Pamet& pamet);
Hodnota ctiHodnotu(const FastStatement& st, int c, Pamet& pamet);
// Binds a value as it is held.
void vaz(FastStatement& st, int i, Text t);
void vaz(FastStatement& st, int i, const Hodnota& h);

} // namespace hodnoty

} // namespace kavro
