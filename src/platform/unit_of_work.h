#pragma once
// Who ends the pending work on the program's one transaction.
//
// A window that writes, a worker and a tool each hold a UnitOfWork for as long
// as their work lasts. The guard commits only when told to; when it leaves
// scope (or is told to roll back) everything written since its last commit is
// rolled back. Nothing else in the program calls commit() or rollback().
//
//   UnitOfWork prace;                 // a member of the editing window
//   ... each change is written as the user makes it ...
//   prace.commit();                   // "Ulož"
//   // "Opusť", "No" to the save question, the close box: the guard rolls back
//
// Only one unit of work is open on the connection at a time: windows that
// write are modal, and a worker runs only while its own modal window is open.
// Small dialogs opened over an editing window write nothing of their own and
// hold no guard.
//
// A Savepoint makes one operation of a longer unit atomic (a move in a tree
// writes several rows): if it is not released, only that operation's writes
// are undone, the unit's earlier writes stay pending. The unit takes the
// database's write lock when the mark is set (waiting for another program's
// unit to end), so no other program commits between the operation's reads
// and its writes. Where it cannot (a list of the unit is still being read)
// and another program did commit, the operation's first write fails with the
// "busy" message and the operation is undone whole.
#include <QString>

namespace kavro {

class Transaction;

class UnitOfWork {
public:
    explicit UnitOfWork(Transaction& t);
    UnitOfWork();  // on Transaction::main()
    ~UnitOfWork();
    UnitOfWork(const UnitOfWork&) = delete;
    UnitOfWork& operator=(const UnitOfWork&) = delete;

    // Commits what is pending; the guard goes on guarding what follows.
    // False when the engine refused: the pending work is then rolled back
    // (the database keeps what was committed before) and errorText() says why.
    bool commit();
    // Drops what is pending now.
    void rollback();

    QString errorText() const { return m_error; }
    // The engine's number for the refused commit (0 when none).
    int errorNumber() const { return m_errorNumber; }
    // True when the commit was refused because another program holds the database.
    bool errorIsBusy() const { return m_busy; }
    Transaction& transaction() { return m_t; }

private:
    Transaction& m_t;
    QString m_error;
    int m_errorNumber = 0;
    bool m_busy = false;
};

class Savepoint {
public:
    // Opens the unit of work as a writing one (see above) and marks this point in it.
    explicit Savepoint(Transaction& t);
    Savepoint();  // on Transaction::main()
    ~Savepoint();  // rolls back to the mark unless released
    Savepoint(const Savepoint&) = delete;
    Savepoint& operator=(const Savepoint&) = delete;

    // False when the mark could not be set (no connection, or the database
    // stayed busy; lastErrorText() says why): write nothing then.
    bool ok() const { return m_ok; }
    // Keeps this operation's writes in the unit of work.
    bool release();
    // Undoes this operation's writes now.
    void rollback();

private:
    void closed(); // the mark is released or rolled back

    Transaction& m_t;
    QString m_name;
    bool m_ok = false;
};

} // namespace kavro
