#include "platform/mounts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace kavro {

namespace {

QString g_souborPripojeni;
QString g_domov;

// Undoes the octal escapes of the mounts table ("\040" is a blank).
QString odescapuj(const QByteArray& pole)
{
    QByteArray vysledek;
    vysledek.reserve(pole.size());
    for (int i = 0; i < pole.size(); ++i) {
        if (pole[i] == '\\' && i + 3 < pole.size()) {
            const QByteArray oct = pole.mid(i + 1, 3);
            bool ok = oct.size() == 3;
            for (char c : oct) ok = ok && c >= '0' && c <= '7';
            if (ok) {
                vysledek.append(char(oct.toInt(nullptr, 8)));
                i += 3;
                continue;
            }
        }
        vysledek.append(pole[i]);
    }
    return QString::fromUtf8(vysledek);
}

bool jeSitovy(const QString& typ)
{
    static const QStringList sitove = {
        QStringLiteral("nfs"), QStringLiteral("nfs4"), QStringLiteral("cifs"), QStringLiteral("smb3"),
        QStringLiteral("smbfs"), QStringLiteral("ncpfs"), QStringLiteral("afs"), QStringLiteral("ceph"),
        QStringLiteral("glusterfs"), QStringLiteral("davfs"), QStringLiteral("fuse.sshfs"),
        QStringLiteral("fuse.davfs"), QStringLiteral("fuse.rclone"), QStringLiteral("fuse.glusterfs")};
    return sitove.contains(typ);
}

// System areas whose mounts are no place for data files.
bool jeSystemova(const QString& cesta)
{
    static const QStringList oblasti = {
        QStringLiteral("/proc"), QStringLiteral("/sys"), QStringLiteral("/dev"), QStringLiteral("/run"),
        QStringLiteral("/snap"), QStringLiteral("/etc"), QStringLiteral("/var/lib/docker"),
        QStringLiteral("/boot/efi")};
    if (cesta == QLatin1String("/run/media") || cesta.startsWith(QLatin1String("/run/media/"))) return false;
    for (const QString& o : oblasti)
        if (cesta == o || cesta.startsWith(o + QLatin1Char('/'))) return true;
    return false;
}

QString bezKoncoveLomitka(QString cesta)
{
    while (cesta.size() > 1 && cesta.endsWith(QLatin1Char('/'))) cesta.chop(1);
    return cesta;
}

} // namespace

QList<Disk> rozeberPripojeni(const QByteArray& tabulka, const QString& domov)
{
    QList<Disk> ostatni;
    auto pridej = [&ostatni](const Disk& d) {
        for (Disk& e : ostatni)
            if (e.cesta == d.cesta) { e = d; return; }  // a later mount hides an earlier one
        ostatni.append(d);
    };
    if (!domov.isEmpty() && bezKoncoveLomitka(domov) != QLatin1String("/"))
        pridej({bezKoncoveLomitka(domov), QString()});

    for (const QByteArray& radek : tabulka.split('\n')) {
        const QList<QByteArray> pole = radek.simplified().split(' ');
        if (pole.size() < 3) continue;
        const QString zdroj = odescapuj(pole[0]);
        const QString cesta = bezKoncoveLomitka(odescapuj(pole[1]));
        const QString typ = QString::fromUtf8(pole[2]);
        if (cesta == QLatin1String("/") || !cesta.startsWith(QLatin1Char('/'))) continue;
        if (jeSitovy(typ)) {
            pridej({cesta, zdroj});
            continue;
        }
        if (!zdroj.startsWith(QLatin1String("/dev/")) || typ == QLatin1String("squashfs") || jeSystemova(cesta))
            continue;
        pridej({cesta, QString()});
    }
    std::sort(ostatni.begin(), ostatni.end(), [](const Disk& a, const Disk& b) { return a.cesta < b.cesta; });
    QList<Disk> vysledek{{QStringLiteral("/"), QString()}};
    vysledek.append(ostatni);
    return vysledek;
}

QList<Disk> pripojeneDisky()
{
    QFile f(g_souborPripojeni.isEmpty() ? QStringLiteral("/proc/self/mounts") : g_souborPripojeni);
    QByteArray tabulka;
    if (f.open(QIODevice::ReadOnly)) tabulka = f.readAll();
    QList<Disk> disky = rozeberPripojeni(tabulka, g_domov.isEmpty() ? QDir::homePath() : g_domov);
    QList<Disk> vysledek;
    for (const Disk& d : disky)
        if (d.cesta == QLatin1String("/") || !d.vzdalenaCesta.isEmpty() || QFileInfo(d.cesta).isDir())
            vysledek.append(d);
    return vysledek;
}

void nastavZdrojDisku(const QString& souborPripojeni, const QString& domov)
{
    g_souborPripojeni = souborPripojeni;
    g_domov = domov;
}

int diskCesty(const QList<Disk>& disky, const QString& cesta)
{
    int nejlepsi = -1;
    qsizetype delka = -1;
    for (int i = 0; i < disky.size(); ++i) {
        const QString& m = disky[i].cesta;
        const bool drzi = m == QLatin1String("/")
            ? cesta.startsWith(QLatin1Char('/'))
            : (cesta == m || cesta.startsWith(m + QLatin1Char('/')));
        if (drzi && m.size() > delka) {
            nejlepsi = i;
            delka = m.size();
        }
    }
    return nejlepsi;
}

} // namespace kavro
