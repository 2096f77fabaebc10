#include "common/datum.h"

#include "platform/clock.h"

#include <algorithm>

namespace kavro {

const char* const cl_Datum::NespravnyFormat = "Nespravny format data";

namespace {

const QString kDatum = QStringLiteral("RRRR-MM-DD");
const QString kDatumCas = QStringLiteral("RRRR-MM-DD HH:MM:SS");

constexpr int kPosledniRok = 9999;
constexpr std::int64_t kDenSekund = 86400;

// Days since 0000-01-01 of the proleptic Gregorian calendar (year 0 is a leap year).
std::int64_t cislo_dne(int y, int m, int d)
{
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = int(y - era * 400);
    const int doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    // 60 days from 0000-01-01 to 0000-03-01, where the era count starts.
    return era * 146097 + doe + 60;
}

void datum_z_cisla(std::int64_t z, int* y, int* m, int* d)
{
    z -= 60;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int doe = int(z - era * 146097);
    const int yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int mp = (5 * doy + 2) / 153;
    *d = doy - (153 * mp + 2) / 5 + 1;
    *m = mp < 10 ? mp + 3 : mp - 9;
    *y = int(yoe + era * 400) + (*m <= 2 ? 1 : 0);
}

const std::int64_t kPrvniDen = 0;                       // 0000-01-01
const std::int64_t kPosledniDen = cislo_dne(9999, 12, 31); // 9999-12-31

QString dva(int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); }
QString ctyri(int v) { return QStringLiteral("%1").arg(v, 4, 10, QLatin1Char('0')); }

} // namespace

bool operator==(const SYSTEMTIME& a, const SYSTEMTIME& b)
{
    return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDayOfWeek == b.wDayOfWeek
        && a.wDay == b.wDay && a.wHour == b.wHour && a.wMinute == b.wMinute
        && a.wSecond == b.wSecond && a.wMilliseconds == b.wMilliseconds;
}

cl_Datum::cl_Datum()
{
    pocty_dni[0] = 0;
    Napln_pocty_dni();
}

void cl_Datum::Napln_pocty_dni()
{
    static const int delky[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int i = 1; i <= 12; ++i) pocty_dni[i] = delky[i];
}

bool cl_Datum::prestupny_rok(int rok) const
{
    return (rok % 4 == 0 && rok % 100 != 0) || rok % 400 == 0;
}

int cl_Datum::delka_mesice(int mesic, int rok) const
{
    if (mesic < 1 || mesic > 12) return 0;
    if (mesic == 2) return prestupny_rok(rok) ? 29 : 28;
    return pocty_dni[mesic];
}

void cl_Datum::pridej_den(SYSTEMTIME* t, int n)
{
    // Bring a damaged record into range first, so no month indexes past the table.
    int y = std::min<int>(t->wYear, kPosledniRok);
    int m = std::clamp<int>(t->wMonth, 1, 12);
    int d = std::clamp<int>(t->wDay, 1, delka_mesice(m, y));

    std::int64_t den = cislo_dne(y, m, d) + n;
    den = std::clamp(den, kPrvniDen, kPosledniDen);
    datum_z_cisla(den, &y, &m, &d);

    pocty_dni[2] = prestupny_rok(y) ? 29 : 28;
    t->wYear = std::uint16_t(y);
    t->wMonth = std::uint16_t(m);
    t->wDay = std::uint16_t(d);
}

void cl_Datum::pridej_vteriny(SYSTEMTIME* t, int n)
{
    int y = std::min<int>(t->wYear, kPosledniRok);
    int m = std::clamp<int>(t->wMonth, 1, 12);
    int d = std::clamp<int>(t->wDay, 1, delka_mesice(m, y));
    const int h = std::min<int>(t->wHour, 23);
    const int mi = std::min<int>(t->wMinute, 59);
    const int s = std::min<int>(t->wSecond, 59);

    std::int64_t okamzik = cislo_dne(y, m, d) * kDenSekund + h * 3600 + mi * 60 + s + n;
    okamzik = std::clamp(okamzik, kPrvniDen * kDenSekund, kPosledniDen * kDenSekund + kDenSekund - 1);

    const std::int64_t den = okamzik / kDenSekund;
    const int vteriny = int(okamzik % kDenSekund);
    datum_z_cisla(den, &y, &m, &d);
    pocty_dni[2] = prestupny_rok(y) ? 29 : 28;
    t->wYear = std::uint16_t(y);
    t->wMonth = std::uint16_t(m);
    t->wDay = std::uint16_t(d);
    t->wHour = std::uint16_t(vteriny / 3600);
    t->wMinute = std::uint16_t(vteriny / 60 % 60);
    t->wSecond = std::uint16_t(vteriny % 60);
}

SYSTEMTIME cl_Datum::Velikonoce(int rok)
{
    SYSTEMTIME vysledek;
    if (rok < 1600 || rok > 2499) return vysledek; // year 0, nothing else meant

    // Gauss's rule; the century constants of the Gregorian calendar.
    static const int M[] = {22, 23, 23, 24, 24, 24, 25, 26, 25};
    static const int N[] = {2, 3, 4, 5, 5, 6, 0, 1, 1};
    const int stoleti = rok / 100 - 16;
    const int a = rok % 19, b = rok % 4, c = rok % 7;
    const int dd = (19 * a + M[stoleti]) % 30;
    const int e = (2 * b + 4 * c + 6 * dd + N[stoleti]) % 7;

    int mesic = 3;
    int den = 22 + dd + e;
    if (den > 31) {
        mesic = 4;
        den -= 31;
    }
    if (dd == 29 && e == 6) {
        mesic = 4;
        den = 19;
    }
    if (dd == 28 && e == 6 && (11 * (M[stoleti] + 1)) % 30 < 19) {
        mesic = 4;
        den = 18;
    }

    const QString nedele = ctyri(rok) + QLatin1Char('-') + dva(mesic) + QLatin1Char('-') + dva(den);
    Napln_do_SYSTEMTIME(&vysledek, nedele, kDatumCas);
    pridej_den(&vysledek, 1);
    return vysledek;
}

QString cl_Datum::vrat_datum(const QString& format)
{
    SYSTEMTIME t = vrat_systemtime();
    if (format == kDatumCas) return QString::fromLatin1(NespravnyFormat);
    return strDate(&t, format);
}

QString cl_Datum::vrat_cas()
{
    const SYSTEMTIME t = vrat_systemtime();
    return dva(t.wHour) + QLatin1Char(':') + dva(t.wMinute) + QLatin1Char(':') + dva(t.wSecond);
}

SYSTEMTIME cl_Datum::vrat_systemtime()
{
    const QDateTime now = kavro::clock::now();
    SYSTEMTIME t;
    t.wYear = std::uint16_t(std::clamp(now.date().year(), 0, kPosledniRok));
    t.wMonth = std::uint16_t(now.date().month());
    t.wDayOfWeek = std::uint16_t(now.date().dayOfWeek() % 7);
    t.wDay = std::uint16_t(now.date().day());
    t.wHour = std::uint16_t(now.time().hour());
    t.wMinute = std::uint16_t(now.time().minute());
    t.wSecond = std::uint16_t(now.time().second());
    t.wMilliseconds = std::uint16_t(now.time().msec());
    return t;
}

int cl_Datum::cislo(const QString& part)
{
    int i = 0;
    while (i < part.size() && part.at(i).isSpace()) ++i;
    long long v = 0;
    bool cislice = false;
    for (; i < part.size(); ++i) {
        const QChar ch = part.at(i);
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9')) break;
        cislice = true;
        v = v * 10 + (ch.unicode() - '0');
        if (v > 1000000000LL) v = 1000000000LL; // far beyond every range checked
    }
    return cislice ? int(v) : 0;
}

QString cl_Datum::test_datumu(const QString& text)
{
    QString s = text;

    // Day-first forms with dots: D.M.R, D.M., D.M
    const int p1 = s.indexOf(QLatin1Char('.'));
    if (p1 > 0) {
        const int p2 = s.indexOf(QLatin1Char('.'), p1 + 1);
        const QString rok = vrat_datum(kDatum).left(4);
        if (p2 >= 0) {
            QString rokText = s.mid(p2 + 1);
            if (rokText.isEmpty()) rokText = rok;
            s = rokText + QLatin1Char('-') + s.mid(p1 + 1, p2 - p1 - 1) + QLatin1Char('-') + s.left(p1);
        } else {
            s = rok + QLatin1Char('-') + s.mid(p1 + 1) + QLatin1Char('-') + s.left(p1);
        }
    }

    const int q1 = s.indexOf(QLatin1Char('-'));
    if (q1 < 0) return vrat_datum(kDatum);
    const int q2 = s.indexOf(QLatin1Char('-'), q1 + 1);

    int rok = cislo(s.left(q1));
    int mesic = 0;
    int den = 0;
    if (q2 >= 0) {
        mesic = cislo(s.mid(q1 + 1, q2 - q1 - 1));
        den = cislo(s.mid(q2 + 1));
    } else {
        mesic = cislo(s.mid(q1 + 1));
        den = 1;
    }

    if (rok < 0 || rok > kPosledniRok) rok = 0;
    mesic = std::clamp(mesic, 1, 12);
    den = std::clamp(den, 1, delka_mesice(mesic, rok));

    return ctyri(rok) + QLatin1Char('-') + dva(mesic) + QLatin1Char('-') + dva(den);
}

QString cl_Datum::test_casu(const QString& text, bool nula)
{
    if (text.size() < 2) return nula ? QStringLiteral("00:00:00") : vrat_cas();

    const QStringList casti = text.split(QLatin1Char(':'));
    const int hodina = std::clamp(cislo(casti.value(0)), 0, 23);
    const int minuta = casti.size() > 1 ? std::clamp(cislo(casti.value(1)), 0, 59) : 0;
    const int vterina = casti.size() > 2 ? std::clamp(cislo(casti.value(2)), 0, 59) : 0;
    return dva(hodina) + QLatin1Char(':') + dva(minuta) + QLatin1Char(':') + dva(vterina);
}

void cl_Datum::Napln_do_SYSTEMTIME(SYSTEMTIME* t, const QString& text, const QString& format)
{
    if (format != kDatumCas) return;
    auto pole = [&text](int od, int delka) {
        return std::uint16_t(std::min(cislo(text.mid(od, delka)), 65535));
    };
    t->wYear = pole(0, 4);
    t->wMonth = pole(5, 2);
    t->wDay = pole(8, 2);
    t->wHour = pole(11, 2);
    t->wMinute = pole(14, 2);
    t->wSecond = pole(17, 2);
}

QString cl_Datum::strDate(const SYSTEMTIME* t, const QString& format)
{
    const QString r = ctyri(t->wYear), m = dva(t->wMonth), d = dva(t->wDay);
    if (format == QLatin1String("DD.MM.RRRR")) return d + QLatin1Char('.') + m + QLatin1Char('.') + r;
    if (format == QLatin1String("RRRR.MM.DD")) return r + QLatin1Char('.') + m + QLatin1Char('.') + d;
    if (format == QLatin1String("RRRRMMDD")) return r + m + d;
    if (format == kDatum) return r + QLatin1Char('-') + m + QLatin1Char('-') + d;
    if (format == kDatumCas)
        return r + QLatin1Char('-') + m + QLatin1Char('-') + d + QLatin1Char(' ') + dva(t->wHour)
            + QLatin1Char(':') + dva(t->wMinute) + QLatin1Char(':') + dva(t->wSecond);
    return QString::fromLatin1(NespravnyFormat);
}

} // namespace kavro
