// The re-tariffing window: proposes the stored period, tariffs the days again
// on its worker, names the day in progress and closes by itself.
#include "common/forms/date_box.h"
#include "tariffing/forms/hovory_znovu_otarifuj.h"
#include "okna_tarifovani.h"
#include "skutecne_dialogy.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace kavro;
using namespace kavro::test;

namespace {
const QStringList Dny = {QStringLiteral("2024-03-05 10:00:00"), QStringLiteral("2024-03-08 23:59:59")};
}

class TstZnovuOtarifuj : public QObject {
    Q_OBJECT
    OknaTarifovani m_okna;

private slots:
    void init() { m_okna.start(); }
    void cleanup() { m_okna.stop(); }

    void tariffsTheTypedPeriodAgainAndCloses()
    {
        tarifovaneMistniHovory(Dny, true);
        Hovory_Znovu_otarifuj w;
        QStringList dny;
        connect(&w.logika(), &Znovu_otarifuj::den, this, [&](const QString& d) { dny << d; });
        bool zobrazeno = false;
        QTimer::singleShot(0, this, [&] {
            zobrazeno = w.isVisible();
            // Proposed: the days of the oldest and the newest call.
            QCOMPARE(box(w, "Datum_od")->text(), QStringLiteral("2024-03-05"));
            QCOMPARE(box(w, "Datum_do")->text(), QStringLiteral("2024-03-08"));
            box(w, "Datum_od")->setText(QStringLiteral("6.3.2024"));  // normalised when the run starts
            w.findChild<QPushButton*>(QStringLiteral("cb_Tarifovat"))->click();
            // Nothing stops a run once it has started.
            static_cast<QDialog&>(w).reject();
        });
        QVERIFY(w.Create(nullptr));
        QVERIFY(zobrazeno);
        QVERIFY(!w.isVisible());
        QVERIFY(m_okna.boxes.isEmpty());
        QCOMPARE(dny, QStringList{QStringLiteral("2024-03-08")});
        QCOMPARE(w.findChild<QLabel*>(QStringLiteral("label_1"))->text(),
                 QStringLiteral("Provádím tarifování hovorů 2024-03-08"));
        // The bar over the days shows the run's place among them.
        auto* bar = w.findChild<QProgressBar*>(QStringLiteral("progb_1"));
        QVERIFY(bar && !bar->isHidden());
        QCOMPARE(bar->maximum(), 1);
        QCOMPARE(callValue(1, QStringLiteral("cislo_ucastnika")), QStringLiteral("23456"));
        QCOMPARE(callValue(2, QStringLiteral("cislo_ucastnika")), QStringLiteral("2345"));
        QCOMPARE(countWhere(QStringLiteral("hovory"), QStringLiteral("status_hovoru <> 10")), 0);
    }

    void leavingWritesNothing()
    {
        tarifovaneMistniHovory(Dny, true);
        Hovory_Znovu_otarifuj w;
        QTimer::singleShot(0, this, [&] { w.findChild<QPushButton*>(QStringLiteral("cb_Cancel"))->click(); });
        QVERIFY(!w.Create(nullptr));
        QVERIFY(!w.isVisible());
        QCOMPARE(callValue(1, QStringLiteral("cislo_ucastnika")), QStringLiteral("23456"));
    }

    void withoutASiteTellsTheUserAndClosesWithoutResetting()
    {
        tarifovaneMistniHovory(Dny, false);
        QVERIFY(Transaction::main().exec(QStringLiteral("DELETE FROM dba.konfigurace_mista")));
        QVERIFY(Transaction::main().commit());
        Hovory_Znovu_otarifuj w;
        QTimer::singleShot(0, this, [&] { w.findChild<QPushButton*>(QStringLiteral("cb_Tarifovat"))->click(); });
        QVERIFY(w.Create(nullptr));
        QVERIFY(!w.isVisible());
        QCOMPARE(m_okna.boxes.size(), 1);
        QCOMPARE(m_okna.boxes[0].icon, int(IconWarning));
        QVERIFY(m_okna.boxes[0].text.contains(QStringLiteral("místo ústředny")));
        QCOMPARE(callValue(1, QStringLiteral("status_hovoru")), QStringLiteral("10"));
        QCOMPARE(callValue(1, QStringLiteral("typ_hovoru")), QStringLiteral("A"));
    }

    void theRunsMessageIsAnsweredInTheRealBoxOverTheWindow()
    {
        tarifovaneMistniHovory(Dny, false);
        QVERIFY(Transaction::main().exec(QStringLiteral("DELETE FROM dba.konfigurace_mista")));
        QVERIFY(Transaction::main().commit());
        setMessageAnswerer({});  // the real box
        Hovory_Znovu_otarifuj w;
        const QString titulek = QStringLiteral("Znovu otarifuj hovory");
        SkutecneDialogy d;
        d.stiskni(titulek, QStringLiteral("Tarifovat"));
        d.stiskniPo(300, titulek, QStringLiteral("OK"), [&w](QWidget* box) {
            // The window that ran stays under its message until it is answered.
            QCOMPARE(box->parentWidget(), &w);
            QVERIFY(w.isVisible());
        });
        QVERIFY(w.Create(nullptr));
        QVERIFY2(d.hotovo(), qPrintable(d.chyba()));
        QVERIFY(!w.isVisible());
        QCOMPARE(d.videno.size(), 2);
        QVERIFY(d.videno[1].contains(QStringLiteral("místo ústředny")));
    }

    void withNoCallsNothingRunsAndTheWindowCloses()
    {
        Hovory_Znovu_otarifuj w;
        QTimer::singleShot(0, this, [&] { w.findChild<QPushButton*>(QStringLiteral("cb_Tarifovat"))->click(); });
        QVERIFY(w.Create(nullptr));
        QVERIFY(!w.isVisible());
        QVERIFY(m_okna.boxes.isEmpty());
        QVERIFY(w.logika().hotoveDny().isEmpty());
    }

private:
    static DateBox* box(QWidget& w, const char* name) { return w.findChild<DateBox*>(QString::fromLatin1(name)); }
};

QTEST_MAIN(TstZnovuOtarifuj)
#include "tst_znovu_otarifuj.moc"
