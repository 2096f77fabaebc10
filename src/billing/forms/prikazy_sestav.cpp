#include "billing/forms/prikazy_sestav.h"

#include "billing/fdx_filtr_hovory.h"
#include "billing/forms/ciselnik_kodu.h"
#include "billing/forms/s_otarifovane_hovory.h"
#include "billing/forms/s_tiskove_sestavy.h"
#include "billing/forms/s_vyuctovani_hovoru.h"
#include "frame/menu_ids.h"
#include "frame/prikazy_menu.h"

#include <memory>

namespace kavro {

void registruj_prikazy_sestav()
{
    PrikazyMenu& p = PrikazyMenu::instance();
    // Every directory and call list of the menu and of the directory tree.
    p.registrujSestavy([](QWidget* rodic, FDX_Zakladni_okno* pozadavek) {
        S_Tiskove_sestavy okno(rodic);
        okno.Create(rodic, pozadavek);
    });
    // Billing kinds 1 to 7, each with a fresh call selection.
    p.registrujVyuctovani([](QWidget* rodic, int druh) {
        FDX_filtr_hovory vyber;
        vyber.typ = druh;
        S_Vyuctovani_hovoru okno(rodic);
        okno.Create(rodic, &vyber);
    });
    // The call browser: its selection lasts from one opening to the next.
    auto vyber_hovoru = std::make_shared<FDX_filtr_hovory>();
    p.registruj(menu::CallBrowser, [vyber_hovoru](QWidget* rodic) {
        S_Otarifovane_hovory okno(rodic);
        return okno.Create(rodic, vyber_hovoru.get());
    });
    p.registruj(menu::AccountCodes, [](QWidget* rodic) {
        Ciselnik_kodu okno(rodic);
        return okno.Create(rodic);
    });
}

} // namespace kavro
