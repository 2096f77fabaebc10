#pragma once
// The state picker: every state by name; a double click on a name picks it.
//
// On opening the record's OK becomes false (a code the caller put in is not
// used); a double click on a state writes its code and sets OK; closing the
// window any other way leaves the record as it was. A double click while no
// state is selected does nothing.
#include "common/forms/dialog_base.h"
#include "tariff_tables/fdx_vyber_stat.h"

#include <memory>

class QListWidgetItem;

namespace Ui { class Zlevnene_sazby_Vloz_stat; }

namespace kavro {

class Zlevnene_sazby_Vloz_stat : public Dialog {
    Q_OBJECT
public:
    explicit Zlevnene_sazby_Vloz_stat(QWidget* parent = nullptr);
    ~Zlevnene_sazby_Vloz_stat() override;

    // Runs the picker modally on `record`; true when a state was picked.
    bool Create(QWidget* parent, FDX_Vyber_stat* record);

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    void Zlevnene_sazby_Vloz_stat_Create();
    void combo_1_DoubleClick(QListWidgetItem* item);

    std::unique_ptr<Ui::Zlevnene_sazby_Vloz_stat> ui;
    FDX_Vyber_stat* m_record = nullptr;
};

} // namespace kavro
