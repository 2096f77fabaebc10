#pragma once
// A retrieved report laid out on printed pages as it reads on screen: every
// column as wide as its widest text, so a date-time, a number or an amount
// never wraps; portrait when the columns fit its width, else landscape (with
// a smaller type when even that is too narrow; only text columns then wrap,
// between words). Every page repeats the report's caption, its header lines
// (organisation, period), the page number and the column headings. A line is
// never split across pages, and a group sum or the grand total never starts a
// page: it takes the last line of its group along.
//
//   ReportPrint p(&report);
//   p.setPeriod("Období 2024-03-01 – 2024-03-31");   // when the header has none
//   switch (p.print(&printer, [&](int done, int total) { return !cancelled; })) ...
//
// Rows not read yet are read first; the progress function is called while
// reading (total 0: not known yet) and once per printed page, and stops the
// print when it returns false: the printer is then aborted and a PDF file
// begun is removed, so nothing half-printed is left.
#include "platform/report_runtime.h"

#include <QFont>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class QPagedPaintDevice;
class QPaintDevice;
class QPrinter;

namespace kavro {

class ReportPrint {
public:
    enum Result { Printed, Failed, Cancelled };
    // done/total of the current step; false stops printing.
    using Progress = std::function<bool(int done, int total)>;

    explicit ReportPrint(Report* report);

    // The caption printed on every page when the report object has no title.
    void setCaption(const QString& caption) { m_caption = caption; }
    // A line naming the period, printed under the header lines (empty: none).
    void setPeriod(const QString& period) { m_period = period; }

    // Prints the whole report on `printer` (a printer or a PDF file); sets its
    // orientation and margins. errorText() says why it failed.
    Result print(QPrinter* printer, const Progress& progress = {});
    QString errorText() const { return m_error; }

    // How the last print was laid out (tests and the benchmark).
    bool landscape() const { return m_landscape; }
    int pageCount() const { return int(m_pageStarts.size()); }
    // The caption and the lines printed at the top of every page.
    QString caption() const;
    QStringList headerLines() const;

private:
    struct Column {
        qreal natural = 0; // widest text, padding included
        qreal width = 0; // width given on the page
        bool right = false;
        bool wraps = false;
    };
    bool readAll(const Progress& progress);
    QString cellText(const Report::Line& line, int column) const;
    void measure(QPagedPaintDevice* device);
    bool fitColumns(qreal pageWidth, qreal scale);
    void paginate(qreal bodyHeight);

    Report* m_report;
    QString m_caption;
    QString m_period;
    QString m_error;
    QFont m_font;
    QFont m_bold;
    QList<Column> m_columns;
    qreal m_padding = 0;
    qreal m_rowHeight = 0;
    bool m_landscape = false;
    QList<qreal> m_heights; // per line, in device units
    QList<int> m_pageStarts; // first line of each page
};

} // namespace kavro
