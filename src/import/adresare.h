#pragma once
// The folder the import reads the collector's daily files from.
#include "common/cesty.h"

#include <QString>
#include <functional>

namespace kavro {

class konfiguracni_hodnoty;

// A configuration value's text by its name ("" when missing).
using ConfigValue = std::function<QString(const QString&)>;

// "VstupniDatovyAdresarKavro" when "DatovyZdrojSberace" is "Ne", else the
// collector's own "DatovyAdresar" (also when the choice is missing). A
// non-empty folder is given with a final "/". `hodnota` gives the values;
// by default the program's store.
QString vstupniAdresar(const ConfigValue& hodnota = {});
// The same folder from the store `konfigurace`.
QString vstupniAdresar(const konfiguracni_hodnoty& konfigurace);

} // namespace kavro
