#include "tariff_tables/forms/zlevnene_sazby_vloz_stat.h"

#include "ui_zlevnene_sazby_vloz_stat.h"

#include "platform/database.h"
#include "platform/forms/message_box.h"
#include "tariff_tables/seznam_statu.h"

#include <QKeyEvent>

namespace kavro {

Zlevnene_sazby_Vloz_stat::Zlevnene_sazby_Vloz_stat(QWidget* parent)
    : Dialog(parent)
    , ui(std::make_unique<Ui::Zlevnene_sazby_Vloz_stat>())
{
    ui->setupUi(this);
    connect(ui->combo_1, &QListWidget::itemDoubleClicked, this, &Zlevnene_sazby_Vloz_stat::combo_1_DoubleClick);
}

Zlevnene_sazby_Vloz_stat::~Zlevnene_sazby_Vloz_stat() = default;

bool Zlevnene_sazby_Vloz_stat::Create(QWidget* parent, FDX_Vyber_stat* record)
{
    FDX_Vyber_stat vlastni;
    m_record = record ? record : &vlastni;
    Zlevnene_sazby_Vloz_stat_Create();
    const bool ok = runModal(parent) && m_record->OK;
    m_record = nullptr;
    return ok;
}

void Zlevnene_sazby_Vloz_stat::Zlevnene_sazby_Vloz_stat_Create()
{
    m_record->OK = false;
    ui->combo_1->clear();
    QList<Stat> staty;
    QString chyba;
    if (!nacti_staty(Transaction::main(), &staty, &chyba))
        messageBox(this, IconStop, ButtonsOk, QStringLiteral("Chyba databáze"),
                   QStringLiteral("Seznam států nelze načíst.\n") + chyba);
    for (const Stat& s : staty) {
        auto* item = new QListWidgetItem(s.nazev_statu, ui->combo_1);
        item->setData(Qt::UserRole, s.kod_statu);
    }
    ui->combo_1->setCurrentRow(-1);
    ui->combo_1->setFocus();
}

void Zlevnene_sazby_Vloz_stat::combo_1_DoubleClick(QListWidgetItem* item)
{
    // The list may hold no selected entry (an empty list, a click beside the names).
    if (!item || !item->isSelected() || !m_record) return;
    m_record->kod_statu = item->data(Qt::UserRole).toString();
    m_record->OK = true;
    finish(true);
}

void Zlevnene_sazby_Vloz_stat::keyPressEvent(QKeyEvent* e)
{
    // Enter on the selected state picks it as a double click does.
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        combo_1_DoubleClick(ui->combo_1->currentItem());
        return;
    }
    Dialog::keyPressEvent(e);
}

} // namespace kavro
