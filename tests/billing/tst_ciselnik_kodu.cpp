// The account-code list window: its modes, saving, deleting, the closing
// question and the unit of work it commits or drops.
#include "billing/forms/ciselnik_kodu.h"
#include "ovladac.h"
#include "platform/database.h"
#include "test_env.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>

using namespace kavro;
using test::Ovladac;

namespace {

const QString Otazka = QStringLiteral("V datech byly provedeny změny|Chcete tyto změny uložit ?");

template <class T> T* prvek(QWidget* w, const char* jmeno)
{
    T* p = w->findChild<T*>(jmeno);
    if (!p) qFatal("missing control %s", jmeno);
    return p;
}
QPushButton* tlacitko(QWidget* w, const char* jmeno) { return prvek<QPushButton>(w, jmeno); }
QLineEdit* pole(QWidget* w, const char* jmeno) { return prvek<QLineEdit>(w, jmeno); }
QListWidget* seznam(QWidget* w) { return prvek<QListWidget>(w, "lb_1"); }

QStringList radky(QListWidget* l)
{
    QStringList out;
    for (int i = 0; i < l->count(); ++i) out << l->item(i)->text();
    return out;
}

// Every stored row as "code=firm/contact/note", ordered by code.
QString ulozeno()
{
    return Transaction::main().scalar(
        "SELECT List(Kod_uctu || '=' || Firma || '/' || Osoba || '/' || Poznamka) FROM "
        "(SELECT * FROM dba.ciselnik_uctovacich_kodu ORDER BY Kod_uctu)");
}

} // namespace

class TestCiselnikKodu : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TestEnv> env;

private slots:
    void init()
    {
        env = std::make_unique<test::TestEnv>();
        QVERIFY2(env->ok(), qPrintable(env->error()));
    }
    void cleanup() { env.reset(); }

    void emptyTableThenNewEntrySavedAndCommitted()
    {
        Ovladac o;
        {
            Ciselnik_kodu okno;
            o.ukaz(okno, [&](QWidget* w) {
                if (qEnvironmentVariableIsSet("KAVRO_SNIMKY")) w->grab().save(qEnvironmentVariable("KAVRO_SNIMKY") + "/ciselnik_kodu_prazdny.png");
                QCOMPARE(seznam(w)->count(), 0);
                QVERIFY(!pole(w, "tb_firma")->isEnabled());
                QVERIFY(tlacitko(w, "cb_3")->isEnabled());
                tlacitko(w, "cb_3")->click();
                QCOMPARE(radky(seznam(w)), QStringList({""}));
                QVERIFY(okno.editace());
                QVERIFY(!tlacitko(w, "cb_3")->isEnabled() && tlacitko(w, "cb_1")->isEnabled());
                pole(w, "tb_kod")->setText("  K1 ");
                pole(w, "tb_firma")->setText("O'Neill");
                prvek<QPlainTextEdit>(w, "tb_poznamka")->setPlainText("řádek 1\nřádek 2");
                tlacitko(w, "cb_1")->click();
                QVERIFY(!okno.editace());
                QCOMPARE(radky(seznam(w)), QStringList({"K1"}));
                if (qEnvironmentVariableIsSet("KAVRO_SNIMKY")) w->grab().save(qEnvironmentVariable("KAVRO_SNIMKY") + "/ciselnik_kodu.png");
                tlacitko(w, "cb_2")->click();
            });
        }
        QVERIFY(o.zpravy.isEmpty());
        QCOMPARE(ulozeno(), QStringLiteral("K1=O'Neill//řádek 1\nřádek 2"));
    }

    void savedEntryMovesToTheEndAndNoOnLeavingDropsIt()
    {
        QVERIFY(Transaction::main().exec("INSERT INTO dba.ciselnik_uctovacich_kodu VALUES "
                                         "('A1','Alfa','Jan',''), ('B2','Beta','Eva',''), ('C3','Gama','Ota','')"));
        QVERIFY(Transaction::main().commit());
        const QString puvodne = ulozeno();
        Ovladac o;
        o.odpovidej({ResultNo});
        {
            Ciselnik_kodu okno;
            o.ukaz(okno, [&](QWidget* w) {
                // The first entry is shown in browse mode.
                QCOMPARE(seznam(w)->currentRow(), 0);
                const QString prvni = seznam(w)->item(0)->text();
                QCOMPARE(pole(w, "tb_kod")->text(), prvni);
                QVERIFY(!okno.editace());
                tlacitko(w, "cb_4")->click();
                QVERIFY(okno.editace());
                pole(w, "tb_firma")->setText("Změněná");
                // A click on another line saves the edit: the saved entry ends
                // up last, selected and shown.
                seznam(w)->setCurrentRow(1);
                QCOMPARE(seznam(w)->count(), 3);
                QCOMPARE(seznam(w)->item(2)->text(), prvni);
                QCOMPARE(seznam(w)->currentRow(), 2);
                QCOMPARE(pole(w, "tb_firma")->text(), QStringLiteral("Změněná"));
                QVERIFY(!okno.editace());
                QVERIFY(ulozeno().contains("=Změněná/"));
                tlacitko(w, "cb_6")->click();
                QVERIFY(!okno.zmeneno());
            });
        }
        QCOMPARE(o.zpravy, QStringList({Otazka}));
        QCOMPARE(ulozeno(), puvodne);
    }

    void leaveSavesTheEditAndYesCommits()
    {
        QVERIFY(Transaction::main().exec("INSERT INTO dba.ciselnik_uctovacich_kodu VALUES ('A1','Alfa','Jan','')"));
        QVERIFY(Transaction::main().commit());
        Ovladac o;
        o.odpovidej({ResultYes});
        {
            Ciselnik_kodu okno;
            o.ukaz(okno, [&](QWidget* w) {
                tlacitko(w, "cb_4")->click();
                pole(w, "tb_kontakt")->setText("Petr");
                tlacitko(w, "cb_6")->click();
            });
        }
        QCOMPARE(o.zpravy, QStringList({Otazka}));
        QCOMPARE(ulozeno(), QStringLiteral("A1=Alfa/Petr/"));
    }

    void closeBoxActsAsLeave()
    {
        QVERIFY(Transaction::main().exec("INSERT INTO dba.ciselnik_uctovacich_kodu VALUES ('A1','Alfa','Jan','')"));
        QVERIFY(Transaction::main().commit());
        Ovladac o;
        o.odpovidej({ResultNo});
        bool zavreno = false;
        {
            Ciselnik_kodu okno;
            o.ukaz(okno, [&](QWidget* w) {
                tlacitko(w, "cb_4")->click();
                pole(w, "tb_firma")->setText("Zavřeno křížkem");
                w->close();
                zavreno = !w->isVisible();
            });
        }
        QVERIFY(zavreno);
        // The edit was saved, then dropped by the answer No.
        QCOMPARE(o.zpravy, QStringList({Otazka}));
        QCOMPARE(ulozeno(), QStringLiteral("A1=Alfa/Jan/"));
    }

    void duplicateCodeIsRefusedAndTheEditKept()
    {
        QVERIFY(Transaction::main().exec("INSERT INTO dba.ciselnik_uctovacich_kodu VALUES ('A1','Alfa','Jan','')"));
        QVERIFY(Transaction::main().commit());
        Ovladac o;
        {
            Ciselnik_kodu okno;
            o.ukaz(okno, [&](QWidget* w) {
                tlacitko(w, "cb_3")->click();
                pole(w, "tb_kod")->setText("A1");
                pole(w, "tb_firma")->setText("Druhá");
                tlacitko(w, "cb_1")->click();
                QCOMPARE(o.zpravy, QStringList({"Číselník účtovacích  kódů|" + AccountCodes::duplicateMessage("A1")}));
                QVERIFY(okno.editace());
                QCOMPARE(pole(w, "tb_firma")->text(), QStringLiteral("Druhá"));
                // Another line cannot be chosen while the refused code stands.
                seznam(w)->setCurrentRow(0);
                QCOMPARE(seznam(w)->currentRow(), 1);
                QVERIFY(okno.editace());
                pole(w, "tb_kod")->setText("A2");
                tlacitko(w, "cb_2")->click();
            });
        }
        QCOMPARE(o.zpravy.size(), 2);
        QCOMPARE(ulozeno(), QStringLiteral("A1=Alfa/Jan/,A2=Druhá//"));
    }

    void codeOfAnotherEntryIsReportedWhenLeavingTheCodeBox()
    {
        QVERIFY(Transaction::main().exec("INSERT INTO dba.ciselnik_uctovacich_kodu VALUES ('A1','Alfa','Jan','')"));
        QVERIFY(Transaction::main().commit());
        Ovladac o;
        {
            Ciselnik_kodu okno;
            o.ukaz(okno, [&](QWidget* w) {
                w->activateWindow();
                QVERIFY(QTest::qWaitForWindowActive(w));
                // The entry's own code is no duplicate.
                tlacitko(w, "cb_4")->click();
                pole(w, "tb_kod")->setFocus();
                pole(w, "tb_firma")->setFocus();
                QVERIFY(o.zpravy.isEmpty());
                tlacitko(w, "cb_1")->click();
                tlacitko(w, "cb_3")->click();
                pole(w, "tb_kod")->setFocus();
                pole(w, "tb_kod")->setText(" A1 ");
                pole(w, "tb_firma")->setFocus();
                QCOMPARE(pole(w, "tb_kod")->text(), QStringLiteral("A1"));
                QCOMPARE(o.zpravy, QStringList({"Číselník účtovacích  kódů|" + AccountCodes::duplicateMessage("A1")}));
                pole(w, "tb_kod")->setText("B1");
                tlacitko(w, "cb_2")->click();
            });
        }
        QCOMPARE(o.zpravy.size(), 1);
        QCOMPARE(ulozeno(), QStringLiteral("A1=Alfa/Jan/,B1=//"));
    }

    void deletingWhileEditingSavesNothingIntoAnotherEntry()
    {
        QVERIFY(Transaction::main().exec("INSERT INTO dba.ciselnik_uctovacich_kodu VALUES "
                                         "('A1','Alfa','Jan',''), ('B2','Beta','Eva',''), ('','Bez kódu','','')"));
        QVERIFY(Transaction::main().commit());
        Ovladac o;
        {
            Ciselnik_kodu okno;
            o.ukaz(okno, [&](QWidget* w) {
                const int b2 = radky(seznam(w)).indexOf("B2");
                QVERIFY(b2 > 0);
                seznam(w)->setCurrentRow(b2);
                tlacitko(w, "cb_4")->click();
                pole(w, "tb_firma")->setText("Nemá se uložit");
                okno.popup_1_Smazani_Click();
                QVERIFY(!okno.editace());
                QCOMPARE(seznam(w)->currentRow(), b2 - 1);
                QCOMPARE(pole(w, "tb_kod")->text(), seznam(w)->item(b2 - 1)->text());
                // A new entry deleted before it was saved runs no statement:
                // the stored row with an empty code stays.
                tlacitko(w, "cb_3")->click();
                okno.popup_1_Smazani_Click();
                QCOMPARE(Transaction::main().scalar("SELECT count(*) FROM dba.ciselnik_uctovacich_kodu WHERE Kod_uctu = ''"),
                         QStringLiteral("1"));
                // Deleting the first line leaves nothing selected.
                seznam(w)->setCurrentRow(0);
                const QString prvni = pole(w, "tb_kod")->text();
                tlacitko(w, "cb_5")->click();
                QCOMPARE(seznam(w)->currentRow(), -1);
                QCOMPARE(pole(w, "tb_kod")->text(), prvni);
                tlacitko(w, "cb_2")->click();
            });
        }
        QVERIFY(o.zpravy.isEmpty());
        QCOMPARE(Transaction::main().scalar("SELECT count(*) FROM dba.ciselnik_uctovacich_kodu").toInt(), 1);
        QVERIFY(!ulozeno().contains("Nemá"));
        QVERIFY(!ulozeno().contains("B2"));
    }

    void enterInAFieldSavesCommitsAndCloses()
    {
        QVERIFY(Transaction::main().exec("INSERT INTO dba.ciselnik_uctovacich_kodu VALUES ('A1','Alfa','Jan','')"));
        QVERIFY(Transaction::main().commit());
        Ovladac o;
        bool zavreno = false;
        {
            Ciselnik_kodu okno;
            o.ukaz(okno, [&](QWidget* w) {
                tlacitko(w, "cb_4")->click();
                QLineEdit* firma = pole(w, "tb_firma");
                firma->setText("Enter");
                QTest::keyClick(firma, Qt::Key_Return);
                zavreno = !w->isVisible();
            });
        }
        QVERIFY(zavreno);
        QVERIFY(o.zpravy.isEmpty());
        QCOMPARE(ulozeno(), QStringLiteral("A1=Enter/Jan/"));
    }
};

QTEST_MAIN(TestCiselnikKodu)
#include "tst_ciselnik_kodu.moc"
