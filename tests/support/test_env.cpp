#include "test_env.h"

#include "platform/clock.h"
#include "platform/database.h"
#include "platform/registry.h"

#include <QDir>
#include <QFile>
#include <mutex>

namespace kavro::test {

namespace {

// Building the schema once per test program and copying the file keeps tests fast.
QString templateDatabase(QString* error)
{
    static std::once_flag once;
    static QTemporaryDir dir;
    static QString path;
    static QString err;
    std::call_once(once, [] {
        path = dir.path() + QStringLiteral("/template.db");
        if (!createDatabase(path, QStringLiteral(KAVRO_DB_DIR), &err)) path.clear();
        else {
            // Fold the write-ahead log into the file so one file is a whole copy.
            Transaction t;
            if (t.connectFile(path)) {
                t.exec(QStringLiteral("PRAGMA dba.wal_checkpoint(TRUNCATE)"));
                t.commit();
                t.exec(QStringLiteral("PRAGMA dba.wal_checkpoint(TRUNCATE)"));
            }
        }
    });
    if (error) *error = err;
    return path;
}

} // namespace

TestEnv::TestEnv(bool withDatabase)
{
    clock::setFixedNow(QDateTime());
    Registry::instance().setPath(registryPath());
    qputenv("KAVRO_REGISTRY", registryPath().toLocal8Bit());
    QDir().mkpath(dataDir());
    if (!withDatabase) {
        m_ok = true;
        return;
    }
    const QString tmpl = templateDatabase(&m_error);
    if (tmpl.isEmpty()) return;
    if (!QFile::copy(tmpl, databasePath())) {
        m_error = QStringLiteral("cannot copy the template database");
        return;
    }
    QFile::setPermissions(databasePath(), QFile::ReadOwner | QFile::WriteOwner);
    Registry::instance().write(QStringLiteral("SOFTWARE\\ODBC\\ODBC.INI\\KAVRO"), QStringLiteral("Database"), databasePath());
    Registry::instance().write(QStringLiteral("SOFTWARE\\ODBC\\ODBC.INI\\KAVRO"), QStringLiteral("start"), QStringLiteral("dbeng -c 8M"));
    m_ok = Transaction::main().connect(QStringLiteral("KAVRO"), Registry::instance());
    if (!m_ok) m_error = Transaction::main().lastErrorText();
}

TestEnv::~TestEnv()
{
    Transaction::main().disconnect();
    clock::setFixedNow(QDateTime());
}

QString TestEnv::dataDir() const { return m_dir.path() + QStringLiteral("/data"); }
QString TestEnv::databasePath() const { return m_dir.path() + QStringLiteral("/kavro.db"); }
QString TestEnv::registryPath() const { return m_dir.path() + QStringLiteral("/registry.ini"); }

} // namespace kavro::test
