#pragma once
// The folder the import reads the collector's daily files from.
#include "common/cesty.h"

#include <QString>

namespace kavro {

class konfiguracni_hodnoty;

// "VstupniDatovyAdresarKavro" when "DatovyZdrojSberace" is "Ne", else the
// collector's own "DatovyAdresar" (also when the choice is missing). A
// non-empty folder is given with a final "/".
QString vstupniAdresar(const konfiguracni_hodnoty& konfigurace);

} // namespace kavro
