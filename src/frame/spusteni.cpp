#include "spusteni.h"

#include "common/konfigurace.h"
#include "common/registry_names.h"

namespace kavro {

QString jmeno_aplikace;
QString aplikace_v_registru = registr::Aplikace;
QString Jmeno_uzivatele;

QString jmenoInstance(const QString& prikazova_radka)
{
    QString jmeno;
    const qsizetype od = prikazova_radka.indexOf(QStringLiteral("-n "), 0, Qt::CaseInsensitive);
    if (od >= 0) {
        for (qsizetype i = od + 3; i < prikazova_radka.size(); ++i) {
            if (prikazova_radka.mid(i, 2) == QStringLiteral("-s")) break;
            jmeno += prikazova_radka[i];
        }
    }
    // The default comes before trimming: a name of blanks only ends up empty.
    if (jmeno.isEmpty()) jmeno = QStringLiteral("Sberac");
    return jmeno.trimmed();
}

bool pyta_napovedu(const QStringList& argumenty)
{
    bool vJmenu = false;
    for (const QString& a : argumenty) {
        if (vJmenu) {
            // A name may hold anything, "--help" too, up to "-s".
            vJmenu = !a.startsWith(QStringLiteral("-s"));
            continue;
        }
        if (a == QStringLiteral("--help") || a == QStringLiteral("-h")) return true;
        vJmenu = a.compare(QStringLiteral("-n"), Qt::CaseInsensitive) == 0;
    }
    return false;
}

QString napoveda_prikazove_radky()
{
    return QStringLiteral(
        "použití: kavro [-n INSTANCE [-s]]\n\n"
        "Spustí Kavro, evidenci hovorů telefonní ústředny.\n\n"
        "Volby:\n"
        "  -n INSTANCE   konfigurace INSTANCE (výchozí Sberac); jméno končí volbou -s nebo koncem řádku,\n"
        "                jiné argumenty se nečtou\n"
        "  -h, --help    vypíše tento návod\n\n"
        "Nastavení je v souboru z proměnné KAVRO_REGISTRY (jinak ~/.config/kavro/registry.ini).\n");
}

QString titulekOkna(const QString& instance, const QString& ustredna)
{
    return QStringLiteral("Kavro  - (") + instance + QStringLiteral(") -  ") + ustredna;
}

int stupenOpravneni(const QString& heslo, const QString& pwd1, const QString& pwd2)
{
    if (heslo == pwd1) return 3;
    if (heslo == pwd2) return 2;
    return 1;
}

QString textOpravneni(int stupen)
{
    switch (stupen) {
    case 3: return QStringLiteral("Právo Administrátora");
    case 2: return QStringLiteral("Právo Oprav");
    default: return QStringLiteral("Právo čtení");
    }
}

void vyplnRegistr(konfiguracni_hodnoty& konfigurace, const QString& jmeno, const QString& hodnota)
{
    if (konfigurace.precti_promennou_registru(jmeno, QString()).isEmpty())
        konfigurace.zapis_promenou_do_registru(jmeno, hodnota, QString());
}

} // namespace kavro
