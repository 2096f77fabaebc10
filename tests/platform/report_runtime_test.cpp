// The report runtime: parsing objects, arguments, paging, group sums, the
// filter and the errors it reports.
#include "platform/report_runtime.h"
#include "test_env.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace kavro;

namespace {

TEST(Runtime, PagesFiltersErrorsAndArguments)
{
    test::TestEnv env;
    ASSERT_TRUE(env.ok());
    Transaction& t = Transaction::main();
    for (int i = 1; i <= 25; ++i)
        ASSERT_TRUE(t.exec("INSERT INTO dba.ciselnik_firem (ID_Firmy, nazev_firmy, ICO) VALUES (?, ?, ?)",
                           {i, QString("Firma %1").arg(i, 2, 10, QChar('0')), i % 3}));
    ReportObject o;
    o.name = "zkouska";
    QString e;
    ASSERT_TRUE(ReportObject::parse("[sestava]\nhlavicka = Pro :kdo\nargument = kdo text\nargument = skupina cislo\n"
                                    "skupina = g\n[sloupce]\nnazev = text | Název\ng = text | Skupina\n"
                                    "n = cislo | Počet | soucet\n[select]\n"
                                    "SELECT nazev_firmy AS nazev, ICO AS g, ID_Firmy AS n FROM dba.ciselnik_firem\n"
                                    " WHERE ICO <> :skupina OR :kdo = 'O''Brien: ''x'''\n ORDER BY ICO, ID_Firmy\n",
                                    &o, &e))
        << e.toStdString();
    Report r;
    r.setObject(o);
    // An apostrophe in an argument is bound, never pasted.
    ASSERT_TRUE(r.retrieve({"O'Brien", 0})) << r.errorText().toStdString();
    EXPECT_EQ(r.header(), QStringList{"Pro O'Brien"});
    EXPECT_EQ(r.lines().size(), 0);
    EXPECT_EQ(r.total().count, 17); // ICO 1 and 2
    EXPECT_EQ(r.fetch(5), 5);       // rows are read as asked for
    EXPECT_TRUE(r.canFetchMore());
    r.fetchAll();
    // 9 rows of group "1", its sum, 8 rows of group "2", its sum, the total.
    ASSERT_EQ(r.lines().size(), 20);
    EXPECT_EQ(r.lines()[9].kind, Report::Line::GroupSum);
    EXPECT_EQ(r.lines()[9].group, "1");
    EXPECT_EQ(r.lines()[9].values[2].toInt(), 117);
    EXPECT_EQ(r.lines()[18].group, "2");
    EXPECT_EQ(r.lines()[18].values[2].toInt(), 100);
    EXPECT_EQ(r.lines().last().kind, Report::Line::Total);
    EXPECT_EQ(r.lines().last().values[2].toInt(), 217);

    // A filter on a column; what is not a plain comparison is refused.
    ASSERT_TRUE(r.setFilter("n>20"));
    ASSERT_TRUE(r.retrieve({"x", 9}));
    r.fetchAll();
    EXPECT_EQ(r.total().count, 5);
    EXPECT_FALSE(r.setFilter("n>1 or 1=1"));
    EXPECT_FALSE(r.setFilter("neni>1"));
    EXPECT_TRUE(r.setFilter(""));

    // A database error is reported, not shown as an empty report.
    r.setSelect("SELECT nazev_firmy, ICO, ID_Firmy FROM dba.neni_tabulka");
    EXPECT_FALSE(r.retrieve({}));
    EXPECT_FALSE(r.errorText().isEmpty());
    EXPECT_FALSE(r.canFetchMore());
    // A Select whose columns do not match the object is refused.
    r.setSelect("SELECT nazev_firmy FROM dba.ciselnik_firem");
    EXPECT_FALSE(r.retrieve({}));
    EXPECT_FALSE(r.setObject("neni_v_knihovne"));
    EXPECT_FALSE(r.errorText().isEmpty());

    EXPECT_EQ(formatMoney(123456), "1234,56");
    EXPECT_EQ(formatMoney(-5), "-0,05");
    EXPECT_EQ(formatDuration(90061), "25:01:01");
}

// A report only reads: a Select that would change anything is refused with a
// message naming the report's file, on either engine, and the unit of work
// (with the shut-down commit after it) changes nothing it did not hold before.
TEST(Runtime, StatementsThatWouldWriteAreRefused)
{
    test::TestEnv env;
    ASSERT_TRUE(env.ok()) << env.error().toStdString();
    Transaction& t = Transaction::main();
    ASSERT_TRUE(
        t.exec("INSERT INTO dba.hovory (id_hovoru, ustredna_datum_a_cas, status_hovoru) VALUES "
               "(1, '2024-03-01 08:00:00', 10), (2, '2024-03-02 08:00:00', 10), (3, '2024-03-03 08:00:00', 10)"));
    ASSERT_TRUE(t.commit());
    // Pending work of the unit that the refusals must not undo.
    ASSERT_TRUE(t.exec("INSERT INTO dba.ciselnik_firem (ID_Firmy, nazev_firmy) VALUES (1, 'Rozpracovaná')"));

    const QString slozka = env.dir() + "/sestavy";
    ASSERT_TRUE(QDir().mkpath(slozka));
    ReportLibrary::setFolder(slozka);
    const QString soubor = slozka + "/zlomyslna.sestava";
    const QStringList prikazy{
        "DELETE FROM dba.hovory",
        "UPDATE dba.hovory SET status_hovoru = 2",
        "INSERT INTO dba.hovory (id_hovoru, status_hovoru) VALUES (4, 10)",
        "DROP TABLE dba.hovory",
        "CREATE TRIGGER zlomyslny AFTER INSERT ON dba.hovory FOR EACH ROW EXECUTE FUNCTION dba.neni()",
        "CREATE TRIGGER dba.zlomyslny AFTER INSERT ON hovory BEGIN DELETE FROM hovory; END",
        "ATTACH DATABASE '" + env.dir() + "/jina.db' AS jina",
        "  -- a comment first\n (DELETE FROM dba.hovory)",
        "COMMIT",
        // Past the first word: the engine itself tells the write.
        "WITH x AS (SELECT 1 AS a) DELETE FROM dba.hovory",
        "WITH x AS (SELECT 1 AS a) UPDATE dba.hovory SET status_hovoru = 2",
        "WITH x AS (SELECT 1 AS a) INSERT INTO dba.hovory (id_hovoru, status_hovoru) SELECT 5, 10 FROM x",
    };
    for (const QString& p : prikazy) {
        SCOPED_TRACE(p.toStdString());
        QFile f(soubor);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(("[sloupce]\na = cislo | A | soucet\n[select]\n" + p + "\n").toUtf8());
        f.close();
        Report r;
        ASSERT_TRUE(r.setObject("zlomyslna")) << r.errorText().toStdString();
        EXPECT_FALSE(r.retrieve({}));
        EXPECT_TRUE(r.errorText().contains("„" + soubor + "“")) << r.errorText().toStdString();
        EXPECT_TRUE(r.errorText().contains("smí data jen číst")) << r.errorText().toStdString();
        EXPECT_FALSE(r.canFetchMore());
    }
    // Data-changing WITH parts: the server refuses them as writes, the file
    // engine cannot even read them; either way nothing runs.
    Report w;
    ReportObject o;
    QString e;
    ASSERT_TRUE(ReportObject::parse("[sloupce]\nn = cislo | N\n[select]\n"
                                    "WITH d AS (DELETE FROM dba.hovory RETURNING 1) SELECT count(*) AS n FROM d\n",
                                    &o, &e));
    w.setObject(o);
    EXPECT_FALSE(w.retrieve({}));
    if (test::onServer()) {
        EXPECT_TRUE(w.errorText().contains("smí data jen číst")) << w.errorText().toStdString();
    }

    // The unit goes on: a reading report still reads, and the commit at
    // shut-down keeps the pending firm and nothing of the refused statements.
    Report dobra;
    ASSERT_TRUE(ReportObject::parse("[sloupce]\nn = cislo | N | soucet\n[select]\n"
                                    "SELECT id_hovoru AS n FROM dba.hovory ORDER BY id_hovoru\n",
                                    &o, &e));
    dobra.setObject(o);
    ASSERT_TRUE(dobra.retrieve({})) << dobra.errorText().toStdString();
    dobra.fetchAll();
    EXPECT_EQ(dobra.total().count, 3);
    ASSERT_TRUE(t.commit()) << t.lastErrorText().toStdString();
    EXPECT_EQ(t.scalar("SELECT count(*) FROM dba.hovory WHERE status_hovoru = 10"), "3");
    EXPECT_EQ(t.scalar("SELECT max(id_hovoru) FROM dba.hovory"), "3");
    EXPECT_EQ(t.scalar("SELECT nazev_firmy FROM dba.ciselnik_firem WHERE ID_Firmy = 1"), "Rozpracovaná");
    // No trigger was made: a new call stays.
    ASSERT_TRUE(t.exec("INSERT INTO dba.hovory (id_hovoru, status_hovoru) VALUES (6, 2)"));
    EXPECT_EQ(t.scalar("SELECT count(*) FROM dba.hovory"), "4");
    EXPECT_FALSE(QFileInfo::exists(env.dir() + "/jina.db"));
    ReportLibrary::setFolder(QString());
}

// A ';' ends the one statement a report may run; only blanks and comments
// may follow it. Quotes and comments hide a ';', and a text the engines
// could split differently counts as more than one statement.
TEST(Runtime, OneStatementWhateverItsQuotesAndComments)
{
    for (const char* jeden : {
             "SELECT 1",
             "SELECT 1;",
             "SELECT 1 ;  \n\t",
             "SELECT 1; -- konec",
             "SELECT 1; /* konec */ -- a ještě",
             "SELECT ';' AS a",
             "SELECT 'a;''b; DELETE FROM x' AS a",
             "SELECT \"a;\"\"b\" FROM x",
             "SELECT 1 -- ; DELETE FROM x\nFROM y",
             "SELECT 1 /* ; DELETE FROM x */ FROM y",
             "SELECT 1 /**/ FROM y; /*/ ; */",
             "SELECT a$b$, $1 FROM t",
             "SELECT 'neuzavřený ; DELETE FROM x",
             "SELECT a FROM t WHERE b LIKE ?3 ESCAPE '\\'; -- the call browser's condition",
             "SELECT E'\\';' AS a, e'b\\\\' AS b, E'c'';' AS c",
         }) {
        SCOPED_TRACE(jeden);
        EXPECT_TRUE(isOneStatement(QString::fromUtf8(jeden)));
    }
    for (const char* vice : {
             "SELECT 1; DELETE FROM x",
             "SELECT 1 AS kod, 'a' AS mesto, 'b' AS pasmo; COMMIT; DELETE FROM dba.ciselnik_firem WHERE id_firmy = 3",
             "SELECT 1;;",
             "SELECT 1; 'x'",
             "SELECT 'a'';' AS x; DELETE FROM x",
             "SELECT 1; -- x\nDELETE FROM x",
             "SELECT 1 /* x */; /* y */ DELETE FROM x",
             // A server ends a line comment at a CR too.
             "SELECT 1 -- x\r; DELETE FROM x",
             // A server nests comments: here the ';' is outside for it.
             "SELECT 1 /* a /* b */ ' */ ; DELETE FROM x; -- '",
             // Escapes and dollar quotes only a server reads.
             "SELECT E'\\'' AS a; DELETE FROM x; -- '",
             "SELECT '\\' AS a; DELETE FROM x; -- '",
             "SELECT $$'$$; DELETE FROM x; SELECT '",
             "SELECT $a$'$a$; DELETE FROM x; SELECT '",
         }) {
        SCOPED_TRACE(vice);
        EXPECT_FALSE(isOneStatement(QString::fromUtf8(vice)));
        EXPECT_EQ(withoutFinalSemicolon(QString::fromUtf8(vice)), QString::fromUtf8(vice));
    }
    // The end of one statement is cut before it is built into another.
    EXPECT_EQ(withoutFinalSemicolon("SELECT 1 ;  \n\t"), "SELECT 1 ");
    EXPECT_EQ(withoutFinalSemicolon("SELECT ';' AS a; /* konec */ -- a ještě"), "SELECT ';' AS a");
    EXPECT_EQ(withoutFinalSemicolon("SELECT 1 -- ; x\nFROM y"), "SELECT 1 -- ; x\nFROM y");
    EXPECT_EQ(withoutFinalSemicolon("SELECT E'\\';' AS a;"), "SELECT E'\\';' AS a");
}

// Text after the first statement is refused before anything runs, on either
// engine: the firms stay as they were (also for another program), the pending
// work of the unit stays pending, and the connection goes on serving reports
// after a refused and after a failing statement.
TEST(Runtime, MoreThanOneStatementIsRefusedAndTheConnectionGoesOn)
{
    test::TestEnv env;
    ASSERT_TRUE(env.ok()) << env.error().toStdString();
    Transaction& t = Transaction::main();
    for (int i = 1; i <= 6; ++i)
        ASSERT_TRUE(t.exec("INSERT INTO dba.ciselnik_firem (ID_Firmy, nazev_firmy) VALUES (?, ?)",
                           {i, QString("Firma %1").arg(i)}));
    ASSERT_TRUE(t.commit());
    ASSERT_TRUE(t.exec("INSERT INTO dba.ciselnik_firem (ID_Firmy, nazev_firmy) VALUES (7, 'Rozpracovaná')"));
    Transaction jiny;
    ASSERT_TRUE(env.connectAgain(jiny)) << jiny.lastErrorText().toStdString();
    auto firmy = [](Transaction& s) {
        QStringList id;
        Query q(s, "SELECT id_firmy FROM dba.ciselnik_firem ORDER BY id_firmy");
        EXPECT_TRUE(q.eachRow([&](Query& r) { id << r.value(1); })) << q.lastErrorText().toStdString();
        return id.join(",").toStdString();
    };

    const QString slozka = env.dir() + "/sestavy";
    ASSERT_TRUE(QDir().mkpath(slozka));
    ReportLibrary::setFolder(slozka);
    const QString soubor = slozka + "/mesta.sestava";
    auto sestava = [&](const QString& select) {
        QFile f(soubor);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(("[sloupce]\nkod = text | Kód\nmesto = text | Město\npasmo = text | Pásmo\n[select]\n" + select + "\n")
                    .toUtf8());
    };
    auto dobra = [&]() {
        SCOPED_TRACE("a good report");
        sestava(
            "SELECT id_firmy AS kod, nazev_firmy AS mesto, 'b' AS pasmo FROM dba.ciselnik_firem ORDER BY id_firmy;\n"
            "-- the end");
        Report r;
        ASSERT_TRUE(r.setObject("mesta")) << r.errorText().toStdString();
        ASSERT_TRUE(r.retrieve({})) << r.errorText().toStdString();
        r.fetchAll();
        EXPECT_TRUE(r.errorText().isEmpty()) << r.errorText().toStdString();
        ASSERT_EQ(r.lines().size(), 7);
        EXPECT_EQ(r.lines()[2].values[1].toString(), "Firma 3");
        EXPECT_EQ(r.lines()[6].values[1].toString(), "Rozpracovaná");
    };
    dobra();
    for (const QString& p : {
             QString("SELECT id_firmy AS kod, nazev_firmy AS mesto, 'b' AS pasmo FROM dba.ciselnik_firem; "
                     "DELETE FROM dba.ciselnik_firem WHERE id_firmy = 3"),
             QString("SELECT 1 AS kod, 'a' AS mesto, 'b' AS pasmo; COMMIT; DELETE FROM dba.ciselnik_firem WHERE "
                     "id_firmy = 3"),
         }) {
        SCOPED_TRACE(p.toStdString());
        sestava(p);
        Report r;
        ASSERT_TRUE(r.setObject("mesta")) << r.errorText().toStdString();
        EXPECT_FALSE(r.retrieve({}));
        EXPECT_TRUE(r.errorText().contains("„" + soubor + "“")) << r.errorText().toStdString();
        EXPECT_TRUE(r.errorText().contains("smí mít jen jeden příkaz")) << r.errorText().toStdString();
        EXPECT_FALSE(r.errorText().contains("měnil data")) << r.errorText().toStdString();
        EXPECT_EQ(firmy(t), "1,2,3,4,5,6,7");
        jiny.rollback(); // a new look at what is committed
        EXPECT_EQ(firmy(jiny), "1,2,3,4,5,6");
        dobra();
    }
    // A statement that fails on its own leaves the connection usable as well.
    sestava("SELECT neni_sloupec AS kod, nazev_firmy AS mesto, 'b' AS pasmo FROM dba.ciselnik_firem");
    Report chybna;
    ASSERT_TRUE(chybna.setObject("mesta"));
    EXPECT_FALSE(chybna.retrieve({}));
    EXPECT_FALSE(chybna.errorText().contains("smí data jen číst")) << chybna.errorText().toStdString();
    dobra();
    ASSERT_TRUE(t.commit()) << t.lastErrorText().toStdString();
    jiny.rollback();
    EXPECT_EQ(firmy(jiny), "1,2,3,4,5,6,7");
    ReportLibrary::setFolder(QString());
}

TEST(Runtime, ParserRefusesBrokenObjects)
{
    ReportObject o;
    QString e;
    EXPECT_FALSE(ReportObject::parse("[sestava]\n[sloupce]\na = text | A\n", &o, &e)); // no Select
    EXPECT_FALSE(ReportObject::parse("[sloupce]\na = barva | A\n[select]\nSELECT 1 AS a\n", &o, &e));
    EXPECT_FALSE(ReportObject::parse("[sestava]\nskupina = b\n[sloupce]\na = text | A\n[select]\nSELECT 1 AS a\n", &o, &e));
    EXPECT_FALSE(ReportObject::parse("[jine]\n", &o, &e));
    EXPECT_TRUE(e.startsWith("Řádek 1"));
    EXPECT_TRUE(ReportObject::parse("# c\n[sloupce]\na = cas | A | soucet\n[select]\nSELECT 1 AS a\n", &o, &e));
    EXPECT_EQ(o.columns[0].kind, ReportColumn::Duration);
    EXPECT_TRUE(o.hasSums());
}

} // namespace
