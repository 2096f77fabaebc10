#pragma once
// The command line of the development programs: "--help" (or "-h") prints the
// usage and ends the program with 0; an unknown option, an option without its
// value, a value that is itself an option, or a wrong number of arguments
// prints why and the usage and ends it with 2. So an option is never taken
// for a folder or a file name.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>
#include <cstdio>

namespace kavro::nastroje {

struct Pouziti {
    QString program; // "kavro-demo"
    QString argumenty; // "SLOŽKA", shown after the options
    QString popis; // one paragraph: what the program does
    QStringList popisArgumentu; // "SLOŽKA  složka instalace", one a line
    int nejmeneArgumentu = 0;
    int nejviceArgumentu = 0;
    QList<QCommandLineOption> volby; // without --help
};

inline QString napoveda(const Pouziti& u)
{
    QString t = QStringLiteral("použití: %1 [volby]%2\n\n%3\n")
                    .arg(u.program, u.argumenty.isEmpty() ? QString() : QLatin1Char(' ') + u.argumenty, u.popis);
    if (!u.popisArgumentu.isEmpty()) {
        t += QStringLiteral("\nArgumenty:\n");
        for (const QString& a : u.popisArgumentu) t += QStringLiteral("  ") + a + QLatin1Char('\n');
    }
    t += QStringLiteral("\nVolby:\n  ") + QStringLiteral("-h, --help").leftJustified(30)
        + QStringLiteral("vypíše tento návod\n");
    for (const QCommandLineOption& v : u.volby) {
        QString jmeno = QStringLiteral("--") + v.names().constLast();
        if (!v.valueName().isEmpty()) jmeno += QStringLiteral(" <") + v.valueName() + QLatin1Char('>');
        QString radek = QStringLiteral("  ") + jmeno.leftJustified(30) + v.description();
        if (!v.defaultValues().isEmpty() && !v.defaultValues().constFirst().isEmpty())
            radek += QStringLiteral(" (výchozí %1)").arg(v.defaultValues().constFirst());
        t += radek + QLatin1Char('\n');
    }
    return t;
}

// Parses `argumenty` (the program's first). True when the program goes on;
// false when it must end with *kod (0 after the usage, 2 after an error).
inline bool zpracujVolby(QCommandLineParser& p, const QStringList& argumenty, const Pouziti& u, int* kod)
{
    const QCommandLineOption pomoc(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    p.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    p.addOption(pomoc);
    p.addOptions(u.volby);
    const auto chyba = [&](const QString& proc) {
        std::fprintf(stderr, "%s: %s\n\n%s", qPrintable(u.program), qPrintable(proc), qPrintable(napoveda(u)));
        *kod = 2;
        return false;
    };
    // The help wins over everything else on the line.
    for (int i = 1; i < argumenty.size(); ++i)
        if (argumenty[i] == QLatin1String("--help") || argumenty[i] == QLatin1String("-h")
            || argumenty[i] == QLatin1String("-help")) {
            std::printf("%s", qPrintable(napoveda(u)));
            *kod = 0;
            return false;
        }
    if (!p.parse(argumenty)) {
        const QStringList nezname = p.unknownOptionNames();
        if (!nezname.isEmpty()) {
            // The option as it was typed, dashes included.
            QString volba = nezname.constFirst();
            for (const QString& a : argumenty)
                if (a.startsWith(QLatin1Char('-'))
                    && a.section(QLatin1Char('='), 0, 0).endsWith(QLatin1Char('-') + volba)) {
                    volba = a.section(QLatin1Char('='), 0, 0);
                    break;
                }
            return chyba(QStringLiteral("neznámá volba „%1“").arg(volba));
        }
        return chyba(QStringLiteral("chybná volba: %1").arg(p.errorText()));
    }
    for (const QCommandLineOption& v : u.volby) {
        if (v.valueName().isEmpty() || !p.isSet(v)) continue;
        const QString hodnota = p.value(v);
        // "--out --help" would take "--help" for the folder.
        if (hodnota.startsWith(QLatin1Char('-')) && !(hodnota.size() > 1 && hodnota[1].isDigit()))
            return chyba(
                QStringLiteral("volbě --%1 chybí hodnota (místo ní je „%2“)").arg(v.names().constLast(), hodnota));
    }
    const QStringList poz = p.positionalArguments();
    for (const QString& a : poz)
        if (a.startsWith(QLatin1Char('-')) && a.size() > 1) return chyba(QStringLiteral("neznámá volba „%1“").arg(a));
    if (poz.size() < u.nejmeneArgumentu || poz.size() > u.nejviceArgumentu)
        return chyba(u.nejviceArgumentu == 0
                         ? QStringLiteral("program nebere žádné argumenty („%1“)").arg(poz.join(u' '))
                         : QStringLiteral("chybný počet argumentů"));
    return true;
}

} // namespace kavro::nastroje
