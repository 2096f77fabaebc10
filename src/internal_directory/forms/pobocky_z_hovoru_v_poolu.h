#pragma once
// The pool of free extensions in the directory window also works with the
// extensions found in calls. Its menu gains "&Zruš linku" (the selected free
// row ends at the window's moment) and "&Načti nepřiřazené linky", which adds
// one item per extension that made calls without an assignment and switches
// the menu to "Zařaď pod ústřednu": the selected item's extension is placed
// under the exchange root for the period of those calls. Reloading the
// window ("Načti") brings the pool's own menu back.
#include <QList>

class QAction;

namespace kavro {

class Nastaveni_pobocky;

class Pobocky_z_hovoru_v_poolu {
public:
    explicit Pobocky_z_hovoru_v_poolu(Nastaveni_pobocky& okno);

    void popup_neprirazena_polozka_Item1_Click();  // "&Zruš linku"
    void popup_neprirazena_polozka_Item2_Click();  // "&Načti nepřiřazené linky"
    void popup_1_Item0_Click();                    // "Zařaď pod ústřednu"

    // True while the pool shows the extensions found in calls.
    bool stavHovoru() const { return m_hovory; }

private:
    void nastavStav(bool hovory);

    Nastaveni_pobocky& m_okno;
    QList<QAction*> m_poolu;  // the pool's own items
    QAction* m_zarad = nullptr;
    bool m_hovory = false;
};

} // namespace kavro
