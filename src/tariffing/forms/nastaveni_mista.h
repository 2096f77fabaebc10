#pragma once
// The exchange site: home state and city and the dialling prefixes. Saving
// stores the one site row and recomputes the zones of the home state's cities.
#include "common/forms/dialog_base.h"
#include "platform/unit_of_work.h"
#include "tariffing/vazby_tto.h"

#include <QDialog>
#include <memory>

namespace Ui {
class Nastaveni_mista;
}

namespace kavro {

class Nastaveni_mista : public Dialog {
    Q_OBJECT
public:
    explicit Nastaveni_mista(QWidget* parent = nullptr);
    ~Nastaveni_mista() override;
    // Runs the dialog modally; true when the site was saved.
    bool Create(QWidget* parent);

    void napln_polozky();
    void Nacti_mesta();
    void Nastav_enable();

protected:
    // "Opusť", Esc and the close box: what is pending is rolled back.
    void leave() override;

private:
    void Nastaveni_mista_Create();
    void combo_stat_Select();
    void combo_mesto_Select();
    void cb_OK_Click();
    void cb_Cancel_Click();
    void chyba(const QString& text);

    std::unique_ptr<Ui::Nastaveni_mista> ui;
    UnitOfWork m_prace;  // what the window leaves pending is rolled back
    MistoUstredny m_ulozene;  // the site stored when the dialog opened
};

} // namespace kavro
