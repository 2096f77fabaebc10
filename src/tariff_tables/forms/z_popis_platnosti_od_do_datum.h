#pragma once
// The validity range dialog: the first and the last day of a validity range
// of the zone or discount tables.
//
// The boxes show the record's datum_od and datum_do; "Ulož" ("Smazat" when
// the record's rezim is 3) is enabled only while the start text sorts before
// the end text. Confirming normalises both boxes first and refuses a range
// that then runs backwards; otherwise it writes both dates back and sets OK.
// "Opusť", Esc and the close box leave the record as the opener set it.
#include "common/forms/dialog_base.h"
#include "tariff_tables/fdx_nastaveni_tarifnich_pasem.h"

#include <memory>

namespace Ui { class Z_Popis_platnosti_od_do_datum; }

namespace kavro {

class Z_Popis_platnosti_od_do_datum : public Dialog {
    Q_OBJECT
public:
    explicit Z_Popis_platnosti_od_do_datum(QWidget* parent = nullptr);
    ~Z_Popis_platnosti_od_do_datum() override;

    // Runs the dialog modally on `record`; true when confirmed.
    bool Create(QWidget* parent, FDX_Nastaveni_tarifnich_pasem* record);

private:
    void Z_Popis_platnosti_od_do_datum_Create();
    void textb_Change();
    void cb_1_Click();
    void cb_2_Click();

    std::unique_ptr<Ui::Z_Popis_platnosti_od_do_datum> ui;
    FDX_Nastaveni_tarifnich_pasem* m_record = nullptr;
};

} // namespace kavro
