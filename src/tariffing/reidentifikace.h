#pragma once
// Identifying the called parties and the callers of every stored call again
// from the current directories, without tariffing the calls again.
//
// Each call keeps the type its tariffing gave it; its state, area and
// subscriber codes are cleared and found again as the tariffing finds them
// (longest code first, the longest subscriber number that begins the rest of
// the dialled number), and its firm, department and persons are taken from
// the extension's assignment valid at the call's start (firm and department
// only where the valid rows agree). Status, charge mark, zone and impulse
// counts are not touched. Incoming calls and calls without a type get only
// their caller.
//
// The class needs no window: Nalezeni_ucastniku() blocks until the last
// statement is done, so it runs on a worker thread; the step in progress goes
// out through the signal status(). The run is one unit of work: it commits
// whatever was pending before it starts and commits at the end; a failing
// statement rolls the whole run back, so no call is left with its codes
// cleared.
#include "tariffing/vazby_tto.h"

#include <QObject>
#include <QString>

namespace kavro {

class Transaction;

class Reidentifikace : public QObject {
    Q_OBJECT
public:
    // The site of the exchange, and whether a site row is stored at all.
    struct Misto : MistoUstredny {
        bool nalezeno = false;
    };

    explicit Reidentifikace(Transaction& t, QObject* parent = nullptr);
    explicit Reidentifikace(QObject* parent = nullptr);

    // Reads the site row; false when the query failed (lastError()).
    bool nastav_parametry();
    const Misto& misto() const { return m_misto; }
    // True when the home state and the home area are set; the prefixes may be
    // empty (the codes then follow from the first digits of the number).
    bool mistoNastaveno() const;

    // The whole series of statements over all calls (blocking, any thread),
    // with the site values read last. Holds the connection for its whole
    // length. False after a failure (rolled back; message() says it in Czech).
    bool Nalezeni_ucastniku();

    QString message() const { return m_message; }
    QString lastError() const { return m_lastError; }

    // The caption and text of the box shown when the site is not set.
    static QString chybiMistoCaption();  // "Není nastaveno výchozí místo"
    static QString chybiMistoText();     // "Nastavte kód státu a města "

signals:
    // The step in progress.
    void status(const QString& text);
    // The run waits for another program that holds the database (true), or
    // no longer waits (false).
    void cekani(bool ceka);

private:
    bool exec(const QString& sql);
    bool m_obsazeno = false; // a statement was refused because another program holds the database

    Transaction& m_t;
    Misto m_misto;
    QString m_message;
    QString m_lastError;
};

} // namespace kavro
