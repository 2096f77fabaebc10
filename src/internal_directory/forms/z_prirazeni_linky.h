#pragma once
// "Přiřazení linky": the number and validity of an extension's assignment to
// the selected firm, department or person (mode 1 new, 2 edit, 4 show only).
// The list offers the numbers found in the calls; any number can be typed.
// "Ulož" refuses an empty number and an end before the start; when the
// number is still held by another department after the start, it asks
// whether those assignments end, and hands the answer to the tree, which
// writes it with the assignment itself.
#include "common/forms/dialog_base.h"
#include "internal_directory/fdx_firmy.h"

#include <memory>

namespace Ui { class Z_Prirazeni_linky; }

namespace kavro {

class Z_Prirazeni_linky : public Dialog {
    Q_OBJECT
public:
    explicit Z_Prirazeni_linky(QWidget* parent = nullptr);
    ~Z_Prirazeni_linky() override;

    // Runs the dialog modally on the record; true when "Ulož" was pressed.
    bool Create(QWidget* parent, FDX_Firmy* record);

    void Z_Prirazeni_linky_Create();
    void cb_OK_Click();
    void cb_Cancel_Click();
    // Fills the number list with the extensions found in the calls.
    void napln_combo();
    // The number as chosen in the list or typed.
    QString cislo() const;

private:
    std::unique_ptr<Ui::Z_Prirazeni_linky> ui;
    FDX_Firmy m_vychozi;
    FDX_Firmy* m_record = nullptr;
};

} // namespace kavro
