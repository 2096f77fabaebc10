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
    if (m_t.commit()) return true;
    m_error = m_t.lastErrorText();
    m_errorNumber = m_t.lastErrorNumber();
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
    m_ok = m_t.begin() && m_t.exec(QStringLiteral("SAVEPOINT ") + m_name);
}

Savepoint::Savepoint() : Savepoint(Transaction::main()) {}

Savepoint::~Savepoint() { rollback(); }

bool Savepoint::release()
{
    if (!m_ok) return false;
    m_ok = false;
    return m_t.exec(QStringLiteral("RELEASE SAVEPOINT ") + m_name);
}

void Savepoint::rollback()
{
    if (!m_ok) return;
    m_ok = false;
    m_t.exec(QStringLiteral("ROLLBACK TO SAVEPOINT ") + m_name);
    m_t.exec(QStringLiteral("RELEASE SAVEPOINT ") + m_name);
}

} // namespace kavro
