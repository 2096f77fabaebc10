#include "tariff_tables/forms/prikazy_tarifnich_tabulek.h"

#include "frame/menu_ids.h"
#include "frame/prikazy_menu.h"
#include "tariff_tables/forms/f_zlevnene_sazby.h"
#include "tariff_tables/forms/kontrola_prirazeni.h"
#include "tariff_tables/forms/nastaveni_cena_impulsu.h"
#include "tariff_tables/forms/nastaveni_tarifnich_pasem.h"
#include "tariff_tables/forms/z_kalendar_svatku.h"

namespace kavro {

void registruj_prikazy_tarifnich_tabulek()
{
    PrikazyMenu& p = PrikazyMenu::instance();
    p.registruj(menu::ZoneAssignment, [](QWidget* rodic) {
        Kontrola_Prirazeni okno(rodic);
        return okno.Create(rodic);
    });
    p.registruj(menu::ZoneImpulsePeriods, [](QWidget* rodic) {
        Nastaveni_tarifnich_pasem okno(rodic);
        return okno.Create(rodic);
    });
    p.registruj(menu::DiscountedPeriods, [](QWidget* rodic) {
        F_Zlevnene_sazby okno(rodic);
        return okno.Create(rodic);
    });
    p.registruj(menu::ImpulsePrices, [](QWidget* rodic) {
        Nastaveni_cena_impulsu okno(rodic);
        return okno.Create(rodic);
    });
    // "Kalendáře svátků": "Pevných" passes "0", "Pro daný rok" the year from the year picker.
    p.registrujKalendarSvatku([](QWidget* rodic, const QString& rok) {
        FDX_Kalendar_svatku pozadavek{rok};
        Z_Kalendar_svatku okno;
        okno.Create(rodic, &pozadavek);
    });
}

} // namespace kavro
