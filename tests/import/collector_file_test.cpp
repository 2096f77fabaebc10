#include "import/collector_file.h"

#include "gendata/gendata.h"
#include "platform/cp1250.h"
#include "test_env.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace kavro;

namespace {

QByteArray bytes(const char* s) { return QByteArray(s); }

// A well-formed body with the given fields 3 to 9 (joined as written).
QByteArray bodyWith(const QByteArray& rest, const QByteArray& duration = "00:01:30",
                    const QByteArray& when = "2024-03-15 10:20:30")
{
    return "000000042;" + when + ";" + duration + ";" + rest;
}

void writeRaw(const QString& path, const QByteArray& data)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
}

QString Q(const std::string& utf8) { return QString::fromStdString(utf8); }

Struktura_vety parse(const QByteArray& body)
{
    Struktura_vety v;
    Nacti_data(body, v);
    return v;
}

} // namespace

TEST(CollectorFile, GeneratedFileReadsBackByteForByteAndFieldForField)
{
    test::TestEnv env(false);
    gendata::Options o;
    o.seed = 7;
    gendata::Generator g(o);
    const QList<gendata::Record> records = g.day(QDate(2024, 3, 15), 2000);
    const QString path = QDir(env.dataDir()).filePath(gendata::fileName(QDate(2024, 3, 15)));
    ASSERT_TRUE(gendata::writeFile(path, records));

    Datovy_soubor_sberace f;
    ASSERT_TRUE(f.open(path));
    qint64 expectedPos = 0;
    bool sawCzech = false, sawAccount = false, sawIncoming = false, sawTransfer = false;
    for (const gendata::Record& r : records) {
        ASSERT_EQ(f.next(), Datovy_soubor_sberace::Vysledek::Veta);
        expectedPos += r.framed.size();
        ASSERT_EQ(f.position(), expectedPos);
        ASSERT_EQ(f.body(), r.plain);
        Struktura_vety v;
        Vynuluj_strukturu(v);
        Nacti_data(f.body(), v);
        const gendata::Fields& e = r.fields;
        EXPECT_EQ(v.cislo_vety, e.number);
        EXPECT_EQ(Q(v.datum_a_cas), QString::fromLatin1(e.dateTime));
        EXPECT_EQ(Q(v.delka_hovoru), QString::fromLatin1(e.duration));
        EXPECT_EQ(Q(v.volane_cislo), fromCp1250(e.called));
        EXPECT_EQ(v.pocet_impulsu, e.impulses);
        EXPECT_EQ(v.prepojeni, e.transfer != "0");
        EXPECT_EQ(v.cislo_pobocky, e.extension.toInt());
        EXPECT_EQ(v.cislo_linky, e.line);
        EXPECT_EQ(Q(v.doplnkova_informace), fromCp1250(e.info));
        EXPECT_EQ(Q(v.kod_uctu), QString::fromLatin1(e.account));
        sawCzech |= Q(v.doplnkova_informace) == QStringLiteral("Přesměrováno") || Q(v.volane_cislo) == QStringLiteral("Příchozí");
        sawAccount |= !Q(v.kod_uctu).isEmpty();
        sawIncoming |= Q(v.volane_cislo).startsWith(QStringLiteral("*IN"));
        sawTransfer |= v.prepojeni;
    }
    EXPECT_EQ(f.next(), Datovy_soubor_sberace::Vysledek::Konec);
    EXPECT_EQ(f.position(), f.size());
    EXPECT_TRUE(sawCzech && sawAccount && sawIncoming && sawTransfer);
}

TEST(CollectorFile, FramingAndScrambling)
{
    const QByteArray plain = bodyWith("123456;0;0;201;701;;\r\n");
    // Coding byte 0: length byte and body as they stand.
    const QByteArray zero = gendata::frame(plain, 0);
    EXPECT_EQ(quint8(zero[1]), plain.size());
    EXPECT_EQ(zero.mid(2), plain);
    EXPECT_EQ(Odkoduj_vetu(zero.constData() + 2, 0, quint8(plain.size())), plain);
    // Any other coding byte: each body byte XOR c.
    const QByteArray scrambled = gendata::frame(plain, 0xA5);
    EXPECT_NE(scrambled.mid(2), plain);
    EXPECT_EQ(Odkoduj_vetu(scrambled.constData() + 2, 0xA5, quint8(plain.size())), plain);
    // The plain text ends at its first zero byte.
    QByteArray withZero = plain;
    withZero[30] = '\0';
    const QByteArray s = gendata::frame(withZero, 0x3C);
    EXPECT_EQ(Odkoduj_vetu(s.constData() + 2, 0x3C, quint8(withZero.size())), plain.left(30));
}

TEST(CollectorFile, MalformedRecordsInAFile)
{
    test::TestEnv env(false);
    const QByteArray good = gendata::frame(bodyWith("123456;0;0;201;701;;\r\n"), 0x11);
    const QString path = env.dataDir() + "/f.dat";
    Datovy_soubor_sberace f;

    // Length byte equal to the coding byte: an empty body.
    writeRaw(path, good + QByteArray("\x55\x55", 2) + good);
    ASSERT_TRUE(f.open(path));
    EXPECT_EQ(f.next(), Datovy_soubor_sberace::Vysledek::Veta);
    EXPECT_EQ(f.next(), Datovy_soubor_sberace::Vysledek::Chybna);

    // A zero byte before position 36 cuts the text short.
    QByteArray z = bodyWith("123456;0;0;201;701;;\r\n");
    z[33] = '\0';
    writeRaw(path, gendata::frame(z, 0x42));
    ASSERT_TRUE(f.open(path));
    EXPECT_EQ(f.next(), Datovy_soubor_sberace::Vysledek::Chybna);

    // A body cut short by the end of the file.
    writeRaw(path, good + good.left(good.size() - 5));
    ASSERT_TRUE(f.open(path));
    EXPECT_EQ(f.next(), Datovy_soubor_sberace::Vysledek::Veta);
    EXPECT_EQ(f.next(), Datovy_soubor_sberace::Vysledek::Chybna);

    // One stray byte at the end is no record: the file simply ends.
    writeRaw(path, good + QByteArray(1, 'x'));
    ASSERT_TRUE(f.open(path));
    EXPECT_EQ(f.next(), Datovy_soubor_sberace::Vysledek::Veta);
    EXPECT_EQ(f.next(), Datovy_soubor_sberace::Vysledek::Konec);

    // An empty file and a missing one.
    writeRaw(path, QByteArray());
    ASSERT_TRUE(f.open(path));
    EXPECT_EQ(f.next(), Datovy_soubor_sberace::Vysledek::Konec);
    EXPECT_FALSE(f.open(env.dataDir() + "/missing.dat"));
}

TEST(CollectorFile, ReadOnlyFileIsRead)
{
    test::TestEnv env(false);
    const QString path = env.dataDir() + "/20240315.dat";
    writeRaw(path, gendata::frame(bodyWith("123456;0;0;201;701;;\r\n"), 9));
    QFile::setPermissions(path, QFile::ReadOwner);
    Datovy_soubor_sberace f;
    ASSERT_TRUE(f.open(path));
    EXPECT_EQ(f.next(), Datovy_soubor_sberace::Vysledek::Veta);
}

TEST(CollectorFile, ValidityRule)
{
    const QByteArray ok = bodyWith("1;0;0;1;1;;\r\n");
    EXPECT_TRUE(Veta_je_spravne(ok));
    // Each of the nine places decides.
    for (int pos : {9, 14, 17, 20, 23, 26, 29, 32, 35}) {
        QByteArray b = ok;
        b[pos] = 'x';
        EXPECT_FALSE(Veta_je_spravne(b)) << pos;
    }
    // Only the separators are checked: letters where digits belong still pass.
    QByteArray letters = ok;
    letters[0] = 'A';
    letters[11] = 'B';
    EXPECT_TRUE(Veta_je_spravne(letters));
    EXPECT_FALSE(Veta_je_spravne(ok.left(35)));
    EXPECT_TRUE(Veta_je_spravne(ok.left(36)));
    EXPECT_FALSE(Veta_je_spravne(QByteArray()));
    // A record dated 0000-00-00 passes the rule.
    EXPECT_TRUE(Veta_je_spravne(bodyWith("1;0;0;1;1;;\r\n", "00:00:00", "0000-00-00 00:00:00")));
    EXPECT_EQ(Q(parse(bodyWith("1;0;0;1;1;;\r\n", "00:00:00", "0000-00-00 00:00:00")).datum_a_cas),
              QStringLiteral("0000-00-00 00:00:00"));
}

TEST(CollectorFile, ControlCharacterMakesARecordMalformed)
{
    const QByteArray ok = bodyWith("1;0;0;1;1;;\r\n");
    ASSERT_TRUE(Veta_je_spravne(ok));
    // A damaged length byte makes a record swallow its CR LF and the next header.
    QByteArray swallowed = ok + QByteArray("\x11\x2f", 2) + "123";
    EXPECT_FALSE(Veta_je_spravne(swallowed));
    for (char c : {'\t', '\r', '\n', '\x01', '\x7f'}) {
        QByteArray b = ok;
        b[40] = c;
        EXPECT_FALSE(Veta_je_spravne(b)) << int(c);
    }
    // The final CR LF is the record's own end; CP1250 letters are no control characters.
    QByteArray czech = ok;
    czech[40] = char(0x9A);  // "š"
    EXPECT_TRUE(Veta_je_spravne(czech));
}

TEST(CollectorFile, RealDatesAndTimes)
{
    for (const char* good : {"2024-02-29 23:59:59", "2023-12-31 00:00:00", "2000-02-29 12:00:00"})
        EXPECT_TRUE(Datum_a_cas_je_platny(good)) << good;
    for (const char* bad : {"2026-11-0a 10:00:00", "2026-13-45 10:00:00", "2026-11-05 12::%:03", "2023-02-29 10:00:00",
                            "1900-02-29 10:00:00", "2026-04-31 10:00:00", "2026-11-05 24:00:00", "2026-11-05 10:60:00",
                            "0000-00-00 00:00:00", "2026-11-05 10:00", "2026-11-05T10:00:00", "+026-11-05 10:00:00"})
        EXPECT_FALSE(Datum_a_cas_je_platny(bad)) << bad;
    const char* d1 = "00:02:10";
    const char* d2 = "00:0%:10";
    EXPECT_TRUE(Delka_je_platna(Pole_vety{d1, 8}));
    EXPECT_FALSE(Delka_je_platna(Pole_vety{d2, 8}));
}

TEST(CollectorFile, FieldSplit)
{
    const QByteArray b = bodyWith(" 0601234567 ;12; 0 ;0123;  705; Info ;  A12 \r\n");
    EXPECT_EQ(vrat_polozku(b, 0), bytes("000000042"));
    EXPECT_EQ(vrat_polozku(b, 1), bytes("2024-03-15 10:20:30"));
    EXPECT_EQ(vrat_polozku(b, 3), bytes("0601234567"));
    EXPECT_EQ(vrat_polozku(b, 9), bytes("A12"));
    EXPECT_EQ(vrat_polozku(b, 10), QByteArray());
    const Struktura_vety v = parse(b);
    EXPECT_EQ(v.cislo_vety, 42);
    EXPECT_EQ(Q(v.volane_cislo), QStringLiteral("0601234567"));
    EXPECT_EQ(v.pocet_impulsu, 12);
    EXPECT_FALSE(v.prepojeni);
    EXPECT_EQ(v.cislo_pobocky, 123); // leading zero lost
    EXPECT_EQ(v.cislo_linky, 705);
    EXPECT_EQ(Q(v.doplnkova_informace), QStringLiteral("Info"));
    EXPECT_EQ(Q(v.kod_uctu), QStringLiteral("A12"));

    // Without CR LF the last field loses its last two characters.
    EXPECT_EQ(Q(parse(bodyWith("1;0;0;1;1;;ABCDEF")).kod_uctu), QStringLiteral("ABCD"));
    // Fewer fields: the last present one loses two characters, the rest are empty.
    const Struktura_vety few = parse(bodyWith("12345;7"));
    EXPECT_EQ(Q(few.volane_cislo), QStringLiteral("12345"));
    EXPECT_EQ(few.pocet_impulsu, 0);
    EXPECT_TRUE(few.prepojeni);
    EXPECT_EQ(few.cislo_pobocky, 0);
    // A ';' inside a field shifts the later ones.
    const Struktura_vety shifted = parse(bodyWith("12;34;5;1;200;701;;\r\n"));
    EXPECT_EQ(Q(shifted.volane_cislo), QStringLiteral("12"));
    EXPECT_EQ(shifted.pocet_impulsu, 34);
}

TEST(CollectorFile, ThirtySixCharacterBody)
{
    const QByteArray b = bodyWith("", "12:34:56").left(36);
    ASSERT_EQ(b.size(), 36);
    ASSERT_TRUE(Veta_je_spravne(b));
    const Struktura_vety v = parse(b);
    EXPECT_EQ(v.cislo_vety, 42);
    EXPECT_EQ(Q(v.delka_hovoru), QStringLiteral("12:03:00")); // "12:34:" less its last two characters
    EXPECT_TRUE(Q(v.volane_cislo).isEmpty());
    EXPECT_EQ(v.pocet_impulsu, 0);
    EXPECT_TRUE(v.prepojeni);
    EXPECT_EQ(v.cislo_pobocky, 0);
    EXPECT_EQ(v.cislo_linky, 0);
    EXPECT_TRUE(Q(v.doplnkova_informace).isEmpty());
    EXPECT_TRUE(Q(v.kod_uctu).isEmpty());
}

TEST(CollectorFile, Conversions)
{
    EXPECT_EQ(Q(parse(bodyWith("1;0;0;1;1;;\r\n", "25:70:10")).delka_hovoru), QStringLiteral("23:59:10"));
    EXPECT_EQ(Oprav_Delku("8"), QStringLiteral("00:00:00"));
    EXPECT_EQ(Oprav_Delku(""), QStringLiteral("00:00:00"));
    EXPECT_EQ(Oprav_Delku("8:5"), QStringLiteral("08:05:00"));
    EXPECT_EQ(Oprav_Delku("830"), QStringLiteral("23:00:00"));
    EXPECT_EQ(Oprav_Delku("25:61:70"), QStringLiteral("23:59:59"));
    EXPECT_EQ(Oprav_Delku("-1:-5:07"), QStringLiteral("00:00:07"));

    // The transfer mark: only exactly "0" is false.
    EXPECT_FALSE(parse(bodyWith("1;0;0;1;1;;\r\n")).prepojeni);
    EXPECT_TRUE(parse(bodyWith("1;0;1;1;1;;\r\n")).prepojeni);
    EXPECT_TRUE(parse(bodyWith("1;0;00;1;1;;\r\n")).prepojeni);
    EXPECT_TRUE(parse(bodyWith("1;0;;1;1;;\r\n")).prepojeni);

    // Numbers: leading digits count, text without digits is 0.
    EXPECT_EQ(textNaCislo("0123"), 123);
    EXPECT_EQ(textNaCislo("12a"), 12);
    EXPECT_EQ(textNaCislo("abc"), 0);
    EXPECT_EQ(textNaCislo(""), 0);
    EXPECT_EQ(textNaCislo("-7"), -7);
    EXPECT_EQ(textNaCislo("99999999999"), 2147483647);

    // Texts are decoded from code page 1250 and cut to 31, 20 and 10 characters.
    const QByteArray called = toCp1250(QStringLiteral("Příchozí")) + QByteArray(40, '9');
    const QByteArray info = toCp1250(QStringLiteral("Přesměrováno")) + QByteArray(30, 'x');
    const Struktura_vety v = parse(bodyWith(called + ";0;0;1;1;" + info + ";" + QByteArray(15, '5') + "\r\n"));
    EXPECT_EQ(Q(v.volane_cislo), QStringLiteral("Příchozí") + QString(23, QLatin1Char('9')));
    EXPECT_EQ(Q(v.doplnkova_informace), QStringLiteral("Přesměrováno") + QString(8, QLatin1Char('x')));
    EXPECT_EQ(Q(v.kod_uctu), QString(10, QLatin1Char('5')));
}
