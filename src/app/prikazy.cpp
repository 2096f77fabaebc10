// The windows of each module, registered for the main menu's items.
// A module's window is added here when the module has built it; until then its
// menu item stays disabled.
#include "prikazy.h"

#include "frame/prikazy_menu.h"
#include "import/forms/nastaveni_mista.h"

namespace kavro {

void registruj_prikazy()
{
    PrikazyMenu& p = PrikazyMenu::instance();
    // "Nastavení" > "&Místa volání"; also opened at start-up while no site is stored.
    p.registruj(1067, [](QWidget* rodic) {
        Nastaveni_mista okno(rodic);
        return okno.Create(rodic);
    });
}

} // namespace kavro
