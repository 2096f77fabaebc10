#include "billing/forms/vyber_pro_vyuctovani.h"

#include "ui_vyber_pro_vyuctovani.h"

#include "common/forms/p_nastaveni_od_do.h"
#include "platform/database.h"
#include "platform/forms/message_box.h"
#include "platform/registry.h"

#include <QApplication>
#include <QRegularExpressionValidator>

namespace kavro {

Vyber_pro_vyuctovani::Vyber_pro_vyuctovani(QWidget* parent)
    : Dialog(parent)
    , ui(std::make_unique<Ui::Vyber_pro_vyuctovani>())
{
    ui->setupUi(this);
    ui->textb_datum_od->setCalendarButton(ui->cb_3);
    ui->textb_datum_do->setCalendarButton(ui->cb_4);
    ui->textb_1->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), this));
    connect(ui->combo_firma, &QComboBox::activated, this, &Vyber_pro_vyuctovani::combo_firma_Select);
    connect(ui->combo_oddeleni, &QComboBox::activated, this, &Vyber_pro_vyuctovani::combo_oddeleni_Select);
    connect(ui->textb_datum_od, &DateBox::LostFocus, this, &Vyber_pro_vyuctovani::Nacti_firmy);
    connect(ui->textb_datum_do, &DateBox::LostFocus, this, &Vyber_pro_vyuctovani::Nacti_firmy);
    connect(ui->cb_1, &QPushButton::clicked, this, &Vyber_pro_vyuctovani::cb_1_Click);
    connect(ui->cb_2, &QPushButton::clicked, this, &Vyber_pro_vyuctovani::cb_2_Click);
}

Vyber_pro_vyuctovani::~Vyber_pro_vyuctovani() = default;

bool Vyber_pro_vyuctovani::Create(QWidget* parent, FDX_filtr_hovory* record)
{
    m_record = record;
    if (!m_record) return false;
    Vyber_pro_vyuctovani_Create();
    ui->cb_1->setFocus();
    return runModal(parent);
}

void Vyber_pro_vyuctovani::Vyber_pro_vyuctovani_Create()
{
    const bool pole = !m_record->popis_pole.isEmpty();
    ui->label_3->setVisible(pole);
    ui->textb_1->setVisible(pole);
    ui->label_3->setText(pole ? m_record->popis_pole : QStringLiteral(" "));
    ui->textb_1->setText(pole ? QStringLiteral("0") : QString());
    m_record->OK = false;
    Registry& reg = Registry::instance();
    ui->textb_datum_od->setText(reg.read(P_Nastaveni_od_do::RegistryKey, P_Nastaveni_od_do::ValueOd));
    ui->textb_datum_do->setText(reg.read(P_Nastaveni_od_do::RegistryKey, P_Nastaveni_od_do::ValueDo));
    Nacti_firmy();
}

QString Vyber_pro_vyuctovani::klic(QComboBox* combo)
{
    return combo->currentIndex() < 0 ? QStringLiteral("0") : combo->currentData().toString();
}

void Vyber_pro_vyuctovani::nacti(QComboBox* combo, const QString& vse, const QString& sql, const QVariantList& hodnoty,
                                 bool jedenSloupec)
{
    combo->clear();
    combo->addItem(vse, QStringLiteral("0"));
    Query q;
    q.setSQL(sql);
    q.bindAll(hodnoty);
    bool ok = q.run();
    for (; ok && !q.atEnd(); q.next())
        combo->addItem(jedenSloupec ? q.value(1) : q.value(2), q.value(1));
    if (!ok || !q.lastErrorText().isEmpty())
        showDbError(QStringLiteral("Seznam pro výběr nelze načíst."), q.lastErrorText());
    combo->setCurrentIndex(0);
}

void Vyber_pro_vyuctovani::Nacti_firmy()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // A firm is offered when one of its assignments is valid on the first or the last day.
    nacti(ui->combo_firma, QStringLiteral("Všechny firmy"),
          QStringLiteral("SELECT CF.ID_FIRMY, CF.NAZEV_FIRMY FROM DBA.CISELNIK_FIREM as CF, dba.prirazeni_pobocek as PP "
                         "WHERE CF.ID_firmy = PP.id_firmy and "
                         "(? between PP.Pocatek_platnosti and PP.Konec_platnosti or "
                         "? between PP.Pocatek_platnosti and PP.Konec_platnosti) GROUP BY CF.ID_FIRMY, CF.NAZEV_FIRMY "
                         "ORDER BY CF.nazev_firmy COLLATE czech "),
          {ui->textb_datum_od->text(), ui->textb_datum_do->text()}, false);
    m_firma = klic(ui->combo_firma);
    Nacti_oddeleni(m_firma);
    QApplication::restoreOverrideCursor();
}

void Vyber_pro_vyuctovani::Nacti_oddeleni(const QString& id_firmy)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    nacti(ui->combo_oddeleni, QStringLiteral("Všechna oddělení"),
          QStringLiteral("SELECT ID_ODDELENI,NAZEV_ODDELENI FROM DBA.CISELNIK_ODDELENI WHERE ID_FIRMY = ? "
                         "order by nazev_oddeleni COLLATE czech"),
          {id_firmy}, false);
    m_oddeleni = klic(ui->combo_oddeleni);
    Nacti_pobocky();
    QApplication::restoreOverrideCursor();
    nastav_enabled();
}

void Vyber_pro_vyuctovani::Nacti_pobocky()
{
    const int f = ui->combo_firma->currentIndex();
    const int o = ui->combo_oddeleni->currentIndex();
    QString podminka;
    QVariantList hodnoty;
    if (o > 0) {
        podminka = QStringLiteral("WHERE ID_ODDELENI = ? AND ID_FIRMY = ? AND ");
        hodnoty << klic(ui->combo_oddeleni) << klic(ui->combo_firma);
    } else if (f > 0) {
        podminka = QStringLiteral("WHERE ID_FIRMY = ? and ");
        hodnoty << klic(ui->combo_firma);
    } else {
        podminka = QStringLiteral("WHERE ");
    }
    // Every extension whose assignment began by the first day's midnight; ended ones too.
    hodnoty << ui->textb_datum_od->text() + QStringLiteral(" 00:00:00");
    nacti(ui->combo_linka, QStringLiteral("Vsechny_pobocky"),
          QStringLiteral("SELECT cislo_pobocky FROM DBA.PRIRAZENI_POBOCEK ") + podminka
              + QStringLiteral(" Pocatek_platnosti <= ? and Cislo_pobocky != '9999' group by cislo_pobocky "
                               "order by cislo_pobocky COLLATE czech"),
          hodnoty, true);
    nastav_enabled();
}

void Vyber_pro_vyuctovani::nastav_enabled()
{
    const int typ = m_record ? m_record->typ : 0;
    const bool firma = ui->combo_firma->currentIndex() > 0;
    const bool oddeleni = ui->combo_oddeleni->currentIndex() > 0;
    ui->combo_firma->setEnabled(typ != 6);
    ui->combo_oddeleni->setEnabled((typ == 2 || typ == 3 || typ == 4 || typ == 5 || typ == 7) && firma);
    ui->combo_linka->setEnabled((typ == 3 || typ == 4 || typ == 5 || typ == 7) && oddeleni);
}

void Vyber_pro_vyuctovani::combo_firma_Select(int)
{
    m_firma = klic(ui->combo_firma);
    Nacti_oddeleni(m_firma);
}

void Vyber_pro_vyuctovani::combo_oddeleni_Select(int)
{
    m_oddeleni = klic(ui->combo_oddeleni);
    Nacti_pobocky();
}

void Vyber_pro_vyuctovani::cb_1_Click()
{
    // Enter may come while a date box still holds what was typed.
    ui->textb_datum_od->normalise();
    ui->textb_datum_do->normalise();
    // A reversed period is refused and not remembered for the next dialog.
    if (ui->textb_datum_do->text() < ui->textb_datum_od->text()) {
        messageBox(this, IconWarning, ButtonsOk, windowTitle(), P_Nastaveni_od_do::ZpravaObraceneObdobi);
        ui->textb_datum_do->setFocus();
        return;
    }
    m_record->OK = true;
    m_record->datum_od = ui->textb_datum_od->text() + QStringLiteral(" 00:00:00");
    m_record->datum_do = ui->textb_datum_do->text() + QStringLiteral(" 23:59:59");
    m_record->minimalni_pocet = ui->textb_1->isVisibleTo(this) ? ui->textb_1->text() : QString();
    Registry& reg = Registry::instance();
    reg.write(P_Nastaveni_od_do::RegistryKey, P_Nastaveni_od_do::ValueOd, ui->textb_datum_od->text());
    reg.write(P_Nastaveni_od_do::RegistryKey, P_Nastaveni_od_do::ValueDo, ui->textb_datum_do->text());
    m_record->id_firmy = klic(ui->combo_firma);
    m_record->id_oddeleni = klic(ui->combo_oddeleni);
    m_record->cislo_pobocky = klic(ui->combo_linka);
    finish(true);
}

void Vyber_pro_vyuctovani::cb_2_Click()
{
    m_record->OK = false;
    finish(false);
}

void Vyber_pro_vyuctovani::leave() { cb_2_Click(); }

} // namespace kavro
