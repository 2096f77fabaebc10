#pragma once
// The import of an external directory file, without its window: the site's
// home codes, the work table p_import_ext_seznamu (one row per line of the
// file, classified), the rows the review shows, and the storing of the
// chosen rows into the subscriber table with one of three rules for a
// subscriber that exists already (same state, area code and number).
//
// Nothing here commits: the window's unit of work does. A load and a store
// are each one operation: a failure or a cancel undoes only its own writes.
#include "external_directory/soubor_vnejsiho_seznamu.h"

#include <QString>
#include <functional>
#include <vector>

namespace kavro {

class Transaction;

class Import_vnejsiho_seznamu {
public:
    // The values a review item carries (state items: the state code only;
    // city items: state and area code; number items: all five).
    struct Data_vety {
        QString popis;             // description: becomes nazev_ucastnika
        QString firma;             // the subscriber: becomes Firma
        QString kod_statu;
        QString kod_mesta;
        QString kod_volane_cislo;  // the subscriber number
    };
    // One row of the work table as the review shows it.
    struct Radek_prehledu {
        Data_vety data;
        QString nazev_statu;  // "" when the state is not in the directory
        QString nazev_mesta;  // "" when the city is not in the directory
        bool ulozit = false;  // resolved and described: the upper tree
    };
    // What happens to a subscriber that exists already.
    enum class Volba { Prepsat, Ponechat_puvodni, Dotaz };
    enum class Konec { Hotovo, Preruseno, Chyba };
    struct Vysledek_ulozeni {
        Konec konec = Konec::Hotovo;
        qint64 vlozeno = 0;
        qint64 prepsano = 0;
        qint64 ponechano = 0;
        qint64 chyby = 0;      // rows the database refused
        QString prvni_chyba;   // the engine's text of the first refusal
    };
    // Told how far the work is (done, of all); false stops it.
    using Prubeh = std::function<bool(qint64 hotovo, qint64 celkem)>;
    // Asked for an existing subscriber under "Dotaz": true overwrites it.
    using Dotaz = std::function<bool(const Data_vety&)>;

    explicit Import_vnejsiho_seznamu(Transaction& t);
    Import_vnejsiho_seznamu();  // on Transaction::main()

    // Reads the home state and area codes of the site; false when the read failed.
    bool nacti_misto();
    // True when the home state and area codes are set.
    bool mistoNastaveno() const;
    QString domaci_kod_statu() const { return m_domaci_kod_statu; }
    QString domaci_kod_mesta() const { return m_domaci_kod_mesta; }

    // Empties the work table and fills it with the lines, classified.
    Konec Zpracuj_data(const std::vector<Radek_souboru>& radky, const Prubeh& prubeh = {});
    // The work table's rows with the directory's names.
    bool prehled(std::vector<Radek_prehledu>& radky);
    // Stores the number items, in their order.
    Vysledek_ulozeni uloz(const std::vector<Data_vety>& polozky, Volba volba, const Dotaz& dotaz = {},
                          const Prubeh& prubeh = {});
    // Deletes every row of the work table.
    bool vyprazdni();

    QString chyba() const { return m_chyba; }

private:
    Transaction& m_t;
    QString m_domaci_kod_statu;
    QString m_domaci_kod_mesta;
    QString m_chyba;
};

} // namespace kavro
