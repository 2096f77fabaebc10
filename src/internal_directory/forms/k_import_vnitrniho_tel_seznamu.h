#pragma once
// "Konfigurace importu telefonního seznamu": for each of the six fields of an
// import line, the digit of its place in the line and the character that ends
// it. The dialog only edits its record; the import window stores the values.
#include "common/forms/dialog_base.h"

#include <QString>
#include <memory>

class QLineEdit;

namespace Ui { class K_Import_vnitrniho_tel_seznamu; }

namespace kavro {

struct FDX_K_Import {
    QString pozice;      // one digit per slot: firm, department, surname, first name, title, line
    QString oddelovace;  // one terminator per slot, same order
    bool OK = false;
};

class K_Import_vnitrniho_tel_seznamu : public Dialog {
    Q_OBJECT
public:
    explicit K_Import_vnitrniho_tel_seznamu(QWidget* parent = nullptr);
    ~K_Import_vnitrniho_tel_seznamu() override;

    // Runs modally on the record; true when saved ("Ulož").
    bool Create(QWidget* parent, FDX_K_Import* record);

    void K_Import_vnitrniho_tel_seznamu_Create();
    void cb_1_Click();
    void cb_2_Click();

private:
    std::unique_ptr<Ui::K_Import_vnitrniho_tel_seznamu> ui;
    FDX_K_Import* m_record = nullptr;
    QLineEdit* m_pozice[6];
    QLineEdit* m_oddelovace[6];
};

} // namespace kavro
