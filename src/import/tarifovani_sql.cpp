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

// The pieces of the dialled number from `zacatek` on that a code of each
// length would have to equal: "substr(h.ustredna_volane_cislo, z, 3), ...".
// A lookup keeps the greatest matching value: of codes that all begin the
// same text the longer sorts after the shorter, so the longest match wins.
QString pieces(const QString& hovor, const QString& zacatek, const QList<int>& delky)
{
    QStringList parts;
    for (int l : delky)
        parts << QStringLiteral("substr(%1.ustredna_volane_cislo, %2, %3)").arg(hovor, zacatek).arg(l);
    return parts.join(QStringLiteral(", "));
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
    if (delky.isEmpty()) return QStringLiteral("NULL");
    return QStringLiteral("(SELECT max(s.kod_statu) FROM dba.ciselnik_statu s WHERE s.kod_statu IN (%1))")
        .arg(pieces(hovor, zacatek, delky));
}

QString kod_mesta_od(const QString& hovor, const QString& zacatek, const QList<int>& delky)
{
    if (delky.isEmpty()) return QStringLiteral("NULL");
    return QStringLiteral("(SELECT max(m.kod_mesta) FROM dba.ciselnik_mest m "
                          "WHERE m.kod_statu = %1.kod_statu AND m.kod_mesta IN (%2))")
        .arg(hovor, pieces(hovor, zacatek, delky));
}

QString cislo_ucastnika_od(const QString& hovor, const QString& zacatek, const QString& kodStatu,
                           const QString& kodMesta, const QList<int>& delky)
{
    if (delky.isEmpty()) return QStringLiteral("NULL");
    return QStringLiteral("(SELECT max(u.cislo_ucastnika) FROM dba.ciselnik_ucastniku u "
                          "WHERE u.kod_statu = %1 AND u.kod_mesta = %2 AND u.cislo_ucastnika IN (%3))")
        .arg(kodStatu, kodMesta, pieces(hovor, zacatek, delky));
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

QString volajici(const QString& hovor)
{
    return QStringLiteral(
               "(SELECT CASE WHEN min(pp.id_firmy) = max(pp.id_firmy) THEN min(pp.id_firmy) END,"
               " CASE WHEN min(pp.id_oddeleni) = max(pp.id_oddeleni) THEN min(pp.id_oddeleni) END,"
               " List(co.prijmeni)"
               " FROM dba.prirazeni_pobocek pp LEFT OUTER JOIN dba.ciselnik_osob co ON pp.id_osoby = co.id_osoby"
               " WHERE pp.cislo_pobocky = %1.ustredna_cislo_pobocky"
               " AND %1.ustredna_datum_a_cas BETWEEN pp.pocatek_platnosti AND pp.konec_platnosti)")
        .arg(hovor);
}

} // namespace kavro::tarifovani_sql
