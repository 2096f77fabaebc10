#pragma once
// The time band dialog: the day type, the start and end time of day and the
// impulse period of one band of the zone or discount tables.
//
// "Ulož" ("Smazat" when the record's rezim is 3) is enabled only while the
// start text sorts before the end text; the arrows beside a time step it by a
// minute, the presets "1", "2", "3" fill the night, day and evening bands.
// Confirming normalises both times first and refuses a band that then runs
// backwards; an insert or edit is also refused without a day type or with an
// empty or zero period (the tariffing divides a call's length by it).
// "Opusť", Esc and the close box leave the record as the opener set it, apart
// from a typ_dne 0, which the opening makes 1.
#include "common/forms/dialog_base.h"
#include "tariff_tables/fdx_nastaveni_tarifnich_pasem.h"

#include <memory>

namespace Ui { class Z_Oprava_platnosti_od_do_cas; }

namespace kavro {

class Z_Oprava_platnosti_od_do_cas : public Dialog {
    Q_OBJECT
public:
    explicit Z_Oprava_platnosti_od_do_cas(QWidget* parent = nullptr);
    ~Z_Oprava_platnosti_od_do_cas() override;

    // Runs the dialog modally on `record`; true when confirmed.
    bool Create(QWidget* parent, FDX_Nastaveni_tarifnich_pasem* record);

private:
    void Z_Oprava_platnosti_od_do_cas_Create();
    void textb_Change();
    void nastav(const char* od, const char* do_);
    void cb_1_Click();
    void cb_2_Click();
    void odmitni(const QString& text);

    std::unique_ptr<Ui::Z_Oprava_platnosti_od_do_cas> ui;
    FDX_Nastaveni_tarifnich_pasem* m_record = nullptr;
};

} // namespace kavro
