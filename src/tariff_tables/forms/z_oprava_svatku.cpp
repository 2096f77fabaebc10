#include "tariff_tables/forms/z_oprava_svatku.h"

#include "ui_z_oprava_svatku.h"

#include "platform/forms/message_box.h"

#include <QRegularExpressionValidator>

namespace kavro {

Z_Oprava_svatku::Z_Oprava_svatku(QWidget* parent)
    : Dialog(parent)
    , ui(std::make_unique<Ui::Z_Oprava_svatku>())
{
    ui->setupUi(this);
    ui->textb_1->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d*")), ui->textb_1));
    connect(ui->cb_2, &QPushButton::clicked, this, &Z_Oprava_svatku::cb_2_Click);
    connect(ui->cb_1, &QPushButton::clicked, this, &Z_Oprava_svatku::leave);
}

Z_Oprava_svatku::~Z_Oprava_svatku() = default;

bool Z_Oprava_svatku::Create(QWidget* parent, Struct_svatky* record)
{
    m_record = record;
    Z_Oprava_svatku_Create();
    const bool ok = runModal(parent);
    m_record = nullptr;
    return ok;
}

void Z_Oprava_svatku::Z_Oprava_svatku_Create()
{
    const int rezim = m_record->rezim;
    setWindowTitle(rezim == 1   ? QStringLiteral("Zápis")
                   : rezim == 2 ? QStringLiteral("Oprava")
                   : rezim == 3 ? QStringLiteral("Rušení")
                                : QString());
    ui->cb_2->setText(rezim == 3 ? QStringLiteral("Smazat") : QStringLiteral("Ulož"));
    ui->textb_1->setEnabled(rezim != 3);
    ui->textb_3->setEnabled(rezim != 3);
    ui->textb_1->setText(QString::number(m_record->den));
    ui->textb_3->setText(m_record->nazev);
    if (rezim == 3) {
        ui->cb_2->setFocus();
    } else {
        ui->textb_1->setFocus();
        ui->textb_1->selectAll();
    }
}

void Z_Oprava_svatku::cb_2_Click()
{
    if (m_record->rezim != 3) {
        const int den = ui->textb_1->text().toInt();
        if (!Pevne_svatky::denPlati(den, m_record->mesic, m_record->rok)) {
            // A calendar of one year knows whether its February has 29 days.
            QString text = QStringLiteral("Den musí být číslo od 1 do %1")
                               .arg(Pevne_svatky::delkaMesice(m_record->mesic, m_record->rok));
            if (m_record->rok != 0) text += QStringLiteral(": tolik dní má tento měsíc v roce %1").arg(m_record->rok);
            messageBox(this, IconWarning, ButtonsOk, windowTitle(), text + QLatin1Char('.'));
            ui->textb_1->setFocus();
            ui->textb_1->selectAll();
            return;
        }
        m_record->den = den;
        m_record->nazev = ui->textb_3->text();
    }
    m_record->rezim = 1;
    finish(true);
}

void Z_Oprava_svatku::leave()
{
    if (m_record) m_record->rezim = 0;
    finish(false);
}

} // namespace kavro
