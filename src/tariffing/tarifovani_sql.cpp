#include "tarifovani_sql.h"

#include "platform/database.h"

#include <QStringList>
#include <algorithm>
#include <functional>

namespace kavro::tarifovani_sql {

namespace {

bool lengths(Transaction& t, const QString& sql, QList<int>& out, QString* chyba)
{
    out.clear();
    Query q(t, sql);
    if (!q.run()) {
        if (chyba) *chyba = q.lastErrorText();
        return false;
    }
    for (; !q.atEnd(); q.next()) out << int(q.intValue(1));
    std::sort(out.begin(), out.end(), std::greater<int>());
    return true;
}

// The longest match: one lookup for each length, longest first, the first one
// that finds a row giving the value. `hledani` is a sub-select with "%1" where
// the piece of the dialled number is compared, e.g.
// "SELECT s.kod_statu FROM dba.ciselnik_statu s WHERE s.kod_statu = %1";
// each lookup is one probe of the directory's key.
QString nejdelsi(const QString& hledani, const QString& hovor, const QString& zacatek, const QList<int>& delky)
{
    if (delky.isEmpty()) return QStringLiteral("NULL");
    QStringList parts;
    for (int l : delky)
        parts << QLatin1Char('(')
                + QString(hledani).replace(QStringLiteral("%1"),
                                           QStringLiteral("substr(%1.ustredna_volane_cislo, %2, %3)")
                                               .arg(hovor, zacatek).arg(l))
                + QLatin1Char(')');
    if (parts.size() == 1) return parts.first();
    return QStringLiteral("coalesce(%1)").arg(parts.join(QStringLiteral(", ")));
}

} // namespace

bool nacti_delky(Transaction& t, DelkyKodu& delky, QString* chyba)
{
    return lengths(t, QStringLiteral("SELECT DISTINCT length(kod_statu) FROM dba.ciselnik_statu "
                                     "WHERE length(kod_statu) BETWEEN 1 AND 5"), delky.statu, chyba)
        && lengths(t, QStringLiteral("SELECT DISTINCT length(kod_mesta) FROM dba.ciselnik_mest "
                                     "WHERE length(kod_mesta) BETWEEN 1 AND 5"), delky.mest, chyba)
        && lengths(t, QStringLiteral("SELECT DISTINCT length(cislo_ucastnika) FROM dba.ciselnik_ucastniku "
                                     "WHERE length(cislo_ucastnika) > 0"), delky.ucastniku, chyba);
}

QString kod_statu_od(const QString& hovor, const QString& zacatek, const QList<int>& delky)
{
    return nejdelsi(QStringLiteral("SELECT s.kod_statu FROM dba.ciselnik_statu s WHERE s.kod_statu = %1"), hovor,
                    zacatek, delky);
}

QString kod_mesta_od(const QString& hovor, const QString& zacatek, const QList<int>& delky)
{
    return nejdelsi(QStringLiteral("SELECT m.kod_mesta FROM dba.ciselnik_mest m WHERE m.kod_statu = ")
                        + hovor + QStringLiteral(".kod_statu AND m.kod_mesta = %1"),
                    hovor, zacatek, delky);
}

QString cislo_ucastnika_od(const QString& hovor, const QString& zacatek, const QString& kodStatu,
                           const QString& kodMesta, const QList<int>& delky)
{
    return nejdelsi(QStringLiteral("SELECT u.cislo_ucastnika FROM dba.ciselnik_ucastniku u WHERE u.kod_statu = ")
                        + kodStatu + QStringLiteral(" AND u.kod_mesta = ") + kodMesta
                        + QStringLiteral(" AND u.cislo_ucastnika = %1"),
                    hovor, zacatek, delky);
}

QString mezistatni_kod_statu(const QString& hovor, const QString& predvolba, const DelkyKodu& delky)
{
    return kod_statu_od(hovor, QStringLiteral("1 + length(%1)").arg(predvolba), delky.statu);
}

QString mezistatni_kod_mesta(const QString& hovor, const QString& predvolba, const DelkyKodu& delky)
{
    return kod_mesta_od(hovor, QStringLiteral("1 + length(%1) + length(%2.kod_statu)").arg(predvolba, hovor), delky.mest);
}

QString mezistatni_cislo_ucastnika(const QString& hovor, const QString& predvolba, const DelkyKodu& delky)
{
    return cislo_ucastnika_od(
        hovor, QStringLiteral("1 + length(%1) + length(%2.kod_statu) + length(%2.kod_mesta)").arg(predvolba, hovor),
        hovor + QStringLiteral(".kod_statu"), hovor + QStringLiteral(".kod_mesta"), delky.ucastniku);
}

QString mezimestsky_kod_mesta(const QString& hovor, const QString& predvolba, const DelkyKodu& delky)
{
    return kod_mesta_od(hovor, QStringLiteral("1 + length(%1)").arg(predvolba), delky.mest);
}

QString mezimestsky_cislo_ucastnika(const QString& hovor, const QString& predvolba, const DelkyKodu& delky)
{
    return cislo_ucastnika_od(hovor, QStringLiteral("1 + length(%1) + length(%2.kod_mesta)").arg(predvolba, hovor),
                              hovor + QStringLiteral(".kod_statu"), hovor + QStringLiteral(".kod_mesta"),
                              delky.ucastniku);
}

QString mistni_cislo_ucastnika(const QString& hovor, const QString& kodStatu, const QString& kodMesta,
                               const DelkyKodu& delky)
{
    return cislo_ucastnika_od(hovor, QStringLiteral("1"), kodStatu, kodMesta, delky.ucastniku);
}

namespace {

// The caller from the assignment rows that `platnost` (a condition on pp and
// the call `hovor`) takes.
QString volajiciZRadku(const QString& hovor, const QString& platnost)
{
    return QStringLiteral(
               "(SELECT CASE WHEN min(pp.id_firmy) = max(pp.id_firmy) THEN min(pp.id_firmy) END,"
               " CASE WHEN min(pp.id_oddeleni) = max(pp.id_oddeleni) THEN min(pp.id_oddeleni) END,"
               " List(co.prijmeni)"
               " FROM dba.prirazeni_pobocek pp LEFT OUTER JOIN dba.ciselnik_osob co ON pp.id_osoby = co.id_osoby"
               " WHERE pp.cislo_pobocky = %1.ustredna_cislo_pobocky AND %2)")
        .arg(hovor, platnost);
}

} // namespace

QString volajici(const QString& hovor)
{
    return volajiciZRadku(hovor, QStringLiteral("%1.ustredna_datum_a_cas BETWEEN pp.pocatek_platnosti AND pp.konec_platnosti")
                                     .arg(hovor));
}

} // namespace kavro::tarifovani_sql
