#pragma once
// "Import externího telefonního seznamu": "Načti" reads an external directory
// file into the work table, classifies its numbers and shows them in two
// trees (state, city, number): above those that will be stored, below those
// that are not exactly specified or carry neither description nor subscriber.
// "Smaž záznam" in the upper tree's menu takes items out of the store. "Ulož"
// stores the upper tree's numbers as subscribers under the chosen rule for an
// existing subscriber ("Přepsat", "Ponechat původní", "Dotaz") and commits;
// "Opusť", Esc and the close box drop what is not stored and close. Loading
// and storing show their progress and can be stopped.
#include "common/forms/dialog_base.h"
#include "external_directory/forms/info_o_importu.h"
#include "external_directory/import_vnejsiho_seznamu.h"
#include "platform/unit_of_work.h"

#include <QHash>
#include <QPointer>
#include <memory>
#include <vector>

class QTreeWidget;
class QTreeWidgetItem;

namespace Ui {
class Import_vnejsiho_telefonniho_seznamu;
}

namespace kavro {


class Import_vnejsiho_telefonniho_seznamu : public Dialog {
    Q_OBJECT
public:
    using Data_vety = Import_vnejsiho_seznamu::Data_vety;

    explicit Import_vnejsiho_telefonniho_seznamu(QWidget* parent = nullptr);
    ~Import_vnejsiho_telefonniho_seznamu() override;

    // Runs the window modally; true when something was stored.
    bool Create(QWidget* parent);
    // What opening does: the site's home codes read.
    void Import_vnejsiho_telefonniho_seznamu_Create();

    void cb_1_Click();  // "Opusť"
    void cb_2_Click();  // "Načti"
    void cb_3_Click();  // "Ulož"
    void cb_4_Click();  // "Info"
    void popup_1_Item0_Click();  // "Smaž záznam"

    // The record of a tree item (kind 'S' state, 'M' city, 'N' number).
    const Data_vety* zaznam(const QTreeWidgetItem* item) const;
    static QChar druh(const QTreeWidgetItem* item);
    Info_o_importu* info() const { return m_info; }

protected:
    void leave() override;

private:
    void Zobraz_do_stromu();
    void Uloz_strom(QTreeWidgetItem* item, std::vector<Data_vety>& polozky) const;
    QTreeWidgetItem* pridej(QTreeWidget* strom, QTreeWidgetItem* rodic, QChar druh, const QString& text,
                            const Data_vety& data);

    std::unique_ptr<Ui::Import_vnejsiho_telefonniho_seznamu> ui;
    UnitOfWork m_prace;
    Import_vnejsiho_seznamu m_import;
    std::vector<Data_vety> m_zaznamy;
    QPointer<Info_o_importu> m_info;
    bool m_ulozeno = false;
    bool m_bezi = false;  // a load or a store is running: the buttons wait
};

} // namespace kavro
