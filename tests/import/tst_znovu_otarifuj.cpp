// The re-tariffing window: proposes the stored period, tariffs the days again
// on its worker, names the day in progress and closes by itself.
#include "common/forms/date_box.h"
#include "import/forms/hovory_znovu_otarifuj.h"
#include "import/tarifovani.h"
#include "platform/database.h"
#include "platform/forms/message_box.h"
#include "tarifovani_data.h"
#include "test_env.h"

#include <QFocusEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace kavro;
using namespace kavro::test;

class TstZnovuOtarifuj : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_env = std::make_unique<TestEnv>();
        QVERIFY2(m_env->ok(), qPrintable(m_env->error()));
        QString error;
        QVERIFY2(fillTariffData(&error), qPrintable(error));
        QVERIFY(Transaction::main().commit());
        m_boxes.clear();
        setMessageAnswerer([this](const MessageRequest& r) {
            m_boxes << r;
            return int(ResultOk);
        });
    }

    void cleanup()
    {
        setMessageAnswerer({});
        m_env.reset();
    }

    void tariffsEveryStoredDayAgainAndCloses()
    {
        addTariffedCalls();
        // The subscriber found first is no longer in the directory.
        QVERIFY(Transaction::main().exec(QStringLiteral("DELETE FROM dba.ciselnik_ucastniku WHERE cislo_ucastnika = '23456'")));
        QVERIFY(Transaction::main().commit());

        Hovory_Znovu_otarifuj w;
        QCOMPARE(w.windowTitle(), QStringLiteral("Znovu otarifuj hovory"));
        QStringList dny;
        connect(&w.logika(), &Znovu_otarifuj::den, this, [&](const QString& d) { dny << d; });
        bool zobrazeno = false;
        QTimer::singleShot(0, this, [&] {
            zobrazeno = w.isVisible();
            QCOMPARE(box(w, "Datum_od")->text(), QStringLiteral("2024-03-05"));
            QCOMPARE(box(w, "Datum_do")->text(), QStringLiteral("2024-03-08"));
            QCOMPARE(w.findChild<QPushButton*>(QStringLiteral("cb_Tarifovat"))->text(), QStringLiteral("Tarifovat"));
            w.findChild<QPushButton*>(QStringLiteral("cb_Tarifovat"))->click();
            QVERIFY(!box(w, "Datum_od")->isVisible());
            QVERIFY(!box(w, "Datum_do")->isVisible());
            QVERIFY(!w.findChild<QToolButton*>(QStringLiteral("cb_1"))->isVisible());
            QVERIFY(!w.findChild<QLabel*>(QStringLiteral("label_2"))->isVisible());
            // Nothing stops a run once it has started.
            static_cast<QDialog&>(w).reject();
        });
        QVERIFY(w.Create(nullptr));
        QVERIFY(zobrazeno);
        QVERIFY(!w.isVisible());
        QVERIFY(m_boxes.isEmpty());
        QCOMPARE(dny, QStringList({QStringLiteral("2024-03-05"), QStringLiteral("2024-03-08")}));
        QCOMPARE(w.findChild<QLabel*>(QStringLiteral("label_1"))->text(),
                 QStringLiteral("Provádím tarifování hovorů 2024-03-08"));
        QCOMPARE(callValue(1, QStringLiteral("cislo_ucastnika")), QStringLiteral("2345"));
        QCOMPARE(callValue(2, QStringLiteral("cislo_ucastnika")), QStringLiteral("2345"));
        QCOMPARE(countWhere(QStringLiteral("hovory"), QStringLiteral("status_hovoru <> 10")), 0);
    }

    void leavingABoxNormalisesOnlyThatBox()
    {
        addTariffedCalls();
        Hovory_Znovu_otarifuj w;
        QTimer::singleShot(0, this, [&] {
            box(w, "Datum_od")->setText(QStringLiteral("5.3.2024"));
            box(w, "Datum_do")->setText(QStringLiteral("6.3.2024"));
            QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
            QApplication::sendEvent(box(w, "Datum_do"), &out);
            QCOMPARE(box(w, "Datum_do")->text(), QStringLiteral("2024-03-06"));
            QCOMPARE(box(w, "Datum_od")->text(), QStringLiteral("5.3.2024"));
            w.findChild<QPushButton*>(QStringLiteral("cb_Cancel"))->click();
        });
        QVERIFY(!w.Create(nullptr));
        QVERIFY(!w.isVisible());
        // "Opusť" writes nothing.
        QCOMPARE(callValue(1, QStringLiteral("cislo_ucastnika")), QStringLiteral("23456"));
    }

    void aTypedPeriodIsNormalisedWhenTariffingStarts()
    {
        addTariffedCalls();
        QVERIFY(Transaction::main().exec(QStringLiteral("DELETE FROM dba.ciselnik_ucastniku WHERE cislo_ucastnika = '23456'")));
        QVERIFY(Transaction::main().commit());
        Hovory_Znovu_otarifuj w;
        QTimer::singleShot(0, this, [&] {
            box(w, "Datum_od")->setText(QStringLiteral("6.3.2024"));
            box(w, "Datum_do")->setText(QStringLiteral("8.3.2024"));
            w.findChild<QPushButton*>(QStringLiteral("cb_Tarifovat"))->click();
        });
        QVERIFY(w.Create(nullptr));
        QCOMPARE(callValue(1, QStringLiteral("cislo_ucastnika")), QStringLiteral("23456"));
        QCOMPARE(callValue(2, QStringLiteral("cislo_ucastnika")), QStringLiteral("2345"));
    }

    void withoutASiteTellsTheUserAndClosesWithoutResetting()
    {
        addTariffedCalls();
        QVERIFY(Transaction::main().exec(QStringLiteral("DELETE FROM dba.konfigurace_mista")));
        QVERIFY(Transaction::main().commit());
        Hovory_Znovu_otarifuj w;
        QTimer::singleShot(0, this, [&] { w.findChild<QPushButton*>(QStringLiteral("cb_Tarifovat"))->click(); });
        QVERIFY(w.Create(nullptr));
        QVERIFY(!w.isVisible());
        QCOMPARE(m_boxes.size(), 1);
        QCOMPARE(m_boxes[0].icon, int(IconWarning));
        QVERIFY(m_boxes[0].text.contains(QStringLiteral("místo ústředny")));
        QCOMPARE(callValue(1, QStringLiteral("status_hovoru")), QStringLiteral("10"));
        QCOMPARE(callValue(1, QStringLiteral("typ_hovoru")), QStringLiteral("A"));
    }

    void withNoCallsTheBoxesStayEmptyAndNothingRuns()
    {
        Hovory_Znovu_otarifuj w;
        QTimer::singleShot(0, this, [&] {
            QVERIFY(box(w, "Datum_od")->text().isEmpty());
            QVERIFY(box(w, "Datum_do")->text().isEmpty());
            w.findChild<QPushButton*>(QStringLiteral("cb_Tarifovat"))->click();
        });
        QVERIFY(w.Create(nullptr));
        QVERIFY(!w.isVisible());
        QVERIFY(m_boxes.isEmpty());
        QCOMPARE(w.vysledek(), Znovu_otarifuj::Vysledek::Hotovo);
        QVERIFY(w.logika().hotoveDny().isEmpty());
    }

private:
    static DateBox* box(QWidget& w, const char* name) { return w.findChild<DateBox*>(QString::fromLatin1(name)); }

    // Two local calls, on 2024-03-05 and 2024-03-08, tariffed.
    void addTariffedCalls()
    {
        Call c;
        c.id = 1;
        c.when = QStringLiteral("2024-03-05 10:00:00");
        c.number = QStringLiteral("2345678");
        QVERIFY(addCall(c));
        c.id = 2;
        c.when = QStringLiteral("2024-03-08 23:59:59");
        QVERIFY(addCall(c));
        Tarifovani t;
        QCOMPARE(t.tarifikuj(), Tarifovani::Vysledek::Hotovo);
        QCOMPARE(callValue(1, QStringLiteral("cislo_ucastnika")), QStringLiteral("23456"));
    }

    std::unique_ptr<TestEnv> m_env;
    QList<MessageRequest> m_boxes;
};

QTEST_MAIN(TstZnovuOtarifuj)
#include "tst_znovu_otarifuj.moc"
