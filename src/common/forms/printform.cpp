#include "common/forms/printform.h"

#include "ui_printform.h"

#include "platform/forms/file_question.h"
#include "platform/forms/message_box.h"
#include "platform/registry.h"
#include "common/registry_names.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace kavro {

const QString PrintForm::RegistryKey = registr::Aplikace;
const QString PrintForm::ValueTiskarna = registr::Tiskarna;
const QString PrintForm::PdfEntry = QStringLiteral("Tisk do souboru PDF");

namespace {

PrintForm::PrinterSource g_source;

QString systemDefault()
{
    if (g_source.systemDefault) return g_source.systemDefault();
    return QPrinterInfo::defaultPrinterName();
}

const QString kCaption = QStringLiteral("Výběr tiskárny");

} // namespace

void PrintForm::setPrinterSource(const PrinterSource& source) { g_source = source; }


QList<Printer> PrintForm::installedPrinters()
{
    if (g_source.printers) return g_source.printers();
    QList<Printer> list;
    const QList<QPrinterInfo> infos = QPrinterInfo::availablePrinters();
    for (const QPrinterInfo& i : infos) {
        Printer p;
        p.SetName(i.printerName());
        p.SetDriverName(i.makeAndModel());
        p.SetPortName(i.location());
        list.append(p);
    }
    return list;
}

QString PrintForm::programDefaultPrinter()
{
    const QList<Printer> printers = installedPrinters();
    auto installed = [&printers](const QString& name) {
        if (name.isEmpty()) return false;
        for (const Printer& p : printers)
            if (p.GetName() == name) return true;
        return false;
    };
    const QString own = Registry::instance().read(RegistryKey, ValueTiskarna);
    if (own == PdfEntry || installed(own)) return own;
    const QString sys = systemDefault();
    return installed(sys) ? sys : QString();
}

PrintForm::PrintForm(QWidget* parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::PrintForm>())
{
    ui->setupUi(this);
    // No close box: the dialog is left through its two buttons (or Esc).
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    connect(ui->combo_printer_names, &QComboBox::activated, this, &PrintForm::combo_printer_names_Select);
    connect(ui->cb_print, &QPushButton::clicked, this, &PrintForm::cb_print_Click);
    connect(ui->cb_cancel, &QPushButton::clicked, this, &PrintForm::cb_cancel_Click);
}

PrintForm::~PrintForm() = default;

bool PrintForm::Create(QWidget* parent)
{
    if (parent != parentWidget()) setParent(parent, windowFlags());
    PrintForm_Create();
    exec();
    return true;
}

void PrintForm::PrintForm_Create()
{
    ui->checkbox_default->setChecked(false);
    Populate_PrinterBox();
}

void PrintForm::Populate_PrinterBox()
{
    attachedPrinters = installedPrinters();
    defaultPrinter = Printer();
    const QString vychozi = programDefaultPrinter();
    for (const Printer& p : attachedPrinters)
        if (p.GetName() == vychozi) defaultPrinter = p;
    if (vychozi == PdfEntry) defaultPrinter.SetName(PdfEntry);

    QComboBox* combo = ui->combo_printer_names;
    combo->clear();
    for (const Printer& p : attachedPrinters) combo->addItem(p.GetName(), false);
    combo->addItem(PdfEntry, true);

    int vybrana = -1;
    if (!defaultPrinter.GetName().isEmpty()) {
        for (int i = 0; i < combo->count() && vybrana < 0; ++i)
            if (combo->itemText(i) == defaultPrinter.GetName()
                && combo->itemData(i).toBool() == (defaultPrinter.GetName() == PdfEntry))
                vybrana = i;
    }
    // With no printer installed the PDF file is the only way to print.
    if (vybrana < 0 && attachedPrinters.isEmpty()) vybrana = 0;
    combo->setCurrentIndex(vybrana);
}

void PrintForm::combo_printer_names_Select(int index)
{
    QComboBox* combo = ui->combo_printer_names;
    if (index < 0) return;
    if (combo->itemData(index).toBool()) {
        selectedPrinter = Printer();
        selectedPrinter.SetName(PdfEntry);
        return;
    }
    for (const Printer& p : attachedPrinters)
        if (p.GetName() == combo->itemText(index)) selectedPrinter = p;
}

void PrintForm::cb_print_Click()
{
    QComboBox* combo = ui->combo_printer_names;
    const int index = combo->currentIndex();
    const bool pdf = index >= 0 && combo->itemData(index).toBool();
    QString jmeno = index >= 0 && !pdf ? combo->itemText(index) : QString();

    if (!dw_print) {
        messageBox(this, IconWarning, ButtonsOk, kCaption, QStringLiteral("Není co tisknout."));
        reject();
        return;
    }

    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(dw_print->documentName());
    if (pdf) {
        QString soubor = askFile(this, FileQuestion{FileQuestion::SaveFile, QStringLiteral("Tisk do souboru PDF"),
                                                    QString(), QStringLiteral("Dokument PDF (*.pdf)")});
        if (soubor.isEmpty()) return; // the user did not name a file: stay in the dialog
        if (!soubor.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) soubor += QLatin1String(".pdf");
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(soubor);
    } else {
        if (jmeno.isEmpty()) jmeno = systemDefault();
        if (jmeno.isEmpty()) {
            messageBox(this, IconWarning, ButtonsOk, kCaption,
                       QStringLiteral("Vyberte tiskárnu, na které se má sestava vytisknout."));
            return;
        }
        bool nainstalovana = false;
        for (const Printer& p : installedPrinters())
            if (p.GetName() == jmeno) nainstalovana = true;
        if (!nainstalovana) {
            messageBox(this, IconWarning, ButtonsOk, kCaption,
                       QStringLiteral("Tiskárna „%1“ již není v systému k dispozici.\n"
                                      "Vyberte jinou tiskárnu.").arg(jmeno));
            Populate_PrinterBox();
            return;
        }
        printer.setOutputFormat(QPrinter::NativeFormat);
        printer.setPrinterName(jmeno);
    }

    if (!dw_print->print(&printer)) {
        if (dw_print->cancelled()) {
            messageBox(this, IconInfo, ButtonsOk, kCaption, QStringLiteral("Tisk byl přerušen."));
            return;
        }
        messageBox(this, IconWarning, ButtonsOk, kCaption,
                   QStringLiteral("Sestavu se nepodařilo vytisknout."));
        return;
    }

    if (ui->checkbox_default->isChecked()) {
        const QString nova = pdf ? PdfEntry : jmeno;
        Registry& reg = Registry::instance();
        if (reg.read(RegistryKey, ValueTiskarna) != nova && !reg.write(RegistryKey, ValueTiskarna, nova))
            messageBox(this, IconWarning, ButtonsOk, kCaption,
                       QStringLiteral("Výchozí tiskárnu se nepodařilo uložit."));
    }
    accept();
}

void PrintForm::cb_cancel_Click() { reject(); }

} // namespace kavro
