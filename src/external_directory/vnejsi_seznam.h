#pragma once
// Reads and writes of the external telephone directory: states
// (ciselnik_statu), their cities (ciselnik_mest) and the subscribers of a city
// (ciselnik_ucastniku), as the directory tree shows and edits them.
//
// Each write is one atomic operation inside the caller's unit of work (a
// savepoint): when any of its statements fails, nothing of it stays and the
// result says why. A changed state or city code is carried to the rows that
// hang on it (cities, subscribers, discounted periods of a state) in the same
// operation. Deleting a state or a city deletes only its own row.
#include "external_directory/fdx_stat.h"

#include <QList>
#include <QString>
#include <memory>

namespace kavro {

class Transaction;
class Query;
struct MistoUstredny;

// The home state shown first in the tree.
inline const QString DomovskyStat = QStringLiteral("420");

// One row read for the tree: the item's record and whether it has children.
struct RadekSeznamu {
    FDX_Stat zaznam;
    bool ma_potomky = false;
};

// What a write came to.
enum class VysledekZapisu {
    Zapsano,        // written
    Duplicita,      // the new key is stored already
    NeniCislo,      // a code or number with other characters than digits
    DomovskyKod,    // the site's home state or city code may not change here
    Chyba,          // the database refused (chyba() says why)
};

class VnejsiSeznam {
public:
    explicit VnejsiSeznam(Transaction& t);
    VnejsiSeznam();  // on Transaction::main()
    ~VnejsiSeznam();
    VnejsiSeznam(const VnejsiSeznam&) = delete;
    VnejsiSeznam& operator=(const VnejsiSeznam&) = delete;

    // The states: the home state 420 first, then the others, each by name in
    // the Czech alphabet's order (so are cities and subscribers below).
    // False when a read failed (chyba()).
    bool nacti_staty(QList<RadekSeznamu>& out);
    // The cities of a state by name; each carries the state's code.
    bool nacti_mesta(const QString& kod_statu, QList<RadekSeznamu>& out);
    // The subscribers of a city by name and firm (no children). The name and
    // firm are trimmed at both ends, as the tree shows them.
    bool nacti_ucastniky(const QString& kod_statu, const QString& kod_mesta, QList<RadekSeznamu>& out);

    // New rows. A state or city gets the zone 9999 (not yet assigned), a city
    // no exchange area number.
    VysledekZapisu vloz_stat(const FDX_Stat& stat);
    VysledekZapisu vloz_mesto(const FDX_Stat& mesto);
    VysledekZapisu vloz_ucastnika(const FDX_Stat& ucastnik);

    // Changes of the row stored as `puvodni` to `novy`. The zone and the
    // exchange area number stay as stored. A new state code goes to the
    // state's cities, subscribers and discounted periods; a new city code to
    // the city's subscribers. The site's home state and home city keep their codes.
    VysledekZapisu oprav_stat(const FDX_Stat& puvodni, const FDX_Stat& novy);
    VysledekZapisu oprav_mesto(const FDX_Stat& puvodni, const FDX_Stat& novy);
    VysledekZapisu oprav_ucastnika(const FDX_Stat& puvodni, const FDX_Stat& novy);

    // Deletes the one row (nothing below it).
    VysledekZapisu smaz_stat(const FDX_Stat& stat);
    VysledekZapisu smaz_mesto(const FDX_Stat& mesto);
    VysledekZapisu smaz_ucastnika(const FDX_Stat& ucastnik);

    // The database's text of the last failure.
    QString chyba() const { return m_chyba; }

private:
    bool nacti(Query& q, QList<RadekSeznamu>& out, const FDX_Stat& vzor, int druh);
    bool proved(const QString& sql, const QList<QString>& hodnoty, bool* duplicita = nullptr);
    // A statement that must change one stored row: Zapsano, Duplicita, or Chyba
    // (refused, or the row is no longer stored), with chyba() saying why.
    VysledekZapisu zmen_ulozeny(const QString& sql, const QList<QString>& hodnoty);
    // Deletes one stored row, atomically.
    VysledekZapisu smaz(const QString& sql, const QList<QString>& klic);
    bool domovskeKody(QString& stat, QString& mesto);

    Transaction& m_t;
    QString m_chyba;
    struct Dotazy;
    std::unique_ptr<Dotazy> m_dotazy;
};

// The text of a tree item: a state's name padded to 21 characters and its
// code in brackets, a city's name padded to 26 and its code, a subscriber's
// "name - firm" padded to 25, " - " and the number.
QString text_polozky(const FDX_Stat& zaznam);

// Only digits, at least one.
bool jen_cislice(const QString& text);

// What is dialled in front of a subscriber number of the state and city to
// reach it from the site: nothing in the home area; the long-distance prefix
// and the area code, then " - ", in another area of the home state; the
// international prefix, the state code and the area code, each followed by
// " - ", in another state. Codes compare as exact texts ("02" is not "2").
// Nothing when no site is stored (empty home state).
QString predvolba_volby(const MistoUstredny& misto, const QString& kod_statu, const QString& kod_mesta);

} // namespace kavro
