#include "common/datum.h"
#include "common/knihovna.h"
#include "platform/clock.h"

#include <gtest/gtest.h>

using kavro::cl_Datum;
using kavro::SYSTEMTIME;

namespace {

const QString kDC = QStringLiteral("RRRR-MM-DD HH:MM:SS");

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
    std::string den(const char* text, int n)
    {
        SYSTEMTIME t = z(text);
        d.pridej_den(&t, n);
        return s(t);
    }
    std::string vteriny(const char* text, int n)
    {
        SYSTEMTIME t = z(text);
        d.pridej_vteriny(&t, n);
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

TEST_F(DatumTest, LeapYears)
{
    EXPECT_FALSE(d.prestupny_rok(1900));
    EXPECT_TRUE(d.prestupny_rok(2000));
    EXPECT_TRUE(d.prestupny_rok(2024));
    EXPECT_FALSE(d.prestupny_rok(2023));
    EXPECT_FALSE(d.prestupny_rok(2100));
}

TEST_F(DatumTest, EasterMondayKnownDates)
{
    const struct { int rok; const char* pondeli; } znama[] = {
        {1900, "1900-04-16 00:00:00"}, {1954, "1954-04-19 00:00:00"}, {1981, "1981-04-20 00:00:00"},
        {1999, "1999-04-05 00:00:00"}, {2000, "2000-04-24 00:00:00"}, {2008, "2008-03-24 00:00:00"},
        {2024, "2024-04-01 00:00:00"}, {2025, "2025-04-21 00:00:00"}, {2038, "2038-04-26 00:00:00"},
        {2100, "2100-03-29 00:00:00"}, {2302, "2302-04-21 00:00:00"},
    };
    for (const auto& z : znama) EXPECT_EQ(s(d.Velikonoce(z.rok)), z.pondeli) << z.rok;
}

TEST_F(DatumTest, EasterMondayAgreesWithAnotherAlgorithmOverEveryCentury)
{
    for (int rok = 1600; rok <= 2499; ++rok) {
        const SYSTEMTIME t = d.Velikonoce(rok);
        const QDate pondeli = velikonocni_nedele(rok).addDays(1);
        ASSERT_EQ(QDate(t.wYear, t.wMonth, t.wDay), pondeli) << rok;
        ASSERT_EQ(t.wHour + t.wMinute + t.wSecond, 0) << rok;
    }
}

TEST_F(DatumTest, EasterMondayOutsideItsCenturiesIsYearZero)
{
    EXPECT_EQ(d.Velikonoce(1599).wYear, 0);
    EXPECT_EQ(d.Velikonoce(2500).wYear, 0);
    EXPECT_EQ(d.Velikonoce(-5).wYear, 0);
}

TEST_F(DatumTest, StepByDaysAcrossMonthAndYearEnds)
{
    EXPECT_EQ(den("2000-02-28", 1), "2000-02-29 00:00:00");
    EXPECT_EQ(den("1900-02-28", 1), "1900-03-01 00:00:00");
    EXPECT_EQ(den("2004-03-01", -1), "2004-02-29 00:00:00");
    EXPECT_EQ(den("2001-01-01", -1), "2000-12-31 00:00:00");
    EXPECT_EQ(den("1999-12-31 10:11:12", 1), "2000-01-01 10:11:12");
    EXPECT_EQ(den("2024-01-31", 366), "2025-01-31 00:00:00");
    EXPECT_EQ(den("2024-05-05", 0), "2024-05-05 00:00:00");
}

TEST_F(DatumTest, StepByDaysStopsAtBothEnds)
{
    EXPECT_EQ(den("9999-12-30", 5), "9999-12-31 00:00:00");
    EXPECT_EQ(den("0000-01-02", -5), "0000-01-01 00:00:00");
    EXPECT_EQ(den("0001-01-01", -1), "0000-12-31 00:00:00");
    EXPECT_EQ(den("5000-01-01", 2000000000), "9999-12-31 00:00:00");
    EXPECT_EQ(den("5000-01-01", -2000000000), "0000-01-01 00:00:00");
}

TEST_F(DatumTest, StepByDaysBringsADamagedRecordIntoRange)
{
    EXPECT_EQ(den("2001-13-40", 0), "2001-12-31 00:00:00");
    EXPECT_EQ(den("2001-00-00", 1), "2001-01-02 00:00:00");
    EXPECT_EQ(den("2001-02-31", 1), "2001-03-01 00:00:00");
}

TEST_F(DatumTest, StepBySeconds)
{
    EXPECT_EQ(vteriny("1999-12-31 23:59:59", 1), "2000-01-01 00:00:00");
    EXPECT_EQ(vteriny("2000-01-01 00:00:00", -1), "1999-12-31 23:59:59");
    EXPECT_EQ(vteriny("2000-02-28 23:00:00", 3600), "2000-02-29 00:00:00");
    EXPECT_EQ(vteriny("2001-03-01 00:00:30", -60), "2001-02-28 23:59:30");
    EXPECT_EQ(vteriny("2024-06-15 12:00:00", 86400 * 3 + 61), "2024-06-18 12:01:01");
    EXPECT_EQ(vteriny("9999-12-31 23:59:59", 1), "9999-12-31 23:59:59");
    EXPECT_EQ(vteriny("0000-01-01 00:00:00", -1), "0000-01-01 00:00:00");
}

TEST_F(DatumTest, TodayAndNowInEveryPicture)
{
    EXPECT_EQ(d.vrat_datum("RRRR-MM-DD").toStdString(), "2024-06-15");
    EXPECT_EQ(d.vrat_datum("DD.MM.RRRR").toStdString(), "15.06.2024");
    EXPECT_EQ(d.vrat_datum("RRRR.MM.DD").toStdString(), "2024.06.15");
    EXPECT_EQ(d.vrat_datum("RRRRMMDD").toStdString(), "20240615");
    EXPECT_EQ(d.vrat_datum("RRRR-MM-DD HH:MM:SS").toStdString(), "Nespravny format data");
    EXPECT_EQ(d.vrat_datum("").toStdString(), "Nespravny format data");
    EXPECT_EQ(d.vrat_cas().toStdString(), "13:45:07");
    const SYSTEMTIME t = d.vrat_systemtime();
    EXPECT_EQ(s(t), "2024-06-15 13:45:07");
    EXPECT_EQ(t.wDayOfWeek, 6); // a Saturday
}

TEST_F(DatumTest, FormattingARecord)
{
    const SYSTEMTIME t = z("0987-03-05 07:08:09");
    EXPECT_EQ(d.strDate(&t, "DD.MM.RRRR").toStdString(), "05.03.0987");
    EXPECT_EQ(d.strDate(&t, "RRRR.MM.DD").toStdString(), "0987.03.05");
    EXPECT_EQ(d.strDate(&t, "RRRRMMDD").toStdString(), "09870305");
    EXPECT_EQ(d.strDate(&t, "RRRR-MM-DD").toStdString(), "0987-03-05");
    EXPECT_EQ(d.strDate(&t, "RRRR-MM-DD HH:MM:SS").toStdString(), "0987-03-05 07:08:09");
    EXPECT_EQ(d.strDate(&t, "RRRR/MM/DD").toStdString(), "Nespravny format data");
}

TEST_F(DatumTest, TextToRecord)
{
    EXPECT_EQ(s(z("1999-03-05")), "1999-03-05 00:00:00");
    EXPECT_EQ(s(z("1999-03-05 10:2")), "1999-03-05 10:02:00");
    SYSTEMTIME t = z("2001-02-03 04:05:06");
    d.Napln_do_SYSTEMTIME(&t, "1999-03-05", "RRRR-MM-DD");
    EXPECT_EQ(s(t), "2001-02-03 04:05:06"); // other pictures leave it unchanged
}

TEST_F(DatumTest, TypedDatesDottedForms)
{
    EXPECT_EQ(td("5.3.1999"), "1999-03-05");
    EXPECT_EQ(td("5.3."), "2024-03-05");
    EXPECT_EQ(td("5.3"), "2024-03-05");
    EXPECT_EQ(td("5.3.99"), "0099-03-05");
    EXPECT_EQ(td("1999.03.05"), "0005-03-31");
    EXPECT_EQ(td("31.4.2001"), "2001-04-30");
}

TEST_F(DatumTest, TypedDatesClamped)
{
    EXPECT_EQ(td("1999-2"), "1999-02-01");
    EXPECT_EQ(td("1999-13-40"), "1999-12-31");
    EXPECT_EQ(td("1999-02-30"), "1999-02-28");
    EXPECT_EQ(td("2000-02-30"), "2000-02-29");
    EXPECT_EQ(td("1900-02-29"), "1900-02-28");
    EXPECT_EQ(td("12345-1-1"), "0000-01-01");
    EXPECT_EQ(td("1999-00-00"), "1999-01-01");
    EXPECT_EQ(td("1999-06-31"), "1999-06-30");
    EXPECT_EQ(td("2001-03-05 10:20:30"), "2001-03-05");
    EXPECT_EQ(td("99999999999999-5-5"), "0000-05-05");
}

TEST_F(DatumTest, TypedDatesWithoutSeparatorGiveToday)
{
    EXPECT_EQ(td(""), "2024-06-15");
    EXPECT_EQ(td("abc"), "2024-06-15");
    EXPECT_EQ(td("20010305"), "2024-06-15");
    const QString text = QStringLiteral("5.3.1999");
    EXPECT_EQ(d.test_datumu(&text).toStdString(), "1999-03-05");
    EXPECT_EQ(text.toStdString(), "5.3.1999"); // the argument is left as it was
}

TEST_F(DatumTest, TypedTimes)
{
    EXPECT_EQ(tc("8", true), "00:00:00");
    EXPECT_EQ(tc("8", false), "13:45:07");
    EXPECT_EQ(tc("", true), "00:00:00");
    EXPECT_EQ(tc("", false), "13:45:07");
    EXPECT_EQ(tc("8:5", true), "08:05:00");
    EXPECT_EQ(tc("7:05:30", true), "07:05:30");
    EXPECT_EQ(tc("25:61:70", true), "23:59:59");
    EXPECT_EQ(tc("830", true), "23:00:00");
    EXPECT_EQ(tc("ab:cd", true), "00:00:00");
    EXPECT_EQ(tc("12:30:15:99", true), "12:30:15");
}

TEST_F(DatumTest, ColumnWidth)
{
    using kavro::knihovna::uprav_delku;
    EXPECT_EQ(uprav_delku("Praha", 8), QStringLiteral("Praha   "));
    EXPECT_EQ(uprav_delku("Praha", 3), QStringLiteral("Pra"));
    EXPECT_EQ(uprav_delku("Praha", 0), QString());
    EXPECT_EQ(uprav_delku("Praha", -2), QString());
    EXPECT_EQ(uprav_delku(QStringLiteral("Žďár"), 6), QStringLiteral("Žďár  "));
}

TEST_F(DatumTest, DateBoxStepping)
{
    using kavro::knihovna::uprav_datum_text;
    EXPECT_EQ(uprav_datum_text("1999-12-31", 1), QStringLiteral("2000-01-01"));
    EXPECT_EQ(uprav_datum_text("2000-03-01", -1), QStringLiteral("2000-02-29"));
    // The text is normalised before it is stepped.
    EXPECT_EQ(uprav_datum_text("2001-13-05", 1), QStringLiteral("2001-12-06"));
    EXPECT_EQ(uprav_datum_text("2001-99-99", 1), QStringLiteral("2002-01-01"));
    EXPECT_EQ(uprav_datum_text("5.3.2001", 1), QStringLiteral("2001-03-06"));
    EXPECT_EQ(uprav_datum_text("", 1), QStringLiteral("2024-06-16"));
    EXPECT_EQ(uprav_datum_text("9999-12-31", 1), QStringLiteral("9999-12-31"));
    EXPECT_EQ(uprav_datum_text("0000-01-01", -1), QStringLiteral("0000-01-01"));
}

TEST_F(DatumTest, TimeBoxStepping)
{
    using kavro::knihovna::uprav_cas_text;
    EXPECT_EQ(uprav_cas_text("23:59:59", 1), QStringLiteral("00:00:00"));
    EXPECT_EQ(uprav_cas_text("00:00:00", -1), QStringLiteral("23:59:59"));
    EXPECT_EQ(uprav_cas_text("10:59:59", 1), QStringLiteral("11:00:00"));
    // The text is normalised before it is stepped: no "100:00:00".
    EXPECT_EQ(uprav_cas_text("99:59:59", 1), QStringLiteral("00:00:00"));
    EXPECT_EQ(uprav_cas_text("7:5", 1), QStringLiteral("07:05:01"));
    EXPECT_EQ(uprav_cas_text("", -1), QStringLiteral("23:59:59"));
    EXPECT_EQ(uprav_cas_text("12:00:00", -86400 * 2 - 1), QStringLiteral("11:59:59"));
}

} // namespace
