#include "tariff_tables/forms/z_oprava_popisu_pasma.h"

#include "ui_z_oprava_popisu_pasma.h"

namespace kavro {

Z_oprava_popisu_pasma::Z_oprava_popisu_pasma(QWidget* parent)
    : Dialog(parent)
    , ui(std::make_unique<Ui::Z_oprava_popisu_pasma>())
{
    ui->setupUi(this);
    connect(ui->cb_1, &QPushButton::clicked, this, &Z_oprava_popisu_pasma::cb_1_Click);
    connect(ui->cb_2, &QPushButton::clicked, this, &Z_oprava_popisu_pasma::cb_2_Click);
}

Z_oprava_popisu_pasma::~Z_oprava_popisu_pasma() = default;

bool Z_oprava_popisu_pasma::Create(QWidget* parent, FDX_Nastaveni_tarifnich_pasem* record)
{
    m_record = record ? record : &m_vlastni;
    Z_oprava_popisu_pasma_Create();
    const bool ok = runModal(parent);
    m_record = nullptr;
    return ok;
}

void Z_oprava_popisu_pasma::Z_oprava_popisu_pasma_Create()
{
    ui->textb_1->setText(m_record->popis_pasma);
    ui->textb_1->selectAll();
    ui->textb_1->setFocus();
}

void Z_oprava_popisu_pasma::cb_2_Click()
{
    m_record->OK = true;
    m_record->popis_pasma = ui->textb_1->text();
    finish(true);
}

void Z_oprava_popisu_pasma::cb_1_Click() { leave(); }

} // namespace kavro
