#pragma once
// What the start-up decides before any window is shown: the configuration
// instance from the command line, the window caption, the rights level from
// the password typed at login, and the registry defaults.
#include "common/cesty.h"  // doplnLomitko
#include <QString>
#include <QStringList>

namespace kavro {

class konfiguracni_hodnoty;

// The configuration instance name (jmeno_aplikace), set at start-up.
extern QString jmeno_aplikace;
// The registry base path of the configuration.
extern QString aplikace_v_registru;
// The organisation name shown in the main window and printed on reports.
extern QString Jmeno_uzivatele;

// The instance name from the whole command line (program path included):
// the text after the first "-n " (letter case ignored) up to "-s" or the end,
// "Sberac" when nothing was taken, then trimmed (so blanks only give "").
QString jmenoInstance(const QString& prikazova_radka);

// The program's own arguments (the program path left out): "-n NAME" (the
// name runs up to an argument beginning with "-s", or to the end), "-s", and
// "--help" ("-h"). pomoc says whether the usage was asked for; the result is
// the first other argument ("" when there is none).
QString cizi_argument(const QStringList& argumenty, bool* pomoc);
// The usage printed for "--help" and after a foreign argument.
QString napoveda_prikazove_radky();

// "Kavro  - (<instance>) -  <exchange>".
QString titulekOkna(const QString& instance, const QString& ustredna);



// Rights level: 3 when the password equals "PWD1", 2 when it equals "PWD2", else 1.
int stupenOpravneni(const QString& heslo, const QString& pwd1, const QString& pwd2);
// "Právo Administrátora", "Právo Oprav" or "Právo čtení".
QString textOpravneni(int stupen);

// Writes `hodnota` under `jmeno` in the base key only when the stored value is empty.
void vyplnRegistr(konfiguracni_hodnoty& konfigurace, const QString& jmeno, const QString& hodnota);

} // namespace kavro
