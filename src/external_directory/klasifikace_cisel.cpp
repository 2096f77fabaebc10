#include "external_directory/klasifikace_cisel.h"

#include "platform/database.h"

namespace kavro {

namespace {

// Characters from `pos` (0-based) on, at most `n`; "" past the end.
QString vyrez(const QString& s, qsizetype pos, qsizetype n = -1)
{
    if (pos >= s.size()) return QString(QLatin1String(""));
    return s.mid(pos, n);
}

} // namespace

Klasifikace_cisel::Klasifikace_cisel(const QString& domaci_kod_statu, const QString& domaci_kod_mesta)
    : m_stat(domaci_kod_statu), m_mesto(domaci_kod_mesta)
{
}

bool Klasifikace_cisel::nactiAdresar(Transaction& t, QString* chyba)
{
    Query q(t, QStringLiteral("SELECT kod_statu FROM dba.ciselnik_statu"));
    if (!q.run()) {
        if (chyba) *chyba = q.lastErrorText();
        return false;
    }
    for (; !q.atEnd(); q.next()) pridejStat(q.value(1));
    Query m(t, QStringLiteral("SELECT kod_statu, kod_mesta FROM dba.ciselnik_mest"));
    if (!m.run()) {
        if (chyba) *chyba = m.lastErrorText();
        return false;
    }
    for (; !m.atEnd(); m.next()) pridejMesto(m.value(1), m.value(2));
    return true;
}

bool Klasifikace_cisel::jeMesto(const std::optional<QString>& stat, const QString& mesto) const
{
    if (!stat) return false;
    auto it = m_mesta.constFind(*stat);
    return it != m_mesta.constEnd() && it->contains(mesto);
}

QString Klasifikace_cisel::Vyhod_znaky_z_cisla(const QString& cislo)
{
    const QString c = cislo.startsWith(QLatin1Char('+')) ? QStringLiteral("00") + cislo.left(30) : cislo;
    QString cislice(QLatin1String(""));
    cislice.reserve(c.size());
    for (QChar ch : c)
        if (ch >= QLatin1Char('0') && ch <= QLatin1Char('9')) cislice.append(ch);
    return cislice;
}

Klasifikovane_cislo Klasifikace_cisel::klasifikuj(const QString& cislo) const
{
    Klasifikovane_cislo r;
    const QString c = Vyhod_znaky_z_cisla(cislo);
    r.volane_cislo = c;
    const qsizetype delka = c.size();

    if (c.startsWith(QLatin1String("00"))) r.typ_volani = QStringLiteral("C");
    else if (c.startsWith(QLatin1Char('0'))) r.typ_volani = QStringLiteral("B");
    else if (!c.isEmpty()) r.typ_volani = QStringLiteral("A");
    else r.typ_volani = QStringLiteral("X");
    if (r.typ_volani == QLatin1String("A") || r.typ_volani == QLatin1String("B")) r.kod_statu = m_stat;

    // The state of an international number: the longest code after "00".
    if (r.typ_volani == QLatin1String("C"))
        for (int n = 5; n >= 1 && !r.kod_statu; --n)
            if (const QString k = vyrez(c, 2, n); m_staty.contains(k)) r.kod_statu = k;

    // The home state code dialled without "00".
    if (r.typ_volani == QLatin1String("A") && c.left(r.kod_statu->size()) == *r.kod_statu
        && delka > r.kod_statu->size() + 6)
        r.typ_volani = QStringLiteral("D");

    // Area codes, longest first.
    for (int n = 5; n >= 1 && !r.kod_mesta; --n) {
        QString k;
        if (r.typ_volani == QLatin1String("C")) {
            if (!r.kod_statu) break;
            k = vyrez(c, 2 + r.kod_statu->size(), n);
        } else if (r.typ_volani == QLatin1String("D")) {
            k = vyrez(c, r.kod_statu->size(), n);
        } else if (r.typ_volani == QLatin1String("B")) {
            k = vyrez(c, 1, n);
        } else if (r.typ_volani == QLatin1String("A")) {
            if (delka <= n + 5) continue;
            k = c.left(n);
        } else {
            break;
        }
        if (jeMesto(r.kod_statu, k)) r.kod_mesta = k;
    }

    // An area code of the home state dialled without "0".
    if (r.typ_volani == QLatin1String("A") && r.kod_mesta && c.left(r.kod_mesta->size()) == *r.kod_mesta
        && delka > r.kod_mesta->size() + 5)
        r.typ_volani = QStringLiteral("E");

    // The subscriber number.
    const QChar t = r.typ_volani.at(0);
    if (t == QLatin1Char('A')) {
        r.kod_mesta = m_mesto;
        r.kod_volane_cislo = c;
    } else if (r.kod_statu && r.kod_mesta) {
        const qsizetype s = r.kod_statu->size(), m = r.kod_mesta->size();
        if (t == QLatin1Char('B')) r.kod_volane_cislo = vyrez(c, 1 + m, 30);
        else if (t == QLatin1Char('C')) r.kod_volane_cislo = vyrez(c, 2 + s + m, 30);
        else if (t == QLatin1Char('D')) r.kod_volane_cislo = vyrez(c, s + m, 30);
        else if (t == QLatin1Char('E')) r.kod_volane_cislo = vyrez(c, m, 30);
    }
    if (t == QLatin1Char('X')) {
        r.kod_statu.reset();
        r.kod_mesta.reset();
    }
    return r;
}

} // namespace kavro
