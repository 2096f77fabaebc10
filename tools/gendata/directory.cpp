#include "directory.h"

#include "gendata.h"
#include "platform/database.h"
#include "platform/unit_of_work.h"

#include <QSet>
#include <random>

namespace kavro::gendata {

namespace {

struct Filler {
    Transaction& t;
    std::mt19937 rng;
    QString error;
    Query q{t};

    int uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }

    bool exec(const QString& sql, const QVariantList& params)
    {
        q.setSQL(sql);
        q.bindAll(params);
        if (q.execute()) return true;
        error = q.lastErrorText();
        return false;
    }
    QStringList column(const QString& sql, const QVariantList& params = {})
    {
        QStringList out;
        Query r(t, sql);
        r.bindAll(params);
        for (bool ok = r.run(); ok && !r.atEnd(); r.next()) out << r.value(1);
        return out;
    }
    qint64 lastId(const QString& table, const QString& col)
    {
        return t.scalar(QStringLiteral("SELECT max(%1) FROM dba.%2").arg(col, table)).toLongLong();
    }
};

bool prefixClash(const QSet<QString>& codes, const QString& c)
{
    for (const QString& e : codes)
        if (e.startsWith(c) || c.startsWith(e)) return true;
    return false;
}

QString moment(const QDate& d, int secondOfDay = 0)
{
    return d.toString(QStringLiteral("yyyy-MM-dd")) + QString::asprintf(" %02d:%02d:%02d", secondOfDay / 3600, secondOfDay / 60 % 60, secondOfDay % 60);
}

} // namespace

bool fillDirectory(Transaction& t, const DirectoryOptions& o, DirectoryResult* result, QString* error)
{
    Filler f{t, std::mt19937(o.seed ^ 0x5eed)};
    auto fail = [&] {
        if (error) *error = f.error.isEmpty() ? t.lastErrorText() : f.error;
        UnitOfWork(t).rollback();
        return false;
    };
    const Codes codes = codesFromDatabase(t);
    const QString home = codes.homeState;
    const QStringList zones = f.column(QStringLiteral("SELECT id_pasma FROM dba.ciselnik_pasem WHERE id_pasma <> 9999"));
    auto zone = [&] { return zones.isEmpty() ? QVariant(9999) : QVariant(zones.at(f.uniform(0, int(zones.size()) - 1)).toInt()); };

    // States: the known country codes, then free three-digit codes.
    QSet<QString> states;
    for (const QString& s : f.column(QStringLiteral("SELECT kod_statu FROM dba.ciselnik_statu"))) states.insert(s);
    const QString addState = QStringLiteral(
        "INSERT INTO dba.ciselnik_statu (kod_statu, nazev_statu, id_pasma) SELECT ?, ?, ? "
        "WHERE NOT EXISTS (SELECT 1 FROM dba.ciselnik_statu WHERE kod_statu = ?)");
    QStringList candidates = builtInCodes().countryCodes;
    candidates.prepend(home);
    for (int c = 200; c <= 999; ++c) candidates << QString::number(c);
    for (const QString& c : candidates) {
        if (states.size() >= o.states && c != home) break;
        if (states.contains(c) || prefixClash(states, c)) continue;
        if (!f.exec(addState, {c, QStringLiteral("Stát %1").arg(c), zone(), c})) return fail();
        states.insert(c);
    }

    // Cities: the home state's area codes, then two-digit areas of the other states.
    const QString addCity = QStringLiteral(
        "INSERT INTO dba.ciselnik_mest (kod_statu, kod_mesta, nazev_mesta, id_pasma, Cislo_TTO) SELECT ?, ?, ?, ?, ? "
        "WHERE NOT EXISTS (SELECT 1 FROM dba.ciselnik_mest WHERE kod_statu = ? AND kod_mesta = ?)");
    qint64 cities = t.scalar(QStringLiteral("SELECT count(*) FROM dba.ciselnik_mest")).toLongLong();
    // A home city lies in a domestic zone: with a site, in an exchange area
    // the home area links to with a domestic zone, in that zone (as saving the
    // site would compute it); without one, in any domestic zone.
    struct Link {
        int tto;
        int zone;
    };
    QList<Link> links;
    {
        Query r(
            t,
            QStringLiteral("SELECT v.volane_tto, v.id_pasma FROM dba.vazba_tto_tto v "
                           "JOIN dba.ciselnik_pasem p ON p.id_pasma = v.id_pasma AND p.typ_pasma = '1' "
                           "JOIN dba.ciselnik_mest m ON m.Cislo_TTO = v.volajici_tto "
                           "JOIN dba.konfigurace_mista k ON k.kod_statu = m.kod_statu AND k.kod_mesta = m.kod_mesta "
                           "WHERE v.volane_tto <> v.volajici_tto ORDER BY 1"));
        for (bool ok = r.run(); ok && !r.atEnd(); r.next()) links << Link{r.value(1).toInt(), r.value(2).toInt()};
    }
    const QStringList domestic =
        f.column(QStringLiteral("SELECT id_pasma FROM dba.ciselnik_pasem WHERE typ_pasma = '1' ORDER BY 1"));
    int tto = 1;
    for (const QString& a : builtInCodes().areaCodes) {
        QVariant z =
            domestic.isEmpty() ? QVariant(9999) : QVariant(domestic.at(f.uniform(0, int(domestic.size()) - 1)).toInt());
        QVariant area = tto++;
        if (!links.isEmpty()) {
            const Link& l = links.at(f.uniform(0, int(links.size()) - 1));
            z = l.zone;
            area = l.tto;
        }
        if (!f.exec(addCity, {home, a, QStringLiteral("Město %1").arg(a), z, area, home, a})) return fail();
        cities += f.q.rowCount();
    }
    QStringList foreign;
    for (const QString& s : states)
        if (s != home) foreign << s;
    std::sort(foreign.begin(), foreign.end());
    for (int area = 10; area <= 99 && cities < o.cities; ++area) {
        for (const QString& s : foreign) {
            if (cities >= o.cities) break;
            const QString a = QString::number(area);
            if (!f.exec(addCity, {s, a, QStringLiteral("Město %1-%2").arg(s, a), zone(), 9999, s, a})) return fail();
            cities += f.q.rowCount();
        }
    }

    // Subscribers: numbers of one length per area, so none begins another.
    struct Area { QString state, area; };
    QList<Area> areas;
    {
        Query r(t, QStringLiteral("SELECT kod_statu, kod_mesta FROM dba.ciselnik_mest ORDER BY kod_statu, kod_mesta"));
        for (bool ok = r.run(); ok && !r.atEnd(); r.next()) areas << Area{r.value(1), r.value(2)};
    }
    QList<int> homeAreas;
    for (int i = 0; i < areas.size(); ++i)
        if (areas[i].state == home) homeAreas << i;
    const QString addSubscriber = QStringLiteral(
        "INSERT INTO dba.ciselnik_ucastniku (kod_statu, kod_mesta, Cislo_ucastnika, nazev_ucastnika, Firma, Soukrome) "
        "SELECT ?, ?, ?, ?, ?, ? WHERE NOT EXISTS (SELECT 1 FROM dba.ciselnik_ucastniku "
        "WHERE kod_statu = ? AND kod_mesta = ? AND Cislo_ucastnika = ?)");
    qint64 subscribers = 0;
    for (int i = 0; subscribers < o.subscribers && !areas.isEmpty() && i < 4 * o.subscribers; ++i) {
        // Four in five subscribers are at home.
        const Area& a = (!homeAreas.isEmpty() && f.uniform(0, 4) > 0)
            ? areas[homeAreas[f.uniform(0, int(homeAreas.size()) - 1)]]
            : areas[f.uniform(0, int(areas.size()) - 1)];
        QString number = QString::number(f.uniform(2, 9));
        for (int d = 0; d < 5; ++d) number += QString::number(f.uniform(0, 9));
        const bool priv = f.uniform(0, 3) == 0;
        if (!f.exec(addSubscriber, {a.state, a.area, number, QStringLiteral("Účastník %1").arg(i + 1),
                                    priv ? QString() : QStringLiteral("Firma %1").arg(i % 997),
                                    priv ? QStringLiteral("S") : QStringLiteral("F"), a.state, a.area, number}))
            return fail();
        subscribers += f.q.rowCount();
    }

    // Firms, departments and persons, each with its row in the assignment table.
    const QString start = moment(o.from);
    const QString open = QStringLiteral("9999-12-31 23:59:59");
    const QString addRow = QStringLiteral(
        "INSERT INTO dba.prirazeni_pobocek (Cislo_pobocky, Pocatek_platnosti, Konec_platnosti, ID_firmy, ID_Oddeleni, ID_Osoby) "
        "VALUES (?, ?, ?, ?, ?, ?)");
    struct Person { qint64 firm, dept, id; };
    QList<Person> persons;
    QList<Person> depts;
    for (int fi = 1; fi <= o.firms; ++fi) {
        if (!f.exec(QStringLiteral("INSERT INTO dba.ciselnik_firem (nazev_firmy, obec, PSC, ICO) VALUES (?, ?, ?, ?)"),
                    {QStringLiteral("Firma %1 s.r.o.").arg(fi), QStringLiteral("Brno"), QStringLiteral("602 00"),
                     QString::asprintf("%08d", 1000000 + fi)}))
            return fail();
        const qint64 firm = f.lastId(QStringLiteral("ciselnik_firem"), QStringLiteral("ID_Firmy"));
        if (!f.exec(addRow, {QStringLiteral("9999"), start, open, firm, 9999, 9999})) return fail();
        const int nd = f.uniform(3, 10);
        for (int di = 1; di <= nd; ++di) {
            if (!f.exec(QStringLiteral("INSERT INTO dba.ciselnik_oddeleni (nazev_oddeleni, ID_Firmy) VALUES (?, ?)"),
                        {QStringLiteral("Oddělení %1/%2").arg(fi).arg(di), firm}))
                return fail();
            const qint64 dept = f.lastId(QStringLiteral("ciselnik_oddeleni"), QStringLiteral("ID_Oddeleni"));
            if (!f.exec(addRow, {QStringLiteral("9999"), start, open, firm, dept, 9999})) return fail();
            depts << Person{firm, dept, 0};
            const int np = f.uniform(3, 12);
            for (int pi = 1; pi <= np; ++pi) {
                static const char* surnames[] = {"Novák", "Svoboda", "Novotný", "Dvořák", "Černý", "Procházka",
                                                 "Kučera", "Veselý", "Horák", "Němec", "O'Neill", "Marek"};
                static const char* names[] = {"Jan", "Petr", "Jana", "Marie", "Tomáš", "Eva", "Pavel", "Lucie"};
                if (!f.exec(QStringLiteral("INSERT INTO dba.ciselnik_osob (prijmeni, jmeno, ID_Firmy, ID_Oddeleni) VALUES (?, ?, ?, ?)"),
                            {QString::fromUtf8(surnames[f.uniform(0, 11)]), QString::fromUtf8(names[f.uniform(0, 7)]), firm, dept}))
                    return fail();
                const qint64 id = f.lastId(QStringLiteral("ciselnik_osob"), QStringLiteral("ID_Osoby"));
                if (!f.exec(addRow, {QStringLiteral("9999"), start, open, firm, dept, id})) return fail();
                persons << Person{firm, dept, id};
            }
        }
    }

    // The extensions of the call files, each held by one to three owners in turn.
    Options go;
    go.seed = o.seed;
    go.extensions = o.extensions;
    const QStringList extensions = Generator(go).extensionNumbers();
    qint64 assignments = 0;
    const int span = int(o.from.daysTo(QDate(o.from.year() + 2, 12, 31)));
    for (const QString& e : extensions) {
        const int periods = f.uniform(1, 3);
        QList<int> cuts;
        for (int i = 1; i < periods; ++i) cuts << f.uniform(1, span);
        std::sort(cuts.begin(), cuts.end());
        QString from = start;
        for (int i = 0; i < periods; ++i) {
            const QString to = i + 1 < periods ? moment(o.from.addDays(cuts[i]), 8 * 3600) : open;
            const int kind = f.uniform(0, 9);
            Person p = !persons.isEmpty() && kind < 8 ? persons[f.uniform(0, int(persons.size()) - 1)]
                     : !depts.isEmpty() ? depts[f.uniform(0, int(depts.size()) - 1)] : Person{0, 0, 0};
            if (!f.exec(addRow, {e, from, to, p.firm, p.dept, p.id})) return fail();
            ++assignments;
            from = to;
        }
    }
    UnitOfWork prace(t);
    if (!prace.commit()) {
        f.error = prace.errorText();
        return fail();
    }
    if (result) {
        result->states = t.scalar(QStringLiteral("SELECT count(*) FROM dba.ciselnik_statu")).toLongLong();
        result->cities = t.scalar(QStringLiteral("SELECT count(*) FROM dba.ciselnik_mest")).toLongLong();
        result->subscribers = t.scalar(QStringLiteral("SELECT count(*) FROM dba.ciselnik_ucastniku")).toLongLong();
        result->extensions = t.scalar(QStringLiteral(
            "SELECT count(DISTINCT Cislo_pobocky) FROM dba.prirazeni_pobocek WHERE Cislo_pobocky <> '9999'")).toLongLong();
        result->assignments = assignments;
        UnitOfWork(t).rollback();
    }
    return true;
}

} // namespace kavro::gendata
