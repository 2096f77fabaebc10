// Printed reports read back from their PDF files with pdftotext -layout: every
// row stands on one line with its date-time, dialled number and price whole,
// and every page repeats the caption, the period, its number and the headings.
#include "billing/call_filter.h"
#include "billing/sestavy.h"
#include "platform/forms/report_print.h"
#include "platform/report_model.h"
#include "platform/report_runtime.h"
#include "fixture.h"
#include "test_env.h"

#include <QFile>
#include <QGuiApplication>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace kavro;

namespace {

const QString kOd = QStringLiteral("2024-03-01 00:00:00");
const QString kDo = QStringLiteral("2024-03-31 23:59:59");

// Painting needs the application's fonts.
void application()
{
    static int argc = 1;
    static char name[] = "test_billing";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) new QGuiApplication(argc, argv);
}

class Tisk : public ::testing::Test {
protected:
    void SetUp() override
    {
        application();
        ASSERT_TRUE(env.ok()) << env.error().toStdString();
        QString e;
        ASSERT_TRUE(test::naplnVyuctovani(&e)) << e.toStdString();
        ASSERT_TRUE(test::mnohoHovoru(180, &e)) << e.toStdString();
        pdf = env.dir() + QStringLiteral("/sestava.pdf");
    }

    // Billing kind 5 for March as the billing window retrieves it.
    void rozpis(Report& r)
    {
        QString s, chyba;
        ASSERT_TRUE(r.setObject(sestavy::objektVyuctovani(5)));
        ASSERT_TRUE(sestavy::vlozObdobiVyuctovani(r.select(), kOd, kDo, &s, &chyba)) << chyba.toStdString();
        r.setSelect(s);
        FDX_filtr_hovory f;
        f.typ = 5;
        f.datum_od = kOd;
        f.datum_do = kDo;
        f.id_firmy = f.id_oddeleni = f.cislo_pobocky = QStringLiteral("0");
        ASSERT_TRUE(r.retrieve(sestavy::argumentyVyuctovani(f, QStringLiteral("Dorvek firma s.r.o."))))
            << r.errorText().toStdString();
    }

    // The call browser's list of every outgoing and incoming call of March.
    void seznamHovoru(Report& r)
    {
        QString base;
        ASSERT_TRUE(CallFilter::chooseObject(r, &base)) << r.errorText().toStdString();
        FDX_filtr_hovory f;
        f.datum_od = kOd;
        f.datum_do = kDo;
        f.id_firmy = f.id_oddeleni = f.id_osoby = f.cislo_pobocky = QStringLiteral("0");
        f.kod_statu = f.kod_mesta = f.cislo_ucastnika = QStringLiteral("0");
        f.typ = 3;
        const SiteCodes site{QStringLiteral("00"), QStringLiteral("0"), QStringLiteral("420"), QStringLiteral("2")};
        ASSERT_TRUE(CallFilter(site).retrieve(r, base, f, QStringLiteral("Dorvek s.r.o.")))
            << r.errorText().toStdString();
    }

    ReportPrint::Result vytiskni(ReportPrint& tisk, const ReportPrint::Progress& prubeh = {})
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return tisk.print(&printer, prubeh);
    }

    // The PDF's pages as pdftotext -layout reads them.
    QStringList strany()
    {
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        if (!p.waitForFinished(60000) || p.exitCode() != 0) {
            ADD_FAILURE() << "pdftotext (poppler-utils, tools/deps.sh) did not run: " << p.errorString().toStdString();
            return {};
        }
        QStringList out = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\f'));
        while (!out.isEmpty() && out.last().trimmed().isEmpty()) out.removeLast();
        return out;
    }

    // Checks the pages of a printed report: the heading block on each, each
    // row's date-time, number and price whole on one line, and no page
    // opening with a sum.
    void zkontroluj(const Report& r, const ReportPrint& tisk, const QString& obdobi)
    {
        const QStringList pages = strany();
        ASSERT_EQ(pages.size(), tisk.pageCount());
        ASSERT_GE(pages.size(), 3) << "the fixture fills several pages";
        const ReportObject& o = r.object();
        QStringList titulky;
        for (const ReportColumn& c : o.columns) titulky << QRegularExpression::escape(c.title);
        const QRegularExpression hlavicky(QStringLiteral("^\\s*") + titulky.join(QStringLiteral("\\s+"))
                                          + QStringLiteral("\\s*$"));
        QStringList radky; // body lines of every page
        for (int n = 0; n < pages.size(); ++n) {
            const QStringList lines = pages[n].split(QLatin1Char('\n'));
            int nadpis = -1;
            for (int i = 0; i < lines.size() && nadpis < 0; ++i)
                if (hlavicky.match(lines[i]).hasMatch()) nadpis = i;
            ASSERT_GE(nadpis, 0) << "page " << n + 1 << " lacks the headings:\n" << pages[n].toStdString();
            const QString nahore = lines.mid(0, nadpis).join(QLatin1Char('\n'));
            EXPECT_TRUE(nahore.contains(tisk.caption())) << n + 1;
            EXPECT_TRUE(nahore.contains(obdobi)) << n + 1;
            for (const QString& h : tisk.headerLines()) EXPECT_TRUE(nahore.contains(h)) << h.toStdString();
            EXPECT_TRUE(nahore.contains(QStringLiteral("Strana %1 z %2").arg(n + 1).arg(pages.size()))) << n + 1;
            QStringList telo;
            for (int i = nadpis + 1; i < lines.size(); ++i)
                if (!lines[i].trimmed().isEmpty()) telo << lines[i];
            ASSERT_FALSE(telo.isEmpty());
            EXPECT_FALSE(telo.first().trimmed().startsWith(QStringLiteral("Součet"))
                         || telo.first().trimmed().startsWith(QLatin1String("Celkem")))
                << "page " << n + 1 << " opens with a sum";
            radky << telo;
        }
        const int datum = o.columnIndex(QStringLiteral("datum"));
        const int cislo = o.columnIndex(QStringLiteral("cislo"));
        const int cena = o.columnIndex(QStringLiteral("cena"));
        ASSERT_TRUE(datum >= 0 && cislo >= 0 && cena >= 0);
        int rows = 0;
        for (const Report::Line& l : r.lines()) {
            if (l.kind != Report::Line::Row) continue;
            ++rows;
            const QString d = ReportModel::text(o, l, datum);
            const QString c = ReportModel::text(o, l, cislo);
            const QString k = ReportModel::text(o, l, cena);
            const QRegularExpression radek(QRegularExpression::escape(d) + QStringLiteral(".*(^|\\s)")
                                           + QRegularExpression::escape(c) + QStringLiteral("\\s.*\\s")
                                           + QRegularExpression::escape(k) + QStringLiteral("(\\s|$)"));
            int nalezeno = 0;
            for (const QString& t : radky)
                if (radek.match(t).hasMatch()) ++nalezeno;
            EXPECT_EQ(nalezeno, 1) << "row " << d.toStdString() << " " << c.toStdString() << " " << k.toStdString();
        }
        EXPECT_GE(rows, 180);
    }

    test::TestEnv env;
    QString pdf;
};

TEST_F(Tisk, DetailedBillingPrintsEveryRowWholeWithHeadingsOnEveryPage)
{
    Report r;
    rozpis(r);
    ReportPrint tisk(&r);
    tisk.setCaption(QStringLiteral("Vyúčtování hovorů"));
    ASSERT_EQ(vytiskni(tisk), ReportPrint::Printed) << tisk.errorText().toStdString();
    EXPECT_EQ(tisk.caption(), QStringLiteral("Detailní rozpis hovorů za pobočky"));
    zkontroluj(r, tisk, QStringLiteral("Období 2024-03-01 – 2024-03-31"));
    // The three extensions' sums and the total are printed.
    const QString text = strany().join(QLatin1Char('\n'));
    for (const char* s : {"Součet 100", "Součet 101", "Součet 200", "Celkem"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(s))) << s;
}

TEST_F(Tisk, CallListTooWideForPortraitPrintsLandscapeWithEveryRowWhole)
{
    Report r;
    seznamHovoru(r);
    ReportPrint tisk(&r);
    tisk.setPeriod(QStringLiteral("Období %1 – %2").arg(kOd, kDo));
    ASSERT_EQ(vytiskni(tisk), ReportPrint::Printed) << tisk.errorText().toStdString();
    EXPECT_TRUE(tisk.landscape());
    EXPECT_EQ(tisk.caption(), QStringLiteral("Otarifované hovory"));
    zkontroluj(r, tisk, QStringLiteral("Období 2024-03-01 00:00:00 – 2024-03-31 23:59:59"));
    // A name too long for the page wraps between its words, on lines of its own row.
    const QString text = strany().join(QLatin1Char('\n'));
    for (const char* slovo : {"Stavebniny", "Sdružení", "Pootaví", "Sušice"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(slovo))) << slovo;
    EXPECT_FALSE(
        text.contains(QRegularExpression(QStringLiteral("\\bs\\.r\\.\\s*$"), QRegularExpression::MultilineOption)))
        << "s.r.o. split";
}

// A report of numbered rows in groups: the first of `prvni` rows, then
// groups of 2 to 40 rows; `seSkupinami` false prints the same rows without groups.
ReportObject skupiny(int prvni, bool seSkupinami = true)
{
    ReportObject o;
    o.name = QStringLiteral("skupiny");
    o.title = QStringLiteral("Skupiny");
    if (seSkupinami) o.groupColumn = QStringLiteral("skupina");
    o.columns = {ReportColumn{QStringLiteral("skupina"), QStringLiteral("Skupina"), ReportColumn::Text},
                 ReportColumn{QStringLiteral("radek"), QStringLiteral("Řádek"), ReportColumn::Number},
                 ReportColumn{QStringLiteral("pocet"), QStringLiteral("Počet"), ReportColumn::Number, seSkupinami}};
    o.select =
        QStringLiteral("WITH RECURSIVE g(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM g WHERE n < 40), "
                       "r(n, i) AS (SELECT n, 1 FROM g UNION ALL SELECT n, i + 1 FROM r WHERE i < CASE WHEN n = 1 THEN "
                       "%1 ELSE n END) "
                       "SELECT 'Skupina ' || CAST(n AS TEXT) AS skupina, i AS radek, 1 AS pocet FROM r ORDER BY n, i")
            .arg(prvni);
    return o;
}

// The lines under the column headings of a page as pdftotext gives them.
QStringList telo(const QString& page)
{
    QStringList lines = page.split(QLatin1Char('\n'));
    while (!lines.isEmpty() && !lines.first().contains(QStringLiteral("Řádek"))) lines.removeFirst();
    if (!lines.isEmpty()) lines.removeFirst();
    lines.removeAll(QString());
    return lines;
}

// A group whose sum would open the next page takes its last row there; every
// sum follows a row of its own group on its page, none opens a page.
TEST_F(Tisk, GroupSumsStayWithTheirGroup)
{
    // How many rows a page holds.
    Report bezSkupin;
    bezSkupin.setObject(skupiny(200, false));
    ASSERT_TRUE(bezSkupin.retrieve({})) << bezSkupin.errorText().toStdString();
    ReportPrint prvniTisk(&bezSkupin);
    ASSERT_EQ(vytiskni(prvniTisk), ReportPrint::Printed);
    const int naStranu = int(telo(strany().value(0)).size());
    ASSERT_GT(naStranu, 10);

    // The first group fills the first page exactly: its sum would open the second.
    Report r;
    r.setObject(skupiny(naStranu));
    ASSERT_TRUE(r.retrieve({})) << r.errorText().toStdString();
    ReportPrint tisk(&r);
    ASSERT_EQ(vytiskni(tisk), ReportPrint::Printed) << tisk.errorText().toStdString();
    const QStringList pages = strany();
    ASSERT_EQ(pages.size(), tisk.pageCount());
    ASSERT_GE(pages.size(), 3);
    EXPECT_EQ(telo(pages[0]).size(), naStranu - 1);
    int soucty = 0;
    const QRegularExpression soucet(QStringLiteral("^\\s*Součet (Skupina \\d+)\\s"));
    for (int n = 0; n < pages.size(); ++n) {
        const QStringList t = telo(pages[n]);
        ASSERT_FALSE(t.isEmpty()) << "page " << n + 1;
        EXPECT_FALSE(t.first().contains(QStringLiteral("Součet")) || t.first().contains(QStringLiteral("Celkem")))
            << "page " << n + 1 << " opens with " << t.first().toStdString();
        for (int i = 1; i < t.size(); ++i) {
            const QRegularExpressionMatch m = soucet.match(t[i]);
            if (!m.hasMatch()) continue;
            ++soucty;
            EXPECT_TRUE(t[i - 1].trimmed().startsWith(m.captured(1) + QLatin1Char(' '))) << t[i].toStdString();
        }
    }
    EXPECT_EQ(soucty, 40);
}

TEST_F(Tisk, StoppedPrintLeavesNoFileAndReportsNoSuccess)
{
    Report r;
    seznamHovoru(r);
    ReportPrint tisk(&r);
    QList<int> strana;
    // Stopped while the second page is due.
    const auto prubeh = [&strana](int hotovo, int celkem) {
        if (celkem > 0) strana << hotovo;
        return celkem == 0 || hotovo < 1;
    };
    EXPECT_EQ(vytiskni(tisk, prubeh), ReportPrint::Cancelled);
    EXPECT_EQ(strana, (QList<int>{0, 1}));
    EXPECT_FALSE(QFile::exists(pdf));
    // Stopped while the rows are still read: nothing is begun.
    Report r2;
    seznamHovoru(r2);
    ReportPrint tisk2(&r2);
    EXPECT_EQ(vytiskni(tisk2, [](int, int celkem) { return celkem != 0; }), ReportPrint::Cancelled);
    EXPECT_FALSE(QFile::exists(pdf));
    // Printed in full afterwards.
    EXPECT_EQ(vytiskni(tisk), ReportPrint::Printed);
    EXPECT_TRUE(QFile::exists(pdf));
}

} // namespace
