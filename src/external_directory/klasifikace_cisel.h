#pragma once
// Classifying the numbers of an external directory file: every number is
// reduced to its digits (a leading "+" counts as "00"), given a class and its
// state code and area code by longest prefix (5 digits down to 1) from the
// directory, and the subscriber number that the directory stores is cut out.
//
//   "C" international: "00", the state code, the area code of that state;
//   "B" long distance: "0", an area code of the home state;
//   "D" the home state code without "00": more than (its length + 6) digits;
//   "E" an area code of the home state without "0": more than (its length + 5) digits;
//   "A" any other local number: the home state and area, the whole number;
//   "X" no digits at all.
// A code not found stays missing, and so does the subscriber number; such a
// number is not exactly specified and is never stored.
#include <QHash>
#include <QSet>
#include <QString>
#include <optional>

namespace kavro {

class Transaction;

struct Klasifikovane_cislo {
    QString volane_cislo;                     // digits only
    QString typ_volani;                       // "A", "B", "C", "D", "E" or "X"
    std::optional<QString> kod_statu;
    std::optional<QString> kod_mesta;
    std::optional<QString> kod_volane_cislo;  // at most 30 digits (class "A": the whole number)
};

class Klasifikace_cisel {
public:
    Klasifikace_cisel(const QString& domaci_kod_statu, const QString& domaci_kod_mesta);

    void pridejStat(const QString& kod_statu) { m_staty.insert(kod_statu); }
    void pridejMesto(const QString& kod_statu, const QString& kod_mesta) { m_mesta[kod_statu].insert(kod_mesta); }
    // Takes the states and cities of the directory; false when the read failed.
    bool nactiAdresar(Transaction& t, QString* chyba = nullptr);

    // The digits of a number, a leading "+" written as "00" in front of its first 30 characters.
    static QString Vyhod_znaky_z_cisla(const QString& cislo);
    Klasifikovane_cislo klasifikuj(const QString& cislo) const;

private:
    bool jeMesto(const std::optional<QString>& stat, const QString& mesto) const;

    QString m_stat;
    QString m_mesto;
    QSet<QString> m_staty;
    QHash<QString, QSet<QString>> m_mesta;
};

} // namespace kavro
