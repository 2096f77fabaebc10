#pragma once
// Deleting the calls of a period.
#include <QString>

namespace kavro {

class Transaction;

// The stored period: first and last call date (YYYY-MM-DD, "" when no call)
// and the number of calls.
struct UlozeneObdobi {
    QString od_dne;
    QString do_dne;
    qint64 pocet = 0;
};
UlozeneObdobi ulozene_obdobi(Transaction& t);

// Deletes every call from the start of day `od` to the end of day `do_`
// (typed dates, normalised first by the date check of cl_Datum) and commits. Returns the number of calls
// deleted, or -1 after a failure (rolled back; `chyba` holds the database's text).
qint64 smaz_hovory(Transaction& t, const QString& od, const QString& do_, QString* chyba = nullptr);

} // namespace kavro
