#pragma once
// The price of one tariff impulse by periods of whole days (table
// cena_impulsu, rows of type 'A').
//
// The prices form one chain of adjacent periods. Storing a price fits the
// chain around it in one atomic step: a longer period that holds the new one
// is split and keeps its price on both sides, other rows lying inside the new
// period go, the last row starting before it now ends the day before it and
// the first row ending after it now begins the day after it. Rows are
// addressed by their generated id, so the row just stored is never touched.
//
// Prices are whole numbers of haléře; a report shows price x impulses / 100
// in Kč with two decimals.
#include <QList>
#include <QString>
#include <QVariantList>

namespace kavro {

class Transaction;

class CenyImpulsu {
public:
    struct Cena {
        qint64 id = 0;          // 0: not stored yet
        QString od;             // first day "RRRR-MM-DD"
        QString do_;            // last day, included
        QString cena;           // haléře, digits
    };

    explicit CenyImpulsu(Transaction& t);
    CenyImpulsu();  // on Transaction::main()

    // The prices in ascending order of their first day. False when the read failed.
    bool nacti(QList<Cena>& out);

    // Why a price cannot be stored ("" when it can): both days real dates
    // "RRRR-MM-DD", the first before the last, the price digits above 0.
    static QString chyba(const QString& od, const QString& do_, const QString& cena);
    // The days alone, and the price alone: whole haléře, digits only, above 0.
    static QString chyba_obdobi(const QString& od, const QString& do_);
    static QString chyba_ceny(const QString& cena);

    // Stores a new price (id 0; the new id is written back) or changes the
    // stored one, and fits the neighbours. On failure nothing of it stays and
    // lastError() says why.
    bool uloz(Cena& c);

    // The price of an impulse on a day ("" when no period holds it).
    QString cena_dne(const QString& den);
    // What a report shows for a number of impulses at a price in haléře: Kč
    // with two decimals ("12,50").
    static QString v_korunach(qint64 halere, qint64 impulsy);

    QString lastError() const { return m_error; }

private:
    bool uloz_v_bode(Cena& c);
    bool exec(const QString& sql, const QVariantList& params);
    // The first column of the first row ("" when there is none); false when the read failed.
    bool jedna(const QString& sql, const QVariantList& params, QString& out);

    Transaction& m_t;
    QString m_error;
};

} // namespace kavro
