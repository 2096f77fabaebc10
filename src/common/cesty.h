#pragma once
// Folders as the directory picker shows them, and the path rules it keeps:
// a folder path ends with "/", the root is "/".
#include <QList>
#include <QString>

namespace kavro {

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
// The data directory with a trailing separator: "\", or "/" for a path written
// with "/"; a value ending with either stays as it is (an empty value gives "\").
QString doplnLomitko(const QString& adresar);

// The folder above `cesta` ("/data/old/" -> "/data/", "/data/" -> "/");
// the root gives the empty text, which stands for the drive list.
QString nadrizenyAdresar(const QString& cesta);

} // namespace kavro
