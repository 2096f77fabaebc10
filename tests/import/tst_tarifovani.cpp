// The tariffing progress window: it runs the whole tariffing on its worker,
// closes by itself, and tells the user when there is no site to tariff with.
#include "import/forms/hovory_tarifovani.h"
#include "platform/database.h"
#include "platform/forms/message_box.h"
#include "tarifovani_data.h"
#include "test_env.h"

#include <QLabel>
#include <QTest>

using namespace kavro;
using namespace kavro::test;

class TstTarifovani : public QObject {
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

    void runsTheWholeTariffingAndCloses()
    {
        Call c;
        c.id = 1;
        c.when = QStringLiteral("2024-03-05 10:00:00");
        c.number = QStringLiteral("0049305551234");
        c.impulses = 2;
        QVERIFY(addCall(c));
        QWidget owner;
        Hovory_tarifovani w;
        QCOMPARE(w.windowTitle(), QStringLiteral("Otarifováni hovorů"));
        QVERIFY(w.findChild<QLabel*>(QStringLiteral("l_status")));
        QCOMPARE(w.Create(&owner), Tarifovani::Vysledek::Hotovo);
        QVERIFY(!w.isVisible());
        QVERIFY(m_boxes.isEmpty());
        QCOMPARE(callValue(1, QStringLiteral("status_hovoru")), QStringLiteral("10"));
        QCOMPARE(callValue(1, QStringLiteral("cislo_ucastnika")), QStringLiteral("555"));
        // The last step clears the label.
        QCOMPARE(w.l_status()->text(), QString());
        // The run is committed: a rollback elsewhere does not undo it.
        QVERIFY(Transaction::main().rollback());
        QCOMPARE(callValue(1, QStringLiteral("status_hovoru")), QStringLiteral("10"));

        // The same object runs again, as the import does at every new day.
        c.id = 2;
        c.when = QStringLiteral("2024-03-06 10:00:00");
        QVERIFY(addCall(c));
        QCOMPARE(w.Create(&owner), Tarifovani::Vysledek::Hotovo);
        QVERIFY(w.tarifovani().prvniBehProbehl());
        QCOMPARE(callValue(2, QStringLiteral("status_hovoru")), QStringLiteral("10"));
    }

    void withoutSiteTellsTheUserAndLeavesCallsAlone()
    {
        QVERIFY(Transaction::main().exec(QStringLiteral("DELETE FROM dba.konfigurace_mista")));
        Call c;
        c.id = 1;
        c.when = QStringLiteral("2024-03-05 10:00:00");
        c.number = QStringLiteral("2345678");
        QVERIFY(addCall(c));
        Hovory_tarifovani w;
        QCOMPARE(w.Create(nullptr), Tarifovani::Vysledek::ChybiMisto);
        QCOMPARE(m_boxes.size(), 1);
        QCOMPARE(m_boxes[0].caption, QStringLiteral("Otarifováni hovorů"));
        QVERIFY(m_boxes[0].text.contains(QStringLiteral("místo ústředny")));
        QCOMPARE(callValue(1, QStringLiteral("status_hovoru")), QStringLiteral("2"));
    }

private:
    std::unique_ptr<TestEnv> m_env;
    QList<MessageRequest> m_boxes;
};

QTEST_MAIN(TstTarifovani)
#include "tst_tarifovani.moc"
