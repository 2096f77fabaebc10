#pragma once
// The subscriber dialog of the external directory tree: a new subscriber, a
// corrected one, or the confirmation of a deletion. Beside the number it shows
// the number as dialled from the site (read from the site row at every
// opening, its only database access); it writes nothing to the database.
#include "common/forms/dialog_base.h"
#include "external_directory/fdx_stat.h"

#include <memory>

class QValidator;

namespace Ui { class Z_Oprava_Osoby; }

namespace kavro {

class Z_Oprava_Osoby : public Dialog {
    Q_OBJECT
public:
    explicit Z_Oprava_Osoby(QWidget* parent = nullptr);
    ~Z_Oprava_Osoby() override;

    // Runs the dialog modally; the answer is record->ok.
    bool Create(QWidget* parent, FDX_Stat* record);

    void Z_Oprava_Osoby_Create();
    void Je_vse_zapsano();
    void cb_OK_Click();
    void cb_Cancel_Click();

private:
    void nacti_konfiguraci();

    std::unique_ptr<Ui::Z_Oprava_Osoby> ui;
    FDX_Stat* m_zaznam = nullptr;
    QString m_predvolba;  // dialled in front of the number from the site
    QValidator* m_cislo = nullptr; // of T_Telefon
};

} // namespace kavro
