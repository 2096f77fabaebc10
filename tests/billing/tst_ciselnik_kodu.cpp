// The account-code list window: its modes, saving, deleting, the closing
// question and the unit of work it commits or drops.
#include "billing/forms/ciselnik_kodu.h"
#include "fixture.h"
#include "ovladac.h"
#include "test_env.h"

#include <QListWidget>
#include <QPlainTextEdit>
#include <QtTest>
#include <memory>

using namespace kavro;
using namespace kavro::test;

namespace {

const QString Otazka = QStringLiteral("V datech byly provedeny změny|Chcete tyto změny uložit ?");
const QString Duplicita = "Číselník účtovacích  kódů|" + AccountCodes::duplicateMessage("A1");

QListWidget* seznam(QWidget* w) { return w->findChild<QListWidget*>("lb_1"); }
QStringList radky(QWidget* w)
{
    QStringList out;
    for (int i = 0; i < seznam(w)->count(); ++i) out << seznam(w)->item(i)->text();
    return out;
}

// Every stored row as "code=firm/contact/note", ordered by code.
QString ulozeno()
{
    return Transaction::main().scalar("SELECT List(Kod_uctu || '=' || Firma || '/' || Osoba || '/' || Poznamka) FROM "
                                      "(SELECT * FROM dba.ciselnik_uctovacich_kodu ORDER BY Kod_uctu)");
}

void uloz(const QString& hodnoty)
{
    QVERIFY(Transaction::main().exec("INSERT INTO dba.ciselnik_uctovacich_kodu VALUES " + hodnoty));
    QVERIFY(Transaction::main().commit());
}

// Opens the window with `o` answering; `akce` acts in it while it is shown.
void otevri(Ovladac& o, std::function<void(Ciselnik_kodu&, QWidget*)> akce)
{
    Ciselnik_kodu okno;
    o.ukaz(okno, [&](QWidget* w) { akce(okno, w); });
}

} // namespace

class TestCiselnikKodu : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnv> env;

private slots:
    void init()
    {
        env = std::make_unique<TestEnv>();
        QVERIFY2(env->ok(), qPrintable(env->error()));
    }
    void cleanup() { env.reset(); }

    void emptyTableThenNewEntrySavedAndCommitted()
    {
        Ovladac o;
        otevri(o, [](Ciselnik_kodu& okno, QWidget* w) {
            QCOMPARE(seznam(w)->count(), 0);
            QVERIFY(!pole(w, "tb_firma")->isEnabled());
            klikni(w, "cb_3");
            QCOMPARE(radky(w), QStringList({""}));
            QVERIFY(okno.editace());
            napis(w, "tb_kod", "  K1 ");
            napis(w, "tb_firma", "O'Neill");
            w->findChild<QPlainTextEdit*>("tb_poznamka")->setPlainText("řádek 1\nřádek 2");
            klikni(w, "cb_1");
            QVERIFY(!okno.editace());
            QCOMPARE(radky(w), QStringList({"K1"}));
            klikni(w, "cb_2");
        });
        QVERIFY(o.zpravy.isEmpty());
        QCOMPARE(ulozeno(), QStringLiteral("K1=O'Neill//řádek 1\nřádek 2"));
    }

    void savedEntryMovesToTheEndAndNoOnLeavingDropsIt()
    {
        uloz("('A1','Alfa','Jan',''), ('B2','Beta','Eva',''), ('C3','Gama','Ota','')");
        const QString puvodne = ulozeno();
        Ovladac o;
        o.odpovidej({ResultNo});
        otevri(o, [](Ciselnik_kodu& okno, QWidget* w) {
            // The first entry is shown in browse mode.
            const QString prvni = seznam(w)->item(0)->text();
            QCOMPARE(seznam(w)->currentRow(), 0);
            QCOMPARE(pole(w, "tb_kod")->text(), prvni);
            klikni(w, "cb_4");
            napis(w, "tb_firma", "Změněná");
            // A click on another line saves the edit: the saved entry ends up last, selected and shown.
            seznam(w)->setCurrentRow(1);
            QCOMPARE(radky(w).size(), 3);
            QCOMPARE(radky(w).last(), prvni);
            QCOMPARE(seznam(w)->currentRow(), 2);
            QCOMPARE(pole(w, "tb_firma")->text(), QStringLiteral("Změněná"));
            QVERIFY(!okno.editace());
            QVERIFY(ulozeno().contains("=Změněná/"));
            klikni(w, "cb_6");
            QVERIFY(!okno.zmeneno());
        });
        QCOMPARE(o.zpravy, QStringList({Otazka}));
        QCOMPARE(ulozeno(), puvodne);
    }

    // An edit left by "Opusť" (Yes), the close box (No) or Enter in a field.
    void leavingWithAnEditOpen()
    {
        const struct {
            const char* jak;
            int odpoved;
            QStringList zpravy;
            QString ulozeno;
        } pripady[] = {
            {"cb_6", ResultYes, {Otazka}, "A1=Alfa/Zmena/"},
            {"krizek", ResultNo, {Otazka}, "A1=Alfa/Jan/"},
            {"enter", ResultNo, {}, "A1=Alfa/Zmena/"},
        };
        uloz("('A1','Alfa','Jan','')");
        for (const auto& p : pripady) {
            Ovladac o;
            o.odpovidej({p.odpoved});
            bool zavreno = false;
            otevri(o, [&](Ciselnik_kodu&, QWidget* w) {
                klikni(w, "cb_4");
                napis(w, "tb_kontakt", "Zmena");
                if (QByteArray(p.jak) == "krizek") w->close();
                else if (QByteArray(p.jak) == "enter") QTest::keyClick(pole(w, "tb_kontakt"), Qt::Key_Return);
                else klikni(w, p.jak);
                zavreno = !w->isVisible();
            });
            QVERIFY2(zavreno, p.jak);
            QCOMPARE(o.zpravy, p.zpravy);
            QCOMPARE(ulozeno(), p.ulozeno);
            QVERIFY(Transaction::main().exec("UPDATE dba.ciselnik_uctovacich_kodu SET Osoba = 'Jan'"));
            QVERIFY(Transaction::main().commit());
        }
    }

    // A taken code is named when the code box is left and refused on saving;
    // the edit stays and no other line can be chosen meanwhile.
    void duplicateCodeIsReportedRefusedAndTheEditKept()
    {
        uloz("('A1','Alfa','Jan','')");
        Ovladac o;
        otevri(o, [&](Ciselnik_kodu& okno, QWidget* w) {
            w->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(w));
            // The entry's own code is no duplicate.
            klikni(w, "cb_4");
            pole(w, "tb_kod")->setFocus();
            pole(w, "tb_firma")->setFocus();
            QVERIFY(o.zpravy.isEmpty());
            klikni(w, "cb_1");
            klikni(w, "cb_3");
            pole(w, "tb_kod")->setFocus();
            napis(w, "tb_kod", " A1 ");
            pole(w, "tb_firma")->setFocus();
            QCOMPARE(pole(w, "tb_kod")->text(), QStringLiteral("A1"));
            QCOMPARE(o.zpravy, QStringList({Duplicita}));
            napis(w, "tb_firma", "Druhá");
            klikni(w, "cb_1");
            QCOMPARE(o.zpravy, QStringList({Duplicita, Duplicita}));
            QVERIFY(okno.editace());
            QCOMPARE(pole(w, "tb_firma")->text(), QStringLiteral("Druhá"));
            seznam(w)->setCurrentRow(0);
            QCOMPARE(seznam(w)->currentRow(), 1);
            napis(w, "tb_kod", "A2");
            klikni(w, "cb_2");
        });
        // Leaving the box, saving, and the refused line change each said it.
        QCOMPARE(o.zpravy, QStringList({Duplicita, Duplicita, Duplicita}));
        QCOMPARE(ulozeno(), QStringLiteral("A1=Alfa/Jan/,A2=Druhá//"));
    }

    // After "Nový" typing goes into "Kód"; an entry without a code is refused
    // like a taken code and keeps what was typed; an untouched new entry is
    // dropped when the window closes.
    void newEntryStartsInTheCodeAndNeedsOne()
    {
        uloz("('A1','Alfa','Jan','')");
        const QString prazdny = "Číselník účtovacích  kódů|" + AccountCodes::emptyCodeMessage();
        Ovladac o;
        otevri(o, [&](Ciselnik_kodu& okno, QWidget* w) {
            w->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(w));
            klikni(w, "cb_3");
            QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(pole(w, "tb_kod")));
            QTest::keyClicks(QApplication::focusWidget(), "K7");
            QCOMPARE(pole(w, "tb_kod")->text(), QStringLiteral("K7"));
            pole(w, "tb_kod")->clear();
            napis(w, "tb_firma", "Gama");
            klikni(w, "cb_1");
            QCOMPARE(o.zpravy, QStringList({prazdny}));
            QVERIFY(okno.editace());
            QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(pole(w, "tb_kod")));
            // Nor can the window be left with it.
            klikni(w, "cb_6");
            QVERIFY(w->isVisible());
            QCOMPARE(o.zpravy.size(), 2);
            napis(w, "tb_kod", "G3");
            klikni(w, "cb_1");
            QVERIFY(!okno.editace());
            // A new entry nobody typed into goes away with the window.
            klikni(w, "cb_3");
            klikni(w, "cb_2");
        });
        QCOMPARE(o.zpravy, QStringList({prazdny, prazdny}));
        QCOMPARE(ulozeno(), QStringLiteral("A1=Alfa/Jan/,G3=Gama//"));
    }

    void deletingWhileEditingSavesNothingIntoAnotherEntry()
    {
        uloz("('A1','Alfa','Jan',''), ('B2','Beta','Eva',''), ('','Bez kódu','','')");
        Ovladac o;
        otevri(o, [](Ciselnik_kodu& okno, QWidget* w) {
            const int b2 = radky(w).indexOf("B2");
            QVERIFY(b2 > 0);
            seznam(w)->setCurrentRow(b2);
            klikni(w, "cb_4");
            napis(w, "tb_firma", "Nemá se uložit");
            okno.popup_1_Smazani_Click();
            QVERIFY(!okno.editace());
            QCOMPARE(seznam(w)->currentRow(), b2 - 1);
            QCOMPARE(pole(w, "tb_kod")->text(), seznam(w)->item(b2 - 1)->text());
            // A new entry deleted before it was saved runs no statement: the stored row with an empty code stays.
            klikni(w, "cb_3");
            okno.popup_1_Smazani_Click();
            QVERIFY(ulozeno().contains("=Bez kódu/"));
            // Deleting the first line leaves nothing selected, and the deleted entry is no longer shown.
            seznam(w)->setCurrentRow(0);
            QVERIFY(!pole(w, "tb_firma")->text().isEmpty());
            klikni(w, "cb_5");
            QCOMPARE(seznam(w)->currentRow(), -1);
            QCOMPARE(pole(w, "tb_kod")->text(), QString());
            QCOMPARE(pole(w, "tb_firma")->text(), QString());
            QCOMPARE(pole(w, "tb_kontakt")->text(), QString());
            klikni(w, "cb_2");
        });
        QVERIFY(o.zpravy.isEmpty());
        QCOMPARE(ulozeno().count('='), 1);
        QVERIFY(!ulozeno().contains("Nemá") && !ulozeno().contains("B2"));
    }
};

QTEST_MAIN(TestCiselnikKodu)
#include "tst_ciselnik_kodu.moc"
