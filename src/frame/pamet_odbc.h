#pragma once
// The database engine's cache size kept in the data source's start line
// (registry "SOFTWARE\ODBC\ODBC.INI\KAVRO", value "start"): the option "-c"
// followed by the size in megabytes and "M", e.g. "dbeng -c 16M -x tcpip".
#include <QString>

namespace kavro {

// The registry key of the data source.
QString klicZdrojeKavro();

// The size in megabytes that the start line sets (the digits of the first
// "-c<digits>M" option, blanks allowed before the digits, letter case ignored);
// "2" when the line has no such option.
QString velikostPametiZeStartu(const QString& start);

// Whether `velikost` is a cache size the program accepts: a whole number of
// megabytes from 1 to 65,536.
bool velikostPametiJePlatna(const QString& velikost);

// The start line with the cache size set to `velikost` (digits): the digits of
// the first cache option are replaced and everything else stays as it was; a line
// without the option gets " -c<velikost>M" appended. A size that is not
// accepted (see velikostPametiJePlatna) changes nothing.
QString startSVelikostiPameti(const QString& start, const QString& velikost);

} // namespace kavro
