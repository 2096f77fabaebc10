#include "tariffing/hovory_behu.h"

#include "platform/fast_statement.h"

namespace kavro {

using namespace hodnoty;

bool HovoryBehu::zapis(Transaction& tr, const std::vector<Hovor>& hovory, const std::vector<Hovor>& puvodni,
                       std::string& chyba)
{
    FastStatement u(tr, "UPDATE dba.hovory SET status_hovoru = ?, typ_hovoru = ?, tarifovat_hovor = ?, kod_statu = ?, "
                   "kod_mesta = ?, cislo_ucastnika = ?, id_pasma = ?, program_pocet_impulsu = ?, id_firmy = ?, "
                   "id_oddeleni = ?, popis_osob = ? WHERE id_hovoru = ?");
    const auto selhalo = [&] {
        chyba = u.errorText() + " (hovory)";
        return false;
    };
    if (!u.ok()) return selhalo();
    for (const Hovor& h : hovory) {
        if (h.puvodni >= 0 && stejne(h, puvodni[std::size_t(h.puvodni)])) continue;
        vaz(u, 1, h.status);
        vaz(u, 2, h.typ);
        vaz(u, 3, h.tarifovat);
        vaz(u, 4, h.kod_statu);
        vaz(u, 5, h.kod_mesta);
        vaz(u, 6, h.cislo_ucastnika);
        vaz(u, 7, h.pasmo);
        vaz(u, 8, h.program_pocet_impulsu);
        vaz(u, 9, h.firma);
        vaz(u, 10, h.oddeleni);
        vaz(u, 11, h.osoby);
        u.bindInteger(12, h.id);
        if (!u.execute()) return selhalo();
    }
    return u.finish() || selhalo();
}

} // namespace kavro
