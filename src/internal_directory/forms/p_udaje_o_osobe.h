#pragma once
// "Přiřazení pobočky": one assignment period of an extension in words: the
// number, the period, and the firm, department and person it belonged to.
// It writes nothing.
#include "common/forms/dialog_base.h"
#include "internal_directory/fdx_firmy.h"

#include <memory>

namespace Ui { class P_Udaje_o_osobe; }

namespace kavro {

class P_Udaje_o_osobe : public Dialog {
    Q_OBJECT
public:
    explicit P_Udaje_o_osobe(QWidget* parent = nullptr);
    ~P_Udaje_o_osobe() override;

    // Runs the dialog modally on the record; returns when it is closed.
    bool Create(QWidget* parent, FDX_udaje_o_osobe* record);

    void P_Udaje_o_osobe_Create();
    void cb_1_Click();

private:
    std::unique_ptr<Ui::P_Udaje_o_osobe> ui;
    FDX_udaje_o_osobe m_vychozi;
    FDX_udaje_o_osobe* m_record = nullptr;
};

} // namespace kavro
