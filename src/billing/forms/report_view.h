#pragma once
// What the report windows share: a retrieved report shown in a table view
// that reads rows as it scrolls, its header and grand total above and below
// the table, and printing through the printer choice.
#include "platform/printable.h"
#include "platform/report_model.h"
#include "platform/report_runtime.h"

#include <QObject>

class QLabel;
class QTableView;
class QWidget;

namespace kavro {

class PrintForm;

// The whole report as a printed document (HTML laid out by QTextDocument).
class ReportPrintable : public Printable {
public:
    explicit ReportPrintable(Report* report) : m_report(report) {}
    bool print(QPrinter* printer) override;
    QString documentName() const override;

private:
    Report* m_report;
};

class ReportView : public QObject {
    Q_OBJECT
public:
    ReportView(QTableView* table, QLabel* header, QLabel* total, QWidget* owner);
    ~ReportView() override;

    Report& report() { return m_report; }
    ReportModel& model() { return m_model; }
    // Shows what the report holds now (after setObject or retrieve).
    void refresh();
    // Opens the printer choice for the whole report.
    void print();
    // The highlighted line, 1-based (0 when none), and highlighting one (0: none).
    int currentRow() const;
    void selectRow(int row);
    // The grand total as one line of text ("" for reports without sums).
    QString totalText() const;

private:
    Report m_report;
    ReportModel m_model;
    ReportPrintable m_printable;
    QTableView* m_table;
    QLabel* m_header;
    QLabel* m_total;
    QWidget* m_owner;
};

} // namespace kavro
