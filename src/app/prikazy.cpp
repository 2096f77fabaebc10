// The windows of each module, registered for the main menu's items.
// A module's window is registered by the module's own function; an item with
// nothing registered stays disabled.
#include "prikazy.h"

#include "billing/forms/prikazy_sestav.h"
#include "external_directory/forms/prikazy_vnejsiho_seznamu.h"
#include "frame/menu_ids.h"
#include "frame/prikazy_menu.h"
#include "import/forms/prikazy_importu.h"
#include "import/forms/z_adresar_pro_vstupni_data.h"
#include "internal_directory/forms/prikazy_vnitrniho_seznamu.h"
#include "tariff_tables/forms/prikazy_tarifnich_tabulek.h"
#include "tariffing/forms/prikazy_tarifovani.h"

namespace kavro {

void registruj_prikazy()
{
    PrikazyMenu& p = PrikazyMenu::instance();
    p.registruj(menu::InputDirectories, [](QWidget* rodic) {
        Z_Adresar_pro_vstupni_data okno(rodic);
        return okno.Create(rodic);
    });
    registruj_prikazy_importu();
    registruj_prikazy_tarifovani();
    registruj_prikazy_tarifnich_tabulek();
    registruj_prikazy_vnitrniho_seznamu();
    registruj_prikazy_vnejsiho_seznamu();
    registruj_prikazy_sestav();
}

} // namespace kavro
