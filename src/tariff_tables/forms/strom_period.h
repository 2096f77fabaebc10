#pragma once
// What the two period editors share: a tree owner > validity range > time
// band over PeriodyImpulsu (the zones' periods, the states' discounts), read
// branch by branch, with the range and band operations done through the
// range and band dialogs. Each operation is written at once and checked; the
// tree changes only when the table did. "Ulož" commits, "Opusť" and Esc roll
// back, the close box asks whether to save what was changed.
#include "common/forms/dialog_base.h"
#include "common/tree_model.h"
#include "platform/unit_of_work.h"
#include "tariff_tables/fdx_nastaveni_tarifnich_pasem.h"
#include "tariff_tables/forms/z_oprava_platnosti_od_do_cas.h"
#include "tariff_tables/forms/z_popis_platnosti_od_do_datum.h"
#include "tariff_tables/periody_impulsu.h"

#include <memory>

class QCloseEvent;
class QMenu;
class QPoint;
class QTreeView;

namespace kavro {

class StromPeriod : public Dialog {
    Q_OBJECT
public:
    // The record of each tree item.
    struct Uzel {
        QString klic;      // the zone id or state code (every level)
        QString druh;      // "P" zone or "S" state, "D" validity range, "C" time band
        QString nazev;     // the owner's name
        bool ma_radky = true;  // an owner with rows in the table
        PeriodyImpulsu::Platnost platnost;  // range nodes
        PeriodyImpulsu::Cas cas;            // band nodes (their range is the parent item)
    };

    ~StromPeriod() override;

    LazyTreeModel& strom() { return *m_model; }
    // One operation on the selected node: level 1 owner, 2 range, 3 band;
    // operation 1 insert, 2 edit, 3 delete. Nothing without a selected item.
    void PopupMenu(int uroven, int operace);
    void cb_OK_Click();
    void cb_Cancel_Click();

protected:
    StromPeriod(PeriodyImpulsu periody, QWidget* parent);
    // Wires the window's tree view; the top level is read at once.
    void pripoj(QTreeView* tv);

    // The owner level's own operations.
    virtual void operace_vlastnika(const QModelIndex& vybrana, int operace) = 0;
    // The popup of a node (nullptr: none); `vybrana` invalid: beside the items.
    virtual void nabidka(QMenu& menu, const QModelIndex& vybrana) = 0;
    virtual QString text_platnosti(const PeriodyImpulsu::Platnost& p) const = 0;
    // The owner item's node kind ("P" or "S").
    virtual QString druh_vlastnika() const = 0;

    // An item of a popup that runs PopupMenu(uroven, operace).
    void pridej(QMenu& menu, const QString& text, int uroven, int operace);
    // The popups of a range ("D", named `jmenoRozsahu`) and of a band (named
    // `jmenoCasu`), the same in both editors; false for an owner's node.
    bool nabidkaRozsahuACasu(QMenu& menu, const Uzel& u, const QString& jmenoRozsahu, const QString& jmenoCasu);

    void leave() override;
    void closeEvent(QCloseEvent* e) override;
    LazyTreeModel::Item polozka(const Uzel& u) const;
    QModelIndex vybrana() const;
    // "\" and the texts from the owner down to `i`, each followed by "\".
    QString cesta(const QModelIndex& i) const;
    void chyba(const QString& co, const QString& proc);
    QTreeView* tv() const { return m_tv; }

    PeriodyImpulsu m_periody;
    UnitOfWork m_prace;

private:
    QList<LazyTreeModel::Item> nacti(const QModelIndex& parent, const LazyTreeModel& model);
    void tv_1_RightClick(const QPoint& pos);
    void tv_1_DoubleClick(const QModelIndex& i);
    void tv_1_Expand(const QModelIndex& i);
    // Why `p` cannot be a range under `vlastnik` beside the others shown there
    // (`vyjma` aside): "" when no other has its dates.
    QString stejna_platnost(const QModelIndex& vlastnik, const PeriodyImpulsu::Platnost& p,
                            const QModelIndex& vyjma) const;
    void platnost(const QModelIndex& subjekt, int operace);
    void cas(const QModelIndex& subjekt, int operace);

    std::unique_ptr<LazyTreeModel> m_model;
    QTreeView* m_tv = nullptr;
    Z_Popis_platnosti_od_do_datum m_dialog_platnosti;
    Z_Oprava_platnosti_od_do_cas m_dialog_casu;
    bool m_krizek = false;  // the window is being closed by its close box
};

} // namespace kavro
