#include "f_pristupove_heslo.h"
#include "ui_f_pristupove_heslo.h"

#include "common/konfigurace.h"

namespace kavro {

F_Pristupove_Heslo::F_Pristupove_Heslo(QWidget* parent) : QDialog(parent), ui(new Ui::F_Pristupove_Heslo)
{
    ui->setupUi(this);
    connect(ui->textb_1, &QLineEdit::textChanged, this, &F_Pristupove_Heslo::textb_1_Change);
    connect(ui->textb_2, &QLineEdit::textChanged, this, &F_Pristupove_Heslo::textb_2_Change);
    connect(ui->textb_3, &QLineEdit::textChanged, this, &F_Pristupove_Heslo::textb_3_Change);
    connect(ui->cb_1, &QPushButton::clicked, this, &F_Pristupove_Heslo::cb_1_Click);
    connect(ui->cb_2, &QPushButton::clicked, this, &F_Pristupove_Heslo::cb_2_Click);
}

bool F_Pristupove_Heslo::Create(QWidget* parent)
{
    if (parent && parent != parentWidget()) setParent(parent, windowFlags());
    // Every opening starts with empty boxes.
    ui->textb_1->clear();
    ui->textb_2->clear();
    ui->textb_3->clear();
    F_Pristupove_Heslo_Create();
    ui->textb_1->setFocus();
    return exec() == QDialog::Accepted;
}

void F_Pristupove_Heslo::F_Pristupove_Heslo_Create()
{
    Cislo_hesla_text = QString::number(Cislo_hesla);
    switch (Cislo_hesla) {
    case 1: ui->label_5->setText(QStringLiteral("administrátora")); break;
    case 2: ui->label_5->setText(QStringLiteral("údržbu")); break;
    case 3: ui->label_5->setText(QStringLiteral("prohlížení")); break;
    default: ui->label_5->clear(); break;
    }
    ui->cb_1->setEnabled(false);
}

bool F_Pristupove_Heslo::Otestuj_heslo()
{
    const QString ulozene = konfigurace ? konfigurace->precti_promennou_registru(jmenoHodnoty(), QString()) : QString();
    if (ulozene != ui->textb_1->text()) return false;
    return ui->textb_2->text() == ui->textb_3->text();
}

void F_Pristupove_Heslo::textb_1_Change() { ui->cb_1->setEnabled(Otestuj_heslo()); }
void F_Pristupove_Heslo::textb_2_Change() { ui->cb_1->setEnabled(Otestuj_heslo()); }
void F_Pristupove_Heslo::textb_3_Change() { ui->cb_1->setEnabled(Otestuj_heslo()); }

void F_Pristupove_Heslo::cb_1_Click()
{
    // Enter reaches here only through the enabled default button; test again all the same.
    if (!Otestuj_heslo()) return;
    if (konfigurace) konfigurace->zapis_promenou_do_registru(jmenoHodnoty(), ui->textb_2->text(), QString());
    accept();
}

void F_Pristupove_Heslo::cb_2_Click()
{
    reject();
}

F_Pristupove_Heslo::~F_Pristupove_Heslo() = default;

} // namespace kavro
