// The import and deletion windows driven as a user drives them.
#include "import/forms/hovory_mazani.h"
#include "import/forms/hovory_nacteni.h"
#include "import/forms/z_adresar_pro_vstupni_data.h"

#include "common/konfigurace.h"
#include "gendata/gendata.h"
#include "platform/clock.h"
#include "platform/database.h"
#include "platform/forms/busy_wait_label.h"
#include "platform/forms/file_question.h"
#include "platform/forms/message_box.h"
#include "platform/registry.h"
#include "tariffing/forms/hovory_tarifovani.h"
#include "tariffing/tarifovani.h"
#include "tarifovani_data.h"
#include "test_env.h"
#include "ovladac.h"
#include "skutecne_dialogy.h"

#include <QAbstractButton>
#include <QCalendarWidget>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSemaphore>
#include <QtTest>
#include <atomic>
#include <chrono>
#include <thread>

using namespace kavro;

namespace {

qint64 count(const QString& where = QString())
{
    return Transaction::main()
        .scalar(QStringLiteral("SELECT count(*) FROM dba.hovory") + (where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + where))
        .toLongLong();
}

// A tariffing run that can hold the worker at its first run.
struct Gate {
    std::atomic<int> runs{0};
    std::atomic<bool> hold{false};
    QSemaphore release;
};

struct GatedRun : TariffingRun {
    Gate* gate;
    explicit GatedRun(Gate* g) : gate(g) {}
    void novy_beh() override {}
    bool spust() override
    {
        if (++gate->runs == 1 && gate->hold) gate->release.acquire();
        return true;
    }
};

// The real tariffing, with a hook before each run (on the import's worker).
struct HookedRun : TariffingRun {
    std::unique_ptr<TariffingRun> real = Tarifovani::proImport();
    std::function<void(int)> before;
    int runs = 0;
    HookedRun()
    {
        real->stav = [this](const QString& t) {
            if (stav) stav(t);
        };
    }
    void novy_beh() override { real->novy_beh(); }
    bool spust() override
    {
        if (before) before(++runs);
        return real->spust();
    }
    QString zprava() const override { return real->zprava(); }
    bool obsazeno() const override { return real->obsazeno(); }
};

} // namespace

class TestHovoryNacteni : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<test::TestEnv> env;
    std::unique_ptr<konfiguracni_hodnoty> store;
    QList<MessageRequest> boxes;
    Gate gate;
    TariffingRunFactory gated()
    {
        return [this] { return std::make_unique<GatedRun>(&gate); };
    }

    void writeDays(int days, int calls)
    {
        gendata::Options o;
        o.outDir = env->dataDir();
        o.firstDay = QDate(2024, 3, 15);
        o.days = days;
        o.callsPerDay = calls;
        QVERIFY(gendata::writeFiles(o));
    }

private slots:
    void init()
    {
        env = std::make_unique<test::TestEnv>();
        QVERIFY2(env->ok(), qPrintable(env->error()));
        clock::setFixedNow(QDateTime(QDate(2024, 3, 17), QTime(18, 0)));
        Registry::instance().write("Software\\Dorvek\\Kavro\\Sberac", "DatovyAdresar", env->dataDir() + "/");
        store = std::make_unique<konfiguracni_hodnoty>(konfiguracni_hodnoty::zakladniKlic(), "Sberac");
        konfigurace = store.get();
        boxes.clear();
        setMessageAnswerer([this](const MessageRequest& r) { boxes << r; return int(ResultOk); });
        gate.runs = 0;
        gate.hold = false;
    }

    void cleanup()
    {
        setFileAnswerer({});
        setMessageAnswerer({});
        konfigurace = nullptr;
        store.reset();
        env.reset();
    }

    void newFilesShowProgressThenStoreEveryCall()
    {
        writeDays(1, 50);
        FDX_Typ_importu rec;
        rec.typ_importu = 1;
        gate.hold = true;
        {
            Hovory_nacteni w(nullptr, &rec, gated());
            w.show();
            QVERIFY(rec.import_bezi);
            QTRY_COMPARE(gate.runs.load(), 1); // the worker waits in the final tariffing
            auto* status = w.findChild<QLabel*>("Status");
            auto* all = w.findChild<QProgressBar*>("progb_2");
            QTRY_COMPARE(status->text(), QString("Importuji den: 2024-03-15"));
            QTRY_COMPARE(all->value(), all->maximum());
            // The run is shown in the tariffing window over the import window
            // (placed there when the worker's queued start of the run arrives).
            QDialog* okno = nullptr;
            QTRY_VERIFY((okno = w.findChild<QDialog*>("Hovory_tarifovani")) && okno->isVisible());
            gate.release.release();
            QTRY_VERIFY(!w.isVisible());
            QVERIFY(!okno->isVisible());
        }
        QVERIFY(!rec.import_bezi);
        Transaction::main().rollback();
        QCOMPARE(count(), 50);
        QCOMPARE(gate.runs.load(), 1);
        QVERIFY(boxes.isEmpty());
    }

    void directoryChosenInTheSettingsIsTheOneImported()
    {
        // The collector's directory stays empty; the day's file is in the
        // directory chosen in "Adresáře se vstupními daty".
        const QString own = env->dir() + "/vlastni";
        QVERIFY(QDir().mkpath(own));
        gendata::Options o;
        o.outDir = own;
        o.firstDay = QDate(2024, 3, 15);
        o.days = 1;
        o.callsPerDay = 20;
        QVERIFY(gendata::writeFiles(o));
        {
            Z_Adresar_pro_vstupni_data d;
            d.Z_Adresar_pro_vstupni_data_Create();
            d.findChild<QRadioButton*>("optb_1")->setChecked(true);
            d.findChild<QLineEdit*>("vstupni_data")->setText(own);
            d.findChild<QPushButton*>("cb_2")->click();
            QCOMPARE(d.result(), int(QDialog::Accepted));
        }
        FDX_Typ_importu rec;
        rec.typ_importu = 1;
        QVERIFY(Hovory_nacteni::Create(nullptr, &rec, gated()));
        Transaction::main().rollback();
        QCOMPARE(count(), 20);
        QVERIFY(boxes.isEmpty());
    }

    void closingWhileRunningActsAsUkoncit()
    {
        // The 15th's file runs into the 16th, so the tariffing starts inside it.
        writeDays(3, 100);
        gendata::Options o;
        gendata::Generator g(o);
        QVERIFY(gendata::writeFile(env->dataDir() + "/20240315.dat",
                                   g.day(QDate(2024, 3, 15), 10) + g.day(QDate(2024, 3, 16), 10)));
        FDX_Typ_importu rec;
        rec.typ_importu = 2;
        test::Ovladac::naModalnim<QDialog>([](QDialog* d) {
            d->findChild<QLineEdit*>("textb_od")->setText("2024-03-15");
            d->findChild<QLineEdit*>("textb_do")->setText("9999-12-31");
            d->findChild<QPushButton*>("cb_1")->click();
        });
        gate.hold = true;
        Hovory_nacteni w(nullptr, &rec, gated());
        w.show();
        QTRY_COMPARE(gate.runs.load(), 1);
        w.close(); // the title bar's close button
        QTest::keyClick(&w, Qt::Key_Escape);
        QCoreApplication::processEvents();
        QVERIFY(w.isVisible()); // stays until the worker has finished
        gate.release.release();
        QTRY_VERIFY(!w.isVisible());
        QCOMPARE(gate.runs.load(), 2); // the final run
        Transaction::main().rollback();
        QCOMPARE(count(), 11); // the 15th's calls and the first of the 16th
        QVERIFY(w.souhrn().zruseno);
    }

    void malformedRecordWarnsAndSingleFileImport()
    {
        gendata::Options o;
        gendata::Generator g(o);
        QList<gendata::Record> records = g.day(QDate(2024, 3, 10), 5);
        QByteArray bad = records[3].plain;
        bad[26] = 'x';
        records[3].framed = gendata::frame(bad, 0x77);
        const QString path = env->dir() + "/vybrany.bin";
        QVERIFY(gendata::writeFile(path, records));
        setFileAnswerer([path](const FileQuestion&) { return path; });
        FDX_Typ_importu rec;
        rec.typ_importu = 3;
        QVERIFY(Hovory_nacteni::Create(nullptr, &rec, gated()));
        QCOMPARE(boxes.size(), 1);
        // The box names the file and the damaged record on its second line.
        QCOMPARE(boxes[0].text.section('\n', 0, 0), QString("Data nelze načíst"));
        QVERIFY(boxes[0].text.section('\n', 1).contains("vybrany.bin, záznam č. 4"));
        QCOMPARE(boxes[0].icon, int(IconWarning));
        Transaction::main().rollback();
        QCOMPARE(count(), 3);
    }

    void damagedFilesAskOneAtATimeWhileTheImportWaits()
    {
        // Two days, each stopped by a damaged third record.
        gendata::Options o;
        gendata::Generator g(o);
        for (int den : {15, 16}) {
            QList<gendata::Record> records = g.day(QDate(2024, 3, den), 5);
            QByteArray bad = records[2].plain;
            bad[26] = 'x';
            records[2].framed = gendata::frame(bad, 0x33);
            QVERIFY(gendata::writeFile(env->dataDir() + QString("/202403%1.dat").arg(den), records));
        }
        QList<qint64> ulozenoPriOtazce;
        setMessageAnswerer([&](const MessageRequest& r) {
            boxes << r;
            // The worker waits for the answer: nothing of the next file is stored yet.
            if (r.text.startsWith("Data nelze načíst")) ulozenoPriOtazce << count();
            return int(ResultOk);
        });
        FDX_Typ_importu rec;
        rec.typ_importu = 1;
        Hovory_nacteni w(nullptr, &rec, gated());
        auto* all = w.findChild<QProgressBar*>("progb_2");
        w.exec();
        QCOMPARE(ulozenoPriOtazce, (QList<qint64>{2, 4}));
        QVERIFY(boxes[0].text.contains("20240315.dat, záznam č. 3"));
        QVERIFY(boxes[1].text.contains("20240316.dat, záznam č. 3"));
        // The run's bar reaches its end although both files stopped early.
        QCOMPARE(all->value(), all->maximum());
    }

    void damagedFilesAreAskedInTheRealDialogWhileTheWorkerWaits()
    {
        setMessageAnswerer({}); // the real boxes
        gendata::Options o;
        gendata::Generator g(o);
        for (int den : {15, 16}) {
            QList<gendata::Record> records = g.day(QDate(2024, 3, den), 5);
            QByteArray bad = records[2].plain;
            bad[26] = 'x';
            records[2].framed = gendata::frame(bad, 0x33);
            QVERIFY(gendata::writeFile(env->dataDir() + QString("/202403%1.dat").arg(den), records));
        }
        FDX_Typ_importu rec;
        rec.typ_importu = 1;
        Hovory_nacteni w(nullptr, &rec, gated());
        QList<qint64> dalsiDenPriOtazce;
        auto priOtazce = [&](QWidget* box) {
            // Asked over the import window; the worker waits: nothing of the next file is stored yet.
            QCOMPARE(box->parentWidget(), &w);
            dalsiDenPriOtazce << count("ustredna_datum_a_cas >= '2024-03-16'");
        };
        const QString titulek = "V datech byly provedeny změny";
        test::SkutecneDialogy d;
        d.stiskniPo(300, titulek, "OK", priOtazce).stiskniPo(300, titulek, "OK", priOtazce);
        w.exec();
        QVERIFY2(d.hotovo(), qPrintable(d.chyba()));
        QCOMPARE(dalsiDenPriOtazce.value(0, -1), 0);
        Transaction::main().rollback();
        QCOMPARE(count(), 4); // two calls before each damaged record
        QCOMPARE(d.videno.size(), 2);
        QVERIFY(d.videno[0].contains("20240315.dat, záznam č. 3"));
        QVERIFY(d.videno[1].contains("20240316.dat, záznam č. 3"));
    }

    void unreadableCollectorDirectoryIsNamedAndOneFileIsAskedForInIt()
    {
        const QString chybi = env->dir() + "/neni/";
        Registry::instance().write("Software\\Dorvek\\Kavro\\Sberac", "DatovyAdresar", chybi);
        store = std::make_unique<konfiguracni_hodnoty>(konfiguracni_hodnoty::zakladniKlic(), "Sberac");
        konfigurace = store.get();
        FDX_Typ_importu rec;
        rec.typ_importu = 1;
        QVERIFY(Hovory_nacteni::Create(nullptr, &rec, gated()));
        QCOMPARE(boxes.size(), 1);
        QVERIFY(boxes[0].text.contains(chybi + " neexistuje nebo jej nelze číst"));

        // One file: the question opens in the collector's directory.
        Registry::instance().write("Software\\Dorvek\\Kavro\\Sberac", "DatovyAdresar", env->dataDir() + "/");
        store = std::make_unique<konfiguracni_hodnoty>(konfiguracni_hodnoty::zakladniKlic(), "Sberac");
        konfigurace = store.get();
        QString otevreno;
        setFileAnswerer([&](const FileQuestion& q) {
            otevreno = q.dir;
            return QString();
        });
        rec.typ_importu = 3;
        QVERIFY(Hovory_nacteni::Create(nullptr, &rec, gated()));
        QCOMPARE(otevreno, env->dataDir() + "/");
    }

    void periodThroughTheDateRangeDialog()
    {
        writeDays(3, 10);
        // Proposed: the newest stored day (none: 1 August 1997) to today. Left with "Opusť":
        // no file is read, the final tariffing still runs.
        QString offeredOd, offeredDo;
        auto ovladac = std::make_unique<test::Ovladac>();
        ovladac->pri("P_Nastaveni_od_do", [&](QWidget* d) {
            offeredOd = d->findChild<QLineEdit*>("textb_od")->text();
            offeredDo = d->findChild<QLineEdit*>("textb_do")->text();
            d->findChild<QPushButton*>("cb_2")->click();
        });
        FDX_Typ_importu rec;
        rec.typ_importu = 2;
        QVERIFY(Hovory_nacteni::Create(nullptr, &rec, gated()));
        QCOMPARE(offeredOd, QString("1997-08-01"));
        QCOMPARE(offeredDo, QString("2024-03-17"));
        QCOMPARE(count(), 0);
        QCOMPARE(gate.runs.load(), 1);

        // Confirmed: only the chosen day is read, and the period is kept for next time.
        ovladac = std::make_unique<test::Ovladac>();
        ovladac->pri("P_Nastaveni_od_do", [](QWidget* d) {
            d->findChild<QLineEdit*>("textb_od")->setText("16.3.2024");
            d->findChild<QLineEdit*>("textb_do")->setText("2024-03-16");
            d->findChild<QPushButton*>("cb_1")->click();
        });
        QVERIFY(Hovory_nacteni::Create(nullptr, &rec, gated()));
        Transaction::main().rollback();
        QCOMPARE(count(), 10);
        QCOMPARE(count("date(ustredna_datum_a_cas) = '2024-03-16'"), 10);
        QCOMPARE(Registry::instance().read("Software\\Dorvek\\Kavro\\", "Datum_od"), QString("2024-03-16"));
    }

    void anotherProgramHoldingTheDatabaseIsShownUkoncitEndsTheWaitAndTheRunEndsWithOneMessage()
    {
        if (test::onServer()) QSKIP("the lock of the database file; a server makes its clients wait itself");
        writeDays(2, 10);
        FDX_Typ_importu rec;
        rec.typ_importu = 1;
        {
            test::HeldDatabase held(*env, 30000); // the program's own wait
            QVERIFY2(held.ok(), qPrintable(held.error()));
            Hovory_nacteni w(nullptr, &rec, gated());
            w.show();
            auto* status = w.findChild<QLabel*>("Status");
            QTRY_COMPARE(status->text(), busyWaitText());
            QElapsedTimer t;
            t.start();
            w.findChild<QPushButton*>("cb_ukoncit")->click();
            QTRY_VERIFY(!w.isVisible());
            QVERIFY(t.elapsed() < 3000);
            QVERIFY(w.souhrn().zruseno);
            QCOMPARE(gate.runs.load(), 0); // no tariffing waits for the lock again
        }
        QVERIFY(boxes.isEmpty());
        QCOMPARE(count(), 0);

        // Waited out: one message, naming the day and the file.
        {
            test::HeldDatabase held(*env, 1000);
            QVERIFY(Hovory_nacteni::Create(nullptr, &rec, gated()));
        }
        QCOMPARE(boxes.size(), 1);
        QVERIFY2(boxes[0].text.startsWith("Databázi právě používá jiný program"), qPrintable(boxes[0].text));
        QVERIFY2(boxes[0].text.contains("2024-03-15") && boxes[0].text.contains("20240315.dat"), qPrintable(boxes[0].text));
        QCOMPARE(count(), 0);

        // The lock is gone: "Načtení nových" stores the days.
        boxes.clear();
        QVERIFY(Hovory_nacteni::Create(nullptr, &rec, gated()));
        QVERIFY(boxes.isEmpty());
        Transaction::main().rollback();
        QCOMPARE(count(), 20);
    }

    // "Ukončit" while a file is read; right after that file's commit another
    // program takes the database. The final tariffing waits for it in its own
    // window, as any write does, and when the other program saves it tariffs
    // every call stored: the import ends with no message.
    void ukoncitWhileAFileIsReadTheFinalTariffingWaitsInItsWindow()
    {
        if (test::onServer()) QSKIP("the lock of the database file; a server makes its clients wait itself");
        QString e;
        QVERIFY2(test::fillTariffData(&e), qPrintable(e));
        QVERIFY(Transaction::main().commit());
        writeDays(3, 10);
        std::unique_ptr<test::HeldDatabase> held;
        std::thread uvolneni;
        // A failed check still lets the releasing thread end.
        const auto konec = qScopeGuard([&] {
            if (uvolneni.joinable()) uvolneni.join();
        });
        auto factory = [&]() -> std::unique_ptr<TariffingRun> {
            auto run = std::make_unique<HookedRun>();
            run->before = [&](int n) {
                // The first day's run: the user presses "Ukončit" meanwhile.
                if (n == 1) gate.release.acquire();
                if (n != 2) return;
                held = std::make_unique<test::HeldDatabase>(*env, 30000);
                uvolneni = std::thread([&] {
                    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
                    held->release();
                });
            };
            return run;
        };
        FDX_Typ_importu rec;
        rec.typ_importu = 1;
        {
            Hovory_nacteni w(nullptr, &rec, factory);
            // ... and the worker, held at the first run, before the window goes.
            bool pusteno = false;
            const auto pustit = qScopeGuard([&] {
                if (!pusteno) gate.release.release();
            });
            w.show();
            // The first day's tariffing window stands over the import window.
            Hovory_tarifovani* okno = nullptr;
            QTRY_VERIFY((okno = w.findChild<Hovory_tarifovani*>()) && okno->isVisible());
            w.findChild<QPushButton*>("cb_ukoncit")->click();
            pusteno = true;
            gate.release.release();
            QTRY_COMPARE(okno->l_status()->text(), busyWaitText());
            QVERIFY(w.isVisible());
            QTRY_VERIFY_WITH_TIMEOUT(!w.isVisible(), 10000);
            uvolneni.join();
            QVERIFY(held && held->ok());
            QVERIFY(w.souhrn().zruseno);
            QVERIFY(!w.souhrn().obsazeno);
        }
        QVERIFY2(boxes.isEmpty(), qPrintable(boxes.isEmpty() ? QString() : boxes[0].text));
        Transaction::main().rollback();
        QCOMPARE(count(), 11); // the 15th's calls and the first of the 16th
        QCOMPARE(count("status_hovoru = 10"), 11);
    }

    // Calls stored earlier and not tariffed; the import meets another program
    // and the user ends the wait: one real box says how many calls are not
    // tariffed yet and that the next import tariffs them, and it does.
    void ukoncitDuringTheWaitSaysInOneBoxThatTheStoredCallsAreNotTariffedYet()
    {
        if (test::onServer()) QSKIP("the lock of the database file; a server makes its clients wait itself");
        QString e;
        QVERIFY2(test::fillTariffData(&e), qPrintable(e));
        QVERIFY(Transaction::main().commit());
        writeDays(2, 10);
        {
            // An import that only stored the 15th.
            Import_hovoru jen_ulozit(Transaction::main());
            Import_hovoru::Parametry p;
            p.typ_importu = 2;
            p.od = p.do_ = QDate(2024, 3, 15);
            p.adresar = env->dataDir();
            QCOMPARE(jen_ulozit.Vkladej_soubory(p).ulozeno, 10);
        }
        QCOMPARE(count("status_hovoru = 2"), 10);
        auto factory = [] { return Tarifovani::proImport(); };
        FDX_Typ_importu rec;
        rec.typ_importu = 1;
        {
            test::HeldDatabase held(*env, 30000);
            QVERIFY2(held.ok(), qPrintable(held.error()));
            setMessageAnswerer({});
            test::SkutecneDialogy d;
            d.stiskniPo(800, "Aktualizace souborů", "Ukončit", [](QWidget* w) {
                 QCOMPARE(w->findChild<QLabel*>("Status")->text(), busyWaitText());
             }).stiskni("Import hovorů", "OK");
            QElapsedTimer t;
            t.start();
            QVERIFY(Hovory_nacteni::Create(nullptr, &rec, factory));
            QVERIFY(t.elapsed() < 5000);
            QVERIFY2(d.hotovo(), qPrintable(d.chyba()));
            QCOMPARE(d.videno.size(), 2);
            const QString zprava = d.videno[1];
            QVERIFY2(zprava.startsWith("Import hovorů|Import hovorů byl ukončen během čekání na databázi"), qPrintable(zprava));
            QVERIFY2(zprava.contains("Hovorů, které zatím nejsou otarifovány: 10. Otarifuje je tarifování při příštím "
                                     "importu hovorů (například Načtení nových)."),
                     qPrintable(zprava));
        }
        setMessageAnswerer([this](const MessageRequest& r) { boxes << r; return int(ResultOk); });
        QVERIFY(Hovory_nacteni::Create(nullptr, &rec, factory));
        QVERIFY2(boxes.isEmpty(), qPrintable(boxes.isEmpty() ? QString() : boxes[0].text));
        Transaction::main().rollback();
        QCOMPARE(count(), 20);
        QCOMPARE(count("status_hovoru = 10"), 20);
    }

    void deletionWindow()
    {
        // No call: the button is disabled.
        {
            Hovory_mazani w;
            QVERIFY(!w.findChild<QPushButton*>("cb_OK")->isEnabled());
        }
        writeDays(3, 20);
        FDX_Typ_importu rec;
        QVERIFY(Hovory_nacteni::Create(nullptr, &rec, gated()));
        QCOMPARE(count(), 60);

        // The stored period is proposed; the calendar button beside a box picks its date.
        Hovory_mazani w;
        w.show();
        auto* od = w.findChild<QLineEdit*>("Datum_od");
        auto* do_ = w.findChild<QLineEdit*>("Datum_do");
        QCOMPARE(od->text(), QString("2024-03-15"));
        QCOMPARE(do_->text(), QString("2024-03-17"));
        {
            test::Ovladac ovladac;
            QDate shown;
            ovladac.pri("cl_Ukaz_kalendar", [&](QWidget* d) {
                auto* cal = d->findChild<QCalendarWidget*>();
                shown = cal->selectedDate();
                emit cal->activated(QDate(2024, 3, 16)); // a double click on the 16th
            });
            w.findChild<QAbstractButton*>("cb_1")->click();
            QCOMPARE(shown, QDate(2024, 3, 15));
            QCOMPARE(od->text(), QString("2024-03-16"));
        }
        // A reversed period is refused and deletes nothing.
        {
            test::Ovladac ovladac;
            do_->setText("15.3.2024");
            QTest::mouseClick(w.findChild<QPushButton*>("cb_OK"), Qt::LeftButton);
            QVERIFY(w.isVisible());
            QVERIFY(!od->isHidden());
            QCOMPARE(ovladac.zpravy, QStringList{w.windowTitle() + "|Konec období nesmí předcházet jeho začátku."});
            QCOMPARE(count(), 60);
        }
        do_->setText("16.3.2024"); // normalised by the deletion
        QTest::mouseClick(w.findChild<QPushButton*>("cb_OK"), Qt::LeftButton);
        QVERIFY(!w.isVisible());
        Transaction::main().rollback(); // the deletion was committed
        QCOMPARE(count(), 40);
        QCOMPARE(count("date(ustredna_datum_a_cas) = '2024-03-16'"), 0);
    }
};

QTEST_MAIN(TestHovoryNacteni)
#include "tst_hovory_nacteni.moc"
