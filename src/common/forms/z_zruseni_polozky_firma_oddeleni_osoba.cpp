#include "common/forms/z_zruseni_polozky_firma_oddeleni_osoba.h"

#include "ui_z_zruseni_polozky_firma_oddeleni_osoba.h"

#include "common/forms/knihovna_okna.h"

#include <QKeyEvent>

namespace kavro {

Z_Zruseni_polozky_firma_oddeleni_osoba::Z_Zruseni_polozky_firma_oddeleni_osoba(QWidget* parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::Z_Zruseni_polozky_firma_oddeleni_osoba>())
{
    ui->setupUi(this);
    ui->textb_1->setCalendarButton(ui->cb_3);
    ui->textb_2->setNula(true);
    connect(ui->updown_1, &UpDown::DeltaPosition, this,
            &Z_Zruseni_polozky_firma_oddeleni_osoba::updown_1_DeltaPosition);
    connect(ui->cb_1, &QPushButton::clicked, this, &Z_Zruseni_polozky_firma_oddeleni_osoba::cb_1_Click);
    connect(ui->cb_2, &QPushButton::clicked, this, &Z_Zruseni_polozky_firma_oddeleni_osoba::cb_2_Click);
}

Z_Zruseni_polozky_firma_oddeleni_osoba::~Z_Zruseni_polozky_firma_oddeleni_osoba() = default;

bool Z_Zruseni_polozky_firma_oddeleni_osoba::Create(QWidget* parent,
                                                    FDX_Z_Zruseni_polozky_firma_oddeleni_osoba* record)
{
    if (parent != parentWidget()) setParent(parent, windowFlags());
    m_record = record ? record : &m_vychozi;
    Z_Zruseni_polozky_firma_oddeleni_osoba_Create();
    adjustSize();
    exec();
    return true;
}

void Z_Zruseni_polozky_firma_oddeleni_osoba::Z_Zruseni_polozky_firma_oddeleni_osoba_Create()
{
    setWindowTitle(m_record->titulek);
    ui->label_2->setText(m_record->nadpis);
    ui->label_1->setText(m_record->popis);
    ui->textb_1->setText(m_record->datum);
    ui->textb_2->setText(m_record->cas);
}

void Z_Zruseni_polozky_firma_oddeleni_osoba::updown_1_DeltaPosition(int delta)
{
    knihovna::Uprav_cas(ui->textb_2, delta);
}

void Z_Zruseni_polozky_firma_oddeleni_osoba::cb_1_Click()
{
    // Enter may come while a box still holds what was typed.
    ui->textb_1->normalise();
    ui->textb_2->normalise();
    m_record->OK = true;
    m_record->datum = ui->textb_1->text();
    m_record->cas = ui->textb_2->text();
    accept();
}

void Z_Zruseni_polozky_firma_oddeleni_osoba::cb_2_Click()
{
    m_record->OK = false;
    reject();
}

void Z_Zruseni_polozky_firma_oddeleni_osoba::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        ui->cb_2->click();
        return;
    }
    QDialog::keyPressEvent(e);
}

} // namespace kavro
