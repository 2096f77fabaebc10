#include "znovu_otarifuj.h"

#include "common/datum.h"
#include "platform/database.h"
#include "platform/fast_statement.h"
#include "platform/unit_of_work.h"

#include <QDate>

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

Znovu_otarifuj::Vysledek Znovu_otarifuj::otarifuj(const QString& od, const QString& do_)
{
    m_hotove.clear();
    m_message.clear();
    m_lastError.clear();

    // The whole period is one unit of work, and no other thread's commit or
    // rollback falls inside it: a failure on any day leaves every call as it was.
    ConnectionLock lock(m_t);
    // A wait for another program's lock is shown in the window.
    BusyWatch cekani;
    cekani.report = [this](bool ceka) { emit this->cekani(ceka); };
    BusyWatchScope hlidka(m_t, cekani);
    UnitOfWork prace(m_t);
    // Whatever was pending before is not mixed with the run.
    if (!prace.commit()) {
        m_lastError = prace.errorText();
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
    if (!prace.commit()) {
        m_lastError = prace.errorText();
        m_message = tr8("Tarifování hovorů nelze zahájit:\n") + m_lastError;
        return Vysledek::Chyba;
    }

    // The directories and tariff tables cannot change inside the unit of work: they are read once.
    m_tarifovani.podrzTabulky(true);
    int hotovo = 0;
    for (const QString& d : seznam) {
        emit den(d);
        emit postup(hotovo++, int(seznam.size()));
        // The day's calls go back to stage 2 as the run reads them.
        m_tarifovani.vynulujNejdriv(d, nasledujici_den(d));
        const bool ok = m_tarifovani.tarifikuj_bez_potvrzeni() == Tarifovani::Vysledek::Hotovo;
        if (!ok) m_lastError = m_tarifovani.message();
        if (!ok) {
            // Every day tariffed so far, and the reset of this one, are undone.
            prace.rollback();
            m_tarifovani.podrzTabulky(false);
            m_hotove.clear();
            emit status(QString());
            if (m_tarifovani.obsazeno())
                m_message = tr8("Databázi právě používá jiný program, tarifování hovorů bylo proto ukončeno u dne %1.\n"
                                "Hovory všech dnů od %2 do %3 zůstaly tak, jak byly před tarifováním.\n"
                                "Tarifování můžete zopakovat později.")
                                .arg(d, seznam.first(), seznam.last());
            else
                m_message = tr8("Tarifování hovorů dne %1 se nezdařilo.\n").arg(d) + m_lastError
                    + tr8("\nHovory zůstaly tak, jak byly před tarifováním.");
            return Vysledek::Chyba;
        }
        m_hotove << d;
    }
    m_tarifovani.podrzTabulky(false);
    if (!prace.commit()) {
        m_lastError = prace.errorText();
        m_hotove.clear();
        m_message = tr8("Výsledky tarifování nelze uložit:\n") + m_lastError
            + tr8("\nHovory zůstaly tak, jak byly před tarifováním.");
        return Vysledek::Chyba;
    }
    return Vysledek::Hotovo;
}

} // namespace kavro
