#pragma once

namespace kavro {

// Registers the windows of the menu "Hovory" that this module builds with the
// main menu: the call import (items 1001 to 1003, Ctrl+N included) and the
// deletion of calls (1004); and makes the import tariff each finished day.
void registruj_prikazy_importu();

} // namespace kavro
