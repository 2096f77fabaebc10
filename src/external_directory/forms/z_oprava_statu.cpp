#include "external_directory/forms/z_oprava_statu.h"

#include "ui_z_oprava_statu.h"

#include "external_directory/forms/jedinecnost_kodu.h"
#include "platform/forms/message_box.h"

#include <QRegularExpressionValidator>

namespace kavro {

Z_Oprava_statu::Z_Oprava_statu(QWidget* parent) : Dialog(parent), ui(std::make_unique<Ui::Z_Oprava_statu>())
{
    ui->setupUi(this);
    ui->T_ID_statu->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d*")), this));
    connect(ui->T_Stat, &QLineEdit::textChanged, this, &Z_Oprava_statu::Je_vse_zapsano);
    connect(ui->T_ID_statu, &QLineEdit::textChanged, this, &Z_Oprava_statu::Je_vse_zapsano);
    connect(ui->cb_OK, &QPushButton::clicked, this, &Z_Oprava_statu::cb_OK_Click);
    connect(ui->cb_Cancel, &QPushButton::clicked, this, &Z_Oprava_statu::cb_Cancel_Click);
}

Z_Oprava_statu::~Z_Oprava_statu() = default;

bool Z_Oprava_statu::Create(QWidget* parent, FDX_Stat* record)
{
    if (!record) return false;
    m_zaznam = record;
    Z_Oprava_statu_Create();
    runModal(parent);
    return true;
}

void Z_Oprava_statu::Z_Oprava_statu_Create()
{
    switch (m_zaznam->rezim) {
    case 1:
        setWindowTitle(QStringLiteral("Zadejte nový stát"));
        ui->cb_OK->setEnabled(false);
        break;
    case 2:
        ui->T_ID_statu->setText(m_zaznam->kod_statu);
        ui->T_Stat->setText(m_zaznam->nazev);
        setWindowTitle(QStringLiteral("Opravte údaje o státu"));
        break;
    default:
        ui->T_ID_statu->setText(m_zaznam->kod_statu);
        ui->T_Stat->setText(m_zaznam->nazev);
        ui->T_ID_statu->setEnabled(false);
        ui->T_Stat->setEnabled(false);
        setWindowTitle(QStringLiteral("Opravte chcete smazat stát"));
        ui->cb_OK->setText(QStringLiteral("Smazat"));
        break;
    }
}

void Z_Oprava_statu::Je_vse_zapsano()
{
    ui->cb_OK->setEnabled(!ui->T_Stat->text().isEmpty() && !ui->T_ID_statu->text().isEmpty());
}

void Z_Oprava_statu::cb_OK_Click()
{
    if (!ui->cb_OK->isEnabled()) return;
    // Every state is in the tree: its top level.
    const int stejne = pocet_stejnych_kodu(*m_zaznam, QModelIndex(), ui->T_ID_statu->text(),
                                           [](const FDX_Stat& s) { return s.kod_statu; });
    if (stejne > 0) {
        messageBox(this, IconWarning, ButtonsOk, QStringLiteral("Není jedinečný kód st8tu"),
                   QStringLiteral("opravte kód státu"));
        return;
    }
    m_zaznam->nazev = ui->T_Stat->text();
    m_zaznam->kod_statu = ui->T_ID_statu->text();
    m_zaznam->ok = true;
    finish(true);
}

void Z_Oprava_statu::cb_Cancel_Click() { leave(); }

} // namespace kavro
