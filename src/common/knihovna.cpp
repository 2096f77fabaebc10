#include "common/knihovna.h"

#include "common/datum.h"

namespace kavro::knihovna {

QString uprav_delku(const QString& text, int n)
{
    if (n <= 0) return QString();
    QString s = text;
    if (s.size() < n) s += QString(n - s.size(), QLatin1Char(' '));
    return s.left(n);
}

QString uprav_datum_text(const QString& text, int n)
{
    cl_Datum datum;
    SYSTEMTIME t;
    datum.Napln_do_SYSTEMTIME(&t, datum.test_datumu(text), QStringLiteral("RRRR-MM-DD HH:MM:SS"));
    datum.pridej_den(&t, n);
    return datum.strDate(&t, QStringLiteral("RRRR-MM-DD"));
}

QString uprav_cas_text(const QString& text, int n)
{
    cl_Datum datum;
    const QString cas = datum.test_casu(text, true);
    const int hodina = cl_Datum::cislo(cas.mid(0, 2));
    const int minuta = cl_Datum::cislo(cas.mid(3, 2));
    const int vterina = cl_Datum::cislo(cas.mid(6, 2));
    // Only the time of day is kept, so the step wraps at midnight.
    constexpr long long den = 86400;
    long long s = (hodina * 3600LL + minuta * 60LL + vterina + n) % den;
    if (s < 0) s += den;
    return QStringLiteral("%1:%2:%3")
        .arg(s / 3600, 2, 10, QLatin1Char('0'))
        .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'));
}

} // namespace kavro::knihovna
