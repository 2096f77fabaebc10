#include "external_directory/forms/z_oprava_osoby.h"

#include "ui_z_oprava_osoby.h"

#include "external_directory/vnejsi_seznam.h"
#include "platform/database.h"
#include "tariffing/vazby_tto.h"

#include <QValidator>

namespace kavro {

namespace {

// Digits only: tariffing matches the number as a prefix, where "%" or "_"
// would be wildcards. A number stored with other characters (by an older
// database or another program) may stay as it is while the name is corrected,
// and may hold them while it is being corrected; changed, it must be digits.
class CisloUcastnika : public QValidator {
public:
    explicit CisloUcastnika(QObject* parent) : QValidator(parent) {}
    void nastavUlozene(const QString& cislo) { m_ulozene = cislo; }
    State validate(QString& text, int&) const override
    {
        if (text.isEmpty() || jen_cislice(text) || text == m_ulozene) return Acceptable;
        return jen_cislice(m_ulozene) || m_ulozene.isEmpty() ? Invalid : Intermediate;
    }

private:
    QString m_ulozene;
};

} // namespace

Z_Oprava_Osoby::Z_Oprava_Osoby(QWidget* parent) : Dialog(parent), ui(std::make_unique<Ui::Z_Oprava_Osoby>())
{
    ui->setupUi(this);
    m_cislo = new CisloUcastnika(this);
    ui->T_Telefon->setValidator(m_cislo);
    connect(ui->T_Popis, &QLineEdit::textChanged, this, &Z_Oprava_Osoby::Je_vse_zapsano);
    connect(ui->T_Telefon, &QLineEdit::textChanged, this, &Z_Oprava_Osoby::Je_vse_zapsano);
    connect(ui->cb_OK, &QPushButton::clicked, this, &Z_Oprava_Osoby::cb_OK_Click);
    connect(ui->cb_Cancel, &QPushButton::clicked, this, &Z_Oprava_Osoby::cb_Cancel_Click);
}

Z_Oprava_Osoby::~Z_Oprava_Osoby() = default;

bool Z_Oprava_Osoby::Create(QWidget* parent, FDX_Stat* record)
{
    if (!record) return false;
    m_zaznam = record;
    Z_Oprava_Osoby_Create();
    runModal(parent);
    return true;
}

void Z_Oprava_Osoby::nacti_konfiguraci()
{
    // Without a stored site the number is shown alone.
    MistoUstredny misto;
    nacti_misto(Transaction::main(), &misto);
    m_predvolba = predvolba_volby(misto, m_zaznam->kod_statu, m_zaznam->kod_mesta);
}

void Z_Oprava_Osoby::Z_Oprava_Osoby_Create()
{
    ui->label_4->setText(m_zaznam->umisteni);
    static_cast<CisloUcastnika*>(m_cislo)->nastavUlozene(m_zaznam->rezim == 1 ? QString() : m_zaznam->cislo_ucastnika);
    nacti_konfiguraci();
    ui->combo_1->setCurrentIndex(m_zaznam->soukrome == QLatin1String("S") ? 1 : 0);
    switch (m_zaznam->rezim) {
    case 1:
        ui->cb_OK->setEnabled(false);
        setWindowTitle(QStringLiteral("Zadejte novou osobu"));
        break;
    case 2:
        ui->T_Popis->setText(m_zaznam->nazev);
        ui->T_Firma->setText(m_zaznam->firma);
        ui->T_Telefon->setText(m_zaznam->cislo_ucastnika);
        setWindowTitle(QStringLiteral("Opravte údaje o osobě"));
        break;
    default:
        ui->T_Popis->setText(m_zaznam->nazev);
        ui->T_Firma->setText(m_zaznam->firma);
        ui->T_Telefon->setText(m_zaznam->cislo_ucastnika);
        setWindowTitle(QStringLiteral("Opravdu chcete smazat vybranou osobu ?"));
        ui->cb_OK->setText(QStringLiteral("Smazat"));
        ui->T_Telefon->setEnabled(false);
        ui->T_Popis->setEnabled(false);
        break;
    }
    Je_vse_zapsano();
}

void Z_Oprava_Osoby::Je_vse_zapsano()
{
    ui->Volane_cislo->setText(m_predvolba + ui->T_Telefon->text());
    if (m_zaznam && m_zaznam->rezim == 3) ui->cb_OK->setEnabled(true);
    else
        ui->cb_OK->setEnabled(!ui->T_Popis->text().isEmpty() && !ui->T_Telefon->text().isEmpty()
                              && ui->T_Telefon->hasAcceptableInput());
}

void Z_Oprava_Osoby::cb_OK_Click()
{
    if (!ui->cb_OK->isEnabled()) return;
    m_zaznam->ok = true;
    m_zaznam->nazev = ui->T_Popis->text();
    m_zaznam->cislo_ucastnika = ui->T_Telefon->text();
    m_zaznam->firma = ui->T_Firma->text();
    m_zaznam->soukrome = ui->combo_1->currentIndex() == 1 ? QStringLiteral("S") : QStringLiteral("F");
    finish(true);
}

void Z_Oprava_Osoby::cb_Cancel_Click() { leave(); }

} // namespace kavro
