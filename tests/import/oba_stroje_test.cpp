// The same collector files go through the file engine and through the server:
// both must leave the same calls, and a second program on the server must be
// able to work while the import runs.
#include "gendata.h"
#include "import/call_import.h"
#include "platform/clock.h"
#include "platform/database.h"
#include "platform/unit_of_work.h"
#include "tariffing/tarifovani.h"
#include "tarifovani_data.h"
#include "test_env.h"

#include <QDir>
#include <gtest/gtest.h>
#include <atomic>
#include <thread>

using namespace kavro;

namespace {

using Radky = QList<QStringList>;

Radky hovory(Transaction& t)
{
    Radky out;
    Query q(t, QStringLiteral("SELECT * FROM dba.hovory ORDER BY id_hovoru"));
    EXPECT_TRUE(q.run()) << q.lastErrorText().toStdString();
    for (; !q.atEnd(); q.next()) {
        QStringList r;
        for (int i = 1; i <= q.columnCount(); ++i) r << (q.isNull(i) ? QStringLiteral("<null>") : q.value(i));
        out << r;
    }
    return out;
}

class ObaStroje : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!test::onServer()) GTEST_SKIP() << "compares the server with the file; runs in the server runs";
        ASSERT_TRUE(env.ok()) << env.error().toStdString();
        clock::setFixedNow(QDateTime(QDate(2024, 3, 20), QTime(12, 0)));
        gendata::Options o;
        o.outDir = env.dataDir();
        o.firstDay = QDate(2024, 3, 15);
        o.days = 3;
        o.callsPerDay = 400;
        gendata::Result r;
        ASSERT_TRUE(gendata::writeFiles(o, &r));
        zapsano = r.records;
    }

    // Fills the tariff tables, imports the files with the tariffing run and
    // returns every stored call.
    Radky importuj()
    {
        QString error;
        EXPECT_TRUE(test::fillTariffData(&error)) << error.toStdString();
        EXPECT_TRUE(Transaction::main().commit());
        Import_hovoru imp(Transaction::main());
        const auto beh = Tarifovani::proImport(&Transaction::main());
        imp.setTariffingRun(beh.get());
        Import_hovoru::Parametry p;
        p.typ_importu = 2;
        p.od = QDate(2024, 3, 15);
        p.do_ = QDate(2024, 3, 17);
        p.adresar = env.dataDir();
        const Import_hovoru::Souhrn s = imp.Vkladej_soubory(p);
        EXPECT_EQ(s.ulozeno, zapsano);
        EXPECT_TRUE(Import_hovoru::textChyb(s).isEmpty()) << Import_hovoru::textChyb(s).toStdString();
        return hovory(Transaction::main());
    }

    test::TestEnv env;
    qint64 zapsano = 0;
};

} // namespace

TEST_F(ObaStroje, SameFilesLeaveTheSameCallsOnTheServerAndInTheFile)
{
    const Radky server = importuj();
    ASSERT_EQ(server.size(), zapsano);
    // Every call was tariffed.
    for (const QStringList& r : server) ASSERT_EQ(r.value(8), QStringLiteral("10")) << r.join(u'|').toStdString();

    const QString soubor = env.dir() + QStringLiteral("/soubor.db");
    QString error;
    ASSERT_TRUE(createDatabase(soubor, QStringLiteral(KAVRO_DB_DIR), &error)) << error.toStdString();
    ASSERT_TRUE(Transaction::main().connectFile(soubor));
    const Radky file = importuj();
    ASSERT_EQ(file.size(), server.size());
    for (qsizetype i = 0; i < file.size(); ++i) ASSERT_EQ(server[i], file[i]) << "row " << i;
}

// One program imports while another edits the directory on the same server:
// both finish and nothing of either is lost.
TEST_F(ObaStroje, TwoProgramsAtOnceBothFinish)
{
    QString error;
    ASSERT_TRUE(test::fillTariffData(&error)) << error.toStdString();
    ASSERT_TRUE(Transaction::main().commit());
    Transaction druhy;
    ASSERT_TRUE(env.connectAgain(druhy)) << druhy.lastErrorText().toStdString();

    std::atomic<bool> hotovo{false};
    int zapsanoFirem = 0;
    QString chybaDruheho;
    std::thread editor([&] {
        // The directory maintainer adds firms one by one, each saved at once.
        for (int i = 0; !hotovo.load() || i < 20; ++i) {
            UnitOfWork prace(druhy);
            if (!druhy.exec(QStringLiteral("INSERT INTO dba.ciselnik_firem (nazev_firmy) VALUES (?)"),
                            {QStringLiteral("Firma %1").arg(i)})
                || !prace.commit()) {
                chybaDruheho = druhy.lastErrorText() + prace.errorText();
                return;
            }
            ++zapsanoFirem;
            if (i > 2000) return;
        }
    });
    Import_hovoru imp(Transaction::main());
    const auto beh = Tarifovani::proImport(&Transaction::main());
    imp.setTariffingRun(beh.get());
    Import_hovoru::Parametry p;
    p.typ_importu = 2;
    p.od = QDate(2024, 3, 15);
    p.do_ = QDate(2024, 3, 17);
    p.adresar = env.dataDir();
    const Import_hovoru::Souhrn s = imp.Vkladej_soubory(p);
    hotovo = true;
    editor.join();

    EXPECT_TRUE(chybaDruheho.isEmpty()) << chybaDruheho.toStdString();
    EXPECT_EQ(s.ulozeno, zapsano);
    EXPECT_TRUE(Import_hovoru::textChyb(s).isEmpty()) << Import_hovoru::textChyb(s).toStdString();
    EXPECT_EQ(Transaction::main().scalar(QStringLiteral("SELECT count(*) FROM dba.hovory WHERE status_hovoru = 10")).toLongLong(),
              zapsano);
    EXPECT_EQ(Transaction::main().scalar(QStringLiteral("SELECT count(*) FROM dba.ciselnik_firem WHERE nazev_firmy LIKE 'Firma %'"))
                  .toLongLong(),
              zapsanoFirem);
    EXPECT_GE(zapsanoFirem, 20);
    druhy.disconnect();
}
