// The impulse price list and its dialog, driven as a user drives them.
#include "tariff_tables/forms/nastaveni_cena_impulsu.h"
#include "tariff_tables/forms/z_cena_impulsu.h"

#include "common/forms/date_box.h"
#include "ovladac.h"
#include "platform/database.h"
#include "test_env.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>
#include <memory>

using namespace kavro;

class TestCenyImpulsu : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TestEnv> env;
    Transaction& t() { return Transaction::main(); }
    QString ulozeno()
    {
        Query q(t(), "SELECT pocatek_platnosti, konec_platnosti, cena_impulsu FROM dba.cena_impulsu "
                     "ORDER BY pocatek_platnosti, typ_ceny");
        QStringList out;
        for (bool ok = q.run(); ok && !q.atEnd(); q.next()) out << q.value(1) + ".." + q.value(2) + "=" + q.value(3);
        return out.join(' ');
    }
    static void napis(QWidget* w, const char* box, const QString& text)
    {
        auto* b = w->findChild<QLineEdit*>(box);
        QVERIFY(b);
        b->setFocus();
        b->selectAll();
        QTest::keyClicks(b, text);
    }
    static QPushButton* tlacitko(QWidget* w, const char* jmeno) { return w->findChild<QPushButton*>(jmeno); }

private slots:
    void init()
    {
        env = std::make_unique<test::TestEnv>();
        QVERIFY2(env->ok(), qPrintable(env->error()));
    }
    void cleanup() { env.reset(); }

    // "Ulož" is offered only for real dates in order and a price above 0,
    // whichever box changed last; the price box takes digits only.
    void saveIsOfferedOnlyForAValidPrice()
    {
        test::Ovladac o;
        Z_Cena_impulsu d;
        FDX_Cena_impulsu r{"x", "y", "z", false, true};
        o.pri("Z_Cena_impulsu", [](QWidget* w) {
            QPushButton* ok = tlacitko(w, "cb_OK");
            QVERIFY(!ok->isEnabled());  // a new price opens with empty boxes
            napis(w, "textb_1", "2001-01-01");
            napis(w, "textb_2", "2001-01-01");
            napis(w, "textb_3", "1a5");
            QCOMPARE(w->findChild<QLineEdit*>("textb_3")->text(), QStringLiteral("15"));
            QVERIFY(!ok->isEnabled());  // equal days
            napis(w, "textb_2", "2000-12-31");
            QVERIFY(!ok->isEnabled());
            napis(w, "textb_3", "00");
            napis(w, "textb_2", "2001-12-31");
            QVERIFY(!ok->isEnabled());  // the price is still 0
            napis(w, "textb_3", "007");
            QVERIFY(ok->isEnabled());
            napis(w, "textb_1", "31.2.2001");
            QVERIFY(!ok->isEnabled());  // not a date until it is normalised
            w->findChild<DateBox*>("textb_1")->normalise();  // as leaving the box does
            QCOMPARE(w->findChild<QLineEdit*>("textb_1")->text(), QStringLiteral("2001-02-28"));
            QVERIFY(ok->isEnabled());
            ok->click();
        });
        QVERIFY(d.Create(nullptr, &r));
        QVERIFY(r.OK);
        QCOMPARE(r.Platnost_od + r.Platnost_do + r.Cena, QStringLiteral("2001-02-282001-12-317"));

        // "Opusť", Esc and the close box leave the record as it was.
        for (int zpusob = 0; zpusob < 3; ++zpusob) {
            FDX_Cena_impulsu z{"2001-01-01", "2001-12-31", "5", false, false};
            o.pri("Z_Cena_impulsu", [zpusob](QWidget* w) {
                QCOMPARE(w->findChild<QLineEdit*>("textb_3")->text(), QStringLiteral("5"));
                napis(w, "textb_3", "9");
                if (zpusob == 0) tlacitko(w, "cb_Cancel")->click();
                else if (zpusob == 1) QTest::keyClick(w, Qt::Key_Escape);
                else w->close();
            });
            QVERIFY(!d.Create(nullptr, &z));
            QVERIFY(!z.OK);
            QCOMPARE(z.Cena, QStringLiteral("5"));
        }
    }

    // A new price and a change go into the table at once and the list shows
    // the chain as stored; the close box keeps them like "&Opusť".
    void pricesAreStoredAndKeptByEveryWayOut()
    {
        QVERIFY(t().exec("INSERT INTO dba.cena_impulsu (Pocatek_platnosti, Konec_platnosti, Cena_Impulsu, Typ_ceny) "
                         "VALUES ('2000-01-01', '9999-12-31', 100, 'A'), ('2000-01-01', '9999-12-31', 1, 'B')"));
        QVERIFY(t().commit());
        test::Ovladac o;
        Nastaveni_cena_impulsu okno;
        int dialogy = 0;
        o.pri("Z_Cena_impulsu", [&](QWidget* w) {
            ++dialogy;
            if (dialogy == 1) {
                napis(w, "textb_1", "2001-01-01");
                napis(w, "textb_2", "9999-12-31");
                napis(w, "textb_3", "120");
            } else {
                QCOMPARE(w->findChild<QLineEdit*>("textb_1")->text(), QStringLiteral("2000-01-01"));
                napis(w, "textb_3", "90");
            }
            tlacitko(w, "cb_OK")->click();
        });
        // The script runs from the window's own event loop, so that the
        // dialogs it opens are answered too.
        o.ukaz(okno, [&](QWidget* w) { QTimer::singleShot(0, w, [&, w] {
            auto* tv = w->findChild<QTreeWidget*>("tv_1");
            QCOMPARE(tv->topLevelItemCount(), 1);
            // An action on nothing selected does nothing.
            tv->setCurrentItem(nullptr);
            okno.Popup_menu(2);
            QCOMPARE(dialogy, 0);
            okno.Popup_menu(1);
            QCOMPARE(tv->topLevelItemCount(), 2);
            QCOMPARE(tv->topLevelItem(0)->text(0), QStringLiteral("     2000-01-01  2000-12-31  100     "));
            tv->setCurrentItem(tv->topLevelItem(0));
            okno.Popup_menu(2);
            QCOMPARE(tv->topLevelItem(0)->text(0), QStringLiteral("     2000-01-01  2000-12-31  90     "));
            w->close();
        }); });
        QCOMPARE(dialogy, 2);
        t().rollback();
        QCOMPARE(ulozeno(), QStringLiteral("2000-01-01..2000-12-31=90 2000-01-01..9999-12-31=1 2001-01-01..9999-12-31=120"));
    }
};

QTEST_MAIN(TestCenyImpulsu)
#include "tst_ceny_impulsu.moc"
