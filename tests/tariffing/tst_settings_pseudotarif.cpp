// The pseudotariff form against a fresh database.
#include "common/forms/date_box.h"
#include "tariffing/forms/nastaveni_pseudotarifu.h"
#include "platform/database.h"
#include "platform/forms/message_box.h"
#include "test_env.h"

#include <QPushButton>
#include <QToolButton>
#include <QtTest>
#include <array>
#include <memory>

using namespace kavro;

class TestPseudotarif : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TestEnv> env;
    QList<MessageRequest> zpravy;

    Transaction& t() { return Transaction::main(); }
    // Every stored time as "AD=00:00:05,...", ordered by call type and time kind.
    QString ulozeno()
    {
        return t().scalar("select List(typ_hovoru || typ_casu || '=' || cas) from "
                          "(select * from dba.casy_pseudotarifu order by typ_hovoru, typ_casu)");
    }
    static const QString Puvodni;

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

    void eachBoxLoadsItsRowAndStepsWithItsArrows()
    {
        Nastaveni_Pseudotarifu f;
        f.Nastaveni_Pseudotarifu_Create();
        f.show();
        if (qEnvironmentVariableIsSet("KAVRO_SNIMKY"))
            f.grab().save(qEnvironmentVariable("KAVRO_SNIMKY") + "/nastaveni_pseudotarifu.png");
        const auto box = [&](const char* jmeno) { return f.findChild<TimeBox*>(jmeno); };
        const auto sipka = [&](const char* jmeno) { return f.findChild<UpDown*>(jmeno); };
        const std::array<TimeBox*, 6> boxy = {box("O_Mistni"), box("P_Mistni"), box("O_Mezimesto"),
                                              box("P_Mezimesto"), box("O_Mezistatni"), box("P_Mezistatni")};
        const std::array<UpDown*, 6> sipky = {sipka("updown_1"), sipka("updown_2"), sipka("updown_3"),
                                              sipka("updown_4"), sipka("updown_5"), sipka("updown_6")};
        // A missing row loads empty.
        const QStringList nacteno = {"00:00:05", "", "00:00:10", "", "", "00:00:30"};
        for (size_t i = 0; i < boxy.size(); ++i) {
            QCOMPARE(boxy[i]->text(), nacteno[int(i)]);
            boxy[i]->setText("10:00:00");
            sipky[i]->nahoru()->click();
            QCOMPARE(boxy[i]->text(), QStringLiteral("10:00:01"));
        }
    }

    void saveNormalisesTheBoxesAndCommits()
    {
        Nastaveni_Pseudotarifu f;
        f.Nastaveni_Pseudotarifu_Create();
        f.show();
        f.findChild<TimeBox*>("O_Mistni")->setText("00:00:07");
        f.findChild<TimeBox*>("P_Mistni")->setText("3");         // still being edited: normalised by the save
        f.findChild<TimeBox*>("P_Mezimesto")->clear();           // empty: 00:00:00
        f.findChild<QPushButton*>("cb_OK")->click();
        QCOMPARE(f.result(), int(QDialog::Accepted));
        QVERIFY(zpravy.isEmpty());
        QVERIFY(t().rollback());          // the save committed
        QCOMPARE(ulozeno(), QStringLiteral("AD=00:00:07,AM=00:00:00,BD=00:00:10,BM=00:00:00,CD=00:00:00,CM=00:00:30"));
    }

    void leavingABoxCorrectsItsTextSilently()
    {
        Nastaveni_Pseudotarifu f;
        f.Nastaveni_Pseudotarifu_Create();
        f.show();
        QApplication::setActiveWindow(&f);
        auto* o = f.findChild<TimeBox*>("O_Mezimesto");
        auto* p = f.findChild<TimeBox*>("P_Mezistatni");
        const struct {
            const char* napsano;
            const char* po_odchodu;
        } pripady[] = {{"", "00:00:00"},         {"7", "00:00:00"},     {"12", "12:00:00"},
                       {"12:5", "12:05:00"},     {"1:2:3", "01:02:03"}, {":30", "00:30:00"},
                       {"25:61:99", "23:59:59"}, {"1230", "23:00:00"},  {"ab:cd", "00:00:00"},
                       {"99:99:99", "23:59:59"}, {"7:5", "07:05:00"},   {"12:30:15:99", "12:30:15"}};
        for (const auto& c : pripady) {
            p->setFocus();
            QTest::keyClick(p, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(p, Qt::Key_Delete);
            QTest::keyClicks(p, QString::fromLatin1(c.napsano));
            o->setFocus();
            QCOMPARE(p->text(), QString::fromLatin1(c.po_odchodu));
        }
        QVERIFY(zpravy.isEmpty());
        QVERIFY(f.isVisible());
        QCOMPARE(ulozeno(), Puvodni);
    }

    void enterSavesTheTextOfTheBoxBeingEditedCorrected()
    {
        for (const auto& [napsano, ulozeny] :
             {std::pair{"25:61:99", "23:59:59"}, std::pair{"ab:cd", "00:00:00"}, std::pair{"1230", "23:00:00"}}) {
            QVERIFY(t().exec("delete from dba.casy_pseudotarifu"));
            QVERIFY(t().commit());
            Nastaveni_Pseudotarifu f;
            f.Nastaveni_Pseudotarifu_Create();
            f.show();
            QApplication::setActiveWindow(&f);
            auto* p = f.findChild<TimeBox*>("P_Mezimesto");
            p->setFocus();
            QTest::keyClicks(p, QString::fromLatin1(napsano));
            QTest::keyClick(p, Qt::Key_Return);
            QCOMPARE(f.result(), int(QDialog::Accepted));
            QVERIFY(zpravy.isEmpty());
            QVERIFY(t().rollback()); // the save committed
            QCOMPARE(ulozeno(),
                     QStringLiteral("AD=00:00:00,AM=00:00:00,BD=00:00:00,BM=%1,CD=00:00:00,CM=00:00:00")
                         .arg(QString::fromLatin1(ulozeny)));
        }
    }

    void failedSaveRollsBackAndSaysSoThenLeavingChangesNothing()
    {
        QVERIFY(test::odmitajZapis(t(), "bez_pripojeni", "INSERT", "casy_pseudotarifu",
                                   "NEW.typ_casu = 'M' and NEW.typ_hovoru = 'C'", "nelze"));
        QVERIFY(t().commit());
        Nastaveni_Pseudotarifu f;
        f.Nastaveni_Pseudotarifu_Create();
        f.show();
        f.findChild<TimeBox*>("O_Mistni")->setText("00:00:09");
        f.findChild<QPushButton*>("cb_OK")->click();
        QCOMPARE(zpravy.size(), 1);
        QCOMPARE(zpravy[0].icon, int(IconStop));
        QVERIFY(zpravy[0].text.startsWith(QStringLiteral("Parametry pseudotarifu se nepodařilo uložit")));
        QVERIFY(f.isVisible());  // the form stays open
        QCOMPARE(f.findChild<TimeBox*>("O_Mistni")->text(), QStringLiteral("00:00:05"));  // and shows what is stored
        QCOMPARE(ulozeno(), Puvodni);

        f.findChild<TimeBox*>("O_Mistni")->setText("00:09:00");
        f.findChild<QPushButton*>("cb_Cancel")->click();
        QCOMPARE(f.result(), int(QDialog::Rejected));
        QCOMPARE(ulozeno(), Puvodni);
    }
};

const QString TestPseudotarif::Puvodni = QStringLiteral("AD=00:00:05,BD=00:00:10,CM=00:00:30,PD=00:00:01");

QTEST_MAIN(TestPseudotarif)
#include "tst_settings_pseudotarif.moc"
