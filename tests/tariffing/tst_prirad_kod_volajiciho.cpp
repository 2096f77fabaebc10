// The re-identification window: a status window that runs the statements on
// its worker and closes by itself, or tells the user that the site is missing.
#include "tariffing/forms/p_prirad_kod_volajiciho.h"
#include "okna_tarifovani.h"
#include "skutecne_dialogy.h"

#include <QTest>
#include <QTimer>

using namespace kavro;
using namespace kavro::test;

class TstPriradKodVolajiciho : public QObject {
    Q_OBJECT
    OknaTarifovani m_okna;

private slots:
    void init()
    {
        m_okna.start();
        tarifovaneMistniHovory({QStringLiteral("2024-03-05 10:00:00")}, true);
    }
    void cleanup() { m_okna.stop(); }

    void identifiesEveryCallAgainAndCloses()
    {
        P_prirad_kod_volajiciho w;
        QVERIFY(!(w.windowFlags() & Qt::WindowCloseButtonHint));
        QStringList texty;
        connect(&w.logika(), &Reidentifikace::status, this, [&](const QString& s) { texty << s; });
        bool zobrazeno = false;
        QTimer::singleShot(0, this, [&] {
            zobrazeno = w.isVisible();
            // Esc does not end the run.
            QTest::keyClick(&w, Qt::Key_Escape);
        });
        QVERIFY(w.Create(nullptr));
        QVERIFY(zobrazeno);
        QVERIFY(!w.isVisible());
        QVERIFY(m_okna.boxes.isEmpty());
        QVERIFY(texty.contains(QStringLiteral("Hledám místní účastníky")));
        // Committed by the run itself.
        QVERIFY(Transaction::main().rollback());
        QCOMPARE(callValue(1, QStringLiteral("cislo_ucastnika")), QStringLiteral("2345"));
    }

    void withoutTheSiteTellsTheUserAndClosesWritingNothing()
    {
        QVERIFY(Transaction::main().exec(QStringLiteral("UPDATE dba.konfigurace_mista SET kod_statu = ''")));
        QVERIFY(Transaction::main().commit());
        nothingWrittenAfter(IconWarning, QStringLiteral("Nastavte kód státu a města "));
    }

    void aFailureIsRolledBackAndReported()
    {
        QVERIFY(test::odmitajZapis(Transaction::main(), QStringLiteral("zadny_mistni"),
                                   QStringLiteral("UPDATE OF cislo_ucastnika"), QStringLiteral("hovory"),
                                   QStringLiteral("NEW.cislo_ucastnika IS NOT NULL"), QStringLiteral("zkouska")));
        QVERIFY(Transaction::main().commit());
        nothingWrittenAfter(IconStop, QStringLiteral("zkouska"));
    }

    void aFailureIsReportedInTheRealBoxOverTheRunningWindow()
    {
        QVERIFY(odmitajZapis(Transaction::main(), QStringLiteral("zadny_mistni"), QStringLiteral("UPDATE"),
                             QStringLiteral("hovory"), QStringLiteral("NEW.cislo_ucastnika IS NOT NULL"),
                             QStringLiteral("zkouska")));
        QVERIFY(Transaction::main().commit());
        setMessageAnswerer({});  // the real box
        P_prirad_kod_volajiciho w;
        SkutecneDialogy d;
        d.stiskniPo(300, w.windowTitle(), QStringLiteral("OK"), [&w](QWidget* box) {
            // Owned by the status window, still open under it.
            QCOMPARE(box->parentWidget(), &w);
            QVERIFY(w.isVisible());
        });
        QVERIFY(!w.Create(nullptr));
        QVERIFY2(d.hotovo(), qPrintable(d.chyba()));
        QVERIFY(!w.isVisible());
        QVERIFY(d.videno.value(0).contains(QStringLiteral("zkouska")));
        QCOMPARE(callValue(1, QStringLiteral("cislo_ucastnika")), QStringLiteral("23456"));
    }

private:
    // Runs the window: it tells the user (`icon`, a text holding `text`), closes,
    // and the call keeps its codes.
    void nothingWrittenAfter(int icon, const QString& text)
    {
        P_prirad_kod_volajiciho w;
        QVERIFY(!w.Create(nullptr));
        QVERIFY(!w.isVisible());
        QCOMPARE(m_okna.boxes.size(), 1);
        QCOMPARE(m_okna.boxes[0].icon, icon);
        QVERIFY2(m_okna.boxes[0].text.contains(text), qPrintable(m_okna.boxes[0].text));
        QCOMPARE(callValue(1, QStringLiteral("cislo_ucastnika")), QStringLiteral("23456"));
        QCOMPARE(callValue(1, QStringLiteral("kod_statu")), QStringLiteral("420"));
    }
};

QTEST_MAIN(TstPriradKodVolajiciho)
#include "tst_prirad_kod_volajiciho.moc"
