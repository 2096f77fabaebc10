#pragma once
// The collector's daily file.
//
// The collector writes one file a day, named YYYYMMDD.dat. The file is a plain
// sequence of records: a coding byte c, a length byte (body length n = byte XOR c)
// and n body bytes, each scrambled by XOR with c. The plain body is a line of ten
// ';'-separated fields ending with CR LF:
//   record number;YYYY-MM-DD HH:MM:SS;HH:MM:SS;called number;impulses;transfer;
//   extension;line;supplementary information;account code CR LF
// Texts are in code page 1250; they are decoded after being cut to their lengths.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <string>

namespace kavro {

// One call record as the import stores it. Texts are held in UTF-8, the form
// in which they are bound into the insert; the import refills one record for
// every call, so the text buffers are reused.
struct Struktura_vety {
    qint32 cislo_vety = 0;            // record number -> id_hovoru
    std::string datum_a_cas;          // YYYY-MM-DD HH:MM:SS
    std::string delka_hovoru;         // HH:MM:SS, clamped
    std::string volane_cislo;         // at most 31 characters
    qint32 pocet_impulsu = 0;
    bool prepojeni = false;           // transfer mark: false only for exactly "0"
    qint32 cislo_pobocky = 0;         // extension (leading zeros are lost)
    qint32 cislo_linky = 0;           // trunk line
    std::string doplnkova_informace;  // at most 20 characters
    std::string kod_uctu;             // at most 10 characters
};

// A field of a plain body: its bytes inside the body, trimmed of blanks.
struct Pole_vety {
    const char* data = nullptr;
    int size = 0;
};

// Lengths of the text members.
constexpr int kDelkaVolanehoCisla = 31;
constexpr int kDelkaDoplnkoveInformace = 20;
constexpr int kDelkaKoduUctu = 10;

// De-scrambles n body bytes with the coding byte and returns the plain text up to
// its first zero byte.
QByteArray Odkoduj_vetu(const char* body, quint8 c, quint8 n);
// The same into `out` (at least n + 1 bytes); returns the length of the text.
int Odkoduj_vetu(const char* body, quint8 c, quint8 n, char* out);

// The validity rule of a plain body:
//   | what                         | where                              | must be      |
//   |------------------------------|------------------------------------|--------------|
//   | length                       | the whole body                     | 36 or more   |
//   | separators                   | 9, 29                              | ';'          |
//   |                              | 14, 17                             | '-'          |
//   |                              | 20                                 | ' '          |
//   |                              | 23, 26, 32, 35                     | ':'          |
//   | no control character         | every byte but a final CR LF       | 0x20 or more, not 0x7F |
// A record whose length byte was damaged swallows its CR LF and the next
// record's header: the control characters tell it apart.
bool Veta_je_spravne(const char* body, int len);
inline bool Veta_je_spravne(const QByteArray& body) { return Veta_je_spravne(body.constData(), int(body.size())); }

// Field k (0-based) of a plain body, trimmed of blanks; the last field loses the
// body's last two characters (its CR LF). A field that does not exist is empty.
QByteArray vrat_polozku(const QByteArray& body, int k);
// All ten fields at once, split in the same way (no copies).
void rozdel_vetu(const char* body, int len, Pole_vety (&pole)[10]);

// Whether a record's date and time ("YYYY-MM-DD hh:mm:ss") is a real moment:
// digits where digits belong, month 1-12, a day the month has, hh < 24,
// mm and ss < 60. The collector's "0000-00-00 00:00:00" is not one.
bool Datum_a_cas_je_platny(const std::string& datum_a_cas);
// Whether a duration "hh:mm:ss" holds only digits and the two colons.
bool Delka_je_platna(const Pole_vety& pole);

// Clears a record: numbers 0, texts empty, transfer mark false.
void Vynuluj_strukturu(Struktura_vety& veta);

// Fills the ten members from the fields of a plain body.
void Nacti_data(const char* body, int len, Struktura_vety& veta);
inline void Nacti_data(const QByteArray& body, Struktura_vety& veta)
{
    Nacti_data(body.constData(), int(body.size()), veta);
}
// Only the record number and the date and time (all the import needs to tell
// a call already stored and the day of the record).
void Nacti_cislo_a_datum(const Pole_vety (&pole)[10], Struktura_vety& veta);
// The remaining members.
void Nacti_zbytek(const Pole_vety (&pole)[10], Struktura_vety& veta);

// A duration as HH:MM:SS: hours clamped to 0..23, minutes and seconds to 0..59;
// a text shorter than two characters gives "00:00:00" (the date functions' time check).
QString Oprav_Delku(const QString& text);

// Decimal text to a number the way the exchange's values are read: optional sign,
// then digits up to the first other character; no digits gives 0.
qint32 textNaCislo(const char* text, int len);
inline qint32 textNaCislo(const QByteArray& text) { return textNaCislo(text.constData(), int(text.size())); }

// Reads one daily file record by record. The file is opened read-only.
class Datovy_soubor_sberace {
public:
    enum class Vysledek {
        Veta,       // a valid record: body() holds its plain text
        Konec,      // the end of the file (fewer than 2 bytes left)
        Chybna      // a malformed record (rule failed, or cut short by the end of the file)
    };

    Datovy_soubor_sberace() = default;
    Datovy_soubor_sberace(const Datovy_soubor_sberace&) = delete;
    Datovy_soubor_sberace& operator=(const Datovy_soubor_sberace&) = delete;

    // False when the file is missing or cannot be read.
    bool open(const QString& path);
    void close();
    bool isOpen() const { return m_open; }
    qint64 size() const { return m_data.size(); }

    // Reads the 2-byte header of the next record. False at the end of the file.
    // The caller may stop here (a cancel) without reading the body.
    bool nextHeader();
    // Reads the body announced by the last header and checks it.
    Vysledek readBody();
    // nextHeader() and readBody() together.
    Vysledek next();

    // Plain body of the last valid record.
    const char* bodyData() const { return m_body; }
    int bodySize() const { return m_bodyLen; }
    QByteArray body() const { return QByteArray(m_body, m_bodyLen); }
    // Position in the file after the last record read.
    qint64 position() const { return m_pos; }

private:
    QByteArray m_data;
    qint64 m_pos = 0;
    quint8 m_c = 0;
    quint8 m_n = 0;
    bool m_open = false;
    char m_body[257] = {};
    int m_bodyLen = 0;
};

} // namespace kavro
