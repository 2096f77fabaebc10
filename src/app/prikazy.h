#pragma once

namespace kavro {

// Registers every window that the main menu opens (frame/prikazy_menu.h).
void registruj_prikazy();

} // namespace kavro
