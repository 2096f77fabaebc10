// The report library, the runtime and the billing reports on a small fixture.
#include "billing/sestavy.h"
#include "platform/report_runtime.h"
#include "test_env.h"
#include "vyuctovani_data.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

using namespace kavro;
using namespace kavro::sestavy;

namespace {

const QString kOd = QStringLiteral("2024-03-01 00:00:00");
const QString kDo = QStringLiteral("2024-03-31 23:59:59");

class Sestavy : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(env.ok()) << env.error().toStdString();
        QString e;
        ASSERT_TRUE(test::naplnVyuctovani(&e)) << e.toStdString();
    }

    // Runs billing kind `druh` for March 2024 as the billing window does.
    void vyuctuj(Report& r, int druh, const QString& firma = "0", const QString& oddeleni = "0",
                 const QString& pobocka = "0", const QString& minimum = QString())
    {
        ASSERT_TRUE(r.setObject(objektVyuctovani(druh))) << r.errorText().toStdString();
        QString s, chyba;
        ASSERT_TRUE(vlozObdobiVyuctovani(r.select(), kOd, kDo, &s, &chyba)) << chyba.toStdString();
        r.setSelect(s);
        if (druh == 7) {
            ASSERT_TRUE(r.setFilter(filtrCetnosti(minimum)));
        }
        FDX_filtr_hovory f;
        f.typ = druh;
        f.datum_od = kOd;
        f.datum_do = kDo;
        f.id_firmy = firma;
        f.id_oddeleni = oddeleni;
        f.cislo_pobocky = pobocka;
        ASSERT_TRUE(r.retrieve(argumentyVyuctovani(f, QStringLiteral("Dorvek s.r.o.")))) << r.errorText().toStdString();
        r.fetchAll();
        ASSERT_TRUE(r.errorText().isEmpty()) << r.errorText().toStdString();
    }

    // Each line as its column texts joined by "|": "Součet …" and "Celkem" label the sum lines.
    static QStringList radky(const Report& r)
    {
        QStringList out;
        const ReportObject& o = r.object();
        for (const Report::Line& l : r.lines()) {
            QStringList t;
            for (int c = 0; c < o.columns.size(); ++c) {
                QString s = o.format(c, l.values.value(c));
                if (c == 0 && l.kind == Report::Line::GroupSum) s = "Součet " + l.group;
                if (c == 0 && l.kind == Report::Line::Total) s = "Celkem";
                t << s;
            }
            out << t.join('|');
        }
        return out;
    }

    test::TestEnv env;
};

// Two charged calls of firm 1 lie on the first and the last moment of March;
// calls outside March, not charged or not fully tariffed count nowhere.
TEST_F(Sestavy, ByFirmCountsTheWholeFirstAndLastDay)
{
    Report r;
    vyuctuj(r, 1);
    EXPECT_EQ(radky(r), (QStringList{"Alfa|3|0:03:30|6|8,00", "Beta's|1|0:01:30|4|4,00", "Celkem|4|0:05:00|10|12,00"}));
    EXPECT_EQ(r.header(), (QStringList{"Dorvek s.r.o.", "Období 2024-03-01 – 2024-03-31"}));
    EXPECT_EQ(r.total().count, 2); // rows summed

    Report b;
    vyuctuj(b, 1, "2");
    EXPECT_EQ(radky(b), (QStringList{"Beta's|1|0:01:30|4|4,00", "Celkem|1|0:01:30|4|4,00"}));
}

TEST_F(Sestavy, ByDepartmentAndExtensionGroupByFirm)
{
    Report d;
    vyuctuj(d, 2, "1");
    EXPECT_EQ(radky(d), (QStringList{"Alfa|Obchod|2|0:03:00|5|6,50", "Alfa|Výroba|1|0:00:30|1|1,50",
                                     "Součet Alfa||3|0:03:30|6|8,00", "Celkem||3|0:03:30|6|8,00"}));
    Report l;
    vyuctuj(l, 3);
    EXPECT_EQ(radky(l), (QStringList{"Alfa|Obchod|100|Novák|2|0:03:00|5|6,50", "Alfa|Výroba|101||1|0:00:30|1|1,50",
                                     "Součet Alfa||||3|0:03:30|6|8,00", "Beta's|Sklad|200||1|0:01:30|4|4,00",
                                     "Součet Beta's||||1|0:01:30|4|4,00", "Celkem||||4|0:05:00|10|12,00"}));
    Report jedna;
    vyuctuj(jedna, 3, "1", "11", "101");
    EXPECT_EQ(radky(jedna), (QStringList{"Alfa|Výroba|101||1|0:00:30|1|1,50", "Součet Alfa||||1|0:00:30|1|1,50",
                                         "Celkem||||1|0:00:30|1|1,50"}));
}

TEST_F(Sestavy, ByAccountCodeDetailedWatchedAndFrequency)
{
    Report u;
    vyuctuj(u, 4);
    EXPECT_EQ(radky(u), (QStringList{"77|||1|0:00:30|1|1,50", "Celkem|||1|0:00:30|1|1,50"}));

    Report d;
    vyuctuj(d, 5);
    EXPECT_EQ(radky(d), (QStringList{
                            "100|2024-03-01 00:00:00|021234567|Dodavatel|1|0:01:00|2|2,00",
                            "100|2024-03-31 23:59:59|0600111222||1|0:02:00|3|4,50",
                            "Součet 100||||2|0:03:00|5|6,50",
                            "101|2024-03-20 10:00:00|0777000111||1|0:00:30|1|1,50",
                            "Součet 101||||1|0:00:30|1|1,50",
                            "200|2024-03-10 08:00:00|021234567|Dodavatel|1|0:01:30|4|4,00",
                            "Součet 200||||1|0:01:30|4|4,00",
                            "Celkem||||4|0:05:00|10|12,00",
                        }));

    // Only extension 100 is watched.
    Report s;
    vyuctuj(s, 6);
    EXPECT_EQ(radky(s).last(), "Celkem||||2|0:03:00|5|6,50");
    EXPECT_EQ(radky(s).size(), 4);

    // Kind 7: an empty minimum filters with 0; a minimum of 1 keeps the number called twice.
    Report c;
    vyuctuj(c, 7);
    EXPECT_EQ(radky(c), (QStringList{"021234567|Dodavatel|2|0:02:30|6|6,00", "0600111222||1|0:02:00|3|4,50",
                                     "0777000111||1|0:00:30|1|1,50", "Celkem||4|0:05:00|10|12,00"}));
    Report c1;
    vyuctuj(c1, 7, "0", "0", "0", "1");
    EXPECT_EQ(radky(c1), (QStringList{"021234567|Dodavatel|2|0:02:30|6|6,00", "Celkem||2|0:02:30|6|6,00"}));
}

TEST(Splices, BillingPeriodReplacesThePlaceholderAndOneCharacterEachSide)
{
    QString s, e;
    ASSERT_TRUE(vlozObdobiVyuctovani("select 1 where a = 1 and 'X'='X' order by x", kOd, kDo, &s, &e));
    EXPECT_EQ(s, "select 1 where a = 1 and date(dba.hovory.ustredna_datum_a_cas) between date('2024-03-01 00:00:00') "
                 "and date('2024-03-31 23:59:59') order by x");
    // Twice: only the first is replaced.
    ASSERT_TRUE(vlozObdobiVyuctovani("a 'X'='X' b 'X'='X' c", kOd, kDo, &s, &e));
    EXPECT_TRUE(s.endsWith("') b 'X'='X' c"));
    // No placeholder, or one at the very start or end: refused, not cut.
    EXPECT_FALSE(vlozObdobiVyuctovani("select 1 order by x", kOd, kDo, &s, &e));
    EXPECT_FALSE(vlozObdobiVyuctovani("'X'='X' order by x", kOd, kDo, &s, &e));
    EXPECT_FALSE(vlozObdobiVyuctovani("select 1 where 'X'='X'", kOd, kDo, &s, &e));
    EXPECT_FALSE(e.isEmpty());
    // Only dates enter the text.
    EXPECT_FALSE(vlozObdobiVyuctovani("a 'X'='X' b", "2024-03-01' or '1'='1", kDo, &s, &e));
}

TEST(Splices, ViewerMomentAndPeriod)
{
    QString s, e;
    ASSERT_TRUE(vlozOkamzik("select a from b where ('X'='X') order by 1", "2024-03-31", "12:00:00", &s, &e));
    EXPECT_EQ(s, "select a from b where ('2024-03-31 12:00:00' between prirazeni_pobocek.Pocatek_platnosti and "
                 "Prirazeni_pobocek.Konec_platnosti ) order by 1");
    ASSERT_TRUE(vlozOkamzik("x ('X'='X') y ('X'='X')", "2024-03-31", "12:00:00", &s, &e));
    EXPECT_TRUE(s.endsWith(") y ('X'='X')"));
    EXPECT_FALSE(vlozOkamzik("select a from b order by 1", "2024-03-31", "12:00:00", &s, &e));
    EXPECT_FALSE(vlozOkamzik("'X'='X') order by 1", "2024-03-31", "12:00:00", &s, &e));
    EXPECT_FALSE(e.isEmpty());

    // The period: the whole last day belongs to it.
    ASSERT_TRUE(vlozObdobi("select a from hovory where ('X'='X')", "2024-01-01", "2024-01-31", &s, &e));
    EXPECT_EQ(s, "select a from hovory where ( hovory.Ustredna_datum_a_cas between '2024-01-01' and '2024-01-31 23:59:59' )");
    ASSERT_TRUE(vlozObdobi("select a from hovory where x = 1", "2024-01-01", "2024-01-31", &s, &e));
    EXPECT_EQ(s, "select a from hovory where x = 1 and date(hovory.ustredna_datum_a_cas) between '2024-01-01' and '2024-01-31'");
    ASSERT_TRUE(vlozObdobi("a 'X'='X' b 'X'='X'", "2024-01-01", "2024-01-31", &s, &e));
    EXPECT_TRUE(s.endsWith("23:59:59'  b 'X'='X'"));
}

TEST(Splices, CasesKindsArgumentsAndFilter)
{
    const QString m = "RRRR-MM-DD hh:mm:ss";
    EXPECT_EQ(pripad(m, QString()), Pripad::Okamzik);
    EXPECT_EQ(pripad(m, QVariant()), Pripad::Okamzik);
    EXPECT_EQ(pripad(m, m), Pripad::Obdobi);
    EXPECT_EQ(pripad(m, "jiný"), Pripad::Prosty);
    EXPECT_EQ(pripad(QVariant(), QVariant()), Pripad::Prosty);
    EXPECT_EQ(pripad("2024-03-31 12:00:00", QVariant()), Pripad::Prosty);

    FDX_filtr_hovory f;
    f.datum_od = kOd;
    f.datum_do = kDo;
    f.id_firmy = "3";
    f.id_oddeleni = "0";
    f.cislo_pobocky = "0";
    f.typ = 4; // a firm chosen for kind 4 is not passed
    QVariantList a = argumentyVyuctovani(f, "Org");
    EXPECT_EQ(a.size(), 16);
    EXPECT_EQ(a.mid(0, 4), (QVariantList{kOd, kDo, "Org", QVariant()}));
    f.typ = 3;
    a = argumentyVyuctovani(f, "Org");
    EXPECT_EQ(a.mid(0, 6), (QVariantList{kOd, kDo, qint64(3), qint64(0), qint64(0), "Org"}));
    f.typ = 1;
    EXPECT_EQ(argumentyVyuctovani(f, "Org").mid(0, 4), (QVariantList{kOd, kDo, qint64(3), "Org"}));

    EXPECT_EQ(filtrCetnosti("0"), "CPocet>0");
    EXPECT_EQ(filtrCetnosti(""), "CPocet>0");
    EXPECT_EQ(filtrCetnosti("12"), "CPocet>12");
    for (int k = 1; k <= 7; ++k) EXPECT_FALSE(objektVyuctovani(k).isEmpty());
    EXPECT_TRUE(objektVyuctovani(8).isEmpty());
}

// Every object the windows name is in the library, fits its window's splice
// rule, holds no double quote, and retrieves after the splice.
TEST(Library, EveryObjectFitsItsWindowAndRetrieves)
{
    test::TestEnv env;
    ASSERT_TRUE(env.ok());
    const QStringList moment{"firma_oddeleni_osoba", "firma_osoba_oddeleni", "osoba_firma_oddeleni",
                             "firma_oddeleni_pobocka", "telefonni_seznam3", "Seznam_lidi"};
    const QStringList plain{"seznam_predvoleb_mest_cr", "seznam_predvoleb_mest_stat", "vnejsi_tel_seznam_CR",
                            "vnejsi_tel_seznam_stat", "Zvyhodneny_tarif", "rozdilne_impulsovani", "tarifikovane_hovory"};
    const QStringList period{"Hovory_podle_impulsu", "Hovory_podle_delky_hovoru", "Hovory"};
    const QStringList periodId{"tarif_hovory_za_firmu", "tarif_hovory_za_oddeleni", "tarif_hovory_za_pobocku",
                               "tarif_hovory_za_osobu"};
    QStringList billing;
    for (int k = 1; k <= 7; ++k) billing << objektVyuctovani(k);
    QStringList all = moment + plain + period + periodId + billing;
    all.sort(Qt::CaseInsensitive);
    QStringList names = ReportLibrary::names();
    names.sort(Qt::CaseInsensitive);
    EXPECT_EQ(names, all);

    const QString x = ReportObject::placeholder();
    for (const QString& n : all) {
        SCOPED_TRACE(n.toStdString());
        Report r;
        ASSERT_TRUE(r.setObject(n)) << r.errorText().toStdString();
        const QString s = r.select();
        EXPECT_FALSE(s.contains('"'));
        EXPECT_FALSE(s.contains(';'));
        EXPECT_LE(r.object().arguments.size(), 16);
        QString novy = s, e;
        QVariantList args;
        if (moment.contains(n)) {
            const qsizetype p = s.indexOf(x);
            ASSERT_GT(p, 0);
            EXPECT_EQ(s[p - 1], '(');
            EXPECT_EQ(s[p + x.size()], ')');
            EXPECT_TRUE(s.contains("prirazeni_pobocek", Qt::CaseInsensitive));
            ASSERT_TRUE(vlozOkamzik(s, "2024-03-31", "12:00:00", &novy, &e));
            args << "2024-03-31 12:00:00";
        } else if (period.contains(n) || periodId.contains(n)) {
            EXPECT_TRUE(s.contains("hovory"));
            ASSERT_GT(s.indexOf(x), 0);
            ASSERT_TRUE(vlozObdobi(s, "2024-03-01", "2024-03-31", &novy, &e));
            if (periodId.contains(n)) args << 1 << "" << "";
        } else if (billing.contains(n)) {
            const qsizetype p = s.indexOf(x);
            ASSERT_GT(p, 0);
            EXPECT_EQ(s[p - 1], ' ');
            EXPECT_EQ(s[p + x.size()], ' ');
            ASSERT_TRUE(vlozObdobiVyuctovani(s, kOd, kDo, &novy, &e));
            FDX_filtr_hovory f;
            f.typ = int(billing.indexOf(n)) + 1;
            f.datum_od = kOd;
            f.datum_do = kDo;
            args = argumentyVyuctovani(f, "Org");
        } else {
            args << "Org";
        }
        r.setSelect(novy);
        EXPECT_TRUE(r.retrieve(args)) << r.errorText().toStdString() << "\n" << novy.toStdString();
        r.fetchAll();
        EXPECT_TRUE(r.errorText().isEmpty());
    }
    // The call browser appends conditions beginning with " and".
    Report b;
    ASSERT_TRUE(b.setObject("tarifikovane_hovory"));
    b.setSelect(b.select() + " and hovory.typ_hovoru ='A' and Kdo_volal.ID_firmy ='1' and Kdo_volal.Soukrome = 'F' ");
    EXPECT_TRUE(b.retrieve({"Org"})) << b.errorText().toStdString();
}

TEST(Runtime, PagesFiltersErrorsAndArguments)
{
    test::TestEnv env;
    ASSERT_TRUE(env.ok());
    Transaction& t = Transaction::main();
    for (int i = 1; i <= 25; ++i)
        ASSERT_TRUE(t.exec("INSERT INTO dba.ciselnik_firem (ID_Firmy, nazev_firmy, ICO) VALUES (?, ?, ?)",
                           {i, QString("Firma %1").arg(i, 2, 10, QChar('0')), i % 3}));
    ReportObject o;
    o.name = "zkouska";
    QString e;
    ASSERT_TRUE(ReportObject::parse("[sestava]\nhlavicka = Pro :kdo\nargument = kdo text\nargument = skupina cislo\n"
                                    "skupina = g\n[sloupce]\nnazev = text | Název\ng = text | Skupina\n"
                                    "n = cislo | Počet | soucet\n[select]\n"
                                    "SELECT nazev_firmy AS nazev, ICO AS g, ID_Firmy AS n FROM dba.ciselnik_firem\n"
                                    " WHERE ICO <> :skupina OR :kdo = 'O''Brien: ''x'''\n ORDER BY ICO, ID_Firmy\n",
                                    &o, &e))
        << e.toStdString();
    Report r;
    r.setObject(o);
    // An apostrophe in an argument is bound, never pasted.
    ASSERT_TRUE(r.retrieve({"O'Brien", 0})) << r.errorText().toStdString();
    EXPECT_EQ(r.header(), QStringList{"Pro O'Brien"});
    EXPECT_EQ(r.lines().size(), 0);
    EXPECT_EQ(r.total().count, 17); // ICO 1 and 2
    EXPECT_EQ(r.fetch(5), 5);       // rows are read as asked for
    EXPECT_TRUE(r.canFetchMore());
    r.fetchAll();
    // 9 rows of group "1", its sum, 8 rows of group "2", its sum, the total.
    ASSERT_EQ(r.lines().size(), 20);
    EXPECT_EQ(r.lines()[9].kind, Report::Line::GroupSum);
    EXPECT_EQ(r.lines()[9].group, "1");
    EXPECT_EQ(r.lines()[9].values[2].toInt(), 117);
    EXPECT_EQ(r.lines()[18].group, "2");
    EXPECT_EQ(r.lines()[18].values[2].toInt(), 100);
    EXPECT_EQ(r.lines().last().kind, Report::Line::Total);
    EXPECT_EQ(r.lines().last().values[2].toInt(), 217);

    // A filter on a column; what is not a plain comparison is refused.
    ASSERT_TRUE(r.setFilter("n>20"));
    ASSERT_TRUE(r.retrieve({"x", 9}));
    r.fetchAll();
    EXPECT_EQ(r.total().count, 5);
    EXPECT_FALSE(r.setFilter("n>1 or 1=1"));
    EXPECT_FALSE(r.setFilter("neni>1"));
    EXPECT_TRUE(r.setFilter(""));

    // A database error is reported, not shown as an empty report.
    r.setSelect("SELECT nazev_firmy, ICO, ID_Firmy FROM dba.neni_tabulka");
    EXPECT_FALSE(r.retrieve({}));
    EXPECT_FALSE(r.errorText().isEmpty());
    EXPECT_FALSE(r.canFetchMore());
    // A Select whose columns do not match the object is refused.
    r.setSelect("SELECT nazev_firmy FROM dba.ciselnik_firem");
    EXPECT_FALSE(r.retrieve({}));
    EXPECT_FALSE(r.setObject("neni_v_knihovne"));
    EXPECT_FALSE(r.errorText().isEmpty());

    EXPECT_EQ(formatMoney(123456), "1234,56");
    EXPECT_EQ(formatMoney(-5), "-0,05");
    EXPECT_EQ(formatDuration(90061), "25:01:01");
}

TEST(Runtime, ParserRefusesBrokenObjects)
{
    ReportObject o;
    QString e;
    EXPECT_FALSE(ReportObject::parse("[sestava]\n[sloupce]\na = text | A\n", &o, &e)); // no Select
    EXPECT_FALSE(ReportObject::parse("[sloupce]\na = barva | A\n[select]\nSELECT 1 AS a\n", &o, &e));
    EXPECT_FALSE(ReportObject::parse("[sestava]\nskupina = b\n[sloupce]\na = text | A\n[select]\nSELECT 1 AS a\n", &o, &e));
    EXPECT_FALSE(ReportObject::parse("[jine]\n", &o, &e));
    EXPECT_TRUE(e.startsWith("Řádek 1"));
    EXPECT_TRUE(ReportObject::parse("# c\n[sloupce]\na = cas | A | soucet\n[select]\nSELECT 1 AS a\n", &o, &e));
    EXPECT_EQ(o.columns[0].kind, ReportColumn::Duration);
    EXPECT_TRUE(o.hasSums());
}

} // namespace
