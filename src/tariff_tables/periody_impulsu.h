#pragma once
// The impulse periods by validity range and time band: of each tariff zone
// (perioda_impulsu, keyed by the zone) and the discounted ones of a called
// state (zlevnene_volani, keyed by the state code). Both editors work on
// them alike: a range exists only through its bands, a band row is keyed by
// its owner, range, times and day type, and the period is its payload.
//
// Every write is one atomic step whose result is checked; a refused one
// leaves the table as it was and lastError() says why.
#include <QList>
#include <QString>
#include <QVariantList>
#include <functional>

namespace kavro {

class Query;
class Transaction;

class PeriodyImpulsu {
public:
    struct Platnost {
        QString od;   // first day "RRRR-MM-DD"
        QString do_;  // last day, included
        bool operator==(const Platnost&) const = default;
    };
    struct Cas {
        QString od_casu;   // "hh:mm:ss"
        QString do_casu;   // included
        QString perioda;   // seconds per impulse
        int typ_dne = 1;   // 1 working day, 2 Saturday, Sunday or holiday
        bool operator==(const Cas&) const = default;
    };
    struct Vlastnik {
        QString klic;      // zone id or state code
        QString nazev;     // zone or state name
        QString typ;       // zone type (zones only)
        bool ma_radky = false;
    };

    // The zone periods (owner: the zone id).
    static PeriodyImpulsu pasma(Transaction& t);
    static PeriodyImpulsu pasma();
    // The discounted periods (owner: the state code).
    static PeriodyImpulsu slevy(Transaction& t);
    static PeriodyImpulsu slevy();

    // Zones: every zone but 9999, each with whether it has period rows.
    // Discounts: the states that have rows, by name.
    bool nacti_vlastniky(QList<Vlastnik>& out);
    // The name of a state (discounts) or zone ("" when there is none).
    QString nazev(const QString& klic);
    bool nacti_platnosti(const QString& klic, QList<Platnost>& out);
    // Working-day bands first, each kind by its start.
    bool nacti_casy(const QString& klic, const Platnost& p, QList<Cas>& out);

    // Why a range or a band cannot be stored ("" when it can).
    static QString chyba_platnosti(const Platnost& p);
    static QString chyba_casu(const Cas& c);
    // Why `p` cannot be a new range of `klic` ("" when it can): its dates, or
    // a range of the owner stored with the same dates, whose bands it would share.
    QString chyba_nove_platnosti(const QString& klic, const Platnost& p);
    // "Pásmo (Stát) už má platnost od ... do ...".
    QString stejna_platnost(const Platnost& p) const;

    bool vloz_cas(const QString& klic, const Platnost& p, const Cas& c);
    // Refused onto the dates of another range of the owner.
    bool uprav_platnost(const QString& klic, const Platnost& stara, const Platnost& nova);
    bool uprav_cas(const QString& klic, const Platnost& p, const Cas& stary, const Cas& novy);
    bool smaz_platnost(const QString& klic, const Platnost& p);
    bool smaz_cas(const QString& klic, const Platnost& p, const Cas& c);
    bool smaz_vlastnika(const QString& klic);
    // Repeats every row of `zdroj` under `cil`, skipping the rows whose key
    // `cil` has already; refused onto the same owner. `pridano`: rows added.
    bool kopiruj(const QString& zdroj, const QString& cil, int* pridano = nullptr);
    // A zone's name, written to the zone table.
    bool prejmenuj_pasmo(const QString& pasmo, const QString& nazev);

    // Item texts.
    static QString text_platnosti(const Platnost& p);  // "2001-01-01 2001-12-31"
    static QString text_casu(const Cas& c);            // "Všední den : 07:00:00 - 18:59:59  ( 1 impuls za 60 s. )"

    QString lastError() const { return m_error; }

private:
    PeriodyImpulsu(Transaction& t, const char* tabulka, const char* sloupec);
    bool zapis(const std::function<bool(Query&)>& prace);
    bool cti(const QString& sql, const QVariantList& params, const std::function<void(Query&)>& radek);
    QString t(const char* sql) const;

    Transaction& m_t;
    QString m_tabulka;
    QString m_sloupec;
    QString m_error;
};

} // namespace kavro
