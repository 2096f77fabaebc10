#pragma once
// The windows that the main menu opens, registered by the modules that build them.
//
// The main window never names another module's window class: each menu item
// runs what is registered for it here, and an item with nothing registered is
// shown disabled. The program registers every window once before the main
// window is created (src/app); tests register what they need.
//
//   kavro::PrikazyMenu::instance().registruj(menu::ZoneAssignment, [](QWidget* rodic) {
//       Kontrola_Prirazeni okno; okno.Create(rodic); return true; });
//
// Windows that take a request from the main window register through the
// typed hooks below instead of a menu id.
#include "frame/fdx_zakladni_okno.h"

#include <QString>
#include <functional>
#include <map>

class QWidget;

namespace kavro {

class PrikazyMenu {
public:
    // Opens a window modally over `rodic` and returns when it has closed;
    // true when the user confirmed or saved (callers that don't care ignore it).
    using Okno = std::function<bool(QWidget* rodic)>;
    // The generic report window with the main window's report request.
    using Sestava = std::function<void(QWidget* rodic, FDX_Zakladni_okno* pozadavek)>;
    // The billing window with a fresh call selection of report kind 1 to 7.
    using Vyuctovani = std::function<void(QWidget* rodic, int druh_sestavy)>;
    // The call import with import type 1 (new calls), 2 (files of a period), 3 (one file).
    using ImportHovoru = std::function<void(QWidget* rodic, int typ_importu)>;
    // The holiday calendar of a year ("0" = the holidays of every year).
    using KalendarSvatku = std::function<void(QWidget* rodic, const QString& rok)>;

    static PrikazyMenu& instance()
    {
        static PrikazyMenu p;
        return p;
    }

    // A window opened by one menu item (its id as in the main menu, e.g. 1067).
    void registruj(int id, Okno okno) { m_okna[id] = std::move(okno); }
    void registrujSestavy(Sestava s) { m_sestava = std::move(s); }
    void registrujVyuctovani(Vyuctovani v) { m_vyuctovani = std::move(v); }
    void registrujImport(ImportHovoru i) { m_import = std::move(i); }
    void registrujKalendarSvatku(KalendarSvatku k) { m_kalendar = std::move(k); }
    // Forgets everything registered (tests).
    void vymaz() { *this = PrikazyMenu(); }

    bool ma(int id) const { return m_okna.count(id) && m_okna.at(id); }
    // Runs the window of item `id`; false when none is registered or it was not confirmed.
    bool spust(int id, QWidget* rodic) const { return ma(id) && m_okna.at(id)(rodic); }

    const Sestava& sestava() const { return m_sestava; }
    const Vyuctovani& vyuctovani() const { return m_vyuctovani; }
    const ImportHovoru& importHovoru() const { return m_import; }
    const KalendarSvatku& kalendarSvatku() const { return m_kalendar; }

private:
    std::map<int, Okno> m_okna;
    Sestava m_sestava;
    Vyuctovani m_vyuctovani;
    ImportHovoru m_import;
    KalendarSvatku m_kalendar;
};

} // namespace kavro
