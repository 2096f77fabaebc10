#include "platform/fast_statement.h"

#include "platform/database.h"

#include <sqlite3.h>

namespace kavro {

ConnectionLock::ConnectionLock(Transaction& t) : m_guard(t.m_mutex) {}

FastStatement::FastStatement(Transaction& t, const char* sql) : m_db(t.m_db)
{
    if (!m_db || sqlite3_prepare_v2(m_db, sql, -1, &m_st, nullptr) != SQLITE_OK) {
        sqlite3_finalize(m_st);
        m_st = nullptr;
        m_failed = true;
    }
}

FastStatement::~FastStatement() { sqlite3_finalize(m_st); }

void FastStatement::bindText(int i, const char* p, std::size_t n)
{
    sqlite3_bind_text(m_st, i, p ? p : "", int(n), SQLITE_STATIC);
}

void FastStatement::bindInteger(int i, std::int64_t v) { sqlite3_bind_int64(m_st, i, v); }
void FastStatement::bindReal(int i, double v) { sqlite3_bind_double(m_st, i, v); }
void FastStatement::bindNull(int i) { sqlite3_bind_null(m_st, i); }

bool FastStatement::next()
{
    if (!m_st) return false;
    const int rc = sqlite3_step(m_st);
    if (rc == SQLITE_ROW) return true;
    m_failed = rc != SQLITE_DONE;
    return false;
}

bool FastStatement::execute()
{
    if (!m_st) return false;
    const int rc = sqlite3_step(m_st);
    sqlite3_reset(m_st);
    m_failed = rc != SQLITE_DONE;
    return !m_failed;
}

FastStatement::Kind FastStatement::kind(int c) const
{
    switch (sqlite3_column_type(m_st, c)) {
    case SQLITE_INTEGER: return Kind::Integer;
    case SQLITE_FLOAT: return Kind::Real;
    case SQLITE_NULL: return Kind::Null;
    default: return Kind::Text;
    }
}

std::int64_t FastStatement::integer(int c) const { return sqlite3_column_int64(m_st, c); }
double FastStatement::real(int c) const { return sqlite3_column_double(m_st, c); }

std::string_view FastStatement::text(int c) const
{
    const char* t = reinterpret_cast<const char*>(sqlite3_column_text(m_st, c));
    return t ? std::string_view(t, std::size_t(sqlite3_column_bytes(m_st, c))) : std::string_view();
}

std::string FastStatement::errorText() const { return m_db ? sqlite3_errmsg(m_db) : "not connected"; }

} // namespace kavro
