#pragma once
// The holiday calendar: the twelve months as a tree, the holidays of each
// month below it, either the fixed holidays of every year (year "0") or the
// holidays of one year.
//
// A right click on a month offers "Vložení", on a holiday "Vložení",
// "Oprava" and "Smazání"; a double click on a holiday edits it. Each change
// is written at once; "Ulož" commits, "Opusť" (Esc) rolls back. The close box
// asks "Chcete změny uložit" when something changed: Yes saves, No rolls back,
// Cancel goes back to the window. A window for a year makes sure that the year
// has its Easter row "Velikonoce" on Easter Monday and commits it at once;
// that row (and any row so described) cannot be edited here.
#include "common/forms/dialog_base.h"
#include "common/tree_model.h"
#include "platform/unit_of_work.h"
#include "tariff_tables/forms/z_oprava_svatku.h"
#include "tariff_tables/pevne_svatky.h"

#include <memory>

class QMenu;
class QModelIndex;
class QPoint;

namespace Ui { class Z_Kalendar_svatku; }

namespace kavro {

class Z_Kalendar_svatku : public Dialog {
    Q_OBJECT
public:
    explicit Z_Kalendar_svatku(QWidget* parent = nullptr);
    ~Z_Kalendar_svatku() override;

    // Runs the calendar modally for the request's year (the fixed holidays
    // when `record` is null); returns when the window has closed.
    bool Create(QWidget* parent, FDX_Kalendar_svatku* record);

    // Level 1: the selected node is a month, 2: a holiday; operation 1 insert, 2 edit, 3 delete.
    void PopupMenu(int level, int operation);

protected:
    void leave() override;
    void closeEvent(QCloseEvent* e) override;

private:
    void Z_Kalendar_svatku_Create();
    void Z_Kalendar_svatku_Destroy();
    void tv_1_Create();
    void tv_1_DoubleClick(const QModelIndex& index);
    void tv_1_RightClick(const QPoint& pos);
    void cb_OK_Click();
    void cb_1_Click();
    QList<LazyTreeModel::Item> nacti_svatky(const QModelIndex& mesic);
    // Reads a month again after a failure, so the tree shows what is stored.
    void obnov(const QModelIndex& mesic);
    void chyba(const QString& co, const QString& text);

    std::unique_ptr<Ui::Z_Kalendar_svatku> ui;
    LazyTreeModel m_model;
    QMenu* popup_1 = nullptr;
    QMenu* popup_2 = nullptr;
    Z_Oprava_svatku m_oprava;
    FDX_Kalendar_svatku m_vychozi;
    FDX_Kalendar_svatku* m_target = nullptr;
    std::unique_ptr<Pevne_svatky> m_svatky;
    UnitOfWork m_prace;
    QString m_chyba_cteni;
};

} // namespace kavro
