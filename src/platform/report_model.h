#pragma once
// The lines of a retrieved report as a table: data rows, group sums and the
// grand total. Rows are read from the report as the view scrolls to them
// (canFetchMore/fetchMore), a page at a time.
#include "platform/report_runtime.h"

#include <QAbstractTableModel>

namespace kavro {

class ReportModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // Role giving a line's Report::Line::Kind (views show sum lines in bold).
    static constexpr int KindRole = Qt::UserRole + 1;

    explicit ReportModel(Report* report, QObject* parent = nullptr);

    // Call after the report was retrieved (or emptied) again.
    void reload();
    // Rows read per fetch.
    void setPageSize(int rows) { m_page = rows; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

    // The text a line shows in a column (labels of sum lines included).
    static QString text(const ReportObject& o, const Report::Line& l, int column);

signals:
    // Reading rows failed (the report's errorText() says why).
    void fetchFailed();

private:
    Report* m_report;
    int m_rows = 0;
    int m_page = 200;
    bool m_resetting = false;
    bool m_fetching = false;
};

} // namespace kavro
