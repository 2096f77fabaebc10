#pragma once
// The configuration store: the program's settings kept in the registry.
//
// The store holds a short ordered list of named text variables loaded at
// start-up from the instance key ("Software\Dorvek\Kavro\" + instance name)
// and then from the exchange key ("Software\Dorvek\Kavro\Ustredna\" + the
// exchange name held in the value "Ustredna"), whose values replace values of
// the same name. Each variable remembers the key it came from (relative to the
// base key; empty means the base key itself), so writing all variables puts
// each one back where it was loaded from.
//
// Passwords, the last user and the default report period are read and written
// directly (precti_promennou_registru / zapis_promenou_do_registru) without
// going through the list.
#include "common/registry_names.h"
#include <QString>
#include <memory>
#include <vector>

namespace kavro {

class Registry;

// One configuration variable: registry value name, its text and its key
// relative to the base key ("" = the base key).
struct konfiguracni_promenna {
    QString jmeno;
    QString hodnota;
    QString podklic;
};

class konfiguracni_hodnoty {
public:
    // The base key of every configuration key.
    static QString zakladniKlic() { return registr::Aplikace; }

    // Loads the instance key and then the exchange key named by its "Ustredna" value.
    konfiguracni_hodnoty(const QString& zakladni_klic, const QString& instance);
    konfiguracni_hodnoty(const QString& zakladni_klic, const QString& instance, Registry& registry);
    konfiguracni_hodnoty(const konfiguracni_hodnoty&) = delete;
    konfiguracni_hodnoty& operator=(const konfiguracni_hodnoty&) = delete;

    // Loads every value of base + sub-key into the list. A missing key is
    // created (empty), nothing is loaded and the result is false.
    bool precti_hodnoty_registru(const QString& podklic);
    // Sets or creates a variable in memory; true when it existed. An empty
    // sub-key keeps an existing variable's key.
    bool nastav_promennou(const QString& jmeno, const QString& hodnota, const QString& podklic);
    // Appends a new variable; false (and no change) when the name exists.
    bool vytvor_promennou(const QString& jmeno, const QString& hodnota, const QString& podklic);
    // The variable of that name (exact comparison), nullptr when none.
    konfiguracni_promenna* najdi_promennou(const QString& jmeno);
    const konfiguracni_promenna* najdi_promennou(const QString& jmeno) const;
    // The last variable, nullptr when the list is empty.
    konfiguracni_promenna* posledni_promenna();
    // The in-memory value; "" when there is no such variable.
    QString zjisti_hodnotu(const QString& jmeno) const;
    // Writes every variable to its own key (creating keys as needed).
    void zapis_do_registru();
    // Reads one value straight from the registry; "" when the key or value is missing.
    // Creates nothing.
    QString precti_promennou_registru(const QString& jmeno, const QString& podklic) const;
    // Writes one value straight to the registry, creating the key when missing.
    void zapis_promenou_do_registru(const QString& jmeno, const QString& hodnota, const QString& podklic);

    QString zakladni_klic() const { return m_zakladni; }
    QString instance() const { return m_instance; }
    // Rights level 1 (reading), 2 (editing), 3 (administrator); 0 until login.
    int uroven_prav() const { return m_prava; }
    void nastav_uroven_prav(int uroven) { m_prava = uroven; }

    // The variables in their order of creation.
    int pocet_promennych() const { return int(m_promenne.size()); }
    const konfiguracni_promenna& promenna(int i) const { return *m_promenne[size_t(i)]; }

private:
    void nacti();
    QString cesta(const QString& podklic) const;

    Registry& m_registry;
    QString m_zakladni;
    QString m_instance;
    int m_prava = 0;
    std::vector<std::unique_ptr<konfiguracni_promenna>> m_promenne;
};

// The program's one store, created by the main window at start-up (nullptr before).
extern konfiguracni_hodnoty* konfigurace;

} // namespace kavro
