#pragma once
// What every test stands on: a fresh database built from db/, a temporary
// registry file and a temporary data directory. Nothing touches the user's files.
#include <QString>
#include <QTemporaryDir>
#include <memory>

namespace kavro {
class Transaction;
}

namespace kavro::test {

// The engine the database tests run on: the embedded file, or a PostgreSQL
// server when KAVRO_TEST_ENGINE=postgresql (server from PGHOST, PGPORT, PGUSER;
// every TestEnv gets a fresh database copied from the database named by
// KAVRO_TEST_PG_TEMPLATE, built by db/postgresql/create.sh). CTest's server
// runs set KAVRO_TEST_PG_STATE instead: the folder of tools/pg_test_server.sh,
// whose file "env" gives those variables.
bool onServer();
// Why the server runs cannot run here ("" when they can, or when on the file).
QString serverUnavailable();

// Makes the engine refuse a write, so that a test can watch a failure midway:
// a trigger `name` BEFORE `when` ("INSERT", "UPDATE", "UPDATE OF col") ON the
// table of dba, refusing the rows for which `condition` (on NEW) holds with
// the engine's message `message`.
bool odmitajZapis(Transaction& t, const QString& name, const QString& when, const QString& table,
                  const QString& condition, const QString& message);
// Drops what odmitajZapis() made.
bool povolZapis(Transaction& t, const QString& name, const QString& table);

class TestEnv;

// Another program holding the database file's write lock (an editing window
// with a change not saved yet) until released: a second connection that has
// written and not committed. Meanwhile Transaction::main() waits `waitMs` for
// a lock (the program's 30 s come back with release()).
class HeldDatabase {
public:
    HeldDatabase(const TestEnv& env, int waitMs);
    ~HeldDatabase();
    bool ok() const { return m_ok; }
    QString error() const;
    // The other program's unit of work ends; nothing of it stays.
    void release();

private:
    std::unique_ptr<Transaction> m_other;
    bool m_ok = false;
};

class TestEnv {
public:
    // Creates the folder, points the program's registry at a file in it and,
    // with a database, creates one from db/ and connects Transaction::main() to it
    // through the "KAVRO" data source entry.
    explicit TestEnv(bool withDatabase = true);
    ~TestEnv();

    QString dir() const { return m_dir.path(); }
    // A sub-folder of the temporary folder (created) for data files.
    QString dataDir() const;
    QString databasePath() const;
    // Connects another transaction to this test's database (as a second program would).
    bool connectAgain(Transaction& other) const;
    QString registryPath() const;
    bool ok() const { return m_ok; }
    QString error() const { return m_error; }

private:
    bool createServerDatabase();

    QTemporaryDir m_dir;
    QString m_serverDatabase;
    bool m_ok = false;
    QString m_error;
};

} // namespace kavro::test
