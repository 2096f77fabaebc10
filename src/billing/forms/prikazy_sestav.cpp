#include "billing/forms/prikazy_sestav.h"

#include "frame/menu_ids.h"
#include "frame/prikazy_menu.h"

namespace kavro {

void registruj_prikazy_sestav()
{
}

} // namespace kavro
