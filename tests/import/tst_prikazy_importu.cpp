// The menu "Hovory" of the main window opens the import and the deletion.
#include "import/forms/prikazy_importu.h"

#include "common/konfigurace.h"
#include "frame/forms/zakladni_okno.h"
#include "frame/menu_ids.h"
#include "frame/prikazy_menu.h"
#include "gendata/gendata.h"
#include "import/call_import.h"
#include "import/forms/hovory_nacteni.h"
#include "platform/clock.h"
#include "platform/database.h"
#include "platform/forms/file_question.h"
#include "platform/forms/message_box.h"
#include "platform/registry.h"
#include "tarifovani_data.h"
#include "test_env.h"
#include "ovladac.h"

#include <QAction>
#include <QPushButton>
#include <QApplication>
#include <QtTest>

using namespace kavro;

namespace {

qint64 count(const QString& where)
{
    return Transaction::main().scalar(QStringLiteral("SELECT count(*) FROM dba.hovory WHERE ") + where).toLongLong();
}

} // namespace

class TestPrikazyImportu : public QObject {
    Q_OBJECT

private slots:
    void itemsOpenTheImportAndTheDeletion()
    {
        test::TestEnv env;
        QVERIFY2(env.ok(), qPrintable(env.error()));
        clock::setFixedNow(QDateTime(QDate(2024, 3, 17), QTime(18, 0)));
        QString error;
        QVERIFY2(test::fillTariffData(&error), qPrintable(error));
        QVERIFY(Transaction::main().commit());
        Registry::instance().write("Software\\Dorvek\\Kavro\\Sberac", "DatovyAdresar", env.dataDir());
        gendata::Options o;
        o.outDir = env.dataDir();
        o.firstDay = QDate(2024, 3, 16);
        o.days = 2;
        o.callsPerDay = 40;
        QVERIFY(gendata::writeFiles(o));
        QStringList boxes;
        setMessageAnswerer([&](const MessageRequest& r) {
            boxes << r.caption + "|" + r.text;
            return int(ResultOk);
        });

        PrikazyMenu::instance().vymaz();
        registruj_prikazy_importu();
        test::Ovladac ovladac;
        ovladac.pri("F_Prihlaseni", [](QWidget* d) { d->findChild<QPushButton*>("cb_1")->click(); });
        QStringList captions;
        ovladac.pri("Hovory_mazani", [&](QWidget* d) {
            captions << d->windowTitle();
            d->findChild<QPushButton*>("cb_Cancel")->click();
        });

        Zakladni_okno w;
        QVERIFY(w.Create("kavro"));
        for (int id : {menu::ImportNew, menu::ImportPeriod, menu::ImportFile, menu::DeleteCalls})
            QVERIFY2(w.polozka(id)->isEnabled(), qPrintable(QString::number(id)));

        // Ctrl+N: the new files (from an empty table up to today), every call tariffed.
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.activateWindow();
        QTest::keyClick(&w, Qt::Key_N, Qt::ControlModifier);
        Transaction::main().rollback();
        QCOMPARE(count("1 = 1"), 80);
        QCOMPARE(count("status_hovoru = 10"), 80);
        QVERIFY2(boxes.isEmpty(), qPrintable(boxes.join("; ")));

        // The period and the single file: the window "Import souborů" asks for them.
        ovladac.pri("P_Nastaveni_od_do", [&](QWidget* d) {
            captions << d->parentWidget()->windowTitle();
            d->findChild<QPushButton*>("cb_2")->click();
        });
        setFileAnswerer([&](const FileQuestion&) {
            captions << QApplication::activeModalWidget()->windowTitle();
            return QString();
        });
        w.polozka(menu::ImportPeriod)->trigger();
        w.polozka(menu::ImportFile)->trigger();
        setFileAnswerer({});
        QCOMPARE(captions, (QStringList{"Import souborů", "Import souborů"}));

        // "Vymazání z tabulky".
        w.polozka(menu::DeleteCalls)->trigger();
        QCOMPARE(captions.last(), QString("Výmaz hovorů z databáze"));
        QCOMPARE(count("1 = 1"), 80);

        setMessageAnswerer({});
        PrikazyMenu::instance().vymaz();
    }
};

QTEST_MAIN(TestPrikazyImportu)
#include "tst_prikazy_importu.moc"
