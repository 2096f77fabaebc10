// Esc and the close box on real message boxes: a box with a way back takes
// them as that way, a Yes/No question waits for "Ano" or "Ne".
#include "platform/forms/message_box.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>
#include <functional>

using namespace kavro;

class TestMessageBox : public QObject {
    Q_OBJECT

    // Shows a real box; once it is up, `akce` acts on it, then the box gets
    // a few milliseconds to close by itself. Whatever stays open is noted and
    // answered with the button `nakonec`. Gives the box's result.
    int ukaz(int tlacitka, std::function<void(QMessageBox*)> akce, const QString& nakonec, bool* zustala)
    {
        *zustala = false;
        auto* hlidac = new QTimer(this);
        hlidac->setInterval(5);
        int krok = 0;
        connect(hlidac, &QTimer::timeout, this, [&, hlidac] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible()) return;
            if (krok++ == 0) {
                akce(box);
                return;
            }
            if (krok < 5) return;
            *zustala = true;
            hlidac->stop();
            for (QAbstractButton* b : box->buttons())
                if (b->text() == nakonec) {
                    b->click();
                    return;
                }
            box->done(0); // no such button: the test fails, but does not hang
        });
        hlidac->start();
        const int vysledek =
            messageBox(nullptr, IconWarning, tlacitka, QStringLiteral("Otázka"), QStringLiteral("Text"));
        delete hlidac;
        return vysledek;
    }

    static void esc(QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); }
    static void zavri(QMessageBox* box) { box->close(); }

private slots:
    void aBoxWithAWayBackTakesEscAndTheCloseBoxForIt_data()
    {
        QTest::addColumn<int>("tlacitka");
        QTest::addColumn<int>("vysledek");
        QTest::newRow("OK") << int(ButtonsOk) << int(ResultOk);
        QTest::newRow("OK/Zrušit") << int(ButtonsOkCancel) << int(ResultCancel);
        QTest::newRow("Ano/Ne/Zrušit") << int(ButtonsYesNoCancel) << int(ResultCancel);
    }
    void aBoxWithAWayBackTakesEscAndTheCloseBoxForIt()
    {
        QFETCH(int, tlacitka);
        QFETCH(int, vysledek);
        bool zustala = false;
        QCOMPARE(ukaz(tlacitka, esc, QStringLiteral("OK"), &zustala), vysledek);
        QVERIFY(!zustala);
        QCOMPARE(ukaz(tlacitka, zavri, QStringLiteral("OK"), &zustala), vysledek);
        QVERIFY(!zustala);
    }

    void aYesNoQuestionWaitsForItsAnswer()
    {
        bool zustala = false;
        QCOMPARE(ukaz(ButtonsYesNo, esc, QStringLiteral("Ano"), &zustala), int(ResultYes));
        QVERIFY(zustala);
        QCOMPARE(ukaz(ButtonsYesNo, zavri, QStringLiteral("Ne"), &zustala), int(ResultNo));
        QVERIFY(zustala);
        // Both, one after the other, and the answer is still the user's.
        const auto obe = [](QMessageBox* box) {
            esc(box);
            zavri(box);
        };
        QCOMPARE(ukaz(ButtonsYesNo, obe, QStringLiteral("Ano"), &zustala), int(ResultYes));
        QVERIFY(zustala);
    }
};

QTEST_MAIN(TestMessageBox)
#include "tst_message_box.moc"
