#pragma once
// The state dialog of the external directory tree: a new state, a corrected
// one, or the confirmation of a deletion. It writes nothing to the database:
// it tests the typed code against the states in the tree and hands the code
// and the name back in the record.
#include "common/forms/dialog_base.h"
#include "external_directory/fdx_stat.h"

#include <memory>

namespace Ui { class Z_Oprava_statu; }

namespace kavro {

class Z_Oprava_statu : public Dialog {
    Q_OBJECT
public:
    explicit Z_Oprava_statu(QWidget* parent = nullptr);
    ~Z_Oprava_statu() override;

    // Runs the dialog modally over `parent` with the record filled by the
    // caller (mode, state code and name, the tree); the answer is record->ok.
    // False only without a record.
    bool Create(QWidget* parent, FDX_Stat* record);

    void Z_Oprava_statu_Create();
    void Je_vse_zapsano();
    void cb_OK_Click();
    void cb_Cancel_Click();

private:
    std::unique_ptr<Ui::Z_Oprava_statu> ui;
    FDX_Stat* m_zaznam = nullptr;
};

} // namespace kavro
