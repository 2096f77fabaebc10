#include "hovory_mazani.h"

#include "ui_hovory_mazani.h"

#include "import/call_deletion.h"
#include "platform/database.h"
#include "common/forms/p_nastaveni_od_do.h"
#include "platform/forms/message_box.h"

#include <QApplication>

namespace kavro {

bool Hovory_mazani::Create(QWidget* parent)
{
    Hovory_mazani w(parent);
    return w.exec() == QDialog::Accepted;
}

Hovory_mazani::Hovory_mazani(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::Hovory_mazani>())
{
    ui->setupUi(this);
    connect(ui->cb_OK, &QPushButton::clicked, this, &Hovory_mazani::cb_OK_Click);
    connect(ui->cb_Cancel, &QPushButton::clicked, this, &Hovory_mazani::cb_Cancel_Click);
    ui->Datum_od->setCalendarButton(ui->cb_1);
    ui->Datum_do->setCalendarButton(ui->cb_2);
    Hovory_mazani_Create();
}

Hovory_mazani::~Hovory_mazani() = default;

void Hovory_mazani::Hovory_mazani_Create()
{
    const UlozeneObdobi o = ulozene_obdobi(Transaction::main());
    auto den = [](const QString& d) { return d.mid(0, 4) + QLatin1Char('-') + d.mid(5, 2) + QLatin1Char('-') + d.mid(8, 2); };
    ui->Datum_od->setText(o.pocet > 0 ? den(o.od_dne) : QString());
    ui->Datum_do->setText(o.pocet > 0 ? den(o.do_dne) : QString());
    if (o.pocet == 0) ui->cb_OK->setEnabled(false);
}

void Hovory_mazani::cb_OK_Click()
{
    ui->Datum_od->normalise();
    ui->Datum_do->normalise();
    if (ui->Datum_do->text() < ui->Datum_od->text()) {
        messageBox(this, IconWarning, ButtonsOk, windowTitle(), P_Nastaveni_od_do::ZpravaObraceneObdobi);
        ui->Datum_do->setFocus();
        return;
    }
    ui->Datum_od->hide();
    ui->Datum_do->hide();
    ui->label_2->hide();
    ui->cb_1->hide();
    ui->cb_2->hide();
    QFont f = ui->label_1->font();
    f.setPointSize(11);
    ui->label_1->setFont(f);
    ui->label_1->resize(ui->groupb_1->width() - 24, ui->label_1->height());
    ui->label_1->setText(QStringLiteral("   Provádím výmaz hovorů"));
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QString chyba;
    const qint64 n = smaz_hovory(Transaction::main(), ui->Datum_od->text(), ui->Datum_do->text(), &chyba);
    QApplication::restoreOverrideCursor();
    if (n < 0)
        messageBox(this, IconStop, ButtonsOk, QStringLiteral("Výmaz hovorů z databáze"),
                   QStringLiteral("Hovory se nepodařilo smazat.\n") + chyba);
    accept();
}

void Hovory_mazani::cb_Cancel_Click()
{
    reject();
}

} // namespace kavro
