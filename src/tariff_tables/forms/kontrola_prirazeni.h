#pragma once
// "Přiřazení do tarifních pásem": the zones grouped by type with their states
// and domestic cities (tv_1), and what is not assigned yet (tv_2). States and
// cities move to a zone by drag and drop; each accepted drop is written at
// once, "Ulož" keeps the moves, "Opusť" drops them.
#include "common/forms/dialog_base.h"
#include "common/forms/hledej_text.h"
#include "common/tree_model.h"
#include "platform/unit_of_work.h"
#include "tariff_tables/prirazeni_pasem.h"

#include <memory>

class QPoint;

namespace Ui { class Kontrola_Prirazeni; }

namespace kavro {

class Kontrola_Prirazeni : public Dialog, public VlastnikStromu {
    Q_OBJECT
public:
    using myFormData = PrirazeniPasem::Uzel;

    explicit Kontrola_Prirazeni(QWidget* parent = nullptr);
    ~Kontrola_Prirazeni() override;

    bool Create(QWidget* parent);

    // Loads the children of a zone-tree item once (the find dialog asks too).
    void Rozbal_vetev_stromu(const QModelIndex& item) override;

    LazyTreeModel& pasma() { return *m_pasma; }
    LazyTreeModel& neprirazene() { return *m_neprirazene; }
    // A drop of `dragged` (of either tree) on `target` of the zone tree, as the
    // views deliver it; false when refused.
    bool Presun(const LazyTreeModel& from, const QModelIndex& dragged, const QModelIndex& target);

    void cb_OK_Click();
    void cb_Cancel_Click();
    void popup_1_Item0_Click();

protected:
    void leave() override;
    void closeEvent(QCloseEvent* e) override;

private:
    QList<LazyTreeModel::Item> nacti(const QModelIndex& parent, const LazyTreeModel& model);
    LazyTreeModel::Item polozka(const PrirazeniPasem::Polozka& p, bool neprirazena) const;
    void tv_1_Select();
    void tv_1_RightClick(const QPoint& pos);
    void chyba_cteni();

    std::unique_ptr<Ui::Kontrola_Prirazeni> ui;
    UnitOfWork m_prace;
    PrirazeniPasem m_logika;
    std::unique_ptr<LazyTreeModel> m_pasma;
    std::unique_ptr<LazyTreeModel> m_neprirazene;
    FDX_Hledej_item hledani;
    hledej_text m_hledej;
    bool m_krizek = false;
};

} // namespace kavro
