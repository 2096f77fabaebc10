#include "hovory_znovu_otarifuj.h"

#include "common/forms/p_nastaveni_od_do.h"
#include "platform/forms/busy_wait_label.h"
#include "platform/forms/message_box.h"
#include "ui_hovory_znovu_otarifuj.h"

#include <QApplication>
#include <QCloseEvent>
#include <QThread>

namespace kavro {

Hovory_Znovu_otarifuj::Hovory_Znovu_otarifuj(QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::Hovory_Znovu_otarifuj>())
{
    m_ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    // The boxes normalise themselves when they lose the focus; the small
    // buttons and the right mouse button open the calendar.
    m_ui->Datum_od->setCalendarButton(m_ui->cb_1);
    m_ui->Datum_do->setCalendarButton(m_ui->cb_2);
    connect(m_ui->cb_Tarifovat, &QPushButton::clicked, this, &Hovory_Znovu_otarifuj::cb_Tarifovat_Click);
    connect(m_ui->cb_Cancel, &QPushButton::clicked, this, &Hovory_Znovu_otarifuj::cb_Cancel_Click);
    // The worker's reports arrive queued, on this window's thread.
    connect(&m_logika, &Znovu_otarifuj::den, this, [this](const QString& den) {
        m_ui->label_1->setText(QString::fromUtf8("Provádím tarifování hovorů ") + den);
    });
    connect(&m_logika, &Znovu_otarifuj::cekani, this, [this](bool ceka) { showBusyWait(m_ui->label_1, ceka); });
    connect(&m_logika, &Znovu_otarifuj::postup, this, [this](int hotovo, int celkem) {
        m_ui->progb_1->setRange(0, celkem);
        m_ui->progb_1->setValue(hotovo);
        m_ui->progb_1->show();
    });
}

Hovory_Znovu_otarifuj::~Hovory_Znovu_otarifuj()
{
    if (m_worker) {
        m_worker->wait();
        delete m_worker;
    }
}

bool Hovory_Znovu_otarifuj::Create(QWidget* parent)
{
    if (parent && parent != parentWidget()) setParent(parent, windowFlags() | Qt::Dialog);
    Hovory_Znovu_otarifuj_Create();
    m_ui->Datum_od->setFocus();
    exec();
    if (m_worker) {
        m_worker->wait();
        delete m_worker;
        m_worker = nullptr;
    }
    return m_spusteno;
}

void Hovory_Znovu_otarifuj::Hovory_Znovu_otarifuj_Create()
{
    // With no stored call both boxes stay empty, and a run finds no day.
    const Znovu_otarifuj::Obdobi o = m_logika.navrzene_obdobi();
    m_ui->Datum_od->setText(o.od);
    m_ui->Datum_do->setText(o.do_);
}

void Hovory_Znovu_otarifuj::cb_Tarifovat_Click()
{
    if (m_bezi) return;
    // Enter may press the button while a box still holds what was typed.
    const QString od = Znovu_otarifuj::normalizuj(m_ui->Datum_od->text());
    const QString do_ = Znovu_otarifuj::normalizuj(m_ui->Datum_do->text());
    m_ui->Datum_od->setText(od);
    m_ui->Datum_do->setText(do_);
    if (!od.isEmpty() && !do_.isEmpty() && do_ < od) {
        messageBox(this, IconWarning, ButtonsOk, windowTitle(), P_Nastaveni_od_do::ZpravaObraceneObdobi);
        m_ui->Datum_do->setFocus();
        return;
    }

    for (QWidget* w : {static_cast<QWidget*>(m_ui->Datum_od), static_cast<QWidget*>(m_ui->Datum_do),
                       static_cast<QWidget*>(m_ui->cb_1), static_cast<QWidget*>(m_ui->cb_2),
                       static_cast<QWidget*>(m_ui->label_2)})
        w->hide();
    QFont f = m_ui->label_1->font();
    f.setPointSize(10);
    m_ui->label_1->setFont(f);
    m_ui->label_1->setText(QString());
    m_ui->label_1->setMinimumWidth(m_ui->label_1->fontMetrics().horizontalAdvance(
        QString::fromUtf8("Provádím tarifování hovorů 0000-00-00  ")));
    // Nothing to press while the days are tariffed: the run cannot be stopped.
    m_ui->cb_Tarifovat->setEnabled(false);
    m_ui->cb_Cancel->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);

    m_spusteno = true;
    m_bezi = true;
    m_worker = QThread::create([this, od, do_] { m_vysledek = m_logika.otarifuj(od, do_); });
    connect(m_worker, &QThread::finished, this, &Hovory_Znovu_otarifuj::dokonceno);
    m_worker->start();
}

void Hovory_Znovu_otarifuj::dokonceno()
{
    m_bezi = false;
    QApplication::restoreOverrideCursor();
    if (m_vysledek != Znovu_otarifuj::Vysledek::Hotovo)
        messageBox(this, m_vysledek == Znovu_otarifuj::Vysledek::ChybiMisto ? IconWarning : IconStop, ButtonsOk,
                   windowTitle(), m_logika.message());
    accept();
}

void Hovory_Znovu_otarifuj::cb_Cancel_Click()
{
    if (!m_bezi) QDialog::reject();
}

// While the days are being tariffed, Esc and the close box do nothing.
void Hovory_Znovu_otarifuj::reject()
{
    if (!m_bezi) QDialog::reject();
}

void Hovory_Znovu_otarifuj::closeEvent(QCloseEvent* e)
{
    if (m_bezi) e->ignore();
    else QDialog::closeEvent(e);
}

} // namespace kavro
