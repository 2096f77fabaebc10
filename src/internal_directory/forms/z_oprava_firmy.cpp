#include "internal_directory/forms/z_oprava_firmy.h"

#include "ui_z_oprava_firmy.h"

namespace kavro {

Z_Oprava_firmy::Z_Oprava_firmy(QWidget* parent) : Dialog(parent), ui(std::make_unique<Ui::Z_Oprava_firmy>())
{
    ui->setupUi(this);
    connect(ui->cb_OK, &QPushButton::clicked, this, &Z_Oprava_firmy::cb_OK_Click);
    connect(ui->cb_Cancel, &QPushButton::clicked, this, &Z_Oprava_firmy::cb_Cancel_Click);
}

Z_Oprava_firmy::~Z_Oprava_firmy() = default;

bool Z_Oprava_firmy::Create(QWidget* parent, FDX_Firmy* record)
{
    m_record = record ? record : &m_vychozi;
    Z_Oprava_firmy_Create();
    return runModal(parent);
}

void Z_Oprava_firmy::Z_Oprava_firmy_Create()
{
    const FDX_Firmy& r = *m_record;
    const QList<QLineEdit*> boxy = {ui->T_Nazev, ui->T_Utvar, ui->T_Ulice, ui->T_PSC, ui->T_Mesto, ui->T_ICO, ui->T_DIC};
    if (r.Rezim != 1) {
        const QStringList texty = {r.Nazev_firmy, r.Utvar, r.Ulice, r.PSC, r.Obec, r.ICO, r.DIC};
        for (int i = 0; i < boxy.size(); ++i) boxy[i]->setText(texty[i]);
    } else {
        for (QLineEdit* b : boxy) b->clear();
    }
    for (QLineEdit* b : boxy) b->setReadOnly(r.Rezim >= 3);
    ui->cb_OK->setVisible(r.Rezim != 4);
    ui->cb_OK->setText(r.Rezim == 3 ? QStringLiteral("Smazat") : QStringLiteral("Ulož"));
    switch (r.Rezim) {
    case 1: setWindowTitle(QStringLiteral("Údaje o nové firmě")); break;
    case 2: setWindowTitle(QStringLiteral(" Oprava údajů k firmě")); break;
    case 3: setWindowTitle(QStringLiteral(" Opravdu smazat vybranou firmu ?")); break;
    default: break;
    }
}

void Z_Oprava_firmy::cb_OK_Click()
{
    FDX_Firmy& r = *m_record;
    if (r.Rezim == 1) r.ID_firmy.clear();
    r.Nazev_firmy = ui->T_Nazev->text();
    r.Utvar = ui->T_Utvar->text();
    r.Ulice = ui->T_Ulice->text();
    r.PSC = ui->T_PSC->text();
    r.Obec = ui->T_Mesto->text();
    r.ICO = ui->T_ICO->text();
    r.DIC = ui->T_DIC->text();
    r.OK = true;
    finish(true);
}

void Z_Oprava_firmy::cb_Cancel_Click() { finish(false); }

} // namespace kavro
