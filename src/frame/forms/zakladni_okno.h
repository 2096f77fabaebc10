#pragma once
// The main window: the start-up (instance, configuration, caption, single
// instance, login, connection, rights, starting place, report period defaults),
// the main menu and the shut-down.
//
// Menu items open the windows registered in PrikazyMenu (frame/prikazy_menu.h);
// an item whose window is not registered is disabled.
#include "frame/fdx_zakladni_okno.h"
#include "frame/forms/f_prihlaseni.h"
#include "frame/forms/f_pristupove_heslo.h"
#include "frame/forms/rezervovana_pamet_odbc.h"
#include "frame/forms/zadej_rok.h"

#include <QMainWindow>
#include <map>
#include <memory>

class QAction;
class QMenu;

namespace Ui {
class Zakladni_okno;
}

namespace kavro {

class konfiguracni_hodnoty;
class JednaInstance;

class Zakladni_okno : public QMainWindow {
    Q_OBJECT
public:
    explicit Zakladni_okno(QWidget* parent = nullptr);
    ~Zakladni_okno() override;

    // The start-up, with the whole command line (program path included).
    // True when the window is to be shown; false when the program ends at once
    // (a second instance, no database connection, the site dialog left);
    // navratovy_kod() then tells the exit code.
    bool Create(const QString& prikazova_radka);
    int navratovy_kod() const { return m_navratovy_kod; }

    // Menu item by its id (1001 ... 1079), top-level popup by position 0-4.
    QAction* polozka(int id) const;
    QMenu* popup(int pozice) const;
    // Enables each item whose window is available.
    void obnov_dostupnost();

    FDX_Zakladni_okno* FDXGetTarget() { return &m_fdx; }
    F_Prihlaseni& prihlaseni() { return m_prihlaseni; }
    F_Pristupove_Heslo& pristupove_heslo() { return m_heslo; }
    Zadej_rok& zadej_rok() { return m_zadej_rok; }
    rezervovana_pamet_odbc& pamet_odbc() { return m_pamet; }
    bool druha_instance() const { return m_druha_instance; }

    bool Otestuj_spusteni_aplikace(const QString& titulek);
    void Nepodarilo_se_spojeni_se_zdrojem(int cislo_chyby);
    int Vrat_stupen_opravneni();
    // Shows the home state and city; opens the site dialog while none is stored.
    // False when the user left the site dialog with no usable site stored.
    bool Nastav_parametry();
    void Vypln_registr(const QString& jmeno, const QString& hodnota);

    // "Hovory"
    void menu_1_item_hovory_nacteni_Click();
    void menu_1_Item12_Click();
    void menu_1_Item29_Click();
    void menu_1_item_hovory_mazani_Click();
    void menu_1_item_hovory_tarifovani_Click();
    void menu_1_Item_prirazeni_osob_Click();
    // "Sestavy"
    void menu_1_vnitrni_1_Click();
    void menu_1_vnitrni_2_Click();
    void menu_1_vnitrni_3_Click();
    void menu_1_Item21_Click();
    void menu_1_Item43_Click();
    void menu_1_Item38_Click();
    void menu_1_Item8_Click();
    void menu_1_Item9_Click();
    void menu_1_ucastnci_Click();
    void menu_1_Item11_Click();
    void menu_1_Item35_Click();
    void menu_1_Item3_Click();
    void menu_1_Item36_Click();
    void menu_1_Item44_Click();
    void menu_1_Item45_Click();
    void menu_1_Item32_Click();
    void menu_1_Item20_Click();
    void menu_1_item_hovory_vyuctovani_Click();
    void menu_1_Item0_Click();
    void menu_1_Item25_Click();
    void menu_1_Item31_Click();
    void menu_1_Item27_Click();
    void menu_1_Item37_Click();
    // "&Seznamy"
    void menu_1_item_nastaveni_prirazeni_pobocek_Click();
    void menu_1_Item17_Click();
    void menu_1_Item4_Click();
    void menu_1_Item46_Click();
    void menu_1_Item19_Click();
    void menu_1_item_Externi_telefonni_seznam_Click();
    void menu_1_Item14_Click();
    void menu_1_Item15_Click();
    void menu_1_Item47_Click();
    void menu_1_Item6_Click();
    // "Nastavení"
    void menu_1_item_nastaveni_tarifni_pasma_Click();
    void menu_1_Item26_Click();
    void menu_1_Item18_Click();
    void menu_1_Item22_Click();
    void menu_1_Item_nastaveni_rychlost_impulsu_v_tarifnim_pasmu_Click();
    void menu_1_Item34_Click();
    void menu_1_item_nastaveni_cena_impulsu_Click();
    void menu_1_item_nastaveni_pseudotarifu_Click();
    void menu_1_item_Vychozi_misto_Click();
    void menu_1_Item_Adresar_se_vstpnimi_daty_Click();
    void menu_1_Item30_Click();
    void menu_1_Item39_Click();
    void menu_1_Item40_Click();
    void menu_1_Item41_Click();
    // "Konec"
    void menu_1_item_konec_Click();
    void menu_1_Item_o_aplikaci_Click();

    void Zakladni_okno_Cancel();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    using Obsluha = void (Zakladni_okno::*)();
    enum class Druh { Vlastni, Okno, Import, Sestava, Vyuctovani, Kalendar };

    void vytvor_menu();
    QAction* pridej(QMenu* menu, int id, const QString& text, Obsluha obsluha, Druh druh,
                    const QString& napoveda = QString());
    void otevri(int id);
    void sestava(const QString& objekt, const QString& titulek, bool datum1, bool datum2);
    void vyuctovani(int druh);
    void import_hovoru(int typ);
    void zmena_hesla(int cislo);
    void Zakladni_okno_Destroy();
    void obnov_okno();

    std::unique_ptr<Ui::Zakladni_okno> ui;
    std::unique_ptr<konfiguracni_hodnoty> m_konfigurace;
    JednaInstance* m_instance = nullptr;
    FDX_Zakladni_okno m_fdx;
    F_Prihlaseni m_prihlaseni;
    F_Pristupove_Heslo m_heslo;
    Zadej_rok m_zadej_rok;
    rezervovana_pamet_odbc m_pamet;
    std::map<int, QAction*> m_polozky;
    std::map<int, Druh> m_druhy;
    QMenu* m_popup[5] = {};
    bool m_druha_instance = false;
    bool m_spojeno = false;
    bool m_ukonceno = false;
    int m_navratovy_kod = 0;
};

} // namespace kavro
