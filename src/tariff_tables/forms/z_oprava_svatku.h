#pragma once
// The holiday edit dialog: the day and the description of one holiday, or
// the confirmation of its deletion. The holiday calendar writes the table
// after the dialog has returned.
//
// The record's rezim gives the operation (1 insert "Zápis", 2 edit "Oprava",
// 3 delete "Rušení" with the boxes disabled) and comes back 1 when confirmed,
// 0 when left ("Opusť", Esc or the close box). Confirming an insert or an
// edit refuses a day that its month does not have.
#include "common/forms/dialog_base.h"
#include "tariff_tables/pevne_svatky.h"

#include <memory>

namespace Ui { class Z_Oprava_svatku; }

namespace kavro {

class Z_Oprava_svatku : public Dialog {
    Q_OBJECT
public:
    explicit Z_Oprava_svatku(QWidget* parent = nullptr);
    ~Z_Oprava_svatku() override;

    // Runs the dialog modally on `record`; true when confirmed.
    bool Create(QWidget* parent, Struct_svatky* record);

protected:
    void leave() override;

private:
    void Z_Oprava_svatku_Create();
    void cb_2_Click();

    std::unique_ptr<Ui::Z_Oprava_svatku> ui;
    Struct_svatky* m_record = nullptr;
};

} // namespace kavro
