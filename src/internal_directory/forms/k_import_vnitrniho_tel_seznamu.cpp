#include "internal_directory/forms/k_import_vnitrniho_tel_seznamu.h"

#include "ui_k_import_vnitrniho_tel_seznamu.h"

#include <QRegularExpressionValidator>

namespace kavro {

K_Import_vnitrniho_tel_seznamu::K_Import_vnitrniho_tel_seznamu(QWidget* parent)
    : Dialog(parent), ui(std::make_unique<Ui::K_Import_vnitrniho_tel_seznamu>())
{
    ui->setupUi(this);
    QLineEdit* p[6] = {ui->P_firma, ui->P_oddeleni, ui->P_prijmeni, ui->P_jmeno, ui->P_titul, ui->P_linka};
    QLineEdit* o[6] = {ui->O_firma, ui->O_oddeleni, ui->O_prijmeni, ui->O_jmeno, ui->O_titul, ui->O_linka};
    auto* cislice = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]")), this);
    for (int i = 0; i < 6; ++i) {
        m_pozice[i] = p[i];
        m_oddelovace[i] = o[i];
        p[i]->setValidator(cislice);
    }
    setFixedSize(sizeHint());
    connect(ui->cb_1, &QPushButton::clicked, this, &K_Import_vnitrniho_tel_seznamu::cb_1_Click);
    connect(ui->cb_2, &QPushButton::clicked, this, &K_Import_vnitrniho_tel_seznamu::cb_2_Click);
}

K_Import_vnitrniho_tel_seznamu::~K_Import_vnitrniho_tel_seznamu() = default;

bool K_Import_vnitrniho_tel_seznamu::Create(QWidget* parent, FDX_K_Import* record)
{
    m_record = record;
    K_Import_vnitrniho_tel_seznamu_Create();
    return runModal(parent);
}

void K_Import_vnitrniho_tel_seznamu::K_Import_vnitrniho_tel_seznamu_Create()
{
    for (int i = 0; i < 6; ++i) {
        m_pozice[i]->setText(m_record ? m_record->pozice.mid(i, 1) : QString());
        m_oddelovace[i]->setText(m_record ? m_record->oddelovace.mid(i, 1) : QString());
    }
    m_pozice[0]->setFocus();
}

void K_Import_vnitrniho_tel_seznamu::cb_1_Click()
{
    if (m_record) {
        m_record->pozice.clear();
        m_record->oddelovace.clear();
        for (int i = 0; i < 6; ++i) {
            m_record->pozice += m_pozice[i]->text();
            m_record->oddelovace += m_oddelovace[i]->text();
        }
        m_record->OK = true;
    }
    finish(true);
}

void K_Import_vnitrniho_tel_seznamu::cb_2_Click()
{
    if (m_record) m_record->OK = false;
    finish(false);
}

} // namespace kavro
