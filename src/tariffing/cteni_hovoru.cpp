#include "tariffing/hovory_behu.h"

#include "platform/fast_statement.h"
#include "tariffing/stupen_hovoru.h"

#include <algorithm>

namespace kavro {

using namespace hodnoty;

bool HovoryBehu::nacti(Transaction& tr, const std::string& od, const std::string& do_, Pamet& pamet,
                       std::vector<Hovor>& hovory, std::vector<Hovor>& puvodni, std::string& chyba)
{
    const bool rozsah = !od.empty();
    const std::string nedokoncene = "status_hovoru < " + textStupne(StupenHovoru::Otarifovan);
    const std::string sloupce =
        "SELECT id_hovoru, ustredna_datum_a_cas, ustredna_delka_hovoru, ustredna_volane_cislo, "
        "ustredna_pocet_impulsu, ustredna_cislo_pobocky, ustredna_cislo_linky, status_hovoru, typ_hovoru, "
        "tarifovat_hovor, kod_statu, kod_mesta, cislo_ucastnika, id_pasma, program_pocet_impulsu, id_firmy, "
        "id_oddeleni, popis_osob FROM dba.hovory WHERE ";
    const auto cti_hovory = [&](const std::string& podminka, bool znovu) {
        FastStatement q(tr, (sloupce + podminka).c_str());
        const auto selhalo = [&] {
            chyba = q.errorText() + " (hovory)";
            return false;
        };
        if (!q.ok()) return selhalo();
        if (rozsah) {
            q.bindText(1, od);
            q.bindText(2, do_);
        }
        while (q.next()) {
            Hovor h;
            h.id = q.integer(0);
            h.datum_a_cas = cti(q, 1, pamet);
            h.delka = cti(q, 2, pamet);
            h.volane_cislo = cti(q, 3, pamet);
            h.pocet_impulsu = ctiHodnotu(q, 4, pamet);
            h.pobocka = cti(q, 5, pamet);
            h.linka = cti(q, 6, pamet);
            h.status = ctiHodnotu(q, 7, pamet);
            h.typ = cti(q, 8, pamet);
            h.tarifovat = ctiHodnotu(q, 9, pamet);
            h.kod_statu = cti(q, 10, pamet);
            h.kod_mesta = cti(q, 11, pamet);
            h.cislo_ucastnika = cti(q, 12, pamet);
            h.pasmo = ctiHodnotu(q, 13, pamet);
            h.program_pocet_impulsu = ctiHodnotu(q, 14, pamet);
            h.firma = ctiHodnotu(q, 15, pamet);
            h.oddeleni = ctiHodnotu(q, 16, pamet);
            h.osoby = cti(q, 17, pamet);
            if (znovu) {
                h.puvodni = std::int32_t(puvodni.size());
                puvodni.push_back(h);
                h.typ = h.kod_statu = h.kod_mesta = h.cislo_ucastnika = Text{};
                h.status = Hodnota::cele(cislo(StupenHovoru::Nacten));
                h.tarifovat = Hodnota::cele(0);
                h.pasmo = h.program_pocet_impulsu = Hodnota();
            }
            hovory.push_back(h);
        }
        return !q.failed() || selhalo();
    };
    if (rozsah) {
        if (!cti_hovory("ustredna_datum_a_cas >= ?1 AND ustredna_datum_a_cas < ?2", true)
            || !cti_hovory(nedokoncene + " AND (ustredna_datum_a_cas IS NULL OR ustredna_datum_a_cas < ?1 "
                           "OR ustredna_datum_a_cas >= ?2)",
                           false))
            return false;
    } else if (!cti_hovory(nedokoncene, false)) {
        return false;
    }
    // Written back in the order of the table's key.
    std::sort(hovory.begin(), hovory.end(), [](const Hovor& a, const Hovor& b) { return a.id < b.id; });
    return true;
}

} // namespace kavro
