#include "tariffing/forms/prikazy_tarifovani.h"

#include "frame/menu_ids.h"
#include "frame/prikazy_menu.h"
#include "tariffing/forms/hovory_znovu_otarifuj.h"
#include "tariffing/forms/nastaveni_mista.h"
#include "tariffing/forms/nastaveni_pseudotarifu.h"
#include "tariffing/forms/p_prirad_kod_volajiciho.h"

namespace kavro {

void registruj_prikazy_tarifovani()
{
    PrikazyMenu& p = PrikazyMenu::instance();
    p.registruj(menu::Retariff, [](QWidget* rodic) {
        Hovory_Znovu_otarifuj okno(rodic);
        return okno.Create(rodic);
    });
    p.registruj(menu::Reidentify, [](QWidget* rodic) {
        P_prirad_kod_volajiciho okno(rodic);
        return okno.Create(rodic);
    });
    // Also opened at start-up while no site is stored.
    p.registruj(menu::SiteSettings, [](QWidget* rodic) {
        Nastaveni_mista okno(rodic);
        return okno.Create(rodic);
    });
    p.registruj(menu::PseudotariffSettings, [](QWidget* rodic) {
        Nastaveni_Pseudotarifu okno(rodic);
        return okno.Create(rodic);
    });
}

} // namespace kavro
