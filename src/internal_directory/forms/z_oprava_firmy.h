#pragma once
// The firm dialog: name, unit, street, postcode, town, registration and tax
// number of a new firm (mode 1, empty boxes) or of the selected one (mode 2);
// mode 4 only shows. The surcharge and flat fee are not shown and stay as
// the record holds them.
#include "common/forms/dialog_base.h"
#include "internal_directory/fdx_firmy.h"

#include <memory>

namespace Ui { class Z_Oprava_firmy; }

namespace kavro {

class Z_Oprava_firmy : public Dialog {
    Q_OBJECT
public:
    explicit Z_Oprava_firmy(QWidget* parent = nullptr);
    ~Z_Oprava_firmy() override;

    // Runs the dialog modally on the record; true when "Ulož" was pressed.
    bool Create(QWidget* parent, FDX_Firmy* record);

    void Z_Oprava_firmy_Create();
    void cb_OK_Click();
    void cb_Cancel_Click();

private:
    std::unique_ptr<Ui::Z_Oprava_firmy> ui;
    FDX_Firmy m_vychozi;
    FDX_Firmy* m_record = nullptr;
};

} // namespace kavro
