// The directory window as a user drives it: the trees it opens with, the
// node menus with their dialogs, "Ulož" and "Opusť", the view switch, the
// line dialog's checks and the call reports.
#include "directory_fixture.h"
#include "ovladac.h"
#include "test_env.h"

#include "common/konfigurace.h"
#include "frame/prikazy_menu.h"
#include "internal_directory/forms/nastaveni_pobocky.h"
#include "internal_directory/forms/p_udaje_o_osobe.h"
#include "platform/clock.h"
#include "platform/registry.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <memory>

using namespace kavro;
using namespace kavro::test;

namespace {

QAction* polozkaMenu(QWidget* okno, const char* menu, const QString& text)
{
    auto* m = okno->findChild<QMenu*>(menu);
    if (!m) return nullptr;
    for (QAction* a : m->actions())
        if (a->text() == text) return a;
    return nullptr;
}

void klikni(QWidget* d, const char* tlacitko)
{
    auto* b = d->findChild<QPushButton*>(tlacitko);
    QVERIFY2(b && b->isEnabled(), tlacitko);
    b->click();
}

void napis(QWidget* d, const char* box, const QString& text)
{
    auto* e = d->findChild<QLineEdit*>(box);
    QVERIFY2(e, box);
    e->setText(text);
}

// The window's part of a test: run once, from the window's own event loop, so
// that the dialogs it opens are answered too.
std::function<void(QWidget*)> jednou(std::function<void(QWidget*)> f)
{
    auto hotovo = std::make_shared<bool>(false);
    return [f, hotovo](QWidget* w) {
        if (*hotovo) return;
        *hotovo = true;
        QTimer::singleShot(0, w, [f, w] { f(w); });
    };
}

} // namespace

class TstNastaveniPobocky : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> m_env;
    std::unique_ptr<konfiguracni_hodnoty> m_konfigurace;

    Nastaveni_pobocky* okno(QWidget* w) { return qobject_cast<Nastaveni_pobocky*>(w); }
    // Selects the node at `cesta` (texts below the exchange) in tv_1.
    QModelIndex vyber(Nastaveni_pobocky* w, const QStringList& cesta)
    {
        const QModelIndex x = najdiUzel(w->seznam().strom(), QStringList{QStringLiteral("Ústředna")} + cesta);
        w->tv_1()->setCurrentIndex(x);
        w->tv_1()->setFocus();
        return x;
    }
    QString ulozenaVarianta()
    {
        return Registry::instance().read(konfiguracni_hodnoty::zakladniKlic() + QStringLiteral("Sberac"),
                                         QStringLiteral("Varianta_zobrazeni"));
    }

private slots:
    void init()
    {
        m_env = std::make_unique<TestEnv>();
        QVERIFY(m_env->ok());
        QString chyba;
        QVERIFY2(fillDirectoryFixture(&chyba), qPrintable(chyba));
        QVERIFY(Transaction::main().commit());
        Registry::instance().write(konfiguracni_hodnoty::zakladniKlic() + QStringLiteral("Sberac"), QStringLiteral("Ustredna"),
                                   QStringLiteral("Ústředna"));
        m_konfigurace = std::make_unique<konfiguracni_hodnoty>(konfiguracni_hodnoty::zakladniKlic(), QStringLiteral("Sberac"));
        konfigurace = m_konfigurace.get();
        clock::setFixedNow(QDateTime(QDate(2024, 6, 1), QTime(10, 0, 0)));
        PrikazyMenu::instance().vymaz();
    }
    void cleanup()
    {
        clock::setFixedNow(QDateTime());
        konfigurace = nullptr;
        m_konfigurace.reset();
        m_env.reset();
    }

    void opensAsOfNowInTheStoredViewAndKeepsTheView()
    {
        Ovladac o;
        QStringList koren;
        o.pri(QStringLiteral("Nastaveni_pobocky"), jednou([&](QWidget* w) {
            auto* n = okno(w);
            QVERIFY(n->findChild<QRadioButton*>("optb_1")->isChecked());
            QCOMPARE(n->findChild<QLineEdit*>("Datum_ke_dni")->text(), QStringLiteral("2024-06-01"));
            QCOMPARE(n->findChild<QLineEdit*>("textb_cas")->text(), QStringLiteral("10:00:00"));
            QVERIFY(!n->findChild<QPushButton*>("cb_Nastav")->isEnabled());
            QVERIFY(n->tv_1()->isExpanded(n->seznam().koren()));
            const QAbstractItemModel* m = n->tv_1()->model();
            for (int i = 0; i < m->rowCount(n->seznam().koren()); ++i)
                koren << m->index(i, 0, n->seznam().koren()).data().toString();
            // An earlier moment shows the directory of then after "Načti".
            n->findChild<QLineEdit*>("Datum_ke_dni")->setText(QStringLiteral("2021-06-01"));
            QVERIFY(n->findChild<QPushButton*>("cb_Nastav")->isEnabled());
            klikni(n, "cb_Nastav");
            QVERIFY(vyber(n, {"Alfa", "Obchod", "Novák Jan", "200"}).isValid());
            QCOMPARE(n->findChild<QLabel*>("l_vetev_stromu")->text(),
                     QStringLiteral("\\\\Ústředna\\Alfa\\Obchod\\Novák Jan\\200"));
            // The view switch rebuilds as of now and reopens the path.
            n->findChild<QRadioButton*>("optb_2")->click();
            QCOMPARE(n->findChild<QLineEdit*>("Datum_ke_dni")->text(), QStringLiteral("2024-06-01"));
            QVERIFY(n->tv_1()->isExpanded(najdiUzel(n->seznam().strom(), {"Ústředna", "Alfa", "Obchod"})));
            QVERIFY(najdiUzel(n->seznam().strom(), {"Ústředna", "Alfa", "Obchod", "200", "Svoboda Petr"}).isValid());
            klikni(n, "cb_Cancel");
        }));
        Nastaveni_pobocky w;
        QVERIFY(!w.Create(nullptr));
        QCOMPARE(o.pocet(QStringLiteral("Nastaveni_pobocky")), 1);
        QCOMPARE(koren, QStringList({"Alfa", "Beta", "205"}));
        QVERIFY(o.zpravy.isEmpty());  // unchanged: no question
        QCOMPARE(ulozenaVarianta(), QStringLiteral("2"));
    }

    void newFirmKeptByUlozAndDroppedByNo()
    {
        for (const bool ulozit : {true, false}) {
            Ovladac o;
            o.pri(QStringLiteral("Z_Oprava_firmy"), [](QWidget* d) {
                QVERIFY(d->findChild<QLineEdit*>("T_Nazev")->text().isEmpty());
                napis(d, "T_Nazev", QStringLiteral("Gama"));
                klikni(d, "cb_OK");
            });
            o.pri(QStringLiteral("Nastaveni_pobocky"), jednou([&](QWidget* w) {
                auto* n = okno(w);
                vyber(n, {});  // the exchange
                polozkaMenu(n, "p_root", QStringLiteral("Vložení firmy"))->trigger();
                QVERIFY(najdiUzel(n->seznam().strom(), {"Ústředna", "Gama"}).isValid());
                if (ulozit) {
                    klikni(n, "cb_OK");
                } else {
                    o.odpovidej({ResultNo});
                    klikni(n, "cb_Cancel");
                }
            }));
            Nastaveni_pobocky w;
            QCOMPARE(w.Create(nullptr), ulozit);
            QCOMPARE(o.zpravy, ulozit ? QStringList() : QStringList({"V datech byly provedeny změny|Chcete změny uložit"}));
            QCOMPARE(Transaction::main().scalar(QStringLiteral("SELECT count(*) FROM dba.ciselnik_firem WHERE nazev_firmy = 'Gama'")),
                     ulozit ? QStringLiteral("1") : QStringLiteral("0"));
            QVERIFY(Transaction::main().exec(QStringLiteral("DELETE FROM dba.ciselnik_firem WHERE nazev_firmy = 'Gama'")));
            QVERIFY(Transaction::main().commit());
        }
    }

    void lineDialogChecksAndEndsOtherDepartments()
    {
        Ovladac o;
        int krok = 0;
        o.pri(QStringLiteral("Z_Prirazeni_linky"), [&](QWidget* d) {
            ++krok;
            auto* c = d->findChild<QComboBox*>("combo_1");
            c->setEditText(QString());
            klikni(d, "cb_OK");  // refused: no number
            QVERIFY(d->isVisible());
            for (const char* spatne : {"abc", "12a", "0", "9999"}) { // refused: digits only, not 0 or 9999
                c->setEditText(QString::fromLatin1(spatne));
                klikni(d, "cb_OK");
                QVERIFY(d->isVisible());
            }
            c->setEditText(QStringLiteral("202"));
            napis(d, "textb_datum2", QStringLiteral("2020-01-01"));
            klikni(d, "cb_OK");  // refused: the end before the start
            QVERIFY(d->isVisible());
            napis(d, "textb_datum2", QStringLiteral("9999-12-31"));
            o.odpovidej({ResultYes});
            klikni(d, "cb_OK");
        });
        o.pri(QStringLiteral("Nastaveni_pobocky"), jednou([&](QWidget* w) {
            auto* n = okno(w);
            vyber(n, {"Beta", "Výroba", "Dvořák Karel"});
            polozkaMenu(n, "p_osoba", QStringLiteral("Přiřazení linky"))->trigger();
            QVERIFY(najdiUzel(n->seznam().strom(), {"Ústředna", "Beta", "Výroba", "Dvořák Karel", "202"}).isValid());
            klikni(n, "cb_OK");
        }));
        Nastaveni_pobocky w;
        QVERIFY(w.Create(nullptr));
        QCOMPARE(krok, 1);
        const QString cislice =
            QStringLiteral("Opravte platnost|Číslo linky smí obsahovat jen číslice a nesmí být 0 ani 9999.");
        QCOMPARE(o.zpravy,
                 QStringList({"Opravte platnost|Zadejte číslo linky.", cislice, cislice, cislice, cislice,
                              "Opravte platnost|Konec platnosti nesmí předcházet jejímu počátku.",
                              "Linka je již přidělena jinému oddělení |Předchozí připojení se zruší"}));
        QCOMPARE(radkyPobocky(QStringLiteral("202")),
                 QStringList({"2020-01-01 00:00:00|2024-06-01 10:00:00|5|0|0", "2024-06-01 10:00:00|9999-12-31 23:59:59|6|60|9"}));
    }

    void endingAnExtensionAsksForTheMomentAndFillsThePool()
    {
        Ovladac o;
        QStringList platnost;
        o.pri(QStringLiteral("Z_Prirazeni_linky"), [&](QWidget* d) {
            platnost << d->windowTitle() << d->findChild<QComboBox*>("combo_1")->currentText()
                     << d->findChild<QLineEdit*>("textb_datum1")->text() << d->findChild<QLineEdit*>("textb_cas1")->text()
                     << QString::number(d->findChild<QPushButton*>("cb_OK")->isEnabled());
            d->findChild<QPushButton*>("cb_Cancel")->click();
        });
        o.pri(QStringLiteral("Z_Zruseni_polozky_firma_oddeleni_osoba"), [](QWidget* d) {
            napis(d, "textb_1", QStringLiteral("2024-05-01"));
            napis(d, "textb_2", QStringLiteral("08:00:00"));
            klikni(d, "cb_1");
        });
        o.pri(QStringLiteral("Nastaveni_pobocky"), jednou([&](QWidget* w) {
            auto* n = okno(w);
            vyber(n, {"Alfa", "Obchod", "Svoboda Petr", "200"});
            polozkaMenu(n, "p_pobocka", QStringLiteral("Ukonči platnost"))->trigger();
            QCOMPARE(n->tv_2()->model()->rowCount(), 3);
            QVERIFY(!najdiUzel(n->seznam().strom(), {"Ústředna", "Alfa", "Obchod", "Svoboda Petr", "200"}).isValid());
            // The pool's "&Ukaž platnost" shows the line's validity, nothing to change.
            n->tv_2()->setFocus();
            n->tv_2()->setCurrentIndex(n->tv_2()->model()->index(2, 0));
            polozkaMenu(n, "popup_neprirazena_polozka", QStringLiteral("&Ukaž platnost"))->trigger();
            klikni(n, "cb_OK");
        }));
        Nastaveni_pobocky w;
        QVERIFY(w.Create(nullptr));
        QCOMPARE(radkyPobocky(QStringLiteral("200")).last(), QStringLiteral("2024-05-01 08:00:00|9999-12-31 23:59:59|9999|9999|9999"));
        QCOMPARE(o.pocet(QStringLiteral("Z_Prirazeni_linky")), 1);
        QCOMPARE(platnost, QStringList({"Linka je přiřazena", "200", "2024-05-01", "08:00:00", "0"}));
    }

    void callReportsOpenTheViewerWithTheNodesKey()
    {
        Ovladac o;
        FDX_Zakladni_okno pozadavek;
        bool zakazano = false;
        o.pri(QStringLiteral("Nastaveni_pobocky"), jednou([&](QWidget* w) {
            auto* n = okno(w);
            zakazano = !polozkaMenu(n, "p_pobocka", QStringLiteral("Zobraz hovory za pobočku"))->isEnabled();
            klikni(n, "cb_Cancel");
        }));
        {
            Nastaveni_pobocky w;
            w.Create(nullptr);
        }
        QVERIFY(zakazano);
        PrikazyMenu::instance().registrujSestavy([&](QWidget*, FDX_Zakladni_okno* r) { pozadavek = *r; });
        o.pri(QStringLiteral("Nastaveni_pobocky"), jednou([&](QWidget* w) {
            auto* n = okno(w);
            vyber(n, {"Alfa", "Obchod", "Svoboda Petr", "200"});
            QAction* a = polozkaMenu(n, "p_pobocka", QStringLiteral("Zobraz hovory za pobočku"));
            QVERIFY(a->isEnabled());
            a->trigger();
            klikni(n, "cb_Cancel");
        }));
        Nastaveni_pobocky w;
        w.Create(nullptr);
        QCOMPARE(pozadavek.objekt_sestavy, QStringLiteral("tarif_hovory_za_pobocku"));
        QCOMPARE(pozadavek.argument[0].toString(), QStringLiteral("RRRR-MM-DD hh:mm:ss"));
        QCOMPARE(pozadavek.argument[2].typeId(), QMetaType::Int);
        QCOMPARE(pozadavek.argument[2].toInt(), 200);
        PrikazyMenu::instance().vymaz();
    }

    void detailViewNamesTheHolders()
    {
        Ovladac o;
        QStringList texty;
        o.pri(QStringLiteral("P_Udaje_o_osobe"), [&](QWidget* d) {
            for (const char* l : {"label_11", "label_5", "label_7", "label_8", "label_9", "label_10"})
                texty << d->findChild<QLabel*>(l)->text();
            klikni(d, "cb_1");
        });
        FDX_udaje_o_osobe r{QStringLiteral("2020-01-01 00:00:00.000"), QStringLiteral("2023-06-30 12:00:00"),
                            QStringLiteral("200"), QStringLiteral("5"), QStringLiteral("50"), QStringLiteral("7")};
        P_Udaje_o_osobe d;
        d.Create(nullptr, &r);
        QCOMPARE(texty, QStringList({"200", "2020-01-01 00:00:00", "2023-06-30 12:00:00", "Alfa", "Obchod", "Novák Jan"}));
        texty.clear();
        r.ID_firmy = r.ID_oddeleni = r.ID_osoby = QStringLiteral("9999");
        d.Create(nullptr, &r);
        QCOMPARE(texty.mid(3), QStringList({"", "", ""}));
    }
};

QTEST_MAIN(TstNastaveniPobocky)
#include "tst_nastaveni_pobocky.moc"
