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

// Whether the arguments (the program path left out) ask for the usage:
// "--help" or "-h", but not as part of an instance name ("-n --help").
// Any other argument is no concern of the program's and is ignored.
bool pyta_napovedu(const QStringList& argumenty);
// The usage printed for "--help".
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
