#pragma once
// The calls of one tariffing run and the per-call work of its steps.
//
// A run reads every call below stage 10 once (HovoryBehu), takes each through
// the steps in memory and writes it back once (HovoryBehu). The values keep the
// meaning they have in the database (hodnoty_tarifu.h). Lookups use the
// directories and tariff tables read into hash tables (TabulkyTarifu); a step
// reads the tables it needs when it first runs.
//
// The class knows no window and no signal; Tarifovani drives it step by step.
#include "tariffing/hodnoty_tarifu.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kavro {

class Transaction;
struct TabulkyTarifu;

class VypocetTarifu {
public:
    // The site values, as the site row gives them.
    struct Predvolby {
        std::string mezistatni, mezimestska, kod_statu, kod_mesta;
    };

    explicit VypocetTarifu(Transaction& t);
    ~VypocetTarifu();

    // Reads the calls below stage 10. Unless the tables are held, forgets the
    // tables read by the run before. With a range of starts [od, do_), the
    // calls that start in it are read too, whatever their stage, and go back
    // to stage 2 (no type, not charged, no state, area or subscriber code, no
    // zone, no impulse count) as the run begins.
    bool nacti_hovory(const Predvolby& predvolby, const std::string& od = {}, const std::string& do_ = {});
    // While held, tables read by one run serve the next ones (a series of runs
    // in one unit of work, where they cannot change). The calendar and the
    // trunk lines, which runs change, are read by each run.
    void podrz_tabulky(bool drzet);

    // The distinct date parts (first ten characters of the start) of the calls.
    std::vector<std::string> dny() const;

    // The steps; each moves the calls of its stage on to the next one and
    // returns false when reading a table failed (chyba() says why).
    bool typ_hovoru();            // 2 -> 3
    // The trunk lines' facts from the calls of stage 3: every line of an
    // outgoing call, the lines with a call without impulses over 5 minutes,
    // the lines with a call with impulses.
    void fakta_linek(std::vector<std::string>& vsechny, std::vector<std::string>& bez_impulsu,
                     std::vector<std::string>& s_impulsy) const;
    bool tarif_podle_linek();     // 3 -> 4
    bool kody_statu_a_mest();     // 4 -> 5
    bool ucastnici();             // 5 -> 6
    bool pasma();                 // 6 -> 7
    bool impulsy();               // 7 -> 8
    void kratka_cisla();          // 8 -> 9
    bool volajici();              // 9 -> 10

    // Writes every call back to dba.hovory (one update each) and forgets them.
    // A call taken back to stage 2 that ends exactly as it was stored is left
    // as it is.
    bool zapis();

    std::string chyba() const { return m_chyba; }

private:
    bool nactiAdresar();
    bool nactiTarify();
    bool nactiKalendar();
    bool nactiLinky();
    bool nactiPrirazeni();
    // The longest of `delky` characters of the dialled number from character
    // `zacatek` on (1 = the first) whose key, `predpona` followed by those
    // characters, is in `klice`; null when none is, or when zacatek is.
    template <class Mnozina>
    Text nejdelsi(const Hovor& h, std::optional<std::int64_t> zacatek, const std::vector<int>& delky,
                  const Mnozina& klice, std::string_view predpona);
    Text ucastnik(const Hovor& h, std::optional<std::int64_t> zacatek, Text stat, Text mesto);

    Transaction& m_t;
    Text m_mp, m_mm, m_ks, m_km;
    Pamet m_pamet;  // the texts of the calls and what the steps set
    std::vector<Hovor> m_hovory;
    std::vector<Hovor> m_puvodni;  // calls taken back to stage 2, as they were stored
    std::unique_ptr<TabulkyTarifu> m_tab;
    bool m_drzet = false;
    std::string m_klic;  // a reused lookup key
    std::string m_chyba;
};

} // namespace kavro
