#include "tariff_tables/forms/z_popis_platnosti_od_do_datum.h"

#include "ui_z_popis_platnosti_od_do_datum.h"

#include "platform/forms/message_box.h"

namespace kavro {

Z_Popis_platnosti_od_do_datum::Z_Popis_platnosti_od_do_datum(QWidget* parent)
    : Dialog(parent)
    , ui(std::make_unique<Ui::Z_Popis_platnosti_od_do_datum>())
{
    ui->setupUi(this);
    ui->textb_1->setCalendarButton(ui->cb_3);
    ui->textb_2->setCalendarButton(ui->cb_4);
    connect(ui->textb_1, &QLineEdit::textChanged, this, &Z_Popis_platnosti_od_do_datum::textb_Change);
    connect(ui->textb_2, &QLineEdit::textChanged, this, &Z_Popis_platnosti_od_do_datum::textb_Change);
    connect(ui->cb_1, &QPushButton::clicked, this, &Z_Popis_platnosti_od_do_datum::cb_1_Click);
    connect(ui->cb_2, &QPushButton::clicked, this, &Z_Popis_platnosti_od_do_datum::cb_2_Click);
}

Z_Popis_platnosti_od_do_datum::~Z_Popis_platnosti_od_do_datum() = default;

bool Z_Popis_platnosti_od_do_datum::Create(QWidget* parent, FDX_Nastaveni_tarifnich_pasem* record)
{
    FDX_Nastaveni_tarifnich_pasem vlastni;
    m_record = record ? record : &vlastni;
    Z_Popis_platnosti_od_do_datum_Create();
    const bool ok = runModal(parent);
    m_record = nullptr;
    return ok;
}

void Z_Popis_platnosti_od_do_datum::Z_Popis_platnosti_od_do_datum_Create()
{
    const bool smazat = m_record->rezim == 3;
    setWindowTitle(smazat ? QStringLiteral("Smazat vybraný záznam ?") : QStringLiteral("Oprava platnosti od - do"));
    ui->cb_1->setText(smazat ? QStringLiteral("Smazat") : QStringLiteral("Ulož"));
    ui->label_1->setText(m_record->popis_pasma);
    ui->textb_1->setText(m_record->datum_od);
    ui->textb_2->setText(m_record->datum_do);
    textb_Change();
    ui->textb_1->setFocus();
}

// The start must sort before the end; for dates "RRRR-MM-DD" that is the date order.
void Z_Popis_platnosti_od_do_datum::textb_Change()
{
    ui->cb_1->setEnabled(ui->textb_1->text() < ui->textb_2->text());
}

void Z_Popis_platnosti_od_do_datum::cb_1_Click()
{
    // Enter may come while a box still holds what was typed.
    ui->textb_1->normalise();
    ui->textb_2->normalise();
    if (!(ui->textb_1->text() < ui->textb_2->text())) {
        messageBox(this, IconWarning, ButtonsOk, windowTitle(),
                   QStringLiteral("Počátek platnosti musí předcházet jejímu konci."));
        ui->textb_1->setFocus();
        return;
    }
    m_record->datum_od = ui->textb_1->text();
    m_record->datum_do = ui->textb_2->text();
    m_record->OK = true;
    finish(true);
}

void Z_Popis_platnosti_od_do_datum::cb_2_Click() { leave(); }

} // namespace kavro
