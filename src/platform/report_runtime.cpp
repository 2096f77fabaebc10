#include "platform/report_runtime.h"

#include <QRegularExpression>

namespace kavro {

namespace {

// The filter's number is bound after the sixteen arguments.
constexpr int kFilterPosition = 17;

// A column of the object's Select: a plain name stays unquoted, so that both
// engines find it whatever its letter case (a server folds unquoted names);
// any other name (an expression the engine named) is quoted.
QString quoted(const QString& column)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    return plain.match(column).hasMatch() ? QStringLiteral("r.") + column : QStringLiteral("r.\"%1\"").arg(column);
}

} // namespace

QString Report::refusal(bool write) const
{
    const QString file = m_object.file.isEmpty() ? m_object.name + QStringLiteral(".sestava") : m_object.file;
    if (write)
        return QStringLiteral("Příkaz sestavy v souboru „%1“ by měnil data v databázi. Sestava smí data jen číst, "
                              "příkaz proto nebyl proveden a nic se nezměnilo.")
            .arg(file);
    return QStringLiteral("Příkaz sestavy v souboru „%1“ obsahuje více než jeden příkaz. Sestava smí mít "
                          "jen jeden příkaz, proto nebyl proveden a nic se nezměnilo.")
        .arg(file);
}

void Report::failed(const Query& q)
{
    m_error = q.lastErrorIsWrite() ? refusal(true) : q.lastErrorText();
}

Report::Report() = default;
Report::~Report() = default;

bool Report::setObject(const QString& name)
{
    ReportObject o;
    m_query.reset();
    m_open = false;
    m_retrieved = false;
    m_lines.clear();
    m_hasTotal = false;
    if (!ReportLibrary::load(name, &o, &m_error)) {
        m_object = ReportObject();
        m_object.name = name;
        m_select.clear();
        return false;
    }
    setObject(o);
    return true;
}

void Report::setObject(const ReportObject& object)
{
    m_query.reset();
    m_object = object;
    // A Select may end in ';' (and comments): the window narrowing it and the
    // sums built around it need it without.
    m_select = withoutFinalSemicolon(object.select);
    m_filter.clear();
    m_filterColumn.clear();
    m_error.clear();
    m_open = false;
    m_retrieved = false;
    m_lines.clear();
    m_hasTotal = false;
}

bool Report::setFilter(const QString& expression)
{
    const QString e = expression.trimmed();
    if (e.isEmpty()) {
        m_filter.clear();
        m_filterColumn.clear();
        return true;
    }
    static const QRegularExpression re(
        QStringLiteral("^([A-Za-z_][A-Za-z0-9_]*)\\s*(<=|>=|<>|!=|=|<|>)\\s*(-?[0-9]+(?:\\.[0-9]+)?)$"));
    const QRegularExpressionMatch m = re.match(e);
    if (!m.hasMatch() || m_object.columnIndex(m.captured(1)) < 0) {
        m_error = QStringLiteral("Filtr „%1“ nelze použít.").arg(e);
        return false;
    }
    m_filter = e;
    m_filterColumn = m_object.columns[m_object.columnIndex(m.captured(1))].name;
    m_filterOp = m.captured(2) == QLatin1String("!=") ? QStringLiteral("<>") : m.captured(2);
    const QString n = m.captured(3);
    m_filterValue = n.contains(QLatin1Char('.')) ? QVariant(n.toDouble()) : QVariant(n.toLongLong());
    return true;
}

QString Report::statementText(const QString& select) const
{
    QString out;
    out.reserve(select.size());
    QChar quote;
    for (int i = 0; i < select.size(); ++i) {
        const QChar c = select[i];
        if (!quote.isNull()) {
            out += c;
            if (c == quote) quote = QChar();
            continue;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
            out += c;
            continue;
        }
        if (c == QLatin1Char(':') && i + 1 < select.size()
            && (select[i + 1].isLetter() || select[i + 1] == QLatin1Char('_'))) {
            int j = i + 1;
            while (j < select.size() && (select[j].isLetterOrNumber() || select[j] == QLatin1Char('_'))) ++j;
            const QString name = select.mid(i + 1, j - i - 1);
            int pos = -1;
            for (int a = 0; a < m_object.arguments.size(); ++a)
                if (m_object.arguments[a].name.compare(name, Qt::CaseInsensitive) == 0) pos = a + 1;
            // An unknown name stays and makes the statement fail with the engine's message.
            out += pos > 0 ? QStringLiteral("?%1").arg(pos) : select.mid(i, j - i);
            i = j - 1;
            continue;
        }
        out += c;
    }
    return out;
}

QString Report::wrapped(const QString& select, const QString& columns, const QString& groupBy) const
{
    const QString inner = statementText(withoutFinalSemicolon(select));
    if (columns.isEmpty() && m_filterColumn.isEmpty()) return inner;
    QString s = QStringLiteral("SELECT %1 FROM (\n%2\n) AS r").arg(columns.isEmpty() ? QStringLiteral("*") : columns, inner);
    if (!m_filterColumn.isEmpty())
        s += QStringLiteral(" WHERE %1 %2 ?%3").arg(quoted(m_filterColumn), m_filterOp).arg(kFilterPosition);
    if (!groupBy.isEmpty()) s += QStringLiteral(" GROUP BY ") + groupBy;
    return s;
}

void Report::bindAll(Query& q) const
{
    for (int i = 0; i < 16; ++i) {
        QVariant v = i < m_arguments.size() ? m_arguments[i] : QVariant();
        if (i < m_object.arguments.size() && m_object.arguments[i].number && !v.isNull()) {
            bool ok = false;
            const qint64 n = v.toString().trimmed().toLongLong(&ok);
            v = ok ? QVariant(n) : QVariant(0); // "all" entries and empty texts count as 0
        }
        q.bind(i + 1, v);
    }
    if (!m_filterColumn.isEmpty()) q.bind(kFilterPosition, m_filterValue);
}

bool Report::retrieve(const QVariantList& arguments)
{
    m_query.reset();
    m_lines.clear();
    m_groupSums.clear();
    m_inGroup = false;
    m_hasTotal = false;
    m_open = false;
    m_retrieved = false;
    m_error.clear();
    m_arguments = arguments.mid(0, 16);
    if (m_select.isEmpty()) {
        m_error = QStringLiteral("Sestava nemá žádný příkaz.");
        return false;
    }
    // The Select itself tells what kind of text it is: the statements built
    // around it for a filter and sums begin as queries whatever it holds.
    // (The guard of each statement refuses anything but one query as well.)
    const QString own = withoutFinalSemicolon(m_select);
    const bool query = beginsAsQuery(own);
    if (!query || !isOneStatement(own)) {
        m_error = refusal(!query);
        return false;
    }
    // The rows' statement first: a statement that would write is refused
    // before any other is built around it.
    m_query = std::make_unique<Query>(Transaction::main());
    m_query->setReadOnly(true);
    m_query->setSQL(wrapped(m_select, QString(), QString()));
    bindAll(*m_query);
    if (!m_query->run()) {
        failed(*m_query);
        m_query.reset();
        return false;
    }
    if (m_query->columnCount() != m_object.columns.size()) {
        m_error = QStringLiteral("Příkaz sestavy dává %1 sloupců, sestava jich popisuje %2.")
                      .arg(m_query->columnCount())
                      .arg(m_object.columns.size());
        m_query.reset();
        return false;
    }
    if (!aggregates()) {
        m_query.reset();
        return false;
    }
    m_open = true;
    m_retrieved = true;
    return true;
}

bool Report::aggregates()
{
    if (!m_object.hasSums()) return true;
    QStringList sums{QStringLiteral("count(*)")};
    for (const ReportColumn& c : m_object.columns)
        if (c.sum) sums << QStringLiteral("sum(%1)").arg(quoted(c.name));
    auto lineFrom = [this](Query& q, int first, Line::Kind kind) {
        Line l;
        l.kind = kind;
        l.count = q.intValue(first);
        int at = first + 1;
        for (const ReportColumn& c : m_object.columns) {
            if (!c.sum) {
                l.values << QVariant();
                continue;
            }
            l.values << QVariant(q.isNull(at) ? 0.0 : q.value(at).toDouble());
            ++at;
        }
        return l;
    };
    Query t(Transaction::main());
    t.setReadOnly(true);
    t.setSQL(wrapped(m_select, sums.join(QStringLiteral(", ")), QString()));
    bindAll(t);
    if (!t.run()) {
        failed(t);
        return false;
    }
    m_total = lineFrom(t, 1, Line::Total);
    m_hasTotal = true;
    if (!m_object.groupColumn.isEmpty()) {
        const QString g = quoted(m_object.columns[m_object.columnIndex(m_object.groupColumn)].name);
        Query q(Transaction::main());
        q.setReadOnly(true);
        q.setSQL(wrapped(m_select, g + QStringLiteral(", ") + sums.join(QStringLiteral(", ")), g));
        bindAll(q);
        if (!q.run()) {
            failed(q);
            m_hasTotal = false;
            return false;
        }
        for (; !q.atEnd(); q.next()) {
            Line l = lineFrom(q, 2, Line::GroupSum);
            l.group = q.value(1);
            m_groupSums.insert(l.group, l);
        }
        if (!q.lastErrorText().isEmpty()) {
            m_error = q.lastErrorText();
            m_hasTotal = false;
            return false;
        }
    }
    return true;
}

void Report::closeGroup()
{
    if (!m_inGroup) return;
    m_inGroup = false;
    Line l = m_groupSums.value(m_currentGroup);
    l.kind = Line::GroupSum;
    l.group = m_currentGroup;
    if (l.values.size() != m_object.columns.size()) {
        l.values.clear();
        for (int i = 0; i < m_object.columns.size(); ++i) l.values << QVariant();
    }
    m_lines.append(l);
}

int Report::fetch(int rows)
{
    if (!m_open || !m_query) return 0;
    const int before = int(m_lines.size());
    const int group = m_object.groupColumn.isEmpty() ? -1 : m_object.columnIndex(m_object.groupColumn);
    const int n = int(m_object.columns.size());
    for (int r = 0; r < rows && !m_query->atEnd(); ++r) {
        Line l;
        for (int c = 0; c < n; ++c) {
            if (m_query->isNull(c + 1)) l.values << QVariant();
            else if (m_object.columns[c].kind == ReportColumn::Text) l.values << m_query->value(c + 1);
            else l.values << QVariant(m_query->value(c + 1).toDouble());
        }
        if (group >= 0) {
            const QString g = m_query->value(group + 1);
            if (m_inGroup && g != m_currentGroup) closeGroup();
            m_currentGroup = g;
            m_inGroup = true;
        }
        m_lines.append(l);
        if (!m_query->next() && !m_query->atEnd()) break;
    }
    if (!m_query->lastErrorText().isEmpty()) {
        m_error = m_query->lastErrorText();
        m_open = false;
        m_query.reset();
        return int(m_lines.size()) - before;
    }
    if (m_query->atEnd()) {
        closeGroup();
        if (m_hasTotal) m_lines.append(m_total);
        m_open = false;
        m_query.reset();
    }
    return int(m_lines.size()) - before;
}

void Report::fetchAll()
{
    while (canFetchMore()) fetch(10000);
}

QStringList Report::header() const
{
    QStringList out;
    for (QString h : m_object.header) {
        for (int a = int(m_object.arguments.size()) - 1; a >= 0; --a) {
            // Longer names first would matter only for names that prefix others; none do.
            QString v = a < m_arguments.size() ? m_arguments[a].toString() : QString();
            if (m_object.arguments[a].name.startsWith(QLatin1String("datum"))) v = v.left(10);
            h.replace(QLatin1Char(':') + m_object.arguments[a].name, v);
        }
        out << h;
    }
    return out;
}

} // namespace kavro
