#include "platform/unit_of_work.h"

#include "platform/database.h"

#include <atomic>

namespace kavro {

UnitOfWork::UnitOfWork(Transaction& t) : m_t(t) {}
UnitOfWork::UnitOfWork() : m_t(Transaction::main()) {}

UnitOfWork::~UnitOfWork()
{
    if (m_t.isConnected()) m_t.rollback();
}

bool UnitOfWork::commit()
{
    m_error.clear();
    m_errorNumber = 0;
    m_busy = false;
    if (m_t.commit()) return true;
    m_error = m_t.lastErrorText();
    m_errorNumber = m_t.lastErrorNumber();
    m_busy = m_t.lastErrorIsBusy();
    m_t.rollback();
    return false;
}

void UnitOfWork::rollback()
{
    if (m_t.isConnected()) m_t.rollback();
}

namespace {
std::atomic<int> g_savepoint{0};
}

Savepoint::Savepoint(Transaction& t)
    : m_t(t), m_name(QStringLiteral("kavro_sp%1").arg(++g_savepoint))
{
    // The operation's reads and writes must see one state of the database:
    // the unit holds the write lock from here on, so no other program can
    // commit in between (and a restart that would drop the mark never comes).
    m_ok = m_t.beginWriting() && m_t.exec(QStringLiteral("SAVEPOINT ") + m_name);
    if (m_ok) {
        std::lock_guard l(m_t.m_mutex);
        ++m_t.m_savepoints;
    }
}

Savepoint::Savepoint() : Savepoint(Transaction::main()) {}

Savepoint::~Savepoint() { rollback(); }

bool Savepoint::release()
{
    if (!m_ok) return false;
    m_ok = false;
    closed();
    return m_t.exec(QStringLiteral("RELEASE SAVEPOINT ") + m_name);
}

void Savepoint::closed()
{
    std::lock_guard l(m_t.m_mutex);
    if (m_t.m_savepoints > 0) --m_t.m_savepoints;
}

void Savepoint::rollback()
{
    if (!m_ok) return;
    m_ok = false;
    closed();
    m_t.exec(QStringLiteral("ROLLBACK TO SAVEPOINT ") + m_name);
    m_t.exec(QStringLiteral("RELEASE SAVEPOINT ") + m_name);
}

} // namespace kavro
