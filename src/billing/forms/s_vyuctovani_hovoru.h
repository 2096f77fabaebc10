#pragma once
// The billing window: one of the seven billing reports for the period, firm,
// department or extension the billing selection dialog asks for. Leaving the
// dialog closes the window before it is shown.
#include "billing/fdx_filtr_hovory.h"
#include "common/forms/dialog_base.h"

#include <memory>

namespace Ui { class S_Vyuctovani_hovoru; }

namespace kavro {

class ReportView;
class Vyber_pro_vyuctovani;

class S_Vyuctovani_hovoru : public Dialog {
    Q_OBJECT
public:
    explicit S_Vyuctovani_hovoru(QWidget* parent = nullptr);
    ~S_Vyuctovani_hovoru() override;

    // Runs the window modally for the record (its `typ` holds the kind 1..7).
    bool Create(QWidget* parent, FDX_filtr_hovory* record);

    void S_Vyuctovani_hovoru_Create();
    void cb_1_Click();
    void cb_2_Click();

    ReportView& sestava() { return *m_view; }

private:
    void chyba(const QString& text);

    std::unique_ptr<Ui::S_Vyuctovani_hovoru> ui;
    FDX_filtr_hovory* m_record = nullptr;
    Vyber_pro_vyuctovani* m_vyber;
    ReportView* m_view;
    bool m_zavrit = false;
};

} // namespace kavro
