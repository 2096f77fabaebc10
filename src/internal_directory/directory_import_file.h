#pragma once
// The internal-directory import file: a text file in code page 1250, one
// person's line per line (lines end with CR LF; a last line without it counts
// too), six fields per line. Which field stands where and which character
// ends it are configured as two six-character values: "Kavro_Pozice" (for
// each slot the digit 1-6 of its field's place in the line) and
// "Kavro_Oddelovace" (for each slot the character that ends its field).
// Slots: 0 firm, 1 department, 2 surname, 3 first name, 4 title, 5 line.
#include <QList>
#include <QString>

namespace kavro {

// One split line, or one node of the import's preview tree.
struct Str_firma {
    QString ID_Firmy;
    QString ID_Oddeleni;
    QString ID_Osoby;
    QString firma;
    QString oddeleni;
    QString prijmeni;
    QString jmeno;
    QString titul;
    QString linka;
    QString typ;  // "F", "S", "O", "T" on nodes; empty on a split line
    // Where the line was read: the file's name and the line's number (from 1).
    QString soubor;
    int radek = 0;

    // "řádek 5 souboru seznam.txt", for messages about the line.
    QString puvod() const;

    bool prazdny() const
    {
        return firma.isEmpty() && oddeleni.isEmpty() && prijmeni.isEmpty() && jmeno.isEmpty() && titul.isEmpty()
               && linka.isEmpty();
    }
};

class DirectoryImportFile {
public:
    static QString pozice() { return QStringLiteral("Kavro_Pozice"); }
    static QString oddelovace() { return QStringLiteral("Kavro_Oddelovace"); }

    // True when both configured values are usable (six characters each).
    static bool platnaKonfigurace(const QString& pozice, const QString& oddelovace)
    {
        return pozice.size() == 6 && oddelovace.size() == 6;
    }

    DirectoryImportFile(const QString& pozice, const QString& oddelovace)
        : m_pozice(pozice), m_oddelovace(oddelovace) {}

    // Trims the line, deletes its quotes and apostrophes and, when 16
    // characters or more remain, splits it into the six fields; a shorter
    // line gives a record whose fields are all empty.
    Str_firma rozdel(const QString& radek) const;

    enum class Vysledek { Nacteno, NelzeCist, ZadnyRadek, ChybnyKonecRadku, RidiciZnak, ChybneCislo };
    // Reads the file (read-only) and splits its lines; lines whose fields are
    // all empty are left out. A file whose lines end otherwise than with
    // CR LF (a lone CR or LF left in a line) is refused whole: its fields
    // would run across lines; so is a file with another control character
    // but the tab in a line (a NUL or an ESC would be stored in a name), and
    // one with a line number that is not digits, or is 0 or 9999 (those mean
    // "empty" and "does not apply" in the directory). The refusal names the
    // first such line and adds nothing to `radky`. `chyba` gets a Czech
    // sentence unless Nacteno.
    Vysledek nacti(const QString& cesta, QList<Str_firma>& radky, QString* chyba = nullptr) const;

private:
    QString m_pozice;
    QString m_oddelovace;
};

} // namespace kavro
