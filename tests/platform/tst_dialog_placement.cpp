// Dialogs and message boxes open centred over the window they belong to, and
// a dialog without a caption shows the program's name.
#include "platform/forms/dialog_placement.h"
#include "platform/forms/message_box.h"

#include <QApplication>
#include <QDialog>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace kavro;

namespace {

// Whether `w`'s centre stands on `r`'s centre (a pixel of rounding aside).
bool centredOn(const QWidget* w, const QRect& r)
{
    const QPoint d = w->frameGeometry().center() - r.center();
    return qAbs(d.x()) <= 1 && qAbs(d.y()) <= 1;
}

QString where(const QWidget* w, const QRect& r)
{
    QString s;
    QDebug(&s) << w->frameGeometry() << "over" << r;
    return s;
}

} // namespace

class TestDialogPlacement : public QObject {
    Q_OBJECT

    QMainWindow* hlavni = nullptr;

private slots:
    void initTestCase()
    {
        installDialogPlacement();
        hlavni = new QMainWindow;
        hlavni->setWindowTitle(QStringLiteral("Kavro – hlavní okno"));
        hlavni->setGeometry(40, 30, 700, 500);
        hlavni->show();
        QVERIFY(QTest::qWaitForWindowExposed(hlavni));
    }
    void cleanupTestCase() { delete hlavni; }

    // A selection asked at the start of a report window that is not shown yet
    // opens over the shown window above it, and shows "Kavro" for its empty caption.
    void dialogOfHiddenWindowOpensOverShownOne()
    {
        QDialog okno(hlavni); // the report window, not shown yet
        okno.setWindowFlags(Qt::Window);
        okno.resize(600, 400);
        QDialog vyber(&okno);
        vyber.resize(300, 120);
        vyber.show();
        QVERIFY(QTest::qWaitForWindowExposed(&vyber));
        QVERIFY2(centredOn(&vyber, hlavni->frameGeometry()), qPrintable(where(&vyber, hlavni->frameGeometry())));
        QCOMPARE(vyber.windowTitle(), QStringLiteral("Kavro"));
        vyber.hide();

        // Once the report window is shown, its dialogs open over it; a caption stays.
        okno.move(20, 30);
        okno.show();
        QVERIFY(QTest::qWaitForWindowExposed(&okno));
        vyber.setWindowTitle(QStringLiteral("Vyber datum"));
        vyber.show();
        QVERIFY(QTest::qWaitForWindowExposed(&vyber));
        QVERIFY2(centredOn(&vyber, okno.frameGeometry()), qPrintable(where(&vyber, okno.frameGeometry())));
        QCOMPARE(vyber.windowTitle(), QStringLiteral("Vyber datum"));
    }

    // A dialog without an owner opens over the main window.
    void dialogWithoutOwnerOpensOverMainWindow()
    {
        QDialog d;
        d.resize(200, 100);
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        QVERIFY2(centredOn(&d, hlavni->frameGeometry()), qPrintable(where(&d, hlavni->frameGeometry())));
    }

    // A real message box with an empty caption, over a window not shown yet:
    // centred over the main window, captioned "Kavro".
    void messageBoxWithoutCaption()
    {
        QWidget skryte(hlavni, Qt::Window);
        QString titulek;
        bool naStred = false;
        QString kde;
        bool videno = false;
        QTimer::singleShot(0, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            videno = true;
            titulek = box->windowTitle();
            naStred = centredOn(box, hlavni->frameGeometry());
            kde = where(box, hlavni->frameGeometry());
            box->buttons().first()->click();
        });
        // Should the box not come, a second timer closes whatever is modal so the test ends.
        QTimer::singleShot(5000, this, [] {
            if (QWidget* w = QApplication::activeModalWidget()) w->close();
        });
        QCOMPARE(messageBox(&skryte, IconWarning, ButtonsOk, QString(), QStringLiteral("Zpráva")), int(ResultOk));
        QVERIFY(videno);
        QCOMPARE(titulek, QStringLiteral("Kavro"));
        QVERIFY2(naStred, qPrintable(kde));
    }
};

QTEST_MAIN(TestDialogPlacement)
#include "tst_dialog_placement.moc"
