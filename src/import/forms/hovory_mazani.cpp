#include "hovory_mazani.h"

#include "ui_hovory_mazani.h"

#include "import/call_deletion.h"
#include "platform/database.h"
#include "platform/forms/message_box.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QDialogButtonBox>
#include <QFocusEvent>
#include <QMouseEvent>
#include <QVBoxLayout>

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
    connect(ui->cb_1, &QPushButton::clicked, this, &Hovory_mazani::cb_1_Click);
    connect(ui->cb_2, &QPushButton::clicked, this, &Hovory_mazani::cb_2_Click);
    ui->Datum_od->installEventFilter(this);
    ui->Datum_do->installEventFilter(this);
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

bool Hovory_mazani::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() == QEvent::FocusOut) {
        if (o == ui->Datum_od) Datum_od_LostFocus();
        else if (o == ui->Datum_do) Datum_do_LostFocus();
    } else if (e->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent*>(e)->button() == Qt::RightButton) {
        if (o == ui->Datum_od) { ukazKalendar(ui->Datum_od); return true; }
        if (o == ui->Datum_do) { ukazKalendar(ui->Datum_do); return true; }
    }
    return QDialog::eventFilter(o, e);
}

void Hovory_mazani::Datum_od_LostFocus() { ui->Datum_od->setText(normalizuj_datum(ui->Datum_od->text())); }
void Hovory_mazani::Datum_do_LostFocus() { ui->Datum_do->setText(normalizuj_datum(ui->Datum_do->text())); }
void Hovory_mazani::cb_1_Click() { ukazKalendar(ui->Datum_od); }
void Hovory_mazani::cb_2_Click() { ukazKalendar(ui->Datum_do); }

void Hovory_mazani::ukazKalendar(QLineEdit* box)
{
    // TODO: the program's calendar picker (knihovna::Ukaz_kalendar) when it is available here.
    QDialog d(this);
    d.setWindowTitle(QStringLiteral("Kalendář"));
    auto* cal = new QCalendarWidget(&d);
    cal->setSelectedDate(QDate::fromString(normalizuj_datum(box->text()), QStringLiteral("yyyy-MM-dd")));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &d);
    auto* l = new QVBoxLayout(&d);
    l->addWidget(cal);
    l->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, &d, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &d, &QDialog::reject);
    connect(cal, &QCalendarWidget::activated, &d, &QDialog::accept);
    if (d.exec() == QDialog::Accepted) box->setText(cal->selectedDate().toString(QStringLiteral("yyyy-MM-dd")));
}

void Hovory_mazani::cb_OK_Click()
{
    ui->Datum_od->setText(normalizuj_datum(ui->Datum_od->text()));
    ui->Datum_do->setText(normalizuj_datum(ui->Datum_do->text()));
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
