#include "tarifovani.h"

#include "call_import.h"
#include "tarifovani_sql.h"
#include "common/datum.h"
#include "import/vazby_tto.h"
#include "platform/database.h"

#include <QRegularExpression>
#include <sqlite3.h>
#include <mutex>

namespace kavro {

namespace {

// Holds the connection for the length of one step (and of a whole run): the
// statements see each other's work, and no other thread's commit or rollback
// falls between them.
using StepLock = std::lock_guard<std::recursive_mutex>;

QString tr8(const char* s) { return QString::fromUtf8(s); }

// Easter Monday of `rok` as "RRRR-MM-DD"; "" outside the years it is known for.
QString velikonocniPondeli(int rok)
{
    cl_Datum datum;
    const SYSTEMTIME pondeli = datum.Velikonoce(rok);
    if (pondeli.wYear == 0) return QString();
    return datum.strDate(&pondeli, QStringLiteral("RRRR-MM-DD"));
}

} // namespace

Tarifovani::Tarifovani(Transaction& t, QObject* parent) : QObject(parent), m_t(t) {}

Tarifovani::Tarifovani(QObject* parent) : Tarifovani(Transaction::main(), parent) {}

QString Tarifovani::caption() { return tr8("Otarifováni hovorů"); }

bool Tarifovani::mistoPouzitelne() const
{
    return m_misto.nalezeno && !m_misto.mezistatni_predvolba.trimmed().isEmpty()
        && !m_misto.mezimestska_predvolba.trimmed().isEmpty();
}

bool Tarifovani::exec(const QString& sql, const QVariantList& params, qint64* rows)
{
    Query q(m_t);
    const bool ok = q.execute(sql, params);
    if (rows) *rows = q.rowCount();
    if (ok) return true;
    m_lastError = q.lastErrorText();
    return false;
}

// Site values travel as bound parameters: the statements name them :mp
// (international prefix), :mm (long-distance prefix), :ks (home state) and
// :km (home area), each turned into one `?` in the order it occurs.
bool Tarifovani::execSite(const QString& sql)
{
    static const QRegularExpression re(QStringLiteral(":(mp|mm|ks|km)\\b"));
    QString text;
    QVariantList params;
    qsizetype last = 0;
    auto it = re.globalMatch(sql);
    while (it.hasNext()) {
        const auto m = it.next();
        text += sql.mid(last, m.capturedStart() - last);
        text += QLatin1Char('?');
        last = m.capturedEnd();
        const QString name = m.captured(1);
        if (name == u"mp") params << m_misto.mezistatni_predvolba;
        else if (name == u"mm") params << m_misto.mezimestska_predvolba;
        else if (name == u"ks") params << m_misto.kod_statu;
        else params << m_misto.kod_mesta;
    }
    text += sql.mid(last);
    return exec(text, params);
}

// ---------------------------------------------------------------- the import's hook

namespace {

class TarifovaniProImport : public TariffingRun {
public:
    TarifovaniProImport()
    {
        // Direct: the step reaches the import on the thread that runs the tariffing.
        QObject::connect(&m_t, &Tarifovani::status, [this](const QString& text) {
            if (stav) stav(text);
        });
    }
    void novy_beh() override { m_t.novyBeh(); }
    bool spust() override { return m_t.tarifikuj() == Tarifovani::Vysledek::Hotovo; }
    QString zprava() const override { return m_t.message(); }

private:
    Tarifovani m_t;
};

} // namespace

void Tarifovani::zaregistruj()
{
    setTariffingRunFactory([] { return std::unique_ptr<TariffingRun>(new TarifovaniProImport); });
}

// ---------------------------------------------------------------- the run

Tarifovani::Vysledek Tarifovani::tarifikuj()
{
    // The run holds the connection from its first commit to its last, so that
    // no other thread's commit or rollback falls into it.
    StepLock lock(m_t.mutex());
    m_lastError.clear();
    m_message.clear();
    if (!m_t.commit()) {
        m_lastError = m_t.lastErrorText();
        m_message = tr8("Tarifování hovorů nelze zahájit, rozpracované změny nešlo uložit:\n") + m_lastError;
        return Vysledek::Chyba;
    }
    if (!pracovniPamet()) {
        m_message = tr8("Tarifování hovorů se nezdařilo:\n") + m_lastError;
        return Vysledek::Chyba;
    }
    Vysledek v = beh();
    if (v == Vysledek::Hotovo && !m_t.commit()) {
        m_lastError = m_t.lastErrorText();
        m_message = tr8("Tarifování hovorů se nezdařilo, jeho změny byly vráceny zpět:\n") + m_lastError;
        v = Vysledek::Chyba;
    }
    if (v == Vysledek::Chyba) m_t.rollback();
    return v;
}

Tarifovani::Vysledek Tarifovani::tarifikuj_bez_potvrzeni()
{
    StepLock lock(m_t.mutex());
    m_lastError.clear();
    m_message.clear();
    return beh();
}

// Site values, the work copy, the calendar, the nine steps and the writing
// back; no commit and no rollback.
Tarifovani::Vysledek Tarifovani::beh()
{
    bool ok = nastav_parametry();
    if (ok && !mistoPouzitelne()) {
        emit status(QString());
        m_message = tr8("Není nastaveno místo ústředny (mezistátní a meziměstská předvolba).\n"
                        "Hovory nebyly otarifovány. Nastavte místo ústředny a spusťte tarifování znovu.");
        return Vysledek::ChybiMisto;
    }
    ok = ok && pracovni_kopie() && doplneni_kalendare() && Nastav_typ_hovoru() && zjisteni_tarifnich_vysilacu()
        && zrus_tarif_u_minimalnich_casu() && Nastav_kody_mest_a_statu() && Nalezeni_ucastniku()
        && urceni_pasma_hovoru() && oimpulsovani_hovoru() && Zrus_tarifovani_u_kratkych_cisel()
        && prirazeni_volajiciho() && zapis_vysledku();
    if (!ok) {
        emit status(QString());
        m_message = tr8("Tarifování hovorů se nezdařilo, jeho změny byly vráceny zpět:\n") + m_lastError;
        return Vysledek::Chyba;
    }
    return Vysledek::Hotovo;
}

// The work tables live in memory, in large pages (fewer pages to walk in the
// passes over all calls). The storage can only be switched outside a unit of
// work, and the page size only before the connection's first work table;
// once set, both stay so for the connection. Inside a unit of work this does
// nothing (the tables then live where the connection keeps them).
bool Tarifovani::pracovniPamet()
{
    StepLock lock(m_t.mutex());
    if (!sqlite3_get_autocommit(m_t.handle())) return true;
    char* err = nullptr;
    if (sqlite3_exec(m_t.handle(), "PRAGMA temp_store = MEMORY; PRAGMA temp.page_size = 65536", nullptr, nullptr, &err)
        != SQLITE_OK) {
        m_lastError = QString::fromUtf8(err);
        sqlite3_free(err);
        return false;
    }
    return true;
}

// The columns the steps read or write, as dba.hovory names them.
static const char* const kSloupcePrace =
    "id_hovoru, ustredna_datum_a_cas, ustredna_delka_hovoru, ustredna_volane_cislo, ustredna_pocet_impulsu, "
    "ustredna_cislo_pobocky, ustredna_cislo_linky, status_hovoru, typ_hovoru, tarifovat_hovor, kod_statu, "
    "kod_mesta, cislo_ucastnika, id_pasma, program_pocet_impulsu, id_firmy, id_oddeleni, popis_osob";

bool Tarifovani::pracovni_kopie()
{
    StepLock lock(m_t.mutex());
    if (!m_drzDelky) m_delkyNacteny = false;
    if (!pracovniPamet()) return false;
    // A work table an earlier run of this connection left behind goes first.
    // Besides the calls' columns it holds the date part and the time of day
    // of each call's start (den_hovoru, cas_hovoru), cut once here rather than
    // in every comparison with a validity range or time band.
    return exec(QStringLiteral("DROP TABLE IF EXISTS temp.hovory_tarifovani"))
        && exec(QStringLiteral(
            "CREATE TEMP TABLE hovory_tarifovani ("
            "id_hovoru INTEGER PRIMARY KEY, ustredna_datum_a_cas TEXT, ustredna_delka_hovoru TEXT, "
            "ustredna_volane_cislo TEXT, ustredna_pocet_impulsu INTEGER, ustredna_cislo_pobocky TEXT, "
            "ustredna_cislo_linky TEXT, status_hovoru INTEGER, typ_hovoru TEXT, tarifovat_hovor INTEGER, "
            "kod_statu TEXT, kod_mesta TEXT, cislo_ucastnika TEXT, id_pasma INTEGER, program_pocet_impulsu INTEGER, "
            "id_firmy INTEGER, id_oddeleni INTEGER, popis_osob TEXT, den_hovoru TEXT, cas_hovoru TEXT)"))
        && exec(QStringLiteral("INSERT INTO temp.hovory_tarifovani (%1, den_hovoru, cas_hovoru) SELECT %1, "
                               "substr(hovory.ustredna_datum_a_cas, 1, 10), substr(hovory.ustredna_datum_a_cas, 12, 8) "
                               "FROM dba.hovory WHERE hovory.status_hovoru < 10").arg(QLatin1String(kSloupcePrace)),
                {}, &m_pocetHovoru);
}

// The lengths of the directories' codes, read once for each work table.
bool Tarifovani::nactiDelky()
{
    if (m_delkyNacteny) return true;
    m_delkyNacteny = tarifovani_sql::nacti_delky(m_t, m_delky, &m_lastError);
    return m_delkyNacteny;
}

bool Tarifovani::zapis_vysledku()
{
    StepLock lock(m_t.mutex());
    return exec(QStringLiteral(
               "UPDATE dba.hovory SET (status_hovoru, typ_hovoru, tarifovat_hovor, kod_statu, kod_mesta, cislo_ucastnika, "
               "id_pasma, program_pocet_impulsu, id_firmy, id_oddeleni, popis_osob) = ("
               "SELECT prace.status_hovoru, prace.typ_hovoru, prace.tarifovat_hovor, prace.kod_statu, prace.kod_mesta, "
               "prace.cislo_ucastnika, prace.id_pasma, prace.program_pocet_impulsu, prace.id_firmy, prace.id_oddeleni, "
               "prace.popis_osob FROM temp.hovory_tarifovani prace WHERE prace.id_hovoru = hovory.id_hovoru) "
               "WHERE hovory.id_hovoru IN (SELECT id_hovoru FROM temp.hovory_tarifovani)"))
        && exec(QStringLiteral("DROP TABLE temp.hovory_tarifovani"));
}

bool Tarifovani::nastav_parametry()
{
    emit status(tr8("Nastavuji parametry"));
    m_misto = Misto();
    m_lastError.clear();
    m_misto.nalezeno = nacti_misto(m_t, &m_misto, &m_lastError);
    return m_lastError.isEmpty();
}

// The calendar gets a row for every date of a call still to be tariffed; the
// day type is 2 on Saturdays, Sundays, holidays of every year, holidays of
// the row's year and Easter Mondays, 1 on every other day.
bool Tarifovani::doplneni_kalendare()
{
    StepLock lock(m_t.mutex());
    emit status(tr8("Doplňuji kalendář"));
    // Later runs on one object type the whole calendar again, so that holidays
    // changed since the last run apply.
    if (m_prvniBehProbehl
        && !exec(QStringLiteral("UPDATE dba.kalendar SET typ_dne = argn(dow(datum), 2, 3, 3, 3, 3, 3, 2)")))
        return false;
    m_prvniBehProbehl = true;
    // Every date of a call below stage 10, older dates than the newest calendar
    // row too. The date is read from the first ten characters of each call (the
    // date part, also of texts such as '2024-3-5 8:00'), once for each text.
    // The dates already there, and the NULL of a text that is no date, are
    // taken away as sets (EXCEPT), after the distinct texts: a condition would
    // be tested on every call.
    if (!exec(QStringLiteral(
            "INSERT INTO dba.kalendar (datum, typ_dne) "
            "SELECT d.den, argn(dow(d.den), 2, 3, 3, 3, 3, 3, 2) FROM ("
            " SELECT date(t.den) AS den FROM ("
            "  SELECT DISTINCT hovory.den_hovoru AS den FROM temp.hovory_tarifovani hovory) t "
            " EXCEPT SELECT kalendar.datum FROM dba.kalendar EXCEPT SELECT NULL) d")))
        return false;

    emit status(tr8("Upravuji kalendář"));
    // Holidays of every year (rok 0), then those of the calendar row's own year.
    if (!exec(QStringLiteral(
            "UPDATE dba.kalendar SET typ_dne = 2 WHERE typ_dne = 3 AND EXISTS ("
            "SELECT 1 FROM dba.pevne_svatky WHERE CAST(pevne_svatky.mesic AS INTEGER) = month(kalendar.datum) "
            "AND CAST(pevne_svatky.den AS INTEGER) = day(kalendar.datum) AND CAST(pevne_svatky.rok AS INTEGER) = 0)")))
        return false;
    if (!exec(QStringLiteral(
            "UPDATE dba.kalendar SET typ_dne = 2 WHERE typ_dne = 3 AND EXISTS ("
            "SELECT 1 FROM dba.pevne_svatky WHERE CAST(pevne_svatky.mesic AS INTEGER) = month(kalendar.datum) "
            "AND CAST(pevne_svatky.den AS INTEGER) = day(kalendar.datum) "
            "AND CAST(pevne_svatky.rok AS INTEGER) = year(kalendar.datum))")))
        return false;

    // Easter Monday of every year the calendar holds a weekday still to settle in.
    QList<int> years;
    {
        Query q(m_t, QStringLiteral("SELECT DISTINCT year(datum) FROM dba.kalendar WHERE typ_dne = 3"));
        if (!q.run()) {
            m_lastError = q.lastErrorText();
            return false;
        }
        for (; !q.atEnd(); q.next())
            if (!q.isNull(1)) years << int(q.intValue(1));
    }
    for (int rok : years) {
        const QString den = velikonocniPondeli(rok);
        if (den.isEmpty()) continue;
        if (!exec(QStringLiteral("UPDATE dba.kalendar SET typ_dne = 2 WHERE datum = ? AND typ_dne = 3"), {den}))
            return false;
    }
    return exec(QStringLiteral("UPDATE dba.kalendar SET typ_dne = 1 WHERE typ_dne = 3"));
}

// ---------------------------------------------------------------- the steps

// 2 -> 3: incoming, international, long distance, local; each rule types only
// calls still without a type. An empty prefix matches no call.
bool Tarifovani::Nastav_typ_hovoru()
{
    StepLock lock(m_t.mutex());
    emit status(tr8("Nastavuji typ příchozí hovory"));
    if (!exec(tr8("UPDATE temp.hovory_tarifovani AS hovory SET typ_hovoru = 'P', status_hovoru = 3 "
                  "WHERE status_hovoru = 2 AND typ_hovoru IS NULL "
                  "AND (substr(hovory.ustredna_volane_cislo, 1, 3) = '*IN' "
                  "OR substr(hovory.ustredna_volane_cislo, 1, 8) = 'Příchozí')")))
        return false;
    emit status(tr8("Nastavuji typ mezistátní hovory"));
    if (!execSite(QStringLiteral(
            "UPDATE temp.hovory_tarifovani AS hovory SET typ_hovoru = 'C', status_hovoru = 3 "
            "WHERE status_hovoru = 2 AND typ_hovoru IS NULL AND :mp <> '' "
            "AND substr(hovory.ustredna_volane_cislo, 1, length(:mp)) = :mp")))
        return false;
    emit status(tr8("Nastavuji typ meziměstské hovory"));
    if (!execSite(QStringLiteral(
            "UPDATE temp.hovory_tarifovani AS hovory SET typ_hovoru = 'B', status_hovoru = 3, kod_statu = :ks "
            "WHERE status_hovoru = 2 AND typ_hovoru IS NULL AND :mm <> '' "
            "AND substr(hovory.ustredna_volane_cislo, 1, length(:mm)) = :mm")))
        return false;
    emit status(tr8("Nastavuji typ místní hovory"));
    // The subscriber of a local call: the longest number of the home area that
    // begins the dialled number.
    if (!nactiDelky()) return false;
    const tarifovani_sql::DelkyKodu& delky = m_delky;
    // The same pass moves the calls typed before on to the next stage.
    return execSite(QStringLiteral(
            "UPDATE temp.hovory_tarifovani AS hovory SET status_hovoru = 3, "
            "typ_hovoru = CASE WHEN typ_hovoru IS NULL THEN 'A' ELSE typ_hovoru END, "
            "kod_statu = CASE WHEN typ_hovoru IS NULL THEN :ks ELSE kod_statu END, "
            "kod_mesta = CASE WHEN typ_hovoru IS NULL THEN :km ELSE kod_mesta END, "
            "cislo_ucastnika = CASE WHEN typ_hovoru IS NULL THEN %1 ELSE cislo_ucastnika END "
            "WHERE status_hovoru = 2")
            .arg(tarifovani_sql::mistni_cislo_ucastnika(QStringLiteral("hovory"), QStringLiteral(":ks"),
                                                        QStringLiteral(":km"), delky)));
}

// At stage 3: the trunk lines of outgoing calls. A new line starts as one
// without exchange impulses; a call without impulses over 5 minutes marks its
// line 0, a call with impulses marks it 1, and 1 wins.
bool Tarifovani::zjisteni_tarifnich_vysilacu()
{
    StepLock lock(m_t.mutex());
    emit status(tr8("Zjistuji tarifní vysílače"));
    if (!exec(QStringLiteral(
            "INSERT INTO dba.tarifni_vysilace (ustredna_cislo_linky, zapojen) "
            "SELECT nove.ustredna_cislo_linky, 0 FROM ("
            " SELECT DISTINCT hovory.ustredna_cislo_linky FROM temp.hovory_tarifovani hovory "
            " WHERE hovory.status_hovoru = 3 AND hovory.typ_hovoru <> 'P' AND hovory.ustredna_cislo_linky IS NOT NULL "
            " EXCEPT SELECT tarifni_vysilace.ustredna_cislo_linky FROM dba.tarifni_vysilace) nove")))
        return false;
    if (!exec(QStringLiteral(
            "UPDATE dba.tarifni_vysilace SET zapojen = 0 WHERE ustredna_cislo_linky IN ("
            "SELECT hovory.ustredna_cislo_linky FROM temp.hovory_tarifovani hovory WHERE hovory.status_hovoru = 3 "
            "AND hovory.typ_hovoru <> 'P' AND hovory.ustredna_pocet_impulsu = 0 "
            "AND hovory.ustredna_delka_hovoru > '00:05:00')")))
        return false;
    return exec(QStringLiteral(
        "UPDATE dba.tarifni_vysilace SET zapojen = 1 WHERE ustredna_cislo_linky IN ("
        "SELECT hovory.ustredna_cislo_linky FROM temp.hovory_tarifovani hovory WHERE hovory.status_hovoru = 3 "
        "AND hovory.typ_hovoru <> 'P' AND hovory.ustredna_pocet_impulsu > 0)"));
}

// 3 -> 4: the charge decision.
bool Tarifovani::zrus_tarif_u_minimalnich_casu()
{
    StepLock lock(m_t.mutex());
    emit status(tr8("Vyřazuji krátké hovory z tarifování"));
    // One pass over the calls of the stage moves every one on. Outgoing calls
    // on impulse lines take the exchange's count, and are charged when it has
    // impulses; calls on lines without impulses are charged from the
    // pseudotariff's minimum time of their type.
    return exec(QStringLiteral(
        "UPDATE temp.hovory_tarifovani AS hovory SET status_hovoru = 4, "
        "program_pocet_impulsu = CASE WHEN typ_hovoru <> 'P' AND ustredna_cislo_linky IN (%1) "
        " THEN ustredna_pocet_impulsu ELSE program_pocet_impulsu END, "
        "tarifovat_hovor = CASE WHEN typ_hovoru <> 'P' AND ustredna_cislo_linky IN (%1) "
        " THEN CASE WHEN ustredna_pocet_impulsu > 0 THEN 1 ELSE tarifovat_hovor END "
        "WHEN ustredna_cislo_linky IN (%2) AND EXISTS (SELECT 1 FROM dba.casy_pseudotarifu "
        " WHERE casy_pseudotarifu.typ_hovoru = hovory.typ_hovoru AND casy_pseudotarifu.typ_casu = 'D' "
        " AND hovory.ustredna_datum_a_cas BETWEEN casy_pseudotarifu.pocatek_platnosti AND casy_pseudotarifu.konec_platnosti "
        " AND hovory.ustredna_delka_hovoru >= casy_pseudotarifu.cas) THEN 1 "
        "ELSE tarifovat_hovor END "
        "WHERE status_hovoru = 3")
        .arg(QStringLiteral("SELECT tarifni_vysilace.ustredna_cislo_linky FROM dba.tarifni_vysilace WHERE tarifni_vysilace.zapojen = 1"),
             QStringLiteral("SELECT tarifni_vysilace.ustredna_cislo_linky FROM dba.tarifni_vysilace WHERE tarifni_vysilace.zapojen = 0")));
}

// 4 -> 5: state and area codes, the longest code (of at most 5 digits) that
// the digits after the prefix begin with.
bool Tarifovani::Nastav_kody_mest_a_statu()
{
    StepLock lock(m_t.mutex());
    if (!nactiDelky()) return false;
    const tarifovani_sql::DelkyKodu& delky = m_delky;
    const QString h = QStringLiteral("hovory");

    emit status(tr8("Nastavuji kody statu u zahranicnich hovoru"));
    if (!execSite(QStringLiteral("UPDATE temp.hovory_tarifovani AS hovory SET kod_statu = %1 "
                                 "WHERE kod_statu IS NULL AND typ_hovoru = 'C' AND status_hovoru = 4")
                      .arg(tarifovani_sql::mezistatni_kod_statu(h, QStringLiteral(":mp"), delky))))
        return false;
    // Foreign and home areas in one pass, which moves every call of the stage on.
    emit status(tr8("Nastavuji kódy zahraničního města"));
    emit status(tr8("Nastavuji kódy domácího města"));
    return execSite(QStringLiteral("UPDATE temp.hovory_tarifovani AS hovory SET status_hovoru = 5, kod_mesta = CASE "
                                   "WHEN kod_mesta IS NULL AND typ_hovoru = 'C' THEN %1 "
                                   "WHEN kod_mesta IS NULL AND typ_hovoru = 'B' THEN %2 "
                                   "ELSE kod_mesta END WHERE status_hovoru = 4")
                        .arg(tarifovani_sql::mezistatni_kod_mesta(h, QStringLiteral(":mp"), delky),
                             tarifovani_sql::mezimestsky_kod_mesta(h, QStringLiteral(":mm"), delky)));
}

// 5 -> 6: the subscriber, the longest directory number that begins the rest of
// the dialled number after prefix, state and area.
bool Tarifovani::Nalezeni_ucastniku()
{
    StepLock lock(m_t.mutex());
    if (!nactiDelky()) return false;
    const tarifovani_sql::DelkyKodu& delky = m_delky;
    const QString h = QStringLiteral("hovory");
    // Foreign and domestic subscribers in one pass, which moves every call of the stage on.
    emit status(tr8("Hledám mezistátní účastníky"));
    emit status(tr8("Hledám meziměstské účastníky"));
    return execSite(QStringLiteral("UPDATE temp.hovory_tarifovani AS hovory SET status_hovoru = 6, cislo_ucastnika = CASE "
                                   "WHEN cislo_ucastnika IS NULL AND typ_hovoru = 'C' THEN %1 "
                                   "WHEN cislo_ucastnika IS NULL AND typ_hovoru = 'B' THEN %2 "
                                   "ELSE cislo_ucastnika END WHERE status_hovoru = 5")
                        .arg(tarifovani_sql::mezistatni_cislo_ucastnika(h, QStringLiteral(":mp"), delky),
                             tarifovani_sql::mezimestsky_cislo_ucastnika(h, QStringLiteral(":mm"), delky)));
}

// 6 -> 7: charged calls take the zone of their state (international) or of
// their area (long distance, local).
bool Tarifovani::urceni_pasma_hovoru()
{
    StepLock lock(m_t.mutex());
    emit status(tr8("Určuji pásmo u hovoru"));
    // One pass: a charged international call takes its state's zone, a charged
    // long-distance or local call the zone of its area; a call whose state or
    // area is not in the directory keeps what it has. Sub-selects by key
    // rather than UPDATE ... FROM, which the engine runs through an
    // intermediate table of the whole join.
    return exec(QStringLiteral(
        "UPDATE temp.hovory_tarifovani AS hovory SET status_hovoru = 7, id_pasma = CASE "
        " WHEN hovory.tarifovat_hovor = 1 AND hovory.typ_hovoru = 'C' THEN coalesce(("
        "  SELECT ciselnik_statu.id_pasma FROM dba.ciselnik_statu WHERE ciselnik_statu.kod_statu = hovory.kod_statu),"
        "  hovory.id_pasma) "
        " WHEN hovory.tarifovat_hovor = 1 AND hovory.typ_hovoru IN ('B', 'A') THEN coalesce(("
        "  SELECT ciselnik_mest.id_pasma FROM dba.ciselnik_mest WHERE ciselnik_mest.kod_statu = hovory.kod_statu"
        "  AND ciselnik_mest.kod_mesta = hovory.kod_mesta), hovory.id_pasma) "
        " ELSE hovory.id_pasma END "
        "WHERE hovory.status_hovoru = 6"));
}

// 7 -> 8: the impulse count of charged calls: the duration less the
// pseudotariff's subtracted time of the call's type (never below 0), divided
// by the seconds of one impulse and rounded up. The seconds come from the
// called state's discounted period, else from the zone's period, else 1; a
// period must be above 0 to count. Both periods must hold on the call's date
// (whole days, last day included), in the band that holds its time of day,
// for the calendar's type of its day. A call whose zone has no such period
// keeps the count the charge step gave it.
bool Tarifovani::oimpulsovani_hovoru()
{
    StepLock lock(m_t.mutex());
    emit status(tr8("Nastavuji počty impulsů"));
    if (!exec(QStringLiteral(
            "UPDATE temp.hovory_tarifovani AS hovory SET status_hovoru = 8, program_pocet_impulsu = coalesce(("
            " SELECT min(ceiling(max(0, seconds(casy_pseudotarifu.cas, hovory.ustredna_delka_hovoru))"
            "   / CAST(coalesce(("
            "     SELECT min(zlevnene_volani.perioda) FROM dba.zlevnene_volani"
            "     WHERE zlevnene_volani.kod_statu = hovory.kod_statu AND zlevnene_volani.perioda > 0"
            "     AND hovory.den_hovoru BETWEEN zlevnene_volani.pocatek_platnosti"
            "         AND zlevnene_volani.konec_platnosti"
            "     AND hovory.cas_hovoru BETWEEN zlevnene_volani.od_casu AND zlevnene_volani.do_casu"
            "     AND zlevnene_volani.typ_dne = kalendar.typ_dne),"
            "    CASE WHEN perioda_impulsu.perioda > 0 THEN perioda_impulsu.perioda END, 1) AS REAL)))"
            " FROM dba.kalendar, dba.perioda_impulsu, dba.casy_pseudotarifu"
            " WHERE kalendar.datum = hovory.den_hovoru"
            " AND perioda_impulsu.id_pasma = hovory.id_pasma AND perioda_impulsu.typ_dne = kalendar.typ_dne"
            " AND hovory.den_hovoru BETWEEN perioda_impulsu.pocatek_platnosti"
            "     AND perioda_impulsu.konec_platnosti"
            " AND hovory.cas_hovoru BETWEEN perioda_impulsu.od_casu AND perioda_impulsu.do_casu"
            " AND casy_pseudotarifu.typ_hovoru = hovory.typ_hovoru AND casy_pseudotarifu.typ_casu = 'D'"
            " AND hovory.ustredna_datum_a_cas BETWEEN casy_pseudotarifu.pocatek_platnosti AND casy_pseudotarifu.konec_platnosti"
            "), program_pocet_impulsu) "
            "WHERE status_hovoru = 7 AND tarifovat_hovor = 1")))
        return false;
    // The exchange's count stands unless it exceeds the computed one by 5 or more.
    if (!exec(QStringLiteral(
            "UPDATE temp.hovory_tarifovani AS hovory SET program_pocet_impulsu = ustredna_pocet_impulsu "
            "WHERE status_hovoru = 8 AND program_pocet_impulsu + 5 > ustredna_pocet_impulsu "
            "AND ustredna_pocet_impulsu <> 0 AND program_pocet_impulsu <> ustredna_pocet_impulsu")))
        return false;
    return exec(QStringLiteral("UPDATE temp.hovory_tarifovani AS hovory SET status_hovoru = 8 WHERE status_hovoru = 7"));
}

// 8 -> 9: numbers too short to be real calls are not charged (zone and count
// stay): any number under 3 characters; a number with the international prefix
// shorter than prefix, state code (1 when none was found) and area code plus 3
// digits (1 when none was found); a number with the long-distance prefix (and
// not the international one) shorter than prefix and area code (1 when none).
// Only incoming calls and calls typed by the prefix can begin with it, so the
// two prefix rules read only those; the rule of 3 characters is applied as the
// remaining calls move on, in the same pass.
bool Tarifovani::Zrus_tarifovani_u_kratkych_cisel()
{
    StepLock lock(m_t.mutex());
    emit status(tr8("Ruším tarifování u krátkých čísel domácích měst"));
    emit status(tr8("Ruším tarifování u krátkých čísel zahraničních hovorů"));
    if (!execSite(QStringLiteral(
            "UPDATE temp.hovory_tarifovani AS hovory SET tarifovat_hovor = 0, status_hovoru = 9 "
            "WHERE status_hovoru = 8 AND typ_hovoru IN ('C', 'P') AND :mp <> '' "
            "AND substr(hovory.ustredna_volane_cislo, 1, length(:mp)) = :mp "
            "AND length(hovory.ustredna_volane_cislo) < length(:mp) "
            "+ ifnull(hovory.kod_statu, 1, length(hovory.kod_statu)) "
            "+ ifnull(hovory.kod_mesta, 1, length(hovory.kod_mesta) + 3)")))
        return false;
    if (!execSite(QStringLiteral(
            "UPDATE temp.hovory_tarifovani AS hovory SET tarifovat_hovor = 0, status_hovoru = 9 "
            "WHERE status_hovoru = 8 AND typ_hovoru IN ('B', 'P') AND :mm <> '' "
            "AND substr(hovory.ustredna_volane_cislo, 1, length(:mm)) = :mm "
            "AND substr(hovory.ustredna_volane_cislo, 1, length(:mp)) <> :mp "
            "AND length(hovory.ustredna_volane_cislo) < length(:mm) "
            "+ ifnull(hovory.kod_mesta, 1, length(hovory.kod_mesta))")))
        return false;
    return exec(QStringLiteral(
        "UPDATE temp.hovory_tarifovani AS hovory SET status_hovoru = 9, tarifovat_hovor = CASE "
        "WHEN length(hovory.ustredna_volane_cislo) < 3 THEN 0 ELSE tarifovat_hovor END "
        "WHERE status_hovoru = 8"));
}

// 9 -> 10: the caller, from the extension's assignment rows valid at the
// call's start. Firm and department are set only where those rows agree on
// one; the persons' surnames are listed.
bool Tarifovani::prirazeni_volajiciho()
{
    StepLock lock(m_t.mutex());
    emit status(tr8("Přiřazuji volajícího k hovoru"));
    // Many calls go through a table of the moments at which the extensions'
    // assignments change (one probe a call); a few read the assignments
    // themselves, which costs less than making that table. Both give the same.
    qint64 pocetPrirazeni = 0;
    {
        Query q(m_t, QStringLiteral("SELECT count(*) FROM dba.prirazeni_pobocek"));
        if (!q.run()) {
            m_lastError = q.lastErrorText();
            return false;
        }
        pocetPrirazeni = q.intValue(1);
    }
    const bool pres_useky = m_pocetHovoru > 10 * pocetPrirazeni;
    const QString useky = QStringLiteral("temp.useky_volajicich");
    if (pres_useky)
        for (const QString& sql : tarifovani_sql::useky_volajicich(useky))
            if (!exec(sql)) return false;
    if (!exec(QStringLiteral(
            "UPDATE temp.hovory_tarifovani AS hovory SET status_hovoru = 10, (id_firmy, id_oddeleni, popis_osob) = %1 "
            "WHERE status_hovoru = 9")
            .arg(pres_useky ? tarifovani_sql::volajici_z_useku(QStringLiteral("hovory"), useky)
                            : tarifovani_sql::volajici(QStringLiteral("hovory")))))
        return false;
    // That pass moved every call of the stage on.
    if (pres_useky && !exec(QStringLiteral("DROP TABLE %1").arg(useky))) return false;
    emit status(QString());
    return true;
}

} // namespace kavro
