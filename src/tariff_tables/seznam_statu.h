#pragma once
// The states of ciselnik_statu as the state picker lists them.
#include <QList>
#include <QString>

namespace kavro {

class Transaction;

struct Stat {
    QString kod_statu;
    QString nazev_statu;
};

// Every state, ordered by name as a Czech reader orders names (Č after C).
// False (with the engine's text in `error`) when the table cannot be read.
bool nacti_staty(Transaction& t, QList<Stat>* staty, QString* error = nullptr);

} // namespace kavro
