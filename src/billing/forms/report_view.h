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

// The whole report as a printed document (see ReportPrint), with a progress
// window over `owner` that lets the user stop a long print.
class ReportPrintable : public Printable {
public:
    ReportPrintable(Report* report, QWidget* owner) : m_report(report), m_owner(owner) {}
    bool print(QPrinter* printer) override;
    bool cancelled() const override { return m_cancelled; }
    QString documentName() const override;
    // The line naming the period printed on every page ("" when none).
    void setPeriod(const QString& period) { m_period = period; }
    // How long a print runs before its progress window ("TiskSestavy") appears.
    static void setProgressDelay(int ms);
    // Why the last print failed.
    QString errorText() const { return m_error; }

private:
    Report* m_report;
    QWidget* m_owner;
    QString m_period;
    QString m_error;
    bool m_cancelled = false;
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
    // The period the window narrowed the report to, shown under its header and
    // printed on every page: "Období <from> – <to>"; empty texts remove it.
    void setPeriod(const QString& from, const QString& to);
    ReportPrintable& printable() { return m_printable; }
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
    QString m_period;
};

} // namespace kavro
