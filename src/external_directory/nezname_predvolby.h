#pragma once
// Calls with unknown prefixes, without the windows: the charged outgoing calls
// whose state or area code the tariffing did not find, and the entry of the
// missing state and city from one such call.
#include <QString>
#include <vector>

namespace kavro {

class Transaction;

// One listed call.
struct Struktura_novy_tarif_udaj {
    QString kod_statu;        // "" when the call has none
    QString kod_mesta;        // left empty by the list
    QString pobocka;          // the calling extension
    QString volane_cislo;
    QString datum_a_cas;
    QString delka;
    int zapsano = 0;          // 1 once a state or city was stored from it
};

class Nezname_predvolby {
public:
    explicit Nezname_predvolby(Transaction& t);
    Nezname_predvolby();  // on Transaction::main()

    // The calls, ordered by the called number.
    bool nacti_data(std::vector<Struktura_novy_tarif_udaj>& radky);
    // "extension - number (25 characters) - date and time - duration".
    static QString Uprav_Item(const Struktura_novy_tarif_udaj& d);

    QString chyba() const { return m_chyba; }

private:
    Transaction& m_t;
    QString m_chyba;
};

// The state and city typed for one call.
class Zapis_statu_mesta {
public:
    // Who called the number: the first caller found (empty texts when none).
    struct Volajici {
        QString firma;
        QString oddeleni;
        QString osoba;  // "extension - names"
    };
    enum class Vysledek { Ulozeno, Odmitnuto, Chyba };

    explicit Zapis_statu_mesta(Transaction& t);
    Zapis_statu_mesta();  // on Transaction::main()

    bool volajici(const QString& volane_cislo, Volajici& v);
    // The state's name ("" when the state is not in the directory).
    bool nazev_statu(const QString& kod_statu, QString& nazev);

    // Inserts the state (when `novy_stat` and a name is given) and the city
    // (when a name is given), each with the zone 9999. A missing code or a code
    // that is stored already is refused before anything is written; a refused
    // statement undoes both. zprava() says why in Czech.
    Vysledek Uloz_vety(bool novy_stat, const QString& kod_statu, const QString& stat, const QString& kod_mesta,
                       const QString& mesto);

    QString zprava() const { return m_zprava; }

private:
    Transaction& m_t;
    QString m_zprava;
};

} // namespace kavro
