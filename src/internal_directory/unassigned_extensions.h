#pragma once
// Extensions found in calls: calls whose extension had no assignment row of
// any kind at the call's moment (both ends of a validity included) belong to
// nobody. They are folded into runs, from the first to the last such call of
// an extension, split wherever an assignment of the extension lies between
// two of them; a run can be placed under the exchange root by an assignment
// row with the ids 0, 0, 0 valid exactly for that run.
#include <QList>
#include <QString>

namespace kavro {

class Transaction;

struct NeprirazenyBeh {
    QString Cislo_pobocky;  // exactly as the calls give it
    QString od;             // the first unassigned call, "YYYY-MM-DD hh:mm:ss"
    QString do_;            // the last one

    // The list line: the number (padded to four characters, never cut),
    // " - ", the first and " - " the last moment.
    QString text() const;
    bool operator==(const NeprirazenyBeh&) const = default;
};

class UnassignedExtensions {
public:
    explicit UnassignedExtensions(Transaction& t);

    // The runs, in extension order, then in time order. False when the read failed (chyba()).
    bool nacti(QList<NeprirazenyBeh>& out);

    enum class Zarazeni { Zarazeno, Prekryti, Chyba };
    // Writes the run's row under the exchange root. Refused (Prekryti) when
    // another row of that number is valid at some moment of the run; chyba()
    // then holds the Czech message.
    Zarazeni zarad(const NeprirazenyBeh& beh);

    QString chyba() const { return m_chyba; }

private:
    Transaction& m_t;
    QString m_chyba;
};

} // namespace kavro
