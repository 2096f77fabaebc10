// Qt's own dialogs speak Czech like the rest of the program.
#include "platform/forms/translation.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

class TestTranslation : public QObject {
    Q_OBJECT
private slots:
    void standardDialogsAreCzech()
    {
        QVERIFY(kavro::installCzechTranslation());
        QMessageBox box;
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(box.button(QMessageBox::Yes)->text().remove(u'&'), QStringLiteral("Ano"));
        QCOMPARE(box.button(QMessageBox::No)->text().remove(u'&'), QStringLiteral("Ne"));

        QFileDialog question(nullptr, QStringLiteral("Vyber soubor"));
        question.setOption(QFileDialog::DontUseNativeDialog);
        question.setAcceptMode(QFileDialog::AcceptOpen);
        auto* buttons = question.findChild<QDialogButtonBox*>();
        QVERIFY(buttons);
        QCOMPARE(buttons->button(QDialogButtonBox::Open)->text().remove(u'&'), QStringLiteral("Otevřít"));
        QCOMPARE(buttons->button(QDialogButtonBox::Cancel)->text().remove(u'&'), QStringLiteral("Zrušit"));
    }
};

QTEST_MAIN(TestTranslation)
#include "tst_translation.moc"
