// The input directory dialog against a temporary registry: what it shows,
// what it stores, and which directory the import then reads.
#include "common/konfigurace.h"
#include "import/adresare.h"
#include "common/forms/cl_vyber_adresare.h"
#include "common/forms/cl_vyber_adresare_seznam.h"
#include "import/forms/z_adresar_pro_vstupni_data.h"
#include "platform/forms/message_box.h"
#include "platform/registry.h"
#include "test_env.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>
#include <memory>

using namespace kavro;

namespace {
const QString Instance = QStringLiteral("Software\\Dorvek\\Kavro\\Sberac");
const QString Ustredna = QStringLiteral("Software\\Dorvek\\Kavro\\Ustredna\\U1");
} // namespace

class TestVstupniData : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TestEnv> env;
    std::unique_ptr<konfiguracni_hodnoty> store;
    QStringList zpravy;

    Registry& reg() { return Registry::instance(); }
    // A fresh store, as the program loads it at start-up.
    void nactiStore()
    {
        konfigurace = nullptr;
        store = std::make_unique<konfiguracni_hodnoty>(konfiguracni_hodnoty::zakladniKlic(), "Sberac");
        konfigurace = store.get();
    }

private slots:
    void init()
    {
        env = std::make_unique<test::TestEnv>(false);
        QVERIFY(env->ok());
        reg().write(Instance, "DatovyAdresar", "/var/sberac/");
        reg().write(Instance, "VstupniDatovyAdresarKavro", "/srv/kavro/");
        nactiStore();
        zpravy.clear();
        setMessageAnswerer([this](const MessageRequest& r) {
            zpravy << r.text;
            return int(ResultOk);
        });
    }
    void cleanup()
    {
        setMessageAnswerer({});
        konfigurace = nullptr;
        store.reset();
        env.reset();
    }

    void collectorsDirectoryWhenNoChoiceIsStored()
    {
        Z_Adresar_pro_vstupni_data d;
        d.Z_Adresar_pro_vstupni_data_Create();
        d.show();
        QVERIFY(d.findChild<QRadioButton*>("optb_2")->isChecked());
        QCOMPARE(d.findChild<QLineEdit*>("vstupni_data")->text(), QStringLiteral("/var/sberac/"));
        QVERIFY(!d.findChild<QPushButton*>("Adresar_pro_vstupni_data")->isEnabled());

        // Switching keeps what was typed.
        QTest::mouseClick(d.findChild<QRadioButton*>("optb_1"), Qt::LeftButton, {}, QPoint(8, d.findChild<QRadioButton*>("optb_1")->height() / 2));
        QCOMPARE(d.findChild<QLineEdit*>("vstupni_data")->text(), QStringLiteral("/srv/kavro/"));
        QVERIFY(d.findChild<QPushButton*>("Adresar_pro_vstupni_data")->isEnabled());
        d.findChild<QLineEdit*>("vstupni_data")->clear();
        QTest::keyClicks(d.findChild<QLineEdit*>("vstupni_data"), "/tmp/jinam");
        QTest::mouseClick(d.findChild<QRadioButton*>("optb_2"), Qt::LeftButton, {}, QPoint(8, d.findChild<QRadioButton*>("optb_2")->height() / 2));
        QCOMPARE(d.findChild<QLineEdit*>("vstupni_data")->text(), QStringLiteral("/var/sberac/"));
        QTest::mouseClick(d.findChild<QRadioButton*>("optb_1"), Qt::LeftButton, {}, QPoint(8, d.findChild<QRadioButton*>("optb_1")->height() / 2));
        QCOMPARE(d.findChild<QLineEdit*>("vstupni_data")->text(), QStringLiteral("/tmp/jinam"));

        // Saved with a final "/"; the store the import reads has it at once.
        d.findChild<QPushButton*>("cb_2")->click();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(reg().read(Instance, "DatovyZdrojSberace"), QStringLiteral("Ne"));
        QCOMPARE(reg().read(Instance, "VstupniDatovyAdresarKavro"), QStringLiteral("/tmp/jinam/"));
        QCOMPARE(vstupniAdresar(*konfigurace), QStringLiteral("/tmp/jinam/"));
        // A folder that does not exist is named in a message when it is chosen.
        QCOMPARE(zpravy.size(), 1);
        QVERIFY(zpravy[0].contains("/tmp/jinam/ neexistuje nebo jej nelze číst"));
    }

    void emptyOwnDirectoryLeavingAndBackToTheCollectors()
    {
        Z_Adresar_pro_vstupni_data d;
        d.Z_Adresar_pro_vstupni_data_Create();
        d.findChild<QRadioButton*>("optb_1")->setChecked(true);
        d.findChild<QLineEdit*>("vstupni_data")->clear();
        d.findChild<QPushButton*>("cb_1")->click();  // "Opusť": nothing stored
        QCOMPARE(d.result(), int(QDialog::Rejected));
        QVERIFY(!reg().contains(Instance, "DatovyZdrojSberace"));

        d.Z_Adresar_pro_vstupni_data_Create();  // every opening reloads
        QVERIFY(d.findChild<QRadioButton*>("optb_2")->isChecked());
        d.findChild<QRadioButton*>("optb_1")->setChecked(true);
        QCOMPARE(d.findChild<QLineEdit*>("vstupni_data")->text(), QStringLiteral("/srv/kavro/"));
        d.findChild<QLineEdit*>("vstupni_data")->clear();
        d.findChild<QPushButton*>("cb_2")->click();
        QCOMPARE(reg().read(Instance, "DatovyZdrojSberace"), QStringLiteral("Ne"));
        QVERIFY(reg().contains(Instance, "VstupniDatovyAdresarKavro"));
        QVERIFY(reg().read(Instance, "VstupniDatovyAdresarKavro").isEmpty());

        // Back to the collector's directory: the own one is kept as it was.
        nactiStore();
        d.Z_Adresar_pro_vstupni_data_Create();
        QVERIFY(d.findChild<QRadioButton*>("optb_1")->isChecked());
        d.findChild<QRadioButton*>("optb_2")->setChecked(true);
        d.findChild<QPushButton*>("cb_2")->click();
        QCOMPARE(reg().read(Instance, "DatovyZdrojSberace"), QStringLiteral("Ano"));
        QVERIFY(reg().contains(Instance, "VstupniDatovyAdresarKavro"));
        QVERIFY(reg().read(Instance, "VstupniDatovyAdresarKavro").isEmpty());
    }

    void choiceHeldInTheExchangeKeyIsWrittenThere()
    {
        // The exchange key holds the choice: a save must change it there, or
        // the old value would win again at the next start.
        reg().write(Instance, "Ustredna", "U1");
        reg().write(Ustredna, "DatovyZdrojSberace", "Ano");
        nactiStore();
        Z_Adresar_pro_vstupni_data d;
        d.Z_Adresar_pro_vstupni_data_Create();
        QVERIFY(d.findChild<QRadioButton*>("optb_2")->isChecked());
        d.findChild<QRadioButton*>("optb_1")->setChecked(true);
        d.findChild<QLineEdit*>("vstupni_data")->setText("/mnt/ustredna");
        d.findChild<QPushButton*>("cb_2")->click();
        QCOMPARE(reg().read(Ustredna, "DatovyZdrojSberace"), QStringLiteral("Ne"));
        QVERIFY(!reg().contains(Instance, "DatovyZdrojSberace"));
        QCOMPARE(reg().read(Instance, "VstupniDatovyAdresarKavro"), QStringLiteral("/mnt/ustredna/"));
        nactiStore();
        QCOMPARE(vstupniAdresar(*konfigurace), QStringLiteral("/mnt/ustredna/"));
    }

    void browsingPutsThePickersChoiceIntoTheBox()
    {
        QDir(env->dataDir()).mkpath("denni");
        reg().write(Instance, "DatovyZdrojSberace", "Ne");
        reg().write(Instance, "VstupniDatovyAdresarKavro", env->dataDir());
        nactiStore();
        Z_Adresar_pro_vstupni_data d;
        d.Z_Adresar_pro_vstupni_data_Create();
        d.show();

        QString start;
        QTimer::singleShot(0, this, [&] {
            auto* vyber = qobject_cast<cl_Vyber_adresare*>(QApplication::activeModalWidget());
            QVERIFY(vyber);
            start = vyber->aktualniCesta();
            vyber->findChild<SeznamPolozek*>("lv_1")->setCurrentRow(0);  // the folder "denni"
            vyber->findChild<QPushButton*>("cb_1")->click();
        });
        d.findChild<QPushButton*>("Adresar_pro_vstupni_data")->click();
        QCOMPARE(start, env->dataDir() + "/");
        QCOMPARE(d.findChild<QLineEdit*>("vstupni_data")->text(), env->dataDir() + "/denni/");

        // Leaving the picker keeps the text as it was.
        QTimer::singleShot(0, this, [&] {
            auto* vyber = qobject_cast<cl_Vyber_adresare*>(QApplication::activeModalWidget());
            QVERIFY(vyber);
            vyber->findChild<QPushButton*>("cb_2")->click();
        });
        emit d.findChild<QLineEdit*>("vstupni_data")->customContextMenuRequested(QPoint(2, 2));  // the right mouse button
        QCOMPARE(d.findChild<QLineEdit*>("vstupni_data")->text(), env->dataDir() + "/denni/");
    }
};

QTEST_MAIN(TestVstupniData)
#include "tst_settings_vstupni_data.moc"
