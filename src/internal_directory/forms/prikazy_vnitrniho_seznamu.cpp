#include "internal_directory/forms/prikazy_vnitrniho_seznamu.h"

#include "frame/menu_ids.h"
#include "frame/prikazy_menu.h"
#include "internal_directory/forms/nastaveni_pobocky.h"

namespace kavro {

void registruj_prikazy_vnitrniho_seznamu()
{
    PrikazyMenu::instance().registruj(menu::InternalDirectory, [](QWidget* rodic) {
        Nastaveni_pobocky okno(rodic);
        FDX_Udrzba_pobocek r;
        return okno.Create(rodic, &r);
    });
}

} // namespace kavro
