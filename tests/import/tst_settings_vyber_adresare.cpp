// The directory picker in a temporary folder tree with a made-up drive table.
#include "import/forms/cl_vyber_adresare.h"
#include "import/mounts.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace kavro;

class TestVyberAdresare : public QObject {
    Q_OBJECT

    QTemporaryDir tmp;
    QString koren;  // the temporary folder, ending with "/"

    static QStringList polozky(const cl_Vyber_adresare& d)
    {
        QStringList r;
        for (int i = 0; i < d.lv_1->count(); ++i) r << d.lv_1->item(i)->text();
        return r;
    }
    static QListWidgetItem* polozka(const cl_Vyber_adresare& d, const QString& text)
    {
        const auto found = d.lv_1->findItems(text, Qt::MatchExactly);
        return found.isEmpty() ? nullptr : found.first();
    }
    static void klikni(cl_Vyber_adresare& d, const QString& text)
    {
        QListWidgetItem* it = polozka(d, text);
        QVERIFY2(it, qPrintable(text));
        d.lv_1->scrollToItem(it);
        QTest::mouseClick(d.lv_1->viewport(), Qt::LeftButton, {}, d.lv_1->visualItemRect(it).center());
    }
    static void dvojklik(cl_Vyber_adresare& d, const QString& text)
    {
        QListWidgetItem* it = polozka(d, text);
        QVERIFY2(it, qPrintable(text));
        d.lv_1->scrollToItem(it);
        const QPoint p = d.lv_1->visualItemRect(it).center();
        QTest::mouseClick(d.lv_1->viewport(), Qt::LeftButton, {}, p);
        QTest::mouseDClick(d.lv_1->viewport(), Qt::LeftButton, {}, p);
    }
    static void nahoru(cl_Vyber_adresare& d)
    {
        d.findChild<QAction*>("toolb_1_Item_Nadrizeny_adresar")->trigger();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(tmp.isValid());
        koren = tmp.path() + "/";
        QDir r(tmp.path());
        for (const char* s : {"data/b", "data/A", "data/.skryta", "data/b/hluboko", "home", "usb"})
            QVERIFY(r.mkpath(QString::fromLatin1(s)));
        for (const char* s : {"data/a.txt", "data/B.dat", "home/poznamky.txt"}) {
            QFile f(r.filePath(QString::fromLatin1(s)));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        QFile mounts(r.filePath("mounts"));
        QVERIFY(mounts.open(QIODevice::WriteOnly));
        mounts.write("overlay / overlay rw 0 0\nproc /proc proc rw 0 0\n");
        mounts.write("/dev/sdb1 " + (koren + "usb").toUtf8() + " vfat rw 0 0\n");
        mounts.write("//server/sdilena " + (koren + "sit").toUtf8() + " cifs rw 0 0\n");
        mounts.close();
        nastavZdrojDisku(r.filePath("mounts"), koren + "home");
    }
    void cleanupTestCase() { nastavZdrojDisku(QString(), QString()); }

    void opensTheStartFolderFoldersFirst()
    {
        // Given without its final "/", the start folder is listed all the same.
        cl_Vyber_adresare d(koren + "data");
        d.cl_Vyber_adresare_Create();
        d.show();
        QCOMPARE(polozky(d), (QStringList{".skryta", "A", "b", "a.txt", "B.dat"}));
        QCOMPARE(d.stav(), koren + "data/");
        QCOMPARE(d.combo_1->currentText(), QStringLiteral("/"));
        QCOMPARE(d.windowTitle(), QStringLiteral("Vyber adresář"));
        klikni(d, "b");
        if (qEnvironmentVariableIsSet("KAVRO_SNIMKY"))  // a picture of the window for a look
            d.grab().save(qEnvironmentVariable("KAVRO_SNIMKY") + "/cl_vyber_adresare.png");

        // The drive box: the root, the home folder, the disk and the share with its source.
        QCOMPARE(d.combo_1->count(), 4);
        QCOMPARE(d.combo_1->itemText(0), QStringLiteral("/"));
        QCOMPARE(d.combo_1->itemText(3), koren + "usb");
        QCOMPARE(d.combo_1->itemText(2), koren + "sit  //server/sdilena");

        // Leaving returns the start text unchanged.
        d.cb_2->click();
        QCOMPARE(d.result(), int(QDialog::Rejected));
        QCOMPARE(d.Vrat_adresar(), koren + "data");
        QVERIFY(!d.Potvrzen_vyber());
    }

    void selectsEntersAndGoesUp()
    {
        cl_Vyber_adresare d(koren + "data/");
        d.cl_Vyber_adresare_Create();
        d.show();
        klikni(d, "b");
        QCOMPARE(d.stav(), koren + "data/b");
        klikni(d, "a.txt");  // a file changes nothing
        QCOMPARE(d.stav(), koren + "data/b");
        dvojklik(d, "a.txt");
        QCOMPARE(d.aktualniCesta(), koren + "data/");

        dvojklik(d, "A");  // an empty folder is entered all the same
        QCOMPARE(d.aktualniCesta(), koren + "data/A/");
        QVERIFY(polozky(d).isEmpty());
        QCOMPARE(d.stav(), koren + "data/A/");
        QVERIFY(d.cb_1->isEnabled());

        nahoru(d);
        QCOMPARE(d.aktualniCesta(), koren + "data/");
        dvojklik(d, "b");
        QCOMPARE(polozky(d), QStringList{"hluboko"});
        klikni(d, "hluboko");
        d.cb_1->click();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(d.Vrat_adresar(), koren + "data/b/hluboko/");
        QVERIFY(d.Potvrzen_vyber());
    }

    void rootThenDriveList()
    {
        cl_Vyber_adresare d(koren + "data/");
        d.cl_Vyber_adresare_Create();
        d.show();
        while (d.aktualniCesta() != "/") {
            const QString pred = d.aktualniCesta();
            nahoru(d);
            QVERIFY(d.aktualniCesta().size() < pred.size());
        }
        QVERIFY(polozky(d).contains("tmp") || !polozky(d).isEmpty());
        nahoru(d);  // above the root: the drive list
        QCOMPARE(d.aktualniCesta(), QString());
        QCOMPARE(polozky(d), (QStringList{"/", koren + "home", koren + "sit", koren + "usb"}));
        QVERIFY(!d.cb_1->isEnabled());  // nothing chosen yet
        nahoru(d);  // nothing happens at the drive list
        QCOMPARE(polozky(d).size(), 4);

        klikni(d, koren + "home");
        QCOMPARE(d.stav(), koren + "home");
        QVERIFY(d.cb_1->isEnabled());
        dvojklik(d, koren + "home");
        QCOMPARE(d.aktualniCesta(), koren + "home/");
        QCOMPARE(polozky(d), QStringList{"poznamky.txt"});
        QCOMPARE(d.combo_1->currentIndex(), 1);
        QVERIFY(d.isVisible());
    }

    void emptyDriveIsChosenAtOnce()
    {
        cl_Vyber_adresare d(koren + "home/");
        d.cl_Vyber_adresare_Create();
        d.show();
        nahoru(d);
        nahoru(d);
        while (!d.aktualniCesta().isEmpty()) nahoru(d);
        dvojklik(d, koren + "usb");
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QVERIFY(d.Potvrzen_vyber());
        QCOMPARE(d.Vrat_adresar(), koren + "usb/");
    }

    void driveBoxChangesTheDrive()
    {
        cl_Vyber_adresare d(koren + "data/b/");
        d.cl_Vyber_adresare_Create();
        d.show();
        d.combo_1_Select(0);  // the drive of the current folder: it stays
        QCOMPARE(d.aktualniCesta(), koren + "data/b/");
        d.combo_1_Select(1);
        QCOMPARE(d.aktualniCesta(), koren + "home/");
        QCOMPARE(d.stav(), koren + "home/");
        d.combo_1_Select(0);
        QCOMPARE(d.aktualniCesta(), QStringLiteral("/"));
        d.cb_1->click();
        QCOMPARE(d.Vrat_adresar(), QStringLiteral("/"));
    }

    void emptyStartShowsTheProgramsFolder()
    {
        cl_Vyber_adresare d;
        d.cl_Vyber_adresare_Create();
        QCOMPARE(d.aktualniCesta(), QCoreApplication::applicationDirPath() + "/");
        QVERIFY(polozky(d).contains(QFileInfo(QCoreApplication::applicationFilePath()).fileName()));
        d.cb_2->click();
        QCOMPARE(d.Vrat_adresar(), QString());
    }

    void viewModes()
    {
        cl_Vyber_adresare d(koren + "data/");
        d.cl_Vyber_adresare_Create();
        d.show();
        QVERIFY(d.findChild<QAction*>("toolb_1_Item_seznam")->isChecked());
        QCOMPARE(d.lv_1->viewMode(), QListView::ListMode);
        QCOMPARE(d.lv_1->flow(), QListView::TopToBottom);

        d.findChild<QAction*>("toolb_1_Item_Velke_ikony")->trigger();
        QCOMPARE(d.lv_1->viewMode(), QListView::IconMode);
        QCOMPARE(d.lv_1->iconSize(), QSize(32, 32));
        if (qEnvironmentVariableIsSet("KAVRO_SNIMKY"))
            d.grab().save(qEnvironmentVariable("KAVRO_SNIMKY") + "/cl_vyber_adresare_ikony.png");
        QVERIFY(!d.findChild<QAction*>("toolb_1_Item_seznam")->isChecked());

        d.findChild<QAction*>("toolb_1_Item_Detail")->trigger();
        QVERIFY(d.lv_1->headerShown());
        QCOMPARE(d.lv_1->header()->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Jméno"));
        QVERIFY(!d.lv_1->isWrapping());
        if (qEnvironmentVariableIsSet("KAVRO_SNIMKY"))
            d.grab().save(qEnvironmentVariable("KAVRO_SNIMKY") + "/cl_vyber_adresare_detail.png");

        d.findChild<QAction*>("toolb_1_Item_Male_ikony")->trigger();
        QVERIFY(!d.lv_1->headerShown());
        QCOMPARE(d.lv_1->flow(), QListView::LeftToRight);
        QCOMPARE(d.lv_1->iconSize(), QSize(16, 16));
        QCOMPARE(d.lv_1->count(), 5);  // the entries stay
    }
};

QTEST_MAIN(TestVyberAdresare)
#include "tst_settings_vyber_adresare.moc"
