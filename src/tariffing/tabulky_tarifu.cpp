#include "tariffing/tabulky_tarifu.h"

#include "platform/fast_statement.h"

#include <algorithm>
#include <functional>

namespace kavro {

using namespace hodnoty;

namespace {

// Calls `radek` for every row of the query `sql`; false when the query fails.
template <class F>
bool kazdyRadek(Transaction& tr, std::string& chyba, const char* sql, F&& radek)
{
    FastStatement q(tr, sql);
    while (q.next()) radek(q);
    if (!q.failed()) return true;
    chyba = q.errorText();
    return false;
}

bool selhalo(std::string& chyba, const char* kde)
{
    chyba = chyba + " (" + kde + ")";
    return false;
}

} // namespace

bool TabulkyTarifu::nactiAdresar(Transaction& tr, std::string& chyba)
{
    TabulkyTarifu& t = *this;
    if (t.adresar) return true;
    if (!kazdyRadek(tr, chyba, "SELECT kod_statu, id_pasma FROM dba.ciselnik_statu WHERE kod_statu IS NOT NULL",
                    [&](const FastStatement& st) {
                        const std::string_view kod = sloupec(st, 0);
                        t.staty[std::string(kod)] = ctiHodnotu(st, 1, t.pamet);
                        const std::int64_t n = znaku(kod);
                        if (n >= 1 && n <= 5) pridejDelku(t.delkyStatu, n);
                    }))
        return selhalo(chyba, "ciselnik_statu");
    if (!kazdyRadek(tr, chyba, "SELECT kod_statu, kod_mesta, id_pasma FROM dba.ciselnik_mest "
                          "WHERE kod_statu IS NOT NULL AND kod_mesta IS NOT NULL",
                    [&](const FastStatement& st) {
                        const std::string_view mesto = sloupec(st, 1);
                        t.mesta[klic({sloupec(st, 0), mesto})] = ctiHodnotu(st, 2, t.pamet);
                        const std::int64_t n = znaku(mesto);
                        if (n >= 1 && n <= 5) pridejDelku(t.delkyMest, n);
                    }))
        return selhalo(chyba, "ciselnik_mest");
    if (!kazdyRadek(tr, chyba, "SELECT kod_statu, kod_mesta, cislo_ucastnika FROM dba.ciselnik_ucastniku "
                          "WHERE kod_statu IS NOT NULL AND kod_mesta IS NOT NULL AND cislo_ucastnika IS NOT NULL",
                    [&](const FastStatement& st) {
                        const std::string_view cislo = sloupec(st, 2);
                        t.ucastnici.insert(klic({sloupec(st, 0), sloupec(st, 1), cislo}));
                        const std::int64_t n = znaku(cislo);
                        if (n >= 1) pridejDelku(t.delkyUcastniku, n);
                    }))
        return selhalo(chyba, "ciselnik_ucastniku");
    for (auto* d : {&t.delkyStatu, &t.delkyMest, &t.delkyUcastniku}) std::sort(d->begin(), d->end(), std::greater<int>());
    t.adresar = true;
    return true;
}

bool TabulkyTarifu::nactiTarify(Transaction& tr, std::string& chyba)
{
    TabulkyTarifu& t = *this;
    if (t.tarify) return true;
    // Both kinds of period: the key (zone or state), day type, seconds, days and band.
    const auto perioda = [&](const FastStatement& st) {
        TabulkyTarifu::Perioda p;
        p.pasmo = ctiHodnotu(st, 0, t.pamet);
        p.typ_dne = ctiHodnotu(st, 1, t.pamet);
        p.perioda = ctiHodnotu(st, 2, t.pamet);
        p.od_dne = cti(st, 3, t.pamet);
        p.do_dne = cti(st, 4, t.pamet);
        p.od_casu = cti(st, 5, t.pamet);
        p.do_casu = cti(st, 6, t.pamet);
        return p;
    };
    if (!kazdyRadek(tr, chyba, "SELECT id_pasma, typ_dne, perioda, pocatek_platnosti, konec_platnosti, od_casu, do_casu "
                          "FROM dba.perioda_impulsu WHERE id_pasma IS NOT NULL",
                    [&](const FastStatement& st) {
                        const TabulkyTarifu::Perioda p = perioda(st);
                        if (p.pasmo.druh == Hodnota::Cele) t.periody[p.pasmo.i].push_back(p);
                        else t.periodyJine.push_back(p);
                    }))
        return selhalo(chyba, "perioda_impulsu");
    if (!kazdyRadek(tr, chyba, "SELECT kod_statu, typ_dne, perioda, pocatek_platnosti, konec_platnosti, od_casu, do_casu "
                          "FROM dba.zlevnene_volani WHERE kod_statu IS NOT NULL",
                    [&](const FastStatement& st) {
                        t.slevy[std::string(sloupec(st, 0))].push_back(perioda(st));
                    }))
        return selhalo(chyba, "zlevnene_volani");
    if (!kazdyRadek(tr, chyba, "SELECT typ_hovoru, cas, pocatek_platnosti, konec_platnosti FROM dba.casy_pseudotarifu "
                          "WHERE typ_casu = 'D'",
                    [&](const FastStatement& st) {
                        t.odecitane.push_back({cti(st, 0, t.pamet), cti(st, 1, t.pamet), cti(st, 2, t.pamet),
                                               cti(st, 3, t.pamet)});
                    }))
        return selhalo(chyba, "casy_pseudotarifu");
    t.tarify = true;
    return true;
}

bool TabulkyTarifu::nactiPrirazeni(Transaction& tr, std::string& chyba)
{
    TabulkyTarifu& t = *this;
    if (t.prirazeni) return true;
    // The rows of an extension in the order in which the extension's index
    // gives them; the persons' list follows it.
    if (!kazdyRadek(tr, chyba,
                    "SELECT pp.cislo_pobocky, pp.pocatek_platnosti, pp.konec_platnosti, pp.id_firmy, pp.id_oddeleni, "
                    "co.prijmeni FROM dba.prirazeni_pobocek pp LEFT OUTER JOIN dba.ciselnik_osob co "
                    "ON pp.id_osoby = co.id_osoby WHERE pp.cislo_pobocky IS NOT NULL "
                    "ORDER BY pp.cislo_pobocky, pp.pocatek_platnosti, pp.konec_platnosti, pp.rowid",
                    [&](const FastStatement& st) {
                        const Text pobocka = cti(st, 0, t.pamet);
                        TabulkyTarifu::Prirazeni p;
                        p.od = cti(st, 1, t.pamet);
                        p.do_ = cti(st, 2, t.pamet);
                        p.firma = ctiHodnotu(st, 3, t.pamet);
                        p.oddeleni = ctiHodnotu(st, 4, t.pamet);
                        p.prijmeni = cti(st, 5, t.pamet);
                        t.prirazeniPobocek[std::string(pobocka.sv())].push_back(p);
                    }))
        return selhalo(chyba, "prirazeni_pobocek");
    t.prirazeni = true;
    return true;
}

bool TabulkyTarifu::nactiKalendar(Transaction& tr, Pamet& pamet, std::string& chyba)
{
    TabulkyTarifu& t = *this;
    if (!t.kalendar.empty()) return true;
    return kazdyRadek(tr, chyba, "SELECT datum, typ_dne FROM dba.kalendar WHERE datum IS NOT NULL",
                      [&](const FastStatement& st) {
                          const Text den = cti(st, 0, pamet);
                          t.kalendar[std::string(den.sv())] = ctiHodnotu(st, 1, pamet);
                      })
        || selhalo(chyba, "kalendar");
}

bool TabulkyTarifu::nactiLinky(Transaction& tr, Pamet& pamet, std::string& chyba)
{
    TabulkyTarifu& t = *this;
    t.linky.clear();
    return kazdyRadek(tr, chyba,
                      "SELECT ustredna_cislo_linky, zapojen FROM dba.tarifni_vysilace "
                      "WHERE ustredna_cislo_linky IS NOT NULL",
                      [&](const FastStatement& st) {
                          const Text linka = cti(st, 0, pamet);
                          t.linky[std::string(linka.sv())] = ctiHodnotu(st, 1, pamet);
                      })
        || selhalo(chyba, "tarifni_vysilace");
}

} // namespace kavro
