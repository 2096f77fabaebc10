#include "import/adresare.h"

#include "common/cesty.h"
#include "common/konfigurace.h"
#include "common/registry_names.h"

#include <QDir>
#include <QFileInfo>

namespace kavro {

QString vstupniAdresar(const ConfigValue& hodnota)
{
    const ConfigValue get = hodnota ? hodnota : ConfigValue([](const QString& jmeno) {
        return konfigurace ? konfigurace->zjisti_hodnotu(jmeno) : QString();
    });
    const bool vlastni = get(registr::DatovyZdrojSberace) == registr::Ne;
    return sKoncovymLomitkem(get(vlastni ? registr::VstupniDatovyAdresarKavro : registr::DatovyAdresar));
}

bool adresarJeCitelny(const QString& adresar)
{
    const QFileInfo fi(adresar);
    return !adresar.isEmpty() && fi.isDir() && fi.isReadable() && fi.isExecutable();
}

QString zpravaONecitelnemAdresari(const QString& adresar)
{
    if (adresar.isEmpty()) return QStringLiteral("Adresář se soubory ze sběrače není nastaven (Nastavení > Adresáře se vstupními daty).");
    return QStringLiteral("Adresář se soubory ze sběrače %1 neexistuje nebo jej nelze číst.").arg(QDir::toNativeSeparators(adresar));
}

QString vstupniAdresar(const konfiguracni_hodnoty& konfigurace)
{
    return vstupniAdresar([&konfigurace](const QString& jmeno) { return konfigurace.zjisti_hodnotu(jmeno); });
}

} // namespace kavro
