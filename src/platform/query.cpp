// The statements of the shared connection: preparing, binding, reading rows
// and executing, on the file engine and on a server; a report's statement is
// kept to reading.
#include "database.h"

#include "odbc.h"

#include <sqlite3.h>

namespace kavro {

using Lock = std::lock_guard<std::recursive_mutex>;

namespace {

// A write on a server behind its own mark: when it fails, only it is undone and
// the unit of work goes on, as in the file engine.
class ZapisSMarkou {
public:
    ZapisSMarkou(const Transaction& t, odbc::Spojeni* s, const QString& sql)
        : m_s(s && !t.bulkWork() && jeZapis(sql) ? s : nullptr)
    {
        if (m_s && !m_s->proved("SAVEPOINT kavro_prikaz")) m_s = nullptr;
    }
    ~ZapisSMarkou() { konec(true); }
    ZapisSMarkou(const ZapisSMarkou&) = delete;
    ZapisSMarkou& operator=(const ZapisSMarkou&) = delete;
    void konec(bool ok)
    {
        if (!m_s) return;
        if (!ok) m_s->proved("ROLLBACK TO SAVEPOINT kavro_prikaz");
        m_s->proved("RELEASE SAVEPOINT kavro_prikaz");
        m_s = nullptr;
    }

private:
    static bool jeZapis(const QString& sql)
    {
        const QString t = sql.trimmed();
        for (const char* w : {"INSERT", "UPDATE", "DELETE", "CREATE", "DROP", "ALTER"})
            if (t.startsWith(QLatin1String(w), Qt::CaseInsensitive)) return true;
        return false;
    }
    odbc::Spojeni* m_s;
};

// The first word of a statement, past blanks, comments and opening parentheses.
QString prvniSlovo(const QString& sql)
{
    int i = 0;
    const int n = int(sql.size());
    for (;;) {
        while (i < n && (sql[i].isSpace() || sql[i] == QLatin1Char('('))) ++i;
        if (sql.mid(i, 2) == QLatin1String("--")) {
            while (i < n && sql[i] != QLatin1Char('\n')) ++i;
        } else if (sql.mid(i, 2) == QLatin1String("/*")) {
            const int k = int(sql.indexOf(QLatin1String("*/"), i + 2));
            i = k < 0 ? n : k + 2;
        } else
            break;
    }
    int k = i;
    while (k < n && (sql[k].isLetterOrNumber() || sql[k] == QLatin1Char('_'))) ++k;
    return sql.mid(i, k - i).toUpper();
}

// A statement that reads only begins as a query does, and is one statement.
bool jedenPrikazKeCteni(const QString& sql) { return beginsAsQuery(sql) && isOneStatement(sql); }

// The file engine's judge of a read-only statement while it is prepared: a
// query may select, read tables and views, call functions and recurse; any
// other action (a write, ATTACH, PRAGMA, a transaction command) is denied.
int jenCteni(void* odmitnuto, int akce, const char*, const char*, const char*, const char*)
{
    switch (akce) {
    case SQLITE_SELECT:
    case SQLITE_READ:
    case SQLITE_FUNCTION:
    case SQLITE_RECURSIVE: return SQLITE_OK;
    default: *static_cast<bool*>(odmitnuto) = true; return SQLITE_DENY;
    }
}

// Where the first statement of `sql` ends: at its ';' (-1 when it has none),
// and whether anything but blanks and comments follows it. A text the two
// engines could split differently counts as followed by more.
struct KonecPrikazu {
    qsizetype strednik = -1;
    bool dalsi = false;
};

KonecPrikazu konecPrikazu(const QString& sql)
{
    const qsizetype n = sql.size();
    auto at = [&](qsizetype i, char c) { return i >= 0 && i < n && sql[i] == QLatin1Char(c); };
    auto inName = [&](qsizetype i) {
        return i >= 0 && i < n
            && (sql[i].isLetterOrNumber() || sql[i] == QLatin1Char('_') || sql[i] == QLatin1Char('$'));
    };
    KonecPrikazu konec;
    const KonecPrikazu vice{-1, true};
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = sql[i];
        if (c == QLatin1Char('-') && at(i + 1, '-')) {
            // To the line's end; a server ends the comment at a CR as well.
            while (i < n && sql[i] != QLatin1Char('\n') && sql[i] != QLatin1Char('\r')) ++i;
            continue;
        }
        if (c == QLatin1Char('/') && at(i + 1, '*')) {
            for (i += 2; i < n && !(at(i, '*') && at(i + 1, '/')); ++i)
                if (at(i, '/') && at(i + 1, '*')) return vice; // a server nests comments, the file engine does not
            ++i;
            continue;
        }
        if (c.isSpace()) continue;
        if (konec.strednik >= 0) {
            konec.dalsi = true;
            return konec;
        }
        if (c == QLatin1Char(';')) {
            konec.strednik = i;
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            // A doubled quote stays inside. A backslash escapes the next
            // character only in a server's E'...': the server connection
            // turns standard conforming strings on (the statements rely on
            // it too: ESCAPE '\'), so a plain '...' ends at its quote there.
            const bool escapes = c == QLatin1Char('\'') && (at(i - 1, 'E') || at(i - 1, 'e')) && !inName(i - 2);
            for (++i; i < n; ++i) {
                if (escapes && sql[i] == QLatin1Char('\\'))
                    ++i;
                else if (sql[i] == c && at(i + 1, c.toLatin1()))
                    ++i;
                else if (sql[i] == c)
                    break;
            }
        } else if (c == QLatin1Char('$') && !inName(i - 1)) {
            // $$ or $name$ opens a server's quoted text, which the file engine does not know.
            qsizetype k = i + 1;
            if (k < n && sql[k].isDigit()) continue; // $1: a parameter
            while (k < n && (sql[k].isLetterOrNumber() || sql[k] == QLatin1Char('_'))) ++k;
            if (at(k, '$')) return vice;
        }
    }
    return konec;
}

} // namespace

bool isOneStatement(const QString& sql) { return !konecPrikazu(sql).dalsi; }

bool beginsAsQuery(const QString& sql)
{
    const QString w = prvniSlovo(sql);
    return w == QLatin1String("SELECT") || w == QLatin1String("WITH") || w == QLatin1String("VALUES");
}

QString withoutFinalSemicolon(const QString& sql)
{
    const KonecPrikazu k = konecPrikazu(sql);
    return k.strednik >= 0 && !k.dalsi ? sql.left(k.strednik) : sql;
}

// ---------------------------------------------------------------- Query

Query::Query(Transaction& t) : m_t(t) {}

Query::Query(Transaction& t, const QString& sql) : m_t(t) { setSQL(sql); }

Query::~Query()
{
    Lock l(m_t.m_mutex);
    if (m_server && m_serverGeneration == m_t.m_generation) m_server.reset();
    else if (m_server) (void)m_server.release(); // its connection is gone, and the handle with it
    if (m_stmt) sqlite3_finalize(m_stmt);
}

void Query::setSQL(const QString& sql)
{
    Lock l(m_t.m_mutex);
    if (m_server && m_serverGeneration != m_t.m_generation) (void)m_server.release();
    if (m_server) {
        if (sql != m_sql) m_server.reset();
        else m_server->zavri();
    }
    if (m_stmt) {
        sqlite3_reset(m_stmt);
        if (sql != m_sql) {
            sqlite3_finalize(m_stmt);
            m_stmt = nullptr;
        }
    }
    m_sql = sql;
    m_open = false;
    m_atEnd = true;
    m_bindCount = 0;
}

Query::Bound& Query::slot(int pos)
{
    if (int(m_binds.size()) < pos) m_binds.resize(size_t(pos));
    if (m_bindCount < pos) {
        for (int i = m_bindCount; i < pos - 1; ++i) m_binds[size_t(i)].kind = Bound::Null;
        m_bindCount = pos;
    }
    return m_binds[size_t(pos - 1)];
}

namespace {

// UTF-8 of a text into a reused buffer; the collector's texts are mostly ASCII.
void toUtf8(const QString& s, std::string& out)
{
    const qsizetype n = s.size();
    const char16_t* u = reinterpret_cast<const char16_t*>(s.utf16());
    out.resize(size_t(n));
    for (qsizetype i = 0; i < n; ++i) {
        if (u[i] >= 0x80) {
            const QByteArray b = s.toUtf8();
            out.assign(b.constData(), size_t(b.size()));
            return;
        }
        out[size_t(i)] = char(u[i]);
    }
}

} // namespace

void Query::bind(int pos, const QString& value)
{
    if (pos < 1) return;
    Bound& b = slot(pos);
    b.kind = Bound::Text;
    toUtf8(value, b.text);
}

void Query::bind(int pos, const char* utf8)
{
    if (pos < 1) return;
    Bound& b = slot(pos);
    if (!utf8) {
        b.kind = Bound::Null;
        return;
    }
    b.kind = Bound::Text;
    b.text.assign(utf8);
}

void Query::bind(int pos, qint64 value)
{
    if (pos < 1) return;
    Bound& b = slot(pos);
    b.kind = Bound::Int;
    b.i = value;
}

void Query::bindNull(int pos)
{
    if (pos < 1) return;
    slot(pos).kind = Bound::Null;
}

void Query::bind(int pos, const QVariant& v)
{
    if (pos < 1) return;
    if (v.isNull()) return bindNull(pos);
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Bool:
        return bind(pos, v.toLongLong());
    case QMetaType::Double: {
        Bound& b = slot(pos);
        b.kind = Bound::Real;
        b.d = v.toDouble();
        return;
    }
    case QMetaType::QByteArray: {
        const QByteArray a = v.toByteArray();
        Bound& b = slot(pos);
        b.kind = Bound::Text;
        b.text.assign(a.constData(), size_t(a.size()));
        return;
    }
    case QMetaType::QString:
        return bind(pos, *static_cast<const QString*>(v.constData()));
    default:
        return bind(pos, v.toString());
    }
}

void Query::bindAll(const QVariantList& values)
{
    m_bindCount = 0;
    for (int i = 0; i < values.size(); ++i) bind(i + 1, values[i]);
}

void Query::clearBindings() { m_bindCount = 0; }

void Query::fail(int code)
{
    sqlite3* db = m_t.m_db;
    if (db) {
        const int ext = sqlite3_extended_errcode(db);
        m_duplicateKey = ext == SQLITE_CONSTRAINT_PRIMARYKEY || ext == SQLITE_CONSTRAINT_UNIQUE;
    }
    m_busy = (code & 0xFF) == SQLITE_BUSY || (code & 0xFF) == SQLITE_LOCKED;
    m_error = db ? engineErrorText(code, QString::fromUtf8(sqlite3_errmsg(db))) : QStringLiteral("Není spojení s databází");
    m_t.setError(code, m_error);
}

void Query::failServer()
{
    const odbc::Chyba& c = m_server->chyba();
    m_duplicateKey = c.duplicitniKlic();
    m_busy = false;
    // The server's own numbers are not the embedded engine's: one Czech sentence for all.
    m_error = (m_duplicateKey ? QStringLiteral("Záznam porušuje pravidla databáze (například je již uložen).")
                              : QStringLiteral("Databázový server příkaz odmítl."))
              + QLatin1Char('\n') + QString::fromStdString(c.text);
    m_t.setError(c.cislo ? c.cislo : -1, m_error);
}

bool Query::prepareServer()
{
    // A statement prepared on another connection is prepared again.
    if (m_server && m_serverGeneration != m_t.m_generation) (void)m_server.release();
    if (!m_server || !m_server->pripraven()) {
        m_server = std::make_unique<odbc::Prikaz>(*m_t.m_odbc);
        m_serverGeneration = m_t.m_generation;
        if (!m_server->priprav(m_sql.toStdString())) {
            failServer();
            m_server.reset();
            return false;
        }
    }
    odbc::Prikaz& p = *m_server;
    const int n = std::min(p.pocetParametru(), m_bindCount);
    for (int i = 0; i < p.pocetParametru(); ++i) {
        if (i >= n) {
            p.vazNull(i + 1);
            continue;
        }
        const Bound& b = m_binds[size_t(i)];
        switch (b.kind) {
        case Bound::Null: p.vazNull(i + 1); break;
        case Bound::Int: p.vazCele(i + 1, b.i); break;
        case Bound::Real: p.vazRealne(i + 1, b.d); break;
        case Bound::Text: p.vazText(i + 1, b.text); break;
        }
    }
    return true;
}

bool Query::stepServer()
{
    if (m_server->dalsi()) {
        m_atEnd = false;
        return true;
    }
    m_atEnd = true;
    m_open = false;
    if (m_server->selhal()) {
        failServer();
        return false;
    }
    return true;
}

void Query::setReadOnly(bool on)
{
    Lock l(m_t.m_mutex);
    if (on == m_readOnly) return;
    m_readOnly = on;
    // A statement prepared without the test is prepared again.
    if (m_stmt) sqlite3_finalize(m_stmt);
    m_stmt = nullptr;
    m_server.reset();
    m_open = false;
    m_atEnd = true;
}

bool Query::refuseWrite()
{
    m_refusedWrite = true;
    m_error = QStringLiteral("Příkaz by měnil data v databázi; smí je jen číst.");
    m_t.setError(-1, m_error);
    return false;
}

// On a server: the statement runs behind a mark in a read-only stretch of the
// unit of work (the server refuses any change there), and going back to the
// mark ends the stretch; the driver holds the rows read meanwhile.
bool Query::runServerReadOnly()
{
    if (!jedenPrikazKeCteni(m_sql)) return refuseWrite();
    odbc::Spojeni& s = *m_t.m_odbc;
    if (!s.proved("SAVEPOINT kavro_cteni")) {
        m_error = QString::fromStdString(s.chyba().text);
        m_t.setError(s.chyba().cislo, m_error);
        return false;
    }
    bool ok = s.proved("SET TRANSACTION READ ONLY");
    if (!ok) {
        m_error = QString::fromStdString(s.chyba().text);
        m_t.setError(s.chyba().cislo, m_error);
    } else if (!prepare()) {
        ok = false; // prepare() has said why
    } else if (!m_server->proved()) {
        ok = false;
        const odbc::Chyba& c = m_server->chyba();
        if (c.stav == "25006" || c.text.find("read-only transaction") != std::string::npos) {
            m_server.reset();
            refuseWrite();
        } else
            failServer();
    }
    // Going back fails only when the mark is gone with the unit of work that
    // held it (a statement ended the unit: nothing of it is left to keep).
    // Undoing what came after leaves the connection serving the next statement.
    if (s.proved("ROLLBACK TO SAVEPOINT kavro_cteni"))
        s.proved("RELEASE SAVEPOINT kavro_cteni");
    else
        s.rollback();
    return ok;
}

bool Query::prepare()
{
    m_error.clear();
    m_duplicateKey = false;
    m_busy = false;
    m_refusedWrite = false;
    // A server's connection opens its unit of work with the first statement.
    if (m_t.m_odbc) return prepareServer();
    if (!m_t.m_db) {
        m_error = QStringLiteral("Není spojení s databází");
        m_t.setError(-1, m_error);
        return false;
    }
    if (m_stmt) {
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
    } else {
        const QByteArray utf8 = m_sql.toUtf8();
        if (m_readOnly && !jedenPrikazKeCteni(m_sql)) return refuseWrite();
        bool odmitnuto = false;
        if (m_readOnly) sqlite3_set_authorizer(m_t.m_db, jenCteni, &odmitnuto);
        int rc = sqlite3_prepare_v3(m_t.m_db, utf8.constData(), int(utf8.size()), SQLITE_PREPARE_PERSISTENT, &m_stmt, nullptr);
        if (m_readOnly) sqlite3_set_authorizer(m_t.m_db, nullptr, nullptr);
        if (m_readOnly && (odmitnuto || (m_stmt && !sqlite3_stmt_readonly(m_stmt)))) {
            if (m_stmt) sqlite3_finalize(m_stmt);
            m_stmt = nullptr;
            return refuseWrite();
        }
        if (rc != SQLITE_OK) {
            fail(rc);
            if (m_stmt) sqlite3_finalize(m_stmt);
            m_stmt = nullptr;
            return false;
        }
        if (!m_stmt) { // empty text
            m_error = QStringLiteral("Prázdný příkaz");
            m_t.setError(-1, m_error);
            return false;
        }
    }
    if (!m_t.beginIfNeeded(!sqlite3_stmt_readonly(m_stmt))) {
        m_error = m_t.m_lastErrorText;
        m_busy = m_t.lastErrorIsBusy();
        return false;
    }
    const int n = sqlite3_bind_parameter_count(m_stmt);
    for (int i = 0; i < n && i < m_bindCount; ++i) {
        const Bound& b = m_binds[size_t(i)];
        int rc = SQLITE_OK;
        switch (b.kind) {
        case Bound::Null: rc = sqlite3_bind_null(m_stmt, i + 1); break;
        case Bound::Int: rc = sqlite3_bind_int64(m_stmt, i + 1, b.i); break;
        case Bound::Real: rc = sqlite3_bind_double(m_stmt, i + 1, b.d); break;
        // The buffer stays as it is until the statement is reset: no copy needed.
        case Bound::Text: rc = sqlite3_bind_text(m_stmt, i + 1, b.text.data(), int(b.text.size()), SQLITE_STATIC); break;
        }
        if (rc != SQLITE_OK) {
            fail(rc);
            return false;
        }
    }
    return true;
}

bool Query::step()
{
    if (m_server) return stepServer();
    const int rc = sqlite3_step(m_stmt);
    m_t.busyWaitOver();
    if (rc == SQLITE_ROW) {
        m_atEnd = false;
        return true;
    }
    m_atEnd = true;
    if (rc != SQLITE_DONE) {
        fail(rc);
        sqlite3_reset(m_stmt);
        m_open = false;
        return false;
    }
    return true;
}

bool Query::run()
{
    Lock l(m_t.m_mutex);
    m_atEnd = true;
    m_open = false;
    if (m_readOnly && m_t.m_odbc) {
        m_error.clear();
        m_refusedWrite = false;
        if (!runServerReadOnly()) return false;
        m_open = true;
        if (!step()) return false;
        m_t.clearError();
        return true;
    }
    ZapisSMarkou marka(m_t, m_t.m_odbc.get(), m_sql);
    if (!prepare()) {
        marka.konec(false);
        return false;
    }
    if (m_server && !m_server->proved()) {
        failServer();
        marka.konec(false);
        return false;
    }
    marka.konec(true);
    m_open = true;
    if (!step()) return false;
    m_t.clearError();
    return true;
}

bool Query::next()
{
    Lock l(m_t.m_mutex);
    if (!m_open || m_atEnd || (!m_stmt && !m_server)) {
        m_atEnd = true;
        return false;
    }
    if (!step()) return false;
    return !m_atEnd;
}

bool Query::eachRow(const std::function<void(Query&)>& row)
{
    if (!run()) return false;
    for (; !atEnd(); next()) row(*this);
    return m_error.isEmpty();
}

QString Query::value(int col) const
{
    Lock l(m_t.m_mutex);
    if (m_server) {
        if (m_atEnd || col < 1 || col > m_server->pocetSloupcu()) return QString();
        const std::string_view t = m_server->text(col - 1);
        return QString::fromUtf8(t.data(), qsizetype(t.size()));
    }
    if (m_atEnd || !m_stmt || col < 1 || col > sqlite3_column_count(m_stmt)) return QString();
    const unsigned char* t = sqlite3_column_text(m_stmt, col - 1);
    if (!t) return QString();
    return QString::fromUtf8(reinterpret_cast<const char*>(t), sqlite3_column_bytes(m_stmt, col - 1));
}

bool Query::isNull(int col) const
{
    Lock l(m_t.m_mutex);
    if (m_server) return m_atEnd || col < 1 || col > m_server->pocetSloupcu() || m_server->jeNull(col - 1);
    if (m_atEnd || !m_stmt || col < 1 || col > sqlite3_column_count(m_stmt)) return true;
    return sqlite3_column_type(m_stmt, col - 1) == SQLITE_NULL;
}

qint64 Query::intValue(int col) const
{
    Lock l(m_t.m_mutex);
    if (m_server) return m_atEnd || col < 1 || col > m_server->pocetSloupcu() ? 0 : m_server->cele(col - 1);
    if (m_atEnd || !m_stmt || col < 1 || col > sqlite3_column_count(m_stmt)) return 0;
    return sqlite3_column_int64(m_stmt, col - 1);
}

int Query::columnCount() const
{
    Lock l(m_t.m_mutex);
    if (m_server) return m_server->pocetSloupcu();
    return m_stmt ? sqlite3_column_count(m_stmt) : 0;
}

QString Query::columnName(int col) const
{
    Lock l(m_t.m_mutex);
    if (!m_stmt || col < 1 || col > sqlite3_column_count(m_stmt)) return QString();
    return QString::fromUtf8(sqlite3_column_name(m_stmt, col - 1));
}

void Query::close()
{
    Lock l(m_t.m_mutex);
    if (m_server) m_server->zavri();
    if (m_stmt) sqlite3_reset(m_stmt);
    m_open = false;
    m_atEnd = true;
}

namespace {

// SAVEPOINT, RELEASE [SAVEPOINT], ROLLBACK TO [SAVEPOINT].
bool jeRizeniTransakce(const QString& sql)
{
    const QString t = sql.trimmed();
    return t.startsWith(QLatin1String("SAVEPOINT"), Qt::CaseInsensitive)
           || t.startsWith(QLatin1String("RELEASE"), Qt::CaseInsensitive)
           || t.startsWith(QLatin1String("ROLLBACK TO"), Qt::CaseInsensitive);
}

} // namespace

bool Query::execute()
{
    Lock l(m_t.m_mutex);
    m_rowCount = 0;
    m_atEnd = true;
    m_open = false;
    if (m_t.m_odbc && jeRizeniTransakce(m_sql)) {
        // The driver undoes a failed statement through a mark of its own; a
        // prepared statement that sets or goes back to the program's marks
        // would cross it, a statement sent directly does not.
        m_error.clear();
        if (!m_t.m_odbc->proved(odbc::proServer(m_sql.toStdString()))) {
            m_error = QString::fromStdString(m_t.m_odbc->chyba().text);
            m_t.setError(m_t.m_odbc->chyba().cislo, m_error);
            return false;
        }
        m_t.clearError();
        return true;
    }
    ZapisSMarkou marka(m_t, m_t.m_odbc.get(), m_sql);
    if (!prepare()) {
        marka.konec(false);
        return false;
    }
    if (m_server) {
        if (!m_server->proved()) {
            failServer();
            marka.konec(false);
            return false;
        }
        marka.konec(true);
        m_server->zavri();
        m_rowCount = m_server->pocetRadku();
        m_t.clearError();
        return true;
    }
    int rc;
    while ((rc = sqlite3_step(m_stmt)) == SQLITE_ROW) {}
    m_t.busyWaitOver();
    if (rc == SQLITE_BUSY) {
        // Another program wrote since this unit began reading: begin again as a
        // writing unit, waiting for the other program, and write then.
        sqlite3_reset(m_stmt);
        if (m_t.restartForWrite(m_stmt))
            while ((rc = sqlite3_step(m_stmt)) == SQLITE_ROW) {}
    }
    if (rc != SQLITE_DONE) {
        fail(rc);
        sqlite3_reset(m_stmt);
        return false;
    }
    m_rowCount = sqlite3_changes64(m_t.m_db);
    sqlite3_reset(m_stmt);
    m_t.clearError();
    return true;
}

bool Query::execute(const QString& sql, const QVariantList& params)
{
    Lock l(m_t.m_mutex);
    setSQL(sql);
    bindAll(params);
    return execute();
}

} // namespace kavro
