// kavro-gendata: writes collector daily files (and, with --directory, fills a
// database with a directory of firms, extensions and subscribers).
#include "gendata.h"

#include "platform/database.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>

using namespace kavro;

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral("Generátor denních souborů sběrače a adresářů"));
    p.addHelpOption();
    p.addOptions({
        {QStringLiteral("out"), QStringLiteral("Výstupní složka"), QStringLiteral("složka"), QStringLiteral(".")},
        {QStringLiteral("seed"), QStringLiteral("Semínko náhodných čísel"), QStringLiteral("n"), QStringLiteral("1")},
        {QStringLiteral("first-day"), QStringLiteral("První den (RRRR-MM-DD)"), QStringLiteral("den"), QStringLiteral("2024-03-01")},
        {QStringLiteral("days"), QStringLiteral("Počet dní"), QStringLiteral("n"), QStringLiteral("1")},
        {QStringLiteral("calls"), QStringLiteral("Hovorů za den"), QStringLiteral("n"), QStringLiteral("1000")},
        {QStringLiteral("malformed"), QStringLiteral("Podíl chybných vět (0-1)"), QStringLiteral("x"), QStringLiteral("0")},
        {QStringLiteral("first-number"), QStringLiteral("Číslo první věty"), QStringLiteral("n"), QStringLiteral("1")},
        {QStringLiteral("extensions"), QStringLiteral("Počet poboček"), QStringLiteral("n"), QStringLiteral("2000")},
        {QStringLiteral("upper-case"), QStringLiteral("Jména souborů velkými písmeny (.DAT)")},
        {QStringLiteral("db"), QStringLiteral("Databáze, z níž se vezmou předvolby měst a států"), QStringLiteral("soubor")},
    });
    p.process(app);

    gendata::Options o;
    o.outDir = p.value(QStringLiteral("out"));
    o.seed = p.value(QStringLiteral("seed")).toUInt();
    o.firstDay = QDate::fromString(p.value(QStringLiteral("first-day")), QStringLiteral("yyyy-MM-dd"));
    o.days = p.value(QStringLiteral("days")).toInt();
    o.callsPerDay = p.value(QStringLiteral("calls")).toInt();
    o.malformedShare = p.value(QStringLiteral("malformed")).toDouble();
    o.firstRecordNumber = p.value(QStringLiteral("first-number")).toInt();
    o.extensions = p.value(QStringLiteral("extensions")).toInt();
    o.upperCaseNames = p.isSet(QStringLiteral("upper-case"));
    if (!o.firstDay.isValid() || o.days < 0 || o.callsPerDay < 0) {
        std::fprintf(stderr, "Chybný parametr\n");
        return 2;
    }

    Transaction t;
    if (p.isSet(QStringLiteral("db"))) {
        if (!t.connectFile(p.value(QStringLiteral("db")))) {
            std::fprintf(stderr, "%s\n", qPrintable(t.lastErrorText()));
            return 1;
        }
        o.codes = gendata::codesFromDatabase(t);
    }
    if (o.days > 0) {
        gendata::Result r;
        if (!gendata::writeFiles(o, &r)) {
            std::fprintf(stderr, "%s\n", qPrintable(r.error));
            return 1;
        }
        std::printf("%d souborů, %lld vět (%lld chybných), %lld bajtů v %s\n", r.files, r.records, r.malformed,
                    r.bytes, qPrintable(o.outDir));
    }
    return 0;
}
