// The shared connection and its unit of work: connecting to the database file
// or to a server, beginning (as a reading or a writing unit), committing and
// rolling back. Its statements are in query.cpp.
#include "database.h"

#include "odbc.h"
#include "registry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>
#include <sqlite3.h>

#include <cstring>
#include <thread>

namespace kavro {

using Lock = std::lock_guard<std::recursive_mutex>;

namespace {

// True when the server's session reads '...' as the SQL standard does.
bool maStandardniRetezce(odbc::Spojeni& s)
{
    odbc::Prikaz p(s);
    if (!p.priprav("SHOW standard_conforming_strings") || !p.proved() || !p.dalsi()) return false;
    return p.text(0) == "on";
}

} // namespace

// ---------------------------------------------------------------- Transaction

Transaction::Transaction() = default;

Transaction::~Transaction() { disconnect(); }

Transaction& Transaction::main()
{
    static Transaction t;
    return t;
}

void Transaction::setError(int code, const QString& text)
{
    m_lastError = code;
    m_lastErrorText = text;
}

bool Transaction::lastErrorIsBusy() const
{
    // A server's numbers are its own: its clients wait for its locks without a time-out.
    return !m_odbc && ((m_lastError & 0xFF) == SQLITE_BUSY || (m_lastError & 0xFF) == SQLITE_LOCKED);
}

// ---------------------------------------------------------------- waiting for another program

BusyWatch* Transaction::setBusyWatch(BusyWatch* watch)
{
    Lock l(m_mutex);
    busyWaitOver();
    BusyWatch* before = m_busyWatch;
    m_busyWatch = watch;
    return before;
}

int Transaction::busyHandler(void* self, int count)
{
    using namespace std::chrono;
    // The engine calls this on the thread holding the connection, with
    // count 0 when a wait begins.
    auto* t = static_cast<Transaction*>(self);
    const auto now = steady_clock::now();
    if (count == 0) t->m_busySince = now;
    const BusyWatch* w = t->m_busyWatch;
    const auto waited = duration_cast<milliseconds>(now - t->m_busySince).count();
    if ((w && w->stop && w->stop->load()) || waited >= t->m_busyTimeout.load()) {
        t->busyWaitOver();
        return 0; // the statement fails as busy
    }
    // A short wait (another program's commit) goes by unseen; a longer one is shown.
    if (!t->m_busyReported && waited >= 200 && w && w->report) {
        t->m_busyReported = true;
        w->report(true);
    }
    // Short steps at first, then a twentieth of a second: the stop flag is
    // looked at that often.
    static constexpr int kKroky[] = {1, 2, 5, 10, 15, 20, 25, 25, 25, 50};
    const int krok = count < int(std::size(kKroky)) ? kKroky[count] : 50;
    std::this_thread::sleep_for(milliseconds(std::min<long long>(krok, t->m_busyTimeout.load() - waited)));
    return 1;
}

void Transaction::reportBusyWaitOver()
{
    m_busyReported = false;
    if (m_busyWatch && m_busyWatch->report) m_busyWatch->report(false);
}

int Transaction::cacheKiBFromStartLine(const QString& start)
{
    // "-c" followed by the size and "M"/"m" (megabytes); "K"/"k" or nothing means kilobytes.
    static const QRegularExpression re(QStringLiteral("-c\\s*(\\d+)\\s*([MmKk]?)"), QRegularExpression::CaseInsensitiveOption);
    const auto m = re.match(start);
    if (!m.hasMatch()) return 0;
    const qint64 n = m.captured(1).toLongLong();
    const QString unit = m.captured(2).toLower();
    const qint64 kib = unit == u"m" ? n * 1024 : unit == u"k" ? n : n / 1024;
    return int(qBound<qint64>(qint64(0), kib, qint64(64) * 1024 * 1024));
}

namespace {

// A value of a connection string in braces when it holds a separator.
QString hodnotaRetezce(const QString& v)
{
    if (v.contains(QLatin1Char(';')) || v.contains(QLatin1Char('{')) || v.contains(QLatin1Char(' ')))
        return QLatin1Char('{') + QString(v).replace(QLatin1Char('}'), QStringLiteral("}}")) + QLatin1Char('}');
    return v;
}

} // namespace

bool Transaction::connect(const QString& dsn, Registry& registry)
{
    const QString key = zdroj_dat::Klic + dsn;
    const QString driver = registry.read(key, zdroj_dat::Driver);
    if (!driver.isEmpty()) {
        // A data source of odbc.ini by its name, or a driver of odbcinst.ini.
        QString retezec = odbc::Spojeni::jeZdrojDat(driver.toStdString())
                              ? QStringLiteral("DSN=") + hodnotaRetezce(driver)
                              : QStringLiteral("Driver={") + driver + QLatin1Char('}');
        for (const char* jmeno : {"Server", "Port", "Database", "UID", "PWD"}) {
            const QString v = registry.read(key, QString::fromLatin1(jmeno));
            if (!v.isEmpty()) retezec += QLatin1Char(';') + QString::fromLatin1(jmeno) + QLatin1Char('=') + hodnotaRetezce(v);
        }
        return connectServer(retezec);
    }
    const QString file = registry.read(key, zdroj_dat::Database);
    if (file.isEmpty()) {
        Lock l(m_mutex);
        setError(-1, QStringLiteral("Zdroj dat %1 nemá nastavenou databázi").arg(dsn));
        return false;
    }
    return connectFile(file, cacheKiBFromStartLine(registry.read(key, zdroj_dat::Start)));
}

bool Transaction::connectFile(const QString& path, int cacheKiB)
{
    Lock l(m_mutex);
    disconnect();
    clearError();
    // Connecting never creates a database: the file must exist and be a
    // Kavro database (its tables there).
    const QFileInfo fi(path);
    if (!fi.exists() || fi.isDir()) {
        setError(SQLITE_CANTOPEN, engineErrorText(SQLITE_CANTOPEN, fi.isDir() ? QStringLiteral("%1 je složka.").arg(path)
                                                                               : QStringLiteral("%1 neexistuje.").arg(path)));
        return false;
    }
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX | SQLITE_OPEN_URI,
                             nullptr);
    if (rc != SQLITE_OK) {
        setError(rc, engineErrorText(rc, QString::fromUtf8(sqlite3_errstr(rc))));
        sqlite3_close(db);
        return false;
    }
    sqlite3_busy_handler(db, &Transaction::busyHandler, this);
    sqlite3_extended_result_codes(db, 0);
    m_db = db;
    m_path = path;
    registerSqlFunctions(db);
    auto fail = [&](int e, const QString& text) {
        disconnect();
        setError(e, text);
        return false;
    };
    // Tables are owned by "dba": the file is attached under that name, as an
    // existing file only ("mode=rw": never created; a write-protected file is
    // opened for reading).
    const QString uri = QStringLiteral("file:") + QString::fromLatin1(QUrl::toPercentEncoding(fi.absoluteFilePath(), "/"))
                        + QStringLiteral("?mode=rw");
    if (!exec(QStringLiteral("ATTACH DATABASE ? AS dba"), {uri})) return fail(m_lastError, m_lastErrorText);
    if (!sqlite3_get_autocommit(db)) sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    // The file must be a database (a first read proves it) and hold the calls table.
    const QString tables = scalar(QStringLiteral("SELECT count(*) FROM dba.sqlite_master WHERE type = 'table' AND name = 'hovory'"));
    if (tables.isEmpty()) {
        const int e = m_lastError ? m_lastError : SQLITE_NOTADB;
        return fail(e, m_lastError ? m_lastErrorText : engineErrorText(e, QString()));
    }
    if (tables == u"0")
        return fail(SQLITE_ERROR, QStringLiteral("Soubor %1 není databáze programu Kavro: chybí v něm její tabulky.").arg(path));
    // Settings of the connection: outside any unit of work, where the engine
    // refuses to change the journal and the safety level. Write-ahead logging
    // lets another program read while this one writes; with it, a commit need
    // not wait for the disk (a crash loses at most the last commits, never the
    // file's consistency).
    if (!sqlite3_get_autocommit(db)) sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    QByteArray pragmas = "PRAGMA dba.journal_mode=WAL; PRAGMA dba.synchronous=NORMAL; PRAGMA foreign_keys=OFF;";
    if (cacheKiB > 0) pragmas += "PRAGMA dba.cache_size=-" + QByteArray::number(cacheKiB) + ";";
    sqlite3_exec(db, pragmas.constData(), nullptr, nullptr, nullptr);
    clearError();
    return true;
}

bool Transaction::connectServer(const QString& connectionString)
{
    Lock l(m_mutex);
    disconnect();
    clearError();
    // Protocol "-0": the driver leaves a failed statement to the program. The
    // driver's own undo of a failed statement would put every statement into
    // a subtransaction, and a long unit of work (a tariffing run) with many of
    // them slows the server down; Query marks its writes itself (ZapisSMarkou).
    const std::string retezec = connectionString.toStdString() + ";Protocol=7.4-0;UseServerSidePrepare=1;BatchSize=1000";
    auto s = std::make_unique<odbc::Spojeni>();
    if (!s->otevri(retezec)) {
        setError(s->chyba().cislo, QString::fromStdString(s->chyba().text));
        return false;
    }
    // The program's functions live beside its tables; the statements call them unqualified.
    if (!s->proved("SET search_path TO dba, public") || !s->proved("SELECT count(*) FROM dba.hovory") || !s->commit()) {
        setError(s->chyba().cislo, QString::fromStdString(s->chyba().text));
        return false;
    }
    // A backslash in '...' is an ordinary character, as the statements and
    // the check of a report's one statement read it (ESCAPE '\'); a database
    // or role set to read it as an escape is overruled for this session.
    if (!s->proved("SET standard_conforming_strings = on") || !maStandardniRetezce(*s) || !s->commit()) {
        const QString duvod = QString::fromStdString(s->chyba().text);
        setError(s->chyba().cislo ? s->chyba().cislo : -1,
                 QStringLiteral("Databázový server nepřijal nastavení standard_conforming_strings = on (zpětné lomítko "
                                "v textu mezi apostrofy je obyčejný znak). Bez něj se k němu program nepřipojí.")
                     + (duvod.isEmpty() ? QString() : QStringLiteral("\n") + duvod));
        return false;
    }
    m_odbc = std::move(s);
    ++m_generation;
    m_connectionString = connectionString;
    static const QRegularExpression db(QStringLiteral("(?:^|;)\\s*Database\\s*=\\s*([^;]*)"), QRegularExpression::CaseInsensitiveOption);
    m_path = db.match(connectionString).captured(1);
    return true;
}

void Transaction::disconnect()
{
    Lock l(m_mutex);
    if (m_odbc) {
        m_odbc.reset();
        m_connectionString.clear();
        m_path.clear();
    }
    if (!m_db) return;
    if (!sqlite3_get_autocommit(m_db)) sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close_v2(m_db);
    m_db = nullptr;
    m_path.clear();
}

bool Transaction::begin()
{
    Lock l(m_mutex);
    return beginIfNeeded();
}

bool Transaction::beginIfNeeded(bool write)
{
    // A server's connection opens its unit of work with the first statement.
    if (m_odbc) return true;
    if (!m_db) {
        setError(-1, QStringLiteral("Není spojení s databází"));
        return false;
    }
    if (sqlite3_get_autocommit(m_db)) {
        m_savepoints = 0;
        int rc = sqlite3_exec(m_db, write ? "BEGIN IMMEDIATE" : "BEGIN", nullptr, nullptr, nullptr);
        busyWaitOver();
        if (rc != SQLITE_OK) {
            setError(rc, engineErrorText(rc, QString::fromUtf8(sqlite3_errmsg(m_db))));
            return false;
        }
    }
    return true;
}

bool Transaction::restartForWrite(sqlite3_stmt* writing)
{
    if (m_savepoints > 0 || sqlite3_get_autocommit(m_db) || sqlite3_txn_state(m_db, nullptr) == SQLITE_TXN_WRITE)
        return false;
    for (sqlite3_stmt* s = sqlite3_next_stmt(m_db, nullptr); s; s = sqlite3_next_stmt(m_db, s))
        if (s != writing && sqlite3_stmt_busy(s)) return false;
    // Only reads would be dropped: what they saw is read again by the unit's
    // later statements, as a database server's unit of work would see it.
    sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    const int rc = sqlite3_exec(m_db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    busyWaitOver();
    return rc == SQLITE_OK;
}

bool Transaction::beginWriting()
{
    Lock l(m_mutex);
    if (m_odbc || !m_db || sqlite3_get_autocommit(m_db)) return beginIfNeeded(true);
    if (sqlite3_txn_state(m_db, nullptr) == SQLITE_TXN_WRITE) return true;
    // A unit that has only read: begin it again with the write lock, unless
    // that would drop a savepoint or a cursor still being read. The
    // operation's write then finds out whether another program came between.
    if (m_savepoints > 0) return true;
    for (sqlite3_stmt* s = sqlite3_next_stmt(m_db, nullptr); s; s = sqlite3_next_stmt(m_db, s))
        if (sqlite3_stmt_busy(s)) return true;
    sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    return beginIfNeeded(true);
}

// Ends the open unit of work with COMMIT or ROLLBACK; nothing open is no error.
bool Transaction::finish(const char* sql)
{
    Lock l(m_mutex);
    if (m_odbc) {
        clearError();
        const bool ok = std::strcmp(sql, "COMMIT") == 0 ? m_odbc->commit() : m_odbc->rollback();
        if (!ok) setError(m_odbc->chyba().cislo, QString::fromStdString(m_odbc->chyba().text));
        return ok;
    }
    if (!m_db) {
        setError(-1, QStringLiteral("Není spojení s databází"));
        return false;
    }
    clearError();
    m_savepoints = 0;
    if (sqlite3_get_autocommit(m_db)) return true;
    const int rc = sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr);
    busyWaitOver();
    if (rc != SQLITE_OK) {
        setError(rc, engineErrorText(rc, QString::fromUtf8(sqlite3_errmsg(m_db))));
        return false;
    }
    return true;
}

bool Transaction::commit() { return finish("COMMIT"); }

bool Transaction::rollback() { return finish("ROLLBACK"); }

bool Transaction::exec(const QString& sql, const QVariantList& params)
{
    Query q(*this);
    return q.execute(sql, params);
}

QString Transaction::scalar(const QString& sql, const QVariantList& params)
{
    Query q(*this, sql);
    q.bindAll(params);
    if (!q.run() || q.atEnd()) return QString();
    return q.value(1);
}

bool Transaction::execScript(const QString& script)
{
    Lock l(m_mutex);
    if (!beginIfNeeded()) return false;
    if (m_odbc) {
        if (m_odbc->proved(script.toStdString())) return true;
        setError(m_odbc->chyba().cislo, QString::fromStdString(m_odbc->chyba().text));
        return false;
    }
    char* err = nullptr;
    const QByteArray utf8 = script.toUtf8();
    int rc = sqlite3_exec(m_db, utf8.constData(), nullptr, nullptr, &err);
    if (rc != SQLITE_OK) {
        setError(rc, engineErrorText(rc, QString::fromUtf8(err ? err : sqlite3_errstr(rc))));
        sqlite3_free(err);
        return false;
    }
    return true;
}

} // namespace kavro
