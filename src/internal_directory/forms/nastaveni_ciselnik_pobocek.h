#pragma once
// "Historie přiřazení poboček": every extension of the assignment table and,
// under it once expanded, every period recorded for it with its holders. A
// period can be shown in detail or deleted (after a question); deletions are
// kept or dropped by the save question when the window closes.
#include "common/forms/dialog_base.h"
#include "internal_directory/assignment_history.h"
#include "platform/unit_of_work.h"

#include <memory>

class QMenu;
class QModelIndex;

namespace Ui { class Nastaveni_ciselnik_pobocek; }

namespace kavro {

class LazyTreeModel;

// The record of one history item.
struct Zaznam_historie {
    QString druh;  // "R" the root, "P" an extension, "D" a period
    FDX_udaje_o_osobe_radek radek;  // the number on "P"; the whole row on "D"
};

class Nastaveni_ciselnik_pobocek : public Dialog {
    Q_OBJECT
public:
    explicit Nastaveni_ciselnik_pobocek(QWidget* parent = nullptr);
    ~Nastaveni_ciselnik_pobocek() override;

    // Runs modally; true when deletions were saved.
    bool Create(QWidget* parent);

    void Nastaveni_ciselnik_pobocek_Create();
    // The detail of the selected period.
    void Ukaz_zaznam();
    // Deletes the selected period's row after a question.
    void Smaz_zaznam();
    void cb_1_Click();

    LazyTreeModel* model() const { return m_model; }
    QMenu* popup_1() const { return m_popup; }

protected:
    void leave() override;

private:
    const Zaznam_historie* vybrany() const;

    std::unique_ptr<Ui::Nastaveni_ciselnik_pobocek> ui;
    UnitOfWork m_prace;
    AssignmentHistory m_historie;
    LazyTreeModel* m_model = nullptr;
    QMenu* m_popup = nullptr;
};

} // namespace kavro
