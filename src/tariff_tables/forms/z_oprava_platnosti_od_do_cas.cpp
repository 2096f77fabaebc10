#include "tariff_tables/forms/z_oprava_platnosti_od_do_cas.h"

#include "ui_z_oprava_platnosti_od_do_cas.h"

#include "platform/forms/message_box.h"

#include <QRegularExpressionValidator>

namespace kavro {

Z_Oprava_platnosti_od_do_cas::Z_Oprava_platnosti_od_do_cas(QWidget* parent)
    : Dialog(parent)
    , ui(std::make_unique<Ui::Z_Oprava_platnosti_od_do_cas>())
{
    ui->setupUi(this);
    ui->textb_3->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d*")), ui->textb_3));
    connect(ui->textb_1, &QLineEdit::textChanged, this, &Z_Oprava_platnosti_od_do_cas::textb_Change);
    connect(ui->textb_2, &QLineEdit::textChanged, this, &Z_Oprava_platnosti_od_do_cas::textb_Change);
    // One click on the arrows moves the time by a minute and keeps its seconds.
    connect(ui->updown_1, &UpDown::DeltaPosition, this, [this](int delta) { ui->textb_1->step(delta * 60); });
    connect(ui->updown_2, &UpDown::DeltaPosition, this, [this](int delta) { ui->textb_2->step(delta * 60); });
    connect(ui->cb_3, &QPushButton::clicked, this, [this] { nastav("00:00:00", "06:59:59"); });
    connect(ui->cb_4, &QPushButton::clicked, this, [this] { nastav("07:00:00", "18:59:59"); });
    connect(ui->cb_5, &QPushButton::clicked, this, [this] { nastav("19:00:00", "23:59:59"); });
    connect(ui->cb_1, &QPushButton::clicked, this, &Z_Oprava_platnosti_od_do_cas::cb_1_Click);
    connect(ui->cb_2, &QPushButton::clicked, this, &Z_Oprava_platnosti_od_do_cas::cb_2_Click);
}

Z_Oprava_platnosti_od_do_cas::~Z_Oprava_platnosti_od_do_cas() = default;

bool Z_Oprava_platnosti_od_do_cas::Create(QWidget* parent, FDX_Nastaveni_tarifnich_pasem* record)
{
    FDX_Nastaveni_tarifnich_pasem vlastni;
    m_record = record ? record : &vlastni;
    Z_Oprava_platnosti_od_do_cas_Create();
    const bool ok = runModal(parent);
    m_record = nullptr;
    return ok;
}

void Z_Oprava_platnosti_od_do_cas::Z_Oprava_platnosti_od_do_cas_Create()
{
    const bool smazat = m_record->rezim == 3;
    setWindowTitle(smazat ? QStringLiteral("Smazat vybraný záznam ?") : QStringLiteral("Oprava časů pro impulsy"));
    ui->cb_1->setText(smazat ? QStringLiteral("Smazat") : QStringLiteral("Ulož"));
    if (m_record->typ_dne == 0) m_record->typ_dne = 1;
    ui->textb_1->setText(m_record->cas_od);
    ui->textb_2->setText(m_record->cas_do);
    ui->textb_3->setText(m_record->perioda);
    textb_Change();
    // A day type the list does not know selects nothing.
    const int typ = m_record->typ_dne;
    ui->combo_1->setCurrentIndex(typ >= 1 && typ <= ui->combo_1->count() ? typ - 1 : -1);
    ui->label_5->setText(m_record->popis_pasma);
    ui->textb_1->setFocus();
}

// The start must sort before the end: no band runs across midnight.
void Z_Oprava_platnosti_od_do_cas::textb_Change()
{
    ui->cb_1->setEnabled(ui->textb_1->text() < ui->textb_2->text());
}

void Z_Oprava_platnosti_od_do_cas::nastav(const char* od, const char* do_)
{
    ui->textb_1->setText(QString::fromLatin1(od));
    ui->textb_2->setText(QString::fromLatin1(do_));
}

void Z_Oprava_platnosti_od_do_cas::odmitni(const QString& text)
{
    messageBox(this, IconWarning, ButtonsOk, windowTitle(), text);
}

void Z_Oprava_platnosti_od_do_cas::cb_1_Click()
{
    // Enter may come while a box still holds what was typed.
    ui->textb_1->normalise();
    ui->textb_2->normalise();
    if (!(ui->textb_1->text() < ui->textb_2->text())) {
        odmitni(QStringLiteral("Začátek časového pásma musí předcházet jeho konci."));
        ui->textb_1->setFocus();
        return;
    }
    // A band being deleted is taken as it is stored; what is stored anew must be usable.
    if (m_record->rezim != 3) {
        if (ui->combo_1->currentIndex() < 0) {
            odmitni(QStringLiteral("Vyberte typ dne."));
            ui->combo_1->setFocus();
            return;
        }
        if (ui->textb_3->text().toLongLong() <= 0) {
            odmitni(QStringLiteral("Perioda impulsů musí být alespoň 1 vteřina."));
            ui->textb_3->setFocus();
            return;
        }
    }
    m_record->cas_od = ui->textb_1->text();
    m_record->cas_do = ui->textb_2->text();
    m_record->typ_dne = short(ui->combo_1->currentIndex() + 1);
    m_record->perioda = ui->textb_3->text();
    m_record->OK = true;
    finish(true);
}

void Z_Oprava_platnosti_od_do_cas::cb_2_Click() { leave(); }

} // namespace kavro
