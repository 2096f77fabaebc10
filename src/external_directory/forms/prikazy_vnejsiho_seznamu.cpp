#include "external_directory/forms/prikazy_vnejsiho_seznamu.h"

#include "external_directory/forms/doplneni_ucastniku_podle_volanych_cisel.h"
#include "external_directory/forms/import_vnejsiho_telefonniho_seznamu.h"
#include "external_directory/forms/nastaveni_cisla.h"
#include "external_directory/forms/test_duplicitnich_cisel.h"
#include "external_directory/forms/vyhledani_a_doplneni_neznamych_predvoleb.h"
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
    p.registruj(menu::FrequentSubscribers, [](QWidget* rodic) {
        Doplneni_ucastniku_podle_volanych_cisel okno(rodic);
        return okno.Create(rodic);
    });
    p.registruj(menu::UnknownPrefixes, [](QWidget* rodic) {
        Vyhledani_a_doplneni_neznamych_predvoleb okno(rodic);
        return okno.Create(rodic);
    });
    p.registruj(menu::DuplicateSubscribers, [](QWidget* rodic) {
        Test_duplicitnich_cisel okno(rodic);
        okno.Create(rodic);
        return true;
    });
    p.registruj(menu::ExternalImport, [](QWidget* rodic) {
        Import_vnejsiho_telefonniho_seznamu okno(rodic);
        return okno.Create(rodic);
    });
}

} // namespace kavro
