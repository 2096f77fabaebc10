#include "collector_file.h"

#include "common/datum.h"
#include "platform/cp1250.h"

#include <cstring>

namespace kavro {

int Odkoduj_vetu(const char* body, quint8 c, quint8 n, char* out)
{
    for (int i = 0; i < n; ++i) out[i] = char(quint8(body[i]) ^ c);
    out[n] = 0;
    return int(strlen(out)); // the text ends at its first zero byte
}

QByteArray Odkoduj_vetu(const char* body, quint8 c, quint8 n)
{
    char buffer[257];
    const int len = Odkoduj_vetu(body, c, n, buffer);
    return QByteArray(buffer, len);
}

bool Veta_je_spravne(const char* body, int len)
{
    static const struct { int pos; char ch; } rule[] = {
        {9, ';'}, {14, '-'}, {17, '-'}, {20, ' '}, {23, ':'}, {26, ':'}, {29, ';'}, {32, ':'}, {35, ':'},
    };
    if (len < 36) return false;
    for (const auto& r : rule) {
        if (body[r.pos] != r.ch) return false;
    }
    const int konec = (len >= 2 && body[len - 2] == '\r' && body[len - 1] == '\n') ? len - 2 : len;
    for (int i = 0; i < konec; ++i) {
        const auto b = static_cast<unsigned char>(body[i]);
        if (b < 0x20 || b == 0x7F) return false;
    }
    return true;
}

namespace {

bool cislice(const char* s, int from, int n, int& out)
{
    out = 0;
    for (int i = from; i < from + n; ++i) {
        if (s[i] < '0' || s[i] > '9') return false;
        out = out * 10 + (s[i] - '0');
    }
    return true;
}

} // namespace

bool Datum_a_cas_je_platny(const std::string& dt)
{
    if (dt.size() != 19 || dt[4] != '-' || dt[7] != '-' || dt[10] != ' ' || dt[13] != ':' || dt[16] != ':')
        return false;
    const char* s = dt.data();
    int rok, mesic, den, h, m, sec;
    if (!cislice(s, 0, 4, rok) || !cislice(s, 5, 2, mesic) || !cislice(s, 8, 2, den) || !cislice(s, 11, 2, h)
        || !cislice(s, 14, 2, m) || !cislice(s, 17, 2, sec))
        return false;
    if (rok < 1 || mesic < 1 || mesic > 12 || den < 1 || h > 23 || m > 59 || sec > 59) return false;
    static const int dny[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool prestupny = (rok % 4 == 0 && rok % 100 != 0) || rok % 400 == 0;
    return den <= dny[mesic - 1] + (mesic == 2 && prestupny ? 1 : 0);
}

bool Delka_je_platna(const Pole_vety& pole)
{
    for (int i = 0; i < pole.size; ++i) {
        const char c = pole.data[i];
        if (c != ':' && (c < '0' || c > '9')) return false;
    }
    return true;
}

namespace {

Pole_vety trimBlanks(const char* b, int from, int to)
{
    while (from < to && b[from] == ' ') ++from;
    while (to > from && b[to - 1] == ' ') --to;
    return Pole_vety{b + from, to - from};
}

} // namespace

void rozdel_vetu(const char* b, int len, Pole_vety (&pole)[10])
{
    // Field k starts after the k-th ';' and ends at the next one; the last
    // field ends two characters before the end of the body (its CR LF).
    int start = 0;
    for (int k = 0; k < 10; ++k) {
        pole[k] = Pole_vety{};
        if (start < 0) continue; // fewer fields: the rest stay empty
        const char* hit = static_cast<const char*>(memchr(b + start, ';', size_t(len - start)));
        const int end = hit ? int(hit - b) : len - 2;
        if (end > start) pole[k] = trimBlanks(b, start, end);
        start = hit ? end + 1 : -1;
    }
}

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
    const Pole_vety p = trimBlanks(body.constData(), int(start), int(end));
    return QByteArray(p.data, p.size);
}

void Vynuluj_strukturu(Struktura_vety& veta)
{
    // Cleared in place: the text buffers are kept for the next record.
    veta.cislo_vety = 0;
    veta.datum_a_cas.clear();
    veta.delka_hovoru.clear();
    veta.volane_cislo.clear();
    veta.pocet_impulsu = 0;
    veta.prepojeni = false;
    veta.cislo_pobocky = 0;
    veta.cislo_linky = 0;
    veta.doplnkova_informace.clear();
    veta.kod_uctu.clear();
}

qint32 textNaCislo(const char* text, int len)
{
    int i = 0;
    while (i < len && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < len && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    qint64 v = 0;
    for (; i < len && text[i] >= '0' && text[i] <= '9'; ++i) {
        v = v * 10 + (text[i] - '0');
        if (v > qint64(0x80000000LL)) v = 0x80000000LL; // keeps the value in range
    }
    if (negative) v = -v;
    if (v > 0x7fffffff) v = 0x7fffffff;
    return qint32(v);
}

namespace {

// A text field cut to its member's length and decoded from code page 1250 to
// UTF-8. Texts are single-byte: cutting bytes cuts characters.
void textPole(const Pole_vety& p, int maxLength, std::string& out)
{
    const int n = qMin(p.size, maxLength);
    bool ascii = true;
    for (int i = 0; i < n && ascii; ++i) ascii = quint8(p.data[i]) < 0x80;
    if (ascii) {
        out.assign(p.data, size_t(n));
        return;
    }
    const QByteArray utf8 = fromCp1250(p.data, n).toUtf8();
    out.assign(utf8.constData(), size_t(utf8.size()));
}

bool cislice(char c) { return c >= '0' && c <= '9'; }

// The duration: a well-formed HH:MM:SS within range stands as it is (the time
// check would give the same text); anything else goes through the time check.
void delka(const Pole_vety& p, std::string& out)
{
    const char* t = p.data;
    if (p.size == 8 && t[2] == ':' && t[5] == ':' && cislice(t[0]) && cislice(t[1]) && cislice(t[3])
        && cislice(t[4]) && cislice(t[6]) && cislice(t[7]) && (t[0] < '2' || (t[0] == '2' && t[1] <= '3'))
        && t[3] <= '5' && t[6] <= '5') {
        out.assign(t, 8);
        return;
    }
    out = Oprav_Delku(fromCp1250(p.data, p.size)).toStdString();
}

} // namespace

QString Oprav_Delku(const QString& text)
{
    return cl_Datum().test_casu(text, true);
}

void Nacti_cislo_a_datum(const Pole_vety (&pole)[10], Struktura_vety& veta)
{
    veta.cislo_vety = textNaCislo(pole[0].data, pole[0].size);
    textPole(pole[1], 255, veta.datum_a_cas);
}

void Nacti_zbytek(const Pole_vety (&pole)[10], Struktura_vety& veta)
{
    delka(pole[2], veta.delka_hovoru);
    textPole(pole[3], kDelkaVolanehoCisla, veta.volane_cislo);
    veta.pocet_impulsu = textNaCislo(pole[4].data, pole[4].size);
    veta.prepojeni = !(pole[5].size == 1 && pole[5].data[0] == '0');
    veta.cislo_pobocky = textNaCislo(pole[6].data, pole[6].size);
    veta.cislo_linky = textNaCislo(pole[7].data, pole[7].size);
    textPole(pole[8], kDelkaDoplnkoveInformace, veta.doplnkova_informace);
    textPole(pole[9], kDelkaKoduUctu, veta.kod_uctu);
}

void Nacti_data(const char* body, int len, Struktura_vety& veta)
{
    Pole_vety pole[10];
    rozdel_vetu(body, len, pole);
    Nacti_cislo_a_datum(pole, veta);
    Nacti_zbytek(pole, veta);
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
    m_bodyLen = 0;
    m_body[0] = 0;
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
    m_bodyLen = 0;
    if (m_data.size() - m_pos < m_n) {
        // Cut short by the end of the file.
        m_pos = m_data.size();
        return Vysledek::Chybna;
    }
    const int len = Odkoduj_vetu(m_data.constData() + m_pos, m_c, m_n, m_body);
    m_pos += m_n;
    if (!Veta_je_spravne(m_body, len)) return Vysledek::Chybna;
    m_bodyLen = len;
    return Vysledek::Veta;
}

Datovy_soubor_sberace::Vysledek Datovy_soubor_sberace::next()
{
    if (!nextHeader()) return Vysledek::Konec;
    return readBody();
}

} // namespace kavro
