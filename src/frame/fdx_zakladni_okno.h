#pragma once
// The report request: which report object the generic report window shows,
// under which caption, with which first five retrieval arguments, and whether
// it offers its save button. The value "RRRR-MM-DD hh:mm:ss" in an argument
// stands for a date and time the report window asks the user for.
#include <QString>
#include <QVariant>
#include <array>

namespace kavro {

struct FDX_Zakladni_okno {
    // The argument value that asks the report window for a moment (argument 1)
    // or, in arguments 1 and 2, for a period.
    static QString obrazekDatumu() { return QStringLiteral("RRRR-MM-DD hh:mm:ss"); }

    QString objekt_sestavy;            // report object name, e.g. "firma_oddeleni_osoba"
    QString titulek;                   // caption of the report window
    bool ukazat_ulozit = false;        // true: the report window shows "Ulož"
    std::array<QVariant, 5> argument;  // retrieval arguments 1 to 5 (index 0 to 4), empty by default
};

} // namespace kavro
