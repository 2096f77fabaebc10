#include "call_deletion.h"

#include "platform/clock.h"
#include "platform/database.h"

#include <QDate>

namespace kavro {

UlozeneObdobi ulozene_obdobi(Transaction& t)
{
    UlozeneObdobi o;
    Query q(t, QStringLiteral("SELECT date(Min(hovory.ustredna_datum_a_cas)) as od_dne, "
                              "date(Max(hovory.ustredna_datum_a_cas)) as do_dne, count(*) as Pocet "
                              "FROM DBA.hovory hovory"));
    if (q.run() && !q.atEnd()) {
        o.od_dne = q.value(1);
        o.do_dne = q.value(2);
        o.pocet = q.intValue(3);
    }
    q.close();
    return o;
}

namespace {

int cislo(const QString& s)
{
    // Leading digits (after an optional sign); no digits read as 0.
    int i = 0;
    while (i < s.size() && s[i] == QLatin1Char(' ')) ++i;
    bool neg = false;
    if (i < s.size() && (s[i] == QLatin1Char('-') || s[i] == QLatin1Char('+'))) neg = s[i++] == QLatin1Char('-');
    qint64 v = 0;
    for (; i < s.size() && s[i].isDigit() && v < 100000; ++i) v = v * 10 + s[i].digitValue();
    return int(neg ? -v : v);
}

} // namespace

QString normalizuj_datum(const QString& text)
{
    QString s = text;
    const QString rok = clock::today().toString(QStringLiteral("yyyy"));
    const qsizetype p1 = s.indexOf(QLatin1Char('.'));
    if (p1 > 0) {
        const qsizetype p2 = s.indexOf(QLatin1Char('.'), p1 + 1);
        if (p2 >= 0) {
            QString y = s.mid(p2 + 1);
            if (y.isEmpty()) y = rok;
            s = y + QLatin1Char('-') + s.mid(p1 + 1, p2 - p1 - 1) + QLatin1Char('-') + s.left(p1);
        } else {
            s = rok + QLatin1Char('-') + s.mid(p1 + 1) + QLatin1Char('-') + s.left(p1);
        }
    }
    const qsizetype q1 = s.indexOf(QLatin1Char('-'));
    if (q1 < 0) return clock::today().toString(QStringLiteral("yyyy-MM-dd"));
    const qsizetype q2 = s.indexOf(QLatin1Char('-'), q1 + 1);
    int y = cislo(s.left(q1));
    int m = q2 >= 0 ? cislo(s.mid(q1 + 1, q2 - q1 - 1)) : cislo(s.mid(q1 + 1));
    int d = q2 >= 0 ? cislo(s.mid(q2 + 1)) : 1;
    if (y < 0 || y > 9999) y = 0;
    m = qBound(1, m, 12);
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    static const int days[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const int maxDay = m == 2 ? (leap ? 29 : 28) : days[m];
    d = qBound(1, d, maxDay);
    return QString::asprintf("%04d-%02d-%02d", y, m, d);
}

qint64 smaz_hovory(Transaction& t, const QString& od, const QString& do_, QString* chyba)
{
    // Whole days: from the first moment of the first day to the last second of the last one.
    const QString from = normalizuj_datum(od);
    const QString to = normalizuj_datum(do_) + QStringLiteral(" 23:59:59");
    Query q(t);
    if (!q.execute(QStringLiteral("delete from dba.hovory where ustredna_datum_a_cas between ? AND ?"), {from, to})) {
        if (chyba) *chyba = q.lastErrorText();
        t.rollback();
        return -1;
    }
    const qint64 n = q.rowCount();
    if (!t.commit()) {
        if (chyba) *chyba = t.lastErrorText();
        t.rollback();
        return -1;
    }
    return n;
}

} // namespace kavro
