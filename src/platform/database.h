#pragma once
// The program's one database connection and the queries that run on it.
//
// A Transaction connects to a data source by name: the registry key
// "SOFTWARE\ODBC\ODBC.INI\<name>" gives "Database" (the SQLite file) and
// "start" (the engine's start line, whose "-c 16M" sets the page cache).
// The file is attached as "dba", so statements name tables "dba.hovory".
// When the key has a value "Driver", it names an ODBC driver or a data source
// of odbc.ini, and the connection goes through the ODBC driver manager to a
// database server ("Server", "Port", "Database", "UID", "PWD" of the key are
// passed on); the server's schema "dba" holds the same tables.
// The connection works like an ODBC one with auto-commit off: every statement
// belongs to the open unit of work until commit() or rollback().
//
// One Transaction serves the user-interface thread and the workers; every
// call locks it, so statements from two threads never interleave.
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <QStringList>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace kavro::odbc {
class Spojeni;
class Prikaz;
}

namespace kavro {

class Registry;

// Waiting for another program that holds the database file's write lock (the
// file engine; a server makes its clients wait on its own). A statement that
// finds the lock taken waits for it in short sleeps, up to busyTimeout() in
// all, and then fails as refused because the database is busy
// (lastErrorIsBusy()). A worker that shows its run in a window installs a
// watch for the run (BusyWatchScope): a wait that lasts is reported to it, and
// the wait gives up at once when its stop flag is set.
struct BusyWatch {
    // Set from any thread: a wait in progress, and every later one, gives up.
    const std::atomic<bool>* stop = nullptr;
    // Called on the waiting thread: true when a wait has lasted a moment,
    // false when that wait is over (the lock taken, or given up).
    std::function<void(bool waiting)> report;
};

class Transaction {
public:
    Transaction();
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    // The program's transaction (P_Transakce).
    static Transaction& main();

    // Connects to the data source `dsn` described in `registry`.
    bool connect(const QString& dsn, Registry& registry);
    // Connects to a database file directly; cacheKiB > 0 sets the page cache.
    bool connectFile(const QString& path, int cacheKiB = 0);
    // Connects through the ODBC driver manager with a connection string.
    bool connectServer(const QString& connectionString);
    void disconnect();
    bool isConnected() const { return m_db != nullptr || m_odbc != nullptr; }
    // True while a ConnectionLock holds the connection for a stretch of bulk work.
    bool bulkWork() const { return m_locked > 0; }
    // True when connected to a database server rather than to a file.
    bool isServer() const { return m_odbc != nullptr; }
    // The connection string of a server connection ("" for a file).
    QString connectionString() const { return m_connectionString; }
    QString databasePath() const { return m_path; }

    bool commit();
    bool rollback();

    // Error of the last failed call: the engine's number (0 when none) and its text.
    int lastErrorNumber() const { return m_lastError; }
    QString lastErrorText() const { return m_lastErrorText; }
    // True when the last failure was a statement refused because another
    // program holds the database (after the wait for it, see BusyWatch).
    bool lastErrorIsBusy() const;

    // How long a statement waits for another program's lock, in milliseconds
    // (30 s unless set otherwise).
    void setBusyTimeout(int ms) { m_busyTimeout.store(ms); }
    int busyTimeout() const { return m_busyTimeout.load(); }
    // Watches the waits of the statements that follow (nullptr: none); gives
    // the watch installed before.
    BusyWatch* setBusyWatch(BusyWatch* watch);

    // Runs a statement with bound values; false on failure (see lastErrorText()).
    bool exec(const QString& sql, const QVariantList& params = {});
    // First column of the first row of a query ("" when there is none).
    QString scalar(const QString& sql, const QVariantList& params = {});

    // Runs several statements separated by ';' (schema files); stops at the first failure.
    bool execScript(const QString& script);

    // Cache size in KiB taken from a start line ("-c 16M" -> 16384); 0 when it has none.
    static int cacheKiBFromStartLine(const QString& start);

    // Opens the unit of work now, if none is open: a FastStatement does not
    // open one itself. False without a connection.
    bool begin();

private:
    friend class Query;
    friend class ConnectionLock;
    friend class FastStatement;
    friend class Savepoint;
    void setError(int code, const QString& text);
    void clearError() { m_lastError = 0; m_lastErrorText.clear(); }
    // The engine's busy handler: sleeps in short steps until the lock is free,
    // the time-out has passed or the watch's stop flag is set.
    static int busyHandler(void* self, int count);
    // Called after each call into the engine that may have waited: tells the
    // watch that a wait it was told of is over.
    void busyWaitOver()
    {
        if (m_busyReported) reportBusyWaitOver();
    }
    void reportBusyWaitOver();
    // Opens the unit of work if none is open; `write`: the unit's first
    // statement writes, so it takes the database's write lock at once (and
    // waits for another program's unit to end instead of failing later).
    bool beginIfNeeded(bool write = false);
    bool finish(const char* sql);
    // A unit that has only read so far and found the database busy when it
    // first wrote: starts it again as a writing unit (waiting for the other
    // program). False when it holds the write lock already, a cursor other
    // than `writing` is still open, or a savepoint is open (beginning again
    // would drop it: the write then fails as a whole instead).
    bool restartForWrite(sqlite3_stmt* writing);
    // Makes the unit of work a writing one before a savepoint is set: opens it
    // with the write lock, or starts a unit that has only read so far again
    // with it. Another program then cannot commit between the operation's
    // reads and its writes. False when the database stays busy.
    bool beginWriting();

    sqlite3* m_db = nullptr;
    std::unique_ptr<odbc::Spojeni> m_odbc;
    quint64 m_generation = 0; // counts server connections: a statement belongs to one
    int m_locked = 0;         // ConnectionLocks held (by the thread holding the mutex)
    QString m_connectionString;
    QString m_path;
    int m_savepoints = 0; // savepoints open in the unit of work
    std::atomic<int> m_busyTimeout{30000};
    BusyWatch* m_busyWatch = nullptr; // of the thread holding the connection
    std::chrono::steady_clock::time_point m_busySince; // start of the wait in progress
    bool m_busyReported = false; // the watch was told of the wait in progress
    int m_lastError = 0;
    QString m_lastErrorText;
    std::recursive_mutex m_mutex;
};

// A statement on a transaction. Reads: setSQL, bind, run (on the first row),
// atEnd/value/next. Writes: setSQL, bind, execute, rowCount. A statement text
// set again is not prepared again.
class Query {
public:
    explicit Query(Transaction& t = Transaction::main());
    Query(Transaction& t, const QString& sql);
    ~Query();
    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;

    void setSQL(const QString& sql);
    QString sql() const { return m_sql; }

    // Binds `?` number `pos` (from 1). A null QVariant binds NULL; strings bind as text,
    // whole numbers as integers.
    void bind(int pos, const QVariant& value);
    void bind(int pos, const QString& value);
    void bind(int pos, const char* utf8);
    void bind(int pos, qint64 value);
    void bind(int pos, int value) { bind(pos, qint64(value)); }
    void bindNull(int pos);
    void bindAll(const QVariantList& values);
    void clearBindings();

    // Opens the result and moves to the first row. False when the statement failed.
    bool run();
    // Moves to the next row; false at the end or on failure.
    bool next();
    bool atEnd() const { return m_atEnd; }
    // Runs the statement and calls `row` on each of its rows; false when the
    // statement failed, also midway (lastErrorText says why).
    bool eachRow(const std::function<void(Query&)>& row);
    // Value of the 1-based column of the current row, as text ("" for NULL).
    QString value(int col) const;
    bool isNull(int col) const;
    qint64 intValue(int col) const;
    int columnCount() const;
    // Name of the 1-based result column (its alias when the statement gives one).
    QString columnName(int col) const;
    void close();

    // Executes the statement to its end; false when it failed.
    bool execute();
    // Sets, binds and executes in one call.
    bool execute(const QString& sql, const QVariantList& params = {});
    // Rows changed by the last execute().
    qint64 rowCount() const { return m_rowCount; }

    QString lastErrorText() const { return m_error; }
    // True when the last execute() failed because the row's key is stored already.
    bool lastErrorIsDuplicateKey() const { return m_duplicateKey; }
    // True when the last run() or execute() was refused because another
    // program holds the database (see BusyWatch).
    bool lastErrorIsBusy() const { return m_busy; }

    // A statement that may only read (a report's): one that would change
    // anything (INSERT, UPDATE, DELETE, CREATE, DROP, ATTACH, COMMIT, ...), and
    // a text of more than one statement (isOneStatement), is refused by run()
    // and leaves the database and the unit of work as they were. The file engine tells such a statement when preparing it; a server
    // runs it in a read-only stretch of the unit of work, undone after it.
    void setReadOnly(bool on);
    // True when the last run() refused the statement because it would write.
    bool lastErrorIsWrite() const { return m_refusedWrite; }

private:
    bool prepare();
    bool step();
    void fail(int code);

    Transaction& m_t;
    QString m_sql;
    sqlite3_stmt* m_stmt = nullptr;
    std::unique_ptr<odbc::Prikaz> m_server;
    quint64 m_serverGeneration = 0;
    bool prepareServer();
    bool stepServer();
    void failServer();
    bool m_prepared = false;
    bool m_atEnd = true;
    bool m_open = false;
    qint64 m_rowCount = 0;
    QString m_error;
    bool m_duplicateKey = false;
    bool m_busy = false;
    bool m_readOnly = false;
    bool m_refusedWrite = false;
    bool refuseWrite();
    bool runServerReadOnly();

    // Bound values, kept until the statement has run. Slots keep their
    // buffers between rows, so a reused statement binds without allocating.
    struct Bound {
        enum Kind { Null, Int, Real, Text } kind = Null;
        qint64 i = 0;
        double d = 0;
        std::string text; // UTF-8
    };
    Bound& slot(int pos);
    std::vector<Bound> m_binds;
    int m_bindCount = 0;
};

// True when `sql` holds one statement: a ';' outside quotes and comments is
// followed by nothing but blanks and comments. A text the two engines could
// split differently (a server's $$-quoted text, a comment opened inside
// another) counts as more than one.
bool isOneStatement(const QString& sql);
// True when `sql` begins as a query does: SELECT, WITH or VALUES, past blanks,
// comments and opening parentheses.
bool beginsAsQuery(const QString& sql);
// `sql` without a final ';' and the blanks and comments after it (a text of
// one statement); any other text as it is.
QString withoutFinalSemicolon(const QString& sql);

// Installs a watch of the waits for another program's lock for as long as it
// lives, on the thread that runs the watched work.
class BusyWatchScope {
public:
    BusyWatchScope(Transaction& t, BusyWatch& watch) : m_t(t), m_before(t.setBusyWatch(&watch)) {}
    ~BusyWatchScope() { m_t.setBusyWatch(m_before); }
    BusyWatchScope(const BusyWatchScope&) = delete;
    BusyWatchScope& operator=(const BusyWatchScope&) = delete;

private:
    Transaction& m_t;
    BusyWatch* m_before;
};

// The message of an engine error: a Czech sentence saying what happened, then
// the engine's own text on the next line.
QString engineErrorText(int code, const QString& engineText);

// Registers the functions the statements rely on (argn, dow, seconds, List,
// month, year, day, three-argument ifnull, a lenient date, ceiling, ...).
void registerSqlFunctions(sqlite3* db);

// What seconds(x) gives for the UTF-8 text s of len bytes: the seconds since
// day 0 of a date-time ("YYYY-M-D[ hh:mm:ss]"), or of a time "hh:mm:ss" whose
// hours may pass 24. False when the text is neither.
bool sekundyTextu(const char* s, int len, long long& out);

// Creates a new database file from the schema and reference data in `dbDir`
// (the *.sql files in name order). Fails when the file exists already.
bool createDatabase(const QString& path, const QString& dbDir, QString* error = nullptr);

} // namespace kavro
