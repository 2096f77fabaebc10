#include "reidentifikace.h"

#include "tariffing/vazby_tto.h"
#include "platform/database.h"
#include "platform/fast_statement.h"
#include "platform/unit_of_work.h"
#include "tarifovani_sql.h"

namespace kavro {

namespace {

QString tr8(const char* s) { return QString::fromUtf8(s); }

// The site values enter every statement as numbered parameters: ?1 the
// international prefix, ?2 the long-distance prefix, ?3 the home state and ?4
// the home area, all bound as text (a code "0123" keeps its zero).
const QString kMp = QStringLiteral("?1");
const QString kMm = QStringLiteral("?2");
const QString kKs = QStringLiteral("?3");
const QString kKm = QStringLiteral("?4");
const QString kHovor = QStringLiteral("hovory");

} // namespace

Reidentifikace::Reidentifikace(Transaction& t, QObject* parent) : QObject(parent), m_t(t) {}

Reidentifikace::Reidentifikace(QObject* parent) : Reidentifikace(Transaction::main(), parent) {}

QString Reidentifikace::chybiMistoCaption() { return tr8("Není nastaveno výchozí místo"); }

QString Reidentifikace::chybiMistoText() { return tr8("Nastavte kód státu a města "); }

bool Reidentifikace::mistoNastaveno() const
{
    return m_misto.nalezeno && !m_misto.kod_statu.trimmed().isEmpty() && !m_misto.kod_mesta.trimmed().isEmpty();
}

bool Reidentifikace::nastav_parametry()
{
    emit status(tr8("Nastavuji parametry"));
    m_misto = Misto();
    m_lastError.clear();
    m_misto.nalezeno = nacti_misto(m_t, &m_misto, &m_lastError);
    return m_lastError.isEmpty();
}

bool Reidentifikace::exec(const QString& sql)
{
    Query q(m_t);
    q.setSQL(sql);
    q.bind(1, m_misto.mezistatni_predvolba);
    q.bind(2, m_misto.mezimestska_predvolba);
    q.bind(3, m_misto.kod_statu);
    q.bind(4, m_misto.kod_mesta);
    if (q.execute()) return true;
    m_lastError = q.lastErrorText();
    m_obsazeno = q.lastErrorIsBusy();
    return false;
}

bool Reidentifikace::Nalezeni_ucastniku()
{
    m_message.clear();
    m_lastError.clear();
    // No other thread's commit or rollback falls inside the run.
    m_obsazeno = false;
    ConnectionLock lock(m_t);
    // A wait for another program's lock is shown in the window.
    BusyWatch cekani;
    cekani.report = [this](bool ceka) { emit this->cekani(ceka); };
    BusyWatchScope hlidka(m_t, cekani);
    UnitOfWork prace(m_t);
    if (!prace.commit()) {
        m_lastError = prace.errorText();
        m_message = tr8("Přiřazení účastníků nelze zahájit, rozpracované změny nešlo uložit:\n") + m_lastError;
        return false;
    }
    tarifovani_sql::DelkyKodu delky;
    bool ok = nastav_parametry();
    if (ok && !mistoNastaveno()) {
        ok = false;
        m_lastError = chybiMistoText();
    }
    ok = ok && tarifovani_sql::nacti_delky(m_t, delky, &m_lastError);

    const auto krok = [&](const char* text, const QString& sql) {
        if (!ok) return;
        emit status(tr8(text));
        ok = exec(sql);
    };
    krok("Nuluji předchozí hodnoty",
         QStringLiteral("UPDATE dba.hovory SET kod_mesta = NULL, kod_statu = NULL, cislo_ucastnika = NULL"));
    krok("Přiřazuji volajícího k hovoru",
         QStringLiteral("UPDATE dba.hovory SET (id_firmy, id_oddeleni, popis_osob) = %1")
             .arg(tarifovani_sql::volajici(kHovor)));
    krok("Nastavuji místní hovory",
         QStringLiteral("UPDATE dba.hovory SET kod_statu = %1, kod_mesta = CASE WHEN typ_hovoru = 'A' THEN CAST(%2 AS TEXT) END "
                        "WHERE typ_hovoru IN ('A', 'B')").arg(kKs, kKm));
    krok("Nastavuji kody statu u zahranicnich hovoru",
         QStringLiteral("UPDATE dba.hovory SET kod_statu = %1 WHERE typ_hovoru = 'C'")
             .arg(tarifovani_sql::mezistatni_kod_statu(kHovor, kMp, delky)));
    krok("Nastavuji kódy zahraničního města",
         QStringLiteral("UPDATE dba.hovory SET kod_mesta = %1 WHERE typ_hovoru = 'C'")
             .arg(tarifovani_sql::mezistatni_kod_mesta(kHovor, kMp, delky)));
    krok("Nastavuji kódy domácího města",
         QStringLiteral("UPDATE dba.hovory SET kod_mesta = %1 WHERE typ_hovoru = 'B'")
             .arg(tarifovani_sql::mezimestsky_kod_mesta(kHovor, kMm, delky)));
    krok("Hledám mezistátní účastníky",
         QStringLiteral("UPDATE dba.hovory SET cislo_ucastnika = %1 WHERE typ_hovoru = 'C'")
             .arg(tarifovani_sql::mezistatni_cislo_ucastnika(kHovor, kMp, delky)));
    krok("Hledám meziměstské účastníky",
         QStringLiteral("UPDATE dba.hovory SET cislo_ucastnika = %1 WHERE typ_hovoru = 'B'")
             .arg(tarifovani_sql::mezimestsky_cislo_ucastnika(kHovor, kMm, delky)));
    krok("Hledám místní účastníky",
         QStringLiteral("UPDATE dba.hovory SET cislo_ucastnika = %1 WHERE typ_hovoru = 'A'")
             .arg(tarifovani_sql::mistni_cislo_ucastnika(kHovor, kKs, kKm, delky)));
    if (ok && !prace.commit()) {
        ok = false;
        m_lastError = prace.errorText();
        m_obsazeno = prace.errorIsBusy();
    }
    if (!ok) {
        prace.rollback();
        m_message = m_obsazeno
            ? tr8("Databázi právě používá jiný program, přiřazení účastníků bylo proto ukončeno.\n"
                  "Hovory zůstaly beze změny. Přiřazení můžete zopakovat později.")
            : tr8("Přiřazení účastníků k hovorům se nezdařilo, hovory zůstaly beze změny:\n") + m_lastError;
    }
    emit status(QString());
    return ok;
}

} // namespace kavro
