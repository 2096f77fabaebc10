#pragma once
// The tariffing windows and settings in the main menu ("Hovory", "Nastavení").
namespace kavro {

// Registers this module's windows for their main-menu items.
void registruj_prikazy_tarifovani();

} // namespace kavro
