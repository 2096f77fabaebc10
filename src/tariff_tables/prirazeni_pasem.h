#pragma once
// Which tariff zone each state and each domestic city belongs to: the reads
// and writes behind the zone assignment window.
//
// The zone tree groups the zones by type: "1" domestic and "2" other
// services hold the cities of the home state 420, "3" international holds
// the states. Zone 9999 holds what is not assigned yet. A move writes only
// the moved row's zone; a state's cities follow their state, except the
// home state's cities, which are assigned one by one.
#include <QList>
#include <QString>
#include <QVariantList>
#include <functional>

namespace kavro {

class Query;
class Transaction;

class PrirazeniPasem {
public:
    // The record of one item of either tree.
    struct Uzel {
        QString druh;           // "R" zone type, "P" zone, "S" state, "M" city
        QString typ;            // zone type "1", "2", "3" (of the zone the item is in); "" when unassigned
        QString pasmo;          // zone id
        QString stat;           // state code
        QString mesto;          // city code ("" for a state)
        bool prazdne = false;   // a zone known to hold nothing of its kind
        bool presunuto = false; // moved by a drop in this opening
    };
    struct Polozka {
        QString text;
        Uzel uzel;
    };

    explicit PrirazeniPasem(Transaction& t);
    PrirazeniPasem();  // on Transaction::main()

    // The three zone types in the order the tree shows them.
    static QList<Polozka> koreny();
    // The zones of one type, each with whether it holds anything of its kind
    // (states for type "3", domestic cities for the others).
    bool nacti_pasma(const QString& typ, QList<Polozka>& out);
    // The states of an international zone, by name.
    bool nacti_staty(const Uzel& pasmo, QList<Polozka>& out);
    // The domestic cities of a zone, by name.
    bool nacti_mesta(const Uzel& pasmo, QList<Polozka>& out);
    // The unassigned states, then the unassigned domestic cities.
    bool nacti_neprirazene(QList<Polozka>& out);

    // Item texts: the name, "   (" and the code with ")" in six places;
    // a city's name in 25 places, then its code in brackets.
    static QString text_statu(const QString& nazev, const QString& kod);
    static QString text_mesta(const QString& nazev, const QString& kod);
    // The part of an item text that the status bar path shows: the text
    // before its first run of three blanks.
    static QString cast_cesty(const QString& text);

    // Whether `tazeny` may be dropped on `cil` of the zone tree
    // (`z_neprirazenych`: it comes from the unassigned tree). `pasmo` is the
    // zone that takes it: the target zone, or the zone of the target item.
    static bool prijmout(const Uzel& tazeny, bool z_neprirazenych, const Uzel& cil, const Uzel& pasmo);

    // Writes the zone of a moved state (and of its cities, unless it is the
    // home state) or of a moved city. One atomic step; false with
    // lastError() when the database refused it (nothing of it stays).
    bool zapis(const Uzel& uzel);

    QString lastError() const { return m_error; }

private:
    bool cti(const QString& sql, const QVariantList& params, const std::function<void(Query&)>& radek);

    Transaction& m_t;
    QString m_error;
};

// The state code whose cities this window lists and assigns.
inline const QString DomaciStat = QStringLiteral("420");

} // namespace kavro
