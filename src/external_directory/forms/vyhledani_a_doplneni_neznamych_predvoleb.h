#pragma once
// "Vyhledání a doplnění neznámých předvoleb": every charged outgoing call whose
// state or area code the tariffing did not find, ordered by the called number.
// "Zapiš stát" in the list's menu, or a double click, opens "Zapiš stát a
// město" for the selected call. The list stays as loaded until the window
// is opened again; this window writes nothing itself.
#include "common/forms/dialog_base.h"
#include "external_directory/nezname_predvolby.h"

#include <memory>
#include <vector>

namespace Ui {
class Vyhledani_a_doplneni_neznamych_predvoleb;
}

namespace kavro {

class Vyhledani_a_doplneni_neznamych_predvoleb : public Dialog {
    Q_OBJECT
public:
    explicit Vyhledani_a_doplneni_neznamych_predvoleb(QWidget* parent = nullptr);
    ~Vyhledani_a_doplneni_neznamych_predvoleb() override;

    bool Create(QWidget* parent);
    // What opening does: the list loaded.
    void Vyhledani_a_doplneni_neznamych_predvoleb_Create();

    void popup_1_Item0_Click();  // "Zapiš stát", also a double click
    void cb_1_Click();

    const std::vector<Struktura_novy_tarif_udaj>& radky() const { return m_radky; }

private:
    void nacti_data();

    std::unique_ptr<Ui::Vyhledani_a_doplneni_neznamych_predvoleb> ui;
    std::vector<Struktura_novy_tarif_udaj> m_radky;
    bool m_zapsano = false;
};

} // namespace kavro
