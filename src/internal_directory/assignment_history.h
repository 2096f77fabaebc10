#pragma once
// The history of extension assignments: every extension number that occurs in
// the assignment table (firm, department and person rows left out) and, per
// number, every row with its period and the names of its holders. A row is
// deleted exactly: by all six of its columns.
#include <QList>
#include <QString>

namespace kavro {

class Transaction;

// One assignment row of an extension (also the detail request of its period).
struct FDX_udaje_o_osobe_radek {
    QString Pocatek_platnosti;
    QString Konec_platnosti;
    QString Cislo_pobocky;
    QString ID_firmy;
    QString ID_oddeleni;
    QString ID_osoby;
    QString cesta;  // "\\firm\department\surname"; empty when a name is missing
};

class AssignmentHistory {
public:
    explicit AssignmentHistory(Transaction& t);

    // The extension numbers, in number order. False when the read failed.
    bool pobocky(QStringList& out);
    // The rows of one number, in the order of their starts.
    bool platnosti(const QString& cislo, QList<FDX_udaje_o_osobe_radek>& out);
    // Deletes the row that has exactly these six values; `smazano` gets the
    // number of rows deleted (0 when someone else deleted it meanwhile).
    bool smaz(const FDX_udaje_o_osobe_radek& r, qint64* smazano = nullptr);

    // The item text of a period: start and end dates and the holders' path.
    static QString textPlatnosti(const FDX_udaje_o_osobe_radek& r);

    QString chyba() const { return m_chyba; }

private:
    Transaction& m_t;
    QString m_chyba;
};

} // namespace kavro
