#include "znovu_otarifuj.h"

#include "common/datum.h"
#include "platform/database.h"

#include <QDate>
#include <mutex>

namespace kavro {

namespace {

QString tr8(const char* s) { return QString::fromUtf8(s); }

// The day after `den` ("RRRR-MM-DD"): the end of a day's range of date-times.
QString nasledujici_den(const QString& den)
{
    const QDate d = QDate::fromString(den, Qt::ISODate);
    return d.isValid() ? d.addDays(1).toString(Qt::ISODate) : den + QStringLiteral(" 99");
}

} // namespace

Znovu_otarifuj::Znovu_otarifuj(Transaction& t, QObject* parent) : QObject(parent), m_t(t), m_tarifovani(t)
{
    connect(&m_tarifovani, &Tarifovani::status, this, &Znovu_otarifuj::status);
}

Znovu_otarifuj::Znovu_otarifuj(QObject* parent) : Znovu_otarifuj(Transaction::main(), parent) {}

Znovu_otarifuj::Obdobi Znovu_otarifuj::navrzene_obdobi()
{
    Obdobi o;
    Query q(m_t, QStringLiteral("SELECT date(min(hovory.ustredna_datum_a_cas)), date(max(hovory.ustredna_datum_a_cas)) "
                                "FROM dba.hovory hovory"));
    if (!q.run()) {
        m_lastError = q.lastErrorText();
        return o;
    }
    if (!q.atEnd()) {
        o.od = q.value(1);
        o.do_ = q.value(2);
    }
    return o;
}

QString Znovu_otarifuj::normalizuj(const QString& text)
{
    if (text.trimmed().isEmpty()) return QString();
    cl_Datum datum;
    return datum.test_datumu(text.trimmed());
}

bool Znovu_otarifuj::dny(const QString& od, const QString& do_, QStringList& out)
{
    out.clear();
    const QString prvni = normalizuj(od);
    const QString posledni = normalizuj(do_);
    if (prvni.isEmpty() || posledni.isEmpty() || prvni > posledni) return true;
    // A range of the stored date-times, so the index by date serves it.
    Query q(m_t, QStringLiteral("SELECT DISTINCT date(hovory.ustredna_datum_a_cas) AS datum FROM dba.hovory "
                                "WHERE hovory.ustredna_datum_a_cas >= ? AND hovory.ustredna_datum_a_cas < ? "
                                "ORDER BY 1"));
    q.bind(1, prvni);
    q.bind(2, nasledujici_den(posledni));
    if (!q.run()) {
        m_lastError = q.lastErrorText();
        return false;
    }
    for (; !q.atEnd(); q.next())
        if (!q.isNull(1)) out << q.value(1);
    return true;
}

bool Znovu_otarifuj::vynuluj_den(const QString& den)
{
    Query q(m_t);
    if (q.execute(QStringLiteral("UPDATE dba.hovory SET typ_hovoru = NULL, status_hovoru = 2, tarifovat_hovor = 0, "
                                 "kod_statu = NULL, kod_mesta = NULL, cislo_ucastnika = NULL, id_pasma = NULL, "
                                 "program_pocet_impulsu = NULL "
                                 "WHERE ustredna_datum_a_cas >= ? AND ustredna_datum_a_cas < ?"),
                  {den, nasledujici_den(den)}))
        return true;
    m_lastError = q.lastErrorText();
    return false;
}

// The columns a reset and a tariffing run write: what the backup of the
// period keeps for each call.
const char* const Znovu_otarifuj::kSloupce =
    "typ_hovoru, status_hovoru, tarifovat_hovor, kod_statu, kod_mesta, cislo_ucastnika, id_pasma, "
    "program_pocet_impulsu, id_firmy, id_oddeleni, popis_osob";

bool Znovu_otarifuj::exec(const QString& sql, const QVariantList& params)
{
    Query q(m_t);
    if (q.execute(sql, params)) return true;
    m_lastError = q.lastErrorText();
    return false;
}

bool Znovu_otarifuj::zaloha_zacni()
{
    return exec(QStringLiteral("DROP TABLE IF EXISTS temp.znovu_otarifuj_zaloha"))
        && exec(QStringLiteral("CREATE TEMP TABLE znovu_otarifuj_zaloha (id_hovoru INTEGER, "
                               "typ_hovoru TEXT, status_hovoru INTEGER, tarifovat_hovor INTEGER, kod_statu TEXT, "
                               "kod_mesta TEXT, cislo_ucastnika TEXT, id_pasma INTEGER, program_pocet_impulsu INTEGER, "
                               "id_firmy INTEGER, id_oddeleni INTEGER, popis_osob TEXT)"))
        && m_t.commit();
}

bool Znovu_otarifuj::zaloha_dne(const QString& den)
{
    const QString sloupce = QString::fromLatin1(kSloupce);
    return exec(QStringLiteral("INSERT INTO temp.znovu_otarifuj_zaloha (id_hovoru, %1) SELECT id_hovoru, %1 "
                               "FROM dba.hovory WHERE ustredna_datum_a_cas >= ? AND ustredna_datum_a_cas < ?")
                    .arg(sloupce),
                {den, nasledujici_den(den)});
}

bool Znovu_otarifuj::zaloha_obnov()
{
    const QString sloupce = QString::fromLatin1(kSloupce);
    QStringList z;
    for (const QString& c : sloupce.split(QStringLiteral(", "))) z << QStringLiteral("z.") + c;
    // Appending to the backup needs no index; the rare restore makes one.
    return exec(QStringLiteral("CREATE INDEX temp.znovu_otarifuj_zaloha_id ON znovu_otarifuj_zaloha (id_hovoru)"))
        && exec(QStringLiteral("UPDATE dba.hovory SET (%1) = (SELECT %2 FROM temp.znovu_otarifuj_zaloha z "
                               "WHERE z.id_hovoru = hovory.id_hovoru) "
                               "WHERE id_hovoru IN (SELECT id_hovoru FROM temp.znovu_otarifuj_zaloha)")
                    .arg(sloupce, z.join(QStringLiteral(", "))));
}

// The backup is only a copy: a failure to drop it changes no call, and the
// next re-tariffing makes it anew.
void Znovu_otarifuj::zaloha_zrus()
{
    Query q(m_t);
    q.execute(QStringLiteral("DROP TABLE IF EXISTS temp.znovu_otarifuj_zaloha"));
    m_t.commit();
}

Znovu_otarifuj::Vysledek Znovu_otarifuj::otarifuj(const QString& od, const QString& do_)
{
    m_hotove.clear();
    m_message.clear();
    m_lastError.clear();

    // No other thread's commit or rollback falls inside the run.
    std::lock_guard<std::recursive_mutex> lock(m_t.mutex());
    // Whatever was pending before is not mixed with the run.
    if (!m_t.commit()) {
        m_lastError = m_t.lastErrorText();
        m_message = tr8("Tarifování hovorů nelze zahájit, rozpracované změny nešlo uložit:\n") + m_lastError;
        return Vysledek::Chyba;
    }

    // Without a site no day could be tariffed again: reset nothing.
    if (!m_tarifovani.nastav_parametry()) {
        m_lastError = m_tarifovani.lastError();
        m_message = tr8("Místo ústředny nelze přečíst:\n") + m_lastError;
        return Vysledek::Chyba;
    }
    if (!m_tarifovani.mistoPouzitelne()) {
        m_message = tr8("Není nastaveno místo ústředny (mezistátní a meziměstská předvolba).\n"
                        "Hovory nebyly znovu otarifovány. Nastavte místo ústředny a spusťte tarifování znovu.");
        return Vysledek::ChybiMisto;
    }

    QStringList seznam;
    if (!dny(od, do_, seznam)) {
        m_message = tr8("Dny s hovory nelze zjistit:\n") + m_lastError;
        return Vysledek::Chyba;
    }
    if (seznam.isEmpty()) return Vysledek::Hotovo;
    if (!zaloha_zacni()) {
        m_t.rollback();
        m_message = tr8("Tarifování hovorů nelze zahájit:\n") + m_lastError;
        return Vysledek::Chyba;
    }

    for (const QString& d : seznam) {
        emit den(d);
        // The run commits the backup and the reset of the day before its
        // first statement, and its results at its end.
        bool ok = zaloha_dne(d) && vynuluj_den(d);
        if (ok) {
            const Tarifovani::Vysledek v = m_tarifovani.tarifikuj();
            ok = v == Tarifovani::Vysledek::Hotovo;
            if (!ok) m_lastError = m_tarifovani.message();
        }
        if (!ok) {
            // Every day tariffed so far, and the reset of this one, are undone.
            m_t.rollback();
            const QString chyba = m_lastError;
            const bool obnoveno = zaloha_obnov() && m_t.commit();
            if (!obnoveno) m_t.rollback();
            m_hotove.clear();
            emit status(QString());
            m_message = tr8("Tarifování hovorů dne %1 se nezdařilo.\n").arg(d) + chyba
                + (obnoveno ? tr8("\nHovory zůstaly tak, jak byly před tarifováním.")
                            : tr8("\nPůvodní hodnoty hovorů nelze obnovit (%1); hovory budou otarifovány "
                                  "při příštím tarifování.").arg(m_lastError));
            zaloha_zrus();
            return Vysledek::Chyba;
        }
        m_hotove << d;
    }
    // Each run has committed its results; the last day's are in, nothing is left open.
    zaloha_zrus();
    return Vysledek::Hotovo;
}

} // namespace kavro
