#include "platform/report_object.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <cmath>

#ifndef KAVRO_REPORTS_DIR
#define KAVRO_REPORTS_DIR "reports"
#endif

namespace kavro {

namespace {

QString g_folder;

const QString kExtension = QStringLiteral(".sestava");

bool kindFromText(const QString& t, ReportColumn::Kind* k)
{
    if (t == QLatin1String("text")) *k = ReportColumn::Text;
    else if (t == QLatin1String("cislo")) *k = ReportColumn::Number;
    else if (t == QLatin1String("cas")) *k = ReportColumn::Duration;
    else if (t == QLatin1String("kc")) *k = ReportColumn::Money;
    else return false;
    return true;
}

} // namespace

bool ReportObject::parse(const QString& text, ReportObject* out, QString* error)
{
    ReportObject o;
    o.name = out->name;
    o.file = out->file;
    QString section;
    QStringList selectLines;
    const QStringList lines = text.split(QLatin1Char('\n'));
    auto fail = [&](int line, const QString& why) {
        if (error) *error = QStringLiteral("Řádek %1: %2").arg(line).arg(why);
        return false;
    };
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
        const QString t = line.trimmed();
        if (section == QLatin1String("select")) {
            if (!t.startsWith(QLatin1Char('#'))) selectLines << line;
            continue;
        }
        if (t.isEmpty() || t.startsWith(QLatin1Char('#'))) continue;
        if (t.startsWith(QLatin1Char('[')) && t.endsWith(QLatin1Char(']'))) {
            section = t.mid(1, t.size() - 2).trimmed();
            if (section != QLatin1String("sestava") && section != QLatin1String("sloupce")
                && section != QLatin1String("select"))
                return fail(i + 1, QStringLiteral("neznámý oddíl %1").arg(t));
            continue;
        }
        const int eq = t.indexOf(QLatin1Char('='));
        if (eq <= 0) return fail(i + 1, QStringLiteral("chybí „=“"));
        const QString key = t.left(eq).trimmed();
        const QString value = t.mid(eq + 1).trimmed();
        if (section == QLatin1String("sestava")) {
            if (key == QLatin1String("titulek")) o.title = value;
            else if (key == QLatin1String("hlavicka")) o.header << value;
            else if (key == QLatin1String("skupina")) o.groupColumn = value;
            else if (key == QLatin1String("argument")) {
                const QStringList p = value.split(QLatin1Char(' '), Qt::SkipEmptyParts);
                if (p.size() != 2 || (p[1] != QLatin1String("text") && p[1] != QLatin1String("cislo")))
                    return fail(i + 1, QStringLiteral("argument má tvar „jméno text|cislo“"));
                o.arguments.append({p[0], p[1] == QLatin1String("cislo")});
                if (o.arguments.size() > 16) return fail(i + 1, QStringLiteral("více než 16 argumentů"));
            } else {
                return fail(i + 1, QStringLiteral("neznámý klíč %1").arg(key));
            }
        } else if (section == QLatin1String("sloupce")) {
            const QStringList p = value.split(QLatin1Char('|'));
            ReportColumn c;
            c.name = key;
            if (p.size() < 2 || p.size() > 3 || !kindFromText(p[0].trimmed(), &c.kind))
                return fail(i + 1, QStringLiteral("sloupec má tvar „jméno = druh | titulek [| soucet]“"));
            c.title = p[1].trimmed();
            if (p.size() == 3) {
                if (p[2].trimmed() != QLatin1String("soucet")) return fail(i + 1, QStringLiteral("očekáváno „soucet“"));
                c.sum = true;
            }
            o.columns.append(c);
        } else {
            return fail(i + 1, QStringLiteral("text mimo oddíl"));
        }
    }
    while (!selectLines.isEmpty() && selectLines.last().trimmed().isEmpty()) selectLines.removeLast();
    while (!selectLines.isEmpty() && selectLines.first().trimmed().isEmpty()) selectLines.removeFirst();
    o.select = selectLines.join(QLatin1Char('\n'));
    if (o.select.isEmpty()) return fail(lines.size(), QStringLiteral("chybí oddíl [select]"));
    if (o.columns.isEmpty()) return fail(lines.size(), QStringLiteral("chybí oddíl [sloupce]"));
    if (!o.groupColumn.isEmpty() && o.columnIndex(o.groupColumn) < 0)
        return fail(lines.size(), QStringLiteral("skupina %1 není sloupec").arg(o.groupColumn));
    *out = o;
    return true;
}

int ReportObject::columnIndex(const QString& n) const
{
    for (int i = 0; i < columns.size(); ++i)
        if (columns[i].name.compare(n, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

bool ReportObject::hasSums() const
{
    for (const ReportColumn& c : columns)
        if (c.sum) return true;
    return false;
}

QString ReportObject::format(int col, const QVariant& value) const
{
    if (col < 0 || col >= columns.size() || value.isNull()) return QString();
    switch (columns[col].kind) {
    case ReportColumn::Duration: return formatDuration(qRound64(value.toDouble()));
    case ReportColumn::Money: return formatMoney(qRound64(value.toDouble()));
    case ReportColumn::Number: {
        bool ok = false;
        const double d = value.toDouble(&ok);
        if (ok && d == std::floor(d)) return QString::number(qint64(d));
        return value.toString();
    }
    case ReportColumn::Text: break;
    }
    return value.toString();
}

QString formatDuration(qint64 s)
{
    const QString sign = s < 0 ? QStringLiteral("-") : QString();
    s = std::llabs(s);
    return sign + QStringLiteral("%1:%2:%3")
                      .arg(s / 3600)
                      .arg((s / 60) % 60, 2, 10, QLatin1Char('0'))
                      .arg(s % 60, 2, 10, QLatin1Char('0'));
}

QString formatMoney(qint64 h)
{
    const QString sign = h < 0 ? QStringLiteral("-") : QString();
    h = std::llabs(h);
    return sign + QStringLiteral("%1,%2").arg(h / 100).arg(h % 100, 2, 10, QLatin1Char('0'));
}

QString ReportLibrary::folder()
{
    if (!g_folder.isEmpty()) return g_folder;
    const QString env = qEnvironmentVariable("KAVRO_REPORTS_DIR");
    if (!env.isEmpty()) return env;
    return QStringLiteral(KAVRO_REPORTS_DIR);
}

void ReportLibrary::setFolder(const QString& f) { g_folder = f; }

QStringList ReportLibrary::names()
{
    QStringList out;
    const QStringList files = QDir(folder()).entryList({QLatin1Char('*') + kExtension}, QDir::Files, QDir::Name);
    for (const QString& f : files) out << f.chopped(kExtension.size());
    return out;
}

bool ReportLibrary::load(const QString& name, ReportObject* out, QString* error)
{
    QString path = QDir(folder()).filePath(name + kExtension);
    if (!QFileInfo::exists(path)) {
        path.clear();
        for (const QString& n : names())
            if (n.compare(name, Qt::CaseInsensitive) == 0) path = QDir(folder()).filePath(n + kExtension);
    }
    QFile f(path);
    if (path.isEmpty() || !f.open(QIODevice::ReadOnly)) {
        if (error) *error = QStringLiteral("Sestava „%1“ v knihovně sestav (%2) není.").arg(name, folder());
        return false;
    }
    ReportObject o;
    o.name = name;
    o.file = path;
    QString why;
    if (!ReportObject::parse(QString::fromUtf8(f.readAll()), &o, &why)) {
        if (error) *error = QStringLiteral("Sestava „%1“ je chybně zapsaná. %2").arg(name, why);
        return false;
    }
    *out = o;
    return true;
}

} // namespace kavro
