#pragma once
// How the call browser narrows its list: the dialled-number pattern that the
// call filter form builds from the called state, city, subscriber and typed
// number, and the WHERE text appended to the list's Select for a selection.
//
// Every value of the selection is bound: the WHERE text refers to named
// arguments (":vyber_od" ...) that the browser declares on its report object
// after the object's own, and argumentValues() gives their values in order.
#include "billing/fdx_filtr_hovory.h"

#include <QString>
#include <QStringList>
#include <QVariantList>

namespace kavro {

class Report;
class Transaction;
struct ReportObject;

// The site's dialling codes (the one row of dba.konfigurace_mista).
struct SiteCodes {
    QString mezistatni_predvolba;   // international prefix, e.g. "00"
    QString mezimestska_predvolba;  // long-distance prefix, e.g. "0"
    QString kod_statu;              // home state
    QString kod_mesta;              // home area

    // Reads the site row; with no row the codes stay empty. False on a
    // database error (`error` gets the engine's text).
    static bool read(Transaction& t, SiteCodes* out, QString* error = nullptr);
};

class CallFilter {
public:
    explicit CallFilter(const SiteCodes& site) : m_site(site) {}

    // The leading digits an outgoing call's dialled number must start with.
    // A code "0" (or "") means its list is on its "all" entry; a chosen
    // subscriber replaces the typed number.
    QString dialledPattern(const QString& kod_statu, const QString& kod_mesta, const QString& cislo_ucastnika,
                           const QString& volane_cislo) const;

    // The conditions of a selection, each beginning with " and": the period,
    // for outgoing calls the pattern, the call type by direction and called
    // party, then extension, person, department, firm and subscriber kind.
    QString where(const FDX_filtr_hovory& f) const;

    // The argument names where() refers to (without ':'), and their values
    // for a selection, in the same order.
    static QStringList argumentNames();
    static QVariantList argumentValues(const FDX_filtr_hovory& f);
    // Appends the declarations of those arguments to a report object.
    static void declareArguments(ReportObject* object);

    // The browser's report object.
    static QString objectName() { return QStringLiteral("tarifikovane_hovory"); }
    // Chooses the browser's object in `report` with the selection's arguments
    // declared after its own, and gives its Select up to the first ";" in
    // `base`. False when the object cannot be read (report.errorText()).
    static bool chooseObject(Report& report, QString* base);
    // Replaces the report's Select by `base` narrowed to the selection and
    // retrieves it with the organisation name as the object's own argument.
    // False on a database error (report.errorText()).
    bool retrieve(Report& report, const QString& base, const FDX_filtr_hovory& f,
                  const QString& jmeno_uzivatele) const;

    // The Select up to its first ";" (the whole text when it has none).
    static QString baseSelect(const QString& select);
    // A LIKE pattern matching texts that begin with `prefix` (escape character '\').
    static QString likePrefix(const QString& prefix);

    const SiteCodes& site() const { return m_site; }

private:
    SiteCodes m_site;
};

} // namespace kavro
