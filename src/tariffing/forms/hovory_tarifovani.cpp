#include "hovory_tarifovani.h"

#include "platform/forms/message_box.h"
#include "ui_hovory_tarifovani.h"

#include <QApplication>
#include <QCloseEvent>
#include <QThread>

namespace kavro {

Hovory_tarifovani::Hovory_tarifovani(QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::Hovory_tarifovani>())
{
    m_ui->setupUi(this);
    setWindowFlag(Qt::WindowCloseButtonHint, false);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    // The worker's texts arrive queued, on this window's thread.
    connect(&m_tarifovani, &Tarifovani::status, this, [this](const QString& text) { m_ui->l_status->setText(text); });
}

Hovory_tarifovani::~Hovory_tarifovani()
{
    if (m_worker) {
        m_worker->wait();
        delete m_worker;
    }
}

Tarifovani::Vysledek Hovory_tarifovani::Create(QWidget* parent)
{
    if (parent && parent != parentWidget()) setParent(parent, windowFlags() | Qt::Dialog);
    setWindowModality(Qt::ApplicationModal);
    m_ui->l_status->setText(QStringLiteral("text"));
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Hovory_tarifovani_Create();
    exec();
    if (m_worker) {
        m_worker->wait();
        delete m_worker;
        m_worker = nullptr;
    }
    QApplication::restoreOverrideCursor();
    if (m_vysledek != Tarifovani::Vysledek::Hotovo)
        messageBox(parent, m_vysledek == Tarifovani::Vysledek::ChybiMisto ? IconWarning : IconStop, ButtonsOk,
                   Tarifovani::caption(), m_tarifovani.message());
    return m_vysledek;
}

QLabel* Hovory_tarifovani::l_status() const { return m_ui->l_status; }

void Hovory_tarifovani::ukazBeh(QWidget* parent)
{
    if (parent && parent != parentWidget()) setParent(parent, windowFlags() | Qt::Dialog);
    setWindowModality(Qt::WindowModal);
    m_ui->l_status->setText(QString());
    m_bezi = true;
    show();
    raise();
}

void Hovory_tarifovani::nastavStav(const QString& text) { m_ui->l_status->setText(text); }

void Hovory_tarifovani::skonciBeh()
{
    m_bezi = false;
    hide();
}

void Hovory_tarifovani::Hovory_tarifovani_Create()
{
    m_bezi = true;
    m_worker = QThread::create([this] { m_vysledek = m_tarifovani.tarifikuj(); });
    connect(m_worker, &QThread::finished, this, [this] {
        m_bezi = false;
        accept();
    });
    m_worker->start();
}

// The window closes when the run is over, not before.
void Hovory_tarifovani::reject()
{
    if (!m_bezi) QDialog::reject();
}

void Hovory_tarifovani::closeEvent(QCloseEvent* e)
{
    if (m_bezi) e->ignore();
    else QDialog::closeEvent(e);
}

} // namespace kavro
