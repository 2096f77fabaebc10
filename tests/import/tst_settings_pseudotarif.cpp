// The pseudotariff form against a fresh database.
#include "common/forms/date_box.h"
#include "import/forms/nastaveni_pseudotarifu.h"
#include "platform/database.h"
#include "platform/forms/message_box.h"
#include "test_env.h"

#include <QPushButton>
#include <QToolButton>
#include <QtTest>
#include <memory>

using namespace kavro;

class TestPseudotarif : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TestEnv> env;
    QList<MessageRequest> zpravy;

    Transaction& t() { return Transaction::main(); }
    QString ulozeno(const char* typ, const char* druh)
    {
        return t().scalar("select cas from dba.casy_pseudotarifu where typ_hovoru = ? and typ_casu = ?",
                          {QString::fromLatin1(typ), QString::fromLatin1(druh)});
    }
    static void napis(TimeBox* box, const QString& text)
    {
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, text);
    }

private slots:
    void init()
    {
        env = std::make_unique<test::TestEnv>();
        QVERIFY2(env->ok(), qPrintable(env->error()));
        zpravy.clear();
        setMessageAnswerer([this](const MessageRequest& r) {
            zpravy << r;
            return int(ResultOk);
        });
        QVERIFY(t().exec("insert into dba.casy_pseudotarifu values "
                         "('A','D','00:00:05','1900-01-01 00:00:00','1999-12-31 23:59:59'),"
                         "('B','D','00:00:10','1900-01-01 00:00:00','1999-12-31 23:59:59'),"
                         "('C','M','00:00:30','1900-01-01 00:00:00','1999-12-31 23:59:59'),"
                         "('P','D','00:00:01','2000-01-01 00:00:00','9999-12-31 23:59:59')"));
        QVERIFY(t().commit());
    }
    void cleanup()
    {
        setMessageAnswerer({});
        env.reset();
    }

    void loadsStoredTimesAndEmptyForMissingRows()
    {
        Nastaveni_Pseudotarifu f;
        f.Nastaveni_Pseudotarifu_Create();
        f.show();
        QCOMPARE(f.windowTitle(), QStringLiteral("Nastavení údajů pro  pseudotarif"));
        QCOMPARE(f.O_Mistni->text(), QStringLiteral("00:00:05"));
        QCOMPARE(f.P_Mistni->text(), QString());
        QCOMPARE(f.O_Mezimesto->text(), QStringLiteral("00:00:10"));
        QCOMPARE(f.P_Mezistatni->text(), QStringLiteral("00:00:30"));
        QCOMPARE(f.O_Mezistatni->maxLength(), 8);
        if (qEnvironmentVariableIsSet("KAVRO_SNIMKY"))
            f.grab().save(qEnvironmentVariable("KAVRO_SNIMKY") + "/nastaveni_pseudotarifu.png");
    }

    void normalisesOnLeavingAndStepsAcrossMidnight()
    {
        Nastaveni_Pseudotarifu f;
        f.Nastaveni_Pseudotarifu_Create();
        f.show();
        QApplication::setActiveWindow(&f);
        const QList<QPair<QString, QString>> pripady = {
            {"", "00:00:00"}, {"7", "00:00:00"}, {"12", "12:00:00"}, {"12:5", "12:05:00"},
            {"1:2:3", "01:02:03"}, {":30", "00:30:00"}, {"25:61:99", "23:59:59"}, {"1230", "23:00:00"}};
        for (const auto& [napsano, cekano] : pripady) {
            napis(f.P_Mistni, napsano);
            if (napsano.isEmpty()) f.P_Mistni->clear();
            f.P_Mezimesto->setFocus();  // leaving the box normalises it
            QCOMPARE(f.P_Mistni->text(), cekano);
        }

        // The arrows beside a box step it by a second, wrapping at midnight.
        auto krok = [](UpDown* u, int smer) { (smer > 0 ? u->nahoru() : u->dolu())->click(); };
        f.O_Mistni->setText("23:59:59");
        krok(f.updown_1, +1);
        QCOMPARE(f.O_Mistni->text(), QStringLiteral("00:00:00"));
        krok(f.updown_1, -1);
        QCOMPARE(f.O_Mistni->text(), QStringLiteral("23:59:59"));
        f.P_Mezistatni->setText("00:00:59");
        krok(f.updown_6, +1);
        QCOMPARE(f.P_Mezistatni->text(), QStringLiteral("00:01:00"));
        f.O_Mezimesto->setText("10:00:00");
        krok(f.updown_3, -1);
        QCOMPARE(f.O_Mezimesto->text(), QStringLiteral("09:59:59"));
        QCOMPARE(f.O_Mistni->text(), QStringLiteral("23:59:59"));  // other boxes untouched
    }

    void saveWritesSixOpenEndedRowsAndCommits()
    {
        Nastaveni_Pseudotarifu f;
        f.Nastaveni_Pseudotarifu_Create();
        f.show();
        f.O_Mistni->setText("00:00:07");
        f.P_Mistni->setText("3");         // still being edited: normalised by the save
        f.P_Mezimesto->clear();           // empty: 00:00:00
        f.cb_OK->click();
        QCOMPARE(f.result(), int(QDialog::Accepted));
        QVERIFY(zpravy.isEmpty());
        QVERIFY(t().rollback());          // the save committed
        QCOMPARE(t().scalar("select count(*) from dba.casy_pseudotarifu"), QStringLiteral("6"));
        QCOMPARE(t().scalar("select count(*) from dba.casy_pseudotarifu where pocatek_platnosti = "
                            "'1900-01-01 00:00:00' and konec_platnosti = '9999-12-31 23:59:59'"),
                 QStringLiteral("6"));
        QCOMPARE(ulozeno("A", "D"), QStringLiteral("00:00:07"));
        QCOMPARE(ulozeno("A", "M"), QStringLiteral("00:00:00"));
        QCOMPARE(ulozeno("B", "D"), QStringLiteral("00:00:10"));
        QCOMPARE(ulozeno("B", "M"), QStringLiteral("00:00:00"));
        QCOMPARE(ulozeno("C", "D"), QStringLiteral("00:00:00"));
        QCOMPARE(ulozeno("C", "M"), QStringLiteral("00:00:30"));

        // Reopened, the form shows what was stored.
        Nastaveni_Pseudotarifu g;
        g.Nastaveni_Pseudotarifu_Create();
        QCOMPARE(g.O_Mistni->text(), QStringLiteral("00:00:07"));
        QCOMPARE(g.P_Mezimesto->text(), QStringLiteral("00:00:00"));
    }

    void failedSaveRollsBackAndSaysSo()
    {
        QVERIFY(t().exec("create trigger dba.bez_pripojeni before insert on casy_pseudotarifu "
                         "when new.typ_casu = 'M' and new.typ_hovoru = 'C' "
                         "begin select raise(abort, 'nelze'); end"));
        QVERIFY(t().commit());
        Nastaveni_Pseudotarifu f;
        f.Nastaveni_Pseudotarifu_Create();
        f.show();
        f.O_Mistni->setText("00:00:09");
        f.cb_OK->click();
        QCOMPARE(zpravy.size(), 1);
        QCOMPARE(zpravy[0].icon, int(IconStop));
        QVERIFY(zpravy[0].text.startsWith(QStringLiteral("Parametry pseudotarifu se nepodařilo uložit")));
        QVERIFY(f.isVisible());  // the form stays open
        QCOMPARE(f.O_Mistni->text(), QStringLiteral("00:00:05"));  // and shows what is stored
        QCOMPARE(t().scalar("select count(*) from dba.casy_pseudotarifu"), QStringLiteral("4"));
        QCOMPARE(ulozeno("A", "D"), QStringLiteral("00:00:05"));
    }

    void leavingChangesNothing()
    {
        Nastaveni_Pseudotarifu f;
        f.Nastaveni_Pseudotarifu_Create();
        f.show();
        f.O_Mistni->setText("00:09:00");
        f.cb_Cancel->click();
        QCOMPARE(f.result(), int(QDialog::Rejected));
        QCOMPARE(ulozeno("A", "D"), QStringLiteral("00:00:05"));
        QCOMPARE(t().scalar("select count(*) from dba.casy_pseudotarifu"), QStringLiteral("4"));
    }
};

QTEST_MAIN(TestPseudotarif)
#include "tst_settings_pseudotarif.moc"
