#include "platform/fast_statement.h"

#include "platform/database.h"
#include "platform/odbc.h"

#include <sqlite3.h>

namespace kavro {

namespace {
// Rows of a write sent to a server at once.
constexpr std::size_t kDavka = 5000;
} // namespace

ConnectionLock::ConnectionLock(Transaction& t) : m_guard(t.m_mutex), m_t(t) { ++m_t.m_locked; }

ConnectionLock::~ConnectionLock() { --m_t.m_locked; }

FastStatement::FastStatement(Transaction& t, const char* sql) : m_db(t.m_db)
{
    if (t.m_odbc) {
        m_server = std::make_unique<odbc::Prikaz>(*t.m_odbc);
        // Checked at once, so that ok() tells a statement the server refuses;
        // behind a mark, so that a refused one leaves the unit of work usable.
        const bool marka = t.m_odbc->proved("SAVEPOINT kavro_prikaz");
        if (!m_server->priprav(sql) || !m_server->over()) {
            m_failed = true;
            if (marka) t.m_odbc->proved("ROLLBACK TO SAVEPOINT kavro_prikaz");
        }
        if (marka) t.m_odbc->proved("RELEASE SAVEPOINT kavro_prikaz");
        return;
    }
    if (!m_db || sqlite3_prepare_v2(m_db, sql, -1, &m_st, nullptr) != SQLITE_OK) {
        sqlite3_finalize(m_st);
        m_st = nullptr;
        m_failed = true;
    }
}

FastStatement::~FastStatement()
{
    if (m_server) finish();
    sqlite3_finalize(m_st);
}

bool FastStatement::ok() const { return m_st != nullptr || (m_server && m_server->pripraven()); }

void FastStatement::bindText(int i, const char* p, std::size_t n)
{
    if (m_server) return m_server->vazText(i, std::string_view(p ? p : "", n));
    sqlite3_bind_text(m_st, i, p ? p : "", int(n), SQLITE_STATIC);
}

void FastStatement::bindInteger(int i, std::int64_t v)
{
    if (m_server) return m_server->vazCele(i, v);
    sqlite3_bind_int64(m_st, i, v);
}

void FastStatement::bindReal(int i, double v)
{
    if (m_server) return m_server->vazRealne(i, v);
    sqlite3_bind_double(m_st, i, v);
}

void FastStatement::bindNull(int i)
{
    if (m_server) return m_server->vazNull(i);
    sqlite3_bind_null(m_st, i);
}

bool FastStatement::next()
{
    if (m_server) {
        if (!m_server->pripraven()) return false;
        if (!m_serverRunning) {
            if (!m_server->proved()) {
                m_failed = true;
                return false;
            }
            m_serverRunning = true;
        }
        if (m_server->dalsi()) return true;
        // As in the file engine, the next call runs the query again.
        m_serverRunning = false;
        m_failed = m_server->selhal();
        return false;
    }
    if (!m_st) return false;
    const int rc = sqlite3_step(m_st);
    if (rc == SQLITE_ROW) return true;
    m_failed = rc != SQLITE_DONE;
    return false;
}

bool FastStatement::execute()
{
    if (m_server) {
        if (!m_server->pripraven()) return false;
        m_server->pridejDoDavky();
        if (m_server->vDavce() >= kDavka) return finish();
        return true;
    }
    if (!m_st) return false;
    const int rc = sqlite3_step(m_st);
    sqlite3_reset(m_st);
    m_failed = rc != SQLITE_DONE;
    return !m_failed;
}

bool FastStatement::finish()
{
    if (!m_server) return !m_failed;
    if (!m_server->pripraven()) return false;
    m_failed = !m_server->provedDavku();
    return !m_failed;
}

FastStatement::Kind FastStatement::kind(int c) const
{
    if (m_server) {
        switch (m_server->druh(c)) {
        case odbc::Prikaz::Druh::Cele: return Kind::Integer;
        case odbc::Prikaz::Druh::Realne: return Kind::Real;
        case odbc::Prikaz::Druh::Null: return Kind::Null;
        default: return Kind::Text;
        }
    }
    switch (sqlite3_column_type(m_st, c)) {
    case SQLITE_INTEGER: return Kind::Integer;
    case SQLITE_FLOAT: return Kind::Real;
    case SQLITE_NULL: return Kind::Null;
    default: return Kind::Text;
    }
}

std::int64_t FastStatement::integer(int c) const
{
    if (m_server) return m_server->cele(c);
    return sqlite3_column_int64(m_st, c);
}

double FastStatement::real(int c) const
{
    if (m_server) return m_server->realne(c);
    return sqlite3_column_double(m_st, c);
}

std::string_view FastStatement::text(int c) const
{
    if (m_server) return m_server->text(c);
    const char* t = reinterpret_cast<const char*>(sqlite3_column_text(m_st, c));
    return t ? std::string_view(t, std::size_t(sqlite3_column_bytes(m_st, c))) : std::string_view();
}

std::string FastStatement::errorText() const
{
    if (m_server) return m_server->chyba().text;
    return m_db ? sqlite3_errmsg(m_db) : "not connected";
}

} // namespace kavro
