// kavro-demo FOLDER: prepares a demonstration installation in FOLDER.
//
// The first time it creates the database kavro.db (tables and reference data
// from db/), fills a small directory, the site of the exchange and sample
// tariff tables, writes the collector's daily files of the last 30 days into
// FOLDER/sberac and registers the data source "KAVRO" and the collector's
// directory in the program's settings. Later calls only make sure the data
// source is registered. The calls themselves are imported by the program
// ("Hovory" > "Načtení nových", Ctrl+N).
#include "demo_data.h"
#include "../volby.h"

#include "platform/registry.h"
#include "common/registry_names.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

using namespace kavro;

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    nastroje::Pouziti u;
    u.program = QStringLiteral("kavro-demo");
    u.argumenty = QStringLiteral("SLOŽKA");
    u.popis =
        QStringLiteral("Připraví ukázkovou instalaci: poprvé databázi kavro.db s adresáři a tarifními tabulkami a\n"
                       "denní soubory sběrače za posledních 30 dní v SLOŽKA/sberac, a zapíše zdroj dat KAVRO\n"
                       "a adresář sběrače do nastavení programu (soubor z proměnné KAVRO_REGISTRY).");
    u.popisArgumentu = {QStringLiteral("SLOŽKA    složka ukázkové instalace (vytvoří se)")};
    u.nejmeneArgumentu = u.nejviceArgumentu = 1;
    QCommandLineParser p;
    int kod = 0;
    if (!nastroje::zpracujVolby(p, app.arguments(), u, &kod)) return kod;
    const QString folder = QDir(p.positionalArguments().constFirst()).absolutePath();
    QDir().mkpath(folder);
    const QString dbPath = folder + QStringLiteral("/kavro.db");
    if (!QFileInfo::exists(dbPath) && !demo::create(folder, dbPath)) {
        QFile::remove(dbPath);
        return 1;
    }
    Registry& r = Registry::instance();
    if (r.read(registr::KlicZdrojeKavro, registr::Database).isEmpty()) {
        r.writeAll(registr::KlicZdrojeKavro, {{registr::Database, dbPath}, {registr::Start, QStringLiteral("dbeng -c 16M")}});
    }
    return 0;
}
