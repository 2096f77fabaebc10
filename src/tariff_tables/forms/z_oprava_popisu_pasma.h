#pragma once
// The zone description dialog: renames a tariff zone.
//
// The box shows the record's popis_pasma; "Ulož" writes the box's text back
// exactly as typed (blanks and an empty text included) and sets OK; "Opusť",
// Esc and the close box leave the record as the opener set it.
#include "common/forms/dialog_base.h"
#include "tariff_tables/fdx_nastaveni_tarifnich_pasem.h"

#include <memory>

namespace Ui { class Z_oprava_popisu_pasma; }

namespace kavro {

class Z_oprava_popisu_pasma : public Dialog {
    Q_OBJECT
public:
    explicit Z_oprava_popisu_pasma(QWidget* parent = nullptr);
    ~Z_oprava_popisu_pasma() override;

    // Runs the dialog modally on `record` (a record of its own when null);
    // true when "Ulož" was pressed.
    bool Create(QWidget* parent, FDX_Nastaveni_tarifnich_pasem* record);

private:
    void Z_oprava_popisu_pasma_Create();
    void cb_1_Click();
    void cb_2_Click();

    std::unique_ptr<Ui::Z_oprava_popisu_pasma> ui;
    FDX_Nastaveni_tarifnich_pasem m_vlastni;
    FDX_Nastaveni_tarifnich_pasem* m_record = nullptr;
};

} // namespace kavro
