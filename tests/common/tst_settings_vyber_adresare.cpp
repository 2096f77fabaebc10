// The directory picker in a temporary folder tree with a made-up drive table.
#include "common/forms/cl_vyber_adresare.h"
#include "common/forms/cl_vyber_adresare_seznam.h"
#include "platform/mounts.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
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
        for (int i = 0; i < d.findChild<SeznamPolozek*>("lv_1")->count(); ++i) r << d.findChild<SeznamPolozek*>("lv_1")->item(i)->text();
        return r;
    }
    // A click on the entry `text` (and a double click when `dvakrat`).
    static void klikni(cl_Vyber_adresare& d, const QString& text, bool dvakrat = false)
    {
        const auto found = d.findChild<SeznamPolozek*>("lv_1")->findItems(text, Qt::MatchExactly);
        QVERIFY2(!found.isEmpty(), qPrintable(text));
        d.findChild<SeznamPolozek*>("lv_1")->scrollToItem(found.first());
        const QPoint p = d.findChild<SeznamPolozek*>("lv_1")->visualItemRect(found.first()).center();
        QTest::mouseClick(d.findChild<SeznamPolozek*>("lv_1")->viewport(), Qt::LeftButton, {}, p);
        if (dvakrat) QTest::mouseDClick(d.findChild<SeznamPolozek*>("lv_1")->viewport(), Qt::LeftButton, {}, p);
    }
    static void dvojklik(cl_Vyber_adresare& d, const QString& text) { klikni(d, text, true); }
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

    void opensTheStartFolderAndLeavesUnchanged()
    {
        // Given without its final "/", the start folder is listed all the same.
        cl_Vyber_adresare d(koren + "data");
        d.cl_Vyber_adresare_Create();
        d.show();
        QCOMPARE(polozky(d), (QStringList{".skryta", "A", "b", "a.txt", "B.dat"}));
        QCOMPARE(d.stav(), koren + "data/");
        QCOMPARE(d.findChild<QComboBox*>("combo_1")->currentText(), QStringLiteral("/"));
        // The drive box: the root, the home folder, the disk and the share with its source.
        QCOMPARE(d.findChild<QComboBox*>("combo_1")->count(), 4);
        QCOMPARE(d.findChild<QComboBox*>("combo_1")->itemText(2), koren + "sit  //server/sdilena");
        klikni(d, "b");
        if (qEnvironmentVariableIsSet("KAVRO_SNIMKY"))  // a picture of the window for a look
            d.grab().save(qEnvironmentVariable("KAVRO_SNIMKY") + "/cl_vyber_adresare.png");

        // Leaving returns the start text unchanged.
        d.findChild<QPushButton*>("cb_2")->click();
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
        QVERIFY(d.findChild<QPushButton*>("cb_1")->isEnabled());

        nahoru(d);
        QCOMPARE(d.aktualniCesta(), koren + "data/");
        dvojklik(d, "b");
        QCOMPARE(polozky(d), QStringList{"hluboko"});
        klikni(d, "hluboko");
        d.findChild<QPushButton*>("cb_1")->click();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(d.Vrat_adresar(), koren + "data/b/hluboko/");
        QVERIFY(d.Potvrzen_vyber());
    }

    void rootThenDriveListAndAnEmptyDrive()
    {
        cl_Vyber_adresare d(koren + "data/");
        d.cl_Vyber_adresare_Create();
        d.show();
        while (d.aktualniCesta() != "/") {
            const QString pred = d.aktualniCesta();
            nahoru(d);
            QVERIFY(d.aktualniCesta().size() < pred.size());
        }
        nahoru(d);  // above the root: the drive list
        QCOMPARE(d.aktualniCesta(), QString());
        QCOMPARE(polozky(d), (QStringList{"/", koren + "home", koren + "sit", koren + "usb"}));
        QVERIFY(!d.findChild<QPushButton*>("cb_1")->isEnabled());  // nothing chosen yet
        nahoru(d);  // nothing happens at the drive list
        QCOMPARE(polozky(d).size(), 4);

        klikni(d, koren + "home");
        QCOMPARE(d.stav(), koren + "home");
        QVERIFY(d.findChild<QPushButton*>("cb_1")->isEnabled());
        dvojklik(d, koren + "home");
        QCOMPARE(d.aktualniCesta(), koren + "home/");
        QCOMPARE(polozky(d), QStringList{"poznamky.txt"});
        QCOMPARE(d.findChild<QComboBox*>("combo_1")->currentIndex(), 1);
        QVERIFY(d.isVisible());

        // A drive that shows nothing is chosen at once.
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
        d.findChild<QPushButton*>("cb_1")->click();
        QCOMPARE(d.Vrat_adresar(), QStringLiteral("/"));
    }

    void emptyStartShowsTheProgramsFolder()
    {
        cl_Vyber_adresare d;
        d.cl_Vyber_adresare_Create();
        QCOMPARE(d.aktualniCesta(), QCoreApplication::applicationDirPath() + "/");
        QVERIFY(polozky(d).contains(QFileInfo(QCoreApplication::applicationFilePath()).fileName()));
        d.findChild<QPushButton*>("cb_2")->click();
        QCOMPARE(d.Vrat_adresar(), QString());
    }

    void viewModes()
    {
        cl_Vyber_adresare d(koren + "data/");
        d.cl_Vyber_adresare_Create();
        d.show();
        QVERIFY(d.findChild<QAction*>("toolb_1_Item_seznam")->isChecked());  // the list at the start
        const struct {
            const char* akce;
            QListView::ViewMode mode;
            QListView::Flow flow;
            bool zahlavi;
        } pohledy[] = {{"toolb_1_Item_Velke_ikony", QListView::IconMode, QListView::LeftToRight, false},
                       {"toolb_1_Item_Detail", QListView::ListMode, QListView::TopToBottom, true},
                       {"toolb_1_Item_Male_ikony", QListView::ListMode, QListView::LeftToRight, false},
                       {"toolb_1_Item_seznam", QListView::ListMode, QListView::TopToBottom, false}};
        for (const auto& p : pohledy) {
            d.findChild<QAction*>(p.akce)->trigger();
            int zaskrtnute = 0;
            for (const auto& q : pohledy) zaskrtnute += d.findChild<QAction*>(q.akce)->isChecked();
            QVERIFY2(d.findChild<QAction*>(p.akce)->isChecked() && zaskrtnute == 1, p.akce);
            QCOMPARE(d.findChild<SeznamPolozek*>("lv_1")->viewMode(), p.mode);
            QCOMPARE(d.findChild<SeznamPolozek*>("lv_1")->flow(), p.flow);
            QCOMPARE(d.findChild<SeznamPolozek*>("lv_1")->headerShown(), p.zahlavi);
            QCOMPARE(d.findChild<SeznamPolozek*>("lv_1")->count(), 5);  // the entries stay
        }
    }
};

QTEST_MAIN(TestVyberAdresare)
#include "tst_settings_vyber_adresare.moc"
