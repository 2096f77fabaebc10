#include "f_prihlaseni.h"
#include "ui_f_prihlaseni.h"

#include "common/konfigurace.h"
#include "common/registry_names.h"

namespace kavro {

F_Prihlaseni::F_Prihlaseni(QWidget* parent) : QDialog(parent), ui(new Ui::F_Prihlaseni)
{
    ui->setupUi(this);
    connect(ui->cb_1, &QPushButton::clicked, this, &F_Prihlaseni::cb_1_Click);
    connect(ui->cb_2, &QPushButton::clicked, this, &F_Prihlaseni::cb_2_Click);
}

bool F_Prihlaseni::Create(QWidget* parent)
{
    if (parent && parent != parentWidget()) setParent(parent, windowFlags());
    ui->textb_2->clear();
    F_Prihlaseni_Create();
    ui->textb_2->setFocus();
    return exec() == QDialog::Accepted;
}

void F_Prihlaseni::F_Prihlaseni_Create()
{
    ui->textb_1->setText(konfigurace ? konfigurace->precti_promennou_registru(registr::PosledniPrihlaseny, QString())
                                    : QString());
}

void F_Prihlaseni::cb_1_Click()
{
    Prihlaseny_uzivatel = ui->textb_1->text();
    Zadane_heslo = ui->textb_2->text();
    if (konfigurace)
        konfigurace->zapis_promenou_do_registru(registr::PosledniPrihlaseny, ui->textb_1->text(), QString());
    accept();
}

void F_Prihlaseni::cb_2_Click()
{
    reject();
}

F_Prihlaseni::~F_Prihlaseni() = default;

} // namespace kavro
