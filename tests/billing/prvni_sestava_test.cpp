// A new database as the installation makes it (db/, on a server through
// db/postgresql/create.sh) brought into use the way a new user does: the site
// saved as its dialog saves it, the collector's files imported and tariffed,
// and the billing by extension printed from what they left.
#include "billing/sestavy.h"
#include "gendata.h"
#include "import/call_import.h"
#include "platform/clock.h"
#include "platform/database.h"
#include "platform/report_runtime.h"
#include "tariffing/tarifovani.h"
#include "tariffing/vazby_tto.h"
#include "test_env.h"

#include <gtest/gtest.h>

using namespace kavro;

namespace {

qint64 hovoru(const QString& kde)
{
    return Transaction::main().scalar(QStringLiteral("SELECT count(*) FROM dba.hovory WHERE ") + kde).toLongLong();
}

} // namespace

TEST(PrvniSestava, NewDatabaseFromSiteToBillingReport)
{
    test::TestEnv env;
    ASSERT_TRUE(env.ok()) << env.error().toStdString();
    Transaction& t = Transaction::main();
    clock::setFixedNow(QDateTime(QDate(2024, 3, 20), QTime(12, 0)));

    // The site dialog's "Ulož": Praha in the Czech Republic, prefixes 00 and 0.
    MistoUstredny misto;
    misto.mezistatni_predvolba = QStringLiteral("00");
    misto.mezimestska_predvolba = QStringLiteral("0");
    misto.kod_statu = QStringLiteral("420");
    misto.kod_mesta = QStringLiteral("2");
    QString chyba;
    ASSERT_TRUE(uloz_misto(t, misto, &chyba)) << chyba.toStdString();
    MistoUstredny ulozene;
    ASSERT_TRUE(nacti_misto(t, &ulozene, &chyba)) << chyba.toStdString();
    EXPECT_EQ(ulozene.kod_mesta, QStringLiteral("2"));
    EXPECT_EQ(
        t.scalar(QStringLiteral("SELECT id_pasma FROM dba.ciselnik_mest WHERE kod_statu = '420' AND kod_mesta = '2'")),
        QStringLiteral("1"));

    // The collector's files of three days, imported with a tariffing run per day.
    gendata::Options o;
    o.outDir = env.dataDir();
    o.firstDay = QDate(2024, 3, 15);
    o.days = 3;
    o.callsPerDay = 300;
    gendata::Result vysledek;
    ASSERT_TRUE(gendata::writeFiles(o, &vysledek));
    Import_hovoru imp(t);
    const auto beh = Tarifovani::proImport(&t);
    imp.setTariffingRun(beh.get());
    Import_hovoru::Parametry p;
    p.typ_importu = 2;
    p.od = QDate(2024, 3, 15);
    p.do_ = QDate(2024, 3, 17);
    p.adresar = env.dataDir();
    const Import_hovoru::Souhrn s = imp.Vkladej_soubory(p);
    EXPECT_TRUE(Import_hovoru::textChyb(s).isEmpty()) << Import_hovoru::textChyb(s).toStdString();
    EXPECT_EQ(s.ulozeno, vysledek.records);
    EXPECT_GE(s.behu_tarifikace, 3);
    EXPECT_TRUE(s.chyba_tarifikace.isEmpty()) << s.chyba_tarifikace.toStdString();
    ASSERT_EQ(hovoru(QStringLiteral("1=1")), vysledek.records);
    EXPECT_EQ(hovoru(QStringLiteral("status_hovoru <> 10")), 0);
    const qint64 uctovanych = hovoru(QStringLiteral("tarifovat_hovor = 1"));
    EXPECT_GT(uctovanych, 0);
    EXPECT_EQ(hovoru(QStringLiteral("typ_hovoru = 'A' AND (kod_statu <> '420' OR kod_mesta <> '2')")), 0);

    // Billing by extension for March, as the billing window asks for it.
    Report r;
    ASSERT_TRUE(r.setObject(sestavy::objektVyuctovani(3))) << r.errorText().toStdString();
    QString select;
    ASSERT_TRUE(sestavy::vlozObdobiVyuctovani(r.select(), QStringLiteral("2024-03-01 00:00:00"),
                                              QStringLiteral("2024-03-31 23:59:59"), &select, &chyba))
        << chyba.toStdString();
    r.setSelect(select);
    FDX_filtr_hovory f;
    f.typ = 3;
    f.datum_od = QStringLiteral("2024-03-01 00:00:00");
    f.datum_do = QStringLiteral("2024-03-31 23:59:59");
    f.id_firmy = f.id_oddeleni = f.cislo_pobocky = QStringLiteral("0");
    ASSERT_TRUE(r.retrieve(sestavy::argumentyVyuctovani(f, QStringLiteral("Dorvek s.r.o."))))
        << r.errorText().toStdString();
    r.fetchAll();
    EXPECT_TRUE(r.errorText().isEmpty()) << r.errorText().toStdString();
    ASSERT_TRUE(r.hasTotal());
    int pocet = -1;
    for (int c = 0; c < r.object().columns.size(); ++c)
        if (r.object().columns[c].name == QLatin1String("pocet")) pocet = c;
    ASSERT_GE(pocet, 0);
    EXPECT_EQ(r.total().values.value(pocet).toLongLong(), uctovanych);
    qint64 radku = 0, soucet = 0;
    for (const Report::Line& l : r.lines())
        if (l.kind == Report::Line::Row) {
            ++radku;
            soucet += l.values.value(pocet).toLongLong();
        }
    EXPECT_GT(radku, 1);
    EXPECT_EQ(soucet, uctovanych);
    EXPECT_TRUE(r.header().join(QLatin1Char('\n')).contains(QStringLiteral("Dorvek s.r.o.")));
}
