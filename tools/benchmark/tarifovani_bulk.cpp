#include "tarifovani_bulk.h"

#include "platform/database.h"
#include "platform/unit_of_work.h"

#include <QStringList>
#include <random>

namespace kavro::benchmark {

namespace {

bool fail(QString* error, const QString& where)
{
    if (error) *error = Transaction::main().lastErrorText() + QStringLiteral(" (") + where + QLatin1Char(')');
    return false;
}

// Country codes without one beginning another: 1, 7, two-digit and three-digit ones.
QStringList stateCodes()
{
    QStringList codes{QStringLiteral("1"), QStringLiteral("7")};
    const int threeDigitGroups[] = {21, 22, 23, 24, 25, 26, 29, 35, 37, 38, 42, 50, 59, 67, 68, 69, 85, 88, 96, 97, 99};
    for (int two = 20; two <= 99; ++two) {
        bool group = false;
        for (int g : threeDigitGroups) group = group || g == two;
        if (group) {
            for (int d = 0; d <= 9; ++d) codes << QString::number(two * 10 + d);
        } else if (two >= 30 && two < 70) {
            codes << QString::number(two);
        }
    }
    return codes;
}

struct Area {
    QString state;
    QString area;
};

} // namespace

bool fillLargeDirectories(QString* error)
{
    Transaction& t = Transaction::main();
    for (const char* s : {"DELETE FROM dba.ciselnik_ucastniku", "DELETE FROM dba.ciselnik_mest", "DELETE FROM dba.ciselnik_statu",
                          "DELETE FROM dba.konfigurace_mista", "DELETE FROM dba.perioda_impulsu",
                          "DELETE FROM dba.zlevnene_volani", "DELETE FROM dba.casy_pseudotarifu",
                          "DELETE FROM dba.pevne_svatky", "DELETE FROM dba.prirazeni_pobocek", "DELETE FROM dba.ciselnik_osob"})
        if (!t.exec(QString::fromLatin1(s))) return fail(error, QString::fromLatin1(s));
    if (!t.exec(QStringLiteral("INSERT INTO dba.konfigurace_mista (mezistatni_predvolba, mezimestska_predvolba, kod_statu, "
                               "kod_mesta, ID_mista) VALUES ('00', '0', '420', '2', 'Výchozí')")))
        return fail(error, QStringLiteral("site"));

    Query state(t, QStringLiteral("INSERT INTO dba.ciselnik_statu (kod_statu, nazev_statu, id_pasma) VALUES (?, ?, ?)"));
    Query city(t, QStringLiteral("INSERT INTO dba.ciselnik_mest (kod_statu, kod_mesta, nazev_mesta, id_pasma) VALUES (?, ?, ?, ?)"));
    const QStringList states = stateCodes();
    QList<Area> areas;
    for (int i = 0; i < states.size(); ++i) {
        const QString& s = states[i];
        state.bindAll({s, QStringLiteral("Stát %1").arg(s), s == u"420" ? 9999 : 100 + i % 20});
        if (!state.execute()) return fail(error, QStringLiteral("state"));
        if (s == u"420") continue;
        for (int c = 0; c < 8; ++c) {
            const QString code = QString::number(20 + c * 7);
            city.bindAll({s, code, QStringLiteral("Město %1").arg(code), 100 + i % 20});
            if (!city.execute()) return fail(error, QStringLiteral("city"));
            areas << Area{s, code};
        }
    }
    // Home state: area 2 and three-digit areas 310..599.
    QList<Area> home;
    for (int a = 0; a <= 290; ++a) {
        const QString code = a == 0 ? QStringLiteral("2") : QString::number(309 + a);
        city.bindAll({QStringLiteral("420"), code, QStringLiteral("Město %1").arg(code), 1 + a % 10});
        if (!city.execute()) return fail(error, QStringLiteral("home city"));
        home << Area{QStringLiteral("420"), code};
    }
    // Subscribers: 20,000 local, 20,000 domestic, 10,000 foreign, of 6 to 8 digits.
    Query sub(t, QStringLiteral("INSERT INTO dba.ciselnik_ucastniku (kod_statu, kod_mesta, Cislo_ucastnika, nazev_ucastnika) "
                                "VALUES (?, ?, ?, ?)"));
    std::mt19937 rng(7);
    int added = 0;
    const auto addSubscriber = [&](const Area& a) {
        const int len = 6 + int(rng() % 3);
        QString n = QString::number(1 + rng() % 9);
        while (n.size() < len) n += QChar(u'0' + char16_t(rng() % 10));
        sub.bindAll({a.state, a.area, n, QStringLiteral("Účastník %1").arg(n)});
        if (sub.execute()) ++added;
    };
    while (added < 20000) addSubscriber(home[0]);
    while (added < 40000) addSubscriber(home[1 + rng() % (home.size() - 1)]);
    while (added < 50000) addSubscriber(areas[rng() % areas.size()]);

    // Periods: two validity ranges, three working-day bands and one holiday band for every zone.
    for (const char* s : {
             "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 19), "
             "z(id) AS (SELECT 1 + i FROM n WHERE i < 10 UNION ALL SELECT 100 + i FROM n) "
             "INSERT INTO dba.perioda_impulsu (id_pasma, Pocatek_platnosti, Konec_platnosti, Od_casu, Do_casu, perioda, Typ_dne) "
             "SELECT z.id, r.od, r.do_, b.od, b.do_, b.p + z.id % 7, b.t FROM z, "
             "(SELECT '2000-01-01' AS od, '2024-03-31' AS do_ UNION ALL SELECT '2024-04-01', '9999-12-31') r, "
             "(SELECT '00:00:00' AS od, '06:59:59' AS do_, 120 AS p, 1 AS t UNION ALL SELECT '07:00:00', '18:59:59', 60, 1 "
             " UNION ALL SELECT '19:00:00', '23:59:59', 120, 1 UNION ALL SELECT '00:00:00', '23:59:59', 180, 2) b",
             "INSERT INTO dba.zlevnene_volani (kod_statu, pocatek_platnosti, konec_platnosti, od_casu, do_casu, perioda, typ_dne) "
             "SELECT kod_statu, '2000-01-01', '9999-12-31', '08:00:00', '16:00:00', 30, 1 FROM dba.ciselnik_statu "
             "WHERE kod_statu <> '420' AND length(kod_statu) = 2",
             "INSERT INTO dba.casy_pseudotarifu (typ_hovoru, typ_casu, cas, pocatek_platnosti, konec_platnosti) VALUES "
             "('A', 'D', '00:00:10', '1900-01-01 00:00:00', '9999-12-31 23:59:59'), "
             "('A', 'M', '00:00:30', '1900-01-01 00:00:00', '9999-12-31 23:59:59'), "
             "('B', 'D', '00:00:05', '1900-01-01 00:00:00', '9999-12-31 23:59:59'), "
             "('B', 'M', '00:00:30', '1900-01-01 00:00:00', '9999-12-31 23:59:59'), "
             "('C', 'D', '00:00:00', '1900-01-01 00:00:00', '9999-12-31 23:59:59'), "
             "('C', 'M', '00:00:30', '1900-01-01 00:00:00', '9999-12-31 23:59:59')",
             "INSERT INTO dba.pevne_svatky (den, Mesic, Nazev, Rok) VALUES (1, 1, 'Nový rok', 0), (1, 5, 'Svátek práce', 0), "
             "(8, 5, 'Osvobození', 0), (5, 7, 'Cyril a Metoděj', 0), (6, 7, 'Jan Hus', 0), (28, 9, 'Václav', 0), "
             "(28, 10, 'Vznik státu', 0), (17, 11, 'Listopad', 0), (24, 12, 'Štědrý den', 0), (25, 12, 'Vánoce', 0), "
             "(26, 12, 'Štěpán', 0), (29, 3, 'Velký pátek', 2024)",
             // 3,000 persons; 2,000 extensions 1000..2999, each held by three firms in turn.
             "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000) "
             "INSERT INTO dba.ciselnik_osob (ID_Osoby, prijmeni) SELECT i, 'Příjmení ' || i FROM n",
             "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 1999) "
             "INSERT INTO dba.prirazeni_pobocek (Cislo_pobocky, Pocatek_platnosti, Konec_platnosti, ID_firmy, ID_Oddeleni, ID_Osoby) "
             "SELECT CAST(1000 + i AS TEXT), h.od, h.do_, 1 + (i + h.k) % 40, 100 + (i + h.k) % 200, 1 + (i * 3 + h.k) % 3000 "
             "FROM n, (SELECT 0 AS k, '2020-01-01 00:00:00' AS od, '2023-06-30 23:59:59' AS do_ "
             " UNION ALL SELECT 1, '2023-07-01 00:00:00', '2024-06-30 23:59:59' "
             " UNION ALL SELECT 2, '2024-07-01 00:00:00', '9999-12-31 23:59:59') h",
         })
        if (!t.exec(QString::fromUtf8(s))) return fail(error, QString::fromUtf8(s).left(60));
    return UnitOfWork(t).commit() || fail(error, QStringLiteral("commit"));
}

bool addGeneratedCalls(qint64 firstId, qint64 count, QString* error)
{
    Transaction& t = Transaction::main();
    // The directory as it stands, so that most calls reach known subscribers.
    struct Sub { QString state, area, number; };
    QList<Sub> local, domestic, foreign;
    {
        Query q(t, QStringLiteral("SELECT kod_statu, kod_mesta, Cislo_ucastnika FROM dba.ciselnik_ucastniku"));
        if (!q.run()) return fail(error, QStringLiteral("subscribers"));
        for (; !q.atEnd(); q.next()) {
            Sub s{q.value(1), q.value(2), q.value(3)};
            if (s.state == u"420") (s.area == u"2" ? local : domestic) << s;
            else foreign << s;
        }
    }
    if (local.isEmpty() || domestic.isEmpty() || foreign.isEmpty()) {
        if (error) *error = QStringLiteral("the directory is empty");
        return false;
    }
    Query ins(t, QStringLiteral(
        "INSERT INTO dba.hovory (id_hovoru, ustredna_datum_a_cas, ustredna_delka_hovoru, ustredna_volane_cislo, "
        "ustredna_pocet_impulsu, ustredna_prepojeni, tarifovat_hovor, ustredna_cislo_pobocky, status_hovoru, "
        "ustredna_cislo_linky, doplnkova_informace, kod_uctu) VALUES (?, ?, ?, ?, ?, '0', 0, ?, 2, ?, '', '')"));
    std::mt19937 rng(11);
    const QDateTime start(QDate(2024, 1, 1), QTime(0, 0));
    for (qint64 i = 0; i < count; ++i) {
        const int kind = int(rng() % 100);
        QString number;
        auto tail = [&](int n) {
            QString s;
            for (int k = 0; k < n; ++k) s += QChar(u'0' + char16_t(rng() % 10));
            return s;
        };
        if (kind < 10) number = QStringLiteral("*IN") + tail(7);
        else if (kind < 20) {
            const Sub& s = foreign[rng() % foreign.size()];
            number = QStringLiteral("00") + s.state + s.area + s.number + tail(2);
        } else if (kind < 55) {
            const Sub& s = domestic[rng() % domestic.size()];
            number = QStringLiteral("0") + s.area + s.number + tail(1);
        } else if (kind < 97) number = local[rng() % local.size()].number + tail(1);
        else number = tail(2 + rng() % 3);  // short and service numbers
        const int line = 1 + int(rng() % 20);
        const bool impulseLine = line <= 10 && kind >= 10;
        const int seconds = int(rng() % 600);
        const QString when = start.addSecs(qint64(rng() % (366LL * 86400))).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        const QString duration = QTime(0, 0).addSecs(seconds).toString(QStringLiteral("HH:mm:ss"));
        ins.bindAll({firstId + i, when, duration, number, impulseLine ? 1 + seconds / 60 : 0,
                     QString::number(1000 + rng() % 2000), QString::number(line)});
        if (!ins.execute()) return fail(error, QStringLiteral("call"));
    }
    return UnitOfWork(t).commit() || fail(error, QStringLiteral("commit"));
}

} // namespace kavro::benchmark
