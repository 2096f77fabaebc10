#pragma once
// The windows of the internal telephone directory in the main menu ("&Seznamy").
namespace kavro {

// Registers this module's windows for their main-menu items.
void registruj_prikazy_vnitrniho_seznamu();

} // namespace kavro
