#pragma once
// The windows of the external telephone directory in the main menu ("&Seznamy").
namespace kavro {

// Registers this module's windows for their main-menu items.
void registruj_prikazy_vnejsiho_seznamu();

} // namespace kavro
