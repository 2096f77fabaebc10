#include "tariff_tables/forms/prikazy_tarifnich_tabulek.h"

#include "frame/menu_ids.h"
#include "frame/prikazy_menu.h"

namespace kavro {

void registruj_prikazy_tarifnich_tabulek()
{
}

} // namespace kavro
