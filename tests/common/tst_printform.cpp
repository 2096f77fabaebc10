// The printer dialog with a document of our own, printing into PDF files.
#include "common/forms/printform.h"
#include "modal_helper.h"
#include "platform/forms/message_box.h"
#include "platform/registry.h"
#include "test_env.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QTest>

using namespace kavro;
using kavro::test::naModalnim;

namespace {

const QString kKey = QStringLiteral("Software\\Dorvek\\Kavro\\");

class Dokument : public Printable {
public:
    int tisku = 0;
    QString tiskarna;
    bool print(QPrinter* printer) override
    {
        ++tisku;
        // The printers of these tests are not installed: only PDF files are really made.
        if (printer->outputFileName().isEmpty()) {
            tiskarna = printer->printerName();
            return true;
        }
        tiskarna = printer->outputFileName();
        QPainter p;
        if (!p.begin(printer)) return false;
        p.drawText(100, 100, QStringLiteral("Vyúčtování hovorů"));
        return p.end();
    }
    QString documentName() const override { return QStringLiteral("Zkouška"); }
};

Printer tiskarna(const QString& jmeno)
{
    Printer p;
    p.SetName(jmeno);
    p.SetDriverName(QStringLiteral("Ovladač"));
    return p;
}

QStringList polozky(QComboBox* c)
{
    QStringList l;
    for (int i = 0; i < c->count(); ++i) l << c->itemText(i);
    return l;
}

} // namespace

class TestPrintForm : public QObject {
    Q_OBJECT

    std::unique_ptr<kavro::test::TestEnv> env;
    QList<Printer> instalovane;
    QString systemova;
    QList<MessageRequest> zpravy;
    QString pdf;

    void nastav_tiskarny(const QStringList& jmena, const QString& vychozi)
    {
        instalovane.clear();
        for (const QString& j : jmena) instalovane << tiskarna(j);
        systemova = vychozi;
    }

private slots:
    void init()
    {
        env = std::make_unique<kavro::test::TestEnv>(false);
        zpravy.clear();
        pdf = env->dir() + QStringLiteral("/sestava.pdf");
        PrintForm::setPrinterSource({[this] { return instalovane; }, [this] { return systemova; }});
        PrintForm::setPdfFileChooser([this](QWidget*) { return pdf; });
        setMessageAnswerer([this](const MessageRequest& r) {
            zpravy.append(r);
            return int(ResultOk);
        });
        nastav_tiskarny({QStringLiteral("Tiskárna A"), QStringLiteral("Tiskárna B")}, QStringLiteral("Tiskárna B"));
    }
    void cleanup()
    {
        PrintForm::setPrinterSource({});
        PrintForm::setPdfFileChooser({});
        setMessageAnswerer({});
        env.reset();
    }

    void listsEveryPrinterAndPreselectsTheDefault()
    {
        QStringList jmena;
        for (int i = 0; i < 25; ++i) jmena << QStringLiteral("Tiskárna %1 ").arg(i) + QString(120, QChar('x'));
        nastav_tiskarny(jmena, jmena[22]);
        QStringList seznam;
        QString vybrana;
        bool zaskrtnuto = true;
        naModalnim<PrintForm>([&](PrintForm* d) {
            auto* c = d->findChild<QComboBox*>("combo_printer_names");
            seznam = polozky(c);
            vybrana = c->currentText();
            zaskrtnuto = d->findChild<QCheckBox*>("checkbox_default")->isChecked();
            d->findChild<QPushButton*>("cb_cancel")->click();
        });
        PrintForm dlg;
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Výběr tiskárny"));
        dlg.Create(nullptr);
        QCOMPARE(seznam, jmena + QStringList{PrintForm::PdfEntry});
        QCOMPARE(vybrana, jmena[22]);
        QVERIFY(!zaskrtnuto);

        // No default among the installed ones: nothing is preselected.
        nastav_tiskarny({QStringLiteral("Tiskárna A")}, QStringLiteral("Jinde"));
        int index = 0;
        naModalnim<PrintForm>([&](PrintForm* d) {
            auto* c = d->findChild<QComboBox*>("combo_printer_names");
            seznam = polozky(c);
            index = c->currentIndex();
            QTest::keyClick(d, Qt::Key_Escape);
        });
        dlg.Create(nullptr);
        QCOMPARE(seznam, (QStringList{QStringLiteral("Tiskárna A"), PrintForm::PdfEntry}));
        QCOMPARE(index, -1);

        // No printer installed at all: the PDF file is offered at once.
        nastav_tiskarny({}, QString());
        naModalnim<PrintForm>([&](PrintForm* d) {
            auto* c = d->findChild<QComboBox*>("combo_printer_names");
            seznam = polozky(c);
            index = c->currentIndex();
            QTest::keyClick(d, Qt::Key_Escape);
        });
        dlg.Create(nullptr);
        QCOMPARE(seznam, QStringList{PrintForm::PdfEntry});
        QCOMPARE(index, 0);
    }

    void printsIntoAPdfFileWithoutTouchingTheDefault()
    {
        Dokument dok;
        naModalnim<PrintForm>([](PrintForm* d) {
            auto* c = d->findChild<QComboBox*>("combo_printer_names");
            c->setCurrentIndex(c->findText(PrintForm::PdfEntry));
            QTest::mouseClick(d->findChild<QPushButton*>("cb_print"), Qt::LeftButton);
        });
        PrintForm dlg;
        dlg.dw_print = &dok;
        dlg.Create(nullptr);
        QCOMPARE(dok.tisku, 1);
        QCOMPARE(dok.tiskarna, pdf);
        QFile f(pdf);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.read(5) == "%PDF-");
        QVERIFY(f.size() > 500);
        QVERIFY(!Registry::instance().contains(kKey, "Tiskarna"));
        QVERIFY(zpravy.isEmpty());
        QVERIFY(!dlg.isVisible());
    }

    void makeDefaultIsRememberedForTheNextOpening()
    {
        Dokument dok;
        PrintForm dlg;
        dlg.dw_print = &dok;
        naModalnim<PrintForm>([](PrintForm* d) {
            auto* c = d->findChild<QComboBox*>("combo_printer_names");
            c->setCurrentIndex(c->findText(PrintForm::PdfEntry));
            d->findChild<QCheckBox*>("checkbox_default")->setChecked(true);
            d->findChild<QPushButton*>("cb_print")->click();
        });
        dlg.Create(nullptr);
        QCOMPARE(Registry::instance().read(kKey, "Tiskarna"), PrintForm::PdfEntry);
        QCOMPARE(PrintForm::programDefaultPrinter(), PrintForm::PdfEntry);

        QString vybrana;
        bool zaskrtnuto = true;
        naModalnim<PrintForm>([&](PrintForm* d) {
            vybrana = d->findChild<QComboBox*>("combo_printer_names")->currentText();
            zaskrtnuto = d->findChild<QCheckBox*>("checkbox_default")->isChecked();
            d->findChild<QPushButton*>("cb_cancel")->click();
        });
        dlg.Create(nullptr);
        QCOMPARE(vybrana, PrintForm::PdfEntry);
        QVERIFY(!zaskrtnuto);

        // A printer of the program's own choice wins over the system's default.
        Registry::instance().write(kKey, "Tiskarna", QStringLiteral("Tiskárna A"));
        naModalnim<PrintForm>([&](PrintForm* d) {
            vybrana = d->findChild<QComboBox*>("combo_printer_names")->currentText();
            d->findChild<QPushButton*>("cb_cancel")->click();
        });
        dlg.Create(nullptr);
        QCOMPARE(vybrana, QStringLiteral("Tiskárna A"));
        QCOMPARE(dok.tisku, 1);
        // ... unless it is no longer installed.
        nastav_tiskarny({QStringLiteral("Tiskárna B")}, QStringLiteral("Tiskárna B"));
        QCOMPARE(PrintForm::programDefaultPrinter(), QStringLiteral("Tiskárna B"));
    }

    void printsOnTheChosenPrinterAndLeaveChangesNothing()
    {
        Dokument dok;
        PrintForm dlg;
        dlg.dw_print = &dok;
        naModalnim<PrintForm>([](PrintForm* d) {
            auto* c = d->findChild<QComboBox*>("combo_printer_names");
            c->setCurrentIndex(c->findText(QStringLiteral("Tiskárna A")));
            emit c->activated(c->currentIndex());
            d->findChild<QPushButton*>("cb_print")->click();
        });
        QVERIFY(dlg.selectedPrinter.GetName().isEmpty());
        dlg.Create(nullptr);
        QCOMPARE(dok.tisku, 1);
        QCOMPARE(dlg.selectedPrinter.GetName(), QStringLiteral("Tiskárna A"));
        QCOMPARE(dlg.selectedPrinter.GetDriverName(), QStringLiteral("Ovladač"));
        QVERIFY(!Registry::instance().contains(kKey, "Tiskarna"));

        naModalnim<PrintForm>([](PrintForm* d) {
            auto* c = d->findChild<QComboBox*>("combo_printer_names");
            c->setCurrentIndex(c->findText(QStringLiteral("Tiskárna A")));
            d->findChild<QCheckBox*>("checkbox_default")->setChecked(true);
            d->findChild<QPushButton*>("cb_cancel")->click();
        });
        dlg.Create(nullptr);
        QCOMPARE(dok.tisku, 1);
        QVERIFY(!Registry::instance().contains(kKey, "Tiskarna"));
    }

    void vanishedPrinterIsToldInCzech()
    {
        Dokument dok;
        PrintForm dlg;
        dlg.dw_print = &dok;
        QStringList poZprave;
        bool otevreno = false;
        naModalnim<PrintForm>([&](PrintForm* d) {
            auto* c = d->findChild<QComboBox*>("combo_printer_names");
            c->setCurrentIndex(c->findText(QStringLiteral("Tiskárna A")));
            nastav_tiskarny({QStringLiteral("Tiskárna B")}, QStringLiteral("Tiskárna B"));
            d->findChild<QPushButton*>("cb_print")->click();
            otevreno = d->isVisible();
            poZprave = polozky(c);
            d->findChild<QPushButton*>("cb_cancel")->click();
        });
        dlg.Create(nullptr);
        QCOMPARE(dok.tisku, 0);
        QVERIFY(otevreno);
        QCOMPARE(zpravy.size(), 1);
        QCOMPARE(zpravy[0].caption, QStringLiteral("Výběr tiskárny"));
        QVERIFY(zpravy[0].text.contains(QStringLiteral("„Tiskárna A“ již není v systému k dispozici")));
        QCOMPARE(poZprave, (QStringList{QStringLiteral("Tiskárna B"), PrintForm::PdfEntry}));
    }
};

QTEST_MAIN(TestPrintForm)
#include "tst_printform.moc"
