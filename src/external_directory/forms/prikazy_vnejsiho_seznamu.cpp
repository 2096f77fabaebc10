#include "external_directory/forms/prikazy_vnejsiho_seznamu.h"

#include "frame/menu_ids.h"
#include "frame/prikazy_menu.h"

namespace kavro {

void registruj_prikazy_vnejsiho_seznamu()
{
}

} // namespace kavro
