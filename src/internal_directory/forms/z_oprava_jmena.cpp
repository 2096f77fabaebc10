#include "internal_directory/forms/z_oprava_jmena.h"

#include "ui_z_oprava_jmena.h"

namespace kavro {

namespace {
const int PoznamkaMax = 255;
}

Z_Oprava_jmena::Z_Oprava_jmena(QWidget* parent) : Dialog(parent), ui(std::make_unique<Ui::Z_Oprava_jmena>())
{
    ui->setupUi(this);
    connect(ui->cb_OK, &QPushButton::clicked, this, &Z_Oprava_jmena::cb_OK_Click);
    connect(ui->cb_Cancel, &QPushButton::clicked, this, &Z_Oprava_jmena::cb_Cancel_Click);
    // The note takes line breaks; it holds at most 255 characters.
    connect(ui->textb_2, &QPlainTextEdit::textChanged, this, [this] {
        const QString t = ui->textb_2->toPlainText();
        if (t.size() <= PoznamkaMax) return;
        ui->textb_2->setPlainText(t.left(PoznamkaMax));
        ui->textb_2->moveCursor(QTextCursor::End);
    });
}

Z_Oprava_jmena::~Z_Oprava_jmena() = default;

bool Z_Oprava_jmena::Create(QWidget* parent, FDX_Firmy* record)
{
    m_record = record ? record : &m_vychozi;
    Z_Oprava_jmena_Create();
    return runModal(parent);
}

void Z_Oprava_jmena::Z_Oprava_jmena_Create()
{
    const FDX_Firmy& r = *m_record;
    const bool novy = r.Rezim == 1;
    ui->T_titul->setText(novy ? QString() : r.Titul);
    ui->T_Prijmeni->setText(novy ? QString() : r.Prijmeni);
    ui->T_jmeno->setText(novy ? QString() : r.Jmeno);
    ui->textb_1->setText(novy ? QString() : r.Funkce);
    ui->textb_2->setPlainText(novy ? QString() : r.Poznamka);
    for (QLineEdit* b : {ui->T_titul, ui->T_Prijmeni, ui->T_jmeno, ui->textb_1}) b->setReadOnly(r.Rezim >= 3);
    ui->textb_2->setReadOnly(r.Rezim >= 3);
    ui->cb_OK->setVisible(r.Rezim != 4);
    ui->cb_OK->setText(r.Rezim == 3 ? QStringLiteral("Smazat") : QStringLiteral("Ulož"));
    switch (r.Rezim) {
    case 1: setWindowTitle(QStringLiteral("Údaje o nové osobě")); break;
    case 2: setWindowTitle(QStringLiteral("Opravte údaje o osobě")); break;
    case 3: setWindowTitle(QStringLiteral("Opravdu chcete smazat osobu ?")); break;
    default: break;
    }
}

void Z_Oprava_jmena::cb_OK_Click()
{
    FDX_Firmy& r = *m_record;
    r.Titul = ui->T_titul->text();
    r.Prijmeni = ui->T_Prijmeni->text();
    r.Jmeno = ui->T_jmeno->text();
    r.Funkce = ui->textb_1->text();
    r.Poznamka = ui->textb_2->toPlainText();
    r.OK = true;
    finish(true);
}

void Z_Oprava_jmena::cb_Cancel_Click()
{
    m_record->OK = false;
    finish(false);
}

} // namespace kavro
