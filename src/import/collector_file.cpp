#include "collector_file.h"

#include "platform/cp1250.h"

#include <cstring>

namespace kavro {

QByteArray Odkoduj_vetu(const char* body, quint8 c, quint8 n)
{
    char buffer[257];
    for (int i = 0; i < n; ++i) buffer[i] = char(quint8(body[i]) ^ c);
    buffer[n] = 0;
    return QByteArray(buffer); // up to the first zero byte
}

bool Veta_je_spravne(const QByteArray& body)
{
    static const struct { int pos; char ch; } rule[] = {
        {9, ';'}, {14, '-'}, {17, '-'}, {20, ' '}, {23, ':'}, {26, ':'}, {29, ';'}, {32, ':'}, {35, ':'},
    };
    for (const auto& r : rule) {
        if (r.pos >= body.size() || body[r.pos] != r.ch) return false;
    }
    return true;
}

namespace {

QByteArray trimBlanks(const char* b, qsizetype from, qsizetype to)
{
    while (from < to && b[from] == ' ') ++from;
    while (to > from && b[to - 1] == ' ') --to;
    return QByteArray(b + from, to - from);
}

} // namespace

QByteArray vrat_polozku(const QByteArray& body, int k)
{
    qsizetype start = 0;
    for (int i = 0; i < k; ++i) {
        const qsizetype hit = body.indexOf(';', start);
        if (hit < 0) return QByteArray();
        start = hit + 1;
    }
    qsizetype end = body.indexOf(';', start);
    if (end < 0) end = body.size() - 2; // the last field: its CR LF is not part of it
    if (end <= start) return QByteArray();
    return trimBlanks(body.constData(), start, end);
}

void Vynuluj_strukturu(Struktura_vety& veta)
{
    veta = Struktura_vety();
}

qint32 textNaCislo(const QByteArray& text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    qint64 v = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        v = v * 10 + (text[i] - '0');
        if (v > qint64(0x80000000LL)) v = 0x80000000LL; // keeps the value in range
    }
    if (negative) v = -v;
    if (v > 0x7fffffff) v = 0x7fffffff;
    return qint32(v);
}

namespace {

QString textPole(const QByteArray& field, int maxLength)
{
    // Texts are single-byte: cutting bytes cuts characters.
    return fromCp1250(field.constData(), qMin<qsizetype>(field.size(), maxLength));
}

int clampPart(const QString& part, int high)
{
    const int v = textNaCislo(part.toLatin1());
    return v < 0 ? 0 : v > high ? high : v;
}

} // namespace

QString Oprav_Delku(const QString& text)
{
    if (text.size() < 2) return QStringLiteral("00:00:00");
    // The usual case: HH:MM:SS already within range.
    if (text.size() == 8 && text[2] == QLatin1Char(':') && text[5] == QLatin1Char(':')) {
        bool digits = true;
        for (int i : {0, 1, 3, 4, 6, 7}) digits &= text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9');
        if (digits && (text[0] < QLatin1Char('2') || (text[0] == QLatin1Char('2') && text[1] <= QLatin1Char('3')))
            && text[3] <= QLatin1Char('5') && text[6] <= QLatin1Char('5'))
            return text;
    }
    const QStringList parts = text.split(QLatin1Char(':'));
    const int h = clampPart(parts.value(0), 23);
    const int m = parts.size() > 1 ? clampPart(parts.value(1), 59) : 0;
    const int s = parts.size() > 2 ? clampPart(parts.value(2), 59) : 0;
    return QString::asprintf("%02d:%02d:%02d", h, m, s);
}

void Nacti_data(const QByteArray& body, Struktura_vety& veta)
{
    // One pass over the body finds the fields exactly as vrat_polozku does:
    // field k starts after the k-th ';' and ends at the next one, the last
    // field two characters before the end of the body.
    const char* b = body.constData();
    const qsizetype len = body.size();
    QByteArray pole[10];
    qsizetype start = 0;
    for (int k = 0; k < 10; ++k) {
        if (start < 0) break; // fewer fields: the rest stay empty
        const char* hit = static_cast<const char*>(memchr(b + start, ';', size_t(len - start)));
        const qsizetype end = hit ? hit - b : len - 2;
        if (end > start) pole[k] = trimBlanks(b, start, end);
        start = hit ? end + 1 : -1;
    }
    veta.cislo_vety = textNaCislo(pole[0]);
    veta.datum_a_cas = fromCp1250(pole[1]);
    veta.delka_hovoru = Oprav_Delku(fromCp1250(pole[2]));
    veta.volane_cislo = textPole(pole[3], kDelkaVolanehoCisla);
    veta.pocet_impulsu = textNaCislo(pole[4]);
    veta.prepojeni = pole[5] != "0";
    veta.cislo_pobocky = textNaCislo(pole[6]);
    veta.cislo_linky = textNaCislo(pole[7]);
    veta.doplnkova_informace = textPole(pole[8], kDelkaDoplnkoveInformace);
    veta.kod_uctu = textPole(pole[9], kDelkaKoduUctu);
}

// ---------------------------------------------------------------- the file

bool Datovy_soubor_sberace::open(const QString& path)
{
    close();
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return false;
    m_data = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        m_data.clear();
        return false;
    }
    m_open = true;
    return true;
}

void Datovy_soubor_sberace::close()
{
    m_data = QByteArray();
    m_pos = 0;
    m_open = false;
    m_body.clear();
}

bool Datovy_soubor_sberace::nextHeader()
{
    if (!m_open || m_data.size() - m_pos < 2) return false;
    m_c = quint8(m_data[m_pos]);
    m_n = quint8(m_data[m_pos + 1]) ^ m_c;
    m_pos += 2;
    return true;
}

Datovy_soubor_sberace::Vysledek Datovy_soubor_sberace::readBody()
{
    m_body.clear();
    if (m_data.size() - m_pos < m_n) {
        // Cut short by the end of the file.
        m_pos = m_data.size();
        return Vysledek::Chybna;
    }
    QByteArray plain = Odkoduj_vetu(m_data.constData() + m_pos, m_c, m_n);
    m_pos += m_n;
    if (!Veta_je_spravne(plain)) return Vysledek::Chybna;
    m_body = std::move(plain);
    return Vysledek::Veta;
}

Datovy_soubor_sberace::Vysledek Datovy_soubor_sberace::next()
{
    if (!nextHeader()) return Vysledek::Konec;
    return readBody();
}

} // namespace kavro
