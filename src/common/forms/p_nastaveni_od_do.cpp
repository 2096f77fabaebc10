#include "common/forms/p_nastaveni_od_do.h"

#include "ui_p_nastaveni_od_do.h"

#include "platform/registry.h"
#include "common/registry_names.h"
#include "platform/forms/message_box.h"

#include <QKeyEvent>

namespace kavro {

const QString P_Nastaveni_od_do::RegistryKey = registr::Aplikace;
const QString P_Nastaveni_od_do::ValueOd = registr::DatumOd;
const QString P_Nastaveni_od_do::ValueDo = registr::DatumDo;
const QString P_Nastaveni_od_do::ZpravaObraceneObdobi = QStringLiteral("Konec období nesmí předcházet jeho začátku.");

P_Nastaveni_od_do::P_Nastaveni_od_do(QWidget* parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::P_Nastaveni_od_do>())
{
    ui->setupUi(this);
    ui->textb_od->setCalendarButton(ui->cb_3);
    ui->textb_do->setCalendarButton(ui->cb_4);
    connect(ui->cb_1, &QPushButton::clicked, this, &P_Nastaveni_od_do::cb_1_Click);
    connect(ui->cb_2, &QPushButton::clicked, this, &P_Nastaveni_od_do::cb_2_Click);
}

P_Nastaveni_od_do::~P_Nastaveni_od_do() = default;

bool P_Nastaveni_od_do::Create(QWidget* parent, FDX_Nastaveni_datum_od_do* record)
{
    if (parent != parentWidget()) setParent(parent, windowFlags());
    m_record = record ? record : &m_vychozi;
    P_Nastaveni_od_do_Create();
    ui->textb_od->setFocus();
    exec();
    return true;
}

void P_Nastaveni_od_do::P_Nastaveni_od_do_Create()
{
    Registry& reg = Registry::instance();
    // Shown as they come; a box is normalised when it loses the focus.
    QString od = reg.read(RegistryKey, ValueOd);
    if (od.isEmpty()) od = m_record->datum_od;
    QString do_ = reg.read(RegistryKey, ValueDo);
    if (do_.isEmpty()) do_ = m_record->datum_do;
    ui->textb_od->setText(od);
    ui->textb_do->setText(do_);
    setWindowTitle(m_record->titulek);
    ui->groupb_1->setTitle(m_record->titulek);
}

void P_Nastaveni_od_do::cb_1_Click()
{
    // Enter may come while a box still holds what was typed: both are
    // normalised before anything is handed back.
    ui->textb_od->normalise();
    ui->textb_do->normalise();
    // A reversed period is refused and not remembered for the next dialog.
    if (ui->textb_do->text() < ui->textb_od->text()) {
        messageBox(this, IconWarning, ButtonsOk, windowTitle(), ZpravaObraceneObdobi);
        ui->textb_do->setFocus();
        return;
    }
    Registry& reg = Registry::instance();
    reg.write(RegistryKey, ValueOd, ui->textb_od->text());
    reg.write(RegistryKey, ValueDo, ui->textb_do->text());
    m_record->datum_od = ui->textb_od->text();
    m_record->datum_do = ui->textb_do->text();
    m_record->OK = true;
    accept();
}

void P_Nastaveni_od_do::cb_2_Click()
{
    m_record->OK = false;
    reject();
}

void P_Nastaveni_od_do::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        ui->cb_2->click();
        return;
    }
    QDialog::keyPressEvent(e);
}

} // namespace kavro
