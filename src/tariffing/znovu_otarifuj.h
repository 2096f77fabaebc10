#pragma once
// Tariffing the calls of a period again, day by day.
//
// For every day of the period that has calls, in date order, the calls of that
// day go back to stage 2 (no type, not charged, no state, area or subscriber
// code, no zone, no impulse count) and a whole tariffing run takes them up to
// stage 10 again.
//
// The class needs no window: otarifuj() blocks until the last day is done, so
// it runs on a worker thread; the day in progress goes out through the signal
// den() and the tariffing's step through status() (queued to a window).
//
// The impulse count is cleared with the rest, so a call tariffed again ends
// exactly as a freshly imported and tariffed one: a count that no step writes
// any more (a zone that lost its period, a call no longer charged) does not
// linger. Firm, department and persons are written again by every run.
//
// Units of work: the whole period is one. What was pending before is
// committed first; then each day is reset and tariffed by a run that does not
// commit (the run resets the day's calls as it reads them, and writes back
// only those that end otherwise than they were stored), and the last day's
// end commits them all. When a day fails, the
// rollback leaves the stored calls as they were.
#include "tariffing/tarifovani.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantList>

namespace kavro {

class Transaction;

class Znovu_otarifuj : public QObject {
    Q_OBJECT
public:
    enum class Vysledek {
        Hotovo,      // every day of the period was tariffed again (or there was none)
        ChybiMisto,  // no usable site: nothing was reset
        Chyba,       // a statement or a day's tariffing failed; message() says which
    };

    // The first and the last day, "RRRR-MM-DD" ("" when there is none).
    struct Obdobi {
        QString od;
        QString do_;
    };

    explicit Znovu_otarifuj(Transaction& t, QObject* parent = nullptr);
    explicit Znovu_otarifuj(QObject* parent = nullptr);

    // The proposed period: the day of the oldest and of the newest stored call;
    // both empty when no call is stored.
    Obdobi navrzene_obdobi();

    // A typed day as "RRRR-MM-DD"; a blank text stays empty (an empty box
    // means no day, not today).
    static QString normalizuj(const QString& text);

    // The days from `od` to `do_` (both included, normalised first) that have
    // calls, in date order. False when the query failed (lastError()).
    bool dny(const QString& od, const QString& do_, QStringList& out);

    // The whole re-tariffing of the period (blocking, any thread). Holds the
    // connection for its whole length.
    Vysledek otarifuj(const QString& od, const QString& do_);

    // The days tariffed by the last otarifuj(), in order.
    QStringList hotoveDny() const { return m_hotove; }
    QString message() const { return m_message; }
    QString lastError() const { return m_lastError; }
    Tarifovani& tarifovani() { return m_tarifovani; }

signals:
    // The day whose calls are being tariffed now, and how many days of the
    // period were done before it out of how many.
    void den(const QString& den);
    void postup(int hotovo, int celkem);
    // The tariffing's step in progress.
    void status(const QString& text);
    // The run waits for another program that holds the database (true), or
    // no longer waits (false).
    void cekani(bool ceka);

private:
    Transaction& m_t;
    Tarifovani m_tarifovani;
    QStringList m_hotove;
    QString m_message;
    QString m_lastError;
};

} // namespace kavro
