// The demonstration installation after its first "Načtení nových": every
// report, the call browser, the completion lists and the directory windows
// have something to show, and its domestic calls are priced by domestic zones.
#include "demo_fixture.h"

#include "billing/account_codes.h"
#include "billing/call_filter.h"
#include "billing/sestavy.h"
#include "external_directory/doplneni_ucastniku.h"
#include "external_directory/nezname_predvolby.h"
#include "external_directory/test_duplicit.h"
#include "import/call_import.h"
#include "internal_directory/assignment_history.h"
#include "internal_directory/prirazeni_pobocek.h"
#include "internal_directory/unassigned_extensions.h"
#include "platform/clock.h"
#include "platform/database.h"
#include "platform/registry.h"
#include "platform/report_runtime.h"
#include "tariffing/tarifovani.h"
#include "test_env.h"

#include <gtest/gtest.h>

using namespace kavro;

namespace {


class DemoWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        Import_hovoru::Souhrn s;
        ASSERT_NO_FATAL_FAILURE(test::importujDemo(env, s));
        ASSERT_EQ(s.souboru, 4);
        ASSERT_EQ(s.chyb_vkladani, 0);
    }
    void TearDown() override { clock::setFixedNow(QDateTime()); }

    static qint64 pocet(const QString& sql) { return Transaction::main().scalar(sql).toLongLong(); }

    // The rows (not the sums) a report gives, read whole.
    static qint64 radky(Report& r, const QVariantList& argumenty)
    {
        EXPECT_TRUE(r.retrieve(argumenty)) << r.errorText().toStdString();
        r.fetchAll();
        EXPECT_TRUE(r.errorText().isEmpty()) << r.errorText().toStdString();
        qint64 n = 0;
        for (const Report::Line& l : r.lines()) n += l.kind == Report::Line::Row;
        return n;
    }

    test::TestEnv env{false};
};

} // namespace

// Each report of the menu "Sestavy" and of the directory lists, as its window
// opens it, over the period the dialogs offer first: the demo's days.
TEST_F(DemoWindows, EveryReportListsSomething)
{
    const QString od =
        Registry::instance().read(QStringLiteral("Software\\Dorvek\\Kavro\\"), QStringLiteral("Datum_od"));
    const QString do_ =
        Registry::instance().read(QStringLiteral("Software\\Dorvek\\Kavro\\"), QStringLiteral("Datum_do"));
    ASSERT_EQ(od + ' ' + do_, QStringLiteral("2025-04-19 2025-04-23"));
    const QString kOd = od + QStringLiteral(" 00:00:00"), kDo = do_ + QStringLiteral(" 23:59:59");
    const char* naOkamzik[] = {"firma_oddeleni_osoba",   "firma_osoba_oddeleni", "osoba_firma_oddeleni",
                               "firma_oddeleni_pobocka", "telefonni_seznam3",    "Seznam_lidi"};
    for (const char* jmeno : naOkamzik) {
        SCOPED_TRACE(jmeno);
        Report r;
        QString s, chyba;
        ASSERT_TRUE(r.setObject(QString::fromLatin1(jmeno))) << r.errorText().toStdString();
        ASSERT_TRUE(sestavy::vlozOkamzik(r.select(), "2025-04-22", "12:00:00", &s, &chyba)) << chyba.toStdString();
        r.setSelect(s);
        EXPECT_GT(radky(r, {QStringLiteral("2025-04-22 12:00:00"), QVariant(), QVariant(), QVariant(), QVariant()}), 0);
    }
    const char* prosty[] = {"seznam_predvoleb_mest_cr", "seznam_predvoleb_mest_stat", "vnejsi_tel_seznam_CR",
                            "vnejsi_tel_seznam_stat",   "Zvyhodneny_tarif",           "rozdilne_impulsovani"};
    for (const char* jmeno : prosty) {
        SCOPED_TRACE(jmeno);
        Report r;
        ASSERT_TRUE(r.setObject(QString::fromLatin1(jmeno))) << r.errorText().toStdString();
        EXPECT_GT(radky(r, {QVariant(), QVariant(), QVariant(), QVariant(), QVariant()}), 0);
    }
    for (const char* jmeno : {"Hovory", "Hovory_podle_impulsu", "Hovory_podle_delky_hovoru"}) {
        SCOPED_TRACE(jmeno);
        Report r;
        QString s, chyba;
        ASSERT_TRUE(r.setObject(QString::fromLatin1(jmeno))) << r.errorText().toStdString();
        ASSERT_TRUE(sestavy::vlozObdobi(r.select(), od, do_, &s, &chyba)) << chyba.toStdString();
        r.setSelect(s);
        EXPECT_GT(radky(r, {QVariant(), QVariant(), QVariant()}), 0);
    }
    // The seven billing kinds over the whole firm list.
    for (int druh = 1; druh <= 7; ++druh) {
        SCOPED_TRACE(druh);
        Report r;
        QString s, chyba;
        ASSERT_TRUE(r.setObject(sestavy::objektVyuctovani(druh))) << r.errorText().toStdString();
        ASSERT_TRUE(sestavy::vlozObdobiVyuctovani(r.select(), kOd, kDo, &s, &chyba)) << chyba.toStdString();
        r.setSelect(s);
        if (druh == 7) {
            ASSERT_TRUE(r.setFilter(sestavy::filtrCetnosti("1")));
        }
        FDX_filtr_hovory f;
        f.typ = druh;
        f.datum_od = kOd;
        f.datum_do = kDo;
        f.id_firmy = f.id_oddeleni = f.cislo_pobocky = QStringLiteral("0");
        EXPECT_GT(radky(r, sestavy::argumentyVyuctovani(f, QStringLiteral("Ukázková firma s.r.o."))), 0);
        if (druh == 1) {
            // Calls of no firm, of the exchange's own extension and of a free one each have their line.
            QStringList firmy;
            for (const Report::Line& l : r.lines())
                if (l.kind == Report::Line::Row) firmy << l.values.value(0).toString();
            for (const char* popis : {"(bez firmy)", "(ústředna)", "(volná pobočka)"})
                EXPECT_TRUE(firmy.contains(QString::fromUtf8(popis))) << popis;
        }
    }
    // The call browser, outgoing and incoming calls of the period.
    SiteCodes misto;
    ASSERT_TRUE(SiteCodes::read(Transaction::main(), &misto));
    Report r;
    QString zaklad;
    ASSERT_TRUE(CallFilter::chooseObject(r, &zaklad)) << r.errorText().toStdString();
    FDX_filtr_hovory f;
    f.datum_od = kOd;
    f.datum_do = kDo;
    f.typ = 3;
    ASSERT_TRUE(CallFilter(misto).retrieve(r, zaklad, f, QStringLiteral("Ukázková firma s.r.o.")))
        << r.errorText().toStdString();
    r.fetchAll();
    EXPECT_GT(r.lines().size(), 100);
}

// The completion lists of the external directory and the internal directory's windows.
TEST_F(DemoWindows, CompletionListsAndDirectoryWindowsShowSomething)
{
    Transaction& t = Transaction::main();
    std::vector<str_data> casto;
    Doplneni_ucastniku doplneni(t);
    ASSERT_TRUE(doplneni.napln(QString(), casto));
    EXPECT_GT(casto.size(), 0u);
    std::vector<Struktura_novy_tarif_udaj> nezname;
    Nezname_predvolby predvolby(t);
    ASSERT_TRUE(predvolby.nacti_data(nezname)) << predvolby.chyba().toStdString();
    EXPECT_GT(nezname.size(), 0u);
    std::vector<Zaznam_ucastnika> zaznamy;
    Test_duplicit duplicity(t);
    ASSERT_TRUE(duplicity.nacti(zaznamy)) << duplicity.chyba().toStdString();
    Test_duplicit::spocitej(zaznamy);
    qint64 zpravy = 0;
    for (const Zaznam_ucastnika& z : zaznamy) zpravy += !Test_duplicit::zprava(z).isEmpty();
    EXPECT_GT(zpravy, 0);

    QList<NeprirazenyBeh> behy;
    UnassignedExtensions neprirazene(t);
    ASSERT_TRUE(neprirazene.nacti(behy)) << neprirazene.chyba().toStdString();
    EXPECT_EQ(behy.size(), 1);
    QStringList pobocky;
    AssignmentHistory historie(t);
    ASSERT_TRUE(historie.pobocky(pobocky));
    EXPECT_GT(pobocky.size(), 250);
    PrirazeniPobocek prirazeni(t);
    EXPECT_EQ(prirazeni.volne_pobocky(QStringLiteral("2025-04-22 12:00:00")).size(), 5);
    QList<AccountCode> kody;
    AccountCodes ucty(t);
    ASSERT_TRUE(ucty.load(&kody)) << ucty.errorText().toStdString();
    EXPECT_EQ(kody.size(), 6);
    // Watched lines made calls, and some calls carry a listed account code.
    EXPECT_GT(pocet("SELECT count(*) FROM dba.hovory h JOIN dba.prirazeni_pobocek p ON p.Cislo_pobocky = "
                    "h.ustredna_cislo_pobocky AND p.Dohled = '+'"),
              0);
    EXPECT_GT(pocet("SELECT count(*) FROM dba.hovory h JOIN dba.ciselnik_uctovacich_kodu k ON k.Kod_uctu = h.kod_uctu"),
              0);
}

// Every home city sits in a domestic zone (or the other services' one), and so
// a domestic call is priced by a domestic zone; some calls found their subscriber.
TEST_F(DemoWindows, DomesticCallsArePricedByDomesticZones)
{
    EXPECT_EQ(pocet("SELECT count(*) FROM dba.ciselnik_mest m JOIN dba.ciselnik_pasem p ON p.id_pasma = m.id_pasma "
                    "WHERE m.kod_statu = '420' AND p.typ_pasma NOT IN ('1', '2')"),
              0);
    EXPECT_EQ(pocet("SELECT count(*) FROM dba.ciselnik_mest m WHERE m.kod_statu = '420' AND NOT EXISTS "
                    "(SELECT 1 FROM dba.ciselnik_pasem p WHERE p.id_pasma = m.id_pasma)"),
              0);
    EXPECT_EQ(pocet("SELECT count(*) FROM dba.hovory h JOIN dba.ciselnik_pasem p ON p.id_pasma = h.id_pasma "
                    "WHERE h.typ_hovoru IN ('A', 'B') AND p.typ_pasma NOT IN ('1', '2')"),
              0);
    EXPECT_GT(pocet("SELECT count(*) FROM dba.hovory h JOIN dba.ciselnik_pasem p ON p.id_pasma = h.id_pasma "
                    "WHERE h.typ_hovoru = 'B' AND h.tarifovat_hovor = 1 AND p.typ_pasma = '1'"),
              0);
    for (const char* typ : {"A", "B", "C"})
        EXPECT_GT(pocet(QStringLiteral("SELECT count(*) FROM dba.hovory h JOIN dba.ciselnik_ucastniku u ON "
                                       "u.kod_statu = h.kod_statu AND u.kod_mesta = h.kod_mesta AND "
                                       "u.Cislo_ucastnika = h.cislo_ucastnika WHERE h.typ_hovoru = '%1'")
                            .arg(QLatin1String(typ))),
                  0)
            << typ;
}
