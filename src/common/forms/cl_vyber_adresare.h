#pragma once
// "Vyber adresář": browses the drives and folders of the machine and returns
// the chosen folder, ending with "/". The drives are the mounted file systems
// (the root, the home folder, disks, removable media and network shares).
#include <QDialog>
#include <memory>
#include <QList>
#include <QString>

#include "platform/mounts.h"

class QActionGroup;
class QLabel;
class QStatusBar;
class QToolBar;

namespace Ui {
class cl_Vyber_adresare;
}

namespace kavro {

class cl_Vyber_adresare : public QDialog {
    Q_OBJECT
public:
    // `start`: the folder shown first (the program's own folder when empty).
    explicit cl_Vyber_adresare(const QString& start = QString(), QWidget* parent = nullptr);
    ~cl_Vyber_adresare() override;

    // Runs the dialog modally over `parent`; false when it could not be shown.
    bool Create(QWidget* parent);

    // The chosen folder after "Vyber", else the unchanged start directory.
    QString Vrat_adresar() const { return vybrany_adresar; }
    bool Potvrzen_vyber() const { return potvrzeno; }

    // Fills the drive box and shows the start folder (done by Create).
    void cl_Vyber_adresare_Create();

    // The text of the status bar: the current choice.
    QString stav() const;
    QString aktualniCesta() const { return aktualni_cesta; }

    // Handlers of the controls.
    void lv_1_Change(int index);
    void lv_1_DoubleClick(int index);
    void toolb_1_Item_Nadrizeny_adresar_Click();
    void toolb_1_Item_Velke_ikony_Click();
    void toolb_1_Item_Male_ikony_Click();
    void toolb_1_Item_seznam_Click();
    void toolb_1_Item_Detail_Click();
    void cb_1_Click();
    void cb_2_Click();
    void combo_1_Select(int index);

private:
    std::unique_ptr<Ui::cl_Vyber_adresare> ui;
    // Mode 1 fills the drive box, mode 2 lists the drives in the list.
    void Napln_disky(int mode);
    // Shows the contents of `path` (the drive list when it is empty);
    // true when an entry was added or the drive list shown.
    bool Nacti_data_v_adresari(const QString& path);
    int newLVItem(const QString& name, const QString& kind);
    void clearListView();
    void nastavStav(const QString& text);
    void vyberDiskCesty();
    QString druh(int index) const;

    QString vybrany_adresar;
    QString aktualni_cesta;
    QString pocatecni_adresar;
    bool potvrzeno = false;

    QList<Disk> disky;
    QToolBar* toolb_1 = nullptr;
    QActionGroup* pohledy = nullptr;
    QStatusBar* status_bar = nullptr;
    QLabel* status_text = nullptr;
};

} // namespace kavro
