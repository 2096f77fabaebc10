#include "internal_directory/forms/z_oprava_oddeleni.h"

#include "ui_z_oprava_oddeleni.h"

namespace kavro {

Z_Oprava_oddeleni::Z_Oprava_oddeleni(QWidget* parent)
    : Dialog(parent), ui(std::make_unique<Ui::Z_Oprava_oddeleni>())
{
    ui->setupUi(this);
    connect(ui->cb_OK, &QPushButton::clicked, this, &Z_Oprava_oddeleni::cb_OK_Click);
    connect(ui->cb_Cancel, &QPushButton::clicked, this, &Z_Oprava_oddeleni::cb_Cancel_Click);
}

Z_Oprava_oddeleni::~Z_Oprava_oddeleni() = default;

bool Z_Oprava_oddeleni::Create(QWidget* parent, FDX_Firmy* record)
{
    m_record = record ? record : &m_vychozi;
    Z_Oprava_oddeleni_Create();
    return runModal(parent);
}

void Z_Oprava_oddeleni::Z_Oprava_oddeleni_Create()
{
    const FDX_Firmy& r = *m_record;
    ui->T_Oddeleni->setText(r.Rezim != 1 ? r.Nazev_oddeleni : QString());
    ui->T_Oddeleni->setReadOnly(r.Rezim >= 3);
    ui->cb_OK->setVisible(r.Rezim != 4);
    ui->cb_OK->setText(r.Rezim == 3 ? QStringLiteral("Smazat") : QStringLiteral("Ulož"));
    switch (r.Rezim) {
    case 1: setWindowTitle(QStringLiteral("Zadejte nové oddělení")); break;
    case 2: setWindowTitle(QStringLiteral("Opravte název oddělení")); break;
    case 3: setWindowTitle(QStringLiteral("Opravdu chcete smazat oddělení ?")); break;
    default: break;
    }
}

void Z_Oprava_oddeleni::cb_OK_Click()
{
    m_record->OK = true;
    m_record->Nazev_oddeleni = ui->T_Oddeleni->text();
    finish(true);
}

void Z_Oprava_oddeleni::cb_Cancel_Click()
{
    m_record->OK = false;
    finish(false);
}

} // namespace kavro
