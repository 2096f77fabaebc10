// The tariffing progress window: it runs the whole tariffing on its worker,
// closes by itself, and tells the user when there is no site to tariff with.
#include "tariffing/forms/hovory_tarifovani.h"
#include "okna_tarifovani.h"

#include <QLabel>
#include <QTest>

using namespace kavro;
using namespace kavro::test;

class TstTarifovani : public QObject {
    Q_OBJECT
    OknaTarifovani m_okna;

private slots:
    void init() { m_okna.start(); }
    void cleanup() { m_okna.stop(); }

    void runsTheWholeTariffingAndCloses()
    {
        Call c{.id = 1, .when = QStringLiteral("2024-03-05 10:00:00"), .number = QStringLiteral("0049305551234"),
               .impulses = 2};
        QVERIFY(addCall(c));
        QWidget owner;
        Hovory_tarifovani w;
        QCOMPARE(w.Create(&owner), Tarifovani::Vysledek::Hotovo);
        QVERIFY(!w.isVisible());
        QVERIFY(m_okna.boxes.isEmpty());
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

    void stepTextsReachTheWindowInTheOrderOfTheSteps()
    {
        QVERIFY(addCall({.id = 1, .when = QStringLiteral("2024-03-05 10:00:00"), .number = QStringLiteral("2345678")}));
        Hovory_tarifovani w;
        QStringList texty;
        // Queued, as the window's label gets them from the worker.
        connect(&w.tarifovani(), &Tarifovani::status, this, [&](const QString& t) { texty << t; }, Qt::QueuedConnection);
        QCOMPARE(w.Create(nullptr), Tarifovani::Vysledek::Hotovo);
        QCoreApplication::processEvents();
        const QStringList zacatky = {QStringLiteral("Nastavuji parametry"), QStringLiteral("Doplňuji kalendář"),
                                     QStringLiteral("Nastavuji typ příchozí hovory"), QStringLiteral("Zjistuji tarifní vysílače"),
                                     QStringLiteral("Vyřazuji krátké hovory z tarifování"),
                                     QStringLiteral("Nastavuji kody statu u zahranicnich hovoru"),
                                     QStringLiteral("Hledám mezistátní účastníky"), QStringLiteral("Určuji pásmo u hovoru"),
                                     QStringLiteral("Nastavuji počty impulsů"),
                                     QStringLiteral("Ruším tarifování u krátkých čísel domácích měst"),
                                     QStringLiteral("Přiřazuji volajícího k hovoru")};
        qsizetype pred = -1;
        for (const QString& z : zacatky) {
            const qsizetype i = texty.indexOf(z);
            QVERIFY2(i > pred, qPrintable(z));
            pred = i;
        }
        QCOMPARE(texty.last(), QString());
    }

    void withoutSiteTellsTheUserAndLeavesCallsAlone()
    {
        QVERIFY(Transaction::main().exec(QStringLiteral("DELETE FROM dba.konfigurace_mista")));
        QVERIFY(addCall({.id = 1, .when = QStringLiteral("2024-03-05 10:00:00"), .number = QStringLiteral("2345678")}));
        Hovory_tarifovani w;
        QCOMPARE(w.Create(nullptr), Tarifovani::Vysledek::ChybiMisto);
        QCOMPARE(m_okna.boxes.size(), 1);
        QVERIFY(m_okna.boxes[0].text.contains(QStringLiteral("místo ústředny")));
        QCOMPARE(callValue(1, QStringLiteral("status_hovoru")), QStringLiteral("2"));
    }
};

QTEST_MAIN(TstTarifovani)
#include "tst_tarifovani.moc"
