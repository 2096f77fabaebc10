#include "platform/report_model.h"

namespace kavro {

ReportModel::ReportModel(Report* report, QObject* parent)
    : QAbstractTableModel(parent)
    , m_report(report)
{
    m_rows = int(m_report->lines().size());
}

void ReportModel::reload()
{
    // Views ask for more rows while the reset is announced; they get them after it.
    m_resetting = true;
    beginResetModel();
    m_rows = int(m_report->lines().size());
    endResetModel();
    m_resetting = false;
}

int ReportModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_rows; }

int ReportModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_report->object().columns.size());
}

QString ReportModel::text(const ReportObject& o, const Report::Line& l, int column)
{
    if (column == 0 && !o.columns.isEmpty() && !o.columns[0].sum) {
        if (l.kind == Report::Line::GroupSum) return QStringLiteral("Součet ") + l.group;
        if (l.kind == Report::Line::Total) return QStringLiteral("Celkem");
    }
    return o.format(column, l.values.value(column));
}

QVariant ReportModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows) return {};
    const Report::Line& l = m_report->lines().at(index.row());
    const ReportObject& o = m_report->object();
    switch (role) {
    case Qt::DisplayRole: return text(o, l, index.column());
    case Qt::TextAlignmentRole:
        return o.columns.value(index.column()).kind == ReportColumn::Text
            ? QVariant(int(Qt::AlignLeft | Qt::AlignVCenter))
            : QVariant(int(Qt::AlignRight | Qt::AlignVCenter));
    case KindRole: return int(l.kind);
    default: return {};
    }
}

QVariant ReportModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal) return m_report->object().columns.value(section).title;
    return section + 1;
}

bool ReportModel::canFetchMore(const QModelIndex& parent) const
{
    return !parent.isValid() && !m_resetting && !m_fetching && (m_report->canFetchMore() || m_rows < m_report->lines().size());
}

void ReportModel::fetchMore(const QModelIndex& parent)
{
    // A view may ask again while the new rows are announced: it gets them on its next request.
    if (parent.isValid() || m_resetting || m_fetching) return;
    m_fetching = true;
    const bool wasOpen = m_report->canFetchMore();
    if (wasOpen) m_report->fetch(m_page);
    const int now = int(m_report->lines().size());
    if (now > m_rows) {
        beginInsertRows(QModelIndex(), m_rows, now - 1);
        m_rows = now;
        endInsertRows();
    }
    m_fetching = false;
    if (wasOpen && !m_report->canFetchMore() && !m_report->errorText().isEmpty()) emit fetchFailed();
}

} // namespace kavro
