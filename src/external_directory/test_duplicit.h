#pragma once
// The subscribers of one city whose number begins the number of another: both
// entries identify the same calls. Each entry comes with the count of the
// entries of its state and city whose number begins with its own (itself
// included), so an entry that is such a beginning has a count above 1.
#include <QString>
#include <vector>

namespace kavro {

class Transaction;

struct Zaznam_ucastnika {
    QString kod_statu;
    QString kod_mesta;
    QString cislo_ucastnika;
    int pocet = 1;
    QString popis;  // "firm; name"
};

class Test_duplicit {
public:
    explicit Test_duplicit(Transaction& t);
    Test_duplicit();  // on Transaction::main()

    // Every subscriber, ordered by state, city and number, with its count.
    bool nacti(std::vector<Zaznam_ucastnika>& zaznamy);
    // Sets the counts of entries ordered by state, city and number.
    static void spocitej(std::vector<Zaznam_ucastnika>& zaznamy);
    // The text of the message for one entry.
    static QString zprava(const Zaznam_ucastnika& z);

    QString chyba() const { return m_chyba; }

private:
    Transaction& m_t;
    QString m_chyba;
};

} // namespace kavro
