#include "import/adresare.h"

#include "common/cesty.h"
#include "common/konfigurace.h"
#include "common/registry_names.h"

namespace kavro {

QString vstupniAdresar(const ConfigValue& hodnota)
{
    const ConfigValue get = hodnota ? hodnota : ConfigValue([](const QString& jmeno) {
        return konfigurace ? konfigurace->zjisti_hodnotu(jmeno) : QString();
    });
    const bool vlastni = get(registr::DatovyZdrojSberace) == registr::Ne;
    return sKoncovymLomitkem(get(vlastni ? registr::VstupniDatovyAdresarKavro : registr::DatovyAdresar));
}

QString vstupniAdresar(const konfiguracni_hodnoty& konfigurace)
{
    return vstupniAdresar([&konfigurace](const QString& jmeno) { return konfigurace.zjisti_hodnotu(jmeno); });
}

} // namespace kavro
