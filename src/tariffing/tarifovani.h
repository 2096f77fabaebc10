#pragma once
// Tariffing of calls: takes every call of dba.hovory below stage 10 through the
// nine steps (type, trunk lines, charge, state and area codes, subscriber,
// zone, impulses, short numbers, caller) up to stage 10.
//
// The class needs no window: tarifikuj() runs the whole pipeline and blocks
// until it is done, so it can run on any worker thread. Progress texts go out
// through the signal status(); a window connects it (queued across threads).
// The progress window Hovory_tarifovani (tariffing/forms) runs the same object on
// a worker thread of its own.
//
// A run commits the shared transaction before its first statement, so that
// whatever was pending before is not mixed with it, and again when it has
// finished, so that no other window's rollback can undo a finished run. A
// failing statement rolls the run's writes back; the calls then stay at the
// stages the last commit left them at and the next run takes them up.
//
// The run reads the calls below stage 10 once, takes them through the steps
// in memory (VypocetTarifu: each step still moves the calls of its stage on
// to the next) and writes each call back once, when the run writes the
// results back. The calendar and the trunk-line table are worked on in place.
#include "tariffing/tariffing_run.h"
#include "tariffing/vazby_tto.h"

#include <QObject>
#include <QString>
#include <QVariantList>
#include <QList>

#include <memory>

namespace kavro {

class Transaction;
class VypocetTarifu;

class Tarifovani : public QObject {
    Q_OBJECT
public:
    enum class Vysledek {
        Hotovo,      // every call below stage 10 reached stage 10
        ChybiMisto,  // no site row or an empty prefix: nothing tariffed
        Chyba,       // a statement failed: the run's writes were rolled back
    };

    // The site of the exchange, and whether a site row is stored at all.
    struct Misto : MistoUstredny {
        bool nalezeno = false;
    };

    explicit Tarifovani(Transaction& t, QObject* parent = nullptr);
    explicit Tarifovani(QObject* parent = nullptr);
    ~Tarifovani() override;

    // One whole run (blocking, any thread): commit, site values, calendar,
    // the nine steps, commit. Returns how it ended; message() says it in Czech.
    Vysledek tarifikuj();
    // The same run inside the caller's unit of work: it neither commits nor
    // rolls back; after a failure the caller rolls back. The caller holds the
    // connection's lock for its whole unit of work (re-tariffing of a period).
    Vysledek tarifikuj_bez_potvrzeni();
    // The next run first takes the calls that start from `od` up to before
    // `doNe` back to stage 2 (no type, not charged, no state, area or
    // subscriber code, no zone, no impulse count), whatever their stage, and
    // then tariffs them with the rest. Those that end as they were stored are
    // not written again.
    void vynulujNejdriv(const QString& od, const QString& doNe) { m_vynulovatOd = od; m_vynulovatDo = doNe; }
    // While held, the directories and tariff tables are read by the first run
    // only: for a series of runs in one unit of work, where they cannot change.
    void podrzTabulky(bool drzet);
    QString message() const { return m_message; }
    // True when the last run failed because another program holds the database.
    bool obsazeno() const { return m_obsazeno; }
    // The caption of the boxes that tell the user how a run ended.
    static QString caption();

    // The parts of a run, in their order. Each returns false when a statement
    // failed (lastError() tells which); they do not commit.
    bool nastav_parametry();
    // Reads the calls of dba.hovory below stage 10 for the steps.
    bool pracovni_kopie();
    // Completes the calendar for the dates of the calls read.
    bool doplneni_kalendare();
    bool Nastav_typ_hovoru();
    bool zjisteni_tarifnich_vysilacu();
    bool zrus_tarif_u_minimalnich_casu();
    bool Nastav_kody_mest_a_statu();
    bool Nalezeni_ucastniku();
    bool urceni_pasma_hovoru();
    bool oimpulsovani_hovoru();
    bool Zrus_tarifovani_u_kratkych_cisel();
    bool prirazeni_volajiciho();
    // Writes every call read back to dba.hovory (its stage and tariffing
    // columns).
    bool zapis_vysledku();

    const Misto& misto() const { return m_misto; }
    // True when the site values allow tariffing (a row with both prefixes).
    bool mistoPouzitelne() const;
    // True once a calendar completion has run on this object: later runs give
    // every calendar row its weekday's type again before the holidays, so
    // holidays edited in between take effect.
    bool prvniBehProbehl() const { return m_prvniBehProbehl; }
    // Forgets the earlier runs: the next run is a first run again.
    void novyBeh() { m_prvniBehProbehl = false; }

    // The run the call import starts (its TariffingRun): a Tarifovani of its
    // own on `t` (the program's transaction when none). The import runs it on
    // its worker thread.
    static std::unique_ptr<TariffingRun> proImport(Transaction* t = nullptr);
    QString lastError() const { return m_lastError; }

signals:
    // The step in progress ("" at the end).
    void status(const QString& text);

private:
    Vysledek beh();
    bool exec(const QString& sql, const QVariantList& params = {});
    // Passes on a step's result; a failure's text becomes lastError().
    bool vypocet(bool ok);
    // The calls of the run (none before pracovni_kopie()), on this connection.
    VypocetTarifu& vypocetBehu();

    Transaction& m_t;
    Misto m_misto;
    bool m_prvniBehProbehl = false;
    QString m_lastError;
    QString m_message;
    bool m_obsazeno = false;
    // The message of a run refused because another program holds the database.
    void obsazenoJinymProgramem();
    std::unique_ptr<VypocetTarifu> m_vypocet;
    bool m_drzTabulky = false;
    QString m_vynulovatOd, m_vynulovatDo;
};

} // namespace kavro
