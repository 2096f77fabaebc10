#include "external_directory/forms/z_zapis_ucastnika_podle_cisla.h"

#include "external_directory/doplneni_ucastniku.h"
#include "ui_z_zapis_ucastnika_podle_cisla.h"

#include <QApplication>
#include <QListWidget>

namespace kavro {

Z_zapis_ucastnika_podle_cisla::Z_zapis_ucastnika_podle_cisla(QWidget* parent)
    : Dialog(parent), ui(std::make_unique<Ui::Z_zapis_ucastnika_podle_cisla>())
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    connect(ui->cb_1, &QPushButton::clicked, this, &Z_zapis_ucastnika_podle_cisla::cb_1_Click);
    connect(ui->cb_2, &QPushButton::clicked, this, &Z_zapis_ucastnika_podle_cisla::cb_2_Click);
}

Z_zapis_ucastnika_podle_cisla::~Z_zapis_ucastnika_podle_cisla() = default;

str_data* Z_zapis_ucastnika_podle_cisla::radek(QListWidget* seznam)
{
    if (!seznam || !seznam->currentItem() || !seznam->currentItem()->isSelected()) return nullptr;
    return reinterpret_cast<str_data*>(seznam->currentItem()->data(Qt::UserRole).value<quintptr>());
}

void Z_zapis_ucastnika_podle_cisla::nastavRadek(QListWidgetItem* item, str_data* d)
{
    item->setData(Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(d)));
}

bool Z_zapis_ucastnika_podle_cisla::Create(QWidget* parent, FDX_ucastnik_podle_cisla* record)
{
    m_record = record;
    m_radek = record ? radek(record->seznam) : nullptr;
    if (!m_radek) return false;
    m_record->OK = false;
    Napln_LB();
    ui->label_5->setText(QStringLiteral("\\\\") + m_radek->stat + QLatin1Char('\\') + m_radek->mesto + QLatin1Char('\\')
                         + m_radek->cislo_ucastnika);
    ui->textb_1->setText(m_radek->nazev_ucastnika);
    ui->textb_2->setText(m_radek->firma);
    ui->textb_1->setFocus();
    return runModal(parent);
}

void Z_zapis_ucastnika_podle_cisla::Napln_LB()
{
    ui->lb_1->clear();
    QStringList radky;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Doplneni_ucastniku d;
    const bool ok = d.volajici(m_radek->volane_cislo, radky);
    QApplication::restoreOverrideCursor();
    if (!ok) {
        showDbError(QStringLiteral("Nepodařilo se přečíst, kdo číslo volal."), d.chyba());
        return;
    }
    ui->lb_1->addItems(radky);
    if (ui->lb_1->count() > 0) ui->lb_1->setCurrentRow(0);
}

void Z_zapis_ucastnika_podle_cisla::cb_1_Click()
{
    m_radek->nazev_ucastnika = ui->textb_1->text();
    m_radek->firma = ui->textb_2->text();
    m_radek->zapsat = 1;
    m_record->OK = true;
    finish(true);
}

void Z_zapis_ucastnika_podle_cisla::cb_2_Click()
{
    m_record->OK = false;
    finish(false);
}

} // namespace kavro
