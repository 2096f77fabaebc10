#include "import/adresare.h"

#include "common/konfigurace.h"

namespace kavro {

QString vstupniAdresar(const konfiguracni_hodnoty& konfigurace)
{
    const bool vlastni = konfigurace.zjisti_hodnotu(QStringLiteral("DatovyZdrojSberace")) == QLatin1String("Ne");
    return sKoncovymLomitkem(konfigurace.zjisti_hodnotu(vlastni ? QStringLiteral("VstupniDatovyAdresarKavro")
                                                                : QStringLiteral("DatovyAdresar")));
}

} // namespace kavro
