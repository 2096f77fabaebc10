#include "billing/forms/s_otarifovane_hovory.h"

#include "ui_s_otarifovane_hovory.h"

#include "billing/forms/p_vyber_pro_tiskove_sestavy.h"
#include "billing/forms/report_view.h"
#include "billing/sestavy.h"
#include "common/forms/printform.h"
#include "frame/spusteni.h"
#include "platform/database.h"
#include "platform/forms/message_box.h"

#include <QApplication>
#include <QItemSelectionModel>
#include <QPrinter>

namespace kavro {

S_Otarifovane_hovory::S_Otarifovane_hovory(QWidget* parent)
    : Dialog(parent)
    , ui(std::make_unique<Ui::S_Otarifovane_hovory>())
{
    ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint
                   | Qt::WindowCloseButtonHint);
    m_filtr = new P_Vyber_pro_tiskove_sestavy(this);
    m_view = new ReportView(ui->dw_1, ui->label_hlavicka, ui->label_celkem, this);
    ui->label_hlavicka->hide();
    ui->label_celkem->hide();
    connect(ui->dw_1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { dw_1_RowFocusChanged(current.row()); });
    connect(ui->cb_1, &QPushButton::clicked, this, &S_Otarifovane_hovory::cb_1_Click);
    connect(ui->cb_2, &QPushButton::clicked, this, &S_Otarifovane_hovory::cb_2_Click);
    connect(ui->cb_3, &QPushButton::clicked, this, &S_Otarifovane_hovory::cb_3_Click);
}

S_Otarifovane_hovory::~S_Otarifovane_hovory() = default;

bool S_Otarifovane_hovory::Create(QWidget* parent, FDX_filtr_hovory* vyber)
{
    m_vyber = vyber ? vyber : &m_vlastni;
    if (parent != parentWidget()) setParent(parent, windowFlags());
    m_zavrit = false;
    S_Otarifovane_hovory_Create();
    if (m_zavrit) return true;
    runModal(parent);
    return true;
}

void S_Otarifovane_hovory::chyba(const QString& text)
{
    messageBox(this, IconWarning, ButtonsOk, windowTitle(), sestavy::zpravaNelzeNacist() + QLatin1Char('\n') + text);
}

void S_Otarifovane_hovory::S_Otarifovane_hovory_Create()
{
    m_prvni = true;
    if (!CallFilter::chooseObject(m_view->report(), &m_zaklad)) {
        chyba(m_view->report().errorText());
        m_zavrit = true;
        return;
    }
    Nastav_konfiguraci();
    cb_1_Click();
}

void S_Otarifovane_hovory::Nastav_konfiguraci()
{
    QString text;
    if (!SiteCodes::read(Transaction::main(), &m_misto, &text))
        showDbError(QStringLiteral("Údaje místa volání nelze načíst."), text);
}

void S_Otarifovane_hovory::cb_1_Click()
{
    m_vyber->OK = false;
    m_filtr->Create(this, m_vyber);
    if (!m_vyber->OK) {
        // Leaving the first selection closes the browser; a later one keeps the list.
        if (m_prvni) {
            m_zavrit = true;
            if (isVisible()) finish(false);
        }
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ok = CallFilter(m_misto).retrieve(m_view->report(), m_zaklad, *m_vyber, Jmeno_uzivatele);
    m_view->setPeriod(m_vyber->datum_od, m_vyber->datum_do);
    m_view->refresh();
    QApplication::restoreOverrideCursor();
    if (!ok) chyba(m_view->report().errorText());
    m_prvni = false;
}

void S_Otarifovane_hovory::cb_2_Click() { finish(false); }

void S_Otarifovane_hovory::cb_3_Click()
{
    // Printed straight on the program's default printer; without one (or
    // when it is the PDF file, which needs a name) the printer choice asks.
    const QString tiskarna = PrintForm::programDefaultPrinter();
    if (tiskarna.isEmpty() || tiskarna == PrintForm::PdfEntry) {
        m_view->print();
        return;
    }
    ReportPrintable& dokument = m_view->printable();
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(dokument.documentName());
    printer.setPrinterName(tiskarna);
    const bool ok = dokument.print(&printer);
    m_view->refresh();
    if (!ok && dokument.cancelled())
        messageBox(this, IconInfo, ButtonsOk, windowTitle(), QStringLiteral("Tisk byl přerušen."));
    else if (!ok)
        messageBox(this, IconWarning, ButtonsOk, windowTitle(),
                   QStringLiteral("Seznam hovorů se nepodařilo vytisknout na tiskárně „%1“.").arg(tiskarna));
}

void S_Otarifovane_hovory::dw_1_RowFocusChanged(int row)
{
    if (row >= 0) ui->dw_1->selectRow(row);
}

} // namespace kavro
