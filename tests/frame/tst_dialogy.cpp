// The site dialog with its zone links, the password change, the year picker,
// the cache size and the login.
#include "common/konfigurace.h"
#include "frame/forms/f_prihlaseni.h"
#include "frame/forms/f_pristupove_heslo.h"
#include "frame/forms/rezervovana_pamet_odbc.h"
#include "frame/forms/zadej_rok.h"
#include "tariffing/forms/nastaveni_mista.h"
#include "ovladac.h"
#include "platform/database.h"
#include "platform/registry.h"
#include "test_env.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace kavro;
using test::vyber;

namespace {

const QString kBase = QStringLiteral("Software\\Dorvek\\Kavro\\");
const QString kOdbc = QStringLiteral("SOFTWARE\\ODBC\\ODBC.INI\\KAVRO");

template <class T> T* najdi(QWidget* d, const char* jmeno)
{
    T* w = d->findChild<T*>(jmeno);
    if (!w) qFatal("no control %s", jmeno);
    return w;
}

QString sql(const QString& s, const QVariantList& p = {})
{
    return Transaction::main().scalar(s, p);
}

QString pasmo(const QString& stat, const QString& mesto)
{
    return sql("SELECT id_pasma FROM dba.ciselnik_mest WHERE kod_statu = ? and kod_mesta = ?", {stat, mesto});
}

// The zones of the Czech cities `mesta`, joined by blanks.
QString pasma(const QStringList& mesta)
{
    QStringList z;
    for (const QString& m : mesta) z << pasmo("420", m);
    return z.join(' ');
}

// The zones of the self-links of areas 19 and 2.
QString vlastniVazby()
{
    const QString s = "SELECT id_pasma FROM dba.vazba_tto_tto WHERE volajici_tto = ? and volane_tto = ?";
    return sql(s, {19, 19}) + " " + sql(s, {2, 2});
}

// A small directory of our own: two areas with links, a city without an area,
// a city of an area without a link, a foreign city in zone 1 and a state without cities.
// The city without an area keeps '' in the file; a server keeps no text in a number column.
bool adresar()
{
    Transaction& t = Transaction::main();
    const QString bezOblasti = t.isServer() ? "NULL" : "''";
    return t.exec("DELETE FROM dba.ciselnik_mest") && t.exec("DELETE FROM dba.vazba_tto_tto")
        && t.exec("DELETE FROM dba.ciselnik_statu")
        && t.exec("INSERT INTO dba.ciselnik_statu (kod_statu, nazev_statu, id_pasma) VALUES "
                  "('420', 'Česko', 4), ('421', 'Slovensko', 20), ('999', 'Atlantida', 9999)")
        && t.exec("INSERT INTO dba.ciselnik_mest (kod_statu, kod_mesta, nazev_mesta, id_pasma, Cislo_TTO) VALUES "
                  "('420', '2', 'Praha', 7, 2), ('420', '312', 'Kladno', 7, 2), "
                  "('420', '19', 'Plzeň', 7, 19), ('420', '186', 'Klatovy', 7, 19), "
                  "('420', '55', 'Bez oblasti', 7, "
                  + bezOblasti
                  + "), ('420', '77', 'Bez vazby', 7, 77), "
                    "('420', '88', 'Přidané z hovorů', 7, 9999), ('421', '7', 'Bratislava', 1, NULL)")
        && t.exec("INSERT INTO dba.vazba_tto_tto (volajici_tto, volane_tto, id_pasma) VALUES "
                  "(2, 2, 1), (2, 19, 3), (19, 19, 2), (19, 2, 3)")
        && t.commit();
}

} // namespace

class TestDialogy : public QObject {
    Q_OBJECT

private slots:
    void siteSavedOnceWithZoneLinks()
    {
        test::TestEnv env;
        QVERIFY2(env.ok() && adresar(), qPrintable(env.error()));
        test::Ovladac o;
        Nastaveni_mista d;
        QVERIFY(o.ukaz(d, [](QWidget* w) {
            // A state without cities offers none and cannot be saved.
            vyber(w, "combo_stat", "Atlantida");
            QCOMPARE(najdi<QComboBox>(w, "combo_mesto")->count(), 0);
            najdi<QPushButton>(w, "cb_OK")->click();
            vyber(w, "combo_stat", "Česko");
            QVERIFY(!najdi<QPushButton>(w, "cb_OK")->isEnabled());
            vyber(w, "combo_mesto", "Plzeň");
            QTest::keyClicks(najdi<QLineEdit>(w, "textb__mezistatni_predvolba"), "0x0");
            QTest::keyClicks(najdi<QLineEdit>(w, "textb__mezimestska_predvolba"), "0");
            najdi<QPushButton>(w, "cb_OK")->click();
        }));
        QVERIFY(o.zpravy.isEmpty());
        // Committed: a rollback keeps it.
        QVERIFY(Transaction::main().rollback());
        QCOMPARE(sql("SELECT count(*) FROM dba.konfigurace_mista"), QString("1"));
        QCOMPARE(sql("SELECT mezistatni_predvolba || '/' || mezimestska_predvolba || '/' || kod_statu || '/' || "
                     "kod_mesta || '/' || ID_mista FROM dba.konfigurace_mista"),
                 QString("00/0/420/19/Výchozí"));
        // Home area 19: its own link is zone 1, every other self-link zone 2.
        QCOMPARE(vlastniVazby(), QString("1 2"));
        // Plzeň, coded like the home area, is in zone 1, the rest of its area (Klatovy) in 2, the linked area
        // in 3; an area without a link gets its own number, a city without an area stays unassigned.
        QCOMPARE(pasma({"19", "186", "2", "312", "77", "88", "55"}), QString("1 2 3 3 77 9999 9999"));
        QCOMPARE(pasmo("421", "7"), QString("2"));  // a foreign city leaves zone 1

        // Saving again with another home area: the stored site is offered, one row, and the links follow.
        QVERIFY(o.ukaz(d, [](QWidget* w) {
            vyber(w, "combo_mesto", "Praha");
            najdi<QPushButton>(w, "cb_OK")->click();
        }));
        QCOMPARE(sql("SELECT List(mezistatni_predvolba || '/' || kod_statu || '/' || kod_mesta) "
                     "FROM dba.konfigurace_mista"),
                 QString("00/420/2"));
        QCOMPARE(vlastniVazby(), QString("2 1"));
        QCOMPARE(pasma({"2", "312", "19"}), QString("1 2 3"));
        // The same save again changes nothing.
        const QString pred = sql("SELECT List(kod_mesta || ':' || id_pasma) FROM dba.ciselnik_mest");
        QVERIFY(uloz_misto(Transaction::main(), {"00", "0", "420", "2"}));
        QCOMPARE(sql("SELECT List(kod_mesta || ':' || id_pasma) FROM dba.ciselnik_mest"), pred);
    }

    void theFirstCityCanBeChosenAndLeavingKeepsIt()
    {
        test::TestEnv env;
        QVERIFY(env.ok() && adresar());
        test::Ovladac o;
        Nastaveni_mista d;
        QVERIFY(o.ukaz(d, [](QWidget* w) {
            vyber(w, "combo_stat", "Česko");
            QCOMPARE(najdi<QComboBox>(w, "combo_mesto")->itemText(0), QString("Bez oblasti"));
            vyber(w, "combo_mesto", "Bez oblasti");
            // An empty prefix is refused, each with its message, and the dialog stays open.
            najdi<QPushButton>(w, "cb_OK")->click();
            QVERIFY(w->isVisible());
            najdi<QLineEdit>(w, "textb__mezistatni_predvolba")->setText("00");
            najdi<QPushButton>(w, "cb_OK")->click();
            QVERIFY(w->isVisible());
            najdi<QLineEdit>(w, "textb__mezimestska_predvolba")->setText("0");
            najdi<QPushButton>(w, "cb_OK")->click();
        }));
        QCOMPARE(o.zpravy,
                 QStringList({"Konfigurace místa ústředny|Mezistátní předvolba nesmí být prázdná.",
                              "Konfigurace místa ústředny|Meziměstská předvolba nesmí být prázdná."}));
        o.zpravy.clear();
        QVERIFY(Transaction::main().exec("UPDATE dba.ciselnik_statu SET nazev_statu = 'Změna' WHERE kod_statu = '421'"));
        QVERIFY(!o.ukaz(d, [](QWidget* w) {
            najdi<QLineEdit>(w, "textb__mezistatni_predvolba")->setText("99");
            vyber(w, "combo_mesto", "Kladno");
            najdi<QPushButton>(w, "cb_Cancel")->click();
        }));
        // The "99" of the left dialog is not kept.
        QCOMPARE(sql("SELECT mezistatni_predvolba || '/' || kod_statu || '/' || kod_mesta FROM dba.konfigurace_mista"),
                 QString("00/420/55"));
        // Leaving rolled the shared transaction back.
        QCOMPARE(sql("SELECT nazev_statu FROM dba.ciselnik_statu WHERE kod_statu = '421'"), QString("Slovensko"));
    }

    void passwordChange()
    {
        test::TestEnv env(false);
        konfiguracni_hodnoty k(kBase, "Sberac");
        konfigurace = &k;
        Registry& reg = Registry::instance();
        reg.write(kBase, "PWD1", "stare");
        F_Pristupove_Heslo d;
        test::Ovladac o;
        QList<bool> stavy;
        auto pis = [&](QWidget* w, const char* box, const char* text) {
            QTest::keyClicks(najdi<QLineEdit>(w, box), text);
            stavy << najdi<QPushButton>(w, "cb_1")->isEnabled();
        };
        // OK only with the right current password and both new boxes alike (both empty too).
        d.Cislo_hesla = 1;
        QVERIFY(o.ukaz(d, [&](QWidget* w) {
            pis(w, "textb_1", "");
            pis(w, "textb_1", "stare");
            pis(w, "textb_2", "nove");
            pis(w, "textb_3", "nov");
            pis(w, "textb_3", "e");
            QTest::keyClick(najdi<QLineEdit>(w, "textb_3"), Qt::Key_Return);
        }));
        QCOMPARE(stavy, (QList<bool>{false, true, false, false, true}));
        QCOMPARE(reg.read(kBase, "PWD1"), QString("nove"));

        // Number 3 with nothing stored: an empty current password passes (the boxes start empty again).
        stavy.clear();
        d.Cislo_hesla = 3;
        QVERIFY(o.ukaz(d, [&](QWidget* w) {
            pis(w, "textb_1", "");
            pis(w, "textb_2", "c");
            pis(w, "textb_3", "c");
            najdi<QPushButton>(w, "cb_1")->click();
        }));
        QCOMPARE(stavy, (QList<bool>{false, false, true}));
        QCOMPARE(reg.read(kBase, "PWD3"), QString("c"));

        // Leaving writes nothing, though OK was offered.
        d.Cislo_hesla = 2;
        QVERIFY(!o.ukaz(d, [&](QWidget* w) {
            pis(w, "textb_2", "x");
            pis(w, "textb_3", "x");
            QTest::keyClick(w, Qt::Key_Escape);
        }));
        QVERIFY(stavy.last());
        QVERIFY(!reg.contains(kBase, "PWD2"));
        konfigurace = nullptr;
    }

    void yearPicker()
    {
        Zadej_rok d;
        test::Ovladac o;
        QVERIFY(o.ukaz(d, [](QWidget* w) { najdi<QPushButton>(w, "cb_1")->click(); }));
        QCOMPARE(d.rok, QString("1998"));
        // Letters are not taken.
        QVERIFY(o.ukaz(d, [](QWidget* w) {
            najdi<QLineEdit>(w, "textb_1")->clear();
            QTest::keyClicks(najdi<QLineEdit>(w, "textb_1"), "20a24");
            QTest::keyClick(najdi<QLineEdit>(w, "textb_1"), Qt::Key_Return);
        }));
        QCOMPARE(d.rok, QString("2024"));
        // An empty year chooses nothing.
        QVERIFY(!o.ukaz(d, [](QWidget* w) {
            najdi<QLineEdit>(w, "textb_1")->clear();
            najdi<QPushButton>(w, "cb_1")->click();
        }));
        QVERIFY(!d.vybrano);
    }

    void cacheSize()
    {
        test::TestEnv env(false);
        Registry& reg = Registry::instance();
        reg.write(kOdbc, "start", "dbeng -c 16M -x tcpip");
        rezervovana_pamet_odbc d;
        test::Ovladac o;
        QString ukazano;
        QVERIFY(o.ukaz(d, [&](QWidget* w) {
            auto* t = najdi<QLineEdit>(w, "textb_1");
            ukazano = t->text();
            t->clear();
            QVERIFY(!najdi<QPushButton>(w, "cb_1")->isEnabled());
            QTest::keyClicks(t, "3x2");
            najdi<QPushButton>(w, "cb_1")->click();
        }));
        QCOMPARE(ukazano, QString("16"));
        QCOMPARE(reg.read(kOdbc, "start"), QString("dbeng -c 32M -x tcpip"));
        // A size out of range is refused with a message and writes nothing.
        o.zpravy.clear();
        QVERIFY(!o.ukaz(d, [](QWidget* w) {
            najdi<QLineEdit>(w, "textb_1")->setText("0");
            najdi<QPushButton>(w, "cb_1")->click();
            QVERIFY(w->isVisible());
            QTest::keyClick(w, Qt::Key_Escape);
        }));
        QCOMPARE(o.zpravy.size(), 1);
        QVERIFY(o.zpravy.value(0).contains("od 1 do 65536 MB"));
        QCOMPARE(reg.read(kOdbc, "start"), QString("dbeng -c 32M -x tcpip"));
        // Leaving writes nothing.
        QVERIFY(!o.ukaz(d, [](QWidget* w) {
            najdi<QLineEdit>(w, "textb_1")->setText("64");
            QTest::keyClick(w, Qt::Key_Escape);
        }));
        QCOMPARE(reg.read(kOdbc, "start"), QString("dbeng -c 32M -x tcpip"));
    }

    void login()
    {
        test::TestEnv env(false);
        konfiguracni_hodnoty k(kBase, "Sberac");
        konfigurace = &k;
        Registry& reg = Registry::instance();
        F_Prihlaseni d;
        test::Ovladac o;
        // Left: nothing kept, nothing written.
        QVERIFY(!o.ukaz(d, [](QWidget* w) {
            QTest::keyClicks(najdi<QLineEdit>(w, "textb_2"), "heslo");
            QTest::keyClick(w, Qt::Key_Escape);
        }));
        QCOMPARE(d.Zadane_heslo, QString());
        QVERIFY(!reg.contains(kBase, "Posledni_prihlaseny"));
        // Enter in the password box logs in; with no user stored an empty name is written.
        QVERIFY(o.ukaz(d, [](QWidget* w) {
            QTest::keyClicks(najdi<QLineEdit>(w, "textb_2"), "heslo");
            QTest::keyClick(najdi<QLineEdit>(w, "textb_2"), Qt::Key_Return);
        }));
        QCOMPARE(d.Zadane_heslo, QString("heslo"));
        QVERIFY(reg.contains(kBase, "Posledni_prihlaseny"));
        QCOMPARE(reg.read(kBase, "Posledni_prihlaseny"), QString());
        // A stored user is shown and written back unchanged.
        reg.write(kBase, "Posledni_prihlaseny", "novak");
        QVERIFY(o.ukaz(d, [](QWidget* w) {
            QCOMPARE(najdi<QLineEdit>(w, "textb_1")->text(), QString("novak"));
            najdi<QPushButton>(w, "cb_1")->click();
        }));
        QCOMPARE(d.Prihlaseny_uzivatel, QString("novak"));
        QCOMPARE(reg.read(kBase, "Posledni_prihlaseny"), QString("novak"));
        konfigurace = nullptr;
    }
};

QTEST_MAIN(TestDialogy)
#include "tst_dialogy.moc"
