#include "common/datum.h"
#include "common/knihovna.h"
#include "platform/clock.h"

#include <gtest/gtest.h>

using kavro::cl_Datum;
using kavro::SYSTEMTIME;

namespace {

const QString kDC = QStringLiteral("RRRR-MM-DD HH:MM:SS");

// One input, a step and the text expected from it.
struct Pripad {
    const char* vstup;
    int n;
    const char* ma_byt;
};

// The clock is fixed at 2024-06-15 13:45:07 for every test here.
class DatumTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        kavro::clock::setFixedNow(QDateTime(QDate(2024, 6, 15), QTime(13, 45, 7)));
    }
    void TearDown() override { kavro::clock::setFixedNow(QDateTime()); }

    SYSTEMTIME z(const char* text)
    {
        SYSTEMTIME t;
        d.Napln_do_SYSTEMTIME(&t, QString::fromLatin1(text), kDC);
        return t;
    }
    std::string s(const SYSTEMTIME& t) { return d.strDate(&t, kDC).toStdString(); }
    std::string krok(const char* text, int n, bool vteriny = false)
    {
        SYSTEMTIME t = z(text);
        vteriny ? d.pridej_vteriny(&t, n) : d.pridej_den(&t, n);
        return s(t);
    }
    std::string td(const char* text) { return d.test_datumu(QString::fromUtf8(text)).toStdString(); }
    std::string tc(const char* text, bool nula)
    {
        return d.test_casu(QString::fromUtf8(text), nula).toStdString();
    }

    cl_Datum d;
};

// Easter Sunday by the anonymous Gregorian algorithm (Meeus/Jones/Butcher),
// an independent way to the same date.
QDate velikonocni_nedele(int y)
{
    const int a = y % 19, b = y / 100, c = y % 100, dd = b / 4, e = b % 4;
    const int f = (b + 8) / 25, g = (b - f + 1) / 3, h = (19 * a + b - dd - g + 15) % 30;
    const int i = c / 4, k = c % 4, l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int mesic = (h + l - 7 * m + 114) / 31, den = (h + l - 7 * m + 114) % 31 + 1;
    return QDate(y, mesic, den);
}

TEST_F(DatumTest, EasterMondayAgreesWithAnotherAlgorithmAndStaysInItsCenturies)
{
    // Known dates pin the other algorithm down too: the earliest, the latest,
    // and a Monday in the month after Easter Sunday.
    EXPECT_EQ(s(d.Velikonoce(2008)), "2008-03-24 00:00:00");
    EXPECT_EQ(s(d.Velikonoce(2038)), "2038-04-26 00:00:00");
    EXPECT_EQ(s(d.Velikonoce(2024)), "2024-04-01 00:00:00");
    for (int rok = 1600; rok <= 2499; ++rok) {
        const SYSTEMTIME t = d.Velikonoce(rok);
        const QDate pondeli = velikonocni_nedele(rok).addDays(1);
        ASSERT_EQ(QDate(t.wYear, t.wMonth, t.wDay), pondeli) << rok;
        ASSERT_EQ(t.wHour + t.wMinute + t.wSecond, 0) << rok;
    }
    EXPECT_EQ(d.Velikonoce(1599).wYear, 0);
    EXPECT_EQ(d.Velikonoce(2500).wYear, 0);
}

TEST_F(DatumTest, StepByDays)
{
    const Pripad pripady[] = {
        // Leap years and month and year ends.
        {"2000-02-28", 1, "2000-02-29 00:00:00"},
        {"1900-02-28", 1, "1900-03-01 00:00:00"},
        {"2004-03-01", -1, "2004-02-29 00:00:00"},
        {"1999-12-31 10:11:12", 1, "2000-01-01 10:11:12"},
        {"2024-01-31", 366, "2025-01-31 00:00:00"},
        // The step stops at both ends, also for steps far beyond them.
        {"9999-12-30", 5, "9999-12-31 00:00:00"},
        {"0001-01-01", -1, "0000-12-31 00:00:00"},
        {"5000-01-01", 2000000000, "9999-12-31 00:00:00"},
        {"5000-01-01", -2000000000, "0000-01-01 00:00:00"},
        // A damaged record is brought into range first.
        {"2001-13-40", 0, "2001-12-31 00:00:00"},
        {"2001-00-00", 1, "2001-01-02 00:00:00"},
        {"2001-02-31", 1, "2001-03-01 00:00:00"},
    };
    for (const Pripad& p : pripady) EXPECT_EQ(krok(p.vstup, p.n), p.ma_byt) << p.vstup << " " << p.n;
    EXPECT_FALSE(d.prestupny_rok(2100));
}

TEST_F(DatumTest, StepBySeconds)
{
    EXPECT_EQ(krok("1999-12-31 23:59:59", 1, true), "2000-01-01 00:00:00");
    EXPECT_EQ(krok("2000-02-28 23:00:00", 3600, true), "2000-02-29 00:00:00");
    EXPECT_EQ(krok("2001-03-01 00:00:30", -60, true), "2001-02-28 23:59:30");
    EXPECT_EQ(krok("9999-12-31 23:59:59", 1, true), "9999-12-31 23:59:59");
    EXPECT_EQ(krok("0000-01-01 00:00:00", -1, true), "0000-01-01 00:00:00");
}

TEST_F(DatumTest, TodayNowTextsAndPictures)
{
    EXPECT_EQ(d.vrat_datum("DD.MM.RRRR").toStdString(), "15.06.2024");
    EXPECT_EQ(d.vrat_datum("RRRR-MM-DD HH:MM:SS").toStdString(), "Nespravny format data");
    EXPECT_EQ(d.vrat_cas().toStdString(), "13:45:07");
    const SYSTEMTIME t = d.vrat_systemtime();
    EXPECT_EQ(s(t), "2024-06-15 13:45:07");
    EXPECT_EQ(t.wDayOfWeek, 6); // a Saturday

    // Years below 1000 keep their leading zeros.
    const SYSTEMTIME r = z("0987-03-05 07:08:09");
    EXPECT_EQ(d.strDate(&r, "DD.MM.RRRR").toStdString(), "05.03.0987");
    EXPECT_EQ(d.strDate(&r, "RRRRMMDD").toStdString(), "09870305");
    EXPECT_EQ(s(r), "0987-03-05 07:08:09");
    EXPECT_EQ(d.strDate(&r, "RRRR/MM/DD").toStdString(), "Nespravny format data");

    // A text is read into a record only in the date-time picture; a short time is read as it stands.
    EXPECT_EQ(s(z("1999-03-05 10:2")), "1999-03-05 10:02:00");
    SYSTEMTIME t2 = r;
    d.Napln_do_SYSTEMTIME(&t2, "1999-03-05", "RRRR-MM-DD");
    EXPECT_EQ(s(t2), "0987-03-05 07:08:09");
}

TEST_F(DatumTest, TypedDates)
{
    const struct {
        const char* vstup;
        const char* ma_byt;
    } pripady[] = {
        // Day first with dots; a missing year is this year's, a short one is not widened.
        {"5.3.1999", "1999-03-05"}, {"5.3.", "2024-03-05"}, {"5.3", "2024-03-05"},
        {"5.3.99", "0099-03-05"}, {"1999.03.05", "0005-03-31"},
        // Clamped into the calendar, leap years included.
        {"31.4.2001", "2001-04-30"}, {"1999-13-40", "1999-12-31"}, {"1999-00-00", "1999-01-01"},
        {"2000-02-30", "2000-02-29"}, {"1900-02-29", "1900-02-28"}, {"1999-2", "1999-02-01"},
        {"99999999999999-5-5", "0000-05-05"}, {"2001-03-05 10:20:30", "2001-03-05"},
        // No separator at all gives today.
        {"", "2024-06-15"}, {"20010305", "2024-06-15"},
    };
    for (const auto& p : pripady) EXPECT_EQ(td(p.vstup), p.ma_byt) << p.vstup;
    const QString text = QStringLiteral("5.3.1999");
    EXPECT_EQ(d.test_datumu(&text).toStdString(), "1999-03-05");
    EXPECT_EQ(text.toStdString(), "5.3.1999"); // the argument is left as it was
}

TEST_F(DatumTest, TypedTimes)
{
    EXPECT_EQ(tc("8", true), "00:00:00");
    EXPECT_EQ(tc("8", false), "13:45:07");
    EXPECT_EQ(tc("8:5", true), "08:05:00");
    EXPECT_EQ(tc("25:61:70", true), "23:59:59");
    EXPECT_EQ(tc("830", true), "23:00:00");
    EXPECT_EQ(tc("12:30:15:99", true), "12:30:15");
}

TEST_F(DatumTest, ColumnWidth)
{
    using kavro::knihovna::uprav_delku;
    EXPECT_EQ(uprav_delku("Praha", 3), QStringLiteral("Pra"));
    EXPECT_EQ(uprav_delku("Praha", -2), QString());
    EXPECT_EQ(uprav_delku(QStringLiteral("Žďár"), 6), QStringLiteral("Žďár  "));
}

// The boxes' steps: the text is normalised first, then stepped.
TEST_F(DatumTest, BoxStepping)
{
    using kavro::knihovna::uprav_cas_text;
    using kavro::knihovna::uprav_datum_text;
    EXPECT_EQ(uprav_datum_text("2000-03-01", -1), QStringLiteral("2000-02-29"));
    EXPECT_EQ(uprav_datum_text("2001-13-05", 1), QStringLiteral("2001-12-06"));
    EXPECT_EQ(uprav_datum_text("5.3.2001", 1), QStringLiteral("2001-03-06"));
    EXPECT_EQ(uprav_datum_text("", 1), QStringLiteral("2024-06-16"));
    // Only the time of day is kept: the time wraps at midnight, never "100:00:00".
    EXPECT_EQ(uprav_cas_text("23:59:59", 1), QStringLiteral("00:00:00"));
    EXPECT_EQ(uprav_cas_text("99:59:59", 1), QStringLiteral("00:00:00"));
    EXPECT_EQ(uprav_cas_text("", -1), QStringLiteral("23:59:59"));
    EXPECT_EQ(uprav_cas_text("12:00:00", -86400 * 2 - 1), QStringLiteral("11:59:59"));
}

} // namespace
