#pragma once
// "Vybrat hovory": the call browser's selection of calls. The period is a
// date and a time at each end; the caller is chosen from cascading lists
// (firm, department, person, extension valid over the whole period), the
// called party from state, city and subscriber lists or a typed number, whose
// dialled-number pattern is shown as it is built. "Vyber" writes the choice
// into the browser's record and remembers the period and the times; "Opusť",
// Esc and the close box write only OK false. A record that holds an earlier
// choice preselects its entries when the form opens.
#include "billing/call_filter.h"
#include "billing/fdx_filtr_hovory.h"
#include "common/forms/dialog_base.h"

#include <QVariantList>
#include <functional>
#include <memory>

class QComboBox;

namespace Ui { class P_Vyber_pro_tiskove_sestavy; }

namespace kavro {

class Query;

class P_Vyber_pro_tiskove_sestavy : public Dialog {
    Q_OBJECT
public:
    explicit P_Vyber_pro_tiskove_sestavy(QWidget* parent = nullptr);
    ~P_Vyber_pro_tiskove_sestavy() override;

    // Runs the form modally over `parent` on the caller's record; gives OK.
    bool Create(QWidget* parent, FDX_filtr_hovory* record);

    void P_Vyber_pro_tiskove_sestavy_Create();

    // The lists; each loader cascades to the lists below it.
    void nastav_konfiguraci();
    void nacti_firmy();
    void nacti_oddeleni(const QString& id_firmy);
    void nacti_osoby(const QString& id_oddeleni);
    void nacti_pobocky();
    void nacti_staty();
    void nacti_mesta(const QString& kod_statu);
    void nacti_ucastniky();
    void nastav_enabled();
    void vypln_volane_cislo();

    void combo_firma_Select(int index);
    void combo_oddeleni_Select(int index);
    void combo_osoba_Select(int index);
    void combo_stat_Select(int index);
    void combo_mesto_Select(int index);
    void combo_ucastnik_Select(int index);
    void textb_cislo_Change();
    void optb_prichozi_Click();
    void optb_odchozi_Click();
    void optb_prichozi_odchozi_Click();
    void cb_1_Click();  // "Vyber"
    void cb_2_Click();  // "Opusť"

    // The registry values of the time-of-day bounds (the period's dates are
    // the shared "Datum_od" and "Datum_do").
    static const QString ValueCasOd;
    static const QString ValueCasDo;

protected:
    void leave() override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    // Fills `combo` with its "all" entry and the rows of `sql` (values bound
    // in order): the entry id from column 1, its text from `text`. Selects the
    // entry whose id is `predvybrano` while preselecting, else the "all" entry.
    void nacti(QComboBox* combo, const QString& vse, const QString& sql, const QVariantList& hodnoty,
               const std::function<QString(const Query&)>& text, const QString& predvybrano);
    static QString klic(const QComboBox* combo);

    std::unique_ptr<Ui::P_Vyber_pro_tiskove_sestavy> ui;
    FDX_filtr_hovory* m_record = nullptr;
    FDX_filtr_hovory m_vlastni;  // used when Create is given no record
    CallFilter m_filtr{SiteCodes()};
    bool predvyber = false;
};

} // namespace kavro
