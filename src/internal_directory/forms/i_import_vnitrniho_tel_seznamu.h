#pragma once
// "Import vnitřního telefonního seznamu ze souboru": reads one or more import
// files into a preview tree firm > department > person > line and, on "Ulož",
// writes the whole tree into the directory valid from the moment under
// "Platné od :", then commits. Nothing is written before "Ulož".
#include "common/forms/dialog_base.h"
#include "internal_directory/directory_import.h"
#include "platform/unit_of_work.h"

#include <memory>

namespace Ui { class I_Import_vnitrniho_tel_seznamu; }

namespace kavro {

class LazyTreeModel;

class I_Import_vnitrniho_tel_seznamu : public Dialog {
    Q_OBJECT
public:
    explicit I_Import_vnitrniho_tel_seznamu(QWidget* parent = nullptr);
    ~I_Import_vnitrniho_tel_seznamu() override;

    // Runs modally; true when the directory was saved.
    bool Create(QWidget* parent);

    void I_Import_vnitrniho_tel_seznamu_Create();
    // "Načti": asks for a file and adds its lines to the preview.
    void nacti_seznam_ze_souboru();
    // "Načti" is enabled while both layout values have six characters.
    void Nastav_Enabled();
    void Pocatek_platnosti_datum_Update();
    void cb_1_Click();
    void cb_2_Click();
    void cb_5_Click();

    const DirectoryImport& import() const { return *m_import; }

private:
    std::unique_ptr<Ui::I_Import_vnitrniho_tel_seznamu> ui;
    std::unique_ptr<DirectoryImport> m_import;
    LazyTreeModel* m_model = nullptr;
    UnitOfWork m_prace;
};

} // namespace kavro
