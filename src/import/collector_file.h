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

namespace kavro {

// One call record as the import stores it.
struct Struktura_vety {
    qint32 cislo_vety = 0;          // record number -> id_hovoru
    QString datum_a_cas;            // YYYY-MM-DD HH:MM:SS
    QString delka_hovoru;           // HH:MM:SS, clamped
    QString volane_cislo;           // at most 31 characters
    qint32 pocet_impulsu = 0;
    bool prepojeni = false;         // transfer mark: false only for exactly "0"
    qint32 cislo_pobocky = 0;       // extension (leading zeros are lost)
    qint32 cislo_linky = 0;         // trunk line
    QString doplnkova_informace;    // at most 20 characters
    QString kod_uctu;               // at most 10 characters
};

// Lengths of the text members.
constexpr int kDelkaVolanehoCisla = 31;
constexpr int kDelkaDoplnkoveInformace = 20;
constexpr int kDelkaKoduUctu = 10;

// De-scrambles n body bytes with the coding byte and returns the plain text up to
// its first zero byte.
QByteArray Odkoduj_vetu(const char* body, quint8 c, quint8 n);

// The validity rule: the separators at positions 9, 14, 17, 20, 23, 26, 29, 32, 35.
// A body shorter than 36 characters is not valid.
bool Veta_je_spravne(const QByteArray& body);

// Field k (0-based) of a plain body, trimmed of blanks; the last field loses the
// body's last two characters (its CR LF). A field that does not exist is empty.
QByteArray vrat_polozku(const QByteArray& body, int k);

// Clears a record: numbers 0, texts empty, transfer mark false.
void Vynuluj_strukturu(Struktura_vety& veta);

// Fills the ten members from the fields of a plain body.
void Nacti_data(const QByteArray& body, Struktura_vety& veta);

// A duration as HH:MM:SS: hours clamped to 0..23, minutes and seconds to 0..59;
// a text shorter than two characters gives "00:00:00".
QString Oprav_Delku(const QString& text);

// Decimal text to a number the way the exchange's values are read: optional sign,
// then digits up to the first other character; no digits gives 0.
qint32 textNaCislo(const QByteArray& text);

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
    const QByteArray& body() const { return m_body; }
    // Position in the file after the last record read.
    qint64 position() const { return m_pos; }

private:
    QByteArray m_data;
    qint64 m_pos = 0;
    quint8 m_c = 0;
    quint8 m_n = 0;
    bool m_open = false;
    QByteArray m_body;
};

} // namespace kavro
