#pragma once
// The holidays of the table pevne_svatky, as the holiday calendar keeps them:
// the fixed holidays of every year (year 0) or the holidays of one year.
//
// Tariffing gives a working day that falls on one of these holidays the day
// type of a Sunday. A window for a year also keeps that year's Easter row,
// described "Velikonoce", on Easter Monday.
//
// Each row has its own id (id_svatku), so an edit or a delete touches exactly
// the row shown, also when two rows share the same day.
#include <QList>
#include <QString>
#include <QVariant>

namespace kavro {

class Transaction;

// The holiday calendar's request: the year as text, "0" for the fixed holidays.
struct FDX_Kalendar_svatku {
    QString rok;
};

// One node of the holiday calendar: a month (day 99) or a holiday.
struct Struct_svatky {
    static constexpr int DenMesice = 99;   // the day of a month node

    int rezim = 0;           // to the edit dialog: 1 insert, 2 edit, 3 delete; back: 1 confirmed, 0 left
    int den = 0;
    int mesic = 0;
    QString nazev;
    qint64 id_svatku = 0;    // its row; 0 for a month node
    int stav = 0;            // 0 as loaded, 1 added in this opening, 2 edited, 3 deleted
    int rok = 0;             // the calendar's year the day must exist in; 0 for every year
    bool editovatelny = true;

    bool jeMesic() const { return den == DenMesice; }
};

class Pevne_svatky {
public:
    // The description that marks a year's Easter row.
    static const QString Velikonoce;

    // `rok` as the request gives it: a text whose value is 0 means the fixed holidays.
    explicit Pevne_svatky(const QString& rok);
    Pevne_svatky(const QString& rok, Transaction& t);

    bool pevne() const { return m_pevne; }
    QString rok() const { return m_rok; }
    // "Kalendář pevných svátků" or "Kalendář svátků pro rok " + the year.
    QString titulek() const;
    // Czech name of a month 1..12 ("Leden" ... "Prosinec").
    static QString nazevMesice(int mesic);
    // The text of a holiday node: the day "%02d", "  -  ", the description.
    static QString textUzlu(const Struct_svatky& s);
    // The days of a month in year `rok`; for 0 (every year) the most it ever has (29 in February).
    static int delkaMesice(int mesic, int rok);
    // The day of a holiday must exist in its month: in that year, or in some year for 0.
    static bool denPlati(int den, int mesic, int rok = 0);
    // The year whose days the holidays are: 0 for the fixed holidays or a year that is no number.
    int rokDnu() const { return m_pevne || !m_cislo ? 0 : m_hodnota; }

    // The holidays of a month, by day. False when the table cannot be read.
    bool nacti(int mesic, QList<Struct_svatky>* svatky);
    // Stores a new holiday and gives it its id. A day its month does not
    // have in this calendar's year is refused (as by oprav).
    bool vloz(Struct_svatky* s);
    // Writes day, month and description of the holiday's row; false also
    // when the row is no longer there (as for smaz).
    bool oprav(const Struct_svatky& s);
    bool smaz(const Struct_svatky& s);
    // Adds the year's Easter row when the year has none; `vlozeno` says whether
    // it did. A fixed calendar, a year that is not a number or lies outside the
    // years Easter is computed for get none. The caller commits.
    bool Vloz_velikonoce(bool* vlozeno);

    // Why the last operation failed: the engine's text, or that the row is gone.
    QString lastError() const { return m_error; }

private:
    bool selhani(const QString& text);
    // False, with the reason, when the holiday's day is not in its month.
    bool denMesice(const Struct_svatky& s);

    Transaction& m_t;
    QString m_rok;
    QVariant m_klic;     // the year as stored: its value, or the text when it is no number
    bool m_cislo = false;
    int m_hodnota = 0;
    bool m_pevne = false;
    QString m_error;
};

} // namespace kavro
