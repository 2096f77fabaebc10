#include "zadej_rok.h"
#include "ui_zadej_rok.h"

#include <QRegularExpressionValidator>

namespace kavro {

Zadej_rok::Zadej_rok(QWidget* parent) : QDialog(parent), ui(new Ui::Zadej_rok)
{
    ui->setupUi(this);
    ui->textb_1->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d*")), ui->textb_1));
    connect(ui->cb_1, &QPushButton::clicked, this, &Zadej_rok::cb_1_Click);
    connect(ui->cb_2, &QPushButton::clicked, this, &Zadej_rok::cb_2_Click);
}

bool Zadej_rok::Create(QWidget* parent)
{
    if (parent && parent != parentWidget()) setParent(parent, windowFlags());
    Zadej_rok_Create();
    exec();
    return vybrano;
}

void Zadej_rok::Zadej_rok_Create()
{
    vybrano = false;
    ui->textb_1->setText(QStringLiteral("1998"));
    ui->textb_1->selectAll();
    ui->textb_1->setFocus();
}

void Zadej_rok::cb_1_Click()
{
    // An empty box chooses no year (the calendar would read it as the holidays of every year).
    if (ui->textb_1->text().isEmpty()) {
        reject();
        return;
    }
    vybrano = true;
    rok = ui->textb_1->text();
    accept();
}

void Zadej_rok::cb_2_Click()
{
    reject();
}

Zadej_rok::~Zadej_rok() = default;

} // namespace kavro
