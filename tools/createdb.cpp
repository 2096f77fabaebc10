// kavro-createdb FILE [DBDIR]: creates a new database file from the schema and
// reference data in db/.
#include "platform/database.h"
#include "volby.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    kavro::nastroje::Pouziti u;
    u.program = QStringLiteral("kavro-createdb");
    u.argumenty = QStringLiteral("SOUBOR [SLOŽKA_SE_SCHÉMATEM]");
    u.popis = QStringLiteral("Vytvoří novou databázi SOUBOR s tabulkami a referenčními daty ze složky db/.");
    u.popisArgumentu = {
        QStringLiteral("SOUBOR                nová databáze (nesmí existovat)"),
        QStringLiteral("SLOŽKA_SE_SCHÉMATEM   jiná složka se schématem než %1").arg(QStringLiteral(KAVRO_DB_DIR))};
    u.nejmeneArgumentu = 1;
    u.nejviceArgumentu = 2;
    QCommandLineParser p;
    int kod = 0;
    if (!kavro::nastroje::zpracujVolby(p, app.arguments(), u, &kod)) return kod;
    const QStringList args = QStringList{app.arguments().constFirst()} + p.positionalArguments();
    const QString dir = args.size() == 3 ? args[2] : QStringLiteral(KAVRO_DB_DIR);
    QString error;
    if (!kavro::createDatabase(args[1], dir, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    std::printf("Databáze %s vytvořena\n", qPrintable(args[1]));
    return 0;
}
