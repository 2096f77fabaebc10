#include "billing/sestavy.h"

#include "platform/report_object.h"

#include <QRegularExpression>

namespace kavro::sestavy {

namespace {

// The dates the splices write into a Select come from normalised date boxes;
// anything else is refused rather than written into a statement.
bool jeDatum(const QString& s, bool sCasem)
{
    static const QRegularExpression den(QStringLiteral("^[0-9]{4}-[0-9]{2}-[0-9]{2}$"));
    static const QRegularExpression okamzik(QStringLiteral("^[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}$"));
    return (sCasem ? okamzik : den).match(s).hasMatch();
}

bool spatneDatum(QString* chyba, const QString& d)
{
    if (chyba) *chyba = QStringLiteral("Datum „%1“ není platné datum.").arg(d);
    return false;
}

qint64 cislo(const QString& s)
{
    bool ok = false;
    const qint64 n = s.trimmed().toLongLong(&ok);
    return ok ? n : 0;
}

} // namespace

QString objektVyuctovani(int druh)
{
    switch (druh) {
    case 1: return QStringLiteral("vyuctovani_firma");
    case 2: return QStringLiteral("vyuctovani_oddeleni");
    case 3: return QStringLiteral("vyuctovani_linka");
    case 4: return QStringLiteral("vyuctovani_ucet");
    case 5: return QStringLiteral("detailni_rozpis_za_linku");
    case 6: return QStringLiteral("Sledovane_linky");
    case 7: return QStringLiteral("Hovory_podle_cetnosti3");
    default: return QString();
    }
}

QVariantList argumentyVyuctovani(const FDX_filtr_hovory& f, const QString& jmeno)
{
    QVariantList a{f.datum_od, f.datum_do};
    switch (f.typ) {
    case 1: a << cislo(f.id_firmy); break;
    case 2: a << cislo(f.id_firmy) << cislo(f.id_oddeleni); break;
    case 3:
    case 5:
    case 7: a << cislo(f.id_firmy) << cislo(f.id_oddeleni) << cislo(f.cislo_pobocky); break;
    default: break; // kinds 4 and 6: the period and the name only
    }
    a << jmeno;
    while (a.size() < 16) a << QVariant();
    return a;
}

QString filtrCetnosti(const QString& minimalni_pocet)
{
    const QString m = minimalni_pocet.trimmed();
    return QStringLiteral("CPocet>") + (m.isEmpty() ? QStringLiteral("0") : m);
}

bool vlozObdobiVyuctovani(const QString& s, const QString& od, const QString& do_, QString* vysledek, QString* chyba)
{
    const QString x = ReportObject::placeholder();
    const qsizetype p = s.indexOf(x);
    if (p < 1 || p + x.size() >= s.size()) {
        if (chyba) *chyba = QStringLiteral("Sestava nemá v příkazu místo pro období ('X'='X' mezi dvěma znaky).");
        return false;
    }
    if (!jeDatum(od, true)) return spatneDatum(chyba, od);
    if (!jeDatum(do_, true)) return spatneDatum(chyba, do_);
    *vysledek = s.left(p - 1) + QStringLiteral(" date(dba.hovory.ustredna_datum_a_cas) between date('") + od
        + QStringLiteral("') and date('") + do_ + QStringLiteral("') ") + s.mid(p + x.size() + 1);
    return true;
}

Pripad pripad(const QVariant& a1, const QVariant& a2)
{
    const QString m = QStringLiteral("RRRR-MM-DD hh:mm:ss");
    const QString t1 = a1.toString();
    const QString t2 = a2.toString();
    if (t1 == m && t2.isEmpty()) return Pripad::Okamzik;
    if (t1 == m && t2 == m) return Pripad::Obdobi;
    return Pripad::Prosty;
}

bool vlozOkamzik(const QString& s, const QString& datum, const QString& cas, QString* vysledek, QString* chyba)
{
    const QString x = ReportObject::placeholder();
    const qsizetype p = s.indexOf(x);
    if (p < 1) {
        if (chyba) *chyba = QStringLiteral("Sestava nemá v příkazu místo pro okamžik ('X'='X').");
        return false;
    }
    const QString okamzik = datum + QLatin1Char(' ') + cas;
    if (!jeDatum(okamzik, true)) return spatneDatum(chyba, okamzik);
    *vysledek = s.left(p - 1) + QStringLiteral("('") + okamzik
        + QStringLiteral("' between prirazeni_pobocek.Pocatek_platnosti and Prirazeni_pobocek.Konec_platnosti ")
        + s.mid(p + x.size());
    return true;
}

bool vlozObdobi(const QString& s, const QString& od, const QString& do_, QString* vysledek, QString* chyba)
{
    if (!jeDatum(od, false)) return spatneDatum(chyba, od);
    if (!jeDatum(do_, false)) return spatneDatum(chyba, do_);
    const QString x = ReportObject::placeholder();
    const qsizetype p = s.indexOf(x);
    if (p < 0) {
        *vysledek = s + QStringLiteral(" and date(hovory.ustredna_datum_a_cas) between '") + od + QStringLiteral("' and '")
            + do_ + QLatin1Char('\'');
        return true;
    }
    // The whole last day belongs to the period.
    *vysledek = s.left(p) + QStringLiteral(" hovory.Ustredna_datum_a_cas between '") + od + QStringLiteral("' and '") + do_
        + QStringLiteral(" 23:59:59' ") + s.mid(p + x.size());
    return true;
}

QString zpravaNelzeNacist() { return QStringLiteral("Sestavu nelze načíst."); }

} // namespace kavro::sestavy
