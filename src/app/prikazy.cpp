// The windows of each module, registered for the main menu's items.
// A module's window is added here when the module has built it; until then its
// menu item stays disabled.
#include "prikazy.h"

#include "frame/prikazy_menu.h"
#include "tariffing/forms/hovory_znovu_otarifuj.h"
#include "tariffing/forms/nastaveni_mista.h"
#include "import/forms/prikazy_importu.h"
#include "tariffing/forms/nastaveni_pseudotarifu.h"
#include "tariffing/forms/p_prirad_kod_volajiciho.h"
#include "import/forms/z_adresar_pro_vstupni_data.h"

namespace kavro {

void registruj_prikazy()
{
    PrikazyMenu& p = PrikazyMenu::instance();
    // "Hovory" > "Opakovaný výpočet pseudotarifu" (Ctrl+T).
    p.registruj(1006, [](QWidget* rodic) {
        Hovory_Znovu_otarifuj okno(rodic);
        return okno.Create(rodic);
    });
    // "Hovory" > "Opakovaná identifikace účastníka".
    p.registruj(1007, [](QWidget* rodic) {
        P_prirad_kod_volajiciho okno(rodic);
        return okno.Create(rodic);
    });
    // "Nastavení" > "&Místa volání"; also opened at start-up while no site is stored.
    p.registruj(1067, [](QWidget* rodic) {
        Nastaveni_mista okno(rodic);
        return okno.Create(rodic);
    });
    // "Nastavení" > "&Parametrů pseudotarifu".
    p.registruj(1066, [](QWidget* rodic) {
        Nastaveni_Pseudotarifu okno(rodic);
        return okno.Create(rodic);
    });
    // "Nastavení" > "&Adresáře se vstupními daty".
    p.registruj(1069, [](QWidget* rodic) {
        Z_Adresar_pro_vstupni_data okno(rodic);
        return okno.Create(rodic);
    });
    // "Hovory": the call import (with its tariffing) and the deletion of calls.
    registruj_prikazy_importu();
}

} // namespace kavro
