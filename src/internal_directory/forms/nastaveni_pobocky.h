#pragma once
// "Vnitřní telefonní seznam": the internal directory as of a chosen moment,
// in either view, with the pool of free extensions below it. Every node
// operation (popup menus of the nodes, double click) writes at once through
// SeznamPobocek; "Ulož" keeps the window's writes, "Opusť" and the close box
// ask whether to keep them when there are any.
//
// For drag and drop: seznam() gives the trees (strom() is tv_1, volne() tv_2)
// and the moves (prenes_Item with nastavOkamzikZmeny()); potvrdOkamzik() asks
// the user for the moment of a change.
#include "common/forms/dialog_base.h"
#include "common/forms/hledej_text.h"
#include "frame/fdx_zakladni_okno.h"
#include "internal_directory/seznam_pobocek.h"
#include "platform/unit_of_work.h"

#include <QMap>
#include <memory>

class QMenu;
class QTreeView;

namespace Ui { class Nastaveni_pobocky; }

namespace kavro {

class Transaction;

struct FDX_Udrzba_pobocek {
    int typ = 1;
};

class Nastaveni_pobocky : public Dialog, public VlastnikStromu {
    Q_OBJECT
public:
    explicit Nastaveni_pobocky(QWidget* parent = nullptr);
    ~Nastaveni_pobocky() override;

    // Opens the window modally; returns when it has closed (true: saved).
    bool Create(QWidget* parent, FDX_Udrzba_pobocek* record = nullptr);

    SeznamPobocek& seznam() { return *m_seznam; }
    QTreeView* tv_1() const;
    QTreeView* tv_2() const;
    // The popup menu of a kind of node (objectName = the menu's name).
    QMenu* nabidka(Nabidka n) const { return m_nabidky.value(n); }
    // The menu of the pool (its right click shows it whatever is under the mouse).
    QMenu* popup_neprirazena_polozka() const { return m_popupVolne; }

    // Loads a node's children once (the find dialog walks the tree through it).
    void Rozbal_vetev_stromu(const QModelIndex& uzel) override;
    // The node actions: kind 1 firm, 2 department, 3 person, 4 extension;
    // action 1 new, 2 edit, 3 end, 4 show validity; naUrovni: a new node goes
    // beside the selected one, otherwise under it. Acts on the node selected
    // in tv_1 (in tv_2 when the pool's menu calls it); nothing when none is.
    void PopupMenu(int druh, int akce, bool naUrovni);
    void Najdi_polozku_tree(bool dalsi);
    void prepni_zobrazeni();
    // The moment in "Ke dni :" and its time box as typed now (normalised),
    // which may differ from the moment the trees were loaded at.
    QString okamzikOkna();
    // Asks for the moment of a change ("Ke dni :"); "" when declined.
    QString potvrdOkamzik(const QString& titulek, const QString& otazka);
    // Shows why an operation of seznam() failed (a refusal as its message).
    void ukazChybu(const QString& co);
    // The tree refreshed after a change: the selected node's path and the window's changed flag.
    void poZmene();

    void Nastaveni_pobocky_Create();
    void cb_Nastav_Click();
    void cb_OK_Click();
    void cb_Cancel_Click();
    void tv_1_Expand(const QModelIndex& uzel);
    void tv_1_Select();
    void tv_1_RightClick(const QPoint& pos);
    void tv_1_DoubleClick(const QModelIndex& uzel);
    void tv_2_RightClick(const QPoint& pos);
    void zobraz_hovory(const QString& objekt, const QString& titulek, int klic);
    void p_pobocka_Item_zrus_platnost_Click();
    void Nastav_zrus_sledovani();

protected:
    void leave() override;

private:
    void vytvorNabidky();
    QMenu* novaNabidka(Nabidka n, const QString& jmeno);
    QModelIndex vybrany(QTreeView* strom) const;
    void zavri(bool ulozit);

    std::unique_ptr<Ui::Nastaveni_pobocky> ui;
    UnitOfWork m_prace;
    std::unique_ptr<SeznamPobocek> m_seznam;
    FDX_Udrzba_pobocek m_vychozi;
    FDX_Hledej_item m_hledej;
    QMap<Nabidka, QMenu*> m_nabidky;
    QMenu* m_popupVolne = nullptr;
    QList<QAction*> m_hovory;  // the call-report items, enabled when the report viewer is there
    bool m_ulozeno = false;
    bool m_vPoolu = false;  // the pool's menu is acting
};

} // namespace kavro
