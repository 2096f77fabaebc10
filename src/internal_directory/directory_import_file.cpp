#include "internal_directory/directory_import_file.h"

#include "internal_directory/prirazeni_pobocek.h"
#include "platform/cp1250.h"
#include "platform/import_lines.h"

#include <QFile>
#include <QFileInfo>

namespace kavro {

QString Str_firma::puvod() const
{
    if (radek <= 0) return QStringLiteral("řádek s linkou ") + linka;  // not read from a file
    QString t = QStringLiteral("řádek %1").arg(radek);
    if (!soubor.isEmpty()) t += QStringLiteral(" souboru ") + soubor;
    return t;
}

Str_firma DirectoryImportFile::rozdel(const QString& radek) const
{
    QString text = radek.trimmed();
    text.remove(QLatin1Char('"'));
    text.remove(QLatin1Char('\''));
    Str_firma r;
    if (text.size() <= 15) return r;
    QString* sloty[6] = {&r.firma, &r.oddeleni, &r.prijmeni, &r.jmeno, &r.titul, &r.linka};
    QStringView zbytek(text);
    for (int k = 1; k <= 6; ++k) {
        const int slot = int(m_pozice.indexOf(QChar(u'0' + k)));
        if (slot < 0 || slot > 5) continue;
        const QChar konec = slot < m_oddelovace.size() ? m_oddelovace.at(slot) : QChar();
        const qsizetype i = konec.isNull() ? -1 : zbytek.indexOf(konec);
        if (i >= 0) {
            *sloty[slot] = zbytek.left(i).toString();
            zbytek = zbytek.mid(i + 1);
        } else {
            // No terminator: the field is the whole rest, which the next fields read again.
            *sloty[slot] = zbytek.toString();
        }
    }
    return r;
}

DirectoryImportFile::Vysledek DirectoryImportFile::nacti(const QString& cesta, QList<Str_firma>& radky,
                                                         QString* chyba) const
{
    QFile f(cesta);
    if (!f.open(QIODevice::ReadOnly)) {
        if (chyba) *chyba = QStringLiteral("Soubor %1 nelze přečíst:\n%2").arg(cesta, f.errorString());
        return Vysledek::NelzeCist;
    }
    const QByteArray obsah = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        if (chyba) *chyba = QStringLiteral("Soubor %1 nelze přečíst:\n%2").arg(cesta, f.errorString());
        return Vysledek::NelzeCist;
    }
    const QList<QByteArray> casti = crLfLines(obsah);
    for (qsizetype i = 0; i < casti.size(); ++i) {
        const qsizetype z = firstControlChar(casti[i]);
        if (z < 0) continue;
        const char znak = casti[i][z];
        if (znak == '\n' || znak == '\r') {
            if (chyba)
                *chyba = QStringLiteral("Soubor %1 nelze načíst: řádek %2 není ukončen znaky CR LF.").arg(cesta).arg(i + 1);
            return Vysledek::ChybnyKonecRadku;
        }
        if (chyba) *chyba = controlCharRefusal(cesta, i + 1, znak);
        return Vysledek::RidiciZnak;
    }
    const QString jmeno = QFileInfo(cesta).fileName();
    QList<Str_firma> nove;
    for (qsizetype i = 0; i < casti.size(); ++i) {
        Str_firma r = rozdel(fromCp1250(casti[i]));
        if (r.prazdny()) continue;
        r.soubor = jmeno;
        r.radek = int(i + 1);
        // A line without a number gives a person without an extension.
        if (!r.linka.isEmpty() && !PrirazeniPobocek::platne_cislo(r.linka)) {
            if (chyba)
                *chyba = QStringLiteral("Soubor %1 nelze načíst: řádek %2 má číslo linky „%3“.\n%4")
                             .arg(cesta)
                             .arg(i + 1)
                             .arg(r.linka, PrirazeniPobocek::textNeplatneCislo());
            return Vysledek::ChybneCislo;
        }
        nove << std::move(r);
    }
    const qsizetype pred = radky.size();
    radky += nove;
    if (radky.size() == pred) {
        if (chyba) *chyba = QStringLiteral("Soubor %1 neobsahuje žádný řádek s údaji.").arg(cesta);
        return Vysledek::ZadnyRadek;
    }
    return Vysledek::Nacteno;
}

} // namespace kavro
