#include "o_aplikaci.h"
#include "ui_o_aplikaci.h"

#include <QFont>

namespace kavro {

O_Aplikaci::O_Aplikaci(QWidget* parent) : QDialog(parent), ui(new Ui::O_Aplikaci)
{
    ui->setupUi(this);
    const QString pismo = QStringLiteral("Courier New");
    QFont popisek(pismo, 10);
    popisek.setItalic(true);
    QFont hodnota = popisek;
    hodnota.setBold(true);
    QFont rok = hodnota;
    rok.setPointSize(11);
    for (QLabel* l : {ui->label_11, ui->label_4, ui->label_6, ui->label_12}) l->setFont(popisek);
    for (QLabel* l : {ui->label_7, ui->label_8, ui->label_9, ui->label_13, ui->label_1, ui->label_2, ui->label_3, ui->label_5,
                      ui->label_15, ui->label_14})
        l->setFont(hodnota);
    ui->label_10->setFont(rok);
    // Contact lines without a value are not shown.
    const std::pair<QLabel*, QLabel*> radky[] = {{nullptr, ui->label_1}, {nullptr, ui->label_2}, {nullptr, ui->label_3},
                                                  {ui->label_4, ui->label_5}, {ui->label_6, ui->label_15},
                                                  {ui->label_12, ui->label_14}};
    for (const auto& [popisek, hodnota] : radky)
        if (hodnota->text().isEmpty()) {
            hodnota->hide();
            if (popisek) popisek->hide();
        }
    connect(ui->cb_1, &QPushButton::clicked, this, &O_Aplikaci::cb_1_Click);
}

bool O_Aplikaci::Create(QWidget* parent)
{
    if (parent && parent != parentWidget()) setParent(parent, windowFlags());
    O_Aplikaci_Create();
    exec();
    return true;
}

void O_Aplikaci::cb_1_Click()
{
    accept();
}

O_Aplikaci::~O_Aplikaci() = default;

} // namespace kavro
