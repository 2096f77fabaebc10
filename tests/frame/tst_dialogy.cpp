// The site dialog with its zone links, the password change, the year picker,
// the cache size and the login.
#include "common/konfigurace.h"
#include "frame/forms/f_prihlaseni.h"
#include "frame/forms/f_pristupove_heslo.h"
#include "frame/forms/rezervovana_pamet_odbc.h"
#include "frame/forms/zadej_rok.h"
#include "import/forms/nastaveni_mista.h"
#include "ovladac.h"
#include "platform/database.h"
#include "platform/forms/message_box.h"
#include "platform/registry.h"
#include "test_env.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace kavro;

namespace {

const QString kBase = QStringLiteral("Software\\Dorvek\\Kavro\\");
const QString kOdbc = QStringLiteral("SOFTWARE\\ODBC\\ODBC.INI\\KAVRO");

template <class T> T* najdi(QWidget* d, const char* jmeno)
{
    T* w = d->findChild<T*>(jmeno);
    if (!w) qFatal("no control %s", jmeno);
    return w;
}

void vyber(QWidget* d, const char* combo, const QString& text)
{
    auto* c = najdi<QComboBox>(d, combo);
    const int i = c->findText(text);
    QVERIFY2(i >= 0, qPrintable(text));
    c->setCurrentIndex(i);
    emit c->activated(i);
}

QString sql(const QString& s, const QVariantList& p = {})
{
    return Transaction::main().scalar(s, p);
}

QString pasmo(const QString& stat, const QString& mesto)
{
    return sql("SELECT id_pasma FROM dba.ciselnik_mest WHERE kod_statu = ? and kod_mesta = ?", {stat, mesto});
}

// A small directory of our own: two areas with links, a city without an area,
// a city of an area without a link, a foreign city in zone 1 and a state without cities.
void adresar()
{
    Transaction& t = Transaction::main();
    QVERIFY(t.exec("DELETE FROM dba.ciselnik_mest"));
    QVERIFY(t.exec("DELETE FROM dba.vazba_tto_tto"));
    QVERIFY(t.exec("DELETE FROM dba.ciselnik_statu"));
    QVERIFY(t.exec("INSERT INTO dba.ciselnik_statu (kod_statu, nazev_statu, id_pasma) VALUES "
                   "('420', 'Česko', 4), ('421', 'Slovensko', 20), ('999', 'Atlantida', 9999)"));
    QVERIFY(t.exec("INSERT INTO dba.ciselnik_mest (kod_statu, kod_mesta, nazev_mesta, id_pasma, Cislo_TTO) VALUES "
                   "('420', '2', 'Praha', 7, 2), ('420', '312', 'Kladno', 7, 2), "
                   "('420', '19', 'Plzeň', 7, 19), ('420', '186', 'Klatovy', 7, 19), "
                   "('420', '55', 'Bez oblasti', 7, ''), ('420', '77', 'Bez vazby', 7, 77), "
                   "('420', '88', 'Přidané z hovorů', 7, 9999), ('421', '7', 'Bratislava', 1, NULL)"));
    QVERIFY(t.exec("INSERT INTO dba.vazba_tto_tto (volajici_tto, volane_tto, id_pasma) VALUES "
                   "(2, 2, 1), (2, 19, 3), (19, 19, 2), (19, 2, 3)"));
    QVERIFY(t.commit());
}

} // namespace

class TestDialogy : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_zpravy.clear();
        setMessageAnswerer([this](const MessageRequest& r) {
            m_zpravy << r.caption + "|" + r.text;
            return int(ResultOk);
        });
    }
    void cleanup() { setMessageAnswerer({}); }

    void siteSavedOnceWithZoneLinks()
    {
        test::TestEnv env;
        QVERIFY2(env.ok(), qPrintable(env.error()));
        adresar();
        test::Ovladac o;
        bool zapnuto_na_zacatku = true;
        int mest = -1;
        o.pri("Nastaveni_mista", [&](QWidget* d) {
            zapnuto_na_zacatku = najdi<QPushButton>(d, "cb_OK")->isEnabled();
            QCOMPARE(najdi<QComboBox>(d, "combo_stat")->currentIndex(), -1);
            vyber(d, "combo_stat", "Česko");
            mest = najdi<QComboBox>(d, "combo_mesto")->count();
            QVERIFY(!najdi<QPushButton>(d, "cb_OK")->isEnabled());
            vyber(d, "combo_mesto", "Plzeň");
            QVERIFY(najdi<QPushButton>(d, "cb_OK")->isEnabled());
            QTest::keyClicks(najdi<QLineEdit>(d, "textb__mezistatni_predvolba"), "0x0");
            QTest::keyClicks(najdi<QLineEdit>(d, "textb__mezimestska_predvolba"), "0");
            najdi<QPushButton>(d, "cb_OK")->click();
        });
        Nastaveni_mista d;
        QVERIFY(d.Create(nullptr));
        QVERIFY(!zapnuto_na_zacatku);
        QCOMPARE(mest, 7);
        QVERIFY(m_zpravy.isEmpty());
        // Committed: a rollback keeps it.
        QVERIFY(Transaction::main().rollback());
        QCOMPARE(sql("SELECT count(*) FROM dba.konfigurace_mista"), QString("1"));
        QCOMPARE(sql("SELECT mezistatni_predvolba || '/' || mezimestska_predvolba || '/' || kod_statu || '/' || "
                     "kod_mesta || '/' || ID_mista FROM dba.konfigurace_mista"),
                 QString("00/0/420/19/Výchozí"));
        // Home area 19: its own link is zone 1, every other self-link zone 2.
        QCOMPARE(sql("SELECT id_pasma FROM dba.vazba_tto_tto WHERE volajici_tto = 19 and volane_tto = 19"), QString("1"));
        QCOMPARE(sql("SELECT id_pasma FROM dba.vazba_tto_tto WHERE volajici_tto = 2 and volane_tto = 2"), QString("2"));
        QCOMPARE(pasmo("420", "19"), QString("1"));   // the city coded like the home area
        QCOMPARE(pasmo("420", "186"), QString("2"));  // the rest of the home area
        QCOMPARE(pasmo("420", "2"), QString("3"));    // the link from the home area
        QCOMPARE(pasmo("420", "312"), QString("3"));
        QCOMPARE(pasmo("420", "77"), QString("77"));  // no link: its own area number
        QCOMPARE(pasmo("420", "88"), QString("9999"));
        QCOMPARE(pasmo("420", "55"), QString("9999")); // no area number: stays unassigned
        QCOMPARE(pasmo("421", "7"), QString("2"));    // a foreign city leaves zone 1

        // Saving again with another home area: one row, and the links follow.
        o.pri("Nastaveni_mista", [&](QWidget* d) {
            QCOMPARE(najdi<QComboBox>(d, "combo_mesto")->currentText(), QString("Plzeň"));
            QCOMPARE(najdi<QLineEdit>(d, "textb__mezistatni_predvolba")->text(), QString("00"));
            QVERIFY(najdi<QPushButton>(d, "cb_OK")->isEnabled());
            vyber(d, "combo_mesto", "Praha");
            najdi<QPushButton>(d, "cb_OK")->click();
        });
        Nastaveni_mista d2;
        QVERIFY(d2.Create(nullptr));
        QCOMPARE(sql("SELECT count(*) FROM dba.konfigurace_mista"), QString("1"));
        QCOMPARE(sql("SELECT kod_mesta FROM dba.konfigurace_mista"), QString("2"));
        QCOMPARE(sql("SELECT id_pasma FROM dba.vazba_tto_tto WHERE volajici_tto = 19 and volane_tto = 19"), QString("2"));
        QCOMPARE(sql("SELECT id_pasma FROM dba.vazba_tto_tto WHERE volajici_tto = 2 and volane_tto = 2"), QString("1"));
        QCOMPARE(pasmo("420", "2"), QString("1"));
        QCOMPARE(pasmo("420", "312"), QString("2"));
        QCOMPARE(pasmo("420", "19"), QString("3"));
        // The same save again changes nothing.
        const QString pred = sql("SELECT List(kod_mesta || ':' || id_pasma) FROM dba.ciselnik_mest");
        QVERIFY(uloz_misto(Transaction::main(), {"00", "0", "420", "2"}));
        QCOMPARE(sql("SELECT List(kod_mesta || ':' || id_pasma) FROM dba.ciselnik_mest"), pred);
    }

    void anyEntryCanBeChosenAndAStateWithoutCitiesIsHarmless()
    {
        test::TestEnv env;
        QVERIFY(env.ok());
        adresar();
        test::Ovladac o;
        o.pri("Nastaveni_mista", [&](QWidget* d) {
            vyber(d, "combo_stat", "Atlantida");
            QCOMPARE(najdi<QComboBox>(d, "combo_mesto")->count(), 0);
            QVERIFY(!najdi<QPushButton>(d, "cb_OK")->isEnabled());
            najdi<QPushButton>(d, "cb_OK")->click();  // does nothing
            // The first entries of both lists (sorted: "Atlantida", "Bez oblasti").
            auto* stat = najdi<QComboBox>(d, "combo_stat");
            stat->setCurrentIndex(1);
            emit stat->activated(1);
            QCOMPARE(stat->currentText(), QString("Česko"));
            auto* mesto = najdi<QComboBox>(d, "combo_mesto");
            QCOMPARE(mesto->itemText(0), QString("Bez oblasti"));
            mesto->setCurrentIndex(0);
            emit mesto->activated(0);
            najdi<QPushButton>(d, "cb_OK")->click();
        });
        Nastaveni_mista d;
        QVERIFY(d.Create(nullptr));
        QCOMPARE(sql("SELECT kod_statu || '/' || kod_mesta FROM dba.konfigurace_mista"), QString("420/55"));
    }

    void leavingKeepsTheStoredSite()
    {
        test::TestEnv env;
        QVERIFY(env.ok());
        adresar();
        QVERIFY(uloz_misto(Transaction::main(), {"00", "0", "420", "19"}));
        QVERIFY(Transaction::main().exec("UPDATE dba.ciselnik_statu SET nazev_statu = 'Změna' WHERE kod_statu = '421'"));
        test::Ovladac o;
        o.pri("Nastaveni_mista", [&](QWidget* d) {
            najdi<QLineEdit>(d, "textb__mezistatni_predvolba")->setText("99");
            vyber(d, "combo_mesto", "Kladno");
            najdi<QPushButton>(d, "cb_Cancel")->click();
        });
        Nastaveni_mista d;
        QVERIFY(!d.Create(nullptr));
        QCOMPARE(sql("SELECT mezistatni_predvolba || '/' || kod_mesta FROM dba.konfigurace_mista"), QString("00/19"));
        // Leaving rolled the shared transaction back.
        QCOMPARE(sql("SELECT nazev_statu FROM dba.ciselnik_statu WHERE kod_statu = '421'"), QString("Slovensko"));
    }

    void passwordChange()
    {
        test::TestEnv env(false);
        konfiguracni_hodnoty k(kBase, "Sberac");
        konfigurace = &k;
        Registry::instance().write(kBase, "PWD1", "stare");
        F_Pristupove_Heslo d;
        test::Ovladac o;
        QList<bool> stavy;
        auto stav = [&](QWidget* w) { stavy << najdi<QPushButton>(w, "cb_1")->isEnabled(); };
        o.pri("F_Pristupove_Heslo", [&](QWidget* w) {
            QCOMPARE(najdi<QLabel>(w, "label_5")->text(), QString("administrátora"));
            QCOMPARE(najdi<QLineEdit>(w, "textb_1")->echoMode(), QLineEdit::Normal);
            QCOMPARE(najdi<QLineEdit>(w, "textb_2")->echoMode(), QLineEdit::Password);
            stav(w);
            QTest::keyClicks(najdi<QLineEdit>(w, "textb_1"), "stare");
            stav(w);  // both new boxes empty and alike
            QTest::keyClicks(najdi<QLineEdit>(w, "textb_2"), "nove");
            stav(w);
            QTest::keyClicks(najdi<QLineEdit>(w, "textb_3"), "nove");
            stav(w);
            QTest::keyClick(najdi<QLineEdit>(w, "textb_3"), Qt::Key_Backspace);
            stav(w);
            QTest::keyClicks(najdi<QLineEdit>(w, "textb_3"), "e");
            stav(w);
            QTest::keyClick(najdi<QLineEdit>(w, "textb_3"), Qt::Key_Return);
        });
        d.Cislo_hesla = 1;
        QVERIFY(d.Create(nullptr));
        QCOMPARE(stavy, (QList<bool>{false, true, false, true, false, true}));
        QCOMPARE(Registry::instance().read(kBase, "PWD1"), QString("nove"));

        // Number 3 with nothing stored: an empty current password passes; boxes start empty.
        stavy.clear();
        o.pri("F_Pristupove_Heslo", [&](QWidget* w) {
            QCOMPARE(najdi<QLabel>(w, "label_5")->text(), QString("prohlížení"));
            QVERIFY(najdi<QLineEdit>(w, "textb_1")->text().isEmpty());
            stav(w);
            QTest::keyClicks(najdi<QLineEdit>(w, "textb_2"), "c");
            QTest::keyClicks(najdi<QLineEdit>(w, "textb_3"), "c");
            stav(w);
            najdi<QPushButton>(w, "cb_1")->click();
        });
        d.Cislo_hesla = 3;
        QVERIFY(d.Create(nullptr));
        QCOMPARE(stavy, (QList<bool>{false, true}));
        QCOMPARE(Registry::instance().read(kBase, "PWD3"), QString("c"));

        // Leaving writes nothing.
        o.pri("F_Pristupove_Heslo", [&](QWidget* w) {
            QTest::keyClicks(najdi<QLineEdit>(w, "textb_2"), "x");
            QTest::keyClicks(najdi<QLineEdit>(w, "textb_3"), "x");
            QTest::keyClick(w, Qt::Key_Escape);
        });
        d.Cislo_hesla = 2;
        QVERIFY(!d.Create(nullptr));
        QVERIFY(!Registry::instance().contains(kBase, "PWD2"));
        konfigurace = nullptr;
    }

    void yearPicker()
    {
        Zadej_rok d;
        test::Ovladac o;
        o.pri("Zadej_rok", [](QWidget* w) { najdi<QPushButton>(w, "cb_1")->click(); });
        QVERIFY(d.Create(nullptr));
        QCOMPARE(d.rok, QString("1998"));
        o.pri("Zadej_rok", [](QWidget* w) {
            auto* t = najdi<QLineEdit>(w, "textb_1");
            QCOMPARE(t->text(), QString("1998"));
            t->clear();
            QTest::keyClicks(t, "20a24");
            QCOMPARE(t->text(), QString("2024"));
            QTest::keyClick(t, Qt::Key_Return);
        });
        QVERIFY(d.Create(nullptr));
        QCOMPARE(d.rok, QString("2024"));
        // Cancelled: not chosen, the earlier year is kept.
        o.pri("Zadej_rok", [](QWidget* w) { najdi<QPushButton>(w, "cb_2")->click(); });
        QVERIFY(!d.Create(nullptr));
        QVERIFY(!d.vybrano);
        QCOMPARE(d.rok, QString("2024"));
        // An empty year chooses nothing.
        o.pri("Zadej_rok", [](QWidget* w) {
            najdi<QLineEdit>(w, "textb_1")->clear();
            najdi<QPushButton>(w, "cb_1")->click();
        });
        QVERIFY(!d.Create(nullptr));
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
        o.pri("rezervovana_pamet_odbc", [&](QWidget* w) {
            auto* t = najdi<QLineEdit>(w, "textb_1");
            ukazano = t->text();
            t->clear();
            QVERIFY(!najdi<QPushButton>(w, "cb_1")->isEnabled());
            QTest::keyClicks(t, "3x2");
            najdi<QPushButton>(w, "cb_1")->click();
        });
        QVERIFY(d.Create(nullptr));
        QCOMPARE(ukazano, QString("16"));
        QCOMPARE(reg.read(kOdbc, "start"), QString("dbeng -c 32M -x tcpip"));

        reg.write(kOdbc, "start", "dbeng -x tcpip");
        o.pri("rezervovana_pamet_odbc", [&](QWidget* w) {
            ukazano = najdi<QLineEdit>(w, "textb_1")->text();
            najdi<QPushButton>(w, "cb_1")->click();
        });
        QVERIFY(d.Create(nullptr));
        QCOMPARE(ukazano, QString("2"));
        QCOMPARE(reg.read(kOdbc, "start"), QString("dbeng -x tcpip -c2M"));

        o.pri("rezervovana_pamet_odbc", [&](QWidget* w) {
            najdi<QLineEdit>(w, "textb_1")->setText("64");
            QTest::keyClick(w, Qt::Key_Escape);
        });
        QVERIFY(!d.Create(nullptr));
        QCOMPARE(reg.read(kOdbc, "start"), QString("dbeng -x tcpip -c2M"));
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
        o.pri("F_Prihlaseni", [](QWidget* w) {
            QTest::keyClicks(najdi<QLineEdit>(w, "textb_2"), "heslo");
            QTest::keyClick(w, Qt::Key_Escape);
        });
        QVERIFY(!d.Create(nullptr));
        QCOMPARE(d.Zadane_heslo, QString());
        QVERIFY(!reg.contains(kBase, "Posledni_prihlaseny"));
        // Enter in the password box logs in; with no user stored an empty name is written.
        o.pri("F_Prihlaseni", [](QWidget* w) {
            QVERIFY(najdi<QLineEdit>(w, "textb_1")->isReadOnly());
            QCOMPARE(najdi<QLineEdit>(w, "textb_2")->echoMode(), QLineEdit::Password);
            QTest::keyClicks(najdi<QLineEdit>(w, "textb_2"), "heslo");
            QTest::keyClick(najdi<QLineEdit>(w, "textb_2"), Qt::Key_Return);
        });
        QVERIFY(d.Create(nullptr));
        QCOMPARE(d.Zadane_heslo, QString("heslo"));
        QVERIFY(reg.contains(kBase, "Posledni_prihlaseny"));
        QCOMPARE(reg.read(kBase, "Posledni_prihlaseny"), QString());
        // A stored user is shown and written back unchanged.
        reg.write(kBase, "Posledni_prihlaseny", "novak");
        o.pri("F_Prihlaseni", [](QWidget* w) {
            QCOMPARE(najdi<QLineEdit>(w, "textb_1")->text(), QString("novak"));
            najdi<QPushButton>(w, "cb_1")->click();
        });
        QVERIFY(d.Create(nullptr));
        QCOMPARE(d.Prihlaseny_uzivatel, QString("novak"));
        QCOMPARE(reg.read(kBase, "Posledni_prihlaseny"), QString("novak"));
        konfigurace = nullptr;
    }

private:
    QStringList m_zpravy;
};

QTEST_MAIN(TestDialogy)
#include "tst_dialogy.moc"
