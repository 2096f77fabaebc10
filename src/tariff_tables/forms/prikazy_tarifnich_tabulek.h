#pragma once
// The windows of the tariff tables in the main menu ("Nastavení").
namespace kavro {

// Registers this module's windows for their main-menu items.
void registruj_prikazy_tarifnich_tabulek();

} // namespace kavro
