#include "test_env.h"

#include "platform/clock.h"
#include <QCoreApplication>
#include <QDateTime>
#include "platform/database.h"
#include "platform/registry.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <atomic>
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

QString env(const char* name, const char* fallback)
{
    const QString v = qEnvironmentVariable(name);
    return v.isEmpty() ? QString::fromLatin1(fallback) : v;
}

// Runs one statement on the server's "postgres" database outside any unit of work.
bool psql(const QString& sql, QString* error)
{
    QProcess p;
    p.start(QStringLiteral("psql"), {QStringLiteral("-X"), QStringLiteral("-q"), QStringLiteral("-v"),
                                     QStringLiteral("ON_ERROR_STOP=1"), QStringLiteral("-d"), QStringLiteral("postgres"),
                                     QStringLiteral("-c"), sql});
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        if (error) *error = QStringLiteral("psql: ") + QString::fromLocal8Bit(p.readAllStandardError()) + p.errorString();
        return false;
    }
    return true;
}

} // namespace

namespace {

// Takes the server's variables from the state folder of the test server, once.
void readServerState()
{
    static std::once_flag once;
    std::call_once(once, [] {
        const QString state = qEnvironmentVariable("KAVRO_TEST_PG_STATE");
        if (state.isEmpty()) return;
        QFile f(state + QStringLiteral("/env"));
        if (!f.open(QIODevice::ReadOnly)) return;
        for (const QByteArray& line : f.readAll().split('\n')) {
            const qsizetype eq = line.indexOf('=');
            if (eq > 0) qputenv(line.left(eq).constData(), line.mid(eq + 1).trimmed());
        }
    });
}

} // namespace

bool onServer()
{
    readServerState();
    return !qEnvironmentVariableIsEmpty("KAVRO_TEST_PG_STATE")
           || qEnvironmentVariable("KAVRO_TEST_ENGINE").compare(QLatin1String("postgresql"), Qt::CaseInsensitive) == 0;
}

QString serverUnavailable()
{
    const QString state = qEnvironmentVariable("KAVRO_TEST_PG_STATE");
    if (state.isEmpty()) return QString();
    QFile f(state + QStringLiteral("/unavailable"));
    if (f.open(QIODevice::ReadOnly)) return QString::fromUtf8(f.readAll()).trimmed();
    if (!QFile::exists(state + QStringLiteral("/env"))) return QStringLiteral("the test server was not started (%1)").arg(state);
    return QString();
}

bool odmitajZapis(Transaction& t, const QString& name, const QString& when, const QString& table,
                  const QString& condition, const QString& message)
{
    if (!t.isServer())
        return t.exec(QStringLiteral("CREATE TRIGGER dba.%1 BEFORE %2 ON %3 WHEN %4 BEGIN SELECT RAISE(ABORT, '%5'); END")
                          .arg(name, when, table, condition, message));
    return t.exec(QStringLiteral("CREATE FUNCTION dba.%1() RETURNS trigger LANGUAGE plpgsql AS "
                                 "'BEGIN IF %2 THEN RAISE EXCEPTION ''%3''; END IF; RETURN NEW; END'")
                      .arg(name, QString(condition).replace(QLatin1String("'"), QLatin1String("''")), message))
           && t.exec(QStringLiteral("CREATE TRIGGER %1 BEFORE %2 ON dba.%3 FOR EACH ROW EXECUTE FUNCTION dba.%1()")
                         .arg(name, when, table));
}

bool povolZapis(Transaction& t, const QString& name, const QString& table)
{
    if (!t.isServer()) return t.exec(QStringLiteral("DROP TRIGGER dba.%1").arg(name));
    return t.exec(QStringLiteral("DROP TRIGGER %1 ON dba.%2").arg(name, table))
           && t.exec(QStringLiteral("DROP FUNCTION dba.%1()").arg(name));
}

bool TestEnv::createServerDatabase()
{
    static std::atomic<int> counter{0};
    m_serverDatabase = QStringLiteral("kavro_t%1_%2_%3")
                           .arg(QCoreApplication::applicationPid())
                           .arg(QDateTime::currentMSecsSinceEpoch() % 100000)
                           .arg(++counter);
    const QString tmpl = env("KAVRO_TEST_PG_TEMPLATE", "kavro_test_template");
    if (!psql(QStringLiteral("CREATE DATABASE \"%1\" TEMPLATE \"%2\"").arg(m_serverDatabase, tmpl), &m_error)) {
        m_serverDatabase.clear();
        return false;
    }
    const QString key = QStringLiteral("SOFTWARE\\ODBC\\ODBC.INI\\KAVRO");
    Registry& r = Registry::instance();
    r.write(key, QStringLiteral("Driver"), env("KAVRO_TEST_PG_DRIVER", "PostgreSQL Unicode"));
    r.write(key, QStringLiteral("Server"), env("PGHOST", "127.0.0.1"));
    r.write(key, QStringLiteral("Port"), env("PGPORT", "5432"));
    r.write(key, QStringLiteral("UID"), env("PGUSER", "postgres"));
    if (!qEnvironmentVariable("PGPASSWORD").isEmpty()) r.write(key, QStringLiteral("PWD"), qEnvironmentVariable("PGPASSWORD"));
    r.write(key, QStringLiteral("Database"), m_serverDatabase);
    r.write(key, QStringLiteral("start"), QStringLiteral("dbeng -c 8M"));
    return true;
}

HeldDatabase::HeldDatabase(const TestEnv& env, int waitMs) : m_other(std::make_unique<Transaction>())
{
    Transaction::main().setBusyTimeout(waitMs);
    m_ok = env.connectAgain(*m_other)
        && m_other->exec(QStringLiteral("INSERT INTO dba.kalendar (datum, typ_dne) VALUES ('1990-01-01', 1)"));
}

HeldDatabase::~HeldDatabase() { release(); }

QString HeldDatabase::error() const { return m_other->lastErrorText(); }

void HeldDatabase::release()
{
    if (m_other->isConnected()) {
        m_other->rollback();
        m_other->disconnect();
    }
    Transaction::main().setBusyTimeout(30000);
}

bool TestEnv::connectAgain(Transaction& other) const
{
    if (m_serverDatabase.isEmpty()) return other.connectFile(databasePath());
    return other.connect(QStringLiteral("KAVRO"), Registry::instance());
}

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
    if (onServer()) {
        m_ok = createServerDatabase() && Transaction::main().connect(QStringLiteral("KAVRO"), Registry::instance());
        if (!m_ok && m_error.isEmpty()) m_error = Transaction::main().lastErrorText();
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
    if (!m_serverDatabase.isEmpty())
        psql(QStringLiteral("DROP DATABASE IF EXISTS \"%1\" WITH (FORCE)").arg(m_serverDatabase), nullptr);
}

QString TestEnv::dataDir() const { return m_dir.path() + QStringLiteral("/data"); }
QString TestEnv::databasePath() const { return m_dir.path() + QStringLiteral("/kavro.db"); }
QString TestEnv::registryPath() const { return m_dir.path() + QStringLiteral("/registry.ini"); }

} // namespace kavro::test
