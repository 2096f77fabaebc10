#pragma once
// "Upřesni volané číslo": names the subscriber and the firm behind one
// frequently called number and shows who inside the company called it. The
// dialog edits the row of the opener's selected line in place and marks it
// for storing; it writes nothing to the database.
#include "common/forms/dialog_base.h"

#include <memory>

class QListWidget;
class QListWidgetItem;

namespace Ui {
class Z_zapis_ucastnika_podle_cisla;
}

namespace kavro {

struct str_data;

struct FDX_ucastnik_podle_cisla {
    QListWidget* seznam = nullptr;  // the opener's list; its selected line carries the row
    int rezim = 1;                  // 1 button or double click, 2 context menu
    bool OK = false;                // true when closed by "Ulož"
};

class Z_zapis_ucastnika_podle_cisla : public Dialog {
    Q_OBJECT
public:
    explicit Z_zapis_ucastnika_podle_cisla(QWidget* parent = nullptr);
    ~Z_zapis_ucastnika_podle_cisla() override;

    bool Create(QWidget* parent, FDX_ucastnik_podle_cisla* record);
    // The row a list line carries (null when none).
    static str_data* radek(QListWidget* seznam);
    static void nastavRadek(QListWidgetItem* item, str_data* d);

    void cb_1_Click();
    void cb_2_Click();

private:
    void Napln_LB();

    std::unique_ptr<Ui::Z_zapis_ucastnika_podle_cisla> ui;
    FDX_ucastnik_podle_cisla* m_record = nullptr;
    str_data* m_radek = nullptr;
};

} // namespace kavro
