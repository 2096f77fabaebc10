#pragma once
// What every test stands on: a fresh database built from db/, a temporary
// registry file and a temporary data directory. Nothing touches the user's files.
#include <QString>
#include <QTemporaryDir>
#include <memory>

namespace kavro::test {

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
    QString registryPath() const;
    bool ok() const { return m_ok; }
    QString error() const { return m_error; }

private:
    QTemporaryDir m_dir;
    bool m_ok = false;
    QString m_error;
};

} // namespace kavro::test
