// kavro-gendata: writes collector daily files (and, with --directory, fills a
// database with a directory of firms, extensions and subscribers).
#include "gendata.h"
#include "directory.h"

#include "platform/database.h"
#include "../volby.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>

using namespace kavro;

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    nastroje::Pouziti u;
    u.program = QStringLiteral("kavro-gendata");
    u.popis = QStringLiteral("Zapíše denní soubory sběrače (a s volbou --directory naplní databázi adresáři).");
    u.volby = {
        {QStringLiteral("out"), QStringLiteral("Výstupní složka"), QStringLiteral("složka"), QStringLiteral(".")},
        {QStringLiteral("seed"), QStringLiteral("Semínko náhodných čísel"), QStringLiteral("n"), QStringLiteral("1")},
        {QStringLiteral("first-day"), QStringLiteral("První den (RRRR-MM-DD)"), QStringLiteral("den"),
         QStringLiteral("2024-03-01")},
        {QStringLiteral("days"), QStringLiteral("Počet dní"), QStringLiteral("n"), QStringLiteral("1")},
        {QStringLiteral("calls"), QStringLiteral("Hovorů za den"), QStringLiteral("n"), QStringLiteral("1000")},
        {QStringLiteral("malformed"), QStringLiteral("Podíl chybných vět (0-1)"), QStringLiteral("x"),
         QStringLiteral("0")},
        {QStringLiteral("first-number"), QStringLiteral("Číslo první věty"), QStringLiteral("n"), QStringLiteral("1")},
        {QStringLiteral("extensions"), QStringLiteral("Počet poboček"), QStringLiteral("n"), QStringLiteral("2000")},
        {QStringLiteral("upper-case"), QStringLiteral("Jména souborů velkými písmeny (.DAT)")},
        {QStringLiteral("db"), QStringLiteral("Databáze, z níž se vezmou předvolby měst a států"),
         QStringLiteral("soubor")},
        {QStringLiteral("directory"),
         QStringLiteral("Naplnit databázi (--db) státy, městy, účastníky, firmami a pobočkami")},
        {QStringLiteral("subscribers"), QStringLiteral("Počet účastníků adresáře"), QStringLiteral("n"),
         QStringLiteral("50000")},
    };
    QCommandLineParser p;
    int kod = 0;
    if (!nastroje::zpracujVolby(p, app.arguments(), u, &kod)) return kod;

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
        if (p.isSet(QStringLiteral("directory"))) {
            gendata::DirectoryOptions d;
            d.seed = o.seed;
            d.extensions = o.extensions;
            d.subscribers = p.value(QStringLiteral("subscribers")).toInt();
            d.from = o.firstDay.addYears(-1);
            QString error;
            gendata::DirectoryResult dr;
            if (!gendata::fillDirectory(t, d, &dr, &error)) {
                std::fprintf(stderr, "%s\n", qPrintable(error));
                return 1;
            }
            std::printf("Adresář: %lld států, %lld měst, %lld účastníků, %lld poboček (%lld přiřazení)\n",
                        dr.states, dr.cities, dr.subscribers, dr.extensions, dr.assignments);
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
