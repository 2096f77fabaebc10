#pragma once
// The names of the program's registry keys and values, in one place.
#include "platform/registry.h"

#include <QString>

namespace kavro::registr {

// The program's base key; each collector instance (and each exchange) has a
// sub-key of its own under it.
inline const QString Aplikace = QStringLiteral("Software\\Dorvek\\Kavro\\");
// The program's data source, and the values that describe it.
inline const QString ZdrojKavro = QStringLiteral("KAVRO");
inline const QString KlicZdrojeKavro = zdroj_dat::Klic + ZdrojKavro;
using zdroj_dat::Database;
using zdroj_dat::Start;

// Values of an instance (an exchange's key may override them).
inline const QString DatovyAdresar = QStringLiteral("DatovyAdresar");          // the collector's data directory
inline const QString DatovyZdrojSberace = QStringLiteral("DatovyZdrojSberace"); // "Ne": the import reads its own directory
inline const QString VstupniDatovyAdresarKavro = QStringLiteral("VstupniDatovyAdresarKavro"); // that own directory
inline const QString Ustredna = QStringLiteral("Ustredna");                   // the exchange's sub-key
inline const QString JmenoAplikace = QStringLiteral("jmeno_aplikace");        // set in memory at start-up
inline const QString JmenoUzivatele = QStringLiteral("Jmeno_uzivatele");      // the licensee shown in the caption
inline const QString PosledniPrihlaseny = QStringLiteral("Posledni_prihlaseny");
inline const QString PWD1 = QStringLiteral("PWD1");
inline const QString PWD2 = QStringLiteral("PWD2");

// Values of the base key.
inline const QString DatumOd = QStringLiteral("Datum_od");  // the last period chosen
inline const QString DatumDo = QStringLiteral("Datum_do");
inline const QString Tiskarna = QStringLiteral("Tiskarna"); // the program's default printer

// The values "DatovyZdrojSberace" takes.
inline const QString Ano = QStringLiteral("Ano");
inline const QString Ne = QStringLiteral("Ne");

} // namespace kavro::registr
