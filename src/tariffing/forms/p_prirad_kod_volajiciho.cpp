#include "p_prirad_kod_volajiciho.h"

#include "platform/forms/busy_wait_label.h"
#include "platform/forms/message_box.h"
#include "ui_p_prirad_kod_volajiciho.h"

#include <QApplication>
#include <QCloseEvent>
#include <QThread>

namespace kavro {

P_prirad_kod_volajiciho::P_prirad_kod_volajiciho(QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::P_prirad_kod_volajiciho>())
{
    m_ui->setupUi(this);
    // No close box: the window closes when the work is done.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    // The worker's texts arrive queued, on this window's thread.
    connect(&m_logika, &Reidentifikace::status, this, [this](const QString& text) { m_ui->l_status->setText(text); });
    connect(&m_logika, &Reidentifikace::cekani, this, [this](bool ceka) { showBusyWait(m_ui->l_status, ceka); });
}

P_prirad_kod_volajiciho::~P_prirad_kod_volajiciho()
{
    if (m_worker) {
        m_worker->wait();
        delete m_worker;
    }
}

QLabel* P_prirad_kod_volajiciho::l_status() const { return m_ui->l_status; }

bool P_prirad_kod_volajiciho::Create(QWidget* parent)
{
    if (parent && parent != parentWidget()) setParent(parent, windowFlags());
    m_ok = false;
    if (P_prirad_kod_volajiciho_Create()) exec();
    if (m_worker) {
        m_worker->wait();
        delete m_worker;
        m_worker = nullptr;
    }
    return m_ok;
}

void P_prirad_kod_volajiciho::nastav_parametry()
{
    m_ui->l_status->setText(QString::fromUtf8("Nastavuji parametry"));
    m_ctenoOk = m_logika.nastav_parametry();
}

bool P_prirad_kod_volajiciho::P_prirad_kod_volajiciho_Create()
{
    nastav_parametry();
    if (!m_ctenoOk) {
        messageBox(parentWidget(), IconStop, ButtonsOk, windowTitle(),
                   QString::fromUtf8("Místo ústředny nelze přečíst:\n") + m_logika.lastError());
        return false;
    }
    if (!m_logika.mistoNastaveno()) {
        messageBox(parentWidget(), IconWarning, ButtonsOk, Reidentifikace::chybiMistoCaption(),
                   Reidentifikace::chybiMistoText());
        return false;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_bezi = true;
    m_worker = QThread::create([this] { m_ok = m_logika.Nalezeni_ucastniku(); });
    connect(m_worker, &QThread::finished, this, &P_prirad_kod_volajiciho::dokonceno);
    m_worker->start();
    return true;
}

void P_prirad_kod_volajiciho::dokonceno()
{
    m_bezi = false;
    QApplication::restoreOverrideCursor();
    if (!m_ok) messageBox(this, IconStop, ButtonsOk, windowTitle(), m_logika.message());
    accept();
}

// Esc does not end the run.
void P_prirad_kod_volajiciho::reject()
{
    if (!m_bezi) QDialog::reject();
}

void P_prirad_kod_volajiciho::closeEvent(QCloseEvent* e)
{
    if (m_bezi) e->ignore();
    else QDialog::closeEvent(e);
}

} // namespace kavro
