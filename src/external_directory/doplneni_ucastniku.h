#pragma once
// Completing the directory from frequently called numbers, without the window:
// the numbers the calls reached at least a given number of times (the view
// cetnost_volani: calls whose state and area are known but whose subscriber
// is not), each cut to its subscriber number by the site's prefixes, the
// callers of a number, and the storing of the completed lines as subscribers.
#include <QString>
#include <QStringList>
#include <vector>

namespace kavro {

class Transaction;

// One line of the list.
struct str_data {
    QString kod_statu;
    QString kod_mesta;
    QString cislo_ucastnika;  // the called number less the site's prefixes and codes
    QString volane_cislo;     // as the calls hold it
    QString pocet;            // number of calls
    QString stat;             // state name
    QString mesto;            // city name
    QString nazev_ucastnika;  // typed by the user
    QString firma;            // typed by the user
    int zapsat = 0;           // 1: to be stored
};

class Doplneni_ucastniku {
public:
    struct Vysledek_ulozeni {
        int vlozeno = 0;
        QStringList neulozene;  // one text per line not stored, with the reason
        bool chyba = false;     // a statement failed outright (chyba())
    };

    explicit Doplneni_ucastniku(Transaction& t);
    Doplneni_ucastniku();  // on Transaction::main()

    // Reads the home codes and the prefixes of the site; false when the read failed.
    bool nacti_konfiguraci();
    void nastav_misto(const QString& stat, const QString& mesto, const QString& mezistatni, const QString& mezimestska);

    // The subscriber number of a called number with the state and area codes of the line:
    // the whole number within the home area; less the long-distance prefix and the area
    // code within the home state; less the international prefix, state and area code
    // otherwise. "" when nothing is left.
    QString vypln_cislo(const QString& volane, const QString& kod_statu, const QString& kod_mesta) const;

    // Numbers called at least `minimum` times ("" counts as 0), the most frequent first.
    bool napln(const QString& minimum, std::vector<str_data>& radky);
    // The text of a list line.
    static QString Uprav_Item(const str_data& d);

    // Inserts every line marked for storing; a line with an empty subscriber
    // number or one the database refuses is not stored and is named in the result.
    Vysledek_ulozeni uloz_zmeny(const std::vector<const str_data*>& radky);

    // Who called numbers beginning with `volane` in calls with impulses:
    // "extension:   \\firm\department\person", once each.
    bool volajici(const QString& volane, QStringList& radky);

    QString chyba() const { return m_chyba; }

private:
    Transaction& m_t;
    QString m_stat, m_mesto, m_mezistatni, m_mezimestska;
    QString m_chyba;
};

} // namespace kavro
