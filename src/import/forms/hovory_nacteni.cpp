#include "hovory_nacteni.h"

#include "ui_hovory_nacteni.h"

#include "common/forms/p_nastaveni_od_do.h"
#include "platform/clock.h"
#include "platform/database.h"
#include "platform/forms/busy_wait_label.h"
#include "platform/forms/file_question.h"
#include "platform/forms/message_box.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QThread>
#include <QTimer>

namespace kavro {

bool Hovory_nacteni::Create(QWidget* parent, FDX_Typ_importu* record, TariffingRunFactory tarifovani)
{
    Hovory_nacteni w(parent, record, std::move(tarifovani));
    w.exec();
    return true;
}

Hovory_nacteni::Hovory_nacteni(QWidget* parent, FDX_Typ_importu* record, TariffingRunFactory tarifovani)
    : QDialog(parent), ui(std::make_unique<Ui::Hovory_nacteni>()), m_zaznam(record ? record : &m_vychozi),
      m_novyTarif(std::move(tarifovani))
{
    ui->setupUi(this);
    connect(ui->cb_ukoncit, &QPushButton::clicked, this, &Hovory_nacteni::cb_ukoncit_Click);
    Hovory_nacteni_Create();
}

Hovory_nacteni::~Hovory_nacteni()
{
    // The window is kept until the worker has finished; this covers a window
    // destroyed some other way.
    if (m_vlakno) {
        // The worker may be waiting for this thread (a damaged file's box):
        // its pending calls are answered without a window while it stops.
        m_konci = true;
        m_import->zrusIHned();
        while (!m_vlakno->wait(20)) QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
        delete m_vlakno;
    }
    Hovory_nacteni_Destroy();
}

void Hovory_nacteni::Hovory_nacteni_Create()
{
    m_zaznam->import_bezi = true;
    m_typ_importu = m_zaznam->typ_importu;
    setWindowTitle(m_typ_importu == 1 ? QStringLiteral("Aktualizace souborů") : QStringLiteral("Import souborů"));
    ui->progb_1->setValue(0);
    ui->progb_2->setValue(0);
    if (m_novyTarif) m_tarif = m_novyTarif();
    m_import = std::make_unique<Import_hovoru>(Transaction::main());
    m_import->setTariffingRun(m_tarif.get());
    connect(m_import.get(), &Import_hovoru::prubeh, this, &Hovory_nacteni::prubeh);
    connect(m_import.get(), &Import_hovoru::stav, ui->Status, &QLabel::setText);
    connect(m_import.get(), &Import_hovoru::stav_tarifikace, ui->l_status, &QLabel::setText);
    // A wait for another program's lock is shown where the run's progress is
    // shown; "Ukončit" ends it.
    connect(m_import.get(), &Import_hovoru::cekani, this, [this](bool ceka) {
        showBusyWait(ui->Status, ceka);
        if (m_okno_tarifovani && (m_okno_tarifovani->bezi() || !ceka))
            showBusyWait(m_okno_tarifovani->l_status(), ceka);
    });
    // The worker waits until the user has answered the damaged file's box: one box at a time.
    connect(m_import.get(), &Import_hovoru::chybna_data, this, &Hovory_nacteni::chybna_data,
            Qt::BlockingQueuedConnection);
    // Each tariffing run of the worker is shown in its own window over this one.
    m_okno_tarifovani = std::make_unique<Hovory_tarifovani>();
    connect(m_import.get(), &Import_hovoru::tarifikace_zacina, this, [this] {
        if (!m_konci) m_okno_tarifovani->ukazBeh(this);
    });
    connect(m_import.get(), &Import_hovoru::stav_tarifikace, m_okno_tarifovani.get(), &Hovory_tarifovani::nastavStav);
    connect(m_import.get(), &Import_hovoru::tarifikace_skoncila, m_okno_tarifovani.get(), &Hovory_tarifovani::skonciBeh);
    // The questions and the worker start once the window is shown.
    QTimer::singleShot(0, this, &Hovory_nacteni::spustVlakno);
}

void Hovory_nacteni::Hovory_nacteni_Destroy()
{
    m_zaznam->import_bezi = false;
}

void Hovory_nacteni::cb_ukoncit_Click()
{
    m_import->zrus();
}

void Hovory_nacteni::spustVlakno()
{
    if (m_bezi || m_hotovo) return;
    Import_hovoru::Parametry p;
    p.typ_importu = m_typ_importu;
    p.adresar = vstupniAdresar();
    if (m_typ_importu == 2) {
        QString od = posledni_zapis_do_hovoru(Transaction::main());
        od = od.left(4) + QLatin1Char('-') + od.mid(4, 2) + QLatin1Char('-') + od.mid(6, 2);
        QString do_ = clock::today().toString(QStringLiteral("yyyy-MM-dd"));
        FDX_Nastaveni_datum_od_do obdobi;
        obdobi.datum_od = od;
        obdobi.datum_do = do_;
        obdobi.titulek = QStringLiteral("Aktualizace ze souborů od ústředny");
        obdobi.popis_akce = QStringLiteral("načíst soubory");
        obdobi.OK = false;
        P_Nastaveni_od_do dialog(this);
        dialog.Create(this, &obdobi);
        p.obdobi_potvrzeno = obdobi.OK;
        od = obdobi.datum_od;
        do_ = obdobi.datum_do;
        p.od = denZTextu(od);
        p.do_ = denZTextu(do_);
    } else if (m_typ_importu == 3) {
        // The question opens in the collector's directory, every file shown.
        const QString start = QFileInfo(p.adresar).isDir() ? p.adresar : QDir::homePath();
        p.soubor = askFile(this, FileQuestion{FileQuestion::OpenFile, QString(), start, QString()});
    }
    if (m_typ_importu != 3 && !adresarJeCitelny(p.adresar))
        messageBox(this, IconWarning, ButtonsOk, windowTitle(), zpravaONecitelnemAdresari(p.adresar));
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_bezi = true;
    Import_hovoru* imp = m_import.get();
    m_vlakno = QThread::create([imp, p] { imp->Vkladej_soubory(p); });
    connect(m_vlakno, &QThread::finished, this, &Hovory_nacteni::vlaknoSkoncilo);
    m_vlakno->start();
}

void Hovory_nacteni::prubeh(qint64 soubor_hotovo, qint64 soubor_celkem, qint64 celkem_hotovo, qint64 celkem)
{
    ui->progb_1->setValue(soubor_celkem > 0 ? int(soubor_hotovo * 1000 / soubor_celkem) : 0);
    ui->progb_2->setValue(celkem > 0 ? int(celkem_hotovo * 1000 / celkem) : 0);
}

void Hovory_nacteni::chybna_data(const QString& soubor, qint64 cislo_zaznamu, qint64 pozice)
{
    if (m_konci) return;
    messageBox(this, IconWarning, ButtonsOk, QStringLiteral("V datech byly provedeny změny"),
               QStringLiteral("Data nelze načíst\nSoubor %1, záznam č. %2 (od bajtu %3)")
                   .arg(QDir::toNativeSeparators(soubor))
                   .arg(cislo_zaznamu)
                   .arg(pozice));
}

void Hovory_nacteni::vlaknoSkoncilo()
{
    m_vlakno->wait();
    delete m_vlakno;
    m_vlakno = nullptr;
    m_bezi = false;
    m_hotovo = true;
    m_souhrn = m_import->souhrn();
    QApplication::restoreOverrideCursor();
    m_okno_tarifovani->skonciBeh();
    zavri();
}

void Hovory_nacteni::zavri()
{
    const QString chyby = Import_hovoru::textChyb(m_souhrn);
    if (!chyby.isEmpty()) messageBox(this, IconWarning, ButtonsOk, QStringLiteral("Import hovorů"), chyby);
    QDialog::done(QDialog::Accepted);
}

void Hovory_nacteni::closeEvent(QCloseEvent* e)
{
    if (!m_hotovo) {
        // Closing while the import runs asks it to stop; the window stays until it has.
        cb_ukoncit_Click();
        e->ignore();
        return;
    }
    QDialog::closeEvent(e);
}

void Hovory_nacteni::reject()
{
    if (!m_hotovo) {
        cb_ukoncit_Click();
        return;
    }
    QDialog::reject();
}

} // namespace kavro
