#include "gendata.h"

#include "platform/cp1250.h"
#include "platform/database.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <algorithm>
#include <cmath>

namespace kavro::gendata {

Codes builtInCodes()
{
    Codes c;
    // Area codes of the Czech exchange areas (as dialled after the long-distance prefix).
    c.areaCodes = QStringList{
        "2", "5", "69", "19", "38", "49", "48", "47", "40", "68", "67", "66", "17", "16",
        "168", "18", "181", "182", "186", "188", "311", "312", "313", "314", "315", "316",
        "317", "318", "321", "322", "323", "324", "325", "326", "327", "341", "342", "343",
        "344", "345", "346", "347", "348", "349", "361", "362", "363", "364", "365", "366",
        "367", "368", "369", "381", "382", "383", "384", "385", "386", "387", "388", "389",
        "400", "401", "402", "403", "404", "405", "406", "407", "408", "409", "411", "412",
        "413", "414", "415", "416", "417", "418", "419", "421", "422", "423", "424", "425",
        "426", "427", "428", "429", "431", "432", "433", "434", "435", "436", "437", "438",
        "439", "440", "441", "442", "443", "444", "445", "446", "447", "448", "449", "450",
        "451", "452", "453", "454", "455", "456", "457", "458", "459", "460", "461", "462",
        "463", "464", "465", "466", "467", "468", "469", "501", "502", "503", "504", "505",
        "506", "507", "508", "509", "511", "512", "513", "514", "515", "516", "517", "518",
        "519", "520", "521", "522", "523", "524", "525", "526", "527", "528", "529", "531",
        "532", "533", "534", "535", "536", "537", "538", "539", "541", "542", "543", "544",
        "545", "546", "547", "548", "549", "551", "552", "553", "554", "555", "556", "557",
        "558", "559", "561", "562", "563", "564", "565", "566", "567", "568", "569", "571",
        "572", "573", "574", "575", "576", "577", "578", "579", "581", "582", "583", "584",
        "585", "586", "587", "588", "589", "591", "592", "593", "594", "595", "596", "597",
        "598", "599", "601", "602", "603", "604", "605", "606", "607", "608", "609", "611",
        "612", "613", "614", "615", "616", "617", "618", "619", "621", "622", "623", "624",
        "625", "626", "627", "628", "629", "631", "632", "633", "634", "635", "636", "637",
        "638", "639", "641", "642", "643", "644", "645", "646", "647", "648", "649", "651",
        "652", "653", "654", "655", "656", "657", "658", "659"};
    c.countryCodes = QStringList{
        "421", "49", "43", "48", "36", "44", "33", "39", "41", "31", "32", "34", "351", "352",
        "353", "354", "358", "46", "47", "45", "30", "90", "7", "380", "375", "370", "371",
        "372", "385", "386", "381", "387", "389", "355", "359", "40", "373", "1", "52", "55",
        "54", "56", "57", "58", "61", "64", "81", "82", "86", "852", "886", "91", "92", "62",
        "63", "65", "66", "60", "84", "972", "971", "966", "20", "27", "212", "216", "213",
        "234", "254"};
    return c;
}

Codes codesFromDatabase(Transaction& t)
{
    Codes c = builtInCodes();
    Query site(t, QStringLiteral("SELECT kod_statu, mezimestska_predvolba, mezistatni_predvolba FROM dba.konfigurace_mista"));
    if (site.run() && !site.atEnd()) {
        if (!site.value(1).isEmpty()) c.homeState = site.value(1);
        if (!site.value(2).isEmpty()) c.longDistancePrefix = site.value(2);
        if (!site.value(3).isEmpty()) c.internationalPrefix = site.value(3);
    }
    site.close();
    QStringList areas;
    Query q(t, QStringLiteral("SELECT kod_mesta FROM dba.ciselnik_mest WHERE kod_statu = ? ORDER BY kod_mesta"));
    q.bind(1, c.homeState);
    for (bool ok = q.run(); ok && !q.atEnd(); q.next())
        if (!q.value(1).isEmpty()) areas << q.value(1);
    q.close();
    QStringList states;
    Query s(t, QStringLiteral("SELECT kod_statu FROM dba.ciselnik_statu WHERE kod_statu <> ? ORDER BY kod_statu"));
    s.bind(1, c.homeState);
    for (bool ok = s.run(); ok && !s.atEnd(); s.next())
        if (!s.value(1).isEmpty()) states << s.value(1);
    s.close();
    if (!areas.isEmpty()) c.areaCodes = areas;
    if (!states.isEmpty()) c.countryCodes = states;
    return c;
}

QByteArray body(const Fields& f)
{
    QByteArray b;
    b.reserve(96);
    b += QByteArray::number(f.number).rightJustified(9, '0');
    b += ';';
    b += f.dateTime;
    b += ';';
    b += f.duration;
    b += ';';
    b += f.called;
    b += ';';
    b += QByteArray::number(f.impulses);
    b += ';';
    b += f.transfer;
    b += ';';
    b += f.extension;
    b += ';';
    b += QByteArray::number(f.line);
    b += ';';
    b += f.info;
    b += ';';
    b += f.account;
    b += "\r\n";
    return b;
}

QByteArray frame(const QByteArray& plainBody, quint8 coding)
{
    const int n = int(qMin<qsizetype>(plainBody.size(), 255));
    QByteArray r(n + 2, Qt::Uninitialized);
    r[0] = char(coding);
    r[1] = char(quint8(n) ^ coding);
    for (int i = 0; i < n; ++i) r[i + 2] = char(quint8(plainBody[i]) ^ coding);
    return r;
}

void reframe(Record& r)
{
    r.plain = body(r.fields);
    r.framed = frame(r.plain, r.framed.isEmpty() ? quint8(0x5a) : quint8(r.framed[0]));
}

Generator::Generator(const Options& o) : m_o(o), m_rng(o.seed), m_number(o.firstRecordNumber)
{
    // Extensions: 3 and 4 digits, a third of them 3-digit.
    std::vector<int> pool;
    for (int i = 100; i <= 999; ++i) pool.push_back(i);
    std::shuffle(pool.begin(), pool.end(), m_rng);
    std::vector<int> four;
    for (int i = 1000; i <= 9998; ++i) four.push_back(i); // 9999 is no extension
    std::shuffle(four.begin(), four.end(), m_rng);
    const int n3 = qMin(o.extensions / 3, int(pool.size()));
    std::vector<int> chosen(pool.begin(), pool.begin() + n3);
    chosen.insert(chosen.end(), four.begin(), four.begin() + qMin<int>(o.extensions - n3, int(four.size())));
    std::sort(chosen.begin(), chosen.end());
    for (int e : chosen) m_extensions << QString::number(e);
    if (m_extensions.isEmpty()) m_extensions << QStringLiteral("100");
    if (m_o.codes.areaCodes.isEmpty()) m_o.codes.areaCodes = builtInCodes().areaCodes;
    if (m_o.codes.countryCodes.isEmpty()) m_o.codes.countryCodes = builtInCodes().countryCodes;
    if (m_o.lines < 1) m_o.lines = 1;
}

QByteArray Generator::subscriber(int minDigits, int maxDigits)
{
    const int len = uniform(minDigits, maxDigits);
    QByteArray s;
    s += char('2' + uniform(0, 7));
    for (int i = 1; i < len; ++i) s += char('0' + uniform(0, 9));
    return s;
}

static QByteArray hms(int seconds)
{
    return QString::asprintf("%02d:%02d:%02d", seconds / 3600, seconds / 60 % 60, seconds % 60).toLatin1();
}

Fields Generator::call(const QDate& d, int secondOfDay)
{
    Fields f;
    f.number = m_number++;
    f.dateTime = (d.toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char(' ')).toLatin1() + hms(secondOfDay);
    // Durations: most calls short, a few long.
    int seconds = int(-std::log(1.0 - unit() * 0.999999) * 110.0) + uniform(0, 15);
    seconds = qMin(seconds, 4 * 3600);
    f.duration = hms(seconds);
    const int line = uniform(1, m_o.lines);
    f.line = 700 + line;
    const bool impulseLine = line <= (m_o.lines + 1) / 2;
    const int kind = uniform(0, 99);
    enum { Incoming, Local, LongDistance, International, Short } k =
        kind < 20 ? Incoming : kind < 55 ? Local : kind < 82 ? LongDistance : kind < 94 ? International : Short;
    int perImpulse = 0;
    switch (k) {
    case Incoming:
        if (uniform(0, 9) == 0) f.called = toCp1250(QStringLiteral("Příchozí"));
        else f.called = "*IN" + (uniform(0, 2) ? subscriber(6, 9) : QByteArray());
        break;
    case Local:
        f.called = subscriber(5, 7);
        perImpulse = 180;
        break;
    case LongDistance:
        f.called = m_o.codes.longDistancePrefix.toLatin1()
            + m_o.codes.areaCodes.at(uniform(0, int(m_o.codes.areaCodes.size()) - 1)).toLatin1()
            + subscriber(5, 7);
        perImpulse = 60;
        break;
    case International:
        f.called = m_o.codes.internationalPrefix.toLatin1()
            + m_o.codes.countryCodes.at(uniform(0, int(m_o.codes.countryCodes.size()) - 1)).toLatin1()
            + subscriber(6, 10);
        perImpulse = 10;
        break;
    case Short: {
        static const char* shorts[] = {"155", "158", "150", "112", "1180", "1181", "14111", "1212", "1188"};
        f.called = shorts[uniform(0, 8)];
        perImpulse = uniform(0, 1) ? 0 : 600;
        break;
    }
    }
    f.impulses = impulseLine && perImpulse > 0 && seconds > 0 ? 1 + seconds / perImpulse : 0;
    f.transfer = uniform(0, 9) == 0 ? "1" : "0";
    f.extension = m_extensions.at(uniform(0, int(m_extensions.size()) - 1)).toLatin1();
    const int info = uniform(0, 19);
    if (info == 0) f.info = toCp1250(QStringLiteral("Přesměrováno"));
    else if (info == 1) f.info = "P";
    else if (info == 2) f.info = toCp1250(QStringLiteral("Konference"));
    if (uniform(0, 6) == 0) f.account = QByteArray::number(1000 + uniform(0, 49) * 37);
    return f;
}

QList<Record> Generator::day(const QDate& d, int calls)
{
    // Most calls in working hours.
    std::vector<int> times(qMax(calls, 0));
    for (int& t : times)
        t = uniform(0, 9) < 8 ? uniform(7 * 3600, 17 * 3600) : uniform(0, 86399);
    std::sort(times.begin(), times.end());
    QList<Record> out;
    out.reserve(calls);
    for (int t : times) {
        Record r;
        r.fields = call(d, t);
        r.plain = body(r.fields);
        quint8 coding = quint8(uniform(0, 255));
        if (m_o.malformedShare > 0 && unit() < m_o.malformedShare) {
            r.malformed = true;
            switch (uniform(0, 2)) {
            case 0: r.plain[23] = '.'; break;              // a separator out of place
            case 1: r.plain[20] = '\0'; break;             // a zero byte cuts the text short
            default: r.plain.clear(); break;               // an empty body
            }
        }
        r.framed = frame(r.plain, coding);
        out << r;
    }
    return out;
}

QString fileName(const QDate& d, bool upperCase)
{
    return d.toString(QStringLiteral("yyyyMMdd")) + (upperCase ? QStringLiteral(".DAT") : QStringLiteral(".dat"));
}

bool writeFile(const QString& path, const QList<Record>& records, QString* error)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) {
        if (error) *error = f.errorString();
        return false;
    }
    for (const Record& r : records) f.write(r.framed);
    if (!f.commit()) {
        if (error) *error = f.errorString();
        return false;
    }
    return true;
}

bool writeFiles(const Options& o, Result* result)
{
    Result local;
    Result& r = result ? *result : local;
    r = Result();
    if (!QDir().mkpath(o.outDir)) {
        r.error = QStringLiteral("cannot create %1").arg(o.outDir);
        return false;
    }
    Generator g(o);
    for (int i = 0; i < o.days; ++i) {
        const QDate d = o.firstDay.addDays(i);
        QList<Record> records = g.day(d, o.callsPerDay);
        if (o.adjustDay) o.adjustDay(d, records);
        const QString path = QDir(o.outDir).filePath(fileName(d, o.upperCaseNames));
        if (!writeFile(path, records, &r.error)) return false;
        ++r.files;
        for (const Record& rec : records) {
            ++r.records;
            r.bytes += rec.framed.size();
            if (rec.malformed) ++r.malformed;
        }
    }
    return true;
}

} // namespace kavro::gendata
