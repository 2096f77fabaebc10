#pragma once
// "Doplnění účastníků podle volaných čísel": "Načti" lists the numbers the
// calls reached at least the typed number of times and whose subscriber is
// not in the directory, the most frequent first; "Upřesni" (or a double click,
// or "Upřesnit účastníka" in the list's menu) names the subscriber and firm of
// the selected number. "Ulož" stores the named numbers as subscribers,
// commits and closes; "Načti" and closing ask first while named numbers are
// not stored ("Yes" stores and commits them). Numbers that could not be
// stored are listed in a message.
#include "common/forms/dialog_base.h"
#include "external_directory/doplneni_ucastniku.h"
#include "platform/unit_of_work.h"

#include <memory>
#include <vector>

namespace Ui {
class Doplneni_ucastniku_podle_volanych_cisel;
}

namespace kavro {

class Doplneni_ucastniku_podle_volanych_cisel : public Dialog {
    Q_OBJECT
public:
    explicit Doplneni_ucastniku_podle_volanych_cisel(QWidget* parent = nullptr);
    ~Doplneni_ucastniku_podle_volanych_cisel() override;

    // Runs the window modally; true when something was stored.
    bool Create(QWidget* parent);
    // What opening does: the list empty, "Upřesni" disabled, the site read.
    void Doplneni_ucastniku_podle_volanych_cisel_Create();

    void cb_1_Click();  // "&Ulož"
    void cb_2_Click();  // "&Opusť"
    void cb_3_Click();  // "&Načti"
    void cb_4_Click();  // "Upřesni"
    void PopupMenu(int rezim);

    const std::vector<str_data>& radky() const { return m_radky; }

protected:
    void leave() override;

private:
    void napln_tree();
    int Uprav_Item(int radek, bool pridat);
    // Stores the named numbers and commits; false when the commit failed.
    bool uloz_zmeny();
    // The save question while named numbers are not stored; Yes stores them.
    void zeptejSeNaUlozeni();

    std::unique_ptr<Ui::Doplneni_ucastniku_podle_volanych_cisel> ui;
    UnitOfWork m_prace;
    Doplneni_ucastniku m_logika;
    std::vector<str_data> m_radky;
    bool m_ulozeno = false;
};

} // namespace kavro
