#include "internal_directory/forms/p_udaje_o_osobe.h"

#include "ui_p_udaje_o_osobe.h"

#include "internal_directory/prirazeni_pobocek.h"
#include "platform/database.h"

namespace kavro {

P_Udaje_o_osobe::P_Udaje_o_osobe(QWidget* parent) : Dialog(parent), ui(std::make_unique<Ui::P_Udaje_o_osobe>())
{
    ui->setupUi(this);
    connect(ui->cb_1, &QPushButton::clicked, this, &P_Udaje_o_osobe::cb_1_Click);
}

P_Udaje_o_osobe::~P_Udaje_o_osobe() = default;

bool P_Udaje_o_osobe::Create(QWidget* parent, FDX_udaje_o_osobe* record)
{
    m_record = record ? record : &m_vychozi;
    P_Udaje_o_osobe_Create();
    runModal(parent);
    return true;
}

void P_Udaje_o_osobe::P_Udaje_o_osobe_Create()
{
    const FDX_udaje_o_osobe& r = *m_record;
    ui->label_11->setText(r.Cislo_pobocky);
    ui->label_5->setText(r.Pocatek_platnosti.left(19));
    ui->label_7->setText(r.Konec_platnosti.left(19));
    QString firma, oddeleni, osoba;
    PrirazeniPobocek data(Transaction::main());
    if (!data.udaje_prirazeni(r, &firma, &oddeleni, &osoba))
        showDbError(QStringLiteral("Údaje o přiřazení se nepodařilo načíst."), data.chyba());
    ui->label_8->setText(firma);
    ui->label_9->setText(oddeleni);
    ui->label_10->setText(osoba);
}

void P_Udaje_o_osobe::cb_1_Click() { finish(false); }

} // namespace kavro
