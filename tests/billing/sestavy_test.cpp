// The report library, the runtime and the billing reports on a small fixture.
#include "billing/call_filter.h"
#include "billing/sestavy.h"
#include "platform/report_runtime.h"
#include "test_env.h"
#include "fixture.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <gtest/gtest.h>


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

    // Billing kind `druh` for March 2024 as the billing window runs it, each line as its
    // column texts joined by "|"; "Součet …" and "Celkem" label the sum lines.
    QStringList vyuctuj(Report& r, int druh, const QString& firma = "0", const QString& oddeleni = "0",
                        const QString& pobocka = "0", const QString& minimum = QString())
    {
        QString s, chyba;
        EXPECT_TRUE(r.setObject(objektVyuctovani(druh)) && vlozObdobiVyuctovani(r.select(), kOd, kDo, &s, &chyba));
        r.setSelect(s);
        if (druh == 7) {
            EXPECT_TRUE(r.setFilter(filtrCetnosti(minimum)));
        }
        FDX_filtr_hovory f;
        f.typ = druh;
        f.datum_od = kOd;
        f.datum_do = kDo;
        f.id_firmy = firma;
        f.id_oddeleni = oddeleni;
        f.cislo_pobocky = pobocka;
        EXPECT_TRUE(r.retrieve(argumentyVyuctovani(f, QStringLiteral("Dorvek s.r.o.")))) << r.errorText().toStdString();
        r.fetchAll();
        EXPECT_TRUE(r.errorText().isEmpty()) << r.errorText().toStdString();
        QStringList out;
        for (const Report::Line& l : r.lines()) {
            QStringList t;
            for (int c = 0; c < r.object().columns.size(); ++c) t << r.object().format(c, l.values.value(c));
            if (l.kind == Report::Line::GroupSum) t[0] = "Součet " + l.group;
            if (l.kind == Report::Line::Total) t[0] = "Celkem";
            out << t.join('|');
        }
        return out;
    }

    test::TestEnv env;
};

// Calls on the first and the last moment of March count; calls outside March,
// not charged or not fully tariffed count nowhere. Prices change on 03-16.
TEST_F(Sestavy, EveryBillingKindRowsAndSums)
{
    const QString alfa = "Alfa|Obchod|2|0:03:00|5|6,50", vse = "4|0:05:00|10|12,00";
    const struct {
        int druh;
        QString firma, oddeleni, pobocka, minimum;
        QStringList radky;
    } pripady[] = {
        {1, "0", "0", "0", "", {"Alfa|3|0:03:30|6|8,00", "Beta's|1|0:01:30|4|4,00", "Celkem|" + vse}},
        {1, "2", "0", "0", "", {"Beta's|1|0:01:30|4|4,00", "Celkem|1|0:01:30|4|4,00"}},
        {2, "1", "0", "0", "", {alfa, "Alfa|Výroba|1|0:00:30|1|1,50", "Součet Alfa||3|0:03:30|6|8,00", "Celkem||3|0:03:30|6|8,00"}},
        {3, "0", "0", "0", "", {"Alfa|Obchod|100|Novák|2|0:03:00|5|6,50", "Alfa|Výroba|101||1|0:00:30|1|1,50",
                                "Součet Alfa||||3|0:03:30|6|8,00", "Beta's|Sklad|200||1|0:01:30|4|4,00",
                                "Součet Beta's||||1|0:01:30|4|4,00", "Celkem||||" + vse}},
        {3, "1", "11", "101", "", {"Alfa|Výroba|101||1|0:00:30|1|1,50", "Součet Alfa||||1|0:00:30|1|1,50",
                                   "Celkem||||1|0:00:30|1|1,50"}},
        {4, "0", "0", "0", "", {"77|||1|0:00:30|1|1,50", "Celkem|||1|0:00:30|1|1,50"}},
        {5, "0", "0", "0", "", {"100|2024-03-01 00:00:00|021234567|Dodavatel|1|0:01:00|2|2,00",
                                "100|2024-03-31 23:59:59|0600111222||1|0:02:00|3|4,50", "Součet 100||||2|0:03:00|5|6,50",
                                "101|2024-03-20 10:00:00|0777000111||1|0:00:30|1|1,50", "Součet 101||||1|0:00:30|1|1,50",
                                "200|2024-03-10 08:00:00|021234567|Dodavatel|1|0:01:30|4|4,00",
                                "Součet 200||||1|0:01:30|4|4,00", "Celkem||||" + vse}},
        // Only extension 100 is watched.
        {6, "0", "0", "0", "", {"100|2024-03-01 00:00:00|021234567|Dodavatel|1|0:01:00|2|2,00",
                                "100|2024-03-31 23:59:59|0600111222||1|0:02:00|3|4,50", "Součet 100||||2|0:03:00|5|6,50",
                                "Celkem||||2|0:03:00|5|6,50"}},
        // An empty minimum filters with 0; a minimum of 1 keeps the number called twice.
        {7, "0", "0", "0", "", {"021234567|Dodavatel|2|0:02:30|6|6,00", "0600111222||1|0:02:00|3|4,50",
                                "0777000111||1|0:00:30|1|1,50", "Celkem||" + vse}},
        {7, "0", "0", "0", "1", {"021234567|Dodavatel|2|0:02:30|6|6,00", "Celkem||2|0:02:30|6|6,00"}},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.druh);
        Report r;
        EXPECT_EQ(vyuctuj(r, p.druh, p.firma, p.oddeleni, p.pobocka, p.minimum), p.radky);
        if (p.druh == 1 && p.firma == "0") {
            EXPECT_EQ(r.header(), (QStringList{"Dorvek s.r.o.", "Období 2024-03-01 – 2024-03-31"}));
            EXPECT_EQ(r.total().count, 2); // rows summed
        }
    }
}

// Names in Czech order, extensions by their value, departments with numbers
// in their names as a Czech reader expects; the three kinds of calls without a
// firm each under a label of its own; groups without impulses give 0 and 0,00.
TEST_F(Sestavy, CzechOrderLabelsAndEmptyGroups)
{
    QString e;
    ASSERT_TRUE(test::proved(
        {"INSERT INTO dba.ciselnik_firem (ID_Firmy, nazev_firmy) VALUES (3, 'Domažlice s.r.o.'), (4, 'Děčínská a.s.'), "
         "(5, 'Čedok'), (6, 'Zeta'), (7, 'Chemie'), (8, 'Hotel')",
         "INSERT INTO dba.ciselnik_oddeleni (ID_Oddeleni, nazev_oddeleni, ID_Firmy) VALUES "
         "(30, 'Oddělení 1/10', 3), (31, 'Oddělení 1/2', 3)",
         "INSERT INTO dba.hovory (id_hovoru, ustredna_datum_a_cas, ustredna_cislo_pobocky, id_firmy, id_oddeleni, "
         "ustredna_delka_hovoru, program_pocet_impulsu, ustredna_volane_cislo, tarifovat_hovor, status_hovoru, "
         "kod_uctu) "
         "SELECT v.*, 1, 10, NULL FROM (VALUES "
         "(20, '2024-03-02 10:00:00', '4688', 3, 31, '00:01:00', 1, '0601'), "
         "(21, '2024-03-02 11:00:00', '454', 3, 31, '00:01:00', 1, '0602'), "
         "(22, '2024-03-02 12:00:00', '1000', 3, 30, '00:01:00', 1, '0603'), "
         "(23, '2024-03-02 13:00:00', '500', 4, 0, '00:01:00', 1, '0604'), "
         "(24, '2024-03-02 14:00:00', '501', 5, 0, '00:01:00', 1, '0605'), "
         "(25, '2024-03-02 15:00:00', '502', 6, 0, '00:01:00', 1, '0606'), "
         "(26, '2024-03-02 16:00:00', '503', 7, 0, '00:01:00', 1, '0607'), "
         "(27, '2024-03-02 17:00:00', '504', 8, 0, '00:01:00', 1, '0608'), "
         "(28, '2024-03-03 10:00:00', '600', NULL, NULL, '00:01:00', NULL, '0609'), "
         "(29, '2024-03-03 11:00:00', '601', 0, 0, '00:01:00', NULL, '0609'), "
         "(30, '2024-03-03 12:00:00', '602', 9999, 9999, '00:01:00', NULL, '0609')) v",
         "UPDATE dba.hovory SET kod_uctu = 'K2' WHERE id_hovoru IN (28, 29)"},
        &e))
        << e.toStdString();
    auto sloupec = [](const QStringList& radky, int c) {
        QStringList out;
        for (const QString& r : radky) out << r.section('|', c, c);
        return out;
    };
    Report r;
    const QStringList firmy = vyuctuj(r, 1);
    EXPECT_EQ(sloupec(firmy, 0),
              (QStringList{"(bez firmy)", "(ústředna)", "(volná pobočka)", "Alfa", "Beta's", "Čedok", "Děčínská a.s.",
                           "Domažlice s.r.o.", "Hotel", "Chemie", "Zeta", "Celkem"}));
    // Calls without impulses: 0 and 0,00, not blanks.
    EXPECT_EQ(firmy[0], "(bez firmy)|1|0:01:00|0|0,00");
    EXPECT_EQ(firmy[2], "(volná pobočka)|1|0:01:00|0|0,00");
    EXPECT_EQ(sloupec(vyuctuj(r, 2, "3"), 1), (QStringList{"Oddělení 1/2", "Oddělení 1/10", "", ""}));
    EXPECT_EQ(sloupec(vyuctuj(r, 3, "3"), 2), (QStringList{"454", "4688", "1000", "", ""}));
    EXPECT_EQ(sloupec(vyuctuj(r, 5, "3"), 0),
              (QStringList{"454", "Součet 454", "1000", "Součet 1000", "4688", "Součet 4688", "Celkem"}));
    const QStringList ucty = vyuctuj(r, 4);
    EXPECT_EQ(ucty[1], "K2|||2|0:02:00|0|0,00");
    const QStringList cetnost = vyuctuj(r, 7);
    EXPECT_TRUE(cetnost.contains("0609||3|0:03:00|0|0,00")) << cetnost.join('\n').toStdString();
}

// A Select may end in ';' and comments: the reports that wrap it for their
// sums, group sums and filter give the same lines as without it. More after
// the ';' is refused as more than one statement, a Select that writes as one
// that would change data, each naming the file, and nothing changes.
TEST_F(Sestavy, SelectEndingInASemicolonGivesTheSameLinesAndMoreIsRefused)
{
    const struct {
        int druh;
        QString minimum;
    } pripady[] = {{3, ""}, {5, ""}, {7, ""}, {7, "1"}};
    QList<QStringList> puvodni;
    for (const auto& p : pripady) {
        Report r;
        puvodni << vyuctuj(r, p.druh, "0", "0", "0", p.minimum);
    }
    const QString slozka = env.dir() + "/sestavy";
    ASSERT_TRUE(QDir().mkpath(slozka));
    // The shipped report `druh` with its Select ending in `konec`.
    auto zapis = [&](int druh, const QString& konec) {
        QFile z(ReportLibrary::folder() + "/" + objektVyuctovani(druh) + ".sestava");
        EXPECT_TRUE(z.open(QIODevice::ReadOnly));
        QFile f(slozka + "/" + objektVyuctovani(druh) + ".sestava");
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write((QString::fromUtf8(z.readAll()).trimmed() + konec + "\n").toUtf8());
    };
    for (const char* konec : {";", " ;  ", "; -- konec", ";\n-- konec\n/* a ještě */"}) {
        SCOPED_TRACE(konec);
        for (int druh : {3, 5, 7}) zapis(druh, QString::fromUtf8(konec));
        ReportLibrary::setFolder(slozka);
        for (int i = 0; i < int(std::size(pripady)); ++i) {
            SCOPED_TRACE(pripady[i].druh);
            Report r;
            EXPECT_EQ(vyuctuj(r, pripady[i].druh, "0", "0", "0", pripady[i].minimum), puvodni[i]);
        }
        ReportLibrary::setFolder(QString());
    }

    Transaction& t = Transaction::main();
    ASSERT_TRUE(t.commit());
    const QString firmy = t.scalar("SELECT count(*) FROM dba.ciselnik_firem");
    ASSERT_NE(firmy, "0");
    auto odmitnuti = [&](const QString& konec) {
        zapis(7, konec);
        ReportLibrary::setFolder(slozka);
        Report r;
        QString s, chyba;
        EXPECT_TRUE(r.setObject(objektVyuctovani(7)) && vlozObdobiVyuctovani(r.select(), kOd, kDo, &s, &chyba));
        r.setSelect(s);
        EXPECT_TRUE(r.setFilter(filtrCetnosti("")));
        FDX_filtr_hovory f;
        f.typ = 7;
        f.datum_od = kOd;
        f.datum_do = kDo;
        EXPECT_FALSE(r.retrieve(argumentyVyuctovani(f, "Org")));
        ReportLibrary::setFolder(QString());
        EXPECT_TRUE(r.errorText().contains("„" + slozka + "/Hovory_podle_cetnosti3.sestava“")) << r.errorText().toStdString();
        return r.errorText();
    };
    for (const char* dalsi : {"; DELETE FROM dba.ciselnik_firem", "; -- konec\nDELETE FROM dba.ciselnik_firem;",
                                 "; COMMIT; DELETE FROM dba.ciselnik_firem"}) {
        SCOPED_TRACE(dalsi);
        const QString e = odmitnuti(QString::fromUtf8(dalsi));
        EXPECT_TRUE(e.contains("obsahuje více než jeden příkaz")) << e.toStdString();
        EXPECT_FALSE(e.contains("měnil data")) << e.toStdString();
    }
    // A Select that writes: the file's whole text after [select] is a DELETE.
    {
        QFile f(slozka + "/Hovory_podle_cetnosti3.sestava");
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        QString text = QString::fromUtf8(f.readAll());
        f.close();
        text = text.left(text.indexOf("[select]") + 8) + "\nDELETE FROM dba.ciselnik_firem WHERE 'X'='X' ;\n";
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text.toUtf8());
        f.close();
        ReportLibrary::setFolder(slozka);
        Report r;
        ASSERT_TRUE(r.setObject(objektVyuctovani(7))) << r.errorText().toStdString();
        EXPECT_TRUE(r.setFilter(filtrCetnosti("")));
        EXPECT_FALSE(r.retrieve({kOd, kDo, 0, 0, 0, "Org"}));
        ReportLibrary::setFolder(QString());
        EXPECT_TRUE(r.errorText().contains("by měnil data v databázi")) << r.errorText().toStdString();
    }
    EXPECT_EQ(t.scalar("SELECT count(*) FROM dba.ciselnik_firem"), firmy);
    t.rollback();
    EXPECT_EQ(t.scalar("SELECT count(*) FROM dba.ciselnik_firem"), firmy);
}

// The call browser lists uncharged calls too, but without a price: its price
// total for a selection is the billing total of the same calls.
TEST_F(Sestavy, BrowserPriceTotalEqualsTheBillingTotal)
{
    // Besides call 7: an uncharged call with an empty dialled number and many impulses.
    ASSERT_TRUE(Transaction::main().exec(
        "INSERT INTO dba.hovory (id_hovoru, ustredna_datum_a_cas, ustredna_cislo_pobocky, id_firmy, id_oddeleni, "
        "ustredna_delka_hovoru, program_pocet_impulsu, ustredna_volane_cislo, tarifovat_hovor, status_hovoru, "
        "typ_hovoru) "
        "VALUES (9, '2024-03-12 12:00:00', '200', 2, 20, '00:20:00', 241, '', 0, 10, 'A')"));
    Report browser;
    QString base;
    ASSERT_TRUE(CallFilter::chooseObject(browser, &base)) << browser.errorText().toStdString();
    const int cena = browser.object().columnIndex("cena");
    ASSERT_GE(cena, 0);
    for (const QString firma : {"0", "1", "2"}) {
        SCOPED_TRACE(firma.toStdString());
        FDX_filtr_hovory f;
        f.typ = 3;
        f.datum_od = kOd;
        f.datum_do = kDo;
        f.id_firmy = firma;
        f.id_oddeleni = f.id_osoby = f.cislo_pobocky = f.kod_statu = f.kod_mesta = f.cislo_ucastnika = "0";
        ASSERT_TRUE(CallFilter(SiteCodes{"00", "0", "420", "2"}).retrieve(browser, base, f, "Org"))
            << browser.errorText().toStdString();
        browser.fetchAll();
        Report vyuctovani;
        const QStringList radky = vyuctuj(vyuctovani, 1, firma);
        EXPECT_EQ(browser.object().format(cena, browser.total().values[cena]), radky.last().section('|', 4));
        // The uncharged calls are listed, with no price.
        int bezCeny = 0;
        for (const Report::Line& l : browser.lines())
            if (l.kind == Report::Line::Row && l.values[cena].isNull()) ++bezCeny;
        EXPECT_EQ(bezCeny, firma == "0" ? 2 : 1);
        EXPECT_EQ(browser.total().count, vyuctovani.total().values[1].toInt() + bezCeny);
    }
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

TEST(Splices, CasesKindsAndArguments)
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
    EXPECT_TRUE(objektVyuctovani(8).isEmpty());
}

namespace {

// Every object the windows name is in the library, fits its window's splice
// rule, holds no double quote, and retrieves after the splice.
void everyObjectFitsItsWindowAndRetrieves()
{
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

} // namespace

TEST(Library, EveryObjectFitsItsWindowAndRetrieves)
{
    test::TestEnv env;
    ASSERT_TRUE(env.ok());
    everyObjectFitsItsWindowAndRetrieves();
}

// A database whose sessions read a backslash in '...' as an escape: the
// program's connection reads texts as its one-statement check does, so a
// report hiding more statements behind '\'' cannot run them, and the
// statements that rely on it (the call browser's ESCAPE '\\', every report) work.
TEST(Library, AServerSetToReadBackslashEscapesReadsTextsAsTheCheckDoes)
{
    if (!test::onServer()) GTEST_SKIP() << "a setting of the database server";
    test::TestEnv env;
    ASSERT_TRUE(env.ok()) << env.error().toStdString();
    Transaction& t = Transaction::main();
    QString e;
    ASSERT_TRUE(test::naplnVyberHovoru(&e)) << e.toStdString();
    ASSERT_TRUE(t.exec(QStringLiteral("ALTER DATABASE \"%1\" SET standard_conforming_strings = off").arg(t.databasePath())))
        << t.lastErrorText().toStdString();
    ASSERT_TRUE(t.commit());
    ASSERT_TRUE(env.connectAgain(t)) << t.lastErrorText().toStdString();
    // A new session of the database starts with the escapes; the program's has them off.
    EXPECT_EQ(t.scalar("SELECT reset_val FROM pg_settings WHERE name = 'standard_conforming_strings'"), "off");
    EXPECT_EQ(t.scalar("SELECT current_setting('standard_conforming_strings')"), "on");
    const QString firmy = t.scalar("SELECT count(*) FROM dba.ciselnik_firem");
    ASSERT_NE(firmy, "0");

    const QString slozka = env.dir() + "/sestavy";
    ASSERT_TRUE(QDir().mkpath(slozka));
    QFile f(slozka + "/zlomyslna.sestava");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[sloupce]\nkod = text | Kód\nmesto = text | Město\npasmo = text | Pásmo\n[select]\n"
            "SELECT '\\'' AS kod, 'a' AS mesto, 'b' AS pasmo; COMMIT; DELETE FROM dba.ciselnik_firem; --'\n");
    f.close();
    ReportLibrary::setFolder(slozka);
    Report r;
    ASSERT_TRUE(r.setObject("zlomyslna")) << r.errorText().toStdString();
    EXPECT_FALSE(r.retrieve({}));
    ReportLibrary::setFolder(QString());
    EXPECT_EQ(t.scalar("SELECT count(*) FROM dba.ciselnik_firem"), firmy);
    Transaction jiny;
    ASSERT_TRUE(env.connectAgain(jiny)) << jiny.lastErrorText().toStdString();
    EXPECT_EQ(jiny.scalar("SELECT count(*) FROM dba.ciselnik_firem"), firmy);

    // The call browser's typed number: "_" stays a digit's place only through ESCAPE '\\'.
    SiteCodes site;
    ASSERT_TRUE(SiteCodes::read(t, &site, &e)) << e.toStdString();
    Report prohlizec;
    QString zaklad;
    ASSERT_TRUE(CallFilter::chooseObject(prohlizec, &zaklad)) << prohlizec.errorText().toStdString();
    FDX_filtr_hovory v;
    v.datum_od = "2024-03-01 08:00:00";
    v.datum_do = "2024-03-31 17:30:00";
    v.id_firmy = v.id_oddeleni = v.id_osoby = v.cislo_pobocky = "0";
    v.kod_statu = v.kod_mesta = v.cislo_ucastnika = "0";
    v.typ = 2;
    auto radku = [&](const QString& predvolba) {
        v.predvolba = predvolba;
        EXPECT_TRUE(CallFilter(site).retrieve(prohlizec, zaklad, v, "Firma")) << prohlizec.errorText().toStdString();
        prohlizec.fetchAll();
        return std::count_if(prohlizec.lines().begin(), prohlizec.lines().end(),
                             [](const Report::Line& l) { return l.kind == Report::Line::Row; });
    };
    EXPECT_EQ(radku("120"), 1);
    EXPECT_EQ(radku("12_4"), 0);
    EXPECT_EQ(radku("12\\"), 0);

    everyObjectFitsItsWindowAndRetrieves();
}

} // namespace
