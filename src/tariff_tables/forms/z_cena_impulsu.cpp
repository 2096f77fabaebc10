#include "tariff_tables/forms/z_cena_impulsu.h"

#include "ui_z_cena_impulsu.h"

#include "tariff_tables/ceny_impulsu.h"

#include "platform/forms/message_box.h"

#include <QRegularExpression>

namespace kavro {

Z_Cena_impulsu::Z_Cena_impulsu(QWidget* parent) : Dialog(parent), ui(std::make_unique<Ui::Z_Cena_impulsu>())
{
    ui->setupUi(this);
    ui->textb_1->setCalendarButton(ui->cb_1);
    ui->textb_2->setCalendarButton(ui->cb_2);
    // The price box keeps what was typed: a price that is not whole haléře
    // ("2,50") is refused with a message, never read as other digits.
    for (QLineEdit* box : {static_cast<QLineEdit*>(ui->textb_1), static_cast<QLineEdit*>(ui->textb_2), ui->textb_3})
        connect(box, &QLineEdit::textChanged, this, &Z_Cena_impulsu::zkontroluj);
    connect(ui->cb_OK, &QPushButton::clicked, this, &Z_Cena_impulsu::cb_OK_Click);
    connect(ui->cb_Cancel, &QPushButton::clicked, this, &Z_Cena_impulsu::cb_Cancel_Click);
}

Z_Cena_impulsu::~Z_Cena_impulsu() = default;

bool Z_Cena_impulsu::Create(QWidget* parent, FDX_Cena_impulsu* record)
{
    if (record) m_record = record;
    Z_Cena_impulsu_Create();
    return runModal(parent);
}

void Z_Cena_impulsu::Z_Cena_impulsu_Create()
{
    const bool novy = m_record->Novy_zaznam;
    ui->textb_1->setText(novy ? QString() : m_record->Platnost_od);
    ui->textb_2->setText(novy ? QString() : m_record->Platnost_do);
    ui->textb_3->setText(novy ? QString() : m_record->Cena);
    zkontroluj();
    ui->textb_1->setFocus();
}

void Z_Cena_impulsu::zkontroluj()
{
    // A price with other characters than digits leaves "Ulož" offered, so that it can say why it refuses it.
    static const QRegularExpression cislice(QStringLiteral("^\\d*$"));
    const QString cena = ui->textb_3->text();
    ui->cb_OK->setEnabled(CenyImpulsu::chyba_obdobi(ui->textb_1->text(), ui->textb_2->text()).isEmpty()
                          && (!cislice.match(cena).hasMatch() || CenyImpulsu::chyba_ceny(cena).isEmpty()));
}

void Z_Cena_impulsu::cb_OK_Click()
{
    // A date still being typed when Enter saves has not lost its focus yet.
    ui->textb_1->normalise();
    ui->textb_2->normalise();
    const QString proc = CenyImpulsu::chyba(ui->textb_1->text(), ui->textb_2->text(), ui->textb_3->text());
    if (!proc.isEmpty()) {
        messageBox(this, IconWarning, ButtonsOk, windowTitle(), proc);
        if (CenyImpulsu::chyba_obdobi(ui->textb_1->text(), ui->textb_2->text()).isEmpty()) {
            ui->textb_3->setFocus();
            ui->textb_3->selectAll();
        }
        zkontroluj();
        return;
    }
    m_record->OK = true;
    m_record->Platnost_od = ui->textb_1->text();
    m_record->Platnost_do = ui->textb_2->text();
    m_record->Cena = QString::number(ui->textb_3->text().toLongLong());
    finish(true);
}

void Z_Cena_impulsu::cb_Cancel_Click() { leave(); }

} // namespace kavro
