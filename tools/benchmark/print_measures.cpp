// Printing the call browser's list of 100,000 calls (both directions, from the
// first day of the data set to the moment of its 100,000th call; the whole set
// when it is smaller) into a PDF file: from the retrieval to the closed file,
// the rows read, laid out on pages and written.
#include "benchmark.h"

#include "billing/call_filter.h"
#include "platform/database.h"
#include "platform/forms/report_print.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QPrinter>
#include <cstdio>

namespace kavro::benchmark {

namespace {

QList<Figure> measurePrint(Context& c)
{
    QList<Figure> out;
    QString error;
    if (!tariffedBrowserCalls(c, QStringLiteral("print.db"), &error)) {
        std::fprintf(stderr, "print: %s\n", qPrintable(error));
        return out;
    }
    SiteCodes site;
    if (!SiteCodes::read(Transaction::main(), &site, &error)) {
        std::fprintf(stderr, "print: %s\n", qPrintable(error));
        return out;
    }
    Report report;
    QString base;
    if (!CallFilter::chooseObject(report, &base)) {
        std::fprintf(stderr, "print: %s\n", qPrintable(report.errorText()));
        return out;
    }
    FDX_filtr_hovory f;
    f.datum_od = QStringLiteral("2024-01-01 00:00:00");
    f.datum_do = QStringLiteral("2024-12-31 23:59:59");
    {
        Query q(Transaction::main(), QStringLiteral("SELECT ustredna_datum_a_cas FROM dba.hovory "
                                                    "ORDER BY ustredna_datum_a_cas LIMIT 1 OFFSET 99999"));
        if (q.run() && !q.atEnd()) f.datum_do = q.value(1);
    }
    f.id_firmy = f.id_oddeleni = f.id_osoby = f.cislo_pobocky = QStringLiteral("0");
    f.kod_statu = f.kod_mesta = f.cislo_ucastnika = QStringLiteral("0");
    f.typ = 3;

    const QString file = c.workDir + QStringLiteral("/hovory.pdf");
    QElapsedTimer timer;
    timer.start();
    if (!CallFilter(site).retrieve(report, base, f, QStringLiteral("Organizace"))) {
        std::fprintf(stderr, "print: %s\n", qPrintable(report.errorText()));
        return out;
    }
    // Reading the rows is part of printing; timed apart to show where the time goes.
    report.fetchAll();
    const double read = timer.nsecsElapsed() / 1e9;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    ReportPrint print(&report);
    print.setPeriod(QStringLiteral("Období %1 – %2").arg(f.datum_od, f.datum_do));
    if (print.print(&printer) != ReportPrint::Printed) {
        std::fprintf(stderr, "print: %s\n", qPrintable(print.errorText()));
        return out;
    }
    const double s = timer.nsecsElapsed() / 1e9;
    const qint64 rows = report.hasTotal() ? report.total().count : report.lines().size();
    std::printf("    %lld calls on %d %s pages, %.1f MB of PDF; rows read in %.1f s, laid out and written in %.1f s\n",
                rows, print.pageCount(), print.landscape() ? "landscape" : "portrait", QFileInfo(file).size() / 1e6,
                read, s - read);
    out << Figure{QStringLiteral("list of %1 calls printed into a PDF file").arg(rows), s * 1000, QStringLiteral("ms"),
                  10000, true};
    Transaction::main().disconnect();
    return out;
}

const MeasureRegistrar reg(QStringLiteral("print"), measurePrint);

} // namespace

} // namespace kavro::benchmark
