#pragma once
// "Oprava cen impulsů": the period and the price of one impulse. The dialog
// writes nothing; "Ulož" is offered only while both days are real dates, the
// first before the last, and a price is typed; a price that is not whole
// haléře in digits above 0 is refused with a message.
#include "common/forms/dialog_base.h"

#include <QString>
#include <memory>

namespace Ui { class Z_Cena_impulsu; }

namespace kavro {

struct FDX_Cena_impulsu {
    QString Platnost_od;
    QString Platnost_do;
    QString Cena;
    bool OK = false;          // set by "Ulož"
    bool Novy_zaznam = false; // a new price: the boxes open empty
};

class Z_Cena_impulsu : public Dialog {
    Q_OBJECT
public:
    explicit Z_Cena_impulsu(QWidget* parent = nullptr);
    ~Z_Cena_impulsu() override;

    // Runs modally over `parent` on `record`; true when saved.
    bool Create(QWidget* parent, FDX_Cena_impulsu* record = nullptr);

    void Z_Cena_impulsu_Create();
    void cb_OK_Click();
    void cb_Cancel_Click();

private:
    // Decides "Ulož" from all three boxes.
    void zkontroluj();

    std::unique_ptr<Ui::Z_Cena_impulsu> ui;
    FDX_Cena_impulsu m_vlastni;
    FDX_Cena_impulsu* m_record = &m_vlastni;
};

} // namespace kavro
