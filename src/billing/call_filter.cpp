#include "billing/call_filter.h"

#include "platform/database.h"
#include "platform/report_object.h"
#include "platform/report_runtime.h"

namespace kavro {

namespace {

// "0" is the key of every list's "all" entry; an empty key counts the same.
bool vse(const QString& klic) { return klic.isEmpty() || klic == QLatin1String("0"); }

} // namespace

bool SiteCodes::read(Transaction& t, SiteCodes* out, QString* error)
{
    *out = SiteCodes();
    Query q(t);
    q.setSQL(QStringLiteral("SELECT konfigurace.mezistatni_predvolba, konfigurace.mezimestska_predvolba, "
                            "konfigurace.kod_statu, konfigurace.kod_mesta FROM DBA.konfigurace_mista konfigurace"));
    if (!q.run()) {
        if (error) *error = q.lastErrorText();
        return false;
    }
    if (!q.atEnd()) {
        out->mezistatni_predvolba = q.value(1);
        out->mezimestska_predvolba = q.value(2);
        out->kod_statu = q.value(3);
        out->kod_mesta = q.value(4);
    }
    return true;
}

QString CallFilter::dialledPattern(const QString& kod_statu, const QString& kod_mesta, const QString& cislo_ucastnika,
                                   const QString& volane_cislo) const
{
    const bool stat = !vse(kod_statu);
    const bool mesto = !vse(kod_mesta);
    const bool ucastnik = !vse(cislo_ucastnika);
    if (ucastnik || mesto) {
        const QString konec = ucastnik ? cislo_ucastnika : volane_cislo;
        if (kod_statu != m_site.kod_statu) return m_site.mezistatni_predvolba + kod_statu + kod_mesta + konec;
        if (kod_mesta != m_site.kod_mesta) return m_site.mezimestska_predvolba + kod_mesta + konec;
        return konec;
    }
    if (stat && kod_statu != m_site.kod_statu) return m_site.mezistatni_predvolba + kod_statu + volane_cislo;
    return volane_cislo;
}

QString CallFilter::where(const FDX_filtr_hovory& f) const
{
    QString w = QStringLiteral(" and hovory.ustredna_datum_a_cas between :vyber_od and :vyber_do ");
    if (f.typ == 2) w += QStringLiteral(" and hovory.ustredna_volane_cislo like :vyber_predvolba escape '\\'");
    if (f.typ == 1) {
        w += QStringLiteral(" and hovory.typ_hovoru ='P'");
    } else {
        QString typ;
        if (f.kod_statu == m_site.kod_statu && f.kod_mesta == m_site.kod_mesta)
            typ = QStringLiteral("hovory.typ_hovoru ='A'");
        else if (f.kod_statu == m_site.kod_statu)
            typ = QStringLiteral("(hovory.typ_hovoru ='A' or hovory.typ_hovoru ='B')");
        else if (!vse(f.kod_statu))
            typ = QStringLiteral("hovory.typ_hovoru ='C'");
        else
            typ = QStringLiteral("(hovory.typ_hovoru ='A' or hovory.typ_hovoru ='B' or hovory.typ_hovoru ='C')");
        // Both directions: the incoming calls are the other alternative of the
        // call type alone, so every other condition holds for them too.
        w += f.typ == 2 ? QStringLiteral(" and ") + typ
                        : QStringLiteral(" and (") + typ + QStringLiteral(" or hovory.typ_hovoru ='P')");
    }
    if (!vse(f.cislo_pobocky)) w += QStringLiteral(" and hovory.ustredna_cislo_pobocky =:vyber_pobocka ");
    // The person's own extensions first: the caller's person is found per call,
    // and only calls from an extension the person ever held can have it.
    if (!vse(f.id_osoby))
        w += QStringLiteral(" and hovory.ustredna_cislo_pobocky in (select pp.Cislo_pobocky from dba.prirazeni_pobocek pp "
                            "where pp.ID_Osoby =:vyber_osoba) and Kdo_volal.ID_osoby =:vyber_osoba ");
    if (!vse(f.id_oddeleni)) w += QStringLiteral(" and Kdo_volal.ID_oddeleni =:vyber_oddeleni ");
    if (!vse(f.id_firmy)) w += QStringLiteral(" and Kdo_volal.ID_firmy =:vyber_firma ");
    if (!f.soukrome.isEmpty()) w += QStringLiteral(" and Kdo_volal.Soukrome = :vyber_soukrome ");
    return w;
}

QStringList CallFilter::argumentNames()
{
    return {QStringLiteral("vyber_od"),       QStringLiteral("vyber_do"),       QStringLiteral("vyber_predvolba"),
            QStringLiteral("vyber_pobocka"),  QStringLiteral("vyber_osoba"),    QStringLiteral("vyber_oddeleni"),
            QStringLiteral("vyber_firma"),    QStringLiteral("vyber_soukrome")};
}

QVariantList CallFilter::argumentValues(const FDX_filtr_hovory& f)
{
    return {f.datum_od, f.datum_do, likePrefix(f.predvolba), f.cislo_pobocky, f.id_osoby, f.id_oddeleni, f.id_firmy,
            f.soukrome};
}

void CallFilter::declareArguments(ReportObject* object)
{
    for (const QString& n : argumentNames()) object->arguments.append(ReportArgument{n, false});
}

bool CallFilter::chooseObject(Report& report, QString* base)
{
    base->clear();
    if (!report.setObject(objectName())) return false;
    ReportObject o = report.object();
    declareArguments(&o);
    report.setObject(o);
    *base = baseSelect(o.select);
    return true;
}

bool CallFilter::retrieve(Report& report, const QString& base, const FDX_filtr_hovory& f,
                          const QString& jmeno_uzivatele) const
{
    // The object's own arguments come first: the organisation name, then
    // nothing for any further ones.
    const int vlastni = int(report.object().arguments.size() - argumentNames().size());
    QVariantList argumenty;
    for (int i = 0; i < vlastni; ++i) argumenty << (i == 0 ? QVariant(jmeno_uzivatele) : QVariant());
    argumenty += argumentValues(f);
    report.setSelect(base + where(f) + QLatin1Char(' '));
    return report.retrieve(argumenty);
}

QString CallFilter::baseSelect(const QString& select)
{
    const int i = select.indexOf(QLatin1Char(';'));
    return i < 0 ? select : select.left(i);
}

QString CallFilter::likePrefix(const QString& prefix)
{
    QString p;
    p.reserve(prefix.size() + 1);
    for (const QChar c : prefix) {
        if (c == QLatin1Char('%') || c == QLatin1Char('_') || c == QLatin1Char('\\')) p += QLatin1Char('\\');
        p += c;
    }
    return p + QLatin1Char('%');
}

} // namespace kavro
