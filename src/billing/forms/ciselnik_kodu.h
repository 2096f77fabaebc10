#pragma once
// "Číselník účtovacích  kódů": the account codes with the firm, contact and
// note of each. The list shows the codes; the fields beside it show the
// selected one. "Nový" and "Oprava" switch to edit mode; each save writes the
// entry at once and moves it to the end of the list. The lower "Ulož" commits
// everything and closes; "Opusť" (Esc, the close box) saves the entry being
// edited and asks whether to keep the changes.
#include "billing/account_codes.h"
#include "common/forms/dialog_base.h"
#include "platform/unit_of_work.h"

#include <QList>
#include <memory>

namespace Ui { class Ciselnik_kodu; }

namespace kavro {

class Ciselnik_kodu : public Dialog {
    Q_OBJECT
public:
    // One list line's entry.
    using str_clovek = AccountCode;

    explicit Ciselnik_kodu(QWidget* parent = nullptr);
    ~Ciselnik_kodu() override;

    // Loads the list and runs the window modally over `parent`.
    bool Create(QWidget* parent);

    void Ciselnik_kodu_Create();
    // Fills the list from the table and shows the first entry.
    void Napln_listbox();
    // Appends a line for `zaznam`, selects it in browse mode; gives its index.
    int Uprav_Item(const str_clovek& zaznam);
    // Edit mode on (fields and the upper "Ulož") or off (Nový, Oprava, Smazání).
    void Nastav_enable(bool zapnout);
    // Shows the selected entry in the fields (browse mode).
    void Precti_z_uzivat_dat();
    // Saves the entry shown (the one at Predchozi_index) from the fields; false
    // when the database refused it (the entry stays in edit mode).
    bool Vloz_do_uzivatel_dat();
    void Vloz_novy_zaznam();
    void Oprav_zaznam();
    // Deletes the selected entry; false when the database refused it.
    bool Smaz_vetu();

    void lb_1_Select();
    void lb_1_DoubleClick();
    void tb_kod_LostFocus();
    void popup_1_Vlozeni_noveho_Click();
    void popup_1_Oprava_Click();
    void popup_1_Smazani_Click();
    void cb_1_Click();  // "Ulož": save the entry being edited
    void cb_2_Click();  // "Ulož": save, commit and close
    void cb_3_Click();  // "Nový"
    void cb_4_Click();  // "Oprava"
    void cb_5_Click();  // "Smazání"
    void cb_6_Click();  // "Opusť"

    bool editace() const { return m_editace; }
    int predchoziIndex() const { return m_predchozi; }

protected:
    void leave() override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    // Runs the selection handler for a selection made by the window itself.
    void vyber(int index);
    // Asks whether to keep the changes and commits or drops them; true when
    // the window may close.
    bool zavri();
    void ukazMenu(const QPoint& pos);
    // A new entry left untouched (every field empty) is dropped when the
    // window closes, instead of being refused for its empty code.
    void zahodNedotcenyNovy();

    std::unique_ptr<Ui::Ciselnik_kodu> ui;
    UnitOfWork m_prace;
    AccountCodes m_kody;
    QList<str_clovek> m_zaznamy;  // one per list line, in its order
    int m_predchozi = -1;         // Predchozi_index
    bool m_editace = false;       // Editace
};

} // namespace kavro
