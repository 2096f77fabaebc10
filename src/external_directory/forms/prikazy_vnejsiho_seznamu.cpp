#include "external_directory/forms/prikazy_vnejsiho_seznamu.h"

#include "external_directory/forms/nastaveni_cisla.h"
#include "frame/menu_ids.h"
#include "frame/prikazy_menu.h"

namespace kavro {

void registruj_prikazy_vnejsiho_seznamu()
{
    PrikazyMenu& p = PrikazyMenu::instance();
    p.registruj(menu::ExternalDirectory, [](QWidget* rodic) {
        Nastaveni_cisla okno(rodic);
        return okno.Create(rodic);
    });
}

} // namespace kavro
