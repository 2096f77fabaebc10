#include "common/cesty.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace kavro {

namespace {

bool predNazvem(const QString& a, const QString& b)
{
    const int c = QString::compare(a, b, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : a < b;  // names equal but for case: a fixed order all the same
}

} // namespace

QList<PolozkaAdresare> obsahAdresare(const QString& cesta)
{
    QStringList slozky;
    QStringList soubory;
    if (!cesta.isEmpty()) {
        const QDir dir(cesta);
        const QFileInfoList polozky = dir.entryInfoList(
            QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Unsorted);
        for (const QFileInfo& fi : polozky)
            (fi.isDir() ? slozky : soubory).append(fi.fileName());
    }
    std::sort(slozky.begin(), slozky.end(), predNazvem);
    std::sort(soubory.begin(), soubory.end(), predNazvem);
    QList<PolozkaAdresare> vysledek;
    vysledek.reserve(slozky.size() + soubory.size());
    for (const QString& s : slozky) vysledek.append({s, true});
    for (const QString& s : soubory) vysledek.append({s, false});
    return vysledek;
}

QString sKoncovymLomitkem(const QString& cesta)
{
    if (cesta.isEmpty() || cesta.endsWith(QLatin1Char('/'))) return cesta;
    return cesta + QLatin1Char('/');
}

QString doplnLomitko(const QString& adresar)
{
    if (adresar.endsWith(u'\\')) return adresar;
    if (adresar.contains(u'/')) return sKoncovymLomitkem(adresar);
    return adresar + u'\\';
}

QString nadrizenyAdresar(const QString& cesta)
{
    if (cesta.isEmpty() || cesta == QLatin1String("/")) return QString();
    QString c = sKoncovymLomitkem(cesta);
    // Cut back past the last folder name to the "/" before it.
    qsizetype i = c.size() - 2;
    while (i > 0 && c.at(i) != QLatin1Char('/')) {
        c.truncate(i);
        --i;
    }
    return c.endsWith(QLatin1Char('/')) ? c : QString();
}

} // namespace kavro
