#pragma once
// How the report windows narrow a report object's Select and what they pass
// to it: the billing kinds, the viewer's three cases and the splices around
// the placeholder condition 'X'='X'.
#include "billing/fdx_filtr_hovory.h"

#include <QString>
#include <QVariant>
#include <QVariantList>

namespace kavro::sestavy {

// The report object of billing kind 1..7 ("" for any other kind).
QString objektVyuctovani(int druh);
// The retrieval arguments of a billing kind: the period as the record holds
// it, the ids the kind uses as whole numbers ("0" and "" give 0), the
// organisation name last.
QVariantList argumentyVyuctovani(const FDX_filtr_hovory& f, const QString& jmeno_uzivatele);
// Kind 7's filter: "CPocet>" and the minimum (an empty minimum counts as 0).
QString filtrCetnosti(const QString& minimalni_pocet);

// The billing period put in place of the placeholder and the one character on
// each side of it; both sides compare dates, so the first and the last day
// count whole. False (with a Czech message) when the Select has no
// placeholder, or has it at its very start or end, or a date is not a date.
bool vlozObdobiVyuctovani(const QString& select, const QString& od, const QString& do_, QString* vysledek,
                          QString* chyba);

// The viewer's cases, chosen by request arguments 1 and 2.
enum class Pripad { Okamzik, Obdobi, Prosty };
Pripad pripad(const QVariant& argument1, const QVariant& argument2);

// Moment case: the placeholder and the one character before it become
// "('<datum> <cas>' between prirazeni_pobocek.Pocatek_platnosti and
// Prirazeni_pobocek.Konec_platnosti ". False (with a Czech message) when the
// Select has no placeholder or has it at its very start.
bool vlozOkamzik(const QString& select, const QString& datum, const QString& cas, QString* vysledek, QString* chyba);

// Period case: with the placeholder, it becomes
// " hovory.Ustredna_datum_a_cas between '<od>' and '<do> 23:59:59' "; without
// it, " and date(hovory.ustredna_datum_a_cas) between '<od>' and '<do>'" is
// appended. False (with a Czech message) when a date is not a date.
bool vlozObdobi(const QString& select, const QString& od, const QString& do_, QString* vysledek, QString* chyba);

// The message shown when a report cannot be read from the database.
QString zpravaNelzeNacist();

} // namespace kavro::sestavy
