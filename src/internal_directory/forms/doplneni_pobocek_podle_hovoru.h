#pragma once
// "Doplnění poboček podle hovorů": lists the extensions that made calls while
// no assignment held them, one line per extension from its first to its last
// such call, and places a chosen line under the exchange root for exactly
// that period. "Zavři" (and Esc) keep the placements; the close box asks.
#include "common/forms/dialog_base.h"
#include "internal_directory/unassigned_extensions.h"
#include "platform/unit_of_work.h"

#include <memory>

class QMenu;

namespace Ui { class Doplneni_pobocek_podle_hovoru; }

namespace kavro {

class Doplneni_pobocek_podle_hovoru : public Dialog {
    Q_OBJECT
public:
    explicit Doplneni_pobocek_podle_hovoru(QWidget* parent = nullptr);
    ~Doplneni_pobocek_podle_hovoru() override;

    // Reads the calls and runs modally; false at once when no line is found.
    bool Create(QWidget* parent);

    // Fills the list; false when it stays empty (the user was told).
    bool nacti_hovory();
    void Nejsou_zadne_zaznamy();
    void popup_1_Item0_Click();
    void cb_2_Click();
    void cb_1_Click();

    QMenu* popup_1() const { return m_popup; }

protected:
    void leave() override;
    void closeEvent(QCloseEvent* e) override;

private:
    // Ends the window keeping the placements; false when they could not be kept.
    void zavri_a_potvrd();

    std::unique_ptr<Ui::Doplneni_pobocek_podle_hovoru> ui;
    UnitOfWork m_prace;
    UnassignedExtensions m_hovory;
    QList<NeprirazenyBeh> m_behy;
    QMenu* m_popup = nullptr;
    bool m_krizek = false;  // the close box is closing the window
};

} // namespace kavro
