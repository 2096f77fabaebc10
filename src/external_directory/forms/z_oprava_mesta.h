#pragma once
// The city dialog of the external directory tree: a new city (with
// "Hromadný vstup" the tree asks for the next one at once), a corrected one,
// or the confirmation of a deletion. It tests the typed code against the
// cities of the same state in the tree and writes nothing to the database.
#include "common/forms/dialog_base.h"
#include "external_directory/fdx_stat.h"

#include <memory>

namespace Ui { class Z_Oprava_Mesta; }

namespace kavro {

class Z_Oprava_Mesta : public Dialog {
    Q_OBJECT
public:
    explicit Z_Oprava_Mesta(QWidget* parent = nullptr);
    ~Z_Oprava_Mesta() override;

    // Runs the dialog modally; the answer is record->ok (and record->hromadny_vstup).
    bool Create(QWidget* parent, FDX_Stat* record);

    void Z_Oprava_Mesta_Create();
    void Je_vse_zapsano();
    void cb_OK_Click();
    void cb_Cancel_Click();

private:
    std::unique_ptr<Ui::Z_Oprava_Mesta> ui;
    FDX_Stat* m_zaznam = nullptr;
};

} // namespace kavro
