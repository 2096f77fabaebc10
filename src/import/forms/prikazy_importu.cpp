#include "prikazy_importu.h"

#include "frame/menu_ids.h"
#include "frame/prikazy_menu.h"
#include "import/call_import.h"
#include "import/forms/hovory_mazani.h"
#include "import/forms/hovory_nacteni.h"
#include "tariffing/tarifovani.h"

namespace kavro {

void registruj_prikazy_importu()
{
    PrikazyMenu& p = PrikazyMenu::instance();
    p.registrujImport([](QWidget* rodic, int typ_importu) {
        FDX_Typ_importu zadost;
        zadost.typ_importu = typ_importu;
        zadost.import_bezi = false;
        // The import runs the tariffing itself, blocking on its worker thread.
        Hovory_nacteni::Create(rodic, &zadost, [] { return Tarifovani::proImport(); });
    });
    p.registruj(menu::DeleteCalls, [](QWidget* rodic) { return Hovory_mazani::Create(rodic); });
}

} // namespace kavro
