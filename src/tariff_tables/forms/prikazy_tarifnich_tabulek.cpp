#include "tariff_tables/forms/prikazy_tarifnich_tabulek.h"

#include "frame/menu_ids.h"
#include "frame/prikazy_menu.h"
#include "tariff_tables/forms/z_kalendar_svatku.h"

namespace kavro {

void registruj_prikazy_tarifnich_tabulek()
{
    // "Kalendáře svátků": "Pevných" passes "0", "Pro daný rok" the year from the year picker.
    PrikazyMenu::instance().registrujKalendarSvatku([](QWidget* rodic, const QString& rok) {
        FDX_Kalendar_svatku pozadavek{rok};
        Z_Kalendar_svatku okno;
        okno.Create(rodic, &pozadavek);
    });
}

} // namespace kavro
