#pragma once
// "Zapiš stát a město": adds the missing state and/or city of one call to the
// external directory, with the zone 9999 (not yet assigned). It shows the
// called number and who called it; a state the call already has is shown
// with its name and cannot be changed. "Ulož" inserts what has a name and
// commits; a missing or existing code is refused with a message and the
// dialog stays open. "Opusť", Esc and the close box write nothing.
#include "common/forms/dialog_base.h"
#include "platform/unit_of_work.h"

#include <memory>

namespace Ui {
class Z_Zadej_stat_mesto_podle_hovoru;
}

namespace kavro {

struct Struktura_novy_tarif_udaj;

class Z_Zadej_stat_mesto_podle_hovoru : public Dialog {
    Q_OBJECT
public:
    explicit Z_Zadej_stat_mesto_podle_hovoru(QWidget* parent = nullptr);
    ~Z_Zadej_stat_mesto_podle_hovoru() override;

    // Runs the dialog for the call; true when "Ulož" stored and committed.
    bool Create(QWidget* parent, Struktura_novy_tarif_udaj* record);

    void cb_1_Click();  // "Ulož"
    void cb_2_Click();  // "Opusť"

protected:
    void leave() override;

private:
    void Nacti_data();

    std::unique_ptr<Ui::Z_Zadej_stat_mesto_podle_hovoru> ui;
    UnitOfWork m_prace;
    Struktura_novy_tarif_udaj* m_record = nullptr;
};

} // namespace kavro
