#include "external_directory/forms/z_zadej_stat_mesto_podle_hovoru.h"

#include "external_directory/nezname_predvolby.h"
#include "platform/forms/message_box.h"
#include "ui_z_zadej_stat_mesto_podle_hovoru.h"

#include <QRegularExpressionValidator>

namespace kavro {

Z_Zadej_stat_mesto_podle_hovoru::Z_Zadej_stat_mesto_podle_hovoru(QWidget* parent)
    : Dialog(parent), ui(std::make_unique<Ui::Z_Zadej_stat_mesto_podle_hovoru>())
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    for (QLineEdit* kod : {ui->textb_kod_statu, ui->textb_kod_mesta})
        kod->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,5}")), kod));
    connect(ui->cb_1, &QPushButton::clicked, this, &Z_Zadej_stat_mesto_podle_hovoru::cb_1_Click);
    connect(ui->cb_2, &QPushButton::clicked, this, &Z_Zadej_stat_mesto_podle_hovoru::cb_2_Click);
}

Z_Zadej_stat_mesto_podle_hovoru::~Z_Zadej_stat_mesto_podle_hovoru() = default;

bool Z_Zadej_stat_mesto_podle_hovoru::Create(QWidget* parent, Struktura_novy_tarif_udaj* record)
{
    if (!record) return false;
    m_record = record;
    Nacti_data();
    return runModal(parent);
}

void Z_Zadej_stat_mesto_podle_hovoru::Nacti_data()
{
    Zapis_statu_mesta logika;
    Zapis_statu_mesta::Volajici v;
    if (!logika.volajici(m_record->volane_cislo, v))
        showDbError(QStringLiteral("Nepodařilo se přečíst, kdo číslo volal."), logika.zprava());
    ui->label_8->setText(v.firma);
    ui->label_10->setText(v.oddeleni);
    ui->label_12->setText(v.osoba);
    ui->label_6->setText(m_record->volane_cislo);
    ui->textb_kod_statu->setText(m_record->kod_statu);
    ui->textb_stat->clear();
    if (!m_record->kod_statu.isEmpty()) {
        QString nazev;
        if (!logika.nazev_statu(m_record->kod_statu, nazev))
            showDbError(QStringLiteral("Nepodařilo se přečíst stát."), logika.zprava());
        ui->textb_stat->setText(nazev);
        ui->textb_kod_statu->setEnabled(false);
        ui->textb_stat->setEnabled(false);
        ui->textb_kod_mesta->setFocus();
    } else {
        ui->textb_kod_statu->setFocus();
    }
}

void Z_Zadej_stat_mesto_podle_hovoru::cb_1_Click()
{
    Zapis_statu_mesta logika;
    const auto v = logika.Uloz_vety(ui->textb_stat->isEnabled(), ui->textb_kod_statu->text(), ui->textb_stat->text(),
                                    ui->textb_kod_mesta->text(), ui->textb_mesto->text());
    if (v == Zapis_statu_mesta::Vysledek::Odmitnuto) {
        messageBox(this, IconWarning, ButtonsOk, windowTitle(), logika.zprava());
        return;
    }
    if (v == Zapis_statu_mesta::Vysledek::Chyba) {
        m_prace.rollback();
        messageBox(this, IconStop, ButtonsOk, windowTitle(), logika.zprava());
        return;
    }
    if (!m_prace.commit()) {
        showDbError(QStringLiteral("Stát a město se nepodařilo uložit."), m_prace.errorText());
        return;
    }
    m_record->zapsano = 1;
    finish(true);
}

void Z_Zadej_stat_mesto_podle_hovoru::cb_2_Click() { leave(); }

void Z_Zadej_stat_mesto_podle_hovoru::leave()
{
    m_prace.rollback();
    finish(false);
}

} // namespace kavro
