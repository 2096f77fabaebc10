#pragma once
// The connection to a database server through the ODBC driver manager. The
// Transaction, Query and FastStatement use these when the data source names a
// driver; the program's code never sees them.
#include <QString>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kavro::odbc {

// What the engine said about the last failure.
struct Chyba {
    int cislo = 0;          // the engine's native number
    std::string stav;       // SQLSTATE, e.g. "23505"
    std::string text;
    bool duplicitniKlic() const { return stav == "23505" || stav == "23000"; }
};

class Spojeni {
public:
    Spojeni();
    ~Spojeni();
    Spojeni(const Spojeni&) = delete;
    Spojeni& operator=(const Spojeni&) = delete;

    // Opens the connection string with auto-commit off.
    bool otevri(const std::string& retezec);
    bool commit();
    bool rollback();
    // Runs a statement without parameters (settings, savepoints).
    bool proved(const std::string& sql);
    const Chyba& chyba() const { return m_chyba; }
    void* dbc() const { return m_dbc; }
    // The server's type of each column of a table ("dba.hovory"), by lower-case name.
    const std::map<std::string, std::string>& typySloupcu(const std::string& tabulka);

    // Whether a data source of this name is set up in odbc.ini.
    static bool jeZdrojDat(const std::string& jmeno);

private:
    friend class Prikaz;
    void* m_env = nullptr;
    void* m_dbc = nullptr;
    Chyba m_chyba;
    std::map<std::string, std::map<std::string, std::string>> m_typy;
};

// One prepared statement. Parameters count from 1, columns from 0.
class Prikaz {
public:
    enum class Druh { Cele, Realne, Text, Null };

    explicit Prikaz(Spojeni& s);
    ~Prikaz();
    Prikaz(const Prikaz&) = delete;
    Prikaz& operator=(const Prikaz&) = delete;

    bool priprav(const std::string& sql);
    // Has the server check the prepared statement now (the driver defers it to
    // the first execution); false with the server's error.
    bool over();
    bool pripraven() const { return m_pripraven; }
    int pocetParametru() const { return m_pocetParametru; }

    // Values for the parameters of the next execution (of the current row of a batch).
    void vazText(int i, std::string_view s);
    void vazCele(int i, std::int64_t v);
    void vazRealne(int i, double v);
    void vazNull(int i);

    // Runs the statement with the bound values; a query stands before its first row.
    bool proved();
    // Keeps the bound values as one row of a batch; provedDavku() sends the rows
    // collected so far in one go. Kept rows are sent before any other execution.
    void pridejDoDavky();
    bool provedDavku();
    std::size_t vDavce() const { return m_davka; }

    // Moves to the next row of a result; false at its end or on a failure (then selhal()).
    bool dalsi();
    bool selhal() const { return m_selhal; }
    void zavri();
    std::int64_t pocetRadku() const { return m_radku; }

    int pocetSloupcu() const { return int(m_sloupce.size()); }
    Druh druh(int c) const;
    bool jeNull(int c) const { return m_hodnoty[std::size_t(c)].null; }
    std::string_view text(int c) const;
    std::int64_t cele(int c) const;
    double realne(int c) const;

    const Chyba& chyba() const { return m_chyba; }

private:
    bool vysledek(short rc, bool zPrikazu = true);
    bool provedDavkuJednimPrikazem(std::size_t radky);

    // "UPDATE table SET a = ?, b = ? WHERE key = ?": a batch of it goes to the
    // server as one UPDATE ... FROM unnest(<an array per column>).
    struct HromadnaZmena {
        std::string tabulka;
        std::vector<std::string> sloupce; // the SET columns, then the key
    };
    std::unique_ptr<HromadnaZmena> m_hromadna;
    std::string m_hromadnyText;
    void zjistiSloupce();

    Spojeni& m_s;
    void* m_stmt = nullptr;
    bool m_pripraven = false;
    bool m_otevreny = false;
    bool m_selhal = false;
    int m_pocetParametru = 0;        // the program's values (the greatest number)
    std::vector<int> m_poradi;       // marker k of the server's text takes value m_poradi[k]
    std::int64_t m_radku = 0;
    Chyba m_chyba;

    struct Parametr {
        short typ = 0;          // 0 null, 1 integer, 2 real, 3 text
        std::int64_t i = 0;
        double d = 0;
        std::string text;
    };
    std::vector<Parametr> m_parametry;
    // A batch: the kept rows' values as text, one column per parameter.
    std::size_t m_davka = 0;
    std::vector<std::string> m_davkaHodnoty; // row after row, m_pocetParametru values each
    std::vector<bool> m_davkaNull;

    struct Sloupec { Druh druh = Druh::Text; };
    std::vector<Sloupec> m_sloupce;
    struct Hodnota { bool null = true; std::string text; };
    std::vector<Hodnota> m_hodnoty;
};

// The text of a statement as the server needs it: the few constructs that the
// embedded engine and the server spell differently are rewritten here.
// `poradi` gets, for each parameter marker of the new text, the number of the
// program's value it takes (?2 takes value 2).
std::string proServer(std::string_view sql, std::vector<int>* poradi = nullptr);

} // namespace kavro::odbc
