#include "import/forms/z_adresar_pro_vstupni_data.h"
#include "ui_z_adresar_pro_vstupni_data.h"

#include "common/konfigurace.h"
#include "import/adresare.h"
#include "common/forms/cl_vyber_adresare.h"
#include "common/registry_names.h"

namespace kavro {

namespace {

const QString& Zdroj = registr::DatovyZdrojSberace;
const QString& Vlastni = registr::VstupniDatovyAdresarKavro;
const QString& Sberac = registr::DatovyAdresar;

QString hodnota(const QString& jmeno) { return konfigurace ? konfigurace->zjisti_hodnotu(jmeno) : QString(); }

// A value goes back to the key it was loaded from (the exchange key when it
// came from there, so that key cannot hide the new choice at the next start);
// a value the store does not hold yet goes to the instance key.
void nastav(const QString& jmeno, const QString& text)
{
    const bool existuje = konfigurace->najdi_promennou(jmeno) != nullptr;
    konfigurace->nastav_promennou(jmeno, text, existuje ? QString() : konfigurace->instance());
}

} // namespace

Z_Adresar_pro_vstupni_data::~Z_Adresar_pro_vstupni_data() = default;

Z_Adresar_pro_vstupni_data::Z_Adresar_pro_vstupni_data(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::Z_Adresar_pro_vstupni_data>())
{
    ui->setupUi(this);
    ui->vstupni_data->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ui->optb_1, &QRadioButton::toggled, this, [this](bool on) { if (on) optb_1_Click(); });
    connect(ui->optb_2, &QRadioButton::toggled, this, [this](bool on) { if (on) optb_2_Click(); });
    connect(ui->vstupni_data, &QLineEdit::customContextMenuRequested, this,
            &Z_Adresar_pro_vstupni_data::vstupni_data_RightButtonDown);
    connect(ui->Adresar_pro_vstupni_data, &QPushButton::clicked, this,
            &Z_Adresar_pro_vstupni_data::Adresar_pro_vstupni_data_Click);
    connect(ui->cb_2, &QPushButton::clicked, this, &Z_Adresar_pro_vstupni_data::cb_2_Click);
    connect(ui->cb_1, &QPushButton::clicked, this, &Z_Adresar_pro_vstupni_data::cb_1_Click);
}

bool Z_Adresar_pro_vstupni_data::Create(QWidget* parent)
{
    if (parent != parentWidget()) setParent(parent, windowFlags());
    Z_Adresar_pro_vstupni_data_Create();
    return exec() == QDialog::Accepted;
}

void Z_Adresar_pro_vstupni_data::Z_Adresar_pro_vstupni_data_Create()
{
    vlastni_adresar = hodnota(Vlastni);
    // The option buttons' handlers must not swap the box while it is loaded.
    const QSignalBlocker b1(ui->optb_1);
    const QSignalBlocker b2(ui->optb_2);
    if (hodnota(Zdroj) == QLatin1String("Ne")) {
        ui->optb_1->setChecked(true);
        ui->vstupni_data->setText(vlastni_adresar);
        rezim_zobrazeni = 1;
    } else {
        ui->optb_2->setChecked(true);
        ui->vstupni_data->setText(hodnota(Sberac));
        rezim_zobrazeni = 2;
    }
    Nastav_enabled();
}

void Z_Adresar_pro_vstupni_data::Nastav_enabled()
{
    const bool vlastni = ui->optb_1->isChecked();
    if (vlastni) {
        if (rezim_zobrazeni == 2) {
            ui->vstupni_data->setText(vlastni_adresar);
            rezim_zobrazeni = 1;
        }
    } else if (rezim_zobrazeni == 1) {
        vlastni_adresar = ui->vstupni_data->text();
        ui->vstupni_data->setText(hodnota(Sberac));
        rezim_zobrazeni = 2;
    }
    ui->vstupni_data->setEnabled(vlastni);
    ui->Adresar_pro_vstupni_data->setEnabled(vlastni);
}

void Z_Adresar_pro_vstupni_data::optb_1_Click() { Nastav_enabled(); }
void Z_Adresar_pro_vstupni_data::optb_2_Click() { Nastav_enabled(); }

void Z_Adresar_pro_vstupni_data::vstupni_data_RightButtonDown()
{
    if (!ui->vstupni_data->isEnabled()) return;
    cl_Vyber_adresare vyber(ui->vstupni_data->text());
    vyber.Create(this);
    ui->vstupni_data->setText(vyber.Vrat_adresar());
}

void Z_Adresar_pro_vstupni_data::Adresar_pro_vstupni_data_Click() { vstupni_data_RightButtonDown(); }

void Z_Adresar_pro_vstupni_data::cb_2_Click()
{
    if (konfigurace) {
        if (!ui->optb_2->isChecked()) {
            nastav(Zdroj, registr::Ne);
            // The import joins the file name straight to the directory.
            nastav(Vlastni, sKoncovymLomitkem(ui->vstupni_data->text().trimmed()));
        } else {
            nastav(Zdroj, registr::Ano);
        }
        konfigurace->zapis_do_registru();
    }
    accept();
}

void Z_Adresar_pro_vstupni_data::cb_1_Click() { reject(); }

} // namespace kavro
