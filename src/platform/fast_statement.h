#pragma once
// Bulk work on the connection: the lock that holds it for a stretch of
// statements, and a statement that binds and reads values without converting
// them (the tariffing run reads and writes every call of a run this way).
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace kavro::odbc {
class Prikaz;
}

namespace kavro {

class Transaction;

// Holds the connection while it lives: the statements run meanwhile see each
// other's work, and no other thread's statement, commit or rollback falls
// between them. It may be taken again on the same thread. Work done under it
// is undone as a whole after a failure: on a server its statements carry no
// marks of their own (see Query).
class ConnectionLock {
public:
    explicit ConnectionLock(Transaction& t);
    ~ConnectionLock();
    ConnectionLock(const ConnectionLock&) = delete;
    ConnectionLock& operator=(const ConnectionLock&) = delete;

private:
    std::lock_guard<std::recursive_mutex> m_guard;
    Transaction& m_t;
};

// A statement prepared once and run many times. It does not lock the
// connection itself and opens no unit of work: the caller holds a
// ConnectionLock and has opened the unit (Transaction::begin()) first.
// Texts bound are not copied: they must stay valid until the statement has
// run. Parameters count from 1, columns from 0.
// On a database server, writes are sent in batches: execute() keeps the row
// and finish() (or a full batch) sends them, so a failure may show only there;
// after a failed execution the unit of work can only be rolled back.
class FastStatement {
public:
    // How a column's value is stored.
    enum class Kind { Integer, Real, Text, Null };

    FastStatement(Transaction& t, const char* sql);
    ~FastStatement();
    FastStatement(const FastStatement&) = delete;
    FastStatement& operator=(const FastStatement&) = delete;

    // False when the statement could not be prepared (errorText() says why).
    bool ok() const;

    void bindText(int i, const char* p, std::size_t n);
    void bindText(int i, std::string_view s) { bindText(i, s.data(), s.size()); }
    void bindInteger(int i, std::int64_t v);
    void bindReal(int i, double v);
    void bindNull(int i);

    // Moves to the next row of a query: false at its end or on a failure
    // (then failed() is true).
    bool next();
    bool failed() const { return m_failed; }
    // Runs a write to its end and makes the statement ready for the next
    // values; false on a failure.
    bool execute();
    // Sends the writes still kept; false when one of them failed.
    bool finish();

    Kind kind(int c) const;
    std::int64_t integer(int c) const;
    double real(int c) const;
    // The text of a column ("" for NULL), valid until the next row.
    std::string_view text(int c) const;

    // The engine's message for the last failure on the connection.
    std::string errorText() const;

private:
    sqlite3* m_db;
    sqlite3_stmt* m_st = nullptr;
    bool m_failed = false;
    std::unique_ptr<odbc::Prikaz> m_server;
    bool m_serverRunning = false;
};

} // namespace kavro
