// The printer dialog with a document of our own, printing into PDF files.
#include "common/forms/printform.h"
#include "ovladac.h"
#include "platform/forms/file_question.h"
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
using kavro::test::Ovladac;

namespace {

const QString kKey = QStringLiteral("Software\\Dorvek\\Kavro\\");
const QString kA = QStringLiteral("Tiskárna A");
const QString kB = QStringLiteral("Tiskárna B");

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

QComboBox* seznam(PrintForm* d) { return d->findChild<QComboBox*>("combo_printer_names"); }
QCheckBox* vychozi(PrintForm* d) { return d->findChild<QCheckBox*>("checkbox_default"); }
void klikni(PrintForm* d, const char* tlacitko) { d->findChild<QPushButton*>(tlacitko)->click(); }
void vyber(PrintForm* d, const QString& jmeno) { seznam(d)->setCurrentIndex(seznam(d)->findText(jmeno)); }

QStringList polozky(PrintForm* d)
{
    QStringList l;
    for (int i = 0; i < seznam(d)->count(); ++i) l << seznam(d)->itemText(i);
    return l;
}

// Opens the dialog and acts on it while it is shown.
void otevri(PrintForm& dlg, std::function<void(PrintForm*)> akce)
{
    Ovladac::naModalnim<PrintForm>(std::move(akce));
    dlg.Create(nullptr);
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
        for (const QString& j : jmena) {
            Printer p;
            p.SetName(j);
            p.SetDriverName(QStringLiteral("Ovladač"));
            instalovane << p;
        }
        systemova = vychozi;
    }

private slots:
    void init()
    {
        env = std::make_unique<kavro::test::TestEnv>(false);
        zpravy.clear();
        pdf = env->dir() + QStringLiteral("/sestava.pdf");
        PrintForm::setPrinterSource({[this] { return instalovane; }, [this] { return systemova; }});
        setFileAnswerer([this](const FileQuestion&) { return pdf; });
        setMessageAnswerer([this](const MessageRequest& r) {
            zpravy.append(r);
            return int(ResultOk);
        });
        nastav_tiskarny({kA, kB}, kB);
    }
    void cleanup()
    {
        PrintForm::setPrinterSource({});
        setFileAnswerer({});
        setMessageAnswerer({});
        env.reset();
    }

    void listsEveryPrinterAndPreselectsTheDefault()
    {
        QStringList dlouha;
        for (int i = 0; i < 25; ++i) dlouha << QStringLiteral("Tiskárna %1 ").arg(i) + QString(120, QChar('x'));
        const struct {
            QStringList jmena;
            QString systemova;
            int vybrana;
        } pripady[] = {
            {dlouha, dlouha[22], 22},  // many long names, the system's default preselected
            {{kA}, QStringLiteral("Jinde"), -1}, // the default is not installed: nothing preselected
            {{}, QString(), 0},        // no printer installed at all: the PDF file at once
        };
        PrintForm dlg;
        for (const auto& p : pripady) {
            nastav_tiskarny(p.jmena, p.systemova);
            QStringList nabidka;
            int vybrana = -2;
            otevri(dlg, [&](PrintForm* d) {
                nabidka = polozky(d);
                vybrana = seznam(d)->currentIndex();
                QTest::keyClick(d, Qt::Key_Escape);
            });
            QCOMPARE(nabidka, p.jmena + QStringList{PrintForm::PdfEntry});
            QCOMPARE(vybrana, p.vybrana);
        }
    }

    void printsIntoAPdfFileAndRemembersTheDefaultForTheNextOpening()
    {
        Dokument dok;
        PrintForm dlg;
        dlg.dw_print = &dok;
        otevri(dlg, [](PrintForm* d) {
            vyber(d, PrintForm::PdfEntry);
            vychozi(d)->setChecked(true);
            QTest::mouseClick(d->findChild<QPushButton*>("cb_print"), Qt::LeftButton);
        });
        QCOMPARE(dok.tisku, 1);
        QCOMPARE(dok.tiskarna, pdf);
        QFile f(pdf);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.read(5) == "%PDF-");
        QVERIFY(f.size() > 500);
        QVERIFY(zpravy.isEmpty());
        QVERIFY(!dlg.isVisible());
        QCOMPARE(Registry::instance().read(kKey, "Tiskarna"), PrintForm::PdfEntry);

        QString vybrana;
        bool zaskrtnuto = true;
        otevri(dlg, [&](PrintForm* d) {
            vybrana = seznam(d)->currentText();
            zaskrtnuto = vychozi(d)->isChecked();
            klikni(d, "cb_cancel");
        });
        QCOMPARE(vybrana, PrintForm::PdfEntry);
        QVERIFY(!zaskrtnuto);

        // A printer of the program's own choice wins over the system's default ...
        Registry::instance().write(kKey, "Tiskarna", kA);
        otevri(dlg, [&](PrintForm* d) {
            vybrana = seznam(d)->currentText();
            klikni(d, "cb_cancel");
        });
        QCOMPARE(vybrana, kA);
        // ... unless it is no longer installed.
        nastav_tiskarny({kB}, kB);
        QCOMPARE(PrintForm::programDefaultPrinter(), kB);
    }

    void printsOnTheChosenPrinterAndLeaveChangesNothing()
    {
        Dokument dok;
        PrintForm dlg;
        dlg.dw_print = &dok;
        otevri(dlg, [](PrintForm* d) {
            vyber(d, kA);
            emit seznam(d)->activated(seznam(d)->currentIndex());
            klikni(d, "cb_print");
        });
        QCOMPARE(dok.tisku, 1);
        QCOMPARE(dlg.selectedPrinter.GetName(), kA);
        QCOMPARE(dlg.selectedPrinter.GetDriverName(), QStringLiteral("Ovladač"));
        QVERIFY(!Registry::instance().contains(kKey, "Tiskarna"));

        otevri(dlg, [](PrintForm* d) {
            vyber(d, kA);
            vychozi(d)->setChecked(true);
            klikni(d, "cb_cancel");
        });
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
        otevri(dlg, [&](PrintForm* d) {
            vyber(d, kA);
            nastav_tiskarny({kB}, kB);
            klikni(d, "cb_print");
            otevreno = d->isVisible();
            poZprave = polozky(d);
            klikni(d, "cb_cancel");
        });
        QCOMPARE(dok.tisku, 0);
        QVERIFY(otevreno);
        QCOMPARE(zpravy.size(), 1);
        QVERIFY(zpravy[0].text.contains(QStringLiteral("„Tiskárna A“ již není v systému k dispozici")));
        QCOMPARE(poZprave, (QStringList{kB, PrintForm::PdfEntry}));
    }
};

QTEST_MAIN(TestPrintForm)
#include "tst_printform.moc"
