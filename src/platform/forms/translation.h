#pragma once
// Qt's own texts (the file question, standard buttons, context menus of text
// boxes) in Czech, like the rest of the program.
namespace kavro {

// Installs Qt's Czech translation into the running application; false when
// the translation files are not installed (Qt's texts then stay English).
bool installCzechTranslation();

} // namespace kavro
