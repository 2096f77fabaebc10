#include "tarifovani.h"

#include "tariffing/tariffing_run.h"
#include "vypocet_tarifu.h"
#include "common/datum.h"
#include "tariffing/vazby_tto.h"
#include "platform/database.h"
#include "platform/fast_statement.h"
#include "platform/unit_of_work.h"

namespace kavro {

namespace {

// Holds the connection for the length of one step (and of a whole run): the
// statements see each other's work, and no other thread's commit or rollback
// falls between them.
using StepLock = ConnectionLock;

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

Tarifovani::~Tarifovani() = default;

Tarifovani::Tarifovani(QObject* parent) : Tarifovani(Transaction::main(), parent) {}

QString Tarifovani::caption() { return tr8("Otarifováni hovorů"); }

bool Tarifovani::mistoPouzitelne() const
{
    return m_misto.nalezeno && !m_misto.mezistatni_predvolba.trimmed().isEmpty()
        && !m_misto.mezimestska_predvolba.trimmed().isEmpty();
}

bool Tarifovani::exec(const QString& sql, const QVariantList& params)
{
    Query q(m_t);
    if (q.execute(sql, params)) return true;
    m_lastError = q.lastErrorText();
    return false;
}

// ---------------------------------------------------------------- the import's hook

namespace {

class TarifovaniProImport : public TariffingRun {
public:
    explicit TarifovaniProImport(Transaction& t) : m_t(t)
    {
        // Direct: the step reaches the import on the thread that runs the tariffing.
        QObject::connect(&m_t, &Tarifovani::status, [this](const QString& text) {
            if (stav) stav(text);
        });
    }
    void novy_beh() override { m_t.novyBeh(); }
    bool spust() override { return m_t.tarifikuj() == Tarifovani::Vysledek::Hotovo; }
    QString zprava() const override { return m_t.message(); }
    bool obsazeno() const override { return m_t.obsazeno(); }

private:
    Tarifovani m_t;
};

} // namespace

std::unique_ptr<TariffingRun> Tarifovani::proImport(Transaction* t)
{
    return std::make_unique<TarifovaniProImport>(t ? *t : Transaction::main());
}

// ---------------------------------------------------------------- the run

Tarifovani::Vysledek Tarifovani::tarifikuj()
{
    // The run holds the connection from its first commit to its last, so that
    // no other thread's commit or rollback falls into it.
    StepLock lock(m_t);
    // The run is one unit of work: what it wrote is rolled back unless it ends well.
    UnitOfWork prace(m_t);
    m_lastError.clear();
    m_message.clear();
    m_obsazeno = false;
    if (!prace.commit()) {
        m_lastError = prace.errorText();
        m_message = tr8("Tarifování hovorů nelze zahájit, rozpracované změny nešlo uložit:\n") + m_lastError;
        if (prace.errorIsBusy()) obsazenoJinymProgramem();
        return Vysledek::Chyba;
    }
    Vysledek v = beh();
    if (v == Vysledek::Hotovo && !prace.commit()) {
        m_lastError = prace.errorText();
        m_message = tr8("Tarifování hovorů se nezdařilo, jeho změny byly vráceny zpět:\n") + m_lastError;
        if (prace.errorIsBusy()) obsazenoJinymProgramem();
        v = Vysledek::Chyba;
    }
    if (v == Vysledek::Chyba) prace.rollback();
    return v;
}

Tarifovani::Vysledek Tarifovani::tarifikuj_bez_potvrzeni()
{
    StepLock lock(m_t);
    m_lastError.clear();
    m_message.clear();
    m_obsazeno = false;
    return beh();
}

void Tarifovani::obsazenoJinymProgramem()
{
    m_obsazeno = true;
    m_message = tr8("Databázi právě používá jiný program, tarifování hovorů bylo proto ukončeno "
                    "a jeho změny byly vráceny zpět.\nTarifování můžete zopakovat později.");
}

// Site values, the calls, the calendar, the nine steps and the writing back;
// no commit and no rollback.
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
        // The failing statement's refusal is still the connection's last error.
        if (m_t.lastErrorIsBusy()) obsazenoJinymProgramem();
        return Vysledek::Chyba;
    }
    return Vysledek::Hotovo;
}

void Tarifovani::podrzTabulky(bool drzet)
{
    m_drzTabulky = drzet;
    if (m_vypocet) m_vypocet->podrz_tabulky(drzet);
}

bool Tarifovani::vypocet(bool ok)
{
    if (!ok) m_lastError = QString::fromStdString(vypocetBehu().chyba());
    return ok;
}

VypocetTarifu& Tarifovani::vypocetBehu()
{
    if (!m_vypocet) {
        m_vypocet = std::make_unique<VypocetTarifu>(m_t);
        vypocetBehu().podrz_tabulky(m_drzTabulky);
    }
    return *m_vypocet;
}

bool Tarifovani::pracovni_kopie()
{
    StepLock lock(m_t);
    // The calls are read and written through the connection itself: the run's
    // unit of work is opened here.
    if (!m_t.begin()) {
        m_lastError = m_t.lastErrorText();
        return false;
    }
    vypocetBehu();
    VypocetTarifu::Predvolby p;
    p.mezistatni = m_misto.mezistatni_predvolba.toStdString();
    p.mezimestska = m_misto.mezimestska_predvolba.toStdString();
    p.kod_statu = m_misto.kod_statu.toStdString();
    p.kod_mesta = m_misto.kod_mesta.toStdString();
    const bool ok = vypocet(vypocetBehu().nacti_hovory(p, m_vynulovatOd.toStdString(), m_vynulovatDo.toStdString()));
    m_vynulovatOd.clear();
    m_vynulovatDo.clear();
    return ok;
}

bool Tarifovani::zapis_vysledku()
{
    StepLock lock(m_t);
    return vypocet(vypocetBehu().zapis());
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
    StepLock lock(m_t);
    emit status(tr8("Doplňuji kalendář"));
    // Later runs on one object type the whole calendar again, so that holidays
    // changed since the last run apply.
    if (m_prvniBehProbehl
        && !exec(QStringLiteral("UPDATE dba.kalendar SET typ_dne = argn(dow(datum), 2, 3, 3, 3, 3, 3, 2)")))
        return false;
    m_prvniBehProbehl = true;
    // Every date of a call below stage 10, older dates than the newest calendar
    // row too. The date is read from the first ten characters of each call (the
    // date part, also of texts such as '2024-3-5 8:00'); a text that is no
    // date adds nothing.
    {
        Query q(m_t, QStringLiteral(
            "INSERT INTO dba.kalendar (datum, typ_dne) SELECT d.den, argn(dow(d.den), 2, 3, 3, 3, 3, 3, 2) "
            "FROM (SELECT date(?) AS den) d WHERE d.den IS NOT NULL "
            "AND NOT EXISTS (SELECT 1 FROM dba.kalendar WHERE kalendar.datum = d.den)"));
        for (const std::string& den : vypocetBehu().dny()) {
            q.bind(1, QString::fromStdString(den));
            if (!q.execute()) {
                m_lastError = q.lastErrorText();
                return false;
            }
        }
    }

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

// 2 -> 3: incoming ("*IN", "Příchozí"), international, long distance, local;
// only calls still without a type are typed. An empty prefix matches no call.
bool Tarifovani::Nastav_typ_hovoru()
{
    StepLock lock(m_t);
    emit status(tr8("Nastavuji typ příchozí hovory"));
    emit status(tr8("Nastavuji typ mezistátní hovory"));
    emit status(tr8("Nastavuji typ meziměstské hovory"));
    emit status(tr8("Nastavuji typ místní hovory"));
    return vypocet(vypocetBehu().typ_hovoru());
}

// At stage 3: the trunk lines of outgoing calls. A new line starts as one
// without exchange impulses; a call without impulses over 5 minutes marks its
// line 0, a call with impulses marks it 1, and 1 wins.
bool Tarifovani::zjisteni_tarifnich_vysilacu()
{
    StepLock lock(m_t);
    emit status(tr8("Zjistuji tarifní vysílače"));
    std::vector<std::string> vsechny, bezImpulsu, sImpulsy;
    vypocetBehu().fakta_linek(vsechny, bezImpulsu, sImpulsy);
    const auto proKazdou = [this](const QString& sql, const std::vector<std::string>& linky) {
        Query q(m_t, sql);
        for (const std::string& l : linky) {
            q.bind(1, QString::fromStdString(l));
            if (!q.execute()) {
                m_lastError = q.lastErrorText();
                return false;
            }
        }
        return true;
    };
    return proKazdou(QStringLiteral("INSERT INTO dba.tarifni_vysilace (ustredna_cislo_linky, zapojen) SELECT CAST(?1 AS TEXT), 0 "
                                    "WHERE NOT EXISTS (SELECT 1 FROM dba.tarifni_vysilace "
                                    "WHERE tarifni_vysilace.ustredna_cislo_linky = ?1)"),
                     vsechny)
        && proKazdou(QStringLiteral("UPDATE dba.tarifni_vysilace SET zapojen = 0 WHERE ustredna_cislo_linky = ?"),
                     bezImpulsu)
        && proKazdou(QStringLiteral("UPDATE dba.tarifni_vysilace SET zapojen = 1 WHERE ustredna_cislo_linky = ?"),
                     sImpulsy);
}

// 3 -> 4: the charge decision.
bool Tarifovani::zrus_tarif_u_minimalnich_casu()
{
    StepLock lock(m_t);
    emit status(tr8("Vyřazuji krátké hovory z tarifování"));
    return vypocet(vypocetBehu().tarif_podle_linek());
}

// 4 -> 5: state and area codes, the longest code (of at most 5 digits) that
// the digits after the prefix begin with.
bool Tarifovani::Nastav_kody_mest_a_statu()
{
    StepLock lock(m_t);
    emit status(tr8("Nastavuji kody statu u zahranicnich hovoru"));
    emit status(tr8("Nastavuji kódy zahraničního města"));
    emit status(tr8("Nastavuji kódy domácího města"));
    return vypocet(vypocetBehu().kody_statu_a_mest());
}

// 5 -> 6: the subscriber, the longest directory number that begins the rest of
// the dialled number after prefix, state and area.
bool Tarifovani::Nalezeni_ucastniku()
{
    StepLock lock(m_t);
    emit status(tr8("Hledám mezistátní účastníky"));
    emit status(tr8("Hledám meziměstské účastníky"));
    return vypocet(vypocetBehu().ucastnici());
}

// 6 -> 7: charged calls take the zone of their state (international) or of
// their area (long distance, local); a call whose state or area is not in the
// directory keeps what it has.
bool Tarifovani::urceni_pasma_hovoru()
{
    StepLock lock(m_t);
    emit status(tr8("Určuji pásmo u hovoru"));
    return vypocet(vypocetBehu().pasma());
}

// 7 -> 8: the impulse count of charged calls.
bool Tarifovani::oimpulsovani_hovoru()
{
    StepLock lock(m_t);
    emit status(tr8("Nastavuji počty impulsů"));
    return vypocet(vypocetBehu().impulsy());
}

// 8 -> 9: numbers too short to be real calls are not charged.
bool Tarifovani::Zrus_tarifovani_u_kratkych_cisel()
{
    StepLock lock(m_t);
    emit status(tr8("Ruším tarifování u krátkých čísel domácích měst"));
    emit status(tr8("Ruším tarifování u krátkých čísel zahraničních hovorů"));
    vypocetBehu().kratka_cisla();
    return true;
}

// 9 -> 10: the caller, from the extension's assignment rows valid at the
// call's start.
bool Tarifovani::prirazeni_volajiciho()
{
    StepLock lock(m_t);
    emit status(tr8("Přiřazuji volajícího k hovoru"));
    if (!vypocet(vypocetBehu().volajici())) return false;
    emit status(QString());
    return true;
}

} // namespace kavro
