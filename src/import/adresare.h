#pragma once
// Folders as the directory picker shows them, and the path rules it keeps:
// a folder path ends with "/", the root is "/".
#include <QList>
#include <QString>

namespace kavro {

class konfiguracni_hodnoty;

struct PolozkaAdresare {
    QString jmeno;
    bool slozka = false;  // a folder (also a link to one), else a file
};

// The entries of folder `cesta`: folders first, then files, each group sorted
// by name without regard to letter case. "." and ".." are skipped; hidden
// entries count. A folder that cannot be read (missing, no access) gives none.
QList<PolozkaAdresare> obsahAdresare(const QString& cesta);

// `cesta` with a final "/" (an empty text stays empty).
QString sKoncovymLomitkem(const QString& cesta);

// The folder the import reads the collector's daily files from:
// "VstupniDatovyAdresarKavro" when "DatovyZdrojSberace" is "Ne", else the
// collector's own "DatovyAdresar" (also when the choice is missing). A
// non-empty folder is given with a final "/".
QString vstupniAdresar(const konfiguracni_hodnoty& konfigurace);

// The folder above `cesta` ("/data/old/" -> "/data/", "/data/" -> "/");
// the root gives the empty text, which stands for the drive list.
QString nadrizenyAdresar(const QString& cesta);

} // namespace kavro
