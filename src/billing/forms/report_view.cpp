#include "billing/forms/report_view.h"

#include "billing/sestavy.h"
#include "common/forms/printform.h"
#include "platform/forms/message_box.h"
#include "platform/forms/report_print.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPrinter>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QApplication>
#include <QElapsedTimer>
#include <QProgressDialog>
#include <QScrollBar>

namespace kavro {

namespace {

// A print shorter than this shows no progress window.
int g_progressAfterMs = 400;

// Group sums and the grand total in bold.
class SumDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (index.data(ReportModel::KindRole).toInt() != Report::Line::Row) option->font.setBold(true);
    }
};

} // namespace

bool ReportPrintable::print(QPrinter* printer)
{
    m_cancelled = false;
    m_error.clear();
    ReportPrint dokument(m_report);
    dokument.setCaption(m_owner ? m_owner->windowTitle() : QString());
    dokument.setPeriod(m_period);

    // The progress window appears when printing takes longer than a moment.
    QProgressDialog okno(m_owner);
    okno.setObjectName(QStringLiteral("TiskSestavy"));
    okno.setWindowTitle(QStringLiteral("Tisk sestavy"));
    okno.setCancelButtonText(QStringLiteral("Přerušit"));
    okno.setLabelText(QStringLiteral("Načítají se řádky sestavy…"));
    okno.setWindowModality(Qt::ApplicationModal);
    okno.setAutoClose(false);
    okno.setAutoReset(false);
    okno.setMinimumDuration(0);
    okno.setRange(0, 0);
    okno.hide();
    QElapsedTimer cas;
    cas.start();
    auto prubeh = [&](int hotovo, int celkem) {
        if (celkem == 0) {
            okno.setLabelText(QStringLiteral("Načteno řádků sestavy: %1").arg(hotovo));
        } else {
            okno.setLabelText(QStringLiteral("Tiskne se strana %1 z %2").arg(qMin(hotovo + 1, celkem)).arg(celkem));
            okno.setRange(0, celkem);
            okno.setValue(hotovo);
        }
        if (!okno.isVisible() && cas.elapsed() >= g_progressAfterMs) okno.show();
        QCoreApplication::processEvents();
        return !okno.wasCanceled();
    };
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const ReportPrint::Result vysledek = dokument.print(printer, prubeh);
    QApplication::restoreOverrideCursor();
    okno.hide();
    m_cancelled = vysledek == ReportPrint::Cancelled;
    if (vysledek == ReportPrint::Failed) m_error = dokument.errorText();
    return vysledek == ReportPrint::Printed;
}

void ReportPrintable::setProgressDelay(int ms) { g_progressAfterMs = ms; }

QString ReportPrintable::documentName() const
{
    return m_report->object().title.isEmpty() ? m_report->objectName() : m_report->object().title;
}

ReportView::ReportView(QTableView* table, QLabel* header, QLabel* total, QWidget* owner)
    : QObject(owner)
    , m_model(&m_report)
    , m_printable(&m_report, owner)
    , m_table(table)
    , m_header(header)
    , m_total(total)
    , m_owner(owner)
{
    m_table->setModel(&m_model);
    m_table->setItemDelegate(new SumDelegate(m_table));
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    const int radek = m_table->fontMetrics().height() + 6;
    m_table->verticalHeader()->setDefaultSectionSize(radek);
    // Scrolled by pixels: the row numbers then follow the scroll bar exactly.
    // Scrolled by rows, the end of the bar shows the last row at the bottom
    // edge, and rows read on reaching the end left the numbers part of a row
    // off their rows.
    m_table->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_table->verticalScrollBar()->setSingleStep(radek);
    connect(&m_model, &ReportModel::fetchFailed, this, [this] {
        messageBox(m_owner, IconWarning, ButtonsOk, m_owner->windowTitle(),
                   sestavy::zpravaNelzeNacist() + QLatin1Char('\n') + m_report.errorText());
    });
}

ReportView::~ReportView() = default;

void ReportView::refresh()
{
    m_model.reload();
    // The first page is read now, so column widths fit what is shown.
    if (m_model.canFetchMore(QModelIndex())) m_model.fetchMore(QModelIndex());
    m_table->resizeColumnsToContents();
    QStringList h = m_report.header();
    if (!m_period.isEmpty() && !h.contains(m_period)) h << m_period;
    if (!m_report.object().title.isEmpty()) h.prepend(QStringLiteral("<b>%1</b>").arg(m_report.object().title.toHtmlEscaped()));
    m_header->setText(h.join(QStringLiteral("<br>")));
    m_header->setVisible(!h.isEmpty());
    m_total->setText(totalText());
    m_total->setVisible(!m_total->text().isEmpty());
    if (m_model.rowCount() > 0) m_table->selectRow(0);
}

int ReportView::currentRow() const
{
    const QModelIndexList rows = m_table->selectionModel()->selectedRows();
    return rows.isEmpty() ? 0 : rows.first().row() + 1;
}

void ReportView::selectRow(int row)
{
    if (row < 1 || row > m_model.rowCount()) m_table->clearSelection();
    else m_table->selectRow(row - 1);
}

void ReportView::setPeriod(const QString& from, const QString& to)
{
    m_period = from.isEmpty() && to.isEmpty() ? QString() : QStringLiteral("Období %1 – %2").arg(from, to);
    m_printable.setPeriod(m_period);
}

QString ReportView::totalText() const
{
    if (!m_report.hasTotal()) return QString();
    const ReportObject& o = m_report.object();
    QStringList parts;
    for (int c = 0; c < o.columns.size(); ++c)
        if (o.columns[c].sum) parts << o.columns[c].title + QStringLiteral(": ") + o.format(c, m_report.total().values.value(c));
    return QStringLiteral("Celkem  ") + parts.join(QStringLiteral(",  "));
}

void ReportView::print()
{
    PrintForm dialog(m_owner);
    dialog.dw_print = &m_printable;
    dialog.Create(m_owner);
    // Printing read every row: show them too.
    if (m_model.canFetchMore(QModelIndex())) m_model.fetchMore(QModelIndex());
}

} // namespace kavro
