#pragma once
// The printer dialog "Výběr tiskárny": prints a document on a printer chosen
// from every installed printer, or into a PDF file.
//
// It opens with the program's own default printer preselected (registry value
// "Tiskarna" of the base key), else the system's default printer. "&Vytiskni"
// prints on the chosen printer (the system's default printer is never
// changed); with "&Nastav jako výchozí" ticked the chosen printer becomes the
// program's default. "&Opusť" (Esc) prints nothing and changes nothing.
#include "platform/printable.h"

#include <QDialog>
#include <QList>
#include <QString>

#include <functional>
#include <memory>

namespace Ui { class PrintForm; }

namespace kavro {

class Printer {
public:
    virtual ~Printer() = default;
    void SetName(const QString& s) { name = s; }
    void SetDriverName(const QString& s) { driverName = s; }
    void SetPortName(const QString& s) { portName = s; }
    QString GetName() const { return name; }
    QString GetDriverName() const { return driverName; }
    QString GetPortName() const { return portName; }

private:
    QString name;       // the name the system knows the printer by
    QString driverName; // make and model
    QString portName;   // location
};

class PrintForm : public QDialog {
    Q_OBJECT
public:
    static const QString RegistryKey;  // "Software\Dorvek\Kavro\"
    static const QString ValueTiskarna; // "Tiskarna": the program's default printer
    static const QString PdfEntry;     // the list entry that prints into a PDF file

    // Where the installed printers come from (QPrinterInfo unless a test sets its own).
    struct PrinterSource {
        std::function<QList<Printer>()> printers;
        std::function<QString()> systemDefault;
    };
    static void setPrinterSource(const PrinterSource& source);
    // The PDF file's name is asked through askFile (a save question); an
    // empty name cancels printing.

    // The installed printers now, in the system's order.
    static QList<Printer> installedPrinters();
    // The printer the program prints on without asking: its own default when
    // it is installed (or is the PDF entry), else the system's default; "" when none.
    static QString programDefaultPrinter();

    explicit PrintForm(QWidget* parent = nullptr);
    ~PrintForm() override;

    // The document "&Vytiskni" prints; set by the opener before every opening; not owned.
    Printable* dw_print = nullptr;

    // Runs the dialog modally.
    bool Create(QWidget* parent);

    void PrintForm_Create();
    void Populate_PrinterBox();
    void combo_printer_names_Select(int index);
    void cb_print_Click();
    void cb_cancel_Click();

    Printer defaultPrinter;          // preselected at opening
    Printer selectedPrinter;         // last chosen in the list, kept between openings
    QList<Printer> attachedPrinters; // installed at opening

private:
    std::unique_ptr<Ui::PrintForm> ui;
};

} // namespace kavro
