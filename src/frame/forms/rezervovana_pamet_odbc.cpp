#include "rezervovana_pamet_odbc.h"
#include "ui_rezervovana_pamet_odbc.h"

#include "frame/pamet_odbc.h"
#include "platform/registry.h"
#include "common/registry_names.h"

#include <QRegularExpressionValidator>

namespace kavro {

rezervovana_pamet_odbc::rezervovana_pamet_odbc(QWidget* parent) : QDialog(parent), ui(new Ui::rezervovana_pamet_odbc)
{
    ui->setupUi(this);
    ui->textb_1->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d*")), ui->textb_1));
    connect(ui->cb_1, &QPushButton::clicked, this, &rezervovana_pamet_odbc::cb_1_Click);
    connect(ui->cb_2, &QPushButton::clicked, this, &rezervovana_pamet_odbc::cb_2_Click);
    connect(ui->textb_1, &QLineEdit::textChanged, this, &rezervovana_pamet_odbc::textb_1_Change);
}

bool rezervovana_pamet_odbc::Create(QWidget* parent)
{
    if (parent && parent != parentWidget()) setParent(parent, windowFlags());
    rezervovana_pamet_odbc_Create();
    return exec() == QDialog::Accepted;
}

void rezervovana_pamet_odbc::rezervovana_pamet_odbc_Create()
{
    ui->textb_1->clear();
    Registry& reg = Registry::instance();
    // No data source: nothing to show, and "Ulož" stays disabled.
    if (reg.hasKey(klicZdrojeKavro()))
        ui->textb_1->setText(velikostPametiZeStartu(reg.read(klicZdrojeKavro(), registr::Start)));
    textb_1_Change();
}

void rezervovana_pamet_odbc::textb_1_Change()
{
    // A size must be given: an empty one would leave the engine without its cache option.
    ui->cb_1->setEnabled(!ui->textb_1->text().isEmpty());
}

void rezervovana_pamet_odbc::cb_1_Click()
{
    Registry& reg = Registry::instance();
    if (ui->textb_1->text().isEmpty()) return;
    if (!reg.hasKey(klicZdrojeKavro())) {
        reject();
        return;
    }
    const QString start = reg.read(klicZdrojeKavro(), registr::Start);
    reg.write(klicZdrojeKavro(), registr::Start, startSVelikostiPameti(start, ui->textb_1->text()));
    accept();
}

void rezervovana_pamet_odbc::cb_2_Click()
{
    reject();
}

rezervovana_pamet_odbc::~rezervovana_pamet_odbc() = default;

} // namespace kavro
