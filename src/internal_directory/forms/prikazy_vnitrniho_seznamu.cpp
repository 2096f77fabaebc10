#include "internal_directory/forms/prikazy_vnitrniho_seznamu.h"

#include "frame/menu_ids.h"
#include "frame/prikazy_menu.h"
#include "internal_directory/forms/doplneni_pobocek_podle_hovoru.h"
#include "internal_directory/forms/f_otestuj_duplicitu_prirazeni_pobocek.h"
#include "internal_directory/forms/i_import_vnitrniho_tel_seznamu.h"
#include "internal_directory/forms/nastaveni_ciselnik_pobocek.h"
#include "internal_directory/forms/nastaveni_pobocky.h"
#include "internal_directory/forms/pobocky_z_hovoru_v_poolu.h"
#include "internal_directory/forms/presuny_pobocek.h"

#include <QPointer>

namespace kavro {

void registruj_prikazy_vnitrniho_seznamu()
{
    PrikazyMenu& p = PrikazyMenu::instance();
    p.registruj(menu::InternalDirectory, [](QWidget* rodic) {
        Nastaveni_pobocky okno(rodic);
        PresunyPobocek presuny(okno);
        Pobocky_z_hovoru_v_poolu z_hovoru(okno);
        FDX_Udrzba_pobocek r;
        return okno.Create(rodic, &r);
    });
    p.registruj(menu::UnassignedExtensions, [](QWidget* rodic) {
        Doplneni_pobocek_podle_hovoru okno(rodic);
        return okno.Create(rodic);
    });
    p.registruj(menu::AssignmentHistory, [](QWidget* rodic) {
        Nastaveni_ciselnik_pobocek okno(rodic);
        return okno.Create(rodic);
    });
    // Modeless: a second request while the test runs raises its window.
    p.registruj(menu::AssignmentOverlaps, [](QWidget* rodic) {
        static QPointer<F_Otestuj_duplicitu_prirazeni_pobocek> okno;
        if (okno) {
            okno->raise();
            okno->activateWindow();
            return true;
        }
        okno = new F_Otestuj_duplicitu_prirazeni_pobocek(rodic);
        okno->setAttribute(Qt::WA_DeleteOnClose);
        okno->Create(rodic);
        return true;
    });
    p.registruj(menu::InternalImport, [](QWidget* rodic) {
        I_Import_vnitrniho_tel_seznamu okno(rodic);
        return okno.Create(rodic);
    });
}

} // namespace kavro
