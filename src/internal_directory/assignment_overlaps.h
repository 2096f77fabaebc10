#pragma once
// The overlap test of extension assignments: an extension must not be held by
// two firms, or by two departments of one firm, at one moment. Rows whose
// start equals their end are removed first (they hold the extension at no
// moment worth keeping). Each conflicting extension is reported once, with
// its earliest row that overlaps a row elsewhere (periods that only touch do
// not overlap).
#include <QList>
#include <QString>
#include <functional>

namespace kavro {

class Transaction;

struct ChybnePrirazeni {
    QString Cislo_pobocky;
    QString Pocatek_platnosti;
    QString Konec_platnosti;
    bool operator==(const ChybnePrirazeni&) const = default;
};

class AssignmentOverlaps {
public:
    explicit AssignmentOverlaps(Transaction& t);

    // Deletes the zero-length rows; `smazano` gets their number.
    bool smazNuloveRadky(qint64* smazano = nullptr);
    // Walks the extension rows in number order; `prubeh` gets each number as
    // its rows are reached, `nalez` each conflicting extension once.
    bool otestuj(const std::function<void(const QString&)>& prubeh,
                 const std::function<void(const ChybnePrirazeni&)>& nalez);

    // The warning shown for a conflict.
    static QString zprava(const ChybnePrirazeni& c);

    QString chyba() const { return m_chyba; }

private:
    Transaction& m_t;
    QString m_chyba;
};

} // namespace kavro
