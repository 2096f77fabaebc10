#include "import/forms/z_adresar_pro_vstupni_data.h"

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

Z_Adresar_pro_vstupni_data::Z_Adresar_pro_vstupni_data(QWidget* parent) : QDialog(parent)
{
    setupUi(this);
    vstupni_data->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(optb_1, &QRadioButton::toggled, this, [this](bool on) { if (on) optb_1_Click(); });
    connect(optb_2, &QRadioButton::toggled, this, [this](bool on) { if (on) optb_2_Click(); });
    connect(vstupni_data, &QLineEdit::customContextMenuRequested, this,
            &Z_Adresar_pro_vstupni_data::vstupni_data_RightButtonDown);
    connect(Adresar_pro_vstupni_data, &QPushButton::clicked, this,
            &Z_Adresar_pro_vstupni_data::Adresar_pro_vstupni_data_Click);
    connect(cb_2, &QPushButton::clicked, this, &Z_Adresar_pro_vstupni_data::cb_2_Click);
    connect(cb_1, &QPushButton::clicked, this, &Z_Adresar_pro_vstupni_data::cb_1_Click);
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
    const QSignalBlocker b1(optb_1);
    const QSignalBlocker b2(optb_2);
    if (hodnota(Zdroj) == QLatin1String("Ne")) {
        optb_1->setChecked(true);
        vstupni_data->setText(vlastni_adresar);
        rezim_zobrazeni = 1;
    } else {
        optb_2->setChecked(true);
        vstupni_data->setText(hodnota(Sberac));
        rezim_zobrazeni = 2;
    }
    Nastav_enabled();
}

void Z_Adresar_pro_vstupni_data::Nastav_enabled()
{
    const bool vlastni = optb_1->isChecked();
    if (vlastni) {
        if (rezim_zobrazeni == 2) {
            vstupni_data->setText(vlastni_adresar);
            rezim_zobrazeni = 1;
        }
    } else if (rezim_zobrazeni == 1) {
        vlastni_adresar = vstupni_data->text();
        vstupni_data->setText(hodnota(Sberac));
        rezim_zobrazeni = 2;
    }
    vstupni_data->setEnabled(vlastni);
    Adresar_pro_vstupni_data->setEnabled(vlastni);
}

void Z_Adresar_pro_vstupni_data::optb_1_Click() { Nastav_enabled(); }
void Z_Adresar_pro_vstupni_data::optb_2_Click() { Nastav_enabled(); }

void Z_Adresar_pro_vstupni_data::vstupni_data_RightButtonDown()
{
    if (!vstupni_data->isEnabled()) return;
    cl_Vyber_adresare vyber(vstupni_data->text());
    vyber.Create(this);
    vstupni_data->setText(vyber.Vrat_adresar());
}

void Z_Adresar_pro_vstupni_data::Adresar_pro_vstupni_data_Click() { vstupni_data_RightButtonDown(); }

void Z_Adresar_pro_vstupni_data::cb_2_Click()
{
    if (konfigurace) {
        if (!optb_2->isChecked()) {
            nastav(Zdroj, registr::Ne);
            // The import joins the file name straight to the directory.
            nastav(Vlastni, sKoncovymLomitkem(vstupni_data->text().trimmed()));
        } else {
            nastav(Zdroj, registr::Ano);
        }
        konfigurace->zapis_do_registru();
    }
    accept();
}

void Z_Adresar_pro_vstupni_data::cb_1_Click() { reject(); }

} // namespace kavro
