#pragma once
// The report, billing and call-browser windows in the main menu ("Sestavy").
namespace kavro {

// Registers this module's windows for their main-menu items.
void registruj_prikazy_sestav();

} // namespace kavro
