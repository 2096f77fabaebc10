#pragma once
// Calendar arithmetic and the date and time texts of the program.
//
// Dates travel as a SYSTEMTIME record or as text in the database's form
// "RRRR-MM-DD" / "RRRR-MM-DD HH:MM:SS". The pictures understood by the
// formatting operations are "DD.MM.RRRR", "RRRR.MM.DD", "RRRRMMDD",
// "RRRR-MM-DD" and (strDate only) "RRRR-MM-DD HH:MM:SS"; any other picture
// gives the text "Nespravny format data".
//
// Every caller makes its own cl_Datum; an object holds only the month-length
// table and is not to be shared between threads.
#include <QString>
#include <cstdint>

namespace kavro {

// Date and time of day in one record, fields in the order the program has
// always kept them. The date operations read and write year, month, day, hour,
// minute and second only; day of week (0 = Sunday) and milliseconds are filled
// by vrat_systemtime alone.
struct SYSTEMTIME {
    std::uint16_t wYear = 0;
    std::uint16_t wMonth = 0;
    std::uint16_t wDayOfWeek = 0;
    std::uint16_t wDay = 0;
    std::uint16_t wHour = 0;
    std::uint16_t wMinute = 0;
    std::uint16_t wSecond = 0;
    std::uint16_t wMilliseconds = 0;
};

bool operator==(const SYSTEMTIME& a, const SYSTEMTIME& b);

class cl_Datum {
public:
    // The answer of the formatting operations to a picture they do not know.
    static const char* const NespravnyFormat; // "Nespravny format data"

    cl_Datum();

    // Writes the twelve month lengths (February 28).
    void Napln_pocty_dni();
    // Gregorian rule: divisible by 4 and not by 100, or divisible by 400.
    bool prestupny_rok(int rok) const;
    // Length of a month of a year (0 for a month outside 1..12).
    int delka_mesice(int mesic, int rok) const;

    // Steps the date of *t by n days (negative = back). Forward stepping stops
    // at 9999-12-31, backward stepping at 0000-01-01. A record whose month or
    // day is out of range is first brought into range. Time fields untouched.
    void pridej_den(SYSTEMTIME* t, int n);
    // Steps the time of *t by n seconds, carrying into the date. Stops at
    // 9999-12-31 23:59:59 and at 0000-01-01 00:00:00.
    void pridej_vteriny(SYSTEMTIME* t, int n);

    // Easter Monday of the year at 00:00:00. For a year outside 1600..2499
    // the record is all zero (year 0).
    SYSTEMTIME Velikonoce(int rok);

    // Today in a date picture ("Nespravny format data" for any other picture,
    // the date-and-time picture included).
    QString vrat_datum(const QString& format);
    // The current time "hh:mm:ss".
    QString vrat_cas();
    // The current date and time from the program's clock.
    SYSTEMTIME vrat_systemtime();

    // Checks and clamps a typed date; always gives "RRRR-MM-DD". Day-first
    // forms with dots are understood ("5.3.1999", "5.3.", "5.3"); a text
    // without any "-" after that (empty, "abc") gives today's date.
    QString test_datumu(const QString& text);
    QString test_datumu(const QString* text) { return test_datumu(*text); }
    // Checks and clamps a typed time; always gives "hh:mm:ss". A text shorter
    // than two characters gives "00:00:00" when nula is true, else the current time.
    QString test_casu(const QString& text, bool nula);
    QString test_casu(const QString* text, bool nula) { return test_casu(*text, nula); }

    // Fills *t from a text in the picture "RRRR-MM-DD HH:MM:SS" (fixed
    // positions; a position beyond the end of the text reads as 0, so
    // "RRRR-MM-DD" gives 00:00:00). Any other picture leaves *t unchanged.
    void Napln_do_SYSTEMTIME(SYSTEMTIME* t, const QString& text, const QString& format);
    // Formats *t in a picture.
    QString strDate(const SYSTEMTIME* t, const QString& format);

    // Reads the leading digits of a text part (after blanks) as a whole
    // number; a part without digits reads as 0. Very long numbers are capped.
    static int cislo(const QString& part);

private:
    int pocty_dni[13];
};

} // namespace kavro
