#pragma once
// The billing selection dialog: the period, a firm, within it a department,
// within that an extension, and for the call-frequency report the minimum
// number of calls. "Vyber" writes the choice into the caller's record and
// remembers the period; "Opusť" (Esc) writes only OK false.
#include "billing/fdx_filtr_hovory.h"
#include "common/forms/dialog_base.h"

#include <memory>

class QComboBox;

namespace Ui { class Vyber_pro_vyuctovani; }

namespace kavro {

class Vyber_pro_vyuctovani : public Dialog {
    Q_OBJECT
public:
    explicit Vyber_pro_vyuctovani(QWidget* parent = nullptr);
    ~Vyber_pro_vyuctovani() override;

    bool Create(QWidget* parent, FDX_filtr_hovory* record);

    void Vyber_pro_vyuctovani_Create();
    void Nacti_firmy();
    void Nacti_oddeleni(const QString& id_firmy);
    void Nacti_pobocky();
    void nastav_enabled();
    void combo_firma_Select(int index);
    void combo_oddeleni_Select(int index);
    void cb_1_Click();
    void cb_2_Click();

protected:
    void leave() override;

private:
    // Reads `sql` with the values bound into `combo` after its "all" entry.
    void nacti(QComboBox* combo, const QString& vse, const QString& sql, const QVariantList& hodnoty, bool jedenSloupec);
    static QString klic(QComboBox* combo);

    std::unique_ptr<Ui::Vyber_pro_vyuctovani> ui;
    FDX_filtr_hovory* m_record = nullptr;
    QString m_firma;
    QString m_oddeleni;
};

} // namespace kavro
