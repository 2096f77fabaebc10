#pragma once
// The report runtime: runs one report object of the library on the program's
// transaction and gives its lines as they are needed.
//
//   Report r;
//   r.setObject("vyuctovani_firma");          // choose the object
//   QString s = r.select();                   // its Select ...
//   r.setSelect(narrowed(s));                 // ... narrowed by the window
//   r.setFilter("CPocet>2");                  // optional: column, comparison, number
//   if (!r.retrieve({od, do_, 3, jmeno})) show(r.errorText());
//   while (r.canFetchMore()) r.fetch(200);    // lines: rows, group sums, the total
//
// Arguments bind to the :name references of the Select in the order the
// object declares them (at most sixteen; missing ones are NULL). Rows are read
// from one open statement as they are asked for, so a list of a million calls
// never loads whole; group sums and the grand total come from SQL aggregates
// over the same Select, computed when retrieving (objects with sums only).
#include "platform/database.h"
#include "platform/report_object.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>
#include <memory>

namespace kavro {

class Report {
public:
    struct Line {
        enum Kind { Row, GroupSum, Total };
        Kind kind = Row;
        QVariantList values; // one per column of the object
        QString group;       // the group value (group sums)
        qint64 count = 0;    // rows summed (group sums, total)
    };

    Report();
    ~Report();

    // Chooses an object of the library; false (see errorText) when it cannot be read.
    bool setObject(const QString& name);
    // Takes an object that is not in the library (tests, previews).
    void setObject(const ReportObject& object);
    const ReportObject& object() const { return m_object; }
    QString objectName() const { return m_object.name; }

    // The current Select, and a new one for the next retrievals.
    QString select() const { return m_select; }
    void setSelect(const QString& select) { m_select = select; }

    // "column op number" (op one of = <> != < <= > >=; the number is bound); an
    // empty text removes the filter. False when the text is not understood.
    bool setFilter(const QString& expression);
    QString filter() const { return m_filter; }

    // Runs the Select with up to sixteen arguments. False on a database error
    // (errorText() has the engine's text); the report is then empty.
    bool retrieve(const QVariantList& arguments);
    QVariantList arguments() const { return m_arguments; }
    bool retrieved() const { return m_retrieved; }
    QString errorText() const { return m_error; }

    // Lines read so far; more are read by fetch().
    const QList<Line>& lines() const { return m_lines; }
    bool canFetchMore() const { return m_open; }
    // Reads up to `rows` more rows (with the group sums and total they close);
    // gives the number of lines added. A database error ends the reading (errorText).
    int fetch(int rows);
    void fetchAll();

    // The grand total line (objects with sums), known right after retrieve.
    bool hasTotal() const { return m_hasTotal; }
    const Line& total() const { return m_total; }

    // Header lines with the arguments put in.
    QStringList header() const;

    // The statement text a Select runs as (argument names replaced by their
    // positions); exposed for the library's own checks.
    QString statementText(const QString& select) const;

private:
    QString wrapped(const QString& select, const QString& columns, const QString& groupBy) const;
    void bindAll(Query& q) const;
    bool aggregates();
    void closeGroup();
    // Takes the error of a failed statement; a statement that would write
    // is named with the report's file.
    void failed(const Query& q);
    // The message refusing the report's statement: one that would change data
    // (`write`), or a text of more than one statement; both name the file.
    QString refusal(bool write) const;

    ReportObject m_object;
    QString m_select;
    QString m_filter;
    QString m_filterColumn, m_filterOp;
    QVariant m_filterValue;
    QVariantList m_arguments;
    std::unique_ptr<Query> m_query;
    bool m_open = false;
    bool m_retrieved = false;
    QString m_error;
    QList<Line> m_lines;
    QHash<QString, Line> m_groupSums;
    QString m_currentGroup;
    bool m_inGroup = false;
    bool m_hasTotal = false;
    Line m_total;
};

} // namespace kavro
