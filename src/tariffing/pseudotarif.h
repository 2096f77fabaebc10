#pragma once
// The pseudotariff parameters: per outgoing call type ('A' local, 'B' long
// distance, 'C' international) a subtracted time ('D', read by tariffing) and
// a connection time ('M'), kept in dba.casy_pseudotarifu.
#include <QString>
#include <array>

namespace kavro {

class Transaction;

namespace pseudotarif {

struct Pole {
    const char* typ_hovoru;
    const char* typ_casu;
};

// The six times in the order of the form's fields:
// ('A','D'), ('A','M'), ('B','D'), ('B','M'), ('C','D'), ('C','M').
inline constexpr std::array<Pole, 6> Poradi = {{
    {"A", "D"}, {"A", "M"}, {"B", "D"}, {"B", "M"}, {"C", "D"}, {"C", "M"}}};

// Validity of the rows written here: from 1900 with the open end, so every
// call from then on finds its pseudotariff.
inline constexpr const char* Pocatek = "1900-01-01 00:00:00";
inline constexpr const char* Konec = "9999-12-31 23:59:59";

// The stored time of one call type and time kind; "" when there is no row.
QString Napln_hodnotou(Transaction& t, const QString& typ_hovoru, const QString& typ_casu);

// Replaces every row of the table by the six times (in the order of Poradi)
// and commits. On any failure the writes are rolled back, false is returned
// and *chyba holds the database's message.
bool Uloz(Transaction& t, const std::array<QString, 6>& casy, QString* chyba = nullptr);

} // namespace pseudotarif
} // namespace kavro
