#pragma once
// "Hovory": the list of tariffed calls for a selection made in the call
// filter form, which opens before the list is shown and again on every
// "Nastav filtr". Leaving the first filter form of an opening closes the
// browser unseen; leaving a later one keeps the list shown. The selection is
// kept by the opener in one record, so each opening starts from the last one.
#include "billing/call_filter.h"
#include "billing/fdx_filtr_hovory.h"
#include "common/forms/dialog_base.h"

#include <memory>

namespace Ui { class S_Otarifovane_hovory; }

namespace kavro {

class P_Vyber_pro_tiskove_sestavy;
class ReportView;

class S_Otarifovane_hovory : public Dialog {
    Q_OBJECT
public:
    explicit S_Otarifovane_hovory(QWidget* parent = nullptr);
    ~S_Otarifovane_hovory() override;

    // Runs the browser modally over `parent` on the selection `vyber` (its own
    // when none is given), which holds the last confirmed selection afterwards.
    bool Create(QWidget* parent, FDX_filtr_hovory* vyber = nullptr);

    void S_Otarifovane_hovory_Create();
    // Reads the site's home state and area.
    void Nastav_konfiguraci();
    void cb_1_Click();  // "Nastav filtr"
    void cb_2_Click();  // "Opusť"
    void cb_3_Click();  // "Tisk"
    void dw_1_RowFocusChanged(int row);

    ReportView& sestava() { return *m_view; }
    P_Vyber_pro_tiskove_sestavy& filtr() { return *m_filtr; }
    // The Select the list was retrieved with.
    QString zakladniSelect() const { return m_zaklad; }

private:
    void chyba(const QString& text);

    std::unique_ptr<Ui::S_Otarifovane_hovory> ui;
    P_Vyber_pro_tiskove_sestavy* m_filtr;
    ReportView* m_view;
    FDX_filtr_hovory m_vlastni;
    FDX_filtr_hovory* m_vyber = &m_vlastni;
    SiteCodes m_misto;
    QString m_zaklad;        // the object's Select up to its first ";"
    bool m_prvni = true;     // no list retrieved yet in this opening
    bool m_zavrit = false;
};

} // namespace kavro
