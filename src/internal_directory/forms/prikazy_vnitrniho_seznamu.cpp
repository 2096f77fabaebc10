#include "internal_directory/forms/prikazy_vnitrniho_seznamu.h"

#include "frame/menu_ids.h"
#include "frame/prikazy_menu.h"

namespace kavro {

void registruj_prikazy_vnitrniho_seznamu()
{
}

} // namespace kavro
