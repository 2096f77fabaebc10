// The external directory: importing a file of 100,000 lines (through the
// logic and through the window), and the completion windows listing their
// candidates from the stored calls.
#include "benchmark.h"

#include "external_directory/doplneni_ucastniku.h"
#include "external_directory/forms/doplneni_ucastniku_podle_volanych_cisel.h"
#include "external_directory/forms/import_vnejsiho_telefonniho_seznamu.h"
#include "external_directory/forms/vyhledani_a_doplneni_neznamych_predvoleb.h"
#include "external_directory/import_vnejsiho_seznamu.h"
#include "external_directory/nezname_predvolby.h"
#include "platform/cp1250.h"
#include "platform/database.h"
#include "platform/forms/file_question.h"
#include "platform/unit_of_work.h"
#include "tariffing/tarifovani.h"
#include "tarifovani_bulk.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <cstdio>
#include <random>

namespace kavro::benchmark {

namespace {

constexpr int kRadku = 100000;

// A directory file of `radku` lines in the forms people write numbers in:
// international with "+" or "00", long distance with "0", local, with blanks
// and dashes; every 20th line has a city the directory lacks.
bool zapisSoubor(const QString& cesta, int radku, QString* error)
{
    struct Mesto { QString stat, mesto; };
    std::vector<Mesto> mesta;
    Query q(Transaction::main(), QStringLiteral("SELECT kod_statu, kod_mesta FROM dba.ciselnik_mest"));
    if (!q.run()) {
        *error = q.lastErrorText();
        return false;
    }
    for (; !q.atEnd(); q.next()) mesta.push_back({q.value(1), q.value(2)});
    if (mesta.empty()) {
        *error = QStringLiteral("no cities");
        return false;
    }
    const QString domov = Transaction::main().scalar(QStringLiteral("SELECT kod_statu FROM dba.konfigurace_mista"));
    std::mt19937 rng(19);
    QString text;
    text.reserve(radku * 48);
    for (int i = 0; i < radku; ++i) {
        const Mesto& m = mesta[rng() % mesta.size()];
        const QString cislo = QString::number(100000 + rng() % 8900000);
        QString n;
        if (i % 20 == 19) n = QStringLiteral("00 999 ") + cislo;
        else if (m.stat == domov) n = (i % 3 ? QStringLiteral("0") : QStringLiteral("+") + domov + QLatin1Char(' ')) + m.mesto
                                     + QLatin1Char('-') + cislo;
        else n = (i % 2 ? QStringLiteral("+") : QStringLiteral("00")) + m.stat + QLatin1Char(' ') + m.mesto
                 + QLatin1Char(' ') + cislo;
        text += n + QStringLiteral(", Účastník %1, Firma č. %2\r\n").arg(i).arg(i % 500);
    }
    QFile f(cesta);
    if (!f.open(QIODevice::WriteOnly) || f.write(toCp1250(text)) < 0) {
        *error = f.errorString();
        return false;
    }
    return true;
}

} // namespace

QList<Figure> measureExternalImport(Context& c)
{
    QList<Figure> out;
    QString error;
    const QString cesta = c.workDir + QStringLiteral("/vnejsi_seznam.txt");
    if (!freshDatabase(c, QStringLiteral("external.db"), &error) || !fillLargeDirectories(&error)
        || !Transaction::main().commit() || !zapisSoubor(cesta, kRadku, &error)) {
        std::fprintf(stderr, "external import: %s\n", qPrintable(error));
        return out;
    }

    // The logic alone: read, classify into the work table, review, store, commit.
    {
        QElapsedTimer timer;
        timer.start();
        UnitOfWork prace;
        Import_vnejsiho_seznamu imp;
        Soubor_vnejsiho_tel_seznamu soubor;
        std::vector<Import_vnejsiho_seznamu::Radek_prehledu> prehled;
        if (!imp.nacti_misto() || soubor.nacti(cesta) != Soubor_vnejsiho_tel_seznamu::Stav::Nacteno
            || imp.Zpracuj_data(soubor.radky()) != Import_vnejsiho_seznamu::Konec::Hotovo || !imp.prehled(prehled)) {
            std::fprintf(stderr, "external import: %s %s\n", qPrintable(imp.chyba()), qPrintable(soubor.chyba()));
            return out;
        }
        const double nacteni = timer.nsecsElapsed() / 1e9;
        std::vector<Import_vnejsiho_seznamu::Data_vety> polozky;
        for (const auto& r : prehled)
            if (r.ulozit) polozky.push_back(r.data);
        const auto v = imp.uloz(polozky, Import_vnejsiho_seznamu::Volba::Prepsat);
        if (v.konec != Import_vnejsiho_seznamu::Konec::Hotovo || !prace.commit()) {
            std::fprintf(stderr, "external import store: %s\n", qPrintable(imp.chyba()));
            return out;
        }
        const double sec = timer.nsecsElapsed() / 1e9;
        out << Figure{QStringLiteral("(%1 lines: %2 stored, %3 not exactly specified; load and classification %4 s)")
                          .arg(kRadku)
                          .arg(polozky.size())
                          .arg(prehled.size() - polozky.size())
                          .arg(nacteni, 0, 'f', 2),
                      sec, QStringLiteral("s")};
        out << Figure{QStringLiteral("external directory import, logic (read, classify, store, commit)"), kRadku / sec,
                      QStringLiteral("lines/s"), 20000};
        imp.vyprazdni();
        prace.commit();
    }

    // The window as the user runs it: "Načti" (with the trees filled), then
    // "Ulož" with "Ponechat původní" over the subscribers stored above.
    {
        setFileAnswerer([cesta](const FileQuestion&) { return cesta; });
        Import_vnejsiho_telefonniho_seznamu okno;
        okno.Import_vnejsiho_telefonniho_seznamu_Create();
        okno.show();
        QElapsedTimer timer;
        timer.start();
        okno.cb_2_Click();
        const double nacteni = timer.nsecsElapsed() / 1e9;
        okno.cb_3_Click();
        const double sec = timer.nsecsElapsed() / 1e9;
        setFileAnswerer({});
        okno.cb_1_Click();
        out << Figure{QStringLiteral("external directory import, window (\"Načti\" %1 s with both trees, then \"Ulož\")")
                          .arg(nacteni, 0, 'f', 2),
                      kRadku / sec, QStringLiteral("lines/s"), 20000};
    }
    Transaction::main().disconnect();
    return out;
}

QList<Figure> measureCompletionWindows(Context& c)
{
    QList<Figure> out;
    QString error;
    const QString name = QStringLiteral("completion.db");
    if (!freshDatabase(c, name, &error) || !Transaction::main().connectFile(c.workDir + QLatin1Char('/') + name, 512 * 1024)
        || !fillLargeDirectories(&error) || !addGeneratedCalls(1, c.calls, &error)) {
        std::fprintf(stderr, "completion: %s\n", qPrintable(error));
        return out;
    }
    {
        Tarifovani t;
        if (t.tarifikuj() != Tarifovani::Vysledek::Hotovo) {
            std::fprintf(stderr, "tariffing: %s\n", qPrintable(t.message()));
            return out;
        }
    }
    // Every tenth call as if its subscriber were not in the directory, every
    // fiftieth charged one as if its area code were unknown.
    if (!Transaction::main().exec(QStringLiteral("UPDATE dba.hovory SET cislo_ucastnika = NULL WHERE id_hovoru % 10 = 0"))
        || !Transaction::main().exec(
            QStringLiteral("UPDATE dba.hovory SET kod_mesta = NULL WHERE id_hovoru % 50 = 1 AND tarifovat_hovor = 1 "
                           "AND typ_hovoru <> 'P'"))
        || !Transaction::main().commit()) {
        std::fprintf(stderr, "completion: %s\n", qPrintable(Transaction::main().lastErrorText()));
        return out;
    }

    for (const char* minimum : {"5", "1"}) {
        Doplneni_ucastniku_podle_volanych_cisel okno;
        okno.Doplneni_ucastniku_podle_volanych_cisel_Create();
        okno.show();
        okno.findChild<QLineEdit*>(QStringLiteral("textb_pocet_volani"))->setText(QString::fromLatin1(minimum));
        QElapsedTimer timer;
        timer.start();
        okno.cb_3_Click();
        const double sec = timer.nsecsElapsed() / 1e9;
        // Listing all calls in 3 s is the bar: calls per second, so that more is better.
        out << Figure{QStringLiteral("frequent subscribers listed, minimum %1: %2 lines in %3 s")
                          .arg(QString::fromLatin1(minimum))
                          .arg(okno.radky().size())
                          .arg(sec, 0, 'f', 2),
                      c.calls / sec, QStringLiteral("calls/s"), c.calls / 3.0};
        okno.cb_2_Click();
    }
    {
        Vyhledani_a_doplneni_neznamych_predvoleb okno;
        QElapsedTimer timer;
        timer.start();
        okno.Vyhledani_a_doplneni_neznamych_predvoleb_Create();
        okno.show();
        const double sec = timer.nsecsElapsed() / 1e9;
        out << Figure{QStringLiteral("calls with unknown prefixes listed: %1 lines in %2 s")
                          .arg(okno.radky().size())
                          .arg(sec, 0, 'f', 2),
                      c.calls / sec, QStringLiteral("calls/s"), c.calls / 3.0};
        okno.cb_1_Click();
    }
    Transaction::main().disconnect();
    return out;
}

static const MeasureRegistrar regImport(QStringLiteral("external-import"), measureExternalImport);
static const MeasureRegistrar regCompletion(QStringLiteral("external-completion"), measureCompletionWindows);

} // namespace kavro::benchmark
