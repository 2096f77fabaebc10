#pragma once
// The department dialog: the name of a new department (mode 1) or of the
// selected one (mode 2).
#include "common/forms/dialog_base.h"
#include "internal_directory/fdx_firmy.h"

#include <memory>

namespace Ui { class Z_Oprava_oddeleni; }

namespace kavro {

class Z_Oprava_oddeleni : public Dialog {
    Q_OBJECT
public:
    explicit Z_Oprava_oddeleni(QWidget* parent = nullptr);
    ~Z_Oprava_oddeleni() override;

    // Runs the dialog modally on the record; true when "Ulož" was pressed.
    bool Create(QWidget* parent, FDX_Firmy* record);

    void Z_Oprava_oddeleni_Create();
    void cb_OK_Click();
    void cb_Cancel_Click();

private:
    std::unique_ptr<Ui::Z_Oprava_oddeleni> ui;
    FDX_Firmy m_vychozi;
    FDX_Firmy* m_record = nullptr;
};

} // namespace kavro
