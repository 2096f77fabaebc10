#pragma once
// The report viewer: shows and prints one report object of the library that
// a report request names. From request arguments 1 and 2 it decides whether
// the report is taken at a moment (it asks for a day and a time), over a
// period (it asks for two dates) or retrieved as it stands.
#include "common/forms/dialog_base.h"
#include "frame/fdx_zakladni_okno.h"

#include <memory>

namespace Ui { class S_Tiskove_sestavy; }

namespace kavro {

class P_Nastaveni_od_do;
class ReportView;
class Z_Zruseni_polozky_firma_oddeleni_osoba;

class S_Tiskove_sestavy : public Dialog {
    Q_OBJECT
public:
    explicit S_Tiskove_sestavy(QWidget* parent = nullptr);
    ~S_Tiskove_sestavy() override;

    // Runs the viewer modally for the request (a null request keeps the one
    // given before, else the viewer's own empty one). In the moment case
    // argument 1 of the request holds the chosen moment afterwards.
    bool Create(QWidget* parent, FDX_Zakladni_okno* request = nullptr);

    void S_Tiskove_sestavy_Create();
    void cb_1_Click();
    void cb_2_Click();

    ReportView& sestava() { return *m_view; }

private:
    bool chybaSestavy(const QString& text);

    std::unique_ptr<Ui::S_Tiskove_sestavy> ui;
    FDX_Zakladni_okno m_vlastni;
    FDX_Zakladni_okno* m_pozadavek = nullptr;
    Z_Zruseni_polozky_firma_oddeleni_osoba* m_okamzik;
    P_Nastaveni_od_do* m_obdobi;
    ReportView* m_view;
    bool m_zavrit = false;
};

} // namespace kavro
