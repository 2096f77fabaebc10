// The re-identification window: a status window that runs the statements on
// its worker and closes by itself, or tells the user that the site is missing.
#include "import/forms/p_prirad_kod_volajiciho.h"
#include "import/tarifovani.h"
#include "platform/database.h"
#include "platform/forms/message_box.h"
#include "tarifovani_data.h"
#include "test_env.h"

#include <QLabel>
#include <QTest>
#include <QTimer>

using namespace kavro;
using namespace kavro::test;

class TstPriradKodVolajiciho : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_env = std::make_unique<TestEnv>();
        QVERIFY2(m_env->ok(), qPrintable(m_env->error()));
        QString error;
        QVERIFY2(fillTariffData(&error), qPrintable(error));
        Call c;
        c.id = 1;
        c.when = QStringLiteral("2024-03-05 10:00:00");
        c.number = QStringLiteral("2345678");
        QVERIFY(addCall(c));
        Tarifovani t;
        QCOMPARE(t.tarifikuj(), Tarifovani::Vysledek::Hotovo);
        QCOMPARE(callValue(1, QStringLiteral("cislo_ucastnika")), QStringLiteral("23456"));
        QVERIFY(Transaction::main().exec(QStringLiteral("DELETE FROM dba.ciselnik_ucastniku WHERE cislo_ucastnika = '23456'")));
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

    void identifiesEveryCallAgainAndCloses()
    {
        P_prirad_kod_volajiciho w;
        QCOMPARE(w.windowTitle(), QStringLiteral("Přiřazuji volané účastníky k hovoru"));
        QVERIFY(!(w.windowFlags() & Qt::WindowCloseButtonHint));
        QLabel* l = w.findChild<QLabel*>(QStringLiteral("l_status"));
        QVERIFY(l);
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
        QVERIFY(m_boxes.isEmpty());
        QVERIFY(texty.contains(QStringLiteral("Nuluji předchozí hodnoty")));
        QVERIFY(texty.contains(QStringLiteral("Hledám místní účastníky")));
        QCOMPARE(callValue(1, QStringLiteral("cislo_ucastnika")), QStringLiteral("2345"));
        // Committed by the run itself.
        QVERIFY(Transaction::main().rollback());
        QCOMPARE(callValue(1, QStringLiteral("cislo_ucastnika")), QStringLiteral("2345"));
    }

    void withoutTheSiteTellsTheUserAndClosesWritingNothing()
    {
        QVERIFY(Transaction::main().exec(QStringLiteral("UPDATE dba.konfigurace_mista SET kod_statu = ''")));
        QVERIFY(Transaction::main().commit());
        P_prirad_kod_volajiciho w;
        QVERIFY(!w.Create(nullptr));
        QVERIFY(!w.isVisible());
        QCOMPARE(m_boxes.size(), 1);
        QCOMPARE(m_boxes[0].icon, int(IconWarning));
        QCOMPARE(m_boxes[0].buttons, int(ButtonsOk));
        QCOMPARE(m_boxes[0].caption, QStringLiteral("Není nastaveno výchozí místo"));
        QCOMPARE(m_boxes[0].text, QStringLiteral("Nastavte kód státu a města "));
        QCOMPARE(callValue(1, QStringLiteral("cislo_ucastnika")), QStringLiteral("23456"));
    }

    void aFailureIsRolledBackAndReported()
    {
        QVERIFY(Transaction::main().exec(QStringLiteral(
            "CREATE TRIGGER dba.zadny_mistni BEFORE UPDATE OF cislo_ucastnika ON hovory "
            "WHEN NEW.cislo_ucastnika IS NOT NULL BEGIN SELECT RAISE(ABORT, 'zkouska'); END")));
        QVERIFY(Transaction::main().commit());
        P_prirad_kod_volajiciho w;
        QVERIFY(!w.Create(nullptr));
        QVERIFY(!w.isVisible());
        QCOMPARE(m_boxes.size(), 1);
        QCOMPARE(m_boxes[0].icon, int(IconStop));
        QVERIFY(m_boxes[0].text.contains(QStringLiteral("zkouska")));
        // The codes were not left cleared.
        QCOMPARE(callValue(1, QStringLiteral("cislo_ucastnika")), QStringLiteral("23456"));
        QCOMPARE(callValue(1, QStringLiteral("kod_statu")), QStringLiteral("420"));
    }

private:
    std::unique_ptr<TestEnv> m_env;
    QList<MessageRequest> m_boxes;
};

QTEST_MAIN(TstPriradKodVolajiciho)
#include "tst_prirad_kod_volajiciho.moc"
