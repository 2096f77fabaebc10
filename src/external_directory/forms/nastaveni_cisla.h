#pragma once
// "Vnější telefonní seznam": the external directory as a tree of states,
// their cities and the cities' subscribers, each branch read when it is first
// opened. The popup menu of an item's level inserts, corrects and deletes
// entries, or searches the tree. Every change is written at once into the
// window's unit of work: "Ulož" keeps it, "Opusť" drops it, and closing the
// window otherwise asks whether to save.
#include "common/forms/dialog_base.h"
#include "common/forms/hledej_text.h"
#include "external_directory/fdx_stat.h"
#include "external_directory/vnejsi_seznam.h"
#include "platform/unit_of_work.h"

#include <memory>

class QMenu;
class QModelIndex;
class QPoint;

namespace Ui { class Nastaveni_cisla; }

namespace kavro {

class LazyTreeModel;

class Nastaveni_cisla : public Dialog, public VlastnikStromu {
    Q_OBJECT
public:
    explicit Nastaveni_cisla(QWidget* parent = nullptr);
    ~Nastaveni_cisla() override;

    // Runs the window modally over `parent`; true when it ended with "Ulož".
    bool Create(QWidget* parent);

    // The edit command of a level (1 state, 2 city, 3 subscriber) and action
    // (1 insert, 2 edit, 3 delete) on the selected item; own_level false:
    // the item is of the level above and the new entry becomes its child.
    void Popup_Menu(int level, int action, bool own_level);
    // "Hledej" (false) and "Hledej další" (true).
    void Najdi_polozku_tree(bool next);
    // Loads the children of an item unless they are loaded (the find dialog walks the tree with it).
    void Rozbal_vetev_stromu(const QModelIndex& item) override;
    // "\\Stát\Město\Účastník" of the selected item.
    QString Precti_text_nadrizenych_Itemu() const;

    LazyTreeModel* model() const { return m_model; }
    // The popup menu of an item's level (the state menu for no item).
    QMenu* menuPro(const QModelIndex& item) const;

    void cb_OK_Click();
    void cb_Cancel_Click();
    void tv_1_RightClick(const QPoint& pos);
    void tv_1_Select();

protected:
    // Esc and the close box: with unsaved changes asks "Chcete změny uložit".
    void leave() override;

private:
    bool jeden_prikaz(int level, int action, bool own_level);
    QModelIndex pripravVetev(const QModelIndex& rodic);
    void chybaZapisu(VysledekZapisu v, int level);
    void vytvorMenu();

    std::unique_ptr<Ui::Nastaveni_cisla> ui;
    UnitOfWork m_prace;
    VnejsiSeznam m_seznam;
    LazyTreeModel* m_model = nullptr;
    QMenu* p_stat = nullptr;
    QMenu* P_mesta = nullptr;
    QMenu* p_osoby = nullptr;
    FDX_Hledej_item m_hledej;
};

} // namespace kavro
