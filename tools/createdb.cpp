// kavro-createdb FILE [DBDIR]: creates a new database file from the schema and
// reference data in db/.
#include "platform/database.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2 || args.size() > 3) {
        std::fprintf(stderr, "použití: kavro-createdb SOUBOR [SLOŽKA_SE_SCHÉMATEM]\n");
        return 2;
    }
    const QString dir = args.size() == 3 ? args[2] : QStringLiteral(KAVRO_DB_DIR);
    QString error;
    if (!kavro::createDatabase(args[1], dir, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    std::printf("Databáze %s vytvořena\n", qPrintable(args[1]));
    return 0;
}
